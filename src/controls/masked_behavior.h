// CMaskedBehavior: the rules of an edit field whose text follows a mask such as
// "##:##". Each symbol character of the mask ('#' by default: a decimal digit) stands
// for one typed character; every other mask character is a literal that the field
// enters by itself. The rules read no flag.
//
// Use from a bar or page goes through the Qt edit (controls/gui/valid_edit.h:
// CMaskedEdit).
#pragma once

#include <vector>

#include "controls/edit_behavior.h"

// One symbol of a mask: its character, what it accepts and how it converts what it
// accepts (either function may be null: everything is accepted, nothing converted).
class CMaskSymbol {
 public:
  using Validator = int (*)(wint_t);
  using Converter = wint_t (*)(wint_t);

  CMaskSymbol(char16_t symbol, Validator validate = nullptr, Converter convert = nullptr)
      : m_symbol(symbol), m_validate(validate), m_convert(convert) {}
  virtual ~CMaskSymbol() = default;

  char16_t GetSymbol() const { return m_symbol; }
  virtual bool IsValid(char16_t ch) const { return !m_validate || m_validate(ch) != 0; }
  virtual char16_t Convert(char16_t ch) const {
    return m_convert ? static_cast<char16_t>(m_convert(ch)) : ch;
  }

 private:
  char16_t m_symbol;
  Validator m_validate;
  Converter m_convert;
};

class CMaskedBehavior : public CEditBehavior {
 public:
  // The symbol list starts with '#' (a decimal digit).
  explicit CMaskedBehavior(const CString& mask = CString());

  const CString& GetMask() const { return m_mask; }
  // True when the mask changed; the edit then re-validates its text.
  bool SetMask(const CString& mask);
  std::vector<CMaskSymbol>& Symbols() { return m_symbols; }
  const std::vector<CMaskSymbol>& Symbols() const { return m_symbols; }

  // Text and mask walked together: accepted symbol characters (converted) and the
  // mask's own literals stay; the text is cut at the first character that fits neither.
  CString GetCorrectedText(const CString& text) const override;
  CharOutcome OnChar(EditState& state, char16_t ch) const override;
  // Delete removes only at the end of the text: characters cannot be taken out of the
  // middle of a masked text.
  void OnDelete(EditState& state) const override;

  // The text without every character that is not a decimal digit (01:30 gives 0130).
  static CString GetNumericText(const CString& text);

 private:
  // The first symbol whose character is ch; null when ch is a literal.
  const CMaskSymbol* FindSymbol(char16_t ch) const;

  CString m_mask;
  std::vector<CMaskSymbol> m_symbols;
};
