// The one way the non-gui code tells the user something and asks for an answer: a
// message with a text, a caption, an icon and a set of buttons goes to the installed
// MessageSink, which shows it (the gui's message box) or records it (tests) and
// returns the button chosen.
#pragma once

#include <deque>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// Message box style flags and answers, numbered as the Windows API numbers them so
// that combinations such as MB_YESNO | MB_ICONQUESTION read as usual.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONHAND = 0x10;
constexpr UINT MB_ICONSTOP = MB_ICONHAND;
constexpr UINT MB_ICONERROR = MB_ICONHAND;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr UINT MB_ICONASTERISK = 0x40;
constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
constexpr UINT MB_ICONMASK = 0xF0;
constexpr UINT MB_DEFBUTTON1 = 0x000;
constexpr UINT MB_DEFBUTTON2 = 0x100;
constexpr UINT MB_DEFBUTTON3 = 0x200;
constexpr UINT MB_DEFMASK = 0xF00;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class MessageButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };

struct Message {
  CString text;
  CString caption;  // empty: the application's name
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  int default_button = 0;  // 0-based index into the buttons
  UINT help_id = 0;
  friend bool operator==(const Message&, const Message&) = default;
};

// Reads MB_* flags into a message (unknown button sets read as OK).
Message MakeMessage(const CString& text, UINT flags, const CString& caption = CString());

// The answers of a button set, in the order the buttons are shown (IDOK, IDCANCEL, ...).
std::vector<int> AnswersOf(MessageButtons buttons);

// The answer of the default button: what Enter would give.
int DefaultAnswer(const Message& m);

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // Shows the message and returns the answer: IDOK, IDCANCEL, IDYES or IDNO.
  virtual int Show(const Message& m) = 0;
  // Keeps details that a message box would only clutter (lines ended by "\n") where
  // the user can read them: the gui's information window. Without one they go nowhere.
  virtual void AppendInformation(const CString& text) {}
};

// Installs the sink that messages go to and returns the previous one. With none
// installed (nullptr), messages are written to standard error and answered with
// their default button.
MessageSink* SetMessageSink(MessageSink* sink);
MessageSink& GetMessageSink();

// Installs a sink for the lifetime of the object and restores the previous one.
class ScopedMessageSink {
 public:
  explicit ScopedMessageSink(MessageSink* sink) : m_previous(SetMessageSink(sink)) {}
  ~ScopedMessageSink() { SetMessageSink(m_previous); }
  ScopedMessageSink(const ScopedMessageSink&) = delete;
  ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

 private:
  MessageSink* m_previous;
};

// Shows a message through the installed sink; the caption is the application's name.
int AfxMessageBox(const CString& text, UINT flags = MB_OK, UINT help_id = 0);
// The same with the text of a string-table id.
int AfxMessageBox(UINT string_id, UINT flags = MB_OK, UINT help_id = 0);

// A sink for tests: records every message and answers from a queue of prepared
// answers, then with the default button once the queue is empty.
class RecordingMessageSink : public MessageSink {
 public:
  int Show(const Message& m) override;
  void AppendInformation(const CString& text) override { m_information += text; }
  // Everything appended to the information window.
  const CString& information() const { return m_information; }

  void QueueAnswer(int answer) { m_answers.push_back(answer); }
  const std::vector<Message>& messages() const { return m_messages; }
  // The texts of the recorded messages, in order.
  std::vector<CString> texts() const;
  size_t pending_answers() const { return m_answers.size(); }
  void Clear() {
    m_messages.clear();
    m_answers.clear();
    m_information.Empty();
  }

 private:
  std::vector<Message> m_messages;
  CString m_information;
  std::deque<int> m_answers;
};
