#include "pages/weekly_pages.h"

#include "model/zarad_doc.h"
#include "platform/string_table.h"

// ---- CWeeklyGeneral ------------------------------------------------------------------

CWeeklyGeneral::CWeeklyGeneral() {
  m_strTitle = u"General";
}

const PageDesc& CWeeklyGeneral::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"General",
      CSize(230, 130),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 8, 140, 21)},
          {kIdPulseOutput, K::kCheck, u"Pulse Output", CRect(7, 32, 120, 44)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 50, 120, 62)},
      }};
  return desc;
}

void CWeeklyGeneral::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdPulseOutput, m_bPulseOutput);
}

void CWeeklyGeneral::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  Host().Show(kIdPulseOutput, !Document() || Document()->IsNewerFamily());
}

void CWeeklyGeneral::OnPulseOutput() {
  m_bPulseOutput = Host().GetCheck(kIdPulseOutput);
  for (CWeeklyCams1* cam : m_cams) cam->SetPulseOutput(m_bPulseOutput != 0);
  SetModified();
}

void CWeeklyGeneral::OnNotify(int id, Notify code) {
  if (id == kIdPulseOutput && code == Notify::kClicked) return OnPulseOutput();
  CBlockParamPage::OnNotify(id, code);
}

void CWeeklyGeneral::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  m_bPulseOutput = values.weekly.m_bPulseOutput;
}

void CWeeklyGeneral::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.weekly.m_bPulseOutput = m_bPulseOutput;
}

// ---- CWeeklyCams1 ----------------------------------------------------------------------

CWeeklyCams1::CWeeklyCams1(int cam) : m_nCam(cam < 0 || cam > 2 ? 0 : cam) {
  m_strTitle = u"Cams";
}

const PageDesc& CWeeklyCams1::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Cams", CSize(250, 150), {}};
    d.controls.push_back({1048, K::kGroup, u"Weekday", CRect(7, 7, 100, 110)});
    const char16_t* const days[] = {u"Monday", u"Tuesday",  u"Wednesday", u"Thursday",
                                    u"Friday", u"Saturday", u"Sunday"};
    for (int i = 0; i < 7; ++i)
      d.controls.push_back({kIdFirstDay + i, K::kCheck, days[i], CRect(14, 19 + 12 * i, 94, 29 + 12 * i)});
    auto time = [&d](int group, const char16_t* caption, int top, int hour, int hourSpin, int colon,
                     int minute, int minuteSpin, int disable) {
      d.controls.push_back({group, K::kGroup, caption, CRect(108, top, 242, top + 44)});
      d.controls.push_back(
          {hour, K::kEdit, u"", CRect(116, top + 14, 138, top + 27), kStyleNumber | kStyleRight});
      d.controls.push_back({hourSpin, K::kSpin, u"", CRect(138, top + 14, 146, top + 27), 0, {}, hour});
      d.controls.push_back({colon, K::kStatic, u":", CRect(147, top + 16, 153, top + 26), kStyleCentre});
      d.controls.push_back(
          {minute, K::kEdit, u"", CRect(154, top + 14, 176, top + 27), kStyleNumber | kStyleRight});
      d.controls.push_back({minuteSpin, K::kSpin, u"", CRect(176, top + 14, 184, top + 27), 0, {}, minute});
      d.controls.push_back({disable, K::kCheck, u"Disable", CRect(190, top + 15, 240, top + 26)});
    };
    time(1057, u"On Time", 7, kIdOnHour, kIdOnHourSpin, 1186, kIdOnMinute, kIdOnMinuteSpin, kIdOnDisable);
    time(1061, u"Off Time", 58, kIdOffHour, kIdOffHourSpin, 1187, kIdOffMinute, kIdOffMinuteSpin,
         kIdOffDisable);
    return d;
  }();
  return desc;
}

void CWeeklyCams1::DoDataExchange(CDataExchange& dx) {
  for (int i = 0; i < 7; ++i) DDX_Check(dx, kIdFirstDay + i, m_bDay[i]);
  DDX_Text(dx, kIdOnHour, m_nOnHour);
  DDX_Text(dx, kIdOnMinute, m_nOnMinute);
  DDX_Check(dx, kIdOnDisable, m_bOnDisabled);
  DDX_Text(dx, kIdOffHour, m_nOffHour);
  DDX_Text(dx, kIdOffMinute, m_nOffMinute);
  DDX_Check(dx, kIdOffDisable, m_bOffDisabled);
}

bool CWeeklyCams1::PulseOutputApplies() const {
  return m_bPulseOutput && (!Document() || Document()->IsNewerFamily());
}

void CWeeklyCams1::EnableOnTime(bool enable) {
  for (int id : {kIdOnHour, kIdOnHourSpin, kIdOnMinute, kIdOnMinuteSpin}) Host().Enable(id, enable);
}

void CWeeklyCams1::EnableOffTime(bool enable) {
  for (int id : {kIdOffHour, kIdOffHourSpin, kIdOffMinute, kIdOffMinuteSpin, kIdOffDisable})
    Host().Enable(id, enable);
  // Enabled again, the off time follows its own "Disable".
  if (enable)
    for (int id : {kIdOffHour, kIdOffHourSpin, kIdOffMinute, kIdOffMinuteSpin})
      Host().Enable(id, Host().GetCheck(kIdOffDisable) == 0);
}

void CWeeklyCams1::SetPulseOutput(bool on) {
  m_bPulseOutput = on;
  if (IsInitialised()) EnableOffTime(!PulseOutputApplies());
}

void CWeeklyCams1::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  CControlHost& host = Host();
  host.SetText(1186, u":");
  host.SetText(1187, u":");
  host.SetRange(kIdOnHourSpin, 0, kMaxHour);
  host.SetRange(kIdOffHourSpin, 0, kMaxHour);
  host.SetRange(kIdOnMinuteSpin, 0, kMaxMinute);
  host.SetRange(kIdOffMinuteSpin, 0, kMaxMinute);
  for (int id : {kIdOnHour, kIdOnMinute, kIdOffHour, kIdOffMinute}) host.LimitText(id, 2);
  EnableOnTime(m_bOnDisabled == 0);
  for (int id : {kIdOffHour, kIdOffHourSpin, kIdOffMinute, kIdOffMinuteSpin})
    host.Enable(id, m_bOffDisabled == 0);
  if (PulseOutputApplies()) EnableOffTime(false);
  if (Simulating()) CreateCurrentValueBox();
  AddRangeTip(kIdOnHour, 0, kMaxHour);
  AddRangeTip(kIdOffHour, 0, kMaxHour);
  AddRangeTip(kIdOnMinute, 0, kMaxMinute);
  AddRangeTip(kIdOffMinute, 0, kMaxMinute);
  if (g_LanguageIsChinese) {
    const CString weekday = UiText(159, u"Weekday");
    host.SetText(1048, weekday);
    for (int i = 0; i < 7; ++i) {
      const CString day = UiText(160 + i, u"");
      if (!day.IsEmpty()) host.SetText(kIdFirstDay + i, day);
    }
    host.SetText(1057, UiText(150, u"On Time"));
    host.SetText(1061, UiText(151, u"Off Time"));
    host.SetText(kIdOnDisable, UiText(158, u"Disable"));
    host.SetText(kIdOffDisable, UiText(158, u"Disable"));
  }
}

void CWeeklyCams1::Clamp(int id, int most) {
  bool ok = false;
  if (Host().GetInt(id, &ok) > most && ok) Host().SetInt(id, most);
}

void CWeeklyCams1::OnNotify(int id, Notify code) {
  if (code == Notify::kUpdate) {
    if (id == kIdOnHour || id == kIdOffHour) return Clamp(id, kMaxHour);
    if (id == kIdOnMinute || id == kIdOffMinute) return Clamp(id, kMaxMinute);
  }
  if (code == Notify::kClicked && id == kIdOnDisable) {
    m_bOnDisabled = m_bOnDisabled ? 0 : 1;
    EnableOnTime(m_bOnDisabled == 0);
    return SetModified();
  }
  if (code == Notify::kClicked && id == kIdOffDisable) {
    m_bOffDisabled = m_bOffDisabled ? 0 : 1;
    for (int c : {kIdOffHour, kIdOffHourSpin, kIdOffMinute, kIdOffMinuteSpin})
      Host().Enable(c, m_bOffDisabled == 0);
    return SetModified();
  }
  if (code == Notify::kClicked && id >= kIdFirstDay && id < kIdFirstDay + 7) return SetModified();
  if (code == Notify::kChange &&
      (id == kIdOnHour || id == kIdOnMinute || id == kIdOffHour || id == kIdOffMinute))
    return SetModified();
  CBlockParamPage::OnNotify(id, code);
}

void CWeeklyCams1::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<WeeklyValues::Cam&>(*this) = values.weekly.m_cams[m_nCam];
  m_bPulseOutput = values.weekly.m_bPulseOutput != 0;
}

void CWeeklyCams1::StoreValues(BlockPageValues& values) const {
  // The cam pages carry only their own cam; the general page owns the rest.
  values.weekly.m_cams[m_nCam] = *this;
}
