#include "controls/gui/valid_edit.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QTimer>
#include <algorithm>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

CValidEdit::CValidEdit(QWidget* parent) : QLineEdit(parent) {
  connect(this, &QLineEdit::textChanged, this, &CValidEdit::OnTextChanged);
}

CString CValidEdit::GetText() const {
  return ToCString(text());
}

void CValidEdit::SetText(const CString& value) {
  setText(ToQString(value));
}

CString CValidEdit::GetCorrectedText() const {
  return GetText();
}

void CValidEdit::Redraw() {
  const CString corrected = GetCorrectedText();
  if (corrected != GetText()) setText(ToQString(corrected));
}

EditState CValidEdit::State() const {
  EditState state(GetText());
  if (hasSelectedText()) {
    const int start = selectionStart();
    state.SetSel(start, start + static_cast<int>(selectedText().size()));
  } else {
    state.SetCaret(cursorPosition());
  }
  return state;
}

void CValidEdit::Apply(const EditState& state) {
  m_applying = true;
  const QString now = text();
  const QString want = ToQString(state.text);
  if (now != want) {
    // Replace only the part that differs, as one undoable step.
    const qsizetype shorter = std::min(now.size(), want.size());
    qsizetype prefix = 0;
    while (prefix < shorter && now[prefix] == want[prefix]) ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix && now[now.size() - 1 - suffix] == want[want.size() - 1 - suffix])
      ++suffix;
    const int removed = static_cast<int>(now.size() - prefix - suffix);
    if (removed > 0) {
      setSelection(static_cast<int>(prefix), removed);
    } else {
      setCursorPosition(static_cast<int>(prefix));
    }
    insert(want.mid(prefix, want.size() - prefix - suffix));
  }
  if (state.start == state.end) {
    setCursorPosition(state.start);
  } else {
    setSelection(state.start, state.end - state.start);
  }
  m_applying = false;
}

template <typename F>
void CValidEdit::Unchecked(F&& f) {
  m_applying = true;
  f();
  m_applying = false;
}

void CValidEdit::OnTextChanged() {
  const CEditBehavior* behavior = Behavior();
  if (m_applying || !behavior) return;
  const CString corrected = behavior->GetCorrectedText(GetText());
  if (corrected == GetText()) return;
  const int caret = cursorPosition();
  Unchecked([&] {
    setText(ToQString(corrected));
    setCursorPosition(std::min(caret, corrected.GetLength()));
  });
}

void CValidEdit::PasteClipboard() {
  EditState state = State();
  Behavior()->OnPaste(state, ToCString(QApplication::clipboard()->text()));
  Apply(state);
}

void CValidEdit::keyPressEvent(QKeyEvent* event) {
  const CEditBehavior* behavior = Behavior();
  if (!behavior || isReadOnly()) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // The control keys arrive as the characters an edit control gets for them.
  char16_t control = 0;
  if (event->matches(QKeySequence::Paste)) {
    control = 0x16;
  } else if (event->matches(QKeySequence::Cut)) {
    control = 0x18;
  } else if (event->matches(QKeySequence::Undo)) {
    control = 0x1A;
  } else if (event->matches(QKeySequence::Redo)) {
    control = 0x19;
  }
  EditState state = State();
  if (control) {
    const CharOutcome outcome = behavior->OnChar(state, control);
    if (outcome == CharOutcome::kDone) {
      Apply(state);
      return;
    }
    switch (control) {
      case 0x16:
        PasteClipboard();
        break;
      case 0x18:
        Unchecked([this] { cut(); });
        break;
      case 0x1A:
        Unchecked([this] { undo(); });
        break;
      default:
        Unchecked([this] { redo(); });
        break;
    }
    if (outcome == CharOutcome::kDefaultRevalidate) {
      state = State();
      behavior->Revalidate(state);
      Apply(state);
    }
    return;
  }
  const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
  if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
    behavior->OnDelete(state);
    Apply(state);
    return;
  }
  if (event->key() == Qt::Key_Backspace && mods == Qt::NoModifier) {
    behavior->OnChar(state, u'\b');
    Apply(state);
    return;
  }
  const QString typed = event->text();
  if (!typed.isEmpty() && IsPrintableChar(typed[0].unicode()) &&
      !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    for (QChar ch : typed) behavior->OnChar(state, ch.unicode());
    Apply(state);
    return;
  }
  QLineEdit::keyPressEvent(event);
}

CNumericEdit::CNumericEdit(int maxWholeDigits, int maxDecimalPlaces, QWidget* parent)
    : CValidEdit(parent), m_behavior(maxWholeDigits, maxDecimalPlaces) {}

bool CNumericEdit::ModifyFlags(UINT add, UINT remove) {
  if (!m_behavior.ModifyFlags(add, remove)) return false;
  Redraw();
  return true;
}

void CNumericEdit::SetMaxWholeDigits(int n) {
  if (m_behavior.SetMaxWholeDigits(n)) Redraw();
}

void CNumericEdit::SetMaxDecimalPlaces(int n) {
  if (m_behavior.SetMaxDecimalPlaces(n)) Redraw();
}

bool CNumericEdit::AllowNegative(bool allow) {
  if (!m_behavior.AllowNegative(allow)) return false;
  Redraw();
  return true;
}

void CNumericEdit::SetRange(double minimum, double maximum) {
  m_behavior.SetRange(minimum, maximum);
  Redraw();
}

void CNumericEdit::SetValue(double value, bool trim) {
  SetText(m_behavior.FormatNumber(value, trim));
}

void CNumericEdit::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A context menu keeps the field's focus as far as the user is concerned.
  if (event->reason() == Qt::PopupFocusReason) return;
  EditState state = State();
  const KillFocusOutcome outcome = m_behavior.OnKillFocus(state);
  if (!(state == State())) Apply(state);
  if (outcome.beep) QApplication::beep();
  if (outcome.show_error) AfxMessageBox(m_behavior.ErrorMessageText(), MB_ICONEXCLAMATION);
  if (outcome.refocus) QTimer::singleShot(0, this, [this] { setFocus(Qt::OtherFocusReason); });
}

CMaskedEdit::CMaskedEdit(const CString& mask, QWidget* parent) : CValidEdit(parent), m_behavior(mask) {}

void CMaskedEdit::SetMask(const CString& mask) {
  if (m_behavior.SetMask(mask)) Redraw();
}
