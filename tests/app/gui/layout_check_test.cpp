// The layout check over the whole program, in English and in Chinese: the main
// window with and without a diagram, every page of every block type's sheet (modal
// and, in simulation, modeless), the program properties, the dialogs, the bars and
// the message boxes, each opened through the main window where it can be. Every
// window must fit its texts in its own font, keep its controls clear of each other
// and of the group frames, show its lists without scrolling sideways and, in
// Chinese, show no English caption.
#include "app/gui/layout_check.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/gui/shell_fixture.h"
#include "app/help_launcher.h"
#include "app/qt_message_sink.h"
#include "blocks/block_factory.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/grid_widget.h"
#include "device/device_link.h"
#include "device/gui/clock_dlg.h"
#include "device/gui/device_controller.h"
#include "device/gui/io_status_dlg.h"
#include "device/gui/password_dlg.h"
#include "device/gui/summer_time_dlg.h"
#include "device/gui/transfer_progress_dlg.h"
#include "device/gui/wifi_setup_dlg.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/goto_block_dlg.h"
#include "editor/gui/print_setup_dlg.h"
#include "editor/gui/sim_bars.h"
#include "editor/gui/zarad_view.h"
#include "model/block_obj.h"
#include "model/toolbox_lists.h"
#include "model/zarad_doc.h"
#include "msgtext/gui/msgtext_preview.h"
#include "pages/mask_page.h"
#include "pages/modbus_page.h"
#include "pages/msg_text_page.h"
#include "pages/yearly_page.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/gui/qt_block_sheet.h"
#include "properties/gui/qt_program_sheet.h"
#include "properties/hardware_page.h"
#include "properties/program_pages.h"

namespace {

QByteArray Utf16(const QString& text) {
  QByteArray bytes;
  for (QChar c : text) {
    bytes.append(static_cast<char>(c.unicode() & 0xFF));
    bytes.append(static_cast<char>(c.unicode() >> 8));
  }
  return bytes;
}

bool IsLadderType(int type) {
  return type >= 700 && type <= 705;
}

// The block types a user can place: every entry of the palette's lists.
std::vector<int> PlaceableTypes() {
  std::vector<int> types;
  for (const CUIntArray* list : {&g_ToolboxBasic, &g_ToolboxTime, &g_ToolboxLadder, &g_ToolboxIo,
                                 &g_ToolboxSpecialWifi, &g_ToolboxData, &g_ToolboxMath, &g_ToolboxDataLog})
    for (UINT type : *list)
      if (std::find(types.begin(), types.end(), static_cast<int>(type)) == types.end())
        types.push_back(static_cast<int>(type));
  return types;
}

class LayoutCheckTest : public ShellTest {
 protected:
  void SetUp() override {
    m_font = QApplication::font();
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  }
  void TearDown() override {
    CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) {
      return static_cast<int>(QDialog::Rejected);
    };
    ShellTest::TearDown();
    QApplication::setFont(m_font);
  }

  // A new start of the program in the language of the index (0 English, 1 Chinese).
  void StartIn(int language) {
    m_app.reset();
    Flush();
    g_LanguageIsChinese = 0;
    QApplication::setFont(m_font);
    QFile file(Path("language.ini"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Utf16(language == 1 ? "language=zh_CN\n" : "language=en_US\n"));
    file.close();
    m_app = MakeApp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    ASSERT_TRUE(m_app->InitInstance({}));
    m_frame = m_app->GetMainFrame();
    m_frame->resize(1280, 860);
    m_frame->show();
    QCoreApplication::processEvents();
  }

  CChildFrame* NewDiagram(UINT command, WORD model) {
    g_ShowPropertiesOnNew = 0;
    EXPECT_TRUE(m_frame->SendCommand(command));
    auto* child = dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow());
    if (child) {
      child->GetDocument()->m_wModelCode = model;
      QCoreApplication::processEvents();
    }
    return child;
  }

  // Places one block of each type on the diagram, in rows.
  std::vector<CBlockObj*> PlaceAll(CZaradDoc* doc, const std::vector<int>& types) {
    std::vector<CBlockObj*> blocks;
    int i = 0;
    for (int type : types) {
      auto made = MakeBlockOfType(type);
      if (!made) continue;
      made->m_ptPos = CPoint(60 + (i % 12) * 80, 60 + (i / 12) * 80);
      ++i;
      blocks.push_back(doc->AddBlock(std::move(made)));
    }
    return blocks;
  }

  // Opens the block's sheet through the view's Block Properties command and checks
  // every page of it.
  void CheckSheetOf(CZaradView* view, CBlockObj* block, const QString& name) {
    view->Core().SetCurrentBlock(block);
    bool shown = false;
    QTimer::singleShot(0, [&] {
      auto* sheet = qobject_cast<CQtBlockSheet*>(QApplication::activeModalWidget());
      if (!sheet) return;
      shown = true;
      m_check.CheckAllTabs(sheet, name);
      if (m_subDialogs) m_subDialogs(sheet, block->m_nType, name);
      sheet->reject();
    });
    m_frame->SendCommand(ID_BLOCK_PROPERTIES);
    EXPECT_TRUE(shown) << name.toStdString();
  }

  // Runs trigger; the modal dialog it opens is checked (every tab), before is run
  // on it first, and the dialog is closed. False when no dialog opened.
  bool CheckModal(const QString& name, const std::function<void()>& trigger,
                  const std::function<void(QWidget*)>& before = {}) {
    QWidget* outer = QApplication::activeModalWidget();
    bool seen = false;
    int tries = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
      QWidget* w = QApplication::activeModalWidget();
      if ((!w || w == outer) && ++tries < 300) return;
      timer.stop();
      if (!w || w == outer) return;
      seen = true;
      if (before) before(w);
      m_check.CheckAllTabs(w, name);
      if (auto* dialog = qobject_cast<QDialog*>(w))
        dialog->reject();
      else
        w->close();
    });
    timer.start(5);
    trigger();
    timer.stop();
    EXPECT_TRUE(seen) << name.toStdString();
    return seen;
  }

  // Clicks the push button of a page control in the dialog w.
  static void ClickControl(QWidget* w, int id) {
    if (auto* button = w->findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id))) button->click();
  }

  void CheckProgramProperties(const QString& name) {
    bool shown = false;
    CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
      shown = true;
      sheet.show();
      m_check.CheckAllTabs(&sheet, name);
      // The Hardware page with the oldest series' firmware chosen: the Resources box
      // shows the resource list, or why the diagram cannot run there.
      for (int i = 0; i < sheet.Tabs()->count(); ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        QCoreApplication::processEvents();
        auto* tree = sheet.findChild<QTreeWidget*>(QStringLiteral("ctl%1").arg(CSelectHardware::kIdTree));
        if (!tree || !tree->isVisible() || tree->topLevelItemCount() == 0) continue;
        tree->setCurrentItem(tree->topLevelItem(0)->child(0));
        QCoreApplication::processEvents();
        m_check.Check(&sheet, name + QStringLiteral(" hardware oldest firmware"));
        break;
      }
      // The analog output dialogs of the Parameter page (newer series).
      for (int i = 0; i < sheet.Tabs()->count(); ++i) {
        sheet.Tabs()->setCurrentIndex(i);
        QCoreApplication::processEvents();
        auto* keep = sheet.findChild<QCheckBox*>(QStringLiteral("ctl%1").arg(CParameter::kIdKeepLast));
        if (keep && keep->isVisible() && keep->isChecked()) keep->click();
        for (int id : {CParameter::kIdFixedValue, CParameter::kIdRangeType}) {
          auto* button = sheet.findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id));
          if (button && button->isVisible() && button->isEnabled())
            CheckModal(QStringLiteral("%1 dialog %2").arg(name).arg(id), [button] { button->click(); });
        }
      }
      return static_cast<int>(QDialog::Rejected);
    };
    m_frame->SendCommand(ID_PROPERTIES);
    EXPECT_TRUE(shown) << name.toStdString();
  }

  // The dialogs a block's page opens from its buttons.
  void CheckPageDialogs(QWidget* sheet, int type, const QString& name) {
    auto open = [&](int id, const QString& what) {
      auto* button = sheet->findChild<QPushButton*>(QStringLiteral("ctl%1").arg(id));
      if (!button || !button->isVisible() || !button->isEnabled()) return;
      CheckModal(name + QLatin1Char(' ') + what, [button] { button->click(); });
    };
    if (type >= 838 && type <= 843) open(CMask::kIdSetting, QStringLiteral("bit mask"));
    if (type == 411) {
      auto* monthly = sheet->findChild<QCheckBox*>(QStringLiteral("ctl%1").arg(CYearlyTimer::kIdMonthly));
      if (monthly && monthly->isChecked()) monthly->click();
      open(CYearlyTimer::kIdOnDate, QStringLiteral("date selection"));
    }
    if (type == 813 || type == 814) {
      auto* manual = sheet->findChild<QRadioButton*>(QStringLiteral("ctl%1").arg(CModbusPropPage::kIdManual));
      if (manual) manual->click();
      open(CModbusPropPage::kIdConfig, QStringLiteral("coil states"));
    }
    if (type == 810) {
      auto* grid = sheet->findChild<CGridWidget*>(QStringLiteral("messageTextGrid"));
      if (!grid) return;
      for (int id :
           {CMessageTexts_New::kIdBarGraph, CMessageTexts_New::kIdScope, CMessageTexts_New::kIdPointer,
            CMessageTexts_New::kIdScaleTime, CMessageTexts_New::kIdIoStatus, CMessageTexts_New::kIdGraph,
            CMessageTexts_New::kIdAiFilter, CMessageTexts_New::kIdAmFilter}) {
        CRect r;
        if (grid->Grid().GetCellRect(1, 1, &r))
          QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                            QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
        open(id, QStringLiteral("element %1").arg(id));
      }
    }
  }

  // The shell's and the device link's dialogs, the bars and a message box.
  void CheckShellDialogs(const QString& language, CChildFrame* fbd) {
    CDeviceController* device = m_frame->GetDeviceController();
    CheckModal(language + " COM Configuration", [&] { m_frame->SendCommand(ID_COM_CONFIGURATION); });
    CheckModal(language + " Language", [&] { m_frame->SendCommand(ID_LANGUAGE); });
    for (int kind : {kDialogClock, kDialogSummerTime, kDialogWifi, kDialogRemoteWifi}) {
      device->ShowDeviceDialog(kind);
      QCoreApplication::processEvents();
      QWidget* dialog = kind == kDialogClock        ? static_cast<QWidget*>(device->ClockDialog())
                        : kind == kDialogSummerTime ? static_cast<QWidget*>(device->SummerTimeDialog())
                        : kind == kDialogWifi       ? static_cast<QWidget*>(device->WifiDialog())
                                                    : static_cast<QWidget*>(device->RemoteWifiDialog());
      m_check.Check(dialog, QStringLiteral("%1 device dialog %2").arg(language).arg(kind));
      if (dialog) dialog->close();
    }
    bool io = false;
    device->SetIoStatusRunner([&](CIOStatus& dialog) {
      io = true;
      dialog.show();
      m_check.Check(&dialog, language + " I/O status");
    });
    m_frame->SendCommand(ID_IO_STATUS);
    EXPECT_TRUE(io);
    device->SetIoStatusRunner(nullptr);
    {
      CPasswordDlg password(m_frame);
      password.show();
      m_check.Check(&password, language + " password");
    }
    device->CreateProgressDialog();
    for (int phase : {kPhaseOther, kPhaseUpload, kPhaseDownload}) {
      device->SetProgress(45, phase);
      m_check.Check(device->ProgressDialog(),
                    QStringLiteral("%1 transfer progress %2").arg(language).arg(phase));
    }
    device->DestroyProgressDialog();

    // The diagram's own dialogs.
    CZaradView* view = fbd->GetActiveView();
    CZaradView::s_goToBlockRunner = [&](CGoToBlockDlg& dialog) {
      dialog.show();
      m_check.Check(&dialog, language + " Go To Block");
    };
    m_frame->SendCommand(ID_GOTO_BLOCK);
    CZaradView::s_goToBlockRunner = nullptr;
    CheckModal(language + " Page Layout", [&] { m_frame->SendCommand(ID_PAGE_LAYOUT); });
    CheckModal(language + " Message Text Settings", [&] { m_frame->SendCommand(ID_MSGTEXT_SETTINGS); });
    for (UINT id : {ID_SET_WIRE_COLOR, ID_SET_BACKGROUND_COLOR})
      CheckModal(QStringLiteral("%1 colour %2").arg(language).arg(id), [&] { m_frame->SendCommand(id); });
    CheckModal(language + " About", [&] { m_frame->SendCommand(ID_APP_ABOUT); });

    // Printing: the set-up dialog before the preview, and the preview.
    CZaradView::s_printRunners.setup = [&](CPrintSetupDlg& dialog) {
      dialog.show();
      m_check.Check(&dialog, language + " Print Setup");
      return IDOK;
    };
    CZaradView::s_printRunners.preview = [&](QPrintPreviewDialog& dialog) {
      dialog.show();
      m_check.Check(&dialog, language + " print preview");
    };
    m_frame->SendCommand(ID_FILE_PRINT_PREVIEW);
    CZaradView::s_printRunners = {};

    // Simulation: the bars, the clock dialog, the analog value pop-up, the
    // message-text preview and the modeless sheets with their value boxes.
    m_frame->SendCommand(ID_SIMULATION);
    QCoreApplication::processEvents();
    if (fbd->IsSimulating()) {
      m_check.Check(m_frame, language + " main window in simulation");
      if (QAbstractButton* clock = fbd->ControlBar()->SetClockButton()) {
        clock->click();
        QCoreApplication::processEvents();
        m_check.Check(fbd->ControlBar()->ClockDialog(), language + " simulation clock");
        if (fbd->ControlBar()->ClockDialog()) fbd->ControlBar()->ClockDialog()->reject();
      }
      for (CBlockObj* block : fbd->GetDocument()->m_blocks)
        if (block->m_nType == 608) {
          view->OpenValuePopup(block);
          QCoreApplication::processEvents();
          m_check.Check(view->ValuePopup(), language + " analog value pop-up");
          view->CloseValuePopup();
          break;
        }
      for (CBlockObj* block : fbd->GetDocument()->m_blocks)
        if (block->m_nType == 810) {
          view->MessageTextActivated(block->m_nNumber);
          QCoreApplication::processEvents();
          m_check.CheckAllTabs(view->GetMessageTextSheet(), language + " message-text preview");
          view->CloseMessageTexts();
          break;
        }
      for (CBlockObj* block : fbd->GetDocument()->m_blocks) {
        view->Core().SetCurrentBlock(block);
        m_frame->SendCommand(ID_BLOCK_PROPERTIES);
        QCoreApplication::processEvents();
        for (QWidget* w : QApplication::topLevelWidgets())
          if (auto* sheet = qobject_cast<CQtBlockSheet*>(w); sheet && sheet->isVisible()) {
            m_check.CheckAllTabs(sheet,
                                 QStringLiteral("%1 simulation sheet %2").arg(language).arg(block->m_nType));
            sheet->close();
          }
        QCoreApplication::processEvents();
      }
      m_frame->SendCommand(ID_SIMULATION);
      QCoreApplication::processEvents();
    }

    // The message boxes as the program shows them: the missing help file, the
    // question before a changed diagram closes, and the Close All dialog when the
    // program closes with it (both cancelled).
    QtMessageSink boxes(m_frame);
    ScopedMessageSink scoped(&boxes);
    SetHelpProgramPath(Path("zovuzi-editor"));
    CheckModal(language + " help file missing", [&] { m_frame->SendCommand(ID_HELP_CONTENTS); });
    SetHelpProgramPath({});
    fbd->SetModifiedFlag(true);
    CheckModal(language + " save changes", [&] { m_app->GetDocManager()->CloseDocument(fbd); });
    CheckModal(language + " Close All", [&] { m_frame->close(); });
    EXPECT_TRUE(m_frame->isVisible());
    fbd->SetModifiedFlag(false);
  }

  // A function block diagram of the newer series with every block type: the
  // main window around it and every page of every sheet.
  void CheckBlockSheets(const QString& language) {
    m_check.Check(m_frame, language + " main window");
    CChildFrame* fbd = NewDiagram(ID_FILE_NEW, 0x5288);
    ASSERT_NE(fbd, nullptr);
    m_check.Check(m_frame, language + " main window with a diagram");
    std::vector<int> fbdTypes;
    for (int type : PlaceableTypes())
      if (!IsLadderType(type)) fbdTypes.push_back(type);
    const std::vector<CBlockObj*> blocks = PlaceAll(fbd->GetDocument(), fbdTypes);
    m_subDialogs = [this](QWidget* sheet, int type, const QString& name) {
      CheckPageDialogs(sheet, type, name);
    };
    for (CBlockObj* block : blocks)
      CheckSheetOf(fbd->GetActiveView(), block,
                   QStringLiteral("%1 sheet %2").arg(language).arg(block->m_nType));
    m_subDialogs = {};
  }

  // The program properties, the dialogs and bars, the older series' own pages
  // and the ladder elements' sheets.
  void CheckDialogsAndBars(const QString& language) {
    CChildFrame* fbd = NewDiagram(ID_FILE_NEW, 0x5288);
    ASSERT_NE(fbd, nullptr);
    std::vector<int> fbdTypes;  // the simulation's sheets and pop-ups need every block
    for (int type : PlaceableTypes())
      if (!IsLadderType(type)) fbdTypes.push_back(type);
    PlaceAll(fbd->GetDocument(), fbdTypes);
    CheckProgramProperties(language + " program properties");
    CheckShellDialogs(language, fbd);

    CChildFrame* old = NewDiagram(ID_FILE_NEW, 0x1188);
    ASSERT_NE(old, nullptr);
    for (CBlockObj* block : PlaceAll(old->GetDocument(), {810, 803}))
      CheckSheetOf(old->GetActiveView(), block,
                   QStringLiteral("%1 older sheet %2").arg(language).arg(block->m_nType));
    CheckProgramProperties(language + " older program properties");

    CChildFrame* ladder = NewDiagram(ID_FILE_NEW_LAD, 0x5288);
    ASSERT_NE(ladder, nullptr);
    std::vector<int> ladderTypes;
    for (int type : PlaceableTypes())
      if (IsLadderType(type)) ladderTypes.push_back(type);
    for (CBlockObj* block : PlaceAll(ladder->GetDocument(), ladderTypes))
      CheckSheetOf(ladder->GetActiveView(), block,
                   QStringLiteral("%1 ladder sheet %2").arg(language).arg(block->m_nType));
  }

  void ExpectNoProblems() {
    EXPECT_TRUE(m_check.Problems().isEmpty()) << m_check.Problems().size() << " problems:\n"
                                              << m_check.Report().toStdString();
  }

  QFont m_font;
  LayoutChecker m_check;
  // The dialogs a page opens from its buttons, checked while the sheet is open.
  std::function<void(QWidget* sheet, int type, const QString& name)> m_subDialogs;
};

}  // namespace

TEST_F(LayoutCheckTest, EnglishSheetsFitTheirTexts) {
  StartIn(0);
  CheckBlockSheets(QStringLiteral("English"));
  ExpectNoProblems();
}

TEST_F(LayoutCheckTest, EnglishDialogsAndBarsFitTheirTexts) {
  StartIn(0);
  CheckDialogsAndBars(QStringLiteral("English"));
  ExpectNoProblems();
}

TEST_F(LayoutCheckTest, ChineseSheetsAreChineseAndFitTheirTexts) {
  StartIn(1);
  ASSERT_EQ(g_LanguageIsChinese, 1);
  CheckBlockSheets(QStringLiteral("Chinese"));
  ExpectNoProblems();
}

TEST_F(LayoutCheckTest, ChineseDialogsAndBarsAreChineseAndFitTheirTexts) {
  StartIn(1);
  ASSERT_EQ(g_LanguageIsChinese, 1);
  CheckDialogsAndBars(QStringLiteral("Chinese"));
  ExpectNoProblems();
}
