// CNumericBehavior: the rules of a numeric edit field (signed or unsigned decimal
// numbers with at most a given number of whole digits and decimal places).
//
// A field never shows more whole digits or decimal places than configured, never shows
// a sign while negatives are forbidden, and reads back what it shows. Digits beyond a
// limit are cut, never rounded. The sign and decimal point are the user's locale's
// (NumericSymbols); the value is read and written in the C locale otherwise.
//
// Use from a page or bar goes through the Qt edit (controls/gui/valid_edit.h:
// CNumericEdit, CIntegerEdit), which forwards the configuration calls here.
#pragma once

#include "controls/edit_behavior.h"

// The characters a numeric field takes from the user's locale.
struct NumericSymbols {
  char16_t negative = u'-';
  char16_t decimal = u'.';
  char16_t group = u',';  // never equal to decimal
  friend bool operator==(const NumericSymbols&, const NumericSymbols&) = default;
};

// The user's locale (LC_NUMERIC of the environment, read once): its decimal point and
// group separator where they are single characters; '-', '.' and ',' otherwise.
const NumericSymbols& UserNumericSymbols();
// Symbols with the group separator made different from the decimal point.
NumericSymbols MakeNumericSymbols(char16_t negative, char16_t decimal, char16_t group);

// What a numeric field must do when it loses the focus, beyond the text change that
// OnKillFocus makes itself.
struct KillFocusOutcome {
  bool beep = false;        // MessageBeep(MB_ICONEXCLAMATION)
  bool show_error = false;  // show ErrorMessageText() (MB_ICONEXCLAMATION)
  bool refocus = false;     // give the focus back to the field
  friend bool operator==(const KillFocusOutcome&, const KillFocusOutcome&) = default;
};

class CNumericBehavior : public CEditBehavior {
 public:
  static constexpr double kNoMinimum = -1.7976931348623157e308;
  static constexpr double kNoMaximum = 1.7976931348623157e308;

  // A negative maxWholeDigits stores its magnitude and forbids negatives.
  CNumericBehavior(int maxWholeDigits, int maxDecimalPlaces,
                   const NumericSymbols& symbols = UserNumericSymbols());

  // Configuration. Each returns true when something changed; the edit then re-validates
  // its text (Redraw).
  // n >= 0 allows negatives, n < 0 forbids them and stores -n.
  bool SetMaxWholeDigits(int n);
  bool SetMaxDecimalPlaces(int n);
  bool AllowNegative(bool allow) {
    return allow ? ModifyFlags(0, EDIT_NO_NEGATIVE) : ModifyFlags(EDIT_NO_NEGATIVE, 0);
  }
  // Always re-validates.
  void SetRange(double minimum, double maximum);

  int GetMaxWholeDigits() const { return m_maxWhole; }
  int GetMaxDecimalPlaces() const { return m_maxDecimal; }
  bool NegativesAllowed() const { return !(GetFlags() & EDIT_NO_NEGATIVE); }
  double GetMinimum() const { return m_minimum; }
  double GetMaximum() const { return m_maximum; }
  const NumericSymbols& Symbols() const { return m_symbols; }

  CString GetCorrectedText(const CString& text) const override { return CorrectedText(text, false); }
  // revalidating: the correction that follows a keystroke (flag 0x8000 does not pad).
  CString CorrectedText(const CString& text, bool revalidating) const;
  CharOutcome OnChar(EditState& state, char16_t ch) const override;
  void OnDelete(EditState& state) const override;
  void Revalidate(EditState& state) const override;
  // The kill-focus rules (padding, trimming, clamping by the flags); the text change is
  // made on state, the rest is returned for the edit to do.
  KillFocusOutcome OnKillFocus(EditState& state) const;
  // The nearer bound when the shown value is out of range.
  void ClampToRange(EditState& state) const;

  // The text a field shows after SetValue(value, trim).
  CString ValueText(double value, bool trim) const { return GetCorrectedText(FormatNumber(value, trim)); }
  // The digits, the first decimal point and (when the sign occurs anywhere) one sign in
  // front; standard writes '-' and '.', else the locale's characters stay.
  CString ExtractNumber(const CString& text, bool standard) const;
  // "%lf" of the value with the locale's decimal point; trim drops trailing zeros and
  // then a trailing point (2.500000 gives 2.5, 10.000000 gives 10).
  CString FormatNumber(double value, bool trim) const;
  // The value a text reads as: 0 for an empty or unparsable text.
  double ParseDouble(const CString& text) const;
  // The whole part of the value (as _wtoi reads it), held to the int range.
  int ParseInt(const CString& text) const;
  bool IsValueInRange(const CString& text) const;
  // The message of a value out of range, naming the bounds that are set.
  CString ErrorMessageText() const;

 private:
  int m_maxWhole;
  int m_maxDecimal;
  NumericSymbols m_symbols;
  double m_minimum = kNoMinimum;
  double m_maximum = kNoMaximum;
};

// Inserts count '0' characters at position (at the end for -1); count <= 0 inserts none.
void PadWithZeros(CString& text, int position, int count);
