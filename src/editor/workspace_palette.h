// CWorkspacePalette: the block palette's own logic, shared by every window that
// shows a palette column: the item layout, the hit test, the item names and the
// pictogram painters, all drawn through CDC.
//
// What a category offers depends on the active diagram (its document kind and the
// series byte of its model code), which the window showing the palette reads afresh
// on every paint and hit test; without an active diagram an FBD document of the
// model selected last stands in.
#pragma once

#include <array>

#include "platform/cdc.h"
#include "platform/cstring.h"
#include "platform/types.h"

// Document kind and series of the diagram the palette offers blocks for.
struct PaletteTarget {
  int docKind = 1;  // 1 FBD, 2 ladder
  int series = 0;   // high byte of the model code
};

class CZaradDoc;

// The active diagram's kind and series (an FBD diagram of lastModel without one).
PaletteTarget ActivePaletteTarget(const CZaradDoc* active, WORD lastModel);

// The result of a palette hit test.
struct PaletteHit {
  bool found = false;
  int mode = 0;      // EditMode to send: MODE_PLACE_BLOCK on a hit
  int typeCode = 0;  // BlockTypeCode of the item
};

class CWorkspacePalette {
 public:
  static constexpr int kNameRows = 8;
  static constexpr int kNameColumns = 30;
  // Name rows of m_strNames.
  enum NameRow { kRowBasic, kRowTime, kRowIo, kRowSpecialOld, kRowData, kRowMath, kRowDataLog, kRowLadder };

  CWorkspacePalette();
  virtual ~CWorkspacePalette() = default;

  // The symbol box of row i: left 10, top 15 + 46 i, 25 x 36.
  static CRect GetItemRect(int i);
  // The type codes the category offers for a target, in palette order.
  static std::vector<UINT> ItemsOf(int category, const PaletteTarget& target);

  // Loads the item names of every row in the current interface language.
  void LoadNames();
  // The item under a point in palette units (scroll already added).
  PaletteHit HitTestPalette(CPoint point, const PaletteTarget& target) const;
  // Draws the items of m_nCategory for a target.
  void DrawPaletteCategory(CDC* dc, const PaletteTarget& target) const;

  // Outline (when asked) and fill of an item's box.
  static void DrawItemBox(CDC* dc, const CRect& box, bool outline);

  int m_nCategory = 0;
  CSize m_sizePalette{30, 1300};
  std::array<std::array<CString, kNameColumns>, kNameRows> m_strNames;
  int m_nSelectedType = 0;

 private:
  void DrawBasicLogicFbd(CDC* dc) const;
  void DrawBasicLogicLadder(CDC* dc) const;
  void DrawInputsOutputs(CDC* dc, const PaletteTarget& target) const;
  void DrawLadderElements(CDC* dc) const;
  void DrawTimers(CDC* dc, const PaletteTarget& target) const;
  void DrawMiscFunctions(CDC* dc, const PaletteTarget& target) const;
  void DrawExtendedFunctions(CDC* dc, const PaletteTarget& target) const;
  void DrawMathFunctions(CDC* dc, const PaletteTarget& target) const;
  void DrawDataLog(CDC* dc, const PaletteTarget& target) const;

  // Box, selection frame of one item; returns the box.
  CRect BeginItem(CDC* dc, int row, UINT type, bool outline) const;
};
