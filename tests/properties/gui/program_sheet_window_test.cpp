// The program properties sheet through the real main window: the Properties
// command and "Show at new file", the General, Comment, Parameter and Protect
// pages, values going back to the document only on OK.
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>

#include "app/gui/shell_fixture.h"
#include "blocks/block_factory.h"
#include "controls/gui/embossed_static.h"
#include "controls/gui/valid_edit.h"
#include "editor/gui/child_frame.h"
#include "image/download_image.h"
#include "image/startup_bitmap.h"
#include "model/model_table.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/gui/qt_page_host.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/gui/analog_output_dlg.h"
#include "properties/gui/qt_program_sheet.h"
#include "properties/hardware_page.h"
#include "properties/program_pages.h"
#include "properties/program_sheet.h"
#include "properties/startup_bmp_page.h"

namespace {

class ProgramSheetWindowTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  }
  void TearDown() override {
    CProgramPropertiesCommand::s_runner = [](CQtProgramSheet&) {
      return static_cast<int>(QDialog::Rejected);
    };
    ShellTest::TearDown();
  }
  // Runs the Properties command with the sheet driven by drive (its result is the dialog's).
  void RunProperties(std::function<int(CQtProgramSheet&)> drive) {
    int runs = 0;
    CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
      ++runs;
      return drive(sheet);
    };
    ASSERT_TRUE(m_frame->SendCommand(ID_PROPERTIES));
    EXPECT_EQ(runs, 1);
  }
  static CControlHost& Page(CQtProgramSheet& sheet, int index) {
    sheet.ShowPage(index);
    EXPECT_EQ(sheet.ActivePage(), index);
    return *sheet.PageHost(index);
  }
  static int Ok(CQtProgramSheet& sheet) {
    sheet.OnOK();
    return sheet.result();
  }
  CZaradDoc* NewDocument() {
    g_ShowPropertiesOnNew = 0;
    EXPECT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
    return m_frame->GetActiveDocument();
  }
};

}  // namespace

TEST_F(ProgramSheetWindowTest, EnabledForADiagramAndShownForANewFile) {
  m_frame->UpdateCommandUI();
  EXPECT_FALSE(m_frame->GetAction(ID_PROPERTIES)->isEnabled());
  int runs = 0;
  CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
    ++runs;
    EXPECT_EQ(sheet.windowTitle(), "Properties");
    EXPECT_EQ(sheet.Tabs()->tabText(0), "General");
    EXPECT_EQ(sheet.Tabs()->tabText(3), "Protect");
    // "Show at new file" off: the next new file opens without the sheet.
    Page(sheet, 0).SetCheck(CGeneral::kIdShowAtNew, 0);
    return Ok(sheet);
  };
  g_ShowPropertiesOnNew = 1;
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(g_ShowPropertiesOnNew, 0);
  m_frame->UpdateCommandUI();
  EXPECT_TRUE(m_frame->GetAction(ID_PROPERTIES)->isEnabled());
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_NEW));
  EXPECT_EQ(runs, 1);
}

TEST_F(ProgramSheetWindowTest, OkWritesThePagesBackCancelDoesNot) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->SetModifiedFlag(false);
  auto fill = [](CQtProgramSheet& sheet) {
    CControlHost& general = Page(sheet, 0);
    general.SetText(CGeneral::kIdCreator, u"Ann");
    general.SetText(CGeneral::kIdVersion3, u"7");
    Page(sheet, 1).SetText(CCommentPage::kIdText, u"line one\nline two");
    CControlHost& parameter = Page(sheet, 2);
    parameter.SetText(CParameter::kIdProgramName, u"PUMP2");
    parameter.SetText(CParameter::kIdNew, u"SECRET");
    parameter.SetText(CParameter::kIdRepeat, u"SECRET");
    parameter.SetCurSel(CParameter::kIdAi1, 1);
    CControlHost& protect = Page(sheet, 3);
    protect.SetText(CProtect::kIdHigh, u"70");
    protect.SetCheck(CProtect::kIdCopyProtect, 1);
  };
  RunProperties([&](CQtProgramSheet& sheet) {
    fill(sheet);
    return static_cast<int>(QDialog::Rejected);
  });
  EXPECT_TRUE(doc->m_strCreator.IsEmpty());
  EXPECT_FALSE(doc->IsModified());
  RunProperties([&](CQtProgramSheet& sheet) {
    fill(sheet);
    return Ok(sheet);
  });
  EXPECT_EQ(doc->m_strCreator, CString(u"Ann"));
  EXPECT_EQ(doc->m_strVersion3, CString(u"7"));
  EXPECT_EQ(doc->m_strComment.GetLength(), 17);
  EXPECT_EQ(doc->m_strProgramName, CString(u"PUMP2"));
  EXPECT_EQ(doc->m_strPassword, CString(u"SECRET"));
  EXPECT_EQ(doc->m_nAiRangeType1, 1);
  EXPECT_EQ(doc->m_nTempHigh, 70);
  EXPECT_EQ(doc->m_bCopyProtect, 1);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(ProgramSheetWindowTest, PasswordRulesOnTheParameterPage) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->m_strPassword = u"OLD";
  // Only a new password: the old one is wrong, the sheet stays open.
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 2);
    EXPECT_TRUE(page.IsEnabled(CParameter::kIdCurrent));
    page.SetText(CParameter::kIdNew, u"NEW");
    page.SetText(CParameter::kIdRepeat, u"NEW");
    EXPECT_EQ(Ok(sheet), 0);
    // A small letter is cut off with the A - Z message.
    page.SetText(CParameter::kIdCurrent, u"o");
    EXPECT_TRUE(page.GetText(CParameter::kIdCurrent).IsEmpty());
    // The right one with both new edits empty removes the password.
    page.SetText(CParameter::kIdCurrent, u"OLD");
    page.SetText(CParameter::kIdNew, u"");
    page.SetText(CParameter::kIdRepeat, u"");
    return Ok(sheet);
  });
  EXPECT_TRUE(doc->m_strPassword.IsEmpty());
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[0].text, LoadString(609));
  EXPECT_EQ(m_sink.messages()[1].text, LoadString(602));
  // Without a password the current-password edit is off; a program name keeps digits only with capitals.
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 2);
    EXPECT_FALSE(page.IsEnabled(CParameter::kIdCurrent));
    page.SetText(CParameter::kIdProgramName, u"AB-C");
    EXPECT_EQ(page.GetText(CParameter::kIdProgramName), CString(u"AB"));
    page.SetText(CParameter::kIdNew, u"X");
    page.SetText(CParameter::kIdRepeat, u"Y");
    EXPECT_EQ(Ok(sheet), 0);
    return static_cast<int>(QDialog::Rejected);
  });
  EXPECT_EQ(m_sink.messages().back().text, LoadString(608));
  EXPECT_EQ(m_sink.messages()[2].text, LoadString(614));
}

TEST_F(ProgramSheetWindowTest, ProtectClampsAndComparesTheTemperatures) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 3);
    page.SetText(CProtect::kIdHigh, u"40000");
    EXPECT_EQ(page.GetText(CProtect::kIdHigh), CString(u"32767"));
    page.SetText(CProtect::kIdHigh, u"10");
    page.SetText(CProtect::kIdLow, u"20");
    EXPECT_EQ(Ok(sheet), 0);
    EXPECT_EQ(m_sink.messages().size(), 1u);
    page.SetText(CProtect::kIdLow, u"10");
    return Ok(sheet);
  });
  EXPECT_EQ(doc->m_nTempHigh, 10);
  EXPECT_EQ(doc->m_nTempLow, 10);
}

TEST_F(ProgramSheetWindowTest, OlderSeriesHidesTheAnalogSettings) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->m_wModelCode = 0x2188;
  doc->m_nAiRangeType0 = 1;
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 2);
    EXPECT_FALSE(page.IsVisible(CParameter::kIdAi0));
    EXPECT_FALSE(page.IsVisible(CParameter::kIdKeepLast));
    return Ok(sheet);
  });
  EXPECT_EQ(doc->m_nAiRangeType0, 1);
}

TEST_F(ProgramSheetWindowTest, ComPagesFollowRoleAndProtocol) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->m_ports[2].nProtocol = 0;
  doc->m_ports[2].nParity = 2;  // Even/7/1 is no RTU entry
  doc->m_ports[2].nDataBits = 0;
  RunProperties([&](CQtProgramSheet& sheet) {
    EXPECT_EQ(sheet.Tabs()->tabText(4), "COM0");
    // A new document: Master, RTU, 9600, None,8,1, 200 ms, no delay, High Low, the address hidden.
    CControlHost& com0 = Page(sheet, 4);
    EXPECT_EQ(com0.GetText(CComSetting::kIdRole), CString(u"Master"));
    EXPECT_EQ(com0.GetText(CComSetting::kIdProtocol), CString(u"RTU"));
    EXPECT_EQ(com0.GetText(CComSetting::kIdBaud), CString(u"9600"));
    EXPECT_EQ(com0.GetText(CComSetting::kIdParity), CString(u"None,8,1"));
    EXPECT_EQ(com0.GetText(CComSetting::kIdTimeout), CString(u"200"));
    EXPECT_FALSE(com0.IsVisible(CComSetting::kIdAddress));
    EXPECT_EQ(com0.GetCount(CComSetting::kIdProtocol), 3);  // UDC for a newer master
    // Slave: the address shows, UDC goes.
    com0.SetCurSel(CComSetting::kIdRole, 0);
    sheet.Sheet().m_com[0].OnNotify(CComSetting::kIdRole, Notify::kSelChange);
    EXPECT_TRUE(com0.IsVisible(CComSetting::kIdAddress));
    EXPECT_EQ(com0.GetCount(CComSetting::kIdProtocol), 2);
    com0.SetText(CComSetting::kIdAddress, u"300");
    EXPECT_EQ(com0.GetText(CComSetting::kIdAddress), CString(u"255"));
    com0.SetText(CComSetting::kIdAddress, u"0");
    EXPECT_EQ(com0.GetText(CComSetting::kIdAddress), CString(u"1"));
    // ASC with Odd,7,2, then back to RTU: None,8,1.
    com0.SetCurSel(CComSetting::kIdProtocol, 1);
    sheet.Sheet().m_com[0].OnNotify(CComSetting::kIdProtocol, Notify::kSelChange);
    com0.SetCurSel(CComSetting::kIdParity, 3);
    sheet.Sheet().m_com[0].OnNotify(CComSetting::kIdParity, Notify::kSelChange);
    EXPECT_EQ(com0.GetText(CComSetting::kIdParity), CString(u"Odd,7,2"));
    com0.SetCurSel(CComSetting::kIdProtocol, 0);
    sheet.Sheet().m_com[0].OnNotify(CComSetting::kIdProtocol, Notify::kSelChange);
    EXPECT_EQ(com0.GetText(CComSetting::kIdParity), CString(u"None,8,1"));
    // COM1 as ATP: everything but the role hides and takes the fixed values.
    CControlHost& com1 = Page(sheet, 5);
    com1.SetCurSel(CComSetting::kIdRole, 2);
    sheet.Sheet().m_com[1].OnNotify(CComSetting::kIdRole, Notify::kSelChange);
    EXPECT_FALSE(com1.IsVisible(CComSetting::kIdBaud));
    EXPECT_TRUE(com1.IsVisible(CComSetting::kIdRole));
    // COM2 opens an Even/7/1 record under RTU on the first entry.
    CControlHost& com2 = Page(sheet, 6);
    EXPECT_EQ(com2.GetText(CComSetting::kIdParity), CString(u"None,8,1"));
    // A time-out of 150 is refused.
    com2.SetText(CComSetting::kIdTimeout, u"150");
    EXPECT_EQ(Ok(sheet), 0);
    com2.SetText(CComSetting::kIdTimeout, u"300");
    return Ok(sheet);
  });
  EXPECT_EQ(m_sink.messages().size(), 1u);
  const ComPortSettings& com0 = doc->m_ports[0];
  EXPECT_EQ(com0.nRole, 0);
  EXPECT_EQ(com0.nAddress, 1);
  EXPECT_EQ(com0.nProtocol, 0);
  EXPECT_EQ(com0.nParity, 0);
  EXPECT_EQ(com0.nDataBits, 1);
  const ComPortSettings& com1 = doc->m_ports[1];
  EXPECT_EQ(com1.nRole, 2);
  EXPECT_EQ(com1.nAddress, 0);
  EXPECT_EQ(com1.nBaudRate, 9);
  const ComPortSettings& com2 = doc->m_ports[2];
  EXPECT_EQ(com2.nParity, 0);
  EXPECT_EQ(com2.nDataBits, 1);
  EXPECT_EQ(com2.nTimeout, 300);
}

TEST_F(ProgramSheetWindowTest, AnalogOutputDialogsWriteAtOnce) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  int shown = 0;
  g_analogOutputDialogRunner = [&](QDialog& dialog) {
    ++shown;
    if (auto* types = qobject_cast<CValueRangeTypeDlg*>(&dialog)) {
      EXPECT_EQ(types->List(0)->currentText(), "0-20 mA / 0-10V");
      types->List(31)->setCurrentIndex(1);  // Ext.7 AQ3
      types->OnOK();
    } else if (auto* values = qobject_cast<CFixedValueDlg*>(&dialog)) {
      EXPECT_EQ(values->Edit(5)->GetDouble(), 0.0);
      values->Edit(5)->SetText(u"12");
      QFocusEvent out(QEvent::FocusOut);
      QCoreApplication::sendEvent(values->Edit(5), &out);
      EXPECT_EQ(values->Edit(5)->GetDouble(), 10.0);
      values->Edit(6)->SetText(u"2.5");
      values->OnOK();
    }
    return dialog.result();
  };
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 2);
    // Keeping the last values disables the fixed values.
    EXPECT_FALSE(page.IsEnabled(CParameter::kIdFixedValue));
    page.SetCheck(CParameter::kIdKeepLast, 0);
    sheet.Sheet().m_parameter.OnNotify(CParameter::kIdKeepLast, Notify::kClicked);
    EXPECT_TRUE(page.IsEnabled(CParameter::kIdFixedValue));
    sheet.Sheet().m_parameter.OnNotify(CParameter::kIdRangeType, Notify::kClicked);
    sheet.Sheet().m_parameter.OnNotify(CParameter::kIdFixedValue, Notify::kClicked);
    return static_cast<int>(QDialog::Rejected);  // the sheet's Cancel does not undo them
  });
  g_analogOutputDialogRunner = nullptr;
  EXPECT_EQ(shown, 2);
  EXPECT_EQ(doc->m_aqRangeType[31], 1);
  EXPECT_EQ(doc->m_aqRangeType[30], 0);
  EXPECT_EQ(doc->m_aqFixedValue[5], 10.0);
  EXPECT_EQ(doc->m_aqFixedValue[6], 2.5);
  EXPECT_EQ(doc->m_bKeepOutputs, 1);  // the page's OK did not run
}

namespace {

// A 108 x 64, 1-bit BMP (or a 24-bit header when bits is 24), black first in the palette.
QByteArray LogoFile(int bits) {
  QByteArray f(62, '\0');
  auto put32 = [&f](int at, int v) {
    for (int i = 0; i < 4; ++i) f[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, 62 + 64 * 16);
  put32(10, 62);
  put32(14, 40);
  put32(18, 108);
  put32(22, 64);
  f[26] = 1;
  f[28] = static_cast<char>(bits);
  f[58] = f[59] = f[60] = static_cast<char>(0xFF);  // second palette entry white
  f.append(QByteArray(64 * 16, static_cast<char>(0x55)));
  return f;
}

}  // namespace

TEST_F(ProgramSheetWindowTest, LcdSettingPageChoosesALogoAndTheDisplaySettings) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  const QString good = Path("logo.bmp");
  const QString wide = Path("colour.bmp");
  for (const auto& [path, bits] : {std::pair{good, 1}, std::pair{wide, 24}}) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(LogoFile(bits));
  }
  doc->m_strLogoFile = ToCString(Path("missing.bmp"));
  RunProperties([&](CQtProgramSheet& sheet) {
    EXPECT_EQ(sheet.Tabs()->tabText(7), "LCD Setting");
    CStartUpBmp& lcd = sheet.Sheet().m_lcd;
    QString next = wide;
    lcd.m_chooseFile = [&] { return ToCString(next); };
    CControlHost& page = Page(sheet, 7);
    // The stored file is missing: said when the page opens.
    EXPECT_EQ(m_sink.messages().size(), 1u);
    EXPECT_TRUE(page.IsVisible(CStartUpBmp::kIdLanguage));
    EXPECT_EQ(page.GetText(CStartUpBmp::kIdContrast), CString(u"2"));
    // A 24-bit file is refused, a 108 x 64 monochrome one becomes the preview and the path.
    lcd.OnNotify(CStartUpBmp::kIdOpen, Notify::kClicked);
    EXPECT_EQ(m_sink.messages().size(), 2u);
    EXPECT_TRUE(lcd.PreviewPath().IsEmpty());
    next = good;
    lcd.OnNotify(CStartUpBmp::kIdOpen, Notify::kClicked);
    EXPECT_EQ(lcd.PreviewPath(), ToCString(good));
    EXPECT_EQ(page.GetText(CStartUpBmp::kIdPath), ToCString(good));
    auto* preview = sheet.findChild<QLabel*>("logoPreview");
    EXPECT_NE(preview, nullptr);
    EXPECT_EQ(preview ? preview->pixmap().size() : QSize(), QSize(108, 64));
    page.SetCurSel(CStartUpBmp::kIdLanguage, 7);
    page.SetCheck(CStartUpBmp::kIdInverse, 1);
    return Ok(sheet);
  });
  EXPECT_EQ(doc->m_strLogoFile, ToCString(good));
  EXPECT_EQ(doc->m_bLogoInverse, 1);
  EXPECT_EQ(doc->m_nLanguage, 7);
  // The chosen logo travels in the program image's header, inverted as asked.
  DownloadImage download;
  ASSERT_TRUE(PrepareDownload(*doc, &download, SYSTEMTIME{2026, 12, 4, 10, 12, 0, 0, 0}));
  BYTE logo[kLogoBytes] = {};
  ASSERT_EQ(LoadStartupBitmap(ToCString(good), true, logo), kBitmapOk);
  for (BYTE& byte : logo) byte = static_cast<BYTE>(~byte);
  EXPECT_EQ(download.image.table[kLcHasLogo], 1);
  EXPECT_TRUE(std::equal(logo, logo + kLogoBytes, download.image.table.begin() + kLcLogo));
  EXPECT_NE(std::count(logo, logo + kLogoBytes, 0), kLogoBytes);
  // An older series hides the display settings and keeps them.
  doc->m_wModelCode = 0x1188;
  RunProperties([&](CQtProgramSheet& sheet) {
    CControlHost& page = Page(sheet, 7);
    EXPECT_FALSE(page.IsVisible(CStartUpBmp::kIdLanguage));
    return Ok(sheet);
  });
  EXPECT_EQ(doc->m_nLanguage, 7);
}

// A click on the model name opens the sheet on the Hardware page; choosing an
// older model there and OK writes it into the document after the COM pages,
// so that a baud rate the older model lacks becomes 9600, and the status bar
// names the new model.
TEST_F(ProgramSheetWindowTest, HardwarePageChangesTheModel) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  ASSERT_EQ(doc->m_wModelCode, 0x5188);
  doc->m_ports[1].nBaudRate = 12;  // 921600
  int runs = 0;
  CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
    ++runs;
    EXPECT_EQ(sheet.ActivePage(), 8);
    EXPECT_EQ(sheet.Tabs()->tabText(8), "Hardware");
    CQtPageHost* host = sheet.PageHost(8);
    EXPECT_NE(host, nullptr);
    if (!host) return static_cast<int>(QDialog::Rejected);
    auto* tree = qobject_cast<QTreeWidget*>(host->Control(CSelectHardware::kIdTree));
    EXPECT_NE(tree, nullptr);
    if (!tree) return static_cast<int>(QDialog::Rejected);
    EXPECT_EQ(tree->topLevelItemCount(), 5);
    EXPECT_EQ(tree->currentItem()->text(0), ToQString(GetFirmwareLabel(true)));
    EXPECT_EQ(tree->currentItem()->parent()->text(0), "Dunri Series");
    Page(sheet, 1);  // the COM1 page is shown and keeps its copy of the port
    Page(sheet, 5);
    sheet.ShowPage(8);
    tree->setCurrentItem(tree->topLevelItem(0)->child(0));  // the older Rilo model
    auto* ok = sheet.findChild<QPushButton*>("sheetOK");
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_FALSE(host->GetText(CSelectHardware::kIdResources).IsEmpty());
    return Ok(sheet);
  };
  QTest::mouseClick(m_frame->GetModelCaption(), Qt::LeftButton);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(doc->m_wModelCode, 0x1188);
  EXPECT_EQ(doc->m_wFirmware, kFirmwareOlder);
  EXPECT_EQ(doc->m_ports[1].nBaudRate, 3);
  EXPECT_EQ(m_frame->GetModelCaption()->GetWindowText(), doc->m_strModelName);
  EXPECT_EQ(g_CurrentModelCode, 0x1188);

  // Back to a newer model: moving up needs no check.
  CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
    sheet.ShowPage(8);
    auto* tree = qobject_cast<QTreeWidget*>(sheet.PageHost(8)->Control(CSelectHardware::kIdTree));
    tree->setCurrentItem(tree->topLevelItem(2)->child(0));
    return Ok(sheet);
  };
  ASSERT_TRUE(m_frame->SendCommand(ID_PROPERTIES));
  EXPECT_EQ(doc->m_wModelCode, 0x5188);
  g_CurrentModelCode = 0x5188;
}

// With a newer model, a block the older models cannot run keeps OK off.
TEST_F(ProgramSheetWindowTest, HardwarePageRefusesADowngradeTheDiagramCannotTake) {
  CZaradDoc* doc = NewDocument();
  ASSERT_NE(doc, nullptr);
  doc->AddBlock(MakeBlockOfType(911));  // the data log
  RunProperties([&](CQtProgramSheet& sheet) {
    sheet.ShowPage(8);
    CQtPageHost* host = sheet.PageHost(8);
    auto* tree = qobject_cast<QTreeWidget*>(host->Control(CSelectHardware::kIdTree));
    auto* ok = sheet.findChild<QPushButton*>("sheetOK");
    tree->setCurrentItem(tree->topLevelItem(1)->child(0));
    EXPECT_FALSE(ok->isEnabled());
    EXPECT_NE(host->GetText(CSelectHardware::kIdResources).Find(u"Not supported!"), -1);
    tree->setCurrentItem(tree->topLevelItem(4));
    EXPECT_TRUE(ok->isEnabled());
    return static_cast<int>(QDialog::Rejected);
  });
  EXPECT_EQ(doc->m_wModelCode, 0x5188);
}

TEST_F(ProgramSheetWindowTest, ChineseInterfaceRetextsPagesAndButtons) {
  NewDocument();
  g_LanguageIsChinese = 1;
  RunProperties([](CQtProgramSheet& sheet) {
    EXPECT_EQ(sheet.Tabs()->tabText(0), "常规");
    EXPECT_EQ(Page(sheet, 0).GetText(CGeneral::kIdCreator + 100), CString(u"创建者:"));
    EXPECT_EQ(Page(sheet, 0).GetText(CGeneral::kIdShowAtNew), CString(u"新建文件时显示"));
    EXPECT_EQ(Page(sheet, 2).GetText(CParameter::kIdCurrentLabel), CString(u"当前密码:"));
    EXPECT_EQ(Page(sheet, 3).GetText(CProtect::kIdCopyProtect), CString(u"复制保护"));
    auto* ok = sheet.findChild<QPushButton*>("sheetOK");
    EXPECT_TRUE(ok && ok->text() == "确定");
    return static_cast<int>(QDialog::Rejected);
  });
  g_LanguageIsChinese = 0;
}
