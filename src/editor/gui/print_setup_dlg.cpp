#include "editor/gui/print_setup_dlg.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "shell/shell.h"

namespace {

QRect Dlu(int x, int y, int w, int h) {
  auto px = [](int v) { return v * 6 / 4; };
  auto py = [](int v) { return v * 13 / 8; };
  return QRect(px(x), py(y), px(w), py(h));
}

}  // namespace

CPrintSetupDlg::CPrintSetupDlg(CPrinterHost* printer, QWidget* parent)
    : QDialog(parent), m_pPrinterHost(printer) {
  setObjectName(QStringLiteral("printSetupDlg"));
  setWindowTitle(QtCaption("Print Setup"));
  QFont dialogFont(QStringLiteral("Times New Roman"));
  dialogFont.setPointSize(8);
  setFont(dialogFont);
  setFixedSize(Dlu(0, 0, 255, 135).size());

  auto button = [this](int id, const char* text, QRect rect) {
    auto* b = new QPushButton(QtCaption(QString::fromUtf8(text)), this);
    b->setObjectName(QStringLiteral("ctl%1").arg(id));
    b->setGeometry(rect);
    return b;
  };
  auto radio = [this](int id, const char* text, QRect rect) {
    auto* r = new QRadioButton(QtCaption(QString::fromUtf8(text)), this);
    r->setObjectName(QStringLiteral("ctl%1").arg(id));
    r->setGeometry(rect);
    r->installEventFilter(this);
    return r;
  };
  auto label = [this](int id, const char* text, QRect rect) {
    auto* l = new QLabel(QtCaption(QString::fromUtf8(text)), this);
    if (id > 0) l->setObjectName(QStringLiteral("ctl%1").arg(id));
    l->setGeometry(rect);
    return l;
  };
  auto group = [this](const char* text, QRect rect) {
    auto* g = new QGroupBox(QtCaption(QString::fromUtf8(text)), this);
    g->setGeometry(rect);
    g->lower();
  };

  QPushButton* ok = button(1, "OK", Dlu(200, 20, 50, 14));
  ok->setDefault(true);
  QPushButton* cancel = button(2, "Cancel", Dlu(200, 40, 50, 14));
  button(1060, "TitleBlock", Dlu(200, 60, 50, 14))->hide();
  QPushButton* setup = button(3, "Setup...", Dlu(200, 98, 50, 14));
  m_pScale[0] = radio(1268, "Scale to paper size", Dlu(15, 40, 75, 8));
  m_pScale[1] = radio(1269, "Scale to page size", Dlu(15, 55, 75, 8));
  m_pScale[2] = radio(1270, "Scaling", Dlu(15, 70, 39, 8));  // up to the edit beside it
  m_pPaper[2] = radio(1034, "A4", Dlu(115, 40, 30, 8));
  m_pPaper[1] = radio(1035, "A3", Dlu(115, 55, 25, 8));
  m_pPaper[0] = radio(1036, "A2", Dlu(115, 70, 25, 8));
  m_pOrientation[0] = radio(1264, "Horizontal", Dlu(15, 100, 50, 8));
  m_pOrientation[1] = radio(1265, "Vertical ", Dlu(115, 100, 40, 8));
  m_pParams = new QCheckBox(QtCaption("Print Blocks parameters after Program"), this);
  m_pParams->setObjectName(QStringLiteral("ctl1058"));
  m_pParams->setGeometry(Dlu(15, 120, 136, 8));
  m_pParams->hide();
  label(-1, "Printer:", Dlu(10, 5, 25, 8));
  m_pPrinter = label(1056, "", Dlu(45, 5, 203, 8));
  label(-1, "Paper Size:", Dlu(10, 20, 35, 8));
  m_pPaperName = label(1057, "", Dlu(50, 20, 146, 8));
  group("Orientation", Dlu(10, 90, 185, 25));
  group("Scale", Dlu(10, 30, 90, 55));
  m_pScaleEdit = new QLineEdit(this);
  m_pScaleEdit->setObjectName(QStringLiteral("ctl1061"));
  m_pScaleEdit->setGeometry(Dlu(55, 70, 35, 12));
  m_pScaleEdit->installEventFilter(this);
  group("Page size", Dlu(110, 30, 85, 55));

  // Three sets of choices, each exclusive on its own.
  for (auto* set : {m_pScale, m_pPaper}) {
    auto* g = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) g->addButton(set[i]);
  }
  auto* orientation = new QButtonGroup(this);
  orientation->addButton(m_pOrientation[0]);
  orientation->addButton(m_pOrientation[1]);

  connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(setup, &QPushButton::clicked, this, [this] { OnSetup(); });
  for (int i = 0; i < 3; ++i) {
    connect(m_pPaper[i], &QRadioButton::clicked, this, [this, i] { m_nPaper = i + 2; });
  }
  connect(m_pOrientation[0], &QRadioButton::clicked, this, [this] {
    if (m_pPrinterHost) m_pPrinterHost->SetLandscape(TRUE);
    m_nOrientation = 1;
  });
  connect(m_pOrientation[1], &QRadioButton::clicked, this, [this] {
    if (m_pPrinterHost) m_pPrinterHost->SetLandscape(FALSE);
    m_nOrientation = 0;
  });
  for (int i = 0; i < 3; ++i) {
    connect(m_pScale[i], &QRadioButton::clicked, this, [this, i] { ApplyScaleMode(i + 1); });
  }
  OnInitDialog();
}

void CPrintSetupDlg::ApplyScaleMode(int mode) {
  m_nScaleMode = std::clamp(mode, 1, 3);
  m_pScale[m_nScaleMode - 1]->setChecked(true);
  m_pScaleEdit->setEnabled(m_nScaleMode == 3);
  // The paper choice is the page's size; the other two keep the printer's paper.
  for (QRadioButton* p : m_pPaper) p->setEnabled(m_nScaleMode == 2);
  m_pPaper[std::clamp(m_nPaper, 2, 4) - 2]->setChecked(true);
}

void CPrintSetupDlg::SetChoices(int paper, int scaleMode, double scale) {
  m_nPaper = std::clamp(paper, 2, 4);
  m_dScale = std::clamp(scale, 0.0, 2.0);
  m_pScaleEdit->setText(QString::number(m_dScale));
  ApplyScaleMode(scaleMode);
}

QWidget* CPrintSetupDlg::Control(int id) const {
  return findChild<QWidget*>(QStringLiteral("ctl%1").arg(id));
}

void CPrintSetupDlg::OnInitDialog() {
  CPrinterHost* app = m_pPrinterHost;
  m_strPaperName = app ? app->GetPaperName() : CString();
  m_nPaper = 4;
  m_strPrinterName = app ? app->GetPrinterName() : CString();
  m_nOrientation = app && app->IsLandscape() ? 1 : 0;
  SetOrientationButtons();
  ApplyScaleMode(2);
  m_pScaleEdit->setText(QStringLiteral("1"));
  m_pParams->setChecked(m_bPrintParams != 0);
  RefreshTexts();
}

void CPrintSetupDlg::RefreshTexts() {
  m_pPaperName->setText(ToQString(m_strPaperName));
  // A long printer name loses its middle, as a path would.
  const QString name = ToQString(m_strPrinterName);
  m_pPrinter->setText(m_pPrinter->fontMetrics().elidedText(name, Qt::ElideMiddle, m_pPrinter->width()));
  m_pPrinter->setToolTip(name);
  m_pPaper[std::clamp(m_nPaper, 2, 4) - 2]->setChecked(true);
}

void CPrintSetupDlg::SetOrientationButtons() {
  m_pOrientation[m_nOrientation == 1 ? 0 : 1]->setChecked(true);
}

void CPrintSetupDlg::OnSetup() {
  CPrinterHost* app = m_pPrinterHost;
  if (!app) return;
  app->SetLandscape(m_nOrientation == 1);
  app->PageSetup();
  m_strPaperName = app->GetPaperName();
  m_strPrinterName = app->GetPrinterName();
  m_nOrientation = app->IsLandscape() ? 1 : 0;
  SetOrientationButtons();
  RefreshTexts();
}

void CPrintSetupDlg::OnOK() {
  bool ok = false;
  const double scale = m_pScaleEdit->text().trimmed().toDouble(&ok);
  if (!ok || scale < 0 || scale > 2) {
    AfxMessageBox(CString(u"Enter a number between 0 and 2."), MB_ICONEXCLAMATION);
    m_pScaleEdit->setFocus();
    m_pScaleEdit->selectAll();
    return;
  }
  m_dScale = scale;
  m_bPrintParams = m_pParams->isChecked() ? 1 : 0;
  accept();
}

bool CPrintSetupDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    // Enter on a radio button or in the scale field neither presses OK nor closes.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
  }
  return QDialog::eventFilter(watched, event);
}
