// Operand blocks: inputs, outputs, flags, keys, shift bits and analog operands.
#pragma once

#include "model/block_obj.h"

// Digital input I (600).
class CBlockIn : public CBlockObj {
  DECLARE_SERIAL(CBlockIn)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockIn();
  explicit CBlockIn(int typeCode);

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
  int m_bHighSpeed = 0;   // "High Speed" input of the device
};

// Shift-register bit S (602), driven by the shift register block.
class CBlockShift : public CBlockObj {
  DECLARE_SERIAL(CBlockShift)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockShift();
  explicit CBlockShift(int typeCode);
};

// Digital output Q (605).
class CBlockOut : public CBlockObj {
  DECLARE_SERIAL(CBlockOut)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockOut();
  explicit CBlockOut(int typeCode);
};

// Open connector X (606): an input without output.
class CBlockOpenX : public CBlockObj {
  DECLARE_SERIAL(CBlockOpenX)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockOpenX();
  explicit CBlockOpenX(int typeCode);
};

// Flag M (607).
class CBlockFlag : public CBlockObj {
  DECLARE_SERIAL(CBlockFlag)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockFlag();
  explicit CBlockFlag(int typeCode);
};

// Analog input AI (608).
class CBlockAnalogIn : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogIn)

 public:
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogIn();
  explicit CBlockAnalogIn(int typeCode);

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
};

// Analog output AQ (609).
class CBlockAnalogOut : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogOut)

 public:
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogOut();
  explicit CBlockAnalogOut(int typeCode);
};

// Analog flag AM (610).
class CBlockAnalogFlag : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogFlag)

 public:
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogFlag();
  explicit CBlockAnalogFlag(int typeCode);
};

// Function key F (611).
class CBlockFKey : public CBlockObj {
  DECLARE_SERIAL(CBlockFKey)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockFKey();
  explicit CBlockFKey(int typeCode);

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
};

// Status 0 (603): an output fixed at 0; the base of the status 1 block.
class CBlockLow : public CBlockObj {
  DECLARE_SERIAL(CBlockLow)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockLow();
  explicit CBlockLow(int typeCode);
};

// Status 1 (604): an output fixed at 1; the base of the ladder power bus.
class CBlockHigh : public CBlockLow {
  DECLARE_SERIAL(CBlockHigh)

 public:
  CBlockHigh();
  explicit CBlockHigh(int typeCode);
};
