// The time value fields of the timer pages, and the single-time timer page.
//
// CTimerPage holds the time value fields: two digit edits with spins and a
// ":" between them, a unit combo (TimeBase), and a "Reference" button that
// replaces them by a block list and a reference unit list (RefTimeUnit). It
// clamps the low part to 59 under "Hours(h:m)" and "Minutes(m:s)", answers
// the low part's tooltip by the unit in force, and normalises the fields on
// OK. A timer page declares its fields (AddTimeField) in its constructor and
// calls UpdateTimeFields from OnInitDialog.
//
// CSpecialFunPar is the page of the on-delay (400), off-delay (401),
// retentive on-delay (403) and wiping relay (404): one time value T.
#pragma once

#include "pages/block_param_page.h"

class CTimerPage : public CBlockParamPage, public TimeValues {
 public:
  // One full time value field and the members it edits.
  struct TimeField {
    int slot = 0;  // the reference slot that can replace it
    int high = 0, highSpin = 0, colon = 0, low = 0, lowSpin = 0, unit = 0;
    int button = 0, list = 0, refUnitList = 0;
    int TimeValues::*pHigh = nullptr;
    int TimeValues::*pLow = nullptr;
    int TimeValues::*pUnit = nullptr;
    int TimeValues::*pRefUnit = nullptr;
  };

  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  static constexpr int kMaxPart = 99;

 protected:
  void AddTimeField(const TimeField& field);
  // Limits, visibility by the slot's block, unit combos and reference unit lists.
  void UpdateTimeFields();
  // Refills a unit combo with the three TimeBase captions and selects the unit.
  void FillUnitCombo(const TimeField& field);
  void FillRefUnitList(const TimeField& field);
  // Tooltips of the parts: the high part fixed, the low part by the unit in force.
  void AddTimeTips();
  void OnTimeUnitChange(const TimeField& field);
  void OnTimeLowUpdate(const TimeField& field);
  void OnReferenceToggle(const RefSlot& slot) override;
  // Whether OK decides a slot by its block rather than by its flag.
  virtual bool DecideSlotByBlock() const { return false; }

  std::vector<TimeField> m_fields;
};

class CSpecialFunPar : public CTimerPage {
 public:
  static constexpr int kTemplate = 4565;
  static constexpr int kIdTimeGroup = 1007;
  static constexpr int kIdHigh = 1550, kIdHighSpin = 1552, kIdColon = 1184, kIdLow = 1549, kIdLowSpin = 1551;
  static constexpr int kIdUnit = 1548, kIdReference = 1546, kIdRefList = 104, kIdRefUnitList = 102;

  CSpecialFunPar();
  const PageDesc& Describe() const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  bool DecideSlotByBlock() const override { return true; }
};
