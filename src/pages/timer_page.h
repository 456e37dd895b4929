// The time value fields of the timer pages, and the single-time timer page.
//
// CTimerPage holds the time value fields: two digit edits with spins and a
// ":" between them, a unit combo (TimeBase), and a "Reference" button that
// replaces them by a block list and a reference unit list (RefTimeUnit). A
// dependent field (the pre-warning values) has no unit of its own: it follows
// the unit of a full field, which a label beside it shows. The page clamps
// the low part to 59 under "Hours(h:m)" and "Minutes(m:s)", answers the low
// part's tooltip by the unit in force, writes a dropped reference through to
// the running block in simulation (pages that say so), and normalises the
// fields on OK. A timer page declares its fields (AddTimeField) in its
// constructor and calls UpdateTimeFields, FillReferenceCombos, SetTabOrder
// with TimeChain and AddTimeTips from OnInitDialog.
//
// CSpecialFunPar is the page of the on-delay (400), off-delay (401),
// retentive on-delay (403) and wiping relay (404): one time value T.
#pragma once

#include "pages/block_param_page.h"

// The captions of a TimeBase ("Hours(h:m)" ...) and of a RefTimeUnit ("Minutes" ...).
CString UnitCaption(int unit);
CString RefUnitCaption(int unit);

class CTimerPage : public CBlockParamPage, public TimeValues {
 public:
  // One full time value field and the members it edits.
  struct TimeField {
    int slot = 0;  // the reference slot that can replace it
    int high = 0, highSpin = 0, colon = 0, low = 0, lowSpin = 0, unit = 0;
    int button = 0, list = 0, refUnitList = 0;
    int TimeValues::*pHigh = nullptr;
    int TimeValues::*pLow = nullptr;
    int TimeValues::*pUnit = nullptr;     // full fields only
    int TimeValues::*pRefUnit = nullptr;  // full fields only
    // A dependent field: the index (in declaration order) of the full field
    // whose unit it follows, and its unit label.
    bool dependent = false;
    int governor = 0;
    int unitLabel = 0;
    // The running block's words of the field, for the write-through.
    int CBlockObj::*blockHigh = nullptr;
    int CBlockObj::*blockLow = nullptr;
    int CBlockObj::*blockUnit = nullptr;     // full fields
    int CBlockObj::*blockRefUnit = nullptr;  // full fields
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
  // The block lists, then for a full field without a block reference unit 0.
  void FillReferenceCombos() override;
  // On the older series (pages that take no time from a block there): every
  // field's reference dropped, its parts shown, its button and lists hidden.
  // False on the newer series, where nothing changes.
  bool DropReferencesOnOlderSeries();
  // The keyboard order of the fields: a full field's edits and unit combo or
  // its two lists, a dependent field's edits or its list, each then its button.
  std::vector<int> TimeChain() const;
  // The unit that governs a field's low part now (a dependent field: its
  // governor's, in the reference unit list while the governor takes a block).
  int UnitInForce(const TimeField& field) const;
  // The dependent fields' unit labels.
  void UpdateUnitLabels();
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
  // Whether dropping a reference in simulation writes the running block at once.
  virtual bool WritesThrough() const { return false; }
  void WriteThrough(const TimeField& field);

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
