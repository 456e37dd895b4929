#include "platform/message_sink.h"

#include <cstdio>

#include "platform/string_table.h"

namespace {

class StderrMessageSink : public MessageSink {
 public:
  int Show(const Message& m) override {
    std::fprintf(stderr, "%s%s%s\n", m.caption.ToUtf8().c_str(), m.caption.IsEmpty() ? "" : ": ",
                 m.text.ToUtf8().c_str());
    return DefaultAnswer(m);
  }
};

MessageSink* g_sink = nullptr;

}  // namespace

Message MakeMessage(const CString& text, UINT flags, const CString& caption) {
  Message m;
  m.text = text;
  m.caption = caption;
  switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
      m.buttons = MessageButtons::kOkCancel;
      break;
    case MB_YESNOCANCEL:
      m.buttons = MessageButtons::kYesNoCancel;
      break;
    case MB_YESNO:
      m.buttons = MessageButtons::kYesNo;
      break;
    default:
      m.buttons = MessageButtons::kOk;
      break;
  }
  switch (flags & MB_ICONMASK) {
    case MB_ICONHAND:
      m.icon = MessageIcon::kError;
      break;
    case MB_ICONQUESTION:
      m.icon = MessageIcon::kQuestion;
      break;
    case MB_ICONEXCLAMATION:
      m.icon = MessageIcon::kWarning;
      break;
    case MB_ICONASTERISK:
      m.icon = MessageIcon::kInformation;
      break;
    default:
      m.icon = MessageIcon::kNone;
      break;
  }
  int def = static_cast<int>((flags & MB_DEFMASK) >> 8);
  int count = static_cast<int>(AnswersOf(m.buttons).size());
  m.default_button = def < count ? def : 0;  // a default beyond the buttons falls back to the first
  return m;
}

std::vector<int> AnswersOf(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::kOkCancel:
      return {IDOK, IDCANCEL};
    case MessageButtons::kYesNo:
      return {IDYES, IDNO};
    case MessageButtons::kYesNoCancel:
      return {IDYES, IDNO, IDCANCEL};
    case MessageButtons::kOk:
      break;
  }
  return {IDOK};
}

int DefaultAnswer(const Message& m) {
  std::vector<int> answers = AnswersOf(m.buttons);
  size_t i = m.default_button >= 0 ? static_cast<size_t>(m.default_button) : 0;
  return i < answers.size() ? answers[i] : answers.front();
}

MessageSink* SetMessageSink(MessageSink* sink) {
  MessageSink* previous = g_sink;
  g_sink = sink;
  return previous;
}

MessageSink& GetMessageSink() {
  static StderrMessageSink fallback;
  return g_sink ? *g_sink : fallback;
}

int AfxMessageBox(const CString& text, UINT flags, UINT help_id) {
  Message m = MakeMessage(text, flags);
  m.help_id = help_id;
  return GetMessageSink().Show(m);
}

int AfxMessageBox(UINT string_id, UINT flags, UINT help_id) {
  return AfxMessageBox(LoadString(string_id), flags, help_id ? help_id : string_id);
}

int RecordingMessageSink::Show(const Message& m) {
  m_messages.push_back(m);
  if (m_answers.empty()) return DefaultAnswer(m);
  int answer = m_answers.front();
  m_answers.pop_front();
  return answer;
}

std::vector<CString> RecordingMessageSink::texts() const {
  std::vector<CString> out;
  for (const auto& m : m_messages) out.push_back(m.text);
  return out;
}
