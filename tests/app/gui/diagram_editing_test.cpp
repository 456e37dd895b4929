// Editing a diagram in the running editor: blocks placed from a palette pick
// with mouse clicks on the view, moved by dragging, deleted, the deletion
// undone and redone from the Edit menu's commands, then saved and reopened;
// Undo right after opening a file.
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMouseEvent>
#include <QTest>
#include <QToolTip>

#include "blocks/block_factory.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "editor/pin_texts.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"
#include "support/fixture_files.h"

namespace {

class DiagramEditingTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    g_ShowPropertiesOnNew = 0;
  }
  CChildFrame* ActiveChild() const { return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow()); }

  void Pick(int type) {
    m_frame->OnPalettePick(MODE_PLACE_BLOCK, type);
    ASSERT_EQ(ActiveChild()->GetActiveView()->Core().GetPaletteType(), type);
  }
  static void Mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                    Qt::MouseButtons buttons) {
    QMouseEvent event(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
  }
  static void Click(QWidget* w, QPoint pos) {
    Mouse(w, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
  }
  static void Drag(QWidget* w, QPoint from, QPoint to) {
    Mouse(w, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
    Mouse(w, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton);
  }
  bool Enabled(UINT id) {
    m_frame->UpdateCommandUI();
    return m_frame->GetAction(id)->isEnabled();
  }
};

TEST_F(DiagramEditingTest, PlaceMoveDeleteUndoRedoSaveReopen) {
  m_frame->SendCommand(ID_FILE_NEW);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  QWidget* viewport = child->GetActiveView()->viewport();
  QCoreApplication::processEvents();
  EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
  EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));

  // Two blocks from two palette picks, each placed by a click.
  Pick(300);
  Click(viewport, QPoint(200, 150));
  Pick(401);
  Click(viewport, QPoint(400, 150));
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  CBlockObj* gate = doc->m_blocks.GetHead();
  CBlockObj* delay = doc->m_blocks.GetTail();
  EXPECT_EQ(gate->m_ptPos, CPoint(188, 150));
  EXPECT_EQ(delay->m_ptPos, CPoint(388, 150));
  EXPECT_TRUE(child->IsModified());
  EXPECT_TRUE(Enabled(ID_EDIT_UNDO));

  // Escape, then drag the gate 60 units down.
  QTest::keyClick(child->GetActiveView(), Qt::Key_Escape);
  EXPECT_EQ(child->GetActiveView()->Core().GetEditMode(), MODE_SELECT);
  Drag(viewport, QPoint(200, 170), QPoint(200, 230));
  EXPECT_EQ(gate->m_ptPos, CPoint(188, 210));

  // Select the delay and delete it.
  Click(viewport, QPoint(400, 170));
  ASSERT_TRUE(Enabled(ID_EDIT_CLEAR));
  EXPECT_TRUE(m_frame->SendCommand(ID_EDIT_CLEAR));
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  EXPECT_FALSE(Enabled(ID_EDIT_CLEAR));

  // Undo brings it back, Redo deletes it again.
  EXPECT_TRUE(m_frame->SendCommand(ID_EDIT_UNDO));
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_ptPos, CPoint(188, 210));
  EXPECT_TRUE(Enabled(ID_EDIT_REDO));
  EXPECT_TRUE(m_frame->SendCommand(ID_EDIT_REDO));
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);

  // Save, close without a question, reopen: the moved gate is there.
  m_dialogs->answers.push_back({Path("edited")});
  EXPECT_TRUE(m_frame->SendCommand(ID_FILE_SAVE));
  EXPECT_FALSE(child->IsModified());
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_TRUE(m_sink.messages().empty());
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(Path("edited.bfb"))), nullptr);
  doc = ActiveChild()->GetDocument();
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_nType, 300);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_ptPos, CPoint(188, 210));
  EXPECT_EQ(doc->m_blocks.GetHead()->m_nNumber, 9000);
}

// Placing tests the program memory with the catalogue's figure for the type
// where it is larger than the block's own cost (the CRC: 16 against 12), and
// never with less than the block's own cost (a rotation: 8, not 0).
TEST_F(DiagramEditingTest, PlacingChecksTheMemoryWithTheCataloguesFigure) {
  m_frame->SendCommand(ID_FILE_NEW);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  QWidget* viewport = child->GetActiveView()->viewport();
  QCoreApplication::processEvents();
  // 877 ramps of 28 bytes and a NOT of 4: 16 bytes short of the program area.
  for (int i = 0; i < 877; ++i) doc->AddBlock(MakeBlockOfType(817))->m_ptPos = CPoint(2000, 2000);
  doc->AddBlock(MakeBlockOfType(307))->m_ptPos = CPoint(2000, 2000);
  ASSERT_EQ(doc->GetProgramMemorySize(), 0x6000 - 16);
  const int count = doc->m_blocks.GetCount();

  Pick(856);
  Click(viewport, QPoint(200, 150));
  EXPECT_EQ(doc->m_blocks.GetCount(), count);
  ASSERT_EQ(m_sink.texts().size(), 1u);
  EXPECT_EQ(m_sink.texts()[0], CString(u"Insufficient Resources to create/paste the blocks."));

  Pick(834);
  Click(viewport, QPoint(300, 150));
  EXPECT_EQ(doc->m_blocks.GetCount(), count + 1);
  EXPECT_EQ(doc->GetProgramMemorySize(), 0x6000 - 8);
  EXPECT_EQ(m_sink.texts().size(), 1u);
}

// The hover texts of pins and the wire tool's refusals show in the balloon tip
// once the pointer has rested, its tail on the pointer; a move hides it.
TEST_F(DiagramEditingTest, PinAndRefusalTextsShowInTheBalloonTip) {
  m_frame->SendCommand(ID_FILE_NEW);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradView* view = child->GetActiveView();
  QWidget* viewport = view->viewport();
  QCoreApplication::processEvents();
  Pick(300);
  Click(viewport, QPoint(200, 150));
  QTest::keyClick(view, Qt::Key_Escape);
  CZaradDoc* doc = child->GetDocument();
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  CBlockObj* first = doc->m_blocks.GetHead();
  // A client point over a pin of a block.
  auto pinPoint = [view](const CBlockObj* b, int pin) {
    for (int y = b->m_ptPos.y; y < b->m_ptPos.y + b->m_nHeight; ++y)
      for (int x = b->m_ptPos.x - 20; x < b->m_ptPos.x + b->m_nWidth + 20; ++x)
        if (b->HitTest(CPoint(x, y)) == pin) {
          const CPoint c = view->Core().DiagramToClient(CPoint(x, y));
          return QPoint(c.x, c.y);
        }
    ADD_FAILURE() << "no point over pin " << pin;
    return QPoint();
  };
  auto rest = [viewport](QPoint at) {
    QCursor::setPos(viewport->mapToGlobal(at));
    Mouse(viewport, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
  };
  CPopupTipWnd& tip = view->PinTip();
  const QPoint in0 = pinPoint(first, 0);
  rest(in0);
  EXPECT_TRUE(tip.IsPending());
  EXPECT_EQ(tip.GetText(), GetPinText(first, 0));
  EXPECT_FALSE(tip.GetText().IsEmpty());
  EXPECT_FALSE(tip.isVisible());
  EXPECT_FALSE(QToolTip::isVisible());
  QTest::qWait(CPopupTipWnd::kShowDelay + 200);
  ASSERT_TRUE(tip.isVisible());
  const QPoint anchor = viewport->mapToGlobal(in0);
  EXPECT_EQ(tip.GetAnchor(), CPoint(anchor.x(), anchor.y()));
  const CPoint pos = tip.Measure().WindowPosFor(tip.GetAnchor());
  EXPECT_EQ(tip.pos(), QPoint(pos.x, pos.y));
  // The pointer moves on: the tip goes at once.
  rest(in0 + QPoint(0, 80));
  EXPECT_FALSE(tip.isVisible());

  // A wire from the first gate's output cannot come back to its own input.
  ASSERT_TRUE(m_frame->SendCommand(ID_CONNECT));
  Mouse(viewport, QEvent::MouseButtonPress, pinPoint(first, kFirstOutputPin), Qt::LeftButton, Qt::LeftButton);
  QCursor::setPos(viewport->mapToGlobal(in0));
  Mouse(viewport, QEvent::MouseMove, in0, Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(tip.IsPending());
  EXPECT_EQ(tip.GetText(), CString(u"Recursions only allowed via outputs and flags!"));
  QTest::qWait(CPopupTipWnd::kShowDelay + 200);
  EXPECT_TRUE(tip.isVisible());
  // A press hides it.
  Mouse(viewport, QEvent::MouseButtonRelease, in0, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(doc->m_connections.GetCount(), 0);
  QTest::keyClick(view, Qt::Key_Escape);
  Mouse(viewport, QEvent::MouseButtonPress, in0, Qt::LeftButton, Qt::LeftButton);
  EXPECT_FALSE(tip.isVisible());
  Mouse(viewport, QEvent::MouseButtonRelease, in0, Qt::LeftButton, Qt::NoButton);
}

TEST_F(DiagramEditingTest, AnEditAsksToSaveOnClose) {
  m_frame->SendCommand(ID_FILE_NEW);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  child->SetModifiedFlag(false);
  QWidget* viewport = child->GetActiveView()->viewport();
  Pick(300);
  Click(viewport, QPoint(200, 150));
  EXPECT_TRUE(child->IsModified());
  m_sink.QueueAnswer(IDNO);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  ASSERT_EQ(m_sink.messages().size(), 1u);
}

// An opened diagram is the first step of its history: Undo is disabled (the
// menu command and Ctrl+Z leave the diagram alone), and after one edit Undo
// gives back exactly what the file held, as the saved bytes show.
TEST_F(DiagramEditingTest, UndoRightAfterOpeningKeepsTheFile) {
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    const QString copy = Path(QString("copy_") + name);
    QFile::remove(copy);
    ASSERT_TRUE(QFile::copy(QString::fromStdString(FixturePath(name)), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    ASSERT_NE(m_app->OpenDocumentFile(ToCString(copy)), nullptr);
    CChildFrame* child = ActiveChild();
    ASSERT_NE(child, nullptr);
    CZaradDoc* doc = child->GetDocument();
    const int blocks = doc->m_blocks.GetCount();
    ASSERT_GT(blocks, 0);
    const std::vector<BYTE> opened = doc->SaveToBytes();

    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_FALSE(m_frame->SendCommand(ID_EDIT_UNDO));
    QTest::keyClick(child->GetActiveView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc->m_blocks.GetCount(), blocks);
    EXPECT_FALSE(child->IsModified());

    // One edit (an edge AND, which both kinds of diagram offer), then Undo and Save.
    QWidget* viewport = child->GetActiveView()->viewport();
    Pick(301);
    Click(viewport, QPoint(40, 40));
    QTest::keyClick(child->GetActiveView(), Qt::Key_Escape);
    ASSERT_EQ(doc->m_blocks.GetCount(), blocks + 1);
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(m_frame->SendCommand(ID_EDIT_UNDO));
    EXPECT_EQ(doc->m_blocks.GetCount(), blocks);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    EXPECT_TRUE(Enabled(ID_EDIT_REDO));
    EXPECT_TRUE(m_frame->SendCommand(ID_FILE_SAVE));
    QFile saved(copy);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray bytes = saved.readAll();
    EXPECT_EQ(std::vector<BYTE>(bytes.begin(), bytes.end()), opened);
    m_frame->SendCommand(ID_FILE_CLOSE);
    Flush();
  }
  EXPECT_TRUE(m_sink.messages().empty());
}

}  // namespace
