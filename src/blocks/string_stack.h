// CStringStack: a small fixed-capacity stack of strings for the evaluation of
// the analog math formula. It is made for one evaluation and never shows a
// window: misuse (a push onto a full stack, a take from an empty one) is
// counted and its text kept for the caller, and the operation goes on with
// the item dropped or with an empty string.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CStringStack {
 public:
  static constexpr int kCapacity = 20;

  CStringStack();

  BOOL IsEmpty() const { return m_nTop == -1; }
  BOOL IsFull() const { return m_nTop == m_nCapacity - 1; }
  // Stores item on top; on a full stack the item is dropped ("Full Stack").
  void Push(const CString& item);
  // Removes the top item ("Empty Stack" on an empty stack).
  void Drop();
  // A copy of the top item; empty on an empty stack ("Empty Stack").
  CString Top();
  // Like Top, and removes the item.
  CString Pop();

  // How often the stack was misused, and the text of the last misuse
  // ("Full Stack" or "Empty Stack").
  int GetErrorCount() const { return m_nErrors; }
  const CString& GetLastError() const { return m_strLastError; }

  int m_nTop = -1;  // index of the top item, -1 when empty
  int m_nCapacity = kCapacity;
  std::vector<CString> m_items;  // sized to the capacity

 private:
  void Report(const char16_t* text);

  int m_nErrors = 0;
  CString m_strLastError;
};
