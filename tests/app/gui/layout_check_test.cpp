// The layout check over the whole program, in English and in Chinese: the main
// window with and without a diagram, every page of every block type's sheet (modal
// and, in simulation, modeless), the program properties, the dialogs, the bars and
// a message box, each opened through the main window where it can be. Every
// window must fit its texts in its own font, keep its controls clear of each other
// and of the group frames, show its lists without scrolling sideways and, in
// Chinese, show no English caption.
#include "app/gui/layout_check.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>

#include "app/gui/shell_fixture.h"
#include "blocks/block_factory.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/block_obj.h"
#include "model/toolbox_lists.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "properties/gui/qt_block_sheet.h"
#include "properties/gui/qt_program_sheet.h"

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
  for (const CUIntArray* list :
       {&g_ToolboxBasic, &g_ToolboxTime, &g_ToolboxLadder, &g_ToolboxIo, &g_ToolboxSpecialWifi, &g_ToolboxData,
        &g_ToolboxMath, &g_ToolboxDataLog})
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
    m_app->SetDocumentFactory([] { return new CChildFrame; });
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
    m_app->SetDocumentFactory([] { return new CChildFrame; });
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
      sheet->reject();
    });
    m_frame->SendCommand(ID_BLOCK_PROPERTIES);
    EXPECT_TRUE(shown) << name.toStdString();
  }

  void CheckProgramProperties(const QString& name) {
    bool shown = false;
    CProgramPropertiesCommand::s_runner = [&](CQtProgramSheet& sheet) {
      shown = true;
      sheet.show();
      m_check.CheckAllTabs(&sheet, name);
      return static_cast<int>(QDialog::Rejected);
    };
    m_frame->SendCommand(ID_PROPERTIES);
    EXPECT_TRUE(shown) << name.toStdString();
  }

  void CheckEverything(const QString& language) {
    m_check.Check(m_frame, language + " main window");

    // A function block diagram of the newer series with every block type.
    CChildFrame* fbd = NewDiagram(ID_FILE_NEW, 0x5288);
    ASSERT_NE(fbd, nullptr);
    m_check.Check(m_frame, language + " main window with a diagram");
    std::vector<int> fbdTypes;
    for (int type : PlaceableTypes())
      if (!IsLadderType(type)) fbdTypes.push_back(type);
    const std::vector<CBlockObj*> blocks = PlaceAll(fbd->GetDocument(), fbdTypes);
    for (CBlockObj* block : blocks)
      CheckSheetOf(fbd->GetActiveView(), block,
                   QStringLiteral("%1 sheet %2").arg(language).arg(block->m_nType));
    CheckProgramProperties(language + " program properties");

    // The older series' own pages (the message texts) and properties.
    CChildFrame* old = NewDiagram(ID_FILE_NEW, 0x1188);
    ASSERT_NE(old, nullptr);
    for (CBlockObj* block : PlaceAll(old->GetDocument(), {810, 803}))
      CheckSheetOf(old->GetActiveView(), block,
                   QStringLiteral("%1 older sheet %2").arg(language).arg(block->m_nType));
    CheckProgramProperties(language + " older program properties");

    // A ladder diagram with every element.
    CChildFrame* ladder = NewDiagram(ID_FILE_NEW_LAD, 0x5288);
    ASSERT_NE(ladder, nullptr);
    std::vector<int> ladderTypes;
    for (int type : PlaceableTypes())
      if (IsLadderType(type)) ladderTypes.push_back(type);
    for (CBlockObj* block : PlaceAll(ladder->GetDocument(), ladderTypes))
      CheckSheetOf(ladder->GetActiveView(), block,
                   QStringLiteral("%1 ladder sheet %2").arg(language).arg(block->m_nType));
  }

  QFont m_font;
  LayoutChecker m_check;
};

}  // namespace

TEST_F(LayoutCheckTest, EnglishWindowsFitTheirTexts) {
  StartIn(0);
  CheckEverything(QStringLiteral("English"));
  EXPECT_TRUE(m_check.Problems().isEmpty()) << m_check.Problems().size() << " problems:\n"
                                            << m_check.Report().toStdString();
}

TEST_F(LayoutCheckTest, ChineseWindowsAreChineseAndFitTheirTexts) {
  StartIn(1);
  ASSERT_EQ(g_LanguageIsChinese, 1);
  CheckEverything(QStringLiteral("Chinese"));
  EXPECT_TRUE(m_check.Problems().isEmpty()) << m_check.Problems().size() << " problems:\n"
                                            << m_check.Report().toStdString();
}
