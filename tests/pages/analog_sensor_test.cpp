// The analog sensor section: its rounding rules as tables, the conversions
// between the kinds, the pending values settled on OK, and the section on a
// page (PT100 state, the "No sensor" layout, the gain's spin).
#include <gtest/gtest.h>

#include "pages/analog_pages.h"
#include "pages/page_harness.h"

namespace {

using namespace sensor;
using C = CAnalogComparator;

TEST(SensorArithmetic, RoundingRules) {
  const int tens[][2] = {{0, 0},       {4, 0},         {5, 10}, {1235, 1240},
                         {1234, 1230}, {-1236, -1230}, {-5, 0}, {-9, 0}};
  for (const auto& r : tens) EXPECT_EQ(RoundToTens(r[0]), r[1]) << r[0];
  const struct {
    double x;
    int v;
  } ints[] = {{2100.0, 2100}, {99.5, 100}, {99.49, 99}, {99.94, 100}, {-99.96, -99}, {1000.0 * 0.29, 290}};
  for (const auto& r : ints) EXPECT_EQ(RoundToInteger(r.x), r.v) << r.x;
  const struct {
    double x;
    double gain;
    int thousandths, rest, hundredths;
  } gains[] = {{0.875, 0.88, 880, 5, 88},    {3.125, 3.13, 3130, 5, 313},
               {1.0, 1.0, 1000, 0, 100},     {-1.236, -1.23, -1230, -6, -123},
               {12.5, 12.5, 12500, 0, 1000}, {-37.5, -37.5, -37500, 0, -1000}};
  for (const auto& r : gains) {
    const RoundedGain g = RoundToGain(r.x);
    EXPECT_DOUBLE_EQ(g.gain, r.gain) << r.x;
    EXPECT_EQ(g.thousandths, r.thousandths) << r.x;
    EXPECT_EQ(g.rest, r.rest) << r.x;
    EXPECT_EQ(HundredthsWithinLimits(g), r.hundredths) << r.x;
  }
  const struct {
    double g;
    int h;
  } halfAway[] = {{1.006, 101}, {-1.006, -101}, {1.004, 100}, {2.0, 200}, {-0.296, -30}};
  for (const auto& r : halfAway) EXPECT_EQ(HundredthsHalfAway(r.g), r.h) << r.g;
}

TEST(SensorArithmetic, Pt100Table) {
  const struct {
    int unit, resolution, min, max;
    double gain;
    int hundredths, offset;
  } rows[] = {{0, 0, -50, 200, 0.25, 25, -50},
              {0, 1, -500, 2000, 2.5, 250, -500},
              {1, 0, -58, 392, 0.45, 45, -58},
              {1, 1, -580, 3920, 4.5, 450, -580}};
  for (const auto& r : rows) {
    const Pt100Row p = Pt100Range(r.unit, r.resolution);
    EXPECT_EQ(p.min, r.min);
    EXPECT_EQ(p.max, r.max);
    EXPECT_DOUBLE_EQ(p.gain, r.gain);
    EXPECT_EQ(p.hundredths, r.hundredths);
    EXPECT_EQ(p.offset, r.offset);
  }
}

Fields MakeFields(int min, int max, double gain, int offset) {
  Fields f;
  f.min = min;
  f.max = max;
  f.SetGain(gain);
  f.offset = offset;
  return f;
}

// The edits and conversions, each from a starting state; what the edits show after.
TEST(SensorArithmetic, EditsAndConversions) {
  struct Row {
    const char* what;
    int kind;  // or the old kind for a conversion
    int newKind;
    Fields start;
    int action;  // 0 gain, 1 offset, 2 min, 3 max, 4 convert
    int min, max;
    double gain;
    int offset;
  };
  const Row rows[] = {
      {"0-10V to 4-20mA", 0, 2, MakeFields(0, 1000, 1.0, 0), 4, 0, 1000, 1.25, -250},
      {"4-20mA back to 0-10V", 2, 0, MakeFields(0, 1000, 1.25, -250), 4, 0, 1000, 1.0, 0},
      {"PT100 C x0.1 to 4-20mA", 3, 2, MakeFields(-500, 2000, 2.5, -500), 4, -500, 2004, 3.13, -1126},
      {"gain 7 to 4-20mA", 0, 2, MakeFields(0, 7000, 7.0, 0), 4, 0, 7000, 8.75, -1750},
      {"No sensor to 0-20mA", 4, 1, MakeFields(0, 1000, 1.0, 300), 4, 300, 1000, 1.0, 300},
      {"No sensor to 4-20mA", 4, 2, MakeFields(0, 1000, 1.0, 0), 4, 200, 1000, 1.0, 0},
      {"0-10V typing gain 2", 0, 0, MakeFields(100, 1100, 2.0, 100), 0, 100, 2100, 2.0, 100},
      {"4-20mA typing gain 2", 2, 2, MakeFields(0, 1000, 2.0, 0), 0, 400, 2000, 2.0, 0},
      {"0-10V typing offset", 0, 0, MakeFields(0, 1000, 1.0, 500), 1, 500, 1500, 1.0, 500},
      {"0-10V typing min", 0, 0, MakeFields(200, 1000, 1.0, 0), 2, 200, 1000, 0.8, 200},
      {"4-20mA typing min 300", 2, 2, MakeFields(300, 1000, 1.25, -250), 2, 300, 1000, 0.88, 120},
      {"0-10V typing max", 0, 0, MakeFields(0, 1500, 1.0, 0), 3, 0, 1500, 1.5, 0},
      {"0-20mA gain -10 offset -5000", 1, 1, MakeFields(0, 1000, -10.0, -5000), 0, -5000, -10000, -10.0,
       -5000},
  };
  for (const Row& r : rows) {
    Fields f = r.start;
    Pending p;
    Members m;
    switch (r.action) {
      case 0:
        EXPECT_TRUE(GainEdited(r.kind, f, p));
        break;
      case 1:
        EXPECT_TRUE(OffsetEdited(r.kind, f, p));
        break;
      case 2:
        EXPECT_TRUE(RangeMinEdited(r.kind, f, p));
        break;
      case 3:
        EXPECT_TRUE(RangeMaxEdited(r.kind, f, p));
        break;
      default:
        ConvertKind(r.kind, r.newKind, f, p, m, Pt100Range(0, 1));
        break;
    }
    EXPECT_EQ(f.min, r.min) << r.what;
    EXPECT_EQ(f.max, r.max) << r.what;
    EXPECT_DOUBLE_EQ(f.gain, r.gain) << r.what;
    EXPECT_EQ(f.offset, r.offset) << r.what;
  }
  Fields f = MakeFields(0, 1000, 1.0, 0);
  Pending p;
  EXPECT_FALSE(GainEdited(SENSOR_PT100, f, p));
  EXPECT_FALSE(RangeMinEdited(SENSOR_NONE, f, p));
  EXPECT_FALSE(RangeMaxEdited(SENSOR_PT100, f, p));
}

TEST(SensorArithmetic, PendingValuesSettle) {
  // 4..20 mA, typing minimum 300 rounds the gain (dropped digit 5): on OK the
  // range follows gain and offset.
  Fields f = MakeFields(300, 1000, 1.25, -250);
  Pending p;
  Members m{300, 1000, -250, 125, 1.25};
  ASSERT_TRUE(RangeMinEdited(SENSOR_4_20MA, f, p));
  EXPECT_EQ(p.gainRest, 5);
  Settle(SENSOR_4_20MA, f, p, m);
  EXPECT_EQ(f.max, 1000);
  EXPECT_EQ(f.min, 296);
  EXPECT_EQ(m.rangeMin, 296);
  EXPECT_EQ(m.rangeMax, 1000);
  EXPECT_EQ(p.gainRest, 0);

  // 0..20 mA, gain -10 with offset -5000: the maximum was clamped from
  // -15000; on OK the gain follows the clamped range.
  f = MakeFields(0, 1000, -10.0, -5000);
  p = {};
  ASSERT_TRUE(GainEdited(SENSOR_0_20MA, f, p));
  EXPECT_EQ(p.max, -15000);
  Settle(SENSOR_0_20MA, f, p, m);
  EXPECT_DOUBLE_EQ(m.gain, -5.0);
  EXPECT_EQ(f.gainText, CString(u"-5"));
  EXPECT_EQ(p.max, 0);

  // Nothing pending: nothing changes.
  f = MakeFields(0, 1000, 1.0, 0);
  const Fields before = f;
  Members same{1, 2, 3, 4, 5.0};
  p = {};
  Settle(SENSOR_0_10V, f, p, same);
  EXPECT_EQ(f.max, before.max);
  EXPECT_EQ(same.rangeMin, 1);
  EXPECT_DOUBLE_EQ(same.gain, 5.0);
}

TEST(SensorSection, OnThePage) {
  CDiagramBuilder d;
  PageHarness<C> h(&d.Doc());
  h.page.m_nType = 803;
  h.Open();
  CMemoryHost& host = *h.host;
  EXPECT_EQ(host.GetText(C::kIdGain), CString(u" 1.00"));
  EXPECT_FALSE(host.IsVisible(C::kIdCelsius));
  EXPECT_EQ(host.GetTip(C::kIdGain), CString(u"Number between -10.00 and 10.00"));
  EXPECT_EQ(host.GetTip(C::kIdMin), CString(u"Number between -10000 and 20000"));

  // The gain's spin steps the hidden hundredths; the gain shows them "%5.2f".
  host.Spin(C::kIdGainSpin, 1);
  EXPECT_EQ(host.GetText(C::kIdGain), CString(u" 1.01"));
  EXPECT_EQ(host.GetText(C::kIdMax), CString(u"1010"));

  // Typing a gain recomputes the range; beyond 10 the gain is held.
  host.Type(C::kIdOffset, u"100");
  host.Type(C::kIdGain, u"2");
  EXPECT_EQ(host.GetText(C::kIdMin), CString(u"100"));
  EXPECT_EQ(host.GetText(C::kIdMax), CString(u"2100"));
  host.Type(C::kIdGain, u"12");
  EXPECT_EQ(host.GetText(C::kIdGain), CString(u"10"));
  EXPECT_EQ(host.GetText(C::kIdHundredths), CString(u"1000"));
  host.Type(C::kIdMax, u"25000");
  EXPECT_EQ(host.GetText(C::kIdMax), CString(u"20000"));

  // PT100 "Farenheit" "x 0.1": the fixed range, the scaling controls disabled.
  host.Choose(C::kIdSensor, SENSOR_PT100);
  host.Click(C::kIdFahrenheit);
  host.Click(C::kIdResolution01);
  EXPECT_TRUE(host.IsVisible(C::kIdCelsius));
  EXPECT_EQ(host.GetText(C::kIdMin), CString(u"-580"));
  EXPECT_EQ(host.GetText(C::kIdMax), CString(u"3920"));
  EXPECT_EQ(host.GetText(C::kIdGain), CString(u"4.5"));
  EXPECT_EQ(host.GetText(C::kIdOffset), CString(u"-580"));
  for (int id : {C::kIdMin, C::kIdMax, C::kIdGain, C::kIdOffset, C::kIdGainSpin})
    EXPECT_FALSE(host.IsEnabled(id));

  // "No sensor": the range disappears and the parameter group takes its place.
  host.Choose(C::kIdSensor, SENSOR_NONE);
  EXPECT_FALSE(host.IsVisible(C::kIdRangeGroup));
  EXPECT_FALSE(host.IsVisible(C::kIdMin));
  EXPECT_EQ(host.Desc(C::kIdGain)->rect, h.page.Describe().Find(C::kIdMin)->rect);
  EXPECT_EQ(host.Desc(C::kIdParamGroup)->rect, h.page.Describe().Find(C::kIdRangeGroup)->rect);
  EXPECT_TRUE(host.GetTip(C::kIdMin).IsEmpty());
  EXPECT_TRUE(host.IsEnabled(C::kIdGain));
  host.Type(C::kIdGain, u"3");
  EXPECT_EQ(host.GetText(C::kIdMax), CString(u"2420"));  // the hidden range still follows
  host.Choose(C::kIdSensor, SENSOR_0_10V);
  EXPECT_TRUE(host.IsVisible(C::kIdMin));
  EXPECT_EQ(host.Desc(C::kIdGain)->rect, h.page.Describe().Find(C::kIdGain)->rect);
}

TEST(SensorSection, HundredthsAtOpening) {
  // 100 x 0.29 is just below 29 and truncates; the PI page counts from thousandths.
  for (bool pi : {false, true}) {
    CDiagramBuilder d;
    BlockPageValues v;
    v.analog.m_dGain = 0.29;
    if (pi) {
      PageHarness<CPI> h(&d.Doc());
      h.page.LoadValues(v);
      h.Open();
      EXPECT_EQ(h.host->GetText(CPI::kIdHundredths), CString(u"29"));
    } else {
      PageHarness<C> h(&d.Doc());
      h.page.LoadValues(v);
      h.page.m_nType = 803;
      h.Open();
      EXPECT_EQ(h.host->GetText(C::kIdHundredths), CString(u"28"));
      h.host->Spin(C::kIdGainSpin, 1);
      EXPECT_EQ(h.host->GetText(C::kIdGain), CString(u" 0.29"));
    }
  }
}

TEST(SensorSection, OkSettlesTheMembers) {
  CDiagramBuilder d;
  PageHarness<C> h(&d.Doc());
  h.page.m_nType = 803;
  h.page.m_nSensor = SENSOR_4_20MA;
  h.page.m_dGain = 1.25;
  h.page.m_nOffset = -250;
  h.Open();
  h.host->Type(C::kIdMin, u"300");
  EXPECT_EQ(h.host->GetText(C::kIdGain), CString(u"0.88"));
  EXPECT_EQ(h.host->GetText(C::kIdOffset), CString(u"120"));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nRangeMin, 296);
  EXPECT_EQ(h.page.m_nRangeMax, 1000);
  EXPECT_DOUBLE_EQ(h.page.m_dGain, 0.88);
  EXPECT_EQ(h.page.m_nOffset, 120);
}

}  // namespace
