// Data and bit operation blocks (830-846).
#pragma once

#include <vector>

#include "model/block_obj.h"

// Boolean function of four inputs by truth table (830).
class CBlockBoolean : public CBlockObj {
  DECLARE_SERIAL(CBlockBoolean)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_nParam24 = m_nParam24; }
  static constexpr BYTE kCaps = 0x06;

  CBlockBoolean();
  explicit CBlockBoolean(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Trigger date time (831).
class CBlockTDT : public CBlockObj {
  DECLARE_SERIAL(CBlockTDT)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockTDT();
  explicit CBlockTDT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Binary-coded decimal (832).
class CBlockBCD : public CBlockObj {
  DECLARE_SERIAL(CBlockBCD)

 public:
  static constexpr BYTE kCaps = 0x39;

  CBlockBCD();
  explicit CBlockBCD(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Binary code (833).
class CBlockBIN : public CBlockObj {
  DECLARE_SERIAL(CBlockBIN)

 public:
  static constexpr BYTE kCaps = 0x39;

  CBlockBIN();
  explicit CBlockBIN(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Left rotation (834).
class CBlockROL : public CBlockObj {
  DECLARE_SERIAL(CBlockROL)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockROL();
  explicit CBlockROL(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Right rotation (835).
class CBlockROR : public CBlockObj {
  DECLARE_SERIAL(CBlockROR)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockROR();
  explicit CBlockROR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Left shift (836).
class CBlockSHL : public CBlockObj {
  DECLARE_SERIAL(CBlockSHL)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSHL();
  explicit CBlockSHL(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Right shift (837).
class CBlockSHR : public CBlockObj {
  DECLARE_SERIAL(CBlockSHR)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSHR();
  explicit CBlockSHR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// AND mask (838).
class CBlockANDM : public CBlockObj {
  DECLARE_SERIAL(CBlockANDM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockANDM();
  explicit CBlockANDM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// OR mask (839).
class CBlockORM : public CBlockObj {
  DECLARE_SERIAL(CBlockORM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockORM();
  explicit CBlockORM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// NOT mask (no mask parameter; input pin 1 is not drawn) (840).
class CBlockNOTM : public CBlockObj {
  DECLARE_SERIAL(CBlockNOTM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3D;

  CBlockNOTM();
  explicit CBlockNOTM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// NAND mask (841).
class CBlockNANDM : public CBlockObj {
  DECLARE_SERIAL(CBlockNANDM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockNANDM();
  explicit CBlockNANDM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// NOR mask (842).
class CBlockNORM : public CBlockObj {
  DECLARE_SERIAL(CBlockNORM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockNORM();
  explicit CBlockNORM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// XOR mask (843).
class CBlockXORM : public CBlockObj {
  DECLARE_SERIAL(CBlockXORM)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockXORM();
  explicit CBlockXORM(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Maximum, minimum or average of a range of analog operands (844).
class CBlockARRMXIV : public CBlockObj {
  DECLARE_SERIAL(CBlockARRMXIV)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockARRMXIV();
  explicit CBlockARRMXIV(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
  void ForgetBlock(const CBlockObj* block) override;
  void ListKeptBlocks(std::vector<const CBlockObj*>& out) const override;

 private:
  // The operands of the range in list order, found once and kept while the
  // view's link generation, the kind and the range stay the same (not owned).
  std::vector<const CBlockObj*> m_rangeBlocks;
  unsigned long long m_nRangeGeneration = 0;
  const CRuntimeClass* m_pRangeKind = nullptr;
  int m_nRangeFirst = 0;
  int m_nRangeLast = -1;
};

// Maximum, minimum or average of two words (845).
class CBlockACMXIV : public CBlockObj {
  DECLARE_SERIAL(CBlockACMXIV)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockACMXIV();
  explicit CBlockACMXIV(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Random number (846).
class CBlockRAND : public CBlockObj {
  DECLARE_SERIAL(CBlockRAND)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockRAND();
  explicit CBlockRAND(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};
