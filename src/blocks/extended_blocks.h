// Extended function blocks (847-854).
#pragma once

#include "model/block_obj.h"

// Seven-segment patterns of the digits 0-F: bit 0 segment a up to bit 6 segment g.
extern const BYTE g_SegmentPatterns[16];

// Memory block bound to a parameter of another block (847).
class CBlockMEM : public CBlockObj {
  DECLARE_SERIAL(CBlockMEM)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x21;

  CBlockMEM();
  explicit CBlockMEM(int typeCode, const BlockContext& ctx = {});
};

// Quadrature encoder counter (848).
class CBlockENCODER : public CBlockObj {
  DECLARE_SERIAL(CBlockENCODER)

 public:
  void LeaveSimulation(const SimEvent& ev) override;
  // The count back at its start value, the pair edge memories (pins 2, 3) clear.
  void ResetCount();
  void StartSimulation(const SimEvent& ev) override;
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_nParam8 = m_nParam8; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockENCODER();
  explicit CBlockENCODER(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Stepping motor control (849).
class CBlockSMC : public CBlockObj {
  DECLARE_SERIAL(CBlockSMC)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockSMC();
  explicit CBlockSMC(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Stepping motor control, edge triggered (850).
class CBlockSMCE : public CBlockObj {
  DECLARE_SERIAL(CBlockSMCE)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockSMCE();
  explicit CBlockSMCE(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  // 1 when the running output period is over, else 0.
  virtual BOOL IsPeriodElapsed(CViewContext* view);
};

// Pulse train output (851).
class CBlockPTO : public CBlockObj {
  DECLARE_SERIAL(CBlockPTO)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockPTO();
  explicit CBlockPTO(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Pulse train output, edge triggered (852).
class CBlockPTOE : public CBlockObj {
  DECLARE_SERIAL(CBlockPTOE)

 public:
  void LeaveSimulation(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockPTOE();
  explicit CBlockPTOE(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  // 1 when the running output period is over, else 0.
  virtual BOOL IsPeriodElapsed(CViewContext* view);
};

// Seven-segment display decoder (853).
class CBlockSEG : public CBlockObj {
  DECLARE_SERIAL(CBlockSEG)

 public:
  static constexpr BYTE kCaps = 0x3C;

  CBlockSEG();
  explicit CBlockSEG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// Word to bit (854).
class CBlockWORD2BIT : public CBlockObj {
  DECLARE_SERIAL(CBlockWORD2BIT)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockWORD2BIT();
  explicit CBlockWORD2BIT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};
