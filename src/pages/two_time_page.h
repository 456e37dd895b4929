// The two-time timer page (CSpecialFunPar2): the on-/off-delay (402), the
// edge triggered wiping relay (405), the asynchronous pulse generator (406)
// and the random generator (407). Two full time fields, TH and TL, each of
// which can be taken from a block; the wiping relay adds the number of pulse
// cycles, the random generator has no retentivity. The captions and rows
// follow the type, which the sheet sets before the page is attached.
#pragma once

#include "pages/timer_page.h"

class CSpecialFunPar2 : public CTimerPage {
 public:
  static constexpr int kTemplate = 4552;
  static constexpr int kIdGroupTH = 1007, kIdGroupTL = 1015;
  static constexpr int kIdHigh1 = 1550, kIdHighSpin1 = 1552, kIdColon1 = 1184, kIdLow1 = 1549,
                       kIdLowSpin1 = 1551;
  static constexpr int kIdUnit1 = 1548, kIdReference1 = 1546, kIdRefList1 = 104, kIdRefUnitList1 = 102;
  static constexpr int kIdHigh2 = 1017, kIdHighSpin2 = 1018, kIdColon2 = 1185, kIdLow2 = 1019,
                       kIdLowSpin2 = 1020;
  static constexpr int kIdUnit2 = 1016, kIdReference2 = 1547, kIdRefList2 = 125, kIdRefUnitList2 = 126;
  static constexpr int kIdPulseCycles = 1013, kIdPulseCyclesLabel = 1200;

  CSpecialFunPar2();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  bool WritesThrough() const override { return true; }
};
