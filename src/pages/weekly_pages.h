// The weekly timer's pages (410): CWeeklyGeneral (name, protection, "Pulse
// Output") and three CWeeklyCams1 pages, one per cam (weekdays Monday first,
// on and off time in hours and minutes, each with its own "Disable").
//
// With "Pulse Output" on (newer series) the cams' off times are not used: the
// general page tells every cam page of a change at once, and a cam page not
// shown yet takes the state when it initialises, so the state reaches each
// cam page whether its window exists or not.
#pragma once

#include "pages/block_param_page.h"

class CWeeklyCams1;

class CWeeklyGeneral : public CBlockParamPage {
 public:
  static constexpr int kTemplate = 4556;
  static constexpr int kIdPulseOutput = 1076;

  CWeeklyGeneral();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The cam pages that follow the pulse output (the sheet's).
  void AddCam(CWeeklyCams1* cam) { m_cams.push_back(cam); }

  int m_bPulseOutput = 0;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnPulseOutput();

 private:
  std::vector<CWeeklyCams1*> m_cams;
};

class CWeeklyCams1 : public CBlockParamPage, public WeeklyValues::Cam {
 public:
  static constexpr int kTemplate = 4555;
  static constexpr int kIdFirstDay = 1049;  // 1049 Monday .. 1055 Sunday
  static constexpr int kIdOnHour = 1058, kIdOnHourSpin = 1060, kIdOnMinute = 1019, kIdOnMinuteSpin = 1020;
  static constexpr int kIdOnDisable = 1056;
  static constexpr int kIdOffHour = 1062, kIdOffHourSpin = 1063, kIdOffMinute = 1021, kIdOffMinuteSpin = 1022;
  static constexpr int kIdOffDisable = 1065;
  static constexpr int kMaxHour = 23, kMaxMinute = 59;

  // The cam 0..2 the page edits.
  explicit CWeeklyCams1(int cam = 0);
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The general page's pulse output: with it on (newer series) the whole off
  // time, its "Disable" too, is disabled; applied now when the page is shown,
  // else when it initialises.
  void SetPulseOutput(bool on);
  void EnableOffTime(bool enable);

  int Cam() const { return m_nCam; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void Clamp(int id, int most);
  void EnableOnTime(bool enable);
  bool PulseOutputApplies() const;

 private:
  int m_nCam;
  bool m_bPulseOutput = false;
};
