// Relays, shift register and math error detection (808, 809, 812, 823).
#pragma once

#include "model/block_obj.h"

class CZaradDoc;

// Latching relay (808).
class CBlockLR : public CBlockObj {
  DECLARE_SERIAL(CBlockLR)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockLR();
  explicit CBlockLR(int typeCode);
};

// Pulse relay (809).
class CBlockPR : public CBlockObj {
  DECLARE_SERIAL(CBlockPR)

 public:
  static constexpr BYTE kCaps = 0x04;

  CBlockPR();
  explicit CBlockPR(int typeCode);
};

// Shift register of 16 bits (812).
class CBlockSREG : public CBlockObj {
  DECLARE_SERIAL(CBlockSREG)

 public:
  static constexpr BYTE kCaps = 0x04;

  CBlockSREG();
  explicit CBlockSREG(int typeCode);

  static constexpr int kRegisterCount = 4;  // shift registers of the newer device series

  // Register index for a new shift register of doc: for the newer series the
  // lowest index 0..3 that no shift register of doc uses (0 when all are
  // taken); 0 for the older series and without a document.
  static int FreeRegisterIndex(const CZaradDoc* doc);

  WORD m_wBits = 0;  // the register
};

// Math instruction error detection (823).
class CBlockMATHERR : public CBlockObj {
  DECLARE_SERIAL(CBlockMATHERR)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockMATHERR();
  explicit CBlockMATHERR(int typeCode);
};
