// Block sheets through the real main window: diagrams open in child frames, a
// double click on a block shows its sheet, and a script runs on the sheet while
// the view's double click waits for it.
#pragma once

#include <QApplication>
#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/gui/shell_fixture.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "properties/gui/qt_block_sheet.h"

class SheetWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  }

  // Saves the diagram that fill builds under name in the test folder and opens it
  // in the main window; the view of its window, or null.
  CZaradView* OpenSavedDiagram(const QString& name, const std::function<void(CZaradDoc&)>& fill) {
    {
      CZaradDoc doc;
      fill(doc);
      CString error;
      EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path(name)), &error));
    }
    EXPECT_NE(m_app->OpenDocumentFile(ToCString(Path(name))), nullptr);
    auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
    if (!child) return nullptr;
    QCoreApplication::processEvents();
    return child->GetActiveView();
  }

  // Runs the script on the sheet once it shows, while the view's double click waits.
  static void WhenSheetShows(std::function<void(CQtBlockSheet*)> script) {
    QTimer::singleShot(0, [script] {
      auto* sheet = qobject_cast<CQtBlockSheet*>(QApplication::activeModalWidget());
      ASSERT_NE(sheet, nullptr);
      script(sheet);
    });
  }

  static void DoubleClickBlock(CZaradView* view, const CBlockObj* block) {
    const CPoint centre(block->m_ptPos.x + block->m_nWidth / 2, block->m_ptPos.y + block->m_nHeight / 2);
    const CPoint client = view->Core().DiagramToClient(centre);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, QPoint(client.x, client.y));
  }
};
