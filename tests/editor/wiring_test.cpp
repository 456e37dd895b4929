// The wire tool on the editor core: the signal and loop tables, the
// refusals, the explicit connect, ladder rules, moving a wire end, junction
// dots and path tidying.
#include <gtest/gtest.h>

#include <filesystem>

#include "blocks/block_factory.h"
#include "editor/diagram_editor.h"
#include "editor/goto_block.h"
#include "editor/junction_index.h"
#include "editor/wiring_rules.h"
#include "editor_rig.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "support/diagram_builder.h"

namespace {
using namespace editor_test;

TEST(WiringRules, SignalKindsOfOutputsAndInputs) {
  struct Row {
    int source, target, pin;
    bool allowed;
  };
  const Row rows[] = {
      {608, 803, 0, true},   // analog input into an analog comparator
      {608, 300, 0, false},  // ... but not into an AND
      {300, 806, 1, false},  // a digital output cannot feed the watchdog's analog pin 1
      {300, 806, 0, true},   // ... its pin 0 is digital
      {806, 300, 0, true},   // the watchdog's output is digital
      {805, 610, 0, true},   // amplifier into an analog flag
      {821, 818, 2, true},  {300, 818, 2, false},
      {300, 818, 1, true},  {300, 844, 0, true},  // 844 takes digital inputs
      {608, 900, 0, true},  {901, 300, 0, true},  // connector halves take anything
  };
  for (const Row& r : rows) {
    EXPECT_EQ(AreKindsCompatible(SourceSignalKind(r.source), PinSignalKind(r.target, r.pin)), r.allowed)
        << r.source << " -> " << r.target << ":" << r.pin;
  }
}

TEST(WiringRules, LoopTableIsNotSymmetric) {
  EXPECT_FALSE(IsLoopAllowed(300, 300));  // AND to AND
  EXPECT_TRUE(IsLoopAllowed(300, 607));   // closed at a flag
  EXPECT_TRUE(IsLoopAllowed(300, 999));   // row 0, column other
  EXPECT_FALSE(IsLoopAllowed(999, 300));  // row 3, column 0
  EXPECT_TRUE(IsLoopAllowed(605, 300));
  EXPECT_FALSE(IsLoopAllowed(605, 999));
  EXPECT_TRUE(IsLoopAllowed(610, 805));
  EXPECT_FALSE(IsLoopAllowed(805, 805));
}

TEST(Wiring, ExplicitConnectLinksRoutesAndTakesNoSnapshot) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 200));
  r.Doc().m_undo.SaveSnapshot(&r.Doc());  // step 1 after the empty start
  CConnectLineObj* w = r.Link(a, kOut, b, 1);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  EXPECT_EQ(b->m_nSource[1], a->m_nNumber);
  EXPECT_EQ(a->m_nSource[kOut], b->m_nNumber);
  EXPECT_EQ(w->m_ptStart, r.Pin(a, kOut));
  EXPECT_EQ(w->m_ptEnd, r.Pin(b, 1));
  EXPECT_EQ(w->m_points.front(), w->m_ptStart);
  EXPECT_EQ(w->m_points.back(), w->m_ptEnd);
  for (size_t i = 1; i < w->m_points.size(); ++i)  // orthogonal
    EXPECT_TRUE(w->m_points[i].x == w->m_points[i - 1].x || w->m_points[i].y == w->m_points[i - 1].y);
  // The caller takes the snapshot: no step 2 was written.
  EXPECT_FALSE(std::filesystem::exists(r.Doc().m_undo.GetSnapshotPath(2).ToUtf8()));
  EXPECT_FALSE(r.core.IsWireInProgress());
}

TEST(Wiring, RefusalsLeaveTheDocumentUnchanged) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  CBlockObj* c = r.Block(300, CPoint(300, 300));
  CBlockObj* ai = r.Block(608, CPoint(100, 400));
  CBlockObj* comp = r.Block(803, CPoint(300, 500));
  CBlockObj* male = r.Block(900, CPoint(500, 100));
  CBlockObj* female = r.Block(901, CPoint(500, 300));
  ASSERT_NE(r.Link(a, kOut, b, 0), nullptr);
  struct Row {
    const char* what;
    CBlockObj* from;
    int fromPin;
    CBlockObj* to;
    int toPin;
  };
  const Row rows[] = {
      {"occupied input", c, kOut, b, 0},
      {"output to output", a, kOut, c, kOut},
      {"input to input", b, 1, c, 1},
      {"analog into AND", ai, kOut, c, 2},
      {"female to male", female, kOut, male, 0},
      {"start at an occupied input", b, 0, c, kOut},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(r.Link(row.from, row.fromPin, row.to, row.toPin), nullptr) << row.what;
    EXPECT_EQ(r.Doc().m_connections.GetCount(), 1) << row.what;
  }
  EXPECT_EQ(c->m_nSource[2], LINK_OPEN);
  EXPECT_NE(r.Link(ai, kOut, comp, 0), nullptr);  // analog into the comparator
  // Forced: the occupied input takes a second wire.
  EXPECT_NE(r.Link(c, kOut, b, 0, true), nullptr);
  EXPECT_EQ(b->m_nSource[0], c->m_nNumber);
}

TEST(Wiring, FeedbackLoopsFollowTheTable) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  ASSERT_NE(r.Link(a, kOut, b, 0), nullptr);
  EXPECT_EQ(r.Link(b, kOut, a, 0), nullptr);  // AND -> AND -> AND: refused
  EXPECT_EQ(r.Link(a, kOut, a, 1), nullptr);  // to itself
  // A loop closed through a flag is not found: the flag breaks it.
  CBlockObj* flag = r.Block(607, CPoint(500, 100));
  ASSERT_NE(r.Link(b, kOut, flag, 0), nullptr);
  EXPECT_NE(r.Link(flag, kOut, a, 1), nullptr);
  // Picked from the input end the same link is asked the other way round.
  CBlockObj* c = r.Block(300, CPoint(100, 300));
  CBlockObj* d = r.Block(300, CPoint(300, 300));
  ASSERT_NE(r.Link(c, kOut, d, 0), nullptr);
  EXPECT_EQ(r.Link(c, 0, d, kOut), nullptr);
}

TEST(Wiring, LadderRules) {
  Rig r(kDocLadder);
  r.Doc().MakePowerBus();
  CBlockObj* bus = r.Doc().m_powerBus.GetHead();
  ASSERT_NE(bus, nullptr);
  CBlockObj* contact = r.Block(700, CPoint(200, 100));
  CBlockObj* contact2 = r.Block(700, CPoint(200, 200));
  CBlockObj* coil = r.Block(703, CPoint(400, 100));  // a coil
  CConnectLineObj* fromBus = r.Link(bus, kOut, contact, 0);
  ASSERT_NE(fromBus, nullptr);
  EXPECT_EQ(fromBus->m_points.size(), 2u);  // a straight line at the pin's height
  EXPECT_EQ(fromBus->m_ptStart.y, fromBus->m_ptEnd.y);
  EXPECT_EQ(fromBus->m_ptEnd, r.Pin(contact, 0));
  ASSERT_NE(r.Link(bus, kOut, contact2, 0), nullptr);
  ASSERT_NE(r.Link(contact, kOut, coil, 0), nullptr);
  EXPECT_NE(r.Link(contact2, kOut, coil, 0), nullptr);    // two branches into one coil
  EXPECT_EQ(r.Link(contact, kOut, contact, 0), nullptr);  // the same block
  EXPECT_EQ(r.Link(contact, kOut, coil, 0), nullptr);     // the same two pins again
  // A contact's output back into the input of a contact before it on the rung.
  CBlockObj* contact3 = r.Block(700, CPoint(300, 300));
  ASSERT_NE(r.Link(contact, kOut, contact3, 0), nullptr);
  EXPECT_EQ(r.Link(contact3, kOut, contact, 0), nullptr);
}

TEST(Wiring, LadderFeedbackThroughAContactOfTheBlockAndLinkedAnalogInputs) {
  Rig r(kDocLadder);
  r.Doc().MakePowerBus();
  CBlockObj* bus = r.Doc().m_powerBus.GetHead();
  CBlockObj* timer = r.Block(400, CPoint(400, 300));
  CBlockObj* contact = r.Block(700, CPoint(200, 300));
  contact->m_nOperand = timer->m_nNumber;  // the contact reads the timer
  ASSERT_NE(r.Link(bus, kOut, contact, 0), nullptr);
  EXPECT_EQ(r.Link(contact, kOut, timer, 0), nullptr);  // the timer would feed itself
  CBlockObj* other = r.Block(700, CPoint(200, 400));
  other->m_nOperand = 100;
  ASSERT_NE(r.Link(bus, kOut, other, 0), nullptr);
  EXPECT_NE(r.Link(other, kOut, timer, 0), nullptr);
  // A linked analog comparator input cannot start a wire, not even forced.
  CBlockObj* comp = r.Block(803, CPoint(400, 100));
  CBlockObj* ai = r.Block(702, CPoint(200, 100));
  ASSERT_NE(r.Link(ai, kOut, comp, 0), nullptr);
  CBlockObj* ai2 = r.Block(702, CPoint(200, 200));
  EXPECT_EQ(r.Link(comp, 0, ai2, kOut, true), nullptr);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 4);
}

TEST(Wiring, FbdLoopsAreFollowedAcrossAConnectorPair) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 300));
  CBlockObj* b = r.Block(300, CPoint(500, 300));
  CConnectLineObj* w = r.Link(a, kOut, b, 0);
  ASSERT_NE(w, nullptr);
  r.core.SetCurrentConnection(w);
  ASSERT_TRUE(r.core.SeparateConnection());
  EXPECT_EQ(r.Link(b, kOut, a, 1), nullptr);  // b is fed by a through the pair
  CBlockObj* flag = r.Block(607, CPoint(700, 500));
  ASSERT_NE(r.Link(b, kOut, flag, 0), nullptr);
  EXPECT_NE(r.Link(flag, kOut, a, 1), nullptr);  // closed at a flag: allowed
}

TEST(Wiring, MouseWiresInConnectModeAndHoverTips) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 200));
  CBlockObj* c = r.Block(300, CPoint(300, 400));
  r.Doc().m_undo.SaveSnapshot(&r.Doc());
  r.core.SetEditMode(MODE_CONNECT);
  r.core.OnLButtonDown(r.Pin(a, kOut), 0);
  EXPECT_TRUE(r.core.IsWireInProgress());
  r.core.OnMouseMove(r.Pin(b, 1), MK_LBUTTON);
  EXPECT_EQ(r.core.GetLinkVerdict(), 0);
  r.core.OnLButtonUp(r.Pin(b, 1), 0);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  EXPECT_EQ(b->m_nSource[1], a->m_nNumber);
  // From c's output to b's pin 1 that already has a wire: the tip refuses it.
  r.core.OnLButtonDown(r.Pin(c, kOut), 0);
  r.core.OnMouseMove(r.Pin(b, 1), MK_LBUTTON);
  EXPECT_EQ(r.core.GetLinkVerdict(), 1);
  EXPECT_EQ(r.core.ShowPinTip(r.Pin(b, 1)), CString(u"Incompatible connectors!"));
  r.core.OnLButtonUp(r.Pin(b, 1), 0);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  EXPECT_FALSE(r.core.IsWireInProgress());
  // A loop: the tip names it.
  r.core.OnLButtonDown(r.Pin(b, kOut), 0);
  r.core.OnMouseMove(r.Pin(a, 0), MK_LBUTTON);
  EXPECT_EQ(r.core.ShowPinTip(r.Pin(a, 0)), CString(u"Recursions only allowed via outputs and flags!"));
  r.core.OnLButtonUp(r.Pin(a, 0), 0);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  // The wire made by the mouse is one undo step.
  EXPECT_TRUE(std::filesystem::exists(r.Doc().m_undo.GetSnapshotPath(2).ToUtf8()));
}

TEST(Wiring, ConnectNeedsBlocksCutJoinNeedsWiresAndConnectStartsUnselected) {
  Rig r;
  auto enabled = [&r](UINT id) {
    CCmdUI ui(id);
    return r.core.OnUpdateCmdUI(&ui) && ui.m_bEnabled;
  };
  EXPECT_FALSE(enabled(ID_CONNECT));
  EXPECT_FALSE(enabled(ID_CUT_JOIN_CONNECTION));
  EXPECT_TRUE(enabled(ID_SELECTION));
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  EXPECT_TRUE(enabled(ID_CONNECT));
  EXPECT_FALSE(enabled(ID_CUT_JOIN_CONNECTION));
  ASSERT_NE(r.Link(a, kOut, b, 0), nullptr);
  EXPECT_TRUE(enabled(ID_CUT_JOIN_CONNECTION));
  r.core.SelectBlock(a);
  r.core.SetCurrentBlock(a);
  r.core.OnCmdMsg(ID_CONNECT);
  EXPECT_EQ(r.core.GetEditMode(), MODE_CONNECT);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  EXPECT_EQ(a->m_bSelected, 0);
}

TEST(Wiring, JunctionDotsAndPathTidying) {
  Rig r;
  auto wire = [&](std::vector<CPoint> points, int startPin) {
    auto w = std::make_unique<CConnectLineObj>();
    w->m_points = std::move(points);
    w->m_ptStart = w->m_points.front();
    w->m_ptEnd = w->m_points.back();
    w->m_nStartPin = startPin;
    w->m_nEndPin = 0;
    w->m_junctions.assign(w->m_points.size(), kNoJunction);
    return w;
  };
  // Two wires leaving one pin along the same row: the shorter one gets a dot at its turn.
  auto shortW = wire({{0, 0}, {40, 0}, {40, 50}, {90, 50}}, kOut);
  auto longW = wire({{0, 0}, {80, 0}, {80, -50}, {120, -50}}, kOut);
  EXPECT_EQ(r.core.FindJunction(shortW.get(), longW.get(), kOut), 1);
  EXPECT_EQ(shortW->m_junctions[1], CPoint(40, 0));
  EXPECT_EQ(longW->m_junctions[1], kNoJunction);
  // Turning the same vertex in opposite directions: a dot on the first.
  auto up = wire({{0, 0}, {40, 0}, {40, -50}, {90, -50}}, kOut);
  auto down = wire({{0, 0}, {40, 0}, {40, 50}, {90, 50}}, kOut);
  EXPECT_EQ(r.core.FindJunction(up.get(), down.get(), kOut), 1);
  EXPECT_EQ(up->m_junctions[1], CPoint(40, 0));
  // Identical paths: none.
  auto same1 = wire({{0, 0}, {40, 0}, {40, 50}}, kOut);
  auto same2 = wire({{0, 0}, {40, 0}, {40, 50}}, kOut);
  EXPECT_EQ(r.core.FindJunction(same1.get(), same2.get(), kOut), 0);

  // A 4-point path whose leg was dragged left of its start column snaps 5 units inside.
  auto dragged = wire({{100, 100}, {70, 100}, {70, 200}, {300, 200}}, kOut);
  r.core.NormalizeWirePath(dragged.get());
  EXPECT_EQ(dragged->m_points[1], CPoint(105, 100));
  EXPECT_EQ(dragged->m_points[2], CPoint(105, 200));
  auto five = wire({{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}}, kOut);
  const std::vector<CPoint> before = five->m_points;
  r.core.NormalizeWirePath(five.get());
  EXPECT_EQ(five->m_points, before);
  auto three = wire({{0, 0}, {10, 0}, {20, 0}}, kOut);
  r.core.NormalizeWirePath(three.get());
  EXPECT_EQ(three->m_points.size(), 2u);
}

TEST(Wiring, MovingAWireEndFreesTheOldPin) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  CConnectLineObj* w = r.Link(a, kOut, b, 0);
  ASSERT_NE(w, nullptr);
  r.core.SelectConnection(w);
  r.core.SetCurrentConnection(w);
  w->m_bEndDrag = 1;
  w->m_nDragEnd = 1;
  ASSERT_TRUE(r.core.ReattachWireEnd(r.Pin(b, 2), b, 2));
  EXPECT_EQ(b->m_nSource[0], LINK_OPEN);
  EXPECT_EQ(b->m_nSource[2], a->m_nNumber);
  EXPECT_EQ(w->m_nEndPin, 2);
  EXPECT_EQ(w->m_ptEnd, r.Pin(b, 2));
}

}  // namespace

namespace {
using namespace editor_test;

TEST(ConnectorPairs, SeparateAndJoinRoundTrip) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(60, 300));
  CBlockObj* b = r.Block(300, CPoint(400, 330));
  // An orphan male keeps 5000: the pair takes the first number free on both sides.
  CBlockObj* orphan = r.Block(900, CPoint(900, 900));
  ASSERT_EQ(orphan->m_nNumber, 5000);
  CConnectLineObj* w = r.Link(a, kOut, b, 2);
  ASSERT_NE(w, nullptr);
  const CPoint ps = w->m_ptStart, pd = w->m_ptEnd;
  r.core.SetCurrentConnection(w);
  ASSERT_TRUE(r.core.SeparateConnection());
  CBlockObj* male = nullptr;
  CBlockObj* female = nullptr;
  for (CBlockObj* x : r.Doc().m_blocks) {
    if (x->m_nType == 900 && x != orphan) male = x;
    if (x->m_nType == 901) female = x;
  }
  ASSERT_NE(male, nullptr);
  ASSERT_NE(female, nullptr);
  EXPECT_EQ(male->m_nNumber, 5001);
  EXPECT_EQ(female->m_nNumber, male->m_nNumber + 2000);
  EXPECT_EQ(male->m_ptPos, CPoint(ps.x + 20, ps.y - 5));
  EXPECT_EQ(female->m_ptPos, CPoint(pd.x - 35, pd.y - 5));
  EXPECT_EQ(male->m_nWidth, 15);
  EXPECT_EQ(female->m_nHeight, 10);
  ASSERT_EQ(r.Doc().m_connections.GetCount(), 2);
  for (const CConnectLineObj* c : r.Doc().m_connections) {
    EXPECT_TRUE(c->m_pStartBlock == a || c->m_pStartBlock == b);
    EXPECT_TRUE(c->m_pEndBlock == male || c->m_pEndBlock == female);
  }
  EXPECT_EQ(b->m_nSource[2], female->m_nNumber);
  EXPECT_EQ(r.core.FindPartner(male), female);
  // Go To Partner on the male selects its female.
  r.core.SetCurrentBlock(male);
  r.core.GoToPartner();
  EXPECT_EQ(r.core.GetCurrentBlock(), female);
  // Joining from the female gives one connection between the two real pins.
  ASSERT_TRUE(r.core.JoinConnectorPair());
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  const CConnectLineObj* joined = r.Doc().m_connections.GetHead();
  EXPECT_EQ(joined->m_pStartBlock, a);
  EXPECT_EQ(joined->m_pEndBlock, b);
  EXPECT_EQ(joined->m_nEndPin, 2);
  EXPECT_EQ(b->m_nSource[2], a->m_nNumber);
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 3);  // a, b and the orphan
}

TEST(ConnectorPairs, MaleAvoidsATakenSpotAndAJoinThatWouldLoopKeepsThePair) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 300));
  CBlockObj* b = r.Block(300, CPoint(400, 300));
  CConnectLineObj* w = r.Link(a, kOut, b, 0);
  ASSERT_NE(w, nullptr);
  const CPoint ps = w->m_ptStart;
  // A block right where the male would go: the first free offset is one grid step up.
  r.Block(300, CPoint(ps.x + 20, ps.y - 5));
  r.core.SetCurrentConnection(w);
  ASSERT_TRUE(r.core.SeparateConnection());
  CBlockObj* male = nullptr;
  for (CBlockObj* x : r.Doc().m_blocks)
    if (x->m_nType == 900) male = x;
  ASSERT_NE(male, nullptr);
  EXPECT_EQ(male->m_ptPos, CPoint(ps.x + 20, ps.y - 5 - 20));
  // Rewire the female's side back into a's own input: joining would close a loop.
  CBlockObj* female = r.core.FindPartner(male);
  ASSERT_NE(female, nullptr);
  for (CConnectLineObj* c : r.Doc().m_connections) {
    if (c->m_pEndBlock != female) continue;
    b->m_nSource[0] = LINK_OPEN;
    c->m_pStartBlock = a;  // the female now feeds a's own input 1
    c->m_nStartPin = 1;
    a->m_nSource[1] = female->m_nNumber;
  }
  r.core.SetCurrentBlock(female);
  const int blocks = r.Doc().m_blocks.GetCount();
  EXPECT_FALSE(r.core.JoinConnectorPair());
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), blocks);  // the pair stays
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 2);
}

TEST(ConnectorPairs, SeparatingPastTheConnectorLimitKeepsTheWire) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 300));
  CBlockObj* b = r.Block(300, CPoint(400, 300));
  CConnectLineObj* w = r.Link(a, kOut, b, 0);
  ASSERT_NE(w, nullptr);
  for (int i = 0; i < kConnectorNumberCount; ++i) r.Block(kTypeMaleConnector, CPoint(1500, 1000));
  const int blocks = r.Doc().m_blocks.GetCount();
  r.core.SetCurrentConnection(w);
  EXPECT_FALSE(r.core.SeparateConnection());
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), blocks);  // no orphan half
  ASSERT_EQ(r.Doc().m_connections.GetCount(), 1);
  EXPECT_EQ(r.Doc().m_connections.GetHead(), w);
  EXPECT_EQ(b->m_nSource[0], a->m_nNumber);
  ASSERT_EQ(r.sink.messages().size(), 1u);
}

TEST(ConnectorPairs, OnlyWiresThatCrossABlockAreSeparated) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(500, 100));
  CBlockObj* c = r.Block(300, CPoint(100, 400));
  CBlockObj* d = r.Block(300, CPoint(500, 400));
  CConnectLineObj* crossing = r.Link(a, kOut, b, 0);
  ASSERT_NE(r.Link(c, kOut, d, 0), nullptr);
  ASSERT_NE(crossing, nullptr);
  r.Block(300, CPoint(300, crossing->m_points.front().y - 20));  // a block on the first wire's row
  ASSERT_EQ(r.Doc().m_connections.GetCount(), 2);
  EXPECT_EQ(r.core.SeparateCrossingConnections(), 0);
  int halves = 0;
  for (const CBlockObj* x : r.Doc().m_blocks) halves += x->m_nType == 900 || x->m_nType == 901;
  EXPECT_EQ(halves, 2);
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 3);
  EXPECT_EQ(d->m_nSource[0], c->m_nNumber);  // the other wire is untouched
}

// A wire crossing a block, separated with the texts kept clear, its female
// half starting off the page: no offset of the first search and none of the
// first ring lies on the page, and the half stands at the first one of the
// next ring that does. The search there takes (r, dy) and (r, -dy) for dy
// below r, then (dx, r) and (dx, -r); dx counts to the left of the start.
struct OffPageCase {
  const char* name;
  CPoint pin;           // the destination pin
  CPoint offset;        // where the female stands, in grid steps
  CPoint blocker = {};  // a block there (none at 0, 0)
};
class FemaleOffThePage : public ::testing::TestWithParam<OffPageCase> {};

TEST_P(FemaleOffThePage, StandsAtTheFirstOffsetOnThePage) {
  const OffPageCase c = GetParam();
  Rig r;  // a page of 2000 by 1400
  auto place = [&r](CBlockObj* b, int pin, CPoint at) {
    b->m_ptPos += at - r.Pin(b, pin);
    return b;
  };
  CBlockObj* dst = place(r.Block(300, CPoint(0, 0)), 0, c.pin);
  CBlockObj* src = place(r.Block(300, CPoint(0, 0)), kOut, c.pin - CSize(800, 0));
  r.Block(300, CPoint(c.pin.x - 400, c.pin.y - 18));  // on the wire
  if (c.blocker != CPoint(0, 0)) r.Block(300, c.blocker);
  const CConnectLineObj* wire = r.Link(src, kOut, dst, 0);
  ASSERT_NE(wire, nullptr);
  const CPoint start = wire->m_ptEnd - CSize(35, 5);  // where the female starts
  EXPECT_EQ(r.core.SeparateCrossingConnections(true), 0);
  const CBlockObj* female = nullptr;
  for (const CBlockObj* b : r.Doc().m_blocks)
    if (b->m_nType == kTypeFemaleConnector) female = b;
  ASSERT_NE(female, nullptr);
  EXPECT_EQ(female->m_ptPos, start + CSize(-20 * c.offset.x, 20 * c.offset.y));
}
INSTANTIATE_TEST_SUITE_P(
    ConnectorPairs, FemaleOffThePage,
    ::testing::Values(
        // Right of the page: x + 15 < 2000 from nine steps to the left on.
        OffPageCase{"RightOfThePage", CPoint(2190, 700), CPoint(9, 0)},
        // Above the page: y > 0 from nine steps down on.
        OffPageCase{"AboveThePage", CPoint(1000, -160), CPoint(0, 9)},
        // Both: the ninth ring's corner.
        OffPageCase{"AboveAndRight", CPoint(2190, -160), CPoint(9, 9)},
        // Below the page: y + 10 < 1400 from nine steps up on; (9, -9) comes after (9, 9).
        OffPageCase{"BelowAndRight", CPoint(2190, 1565), CPoint(9, -9)},
        // A block under the label of (9, 0): what it rules out must spare (9, 1), just below.
        OffPageCase{"UnderABlock", CPoint(2190, 700), CPoint(9, 1), CPoint(1984, 655)}),
    [](const ::testing::TestParamInfo<OffPageCase>& info) { return std::string(info.param.name); });

// A grid of AND blocks with wires running across many of them, some feeding
// back: linking and separating in one batch gives the very document that
// linking one by one and separating the crossing wires one by one, in
// document order, gives. The batch keeps the wires by stretches of grid rows
// and columns: on the tall page the wires run through many stretches, and
// each separated wire must leave every one of them.
struct BatchGrid {
  int rows, columns, pagesDown;
};
class BatchSeparation : public ::testing::TestWithParam<BatchGrid> {};

TEST_P(BatchSeparation, MatchesOneByOne) {
  const BatchGrid grid = GetParam();
  auto build = [&grid](Rig& r, bool batched) {
    r.core.SetAutoSnapshot(false);
    r.Doc().m_nPagesDown = grid.pagesDown;
    std::vector<CBlockObj*> blocks;
    for (int row = 0; row < grid.rows; ++row)
      for (int col = 0; col < grid.columns; ++col)
        blocks.push_back(r.Block(300, CPoint(60 + col * 110, 40 + row * 90)));
    unsigned seed = 7;
    auto next = [&seed](size_t n) {
      seed = seed * 1103515245u + 12345u;
      return static_cast<size_t>((seed >> 8) % n);
    };
    auto link = [&] {
      for (CBlockObj* to : blocks)
        for (int pin = 0; pin < 3; ++pin) r.Link(blocks[next(blocks.size())], kOut, to, pin, true);
    };
    if (!batched) {
      link();
      return;
    }
    r.core.RunBatch([&] {
      link();
      EXPECT_GT(r.Doc().m_connections.GetCount(), 200);
      EXPECT_EQ(r.core.SeparateCrossingConnections(), 0);
    });
  };
  Rig batch, single;
  build(batch, true);
  build(single, false);
  // One by one: the whole document scanned for every wire.
  const std::vector<CConnectLineObj*> wires(single.Doc().m_connections.begin(),
                                            single.Doc().m_connections.end());
  for (CConnectLineObj* w : wires) {
    if (!single.Doc().m_connections.Contains(w)) continue;
    bool crosses = false;
    for (size_t i = 1; i < w->m_points.size() && !crosses; ++i) {
      const CPoint a = w->m_points[i - 1], b = w->m_points[i];
      if (a.x != b.x && a.y != b.y) continue;
      const CRect seg = a.x == b.x ? CRect(a.x - 2, std::min(a.y, b.y), a.x + 2, std::max(a.y, b.y))
                                   : CRect(std::min(a.x, b.x), a.y - 2, std::max(a.x, b.x), a.y + 2);
      for (const CBlockObj* x : single.Doc().m_blocks) {
        const CRect body(x->m_ptPos.x - 2, x->m_ptPos.y - 5, x->m_ptPos.x + x->m_nWidth + 2,
                         x->m_ptPos.y + x->m_nHeight);
        if (std::max(seg.left, body.left) < std::min(seg.right, body.right) &&
            std::max(seg.top, body.top) < std::min(seg.bottom, body.bottom)) {
          crosses = true;
          break;
        }
      }
    }
    if (!crosses) continue;
    single.core.SetCurrentConnection(w);
    w->m_bSelected = 1;
    single.core.SeparateConnection();
  }
  single.core.SetCurrentConnection(nullptr);
  int pairs = 0;
  for (const CBlockObj* x : batch.Doc().m_blocks) pairs += x->m_nType == 900;
  EXPECT_GT(pairs, 100);
  ASSERT_EQ(batch.Doc().m_blocks.GetCount(), single.Doc().m_blocks.GetCount());
  ASSERT_EQ(batch.Doc().m_connections.GetCount(), single.Doc().m_connections.GetCount());
  auto b = batch.Doc().m_blocks.begin();
  for (const CBlockObj* x : single.Doc().m_blocks) {
    const CBlockObj* y = *b++;
    EXPECT_EQ(y->m_nType, x->m_nType);
    EXPECT_EQ(y->m_nNumber, x->m_nNumber);
    EXPECT_EQ(y->m_nOperand, x->m_nOperand);
    EXPECT_EQ(y->m_ptPos, x->m_ptPos) << x->m_nNumber;
    for (int pin = 0; pin < kPinCount; ++pin) EXPECT_EQ(y->m_nSource[pin], x->m_nSource[pin]) << x->m_nNumber;
  }
  auto c = batch.Doc().m_connections.begin();
  for (const CConnectLineObj* x : single.Doc().m_connections) {
    const CConnectLineObj* y = *c++;
    EXPECT_EQ(y->m_pStartBlock->m_nNumber, x->m_pStartBlock->m_nNumber);
    EXPECT_EQ(y->m_pEndBlock->m_nNumber, x->m_pEndBlock->m_nNumber);
    EXPECT_EQ(y->m_nStartPin, x->m_nStartPin);
    EXPECT_EQ(y->m_nEndPin, x->m_nEndPin);
    EXPECT_EQ(y->m_points, x->m_points);
    EXPECT_EQ(y->m_junctions, x->m_junctions);
  }
}
INSTANTIATE_TEST_SUITE_P(ConnectorPairs, BatchSeparation,
                         ::testing::Values(BatchGrid{10, 8, 1}, BatchGrid{44, 3, 3}),
                         [](const ::testing::TestParamInfo<BatchGrid>& info) {
                           return std::to_string(info.param.rows) + "x" + std::to_string(info.param.columns);
                         });

// Paths on a small lattice meet often, go back on themselves and stand still: the
// index sets the dots that comparing each new wire with every earlier one sets.
TEST(ConnectorPairs, JunctionIndexMatchesThePairwiseComparison) {
  Rig r;
  constexpr int kPin = kOut;
  unsigned seed = 11;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
  };
  std::vector<std::unique_ptr<CConnectLineObj>> pairwise, indexed;
  for (int i = 0; i < 80; ++i) {
    auto w = std::make_unique<CConnectLineObj>();
    const bool forward = next(2) == 0;
    w->m_nStartPin = forward ? kPin : 1;
    w->m_nEndPin = forward ? 2 : kPin;
    CPoint p(0, 0);
    std::vector<CPoint> path{p};
    for (int k = 0, n = 1 + next(5); k < n; ++k) {
      const int step = (next(5) - 2) * 10;
      switch (next(5)) {
        case 0:
          break;  // stands still
        case 1:
          p.x += step;
          break;  // along x
        case 4:
          p += CSize(10, 10);
          break;  // slanted
        default:
          p.y += step;
          break;  // along y
      }
      path.push_back(p);
    }
    if (!forward) std::reverse(path.begin(), path.end());
    w->m_points = path;
    auto copy = std::make_unique<CConnectLineObj>();
    copy->m_nStartPin = w->m_nStartPin;
    copy->m_nEndPin = w->m_nEndPin;
    copy->m_points = w->m_points;
    pairwise.push_back(std::move(w));
    indexed.push_back(std::move(copy));
  }
  CJunctionIndex index(kPin);
  for (size_t i = 0; i < pairwise.size(); ++i) {
    for (size_t j = 0; j < i; ++j) r.core.FindJunction(pairwise[j].get(), pairwise[i].get(), kPin);
    index.Mark(indexed[i].get());
    index.Add(indexed[i].get());
  }
  int dots = 0;
  for (size_t i = 0; i < pairwise.size(); ++i) {
    EXPECT_EQ(indexed[i]->m_junctions, pairwise[i]->m_junctions) << i;
    for (const CPoint& p : pairwise[i]->m_junctions) dots += p != kNoJunction;
  }
  EXPECT_GT(dots, 40);
}

// Wires leave a pin whose index holds them (a separation takes a crossing wire
// away): the index goes on as one made from the wires left, so the wires that
// join later get the same dots, and so do the wires they meet.
TEST(ConnectorPairs, JunctionIndexWithoutRemovedWiresMatchesOneMadeAgain) {
  constexpr int kPin = kOut;
  unsigned seed = 29;
  auto next = [&seed](int n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<int>((seed >> 8) % static_cast<unsigned>(n));
  };
  // The same random paths twice: kept (the index that loses wires) and again
  // (an index made anew from the wires left).
  std::vector<std::unique_ptr<CConnectLineObj>> kept, again;
  for (int i = 0; i < 90; ++i) {
    const bool forward = next(2) == 0;
    CPoint p(0, 0);
    std::vector<CPoint> path{p};
    for (int k = 0, n = 1 + next(4); k < n; ++k) {
      const int step = (next(5) - 2) * 10;
      if (next(3) == 0)
        p.x += step;
      else
        p.y += step;
      path.push_back(p);
    }
    if (!forward) std::reverse(path.begin(), path.end());
    for (auto* list : {&kept, &again}) {
      auto w = std::make_unique<CConnectLineObj>();
      w->m_nStartPin = forward ? kPin : 1;
      w->m_nEndPin = forward ? 2 : kPin;
      w->m_points = path;
      list->push_back(std::move(w));
    }
  }
  constexpr size_t kFirst = 60;  // wires 0..59 come first, the rest join after the removals
  // The first wires join one by one, as the batch adds them.
  auto join = [](CJunctionIndex& index, std::vector<CConnectLineObj*>& atPin, CConnectLineObj* w) {
    atPin.push_back(w);
    w->m_junctions.assign(w->m_points.size(), kNoJunction);
    index.CatchUp(atPin, w);
    index.Mark(w);
    index.Add(w);
  };
  CJunctionIndex keptIndex(kPin), firstIndex(kPin);
  std::vector<CConnectLineObj*> keptPin, againPin;
  for (size_t i = 0; i < kFirst; ++i) {
    join(keptIndex, keptPin, kept[i].get());
    join(firstIndex, againPin, again[i].get());
  }
  // Every third wire leaves: from the kept index one by one, the other index is
  // dropped and made anew from the wires left.
  std::vector<bool> gone(kept.size(), false);
  for (size_t i = 1; i < kFirst; i += 3) {
    gone[i] = true;
    const auto at = std::find(keptPin.begin(), keptPin.end(), kept[i].get());
    ASSERT_NE(at, keptPin.end());
    const size_t pos = static_cast<size_t>(at - keptPin.begin());
    keptPin.erase(at);
    keptIndex.Remove(kept[i].get(), pos, keptPin);
    std::erase(againPin, again[i].get());
  }
  CJunctionIndex againIndex(kPin);
  for (size_t i = kFirst; i < kept.size(); ++i) {
    join(keptIndex, keptPin, kept[i].get());
    join(againIndex, againPin, again[i].get());
  }
  int dots = 0;
  for (size_t i = 0; i < kept.size(); ++i) {
    if (gone[i]) continue;
    EXPECT_EQ(kept[i]->m_junctions, again[i]->m_junctions) << i;
    if (i >= kFirst)
      for (const CPoint& p : kept[i]->m_junctions) dots += p != kNoJunction;
  }
  EXPECT_GT(dots, 20);  // the later wires met the earlier ones
}

// One output feeding blocks on every side, its wires drawn from either end: the
// batch's junction index gives every wire the dots that comparing it with each wire
// at the pin gives.
TEST(ConnectorPairs, BatchJunctionsOfAWideFanOutMatchOneByOne) {
  auto build = [](Rig& r, bool batched) {
    r.core.SetAutoSnapshot(false);
    CBlockObj* source = r.Block(300, CPoint(900, 600));
    std::vector<CBlockObj*> blocks;
    for (int i = 0; i < 48; ++i) {
      const int col = i % 8, row = i / 8;
      blocks.push_back(r.Block(300, CPoint(100 + col * 230 + (row % 2) * 40, 80 + row * 190 + col * 7)));
    }
    auto link = [&] {
      int n = 0;
      for (CBlockObj* to : blocks)
        for (int pin = 0; pin < 3; ++pin) {
          if (n++ % 3 == 0) {
            r.Link(to, pin, source, kOut, true);
          } else {
            r.Link(source, kOut, to, pin, true);
          }
        }
    };
    if (batched) {
      r.core.RunBatch(link);
    } else {
      link();
    }
  };
  Rig batch, single;
  build(batch, true);
  build(single, false);
  ASSERT_EQ(batch.Doc().m_connections.GetCount(), 144);
  ASSERT_EQ(single.Doc().m_connections.GetCount(), 144);
  int dots = 0;
  auto c = batch.Doc().m_connections.begin();
  for (const CConnectLineObj* x : single.Doc().m_connections) {
    const CConnectLineObj* y = *c++;
    EXPECT_EQ(y->m_points, x->m_points);
    EXPECT_EQ(y->m_junctions, x->m_junctions);
    for (const CPoint& p : x->m_junctions) dots += p != kNoJunction;
  }
  EXPECT_GT(dots, 50);
}

}  // namespace

namespace {
using namespace editor_test;

TEST(Comments, InsertToolPlacesCommentsOnFreeSpace) {
  Rig r;
  r.Block(300, CPoint(100, 100));
  r.Doc().m_undo.SaveSnapshot(&r.Doc());
  const int before = r.Doc().m_undo.m_nIndex;
  ASSERT_TRUE(r.core.OnCmdMsg(ID_INSERT_COMMENTS));
  EXPECT_EQ(r.core.GetEditMode(), MODE_INSERT_COMMENT);
  r.core.OnLButtonDown(CPoint(400, 300), 0);
  r.core.OnLButtonDown(CPoint(400, 500), 0);
  r.core.OnLButtonDown(CPoint(110, 110), 0);  // on the block: nothing
  ASSERT_EQ(r.Doc().m_comments.GetCount(), 2);
  for (const CBlockComment* c : r.Doc().m_comments) {
    EXPECT_EQ(c->m_strText, CString(u"Comment"));
    EXPECT_EQ(c->m_lf.lfHeight, 16);  // 12 points at 96 dots per inch
    EXPECT_GT(c->m_size.cx, 0);
  }
  EXPECT_EQ(r.Doc().m_undo.m_nIndex, before + 2);
  EXPECT_EQ(r.core.GetEditMode(), MODE_INSERT_COMMENT);
  // Outside the base: the message, no comment.
  r.core.OnLButtonDown(CPoint(5000, 5000), 0);
  EXPECT_EQ(r.Doc().m_comments.GetCount(), 2);
  EXPECT_EQ(r.sink.messages().size(), 1u);
  ASSERT_TRUE(r.core.OnCmdMsg(ID_INSERT_COMMENTS));
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
}

}  // namespace

namespace {
using namespace editor_test;

TEST(GoToBlock, NamesSortNumericallyAndLeaveOutHalves) {
  Rig r;
  BuildBlockTypeNames();
  auto numbered = [&](int type, int number) {
    CBlockObj* b = r.Block(type, CPoint(100, 100));
    b->m_nNumber = number;
    return b;
  };
  numbered(400, 9003);
  numbered(400, 9010);
  numbered(300, 9001);
  numbered(600, 100 + 37);   // I105
  numbered(609, 4230 + 6);   // AQ102
  numbered(602, 1000 + 18);  // S1.2
  numbered(900, 5000);       // a connector half: not listed
  const std::vector<GoToBlockEntry> list = BuildGoToBlockList(r.Doc());
  std::vector<CString> texts;
  for (const GoToBlockEntry& e : list) texts.push_back(e.text.Left(e.text.Find(u"[")));
  EXPECT_EQ(texts, (std::vector<CString>{u"AQ102", u"B1", u"B3", u"B10", u"I105", u"S1.2"}));
  EXPECT_EQ(list[2].text, CString(u"B3") + g_BlockTypeNames.at(400));
  EXPECT_EQ(FindGoToBlockEntry(list, u"b1"), 1);  // B1 before B10
  EXPECT_EQ(FindGoToBlockEntry(list, u"b10"), 3);
  EXPECT_EQ(FindGoToBlockEntry(list, u"Z"), -1);
}

TEST(GoToBlock, LadderElementsAreNamedByTheirOperand) {
  Rig r(kDocLadder);
  BuildBlockTypeNames();
  // Two make contacts on one input: the same text, the lower own number first.
  CBlockObj* make = r.Block(700, CPoint(100, 100));
  CBlockObj* brk = r.Block(700, CPoint(100, 200));
  std::swap(make->m_nNumber, brk->m_nNumber);
  make->m_nOperand = brk->m_nOperand = 100 + 33;  // I101
  CBlockObj* coil = r.Block(703, CPoint(300, 100));
  coil->m_nOperand = 1316 + 4;  // M4
  const std::vector<GoToBlockEntry> list = BuildGoToBlockList(r.Doc());
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].text.Left(4), CString(u"I101"));
  EXPECT_EQ(list[1].text, list[0].text);
  EXPECT_EQ(list[0].number, std::min(make->m_nNumber, brk->m_nNumber));  // the lower own number first
  EXPECT_EQ(list[2].text.Left(2), CString(u"M4"));
}

TEST(GoToBlock, CenterOnBlockSelectsOnlyIt) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(1500, 1100));
  r.core.SelectBlock(a);
  r.core.SetCurrentBlock(a);
  r.core.CenterOnBlock(b->m_nNumber);
  EXPECT_EQ(a->m_bSelected, 0);
  EXPECT_EQ(b->m_bSelected, 1);
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  const CPoint client = r.core.DiagramToClient(b->m_ptPos);
  EXPECT_NEAR(client.x, 300, 2);  // the middle of a 600 x 400 window
  EXPECT_NEAR(client.y, 200, 2);
}

}  // namespace
