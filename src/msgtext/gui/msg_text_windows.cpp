#include "msgtext/gui/msg_text_windows.h"

#include <QWidget>

#include "model/zarad_doc.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/msg_element_dlgs.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "shell/document_window.h"
#include "shell/shell.h"

namespace {

// The first model code whose message texts have settings of their own.
constexpr WORD kFirstMsgTextSettingsModel = 0x5188;

}  // namespace

CMsgTextSettingsCommand::CMsgTextSettingsCommand(CShell& shell)
    : QObject(shell.MainWindow()), m_shell(shell) {
  setObjectName("messageTextSettings");
  m_shell.SetCommandHandler(
      ID_MSGTEXT_SETTINGS, [this] { OnSettings(); },
      [this](CCmdUI* ui) {
        // Only the newer models have these settings, and never while the diagram simulates.
        DocumentWindow* window = m_shell.GetActiveDocumentWindow();
        const CZaradDoc* doc = window ? window->GetDocument() : nullptr;
        ui->Enable(doc && doc->m_wModelCode >= kFirstMsgTextSettingsModel && !window->IsSimulating());
      });
}

void CMsgTextSettingsCommand::OnSettings() {
  CZaradDoc* doc = m_shell.GetActiveDocument();
  if (!doc) return;
  InstallQtPageDialogRunner();
  CMsgTxtSettingDlg dlg;
  dlg.m_pDoc = doc;
  dlg.m_showHelp = [this](int topic) { m_shell.ShowHelp(topic); };
  dlg.LoadFrom(*doc);
  if (RunPageDialog(dlg) != IDOK) return;
  dlg.StoreTo(*doc);
  doc->SetModifiedFlag(true);
  doc->m_undo.SaveSnapshot(doc);
}
