#include "msgtext/gui/msg_text_windows.h"

#include <QWidget>

#include "model/zarad_doc.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/msg_element_dlgs.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "shell/shell.h"

CMsgTextSettingsCommand::CMsgTextSettingsCommand(CShell& shell)
    : QObject(shell.MainWindow()), m_shell(shell) {
  setObjectName("messageTextSettings");
  m_shell.SetCommandHandler(
      ID_MSGTEXT_SETTINGS, [this] { OnSettings(); },
      [this](CCmdUI* ui) { ui->Enable(m_shell.GetActiveDocument() != nullptr); });
}

void CMsgTextSettingsCommand::OnSettings() {
  CZaradDoc* doc = m_shell.GetActiveDocument();
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
