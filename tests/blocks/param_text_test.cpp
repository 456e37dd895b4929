#include "blocks/param_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>

#include "blocks/analog_blocks.h"
#include "blocks/block_draw.h"
#include "blocks/block_factory.h"
#include "blocks/comm_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "platform/recording_dc.h"
#include "support/diagram_builder.h"

namespace {

using Lines = std::map<int, std::string>;

Lines LinesOf(const ParameterTextLayout& layout) {
  Lines out;
  for (const ParameterTextLine& l : layout.lines) out[l.line] = l.text.ToUtf8();
  return out;
}

struct Case {
  const char* what;
  int type;
  bool newer;
  std::function<void(CBlockObj&, CBlockObj& ref)> setup;
  Lines lines;
  int indentChars;      // when indentLine is -1
  int indentLine = -1;  // the line whose width sets the indent
  int indentExtra = 0;
};

TEST(ParameterTextTest, LinesAndIndentByLayoutFamily) {
  auto timeRef = [](CBlockObj& b, CBlockObj& ref) {
    b.m_bUseRef[0] = 1;
    b.m_pRef[0] = &ref;
    b.m_nParam12 = 1;
  };
  const Case cases[] = {
      {"on-delay 5:30 m",
       400,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 5;
         b.m_nParam9 = 30;
         b.m_nParam11 = 1;
       },
       {{1, "Rem=off\n"}, {2, "05:30m+"}},
       8},
      {"on-delay from a block in seconds", 400, true, timeRef, {{1, "Rem=off\n"}, {2, "B7s+"}}, 8},
      {"on-delay from a block, older series", 400, false, timeRef, {{1, "Rem=off\n"}, {2, "B7s+"}}, 8},
      {"reference flag without a block",
       400,
       true,
       [](CBlockObj& b, CBlockObj&) { b.m_bUseRef[0] = 1; },
       {{1, "Rem=off\n"}, {2, "+"}},
       8},
      {"wiping relay pulse count, retentive, protected",
       405,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam1 = 1;
         b.m_nParam2 = 1;
         b.m_nParam17 = 2;
       },
       {{1, "Rem=on\n"}, {2, "00:00s-"}, {3, "00:00s"}, {4, "3"}},
       8},
      {"stairway switch",
       408,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam11 = 0;
         b.m_nParam20 = 1;
         b.m_nParam19 = 2;
         b.m_nParam22 = 0;
         b.m_nParam21 = 3;
       },
       {{1, "Rem=off\n"}, {2, "00:00h+"}, {3, "01:02h"}, {4, "00:03h"}},
       8},
      {"weekly timer, cam without days",
       410,
       true,
       [](CBlockObj& b, CBlockObj&) {
         auto& t = static_cast<CBlockTime&>(b);
         t.m_bCamOnUnset[0] = 0;
         t.m_nCamOn[0][0] = 6;
         t.m_nCamDays[1][1] = 1;
         t.m_nCamDays[1][6] = 1;
         t.m_bCamOnUnset[1] = 0;
         t.m_nCamOn[1][0] = 7;
         t.m_nCamOn[1][1] = 5;
       },
       {{0, "+"},
        {1, "-------"},
        {2, "--:--"},
        {3, "--:--"},
        {4, "-M----S"},
        {5, "07:05h"},
        {6, "--:--"},
        {7, "-------"},
        {8, "--:--"},
        {9, "--:--"}},
       8},
      {"yearly timer",
       411,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam7 = 2024;
         b.m_nParam10 = 3;
         b.m_nParam9 = 15;
         b.m_nParam6 = 2030;
         b.m_nParam15 = 12;
         b.m_nParam14 = 31;
       },
       {{1, "YY:MM.DD\n"}, {2, "24:03.15+"}, {3, "30:12.31"}, {4, "Yearly=Y\n"}, {5, "Pulse=N\n"}},
       9},
      {"yearly timer, older series",
       411,
       false,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam3 = 1;
         b.m_nParam9 = 5;
         b.m_nParam14 = 6;
       },
       {{1, "MM.DD\n"}, {2, "**.05+"}, {3, "**.06"}},
       9},
      {"astronomical clock",
       412,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 1;
         b.m_nParam15 = 12;
         b.m_nParam20 = 30;
         b.m_nParam22 = 5;
         b.m_nParam16 = 14;
       },
       {{1, "Lot:W12.30'5\"+"}, {2, "Lat:N0.0'0\""}, {3, "TZ:-2"}},
       11},
      {"stopwatch",
       413,
       true,
       [](CBlockObj& b, CBlockObj&) { b.m_nParam11 = 7; },
       {{1, "Rem=off\n"}, {2, "TB = ms+"}},
       8},
      {"up/down counter",
       800,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 10;
         b.m_nParam15 = 5;
         b.m_nParam8 = 2;
       },
       {{1, "Rem=off\n"}, {2, "On=10+"}, {3, "Off=5"}, {4, "Start=2\n"}},
       10},
      {"up/down counter, older series",
       800,
       false,
       [](CBlockObj&, CBlockObj&) {},
       {{1, "Rem=off\n"}, {2, "On=0+"}, {3, "Off=0"}},
       10},
      {"hours counter",
       801,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 100;
         b.m_nParam9 = 5;
         b.m_nParam1 = 1;
         b.m_nParam18 = 0;
       },
       {{1, "MI=100h 5m+"}, {2, "OT=0h 0m"}, {3, "Q->0=R+En"}},
       12},
      {"frequency trigger",
       802,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam15 = 1;
         b.m_nParam14 = 50;
       },
       {{1, "ON=0+"}, {2, "OFF=0"}, {3, "G_T=01:50s"}},
       0,
       3,
       5},
      {"analog comparator",
       803,
       true,
       [](CBlockObj& b, CBlockObj& ref) {
         auto& a = static_cast<CBlockAnalog&>(b);
         a.m_dGain = 1.5;
         a.m_nThreshold2 = 30;
         a.m_pRef[0] = &ref;  // referenced whatever the flag says
       },
       {{0, "On=B7"}, {1, "Off=30"}, {2, "Gain= 1.50+"}, {3, "Offset=0"}, {4, "Point=0"}},
       0,
       2,
       20},
      {"analog watchdog, older series",
       806,
       false,
       [](CBlockObj& b, CBlockObj&) {
         auto& a = static_cast<CBlockAnalog&>(b);
         a.m_nThreshold1 = 1;
         a.m_nThreshold2 = 2;
       },
       {{1, "Threshold 1=2+"}, {2, "Threshold 2=2"}, {3, "Gain= 1.00"}, {4, "Offset=0"}, {5, "Point=0"}},
       0,
       2,
       20},
      {"relay",
       809,
       true,
       [](CBlockObj& b, CBlockObj&) { b.m_nParam25 = 1; },
       {{1, "SR"}, {2, "Rem=off\n"}},
       8},
      {"message text",
       810,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam17 = 3;
         b.m_nParam18 = 1;
       },
       {{1, "Prio=3"}, {2, "Quit=On"}},
       8},
      {"shift register",
       812,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam24 = 1;
         b.m_nParam23 = 7;
       },
       {{1, "Q=S1.7"}, {2, "Rem=off\n"}},
       8},
      {"Modbus read without a port",
       813,
       true,
       [](CBlockObj& b, CBlockObj&) { static_cast<CBlockMR&>(b).m_nPort = -1; },
       {{0, "Slave Addr=  1"}, {1, "No Setting"}, {2, "No Setting"}},
       14},
      {"Modbus write",
       814,
       true,
       [](CBlockObj& b, CBlockObj&) {
         static_cast<CBlockMR&>(b).m_nPort = 2;
         static_cast<CBlockMR&>(b).m_byCommand = 3;
       },
       {{0, "Slave Addr=  1"}, {1, "COM2(RS485)"}, {2, "16 Write Multiple Registers"}},
       14},
      {"PWM",
       819,
       true,
       [](CBlockObj& b, CBlockObj&) { static_cast<CBlockAnalog&>(b).m_nSelect = 4; },
       {{0, "RangeMax=0"}, {1, "RangeMin=0"}, {2, "Out=Disable+"}, {3, "00:00s+"}},
       15},
      {"math error detection",
       823,
       true,
       [](CBlockObj& b, CBlockObj&) { b.m_nParam18 = 1; },
       {{1, "Rem=off\n"},
        {2, "Source = null+"},
        {3, "Zero div = Y"},
        {4, "Overflow = N"},
        {5, "Auto Rst = Y"}},
       8},
      {"WiFi digital read, station",
       824,
       true,
       [](CBlockObj& b, CBlockObj&) {
         auto& w = static_cast<CBlockWIFI&>(b);
         w.m_nWifiId = 2;
         w.m_nWifiBlockType = 1;
         w.m_nWifiBlockNumber = 4;
       },
       {{1, "Station : WiFi ID3"}, {2, "Block : Q4"}},
       16},
      {"WiFi diagnostic",
       824,
       true,
       [](CBlockObj& b, CBlockObj&) { static_cast<CBlockWIFI&>(b).m_nWifiSource = 2; },
       {{1, "Diagnostic"}, {2, "WiFi ID1 communication status"}},
       16},
      {"rotate", 834, true, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 3; }, {{2, "NbR = 3"}}, 8},
      {"mask from a block",
       838,
       true,
       [](CBlockObj& b, CBlockObj& ref) { b.m_pRef[0] = &ref; },
       {{3, "Mask = B7"}},
       8},
      {"mask", 840, true, [](CBlockObj& b, CBlockObj&) { b.m_nParam10 = 0xFF; }, {{3, "Mask = 0x00FF"}}, 8},
      {"max/min/avg over registers",
       844,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 2;
         b.m_nParam9 = 1;
         b.m_nParam14 = 3;
         b.m_nParam15 = 4;
       },
       {{1, "Mode=AVG"}, {2, "Data=AQ3"}, {3, "Count=4"}},
       10},
      {"stepping motor with edge",
       850,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam20 = 200;
         b.m_nParam15 = 100;
       },
       {{1, "Mode=0.5 step"}, {2, "Pin=Q0~Q3"}, {3, "Speed=100"}, {4, "Steps=200"}},
       10},
      {"CRC16",
       856,
       true,
       [](CBlockObj& b, CBlockObj&) { b.m_nParam15 = 8; },
       {{3, "Start Address=AM0"}, {4, "Count=8"}},
       10},
      {"logarithm",
       864,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam11 = 1;
         b.m_dParam = 2.5;
       },
       {{2, "Base=2"}, {3, "Amp= 2.50"}},
       10},
      {"quadratic",
       879,
       true,
       [](CBlockObj& b, CBlockObj&) {
         b.m_nParam10 = 2;
         b.m_nParam11 = 1;
         b.m_dParam = 1.5;
       },
       {{1, "A=2"}, {2, "B=0"}, {3, "C=0"}, {4, "Dir= 1"}, {5, "Amp=  1.50"}},
       9},
      {"memory block: stub only", 847, true, [](CBlockObj&, CBlockObj&) {}, {}, 0},
      {"data log: stub only", 911, true, [](CBlockObj&, CBlockObj&) {}, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CDiagramBuilder d(kDocFbd, c.newer ? 0x5188 : 0x2188);
    CBlockObj* ref = d.Add(300);
    ref->m_nNumber = 9007;
    CBlockObj* b = d.Add(c.type);
    c.setup(*b, *ref);
    const ParameterTextLayout layout = BuildParameterTextLayout(*b, c.newer);
    EXPECT_EQ(LinesOf(layout), c.lines);
    EXPECT_EQ(layout.indentLine, c.indentLine);
    if (c.indentLine < 0) {
      EXPECT_EQ(layout.indentChars, c.indentChars);
    } else {
      EXPECT_EQ(layout.indentExtra, c.indentExtra);
    }
  }
}

TEST(ParameterTextTest, DrawnLeftOfTheBodyInGreyGreen) {
  CDiagramBuilder d;
  CBlockObj* b = d.Add(400);  // on-delay: Trg digital, T a parameter pin
  b->m_ptPos = CPoint(300, 100);
  b->m_nParam10 = 5;
  b->m_nParam9 = 30;
  b->m_nParam11 = 1;
  CRecordingDC dc;
  const COLORREF before = dc.SetTextColor(0x111111);
  b->Draw(&d.View(), &dc, 0, 0);
  EXPECT_EQ(dc.GetTextColor(), 0x111111u);
  static_cast<void>(before);
  const int pitch = b->m_nHeight / 3;
  const int y = 100 + 2 * pitch;  // pin 1
  const DCCall* line2 = dc.FindText(CString(u"05:30m+"));
  ASSERT_NE(line2, nullptr);
  EXPECT_EQ(line2->rect.TopLeft(), CPoint(300 - 48, y + 24 - 3));
  EXPECT_EQ(line2->textColor, 0x408040u);
  EXPECT_EQ(line2->font.lfHeight, 12);
  ASSERT_NE(dc.FindText(CString(u"Rem=off\n")), nullptr);
  bool stub = false;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) {
    if (c->points[0] == CPoint(295, y) && c->points[1] == CPoint(300, y))
      stub = c->pen.GetColor() == 0x408040u;
  }
  EXPECT_TRUE(stub);
}

TEST(ParameterTextTest, IndentMeasuredFromALine) {
  CDiagramBuilder d;
  auto* a = static_cast<CBlockAnalog*>(d.Add(805));
  a->m_ptPos = CPoint(300, 100);
  CRecordingDC dc;
  a->Draw(&d.View(), &dc, 0, 0);
  const DCCall* gain = dc.FindText(CString(u"Gain= 1.00+"));
  ASSERT_NE(gain, nullptr);
  // The recording context makes every character 6 units wide in the label font.
  EXPECT_EQ(gain->rect.left, 300 - (6 * 11 + 20));
}

// Drawing leaves out a parameter text whose rows, line 0 to
// kParameterTextLastLine, could not show; every line of every layout stays
// within them, for each block type and series, with constants or references,
// flags off or on.
TEST(ParameterTextTest, LineNumbersStayWithinTheRowsDrawingLooksAt) {
  auto ref = MakeBlockOfType(800);
  ASSERT_NE(ref, nullptr);
  ref->m_nNumber = 9007;
  const std::function<void(CBlockObj&)> setups[] = {
      [](CBlockObj&) {},
      [&ref](CBlockObj& b) {
        b.m_nParam1 = b.m_nParam2 = b.m_nParam3 = b.m_nParam4 = b.m_nParam5 = 1;
        for (int k = 0; k < kRefCount; ++k) {
          b.m_bUseRef[k] = 1;
          b.m_pRef[k] = ref.get();
        }
        if (auto* t = dynamic_cast<CBlockTime*>(&b)) {
          for (int k = 0; k < CBlockTime::kCams; ++k) t->m_nCamDays[k][k] = 1;
        }
      },
  };
  int blocks = 0;
  int lastSeen = 0;
  for (int type = 300; type < 1000; ++type) {
    for (const auto& setup : setups) {
      auto b = MakeBlockOfType(type);
      if (b == nullptr) continue;
      ++blocks;
      setup(*b);
      for (const bool newer : {false, true}) {
        for (const ParameterTextLine& line : BuildParameterTextLayout(*b, newer).lines) {
          EXPECT_GE(line.line, 0) << type;
          EXPECT_LE(line.line, kParameterTextLastLine) << type;
          lastSeen = std::max(lastSeen, line.line);
        }
      }
    }
  }
  EXPECT_GT(blocks, 100);
  EXPECT_EQ(lastSeen, kParameterTextLastLine);  // the weekly timer's last cam
}

TEST(ParameterTextTest, WeeklyTimerWritesItsTextOnceAtItsLastParameterPin) {
  CDiagramBuilder d;
  CBlockObj* b = d.Add(410);
  CRecordingDC dc;
  b->Draw(&d.View(), &dc, 0, 0);
  int plus = 0;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kText)) plus += c->text == CString(u"+") ? 1 : 0;
  EXPECT_EQ(plus, 1);
  int stubs = 0;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine)) stubs += c->pen.GetColor() == 0x408040u ? 1 : 0;
  EXPECT_EQ(stubs, 3);
}

}  // namespace
