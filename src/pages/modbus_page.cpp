#include "pages/modbus_page.h"

#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

const char16_t* const kWordTip = u"Number(Hex) between 0x0000 and 0xFFFF";

}  // namespace

WORD* OrBit16(WORD* word, int bit, int value) {
  *word = static_cast<WORD>((*word | (static_cast<unsigned>(value) << (bit % 32))) & 0xFFFF);
  return word;
}

bool ParseHexWord(const CString& text, int* value) {
  return ParseHex(text, 4, value);
}

// ---- CCoilStateDlg -------------------------------------------------------------------

bool CCoilStateDlg::CoilEnabled(int n) const {
  return m_nCommand == 0 ? n == 0 : n < m_nCount;
}

void CCoilStateDlg::UnpackCoils() {
  int w1 = 0, w2 = 0;
  if (!ParseHexWord(m_strWord1, &w1)) w1 = 0;
  if (!ParseHexWord(m_strWord2, &w2)) w2 = 0;
  for (int n = 0; n < 16; ++n) {
    m_bCoil[n] = TestBit16(static_cast<WORD>(w1), n) != 0;
    m_bCoil[16 + n] = TestBit16(static_cast<WORD>(w2), n) != 0;
  }
}

void CCoilStateDlg::PackCoils() {
  WORD w1 = 0, w2 = 0;
  for (int n = 0; n < m_nCount && n < kCoils; ++n) {
    if (n < 16)
      OrBit16(&w1, n, m_bCoil[n] ? 1 : 0);
    else
      OrBit16(&w2, n - 16, m_bCoil[n] ? 1 : 0);
  }
  m_strWord1 = FormatString(u"%X", w1);
  m_strWord2 = FormatString(u"%X", w2);
}

// ---- CModbusPropPage -------------------------------------------------------------------

std::function<bool(CCoilStateDlg&)> CModbusPropPage::s_runCoilDialog;

bool CModbusPropPage::IsBitCommand(int command) const {
  // Read: 01 and 02 at positions 0 and 1; write: 05 and 15 at positions 0 and 2.
  return Writes() ? command == 0 || command == 2 : command == 0 || command == 1;
}

CModbusPropPage::CModbusPropPage() {
  m_strTitle = u"Parameter";
}

int CModbusPropPage::CountMaximum(int command) const {
  if (!Writes()) return IsBitCommand(command) ? 128 : 32;
  switch (command) {
    case 2:
      return 32;
    case 3:
      return 2;
    default:
      return 1;
  }
}

std::vector<CModbusPropPage::Area> CModbusPropPage::AreasOf(int command) const {
  std::vector<Area> areas;
  if (IsBitCommand(command))
    areas = {{u"M", 511, 384}, {u"Q", 127, 256}};
  else
    areas = {{u"AM", 511, 596}, {u"AQ", 31, 564}};
  if (Writes()) areas.push_back(IsBitCommand(command) ? Area{u"I", 255, 0} : Area{u"AI", 63, 500});
  return areas;
}

const PageDesc& CModbusPropPage::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(250, 200),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 70, 20), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(74, 8, 150, 21)},
          {1326, K::kStatic, u"Cycle", CRect(7, 28, 70, 38), kStyleRight},
          {kIdCycle, K::kEdit, u"", CRect(74, 26, 110, 39), kStyleNumber | kStyleRight},
          {1327, K::kStatic, u"(0:successive)", CRect(114, 28, 190, 38)},
          {1355, K::kStatic, u"Slave Address", CRect(7, 46, 70, 56), kStyleRight},
          {kIdSlave, K::kEdit, u"", CRect(74, 44, 110, 57), kStyleNumber | kStyleRight},
          {1356, K::kStatic, u"Port(Master)", CRect(7, 64, 70, 74), kStyleRight},
          {kIdPort,
           K::kCombo,
           u"",
           CRect(74, 62, 160, 120),
           0,
           {u"COM0(RS232)", u"COM1(RS485)", u"COM2(RS485)"}},
          {1357, K::kStatic, u"Command", CRect(7, 82, 70, 92), kStyleRight},
          {kIdCommand, K::kCombo, u"", CRect(74, 80, 230, 140)},
          {1358, K::kStatic, u"Register Address", CRect(7, 100, 70, 110), kStyleRight},
          {kIdRegister, K::kEdit, u"", CRect(74, 98, 120, 111), kStyleNumber | kStyleRight},
          {1359, K::kStatic, u"Count", CRect(130, 100, 160, 110), kStyleRight},
          {kIdCount, K::kEdit, u"", CRect(164, 98, 200, 111), kStyleNumber | kStyleRight},
          {1360, K::kGroup, u"Writing Mode", CRect(7, 118, 243, 172)},
          {kIdAuto, K::kRadio, u"Auto", CRect(14, 132, 60, 142), kStyleGroup},
          {1361, K::kStatic, u"Data Address", CRect(62, 132, 118, 142)},
          {kIdDataType, K::kCombo, u"", CRect(120, 130, 160, 190), 0, {u"M", u"Q", u"I"}},
          {kIdDataAddress, K::kEdit, u"", CRect(164, 130, 200, 143), kStyleNumber | kStyleRight},
          {kIdManual, K::kRadio, u"Manual", CRect(14, 152, 60, 162)},
          {kIdWord1, K::kEdit, u"", CRect(62, 150, 98, 163)},
          {kIdWord2, K::kEdit, u"", CRect(102, 150, 138, 163)},
          {kIdConfig, K::kButton, u"Config", CRect(142, 149, 182, 163)},
          {1330, K::kStatic, u"(Hex)", CRect(186, 152, 220, 162)},
      }};
  return desc;
}

void CModbusPropPage::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdCycle, m_nCycle);
  DDV_MinMaxInt(dx, m_nCycle, 0, 9999);
  DDX_Text(dx, kIdSlave, m_nSlaveAddress);
  DDV_MinMaxInt(dx, m_nSlaveAddress, 0, 255);
  DDX_CBIndex(dx, kIdPort, m_nPort);
  DDX_CBIndex(dx, kIdCommand, m_nCommand);
  DDX_Text(dx, kIdRegister, m_nRegister);
  DDV_MinMaxInt(dx, m_nRegister, 0, 65535);
  DDX_Text(dx, kIdCount, m_nCount);
  DDX_CBIndex(dx, kIdDataType, m_nDataType);
  DDX_Text(dx, kIdDataAddress, m_nDataIndex);
  int word = 0;
  DDX_Text(dx, kIdWord1, m_strManualLow);
  DDV_MaxChars(dx, m_strManualLow, 4);
  if (dx.IsSaving() && !ParseHexWord(m_strManualLow, &word)) dx.Fail(kWordTip);
  DDX_Text(dx, kIdWord2, m_strManualHigh);
  DDV_MaxChars(dx, m_strManualHigh, 4);
  if (dx.IsSaving() && !ParseHexWord(m_strManualHigh, &word)) dx.Fail(kWordTip);
  DDX_Radio(dx, {kIdAuto, kIdManual}, m_nAddressMode);
}

void CModbusPropPage::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  host.LimitText(kIdSlave, 3);
  host.LimitText(kIdCount, 3);
  host.LimitText(kIdDataAddress, 3);
  host.LimitText(kIdRegister, 5);
  host.LimitText(kIdWord1, 4);
  host.LimitText(kIdWord2, 4);
  switch (m_nFunction) {
    case 1:
    case 5:
      m_nCommand = 0;
      break;
    case 2:
    case 6:
      m_nCommand = 1;
      break;
    case 3:
    case 15:
      m_nCommand = 2;
      break;
    case 4:
    case 16:
      m_nCommand = 3;
      break;
    default:
      break;
  }
  static const char16_t* const kRead[] = {u"01 Read Coils(0x)", u"02 Read Discrete Input(1x)",
                                          u"03 Read Holding Registers(4x)", u"04 Read Input Registers(3x)"};
  static const char16_t* const kWrite[] = {u"05 Write Single Coil", u"06 Write Single Register",
                                           u"15 Write Multiple Coils", u"16 Write Multiple Registers"};
  host.ResetContent(kIdCommand);
  for (int i = 0; i < 4; ++i) host.AddString(kIdCommand, Writes() ? kWrite[i] : kRead[i]);
  host.SetCurSel(kIdCommand, m_nCommand >= 0 && m_nCommand < 4 ? m_nCommand : 0);
  // The command's areas with the block's area selected.
  const int area = m_nDataType;
  OnCommandChange();
  const int areas = host.GetCount(kIdDataType);
  host.SetCurSel(kIdDataType, area >= 0 && area < areas ? area : 0);
  host.SetInt(kIdDataAddress, m_nDataIndex);
  OnDataAddressUpdate();
  if (!Writes()) m_nAddressMode = 0;
  host.SetCheck(kIdAuto, m_nAddressMode == 0);
  host.SetCheck(kIdManual, m_nAddressMode == 1);
  const bool manual = m_nAddressMode == 1;
  host.Enable(kIdDataType, !manual);
  host.Enable(kIdDataAddress, !manual);
  host.Enable(kIdWord1, manual);
  host.Enable(kIdWord2, manual);
  host.Enable(kIdConfig, Writes() && manual && IsBitCommand(m_nCommand));
  host.Enable(kIdAuto, Writes());
  host.Enable(kIdManual, Writes());
  const bool cycle = !Document() || Document()->GetModelFamily() >= 0x51;
  for (int id : {1326, kIdCycle, 1327}) host.Show(id, cycle);
  if (cycle) AddRangeTip(kIdCycle, 0, 9999);
  AddRangeTip(kIdSlave, 0, 255);
  AddRangeTip(kIdRegister, 0, 65535);
  host.SetTip(kIdWord1, kWordTip);
  host.SetTip(kIdWord2, kWordTip);
  host.SetTipProvider(kIdCount, [this] {
    return FormatString(LoadString(376).GetString(), 1, CountMaximum(Host().GetCurSel(kIdCommand)));
  });
  host.SetTipProvider(kIdDataAddress, [this] {
    const std::vector<Area> areas = AreasOf(Host().GetCurSel(kIdCommand));
    const int sel = Host().GetCurSel(kIdDataType);
    return FormatString(
        LoadString(376).GetString(), 0,
        sel >= 0 && sel < static_cast<int>(areas.size()) ? areas[static_cast<size_t>(sel)].largest : 0);
  });
  SetModified(false);
}

void CModbusPropPage::OnCommandChange() {
  CControlHost& host = Host();
  const int c = std::max(0, host.GetCurSel(kIdCommand));
  const int p = m_nCommand;
  const int remembered = std::max(0, host.GetCurSel(kIdDataType));
  host.ResetContent(kIdDataType);
  for (const Area& a : AreasOf(c)) host.AddString(kIdDataType, a.name);
  if (Writes()) {
    const bool manual = host.GetCheck(kIdManual) != 0;
    host.Enable(kIdConfig, IsBitCommand(c) && manual);
    if (c == 0 || c == 1) {
      host.SetInt(kIdCount, 1);
      host.Enable(kIdCount, false);
    } else {
      host.Enable(kIdCount, true);
    }
  }
  const bool sameKind = IsBitCommand(c) == IsBitCommand(p);
  host.SetCurSel(kIdDataType, sameKind && remembered < host.GetCount(kIdDataType) ? remembered : 0);
  m_nCommand = c;
  OnCountUpdate();
  OnDataAddressUpdate();
  SetModified();
}

void CModbusPropPage::OnCountUpdate() {
  CControlHost& host = Host();
  const int c = host.GetCurSel(kIdCommand);
  if (c < 0) return;  // the commands are not listed yet
  if (!(Writes() && (c == 0 || c == 1))) {
    bool ok = false;
    const int n = host.GetInt(kIdCount, &ok);
    if (ok && n > CountMaximum(c)) host.SetInt(kIdCount, CountMaximum(c));
    if (ok && n < 1) host.SetInt(kIdCount, 1);
  }
  SetModified();
}

void CModbusPropPage::OnDataAddressUpdate() {
  CControlHost& host = Host();
  if (host.GetCurSel(kIdCommand) < 0) return;  // the commands are not listed yet
  const std::vector<Area> areas = AreasOf(host.GetCurSel(kIdCommand));
  const int sel = host.GetCurSel(kIdDataType);
  bool ok = false;
  const int v = host.GetInt(kIdDataAddress, &ok);
  if (ok && sel >= 0 && sel < static_cast<int>(areas.size()) && v > areas[static_cast<size_t>(sel)].largest)
    host.SetInt(kIdDataAddress, areas[static_cast<size_t>(sel)].largest);
  SetModified();
}

void CModbusPropPage::OnWritingMode(int mode) {
  CControlHost& host = Host();
  m_nAddressMode = mode;
  const bool manual = mode == 1;
  host.Enable(kIdDataType, !manual);
  host.Enable(kIdDataAddress, !manual);
  host.Enable(kIdWord1, manual);
  host.Enable(kIdWord2, manual);
  host.Enable(kIdConfig, manual && IsBitCommand(host.GetCurSel(kIdCommand)));
  OnCountUpdate();
}

void CModbusPropPage::OnConfig() {
  if (!s_runCoilDialog) return;
  CControlHost& host = Host();
  CCoilStateDlg dlg;
  dlg.m_nCommand = host.GetCurSel(kIdCommand);
  bool ok = false;
  dlg.m_nCount = host.GetInt(kIdCount, &ok);
  dlg.m_strWord1 = host.GetText(kIdWord1);
  dlg.m_strWord2 = host.GetText(kIdWord2);
  if (!s_runCoilDialog(dlg)) return;
  host.SetText(kIdWord1, dlg.m_strWord1);
  host.SetText(kIdWord2, dlg.m_strWord2);
  SetModified();
}

void CModbusPropPage::OnNotify(int id, Notify code) {
  if (code == Notify::kSelChange && id == kIdCommand) return OnCommandChange();
  if (code == Notify::kSelChange && id == kIdDataType) return OnDataAddressUpdate();
  if (code == Notify::kUpdate && id == kIdCount) return OnCountUpdate();
  if (code == Notify::kUpdate && id == kIdDataAddress) return OnDataAddressUpdate();
  if (code == Notify::kUpdate && (id == kIdWord1 || id == kIdWord2)) {
    // Hexadecimal digits only, in upper case, whatever way the text came in.
    const CString text = Host().GetText(id);
    const CString clean = KeepHexDigits(text);
    if (clean != text) Host().SetText(id, clean);
    return;
  }
  if (code == Notify::kClicked && id == kIdAuto) return OnWritingMode(0);
  if (code == Notify::kClicked && id == kIdManual) return OnWritingMode(1);
  if (code == Notify::kClicked && id == kIdConfig) return OnConfig();
  if ((code == Notify::kChange &&
       (id == kIdCycle || id == kIdSlave || id == kIdRegister || id == kIdWord1 || id == kIdWord2)) ||
      (code == Notify::kSelChange && id == kIdPort))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CModbusPropPage::UpdateFunctionCode() {
  static const int kRead[] = {1, 2, 3, 4};
  static const int kWrite[] = {5, 6, 15, 16};
  const int c = Host().GetCurSel(kIdCommand);
  if (c >= 0 && c < 4) m_nFunction = Writes() ? kWrite[c] : kRead[c];
}

void CModbusPropPage::UpdateDataAddress() {
  CControlHost& host = Host();
  bool ok = false;
  if (host.GetCheck(kIdManual) == 0) {
    const std::vector<Area> areas = AreasOf(host.GetCurSel(kIdCommand));
    const int sel = host.GetCurSel(kIdDataType);
    const int offset =
        sel >= 0 && sel < static_cast<int>(areas.size()) ? areas[static_cast<size_t>(sel)].offset : 0;
    m_nDataHigh = 0;
    m_nDataLow = (host.GetInt(kIdDataAddress, &ok) + offset) & 0xFFFF;
    return;
  }
  const int n = host.GetInt(kIdCount, &ok);
  int w1 = 0, w2 = 0;
  if (!ParseHexWord(host.GetText(kIdWord1), &w1)) w1 = 0;
  if (!ParseHexWord(host.GetText(kIdWord2), &w2)) w2 = 0;
  auto low = [](int word, int bits) {
    return bits >= 16 ? word & 0xFFFF : word & ((1 << std::max(0, bits)) - 1);
  };
  switch (m_nFunction) {
    case 5:
    case 15:
      if (n > 16) {
        m_nDataLow = w1;
        m_nDataHigh = low(w2, n - 16);
      } else {
        m_nDataLow = low(w1, n);
        m_nDataHigh = 0;
      }
      break;
    case 6:
      m_nDataLow = w1;
      m_nDataHigh = 0;
      break;
    case 16:
      m_nDataLow = w1;
      m_nDataHigh = n >= 2 ? w2 : 0;
      break;
    default:
      break;
  }
}

void CModbusPropPage::OnOK() {
  UpdateFunctionCode();
  UpdateDataAddress();
  CBlockParamPage::OnOK();
}

void CModbusPropPage::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<ModbusValues&>(*this) = values.modbus;
}

void CModbusPropPage::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.modbus = *this;
}
