#include "editor/workspace_palette.h"

#include <vector>

#include "blocks/pictograms.h"
#include "model/shell_context.h"
#include "model/toolbox_lists.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kBoxFill = RGB(245, 217, 129);
constexpr COLORREF kSelection = RGB(200, 0, 0);

// Arial with the fields every palette font shares.
CFont PaletteFont(int height, int width, int weight = FW_NORMAL) {
  CFont font;
  font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, FF_SWISS, u"Arial");
  return font;
}

CFont ItemFont() {
  return PaletteFont(14, 8);
}

using Stroke = std::vector<CPoint>;

// Polylines relative to the box's top-left corner, MoveTo then LineTo.
void Strokes(CDC* dc, const CRect& box, std::initializer_list<Stroke> strokes) {
  for (const Stroke& s : strokes) {
    if (s.empty()) continue;
    dc->MoveTo(box.left + s[0].x, box.top + s[0].y);
    for (size_t i = 1; i < s.size(); ++i) dc->LineTo(box.left + s[i].x, box.top + s[i].y);
  }
}

// Text relative to the box in a font of its own (selected only for this text).
void TextIn(CDC* dc, const CRect& box, int dx, int dy, const CString& text, const CFont* font) {
  CFont old;
  if (font) old = dc->SelectObject(font);
  dc->TextOut(box.left + dx, box.top + dy, text);
  if (font) dc->SelectObject(&old);
}

// Width of a text in a font (the item font when null).
CSize Extent(CDC* dc, const CString& text, const CFont* font) {
  if (!font) return dc->GetTextExtent(text);
  CFont old = dc->SelectObject(font);
  CSize size = dc->GetTextExtent(text);
  dc->SelectObject(&old);
  return size;
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

PaletteTarget ActivePaletteTarget() {
  PaletteTarget target;
  WORD model = g_CurrentModelCode;
  if (CZaradDoc* doc = GetShellContext()->GetActiveDocument()) {
    target.docKind = doc->GetKind();
    model = doc->m_wModelCode;
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

PaletteHit CWorkspacePalette::HitTestPalette(CPoint point) const {
  return HitTestPalette(point, ActivePaletteTarget());
}

PaletteHit CWorkspacePalette::HitTestPalette(CPoint point, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(m_nCategory, target);
  for (size_t i = 0; i < items.size(); ++i) {
    if (GetItemRect(static_cast<int>(i)).PtInRect(point))
      return {true, MODE_PLACE_BLOCK, static_cast<int>(items[i])};
  }
  return {};
}

void CWorkspacePalette::DrawPaletteCategory(CDC* dc, int docKind) const {
  PaletteTarget target = ActivePaletteTarget();
  target.docKind = docKind;
  DrawPaletteCategory(dc, target);
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

// ---- Basic logic ------------------------------------------------------------------

namespace {

// One gate symbol of the basic-logic tab; returns the label's height.
int DrawGate(CDC* dc, const CRect& box, UINT type) {
  const CString label = type == 304 || type == 305 ? CString(u">1")
                        : type == 306              ? CString(u"=1")
                        : type == 307              ? CString(u"1")
                                                   : CString(u"&");
  const CSize size = dc->GetTextExtent(label);
  const int w = size.cx;
  const int h = size.cy;
  if (type == 301 || type == 303) {
    const int ox = (25 - 2 * w) / 2;
    const int oy = (36 - h) / 2;
    dc->TextOut(box.left + ox + w, box.top + oy, label);
    const int ax = box.left + ox + (2 * w) / 3;
    const int top = box.top + oy;
    const int bottom = box.top + oy + (2 * h) / 3;
    dc->MoveTo(ax, top);
    dc->LineTo(ax, bottom);
    const int tip = type == 301 ? top : bottom;
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w / 3, box.top + oy + h / 3);
    dc->MoveTo(ax, tip);
    dc->LineTo(box.left + ox + w, box.top + oy + h / 3);
    if (type == 303) {
      dc->MoveTo(box.left + ox + 3, box.top + oy - 1);
      dc->LineTo(box.left + ox + 2 * w, box.top + oy - 1);
    }
    return h;
  }
  const int x = box.left + (25 - w) / 2;
  const int y = box.top + (36 - h) / 2;
  dc->TextOut(x, y, label);
  if (type == 302 || type == 305 || type == 307) {
    dc->MoveTo(x, y - 1);
    dc->LineTo(x + w, y - 1);
  }
  if (type == 304 || type == 305) {
    dc->MoveTo(x, box.top + 36 - h);
    dc->LineTo(x + w / 2, box.top + 36 - h);
  }
  return h;
}

}  // namespace

void CWorkspacePalette::DrawBasicLogicFbd(CDC* dc) const {
  const std::vector<UINT>& items = g_ToolboxBasic;
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const int h = DrawGate(dc, box, items[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowBasic][i]);
  }
}

void CWorkspacePalette::DrawBasicLogicLadder(CDC* dc) const {
  const UINT types[2] = {301, 303};
  const int names[2] = {1, 3};
  for (int i = 0; i < 2; ++i) {
    const CRect box = BeginItem(dc, i, types[i], true);
    const int h = DrawGate(dc, box, types[i]);
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowBasic][names[i]]);
  }
}

// ---- Operands and ladder elements -----------------------------------------------------

void CWorkspacePalette::DrawInputsOutputs(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(2, target);
  const bool newer = IsNewer(target.series);
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const char16_t* label = u"";
    switch (items[i]) {
      case 600:
        label = u"I";
        break;
      case 611:
        label = u"F";
        break;
      case 602:
        label = u"S";
        break;
      case 603:
        label = u"lo";
        break;
      case 604:
        label = u"hi";
        break;
      case 605:
        label = u"Q";
        break;
      case 606:
        label = u"X";
        break;
      case 607:
        label = u"M";
        break;
      case 608:
        label = u"AI";
        break;
      case 609:
        label = u"AQ";
        break;
      case 610:
        label = u"AM";
        break;
      default:
        break;
    }
    const CSize size = dc->GetTextExtent(label);
    const int y = box.top + (36 - size.cy) / 2;
    dc->TextOut(box.left + (25 - size.cx) / 2, y, label);
    const size_t name = newer || i == 0 ? i : i + 1;
    if (name < kNameColumns) dc->TextOut(box.right + 5, y, m_strNames[kRowIo][name]);
  }
}

void CWorkspacePalette::DrawLadderElements(CDC* dc) const {
  const std::vector<UINT>& items = g_ToolboxLadder;
  const CFont paren = PaletteFont(24, 8);
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT type = items[i];
    const CRect box = BeginItem(dc, static_cast<int>(i), type, false);
    const int l = box.left, t = box.top, r = box.right, b = box.bottom;
    dc->MoveTo(l, t + 18);
    dc->LineTo(l + 8, t + 18);
    if (type <= 702) {
      dc->MoveTo(l + 16, t + 18);
      dc->LineTo(l + 25, t + 18);
      dc->MoveTo(l + 8, t);
      dc->LineTo(l + 8, b);
      dc->MoveTo(l + 16, t);
      dc->LineTo(l + 16, b);
    } else {
      const CFont old = dc->SelectObject(&paren);
      dc->TextOut(l + 6, t + (b - t) / 6, u"(");
      dc->TextOut(r - 6, t + (b - t) / 6, u")");
      dc->SelectObject(&old);
    }
    if (type == 701) {
      dc->MoveTo(l + 14, t);
      dc->LineTo(l + 10, b);
    }
    if (type == 704) {
      dc->MoveTo(r - 8, t + (b - t) / 4 + 2);
      dc->LineTo(l + 12, b - (b - t) / 4);
    }
    if (type == 702 || type == 705) dc->Ellipse(l + 18, t + 2, r, t + 8);
    const CString& name = m_strNames[kRowLadder][i];
    const int h = dc->GetTextExtent(name.IsEmpty() ? CString(u" ") : name).cy;
    dc->TextOut(r + 5, t + (36 - h) / 2, name);
  }
}

// ---- Time functions --------------------------------------------------------------------

namespace {

// The name of a time function under its line picture: x = (25 - w) / 2 + dx.
struct Label {
  const char16_t* text;
  int height, width;  // 0: the item font
  int dx;
};

Label TimeLabel(UINT type) {
  switch (type) {
    case 400:
      return {u"ON-D", 10, 5, 0};
    case 401:
      return {u"OFF-D", 9, 4, 1};
    case 402:
      return {u"ON/OFF", 9, 3, 1};
    case 403:
      return {u"R-ON-D", 9, 3, 1};
    case 404:
      return {u"W-R", 10, 5, 1};
    case 405:
      return {u"ETWR", 10, 4, 0};
    case 406:
      return {u"A-P-G", 10, 4, 1};
    case 407:
      return {u"R-G", 0, 0, 1};
    case 408:
      return {u"S-L-S", 10, 5, 0};
    case 409:
      return {u"M-F-S", 10, 5, 1};
    case 410:
      return {u"W-T", 0, 0, 0};
    case 411:
      return {u"Y-T", 0, 0, 1};
    case 412:
      return {u"AC", 0, 0, 1};
    case 413:
      return {u"SW", 0, 0, 1};
    default:
      return {u"", 0, 0, 0};
  }
}

}  // namespace

void CWorkspacePalette::DrawTimers(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(1, target);
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT type = items[i];
    const CRect box = BeginItem(dc, static_cast<int>(i), type, true);
    DrawBlockLinePicture(dc, box, static_cast<int>(type));
    Label label = TimeLabel(type);
    if (*label.text) {
      CFont font;
      const CFont* fontPtr = nullptr;
      if (label.height) {
        font = PaletteFont(label.height, label.width);
        fontPtr = &font;
      }
      const int w = Extent(dc, label.text, fontPtr).cx;
      TextIn(dc, box, (25 - w) / 2 + label.dx, TimeSymbolLabelTop(static_cast<int>(type)), label.text,
             fontPtr);
    }
    dc->TextOut(box.right + 5, box.top + 16, m_strNames[kRowTime][i]);
  }
}

// ---- Special functions -------------------------------------------------------------------

void CWorkspacePalette::DrawMiscFunctions(CDC* dc, const PaletteTarget& target) const {
  const std::vector<UINT> items = ItemsOf(3, target);
  const bool newer = IsNewer(target.series);
  const std::vector<UINT> nameIds = NewerSpecialIds();
  const CFont small = PaletteFont(12, 7);
  for (size_t i = 0; i < items.size(); ++i) {
    const UINT type = items[i];
    const CRect box = BeginItem(dc, static_cast<int>(i), type, true);
    DrawBlockLinePicture(dc, box, static_cast<int>(type));
    for (const SymbolText& t : BlockSymbolTexts(static_cast<int>(type)))
      TextIn(dc, box, t.dx, t.dy, t.text, t.small ? &small : nullptr);
    const CString name = newer ? (i < nameIds.size() ? ::LoadString(nameIds[i]) : CString())
                               : (i < kNameColumns ? m_strNames[kRowSpecialOld][i] : CString());
    dc->TextOut(box.right + 5, box.top + 16, name);
  }
}

// ---- Data, math and data-log functions ---------------------------------------------------

void CWorkspacePalette::DrawExtendedFunctions(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  static const char16_t* const kLabels[27] = {u"BOOL", u"TDT",  u"BCD",  u"BIN", u"ROL", u"ROR", u"SHL",
                                              u"SHR",  u"&",    u">1",   u"1",   u"&",   u">1",  u"=1",
                                              u"AXIV", u"DXIV", u"Rand", u"MEM", u"ENC", u"SMC", u"SMCE",
                                              u"PTO",  u"PTOE", u"SEG",  u"WTB", u"UDC", u"CRC"};
  const CFont boolFont = PaletteFont(9, 3);
  const CFont font12x6 = PaletteFont(12, 6);
  const CFont font12x5 = PaletteFont(12, 5);
  const CFont font11x4 = PaletteFont(11, 4, FW_HEAVY);
  const CFont maskFont = PaletteFont(10, 4, FW_HEAVY);
  const std::vector<UINT>& items = g_ToolboxData;
  for (size_t i = 0; i < items.size() && i < 27; ++i) {
    const UINT type = items[i];
    const CRect box = BeginItem(dc, static_cast<int>(i), type, true);
    const CString label = kLabels[i];
    int h = 0;
    // A text on a row: x = left + (25 - w) / 2 + 1.
    auto row = [&](const CString& s, int y, const CFont* font) {
      const CSize size = Extent(dc, s, font);
      TextIn(dc, box, (25 - size.cx) / 2 + 1, y, s, font);
      return size;
    };
    auto mask = [&] { h = row(u"MASK", 24, &maskFont).cy; };
    if (type == 830) {
      const CSize size = Extent(dc, label, &boolFont);
      const int x0 = (25 - size.cx) / 2;
      for (int y : {7, 10, 13, 16}) Strokes(dc, box, {{{x0, y}, {x0 + 5, y}}});
      Strokes(dc, box,
              {{{x0 + 5, 5}, {x0 + 5, 19}, {x0 + 15, 13}, {x0 + 5, 5}}, {{x0 + 15, 13}, {x0 + 20, 13}}});
      TextIn(dc, box, x0, 24, label, &boolFont);
      h = size.cy;
    } else if (type == 845 || type == 846) {
      h = row(label, 12, &font12x5).cy;
    } else if (type == 850 || type == 852) {
      h = row(label, 12, &font11x4).cy;
    } else if (type >= 838 && type <= 843) {
      const CSize size = dc->GetTextExtent(label);
      const int m = (25 - size.cx) / 2;
      if (type == 840 || type == 841) {
        Strokes(dc, box, {{{m, 8}, {m + size.cx + 1, 8}}});
      } else if (type == 842) {
        Strokes(dc, box, {{{m, 8}, {m + size.cx, 8}}});
      }
      row(label, 9, nullptr);
      if (type == 839 || type == 842) Strokes(dc, box, {{{m, size.cy + 7}, {m + size.cx / 2, size.cy + 7}}});
      mask();
    } else {
      h = row(label, 12, &font12x6).cy;
    }
    dc->TextOut(box.right + 5, box.top + (36 - h) / 2, m_strNames[kRowData][i]);
  }
}

void CWorkspacePalette::DrawMathFunctions(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  static const char16_t* const kLabels[20] = {u"ODD", u"EVEN", u"MOD",  u"REM", u"LOG", u"SQRT",  u"ABS",
                                              u"GCD", u"LCM",  u"POW2", u"EXP", u"FIX", u"round", u"SIN",
                                              u"COS", u"TAN",  u"COT",  u"SEC", u"CSC", u"QUAD"};
  const CFont font = PaletteFont(12, 5);
  const std::vector<UINT>& items = g_ToolboxMath;
  for (size_t i = 0; i < items.size() && i < 20; ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const CSize size = Extent(dc, kLabels[i], &font);
    TextIn(dc, box, (25 - size.cx) / 2 + 1, 12, kLabels[i], &font);
    dc->TextOut(box.right + 5, box.top + (36 - size.cy) / 2, m_strNames[kRowMath][i]);
  }
}

void CWorkspacePalette::DrawDataLog(CDC* dc, const PaletteTarget& target) const {
  if (!IsNewer(target.series)) return;
  const std::vector<UINT>& items = g_ToolboxDataLog;
  for (size_t i = 0; i < items.size(); ++i) {
    const CRect box = BeginItem(dc, static_cast<int>(i), items[i], true);
    const CSize size = dc->GetTextExtent(u"L");
    dc->TextOut(box.left + (25 - size.cx) / 2 + 1, box.top + 12, u"L");
    dc->TextOut(box.right + 5, box.top + (36 - size.cy) / 2, m_strNames[kRowDataLog][i]);
  }
}
