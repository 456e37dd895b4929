// The average value page (CAVGVAL, 822) and the math error page (CMathErr,
// 823).
//
// CAVGVAL holds the sampling time to the limit of its time base and the
// number of samples to a limit that follows from the sampling time, both
// while the user types and when the time base changes. CMathErr chooses the
// mathematical instruction block (815) it watches, the error detected and
// whether it resets by itself.
#pragma once

#include "pages/block_param_page.h"

class CAVGVAL : public CBlockParamPage, public AverageValues {
 public:
  static constexpr int kTemplate = 4583;
  static constexpr int kIdProtection = 1269, kIdRetentive = 1276;
  static constexpr int kIdTimeLabel = 1279, kIdSamplesLabel = 1280;
  static constexpr int kIdTime = 1283, kIdSamples = 1284, kIdTimeSpin = 1285, kIdSamplesSpin = 1286;
  static constexpr int kIdReference = 1287, kIdTimeBase = 1288;
  // m_nSamplingBase
  static constexpr int kDays = 0, kHours = 1, kMinutes = 2, kSeconds = 3;
  static constexpr int kMaxSamples = 32767;

  CAVGVAL();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The largest sampling time of a time base (365, 23, 59, 59).
  static int TimeLimit(int base);
  // The largest number of samples for a time base and a sampling time.
  static int SamplesLimit(int base, int time);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnTimeBaseChange();
  void OnTimeUpdate();
};

class CMathErr : public CBlockParamPage, public MathErrValues {
 public:
  static constexpr int kTemplate = 4585;
  static constexpr int kIdProtection = 1269, kIdRetentive = 1276;
  static constexpr int kIdAutoReset = 1279, kIdBlockLabel = 1278, kIdBlockList = 1294;
  static constexpr int kIdZeroDivision = 1291, kIdOverflow = 1292, kIdEither = 1293, kIdErrorGroup = 1290;
  static constexpr int kWatchedType = 815;

  CMathErr();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillBlockList();
  void OnBlockChange();
};
