#include "blocks/operand_blocks.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "blocks/analog_blocks.h"
#include "platform/archive.h"
#include "support/diagram_builder.h"

namespace {

constexpr int O = -1;  // the source is open in the tables below

TEST(OperandBlocksTest, OutputCopiesItsSourceAndReportsChanges) {
  // Scan by scan: the source state (O open), the output and whether the
  // Outputs bar was told.
  struct Step {
    int source;
    int output;
    bool reported;
  };
  const Step steps[] = {{O, 0, false}, {1, 1, true},  {1, 1, false},
                        {O, 0, true},  {0, 0, false}, {1, 1, true}};
  CDiagramBuilder d;
  CBlockObj* in = d.Add(600);
  auto* out = d.Add<CBlockOut>(605);
  out->m_bInvert[0] = 1;  // the negation flag is not applied to an output
  for (const Step& s : steps) {
    d.View().m_outputUpdates.clear();
    if (s.source == O) {
      out->m_nSource[0] = LINK_OPEN;
    } else {
      CDiagramBuilder::Wire(in, out, 0);
      in->m_nValue[kFirstOutputPin] = s.source;
    }
    out->Simulate(&d.View());
    EXPECT_EQ(out->m_nValue[kFirstOutputPin], s.output);
    EXPECT_EQ(out->m_nValue[0], s.output);
    EXPECT_EQ(d.View().m_outputUpdates.size(), s.reported ? 1u : 0u);
    EXPECT_EQ(out->m_bChanged[0], 0);
  }
  // A link to no block reads as 0.
  out->m_nSource[0] = 4444;
  out->Simulate(&d.View());
  EXPECT_EQ(out->m_nValue[kFirstOutputPin], 0);
}

TEST(OperandBlocksTest, FlagsAndOpenConnectorsTakeTheirSourcesUnnegated) {
  struct Case {
    int type;
    int source;
    int invert;
    int input;
    int output;
  };
  const Case cases[] = {
      {607, 1, 1, 1, 1}, {607, 0, 1, 0, 0}, {607, O, 0, 0, 0}, {606, 1, 1, 1, 0}, {606, O, 1, 0, 0}};
  for (const Case& c : cases) {
    CDiagramBuilder d;
    CBlockObj* src = d.Add(604);  // status 1
    src->m_nValue[kFirstOutputPin] = c.source == O ? 0 : c.source;
    CBlockObj* b = d.Add(c.type);
    b->m_bInvert[0] = c.invert;
    if (c.source != O) CDiagramBuilder::Wire(src, b, 0);
    b->Simulate(&d.View());
    EXPECT_EQ(b->m_nValue[0], c.input) << c.type;
    EXPECT_EQ(b->m_nValue[kFirstOutputPin], c.output) << c.type;
  }
}

TEST(OperandBlocksTest, InputsReportToTheInputsBar) {
  // Switch behaviour reports when the output changed flag is set; frequency
  // behaviour reports each new simulated value once.
  struct Step {
    int changedFlag;
    int simValue;
    bool reported;
  };
  struct Case {
    int type;
    int behaviour;
    std::vector<Step> steps;
  };
  const Case cases[] = {
      {600, 0, {{0, 5, false}, {1, 5, true}, {0, 5, false}}},
      {611, 1, {{1, 0, true}, {0, 0, false}}},
      {600, 3, {{1, 0, false}, {0, 50, true}, {0, 50, false}, {1, 60, true}}},
      {611, 3, {{0, 7, true}}},
  };
  for (const Case& c : cases) {
    CDiagramBuilder d;
    CBlockObj* b = d.Add(c.type);
    b->m_nParam26 = c.behaviour;
    for (const Step& s : c.steps) {
      d.View().m_inputUpdates.clear();
      b->m_bChanged[kFirstOutputPin] = s.changedFlag;
      b->m_nSimValue = s.simValue;
      b->Simulate(&d.View());
      EXPECT_EQ(d.View().m_inputUpdates.size(), s.reported ? 1u : 0u) << c.type << " mode " << c.behaviour;
      if (c.behaviour != 3) {
        EXPECT_EQ(b->m_bChanged[kFirstOutputPin], 0);
      }
    }
  }
}

TEST(OperandBlocksTest, AnalogOperandsCarryTheInputWord) {
  CDiagramBuilder d;
  auto* ai = d.Add<CBlockAnalogIn>(608);
  auto* aq = d.Add<CBlockAnalogOut>(609);
  auto* am = d.Add<CBlockAnalogFlag>(610);
  CDiagramBuilder::Wire(ai, aq, 0);
  auto* amp = d.Add<CBlockAnalog>(805);
  CDiagramBuilder::Wire(amp, am, 0);

  // Analog input: a new simulated value is reported once, with the changed flag cleared.
  ai->m_nSimValue = 300;
  ai->Simulate(&d.View());
  ai->Simulate(&d.View());
  EXPECT_EQ(d.View().m_inputUpdates.size(), 1u);
  EXPECT_EQ(ai->m_nShownValue, 300);
  EXPECT_EQ(ai->m_bChanged[kFirstOutputPin], 0);

  struct Step {
    int aiWord;
    int ampResult;
    bool aqReported;
    int amChanged;
  };
  const Step steps[] = {
      {0, 0, false, 0}, {-250, 0x1FFFF, true, 1}, {-250, 0x1FFFF, false, 1}, {7, 3, true, 1}};
  for (const Step& s : steps) {
    d.View().m_outputUpdates.clear();
    ai->m_nWordValue = s.aiWord;
    amp->m_nResult = s.ampResult;
    aq->Simulate(&d.View());
    am->Simulate(&d.View());
    EXPECT_EQ(aq->m_nWordValue, s.aiWord);
    EXPECT_EQ(am->m_nWordValue, static_cast<short>(s.ampResult));  // sign-extended low word
    EXPECT_EQ(d.View().m_outputUpdates.size(), s.aqReported ? 1u : 0u);
    EXPECT_EQ(aq->m_bChanged[0], 0);
    EXPECT_EQ(am->m_bChanged[0], s.amChanged);  // the flag's change mark stays set
  }
}

TEST(OperandBlocksTest, AnalogInputValueBoxLines) {
  CDiagramBuilder d;
  auto* ai = d.Add<CBlockAnalogIn>(608);
  ai->m_nSimValue = 42;
  ai->m_nWordValue = -1;
  EXPECT_EQ(ai->GetValueBoxLines(), (std::vector<CString>{u"42    "}));
  ai->m_nWordValue = 0;
  EXPECT_EQ(ai->GetValueBoxLines(), (std::vector<CString>{u"42    ", u"0     "}));
}

TEST(OperandBlocksTest, StatusAndShiftBitsKeepTheirOutput) {
  CDiagramBuilder d;
  for (int type : {602, 603, 604}) {
    CBlockObj* b = d.Add(type);
    const int before = b->m_nValue[kFirstOutputPin];
    EXPECT_EQ(before, type == 604 ? 1 : 0);
    b->Simulate(&d.View());
    EXPECT_EQ(b->m_nValue[kFirstOutputPin], before);
  }
}

TEST(OperandBlocksTest, RecordTailsRoundTrip) {
  // The digital input alone adds m_bHighSpeed (4 bytes) to the common record.
  struct Case {
    int type;
    size_t tail;
  };
  const Case cases[] = {{600, 4}, {602, 0}, {603, 0}, {604, 0}, {605, 0}, {606, 0},
                        {607, 0}, {608, 0}, {609, 0}, {610, 0}, {611, 0}};
  for (const Case& c : cases) {
    CDiagramBuilder d;
    CBlockObj* b = d.Add(c.type);
    b->m_strName = u"op";
    b->m_nSimValue = 17;
    if (auto* in = DYNAMIC_DOWNCAST(CBlockIn, b)) in->m_bHighSpeed = 1;

    CArchive common;
    b->CBlockObj::Serialize(common);
    CArchive store;
    store.WriteObject(b);
    CArchive full;
    b->Serialize(full);
    EXPECT_EQ(full.TakeBytes().size(), common.TakeBytes().size() + c.tail) << c.type;

    CArchive load(store.TakeBytes());
    std::unique_ptr<CObject> obj(load.ReadObject(RUNTIME_CLASS(CBlockObj)));
    EXPECT_TRUE(load.IsBufferEmpty()) << c.type;
    auto* back = dynamic_cast<CBlockObj*>(obj.get());
    ASSERT_NE(back, nullptr) << c.type;
    EXPECT_EQ(back->GetRuntimeClass(), b->GetRuntimeClass());
    EXPECT_EQ(back->m_nType, c.type);
    EXPECT_EQ(back->m_nNumber, b->m_nNumber);
    EXPECT_EQ(back->m_strName, CString(u"op"));
    EXPECT_EQ(back->m_nSimValue, 17);
    EXPECT_EQ(back->m_byCaps, b->m_byCaps);
    if (auto* in = DYNAMIC_DOWNCAST(CBlockIn, back)) {
      EXPECT_EQ(in->m_bHighSpeed, 1);
    }
  }
}

}  // namespace
