// Connector pairs: a long wire replaced by a male half (900) that takes the
// signal at the source and a female half (901) that hands it on at the
// destination. The halves are not wired to each other; they belong together
// by number (female = male + 2000). The wire into the male starts at the
// source block, the wire into the female at the destination block.
#pragma once

#include "model/block_obj.h"

class CConnectLineObj;
class CZaradDoc;

// Male half (900): one digital input, no output.
class CBlockMale : public CBlockObj {
  DECLARE_SERIAL(CBlockMale)

 public:
  int GetEvalGroup() const override { return EVAL_GROUP_MALE; }
  bool IsConnectorHalf() const override { return true; }
  CBlockMale();
  explicit CBlockMale(int typeCode, const BlockContext& ctx = {});

  // Each input takes the output state of its linked block; 0 when the link is
  // open or names no block.
  BOOL Simulate(CViewContext* view) override;
  // Drawing (blocks/family_draw.cpp): the arrow-shaped flag, the input stub in
  // the colour, and the label of the pair's destination ("B12/2"); in
  // simulation drawn by the input's value.
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  virtual void DrawFlag(CDC* dc, int unused) const;

  // The female half numbered this half's number + 2000; null when missing.
  CBlockObj* FindPartner(const CZaradDoc* doc) const;
};

// Female half (901): no input, one digital output.
class CBlockFemale : public CBlockObj {
  DECLARE_SERIAL(CBlockFemale)

 public:
  int GetEvalGroup() const override { return EVAL_GROUP_FEMALE; }
  bool IsConnectorHalf() const override { return true; }
  CBlockFemale();
  explicit CBlockFemale(int typeCode, const BlockContext& ctx = {});

  // A wired output takes the output state of the block that drives the male
  // partner (the start block of the wire into it); an output that is not
  // wired, or whose partner, partner wire or source is missing, is 0.
  BOOL Simulate(CViewContext* view) override;
  // Drawing (blocks/family_draw.cpp): the notched flag, the output stub and
  // the label of the block that drives the pair.
  void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) override;
  virtual void DrawFlag(CDC* dc, int unused) const;

  // The male half numbered this half's number - 2000; null when missing.
  CBlockObj* FindPartner(const CZaradDoc* doc) const;
  // The block that drives the pair; null when the partner or its wire is missing.
  CBlockObj* FindSourceBlock(const CZaradDoc* doc) const;
};

// The first wire of doc whose end block is the connector half; null when
// there is none or half is not a connector half.
CConnectLineObj* FindWireIntoConnector(const CZaradDoc* doc, const CBlockObj* half);
