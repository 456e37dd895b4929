// Math function blocks (860-879).
#pragma once

#include "model/block_obj.h"

// Odd number test (860).
class CBlockODD : public CBlockObj {
  DECLARE_SERIAL(CBlockODD)

 public:
  static constexpr BYTE kCaps = 0x04;

  CBlockODD();
  explicit CBlockODD(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Even number test (861).
class CBlockEVEN : public CBlockObj {
  DECLARE_SERIAL(CBlockEVEN)

 public:
  static constexpr BYTE kCaps = 0x04;

  CBlockEVEN();
  explicit CBlockEVEN(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Modulo (862).
class CBlockMOD : public CBlockObj {
  DECLARE_SERIAL(CBlockMOD)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockMOD();
  explicit CBlockMOD(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Remainder (863).
class CBlockREM : public CBlockObj {
  DECLARE_SERIAL(CBlockREM)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockREM();
  explicit CBlockREM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Logarithm; base m_nParam11: 0 e, 1 2, 2 10 (the default) (864).
class CBlockLOG : public CBlockObj {
  DECLARE_SERIAL(CBlockLOG)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockLOG();
  explicit CBlockLOG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Square root (865).
class CBlockSQRT : public CBlockObj {
  DECLARE_SERIAL(CBlockSQRT)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSQRT();
  explicit CBlockSQRT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Absolute value (866).
class CBlockABS : public CBlockObj {
  DECLARE_SERIAL(CBlockABS)

 public:
  static constexpr BYTE kCaps = 0x3D;

  CBlockABS();
  explicit CBlockABS(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Greatest common divisor (867).
class CBlockGCD : public CBlockObj {
  DECLARE_SERIAL(CBlockGCD)

 public:
  static constexpr BYTE kCaps = 0x3D;

  CBlockGCD();
  explicit CBlockGCD(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Least common multiple (868).
class CBlockLCM : public CBlockObj {
  DECLARE_SERIAL(CBlockLCM)

 public:
  static constexpr BYTE kCaps = 0x3D;

  CBlockLCM();
  explicit CBlockLCM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// 2's nth power (869).
class CBlockPOW2 : public CBlockObj {
  DECLARE_SERIAL(CBlockPOW2)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockPOW2();
  explicit CBlockPOW2(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// e's nth power (870).
class CBlockEXP : public CBlockObj {
  DECLARE_SERIAL(CBlockEXP)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockEXP();
  explicit CBlockEXP(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Fixed-point truncation (871).
class CBlockFIX : public CBlockObj {
  DECLARE_SERIAL(CBlockFIX)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockFIX();
  explicit CBlockFIX(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Round-off (872).
class CBlockROUND : public CBlockObj {
  DECLARE_SERIAL(CBlockROUND)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockROUND();
  explicit CBlockROUND(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Sine (873).
class CBlockSIN : public CBlockObj {
  DECLARE_SERIAL(CBlockSIN)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSIN();
  explicit CBlockSIN(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Cosine (874).
class CBlockCOS : public CBlockObj {
  DECLARE_SERIAL(CBlockCOS)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockCOS();
  explicit CBlockCOS(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Tangent (875).
class CBlockTAN : public CBlockObj {
  DECLARE_SERIAL(CBlockTAN)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockTAN();
  explicit CBlockTAN(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Cotangent (876).
class CBlockCOT : public CBlockObj {
  DECLARE_SERIAL(CBlockCOT)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockCOT();
  explicit CBlockCOT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Secant (877).
class CBlockSEC : public CBlockObj {
  DECLARE_SERIAL(CBlockSEC)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSEC();
  explicit CBlockSEC(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Cosecant (878).
class CBlockCSC : public CBlockObj {
  DECLARE_SERIAL(CBlockCSC)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockCSC();
  explicit CBlockCSC(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Quadratic equation a*x^2 + b*x + c = y (879).
class CBlockQUAD : public CBlockObj {
  DECLARE_SERIAL(CBlockQUAD)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_dParam = m_dParam; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockQUAD();
  explicit CBlockQUAD(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};
