#include "properties/program_pages.h"

#include <algorithm>

#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"
#include "properties/program_rules.h"

namespace {

const CString kTransferred = u"This data is transferred with the user program to the device.";

// With the Chinese interface, the captions of the page's controls from the interface's
// text table: {control, text id}.
struct ChineseCaption {
  int control;
  int text;
};
void SetChineseCaptions(CControlHost& host, std::initializer_list<ChineseCaption> captions) {
  if (!g_LanguageIsChinese) return;
  for (const ChineseCaption& c : captions) {
    const CString text = LookupUiText(static_cast<UINT>(c.text));
    if (!text.IsEmpty()) host.SetText(c.control, text);
  }
}

CString RangeTip(int low, int high) {
  CString text;
  text.Format(LoadString(376).GetString(), low, high);
  return text;
}

}  // namespace

// ---- CGeneral ---------------------------------------------------------------------------

const PageDesc& CGeneral::Describe() const {
  static const PageDesc desc = [] {
    PageDesc d{4573, u"General", CSize(276, 170), {}};
    const struct {
      int id;
      const char16_t* label;
    } rows[] = {{kIdCreator, u"Creator:"},
                {kIdProject, u"Project Name:"},
                {kIdInstallation, u"Installation Name:"},
                {kIdCustomer, u"Customer:"},
                {kIdDiagramNo, u"Diagram no.:"},
                {kIdChecked, u"Checked:"}};
    int y = 7;
    for (const auto& r : rows) {
      d.controls.push_back({r.id + 100, ControlKind::kStatic, r.label, CRect(7, y + 2, 80, y + 12)});
      d.controls.push_back({r.id, ControlKind::kEdit, u"", CRect(84, y, 269, y + 12)});
      y += 18;
    }
    d.controls.push_back({kIdVersion1 + 100, ControlKind::kStatic, u"Version:", CRect(7, y + 2, 80, y + 12)});
    d.controls.push_back({kIdVersion1, ControlKind::kEdit, u"", CRect(84, y, 124, y + 12)});
    d.controls.push_back({kIdVersion2, ControlKind::kEdit, u"", CRect(130, y, 170, y + 12)});
    d.controls.push_back({kIdVersion3, ControlKind::kEdit, u"", CRect(176, y, 216, y + 12)});
    y += 22;
    d.controls.push_back({kIdShowAtNew, ControlKind::kCheck, u"Show at new file", CRect(7, y, 150, y + 10)});
    return d;
  }();
  return desc;
}

void CGeneral::OnInitDialog() {
  CProgramPage::OnInitDialog();
  SetChineseCaptions(Host(), {{kIdCreator + 100, 1202},
                              {kIdProject + 100, 1203},
                              {kIdInstallation + 100, 1204},
                              {kIdCustomer + 100, 1205},
                              {kIdDiagramNo + 100, 1206},
                              {kIdChecked + 100, 1207},
                              {kIdVersion1 + 100, 1208},
                              {kIdShowAtNew, 182}});
}

void CGeneral::DoDataExchange(CDataExchange& dx) {
  const std::pair<int, CString*> edits[] = {{kIdCreator, &m_strCreator},
                                            {kIdProject, &m_strProjectName},
                                            {kIdInstallation, &m_strInstallationName},
                                            {kIdCustomer, &m_strCustomer},
                                            {kIdDiagramNo, &m_strDiagramNo},
                                            {kIdChecked, &m_strChecked},
                                            {kIdVersion1, &m_strVersion[0]},
                                            {kIdVersion2, &m_strVersion[1]},
                                            {kIdVersion3, &m_strVersion[2]}};
  for (const auto& [id, value] : edits) {
    DDX_Text(dx, id, *value);
    DDV_MaxChars(dx, *value, 60);
  }
  DDX_Check(dx, kIdShowAtNew, m_bShowAtNew);
}

// ---- CParameter -------------------------------------------------------------------------

const PageDesc& CParameter::Describe() const {
  static const PageDesc desc = {
      4572,
      u"Parameter",
      CSize(276, 250),
      {
          {kIdProgramName + 100, ControlKind::kStatic, u"Program Name : ", CRect(7, 9, 80, 19)},
          {kIdProgramName, ControlKind::kEdit, u"", CRect(84, 7, 180, 19)},
          {kIdCurrent + 200, ControlKind::kGroup, u"Program Password(Reused by TD)", CRect(7, 24, 269, 82)},
          {kIdCurrentLabel, ControlKind::kStatic, u"Current password:", CRect(14, 37, 100, 47)},
          {kIdCurrent, ControlKind::kEdit, u"", CRect(104, 35, 200, 47)},
          {kIdNew + 100, ControlKind::kStatic, u"New Password:", CRect(14, 52, 100, 62)},
          {kIdNew, ControlKind::kEdit, u"", CRect(104, 50, 200, 62)},
          {kIdRepeat + 100, ControlKind::kStatic, u"Repeat New Password:", CRect(14, 67, 100, 77)},
          {kIdRepeat, ControlKind::kEdit, u"", CRect(104, 65, 200, 77)},
          {kIdRedundancy + 200, ControlKind::kGroup, u"Redundancy", CRect(7, 86, 269, 118)},
          {kIdRedundancy,
           ControlKind::kCombo,
           u"",
           CRect(14, 98, 90, 150),
           0,
           {u"None", u"Master", u"Slave"}},
          {kIdSyncTime + 100, ControlKind::kStatic, u"Synchronizing time", CRect(96, 100, 170, 110)},
          {kIdSyncTime, ControlKind::kEdit, u"", CRect(172, 98, 230, 110), kStyleNumber},
          {kIdSyncTime + 101, ControlKind::kStatic, u"ms", CRect(234, 100, 262, 110)},
          {kIdAnalogOutGroup, ControlKind::kGroup, u"Behavior of analog outputs  in STOP mode",
           CRect(7, 122, 269, 156)},
          {kIdKeepLast, ControlKind::kCheck, u"All outputs keep the last values", CRect(14, 136, 140, 146)},
          {kIdFixedValue, ControlKind::kButton, u"Fixed value of all output AQs", CRect(144, 133, 262, 147)},
          {kIdRangeGroup, ControlKind::kGroup, u"Set analog outputs value range type",
           CRect(7, 160, 269, 188)},
          {kIdRangeType, ControlKind::kButton, u"Value range type of all output AQs",
           CRect(14, 171, 150, 185)},
          {kIdAnalogInGroup, ControlKind::kGroup, u"Set analog inputs value range type",
           CRect(7, 192, 269, 240)},
          {kIdAi0Label, ControlKind::kStatic, u"Value range of type AI0", CRect(14, 206, 110, 216)},
          {kIdAi0, ControlKind::kCombo, u"", CRect(114, 204, 220, 260), 0, {u"0-20 mA / 0-10V", u"4-20 mA"}},
          {kIdAi1Label, ControlKind::kStatic, u"AI1", CRect(14, 222, 110, 232)},
          {kIdAi1, ControlKind::kCombo, u"", CRect(114, 220, 220, 276), 0, {u"0-20 mA / 0-10V", u"4-20 mA"}},
      }};
  return desc;
}

void CParameter::OnInitDialog() {
  CParamPage::OnInitDialog();
  SetChineseCaptions(Host(), {{kIdProgramName + 100, 1362},
                              {kIdCurrent + 200, 1363},
                              {kIdCurrentLabel, 1364},
                              {kIdNew + 100, 1365},
                              {kIdRepeat + 100, 1366},
                              {kIdRedundancy + 200, 1367},
                              {kIdSyncTime + 100, 1368},
                              {kIdAnalogOutGroup, 1369},
                              {kIdKeepLast, 1176},
                              {kIdFixedValue, 1177},
                              {kIdRangeGroup, 1374},
                              {kIdRangeType, 1128},
                              {kIdAnalogInGroup, 1375},
                              {kIdAi0Label, 1213}});
  CControlHost& host = Host();
  const bool newer = Document() && Document()->GetModelFamily() > 0x50;
  for (int id : {kIdAnalogOutGroup, kIdKeepLast, kIdFixedValue, kIdRangeGroup, kIdRangeType, kIdAnalogInGroup,
                 kIdAi0Label, kIdAi0, kIdAi1Label, kIdAi1})
    host.Show(id, newer);
  if (newer && Document()) {
    host.SetCheck(kIdKeepLast, Document()->m_bKeepOutputs ? 1 : 0);
    host.Enable(kIdFixedValue, !Document()->m_bKeepOutputs);
  }
  for (int id : {kIdCurrent, kIdNew, kIdRepeat}) host.LimitText(id, 8);
  host.SetText(kIdCurrent, u"");
  host.Enable(kIdCurrentLabel, !m_strPassword.IsEmpty());
  host.Enable(kIdCurrent, !m_strPassword.IsEmpty());
  host.SetTip(kIdNew, u"Letters form A to Z.");
  host.SetTip(kIdRepeat, u"Letters form A to Z.");
  host.SetTip(kIdSyncTime, RangeTip(1000, 3600000));
}

void CParameter::Filter(int id, bool digits, UINT messageId) {
  const CString text = Host().GetText(id);
  const auto bad = FirstNonCapital(text, digits);
  if (!bad) return;
  Host().SetText(id, text.Left(*bad));
  AfxMessageBox(messageId, MB_OK | MB_ICONINFORMATION);
}

void CParameter::OnNotify(int id, Notify code) {
  if (code == Notify::kChange) {
    if (id == kIdCurrent || id == kIdNew || id == kIdRepeat) Filter(id, false, 602);
    if (id == kIdProgramName) Filter(id, true, 614);
  }
  if (code == Notify::kClicked) {
    if (id == kIdKeepLast) Host().Enable(kIdFixedValue, Host().GetCheck(kIdKeepLast) == 0);
    if (id == kIdFixedValue && m_onFixedValues) m_onFixedValues();
    if (id == kIdRangeType && m_onRangeTypes) m_onRangeTypes();
  }
}

void CParameter::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdProgramName, m_strProgramName);
  DDV_MaxChars(dx, m_strProgramName, 13);
  DDX_CBIndex(dx, kIdRedundancy, m_nRedundancy);
  DDX_Text(dx, kIdSyncTime, m_nSyncTime);
  DDV_MinMaxInt(dx, m_nSyncTime, 1000, 3600000);
  DDX_CBIndex(dx, kIdAi0, m_nAi0RangeType);
  DDX_CBIndex(dx, kIdAi1, m_nAi1RangeType);
  // The password edits last, in both directions.
  const PasswordChange change = CheckPasswordChange(m_strPassword, Host().GetText(kIdCurrent),
                                                    Host().GetText(kIdNew), Host().GetText(kIdRepeat));
  if (change.messageId) {
    AfxMessageBox(change.messageId, MB_OK | MB_ICONSTOP);
    throw DataExchangeFailure();
  }
}

void CParameter::OnOK() {
  CControlHost& host = Host();
  if (Document() && host.IsVisible(kIdKeepLast))
    Document()->m_bKeepOutputs = host.GetCheck(kIdKeepLast) ? 1 : 0;
  m_strPassword = CheckPasswordChange(m_strPassword, host.GetText(kIdCurrent), host.GetText(kIdNew),
                                      host.GetText(kIdRepeat))
                      .password;
  host.SetText(kIdNew, u"");
  host.SetText(kIdRepeat, u"");
}

// ---- CProtect ---------------------------------------------------------------------------

const PageDesc& CProtect::Describe() const {
  static const PageDesc desc = {
      4575,
      u"Protect",
      CSize(276, 120),
      {
          {kIdTopLine, ControlKind::kStatic, kTransferred, CRect(7, 7, 269, 17)},
          {kIdCopyFrame, ControlKind::kGroup, u"", CRect(7, 20, 269, 40)},
          {kIdCopyProtect, ControlKind::kCheck, u"Copy Protect", CRect(14, 27, 120, 37)},
          {kIdTemperatureGroup, ControlKind::kGroup, u"Temperature Protect point", CRect(7, 46, 269, 96)},
          {kIdHighLabel, ControlKind::kStatic, u"High", CRect(14, 60, 50, 70)},
          {kIdHigh, ControlKind::kEdit, u"", CRect(54, 58, 120, 70)},
          {kIdHighUnit, ControlKind::kStatic, u"\u00b0C", CRect(124, 60, 150, 70)},
          {kIdLowLabel, ControlKind::kStatic, u"Low", CRect(14, 78, 50, 88)},
          {kIdLow, ControlKind::kEdit, u"", CRect(54, 76, 120, 88)},
          {kIdLowUnit, ControlKind::kStatic, u"\u00b0C", CRect(124, 78, 150, 88)},
      }};
  return desc;
}

void CProtect::OnInitDialog() {
  CParamPage::OnInitDialog();
  SetChineseCaptions(Host(), {{kIdTopLine, 1191},
                              {kIdCopyProtect, 1201},
                              {kIdTemperatureGroup, 1192},
                              {kIdHighLabel, 1194},
                              {kIdLowLabel, 1195}});
  for (int id : {kIdHigh, kIdLow}) {
    Host().LimitText(id, 9);
    Host().SetTip(id, RangeTip(-32768, 32767));
  }
}

void CProtect::OnNotify(int id, Notify code) {
  if ((id != kIdHigh && id != kIdLow) || code != Notify::kUpdate) return;
  const CString text = Host().GetText(id);
  int value = 0;
  if (!ParseInt(text, &value)) {
    // A number too long for 32 bits is still clamped by its sign.
    long long wide = 0;
    bool digits = false;
    bool negative = false;
    for (int i = 0; i < text.GetLength(); ++i) {
      const char16_t c = text[i];
      if (i == 0 && c == u'-')
        negative = true;
      else if (c >= u'0' && c <= u'9')
        digits = true, wide = std::min<long long>(wide * 10 + (c - u'0'), 1LL << 40);
      else
        return;
    }
    if (!digits) return;
    Host().SetInt(id, ClampProtectTemperature(negative ? -wide : wide));
    return;
  }
  if (ClampProtectTemperature(value) != value) Host().SetInt(id, ClampProtectTemperature(value));
}

void CProtect::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdHigh, m_nHigh);
  DDX_Text(dx, kIdLow, m_nLow);
  DDX_Check(dx, kIdCopyProtect, m_bCopyProtect);
  if (dx.IsSaving() && m_nHigh < m_nLow) {
    dx.SetLastControl(kIdHigh);
    dx.Fail(u"Temperature Protect point : Field High value must greater or equal than Field Low value!");
  }
}
