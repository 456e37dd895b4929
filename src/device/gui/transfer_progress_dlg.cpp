#include "device/gui/transfer_progress_dlg.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "device/device_link.h"
#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

CTransferProgressDlg::CTransferProgressDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("transferProgressDlg");
  setWindowTitle(QtCaption("PC-->PLC"));
  setModal(false);
  auto* text = new QLabel(QtCaption("Data is transferring..."), this);
  m_pBar = new QProgressBar(this);
  m_pBar->setObjectName("progressBar");
  m_pBar->setRange(0, 100);
  m_pLine = new QLabel(this);
  m_pLine->setObjectName("statusLine");
  m_pLine->setText(
      QtCaption(QString("Writing Program - %1%").arg(m_pBar->value() < 0 ? 0 : m_pBar->value())));
  auto* ok = new QPushButton(QtCaption("Ok"), this);
  ok->hide();
  connect(ok, &QPushButton::clicked, this, &CTransferProgressDlg::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addWidget(m_pBar);
  layout->addWidget(m_pLine);
  resize(300, 120);
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->size().width() / 2 - 150, screen->size().height() / 2 - 60);
  }
}

void CTransferProgressDlg::OnTransferProgress(int percent, int phase) {
  m_nPhase = phase;
  const char* format = nullptr;
  UINT caption = IDS_PC_TO_DEVICE;
  switch (phase) {
    case kPhaseOther:
      format = "It's writing or Factory Resetting - %1%";
      break;
    case kPhaseUpload:
      format = "UpLoading Program - %1%";
      caption = IDS_DEVICE_TO_PC;
      break;
    case kPhaseDownload:
      format = "DownLoading Program - %1%";
      break;
    default:
      return;
  }
  setWindowTitle(ToQString(LoadString(caption)));
  m_pBar->setValue(std::clamp(percent, 0, 100));
  m_pLine->setText(QtCaption(QString(format).arg(percent)));
}

void CTransferProgressDlg::reject() {
  // The link runs on: a cancel only closes the window (the operation code 85 is ignored).
  hide();
}
