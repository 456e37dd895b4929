// The validating edit fields on Qt: CNumericEdit, CIntegerEdit and CMaskedEdit.
//
// Each is a QLineEdit that runs the rules of its behaviour (controls/numeric_behavior.h,
// controls/masked_behavior.h) on every keystroke, paste, program-set text and, for
// numeric fields, on focus loss. A page or bar creates the field, configures it and
// reads it back:
//
//   auto* edit = new CNumericEdit(2, 2, this);   // two whole digits, two decimals
//   edit->AllowNegative(false);
//   edit->SetRange(0, 10);
//   edit->ModifyFlags(EDIT_CLAMP_OUT_OF_RANGE, 0);
//   edit->SetValue(3.5);                          // shows 3.5
//   double v = edit->GetDouble();
//
// Any text that reaches the field by another way (QLineEdit::setText, the context
// menu, a drop) is corrected as a program-set text is. Configuration may be changed at
// any time: the shown text is re-validated at once.
#pragma once

#include <QLineEdit>

#include "controls/masked_behavior.h"
#include "controls/numeric_behavior.h"
#include "platform/cstring.h"

class CValidEdit : public QLineEdit {
  Q_OBJECT

 public:
  explicit CValidEdit(QWidget* parent = nullptr);

  CString GetText() const;
  // Sets the text; it is corrected by the field's rules.
  void SetText(const CString& text);
  bool IsReadOnly() const { return isReadOnly(); }

  // The text as the rules want it to stand (the plain field: unchanged).
  virtual CString GetCorrectedText() const;
  // Replaces the text by the corrected text when they differ.
  void Redraw();

 protected:
  // The rules of the field; null for a plain field.
  virtual const CEditBehavior* Behavior() const { return nullptr; }

  EditState State() const;
  // Writes a state back as one undoable change (keystrokes) and sets the selection.
  void Apply(const EditState& state);

  void keyPressEvent(QKeyEvent* event) override;

 private:
  void OnTextChanged();
  void PasteClipboard();
  // Runs the edit's own handling of a key without correcting its result.
  template <typename F>
  void Unchecked(F&& f);

  bool m_applying = false;
};

class CNumericEdit : public CValidEdit {
  Q_OBJECT

 public:
  // A negative maxWholeDigits forbids negative values.
  CNumericEdit(int maxWholeDigits, int maxDecimalPlaces, QWidget* parent = nullptr);

  CNumericBehavior& Rules() { return m_behavior; }
  const CNumericBehavior& Rules() const { return m_behavior; }

  // The configuration calls of the pages; each re-validates the shown text.
  bool ModifyFlags(UINT add, UINT remove);
  void SetMaxWholeDigits(int n);
  void SetMaxDecimalPlaces(int n);
  bool AllowNegative(bool allow);
  void SetRange(double minimum, double maximum);

  // Shows the value (cut to the limits, never rounded).
  void SetValue(double value, bool trim = true);
  // The shown value; 0 for an empty or unparsable text.
  double GetDouble() const { return m_behavior.ParseDouble(GetText()); }
  int GetInt() const { return m_behavior.ParseInt(GetText()); }
  bool IsValueInRange() const { return m_behavior.IsValueInRange(GetText()); }

  CString GetCorrectedText() const override { return m_behavior.GetCorrectedText(GetText()); }

 protected:
  const CEditBehavior* Behavior() const override { return &m_behavior; }
  void focusOutEvent(QFocusEvent* event) override;

 private:
  CNumericBehavior m_behavior;
};

// A numeric field without decimal places.
class CIntegerEdit : public CNumericEdit {
  Q_OBJECT

 public:
  explicit CIntegerEdit(int maxWholeDigits, QWidget* parent = nullptr)
      : CNumericEdit(maxWholeDigits, 0, parent) {}
};

class CMaskedEdit : public CValidEdit {
  Q_OBJECT

 public:
  explicit CMaskedEdit(const CString& mask, QWidget* parent = nullptr);

  CMaskedBehavior& Rules() { return m_behavior; }
  void SetMask(const CString& mask);
  // The shown text without what is not a decimal digit (01:30 gives 0130).
  CString GetNumericText() const { return CMaskedBehavior::GetNumericText(GetText()); }

  CString GetCorrectedText() const override { return m_behavior.GetCorrectedText(GetText()); }

 protected:
  const CEditBehavior* Behavior() const override { return &m_behavior; }

 private:
  CMaskedBehavior m_behavior;
};
