#include "editor/workspace_palette.h"

#include <vector>

#include "blocks/palette_icons.h"
#include "model/block_kind.h"
#include "model/toolbox_lists.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBoxFill = RGB(245, 217, 129);
constexpr COLORREF kSelection = RGB(200, 0, 0);

CFont ItemFont() {
  return PaletteFont(14, 8);
}

// Names of the palette rows: English ids, then Chinese ids.
struct NameIds {
  std::vector<UINT> english;
  std::vector<UINT> chinese;
};

std::vector<UINT> Range(UINT first, UINT last) {
  std::vector<UINT> ids;
  for (UINT id = first; id <= last; ++id) ids.push_back(id);
  return ids;
}

std::vector<UINT> Join(std::vector<UINT> a, const std::vector<UINT>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const NameIds& RowIds(int row) {
  static const NameIds kRows[CWorkspacePalette::kNameRows] = {
      {{450, 451, 455, 456, 452, 457, 454, 453}, Range(1571, 1578)},
      {{460, 461, 462, 463, 464, 465, 477, 478, 479, 492, 493, 494, 501, 502}, Range(1579, 1592)},
      {{480, 500, 488, 473, 476, 481, 482, 483, 486, 487, 491}, Range(1593, 1603)},
      {{467, 495, 496, 497, 498, 499, 504, 505, 506, 507, 508, 517, 518, 519},
       {1610, 1611, 1612, 1614, 1615, 1616, 1617, 1618, 1626, 1627, 1628, 1629, 1631, 1632}},
      {Join(Range(529, 545), {568, 569, 572, 573, 574, 575, 576, 577, 564, 578}), Range(1633, 1659)},
      {Join(Range(546, 563), {566, 567}), Range(1660, 1679)},
      {{636}, {1680}},
      {Range(520, 525), Range(1604, 1609)},
  };
  return kRows[row];
}

// The 27 names of the newer series' special functions, loaded at each paint.
std::vector<UINT> NewerSpecialIds() {
  std::vector<UINT> ids = g_LanguageIsChinese == 1
                              ? Range(1610, 1632)
                              : std::vector<UINT>{467, 495, 496, 510, 497, 498, 499, 504, 505, 511, 512, 513,
                                                  514, 515, 516, 527, 506, 507, 508, 517, 528, 518, 519};
  for (UINT id : {645u, 646u, 647u, 648u}) ids.push_back(id);
  return ids;
}

bool IsNewer(int series) {
  return series >= 0x51;
}

}  // namespace

PaletteTarget ActivePaletteTarget(const CZaradDoc* active, WORD lastModel) {
  PaletteTarget target;
  WORD model = lastModel;
  if (active) {
    target.docKind = active->GetKind();
    model = active->m_wModelCode;
  }
  target.series = model >> 8;
  return target;
}

CWorkspacePalette::CWorkspacePalette() = default;

CRect CWorkspacePalette::GetItemRect(int i) {
  return CRect(10, 15 + 46 * i, 35, 51 + 46 * i);
}

std::vector<UINT> CWorkspacePalette::ItemsOf(int category, const PaletteTarget& target) {
  return PaletteEntries(category, target.series, target.docKind == 2);
}

void CWorkspacePalette::LoadNames() {
  for (int row : {kRowBasic, kRowTime, kRowIo, kRowLadder, kRowSpecialOld, kRowData, kRowMath, kRowDataLog}) {
    const NameIds& ids = RowIds(row);
    const std::vector<UINT>& list = g_LanguageIsChinese == 1 ? ids.chinese : ids.english;
    for (size_t i = 0; i < list.size() && i < kNameColumns; ++i) m_strNames[row][i] = ::LoadString(list[i]);
  }
}

PaletteHit CWorkspacePalette::HitTestPalette(CPoint point, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(m_nCategory, target);
  for (size_t i = 0; i < items.size(); ++i) {
    if (GetItemRect(static_cast<int>(i)).PtInRect(point))
      return {true, MODE_PLACE_BLOCK, static_cast<int>(items[i])};
  }
  return {};
}

void CWorkspacePalette::DrawPaletteCategory(CDC* dc, const PaletteTarget& target) const {
  const bool ladder = target.docKind == 2;
  const CPen itemPen(PS_SOLID, 0, kBlack);
  const CFont itemFont = ItemFont();
  const CPen oldPen = dc->SelectObject(&itemPen);
  const CFont oldFont = dc->SelectObject(&itemFont);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColor = dc->SetTextColor(kBlack);
  switch (m_nCategory) {
    case 0:
      ladder ? DrawBasicLogicLadder(dc) : DrawBasicLogicFbd(dc);
      break;
    case 1:
      DrawTimers(dc, target);
      break;
    case 2:
      ladder ? DrawLadderElements(dc) : DrawInputsOutputs(dc, target);
      break;
    case 3:
      DrawMiscFunctions(dc, target);
      break;
    case 4:
      DrawExtendedFunctions(dc, target);
      break;
    case 5:
      DrawMathFunctions(dc, target);
      break;
    case 6:
      DrawDataLog(dc, target);
      break;
    default:
      break;
  }
  dc->SetTextColor(oldColor);
  dc->SetBkMode(oldMode);
  dc->SelectObject(&oldFont);
  dc->SelectObject(&oldPen);
}

void CWorkspacePalette::DrawItemBox(CDC* dc, const CRect& box, bool outline) {
  if (outline) {
    dc->MoveTo(box.left, box.top);
    dc->LineTo(box.left, box.bottom);
    dc->LineTo(box.right, box.bottom);
    dc->LineTo(box.right, box.top);
    dc->LineTo(box.left, box.top);
  }
  const CBrush fill(kBoxFill);
  dc->FillRect(CRect(box.left + 1, box.top + 1, box.right, box.bottom), &fill);
}

CRect CWorkspacePalette::BeginItem(CDC* dc, int row, UINT type, bool outline) const {
  const CRect box = GetItemRect(row);
  DrawItemBox(dc, box, outline);
  if (m_nSelectedType != 0 && static_cast<int>(type) == m_nSelectedType) {
    const CPen red(PS_SOLID, 1, kSelection);
    const CPen old = dc->SelectObject(&red);
    dc->MoveTo(box.left - 4, box.top - 4);
    dc->LineTo(box.left - 4, box.bottom + 4);
    dc->LineTo(box.right + 4, box.bottom + 4);
    dc->LineTo(box.right + 4, box.top - 4);
    dc->LineTo(box.left - 4, box.top - 4);
    dc->SelectObject(&old);
  }
  return box;
}

// ---- Items -------------------------------------------------------------------------

namespace {

// The kind's pictogram (its descriptor's); the height of its label, 0 without one.
int PaintIcon(CDC* dc, const CRect& box, UINT type) {
  const PaletteIconPainter paint = BlockKindOf(static_cast<int>(type)).paletteIcon;
  return paint ? paint(dc, box) : 0;
}

}  // namespace

// ---- Basic logic ------------------------------------------------------------------

void CWorkspacePalette::DrawBasicLogicFbd(CDC* dc) const {
  const std::vector<UINT>& items = g_ToolboxBasic;
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int h = PaintIcon(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowBasic][i]);
  }
}

void CWorkspacePalette::DrawBasicLogicLadder(CDC* dc) const {
  const UINT types[2] = {kTypeAndEdge, kTypeNandEdge};
  const int names[2] = {1, 3};
  for (int i = 0; i < 2; ++i) {
    const CRect box = BeginItem(dc, i, types[i], true);
    const int h = PaintIcon(dc, box, types[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowBasic][names[i]]);
  }
}

// ---- Operands and ladder elements -----------------------------------------------------

void CWorkspacePalette::DrawInputsOutputs(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(2, target);
  const bool newer = IsNewer(target.series);
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int y = box.top + (36 - PaintIcon(dc, box, items[i])) / 2;
    const size_t name = newer || i == 0 ? i : i + 1;
    if (name < kNameColumns) dc->TextOut(box.right + 5, y, m_strNames[kRowIo][name]);
  }
}

void CWorkspacePalette::DrawLadderElements(CDC* dc) const {
  const std::vector<UINT>& items = g_ToolboxLadder;
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], false);
    PaintIcon(dc, box, items[i]);
    const CString& name = m_strNames[kRowLadder][i];
    const int h = dc->GetTextExtent(name.IsEmpty() ? CString(u" ") : name).cy;
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, name);
  }
}

// ---- Time functions --------------------------------------------------------------------

void CWorkspacePalette::DrawTimers(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(1, target);
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    PaintIcon(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + 16, m_strNames[kRowTime][i]);
  }
}

// ---- Special functions -------------------------------------------------------------------

void CWorkspacePalette::DrawMiscFunctions(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(3, target);
  const bool newer = IsNewer(target.series);
  const std::vector<UINT> nameIds = NewerSpecialIds();
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    PaintIcon(dc, box, items[i]);
    const CString name = newer ? (i < nameIds.size() ? ::LoadString(nameIds[i]) : CString())
                               : (i < kNameColumns ? m_strNames[kRowSpecialOld][i] : CString());
    dc->TextOut(box.right + 5, box.top + 16, name);
  }
}

// ---- Data, math and data-log functions ---------------------------------------------------

void CWorkspacePalette::DrawExtendedFunctions(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  const std::vector<UINT>& items = g_ToolboxData;
  for (size_t i = 0; i < items.size() && i < kNameColumns; ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int h = PaintIcon(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowData][i]);
  }
}

void CWorkspacePalette::DrawMathFunctions(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  const std::vector<UINT>& items = g_ToolboxMath;
  for (size_t i = 0; i < items.size() && i < kNameColumns; ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int h = PaintIcon(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowMath][i]);
  }
}

void CWorkspacePalette::DrawDataLog(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  const std::vector<UINT>& items = g_ToolboxDataLog;
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int h = PaintIcon(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowDataLog][i]);
  }
}
