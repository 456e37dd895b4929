// CSimulation: the "Simulation" page of the sheets of inputs, cursor keys,
// function keys and analog inputs: how the input behaves when the user
// operates it in simulation (Switch, Momentary PushButton(make) or (break),
// Frequency) and the range of its simulated value. An analog input has no
// behaviour choice; its fields sit where the choice would be.
#pragma once

#include "model/block_codes.h"
#include "pages/page_values.h"
#include "pages/param_page.h"

class CSimulation : public CParamPage, public SimValues {
 public:
  static constexpr int kTemplate = 4567;
  static constexpr int kIdSwitch = 1116, kIdMake = 1141, kIdBreak = 1118, kIdFrequency = 1119;
  static constexpr int kIdAutoRange = 1137;
  static constexpr int kIdCurrentLabel = 1142, kIdCurrent = 1553, kIdCurrentSpin = 1554;
  static constexpr int kIdMinLabel = 1139, kIdMin = 1133, kIdMinSpin = 1134;
  static constexpr int kIdMaxLabel = 1140, kIdMax = 1135, kIdMaxSpin = 1136;
  static constexpr int kIdButton1 = 1322, kIdButton2 = 1323, kIdButton3 = 1324;
  static constexpr int kModeFrequency = 3;

  // type: the block's type code (600, 601, 608, 611; ladder contacts 700-702).
  explicit CSimulation(int type = 600);
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  bool IsAnalog() const { return m_nBlockType == kTypeAnalogInput || m_nBlockType == kTypeAnalogContact; }
  // The text of a range tip: string 376 with the two numbers in ascending order.
  static CString RangeTip(int a, int b);

  int m_bValueEdited = 0;  // the current value was typed since the last OK
  int m_nBlockType;
  int m_nBlockNumber = -1;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;

 private:
  void UpdateModeControls();
  void EnableRangeControls(bool autoRange);
  void OnMode(int mode);
  void Clamp(int id);
  int EditNumber(int id) const;
};
