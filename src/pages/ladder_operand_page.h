// CPropPageLadIO: the operand page of a ladder element. It lists every
// operand the element may address ("I003 [Input]", "M12 [Flag]", "B4 ..."),
// preselects the element's present operand and turns the chosen entry back
// into the element's operand. Contacts read inputs, keys, status and shift
// bits, analog inputs and function blocks directly, outputs and flags through
// the coil that writes them; coils write outputs, flags, open connectors,
// analog outputs and analog flags.
#pragma once

#include "pages/page_values.h"
#include "pages/param_page.h"

class CPropPageLadIO : public CParamPage, public LadderValues {
 public:
  static constexpr int kTemplate = 4579;
  static constexpr int kIdList = 1230, kIdNumber = 1040, kIdListLabel = 1231, kIdNumberLabel = 1041;

  CPropPageLadIO();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // m_nOperand from the selected entry (kept when nothing matches).
  void ParseOperandName();
  // Whether the selected entry's text begins with prefix (case-sensitive).
  bool StartsWith(const CString& prefix) const;
  // The text that names an operand, as the list begins it ("I203", "S1.4",
  // "Q001" for a coil number); empty when it names nothing.
  CString OperandPrefixText(int op) const;

  // Asks the sheet for OK (a double click in the list).
  std::function<void()> m_requestOK;

 protected:
  void DoDataExchange(CDataExchange&) override {}
  void OnInitDialog() override;
  void Fill();
  // Selects the first entry beginning with text (case-insensitive); false when none does.
  bool SelectStartingWith(const CString& text);
};
