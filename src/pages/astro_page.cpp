#include "pages/astro_page.h"

#include <algorithm>

#include "model/astro_city_table.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

constexpr int kLonIds[] = {CAstroClock::kIdLonDeg, CAstroClock::kIdLonMin, CAstroClock::kIdLonSec};
constexpr int kLatIds[] = {CAstroClock::kIdLatDeg, CAstroClock::kIdLatMin, CAstroClock::kIdLatSec};

std::vector<CString> TimeZones() {
  std::vector<CString> zones;
  for (int n = 0; n <= 12; ++n) zones.push_back(FormatString(u"GMT(+%d)", n));
  for (int n = 1; n <= 11; ++n) zones.push_back(FormatString(u"GMT(-%d)", n));
  return zones;
}

CString TrimRight(const CString& text) {
  std::u16string s = text.GetString();
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.pop_back();
  return CString(s.c_str());
}

bool SameIgnoringCase(const CString& a, const CString& b) {
  if (a.GetLength() != b.GetLength()) return false;
  for (int i = 0; i < a.GetLength(); ++i) {
    char16_t x = a[i], y = b[i];
    if (x >= u'a' && x <= u'z') x = static_cast<char16_t>(x - 32);
    if (y >= u'a' && y <= u'z') y = static_cast<char16_t>(y - 32);
    if (x != y) return false;
  }
  return true;
}

}  // namespace

CAstroClock::CAstroClock() {
  m_strTitle = u"Parameter";
}

const PageDesc& CAstroClock::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Parameter", CSize(260, 190), {}};
    auto& c = d.controls;
    c = {
        {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 70, 20), kStyleRight},
        {kIdBlockName, K::kEdit, u"", CRect(74, 8, 150, 21)},
        {2100, K::kStatic, u"Location:", CRect(7, 30, 70, 40), kStyleRight},
        {kIdCity, K::kCombo, u"", CRect(74, 28, 200, 160)},
        {1007, K::kGroup, u"Location Info", CRect(7, 46, 252, 150)},
        {kIdLocationLabel, K::kStatic, u"Name:", CRect(14, 60, 70, 70), kStyleRight},
        {kIdLocation, K::kEdit, u"", CRect(74, 58, 190, 71)},
        {kIdSave, K::kButton, u"Save", CRect(196, 57, 244, 71)},
        {kIdRemove, K::kButton, u"Remove", CRect(196, 75, 244, 89)},
    };
    auto row = [&c](const char16_t* caption, int top, int label, int hemisphere, std::vector<CString> sides,
                    const int* ids, const int* spins, const int* marks) {
      c.push_back({label, K::kStatic, caption, CRect(14, top + 2, 70, top + 12), kStyleRight});
      c.push_back({hemisphere, K::kCombo, u"", CRect(74, top, 100, top + 50), 0, std::move(sides)});
      const char16_t* const signs[] = {u"\u00B0", u"'", u"\""};
      for (int k = 0; k < 3; ++k) {
        const int left = 104 + 44 * k;
        c.push_back(
            {ids[k], K::kEdit, u"", CRect(left, top, left + 26, top + 13), kStyleNumber | kStyleRight});
        c.push_back({spins[k], K::kSpin, u"", CRect(left + 26, top, left + 34, top + 13), 0, {}, ids[k]});
        c.push_back({marks[k], K::kStatic, signs[k], CRect(left + 35, top + 2, left + 42, top + 12)});
      }
    };
    const int lonSpins[] = {kIdLonDegSpin, kIdLonMinSpin, kIdLonSecSpin};
    const int lonMarks[] = {1184, 1185, 1189};
    const int latSpins[] = {kIdLatDegSpin, kIdLatMinSpin, kIdLatSecSpin};
    const int latMarks[] = {1188, 1187, 1190};
    row(u"Longitude:", 96, 2101, kIdLonHemisphere, {u"E", u"W"}, kLonIds, lonSpins, lonMarks);
    row(u"Latitude:", 114, 2102, kIdLatHemisphere, {u"N", u"S"}, kLatIds, latSpins, latMarks);
    c.push_back({2103, K::kStatic, u"Time Zone(E+;W-):", CRect(7, 158, 80, 168), kStyleRight});
    c.push_back({kIdTimeZone, K::kCombo, u"", CRect(84, 156, 150, 260), 0, TimeZones()});
    c.push_back({kIdProtect, K::kCheck, u"Protection Active", CRect(160, 157, 252, 169)});
    return d;
  }();
  return desc;
}

void CAstroClock::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Text(dx, kIdLonDeg, m_nLonDegrees);
  DDV_MinMaxInt(dx, m_nLonDegrees, 0, 180);
  DDX_Text(dx, kIdLonMin, m_nLonMinutes);
  DDV_MinMaxInt(dx, m_nLonMinutes, 0, LonMinMax());
  DDX_Text(dx, kIdLonSec, m_nLonSeconds);
  DDV_MinMaxInt(dx, m_nLonSeconds, 0, LonMinMax());
  DDX_Text(dx, kIdLatDeg, m_nLatDegrees);
  DDV_MinMaxInt(dx, m_nLatDegrees, 0, 90);
  DDX_Text(dx, kIdLatMin, m_nLatMinutes);
  DDV_MinMaxInt(dx, m_nLatMinutes, 0, LatMinMax());
  DDX_Text(dx, kIdLatSec, m_nLatSeconds);
  DDV_MinMaxInt(dx, m_nLatSeconds, 0, LatMinMax());
  DDX_CBIndex(dx, kIdCity, m_nCity);
  DDX_CBIndex(dx, kIdLonHemisphere, m_nLonHemisphere);
  DDX_CBIndex(dx, kIdLatHemisphere, m_nLatHemisphere);
  DDX_Text(dx, kIdLocation, m_strLocation);
  DDV_MaxChars(dx, m_strLocation, kLocationChars);
  DDX_CBIndex(dx, kIdTimeZone, m_nTimeZone);
  DDX_Check(dx, kIdProtect, m_bProtection);
}

void CAstroClock::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  host.SetRange(kIdLonDegSpin, 0, 180);
  host.SetRange(kIdLatDegSpin, 0, 90);
  for (int spin : {kIdLonMinSpin, kIdLonSecSpin, kIdLatMinSpin, kIdLatSecSpin}) host.SetRange(spin, 0, 59);
  host.SetText(1184, u"\u00B0");
  host.SetText(1188, u"\u00B0");
  for (int id : {kIdLonMin, kIdLonSec, kIdLatDeg, kIdLatMin, kIdLatSec}) host.LimitText(id, 2);
  host.LimitText(kIdLonDeg, 3);
  host.LimitText(kIdLocation, kLocationChars);
  FillCityCombo();
  ShowCity(false);
  if (Simulating()) CreateCurrentValueBox();
  SetModified(false);
}

void CAstroClock::FillCityCombo() {
  CControlHost& host = Host();
  host.ResetContent(kIdCity);
  m_nCity = 0;
  for (size_t i = 0; i < g_AstroCityTable.size(); ++i) {
    host.AddString(kIdCity, g_AstroCityTable[i].m_strName);
    if (g_AstroCityTable[i].m_strName == m_strLocation) m_nCity = static_cast<int>(i);
  }
  host.SetCurSel(kIdCity, host.GetCount(kIdCity) > 0 ? m_nCity : -1);
}

void CAstroClock::ShowCity(bool load) {
  CControlHost& host = Host();
  const int i = host.GetCurSel(kIdCity);
  const bool user = i >= kBuiltInCityCount;
  const bool editable = i <= 0 || user;
  host.Show(kIdRemove, user);
  host.Show(kIdLocationLabel, i <= 0);
  host.Show(kIdLocation, i <= 0);
  host.Show(kIdSave, editable);
  host.SetText(kIdSave, user ? u"Update" : u"Save");
  for (int id : {kIdLonHemisphere, kIdLatHemisphere, kIdTimeZone, kIdLonDeg, kIdLonDegSpin, kIdLonMin,
                 kIdLonMinSpin, kIdLonSec, kIdLonSecSpin, kIdLatDeg, kIdLatDegSpin, kIdLatMin, kIdLatMinSpin,
                 kIdLatSec, kIdLatSecSpin})
    host.Enable(id, editable);
  if (!load || i < 0 || i >= static_cast<int>(g_AstroCityTable.size())) return;
  const AstroCity& city = g_AstroCityTable[static_cast<size_t>(i)];
  if (i > 0) host.SetText(kIdLocation, city.m_strName);
  host.SetCurSel(kIdLonHemisphere, city.m_nLonHemisphere);
  host.SetCurSel(kIdLatHemisphere, city.m_nLatHemisphere);
  host.SetInt(kIdLonDeg, city.m_nLonDegrees);
  host.SetInt(kIdLonMin, city.m_nLonMinutes);
  host.SetInt(kIdLonSec, city.m_nLonSeconds);
  host.SetInt(kIdLatDeg, city.m_nLatDegrees);
  host.SetInt(kIdLatMin, city.m_nLatMinutes);
  host.SetInt(kIdLatSec, city.m_nLatSeconds);
  host.SetCurSel(kIdTimeZone, city.m_nTimeZone);
}

void CAstroClock::NormaliseCoordinates() {
  CControlHost& host = Host();
  auto normalise = [&host](const int* ids, int limit) {
    bool ok = false;
    if (host.GetInt(ids[0], &ok) >= limit) {
      host.SetInt(ids[0], limit);
      host.SetInt(ids[1], 0);
      host.SetInt(ids[2], 0);
      return;
    }
    for (int k = 1; k < 3; ++k)
      if (host.GetInt(ids[k], &ok) >= 60) host.SetInt(ids[k], 59);
  };
  normalise(kLonIds, 180);
  normalise(kLatIds, 90);
}

void CAstroClock::OnSave() {
  CControlHost& host = Host();
  const CString text = TrimRight(host.GetText(kIdLocation));
  host.SetText(kIdLocation, text);
  const bool save = host.GetText(kIdSave) == CString(u"Save");
  if (text.IsEmpty() && save) {
    AfxMessageBox(u"Please enter a location.", MB_ICONSTOP);
    return;
  }
  if (save)
    for (int i = 0; i < host.GetCount(kIdCity); ++i)
      if (SameIgnoringCase(host.GetItemText(kIdCity, i), text)) {
        AfxMessageBox(text == CString(u"User-defined") ? u"Please enter a location."
                                                       : u"This city name already exists.",
                      MB_ICONSTOP);
        return;
      }
  NormaliseCoordinates();
  bool ok = false;
  AstroCity city;
  city.m_nLonHemisphere = std::max(0, host.GetCurSel(kIdLonHemisphere));
  city.m_nLatHemisphere = std::max(0, host.GetCurSel(kIdLatHemisphere));
  city.m_nLonDegrees = host.GetInt(kIdLonDeg, &ok);
  city.m_nLonMinutes = host.GetInt(kIdLonMin, &ok);
  city.m_nLonSeconds = host.GetInt(kIdLonSec, &ok);
  city.m_nLatDegrees = host.GetInt(kIdLatDeg, &ok);
  city.m_nLatMinutes = host.GetInt(kIdLatMin, &ok);
  city.m_nLatSeconds = host.GetInt(kIdLatSec, &ok);
  city.m_nTimeZone = std::max(0, host.GetCurSel(kIdTimeZone));
  if (save) {
    city.m_strName = text;
    const int row = host.AddString(kIdCity, text);
    if (row >= static_cast<int>(g_AstroCityTable.size()))
      g_AstroCityTable.resize(static_cast<size_t>(row) + 1);
    g_AstroCityTable[static_cast<size_t>(row)] = city;
    g_AstroCityTable.shrink_to_fit();
    host.SetCurSel(kIdCity, row);
    m_nCity = row;
    m_strLocation = text;
    AfxMessageBox(u"Save successfully.");
    ShowCity(false);
  } else {
    const int row = host.GetCurSel(kIdCity);
    if (row < kBuiltInCityCount || row >= static_cast<int>(g_AstroCityTable.size())) return;
    city.m_strName = g_AstroCityTable[static_cast<size_t>(row)].m_strName;
    g_AstroCityTable[static_cast<size_t>(row)] = city;
    AfxMessageBox(u"Save successfully.");
  }
  SetModified();
}

void CAstroClock::OnRemove() {
  CControlHost& host = Host();
  const int i = host.GetCurSel(kIdCity);
  if (i < kBuiltInCityCount || i >= static_cast<int>(g_AstroCityTable.size())) return;
  g_AstroCityTable.erase(g_AstroCityTable.begin() + i);
  g_AstroCityTable.shrink_to_fit();
  // The combo has no single-entry removal: it is refilled from the table.
  host.ResetContent(kIdCity);
  for (const AstroCity& city : g_AstroCityTable) host.AddString(kIdCity, city.m_strName);
  if (host.GetCount(kIdCity) == kBuiltInCityCount) {
    host.SetCurSel(kIdCity, kBuiltInCityCount - 1);
    ShowCity(false);
  } else {
    host.SetCurSel(kIdCity, host.GetCount(kIdCity) - 1);
    ShowCity(true);
  }
  SetModified();
}

void CAstroClock::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (id == kIdCity && code == Notify::kSelChange) {
    ShowCity(true);
    return SetModified();
  }
  if (id == kIdSave && code == Notify::kClicked) return OnSave();
  if (id == kIdRemove && code == Notify::kClicked) return OnRemove();
  bool ok = false;
  if (id == kIdLonDeg && code == Notify::kUpdate) {
    m_nLonDegrees = host.GetInt(kIdLonDeg, &ok);
    return;
  }
  if (id == kIdLatDeg && code == Notify::kUpdate) {
    m_nLatDegrees = host.GetInt(kIdLatDeg, &ok);
    return;
  }
  if (code == Notify::kChange && (id == kIdLonDeg || id == kIdLatDeg) && host.GetFocus() == id) {
    const int* ids = id == kIdLonDeg ? kLonIds : kLatIds;
    const int limit = id == kIdLonDeg ? 180 : 90;
    if (host.GetInt(id, &ok) == limit && ok &&
        (host.GetInt(ids[1], &ok) != 0 || host.GetInt(ids[2], &ok) != 0)) {
      host.SetInt(ids[1], 0);
      host.SetInt(ids[2], 0);
    }
    return SetModified();
  }
  if ((code == Notify::kChange &&
       (id == kIdLocation || id == kIdLonMin || id == kIdLonSec || id == kIdLatMin || id == kIdLatSec ||
        id == kIdLonDeg || id == kIdLatDeg)) ||
      (code == Notify::kSelChange &&
       (id == kIdLonHemisphere || id == kIdLatHemisphere || id == kIdTimeZone)) ||
      (code == Notify::kClicked && id == kIdProtect))
    return SetModified();
  CBlockParamPage::OnNotify(id, code);
}

void CAstroClock::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<AstroValues&>(*this) = values.astro;
}

void CAstroClock::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.astro = *this;
}
