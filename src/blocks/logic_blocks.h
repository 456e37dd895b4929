// Basic logic functions (300-307): one class for all eight gates.
#pragma once

#include "model/block_obj.h"

// AND, AND(Edge), NAND, NAND(Edge), OR, NOR, XOR and NOT. The code decides the
// number of inputs and whether the output is negated.
class CBlockLogic : public CBlockObj {
  DECLARE_SERIAL(CBlockLogic)

 public:
  void StartSimulation(const SimEvent& ev) override;
  bool OpenInputReadsOne() const override;
  bool IsLogicGate() const override { return true; }
  static constexpr BYTE kCaps = 0x00;

  CBlockLogic();
  explicit CBlockLogic(int typeCode, const BlockContext& ctx = {});

  // Number of inputs of a gate code: 4, 2 for XOR (306), 1 for NOT (307).
  static int InputCountOf(int typeCode);

  // Common record followed by m_nLogicFlag.
  void Serialize(CArchive& ar) override;
  // One scan: read the inputs, combine them by the code, hand a changed output
  // to the ladder contacts. Returns TRUE.
  BOOL Simulate(CViewContext* view) override;
  // Sets the output m_nValue[10] from the input values by the gate's code.
  void Evaluate(CViewContext* view);

  int m_nLogicFlag = 1;  // kept in the record
};
