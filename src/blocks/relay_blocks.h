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
  explicit CBlockLR(int typeCode, const BlockContext& ctx = {});

  // Inputs S and R: reset wins over set; neither keeps the output.
  BOOL Simulate(CViewContext* view) override;
};

// Pulse relay (809).
class CBlockPR : public CBlockObj {
  DECLARE_SERIAL(CBlockPR)

 public:
  static constexpr BYTE kCaps = 0x04;

  CBlockPR();
  explicit CBlockPR(int typeCode, const BlockContext& ctx = {});

  // Inputs Trg, S and R: S and R set and reset (m_nParam25 decides when both
  // are 1: 0 reset wins, else set wins); otherwise a rising Trg toggles.
  BOOL Simulate(CViewContext* view) override;
};

// Shift register of 16 bits (812).
class CBlockSREG : public CBlockObj {
  DECLARE_SERIAL(CBlockSREG)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_nParam24 = m_nParam24; }
  static constexpr BYTE kCaps = 0x04;

  CBlockSREG();
  explicit CBlockSREG(int typeCode, const BlockContext& ctx = {});

  static constexpr int kRegisterCount = 4;  // shift registers of the newer device series

  // Register index for a new shift register of doc: for the newer series the
  // lowest index 0..3 that no shift register of doc uses (0 when all are
  // taken); 0 for the older series and without a document.
  static int FreeRegisterIndex(const CZaradDoc* doc);

  static constexpr int kFirstBitOperand = 1000;  // shift-register bit operands 1000..1015
  static constexpr int kBitOperandType = 602;

  // Inputs In, Trg and Dir: a rising Trg shifts the register by one (Dir 0
  // towards bit 15 with In entering at bit 0, Dir 1 towards bit 0 with In
  // entering at bit 15); the output is bit m_nParam23, and the bit operands
  // 1000..1015 of the document show bits 0..15.
  BOOL Simulate(CViewContext* view) override;
  void ForgetBlock(const CBlockObj* block) override;
  void ListKeptBlocks(std::vector<const CBlockObj*>& out) const override;

  WORD m_wBits = 0;  // the register
};

// Math instruction error detection (823): watches the math block m_pRef[0]
// for the error kinds m_nParam9, with automatic reset m_nParam18. It is not
// evaluated in the simulation: the base Simulate leaves its output alone.
class CBlockMATHERR : public CBlockObj {
  DECLARE_SERIAL(CBlockMATHERR)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x1E;

  CBlockMATHERR();
  explicit CBlockMATHERR(int typeCode, const BlockContext& ctx = {});
};
