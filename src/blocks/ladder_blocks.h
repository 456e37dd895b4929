// Ladder elements (700-705) and the left power bus of a ladder diagram (951).
#pragma once

#include "blocks/operand_blocks.h"
#include "model/block_obj.h"

// Make contact (700); the base of the break contact.
class CBlockMake : public CBlockObj {
  DECLARE_SERIAL(CBlockMake)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockMake();
  explicit CBlockMake(int typeCode);
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;  // blocks/family_draw.cpp
};

// Break contact (701): closed while its operand is off.
class CBlockBreak : public CBlockMake {
  DECLARE_SERIAL(CBlockBreak)

 public:
  CBlockBreak();
  explicit CBlockBreak(int typeCode);
};

// Analog contact (702).
class CBlockAContact : public CBlockObj {
  DECLARE_SERIAL(CBlockAContact)

 public:
  static constexpr BYTE kCaps = 0x2F;

  CBlockAContact();
  explicit CBlockAContact(int typeCode);
};

// Relay coil (703); the base of the inverted output. No output pin.
class CBlockRelayCoil : public CBlockObj {
  DECLARE_SERIAL(CBlockRelayCoil)

 public:
  static constexpr BYTE kCaps = 0x0F;

  CBlockRelayCoil();
  explicit CBlockRelayCoil(int typeCode);
};

// Inverted output (704).
class CBlockInvOut : public CBlockRelayCoil {
  DECLARE_SERIAL(CBlockInvOut)

 public:
  CBlockInvOut();
  explicit CBlockInvOut(int typeCode);
};

// Ladder analog output (705): one output pin of type 0, which is not drawn.
class CBlockAOutLAD : public CBlockObj {
  DECLARE_SERIAL(CBlockAOutLAD)

 public:
  static constexpr BYTE kCaps = 0x2F;

  CBlockAOutLAD();
  explicit CBlockAOutLAD(int typeCode);
};

// Left power bus of a ladder diagram (951): a status 1 block without pins at a
// fixed place, numbered -1. The document keeps it in its own list.
class CPowerBusObj : public CBlockHigh {
  DECLARE_SERIAL(CPowerBusObj)

 public:
  static constexpr int kNumber = -1;
  static constexpr CPoint kPosition{24, 20};

  CPowerBusObj();
  explicit CPowerBusObj(int typeCode);
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;  // blocks/family_draw.cpp
};
