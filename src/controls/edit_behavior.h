// The rules of the validating edit fields, without any window.
//
// An edit field is modelled as an EditState: its text and its selection. The rule
// functions take a state and a keystroke, pasted text or a text being set, and change
// the state the way the field must change; the Qt edits (controls/gui/valid_edit.h)
// read the state from the widget, run a rule and write the state back. Everything here
// is pure, so the rules are tested as tables.
//
// Two behaviours exist: CNumericBehavior (numbers with limited whole digits and
// decimal places, numeric_behavior.h) and CMaskedBehavior (text typed into a pattern
// such as "##:##", masked_behavior.h).
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// The text of an edit field and its selection [start, end); the caret stands at end.
// start <= end always; an empty selection is a plain caret.
struct EditState {
  CString text;
  int start = 0;
  int end = 0;

  EditState() = default;
  explicit EditState(CString t) : text(std::move(t)), start(text.GetLength()), end(text.GetLength()) {}
  EditState(CString t, int s, int e) : text(std::move(t)), start(s), end(e) {}
  friend bool operator==(const EditState&, const EditState&) = default;

  bool HasSelection() const { return start < end; }
  // Sets the selection, ordered and kept inside the text (as EM_SETSEL does).
  void SetSel(int s, int e);
  void SetCaret(int pos) { SetSel(pos, pos); }
  // Replaces the selection by t; the caret then stands after t.
  void ReplaceSel(const CString& t);
  // Replaces the whole text; the caret goes to the end.
  void SetText(const CString& t);
  // The edit field's own Backspace and Delete: the selection, or one character before
  // (Backspace) or after (Delete) the caret.
  void Backspace();
  void Delete();
  // The edit field's own Left arrow: a selection collapses to its start, a caret moves
  // one character left.
  void MoveLeft();
};

// Whether a typed character is printable (not a control character).
bool IsPrintableChar(char16_t ch);

// Flag word of a behaviour (CEditBehavior::ModifyFlags). Only numeric edits read it.
enum : UINT {
  EDIT_BEEP_OUT_OF_RANGE = 0x0001,           // kill focus, value out of range: beep
  EDIT_BEEP_EMPTY = 0x0002,                  // kill focus, empty text: beep
  EDIT_CLAMP_OUT_OF_RANGE = 0x0004,          // kill focus, value out of range: the nearer bound
  EDIT_CLAMP_EMPTY = 0x0008,                 // kill focus, empty text: the nearer bound
  EDIT_REFOCUS_OUT_OF_RANGE = 0x0010,        // kill focus, value out of range: focus back
  EDIT_REFOCUS_EMPTY = 0x0020,               // kill focus, empty text: focus back
  EDIT_MESSAGE_OUT_OF_RANGE = 0x0040,        // with 0x0010: the range message first
  EDIT_MESSAGE_EMPTY = 0x0080,               // with 0x0020: the range message first
  EDIT_PAD_WHOLE_ZEROS = 0x0100,             // kill focus: leading zeros up to the whole digits
  EDIT_PAD_DECIMAL_ZEROS = 0x0200,           // kill focus: trailing zeros up to the decimal places
  EDIT_EMPTY_STAYS = 0x0400,                 // kill focus with an empty text does nothing
  EDIT_TRIM_LEADING_ZEROS = 0x0800,          // kill focus: leading zeros removed
  EDIT_NO_NEGATIVE = 0x1000,                 // negative values are not allowed
  EDIT_DIGIT_ENTERS_POINT = 0x2000,          // a digit after a full whole part enters the point
  EDIT_ALWAYS_PAD_DECIMALS = 0x4000,         // every validation pads the decimal part
  EDIT_PAD_DECIMALS_EXCEPT_TYPING = 0x8000,  // every validation but a keystroke's pads it
};

// What a typed character leaves to the edit field's own handling (the control keys
// that the rules do not model: copy, paste, cut, undo).
enum class CharOutcome {
  kDone,               // the rule changed the state (or ignored the character)
  kDefault,            // let the edit handle the key itself
  kDefaultRevalidate,  // let the edit handle it, then call Revalidate
};

class CEditBehavior {
 public:
  virtual ~CEditBehavior() = default;

  UINT GetFlags() const { return m_flags; }
  // Removes the bits of remove, adds those of add. False when the word is unchanged;
  // true when it changed, and the edit must then re-validate its text (Redraw).
  bool ModifyFlags(UINT add, UINT remove);

  // The text as it must stand after a program set it (set-text, paste, Redraw).
  virtual CString GetCorrectedText(const CString& text) const = 0;
  // A typed character (Backspace is u'\b'; control keys arrive as their control codes).
  virtual CharOutcome OnChar(EditState& state, char16_t ch) const = 0;
  // The Delete key.
  virtual void OnDelete(EditState& state) const { state.Delete(); }
  // Re-validation after the edit's own handling of a key: the corrected text with the
  // selection kept. The base re-validates as a set text does.
  virtual void Revalidate(EditState& state) const;

  // A paste of pasted over the selection: the text is corrected and, when the
  // correction changed it, the selection returns to where it stood before the paste.
  void OnPaste(EditState& state, const CString& pasted) const;
  // Setting the text from the program (set-text): the corrected text, caret at the end.
  void OnSetText(EditState& state, const CString& text) const { state.SetText(GetCorrectedText(text)); }

 protected:
  // Replaces [start, start + t's length) by t, or inserts t at the end of the text
  // (the overwrite of a keystroke).
  static void Overwrite(EditState& state, const CString& t);

 private:
  UINT m_flags = 0;
};
