#include "platform/message_sink.h"

#include <gtest/gtest.h>

#include "platform/string_table.h"

namespace {

TEST(MessageSink, FlagsReadAsIconsButtonsAndDefault) {
  struct Case {
    UINT flags;
    MessageIcon icon;
    MessageButtons buttons;
    int default_answer;
  };
  const Case cases[] = {
      {MB_OK, MessageIcon::kNone, MessageButtons::kOk, IDOK},
      {MB_ICONINFORMATION, MessageIcon::kInformation, MessageButtons::kOk, IDOK},
      {MB_ICONSTOP, MessageIcon::kError, MessageButtons::kOk, IDOK},
      {MB_ICONEXCLAMATION | MB_OKCANCEL, MessageIcon::kWarning, MessageButtons::kOkCancel, IDOK},
      {MB_YESNO | MB_ICONQUESTION, MessageIcon::kQuestion, MessageButtons::kYesNo, IDYES},
      {MB_YESNO | MB_DEFBUTTON2, MessageIcon::kNone, MessageButtons::kYesNo, IDNO},
      {MB_YESNOCANCEL | MB_DEFBUTTON3, MessageIcon::kNone, MessageButtons::kYesNoCancel, IDCANCEL},
      {MB_OK | MB_DEFBUTTON3, MessageIcon::kNone, MessageButtons::kOk, IDOK},  // no third button
  };
  for (const auto& c : cases) {
    Message m = MakeMessage(u"t", c.flags);
    EXPECT_EQ(m.icon, c.icon) << c.flags;
    EXPECT_EQ(m.buttons, c.buttons) << c.flags;
    EXPECT_EQ(DefaultAnswer(m), c.default_answer) << c.flags;
  }
}

TEST(MessageSink, RecordsMessagesAndAnswersFromTheQueue) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  sink.QueueAnswer(IDNO);
  EXPECT_EQ(AfxMessageBox(u"Are you sure to clear Device's Program?", MB_YESNO | MB_ICONQUESTION), IDNO);
  EXPECT_EQ(AfxMessageBox(u"Save?", MB_YESNOCANCEL), IDYES);  // queue empty: the default button
  EXPECT_EQ(AfxMessageBox(950, MB_ICONINFORMATION), IDOK);
  ASSERT_EQ(sink.messages().size(), 3u);
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::kQuestion);
  EXPECT_EQ(sink.messages()[0].buttons, MessageButtons::kYesNo);
  EXPECT_EQ(sink.messages()[2].text, LoadString(950));
  EXPECT_EQ(sink.messages()[2].help_id, 950u);
  EXPECT_EQ(sink.texts()[1], u"Save?");
  EXPECT_EQ(sink.pending_answers(), 0u);
}

TEST(MessageSink, ScopedSinkRestoresThePreviousOne) {
  RecordingMessageSink outer, inner;
  ScopedMessageSink a(&outer);
  {
    ScopedMessageSink b(&inner);
    AfxMessageBox(u"inner");
  }
  AfxMessageBox(u"outer");
  EXPECT_EQ(inner.texts(), std::vector<CString>{CString(u"inner")});
  EXPECT_EQ(outer.texts(), std::vector<CString>{CString(u"outer")});
  EXPECT_EQ(&GetMessageSink(), &outer);
}

}  // namespace
