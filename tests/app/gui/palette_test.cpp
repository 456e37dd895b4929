// The block palette in the real main window: the WorkBox tab bar with its
// palette views, picks reaching the active diagram, the rendered pictograms.
#include <QAction>
#include <QCheckBox>
#include <QDateTimeEdit>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/workspace_view.h"
#include "blocks/block_factory.h"
#include "controls/gui/cj_tab_ctrl_bar.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/hcolor_dialog.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/goto_block_dlg.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "model/doc_queries.h"
#include "model/shell_context.h"
#include "model/toolbox_lists.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/resource_ids.h"
#include "properties/gui/qt_program_sheet.h"
#include "shell_fixture.h"

namespace {

class PaletteTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    QCoreApplication::processEvents();
  }

  CCJTabCtrlBar* Bar() const { return m_frame->GetWorkBoxBar(); }
  CWorkspaceView* ViewAt(int tab) const { return qobject_cast<CWorkspaceView*>(Bar()->GetView(tab)); }
  CChildFrame* ActiveChild() const { return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow()); }

  // A user's click on a tab of the bar.
  void ClickTab(int index) {
    QTabBar* tabs = Bar()->GetTabCtrl()->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    QCoreApplication::processEvents();
  }
  // A click in the middle of row i's box of the shown palette.
  void ClickItem(int row) {
    CWorkspaceView* view = qobject_cast<CWorkspaceView*>(Bar()->GetActiveView());
    ASSERT_NE(view, nullptr);
    const CRect box = CWorkspacePalette::GetItemRect(row);
    const CPoint scroll = view->GetScrollPosition();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      QPoint((box.left + box.right) / 2 - scroll.x, (box.top + box.bottom) / 2 - scroll.y));
    QCoreApplication::processEvents();
  }
};

TEST_F(PaletteTest, WorkBoxHoldsOneViewPerTab) {
  QTabWidget* tabs = Bar()->GetTabCtrl();
  ASSERT_EQ(Bar()->GetTabCount(), 7);
  const char* labels[] = {"BSC", "TMR", "I/O", "Misc", "Aux", "Math", "Profile"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(tabs->tabText(i), labels[i]);
    ASSERT_NE(ViewAt(i), nullptr);
    EXPECT_EQ(ViewAt(i)->isVisible(), i == 0) << i;
    EXPECT_EQ(ViewAt(i)->isEnabled(), i == 0) << i;
  }
  EXPECT_EQ(Bar()->GetActiveView(), ViewAt(0));
  EXPECT_EQ(Bar()->GetView(-1), nullptr);
  EXPECT_EQ(m_frame->dockWidgetArea(Bar()), Qt::LeftDockWidgetArea);
  EXPECT_TRUE(Bar()->IsDockedVertically());
  // Docked at the left, a 160 x 500 client puts the tab control at (5, 20) and the views at (8, 23).
  Bar()->widget()->resize(160, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(tabs->geometry(), QRect(5, 20, 143, 469));
  EXPECT_EQ(ViewAt(3)->geometry(), QRect(8, 23, 137, 442));
  // An accepted edge drag keeps the depth within 32 and the old depth plus the frame's extent.
  EXPECT_EQ(CCJControlBar::ClampDepth(200, 500, 32, 250), 250);
  EXPECT_EQ(CCJControlBar::ClampDepth(200, 500, 32, 900), 700);
  EXPECT_EQ(CCJControlBar::ClampDepth(200, 500, 32, 10), 32);
}

TEST_F(PaletteTest, PicksReachTheActiveDiagram) {
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CDiagramEditor& core = child->GetActiveView()->Core();

  // A click between two boxes picks nothing.
  CWorkspaceView* bsc = ViewAt(0);
  QTest::mouseClick(bsc->viewport(), Qt::LeftButton, {}, QPoint(20, 55));
  EXPECT_EQ(bsc->m_nSelectedType, 0);
  EXPECT_EQ(core.GetEditMode(), MODE_SELECT);

  ClickItem(1);  // AND(Edge)
  EXPECT_EQ(bsc->m_nSelectedType, 301);
  int pickMode = 0, pickType = 0;
  m_frame->GetPalettePick(&pickMode, &pickType);
  EXPECT_EQ(pickType, 301);
  EXPECT_EQ(core.GetEditMode(), MODE_PLACE_BLOCK);
  EXPECT_EQ(core.GetPaletteType(), 301);

  // A tab change shows the new category, clears its mark and returns the diagram to select.
  ClickTab(2);
  EXPECT_EQ(Bar()->GetActiveView(), ViewAt(2));
  EXPECT_TRUE(ViewAt(2)->isVisible());
  EXPECT_FALSE(bsc->isVisible());
  EXPECT_FALSE(bsc->isEnabled());
  EXPECT_EQ(ViewAt(2)->m_nCategory, 2);
  EXPECT_EQ(ViewAt(2)->m_nSelectedType, 0);
  EXPECT_EQ(core.GetEditMode(), MODE_SELECT);
  m_frame->GetPalettePick(&pickMode, &pickType);
  EXPECT_EQ(pickMode, MODE_SELECT);

  ClickItem(1);  // the function key of the newer series
  EXPECT_EQ(core.GetPaletteType(), 611);
}

// Probe pixels of a rendered palette: box fill, the outline, the selection frame.
TEST_F(PaletteTest, RenderedTabsShowTheirItems) {
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  const QRgb fill = qRgb(245, 217, 129);
  const QRgb white = qRgb(255, 255, 255);
  const int expected[] = {8, 14, 11, 23, 27, 20, 1};
  for (int tab = 0; tab < 7; ++tab) {
    ClickTab(tab);
    CWorkspaceView* view = ViewAt(tab);
    view->resize(137, 1400);  // every row in sight
    QCoreApplication::processEvents();
    const QImage image = view->Render();
    int rows = 0;
    for (int row = 0; row < 30; ++row) {
      const CRect box = CWorkspacePalette::GetItemRect(row);
      if (box.bottom >= image.height()) break;
      // A pixel of the fill away from any symbol stroke: the box's top-right inner corner.
      const bool filled = (image.pixel(box.right - 1, box.top + 1) & 0xFFFFFF) == (fill & 0xFFFFFF);
      rows += filled;
      if (filled && tab != 2) {
        EXPECT_EQ(image.pixel(box.left, box.top + 20) & 0xFFFFFF, 0u)
            << "outline, tab " << tab << " row " << row;
      }
    }
    EXPECT_EQ(rows, expected[tab]) << "tab " << tab;
    EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, white & 0xFFFFFF);
  }
  // The picked item's red frame lies 4 pixels outside its box.
  ClickTab(0);
  ClickItem(2);
  const QImage image = ViewAt(0)->Render();
  const CRect box = CWorkspacePalette::GetItemRect(2);
  EXPECT_EQ(QColor(image.pixel(box.left - 4, box.top + 10)), QColor(200, 0, 0));
  EXPECT_NE(QColor(image.pixel(box.left - 4, CWorkspacePalette::GetItemRect(1).top + 10)), QColor(200, 0, 0));
}

// Options > "Set Frame Window BGColor", with or without a diagram: the colour
// dialog under its caption, and the palette painted in the chosen colour.
TEST_F(PaletteTest, FrameBackgroundColourPaintsThePalette) {
  for (bool withDiagram : {false, true}) {
    SCOPED_TRACE(withDiagram);
    if (withDiagram) m_frame->NewFbdDocument();
    m_frame->UpdateCommandUI();
    ASSERT_TRUE(m_frame->GetAction(ID_SET_FRAME_BGCOLOR)->isEnabled());
    QString caption;
    const QColor chosen = withDiagram ? QColor(200, 230, 255) : QColor(10, 120, 40);
    OnNextDialog<CHColorDialog>([&](CHColorDialog* dialog) {
      caption = dialog->windowTitle();
      dialog->setCurrentColor(chosen);
      dialog->accept();
    });
    ASSERT_TRUE(m_frame->SendCommand(ID_SET_FRAME_BGCOLOR));
    EXPECT_EQ(caption, "Frame window background color");
    EXPECT_EQ(m_frame->m_crBackground, RGB(chosen.red(), chosen.green(), chosen.blue()));
    QCoreApplication::processEvents();
    EXPECT_EQ(QColor(ViewAt(0)->Render().pixel(5, 5)), chosen);
  }
  // Cancel keeps the colour.
  const COLORREF before = m_frame->m_crBackground;
  OnNextDialog<CHColorDialog>([](CHColorDialog* dialog) {
    dialog->setCurrentColor(Qt::black);
    dialog->reject();
  });
  m_frame->SendCommand(ID_SET_FRAME_BGCOLOR);
  EXPECT_EQ(m_frame->m_crBackground, before);
}

TEST_F(PaletteTest, LadderDiagramOffersItsOwnItems) {
  m_frame->SendCommand(ID_FILE_NEW_LAD);
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(child->GetDocument()->IsLadder());
  ClickItem(1);
  EXPECT_EQ(child->GetActiveView()->Core().GetPaletteType(), 303);
  ClickItem(2);  // no third item in a ladder document
  EXPECT_EQ(ViewAt(0)->m_nSelectedType, 303);
  ClickTab(2);
  ClickItem(5);
  EXPECT_EQ(child->GetActiveView()->Core().GetPaletteType(), 705);
}

// A block picked in the palette is placed on the diagram by a click on the view,
// until a tab change returns the diagram to select.
TEST_F(PaletteTest, PickedBlockIsPlacedOnTheDiagram) {
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  QWidget* diagram = child->GetActiveView()->viewport();

  ClickTab(1);
  ClickItem(1);  // Off-Delay
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(300, 150));
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_nType, 401);
  ClickTab(0);
  ClickItem(0);  // AND
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(300, 300));
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  EXPECT_EQ(doc->m_blocks.GetTail()->m_nType, 300);

  ClickTab(2);
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(500, 300));
  EXPECT_EQ(doc->m_blocks.GetCount(), 2);
}

// Two gates placed from the palette are wired with the mouse: Connect, a
// press on the first gate's output, a drag and a release on the second
// gate's input.
TEST_F(PaletteTest, TwoBlocksAreWiredWithTheMouse) {
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  CZaradView* view = child->GetActiveView();
  QWidget* diagram = view->viewport();
  ClickTab(0);
  ClickItem(0);  // AND
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(400, 250));
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  CBlockObj* first = doc->m_blocks.GetHead();
  CBlockObj* second = doc->m_blocks.GetTail();
  auto pinAt = [&](CBlockObj* b, int pin) {
    CRect r;
    EXPECT_TRUE(GetPinRect(&r, b, pin));
    const CPoint c = view->Core().DiagramToClient(CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    return QPoint(c.x, c.y);
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_CONNECT));
  EXPECT_EQ(view->Core().GetEditMode(), MODE_CONNECT);
  QTest::mousePress(diagram, Qt::LeftButton, {}, pinAt(first, kFirstOutputPin));
  QMouseEvent move(QEvent::MouseMove, pinAt(second, 1), diagram->mapToGlobal(pinAt(second, 1)),
                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(diagram, &move);
  QTest::mouseRelease(diagram, Qt::LeftButton, {}, pinAt(second, 1));
  ASSERT_EQ(doc->m_connections.GetCount(), 1);
  EXPECT_EQ(second->m_nSource[1], first->m_nNumber);
  EXPECT_TRUE(doc->IsModified());
  // Undo takes the wire away again.
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_UNDO));
  EXPECT_EQ(child->GetDocument()->m_connections.GetCount(), 0);
}

// Go To Block through the main window: the command (Ctrl+G) lists the diagram's blocks;
// typing "b1" picks B1 and selects it in the view.
TEST_F(PaletteTest, GoToBlockSelectsTheTypedBlock) {
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  QWidget* diagram = child->GetActiveView()->viewport();
  ClickTab(0);
  ClickItem(0);  // AND
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(200, 150));
  QTest::mouseClick(diagram, Qt::LeftButton, {}, QPoint(400, 250));
  CZaradDoc* doc = child->GetDocument();
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  CBlockObj* second = doc->m_blocks.GetTail();
  int shown = 0;
  CZaradView::s_goToBlockRunner = [&](CGoToBlockDlg& dlg) {
    ++shown;
    EXPECT_EQ(dlg.windowTitle(), "Select Block");
    EXPECT_EQ(dlg.BlockList()->count(), 2);
    QTest::keyClicks(dlg.NumberEdit(), "b1");
    EXPECT_EQ(dlg.BlockList()->currentRow(), 1);
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_GOTO_BLOCK));  // Ctrl+G
  CZaradView::s_goToBlockRunner = nullptr;
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(second->m_nNumber, 9001);
  EXPECT_EQ(second->m_bSelected, 1);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_bSelected, 0);
}

// Copy in one diagram window and paste in another through the main window's
// commands and the system clipboard.
TEST_F(PaletteTest, CopyAndPasteBetweenTwoDiagrams) {
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* first = ActiveChild();
  ASSERT_NE(first, nullptr);
  ClickTab(0);
  ClickItem(0);  // AND
  QTest::mouseClick(first->GetActiveView()->viewport(), Qt::LeftButton, {}, QPoint(200, 150));
  ClickTab(0);  // back to selecting
  ASSERT_EQ(first->GetDocument()->m_blocks.GetCount(), 1);
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_SELECT_ALL));
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_COPY));
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* second = ActiveChild();
  ASSERT_NE(second, first);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_EDIT_PASTE)->isEnabled());
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_PASTE));
  ASSERT_EQ(second->GetDocument()->m_blocks.GetCount(), 1);
  EXPECT_EQ(second->GetDocument()->m_blocks.GetHead()->m_nType, 300);
  EXPECT_EQ(second->GetDocument()->m_blocks.GetHead()->m_bSelected, 1);
  EXPECT_TRUE(second->GetDocument()->IsModified());
}

// Convert to FBD through the main window: a new FBD window with the converted
// rung, the ladder window untouched, nothing to undo in the new diagram.
TEST_F(PaletteTest, ConvertToFbdOpensTheConvertedDiagram) {
  g_ShowPropertiesOnNew = 0;
  m_app->OnFileNewLad();
  QCoreApplication::processEvents();
  CChildFrame* ladderWindow = ActiveChild();
  ASSERT_NE(ladderWindow, nullptr);
  CZaradDoc* ladder = ladderWindow->GetDocument();
  ASSERT_TRUE(ladder->IsLadder());
  CDiagramEditor& core = ladderWindow->GetActiveView()->Core();
  CBlockObj* contact = ladder->AddBlock(MakeBlockOfType(700, BlockContext::For(ladder)));
  contact->m_ptPos = CPoint(200, 100);
  contact->m_nOperand = 100;
  CBlockObj* coil = ladder->AddBlock(MakeBlockOfType(703, BlockContext::For(ladder)));
  coil->m_ptPos = CPoint(500, 100);
  coil->m_nOperand = 600;
  ASSERT_NE(core.ConnectBlockPins(ladder->m_powerBus.GetHead(), kFirstOutputPin, contact, 0), nullptr);
  ASSERT_NE(core.ConnectBlockPins(contact, kFirstOutputPin, coil, 0), nullptr);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_CONVERT_TO_FBD)->isEnabled());
  // The new diagram opens without the program properties; "Show at new file"
  // then follows the ladder diagram's own setting.
  int sheets = 0;
  CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet&) {
    ++sheets;
    return static_cast<int>(QDialog::Rejected);
  };
  g_ShowPropertiesOnNew = 1;
  ladder->m_bShowPropertiesOnNew = 0;
  ASSERT_TRUE(m_frame->SendCommand(ID_CONVERT_TO_FBD));
  EXPECT_EQ(sheets, 0);
  EXPECT_EQ(g_ShowPropertiesOnNew, 0);
  CChildFrame* fbdWindow = ActiveChild();
  ASSERT_NE(fbdWindow, ladderWindow);
  CZaradDoc* fbd = fbdWindow->GetDocument();
  EXPECT_FALSE(fbd->IsLadder());
  ASSERT_NE(fbd->FindBlockByNumber(100), nullptr);
  ASSERT_NE(fbd->FindBlockByNumber(600), nullptr);
  EXPECT_EQ(fbd->FindBlockByNumber(600)->m_nSource[0], 100);
  EXPECT_EQ(fbd->m_connections.GetCount(), 1);
  EXPECT_FALSE(fbd->m_undo.CanUndo());
  EXPECT_EQ(ladder->m_blocks.GetCount(), 2);
  EXPECT_EQ(ladder->m_connections.GetCount(), 2);
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(m_frame->GetAction(ID_CONVERT_TO_FBD)->isEnabled());  // an FBD window is active

  // The other way round: a ladder diagram that shows its properties at a new file.
  m_app->GetDocManager()->ActivateDocument(ladderWindow);
  g_ShowPropertiesOnNew = 0;
  ladder->m_bShowPropertiesOnNew = 1;
  ASSERT_TRUE(m_frame->SendCommand(ID_CONVERT_TO_FBD));
  EXPECT_EQ(sheets, 0);
  EXPECT_EQ(g_ShowPropertiesOnNew, 1);
  g_ShowPropertiesOnNew = 0;
  CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) { return static_cast<int>(QDialog::Rejected); };
}

// Simulation through the main window: input I0 drives an on-delay of one
// second into output Q0. F3 shows the three bars; switching I0 on in the
// Inputs bar lights Q0 in the Outputs bar and on the diagram after the delay.
TEST_F(PaletteTest, SimulationBarsOperateInputsAndShowOutputs) {
  g_ShowPropertiesOnNew = 0;
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  CDiagramEditor& core = child->GetActiveView()->Core();
  auto add = [&](int type, CPoint at) {
    CBlockObj* b = doc->AddBlock(MakeBlockOfType(type, BlockContext::For(doc)));
    b->m_ptPos = at;
    return b;
  };
  CBlockObj* input = add(600, CPoint(100, 100));
  CBlockObj* delay = add(400, CPoint(250, 100));
  CBlockObj* output = add(605, CPoint(400, 100));
  delay->m_nParam10 = 1;  // 1 s
  delay->m_nParam9 = 0;
  delay->m_nParam11 = 2;
  ASSERT_NE(core.ConnectBlockPins(input, kFirstOutputPin, delay, 0), nullptr);
  ASSERT_NE(core.ConnectBlockPins(delay, kFirstOutputPin, output, 0), nullptr);
  EXPECT_EQ(child->InputsBar(), nullptr);
  ASSERT_TRUE(m_frame->SendCommand(ID_SIMULATION));
  ASSERT_TRUE(core.IsSimulating());
  ASSERT_NE(child->InputsBar(), nullptr);
  EXPECT_FALSE(child->Dock(0)->isHidden());
  EXPECT_EQ(child->Dock(2)->windowTitle(), "Simulation");
  auto* button = qobject_cast<CFlatIconButton*>(child->InputsBar()->Control("I0"));
  auto* lamp = qobject_cast<CFlatIconButton*>(child->OutputsBar()->Control("Q0"));
  ASSERT_NE(button, nullptr);
  ASSERT_NE(lamp, nullptr);
  button->click();
  for (int i = 0; i < 20; ++i) child->OnSimTick();  // half a second: not yet
  EXPECT_FALSE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 0);
  for (int i = 0; i < 30; ++i) child->OnSimTick();
  EXPECT_TRUE(lamp->property("lit").toBool());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 1);
  // The control bar: running at once (Start off), Stop resets and enables Start.
  CSimControlBar* bar = child->ControlBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_FALSE(bar->StartButton()->isEnabled());
  bar->StopButton()->click();
  EXPECT_TRUE(bar->StartButton()->isEnabled());
  EXPECT_FALSE(bar->StopButton()->isEnabled());
  EXPECT_EQ(output->m_nValue[kFirstOutputPin], 0);
  bar->SetClockButton()->click();
  CSimClockDlg* clock = bar->ClockDialog();
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(clock->DateEdit()->minimumDate().year(), 2000);
  EXPECT_EQ(clock->DateEdit()->maximumDate().year(), 2099);
  clock->ApplyNowCheck()->setChecked(true);
  clock->DateEdit()->setDate(QDate(2030, 12, 31));
  EXPECT_EQ(core.GetScanDriver().GetSimulatedTime().wYear, 2030);
  // A second simulating window is refused.
  m_frame->NewFbdDocument();
  QCoreApplication::processEvents();
  ActiveChild()->GetDocument()->AddBlock(
      MakeBlockOfType(600, BlockContext::For(ActiveChild()->GetDocument())));
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(m_frame->GetAction(ID_SIMULATION)->isEnabled());
  EXPECT_TRUE(m_frame->GetAction(ID_SIMULATION)->toolTip().contains(QStringLiteral("simulations at a time")));
  m_frame->SendCommand(ID_SIMULATION);
  EXPECT_FALSE(ActiveChild()->GetActiveView()->Core().IsSimulating());
}

}  // namespace
