#include "blocks/string_stack.h"

CStringStack::CStringStack() : m_items(static_cast<size_t>(kCapacity)) {}

void CStringStack::Report(const char16_t* text) {
  ++m_nErrors;
  m_strLastError = text;
}

void CStringStack::Push(const CString& item) {
  if (IsFull()) {
    Report(u"Full Stack");
    return;
  }
  m_items[static_cast<size_t>(++m_nTop)] = item;
}

void CStringStack::Drop() {
  if (IsEmpty()) {
    Report(u"Empty Stack");
    return;
  }
  --m_nTop;
}

CString CStringStack::Top() {
  if (IsEmpty()) {
    Report(u"Empty Stack");
    return CString();
  }
  return m_items[static_cast<size_t>(m_nTop)];
}

CString CStringStack::Pop() {
  CString item = Top();
  if (!IsEmpty()) --m_nTop;
  return item;
}
