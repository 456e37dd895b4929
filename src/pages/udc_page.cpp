#include "pages/udc_page.h"

namespace {

const char16_t* const kHexTip = u"Number(Hex) between 0x00 and 0xFF";

}  // namespace

CUDC::CUDC() {
  m_strTitle = u"Parameter";
}

bool CUDC::ParseHexByte(const CString& text, int* value) {
  return ParseHex(text, 2, value);
}

int CUDC::LargestAddress(int area) {
  switch (area) {
    case 1:
      return 31;
    case 2:
      return 63;
    default:
      return 511;
  }
}

const PageDesc& CUDC::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(290, 230), {}};
    auto& c = d.controls;
    int label = 2000;  // the labels without an id of their own
    auto S = [&label] { return label++; };
    c = {
        {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
        {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
        {S(), K::kStatic, u"ComPort", CRect(7, 30, 58, 40), kStyleRight},
        {kIdPort,
         K::kCombo,
         u"",
         CRect(62, 28, 140, 90),
         0,
         {u"COM0(RS232)", u"COM1(RS485)", u"COM2(RS485)"}},
        {S(), K::kStatic, u"Cycle", CRect(150, 30, 175, 40), kStyleRight},
        {kIdCycle, K::kEdit, u"", CRect(178, 28, 210, 41), kStyleNumber | kStyleRight},
        {S(), K::kStatic, u"(0:successive)", CRect(214, 30, 284, 40)},
    };
    auto frame = [&c, &S](const char16_t* caption, int left, int startCheck, int start, int endCheck, int end,
                          int area, std::vector<CString> areas, int address, int count) {
      c.push_back({S(), K::kGroup, caption, CRect(left, 48, left + 136, 140)});
      c.push_back({startCheck, K::kCheck, u"Start-Char", CRect(left + 6, 60, left + 66, 72)});
      c.push_back({start, K::kEdit, u"", CRect(left + 68, 59, left + 92, 72)});
      c.push_back({S(), K::kStatic, u"(Hex)", CRect(left + 96, 61, left + 130, 71)});
      c.push_back({endCheck, K::kCheck, u"End-Char", CRect(left + 6, 78, left + 66, 90)});
      c.push_back({end, K::kEdit, u"", CRect(left + 68, 77, left + 92, 90)});
      c.push_back({S(), K::kStatic, u"(Hex)", CRect(left + 96, 79, left + 130, 89)});
      c.push_back({S(), K::kStatic, u"Data Address", CRect(left + 6, 98, left + 60, 108)});
      c.push_back({area, K::kCombo, u"", CRect(left + 62, 96, left + 92, 150), 0, std::move(areas)});
      c.push_back(
          {address, K::kEdit, u"", CRect(left + 94, 96, left + 128, 109), kStyleNumber | kStyleRight});
      c.push_back({S(), K::kStatic, u"Count", CRect(left + 6, 118, left + 60, 128)});
      c.push_back({count, K::kEdit, u"", CRect(left + 62, 116, left + 92, 129), kStyleNumber | kStyleRight});
    };
    frame(u"Transmit", 7, kIdTxStartCheck, kIdTxStart, kIdTxEndCheck, kIdTxEnd, kIdTxArea,
          {u"AM", u"AQ", u"AI"}, kIdTxAddress, kIdTxCount);
    frame(u"Receive", 148, kIdRxStartCheck, kIdRxStart, kIdRxEndCheck, kIdRxEnd, kIdRxArea, {u"AM"},
          kIdRxAddress, kIdRxCount);
    c.push_back({kIdProtection, K::kCheck, u"Protection Active", CRect(7, 146, 120, 158)});
    c.push_back({S(), K::kGroup, u"Tx/Rx Format", CRect(7, 164, 284, 200)});
    const char16_t* const top[] = {u"Start-Char", u"Data", u"Data", u"Data...", u"End-Char"};
    const char16_t* const bottom[] = {u"byte", u"word", u"word", u"word...", u"byte"};
    for (int i = 0; i < 5; ++i) {
      c.push_back({S(), K::kStatic, top[i], CRect(14 + 54 * i, 176, 66 + 54 * i, 186), kStyleCentre});
      c.push_back({S(), K::kStatic, bottom[i], CRect(14 + 54 * i, 187, 66 + 54 * i, 197), kStyleCentre});
    }
    return d;
  }();
  return desc;
}

void CUDC::DoDataExchange(CDataExchange& dx) {
  DDX_CBIndex(dx, kIdPort, m_nPort);
  DDX_Text(dx, kIdCycle, m_nCycle);
  DDV_MinMaxInt(dx, m_nCycle, 0, 9999);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdProtection, m_bProtection);
  for (int i = 0; i < 4; ++i) DDX_Check(dx, kCharChecks[i], m_bFrameOption[i]);
  DDX_CBIndex(dx, kIdRxArea, m_nRxType);
  DDX_CBIndex(dx, kIdTxArea, m_nTxType);
  DDX_Text(dx, kIdTxCount, m_nTxCount);
  DDV_MinMaxInt(dx, m_nTxCount, 1, 127);
  DDX_Text(dx, kIdRxCount, m_nRxCount);
  DDV_MinMaxInt(dx, m_nRxCount, 1, 127);
  for (int i = 0; i < 4; ++i) {
    DDX_Text(dx, kCharEdits[i], m_strChars[i]);
    DDV_MaxChars(dx, m_strChars[i], 2);
    int value = 0;
    if (dx.IsSaving() && !ParseHexByte(m_strChars[i], &value)) dx.Fail(kHexTip);
  }
  DDX_Text(dx, kIdTxAddress, m_nTxAddress);
  DDX_Text(dx, kIdRxAddress, m_nRxAddress);
}

void CUDC::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  for (int i = 0; i < 4; ++i) {
    host.LimitText(kCharEdits[i], 2);
    host.Enable(kCharEdits[i], m_bFrameOption[i] != 0);
    host.SetTip(kCharEdits[i], kHexTip);
  }
  host.LimitText(kIdCycle, 4);
  host.LimitText(kIdTxCount, 3);
  host.LimitText(kIdRxCount, 3);
  host.LimitText(kIdTxAddress, 3);
  host.LimitText(kIdRxAddress, 3);
  AddRangeTip(kIdCycle, 0, 9999);
  AddRangeTip(kIdTxCount, 1, 127);
  AddRangeTip(kIdRxCount, 1, 127);
}

void CUDC::ClampAddress(int id, int most) {
  bool ok = false;
  if (Host().GetInt(id, &ok) > most && ok) Host().SetInt(id, most);
}

void CUDC::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (code == Notify::kClicked)
    for (int i = 0; i < 4; ++i)
      if (id == kCharChecks[i]) {
        host.Enable(kCharEdits[i], host.GetCheck(id) != 0);
        return SetModified();
      }
  if (code == Notify::kUpdate)
    for (int i = 0; i < 4; ++i)
      if (id == kCharEdits[i]) {
        // Hexadecimal digits only, in upper case, whatever way the text came in.
        const CString text = host.GetText(id);
        const CString clean = KeepHexDigits(text);
        if (clean != text) host.SetText(id, clean);
        return;
      }
  if (code == Notify::kChange)
    for (int i = 0; i < 4; ++i)
      if (id == kCharEdits[i]) {
        int value = 0;
        if (ParseHexByte(host.GetText(id), &value)) m_byChars[i] = value;
        return SetModified();
      }
  if (code == Notify::kUpdate && id == kIdTxAddress) {
    ClampAddress(id, LargestAddress(host.GetCurSel(kIdTxArea)));
    return SetModified();
  }
  if (code == Notify::kUpdate && id == kIdRxAddress) {
    if (host.GetCurSel(kIdRxArea) == 0) ClampAddress(id, LargestAddress(0));
    return SetModified();
  }
  if (code == Notify::kSelChange && id == kIdTxArea) {
    ClampAddress(kIdTxAddress, LargestAddress(host.GetCurSel(kIdTxArea)));
    return SetModified();
  }
  if ((code == Notify::kChange && (id == kIdCycle || id == kIdTxCount || id == kIdRxCount)) ||
      (code == Notify::kSelChange && (id == kIdPort || id == kIdRxArea)))
    return SetModified();
  CBlockParamPage::OnNotify(id, code);
}

void CUDC::OnOK() {
  // The exchange has checked the texts: each is a byte in hexadecimal.
  for (int i = 0; i < 4; ++i) {
    int value = 0;
    if (ParseHexByte(m_strChars[i], &value)) m_byChars[i] = value;
  }
  CBlockParamPage::OnOK();
}

void CUDC::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<UdcValues&>(*this) = values.udc;
}

void CUDC::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.udc = *this;
}
