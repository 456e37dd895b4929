// The editor core without a window: tool modes and the palette pick, the
// selection lists and their flags, the wire and the band, zoom and scrolling,
// the commands it answers, what it draws, and the simulation questions that
// its scan driver answers.
#include "editor/diagram_editor.h"

#include <gtest/gtest.h>

#include "editor/view_geometry.h"
#include "model/block_comment.h"
#include "msgtext/msgtext_block.h"
#include "platform/recording_dc.h"
#include "platform/resource_ids.h"
#include "support/diagram_builder.h"
#include "support/sim_time.h"

namespace {

const SYSTEMTIME kStart = SimTime(2026, 1, 5, 10, 0, 0, 0, 1);

class CountingHost : public CDiagramEditorHost {
 public:
  void InvalidateDiagram() override { ++repaints; }
  void OnScrollStateChanged() override { ++scrollChanges; }
  bool GetCursorClientPos(CPoint* out) const override {
    *out = CPoint(7, 9);
    return true;
  }
  int repaints = 0;
  int scrollChanges = 0;
};

struct EditorRig {
  CDiagramBuilder d;
  CDiagramEditor core{&d.Doc()};
  CountingHost host;
  explicit EditorRig(int kind = kDocFbd) : d(kind) {
    core.SetHost(&host);
    core.SetClientSize(CSize(600, 400));
    core.OnInitialUpdate();
  }
};

TEST(DiagramEditorTest, StartsInSelectModeWithNothingChosen) {
  EditorRig r;
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  EXPECT_FALSE(r.core.IsWireInProgress());
  EXPECT_TRUE(r.core.IsAutoSnapshot());
  EXPECT_TRUE(r.core.RightClickHitBlock() && r.core.RightClickHitConnection() &&
              r.core.RightClickHitComment());
  EXPECT_EQ(r.core.GetBackgroundColour(), kViewBaseColour);
  EXPECT_EQ(r.core.GetDocument(), &r.d.Doc());
  CPoint cursor;
  ASSERT_TRUE(r.core.GetCursorClientPos(&cursor));
  EXPECT_EQ(cursor, CPoint(7, 9));
  CDiagramEditor alone(&r.d.Doc());
  EXPECT_FALSE(alone.GetCursorClientPos(&cursor));
}

TEST(DiagramEditorTest, SimulationQuestionsAreTheScanDriversAnswers) {
  EditorRig r;
  r.d.Add(300);
  CScanDriver& driver = r.core.GetScanDriver();
  r.core.EnterSimulation(kStart);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SIMULATION);
  EXPECT_TRUE(driver.IsSimulating());
  EXPECT_EQ(r.d.Doc().m_bSimulating, 1);
  EXPECT_EQ(r.core.GetSimRunState(), SIM_RUNNING);

  driver.Run(4);  // 100 ms
  EXPECT_EQ(r.core.GetSimulatedTime().wMilliseconds, 100);
  EXPECT_EQ(r.core.GetScanTime().wMilliseconds, 100);
  EXPECT_EQ(r.core.FormatSimulatedTime(FALSE, 3),
            CScanDriver::FormatTime(driver.GetSimulatedTime(), FALSE, 3));
  EXPECT_FALSE(r.core.FormatSimulatedTime(FALSE, 0).IsEmpty());
  EXPECT_TRUE(r.core.IsTimeAdvancing(false));

  driver.SuspendResume();
  EXPECT_EQ(r.core.GetSimRunState(), SIM_SUSPENDED);
  EXPECT_FALSE(r.core.IsTimeAdvancing(false));
  driver.Step(SIM_UNIT_SECONDS, 100);
  EXPECT_EQ(r.core.GetSimStepState(), SIM_STEP_STEPPING);
  EXPECT_EQ(r.core.GetSimStepUnit(), SIM_UNIT_SECONDS);
  EXPECT_TRUE(r.core.IsTimeAdvancing(true));
  driver.Stop();
  EXPECT_EQ(r.core.GetSimRunState(), SIM_STOPPED);

  r.core.LeaveSimulation();
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  EXPECT_FALSE(driver.IsSimulating());
  EXPECT_EQ(r.d.Doc().m_bSimulating, 0);
}

// A block that notes the context it is scanned in.
class ContextProbe : public CBlockObj {
 public:
  BOOL Simulate(CViewContext* view) override {
    seen.push_back(view);
    return TRUE;
  }
  void SimulateAndDraw(CViewContext* view, CDC*) override { seen.push_back(view); }
  std::vector<CViewContext*> seen;
};

TEST(DiagramEditorTest, BlocksAreScannedInTheCore) {
  EditorRig r;
  auto* probe = static_cast<ContextProbe*>(r.d.Doc().AddBlock(std::make_unique<ContextProbe>()));
  r.core.Scan();  // outside simulation nothing is scanned
  EXPECT_TRUE(probe->seen.empty());
  r.core.EnterSimulation(kStart);
  r.core.Scan();
  CRecordingDC dc;
  r.core.Scan(&dc);
  EXPECT_EQ(probe->seen, (std::vector<CViewContext*>{&r.core, &r.core}));
}

TEST(DiagramEditorTest, PalettePickRepaintsAndLeavesSimulation) {
  EditorRig r;
  // A half-drawn wire is abandoned by a place-block pick, with a repaint.
  r.core.OnPalettePick(MODE_CONNECT, 0);
  r.core.BeginWire(CPoint(10, 10));
  const int repaints = r.host.repaints;
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 300);
  EXPECT_FALSE(r.core.IsWireInProgress());
  EXPECT_GT(r.host.repaints, repaints);
  // A pick while simulating leaves simulation first.
  r.core.EnterSimulation(kStart);
  r.core.OnPalettePick(MODE_INSERT_COMMENT, 0);
  EXPECT_EQ(r.core.GetEditMode(), MODE_INSERT_COMMENT);
  EXPECT_FALSE(r.core.GetScanDriver().IsSimulating());
  EXPECT_EQ(r.d.Doc().m_bSimulating, 0);
}

TEST(DiagramEditorTest, SelectionListsFollowTheFlags) {
  EditorRig r;
  CBlockObj* a = r.d.Add(300);
  CBlockObj* b = r.d.Add(301);
  auto* comment = r.d.Doc().m_comments.AddTail(std::make_unique<CBlockComment>());
  CConnectLineObj* wire = r.d.Doc().m_connections.AddTail(std::make_unique<CConnectLineObj>());

  r.core.SelectBlock(a);
  r.core.SelectBlock(a);  // once only
  r.core.SelectBlock(b);
  r.core.SelectConnection(wire);
  r.core.SelectComment(comment);
  EXPECT_EQ(r.core.GetSelectedBlocks(), (std::vector<CBlockObj*>{a, b}));
  EXPECT_TRUE(a->m_bSelected && b->m_bSelected && wire->m_bSelected && comment->m_bSelected);
  r.core.SelectBlock(a, false);
  EXPECT_EQ(r.core.GetSelectedBlocks(), (std::vector<CBlockObj*>{b}));
  EXPECT_EQ(a->m_bSelected, 0);

  // ClearSelection empties one list, or all of them, with the flags.
  r.core.ClearSelection(SEL_CONNECTIONS);
  EXPECT_TRUE(r.core.GetSelectedConnections().empty());
  EXPECT_EQ(wire->m_bSelected, 0);
  EXPECT_EQ(b->m_bSelected, 1);
  r.core.ClearSelection(SEL_BLOCKS);
  EXPECT_TRUE(r.core.GetSelectedBlocks().empty());
  EXPECT_EQ(comment->m_bSelected, 1);
  r.core.SelectBlock(a);
  r.core.ClearSelection();
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(a->m_bSelected + comment->m_bSelected, 0);

  // An object that leaves the document leaves the lists and the current objects.
  r.core.SelectBlock(a);
  r.core.SetCurrentBlock(a);
  r.core.SetCurrentConnection(wire);
  r.core.SelectConnection(wire);
  r.core.ForgetBlock(a);
  r.core.ForgetConnection(wire);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  EXPECT_EQ(r.core.GetCurrentConnection(), nullptr);

  // New contents: nothing selected or current.
  r.core.SelectComment(comment);
  r.core.SetCurrentComment(comment);
  r.core.OnInitialUpdate();
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(r.core.GetCurrentComment(), nullptr);
}

TEST(DiagramEditorTest, WireAndBandAreDrawnAsToolFeedback) {
  EditorRig r;
  CRecordingDC dc;
  auto linesTo = [&dc](CPoint from, CPoint to) {
    int n = 0;
    for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kLine))
      n += c->points[0] == from && c->points[1] == to;
    return n;
  };

  r.core.OnPalettePick(MODE_CONNECT, 0);
  r.core.BeginWire(CPoint(40, 50));
  r.core.TrackWire(CPoint(140, 90));
  EXPECT_EQ(r.core.GetWireStart(), CPoint(40, 50));
  r.core.DrawDiagram(&dc, 1);
  EXPECT_EQ(linesTo(CPoint(40, 50), CPoint(140, 90)), 1);
  // Without a wire in progress nothing is previewed.
  r.core.AbandonWire();
  dc.Clear();
  r.core.DrawDiagram(&dc, 1);
  EXPECT_EQ(linesTo(CPoint(40, 50), CPoint(140, 90)), 0);

  // The band: drawn while it is dragged, handed back normalised at the release.
  r.core.SetEditMode(MODE_SELECT);
  r.core.BeginBand(CPoint(300, 200));
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT_RECT);
  r.core.TrackBand(CPoint(100, 50));
  dc.Clear();
  r.core.DrawDiagram(&dc, 1);
  int bandEdges = 0;
  for (const DCCall* c : dc.CallsOfKind(DCCall::Kind::kFillRect))
    bandEdges += c->fillColor == kViewBandColour;
  EXPECT_GT(bandEdges, 0);
  EXPECT_EQ(r.core.EndBand(), CRect(100, 50, 300, 200));
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
}

TEST(DiagramEditorTest, ZoomAndScrollStayInRange) {
  EditorRig r;
  const CRect page = GetDiagramPageRect(r.d.Doc());
  r.core.SetZoom(0.1f);
  EXPECT_EQ(r.core.GetZoom(), 0.25f);
  r.core.SetZoom(8.0f);
  EXPECT_EQ(r.d.Doc().m_fZoom, 4.0f);
  EXPECT_EQ(r.core.GetTotalSize(), CSize(page.Width() * 4, page.Height() * 4));
  EXPECT_EQ(r.core.GetPageStep().cx, r.core.GetTotalSize().cx / 10);

  // Scrolling is held to 0 .. total - client; the host is told.
  const int changes = r.host.scrollChanges;
  r.core.ScrollTo(CPoint(-5, 1 << 30));
  EXPECT_EQ(r.core.GetScrollPosition(), CPoint(0, r.core.GetTotalSize().cy - 400));
  EXPECT_GT(r.host.scrollChanges, changes);
  // A larger client pulls the position back.
  r.core.ScrollTo(CPoint(500, 500));
  r.core.SetClientSize(CSize(page.Width() * 4 - 100, 400));
  EXPECT_EQ(r.core.GetScrollPosition().x, 100);

  // The centre stays where it was when zooming in from 1.0.
  r.core.SetClientSize(CSize(600, 400));
  r.core.SetZoom(1.0f);
  r.core.ScrollTo(CPoint(100, 50));
  const CPoint centre(300, 200);
  const CPoint before = r.core.ClientToDiagram(centre);
  r.core.SetZoom(2.0f);
  EXPECT_EQ(r.core.ClientToDiagram(centre), before);
  EXPECT_EQ(r.core.ClientToDiagram(r.core.DiagramToClient(CPoint(400, 300))), CPoint(400, 300));
  // In diagram units: a diagram point brought to the corner, and what the client shows.
  r.core.ScrollToDiagramPoint(CPoint(250, 120));
  EXPECT_EQ(r.core.GetScrollPosition(), CPoint(500, 240));
  EXPECT_EQ(r.core.GetVisibleRect(), CRect(250, 120, 550, 320));

  // The zoom mapping puts the scroll position at the client's corner.
  CRecordingDC dc;
  r.core.ApplyZoomMapping(&dc);
  EXPECT_EQ(dc.GetMapMode(), MM_ISOTROPIC);
  const CPoint scroll = r.core.GetScrollPosition();
  CPoint corner(0, 0);
  dc.LPtoDP(&corner, 1);
  EXPECT_EQ(corner, CPoint(-scroll.x, -scroll.y));
  EXPECT_EQ(r.core.DiagramToClient(CPoint(0, 0)), corner);
}

TEST(DiagramEditorTest, CommandsItAnswers) {
  EditorRig r;
  // Zoom In at the top of the range: 3.5 goes to 4.0 and the command is disabled.
  r.core.SetZoom(3.5f);
  ASSERT_TRUE(r.core.OnCmdMsg(ID_ZOOM_IN));
  EXPECT_EQ(r.core.GetZoom(), 4.0f);
  CCmdUI zoomIn(ID_ZOOM_IN);
  ASSERT_TRUE(r.core.OnUpdateCmdUI(&zoomIn));
  EXPECT_FALSE(zoomIn.m_bEnabled);
  // Save and Save As are the shell's, but disabled while simulating.
  for (UINT id : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
    CCmdUI editing(id);
    EXPECT_FALSE(r.core.OnUpdateCmdUI(&editing));
    r.core.EnterSimulation(kStart);
    CCmdUI simulating(id);
    EXPECT_TRUE(r.core.OnUpdateCmdUI(&simulating));
    EXPECT_FALSE(simulating.m_bEnabled);
    r.core.LeaveSimulation();
  }
  EXPECT_TRUE(r.core.OnCmdMsg(ID_EDIT_COPY));  // copying an empty selection writes nothing
  EXPECT_FALSE(r.core.OnCmdMsg(0xFFFE));
}

TEST(DiagramEditorTest, MessageNumbersInUse) {
  EditorRig r;
  for (int number : {0, 3, 17, -1}) {
    static_cast<CBlockMSGTEXT*>(r.d.Add(CBlockMSGTEXT::kTypeCode))->SetPriority(number);
  }
  r.core.OnInitialUpdate();
  for (int i = -1; i < kMessageNumberCount + 2; ++i)
    EXPECT_EQ(r.core.IsMessageNumberUsed(i), i == 0 || i == 3) << i;
}

}  // namespace

namespace {

class PopupHost : public CountingHost {
 public:
  void OpenValuePopup(CBlockObj* b) override { popup = b; }
  void CloseValuePopup() override {
    popup = nullptr;
    ++closes;
  }
  CBlockObj* popup = nullptr;
  int closes = 0;
};

CPoint Middle(const CBlockObj* b) {
  return CPoint(b->m_ptPos.x + b->m_nWidth / 2, b->m_ptPos.y + b->m_nHeight / 2);
}

CBlockObj* Place(CDiagramBuilder& d, int type, int x, int y) {
  CBlockObj* b = d.Add(type);
  b->m_ptPos = CPoint(x, y);
  return b;
}

}  // namespace

TEST(DiagramEditorTest, SimulationClicksOperateInputsAndTheValuePopup) {
  EditorRig r;
  PopupHost host;
  r.core.SetHost(&host);
  CBlockObj* toggle = Place(r.d, 600, 100, 100);
  CBlockObj* make = Place(r.d, 600, 100, 200);
  make->m_nParam26 = 1;
  CBlockObj* brk = Place(r.d, 600, 100, 300);
  brk->m_nParam26 = 2;
  CBlockObj* freq = Place(r.d, 600, 100, 400);
  freq->m_nParam26 = 3;
  CBlockObj* ai = Place(r.d, 608, 300, 100);
  CBlockObj* gate = Place(r.d, 300, 300, 300);
  r.core.EnterSimulation(kStart);
  ASSERT_EQ(brk->m_nValue[kFirstOutputPin], 1);

  auto click = [&](CBlockObj* b) {
    r.core.OnLButtonDown(Middle(b), MK_LBUTTON);
    r.core.OnLButtonUp(Middle(b), 0);
  };
  // Switch: each click toggles.
  click(toggle);
  EXPECT_EQ(toggle->m_nValue[kFirstOutputPin], 1);
  click(toggle);
  EXPECT_EQ(toggle->m_nValue[kFirstOutputPin], 0);
  // Momentary make: 1 only while held; momentary break: 0 only while held.
  r.core.OnLButtonDown(Middle(make), MK_LBUTTON);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 1);
  r.core.OnLButtonUp(Middle(make), 0);
  EXPECT_EQ(make->m_nValue[kFirstOutputPin], 0);
  r.core.OnLButtonDown(Middle(brk), MK_LBUTTON);
  EXPECT_EQ(brk->m_nValue[kFirstOutputPin], 0);
  r.core.OnLButtonUp(Middle(brk), 0);
  EXPECT_EQ(brk->m_nValue[kFirstOutputPin], 1);
  // Frequency inputs and analog inputs open the pop-up; another block closes it.
  click(freq);
  EXPECT_EQ(host.popup, freq);
  click(ai);
  EXPECT_EQ(host.popup, ai);
  click(gate);
  EXPECT_EQ(host.popup, nullptr);
  // A suspended simulation ignores clicks on inputs.
  r.core.GetScanDriver().SuspendResume();
  click(toggle);
  EXPECT_EQ(toggle->m_nValue[kFirstOutputPin], 0);
}

TEST(DiagramEditorTest, SimulationClickOnALadderContactSwitchesEveryElementOfItsOperand) {
  EditorRig r(kDocLadder);
  CBlockObj* a = Place(r.d, 700, 100, 100);
  CBlockObj* b = Place(r.d, 700, 100, 200);
  CBlockObj* c = Place(r.d, 701, 100, 300);
  CBlockObj* other = Place(r.d, 700, 100, 400);
  a->m_nOperand = b->m_nOperand = c->m_nOperand = 100;
  other->m_nOperand = 2000;  // a flag: not operated by clicks
  r.core.EnterSimulation(kStart);
  const int closedA = a->m_nContactState, closedOther = other->m_nContactState;
  r.core.OnLButtonDown(Middle(a), MK_LBUTTON);
  EXPECT_EQ(a->m_nContactState, 1 - closedA);
  EXPECT_EQ(b->m_nContactState, a->m_nContactState);
  EXPECT_EQ(c->m_nContactState, 1 - a->m_nContactState);
  r.core.OnLButtonDown(Middle(other), MK_LBUTTON);
  EXPECT_EQ(other->m_nContactState, closedOther);
}

TEST(DiagramEditorTest, StoppedSimulationDrawsBlackOrPowerOffBlue) {
  EditorRig r;
  Place(r.d, 600, 100, 100);
  r.core.EnterSimulation(kStart);
  EXPECT_FALSE(r.core.GetDrawOptions(1).simulationStopped);
  CScanDriver& driver = r.core.GetScanDriver();
  driver.Stop();
  EXPECT_TRUE(r.core.GetDrawOptions(1).simulationStopped);
  EXPECT_EQ(r.core.GetDrawOptions(1).stoppedColour, 0x000000u);
  driver.PowerDown();  // before the first start
  EXPECT_EQ(r.core.GetDrawOptions(1).stoppedColour, 0xFF0000u);
  driver.PowerUp();
  driver.Start();
  driver.PowerDown();  // a started simulation: black
  EXPECT_EQ(r.core.GetDrawOptions(1).stoppedColour, 0x000000u);
}
