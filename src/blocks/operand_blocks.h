// Operand blocks: inputs, outputs, flags, keys, shift bits and analog operands.
#pragma once

#include <vector>

#include "model/block_obj.h"

// Digital input I (600).
class CBlockIn : public CBlockObj {
  DECLARE_SERIAL(CBlockIn)

 public:
  void StartSimulation(const SimEvent& ev) override;
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  void PrepareForPaste() override { m_bHighSpeed = 0; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockIn();
  explicit CBlockIn(int typeCode, const BlockContext& ctx = {});

  // Common record followed by m_bHighSpeed.
  void Serialize(CArchive& ar) override;
  // Reports a new state (or, as a frequency input, a new value) to the Inputs bar.
  BOOL Simulate(CViewContext* view) override;

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
  int m_bHighSpeed = 0;   // "High Speed" input of the device
};

// Shift-register bit S (602), driven by the shift register block.
class CBlockShift : public CBlockObj {
  DECLARE_SERIAL(CBlockShift)

 public:
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockShift();
  explicit CBlockShift(int typeCode, const BlockContext& ctx = {});
  void DrawStateText(CViewContext* view, CDC* dc) override;  // the block only (blocks/family_draw.cpp)
};

// Digital output Q (605).
class CBlockOut : public CBlockObj {
  DECLARE_SERIAL(CBlockOut)

 public:
  void ResetAtPowerReturn(const SimEvent& ev) override { m_nValue[kFirstOutputPin] = 0; }
  int GetEvalGroup() const override { return EVAL_GROUP_OUTPUT; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockOut();
  explicit CBlockOut(int typeCode, const BlockContext& ctx = {});

  // Copies the linked block's state (without negation) and reports a change to the Outputs bar.
  BOOL Simulate(CViewContext* view) override;
};

// Open connector X (606): an input without output.
class CBlockOpenX : public CBlockObj {
  DECLARE_SERIAL(CBlockOpenX)

 public:
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  int GetEvalGroup() const override { return EVAL_GROUP_OPEN_CONNECTOR; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockOpenX();
  explicit CBlockOpenX(int typeCode, const BlockContext& ctx = {});

  // The input takes the linked block's state (0 when open); there is no output.
  BOOL Simulate(CViewContext* view) override;
};

// Flag M (607).
class CBlockFlag : public CBlockObj {
  DECLARE_SERIAL(CBlockFlag)

 public:
  void ResetAtPowerReturn(const SimEvent& ev) override { m_nValue[kFirstOutputPin] = 0; }
  bool KeepsOverPowerCut() const override { return true; }
  int GetEvalGroup() const override { return EVAL_GROUP_FLAG; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockFlag();
  explicit CBlockFlag(int typeCode, const BlockContext& ctx = {});

  // Each input takes its linked block's state (without negation); the output is their OR.
  BOOL Simulate(CViewContext* view) override;
};

// Analog input AI (608).
class CBlockAnalogIn : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogIn)

 public:
  void LeaveSimulation(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  bool KeepsOverPowerCut() const override { return true; }
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  short GetOutputWord(const BlockLookup& find) const override { return static_cast<short>(m_nWordValue); }
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogIn();
  explicit CBlockAnalogIn(int typeCode, const BlockContext& ctx = {});

  // Reports a new simulated value to the Inputs bar.
  BOOL Simulate(CViewContext* view) override;
  // Drawing (blocks/family_draw.cpp): the value box under the body.
  void DrawValueBox(CDC* dc, CViewContext* view) override;
  // Lines of the value box under the body: m_nSimValue, then m_nWordValue when
  // it is 0 or more, each formatted "%-6d".
  std::vector<CString> GetValueBoxLines() const;

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
};

// Analog output AQ (609).
class CBlockAnalogOut : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogOut)

 public:
  void StartSimulation(const SimEvent& ev) override;
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  bool KeepsOverPowerCut() const override { return true; }
  int GetEvalGroup() const override { return EVAL_GROUP_ANALOG_OUTPUT; }
  short GetOutputWord(const BlockLookup& find) const override { return static_cast<short>(m_nWordValue); }
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogOut();
  explicit CBlockAnalogOut(int typeCode, const BlockContext& ctx = {});

  // Takes the input word and reports a change to the Outputs bar.
  BOOL Simulate(CViewContext* view) override;
};

// Analog flag AM (610).
class CBlockAnalogFlag : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalogFlag)

 public:
  void StartSimulation(const SimEvent& ev) override;
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  int GetEvalGroup() const override { return EVAL_GROUP_ANALOG_FLAG; }
  short GetOutputWord(const BlockLookup& find) const override { return static_cast<short>(m_nWordValue); }
  static constexpr BYTE kCaps = 0x2F;

  CBlockAnalogFlag();
  explicit CBlockAnalogFlag(int typeCode, const BlockContext& ctx = {});

  // Takes the input word; a change sets m_bChanged[0], which stays set.
  BOOL Simulate(CViewContext* view) override;
};

// Function key F (611).
class CBlockFKey : public CBlockObj {
  DECLARE_SERIAL(CBlockFKey)

 public:
  void StartSimulation(const SimEvent& ev) override;
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockFKey();
  explicit CBlockFKey(int typeCode, const BlockContext& ctx = {});

  // As the digital input: reports changes to the Inputs bar.
  BOOL Simulate(CViewContext* view) override;

  int m_nShownValue = 0;  // simulated value last reported to the Inputs bar
};

// Status 0 (603): an output fixed at 0; the base of the status 1 block.
class CBlockLow : public CBlockObj {
  DECLARE_SERIAL(CBlockLow)

 public:
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockLow();
  explicit CBlockLow(int typeCode, const BlockContext& ctx = {});
  void DrawStateText(CViewContext* view, CDC* dc) override;  // the block only (blocks/family_draw.cpp)
};

// Status 1 (604): an output fixed at 1; the base of the ladder power bus.
class CBlockHigh : public CBlockLow {
  DECLARE_SERIAL(CBlockHigh)

 public:
  void StartSimulation(const SimEvent& ev) override;
  CBlockHigh();
  explicit CBlockHigh(int typeCode, const BlockContext& ctx = {});
};
