// Printing in the running editor: the page layout from its toolbar command,
// Print and Print Preview from the File menu into PDF files (read back with
// the PDF tools), and Page Setup's margins in every open diagram.
#include <QDir>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <memory>

#include "app/page_setup_dlg.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/page_layout_dlg.h"
#include "editor/gui/print_setup_dlg.h"
#include "editor/gui/zarad_view.h"
#include "model/block_comment.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

class PrintTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    g_ShowPropertiesOnNew = 0;
    CZaradView::s_printRunners.setup = [this](CPrintSetupDlg& dlg) {
      ++m_setups;
      dlg.OnOK();
      return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    };
    CZaradView::s_printRunners.print = [this](QPrintDialog& dlg) {
      ++m_printDialogs;
      m_maxPage = dlg.maxPage();
      dlg.printer()->setOutputFormat(QPrinter::PdfFormat);
      dlg.printer()->setOutputFileName(m_pdf);
      if (m_range.first > 0) {
        dlg.printer()->setPrintRange(QPrinter::PageRange);
        dlg.printer()->setFromTo(m_range.first, m_range.second);
      }
      return true;
    };
  }
  void TearDown() override {
    CZaradView::s_printRunners = {};
    CEditorApp::s_pageSetupRunner = nullptr;
    ShellTest::TearDown();
  }

  CChildFrame* NewDiagram() {
    m_frame->SendCommand(ID_FILE_NEW);
    auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
    QCoreApplication::processEvents();
    return child;
  }

  // Sets the page layout through the toolbar's command and the real dialog.
  bool SetLayout(int across, int down) {
    CZaradView::s_printRunners.pageLayout = [&](CPageLayoutDlg& dlg) {
      dlg.AcrossEdit()->setText(QString::number(across));
      dlg.DownEdit()->setText(QString::number(down));
      dlg.OnOK();
      return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    };
    const bool sent = m_frame->SendCommand(ID_PAGE_LAYOUT);
    CZaradView::s_printRunners.pageLayout = nullptr;
    return sent;
  }

  static void AddComment(CZaradDoc* doc, const char16_t* text, CPoint pos) {
    auto comment = std::make_unique<CBlockComment>();
    comment->m_strText = CString(text);
    comment->m_ptPos = pos;
    comment->m_size = CSize(300, 40);
    doc->m_comments.AddTail(std::move(comment));
  }

  // The pages of the PDF, counted from its page objects.
  static int PdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray bytes = file.readAll();
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(bytes).count(page));
  }

  // The text of one page, by the PDF tools.
  static QString PdfPageText(const QString& path, int page) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                          QString::number(page), path, QStringLiteral("-")});
    if (!p.waitForFinished(20000)) return QStringLiteral("<pdftotext failed>");
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  static QString PdfInfo(const QString& path) {
    QProcess p;
    p.start(QStringLiteral("pdfinfo"), {path});
    if (!p.waitForFinished(20000)) return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
  }

  QString m_pdf = Path("out.pdf");
  std::pair<int, int> m_range{0, 0};
  int m_setups = 0;
  int m_printDialogs = 0;
  int m_maxPage = 0;
};

TEST_F(PrintTest, TwoByThreeLayoutPrintsSixPagesTopLeftFirst) {
  CChildFrame* child = NewDiagram();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  ASSERT_TRUE(SetLayout(2, 3));
  ASSERT_EQ(doc->m_nPagesAcross, 2);
  ASSERT_EQ(doc->m_nPagesDown, 3);
  const CSize page = doc->m_sizePage;
  ASSERT_GT(page.cx, 400);
  ASSERT_GT(page.cy, 200);
  AddComment(doc, u"TOPLEFT", CPoint(60, 60));
  AddComment(doc, u"TOPRIGHT", CPoint(page.cx + 60, 60));
  AddComment(doc, u"MIDDLELEFT", CPoint(60, page.cy + 60));
  AddComment(doc, u"BOTTOMRIGHT", CPoint(page.cx + 60, 2 * page.cy + 60));
  // Zoomed and with a selection: printed at 100 %, nothing selected.
  child->GetActiveView()->Core().SetZoom(2.0f);
  child->GetActiveView()->Core().SelectAll();

  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(m_setups, 1);
  EXPECT_EQ(m_printDialogs, 1);
  EXPECT_EQ(m_maxPage, 6);
  EXPECT_EQ(doc->m_fZoom, 1.0f);
  EXPECT_FALSE(child->GetActiveView()->Core().HasSelection());
  EXPECT_TRUE(m_sink.messages().empty());

  ASSERT_TRUE(QFile::exists(m_pdf));
  EXPECT_EQ(PdfPageCount(m_pdf), 6);
  EXPECT_TRUE(PdfInfo(m_pdf).contains(QRegularExpression(QStringLiteral("Pages:\\s+6\\b"))))
      << PdfInfo(m_pdf).toStdString();
  const QString first = PdfPageText(m_pdf, 1);
  EXPECT_TRUE(first.contains("TOPLEFT")) << first.toStdString();
  EXPECT_FALSE(first.contains("TOPRIGHT") || first.contains("BOTTOMRIGHT")) << first.toStdString();
  EXPECT_TRUE(PdfPageText(m_pdf, 2).contains("TOPRIGHT"));
  EXPECT_TRUE(PdfPageText(m_pdf, 3).contains("MIDDLELEFT"));
  const QString last = PdfPageText(m_pdf, 6);
  EXPECT_TRUE(last.contains("BOTTOMRIGHT")) << last.toStdString();
  EXPECT_FALSE(last.contains("TOPLEFT"));
  // No picture file is left in the working folder.
  EXPECT_FALSE(QFile::exists(QDir::current().filePath(QStringLiteral("123.bmp"))));

  // A page range prints only those pages.
  QFile::remove(m_pdf);
  m_range = {2, 3};
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(PdfPageCount(m_pdf), 2);
  EXPECT_TRUE(PdfPageText(m_pdf, 1).contains("TOPRIGHT"));
}

TEST_F(PrintTest, CancelledSetupPrintsNothingAndPreviewShowsEveryPage) {
  CChildFrame* child = NewDiagram();
  ASSERT_NE(child, nullptr);
  ASSERT_TRUE(SetLayout(3, 2));
  CZaradView::s_printRunners.setup = [this](CPrintSetupDlg& dlg) {
    ++m_setups;
    dlg.reject();
    return IDCANCEL;
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(m_printDialogs, 0);
  EXPECT_FALSE(QFile::exists(m_pdf));

  CZaradView::s_printRunners.setup = [this](CPrintSetupDlg&) {
    ++m_setups;
    return IDOK;
  };
  int previewPages = -1;
  CZaradView::s_printRunners.preview = [&](QPrintPreviewDialog& dlg) {
    auto* widget = dlg.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widget, nullptr);
    widget->updatePreview();
    previewPages = widget->pageCount();
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(m_setups, 2);
  EXPECT_EQ(previewPages, 6);
  // The preview printed nothing: the next Print from the menu goes without the
  // set-up, the one after asks again.
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(m_setups, 2);
  EXPECT_EQ(PdfPageCount(m_pdf), 6);
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(m_setups, 3);

  // A preview whose own Print button printed: the next Print from the menu asks.
  CZaradView::s_printRunners.preview = [](QPrintPreviewDialog& dlg) { dlg.accept(); };
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT_PREVIEW));
  EXPECT_EQ(m_setups, 4);
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  EXPECT_EQ(m_setups, 5);
}

// The Print Setup dialog's paper and scale choices change the printout, and
// the next Print Setup opens with them: a page of the chosen A size; scaling
// by a factor at the diagram's own size times the factor; scaling to the
// paper over the whole sheet, margins or not.
TEST_F(PrintTest, PaperAndScaleChoicesShapeThePrintout) {
  CChildFrame* child = NewDiagram();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  child->SetPageMargins(CRect(20000, 20000, 20000, 20000));  // 20 mm all round
  AddComment(doc, u"CORNER", CPoint(0, 0));
  AddComment(doc, u"FARAWAY", CPoint(400, 300));
  struct Choice {
    int scaleId;        // 1268, 1269 or 1270
    int paperId;        // 1034 A4, 1035 A3, 1036 A2 (page size only)
    const char* scale;  // the factor's text (scaling only)
  };
  std::vector<QString> opened;
  auto print = [&](Choice c) {
    CZaradView::s_printRunners.setup = [&, c](CPrintSetupDlg& dlg) {
      ++m_setups;
      auto radio = [&](int id) { return qobject_cast<QRadioButton*>(dlg.Control(id)); };
      for (int id : {1268, 1269, 1270})
        if (radio(id)->isChecked()) opened.push_back(QString::number(id));
      radio(c.scaleId)->click();
      if (c.paperId) {
        EXPECT_TRUE(radio(c.paperId)->isEnabled());
        radio(c.paperId)->click();
      }
      if (c.scale) qobject_cast<QLineEdit*>(dlg.Control(1061))->setText(c.scale);
      dlg.OnOK();
      return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
    };
    QFile::remove(m_pdf);
    EXPECT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
    // Each Print asks: the flag is set again by a Print that skipped it.
    child->GetActiveView()->m_bAskForSetup = 1;
  };
  // Where a word lies on page 1 (points from the top-left corner).
  auto place = [this](const char* text) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), m_pdf, QStringLiteral("-")});
    EXPECT_TRUE(p.waitForFinished(20000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression word(
        QStringLiteral("xMin=\"(-?[0-9.]+)\" yMin=\"(-?[0-9.]+)\"[^>]*>%1<").arg(text));
    const QRegularExpressionMatch m = word.match(html);
    EXPECT_TRUE(m.hasMatch()) << text << html.toStdString();
    return QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
  };

  print({1269, 1035, nullptr});  // page size, A3
  EXPECT_TRUE(PdfInfo(m_pdf).contains("(A3)")) << PdfInfo(m_pdf).toStdString();
  const QPointF pageCorner = place("CORNER");
  EXPECT_GE(pageCorner.x(), 56.7 - 1);  // the 20 mm margin

  print({1270, 0, "1"});  // by factor 1: the diagram's own size, on the printer's paper
  EXPECT_TRUE(PdfInfo(m_pdf).contains("(A3)"));
  const QPointF one = place("FARAWAY");
  print({1270, 0, "0.5"});
  const QPointF half = place("FARAWAY");
  const QPointF corner = place("CORNER");
  EXPECT_NEAR(corner.x(), 56.7, 2);
  // 400 units at 96 to the inch are 300 points, halved by the factor.
  EXPECT_NEAR(one.x() - corner.x(), 300, 6);
  EXPECT_NEAR(half.x() - corner.x(), 150, 4);
  EXPECT_NEAR(half.y() - corner.y(), (one.y() - corner.y()) / 2, 4);

  print({1268, 0, nullptr});  // the whole sheet: the margins play no part
  EXPECT_LT(place("CORNER").x(), 10);
  // The dialog opened each time with the choice accepted before it.
  EXPECT_EQ(opened, (std::vector<QString>{"1269", "1269", "1270", "1270"}));
  if (qEnvironmentVariableIsSet("ZOVUZI_SHOT"))
    QFile::copy(m_pdf, qEnvironmentVariable("ZOVUZI_SHOT") + ".pdf");
}

// The command line's print switch: each file prints whole to the default
// printer, here (no printer) into a PDF file beside it, and the program ends
// without showing its window; a file that cannot be opened fails the start.
TEST_F(PrintTest, PrintSwitchPrintsTheNamedFilesAndEnds) {
  if (m_app->HasDefaultPrinter()) GTEST_SKIP() << "a real printer would print";
  auto write = [this](const QString& name, int kind, const char16_t* note) {
    CZaradDoc doc(NewDocumentSettings{kind, 0x5188});
    AddComment(&doc, note, CPoint(60, 60));
    CString error;
    EXPECT_TRUE(doc.OnSaveDocument(ToCString(Path(name)), &error));
    return Path(name);
  };
  const QString fbd = write("first.bfb", kDocFbd, u"FIRSTNOTE");
  const QString lad = write("second.bld", kDocLadder, u"SECONDNOTE");
  m_app.reset();
  m_app = MakeApp();
  m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  ASSERT_TRUE(m_app->InitInstance({"/p", fbd, lad}));
  m_frame = m_app->GetMainFrame();
  EXPECT_FALSE(m_frame->isVisible());
  EXPECT_EQ(DocCount(), 0);
  ASSERT_TRUE(QFile::exists(Path("first.pdf")));
  ASSERT_TRUE(QFile::exists(Path("second.pdf")));
  EXPECT_TRUE(PdfPageText(Path("first.pdf"), 1).contains("FIRSTNOTE"));
  EXPECT_TRUE(PdfPageText(Path("second.pdf"), 1).contains("SECONDNOTE"));
  EXPECT_TRUE(m_sink.messages().empty());

  m_app.reset();
  m_app = MakeApp();
  m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  EXPECT_FALSE(m_app->InitInstance({"--print", Path("missing.bfb")}));
  m_frame = m_app->GetMainFrame();
  EXPECT_EQ(m_sink.messages().size(), 1u);
}

TEST_F(PrintTest, PageLayoutDialogHoldsItsLimits) {
  CChildFrame* child = NewDiagram();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  std::vector<QString> seen;
  CZaradView::s_printRunners.pageLayout = [&](CPageLayoutDlg& dlg) {
    EXPECT_EQ(dlg.AcrossEdit()->text(), "1");
    dlg.AcrossEdit()->setText("250");
    seen.push_back(dlg.AcrossEdit()->text());
    dlg.AcrossEdit()->setText("");
    seen.push_back(dlg.AcrossEdit()->text());
    // 11 x 10 is refused and the dialog stays open; 10 x 10 is taken.
    dlg.AcrossEdit()->setText("11");
    dlg.DownEdit()->setText("10");
    dlg.OnOK();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    dlg.AcrossEdit()->setText("10");
    dlg.OnOK();
    return dlg.result() == QDialog::Accepted ? IDOK : IDCANCEL;
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_PAGE_LAYOUT));
  EXPECT_EQ(seen, (std::vector<QString>{"100", "1"}));
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(
      m_sink.messages()[0].text,
      CString(
          u"For the total number of pages(horizontal x vertical) only values between 1 and 100  are valid."));
  EXPECT_EQ(doc->m_nPagesAcross, 10);
  EXPECT_EQ(doc->m_nPagesDown, 10);
  EXPECT_EQ(doc->m_rcDiagram.right, 10 * doc->m_sizePage.cx);

  // A comment on the last page row keeps the grid from shrinking below it.
  AddComment(doc, u"note", CPoint(100, 9 * doc->m_sizePage.cy + 10));
  ASSERT_TRUE(SetLayout(10, 5));
  EXPECT_EQ(doc->m_nPagesDown, 10);
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[1].caption, CString(u"Page Size"));
}

TEST_F(PrintTest, PageSetupMarginsGoToEveryOpenDiagram) {
  CChildFrame* first = NewDiagram();
  CChildFrame* second = NewDiagram();
  ASSERT_TRUE(first && second);
  QMarginsF shown(-1, -1, -1, -1);
  CEditorApp::s_pageSetupRunner = [&](QPrinter* printer) {
    shown = printer->pageLayout().margins(QPageLayout::Millimeter);
    CPageSetupDlg dlg(printer);
    dlg.MarginBox(0)->setValue(10);
    dlg.MarginBox(1)->setValue(20);
    dlg.MarginBox(2)->setValue(15);
    dlg.MarginBox(3)->setValue(12.5);
    dlg.Apply();
    return true;
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PAGE_SETUP));
  EXPECT_EQ(shown, QMarginsF(0, 0, 0, 0));
  EXPECT_EQ(first->GetPageMargins(), CRect(10000, 20000, 15000, 12500));
  EXPECT_EQ(second->GetPageMargins(), CRect(10000, 20000, 15000, 12500));
  // The next Page Setup shows them again.
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PAGE_SETUP));
  EXPECT_NEAR(shown.left(), 10, 0.01);
  EXPECT_NEAR(shown.bottom(), 12.5, 0.01);
  EXPECT_TRUE(m_sink.messages().empty());

  // The printout starts at the left and top margins (10 mm = 28.3 pt, 20 mm =
  // 56.7 pt), less what whole printer pixels (0.75 pt at 96 dpi) leave off.
  AddComment(second->GetDocument(), u"CORNER", CPoint(0, 0));
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_PRINT));
  QProcess p;
  p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), m_pdf, QStringLiteral("-")});
  ASSERT_TRUE(p.waitForFinished(20000));
  const QString html = QString::fromUtf8(p.readAllStandardOutput());
  static const QRegularExpression word(QStringLiteral("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>CORNER<"));
  const QRegularExpressionMatch m = word.match(html);
  ASSERT_TRUE(m.hasMatch()) << html.toStdString();
  EXPECT_GE(m.captured(1).toDouble(), 28.3 - 0.75);
  EXPECT_LT(m.captured(1).toDouble(), 28.3 + 20);
  EXPECT_GE(m.captured(2).toDouble(), 56.7 - 0.75);
  EXPECT_LT(m.captured(2).toDouble(), 56.7 + 30);
}

}  // namespace

namespace {

// The printer is looked for only when something needs it: the orientation set
// before then is the one it gets.
TEST_F(PrintTest, OrientationChosenBeforeThePrinterIsNeededReachesIt) {
  EXPECT_TRUE(m_app->IsLandscape());
  m_app->SetLandscape(FALSE);
  EXPECT_FALSE(m_app->IsLandscape());
  QPrinter* printer = m_app->GetPrinter();
  ASSERT_NE(printer, nullptr);
  EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Portrait);
  m_app->SetLandscape(TRUE);
  EXPECT_EQ(printer->pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_TRUE(m_app->IsLandscape());
}

TEST_F(PrintTest, PrintSetupDialogKeepsItsThreeChoicesApart) {
  CPrintSetupDlg dlg(m_app.get());
  auto radio = [&](int id) { return qobject_cast<QRadioButton*>(dlg.Control(id)); };
  EXPECT_EQ(qobject_cast<QLabel*>(dlg.Control(1056))->toolTip(), "Print to File (PDF)");
  // The program starts in landscape, scaled to an A4 page: the three scale
  // choices and the three papers are open, the factor's field is not.
  EXPECT_TRUE(radio(1264)->isChecked());
  EXPECT_TRUE(radio(1269)->isChecked());
  EXPECT_TRUE(radio(1268)->isEnabled() && radio(1270)->isEnabled());
  EXPECT_FALSE(dlg.Control(1061)->isEnabled());
  EXPECT_TRUE(radio(1036)->isEnabled() && radio(1035)->isEnabled());
  EXPECT_TRUE(radio(1034)->isChecked());
  // Scaling by a factor opens the factor and keeps the printer's paper.
  radio(1270)->click();
  EXPECT_TRUE(dlg.Control(1061)->isEnabled());
  EXPECT_FALSE(radio(1036)->isEnabled() || radio(1035)->isEnabled() || radio(1034)->isEnabled());

  // "Vertical " turns the printer at once, even though the dialog is then cancelled.
  radio(1265)->click();
  EXPECT_FALSE(m_app->IsLandscape());
  // "Scale to page size" opens A2 and A3; choosing A2 leaves the other two sets alone.
  radio(1269)->click();
  ASSERT_TRUE(radio(1036)->isEnabled());
  radio(1036)->click();
  EXPECT_EQ(dlg.m_nPaper, 2);
  EXPECT_TRUE(radio(1269)->isChecked());
  EXPECT_TRUE(radio(1265)->isChecked());
  // Enter on a radio button neither presses OK nor closes the dialog.
  QTest::keyClick(radio(1036), Qt::Key_Return);
  EXPECT_EQ(dlg.result(), QDialog::Rejected);
  EXPECT_EQ(dlg.m_bPrintParams, 0);
  dlg.reject();
  EXPECT_FALSE(m_app->IsLandscape());
  m_app->SetLandscape(TRUE);

  // "Setup..." runs Page Setup and shows the orientation it left.
  CEditorApp::s_pageSetupRunner = [](QPrinter* printer) {
    printer->setPageOrientation(QPageLayout::Portrait);
    return true;
  };
  CPrintSetupDlg again(m_app.get());
  EXPECT_TRUE(qobject_cast<QRadioButton*>(again.Control(1264))->isChecked());
  again.OnSetup();
  EXPECT_TRUE(qobject_cast<QRadioButton*>(again.Control(1265))->isChecked());
  EXPECT_EQ(again.m_nOrientation, 0);
}

}  // namespace
