#include "pages/mask_page.h"

#include "model/block_obj.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"

// ---- CBitMaskDlg -----------------------------------------------------------------

CBitMaskDlg::CBitMaskDlg() {
  m_strTitle = Describe().caption;
}

const PageDesc& CBitMaskDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Dialog", CSize(130, 112), {}};
    for (int n = 0; n < kBits; ++n) {
      const int x = n < 8 ? 10 : 70, y = 8 + (n % 8) * 12;
      d.controls.push_back(
          {kIdFirstBit + n, K::kCheck, FormatString(u"Bit %d", n), CRect(x, y, x + 50, y + 10)});
    }
    return d;
  }();
  return desc;
}

void CBitMaskDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  const int mask = CMask::ParseMask(m_strHex);
  for (int n = 0; n < kBits; ++n) Host().SetCheck(kIdFirstBit + n, (mask >> n) & 1);
}

void CBitMaskDlg::OnOK() {
  unsigned word = 0;
  for (int n = 0; n < kBits; ++n)
    if (Host().GetCheck(kIdFirstBit + n)) word |= 1u << n;
  m_strHex = FormatString(u"%04X", word);
}

// ---- CMask -----------------------------------------------------------------------

int CMask::ParseMask(const CString& text) {
  unsigned result = 0;
  const int n = text.GetLength();
  for (int i = 0; i < n && i < 8; ++i) {
    const int ch = text[n - 1 - i];
    const int digit = ch >= u'0' && ch <= u'9' ? ch - u'0' : ch - 0x37;
    result |= static_cast<unsigned>(digit & 0xF) << (4 * i);
  }
  return static_cast<int>(result & 0xFFFF);
}

CString CMask::FilterMask(const CString& text) {
  CString kept;
  for (int i = 0; i < text.GetLength(); ++i) {
    char16_t ch = text[i];
    if (ch >= u'a' && ch <= u'f') ch = static_cast<char16_t>(ch - u'a' + u'A');
    if ((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F')) kept += ch;
  }
  return kept;
}

CMask::CMask() {
  m_strTitle = Describe().caption;
  m_strMask = u"0000";
  AddReferenceSlot({0, kIdReference, kIdRefList, {kIdMask, kIdSetting, kIdHex}});
}

const PageDesc& CMask::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(240, 80),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdGroup, K::kGroup, u"Mask", CRect(7, 26, 233, 52)},
          {kIdMask, K::kEdit, u"", CRect(14, 36, 50, 48), kStyleRight},
          {kIdSetting, K::kButton, u"Setting", CRect(54, 35, 100, 49)},
          {kIdHex, K::kStatic, u"(Hex)", CRect(104, 38, 130, 48)},
          {kIdRefList, K::kCombo, u"", CRect(14, 36, 140, 236), kStyleHidden},
          {kIdReference, K::kButton, u"Reference", CRect(176, 35, 228, 49)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 60, 120, 72)},
      }};
  return desc;
}

void CMask::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdMask, m_strMask);
  DDX_Check(dx, kIdProtection, m_bProtection);
}

void CMask::UpdateTabOrder() {
  std::vector<int> chain;
  if (m_pRef[0])
    chain.push_back(kIdRefList);
  else
    chain.insert(chain.end(), {kIdMask, kIdSetting});
  chain.push_back(kIdReference);
  SetTabOrder(chain);
}

void CMask::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  if (m_nType == kNotMask) {
    for (int id : {kIdGroup, kIdMask, kIdSetting, kIdHex, kIdReference, kIdRefList}) host.Show(id, false);
  } else {
    host.LimitText(kIdMask, 4);
    ShowSlots();
    if (!m_pRef[0]) {
      CString text = host.GetText(kIdMask);
      while (text.GetLength() < 4) text = u"0" + text;
      host.SetText(kIdMask, text);
    }
    FillReferenceCombos();
    UpdateTabOrder();
    host.SetTip(kIdMask, u"Number(Hex) between 0x0000 and 0xFFFF");
  }
  if (Simulating()) CreateCurrentValueBox();
}

void CMask::OnMaskUpdate() {
  CControlHost& host = Host();
  const CString text = host.GetText(kIdMask);
  const CString kept = FilterMask(text);
  if (kept != text) return host.SetText(kIdMask, kept);
  m_nMask = ParseMask(kept);
}

void CMask::OnSetting() {
  CBitMaskDlg dialog;
  dialog.m_strHex = Host().GetText(kIdMask);
  if (RunPageDialog(dialog) == IDOK) Host().SetText(kIdMask, dialog.m_strHex);
}

void CMask::OnReferenceToggle(const RefSlot& slot) {
  CBlockParamPage::OnReferenceToggle(slot);
  UpdateTabOrder();
}

void CMask::OnNotify(int id, Notify code) {
  if (id == kIdMask && code == Notify::kUpdate) return OnMaskUpdate();
  if (id == kIdMask && code == Notify::kChange) return OnValueChange(id);
  if (id == kIdProtection && code == Notify::kClicked) return OnValueChange(id);
  if (id == kIdSetting && code == Notify::kClicked) return OnSetting();
  CBlockParamPage::OnNotify(id, code);
}

void CMask::OnOK() {
  if (m_pRef[0]) {
    m_nMask = 0;
    m_nRefNumber[0] = m_pRef[0]->m_nNumber;
  }
  CBlockParamPage::OnOK();
}

void CMask::PrepareApplyValues(BlockPageValues& values) const {
  if (values.pattern.m_pRef[0]) values.mask.m_nMask = 0;
}

void CMask::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<MaskValues&>(*this) = values.mask;
}

void CMask::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.mask = *this;
}
