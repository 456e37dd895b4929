// The editor with its real diagram windows: opening a saved diagram shows it
// (title, zoom pane, the picture of the view), New/Save/Close round trips,
// unsaved changes are asked about, and every visible view paints.
#include <QAction>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QSet>

#include "app/information_bar.h"
#include "blocks/block_factory.h"
#include "controls/gui/embossed_static.h"
#include "controls/gui/pane_status_bar.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/model_table.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

const QRgb kBase = qRgb(0xB4, 0xB4, 0xB4) & 0xFFFFFF;

class EditorWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  }

  // A diagram file made by a document outside the editor: an AND gate at
  // (100, 100) and an off-delay at (260, 180).
  QString WriteSavedDiagram(const QString& name, int kind, float zoom) {
    CZaradDoc doc;
    doc.m_nKind = kind;
    doc.m_fZoom = zoom;
    doc.AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(100, 100);
    doc.AddBlock(MakeBlockOfType(401))->m_ptPos = CPoint(260, 180);
    CString error;
    EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path(name)), &error)) << ToQString(error).toStdString();
    return Path(name);
  }

  CChildFrame* ActiveChild() const { return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow()); }

  CString ZoomPaneText() const {
    CPaneStatusBar* bar = m_frame->GetStatusBar();
    return bar->GetPaneText(bar->CommandToIndex(ID_INDICATOR_ZOOM));
  }

  static QImage Grab(CChildFrame* child) {
    QCoreApplication::processEvents();
    return child->GetActiveView()->viewport()->grab().toImage();
  }

  static int CountOther(const QImage& image, QRect rect, QRgb colour) {
    int n = 0;
    rect &= image.rect();
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
      for (int x = rect.left(); x <= rect.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != colour;
    }
    return n;
  }
};

TEST_F(EditorWindowTest, OpeningASavedDiagramShowsIt) {
  const QString path = WriteSavedDiagram("saved.bfb", kDocFbd, 1.5f);
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(path)), nullptr);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetDocument()->m_blocks.GetCount(), 2);
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - [saved.bfb]");
  EXPECT_TRUE(m_app->GetDocManager()->GetSubWindow(child)->isMaximized());
  m_app->OnIdle(0);
  EXPECT_EQ(ZoomPaneText(), CString(u"Zoom:150%"));

  const QImage image = Grab(child);
  ASSERT_FALSE(image.isNull());
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y) & 0xFFFFFF);
  }
  EXPECT_GE(colours.size(), 3);  // not blank: base, outlines, block bodies
  EXPECT_TRUE(colours.contains(kBase));
  // Both blocks' places at zoom 1.5 hold their drawings; empty base between them does not.
  for (const CBlockObj* block : child->GetDocument()->m_blocks) {
    const QRect place(block->m_ptPos.x * 3 / 2, block->m_ptPos.y * 3 / 2, block->m_nWidth * 3 / 2,
                      block->m_nHeight * 3 / 2);
    EXPECT_GT(CountOther(image, place, kBase), place.width() * place.height() / 4) << block->m_nType;
  }
  EXPECT_EQ(CountOther(image, QRect(20, 300, 60, 40), kBase), 0);
}

TEST_F(EditorWindowTest, NewSaveCloseRoundTrip) {
  g_ShowPropertiesOnNew = 0;
  struct Case {
    UINT command;
    const char* answer;
    const char* file;
    int kind;
  } const cases[] = {{ID_FILE_NEW, "fbd", "fbd.bfb", kDocFbd},
                     {ID_FILE_NEW_LAD, "lad", "lad.bld", kDocLadder}};
  for (const Case& c : cases) {
    m_frame->SendCommand(c.command);
    CChildFrame* child = ActiveChild();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->GetKind(), c.kind);
    child->GetDocument()->AddBlock(MakeBlockOfType(c.kind == kDocFbd ? 300 : 700))->m_ptPos = CPoint(80, 60);
    EXPECT_TRUE(child->IsModified());
    m_frame->SendCommand(ID_ZOOM_IN);
    EXPECT_EQ(child->GetDocument()->m_fZoom, 1.5f);

    m_dialogs->answers.push_back({Path(c.answer)});
    m_frame->SendCommand(ID_FILE_SAVE);
    EXPECT_EQ(child->GetTitle(), CString(ToCString(c.file)));
    EXPECT_FALSE(child->IsModified());
    m_frame->SendCommand(ID_FILE_CLOSE);
    Flush();
    EXPECT_EQ(DocCount(), 0);
    EXPECT_TRUE(m_sink.messages().empty());

    ASSERT_NE(m_app->OpenDocumentFile(ToCString(Path(c.file))), nullptr) << c.file;
    child = ActiveChild();
    EXPECT_EQ(child->GetKind(), c.kind);
    EXPECT_EQ(child->GetDocument()->m_fZoom, 1.5f);
    // The ladder power bus is made by the first paint and not saved as a block.
    int blocks = 0;
    for (const CBlockObj* block : child->GetDocument()->m_blocks) {
      EXPECT_EQ(block->m_ptPos, CPoint(80, 60));
      ++blocks;
    }
    EXPECT_EQ(blocks, 1);
    m_frame->SendCommand(ID_FILE_CLOSE);
    Flush();
  }
  EXPECT_EQ(DocCount(), 0);
}

TEST_F(EditorWindowTest, CloseWithUnsavedChangesAsks) {
  g_ShowPropertiesOnNew = 0;
  m_frame->SendCommand(ID_FILE_NEW);
  ActiveChild()->GetDocument()->AddBlock(MakeBlockOfType(300));
  m_sink.QueueAnswer(IDCANCEL);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 1);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_NE(m_sink.messages()[0].text.Find(CString(u"Diagram1")), -1);
  m_sink.QueueAnswer(IDNO);
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(m_sink.messages().size(), 2u);
}

// The main frame names the opened diagram's model, an unknown one by its code,
// and a block placed in a ladder window is made for that window's document.
TEST_F(EditorWindowTest, WindowsGiveTheirDocumentToWhatTheyShowAndMake) {
  CZaradDoc unknown;
  unknown.m_wModelCode = 0x9988;
  CString error;
  ASSERT_TRUE(unknown.OnSaveDocument(ToCString(Path("unknown.bfb")), &error));
  ASSERT_NE(m_app->OpenDocumentFile(ToCString(Path("unknown.bfb"))), nullptr);
  ASSERT_NE(m_frame->GetModelCaption(), nullptr);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), CString(u"Unknown model (0x9988)"));

  g_ShowPropertiesOnNew = 0;
  m_app->OnFileNewLad();
  CChildFrame* ladder = ActiveChild();
  ASSERT_NE(ladder, nullptr);
  ASSERT_TRUE(ladder->GetDocument()->IsLadder());
  std::unique_ptr<CBlockObj> gate = ladder->GetActiveView()->Core().PlaceNewBlock(300, CPoint(200, 200));
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(gate->m_nPinType[kFirstOutputPin], PIN_NONE);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), ladder->GetDocument()->m_strModelName);
}

TEST_F(EditorWindowTest, InformationBarAndModelPanesStayWhileADiagramIsOpen) {
  g_ShowPropertiesOnNew = 0;
  m_app->OnFileNewFbd();
  m_app->OnFileNewLad();
  CChildFrame* second = ActiveChild();
  ASSERT_NE(second, nullptr);
  EXPECT_FALSE(m_frame->GetInfoBar()->isHidden());
  // The model caption shows the active diagram's model.
  ASSERT_NE(m_frame->GetModelCaption(), nullptr);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), second->GetDocument()->m_strModelName);

  // Closing one of two leaves the bar and the panes.
  m_app->GetDocManager()->CloseDocument(second);
  Flush();
  EXPECT_EQ(DocCount(), 1);
  EXPECT_EQ(m_frame->m_nOpenDocs, 1);
  EXPECT_FALSE(m_frame->GetInfoBar()->isHidden());
  EXPECT_NE(m_frame->GetModelCaption(), nullptr);

  // The last one takes them away.
  m_app->GetDocManager()->CloseAllDocuments();
  Flush();
  EXPECT_EQ(m_frame->m_nOpenDocs, 0);
  EXPECT_TRUE(m_frame->GetInfoBar()->isHidden());
  EXPECT_EQ(m_frame->GetModelCaption(), nullptr);
  EXPECT_TRUE(m_sink.messages().empty());
}

// Undo and Redo can bring back a snapshot of another model: the status bar's
// model name follows the diagram shown.
TEST_F(EditorWindowTest, UndoAndRedoRenameTheModelPane) {
  g_ShowPropertiesOnNew = 0;
  m_app->OnFileNewFbd();
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  const CString first = doc->m_strModelName;
  const WORD firstModel = doc->m_wModelCode;
  const WORD otherModel = firstModel == 0x1188 ? 0x5188 : 0x1188;
  ASSERT_EQ(m_frame->GetModelCaption()->GetWindowText(), first);
  doc->AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(100, 100);
  doc->m_undo.SaveSnapshot(doc);
  // An edit that changes the model, as the Hardware page makes it.
  doc->m_wModelCode = otherModel;
  GetModelName(otherModel, &doc->m_strModelName, &doc->m_wFirmware);
  doc->AddBlock(MakeBlockOfType(301))->m_ptPos = CPoint(200, 100);
  doc->m_undo.SaveSnapshot(doc);
  const CString second = doc->m_strModelName;
  ASSERT_NE(second, first);
  m_frame->SetModelNameText(second);

  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_UNDO));
  EXPECT_EQ(doc->m_wModelCode, firstModel);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), first);
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_REDO));
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), second);
}

// Window menu: Cascade restores every window to a size that leaves the title
// bars behind it showing and names the active diagram once in the main title;
// choosing a window from the menu's list maximises it again.
TEST_F(EditorWindowTest, WindowMenuCascadesAndMaximisesTheChosenWindow) {
  g_ShowPropertiesOnNew = 0;
  m_app->OnFileNewFbd();
  CChildFrame* first = ActiveChild();
  m_app->OnFileNewFbd();
  CChildFrame* second = ActiveChild();
  ASSERT_TRUE(first && second && first != second);
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - [Diagram2]");

  ASSERT_TRUE(m_frame->SendCommand(ID_WINDOW_CASCADE));
  QCoreApplication::processEvents();
  DocumentManager* docs = m_app->GetDocManager();
  QMdiSubWindow* a = docs->GetSubWindow(first);
  QMdiSubWindow* b = docs->GetSubWindow(second);
  const QSize area = m_frame->MdiArea()->viewport()->size();
  for (QMdiSubWindow* w : {a, b}) {
    EXPECT_FALSE(w->isMaximized());
    EXPECT_GE(w->width(), area.width() * 2 / 3);
    EXPECT_GE(w->height(), area.height() * 2 / 3);
  }
  EXPECT_GT(b->y(), a->y());  // the active one in front, one title bar lower
  EXPECT_GT(b->x(), a->x());
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - Diagram2");
  EXPECT_EQ(ActiveChild(), second);

  // The Window menu lists both; choosing the first maximises it.
  QMenu* window = m_frame->DocumentMenus()[5];
  emit window->aboutToShow();
  QAction* item = nullptr;
  for (QAction* action : window->actions())
    if (action->text() == "&1 Diagram1") item = action;
  ASSERT_NE(item, nullptr);
  item->trigger();
  QCoreApplication::processEvents();
  EXPECT_EQ(ActiveChild(), first);
  EXPECT_TRUE(a->isMaximized());
  EXPECT_EQ(m_frame->windowTitle(), "Zovuzi Editor - [Diagram1]");
}

TEST_F(EditorWindowTest, DamagedFileOpensNothing) {
  QFile bad(Path("bad.bfb"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("\x01\x02not a diagram");
  bad.close();
  EXPECT_EQ(m_app->OpenDocumentFile(ToCString(Path("bad.bfb"))), nullptr);
  Flush();
  EXPECT_EQ(DocCount(), 0);
  EXPECT_EQ(m_sink.messages().size(), 1u);
}

TEST_F(EditorWindowTest, EveryVisibleViewPaintsTiledOrCascaded) {
  g_ShowPropertiesOnNew = 0;
  for (UINT arrangement : {UINT{ID_WINDOW_TILE_HORZ}, UINT{ID_WINDOW_CASCADE}}) {
    SCOPED_TRACE(arrangement);
    m_frame->SendCommand(ID_FILE_NEW);
    CChildFrame* first = ActiveChild();
    m_frame->SendCommand(ID_FILE_NEW);
    CChildFrame* second = ActiveChild();
    ASSERT_NE(first, second);
    m_frame->SendCommand(arrangement);
    EXPECT_FALSE(first->GetActiveView()->IsActiveView());
    EXPECT_TRUE(second->GetActiveView()->IsActiveView());
    // A block added to the inactive document shows at once in its window.
    const QRect place(40, 40, 25, 40);
    first->GetDocument()->AddBlock(MakeBlockOfType(300))->m_ptPos = CPoint(40, 40);
    first->GetActiveView()->InvalidateDiagram();
    const QImage image = Grab(first);
    EXPECT_GT(CountOther(image, place, kBase), 100);
    EXPECT_EQ(CountOther(image, QRect(40, 100, 20, 10), kBase), 0);  // the page, not a blank grey
    EXPECT_TRUE(second->GetActiveView()->IsActiveView());            // painting did not activate it
    m_app->GetDocManager()->CloseAllDocuments();
    Flush();
  }
}

}  // namespace
