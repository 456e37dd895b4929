#include "app/page_setup_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/gui/qt_string.h"

namespace {

const QPageSize::PageSizeId kPapers[] = {QPageSize::A4, QPageSize::A3,     QPageSize::A2,
                                         QPageSize::A5, QPageSize::Letter, QPageSize::Legal};

}  // namespace

CPageSetupDlg::CPageSetupDlg(QPrinter* printer, QWidget* parent) : QDialog(parent), m_pPrinter(printer) {
  setObjectName(QStringLiteral("pageSetupDlg"));
  setWindowTitle(QtCaption("Page Setup"));
  auto* layout = new QVBoxLayout(this);

  auto* paperGroup = new QGroupBox(QtCaption("Paper"), this);
  auto* paperForm = new QFormLayout(paperGroup);
  m_pPaper = new QComboBox(paperGroup);
  for (QPageSize::PageSizeId id : kPapers) m_pPaper->addItem(QPageSize::name(id), static_cast<int>(id));
  const int current = m_pPaper->findData(static_cast<int>(printer->pageLayout().pageSize().id()));
  m_pPaper->setCurrentIndex(current < 0 ? 0 : current);
  paperForm->addRow(QtCaption("Size:"), m_pPaper);
  layout->addWidget(paperGroup);

  auto* orientationGroup = new QGroupBox(QtCaption("Orientation"), this);
  auto* orientationRow = new QHBoxLayout(orientationGroup);
  m_pPortrait = new QRadioButton(QtCaption("Portrait"), orientationGroup);
  m_pLandscape = new QRadioButton(QtCaption("Landscape"), orientationGroup);
  orientationRow->addWidget(m_pPortrait);
  orientationRow->addWidget(m_pLandscape);
  (printer->pageLayout().orientation() == QPageLayout::Landscape ? m_pLandscape : m_pPortrait)
      ->setChecked(true);
  layout->addWidget(orientationGroup);

  auto* marginGroup = new QGroupBox(QtCaption("Margins (millimeters)"), this);
  auto* marginForm = new QFormLayout(marginGroup);
  const QMarginsF m = printer->pageLayout().margins(QPageLayout::Millimeter);
  const double values[4] = {m.left(), m.top(), m.right(), m.bottom()};
  const char* names[4] = {"Left:", "Top:", "Right:", "Bottom:"};
  for (int i = 0; i < 4; ++i) {
    m_pMargins[i] = new QDoubleSpinBox(marginGroup);
    m_pMargins[i]->setRange(0, 100);
    m_pMargins[i]->setDecimals(1);
    m_pMargins[i]->setValue(values[i]);
    marginForm->addRow(QtCaption(QString::fromLatin1(names[i])), m_pMargins[i]);
  }
  layout->addWidget(marginGroup);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    Apply();
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void CPageSetupDlg::Apply() {
  const auto id = static_cast<QPageSize::PageSizeId>(m_pPaper->currentData().toInt());
  m_pPrinter->setPageSize(QPageSize(id));
  m_pPrinter->setPageOrientation(m_pLandscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  // Margins the paper cannot hold are cut to what it can.
  const QMarginsF wanted(m_pMargins[0]->value(), m_pMargins[1]->value(), m_pMargins[2]->value(),
                         m_pMargins[3]->value());
  QPageLayout layout = m_pPrinter->pageLayout();
  layout.setMode(QPageLayout::StandardMode);
  const QSizeF paper = layout.fullRect(QPageLayout::Millimeter).size();
  const QMarginsF held(std::min(wanted.left(), paper.width() / 2), std::min(wanted.top(), paper.height() / 2),
                       std::min(wanted.right(), paper.width() / 2),
                       std::min(wanted.bottom(), paper.height() / 2));
  m_pPrinter->setPageMargins(held, QPageLayout::Millimeter);
}
