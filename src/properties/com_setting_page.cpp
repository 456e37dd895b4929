#include "properties/com_setting_page.h"

#include <algorithm>

#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

const char16_t* const kBauds[] = {u"1200",  u"2400",  u"4800",   u"9600",   u"14400",  u"19200", u"28800",
                                  u"38400", u"57600", u"115200", u"230400", u"460800", u"921600"};

CString RangeTip(int low, int high) {
  CString text;
  text.Format(LoadString(376).GetString(), low, high);
  return text;
}

}  // namespace

std::vector<CString> ComParityEntries(int protocol) {
  if (protocol == 0 || protocol == 2)
    return {u"None,8,1", u"None,8,2", u"Odd,8,1", u"Odd,8,2", u"Even,8,1", u"Even,8,2"};
  if (protocol == 1)
    return {u"None,8,1", u"None,8,2", u"Odd,7,1",  u"Odd,7,2",  u"Odd,8,1",
            u"Odd,8,2",  u"Even,7,1", u"Even,7,2", u"Even,8,1", u"Even,8,2"};
  return {};
}

void ApplyParityEntry(const CString& entry, ComPortSettings* port) {
  auto first = [&entry](std::initializer_list<const char16_t*> candidates) {
    int index = 0;
    for (const char16_t* c : candidates) {
      if (entry.Find(c) >= 0) return index;
      ++index;
    }
    return -1;
  };
  if (const int p = first({u"None", u"Odd", u"Even"}); p >= 0) port->nParity = p;
  if (const int d = first({u"7", u"8"}); d >= 0) port->nDataBits = d;
  if (const int s = first({u"1", u"2"}); s >= 0) port->nStopBits = s;
}

CString ComParityText(const ComPortSettings& port) {
  static const char16_t* const kParity[] = {u"None", u"Odd", u"Even"};
  CString text;
  text.Format(u"%ls,%ls,%ls", kParity[std::clamp(port.nParity, 0, 2)], port.nDataBits ? u"8" : u"7",
              port.nStopBits ? u"2" : u"1");
  return text;
}

ComPortSettings ComPortForSeries(ComPortSettings port, int series) {
  if (series < 0x51 && port.nBaudRate >= 10) port.nBaudRate = 3;
  return port;
}

// ---- CComSetting ------------------------------------------------------------------------

const PageDesc& CComSetting::Describe() const {
  static const PageDesc desc = {
      107,
      u"COM Communication Parameters Setting",
      CSize(276, 170),
      {
          {kIdTopLine, ControlKind::kStatic, u"This data is transferred with the user program to the device.",
           CRect(7, 7, 269, 17)},
          {kIdRoleLabel, ControlKind::kStatic, u"Model", CRect(7, 26, 90, 36)},
          {kIdRole, ControlKind::kCombo, u"", CRect(94, 24, 180, 80), 0, {u"Slave", u"Master", u"ATP"}},
          {kIdAddressLabel, ControlKind::kStatic, u"Device Address", CRect(7, 44, 90, 54)},
          {kIdAddress, ControlKind::kEdit, u"", CRect(94, 42, 140, 54), kStyleNumber},
          {kIdAddressHint, ControlKind::kStatic, u"(for slave func 1~255)", CRect(144, 44, 262, 54)},
          {kIdProtocolLabel, ControlKind::kStatic, u"Protocol", CRect(7, 62, 90, 72)},
          {kIdProtocol, ControlKind::kCombo, u"", CRect(94, 60, 180, 110)},
          {kIdBaudLabel, ControlKind::kStatic, u"Baudrate", CRect(7, 80, 90, 90)},
          {kIdBaud, ControlKind::kCombo, u"", CRect(94, 78, 180, 160)},
          {kIdBps, ControlKind::kStatic, u"bps", CRect(184, 80, 210, 90)},
          {kIdParityLabel, ControlKind::kStatic, u"Parity/Databit/Stopbit", CRect(7, 98, 90, 108)},
          {kIdParity, ControlKind::kCombo, u"", CRect(94, 96, 180, 160)},
          {kIdTimeoutLabel, ControlKind::kStatic, u"Timeout", CRect(7, 116, 90, 126)},
          {kIdTimeout, ControlKind::kEdit, u"", CRect(94, 114, 140, 126), kStyleNumber},
          {kIdMs1, ControlKind::kStatic, u"ms", CRect(144, 116, 170, 126)},
          {kIdDelayLabel, ControlKind::kStatic, u"Delay Between Polls", CRect(7, 134, 90, 144)},
          {kIdDelay, ControlKind::kEdit, u"", CRect(94, 132, 140, 144), kStyleNumber},
          {kIdMs2, ControlKind::kStatic, u"ms", CRect(144, 134, 170, 144)},
          {kIdOrderLabel, ControlKind::kStatic, u"Data Register Index", CRect(7, 152, 90, 162)},
          {kIdOrder, ControlKind::kCombo, u"", CRect(94, 150, 180, 190), 0, {u"High Low", u"Low High"}},
      }};
  return desc;
}

int CComSetting::Series() const {
  const WORD code = Document() ? Document()->m_wModelCode : kDefaultModelCode;
  return code >> 8;
}

void CComSetting::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  host.ResetContent(kIdBaud);
  host.ResetContent(kIdProtocol);
  const bool newer = Series() > 0x50;
  for (int i = 0; i < (newer ? 13 : 10); ++i) host.AddString(kIdBaud, kBauds[i]);
  host.AddString(kIdProtocol, u"RTU");
  host.AddString(kIdProtocol, u"ASC");
  if (newer) host.AddString(kIdProtocol, u"UDC");
  host.SetCurSel(kIdProtocol, m_port.nProtocol);
  host.SetCurSel(kIdBaud, m_port.nBaudRate);
  host.SetCurSel(kIdRole, m_port.nRole);
  m_strParity = ComParityText(m_port);
  ProtocolStep();
  RoleStep();
  host.SetTip(kIdDelay, RangeTip(0, 65535));
  host.SetTip(kIdAddress, RangeTip(1, 255));
  host.SetTip(kIdTimeout, RangeTip(200, 65535));
}

void CComSetting::ParityStep() {
  const CString entry = Host().GetText(kIdParity);
  ApplyParityEntry(entry, &m_port);
  m_strParity = entry;
}

void CComSetting::ProtocolStep() {
  CControlHost& host = Host();
  host.ResetContent(kIdParity);
  const int protocol = host.GetCurSel(kIdProtocol);
  for (const CString& entry : ComParityEntries(protocol)) host.AddString(kIdParity, entry);
  const bool udc = protocol == 2;
  host.Show(kIdOrder, !udc);
  host.Show(kIdOrderLabel, !udc);
  const int count = host.GetCount(kIdParity);
  m_port.nFrameFormat = 0;
  if (count == 0) return;
  int index = 0;
  for (int i = 0; i < count; ++i) {
    if (host.GetItemText(kIdParity, i) == m_strParity) index = i;
  }
  host.SetCurSel(kIdParity, index);
  m_port.nFrameFormat = index;
  ParityStep();
}

void CComSetting::SetProtocolUdc(bool present) {
  CControlHost& host = Host();
  const int count = host.GetCount(kIdProtocol);
  const bool has = count > 2;
  if (present == has) return;
  const int selected = host.GetCurSel(kIdProtocol);
  host.ResetContent(kIdProtocol);
  host.AddString(kIdProtocol, u"RTU");
  host.AddString(kIdProtocol, u"ASC");
  if (present) host.AddString(kIdProtocol, u"UDC");
  if (selected >= 0 && selected < host.GetCount(kIdProtocol)) {
    host.SetCurSel(kIdProtocol, selected);
  } else {
    host.SetCurSel(kIdProtocol, 0);  // UDC went away: the first entry
    ProtocolStep();
  }
}

void CComSetting::ShowAll(bool show) {
  for (const ControlDesc& c : Describe().controls) {
    if (c.id != kIdRole && c.id != kIdRoleLabel) Host().Show(c.id, show);
  }
}

void CComSetting::RoleStep() {
  CControlHost& host = Host();
  const int role = host.GetCurSel(kIdRole);
  if (role == 0 || role == 1) {
    if (host.GetInt(kIdAddress) == 0) host.SetInt(kIdAddress, 1);
    SetProtocolUdc(role == 1 && Series() > 0x50);
    ShowAll(true);
    const bool udc = host.GetCurSel(kIdProtocol) == 2;
    host.Show(kIdOrder, !udc);
    host.Show(kIdOrderLabel, !udc);
    for (int id : {kIdAddress, kIdAddressLabel, kIdAddressHint}) host.Show(id, role == 0);
  } else if (role == 2) {
    SetProtocolUdc(false);
    host.SetInt(kIdAddress, 0);
    host.SetCurSel(kIdProtocol, 0);
    host.SetCurSel(kIdBaud, 9);
    m_strParity = u"None,8,1";
    ProtocolStep();
    host.SetInt(kIdTimeout, 200);
    host.SetInt(kIdDelay, 0);
    host.SetCurSel(kIdOrder, 0);
    ShowAll(false);
  }
}

void CComSetting::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (code == Notify::kSelChange) {
    if (id == kIdProtocol) ProtocolStep();
    if (id == kIdParity) {
      m_port.nFrameFormat = host.GetCurSel(kIdParity);
      ParityStep();
    }
    if (id == kIdRole) RoleStep();
    return;
  }
  if (code != Notify::kChange) return;
  bool ok = false;
  const int value = host.GetInt(id, &ok);
  if (!ok) return;
  if (id == kIdAddress) {
    const int low = host.GetCurSel(kIdRole) == 2 ? 0 : 1;
    const int fixed = std::clamp(value, low, 255);
    if (fixed != value) host.SetInt(id, fixed);
  } else if (id == kIdDelay) {
    const int fixed = std::clamp(value, 0, 65535);
    if (fixed != value) host.SetInt(id, fixed);
  }
}

void CComSetting::DoDataExchange(CDataExchange& dx) {
  DDX_CBIndex(dx, kIdRole, m_port.nRole);
  DDX_CBIndex(dx, kIdProtocol, m_port.nProtocol);
  DDX_Text(dx, kIdAddress, m_port.nAddress);
  DDV_MinMaxInt(dx, m_port.nAddress, 0, 255);
  DDX_CBIndex(dx, kIdBaud, m_port.nBaudRate);
  DDX_CBIndex(dx, kIdParity, m_port.nFrameFormat);
  DDX_Text(dx, kIdTimeout, m_port.nTimeout);
  DDV_MinMaxInt(dx, m_port.nTimeout, 200, 65535);
  DDX_Text(dx, kIdDelay, m_port.nPollDelay);
  DDV_MinMaxInt(dx, m_port.nPollDelay, 0, 65535);
  DDX_CBIndex(dx, kIdOrder, m_port.nRegisterOrder);
}
