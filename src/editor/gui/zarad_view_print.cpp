// Printing and print preview of the diagram view. Pages are drawn as vectors
// through CDC on the printer: each page one tile of the document's page grid,
// inside the margins of Page Setup (editor/print_layout.h).
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <memory>

#include "editor/gui/page_layout_dlg.h"
#include "editor/gui/print_setup_dlg.h"
#include "editor/gui/zarad_view.h"
#include "editor/print_layout.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "shell/shell.h"

namespace {

// The printer of a view that runs without the application (tests, tools).
QPrinter* StandalonePrinter() {
  static std::unique_ptr<QPrinter> printer = [] {
    auto p = std::make_unique<QPrinter>();
    p->setOutputFormat(QPrinter::PdfFormat);
    p->setPageOrientation(QPageLayout::Landscape);
    return p;
  }();
  return printer.get();
}

QPrinter* JobPrinter(CPrinterHost* host) {
  if (host) {
    if (QPrinter* printer = host->GetPrinter()) return printer;
  }
  return StandalonePrinter();
}

QPageSize::PageSizeId PaperSize(int paper) {
  switch (paper) {
    case 2:
      return QPageSize::A2;
    case 3:
      return QPageSize::A3;
    default:
      return QPageSize::A4;
  }
}

}  // namespace

int CZaradView::RunPrintSetup() {
  CPrintSetupDlg dlg(PrinterHost(), this);
  dlg.SetChoices(m_nPrintPaper, m_nPrintScaleMode, m_dPrintScale);
  const int answer = s_printRunners.setup              ? s_printRunners.setup(dlg)
                     : dlg.exec() == QDialog::Accepted ? IDOK
                                                       : IDCANCEL;
  if (answer != IDOK) return answer;
  m_bPrintParams = dlg.m_bPrintParams;
  m_nPrintPaper = dlg.m_nPaper;
  m_nPrintScaleMode = dlg.m_nScaleMode;
  m_dPrintScale = dlg.m_dScale;
  return answer;
}

void CZaradView::PreparePrinter(QPrinter* printer) const {
  // Scaled to a page, the page is a sheet of the chosen size; the other
  // choices keep the printer's own paper.
  if (m_nPrintScaleMode == kScaleToPage) {
    const QPageSize size(PaperSize(m_nPrintPaper));
    if (printer->pageLayout().pageSize().id() != size.id()) printer->setPageSize(size);
  }
  printer->setFullPage(true);
}

CZaradView::PrintRunners CZaradView::s_printRunners;

CPrinterHost* CZaradView::PrinterHost() const {
  return Shell() ? Shell()->GetPrinterHost() : nullptr;
}

void CZaradView::OnPrintDiagram() {
  // Nothing prints highlighted, and the picture is the one of 100 %.
  m_core.ClearSelection(SEL_ALL);
  if (m_pDoc->m_fZoom != 1.0f) m_core.SetZoom(1.0f);
  if (m_bAskForSetup) {
    if (RunPrintSetup() != IDOK) return;
  } else {
    m_bAskForSetup = 1;
  }
  InvalidateDiagram();
  OnFilePrint(false);
}

void CZaradView::OnPreviewDiagram() {
  m_core.ClearSelection(SEL_ALL);
  if (m_pDoc->m_fZoom != 1.0f) m_core.SetZoom(1.0f);
  if (RunPrintSetup() != IDOK) return;
  // A Print from the menu after this preview goes without the set-up.
  m_bAskForSetup = 0;
  InvalidateDiagram();

  QPrinter* printer = JobPrinter(PrinterHost());
  PreparePrinter(printer);
  printer->setPrintRange(QPrinter::AllPages);
  QPrintPreviewDialog preview(printer, this);
  preview.setWindowTitle(QtCaption("Print Preview"));
  if (QWidget* top = window()) preview.resize(top->size() * 4 / 5);
  connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { PrintPages(p); });
  // The preview's own Print button goes to the Print dialog and these pages
  // without asking for the set-up again; a Print from the menu afterwards asks.
  if (s_printRunners.preview) {
    s_printRunners.preview(preview);
  } else {
    preview.exec();
  }
  // The preview's Print button closes it accepted: that print took the place of
  // the one that would have skipped the set-up.
  if (preview.result() == QDialog::Accepted) m_bAskForSetup = 1;
}

void CZaradView::OnFilePrint(bool direct) {
  QPrinter* printer = JobPrinter(PrinterHost());
  const int pages = MakePrintJobLayout(*m_pDoc, m_rcPageMargins).PageCount();
  PreparePrinter(printer);
  printer->setPrintRange(QPrinter::AllPages);
  printer->setFromTo(0, 0);
  if (!direct) {
    QPrintDialog dialog(printer, this);
    dialog.setMinMax(1, pages);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    const bool go = s_printRunners.print ? s_printRunners.print(dialog) : dialog.exec() == QDialog::Accepted;
    if (!go) return;
  }
  PrintPages(printer);
}

bool CZaradView::PrintPages(QPrinter* printer) {
  // The grid and margins of the whole job are taken once, at its start.
  const PrintJobLayout job = MakePrintJobLayout(*m_pDoc, m_rcPageMargins, m_nPrintScaleMode, m_dPrintScale);
  int first = 1;
  int last = job.PageCount();
  if (printer->printRange() == QPrinter::PageRange && printer->fromPage() > 0) {
    first = std::max(first, printer->fromPage());
    last = std::min(last, std::max(printer->toPage(), printer->fromPage()));
  }
  if (first > last) return true;
  QPainter painter;
  if (!painter.begin(printer)) {
    AfxMessageBox(CString(u"The printer could not be opened."), MB_ICONHAND);
    return false;
  }
  const DiagramDrawOptions options = m_core.GetDrawOptions(0);
  for (int page = first; page <= last; ++page) {
    if (page != first && !printer->newPage()) break;
    CQtDC dc(&painter);
    DrawPrintPage(&dc, *m_pDoc, &m_core, options, job, page);
  }
  painter.end();
  return true;
}
