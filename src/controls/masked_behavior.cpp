#include "controls/masked_behavior.h"

#include <cwctype>

namespace {

int IsDecimalDigit(wint_t ch) {
  return ch >= L'0' && ch <= L'9';
}

}  // namespace

CMaskedBehavior::CMaskedBehavior(const CString& mask) : m_mask(mask) {
  m_symbols.emplace_back(u'#', IsDecimalDigit);
}

bool CMaskedBehavior::SetMask(const CString& mask) {
  if (mask == m_mask) return false;
  m_mask = mask;
  return true;
}

const CMaskSymbol* CMaskedBehavior::FindSymbol(char16_t ch) const {
  for (const CMaskSymbol& symbol : m_symbols) {
    if (symbol.GetSymbol() == ch) return &symbol;
  }
  return nullptr;
}

CString CMaskedBehavior::GetCorrectedText(const CString& text) const {
  if (m_mask.IsEmpty()) return text;
  CString result;
  for (int i = 0; i < text.GetLength() && i < m_mask.GetLength() && m_mask[i] != 0; ++i) {
    const char16_t ch = text[i];
    const char16_t maskChar = m_mask[i];
    bool accepted = false;
    for (const CMaskSymbol& symbol : m_symbols) {
      if (symbol.GetSymbol() == maskChar && symbol.IsValid(ch)) {
        result += symbol.Convert(ch);
        accepted = true;
        break;
      }
    }
    if (accepted) continue;
    if (ch == maskChar && !FindSymbol(maskChar)) {
      result += ch;
      continue;
    }
    break;
  }
  return result;
}

CharOutcome CMaskedBehavior::OnChar(EditState& state, char16_t ch) const {
  state.SetSel(state.start, state.end);
  if (m_mask.IsEmpty()) {
    if (!IsPrintableChar(ch)) {
      if (ch != u'\b') return CharOutcome::kDefault;
      state.Backspace();
      return CharOutcome::kDone;
    }
    state.ReplaceSel(CString(ch));
    return CharOutcome::kDone;
  }
  const int maskLength = m_mask.GetLength();
  int start = state.start;
  if (start >= maskLength && ch != u'\b') return CharOutcome::kDone;

  if (ch == u'\b') {
    if (start == maskLength) --start;
    if (start > 0 && state.text[start - 1] != u':') {
      state.MoveLeft();
      OnChar(state, u'0');
    }
    state.MoveLeft();
    return CharOutcome::kDone;
  }
  if (!IsPrintableChar(ch)) return CharOutcome::kDefault;

  const char16_t maskChar = m_mask[start];
  if (const CMaskSymbol* symbol = FindSymbol(maskChar)) {
    if (symbol->IsValid(ch)) Overwrite(state, CString(symbol->Convert(ch)));
    return CharOutcome::kDone;
  }
  if (ch == maskChar) {
    Overwrite(state, CString(ch));
    return CharOutcome::kDone;
  }
  for (const CMaskSymbol& symbol : m_symbols) {
    if (!symbol.IsValid(ch)) continue;
    for (int i = start; i < maskLength; ++i) {
      if (!FindSymbol(m_mask[i])) continue;
      if (m_mask[i] != symbol.GetSymbol()) break;
      state.SetSel(start, i);
      state.ReplaceSel(m_mask.Mid(start, i - start));
      return OnChar(state, ch);
    }
  }
  return CharOutcome::kDone;
}

void CMaskedBehavior::OnDelete(EditState& state) const {
  state.SetSel(state.start, state.end);
  const int length = state.text.GetLength();
  if (state.end == length || (!state.HasSelection() && state.start == length - 1)) state.Delete();
}

CString CMaskedBehavior::GetNumericText(const CString& text) {
  CString digits;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] >= u'0' && text[i] <= u'9') digits += text[i];
  }
  return digits;
}
