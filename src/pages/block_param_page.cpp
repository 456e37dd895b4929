#include "pages/block_param_page.h"

#include <algorithm>

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "pages/ui_text.h"
#include "platform/cdc.h"
#include "platform/string_table.h"

void CBlockParamPage::AddReferenceSlot(const RefSlot& slot) {
  m_slots.push_back(slot);
}

const CBlockParamPage::RefSlot* CBlockParamPage::SlotOfButton(int id) const {
  for (const RefSlot& s : m_slots)
    if (s.button == id) return &s;
  return nullptr;
}

const CBlockParamPage::RefSlot* CBlockParamPage::SlotOfList(int id) const {
  for (const RefSlot& s : m_slots)
    if (s.list == id) return &s;
  return nullptr;
}

void CBlockParamPage::ApplyNameRule() {
  const int named = Document() ? Document()->CountNamedBlocks() : 0;
  Host().Enable(kIdBlockName, named < kNamedBlockBudget || !m_strName.IsEmpty());
}

CBlockObj* CBlockParamPage::BlockOfEntry(const CString& entry) const {
  const int number = ReadDecimal(entry, 1, 6);
  return Document() && number >= 0 ? Document()->FindBlockByNumber(number + kFirstFunctionBlockNumber)
                                   : nullptr;
}

void CBlockParamPage::SelectSlotBlock(const RefSlot& slot) {
  CControlHost& host = Host();
  int sel = 0;
  if (CBlockObj* block = m_pRef[slot.slot]) {
    for (int i = 0; i < host.GetCount(slot.list); ++i)
      if (BlockOfEntry(host.GetItemText(slot.list, i)) == block) {
        sel = i;
        break;
      }
  }
  host.SetCurSel(slot.list, host.GetCount(slot.list) > 0 ? sel : -1);
}

void CBlockParamPage::FillReferenceCombos() {
  CControlHost& host = Host();
  for (const RefSlot& s : m_slots) host.ResetContent(s.list);
  if (Document()) {
    const std::vector<CString> entries = FillBlockCombo(*Document(), m_nBlockNumber);
    for (const RefSlot& s : m_slots)
      for (const CString& e : entries) host.AddString(s.list, e);
  }
  ApplyNameRule();
  for (const RefSlot& s : m_slots) SelectSlotBlock(s);
}

void CBlockParamPage::ShowSlots() {
  CControlHost& host = Host();
  for (const RefSlot& s : m_slots) {
    host.Enable(s.button, m_bRefAllowed != 0);
    const bool block = m_pRef[s.slot] != nullptr;
    host.Show(s.list, block);
    for (int id : s.valueIds) host.Show(id, !block);
  }
}

void CBlockParamPage::SetTabOrder(const std::vector<int>& chain) {
  std::vector<int> order{kIdBlockName};
  order.insert(order.end(), chain.begin(), chain.end());
  order.push_back(kIdProtection);
  Host().SetTabOrder(order);
}

void CBlockParamPage::CreateCurrentValueBox(bool tallBox) {
  if (m_bValueBox) return;
  m_bValueBox = true;
  const CSize size = Describe().size;
  // The box starts 20 pixels above the template's bottom and reaches 30 below
  // it (the tall one lies wholly below, 50 pixels); in dialog units of the
  // 8-point font that is about 12 and 18 (30) units.
  const CRect rect =
      tallBox ? CRect(0, size.cy, size.cx, size.cy + 30) : CRect(0, size.cy - 12, size.cx, size.cy + 18);
  Host().AddControl(
      {kIdValueBox, ControlKind::kGroup, UiText(kIdValueBox, u"Current Parameter Value"), rect, 0});
}

void CBlockParamPage::ShowCurrentValue(const CString& text) {
  if (!m_bValueBox) return;
  m_strValueText = text;
  if (IsAttached()) Host().Repaint();
}

void CBlockParamPage::DrawCurrentValue(CDC* dc, const CRect& textRect, COLORREF bkColour) const {
  TEXTMETRIC tm;
  dc->GetTextMetrics(&tm);
  const int height = static_cast<int>(tm.tmHeight - tm.tmDescent);
  const int x = textRect.left + static_cast<int>(tm.tmAveCharWidth);
  const int y = textRect.top + (textRect.bottom - height - textRect.top) / 2;
  dc->SetBkColor(bkColour);
  dc->ExtTextOut(x, y, ETO_OPAQUE, &textRect, m_strValueText);
}

void CBlockParamPage::AddRangeTip(int id, int lower, int upper) {
  Host().SetTip(id, FormatString(LoadString(376).GetString(), lower, upper));
}

void CBlockParamPage::AddRangeTip(int id, double lower, double upper) {
  Host().SetTip(id, FormatString(LoadString(378).GetString(), lower, upper));
}

void CBlockParamPage::InitDecimals() {
  Host().SetRange(kIdDecimalsSpin, 0, 3);
  Host().LimitText(kIdDecimals, 1);
  UpdateDecimalsPreview();
  AddRangeTip(kIdDecimals, 0, 3);
}

void CBlockParamPage::UpdateDecimalsPreview() {
  static const char16_t* const kPreview[] = {u"+12345", u"+1234.5", u"+123.45", u"+12.345"};
  bool ok = false;
  const int n = Host().GetInt(kIdDecimals, &ok);
  Host().SetText(kIdDecimalsPreview, ok && n >= 0 && n <= 3 ? CString(kPreview[n]) : CString());
}

void CBlockParamPage::OnValueChange(int id) {
  CControlHost& host = Host();
  if (id == kIdBlockName && host.GetFocus() == kIdBlockName) {
    CString text = host.GetText(kIdBlockName);
    bool changed = false;
    for (int i = 0; i < text.GetLength();) {
      if (text[i] >= 128) {
        text.Remove(text[i]);
        changed = true;
      } else {
        ++i;
      }
    }
    if (changed) host.SetText(kIdBlockName, text);
  }
  SetModified();
}

void CBlockParamPage::OnReferenceToggle(const RefSlot& slot) {
  CControlHost& host = Host();
  const int k = slot.slot;
  m_bRef[k] = m_bRef[k] ? 0 : 1;
  if (m_bRef[k]) {
    for (int id : slot.valueIds) host.Show(id, false);
    host.Show(slot.list, true);
    m_pRef[k] = BlockOfEntry(host.GetText(slot.list));
  } else {
    m_nRefNumber[k] = -1;
    m_pRef[k] = nullptr;
    for (int id : slot.valueIds) host.Show(id, true);
    host.Show(slot.list, false);
  }
  SetModified();
}

void CBlockParamPage::OnReferenceBlockChange(const RefSlot& slot) {
  m_pRef[slot.slot] = BlockOfEntry(Host().GetText(slot.list));
  SetModified();
}

void CBlockParamPage::OnNotify(int id, Notify code) {
  if (id == kIdBlockName && code == Notify::kChange) return OnValueChange(id);
  if (id == kIdDecimals) {
    if (code == Notify::kUpdate) {
      bool ok = false;
      if (Host().GetInt(kIdDecimals, &ok) > 3 && ok) Host().SetInt(kIdDecimals, 3);
    } else if (code == Notify::kChange) {
      UpdateDecimalsPreview();
      SetModified();
    }
    return;
  }
  if (code == Notify::kClicked) {
    if (const RefSlot* s = SlotOfButton(id)) return OnReferenceToggle(*s);
    if (id == kIdProtection || id == kIdRetentivity) return SetModified();
  }
  if (code == Notify::kSelChange)
    if (const RefSlot* s = SlotOfList(id)) return OnReferenceBlockChange(*s);
}

void CBlockParamPage::OnOK() {
  for (const RefSlot& s : m_slots)
    if (!m_bRef[s.slot]) {
      m_nRefNumber[s.slot] = -1;
      m_pRef[s.slot] = nullptr;
    }
}

void CBlockParamPage::LoadValues(const BlockPageValues& values) {
  static_cast<PatternValues&>(*this) = values.pattern;
}

void CBlockParamPage::StoreValues(BlockPageValues& values) const {
  values.pattern = *this;
}
