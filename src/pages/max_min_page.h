// CMaxMin: the page of the blocks with one integer parameter: Max/Min (821),
// the rotations and shifts (834-837), RAND (846), Word to Bit (854), Modulo
// (862) and Remainder (863). The value may come from another block through
// one reference slot; its range, digits and caption follow the type.
#pragma once

#include "pages/block_param_page.h"

class CMaxMin : public CBlockParamPage, public MaxMinValues {
 public:
  static constexpr int kTemplate = 4584;
  static constexpr int kIdGroup = 1007, kIdResetOnDisable = 1008;
  static constexpr int kIdProtection = 1269, kIdRetentive = 1276;
  static constexpr int kIdValue = 1289, kIdValueSpin = 1290, kIdReference = 1546, kIdRefList = 104;
  static constexpr int kIdModeFirst = 1303, kIdModeLast = 1306;

  // What the page knows of a type.
  struct TypeRule {
    int lower, upper;
    int digits;               // whole digits of the edit
    const char16_t* caption;  // of group 1007; null: the template's "Mode"
    int neutral;              // the value stored while a block gives it
  };
  static TypeRule RuleOf(int type);
  // The value held to the type's range; non-numbers stay as they are.
  static int Hold(int type, int value);

  CMaxMin();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void PrepareApplyValues(BlockPageValues& values) const override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateControls();
  void UpdateTabOrder();
  void OnValueUpdate();
};
