#include "pages/analog_sensor.h"

#include <algorithm>
#include <cmath>

#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace sensor {

namespace {

int Trunc(double x) {
  // Conversions to an integer truncate towards zero; far beyond the edits'
  // limits the value is held to the integer range.
  if (!(x == x)) return 0;
  return static_cast<int>(std::clamp(x, -2.0e9, 2.0e9));
}

bool OutsideRange(int v) {
  return v < kRangeLower || v > kRangeUpper;
}
bool OutsideOffset(int v) {
  return v < kOffsetLower || v > kOffsetUpper;
}

// Kinds whose range spans 0..1000 of the input.
bool FullSpan(int kind) {
  return kind == SENSOR_0_10V || kind == SENSOR_0_20MA || kind == SENSOR_NONE;
}

}  // namespace

int RoundToTens(int v) {
  const int r = v % 10;
  return r >= 5 ? v + (10 - r) : v - r;
}

int RoundToInteger(double x) {
  return RoundToTens(Trunc(10 * x)) / 10;
}

RoundedGain RoundToGain(double x) {
  const int t = Trunc(1000 * x);
  RoundedGain g;
  g.thousandths = RoundToTens(t);
  g.gain = g.thousandths * 0.001;
  g.rest = t % 10;
  return g;
}

int HundredthsWithinLimits(const RoundedGain& g) {
  if (g.gain > kGainLimit) return 1000;
  if (g.gain < -kGainLimit) return -1000;
  return g.thousandths / 10;
}

int HundredthsHalfAway(double gain) {
  int a = Trunc(1000 * gain);
  const int r = a % 10;
  if (r >= 5)
    a += 10 - r;
  else if (r <= -5)
    a -= 10 + r;
  else
    a -= r;
  return a / 10;
}

Pt100Row Pt100Range(int unit, int resolution) {
  static const Pt100Row kRows[2][2] = {{{-50, 200, 0.25, 25, -50}, {-500, 2000, 2.5, 250, -500}},
                                       {{-58, 392, 0.45, 45, -58}, {-580, 3920, 4.5, 450, -580}}};
  return kRows[unit == 1 ? 1 : 0][resolution == 0 ? 0 : 1];
}

void Fields::SetMin(int v) {
  min = std::clamp(v, kRangeLower, kRangeUpper);
}
void Fields::SetMax(int v) {
  max = std::clamp(v, kRangeLower, kRangeUpper);
}
void Fields::SetOffset(int v) {
  offset = std::clamp(v, kOffsetLower, kOffsetUpper);
}

void Fields::SetGain(double g) {
  if (g > kGainLimit) {
    gain = kGainLimit;
    gainText = FormatString(u"%d", static_cast<int>(kGainLimit));
    hundredths = 1000;
  } else if (g < gainLower) {
    gain = gainLower;
    gainText = FormatString(u"%d", static_cast<int>(gainLower));
    hundredths = static_cast<int>(gainLower * 100);
  } else {
    gainText = FormatDecimal(g, 4);
    double shown = 0;
    gain = ParseDecimal(gainText, &shown) ? shown : g;
  }
}

void Fields::SetGainFixed(double g) {
  SetGain(g);
  if (g <= kGainLimit && g >= gainLower) gainText = FormatString(u"%5.2f", g);
}

namespace {

// The range from gain and offset (the gain and offset edits).
void RangeFromGain(int kind, Fields& f, Pending& p) {
  const double g = f.gain;
  const int of = f.offset;
  const int mx = RoundToInteger(of + 1000 * g);
  if (FullSpan(kind)) {
    f.SetMin(of);
    f.SetMax(mx);
    p.max = mx;
    p.min = of;
  } else {
    f.SetMax(mx);
    const int mn = Trunc(mx - 800 * g);
    f.SetMin(mn);
    p.max = mx;
    p.min = mn;
  }
  p.gain = 0;
  p.gainRest = 0;
  p.offset = 0;
}

// The gain (and for 4..20 mA the offset) from the range.
void GainFromRange(int kind, int offset, Fields& f, Pending& p) {
  const RoundedGain r =
      RoundToGain(kind == SENSOR_4_20MA ? (f.max - f.min) * 0.00125 : (f.max - offset) * 0.001);
  f.SetGain(r.gain);
  p.gain = r.gain;
  p.gainRest = r.rest;
  p.max = p.min = 0;
  if (kind == SENSOR_4_20MA) {
    const int v = Trunc(f.max - 1000 * r.gain);
    p.offset = v;
    f.SetOffset(v);
  } else {
    p.offset = offset;
    f.SetOffset(offset);
  }
  f.hundredths = HundredthsWithinLimits(r);
}

}  // namespace

bool GainEdited(int kind, Fields& f, Pending& p) {
  if (kind == SENSOR_PT100) return false;
  const double g = f.gain;
  RangeFromGain(kind, f, p);
  f.hundredths = HundredthsHalfAway(g);
  return true;
}

bool OffsetEdited(int kind, Fields& f, Pending& p) {
  if (kind == SENSOR_PT100) return false;
  RangeFromGain(kind, f, p);
  return true;
}

bool RangeMinEdited(int kind, Fields& f, Pending& p) {
  if (kind != SENSOR_0_10V && kind != SENSOR_0_20MA && kind != SENSOR_4_20MA) return false;
  GainFromRange(kind, f.min, f, p);
  return true;
}

bool RangeMaxEdited(int kind, Fields& f, Pending& p) {
  if (kind != SENSOR_0_10V && kind != SENSOR_0_20MA && kind != SENSOR_4_20MA) return false;
  GainFromRange(kind, f.offset, f, p);
  return true;
}

void Settle(int kind, Fields& f, Pending& p, Members& m) {
  if (OutsideRange(p.max) || OutsideRange(p.min)) {
    if (kind != SENSOR_PT100) {
      const bool span = kind == SENSOR_4_20MA;
      const double g = span ? (f.max - f.min) * 0.00125 : (f.max - f.offset) * 0.001;
      f.SetGain(g);
      m.gain = f.gain;
      f.hundredths = Trunc(1000 * g) / 10;
      m.hundredths = Trunc(100 * g);
      if (span) {
        f.SetOffset(Trunc(f.max - 1000 * g));
        m.offset = f.offset;
      }
    }
    p.max = p.min = 0;
  }
  if (p.gain > kGainLimit || p.gain < -kGainLimit || p.gainRest != 0 || OutsideOffset(p.offset)) {
    if (kind != SENSOR_PT100) {
      const double g = f.gain;
      f.hundredths = Trunc(1000 * g) / 10;
      m.hundredths = Trunc(100 * g);
      const int of = f.offset;
      if (kind != SENSOR_4_20MA && OutsideOffset(p.offset)) {
        f.SetMin(of);
        m.rangeMin = f.min;
      }
      const int mx = RoundToInteger(of + 1000 * g);
      f.SetMax(mx);
      m.rangeMax = f.max;
      if (kind == SENSOR_4_20MA) {
        f.SetMin(Trunc(mx - 800 * g));
        m.rangeMin = f.min;
      }
    }
    p.gain = 0;
    p.gainRest = 0;
    p.offset = 0;
  }
}

void ConvertKind(int oldKind, int newKind, Fields& f, Pending& p, Members& m, const Pt100Row& pt100) {
  const double g0 = f.gain;
  const int mx = f.max, mn = f.min, of = f.offset;
  const bool toFull = newKind == SENSOR_0_10V || newKind == SENSOR_0_20MA;
  const bool fromFull = oldKind == SENSOR_0_10V || oldKind == SENSOR_0_20MA;
  if (toFull && oldKind == SENSOR_4_20MA) {
    const RoundedGain r = RoundToGain(g0 * 0.8);
    f.SetGain(r.gain);
    p.gainRest = r.rest;
    const int v = Trunc(mx - 1000 * r.gain);
    p.offset = v;
    f.SetMin(v);
    f.SetOffset(v);
    f.hundredths = r.thousandths / 10;
    Settle(newKind, f, p, m);
  } else if (toFull && oldKind == SENSOR_NONE) {
    f.SetMin(of);
  } else if (newKind == SENSOR_4_20MA && fromFull) {
    const RoundedGain r = RoundToGain(g0 * 1.25);
    f.SetMin(Trunc(mx - 800 * r.gain));
    f.SetOffset(Trunc(mx - 1000 * r.gain));
    p.gain = r.gain;
    p.max = 0;
    const double gc = std::clamp(r.gain, -kGainLimit, kGainLimit);
    f.hundredths = Trunc(1000 * gc) / 10;
    f.SetGain(gc);
    Settle(newKind, f, p, m);
  } else if (newKind == SENSOR_4_20MA && oldKind == SENSOR_PT100) {
    const RoundedGain r = RoundToGain(std::clamp(g0 * 1.25, -kGainLimit, kGainLimit));
    f.SetGain(r.gain);
    f.SetOffset(Trunc(mn - 200 * r.gain));
    f.SetMax(Trunc(mn + 800 * r.gain));
    f.hundredths = r.thousandths / 10;
  } else if (newKind == SENSOR_4_20MA && oldKind == SENSOR_NONE) {
    f.SetMin(Trunc(mx - 800 * g0));
  } else if (newKind == SENSOR_PT100) {
    f.SetMin(pt100.min);
    f.SetMax(pt100.max);
    f.SetGain(pt100.gain);
    f.hundredths = pt100.hundredths;
    f.SetOffset(pt100.offset);
  }
}

}  // namespace sensor

// ---- CAnalogSensorPage ---------------------------------------------------------------

namespace {

// The twelve range and parameter controls that a PT100 disables.
constexpr int kScalingControls[] = {1104, 1092, 1094, 1105, 1093, 1095, 1106, 1021, 1022, 1107, 1039, 1040};
// The unit and resolution controls that only a PT100 shows.
constexpr int kPt100Controls[] = {1085, 1087, 1088, 1086, 1089, 1090};
// The "No sensor" layout: each parameter control takes the place of a range control.
constexpr int kLayoutPairs[][2] = {{1084, 1083}, {1106, 1104}, {1021, 1092}, {1022, 1094},
                                   {1107, 1105}, {1039, 1093}, {1040, 1095}};

}  // namespace

CAnalogSensorPage::CAnalogSensorPage(bool rampGain) : m_bRampGain(rampGain) {
  m_nResolution = 1;
}

void CAnalogSensorPage::AddSensorSection(std::vector<ControlDesc>& c, int top, bool rampGain) {
  using K = ControlKind;
  const int y = top;
  c.push_back({kIdSensorLabel, K::kStatic, u"Sensor", CRect(7, y + 2, 40, y + 11)});
  c.push_back(
      {kIdSensor,
       K::kCombo,
       u"",
       CRect(42, y, 130, y + 70),
       0,
       {u"0 ... 10 V", u"0 ... 20 mA", u"4 ... 20 mA", rampGain ? u"PT100" : u"PT100/PT1000", u"No sensor"}});
  c.push_back({kIdRangeGroup, K::kGroup, u"Measurement Range", CRect(7, y + 16, 130, y + 58)});
  c.push_back({kIdMinLabel, K::kStatic, u"Minimum", CRect(14, y + 29, 58, y + 38)});
  c.push_back({kIdMin, K::kEdit, u"", CRect(60, y + 27, 108, y + 39), kStyleRight});
  c.push_back({kIdMinSpin, K::kSpin, u"", CRect(108, y + 27, 118, y + 39), 0, {}, kIdMin});
  c.push_back({kIdMaxLabel, K::kStatic, u"Maximum", CRect(14, y + 43, 58, y + 52)});
  c.push_back({kIdMax, K::kEdit, u"", CRect(60, y + 41, 108, y + 53), kStyleRight});
  c.push_back({kIdMaxSpin, K::kSpin, u"", CRect(108, y + 41, 118, y + 53), 0, {}, kIdMax});
  c.push_back({kIdParamGroup, K::kGroup, u"Parameter", CRect(137, y + 16, 263, y + 58)});
  c.push_back({kIdGainLabel, K::kStatic, u"Gain", CRect(144, y + 29, 188, y + 38)});
  c.push_back({kIdGain, K::kEdit, u"", CRect(190, y + 27, 238, y + 39), kStyleRight});
  c.push_back(
      {kIdHundredths, K::kEdit, u"", CRect(190, y + 27, 200, y + 39), kStyleHidden | kStyleNoTabStop});
  c.push_back({kIdGainSpin, K::kSpin, u"", CRect(238, y + 27, 248, y + 39), 0, {}, kIdHundredths});
  c.push_back({kIdOffsetLabel, K::kStatic, u"Offset", CRect(144, y + 43, 188, y + 52)});
  c.push_back({kIdOffset, K::kEdit, u"", CRect(190, y + 41, 238, y + 53), kStyleRight});
  c.push_back({kIdOffsetSpin, K::kSpin, u"", CRect(238, y + 41, 248, y + 53), 0, {}, kIdOffset});
  c.push_back({kIdUnitGroup, K::kGroup, u"Unit", CRect(7, y + 62, 130, y + 86)});
  c.push_back({kIdCelsius, K::kRadio, u"Celsius", CRect(14, y + 72, 66, y + 82), kStyleGroup});
  c.push_back({kIdFahrenheit, K::kRadio, u"Farenheit", CRect(70, y + 72, 126, y + 82)});
  c.push_back({kIdResolutionGroup, K::kGroup, u"Resolution", CRect(137, y + 62, 263, y + 86)});
  c.push_back({kIdResolution1, K::kRadio, u"x 1", CRect(144, y + 72, 196, y + 82), kStyleGroup});
  c.push_back({kIdResolution01, K::kRadio, u"x 0.1", CRect(200, y + 72, 256, y + 82)});
}

void CAnalogSensorPage::AddDecimalsGroup(std::vector<ControlDesc>& c, int left, int top) {
  using K = ControlKind;
  c.push_back({kIdDecimalsLabel, K::kStatic, u"Decimals in the Message text",
               CRect(left, top + 2, left + 110, top + 11)});
  c.push_back(
      {kIdDecimals, K::kEdit, u"", CRect(left + 112, top, left + 128, top + 12), kStyleNumber | kStyleRight});
  c.push_back(
      {kIdDecimalsSpin, K::kSpin, u"", CRect(left + 128, top, left + 138, top + 12), 0, {}, kIdDecimals});
  c.push_back({kIdDecimalsPreview, K::kEdit, u"", CRect(left + 142, top, left + 196, top + 12),
               kStyleReadOnly | kStyleRight | kStyleNoTabStop});
}

int CAnalogSensorPage::Series() const {
  return Document() ? Document()->GetModelFamily() : 0;
}

sensor::Fields CAnalogSensorPage::ReadFields() const {
  const CControlHost& host = Host();
  sensor::Fields f;
  f.gainLower = m_bRampGain ? 0.0 : -sensor::kGainLimit;
  f.min = host.GetInt(kIdMin);
  f.max = host.GetInt(kIdMax);
  f.offset = host.GetInt(kIdOffset);
  f.hundredths = host.GetInt(kIdHundredths);
  f.gainText = host.GetText(kIdGain);
  CString text = f.gainText;
  double g = 0;
  f.gain = ParseDecimal(text.Trim(), &g) ? g : 0.0;
  return f;
}

void CAnalogSensorPage::WriteFields(const sensor::Fields& before, const sensor::Fields& after) {
  CControlHost& host = Host();
  const bool writing = m_bWriting;
  m_bWriting = true;
  if (after.min != before.min) host.SetInt(kIdMin, after.min);
  if (after.max != before.max) host.SetInt(kIdMax, after.max);
  if (after.offset != before.offset) host.SetInt(kIdOffset, after.offset);
  if (after.gainText != before.gainText) host.SetText(kIdGain, after.gainText);
  if (after.hundredths != before.hundredths) host.SetInt(kIdHundredths, after.hundredths);
  m_bWriting = writing;
}

sensor::Members CAnalogSensorPage::MembersNow() const {
  return {m_nRangeMin, m_nRangeMax, m_nOffset, m_nGainHundredths, m_dGain};
}

void CAnalogSensorPage::TakeMembers(const sensor::Members& m) {
  m_nRangeMin = m.rangeMin;
  m_nRangeMax = m.rangeMax;
  m_nOffset = m.offset;
  m_nGainHundredths = m.hundredths;
  m_dGain = m.gain;
}

void CAnalogSensorPage::ExchangeSensor(CDataExchange& dx) {
  DDX_CBIndex(dx, kIdSensor, m_nSensor);
  DDX_Text(dx, kIdMin, m_nRangeMin);
  DDX_Text(dx, kIdMax, m_nRangeMax);
  DDX_Text(dx, kIdHundredths, m_nGainHundredths);
  DDV_MinMaxInt(dx, m_nGainHundredths, -1000, 1000);
  ExchangeGain(dx);
}

void CAnalogSensorPage::ExchangeGain(CDataExchange& dx) {
  dx.SetLastControl(kIdGain);
  CControlHost& host = dx.Host();
  if (dx.IsSaving()) {
    CString text = host.GetText(kIdGain);
    double g = 0;
    if (!ParseDecimal(text.Trim(), &g)) dx.Fail(LoadString(61713));
    m_dGain = g;
  } else {
    host.SetText(kIdGain, FormatDecimal(m_dGain, 4));
  }
}

void CAnalogSensorPage::ShowPt100State(bool pt100) {
  CControlHost& host = Host();
  for (int id : kScalingControls) host.Enable(id, !pt100);
  for (int id : kPt100Controls) host.Show(id, pt100);
}

void CAnalogSensorPage::InitSensorSection(bool hundredthsFromThousandths) {
  CControlHost& host = Host();
  m_pending = {};
  host.SetRange(kIdMinSpin, sensor::kRangeLower, sensor::kRangeUpper);
  host.SetRange(kIdMaxSpin, sensor::kRangeLower, sensor::kRangeUpper);
  host.SetRange(kIdGainSpin, -1000, 1000);
  host.SetRange(kIdOffsetSpin, sensor::kOffsetLower, sensor::kOffsetUpper);
  m_bWriting = true;
  const double scaled = hundredthsFromThousandths ? 1000 * m_dGain : 100 * m_dGain;
  const int h = static_cast<int>(std::clamp(scaled, -2.0e9, 2.0e9));
  host.SetInt(kIdHundredths, hundredthsFromThousandths ? h / 10 : h);
  if (m_nSensor == SENSOR_PT100) {
    ShowPt100State(true);
    ApplyPt100Range();
  } else {
    ShowPt100State(false);
    host.SetText(kIdGain, FormatString(u"%5.2f", m_dGain));
  }
  m_bWriting = false;
  for (int id : {kIdMin, kIdMax, kIdOffset}) host.LimitText(id, 6);
  host.LimitText(kIdGain, m_bRampGain ? 5 : 6);
}

void CAnalogSensorPage::FinishSensorSection() {
  AddRangeTip(kIdMin, sensor::kRangeLower, sensor::kRangeUpper);
  AddRangeTip(kIdMax, sensor::kRangeLower, sensor::kRangeUpper);
  AddRangeTip(kIdOffset, sensor::kOffsetLower, sensor::kOffsetUpper);
  UpdateSensorLayout();
}

void CAnalogSensorPage::UpdateSensorLayout() {
  CControlHost& host = Host();
  const PageDesc& desc = Describe();
  const bool none = host.GetCurSel(kIdSensor) == SENSOR_NONE;
  for (const auto& pair : kLayoutPairs) {
    host.Show(pair[1], !none);
    const ControlDesc* place = desc.Find(none ? pair[1] : pair[0]);
    if (place) host.MoveControl(pair[0], place->rect);
  }
  if (none) {
    host.SetTip(kIdMin, CString());
    host.SetTip(kIdMax, CString());
  } else {
    AddRangeTip(kIdMin, sensor::kRangeLower, sensor::kRangeUpper);
    AddRangeTip(kIdMax, sensor::kRangeLower, sensor::kRangeUpper);
  }
  AddRangeTip(kIdOffset, sensor::kOffsetLower, sensor::kOffsetUpper);
  AddRangeTip(kIdGain, m_bRampGain ? 0.0 : -sensor::kGainLimit, sensor::kGainLimit);
}

void CAnalogSensorPage::ApplyPt100Range() {
  const sensor::Fields before = ReadFields();
  sensor::Fields after = before;
  sensor::Members m = MembersNow();
  sensor::Pending unused;
  sensor::ConvertKind(SENSOR_PT100, SENSOR_PT100, after, unused, m,
                      sensor::Pt100Range(m_nUnit, m_nResolution));
  WriteFields(before, after);
}

void CAnalogSensorPage::UpdateSensorScaling() {
  if (!IsAttached()) return;
  const sensor::Fields before = ReadFields();
  sensor::Fields after = before;
  sensor::Members m = MembersNow();
  sensor::Settle(Host().GetCurSel(kIdSensor), after, m_pending, m);
  WriteFields(before, after);
  TakeMembers(m);
}

void CAnalogSensorPage::OnSensorChange() {
  CControlHost& host = Host();
  const int oldKind = m_nSensor;
  const int newKind = host.GetCurSel(kIdSensor);
  m_nSensor = newKind;
  if (newKind == oldKind) return;
  ShowPt100State(newKind == SENSOR_PT100);
  if (newKind == SENSOR_PT100) ApplyPt100Range();
  UpdateSensorLayout();
  if (oldKind < SENSOR_NONE) UpdateSensorScaling();
  const sensor::Fields before = ReadFields();
  sensor::Fields after = before;
  sensor::Members m = MembersNow();
  sensor::ConvertKind(oldKind, newKind, after, m_pending, m, sensor::Pt100Range(m_nUnit, m_nResolution));
  WriteFields(before, after);
  TakeMembers(m);
  SetModified();
}

void CAnalogSensorPage::FilterInteger(int id, int digits, bool allowMinus) {
  CControlHost& host = Host();
  if (host.GetFocus() != id) return;
  const CString text = host.GetText(id);
  CString kept;
  int count = 0;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    if (ch == u'-' && allowMinus && kept.IsEmpty())
      kept += ch;
    else if (ch >= u'0' && ch <= u'9' && count++ < digits)
      kept += ch;
  }
  if (kept != text) host.SetText(id, kept);
}

void CAnalogSensorPage::ClampInteger(int id, int lower, int upper) {
  CControlHost& host = Host();
  bool ok = false;
  const int v = host.GetInt(id, &ok);
  if (!ok) return;
  if (v > upper) host.SetInt(id, upper);
  if (v < lower) host.SetInt(id, lower);
}

void CAnalogSensorPage::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (id == kIdSensor && code == Notify::kSelChange) return OnSensorChange();
  if (code == Notify::kClicked && (id == kIdCelsius || id == kIdFahrenheit)) {
    m_nUnit = id == kIdFahrenheit ? 1 : 0;
    ApplyPt100Range();
    return SetModified();
  }
  if (code == Notify::kClicked && (id == kIdResolution1 || id == kIdResolution01)) {
    m_nResolution = id == kIdResolution01 ? 1 : 0;
    ApplyPt100Range();
    return SetModified();
  }
  const bool section =
      id == kIdGain || id == kIdOffset || id == kIdMin || id == kIdMax || id == kIdHundredths;
  if (section && code == Notify::kUpdate) {
    if (m_bWriting) return;
    if (id == kIdGain) {
      // At most two whole digits and two decimals while typed; held to the gain's limits.
      if (host.GetFocus() == kIdGain) {
        const CString text = host.GetText(kIdGain);
        CString kept;
        int whole = 0, decimals = 0;
        bool point = false;
        for (int i = 0; i < text.GetLength(); ++i) {
          const char16_t ch = text[i];
          if (ch == u'-' && !m_bRampGain && kept.IsEmpty()) {
            kept += ch;
          } else if (ch == u'.' && !point) {
            point = true;
            kept += ch;
          } else if (ch >= u'0' && ch <= u'9') {
            if (point ? decimals++ >= 2 : whole++ >= 2) continue;
            kept += ch;
          }
        }
        if (kept != text) return host.SetText(kIdGain, kept);
      }
      const sensor::Fields before = ReadFields();
      if (before.gain > sensor::kGainLimit || before.gain < before.gainLower) {
        sensor::Fields after = before;
        after.SetGain(before.gain);
        m_bWriting = true;
        host.SetText(kIdGain, after.gainText);
        host.SetInt(kIdHundredths, after.hundredths);
        m_bWriting = false;
      }
      return;
    }
    if (id == kIdHundredths) return;
    FilterInteger(id, 5, true);
    if (id == kIdOffset) return ClampInteger(id, sensor::kOffsetLower, sensor::kOffsetUpper);
    return ClampInteger(id, sensor::kRangeLower, sensor::kRangeUpper);
  }
  if (section && code == Notify::kChange) {
    if (m_bWriting) return;
    const int focus = host.GetFocus();
    const int kind = host.GetCurSel(kIdSensor);
    const sensor::Fields before = ReadFields();
    sensor::Fields after = before;
    bool acted = false;
    if (id == kIdHundredths) {
      // The gain's spin steps the hidden hundredths; the gain shows them.
      if (focus != kIdHundredths) return;
      after.SetGainFixed(before.hundredths * 0.01);
      WriteFields(before, after);
      const sensor::Fields shown = ReadFields();
      after = shown;
      if (sensor::GainEdited(kind, after, m_pending)) WriteFields(shown, after);
      return SetModified();
    }
    if (id == kIdGain) {
      if (focus != kIdGain && focus != kIdHundredths) return;
      acted = sensor::GainEdited(kind, after, m_pending);
      if (!acted) return SetModified();
    } else if (id == kIdOffset) {
      if (focus != kIdOffset) return;
      acted = sensor::OffsetEdited(kind, after, m_pending);
    } else if (id == kIdMin) {
      if (focus != kIdMin) return;
      acted = sensor::RangeMinEdited(m_nSensor, after, m_pending);
    } else if (id == kIdMax) {
      if (focus != kIdMax) return;
      acted = sensor::RangeMaxEdited(kind, after, m_pending);
    }
    if (!acted) return;
    WriteFields(before, after);
    return SetModified();
  }
  CBlockParamPage::OnNotify(id, code);
}

void CAnalogSensorPage::OnOK() {
  if (m_nSensor < SENSOR_NONE) UpdateSensorScaling();
  CBlockParamPage::OnOK();
}

void CAnalogSensorPage::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<AnalogValues&>(*this) = values.analog;
}

void CAnalogSensorPage::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.analog = *this;
}
