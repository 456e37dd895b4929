// Ladder elements (700-705) and the left power bus of a ladder diagram (951).
//
// A contact passes its rung input to its output while it is closed; a coil
// takes its rung state and closes or opens the contacts that address it
// (CBlockObj::PropagateToContacts). An analog output element keeps the 16-bit
// value at its input. None of them stores more than the common block record.
#pragma once

#include "blocks/operand_blocks.h"
#include "model/block_obj.h"

// Make contact (700); the base of the break contact.
class CBlockMake : public CBlockObj {
  DECLARE_SERIAL(CBlockMake)

 public:
  void StartSimulation(const SimEvent& ev) override;
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  bool OwnsOperandName() const override;
  CString GetLabelText(const CZaradDoc* doc) const override;
  void TakeAddressedState(int state) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockMake();
  explicit CBlockMake(int typeCode, const BlockContext& ctx = {});

  // The common block record alone.
  void Serialize(CArchive& ar) override;
  // On a change of the rung input the output becomes the input while the
  // contact is closed, else 0. A change of the contact state alone is written
  // by the coil (or the view's click on an input contact).
  BOOL Simulate(CViewContext* view) override;
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;  // blocks/family_draw.cpp
};

// Break contact (701): closed while its operand is off.
class CBlockBreak : public CBlockMake {
  DECLARE_SERIAL(CBlockBreak)

 public:
  void TakeAddressedState(int state) override;
  CBlockBreak();
  explicit CBlockBreak(int typeCode, const BlockContext& ctx = {});
};

// Analog contact (702).
class CBlockAContact : public CBlockObj {
  DECLARE_SERIAL(CBlockAContact)

 public:
  void LeaveSimulation(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  int GetEvalGroup() const override { return EVAL_GROUP_OPERAND; }
  bool OwnsOperandName() const override;
  CString GetLabelText(const CZaradDoc* doc) const override;
  // An analog input reads its own word; any other operand the word of the element it addresses.
  short GetOutputWord(const BlockLookup& find) const override;
  static constexpr BYTE kCaps = 0x2F;

  CBlockAContact();
  explicit CBlockAContact(int typeCode, const BlockContext& ctx = {});

  // Reads its rung input when it is wired; its analog value is read through it.
  BOOL Simulate(CViewContext* view) override;
};

// Relay coil (703); the base of the inverted output. No output pin.
class CBlockRelayCoil : public CBlockObj {
  DECLARE_SERIAL(CBlockRelayCoil)

 public:
  int GetEvalGroup() const override { return EVAL_GROUP_OUTPUT; }
  bool OwnsOperandName() const override;
  CString GetLabelText(const CZaradDoc* doc) const override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockRelayCoil();
  explicit CBlockRelayCoil(int typeCode, const BlockContext& ctx = {});

  // On a change of the rung input the coil takes the rung state (negated for
  // an inverted output) and hands it to the contacts that address the coil.
  // A coil that drives an open connector (X) never changes.
  BOOL Simulate(CViewContext* view) override;
};

// Inverted output (704).
class CBlockInvOut : public CBlockRelayCoil {
  DECLARE_SERIAL(CBlockInvOut)

 public:
  void StartSimulation(const SimEvent& ev) override;
  CBlockInvOut();
  explicit CBlockInvOut(int typeCode, const BlockContext& ctx = {});
};

// Ladder analog output (705): one output pin of type 0, which is not drawn.
class CBlockAOutLAD : public CBlockObj {
  DECLARE_SERIAL(CBlockAOutLAD)

 public:
  void StartSimulation(const SimEvent& ev) override;
  int GetEvalGroup() const override { return EVAL_GROUP_ANALOG_OUTPUT; }
  bool OwnsOperandName() const override;
  CString GetLabelText(const CZaradDoc* doc) const override;
  short GetAddressedWord() const override { return static_cast<short>(m_nWordValue); }
  static constexpr BYTE kCaps = 0x2F;

  CBlockAOutLAD();
  explicit CBlockAOutLAD(int typeCode, const BlockContext& ctx = {});

  // Takes the sign-extended 16-bit value at pin 0 into m_nWordValue and marks
  // input 0 changed when it differs.
  BOOL Simulate(CViewContext* view) override;
};

// Left power bus of a ladder diagram (951): a status 1 block without pins at a
// fixed place, numbered -1. The document keeps it in its own list.
class CPowerBusObj : public CBlockHigh {
  DECLARE_SERIAL(CPowerBusObj)

 public:
  int GetBodyHitMargin() const override { return kPowerBusHitMargin; }
  static constexpr int kNumber = -1;
  static constexpr CPoint kPosition{24, 20};

  CPowerBusObj();
  explicit CPowerBusObj(int typeCode, const BlockContext& ctx = {});
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;  // blocks/family_draw.cpp
};

// True when the element's operand lies in the operand ranges whose user names
// the document forgets once the last element addressing them goes: contacts
// I, S, Low, High; analog contacts AI; coils Q, M, X; analog outputs AQ, AM.
bool IsNameCleanupOperand(const CBlockObj& element);  // element.OwnsOperandName()
