// The colour dialog with a caller's caption.
#include "controls/gui/hcolor_dialog.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

TEST(ColorDialogGui, CaptionFromTheCallerAndTheColourPicked) {
  for (UINT id : {303u, 305u, 306u}) {
    CHColorDialog dlg(LoadString(id), RGB(0, 0, 255));
    EXPECT_EQ(ToCString(dlg.windowTitle()), LoadString(id));
    EXPECT_FALSE(LoadString(id).IsEmpty());
  }
  CHColorDialog plain(CString(), RGB(10, 20, 30));
  const QString ownTitle = QColorDialog().windowTitle();
  EXPECT_EQ(plain.windowTitle(), ownTitle);
  EXPECT_EQ(plain.GetColor(), RGB(10, 20, 30));
  EXPECT_EQ(plain.GetFlags(), CC_SHOWHELP);

  CHColorDialog dlg(LoadString(305), RGB(255, 0, 0));
  QTimer::singleShot(0, &dlg, [&dlg] {
    dlg.setCurrentColor(QColor(0, 128, 0));
    dlg.accept();
  });
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.GetColor(), RGB(0, 128, 0));
  QTimer::singleShot(0, &dlg, [&dlg] { dlg.reject(); });
  EXPECT_EQ(dlg.DoModal(), IDCANCEL);
}

TEST(ColorDialogGui, HelpButtonNeitherHelpsNorCloses) {
  RecordingMessageSink sink;
  ScopedMessageSink scoped(&sink);
  CHColorDialog dlg(LoadString(303));
  dlg.show();
  ASSERT_NE(dlg.HelpButton(), nullptr);
  EXPECT_TRUE(dlg.HelpButton()->isVisible());
  QTest::mouseClick(dlg.HelpButton(), Qt::LeftButton);
  EXPECT_TRUE(dlg.isVisible());
  EXPECT_EQ(dlg.result(), 0);
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
