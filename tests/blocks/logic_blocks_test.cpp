#include "blocks/logic_blocks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/ladder_blocks.h"
#include "platform/archive.h"
#include "support/diagram_builder.h"

namespace {

constexpr int O = -1;  // an open input in the tables below

// A gate whose inputs are fed by status blocks (or left open).
struct GateRig {
  CDiagramBuilder d;
  CBlockLogic* gate;
  std::vector<CBlockObj*> sources;

  explicit GateRig(int type, int kind = kDocFbd) : d(kind) {
    gate = d.Add<CBlockLogic>(type);
    for (int i = 0; i < gate->m_nInputs; ++i) {
      sources.push_back(d.Add(600));
      CDiagramBuilder::Wire(sources.back(), gate, i);
    }
  }
  // Sets the input states (O opens the pin) and runs one scan of the gate.
  int Scan(const std::vector<int>& inputs) {
    for (size_t i = 0; i < inputs.size(); ++i) {
      if (inputs[i] == O) {
        gate->m_nSource[i] = LINK_OPEN;
      } else {
        gate->m_nSource[i] = sources[i]->m_nNumber;
        sources[i]->m_nValue[kFirstOutputPin] = inputs[i];
      }
    }
    gate->Simulate(&d.View());
    return gate->m_nValue[kFirstOutputPin];
  }
};

TEST(LogicBlocksTest, TruthTablesWithNegatedAndOpenInputs) {
  struct Case {
    int type;
    std::vector<int> inputs;
    std::string negated;  // per input, '1' negates the pin
    int outputInvert;     // -1 keeps the gate's own output negation
    int expected;
  };
  const Case cases[] = {
      {300, {1, 1, 1, 1}, "0000", -1, 1},
      {300, {1, 1, O, O}, "0000", -1, 1},  // open inputs never decide an AND
      {300, {1, 0, 1, 1}, "0000", -1, 0},
      {300, {1, 1, O, O}, "0010", -1, 0},  // a negated open AND input reads 0
      {300, {1, 0, 1, 1}, "0100", -1, 1},
      {302, {1, 1, 1, 1}, "0000", -1, 0},
      {302, {1, 1, O, 0}, "0000", -1, 1},
      {302, {1, 1, 1, 1}, "0000", 0, 1},   // NAND without output negation is an AND
      {304, {O, O, O, O}, "0000", -1, 0},  // all open OR
      {304, {0, 0, O, O}, "0000", -1, 0},
      {304, {0, 1, O, O}, "0000", -1, 1},
      {304, {0, 0, O, O}, "0001", -1, 1},  // a negated open OR input reads 1
      {305, {0, 0, O, O}, "0000", -1, 1},
      {305, {1, 0, 0, 0}, "0000", -1, 0},
      {305, {0, 0, 0, 0}, "1000", -1, 0},
      {306, {1, 1}, "00", -1, 0},
      {306, {1, 0}, "00", -1, 1},
      {306, {O, 1}, "00", -1, 1},
      {306, {1, 1}, "01", -1, 1},
      {306, {O, O}, "00", -1, 0},
      {307, {0}, "0", -1, 1},
      {307, {1}, "0", -1, 0},
      {307, {O}, "0", -1, 0},  // NOT of an open input
      {307, {1}, "1", -1, 1},
  };
  for (const Case& c : cases) {
    GateRig rig(c.type);
    for (size_t i = 0; i < c.negated.size(); ++i) rig.gate->m_bInvert[i] = c.negated[i] == '1';
    if (c.outputInvert >= 0) rig.gate->m_bInvert[kFirstOutputPin] = c.outputInvert;
    std::string in;
    for (int v : c.inputs) in += v == O ? 'O' : static_cast<char>('0' + v);
    EXPECT_EQ(rig.Scan(c.inputs), c.expected) << c.type << " inputs " << in << " negated " << c.negated;
  }
}

TEST(LogicBlocksTest, EdgeGatesReportOneScanPerEdge) {
  struct Case {
    int type;
    std::vector<std::vector<int>> scans;
    std::vector<int> outputs;
  };
  const Case cases[] = {
      // AND(Edge): 1 in the scan after the last input rose, then 0 although the inputs stay 1.
      {301, {{1, 1, 0, 1}, {1, 1, 1, 1}, {1, 1, 1, 1}, {1, 1, 0, 1}, {1, 1, 1, 1}}, {0, 1, 0, 0, 1}},
      // Open inputs read 1 and never change: the wired inputs decide the edge.
      {301, {{0, O, O, O}, {1, O, O, O}, {1, O, O, O}}, {0, 1, 0}},
      // NAND(Edge): 1 for one scan when the AND falls; 0 while low and when an input rises.
      {303,
       {{1, 1, 1, 1}, {1, 1, 1, 1}, {1, 0, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}, {0, 0, 0, 0}},
       {0, 0, 1, 0, 0, 1}},
  };
  for (const Case& c : cases) {
    GateRig rig(c.type);
    for (size_t s = 0; s < c.scans.size(); ++s)
      EXPECT_EQ(rig.Scan(c.scans[s]), c.outputs[s]) << c.type << " scan " << s;
  }
}

TEST(LogicBlocksTest, LadderEdgeGatesHandTheirChangeToTheContacts) {
  GateRig rig(301, kDocLadder);
  auto* contact = rig.d.Add<CBlockMake>(700);
  contact->m_nOperand = rig.gate->m_nNumber;
  contact->m_nValue[0] = 1;
  rig.Scan({0, 1, 1, 1});
  rig.Scan({1, 1, 1, 1});
  EXPECT_EQ(contact->m_nContactState, 1);
  EXPECT_EQ(contact->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(rig.gate->m_bChanged[kFirstOutputPin], 0);
  rig.Scan({1, 1, 1, 1});
  EXPECT_EQ(contact->m_nContactState, 0);
}

TEST(LogicBlocksTest, RecordCarriesTheLogicFlagAfterTheCommonRecord) {
  CDiagramBuilder d;
  auto* gate = d.Add<CBlockLogic>(305);
  gate->m_bInvert[2] = 1;

  CArchive common;
  gate->CBlockObj::Serialize(common);
  CArchive full;
  gate->Serialize(full);
  const std::vector<BYTE> bytes = full.TakeBytes();
  const size_t head = common.TakeBytes().size();
  ASSERT_EQ(bytes.size(), head + 4);
  EXPECT_EQ(std::vector<BYTE>(bytes.begin() + static_cast<std::ptrdiff_t>(head), bytes.end()),
            (std::vector<BYTE>{1, 0, 0, 0}));

  CBlockLogic loaded;
  loaded.m_nLogicFlag = 0;
  CArchive in(bytes);
  in.SetObjectSchema(1);
  loaded.Serialize(in);
  EXPECT_TRUE(in.IsBufferEmpty());
  EXPECT_EQ(loaded.m_nLogicFlag, 1);
  EXPECT_EQ(loaded.m_nType, 305);
  EXPECT_EQ(loaded.m_bInvert[2], 1);
  EXPECT_EQ(loaded.m_bInvert[kFirstOutputPin], 1);
  EXPECT_EQ(loaded.m_byCaps, CBlockLogic::kCaps);
}

}  // namespace
