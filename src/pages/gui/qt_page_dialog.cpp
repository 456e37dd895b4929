#include "pages/gui/qt_page_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/gui/grid_page_window.h"
#include "pages/gui/qt_page_host.h"
#include "pages/page_dialog.h"
#include "pages/param_page.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

namespace {

int RunOnQt(CParamPage& page) {
  QDialog dialog(QApplication::activeWindow());
  dialog.setWindowTitle(ToQString(CaptionText(page.m_strTitle)));
  auto* layout = new QVBoxLayout(&dialog);
  auto* host = new CQtPageHost(&page, &dialog);
  layout->addWidget(host);
  auto accept = [&] {
    if (!page.UpdateData(true)) return;
    page.OnOK();
    dialog.accept();
  };
  // A dialog whose template has its own OK and Cancel (the page enables OK
  // itself) gets no button box of the runner.
  auto* ok = qobject_cast<QPushButton*>(host->Control(IDOK));
  auto* cancel = qobject_cast<QPushButton*>(host->Control(IDCANCEL));
  if (ok && cancel) {
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  } else {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  }
  AttachMessageTextGrid(&page, host);  // a dialog with a grid (the I/O status names)
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
