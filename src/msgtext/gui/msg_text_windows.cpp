#include "msgtext/gui/msg_text_windows.h"

#include <QEvent>

#include "app/document_window.h"
#include "app/main_frame.h"
#include "controls/gui/grid_widget.h"
#include "model/zarad_doc.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/gui/qt_page_host.h"
#include "pages/msg_element_dlgs.h"
#include "pages/grid_page.h"
#include "pages/msg_text_page.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"

namespace {

// Fits the editor's cells to the grid window whenever it changes size.
class CGridFitter : public QObject {
 public:
  CGridFitter(CGridPage* page, QObject* parent) : QObject(parent), m_pPage(page) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) m_pPage->FitGrid();
    return QObject::eventFilter(watched, event);
  }

 private:
  CGridPage* m_pPage;
};

}  // namespace

CGridWidget* AttachMessageTextGrid(CParamPage* page, CQtPageHost* host) {
  auto* editor = dynamic_cast<CGridPage*>(page);
  if (!editor || !host) return nullptr;
  InstallQtPageDialogRunner();  // the element dialogs
  const int id = editor->GridControlId();
  const ControlDesc* place = page->Describe().Find(id);
  auto* grid = new CGridWidget(host);
  grid->setObjectName(dynamic_cast<CMessageTexts_New*>(page) ? QStringLiteral("messageTextGrid")
                                                             : QStringLiteral("statusNameGrid"));
  if (place) grid->setGeometry(host->ToPixels(place->rect));
  if (QWidget* placeholder = host->Control(id)) placeholder->hide();
  grid->show();
  editor->AttachGrid(&grid->Grid());
  grid->installEventFilter(new CGridFitter(editor, grid));
  return grid;
}

CMsgTextSettingsCommand::CMsgTextSettingsCommand(CMainFrame* frame) : QObject(frame), m_pFrame(frame) {
  setObjectName("messageTextSettings");
  m_pFrame->SetCommandHandler(
      ID_MSGTEXT_SETTINGS, [this] { OnSettings(); },
      [this](CCmdUI* ui) {
        DocumentWindow* window = m_pFrame->GetActiveDocumentWindow();
        ui->Enable(window && window->GetDocument());
      });
}

void CMsgTextSettingsCommand::OnSettings() {
  DocumentWindow* window = m_pFrame->GetActiveDocumentWindow();
  CZaradDoc* doc = window ? window->GetDocument() : nullptr;
  if (!doc) return;
  InstallQtPageDialogRunner();
  CMsgTxtSettingDlg dlg;
  dlg.m_pDoc = doc;
  dlg.LoadFrom(*doc);
  if (RunPageDialog(dlg) != IDOK) return;
  dlg.StoreTo(*doc);
  doc->SetModifiedFlag(true);
  doc->m_undo.SaveSnapshot(doc);
}
