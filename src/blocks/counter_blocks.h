// Counters and frequency trigger (800-802).
//
// None of them stores anything beyond the common block record: counts,
// totals and measured values live only in memory.
#pragma once

#include <vector>

#include "model/block_eval.h"
#include "model/block_obj.h"

// Up/down counter with on and off thresholds (800): inputs R, Cnt, Dir and
// the parameter pin. m_dValue is the count, m_nParam8 the start value,
// m_nParam10 / m_pRef[0] the on and m_nParam15 / m_pRef[1] the off threshold.
class CBlockCOUNTER : public CBlockObj {
  DECLARE_SERIAL(CBlockCOUNTER)

 public:
  void StartSimulation(const SimEvent& ev) override;
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_nParam8 = m_nParam8; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 2; }
  static constexpr BYTE kCaps = 0x1F;
  static constexpr int kCountLimit = 999999;  // referenced thresholds are clamped to 0..999999

  CBlockCOUNTER();
  explicit CBlockCOUNTER(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;  // blocks/family_draw.cpp

  // The value box line: "%6ld" of the count.
  std::vector<CString> GetValueBoxLines() const;
};

// Operating-hours counter with maintenance interval (801): inputs R, En, Ral
// and the parameter pin. MI is m_nParam10:m_nParam9 (or m_pRef[0] in hours),
// the operating time preset m_nParam15:m_nParam14, m_nParam18 the Q reset mode.
class CBlockHCOUNTER : public CBlockObj {
  DECLARE_SERIAL(CBlockHCOUNTER)

 public:
  void ResetAtPowerReturn(const SimEvent& ev) override;
  void StartRun(const SimEvent& ev) override;
  void PassOverPause(LONGLONG ms) override { m_stRunStart = AddMs(m_stRunStart, ms); }
  // A run begins now when En is 1 and R and Ral are 0.
  void StartHoursRun(const SYSTEMTIME& now);
  void StartSimulation(const SimEvent& ev) override;
  void FormatTimeText(CViewContext* view, CString* out) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x1E;
  static constexpr int kOperatingLimit = 6000000;  // 100000 hours in minutes
  static constexpr int kOperatingCap = 5999940;    // 99999 hours in minutes
  static constexpr int kMaxReferencedHours = 9999;

  CBlockHCOUNTER();
  explicit CBlockHCOUNTER(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;  // blocks/family_draw.cpp

  // Start value of the remaining time in minutes (MI less the operating time
  // preset modulo MI, or the referenced interval).
  int ComputeStartValue();
  // The three value box lines: "MI=...", "MN=%5ldh%2ldm", "OT=%5ldh%2ldm".
  std::vector<CString> GetValueBoxLines() const;

  int m_nLastStart = 0;         // last computed start value of the remaining time
  int m_nRemaining = 0;         // MN: minutes remaining to maintenance
  int m_nOperating = 0;         // OT: operating minutes in total
  int m_nOperatingAtStart = 0;  // OT when the current run began
  SYSTEMTIME m_stRunStart;      // simulated time at which the current run began
};

// Frequency (threshold) trigger (802): input Fre and the parameter pin.
// On threshold m_nParam10, off threshold m_nParam9 (pulses per gate time);
// gate time m_nParam15 s + m_nParam14 hundredths, or m_pRef[0] in milliseconds.
class CBlockTHTRG : public CBlockObj {
  DECLARE_SERIAL(CBlockTHTRG)

 public:
  void ResetAtPowerReturn(const SimEvent& ev) override;
  void StartRun(const SimEvent& ev) override { m_nMeasured = 0; }
  void StartSimulation(const SimEvent& ev) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x1F;

  CBlockTHTRG();
  explicit CBlockTHTRG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;  // blocks/family_draw.cpp
  // Brings m_dValue (ms of the running gate time) up to date; 1 when the gate
  // time has passed, with m_dValue then holding the gate time.
  virtual int IsGateTimeElapsed(CViewContext* view, int flag);

  // The gate time in milliseconds.
  double GetGateTimeMs();
  // The two value box lines: "%6ld" of the measured count and the gate time
  // elapsed as "%02d:%02ds".
  std::vector<CString> GetValueBoxLines() const;

  int m_nMeasured = 0;     // pulses of the last completed gate time
  int m_nPulses = 0;       // pulses counted in the running gate time
  int m_bGateRunning = 0;  // a gate time is running
};
