// Extended function blocks (847-854).
#pragma once

#include "model/block_obj.h"

// Memory block bound to a parameter of another block (847).
class CBlockMEM : public CBlockObj {
  DECLARE_SERIAL(CBlockMEM)

 public:
  static constexpr BYTE kCaps = 0x21;

  CBlockMEM();
  explicit CBlockMEM(int typeCode);
};

// Quadrature encoder counter (848).
class CBlockENCODER : public CBlockObj {
  DECLARE_SERIAL(CBlockENCODER)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockENCODER();
  explicit CBlockENCODER(int typeCode);
};

// Stepping motor control (849).
class CBlockSMC : public CBlockObj {
  DECLARE_SERIAL(CBlockSMC)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockSMC();
  explicit CBlockSMC(int typeCode);
};

// Stepping motor control, edge triggered (850).
class CBlockSMCE : public CBlockObj {
  DECLARE_SERIAL(CBlockSMCE)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockSMCE();
  explicit CBlockSMCE(int typeCode);
};

// Pulse train output (851).
class CBlockPTO : public CBlockObj {
  DECLARE_SERIAL(CBlockPTO)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockPTO();
  explicit CBlockPTO(int typeCode);
};

// Pulse train output, edge triggered (852).
class CBlockPTOE : public CBlockObj {
  DECLARE_SERIAL(CBlockPTOE)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockPTOE();
  explicit CBlockPTOE(int typeCode);
};

// Seven-segment display decoder (853).
class CBlockSEG : public CBlockObj {
  DECLARE_SERIAL(CBlockSEG)

 public:
  static constexpr BYTE kCaps = 0x3C;

  CBlockSEG();
  explicit CBlockSEG(int typeCode);
};

// Word to bit (854).
class CBlockWORD2BIT : public CBlockObj {
  DECLARE_SERIAL(CBlockWORD2BIT)

 public:
  static constexpr BYTE kCaps = 0x0E;

  CBlockWORD2BIT();
  explicit CBlockWORD2BIT(int typeCode);
};
