// Editing a diagram through the editor core with scripted mouse and key
// events: the press in select mode, the rubber band, drags with their undo
// steps and the base margins, placing with the program limits, the delete
// cascade with renumbering and references, undo and redo, align, the right
// click and its context menu, and the commands' enabling rules.
#include <gtest/gtest.h>

#include "blocks/block_factory.h"
#include "blocks/data_log_block.h"
#include "editor/diagram_editor.h"
#include "model/block_comment.h"
#include "model/block_registry.h"
#include "model/doc_queries.h"
#include "msgtext/msgtext_block.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "support/diagram_builder.h"

namespace {

class EditHost : public CDiagramEditorHost {
 public:
  void OpenBlockProperties() override { ++properties; }
  void PostDeviceOperation(int code) override { device.push_back(code); }
  void PostCommand(UINT id) override { posted.push_back(id); }
  bool IsDevicePortOpen() const override { return portOpen; }
  void MaximizeWindow() override { ++maximised; }
  int properties = 0;
  bool portOpen = false;
  int maximised = 0;
  std::vector<int> device;
  std::vector<UINT> posted;
};

struct Rig {
  CDiagramBuilder d;
  CDiagramEditor core{&d.Doc()};
  EditHost host;
  RecordingMessageSink sink;
  ScopedMessageSink scope{&sink};
  explicit Rig(int kind = kDocFbd, WORD model = 0x5188) : d(kind, model) {
    d.Doc().m_sizePage = CSize(1000, 700);
    d.Doc().m_rcDiagram = CRect(0, 0, 1000, 700);
    core.SetHost(&host);
    core.SetClientSize(CSize(600, 400));
    core.OnInitialUpdate();
  }
  CZaradDoc& Doc() { return d.Doc(); }
  // A block of the type at a position, numbered by the document.
  CBlockObj* Block(int type, CPoint pos) {
    CBlockObj* b = d.Add(type);
    b->m_ptPos = pos;
    b->m_nWidth = 25;
    b->m_nHeight = b->m_nInputs == 4 ? 40 : 36;
    return b;
  }
  // A wire from src's output to dst's input pin, routed as four points.
  CConnectLineObj* Wire(CBlockObj* src, CBlockObj* dst, int pin) {
    auto w = std::make_unique<CConnectLineObj>();
    CRect a, b;
    GetPinRect(&a, src, kFirstOutputPin);
    GetPinRect(&b, dst, pin);
    w->m_pStartBlock = src;
    w->m_pEndBlock = dst;
    w->m_nStartPin = kFirstOutputPin;
    w->m_nEndPin = pin;
    w->m_nStartNumber = src->m_nNumber;
    w->m_nEndNumber = dst->m_nNumber;
    w->m_ptStart = a.CenterPoint();
    w->m_ptEnd = b.CenterPoint();
    const int mid = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
    w->m_points = {w->m_ptStart, CPoint(mid, w->m_ptStart.y), CPoint(mid, w->m_ptEnd.y), w->m_ptEnd};
    CDiagramBuilder::Wire(src, dst, pin);
    return AddConnection(d.Doc(), std::move(w));
  }
  void Click(CPoint p, UINT flags = 0) {
    core.OnLButtonDown(p, flags | MK_LBUTTON);
    core.OnLButtonUp(p, flags);
  }
  void Drag(CPoint from, CPoint to) {
    core.OnLButtonDown(from, MK_LBUTTON);
    core.OnMouseMove(to, MK_LBUTTON);
    core.OnLButtonUp(to, 0);
  }
  bool Enabled(UINT id) {
    CCmdUI ui(id);
    return core.OnUpdateCmdUI(&ui) && ui.m_bEnabled;
  }
};

CPoint Centre(const CBlockObj* b) {
  return CPoint(b->m_ptPos.x + b->m_nWidth / 2, b->m_ptPos.y + b->m_nHeight / 2);
}

// ---- Selection -----------------------------------------------------------------------------

TEST(DiagramEditSelectTest, PressDecidesSelectionAndDrag) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  CConnectLineObj* w = r.Wire(a, b, 0);
  const CPoint onWire = w->m_points[1] + CSize(0, 0);

  // A block replaces the selection and starts a block drag.
  EXPECT_EQ(r.core.SelectAtPoint(Centre(a), 0), MODE_MOVE_BLOCKS);
  EXPECT_EQ(r.core.GetSelectedBlocks(), std::vector<CBlockObj*>{a});
  EXPECT_EQ(r.core.GetCurrentBlock(), a);
  // Ctrl adds another block without a drag; Ctrl on a selected one takes it out.
  EXPECT_EQ(r.core.SelectAtPoint(Centre(b), MK_CONTROL), MODE_SELECT);
  EXPECT_EQ(r.core.GetSelectedBlocks().size(), 2u);
  EXPECT_EQ(r.core.SelectAtPoint(Centre(a), MK_CONTROL), MODE_MOVE_BLOCKS);
  EXPECT_EQ(r.core.GetSelectedBlocks(), std::vector<CBlockObj*>{b});
  EXPECT_EQ(a->m_bSelected, 0);
  // Pressing on a block of a multiple selection keeps it.
  r.core.SelectAtPoint(Centre(a), MK_CONTROL);
  EXPECT_EQ(r.core.SelectAtPoint(Centre(b), 0), MODE_MOVE_BLOCKS);
  EXPECT_EQ(r.core.GetSelectedBlocks().size(), 2u);
  // A wire replaces the selection and starts a wire drag.
  EXPECT_EQ(r.core.SelectAtPoint(onWire, 0), MODE_MOVE_WIRE);
  EXPECT_EQ(r.core.GetSelectedConnections(), std::vector<CConnectLineObj*>{w});
  EXPECT_TRUE(r.core.GetSelectedBlocks().empty());
  // Empty space clears everything and starts a band.
  EXPECT_EQ(r.core.SelectAtPoint(CPoint(600, 500), 0), MODE_SELECT_RECT);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(w->m_bSelected, 0);
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
}

TEST(DiagramEditSelectTest, BandSelectsWhatItTouchesAndWiresOfSelectedBlocks) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  CBlockObj* c = r.Block(300, CPoint(300, 300));
  CConnectLineObj* ab = r.Wire(a, b, 0);
  CConnectLineObj* ac = r.Wire(a, c, 0);
  // From empty space to just the top-left corner of b: a and b, only the wire between them.
  r.core.OnLButtonDown(CPoint(90, 90), MK_LBUTTON);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT_RECT);
  r.core.OnMouseMove(CPoint(300, 100), MK_LBUTTON);
  EXPECT_TRUE(a->m_bSelected && b->m_bSelected);
  EXPECT_FALSE(c->m_bSelected);
  EXPECT_EQ(ab->m_bSelected, 1);
  EXPECT_EQ(ac->m_bSelected, 0);
  r.core.OnLButtonUp(CPoint(300, 100), 0);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  EXPECT_EQ(r.core.GetSelectedBlocks().size(), 2u);
}

// ---- Moving ----------------------------------------------------------------------------------

TEST(DiagramEditMoveTest, DragOfTenUnitsIsOneUndoStepNineIsNone) {
  struct Case {
    int dx;
    bool snapshot;
  } cases[] = {{9, false}, {10, true}, {-10, true}};
  for (const Case& c : cases) {
    Rig r;
    CBlockObj* a = r.Block(300, CPoint(200, 200));
    CBlockObj* b = r.Block(300, CPoint(400, 200));
    CConnectLineObj* w = r.Wire(a, b, 0);
    r.Doc().SetModifiedFlag(false);
    r.Drag(Centre(a), Centre(a) + CSize(c.dx, 0));
    EXPECT_EQ(a->m_ptPos, CPoint(200 + c.dx, 200)) << c.dx;
    EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
    EXPECT_TRUE(r.Doc().IsModified());
    EXPECT_EQ(r.Doc().m_undo.m_nTop, c.snapshot ? 1 : 0) << c.dx;
    // The wire follows its moved end and keeps the other.
    CRect pin;
    GetPinRect(&pin, a, kFirstOutputPin);
    EXPECT_EQ(w->m_ptStart, pin.CenterPoint());
    EXPECT_EQ(w->m_points.front(), pin.CenterPoint());
    EXPECT_EQ(w->m_points.back(), w->m_ptEnd);
  }
}

TEST(DiagramEditMoveTest, SelectionMovesWiresBetweenSelectedBlocksWhole) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(200, 200));
  CBlockObj* b = r.Block(300, CPoint(400, 200));
  CConnectLineObj* w = r.Wire(a, b, 0);
  const std::vector<CPoint> before = w->m_points;
  r.core.SelectAll();
  r.core.MoveSelection(CSize(5, 7));
  ASSERT_EQ(w->m_points.size(), before.size());
  for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(w->m_points[i], before[i] + CSize(5, 7));
  EXPECT_EQ(b->m_ptPos, CPoint(405, 207));
}

TEST(DiagramEditMoveTest, DropOutsideTheBaseGoesBackWithMessage339) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(900, 300));
  r.core.OnLButtonDown(Centre(a), MK_LBUTTON);
  // Step by step to the right edge: the margin stops the blocks before the edge.
  for (int i = 1; i <= 20; ++i) r.core.OnMouseMove(Centre(a) + CSize(10, 0), MK_LBUTTON);
  EXPECT_LT(a->m_ptPos.x + a->m_nWidth + 5, 1000);
  // Forced past the edge (a page made smaller under the drag): the release reverts it.
  r.Doc().m_sizePage = CSize(900, 700);
  r.core.OnLButtonUp(Centre(a), 0);
  EXPECT_EQ(a->m_ptPos, CPoint(900, 300));
  ASSERT_EQ(r.sink.texts().size(), 1u);
  EXPECT_EQ(r.sink.texts()[0], LoadString(339));
  EXPECT_EQ(r.core.GetSelectedBlocks(), std::vector<CBlockObj*>{a});
}

TEST(DiagramEditMoveTest, ArrowKeysMoveByOneUnitWithoutUndoStep) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(200, 200));
  r.Click(Centre(a));
  const int top = r.Doc().m_undo.m_nTop;
  EXPECT_TRUE(r.core.OnKeyDown(VK_RIGHT, false));
  EXPECT_TRUE(r.core.OnKeyDown(VK_DOWN, false));
  EXPECT_EQ(a->m_ptPos, CPoint(201, 201));
  EXPECT_EQ(r.Doc().m_undo.m_nTop, top);
  EXPECT_TRUE(r.Doc().IsModified());
}

// ---- Placing ---------------------------------------------------------------------------------

TEST(DiagramEditPlaceTest, PlacesAtTheClickPulledIntoTheMargin) {
  Rig r;
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 300);
  r.Click(CPoint(200, 150));
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 1);
  CBlockObj* b = r.Doc().m_blocks.GetHead();
  EXPECT_EQ(b->m_ptPos, CPoint(188, 150));
  EXPECT_EQ(b->m_nNumber, kFirstFunctionBlockNumber);
  EXPECT_EQ(b->m_nWidth, 25);
  EXPECT_EQ(b->m_nHeight, 40);
  EXPECT_EQ(b->m_bSelected, 0);
  EXPECT_EQ(r.core.GetEditMode(), MODE_PLACE_BLOCK);
  EXPECT_TRUE(r.Doc().m_undo.CanUndo());
  // Ten units inside the left edge: placed from the margin (left + 25).
  r.Click(CPoint(10, 300));
  EXPECT_EQ(r.Doc().m_blocks.GetTail()->m_ptPos, CPoint(13, 300));
  // Outside the base: message 339 and back to selection.
  r.Click(CPoint(1200, 300));
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 2);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  EXPECT_EQ(r.sink.texts().back(), LoadString(339));
  // A type without a class creates nothing and says nothing.
  r.sink.Clear();
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 811);
  r.Click(CPoint(500, 500));
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 2);
  EXPECT_TRUE(r.sink.texts().empty());
}

TEST(DiagramEditPlaceTest, LimitOf1024FunctionBlocks) {
  Rig r;
  for (int i = 0; i < kMaxFunctionBlocks - 1; ++i) r.d.Add(300);
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 400);
  r.Click(CPoint(500, 500));
  EXPECT_EQ(r.Doc().CountFunctionBlocks(), kMaxFunctionBlocks);
  EXPECT_TRUE(r.sink.texts().empty());
  r.Click(CPoint(500, 300));
  EXPECT_EQ(r.Doc().CountFunctionBlocks(), kMaxFunctionBlocks);
  ASSERT_EQ(r.sink.texts().size(), 1u);
  EXPECT_EQ(r.sink.texts()[0], CString(u"your program has taken 1024 blocks,can't  add new block"));
}

TEST(DiagramEditPlaceTest, MemoryBudgetEdge) {
  const int cost = MakeBlockOfType(300)->m_wMemSize;
  ASSERT_GT(cost, 0);
  struct Case {
    int used;
    bool placed;
  } cases[] = {{kProgramMemoryLimit - cost - 1, true}, {kProgramMemoryLimit - cost, false}};
  for (const Case& c : cases) {
    Rig r;
    r.d.Add(300)->m_wMemSize = static_cast<WORD>(c.used);
    r.core.OnPalettePick(MODE_PLACE_BLOCK, 300);
    r.Click(CPoint(500, 500));
    EXPECT_EQ(r.Doc().m_blocks.GetCount(), c.placed ? 2 : 1) << c.used;
    if (!c.placed) {
      ASSERT_EQ(r.sink.texts().size(), 1u);
      EXPECT_EQ(r.sink.texts()[0], LoadString(612));
    }
  }
}

TEST(DiagramEditPlaceTest, MessageTextsTakeTheLowestFreeNumberAndAre16AtMost) {
  Rig r;
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 810);
  for (int i = 0; i < 16; ++i) r.Click(CPoint(60 + 50 * (i % 16), 100 + 60 * (i / 8)));
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 16);
  int n = 0;
  for (CBlockObj* b : r.Doc().m_blocks) EXPECT_EQ(static_cast<CBlockMSGTEXT*>(b)->GetPriority(), n++);
  r.Click(CPoint(500, 500));
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 16);
  EXPECT_EQ(r.sink.texts().back(), LoadString(592));
  // Deleting number 3 frees it for the next one.
  r.core.SetEditMode(MODE_SELECT);
  r.core.SelectBlock(r.Doc().m_blocks.GetAt(3));
  r.core.DeleteSelection();
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 810);
  r.Click(CPoint(500, 500));
  EXPECT_EQ(static_cast<CBlockMSGTEXT*>(r.Doc().m_blocks.GetTail())->GetPriority(), 3);
}

TEST(DiagramEditPlaceTest, ContactOpensPropertiesAndSitsRightOfThePowerBus) {
  Rig r(kDocLadder);
  auto bus = MakeBlockOfType(951);
  bus->m_ptPos = CPoint(40, 0);
  bus->m_nWidth = 8;  // right edge 48
  r.Doc().m_powerBus.AddTail(std::move(bus));
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 700);
  r.core.OnLButtonDown(CPoint(65, 300), MK_LBUTTON);
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 1);
  EXPECT_EQ(r.Doc().m_blocks.GetHead()->m_ptPos.x, 55);
  EXPECT_EQ(r.host.properties, 1);
  EXPECT_EQ(r.core.GetCurrentBlock(), r.Doc().m_blocks.GetHead());
  r.core.OnLButtonUp(CPoint(65, 300), 0);
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 703);
  r.Click(CPoint(166, 300));
  EXPECT_EQ(r.Doc().m_blocks.GetTail()->m_ptPos.x, 154);
  EXPECT_EQ(r.host.properties, 1);
}

// ---- Deleting ---------------------------------------------------------------------------------

TEST(DiagramEditDeleteTest, RenumbersDenselyAndKeepsWiresAndDataLogItems) {
  Rig r;
  CBlockObj* b0 = r.Block(300, CPoint(100, 100));
  CBlockObj* b1 = r.Block(300, CPoint(200, 100));
  CBlockObj* b2 = r.Block(400, CPoint(300, 100));
  CBlockObj* out = r.Block(605, CPoint(400, 100));
  CConnectLineObj* w = r.Wire(b2, out, 0);
  auto* log = static_cast<CBlockDataLog*>(r.d.Add(911));
  log->m_items.push_back(DataLogItem{CString(u"B2"), CString(), 9002, 0, b2});
  log->m_items.push_back(DataLogItem{CString(u"B1"), CString(), 9001, 0, b1});
  log->m_nParam10 = 2;
  ASSERT_EQ(b2->m_nNumber, 9002);
  r.core.SelectBlock(b1);
  r.core.OnCmdMsg(ID_EDIT_CLEAR);
  EXPECT_EQ(b0->m_nNumber, 9000);
  EXPECT_EQ(b2->m_nNumber, 9001);
  EXPECT_EQ(w->m_nStartNumber, 9001);
  EXPECT_EQ(out->m_nSource[0], 9001);
  ASSERT_EQ(log->m_items.size(), 1u);
  EXPECT_EQ(log->m_items[0].m_nOperand, 9001);
  EXPECT_TRUE(log->m_items[0].m_strOperand.Find(u"B1") == 0);
  EXPECT_EQ(log->m_nParam10, 1);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_EQ(r.core.GetCurrentBlock(), nullptr);
  EXPECT_TRUE(r.Doc().m_undo.CanUndo());
}

TEST(DiagramEditDeleteTest, WiresOfADeletedBlockGoAndOpenTheirPins) {
  Rig r;
  CBlockObj* in = r.Block(600, CPoint(100, 100));
  CBlockObj* g1 = r.Block(300, CPoint(200, 100));
  CBlockObj* g2 = r.Block(300, CPoint(200, 200));
  r.Wire(in, g1, 0);
  CConnectLineObj* second = r.Wire(in, g2, 1);
  // One of two wires from the same output: the output keeps its link.
  r.core.SelectConnection(second);
  r.core.DeleteSelection();
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 1);
  EXPECT_EQ(g2->m_nSource[1], LINK_OPEN);
  EXPECT_NE(in->m_nSource[kFirstOutputPin], 0);
  // The input block with its last wire.
  r.core.SelectBlock(in);
  r.core.DeleteSelection();
  EXPECT_EQ(r.Doc().m_connections.GetCount(), 0);
  EXPECT_EQ(g1->m_nSource[0], LINK_OPEN);
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 2);
}

TEST(DiagramEditDeleteTest, ReferencesToADeletedBlockAreReleased) {
  struct Case {
    int type;
    int slot;
    int* (*word)(CBlockObj*);
    int value;
  } cases[] = {
      {834, 0, [](CBlockObj* b) { return &b->m_nParam10; }, 1},    // rotate: constant 1
      {862, 0, [](CBlockObj* b) { return &b->m_nParam10; }, 10},   // modulo: 10
      {849, 1, [](CBlockObj* b) { return &b->m_nParam15; }, 250},  // stepping motor, second: 250
      {400, 3, [](CBlockObj* b) { return &b->m_nParam22; }, 0},    // on-delay, fourth slot
  };
  for (const Case& c : cases) {
    Rig r;
    CBlockObj* source = r.Block(800, CPoint(100, 100));
    CBlockObj* holder = r.Block(c.type, CPoint(200, 100));
    holder->m_pRef[c.slot] = source;
    holder->m_bUseRef[c.slot] = 1;
    holder->m_nRefNumber[c.slot] = source->m_nNumber;
    *c.word(holder) = 77;
    holder->m_pRef[0 == c.slot ? 1 : 0] = holder;  // another slot that stays
    r.core.SelectBlock(source);
    r.core.DeleteSelection();
    EXPECT_EQ(holder->m_pRef[c.slot], nullptr) << c.type;
    EXPECT_EQ(holder->m_bUseRef[c.slot], 0) << c.type;
    EXPECT_EQ(*c.word(holder), c.value) << c.type;
    EXPECT_EQ(holder->m_pRef[0 == c.slot ? 1 : 0], holder) << c.type;
    holder->m_pRef[0 == c.slot ? 1 : 0] = nullptr;
  }
}

TEST(DiagramEditDeleteTest, OlderSeriesReleasesOnlyItsFourTypesButNoPointerDangles) {
  Rig r(kDocFbd, 0x1188);
  CBlockObj* source = r.Block(800, CPoint(100, 100));
  CBlockObj* gate = r.Block(834, CPoint(200, 100));
  gate->m_pRef[0] = source;
  gate->m_bUseRef[0] = 1;
  gate->m_nParam10 = 77;
  r.core.SelectBlock(source);
  r.core.DeleteSelection();
  EXPECT_EQ(gate->m_nParam10, 77);
  EXPECT_EQ(gate->m_pRef[0], nullptr);
  EXPECT_EQ(gate->m_bUseRef[0], 0);
}

TEST(DiagramEditDeleteTest, CoilTakesItsContactsAlong) {
  Rig r(kDocLadder);
  CBlockObj* coil = r.Block(703, CPoint(300, 100));
  CBlockObj* make = r.Block(700, CPoint(100, 100));
  CBlockObj* other = r.Block(700, CPoint(100, 200));
  make->m_nOperand = coil->m_nNumber;
  other->m_nOperand = kDefaultContactOperand;
  r.core.SelectBlock(coil);
  r.core.DeleteSelection();
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 1);
  EXPECT_EQ(r.Doc().m_blocks.GetHead(), other);
}

// ---- Undo, redo, align ------------------------------------------------------------------------

TEST(DiagramEditUndoTest, UndoRemovesThePlacedBlockAndRedoBringsItBack) {
  Rig r;
  EXPECT_FALSE(r.Enabled(ID_EDIT_UNDO));
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 300);
  r.Click(CPoint(200, 200));
  r.core.OnPalettePick(MODE_PLACE_BLOCK, 400);
  r.Click(CPoint(400, 200));
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 2);
  r.core.SelectBlock(r.Doc().m_blocks.GetHead());
  ASSERT_TRUE(r.Enabled(ID_EDIT_UNDO));
  r.core.OnCmdMsg(ID_EDIT_UNDO);
  EXPECT_EQ(r.Doc().m_blocks.GetCount(), 1);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_TRUE(r.Enabled(ID_EDIT_REDO));
  r.core.OnCmdMsg(ID_EDIT_REDO);
  ASSERT_EQ(r.Doc().m_blocks.GetCount(), 2);
  EXPECT_EQ(r.Doc().m_blocks.GetTail()->m_nType, 400);
  EXPECT_FALSE(r.Enabled(ID_EDIT_REDO));
}

TEST(DiagramEditUndoTest, AlignVerticallyOnTheFirstSelectedBlock) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(140, 200));
  CBlockObj* c = r.Block(300, CPoint(60, 300));
  CConnectLineObj* w = r.Wire(a, b, 0);
  r.core.SelectBlock(a);
  EXPECT_FALSE(r.Enabled(ID_ALIGN_VERTICALLY));
  r.core.SelectBlock(b);
  r.core.SelectBlock(c);
  ASSERT_TRUE(r.Enabled(ID_ALIGN_VERTICALLY));
  r.core.OnCmdMsg(ID_ALIGN_VERTICALLY);
  EXPECT_EQ(b->m_ptPos, CPoint(100, 200));
  EXPECT_EQ(c->m_ptPos, CPoint(100, 300));
  EXPECT_EQ(r.core.GetSelectedBlocks().size(), 3u);
  EXPECT_EQ(w->m_points.back(), w->m_ptEnd);
  CRect pin;
  GetPinRect(&pin, b, 0);
  EXPECT_EQ(w->m_ptEnd, pin.CenterPoint());
  EXPECT_EQ(r.Doc().m_undo.m_nTop, 1);
}

// ---- Right click, modes and commands ------------------------------------------------------------

TEST(DiagramEditInputTest, RightClickChoosesThePopup) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  CBlockObj* b = r.Block(300, CPoint(300, 100));
  r.Block(300, CPoint(300, 300));
  r.core.OnRButtonDown(CPoint(700, 600), 0);
  r.core.OnRButtonUp(CPoint(700, 600), 0);
  EXPECT_EQ(r.core.ChooseContextMenu(), POPUP_EDIT_EMPTY);
  r.core.OnRButtonDown(Centre(a), 0);
  r.core.OnRButtonUp(Centre(a), 0);
  EXPECT_EQ(r.core.ChooseContextMenu(), POPUP_EDIT);
  EXPECT_EQ(r.core.GetCurrentBlock(), a);
  // One block of three selected ones: the multiple-selection pop-up.
  r.core.SelectAll();
  r.core.OnRButtonDown(Centre(b), 0);
  r.core.OnRButtonUp(Centre(b), 0);
  EXPECT_EQ(r.core.GetSelectedBlocks().size(), 3u);
  EXPECT_EQ(r.core.ChooseContextMenu(), POPUP_EDIT_MULTI);
}

TEST(DiagramEditInputTest, ModesCommandsAndTheLock) {
  Rig r;
  CBlockObj* a = r.Block(300, CPoint(100, 100));
  r.core.OnCmdMsg(ID_CONNECT);
  EXPECT_EQ(r.core.GetEditMode(), MODE_CONNECT);
  r.core.OnCmdMsg(ID_CONNECT);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  r.core.OnCmdMsg(ID_CUT_JOIN_CONNECTION);
  EXPECT_EQ(r.core.GetEditMode(), MODE_CUT_JOIN);
  EXPECT_TRUE(r.core.OnKeyDown(VK_ESCAPE, false));
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  // No press ever enters the base-resize mode.
  for (CPoint p : {CPoint(999, 699), CPoint(0, 0), CPoint(1000, 350), CPoint(500, 700)}) {
    r.core.OnLButtonDown(p, MK_LBUTTON);
    EXPECT_NE(r.core.GetEditMode(), MODE_RESIZE_BASE);
    r.core.OnLButtonUp(p, 0);
  }
  // Locked: presses do nothing.
  r.Doc().m_bLocked = 1;
  r.core.OnLButtonDown(Centre(a), MK_LBUTTON);
  EXPECT_EQ(r.core.GetEditMode(), MODE_SELECT);
  EXPECT_FALSE(r.core.HasSelection());
  EXPECT_FALSE(r.Enabled(ID_EDIT_SELECT_ALL));
  EXPECT_FALSE(r.Enabled(ID_PAGE_LAYOUT));
  r.Doc().m_bLocked = 0;
  EXPECT_TRUE(r.Enabled(ID_EDIT_SELECT_ALL));
  EXPECT_FALSE(r.Enabled(ID_EDIT_CLEAR));
  // Device requests go to the main window with their codes.
  for (UINT id : {ID_PC_TO_DEVICE, ID_DEVICE_TO_PC, ID_RUN_STOP, ID_CLOCK_SETTING, ID_SUMMER_TIME,
                  ID_WIFI_SETUP, ID_REMOTE_WIFI_SETUP}) {
    r.core.OnCmdMsg(id);
  }
  EXPECT_EQ(r.host.device, (std::vector<int>{5, 6, 3, 18, 19, 14, 26}));
  // Function keys post their commands.
  r.core.OnKeyDown(VK_F5, false);
  r.core.OnKeyDown(VK_F4, false);
  r.core.OnKeyDown(VK_F4, true);
  EXPECT_EQ(r.host.posted, (std::vector<UINT>{ID_CONNECT, ID_FILE_CLOSE}));
}

TEST(DiagramEditCommandTest, PlcMonitorFollowsThePortAndSaveAllFilesSaysSoAndMaximises) {
  Rig r;
  struct Case {
    bool portOpen;
    int locked;
    bool simulating;
    bool enabled;
  };
  for (const Case& c : {Case{false, 0, false, false}, Case{true, 0, false, true}, Case{true, 1, false, false},
                        Case{true, 0, true, false}}) {
    r.host.portOpen = c.portOpen;
    r.Doc().m_bLocked = c.locked;
    r.core.SetEditMode(c.simulating ? MODE_SIMULATION : MODE_SELECT);
    EXPECT_EQ(r.Enabled(ID_PLC_MONITOR), c.enabled) << c.portOpen << c.locked << c.simulating;
  }
  r.Doc().m_bLocked = 0;
  r.core.SetEditMode(MODE_SELECT);
  // The monitor command itself does nothing.
  EXPECT_TRUE(r.core.OnCmdMsg(ID_PLC_MONITOR));
  EXPECT_TRUE(r.sink.texts().empty());
  EXPECT_TRUE(r.host.device.empty());
  EXPECT_TRUE(r.core.OnCmdMsg(ID_SAVE_ALL_FILES));
  ASSERT_EQ(r.sink.texts().size(), 1u);
  EXPECT_EQ(r.sink.texts()[0], CString(u"Save All Files!"));
  EXPECT_EQ(r.host.maximised, 1);
}

TEST(DiagramEditInputTest, SelectAllNeedsMoreThanConnectorHalvesAndPageLayoutSetsTheExtent) {
  Rig r;
  r.d.Add(900);
  EXPECT_FALSE(r.Enabled(ID_EDIT_SELECT_ALL));
  r.core.StoreZoom(0.5f);
  r.core.SetPageLayout(2, 3);
  EXPECT_EQ(r.core.GetTotalSize(), CSize(1000, 1050));
  EXPECT_TRUE(r.Doc().IsModified());
}

}  // namespace
