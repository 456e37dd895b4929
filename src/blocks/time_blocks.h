// Time functions (400-413).
#pragma once

#include "model/block_obj.h"

// CBlockTime: the common base of the time functions 400-413. It holds the
// timing phases and the weekly timer's cam table, which every time block
// carries in its file record. It has no type code of its own.
class CBlockTime : public CBlockObj {
  DECLARE_SERIAL(CBlockTime)

 public:
  static constexpr int kCams = 3;
  static constexpr int kWeekDays = 7;

  CBlockTime();

  int m_bTiming = 0;                      // the main timing phase is active
  int m_bSecondPhase = 0;                 // the second timing phase is active
  int m_bPresetShown = 0;                 // the block shows its preset after the timing ended
  int m_nCamDays[kCams][kWeekDays] = {};  // weekly timer: per cam and weekday (Sunday first) 1 = on
  int m_nCamOn[kCams][2] = {};            // per cam: on time as hour, minute
  int m_bCamOnUnset[kCams] = {1, 1, 1};   // 1 = the cam has no on time
  int m_nCamOff[kCams][2] = {};           // per cam: off time as hour, minute
  int m_bCamOffUnset[kCams] = {1, 1, 1};  // 1 = the cam has no off time

 protected:
  // Typed constructor of the subclasses: both presets 0:00 in unit 2, range 0..99.
  CBlockTime(int typeCode, int inputCount);
};

// On-delay (400).
class CBlockDPR : public CBlockTime {
  DECLARE_SERIAL(CBlockDPR)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockDPR();
  explicit CBlockDPR(int typeCode);
};

// Off-delay with reset (401).
class CBlockDDR : public CBlockTime {
  DECLARE_SERIAL(CBlockDDR)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockDDR();
  explicit CBlockDDR(int typeCode);
};

// On-/off-delay (402).
class CBlockMPLR : public CBlockTime {
  DECLARE_SERIAL(CBlockMPLR)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockMPLR();
  explicit CBlockMPLR(int typeCode);
};

// Retentive on-delay with reset (403).
class CBlockPLR : public CBlockTime {
  DECLARE_SERIAL(CBlockPLR)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockPLR();
  explicit CBlockPLR(int typeCode);
};

// Wiping relay (pulse output) (404).
class CBlockCPG : public CBlockTime {
  DECLARE_SERIAL(CBlockCPG)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockCPG();
  explicit CBlockCPG(int typeCode);
};

// Edge-triggered wiping relay (pulse train) (405).
class CBlockRPR : public CBlockTime {
  DECLARE_SERIAL(CBlockRPR)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockRPR();
  explicit CBlockRPR(int typeCode);

  int m_nPulseCount = -1;  // pulses completed in the current train, -1 before the first
  int m_nPulseLimit = 0;   // copy of m_nParam17 taken when the train starts
};

// Asynchronous pulse generator (406).
class CBlockAPG : public CBlockTime {
  DECLARE_SERIAL(CBlockAPG)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockAPG();
  explicit CBlockAPG(int typeCode);

  int m_bLastPhaseOn = 0;  // the pulse phase (not the pause) ran when En last fell
};

// Random on/off delay generator (407).
class CBlockRG : public CBlockTime {
  DECLARE_SERIAL(CBlockRG)

 public:
  static constexpr BYTE kCaps = 0x06;

  CBlockRG();
  explicit CBlockRG(int typeCode);

  int m_nOnDelaySec = 0;  // current random on-delay: seconds and hundredths
  int m_nOnDelayHund = 0;
  int m_nOffDelaySec = 0;  // current random off-delay
  int m_nOffDelayHund = 0;
};

// Stairway lighting switch with pre-warning (408).
class CBlockSLS : public CBlockTime {
  DECLARE_SERIAL(CBlockSLS)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockSLS();
  explicit CBlockSLS(int typeCode);

  BYTE m_byWarnState = 0;  // pre-warning: 0 none yet, 1 warning pulse, 2 done
};

// Multiple function switch (409).
class CBlockMFS : public CBlockTime {
  DECLARE_SERIAL(CBlockMFS)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockMFS();
  explicit CBlockMFS(int typeCode);

  int m_nState = 0;        // 0 idle, 1 held, 2 stairway time, 3 permanent light, 4 expired
  BYTE m_byWarnState = 0;  // pre-warning: 0 none yet, 1 warning pulse, 2 done
};

// Weekly timer with three cams (410).
class CBlockWT : public CBlockTime {
  DECLARE_SERIAL(CBlockWT)

 public:
  static constexpr BYTE kCaps = 0x06;

  CBlockWT();
  explicit CBlockWT(int typeCode);
};

// Yearly timer (411).
class CBlockYT : public CBlockTime {
  DECLARE_SERIAL(CBlockYT)

 public:
  static constexpr BYTE kCaps = 0x06;

  CBlockYT();
  explicit CBlockYT(int typeCode);
};

// Astronomical clock (412).
class CBlockAC : public CBlockTime {
  DECLARE_SERIAL(CBlockAC)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockAC();
  explicit CBlockAC(int typeCode);
};

// Stopwatch (413).
class CBlockSW : public CBlockTime {
  DECLARE_SERIAL(CBlockSW)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockSW();
  explicit CBlockSW(int typeCode);
};
