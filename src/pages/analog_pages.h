// The pages of the analog blocks that scale an analog input (the sensor
// section, analog_sensor.h):
// - CAnalogComparator: the analog comparator (803), threshold trigger (804),
//   amplifier (805), watchdog (806) and differential trigger (807): two
//   thresholds captioned and shown by type and series.
// - CARAMP: the analog ramp (817): two levels, the speed of change, the
//   largest output value and the start/stop offset; the gain lies in 0..10.
// - CPI: the PI controller (818): set value and manual output, a parameter
//   set that presets or frees KC, TI and the direction.
// - CPWM: the PWM block (819): the input range, the periodic time (a time
//   value that can be taken from a block) and the high speed output.
#pragma once

#include "model/block_codes.h"
#include "pages/analog_sensor.h"

// Ids of the two value rows the comparator, ramp and PI pages share.
struct AnalogRowIds {
  static constexpr int kGroup = 1091;
  static constexpr int kLabel1 = 1108, kEdit1 = 1023, kSpin1 = 1370, kButton1 = 1080, kList1 = 105;
  static constexpr int kLabel2 = 1109, kEdit2 = 1026, kSpin2 = 1027, kButton2 = 1014, kList2 = 106;
};

class CAnalogComparator : public CAnalogSensorPage, public AnalogRowIds {
 public:
  static constexpr int kTemplate = 4561;
  static constexpr int kThresholdLimit = 20000;

  CAnalogComparator();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

  // The lower bound of the thresholds (0 for the watchdog).
  int LowerThreshold() const { return m_nType == kTypeAWDOG ? 0 : -kThresholdLimit; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillReferenceCombos() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateValueRows();
  void UpdateTabOrder();
};

class CARAMP : public CAnalogSensorPage, public AnalogRowIds {
 public:
  static constexpr int kTemplate = 4586;
  static constexpr int kIdSpeed = 1029, kIdSpeedSpin = 1030, kIdLargest = 1031, kIdLargestSpin = 1032;
  static constexpr int kIdStartStop = 1033, kIdStartStopSpin = 1034;

  CARAMP();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateValueRows();
  void UpdateTabOrder();
};

// PiParameterSet: the presets of KC, TI and the direction.
struct PiPreset {
  const char16_t* name;
  double kc;
  int tiMinutes, tiSeconds;
};
constexpr int kPiUserDefined = 6;
const PiPreset& PiParameterSet(int index);  // 0..5

class CPI : public CAnalogSensorPage, public AnalogRowIds {
 public:
  static constexpr int kTemplate = 4587;
  static constexpr int kIdManualGroup = 1102, kIdSetLabel = 1296, kIdSet = 1099;
  static constexpr int kIdKcLabel = 1297, kIdKc = 1029, kIdKcSpin = 1030;
  static constexpr int kIdTi = 1031, kIdTiMinutes = 1032, kIdTiMinutesSpin = 1033, kIdTiColon = 1299;
  static constexpr int kIdTiSeconds = 1034, kIdTiSecondsSpin = 1035, kIdTiUnit = 1300;
  static constexpr int kIdDirLabel = 1298, kIdUp = 1100, kIdDown = 1101;
  static constexpr double kKcLimit = 99.99;

  CPI();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  // The sensor's settling, the slots, and a user-defined TI of 99:59 stored as off.
  void OnOK() override;

  // The TI shown before it was switched off (while the page is open).
  int m_nSavedTiMinutes = 0, m_nSavedTiSeconds = 0;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void OnParameterSetChange();
  void OnTiClicked();
  void UpdateTabOrder();
};

class CPWM : public CAnalogSensorPage {
 public:
  static constexpr int kTemplate = 4588;
  static constexpr int kIdRangeGroup2 = 1091, kIdMinLabel2 = 1108, kIdPwmMin = 1023, kIdPwmMinSpin = 1370;
  static constexpr int kIdMaxLabel2 = 1109, kIdPwmMax = 1026, kIdPwmMaxSpin = 1027;
  static constexpr int kIdHighSpeedGroup = 1099, kIdHighSpeed = 1325;
  static constexpr int kIdTimeGroup = 1007, kIdHigh = 1550, kIdHighSpin = 1552, kIdColon = 1184;
  static constexpr int kIdLow = 1549, kIdLowSpin = 1551, kIdUnit = 1548, kIdReference = 1546;
  static constexpr int kIdBlockList = 104, kIdRefUnitList = 102;
  static constexpr int kRangeLimit = 20000;
  static constexpr int kHighSpeedDisable = 4;

  CPWM();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  // The sensor's settling, then by the block pointer: a periodic time taken
  // from a block stores both parts as 0 and the chosen reference unit.
  void OnOK() override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  // Entry 2 of the unit combo: "100ms:ms" while a high speed output is chosen.
  void FillUnitCombo(int select);
  void UpdateTimeFields();
  void UpdateTabOrder();
  int SelectedUnit() const;
};
