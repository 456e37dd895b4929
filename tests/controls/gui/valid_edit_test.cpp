// The validating edit fields driven with key and focus events.
#include "controls/gui/valid_edit.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

namespace {

std::string Text(const QLineEdit& e) {
  return e.text().toStdString();
}

// A window with two fields, shown and active, so that focus moves between them.
struct TwoFields {
  QWidget window;
  CNumericEdit* first;
  QLineEdit* second;
  TwoFields(int whole, int decimals) {
    auto* layout = new QVBoxLayout(&window);
    first = new CNumericEdit(whole, decimals);
    second = new QLineEdit;
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
  }
};

TEST(ValidEditGui, TypingIntoANumericField) {
  CNumericEdit edit(2, 2);
  edit.ModifyFlags(EDIT_DIGIT_ENTERS_POINT | EDIT_NO_NEGATIVE, 0);
  QTest::keyClicks(&edit, "1a2-3");
  EXPECT_EQ(Text(edit), "12.3");
  EXPECT_DOUBLE_EQ(edit.GetDouble(), 12.3);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(Text(edit), "12");
  QTest::keyClick(&edit, Qt::Key_Home);
  QTest::keyClick(&edit, Qt::Key_Right);
  QTest::keyClick(&edit, Qt::Key_Delete);  // "1|2": the 2 goes
  EXPECT_EQ(Text(edit), "1");
  edit.setReadOnly(true);
  QTest::keyClicks(&edit, "5");
  EXPECT_EQ(Text(edit), "1");
}

TEST(ValidEditGui, ProgramTextsArePassedThroughTheRules) {
  CNumericEdit edit(3, 2);
  edit.SetValue(1.239);
  EXPECT_EQ(Text(edit), "1.23");
  edit.SetValue(3, false);
  EXPECT_EQ(Text(edit), "3.00");
  edit.setText("x12345");  // any way the text arrives
  EXPECT_EQ(Text(edit), "123");
  edit.SetValue(-4);
  EXPECT_EQ(Text(edit), "-4");
  edit.AllowNegative(false);  // configuration re-validates what is shown
  EXPECT_EQ(Text(edit), "4");
  edit.SetMaxWholeDigits(1);
  EXPECT_EQ(edit.GetInt(), 4);

  CIntegerEdit integer(3);
  integer.setFocus();
  QApplication::clipboard()->setText("a12.5");
  QTest::keyClick(&integer, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(integer), "12");
  QTest::keyClick(&integer, Qt::Key_Z, Qt::ControlModifier);  // the paste is undoable
  EXPECT_EQ(Text(integer), "");
  QTest::keyClick(&integer, Qt::Key_Period);
  EXPECT_EQ(Text(integer), "");
}

TEST(ValidEditGui, FocusLossClampsAndWarnsByFlags) {
  RecordingMessageSink sink;
  ScopedMessageSink scoped(&sink);
  TwoFields fields(2, 2);
  fields.first->SetRange(0, 10);
  fields.first->ModifyFlags(EDIT_CLAMP_OUT_OF_RANGE | EDIT_NO_NEGATIVE, 0);
  QTest::keyClicks(fields.first, "12");
  fields.second->setFocus();
  EXPECT_EQ(Text(*fields.first), "10");
  EXPECT_TRUE(sink.messages().empty());

  fields.first->ModifyFlags(EDIT_REFOCUS_OUT_OF_RANGE | EDIT_MESSAGE_OUT_OF_RANGE, EDIT_CLAMP_OUT_OF_RANGE);
  fields.first->SetRange(20, 30);
  fields.first->setFocus();
  fields.second->setFocus();
  ASSERT_EQ(sink.texts().size(), 1u);
  EXPECT_EQ(sink.texts()[0].ToUtf8(), "Please specify a numeric value between 20 and 30.");
  QTRY_VERIFY(fields.first->hasFocus());
}

TEST(ValidEditGui, MaskedFieldKeepsItsPattern) {
  CMaskedEdit edit(u"##:##");
  QTest::keyClicks(&edit, "1x234");
  EXPECT_EQ(Text(edit), "12:34");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(Text(edit), "12:30");
  EXPECT_EQ(edit.cursorPosition(), 4);
  QTest::keyClick(&edit, Qt::Key_Left);
  QTest::keyClick(&edit, Qt::Key_Delete);  // not at the end: nothing
  EXPECT_EQ(Text(edit), "12:30");
  EXPECT_EQ(edit.GetNumericText().ToUtf8(), "1230");
  edit.setText("9:");
  EXPECT_EQ(Text(edit), "9");
}

}  // namespace
