// Counters and frequency trigger (800-802).
#pragma once

#include "model/block_obj.h"

// Up/down counter with on and off thresholds (800).
class CBlockCOUNTER : public CBlockObj {
  DECLARE_SERIAL(CBlockCOUNTER)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockCOUNTER();
  explicit CBlockCOUNTER(int typeCode);
};

// Operating-hours counter with maintenance interval (801).
class CBlockHCOUNTER : public CBlockObj {
  DECLARE_SERIAL(CBlockHCOUNTER)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockHCOUNTER();
  explicit CBlockHCOUNTER(int typeCode);

  int m_nLastStart = 0;         // last computed start value of the remaining time
  int m_nRemaining = 0;         // MN: minutes remaining to maintenance
  int m_nOperating = 0;         // OT: operating minutes in total
  int m_nOperatingAtStart = 0;  // OT when the current run began
  SYSTEMTIME m_stRunStart;      // simulated time at which the current run began
};

// Frequency (threshold) trigger (802).
class CBlockTHTRG : public CBlockObj {
  DECLARE_SERIAL(CBlockTHTRG)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockTHTRG();
  explicit CBlockTHTRG(int typeCode);

  int m_nMeasured = 0;     // pulses of the last completed gate time
  int m_nPulses = 0;       // pulses counted in the running gate time
  int m_bGateRunning = 0;  // a gate time is running
};
