#include "editor/gui/page_layout_dlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

#include "editor/print_layout.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

namespace {

// Dialog units of the dialog font in pixels.
QRect Dlu(int x, int y, int w, int h) {
  auto px = [](int v) { return v * 6 / 4; };
  auto py = [](int v) { return v * 13 / 8; };
  return QRect(px(x), py(y), px(w), py(h));
}

// A count field read as a signed whole number; 0 when it holds none.
int edit_int(const QLineEdit* edit) {
  bool ok = false;
  const int v = edit->text().trimmed().toInt(&ok);
  return ok ? v : 0;
}

constexpr int kPreviewWidth = 253;
constexpr int kPreviewHeight = 165;

// The preview static: shows the grid of the counts the dialog was opened with.
class PreviewArea : public QWidget {
 public:
  explicit PreviewArea(QWidget* parent) : QWidget(parent) {}
  int across = 1;
  int down = 1;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.drawImage(0, 0, RenderPageLayoutPreview(across, down));
  }
};

}  // namespace

QImage RenderPageLayoutPreview(int across, int down) {
  QImage image(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
  image.fill(ToQColor(RGB(132, 130, 132)));
  CQtDC dc(&image);
  dc.MoveTo(2, 2);
  dc.LineTo(2, 163);
  dc.LineTo(251, 163);
  dc.LineTo(251, 2);
  dc.LineTo(2, 2);
  CPen pen(PS_SOLID, 2, RGB(0, 196, 98));
  CBrush white(RGB(255, 255, 255));
  const CPen oldPen = dc.SelectObject(&pen);
  const CBrush oldBrush = dc.SelectObject(&white);
  const int x0 = (kPreviewWidth - 24 * across) / 2 + 2;
  const int y0 = (kPreviewHeight - 16 * down) / 2 + 2;
  dc.Rectangle(x0, y0, x0 + 24 * across, y0 + 16 * down);
  for (int i = 0; i < across; ++i) {
    dc.MoveTo(x0 + 24 * i, y0);
    dc.LineTo(x0 + 24 * i, y0 + 16 * down);
  }
  for (int i = 0; i < down; ++i) {
    dc.MoveTo(x0, y0 + 16 * i);
    dc.LineTo(x0 + 24 * across, y0 + 16 * i);
  }
  CFont font;
  font.CreateFont(10, 6, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, 0, 0, FIXED_PITCH,
                  CString());
  const CFont oldFont = dc.SelectObject(&font);
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  const int h = tm.tmHeight;
  const int w = tm.tmAveCharWidth;
  dc.SetBkMode(TRANSPARENT);
  for (int r = 1; r <= down; ++r) {
    for (int c = 1; c <= across; ++c) {
      const int n = PreviewPageNumber(r, c, across);
      const int t = w * (n >= 100 ? 3 : n >= 10 ? 2 : 1);
      CString text;
      text.Format(u"%d", n);
      dc.TextOut(x0 + 24 * (c - 1) + (24 - t) / 2, y0 + 16 * (r - 1) + (16 - h) / 2, text);
    }
  }
  dc.SelectObject(&oldFont);
  dc.SelectObject(&oldBrush);
  dc.SelectObject(&oldPen);
  return image;
}

CPageLayoutDlg::CPageLayoutDlg(const CZaradDoc* doc, QWidget* parent) : QDialog(parent), m_pDoc(doc) {
  setObjectName(QStringLiteral("pageLayoutDlg"));
  setWindowTitle(QtCaption("Page Layout"));
  QFont dialogFont(QStringLiteral("MS Sans Serif"));
  dialogFont.setPointSize(8);
  setFont(dialogFont);
  setFixedSize(Dlu(0, 0, 182, 251).size());

  auto* ok = new QPushButton(QtCaption("OK"), this);
  ok->setGeometry(Dlu(10, 225, 38, 19));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QtCaption("Cancel"), this);
  cancel->setGeometry(Dlu(72, 225, 38, 19));
  (new QLabel(QtCaption("Horizontal"), this))->setGeometry(Dlu(5, 15, 41, 8));
  (new QLabel(QtCaption("Vertical"), this))->setGeometry(Dlu(5, 44, 33, 8));
  m_pDefault = new QCheckBox(QtCaption("Use As Default"), this);
  m_pDefault->setObjectName(QStringLiteral("ctl1004"));
  m_pDefault->setGeometry(Dlu(5, 75, 72, 10));
  auto* group = new QGroupBox(QtCaption("Preview"), this);
  group->setGeometry(Dlu(4, 90, 175, 126));
  auto* preview = new PreviewArea(this);
  preview->setGeometry(QRect(Dlu(7, 100, 169, 110).topLeft(), QSize(kPreviewWidth, kPreviewHeight)));
  m_pPreview = preview;
  m_pAcross = new QLineEdit(this);
  m_pAcross->setObjectName(QStringLiteral("ctl3500"));
  m_pAcross->setGeometry(Dlu(50, 10, 45, 18));
  m_pDown = new QLineEdit(this);
  m_pDown->setObjectName(QStringLiteral("ctl3502"));
  m_pDown->setGeometry(Dlu(50, 35, 45, 18));
  auto* help = new QPushButton(QtCaption("Help"), this);
  help->setGeometry(Dlu(134, 225, 38, 19));
  help->setAutoDefault(false);
  setTabOrder(m_pAcross, m_pDown);

  connect(ok, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(m_pAcross, &QLineEdit::textChanged, this, [this] { OnChangeCount(m_pAcross); });
  connect(m_pDown, &QLineEdit::textChanged, this, [this] { OnChangeCount(m_pDown); });
}

void CPageLayoutDlg::UpdateControls() {
  const QSignalBlocker blockAcross(m_pAcross);
  const QSignalBlocker blockDown(m_pDown);
  m_pAcross->setText(QString::number(m_nPagesAcross));
  m_pDown->setText(QString::number(m_nPagesDown));
  m_pDefault->setChecked(m_bUseAsDefault != 0);
  auto* preview = static_cast<PreviewArea*>(m_pPreview);
  preview->across = m_nPagesAcross;
  preview->down = m_nPagesDown;
  preview->update();
}

void CPageLayoutDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  m_pAcross->setFocus();
  m_pAcross->selectAll();
}

void CPageLayoutDlg::OnChangeCount(QLineEdit* edit) {
  CString replacement;
  if (ClampPageCountText(ToCString(edit->text()), &replacement)) {
    edit->setText(ToQString(replacement));
    edit->selectAll();
  }
}

void CPageLayoutDlg::OnOK() {
  const int across = edit_int(m_pAcross);
  const int down = edit_int(m_pDown);
  const PageLayoutVerdict verdict = CheckPageLayout(m_pDoc, across, down);
  if (verdict.hasMessage) GetMessageSink().Show(verdict.message);
  switch (verdict.outcome) {
    case PageLayoutOutcome::kKeepOpen:
      return;
    case PageLayoutOutcome::kCancel:
      reject();
      return;
    case PageLayoutOutcome::kAccept:
      break;
  }
  m_nPagesAcross = across;
  m_nPagesDown = down;
  m_bUseAsDefault = m_pDefault->isChecked() ? 1 : 0;
  accept();
}
