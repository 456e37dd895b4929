#include "controls/edit_behavior.h"

#include <algorithm>

bool IsPrintableChar(char16_t ch) {
  return ch >= 0x20 && ch != 0x7F && !(ch >= 0x80 && ch < 0xA0);
}

void EditState::SetSel(int s, int e) {
  const int len = text.GetLength();
  s = std::clamp(s, 0, len);
  e = std::clamp(e, 0, len);
  start = std::min(s, e);
  end = std::max(s, e);
}

void EditState::ReplaceSel(const CString& t) {
  SetSel(start, end);
  text = text.Left(start) + t + text.Mid(end);
  start = end = start + t.GetLength();
}

void EditState::SetText(const CString& t) {
  text = t;
  start = end = t.GetLength();
}

void EditState::Backspace() {
  SetSel(start, end);
  if (!HasSelection()) {
    if (start == 0) return;
    --start;
  }
  ReplaceSel(CString());
}

void EditState::Delete() {
  SetSel(start, end);
  if (!HasSelection()) {
    if (end >= text.GetLength()) return;
    ++end;
  }
  ReplaceSel(CString());
}

void EditState::MoveLeft() {
  SetSel(start, end);
  SetCaret(HasSelection() ? start : start - 1);
}

bool CEditBehavior::ModifyFlags(UINT add, UINT remove) {
  const UINT flags = (m_flags & ~remove) | add;
  if (flags == m_flags) return false;
  m_flags = flags;
  return true;
}

void CEditBehavior::Revalidate(EditState& state) const {
  const CString corrected = GetCorrectedText(state.text);
  if (corrected == state.text) return;
  const int s = state.start;
  const int e = state.end;
  state.text = corrected;
  state.SetSel(s, e);
}

void CEditBehavior::OnPaste(EditState& state, const CString& pasted) const {
  const EditState before = state;
  state.ReplaceSel(pasted);
  const CString corrected = GetCorrectedText(state.text);
  if (corrected == state.text) return;
  state.text = corrected;
  state.SetSel(before.start, before.end);
}

void CEditBehavior::Overwrite(EditState& state, const CString& t) {
  state.SetSel(state.start, state.end);
  if (state.end != state.text.GetLength()) state.SetSel(state.start, state.start + t.GetLength());
  state.ReplaceSel(t);
}
