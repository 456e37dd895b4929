// Pictures drawn in code, through the real main window: the module picture of an
// input's sheet marks the module chosen, and the message-text editor's scope and
// pointer buttons are icon buttons showing their icons.
#include <QComboBox>
#include <QImage>
#include <QPushButton>

#include "blocks/block_factory.h"
#include "blocks/pictograms.h"
#include "controls/gui/flat_icon_button.h"
#include "controls/gui/picture_view.h"
#include "msgtext/msgtext_block.h"
#include "pages/gui/qt_page_host.h"
#include "pages/msg_text_page.h"
#include "pages/operand_pages.h"
#include "properties/gui/sheet_window_fixture.h"

namespace {

class PicturesWindowTest : public SheetWindowTest {};

// Whether the widget, drawn, shows at least n pixels near colour.
bool ShowsColour(QWidget* w, QColor colour, int n) {
  const QImage image = w->grab().toImage();
  int found = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) < 30 && std::abs(c.green() - colour.green()) < 30 &&
          std::abs(c.blue() - colour.blue()) < 30)
        ++found;
    }
  return found >= n;
}

TEST_F(PicturesWindowTest, InputSheetMarksTheModuleOfTheChosenChannel) {
  CZaradView* view = OpenSavedDiagram("input.bfb", [](CZaradDoc& doc) {
    doc.m_wModelCode = 0x5188;
    doc.AddBlock(MakeBlockOfType(600))->m_ptPos = CPoint(120, 120);
  });
  ASSERT_NE(view, nullptr);
  const CBlockObj* input = view->GetDocument()->m_blocks.GetHead();
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    CQtPageHost* host = sheet->PageHost(0);
    ASSERT_NE(host, nullptr);
    auto* picture = dynamic_cast<CPictureView*>(host->Control(CConstantsIOPar::kIdPicture));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Picture(), kPictureModules);
    EXPECT_EQ(picture->State(), 0) << "the main unit holds I1";
    EXPECT_FALSE(picture->PictureRect().isEmpty());
    EXPECT_TRUE(ShowsColour(picture, QColor(0x55, 0x9D, 0x55), 20)) << "the main unit's display";
    // Choosing Ext.3 marks it.
    auto* modules = qobject_cast<QComboBox*>(host->Control(CConstantsIOPar::kIdModule));
    ASSERT_NE(modules, nullptr);
    const int ext3 = modules->findText("Ext.3");
    ASSERT_GE(ext3, 0);
    modules->setCurrentIndex(ext3);
    emit modules->activated(ext3);
    EXPECT_EQ(picture->State(), 3);
    EXPECT_TRUE(ShowsColour(picture, QColor(220, 0, 0), 20)) << "the red mark";
    sheet->findChild<QPushButton*>("sheetCancel")->click();
  });
  DoubleClickBlock(view, input);
  EXPECT_TRUE(shown);
}

TEST_F(PicturesWindowTest, MessageTextEditorScopeAndPointerAreIconButtons) {
  CZaradView* view = OpenSavedDiagram("text.bfb", [](CZaradDoc& doc) {
    doc.m_wModelCode = 0x5188;
    CBlockObj* text = doc.AddBlock(MakeBlockOfType(810, BlockContext::For(&doc)));
    text->m_ptPos = CPoint(300, 150);
    static_cast<CBlockMSGTEXT*>(text)->SetPriority(0);
  });
  ASSERT_NE(view, nullptr);
  const CBlockObj* text = view->GetDocument()->m_blocks.GetHead();
  bool shown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    shown = true;
    CQtPageHost* host = sheet->PageHost(0);
    ASSERT_NE(host, nullptr);
    const std::pair<int, int> buttons[] = {{CMessageTexts_New::kIdScope, kIconScope},
                                           {CMessageTexts_New::kIdPointer, kIconPointer}};
    for (auto [id, icon] : buttons) {
      auto* button = dynamic_cast<CFlatIconButton*>(host->Control(id));
      ASSERT_NE(button, nullptr) << id;
      EXPECT_EQ(button->GetIconId(), icon);
      EXPECT_TRUE(button->text().isEmpty()) << "an icon, not a word";
      EXPECT_FALSE(button->accessibleName().isEmpty());
      EXPECT_FALSE(host->GetTip(id).IsEmpty());
    }
    EXPECT_TRUE(ShowsColour(host->Control(CMessageTexts_New::kIdScope), QColor(80, 255, 110), 3))
        << "the scope's green trace";
    EXPECT_TRUE(ShowsColour(host->Control(CMessageTexts_New::kIdPointer), QColor(210, 0, 0), 3))
        << "the pointer's red needle";
    sheet->findChild<QPushButton*>("sheetCancel")->click();
  });
  DoubleClickBlock(view, text);
  EXPECT_TRUE(shown);
}

}  // namespace
