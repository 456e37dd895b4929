// The record decoders field by field: a block with values away from its
// defaults is compiled, the image decoded, and the values (and the fields
// the decoder derives from them) must come back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/time_blocks.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"

namespace {

struct FieldCase {
  const char* name;
  WORD model;
  int type;
  std::function<void(CBlockObj&)> set;
  std::function<void(const CBlockObj&)> check;
};

class RecordDecoderTest : public testing::TestWithParam<FieldCase> {};

TEST_P(RecordDecoderTest, ValuesComeBack) {
  const FieldCase& c = GetParam();
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CDiagramBuilder d(kDocFbd, c.model);
  CBlockObj* helper = d.Add(kTypeAnd);  // B0: a block for references
  CBlockObj* b = d.Add(c.type);         // B1
  c.set(*b);
  if (b->m_bUseRef[0] != 0) b->m_pRef[0] = helper;
  DownloadImage out;
  ASSERT_TRUE(PrepareDownload(d.Doc(), &out));
  CZaradDoc decoded(NewDocumentSettings{kDocFbd, c.model});
  CString error;
  ASSERT_TRUE(DecodeProgramImage(out.image, c.model, decoded, error)) << error.ToUtf8();
  const CBlockObj* back = decoded.FindBlockByNumber(9001);
  ASSERT_NE(back, nullptr);
  ASSERT_EQ(back->m_nType, c.type);
  c.check(*back);
  // And the decoded block compiles to the same record.
  DownloadImage again;
  ASSERT_TRUE(PrepareDownload(decoded, &again));
  EXPECT_EQ(again.image.program, out.image.program);
}

const CBlockAnalog& A(const CBlockObj& b) {
  return static_cast<const CBlockAnalog&>(b);
}
CBlockAnalog& A(CBlockObj& b) {
  return static_cast<CBlockAnalog&>(b);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RecordDecoderTest,
    testing::Values(
        FieldCase{"OnDelayTimeAndFlags", 0x5188, 400,
                  [](CBlockObj& b) {
                    b.m_nParam1 = 1, b.m_nParam2 = 0;                      // retentive, not protected
                    b.m_nParam10 = 1, b.m_nParam9 = 30, b.m_nParam11 = 0;  // 1:30 h:m
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam1, 1);
                    EXPECT_EQ(b.m_nParam2, 0);
                    EXPECT_EQ(b.m_nParam10, 1);
                    EXPECT_EQ(b.m_nParam9, 30);
                    EXPECT_EQ(b.m_nParam11, 0);
                  }},
        FieldCase{"OnDelayReferencedTime", 0x5188, 400,
                  [](CBlockObj& b) {
                    b.m_bUseRef[0] = 1;
                    b.m_nParam12 = 1;  // the reference's base
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_bUseRef[0], 1);
                    EXPECT_EQ(b.m_nRefNumber[0], 9000);
                    ASSERT_NE(b.m_pRef[0], nullptr);
                    EXPECT_EQ(b.m_pRef[0]->m_nNumber, 9000);
                    EXPECT_EQ(b.m_nParam12, 1);
                  }},
        FieldCase{"StairwayPreWarning", 0x5188, 408,
                  [](CBlockObj& b) {
                    b.m_nParam20 = 0, b.m_nParam19 = 15, b.m_nParam22 = 0, b.m_nParam21 = 1;
                    b.m_nParam16 = 0;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam19, 15);
                    EXPECT_EQ(b.m_nParam21, 1);
                    EXPECT_EQ(b.m_nParam18, 1);  // X5: the pre-warning pair
                  }},
        FieldCase{"WeeklyTimerCams", 0x5188, 410,
                  [](CBlockObj& b) {
                    auto& t = static_cast<CBlockTime&>(b);
                    t.m_bCamOnUnset[0] = 0;
                    t.m_nCamOn[0][0] = 9, t.m_nCamOn[0][1] = 0;
                    t.m_bCamOffUnset[1] = 0;
                    t.m_nCamOff[1][0] = 17, t.m_nCamOff[1][1] = 45;
                    t.m_nCamDays[0][1] = 1, t.m_nCamDays[0][5] = 1;
                    t.m_nParam4 = 1;  // P3: pulse output
                  },
                  [](const CBlockObj& b) {
                    const auto& t = static_cast<const CBlockTime&>(b);
                    EXPECT_EQ(t.m_bCamOnUnset[0], 0);
                    EXPECT_EQ(t.m_nCamOn[0][0], 9);
                    EXPECT_EQ(t.m_bCamOffUnset[0], 1);
                    EXPECT_EQ(t.m_nCamOff[1][0], 17);
                    EXPECT_EQ(t.m_nCamOff[1][1], 45);
                    EXPECT_EQ(t.m_nCamDays[0][1], 1);
                    EXPECT_EQ(t.m_nCamDays[0][5], 1);
                    EXPECT_EQ(t.m_nCamDays[0][2], 0);
                    EXPECT_EQ(t.m_nParam4, 1);
                  }},
        FieldCase{"YearlyTimerMonthlyOlder", 0x1188, 411,
                  [](CBlockObj& b) { b.m_nParam3 = 1, b.m_nParam9 = 5; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam3, 1);  // P2: every month
                    EXPECT_EQ(b.m_nParam10, 1);
                    EXPECT_EQ(b.m_nParam15, 12);
                    EXPECT_EQ(b.m_nParam9, 5);
                  }},
        FieldCase{"AstroClockTimeZone", 0x5188, 412, [](CBlockObj& b) { b.m_nParam16 = 14; },
                  [](const CBlockObj& b) { EXPECT_EQ(b.m_nParam16, 14); }},
        FieldCase{"CounterLimits", 0x5188, 800,
                  [](CBlockObj& b) { b.m_nParam10 = 999999, b.m_nParam15 = 42, b.m_nParam8 = 7; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam10, 999999);
                    EXPECT_EQ(b.m_nParam15, 42);
                    EXPECT_EQ(b.m_nParam8, 7);
                  }},
        FieldCase{"AmplifierSensorFields", 0x5188, 805,
                  [](CBlockObj& b) {
                    A(b).m_dGain = 1.25;
                    A(b).m_nOffset = -20;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_DOUBLE_EQ(A(b).m_dGain, 1.25);
                    EXPECT_EQ(A(b).m_nOffset, -20);
                    EXPECT_EQ(A(b).m_nRangeMin, -20);
                    EXPECT_EQ(A(b).m_nRangeMax, 1230);
                    EXPECT_EQ(A(b).m_nSensor, 4);
                  }},
        FieldCase{"DifferentialTriggerLevels", 0x5188, 807,
                  [](CBlockObj& b) {
                    A(b).m_nThreshold1 = 30000;
                    A(b).m_nThreshold2 = 70000;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(A(b).m_nThreshold1, 30000);
                    EXPECT_EQ(A(b).m_nThreshold2, 70000);
                  }},
        FieldCase{
            "MathInstructionOperators", 0x5188, 815,
            [](CBlockObj& b) { b.m_nParam25 = 3, b.m_nParam21 = 2, b.m_nParam16 = 1, b.m_nParam11 = 1; },
            [](const CBlockObj& b) {
              EXPECT_EQ(b.m_nParam25, 3);
              EXPECT_EQ(b.m_nParam21, 2);
              EXPECT_EQ(b.m_nParam16, 1);
              EXPECT_EQ(b.m_nParam11, 1);
            }},
        FieldCase{"AnalogFilterSamples", 0x5188, 820, [](CBlockObj& b) { b.m_nParam11 = 2; },
                  [](const CBlockObj& b) { EXPECT_EQ(b.m_nParam11, 2); }},
        FieldCase{"MathErrorMode", 0x5188, 823, [](CBlockObj& b) { b.m_nParam9 = 2; },
                  [](const CBlockObj& b) { EXPECT_EQ(b.m_nParam9, 2); }},
        FieldCase{"PiController", 0x5188, 818,
                  [](CBlockObj& b) {
                    A(b).m_nTiMinutes = 2, A(b).m_nTiSeconds = 5;
                    A(b).m_dKc = 1.5;
                    A(b).m_nSelect = 1;
                    A(b).m_nPoint = 2;
                    A(b).m_nRangeMin = -100, A(b).m_nRangeMax = 900;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(A(b).m_nTiMinutes, 2);
                    EXPECT_EQ(A(b).m_nTiSeconds, 5);
                    EXPECT_DOUBLE_EQ(A(b).m_dKc, 1.5);
                    EXPECT_EQ(A(b).m_nSelect, 1);
                    EXPECT_EQ(A(b).m_nPoint, 2);
                    EXPECT_EQ(A(b).m_nRangeMin, -100);
                    EXPECT_EQ(A(b).m_nRangeMax, 900);
                  }},
        FieldCase{"PwmChannelAndSensor", 0x5188, 819,
                  [](CBlockObj& b) { A(b).m_nSelect = 1, A(b).m_nSensor = 4; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(A(b).m_nSelect, 1);
                    EXPECT_EQ(A(b).m_nSensor, 4);
                  }},
        FieldCase{"ModbusAutoAddress", 0x5188, 813,
                  [](CBlockObj& b) {
                    auto& m = static_cast<CBlockMR&>(b);
                    m.m_byDataMode = 0;
                    m.m_wDataAddress = 300;
                    m.m_bySlaveAddress = 5;
                    m.m_byFunction = 3;
                    m.m_nPort = 2;
                  },
                  [](const CBlockObj& b) {
                    const auto& m = static_cast<const CBlockMR&>(b);
                    EXPECT_EQ(m.m_nDataType, 1);
                    EXPECT_EQ(m.m_wDataIndex, 44);
                    EXPECT_EQ(m.m_bySlaveAddress, 5);
                    EXPECT_EQ(m.m_byFunction, 3);
                    EXPECT_EQ(m.m_nPort, 2);
                  }},
        FieldCase{"UdcAnalogOperand", 0x5188, 855, [](CBlockObj& b) { b.m_nParam20 = 2, b.m_nParam6 = 3; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam20, 2);
                    EXPECT_EQ(b.m_nParam6, 3);
                  }},
        FieldCase{"QuadraticFactor", 0x5188, 879, [](CBlockObj& b) { b.m_dParam = 0.29; },
                  [](const CBlockObj& b) { EXPECT_NEAR(b.m_dParam, 0.29, 1e-12); }},
        FieldCase{"WifiStation", 0x5188, 824,
                  [](CBlockObj& b) {
                    auto& f = static_cast<CBlockWIFI&>(b);
                    f.m_nWifiSource = 0, f.m_nWifiId = 3, f.m_nWifiBlockType = 1, f.m_nWifiBlockNumber = 7;
                  },
                  [](const CBlockObj& b) {
                    const auto& f = static_cast<const CBlockWIFI&>(b);
                    EXPECT_EQ(f.m_nWifiId, 3);
                    EXPECT_EQ(f.m_nWifiBlockType, 1);
                    EXPECT_EQ(f.m_nWifiBlockNumber, 7);
                  }},
        FieldCase{"WatchdogOlder", 0x1188, 806,
                  [](CBlockObj& b) {
                    A(b).m_nThreshold2 = -150;
                    A(b).m_dGain = 0.5;
                    A(b).m_nOffset = 12;
                    A(b).m_nPoint = 1;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(A(b).m_nThreshold2, -150);
                    EXPECT_DOUBLE_EQ(A(b).m_dGain, 0.5);
                    EXPECT_EQ(A(b).m_nOffset, 12);
                    EXPECT_EQ(A(b).m_nRangeMax, 512);
                    EXPECT_EQ(A(b).m_nPoint, 1);
                  }},
        FieldCase{"WatchdogNewerReference", 0x5188, 806,
                  [](CBlockObj& b) {
                    b.m_bUseRef[0] = 1;
                    A(b).m_nThreshold2 = 77;
                  },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nRefNumber[0], 9000);
                    EXPECT_EQ(A(b).m_nThreshold2, 77);
                  }},
        FieldCase{"HoursCounterOlder", 0x1188, 801,
                  [](CBlockObj& b) { b.m_nParam15 = 20, b.m_nParam10 = 300, b.m_nParam18 = 1; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam15, 20);
                    EXPECT_EQ(b.m_nParam10, 300);
                    EXPECT_EQ(b.m_nParam18, 1);
                  }},
        FieldCase{"ShiftRegisterNewer", 0x5188, 812, [](CBlockObj& b) { b.m_nParam23 = 5, b.m_nParam24 = 3; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam23, 5);
                    EXPECT_EQ(b.m_nParam24, 3);
                  }},
        FieldCase{"AndMaskText", 0x5188, 838, [](CBlockObj& b) { b.m_nParam10 = 0x12AB; },
                  [](const CBlockObj& b) {
                    EXPECT_EQ(b.m_nParam10, 0x12AB);
                    EXPECT_EQ(b.m_strMask, CString(u"12AB"));
                  }}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

}  // namespace
