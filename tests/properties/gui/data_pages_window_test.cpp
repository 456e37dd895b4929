// The parameter pages of the relay, math and mask blocks through the real main
// window: a double click shows the type's page, the mask's "Setting" opens the
// bit-mask dialog, and OK writes the page back into the block.
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "blocks/block_factory.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/gui/qt_page_host.h"
#include "pages/mask_page.h"
#include "pages/math_mux_page.h"
#include "pages/max_min_page.h"
#include "pages/quad_page.h"
#include "pages/relay_page.h"
#include "platform/gui/qt_string.h"
#include "properties/block_sheet.h"
#include "properties/gui/qt_block_sheet.h"
#include "properties/gui/sheet_window_fixture.h"

namespace {

class DataPagesWindowTest : public SheetWindowTest {
 protected:
  CZaradView* OpenDiagram(const std::vector<int>& types) {
    return OpenSavedDiagram("data.bfb", [&types](CZaradDoc& doc) {
      int x = 100;
      for (int type : types) {
        doc.AddBlock(MakeBlockOfType(type))->m_ptPos = CPoint(x, 150);
        x += 150;
      }
    });
  }
};

TEST_F(DataPagesWindowTest, EachBlockOpensItsOwnPage) {
  CZaradView* view = OpenDiagram({809, 815, 821, 879, 822, 823, 801});
  ASSERT_NE(view, nullptr);
  for (CBlockObj* block : view->GetDocument()->m_blocks) {
    bool shown = false;
    WhenSheetShows([&](CQtBlockSheet* sheet) {
      shown = true;
      EXPECT_EQ(sheet->Sheet().Type(), block->m_nType);
      EXPECT_NE(sheet->Sheet().ParamPage(), nullptr) << block->m_nType;
      sheet->reject();
    });
    DoubleClickBlock(view, block);
    EXPECT_TRUE(shown) << block->m_nType;
  }
}

TEST_F(DataPagesWindowTest, PulseRelayPriorityOk) {
  CZaradView* view = OpenDiagram({809});
  ASSERT_NE(view, nullptr);
  CBlockObj* relay = view->GetDocument()->m_blocks.GetHead();
  WhenSheetShows([](CQtBlockSheet* sheet) {
    auto* s = qobject_cast<QRadioButton*>(sheet->PageHost(0)->Control(CMiscRelay::kIdPriorityS));
    ASSERT_NE(s, nullptr);
    s->click();
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, relay);
  EXPECT_EQ(relay->m_nParam25, 1);
}

TEST_F(DataPagesWindowTest, MaskSettingDialogSetsABit) {
  CZaradView* view = OpenDiagram({838});
  ASSERT_NE(view, nullptr);
  CBlockObj* mask = view->GetDocument()->m_blocks.GetHead();
  bool dialogShown = false;
  WhenSheetShows([&](CQtBlockSheet* sheet) {
    CQtPageHost* host = sheet->PageHost(0);
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      dialogShown = true;
      const QList<QCheckBox*> boxes = dialog->findChildren<QCheckBox*>();
      EXPECT_EQ(boxes.size(), 16);
      for (QCheckBox* box : boxes)
        if (box->text() == "Bit 15" || box->text() == "Bit 1") box->click();
      dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    qobject_cast<QPushButton*>(host->Control(CMask::kIdSetting))->click();
    EXPECT_EQ(host->GetText(CMask::kIdMask), CString(u"8002"));
    sheet->findChild<QPushButton*>("sheetOK")->click();
  });
  DoubleClickBlock(view, mask);
  EXPECT_TRUE(dialogShown);
  EXPECT_EQ(mask->m_nParam10, 0x8002);
}

}  // namespace
