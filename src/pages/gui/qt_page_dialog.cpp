#include "pages/gui/qt_page_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "pages/gui/qt_page_host.h"
#include "pages/page_dialog.h"
#include "pages/param_page.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

namespace {

int RunOnQt(CParamPage& page) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(ToQString(page.m_strTitle));
  auto* layout = new QVBoxLayout(&dialog);
  auto* host = new CQtPageHost(&page, &dialog);
  layout->addWidget(host);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    if (!page.UpdateData(true)) return;
    page.OnOK();
    dialog.accept();
  });
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  page.Attach(host, CPageContext{});
  page.Initialise();
  return dialog.exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

}  // namespace

void InstallQtPageDialogRunner() {
  static const bool installed = [] {
    SetPageDialogRunner(RunOnQt);
    return true;
  }();
  (void)installed;
}
