// Ladder contacts, coils and analog elements in the scan, and connector pairs.
#include <gtest/gtest.h>

#include <memory>

#include "blocks/connector_obj.h"
#include "blocks/ladder_blocks.h"
#include "model/connect_line_obj.h"
#include "support/diagram_builder.h"

namespace {

// A ladder rung: power bus -> contact -> coil; a second contact addresses the coil.
struct Rung {
  CDiagramBuilder b{kDocLadder};
  CBlockObj* bus = b.Doc().m_powerBus.AddTail(std::make_unique<CPowerBusObj>(951));
  CBlockObj* input = b.Add(700);  // the rung's contact on I1
  CBlockObj* coil = b.Add(703);
  CBlockObj* contact = nullptr;  // addresses the coil
  CBlockObj* feed = b.Add(604);  // drives the addressing contact's rung input

  explicit Rung(int coilType = 703, int contactType = 700) {
    if (coilType != 703) {
      b.Doc().DeleteContents();
      bus = b.Doc().m_powerBus.AddTail(std::make_unique<CPowerBusObj>(951));
      input = b.Add(700);
      coil = b.Add(coilType);
      feed = b.Add(604);
    }
    bus->m_nValue[kFirstOutputPin] = 1;
    input->m_nSource[0] = bus->m_nNumber;
    input->m_nContactState = 1;
    coil->m_nSource[0] = input->m_nNumber;
    contact = b.Add(contactType);
    contact->m_nOperand = coil->m_nNumber;
    contact->m_nSource[0] = feed->m_nNumber;
    contact->m_nPinType[0] = PIN_DIGITAL;
  }
  void Scan() {
    for (CBlockObj* block : b.Doc().m_blocks) block->Simulate(&b.View());
  }
};

TEST(LadderScanTest, MakeContactClosesWithItsCoilAndPassesItsRungOnTheNextChange) {
  Rung r;
  r.feed->m_nValue[kFirstOutputPin] = 0;
  r.Scan();  // the rung contact passes the bus; the coil turns on
  EXPECT_EQ(r.input->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(r.coil->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(r.contact->m_nContactState, 1);
  EXPECT_EQ(r.contact->m_nValue[kFirstOutputPin], 0);  // its rung input is 0
  r.feed->m_nValue[kFirstOutputPin] = 1;
  r.Scan();
  EXPECT_EQ(r.contact->m_nValue[kFirstOutputPin], 1);
}

TEST(LadderScanTest, BreakContactClosesAtOnceWhenItsCoilGoesOff) {
  Rung r(703, 701);
  r.feed->m_nValue[kFirstOutputPin] = 1;
  r.Scan();  // coil on: the break contact opens
  EXPECT_EQ(r.contact->m_nContactState, 0);
  EXPECT_EQ(r.contact->m_nValue[kFirstOutputPin], 0);
  r.input->m_nContactState = 0;  // the rung opens
  r.bus->m_nValue[kFirstOutputPin] = 0;
  r.Scan();
  EXPECT_EQ(r.coil->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(r.contact->m_nContactState, 1);
  EXPECT_EQ(r.contact->m_nValue[kFirstOutputPin], 1);
}

TEST(LadderScanTest, CoilVariants) {
  {
    Rung r(704);  // inverted output: on while the rung is off
    r.Scan();
    EXPECT_EQ(r.coil->m_nValue[kFirstOutputPin], 0);
    EXPECT_EQ(r.contact->m_nContactState, 0);
    r.input->m_nContactState = 0;
    r.bus->m_nValue[kFirstOutputPin] = 0;
    r.Scan();
    EXPECT_EQ(r.coil->m_nValue[kFirstOutputPin], 1);
    EXPECT_EQ(r.contact->m_nContactState, 1);
  }
  {
    Rung r;
    r.coil->m_nOperand = 4805;  // drives an open connector: never changes
    r.Scan();
    EXPECT_EQ(r.coil->m_nValue[kFirstOutputPin], 0);
    EXPECT_EQ(r.contact->m_nContactState, 0);
  }
}

TEST(LadderScanTest, AnalogOutputKeepsTheSignExtendedInputWord) {
  CDiagramBuilder b(kDocLadder);
  CBlockObj* ai = b.Add(608);
  CBlockObj* out = b.Add(705);
  out->m_nSource[0] = ai->m_nNumber;
  ai->m_nSimValue = -5;
  ai->m_nWordValue = -5;
  out->Simulate(&b.View());
  short expected = 0;
  out->GetInputWord(&expected, 0, &b.View());
  ASSERT_LT(expected, 0);
  EXPECT_EQ(out->m_nWordValue, expected);
  EXPECT_EQ(out->m_bChanged[0], expected != 0 ? 1 : 0);
  out->m_bChanged[0] = 0;
  out->Simulate(&b.View());
  EXPECT_EQ(out->m_bChanged[0], 0);  // unchanged value
}

TEST(LadderScanTest, DeletingTheLastElementOfAnOperandForgetsItsName) {
  CDiagramBuilder b(kDocLadder);
  CZaradDoc& doc = b.Doc();
  for (int i = 0; i < 2; ++i) b.Add(700)->m_nOperand = 100;
  b.Add(703)->m_nOperand = 5000;  // outside a coil's clean-up ranges
  doc.m_operandNames[100] = CString(u"Start");
  doc.m_operandNames[101] = CString(u"No element");
  doc.m_operandNames[5000] = CString(u"Kept");
  doc.DeleteContents();
  EXPECT_EQ(doc.m_operandNames.count(100), 0u);
  EXPECT_EQ(doc.m_operandNames.count(101), 1u);
  EXPECT_EQ(doc.m_operandNames.count(5000), 1u);
}

TEST(LadderScanTest, DetachingTheLastContactOfAnOperandForgetsItsName) {
  CDiagramBuilder b(kDocLadder);
  CZaradDoc& doc = b.Doc();
  CBlockObj* first = b.Add(700);
  CBlockObj* second = b.Add(701);
  first->m_nOperand = second->m_nOperand = 101;
  doc.m_operandNames[101] = CString(u"Door");
  doc.DetachBlock(first).reset();
  EXPECT_EQ(doc.m_operandNames.count(101), 1u);  // the second-last: the name stays
  doc.DetachBlock(second).reset();
  EXPECT_EQ(doc.m_operandNames.count(101), 0u);
}

// A source input, a male/female pair and the wire into the male.
struct Pair {
  CDiagramBuilder b;
  CBlockObj* source = b.Add(600);
  CBlockObj* male = b.Doc().AddBlock(std::make_unique<CBlockMale>(900));
  CBlockObj* female = b.Doc().AddBlock(std::make_unique<CBlockFemale>(901));
  Pair() {
    auto wire = std::make_unique<CConnectLineObj>();
    wire->m_pStartBlock = source;
    wire->m_pEndBlock = male;
    wire->m_nStartNumber = source->m_nNumber;
    wire->m_nEndNumber = male->m_nNumber;
    wire->m_nStartPin = kFirstOutputPin;
    b.Doc().m_connections.AddTail(std::move(wire));
    male->m_nSource[0] = source->m_nNumber;
    female->m_nSource[kFirstOutputPin] = 9000;  // the output is wired
    source->m_nValue[kFirstOutputPin] = 1;
  }
};

TEST(ConnectorPairTest, TheFemaleFollowsTheSourceOfItsMale) {
  Pair p;
  EXPECT_EQ(p.male->m_nNumber, 5000);
  EXPECT_EQ(p.female->m_nNumber, 7000);
  EXPECT_EQ(p.male->m_nOutputs, 0);
  EXPECT_EQ(p.female->m_nInputs, 0);
  p.male->Simulate(&p.b.View());
  p.female->Simulate(&p.b.View());
  EXPECT_EQ(p.male->m_nValue[0], 1);
  EXPECT_EQ(p.female->m_nValue[kFirstOutputPin], 1);
  EXPECT_EQ(static_cast<CBlockFemale*>(p.female)->FindSourceBlock(&p.b.Doc()), p.source);

  p.female->m_nSource[kFirstOutputPin] = 0;  // not wired: 0
  p.female->Simulate(&p.b.View());
  EXPECT_EQ(p.female->m_nValue[kFirstOutputPin], 0);
}

TEST(ConnectorPairTest, AHalfWithoutItsPartnerOutputsZero) {
  Pair p;
  p.b.Doc().m_connections.DeleteAll();  // no wire into the male
  p.female->Simulate(&p.b.View());
  EXPECT_EQ(p.female->m_nValue[kFirstOutputPin], 0);
  Pair q;
  q.b.Doc().DetachBlock(q.male).reset();  // no male at all
  q.female->Simulate(&q.b.View());
  EXPECT_EQ(q.female->m_nValue[kFirstOutputPin], 0);
  EXPECT_EQ(static_cast<CBlockFemale*>(q.female)->FindPartner(&q.b.Doc()), nullptr);
  q.source->m_nValue[kFirstOutputPin] = 1;
  q.female->m_nSource[kFirstOutputPin] = 9000;
  CBlockMale lone(900);
  lone.m_nSource[0] = 12345;  // names no block
  lone.Simulate(&q.b.View());
  EXPECT_EQ(lone.m_nValue[0], 0);
}

}  // namespace
