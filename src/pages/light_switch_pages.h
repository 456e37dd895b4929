// The pages of the light switches: the stairway lighting switch (CSpecialPar3,
// 408) and the multiple function switch (CSpecialPar4, 409). Both edit the
// off-delay T as a full time field and the pre-warning time T! and period T!L
// as dependent fields counting in T's unit, under "Use standard values for the
// pre-warning"; the multiple function switch adds the permanent light TL.
//
// While the box is on, T! and T!L hold the standard values of T's unit (the
// stairway: 0:15 and 0:1 under hours or minutes, 0:75 and 0:5 under seconds;
// the multiple function switch: all zero), cannot be edited or taken from a
// block, and follow every change of T's unit. On OK, values equal to the
// standard ones are stored as standard values.
#pragma once

#include "pages/timer_page.h"

class CLightSwitchPage : public CTimerPage {
 public:
  static constexpr int kIdStandard = 1026;
  static constexpr int kIdTHigh = 1017, kIdTHighSpin = 1018, kIdTColon = 1186, kIdTLow = 1019,
                       kIdTLowSpin = 1020;
  static constexpr int kIdTUnit = 1016, kIdTReference = 1547, kIdTRefList = 125, kIdTRefUnitList = 126;
  static constexpr int kIdWHigh = 1023, kIdWHighSpin = 1027, kIdWColon = 1185, kIdWLow = 1028,
                       kIdWLowSpin = 1029;
  static constexpr int kIdWReference = 1553, kIdWRefList = 127, kIdWUnitLabel = 1237;
  static constexpr int kIdPHigh = 1033, kIdPHighSpin = 1034, kIdPColon = 1187, kIdPLow = 1035,
                       kIdPLowSpin = 1036;
  static constexpr int kIdPReference = 1554, kIdPRefList = 129, kIdPUnitLabel = 1238;

  void OnNotify(int id, Notify code) override;
  void OnOK() override;

  // The standard T! and T!L low parts for T's unit u (high parts are 0).
  virtual void StandardValues(int u, int* warnLow, int* periodLow) const = 0;
  // The unit of T! and T!L: T's reference unit while T takes a block, else T's unit.
  int WarningUnit() const;

 protected:
  // Declares T, then (with tl) TL, then T! and T!L.
  void AddFields(bool tl);
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  bool WritesThrough() const override { return true; }
  // Whether a reference toggle applies the box again (the unit-dependent values).
  virtual bool ReapplyOnToggle() const = 0;
  void OnStandardWarning();
  void UpdateWarningUnitLabels();
  void ClampWarningLows();
  std::vector<int> Chain() const;
  const TimeField& T() const { return m_fields[0]; }
};

class CSpecialPar3 : public CLightSwitchPage {
 public:
  static constexpr int kTemplate = 4553;
  CSpecialPar3();
  const PageDesc& Describe() const override;
  void StandardValues(int u, int* warnLow, int* periodLow) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  bool ReapplyOnToggle() const override { return true; }
};

class CSpecialPar4 : public CLightSwitchPage {
 public:
  static constexpr int kTemplate = 4554;
  static constexpr int kIdTLHigh = 1550, kIdTLHighSpin = 1552, kIdTLColon = 1184, kIdTLLow = 1549,
                       kIdTLLowSpin = 1551;
  static constexpr int kIdTLUnit = 1548, kIdTLReference = 1546, kIdTLRefList = 104, kIdTLRefUnitList = 102;
  CSpecialPar4();
  const PageDesc& Describe() const override;
  void StandardValues(int u, int* warnLow, int* periodLow) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  bool ReapplyOnToggle() const override { return false; }
};
