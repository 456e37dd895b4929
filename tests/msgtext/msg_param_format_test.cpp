// The value texts of message-text elements: long (editor) and display forms
// for each block family, with references, decimals, weekly, yearly and
// astronomical texts and the message-text block's clock.
#include "msgtext/msg_param_format.h"

#include <gtest/gtest.h>

#include <functional>

#include "blocks/analog_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/time_blocks.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "support/diagram_builder.h"

namespace {

struct FormatCase {
  const char* name;
  int type;
  int param;
  int kind;
  std::function<void(CBlockObj&, CBlockObj& ref)> setup;
  const char16_t* longText;
  const char16_t* displayText;
};

void Minutes105(CBlockObj& b, CBlockObj&) {
  b.m_nParam10 = 1, b.m_nParam9 = 5, b.m_nParam11 = 1;
}
// Time parameter 1 taken from the counter B3 (value v) in reference base `base`.
auto RefB3(double v, int base) {
  return [v, base](CBlockObj& b, CBlockObj& ref) {
    b.m_pRef[0] = &ref;
    b.m_nParam12 = base;
    ref.m_dValue = v;
  };
}
void Analog(CBlockObj& b, int on, int decimals) {
  auto& a = static_cast<CBlockAnalog&>(b);
  a.m_nThreshold1 = on;
  a.m_nPoint = decimals;
}

const FormatCase kCases[] = {
    {"StoredTimeMinutes", 402, 6, 1, Minutes105, u"01:05 Minutes(..", u"01:05m"},
    {"ReferencedHours", 400, 4, 1, RefB3(125, 0), u"02:05 Hours(h:m)", u"B3m"},
    {"ReferencedCapped", 400, 4, 1, RefB3(7000, 0), u"99:59 Hours(h:m)", u"B3m"},
    {"ReferencedNotPositive", 400, 4, 1, RefB3(-5, 0), u"00:00 Hours(h:m)", u"B3m"},
    {"ReferencedSeconds", 400, 4, 1, RefB3(12345, 2), u"12:34 Seconds..", u"B3ms"},
    {"StoppedRemaining", 402, 50, 3, [](CBlockObj& b, CBlockObj&) { b.m_nParam11 = 2, b.m_nParam16 = 1; },
     u"00:00 Hours(h:m)", u"00:00h"},
    {"StoppedStairwayRemaining", 408, 50, 4, nullptr, u"00:00 Seconds..", u"h"},
    {"TimeBlockUnhandled", 405, 33, 0, nullptr, u"00:00 Hours(h:m)", u"h"},
    {"DelayUnhandledLong", 400, 33, 0, nullptr, u"", u"h"},
    {"WeeklyDays", 410, 15, 0,
     [](CBlockObj& b, CBlockObj&) {
       auto& t = static_cast<CBlockTime&>(b);
       t.m_nCamDays[0][1] = t.m_nCamDays[0][3] = t.m_nCamDays[0][0] = 1;
     },
     u"M-W---S", u"M-W---S"},
    {"WeeklySecondCamByKind", 410, 45, 4,
     [](CBlockObj& b, CBlockObj&) {
       auto& t = static_cast<CBlockTime&>(b);
       t.m_nCamOn[1][0] = 7, t.m_nCamOn[1][1] = 30;
     },
     u"07:30 Hours", u"07:30"},
    {"WeeklyUnhandledEmpties", 410, 33, 0, nullptr, u"", u""},
    {"YearlyDayMonth", 411, 35, 0, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 6, b.m_nParam9 = 3; },
     u"06.03 Day.Month", u"06.03 "},
    {"YearlyMonthly", 411, 36, 1,
     [](CBlockObj& b, CBlockObj&) { b.m_nParam3 = 1, b.m_nParam15 = 6, b.m_nParam14 = 3; },
     u"**.03 Day.Month", u"**.03 "},
    {"AstroLongitude", 412, 75, 0,
     [](CBlockObj& b, CBlockObj&) {
       b.m_nParam10 = 0, b.m_nParam15 = 116, b.m_nParam20 = 23, b.m_nParam22 = 45;
     },
     u"", u"E116.23'45\""},
    {"AstroLatitudeSouth", 412, 76, 1,
     [](CBlockObj& b, CBlockObj&) { b.m_nParam9 = 1, b.m_nParam14 = 33, b.m_nParam19 = 5, b.m_nParam21 = 0; },
     u"", u"S33.5'0\""},
    {"AstroZoneWest", 412, 77, 2, [](CBlockObj& b, CBlockObj&) { b.m_nParam16 = 14; }, u"-2", u"-2"},
    {"AstroZoneEast", 412, 77, 2, [](CBlockObj& b, CBlockObj&) { b.m_nParam16 = 5; }, u"5", u" 5"},
    {"AstroSunrise", 412, 78, 3, nullptr, u"00:00 Hours(h:m)", u"00:00h"},
    {"StopwatchBaseOutside", 413, 80, 0, [](CBlockObj& b, CBlockObj&) { b.m_nParam11 = 7; }, u"ms", u"ms"},
    {"CounterThresholdRef", 800, 17, 1,
     [](CBlockObj& b, CBlockObj& ref) { b.m_pRef[0] = &ref, ref.m_dValue = 42.9; }, u"42", u"B3"},
    {"HoursToGoRoundsUp", 801, 20, 1,
     [](CBlockObj& b, CBlockObj&) { static_cast<CBlockHCOUNTER&>(b).m_nRemaining = 61; }, u"2", u"2"},
    {"HoursMi", 801, 65, 3, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 12, b.m_nParam9 = 5; },
     u"12:5 Hours(h:m)", u"12h:5m"},
    {"GateTime", 802, 23, 3, [](CBlockObj& b, CBlockObj&) { b.m_nParam15 = 1, b.m_nParam14 = 50; },
     u"01:50 Seconds..", u"01:50ms"},
    {"ComparatorTwoDecimals", 803, 24, 0, [](CBlockObj& b, CBlockObj&) { Analog(b, 1234, 2); }, u"  12.34",
     u"  12.34"},
    {"ComparatorNoDecimals", 803, 24, 0, [](CBlockObj& b, CBlockObj&) { Analog(b, 1234, 0); }, u"  1234 ",
     u"  1234 "},
    {"DecimalsOutsideRange", 803, 24, 0, [](CBlockObj& b, CBlockObj&) { Analog(b, 1234, 5); }, u"", u""},
    {"TriggerOffIsSum", 807, 25, 5,
     [](CBlockObj& b, CBlockObj&) {
       Analog(b, 100, 1);
       static_cast<CBlockAnalog&>(b).m_nThreshold2 = 50;
     },
     u"   15.0", u"   15.0"},
    {"MuxValueRef", 816, 85, 2, [](CBlockObj& b, CBlockObj& ref) { b.m_pRef[1] = &ref, b.m_nParam15 = 77; },
     u"77", u"B3"},
    {"MathErrNoRef", 823, 99, 0, nullptr, u"", u"----"},
    {"BarKindLong", 800, 16, MSGELEM_BARGRAPH, nullptr, u"Bar", u"0"},
    {"ScaleTimeKindLong", 800, 16, MSGELEM_SCALETIME, nullptr, u"", u"0"},
    {"BinInput", 833, 89, 0, [](CBlockObj& b, CBlockObj&) { b.m_nChangeState = 0, b.m_nLastInput = 0xFFFF; },
     u"0xFFFF", u"0xFFFF"},
    {"BcdResult", 832, 114, 1, [](CBlockObj& b, CBlockObj&) { b.m_dValue = 4660; }, u"0x1234", u"0x1234"},
    {"ShiftCountClamped", 836, 119, 1,
     [](CBlockObj& b, CBlockObj& ref) { b.m_pRef[0] = &ref, ref.m_dValue = 40, b.m_nChangeState = 1; }, u"15",
     u"B3"},
    {"MaskHex", 838, 120, 1, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 0x00FF, b.m_nChangeState = 1; },
     u"0x00FF", u"0x00FF"},
    {"LogBase", 864, 122, 1, [](CBlockObj& b, CBlockObj&) { b.m_nParam11 = 0, b.m_nChangeState = 1; }, u"e",
     u"e"},
    {"ArrayModeOutside", 845, 95, 2, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 5, b.m_nChangeState = 1; },
     u"Average", u"Average"},
    {"EncoderSource", 848, 130, 2, [](CBlockObj& b, CBlockObj&) { b.m_nParam20 = 1; }, u"I2&I3", u"I2&I3"},
    {"EncoderOnThresholdClamped", 848, 141, 3,
     [](CBlockObj& b, CBlockObj& ref) { b.m_pRef[0] = &ref, ref.m_dValue = 5e6; }, u"999999", u"B3"},
    {"AnalogInput", 608, 131, 0, [](CBlockObj& b, CBlockObj&) { b.m_nSimValue = 123; }, u" 123.0", u""},
    {"InputOffersNothing", 600, 132, 0, nullptr, u"", u""},
    {"GateWithoutRow", 300, 0, 0, nullptr, u"", u""},
};

class MsgParamFormatTest : public testing::TestWithParam<FormatCase> {};

TEST_P(MsgParamFormatTest, LongAndDisplayText) {
  const FormatCase& c = GetParam();
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* ref = builder.Add(800);
  ref->m_nNumber = 9003;
  CBlockObj* block = builder.Add(c.type);
  ASSERT_NE(block, nullptr);
  if (c.setup) c.setup(*block, *ref);
  CString longText, displayText;
  FormatMessageParamText(block, &builder.View(), &longText, c.param, c.kind);
  FormatMessageParamDisplay(block, &builder.View(), &displayText, c.param, c.kind);
  EXPECT_EQ(longText, CString(c.longText)) << longText.ToUtf8();
  EXPECT_EQ(displayText, CString(c.displayText)) << displayText.ToUtf8();
}

INSTANTIATE_TEST_SUITE_P(Cases, MsgParamFormatTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FormatCase>& info) { return info.param.name; });

TEST(MsgParamFormatTest, MessageClockAndEnableMoment) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  auto* msg = builder.Add<CBlockMSGTEXT>(810);
  CFakeViewContext& view = builder.View();
  view.m_nEditMode = MODE_SIMULATION;
  view.m_stSimTime = SYSTEMTIME{2026, 12, 0, 10, 21, 5, 3, 0};  // a Thursday
  CString text;
  FormatMessageParamText(msg, &view, &text, 34, 0);
  EXPECT_EQ(text, CString(u"PM 09:05:03"));
  text.Empty();
  FormatMessageParamDisplay(msg, &view, &text, 34, 0);
  EXPECT_EQ(text, CString(u"Th 21:05"));
  text.Empty();
  FormatMessageParamDisplay(msg, &view, &text, 1, 1);
  EXPECT_EQ(text, CString(u"2026-12-10"));

  // One long-text repaint captures both enable texts; later repaints show that moment.
  text.Empty();
  FormatMessageParamText(msg, &view, &text, 2, 2);
  EXPECT_EQ(text, CString(u"PM 09:05:03"));
  EXPECT_EQ(msg->m_bCaptureTime, 0);
  view.m_stSimTime.wMinute = 40;
  text.Empty();
  FormatMessageParamDisplay(msg, &view, &text, 2, 2);
  EXPECT_EQ(text, CString(u"Th 21:05"));
  text.Empty();
  FormatMessageParamDisplay(msg, &view, &text, 3, 3);
  EXPECT_EQ(text, CString(u"2026-12-10"));
  EXPECT_EQ(msg->m_bCaptureDate, 0);

  // The block asks for a new capture: the next formatting takes the clock anew.
  msg->m_bCaptureTime = 1;
  text.Empty();
  FormatMessageParamDisplay(msg, &view, &text, 2, 2);
  EXPECT_EQ(text, CString(u"Th 21:40"));
  EXPECT_EQ(msg->m_strEnableTime, CString(u"PM 09:40:03"));
}

TEST(MsgParamFormatTest, DelayCurrentTimeRefreshesOnlyOutsideSimulation) {
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* delay = builder.Add(400);
  delay->m_nParam11 = 1;
  delay->m_dValue = 65000;  // 1 min 5 s
  CFakeViewContext& view = builder.View();
  view.m_nEditMode = MODE_SELECT;
  CString text;
  FormatMessageParamText(delay, &view, &text, 0, 0);
  EXPECT_EQ(text, CString(u"01:05 Minutes(.."));
  view.m_nEditMode = MODE_SIMULATION;
  delay->m_dValue = 0;
  text.Empty();
  FormatMessageParamText(delay, &view, &text, 0, 0);
  EXPECT_EQ(text, CString(u"01:05 Minutes(..")) << "the scan keeps the time text in simulation";
}

}  // namespace
