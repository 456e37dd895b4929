// Analog functions (803-807, 815-822).
#pragma once

#include "model/block_obj.h"

// CBlockAnalog: the common base of the analog functions 803-807 and 815-822.
// It holds the analog scaling, two thresholds, the PI controller's settings
// and the computed values. It has no type code of its own.
class CBlockAnalog : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalog)

 public:
  CBlockAnalog();

  int m_nSensor = 0;    // sensor selection
  int m_nRangeMin = 0;  // measurement range
  int m_nRangeMax = 1000;
  double m_dGain = 1.0;   // gain applied to analog inputs
  int m_nOffset = 0;      // offset added after the gain
  int m_nThreshold1 = 0;  // on threshold / threshold 1 / upper deviation / L1 / SP / range minimum
  int m_nThreshold2 = 0;  // off threshold / threshold 2 / lower deviation / delta / L2 / Mq / range maximum
  int m_nPoint = 0;       // decimal places shown
  int m_nOption1 = 0;     // page settings, not read by the simulation
  int m_nOption2 = 1;
  int m_nResult = 0;       // the block's analog result (computed)
  int m_nEnableValue = 0;  // watchdog: scaled input captured when En rose (computed)
  int m_nScaledX = 0;      // scaled input Ax (computed)
  int m_nScaledY = 0;      // scaled input Ay of the comparator (computed)
  int m_nOption3 = 0;      // page setting of the PI family
  double m_dKc = 0.5;      // PI: proportional gain
  int m_nOption4 = 1;      // page setting of the PI family
  int m_nTiMinutes = 0;    // PI: integral time
  int m_nTiSeconds = 30;
  int m_nSelect = 0;  // PI: direction (0 "+"); PWM: output channel (4 none)

 protected:
  // Typed constructor of the subclasses: value range -20000..20000.
  CBlockAnalog(int typeCode, int inputCount);
};

// Analog comparator (803).
class CBlockACOMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockACOMP)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockACOMP();
  explicit CBlockACOMP(int typeCode);
};

// Analog threshold trigger (804).
class CBlockATHTRG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockATHTRG)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockATHTRG();
  explicit CBlockATHTRG(int typeCode);
};

// Analog amplifier (805).
class CBlockAAMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAAMP)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockAAMP();
  explicit CBlockAAMP(int typeCode);
};

// Analog watchdog (806).
class CBlockAWDOG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAWDOG)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockAWDOG();
  explicit CBlockAWDOG(int typeCode);
};

// Analog differential trigger (807).
class CBlockADTRG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockADTRG)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockADTRG();
  explicit CBlockADTRG(int typeCode);
};

// Analog math formula (815).
class CBlockAMATH : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAMATH)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockAMATH();
  explicit CBlockAMATH(int typeCode);
};

// Analog multiplexer (816).
class CBlockAMUX : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAMUX)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockAMUX();
  explicit CBlockAMUX(int typeCode);
};

// Analog ramp (817).
class CBlockARAMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockARAMP)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockARAMP();
  explicit CBlockARAMP(int typeCode);
};

// PI controller (818).
class CBlockPI : public CBlockAnalog {
  DECLARE_SERIAL(CBlockPI)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockPI();
  explicit CBlockPI(int typeCode);
};

// Pulse-width modulator (819).
class CBlockPWM : public CBlockAnalog {
  DECLARE_SERIAL(CBlockPWM)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockPWM();
  explicit CBlockPWM(int typeCode);
};

// Analog filter (820).
class CBlockAFILTER : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAFILTER)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockAFILTER();
  explicit CBlockAFILTER(int typeCode);
};

// Max/min (821).
class CBlockMAXMIN : public CBlockAnalog {
  DECLARE_SERIAL(CBlockMAXMIN)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockMAXMIN();
  explicit CBlockMAXMIN(int typeCode);
};

// Average value (822).
class CBlockAVGVAL : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAVGVAL)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockAVGVAL();
  explicit CBlockAVGVAL(int typeCode);
};
