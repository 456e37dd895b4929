// CBlockObj's drawing: pins with their stubs, negation dots and cursor frames,
// the filled body, the symbol, the number or operand label and the label
// lines; the selected and state-text forms; and the label texts.
#include "blocks/block_draw.h"

#include <algorithm>
#include <array>
#include <optional>

#include "blocks/analog_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/param_text.h"
#include "model/block_obj.h"
#include "model/diagram_limits.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/cdc.h"

// ---- Shared pieces ---------------------------------------------------------

COLORREF PinStateColour(COLORREF blockColour, int value) {
  if (blockColour == kDrawBlack) return kDrawBlack;
  return value != 0 ? kDrawStateOn : kDrawStateOff;
}

static_assert(kFarAway >= 4 * kMaxDiagramCoordinate);

bool TextRowsMayShow(const CDC* dc, int top, int bottom) {
  return dc->MayShow(CRect(-kFarAway, top - kLabelLineHeight, kFarAway, bottom + 2 * kLabelLineHeight));
}

// (Both made once: every block drawn asks for them.)
CFont MakeLabelFont() {
  static const CFont label = [] {
    CFont font;
    font.CreateFont(kLabelLineHeight, kLabelCharWidth, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                    OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, CString(u"Arial"));
    return font;
  }();
  return label;
}

CFont MakeValueFont() {
  static const CFont value = [] {
    CFont font;
    font.CreateFont(kLabelLineHeight, kLabelCharWidth, 0, 0, 0, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH, CString());
    return font;
  }();
  return value;
}

CFont MakeSymbolFont(int height, int width, bool ansiSwiss, bool arial, int weight) {
  CFont font;
  if (ansiSwiss) {
    font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                    arial ? CString(u"Arial") : CString());
  } else {
    font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                    DEFAULT_QUALITY, FIXED_PITCH, arial ? CString(u"Arial") : CString());
  }
  return font;
}

bool IsNewerSeriesFor(const CZaradDoc* doc) {
  const WORD model = doc ? doc->m_wModelCode : kDefaultModelCode;
  return (model >> 8) >= 0x51;
}

namespace {

bool InRange(int v, int lo, int hi) {
  return v >= lo && v <= hi;
}

struct OperandPrefix {
  const char16_t* prefix;
  int base;
  int split;  // 0: running number; 16 on 602: the dotted register.bit form
};

// Operand blocks 600-611 (index type - 600).
constexpr std::array<OperandPrefix, 12> kOperandPrefixes = {{
    {u"I", 100, 32},
    {u"C", 1280, 0},
    {u"S", 1000, 16},
    {u"lo", 1870, 0},
    {u"hi", 2900, 0},
    {u"Q", 600, 16},
    {u"X", 4800, 0},
    {u"M", 1316, 0},
    {u"AI", 4000, 8},
    {u"AQ", 4230, 4},
    {u"AM", 4288, 0},
    {u"F", 1300, 0},
}};

CString SplitLabel(const char16_t* prefix, int offset, int split) {
  return FormatString(u"%s%d%02d", prefix, offset / split, offset % split);
}

}  // namespace

CString OperandBlockLabel(int typeCode, int number) {
  if (!InRange(typeCode, 600, 611)) return CString();
  const OperandPrefix& e = kOperandPrefixes[static_cast<size_t>(typeCode - 600)];
  const int offset = number - e.base;
  if (typeCode == 602) return FormatString(u"%s%d.%d", e.prefix, offset / 16, offset % 16);
  if (e.split != 0) return SplitLabel(e.prefix, offset, e.split);
  return FormatString(u"%s%d", e.prefix, offset);
}

CString LadderElementLabel(int typeCode, int operand, const CZaradDoc* doc) {
  if (!InRange(typeCode, 700, 705)) return CString();
  struct Entry {
    const char16_t* prefix;
    int base;
  };
  // 700 make, 701 break, 702 analog contact, 703 coil, 704 inverted output, 705 analog output.
  std::array<Entry, 6> e = {
      {{u"I", 100}, {u"I", 100}, {u"AI", 4000}, {u"Q", 600}, {u"Q", 600}, {u"AQ", 4230}}};
  auto set = [&e](std::initializer_list<int> types, const char16_t* prefix, int base) {
    for (int t : types) e[static_cast<size_t>(t - 700)] = {prefix, base};
  };
  // "Low" and "High" replace the prefix only; the base stays the element's own.
  auto setPrefix = [&e](std::initializer_list<int> types, const char16_t* prefix) {
    for (int t : types) e[static_cast<size_t>(t - 700)].prefix = prefix;
  };
  int n = operand;
  int split = 0;
  if (n >= 21000) {
    const CBlockObj* element = doc ? doc->FindBlockByNumber(n) : nullptr;
    if (element == nullptr) return CString();
    const bool analogOutput = n >= 22000;
    n = element->m_nOperand;
    if (analogOutput) {
      if (InRange(n, 4288, 4799)) {
        set({702}, u"AM", 4288);
      } else if (InRange(n, 4230, 4261)) {
        set({702}, u"AQ", 4230);
        split = 4;
      }
    } else if (InRange(n, 1316, 1827)) {
      set({700, 701}, u"M", 1316);
    } else if (InRange(n, 600, 727)) {
      set({700, 701}, u"Q", 600);
      split = 16;
    }
  } else if (n >= 9000) {
    set({700, 701, 702}, u"B", 9000);
  } else if (n >= 4800) {
    set({703, 704}, u"X", 4800);
  } else if (n >= 4288) {
    set({702, 705}, u"AM", 4288);
  } else if (n >= 4230) {
    set({702, 705}, u"AQ", 4230);
    split = 4;
  } else if (n >= 4000) {
    set({702}, u"AI", 4000);
    split = 8;
  } else if (n >= 2900) {
    setPrefix({700, 701}, u"High");
  } else if (n >= 1870) {
    setPrefix({700, 701}, u"Low");
  } else if (n >= 1316) {
    set({700, 701, 703, 704}, u"M", 1316);
  } else if (n >= 1300) {
    set({700, 701}, u"F", 1300);
  } else if (n >= 1000) {
    set({700, 701}, u"S", 1000);
    split = 16;
  } else if (n >= 600) {
    set({700, 701, 703, 704}, u"Q", 600);
    split = 16;
  } else if (n >= 100) {
    set({700, 701}, u"I", 100);
    split = 32;
  }
  const Entry& own = e[static_cast<size_t>(typeCode - 700)];
  const int offset = n - own.base;
  if (split != 0) {
    if (InRange(n, 1000, 1063)) return FormatString(u"%s%d.%d", own.prefix, offset / split, offset % split);
    return SplitLabel(own.prefix, offset, split);
  }
  if (InRange(n, 1870, 3899)) return FormatString(u"%s", own.prefix);
  return FormatString(u"%s%d", own.prefix, offset);
}

CString ContactOperandLabel(int operand, const CZaradDoc* doc) {
  int h = operand;
  if (h >= 21000) {
    const CBlockObj* element = doc ? doc->FindBlockByNumber(h) : nullptr;
    if (element == nullptr) return CString();
    const int hh = element->m_nOperand;
    if (h >= 22000) {
      if (InRange(hh, 4288, 4799)) return FormatString(u"AM%d", hh - 4288);
      if (InRange(hh, 4230, 4261)) return SplitLabel(u"AQ", hh - 4230, 4);
      return CString();
    }
    if (InRange(hh, 1316, 1827)) return FormatString(u"M%d", hh - 1316);
    if (InRange(hh, 600, 727)) return SplitLabel(u"Q", hh - 600, 16);
    if (InRange(hh, 4800, 4927)) return FormatString(u"X%d", hh - 4800);
    return CString();
  }
  if (h >= 9000) return FormatString(u"B%d", h - 9000);
  if (h >= 4800) return FormatString(u"X%d", h - 4800);
  if (h >= 4288) return FormatString(u"AM%d", h - 4288);
  if (h >= 4230) return SplitLabel(u"AQ", h - 4230, 4);
  if (h >= 4000) return SplitLabel(u"AI", h - 4000, 8);
  if (h >= 2900) return CString(u"High");
  if (h >= 1870) return CString(u"Low");
  if (h >= 1316) return FormatString(u"M%d", h - 1316);
  if (h >= 1300) return FormatString(u"F%d", h - 1300);
  if (h >= 1000) return FormatString(u"S%d.%d", (h - 1000) / 16, (h - 1000) % 16);
  if (h >= 600) return SplitLabel(u"Q", h - 600, 16);
  if (h >= 100) return SplitLabel(u"I", h - 100, 32);
  return CString();
}

// ---- CBlockObj --------------------------------------------------------------

namespace {

int EditModeOf(const CViewContext* view) {
  return view ? view->GetEditMode() : MODE_SELECT;
}

const CZaradDoc* DocumentOf(const CViewContext* view) {
  return view ? view->GetDocument() : nullptr;
}

// Whether the view's tool frames the pin under the cursor.
bool FramesPins(const CViewContext* view) {
  const int mode = EditModeOf(view);
  return mode == MODE_PLACE_BLOCK || mode == MODE_CONNECT ||
         (mode == MODE_MOVE_WIRE && view->IsDraggingWireEnd());
}

// Whether a pin may carry the cursor frame: outputs always; inputs while open,
// and in a ladder document connected inputs too, except on the analog elements
// whose inputs are wired to analog values.
bool PinQualifiesForFrame(const CBlockObj& block, int pin, bool ladder) {
  if (pin >= kFirstOutputPin) return true;
  if (block.m_nSource[pin] == LINK_OPEN) return true;
  if (!ladder) return false;
  if (block.IsKindOf(RUNTIME_CLASS(CBlockACOMP)) || block.IsKindOf(RUNTIME_CLASS(CBlockATHTRG)) ||
      block.IsKindOf(RUNTIME_CLASS(CBlockAAMP)) || block.IsKindOf(RUNTIME_CLASS(CBlockADTRG)) ||
      block.IsKindOf(RUNTIME_CLASS(CBlockAOutLAD)))
    return false;
  if (pin == 1 && block.IsKindOf(RUNTIME_CLASS(CBlockAWDOG))) return false;
  return true;
}

void DrawNegationDot(CDC* dc, int x, int y, COLORREF colour) {
  CPen dotPen(PS_SOLID, kDotPenWidth, colour);
  CPen old = dc->SelectObject(&dotPen);
  dc->MoveTo(x, y);
  dc->LineTo(x, y);
  dc->SelectObject(&old);
}

void DrawPinFrame(CDC* dc, const CRect& r) {
  dc->MoveTo(r.left, r.top);
  dc->LineTo(r.left, r.bottom);
  dc->LineTo(r.right, r.bottom);
  dc->LineTo(r.right, r.top);
  dc->LineTo(r.left, r.top);
}

}  // namespace

CString CBlockObj::GetNumberLabel(const CZaradDoc* doc) const {
  const int t = m_nType;
  const CString namePart = m_strName.IsEmpty() ? CString() : CString(u" ") + m_strName;
  if (InRange(t, 300, 599) || InRange(t, 800, 910))
    return FormatString(u"B%d%s", m_nNumber - 9000, namePart.GetString());
  if (InRange(t, 911, 999)) return FormatString(u"L%d%s", m_nNumber - 8950, namePart.GetString());
  if (InRange(t, 600, 611)) return OperandBlockLabel(t, m_nNumber);
  if (InRange(t, 700, 705)) return LadderElementLabel(t, m_nOperand, doc);
  return CString();
}

BOOL CBlockObj::IsCursorOverPin(const CViewContext* view, int pin, CDC* dc) const {
  CPoint cursor;
  if (view == nullptr || dc == nullptr || !view->GetCursorClientPos(&cursor)) return FALSE;
  CRect r;
  if (!GetPinRect(&r, pin, kPinMarkSize)) return FALSE;
  dc->LPtoDP(&r);
  r.NormalizeRect();
  return cursor.x >= r.left && cursor.x < r.right && cursor.y >= r.top && cursor.y < r.bottom;
}

void CBlockObj::DrawName(CDC* dc, const TEXTMETRIC* tm, const CZaradDoc* doc) const {
  if (!m_bShowLabel || tm == nullptr) return;
  for (const BlockLabelLine& line : GetLabelLines(doc, tm->tmHeight))
    dc->TextOut(line.pt.x, line.pt.y, line.text);
}

void CBlockObj::DrawSelectionHandles(CDC* dc) const {
  CDCObjectScope scope(dc);
  CPen pen(PS_SOLID, 1, kDrawBlack);
  CBrush brush(kDrawStateOn);
  dc->SelectObject(&pen);
  dc->SelectObject(&brush);
  dc->SetPolyFillMode(ALTERNATE);
  CRect handles[4];
  GetHandleRects(handles);
  for (const CRect& h : handles) {
    dc->Polygon(
        {CPoint(h.left, h.top), CPoint(h.left, h.bottom), CPoint(h.right, h.bottom), CPoint(h.right, h.top)});
  }
}

void CBlockObj::DrawPlain(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (dc == nullptr) return;
  const CZaradDoc* doc = DocumentOf(view);
  const bool ladder = doc != nullptr && doc->IsLadder();
  const int mode = EditModeOf(view);
  const bool frames = FramesPins(view);

  CPen blockPen(PS_SOLID, 1, state);
  const CPen oldPen = dc->SelectObject(&blockPen);
  const CFont labelFont = MakeLabelFont();
  const CFont oldFont = dc->SelectObject(&labelFont);
  dc->SetBkMode(TRANSPARENT);
  const CPen analogPen(PS_SOLID, 2, kDrawBlack);

  const int left = m_ptPos.x;
  const int top = m_ptPos.y;
  const int right = left + m_nWidth;
  const int inputs = InputPinCount();
  const int outputs = OutputPinCount();
  const int inPitch = m_nHeight / (inputs + 1);
  const int outPitch = m_nHeight / (outputs + 1);
  // Every parameter pin shows the same text; it is laid out once.
  std::optional<ParameterTextLayout> paramText;

  auto visitPin = [&](int pin) {
    const int type = m_nPinType[pin];
    if (type == PIN_NONE) return;
    const bool input = pin < kFirstOutputPin;
    const int y = input ? top + (pin + 1) * inPitch : top + (pin - 9) * outPitch;
    const COLORREF stateColour = PinStateColour(state, m_nValue[pin]);
    if (input) {
      if (type == PIN_DIGITAL || type == PIN_ANALOG) {
        CPen inputPen(PS_SOLID, type == PIN_ANALOG ? 2 : 1, type == PIN_ANALOG ? kDrawBlack : stateColour);
        dc->SelectObject(&inputPen);
        dc->MoveTo(left - kStubLength, y);
        dc->LineTo(left, y);
      } else {
        // (Laid out only when a pin's text could show; DrawParameterText
        // leaves out the text of the others.)
        if (!paramText && ParameterTextMayShow(dc, y, kLabelLineHeight))
          paramText = BuildParameterTextLayout(*this, IsNewerSeriesFor(doc));
        DrawParameterText(dc, pin, inPitch, kLabelCharWidth, kLabelLineHeight, doc,
                          paramText ? &*paramText : nullptr);
      }
      dc->SelectObject(&blockPen);
    } else {
      if (type == PIN_ANALOG) dc->SelectObject(&analogPen);
      dc->MoveTo(right + kStubLength, y);
      dc->LineTo(right, y);
      dc->SelectObject(&blockPen);
    }
    if (frames && PinQualifiesForFrame(*this, pin, ladder) && IsCursorOverPin(view, pin, dc)) {
      CRect r;
      GetPinRect(&r, pin, kPinMarkSize);
      DrawPinFrame(dc, r);
    }
    if (m_bInvert[pin]) DrawNegationDot(dc, input ? left - kDotOffset : right + kDotOffset, y, stateColour);
  };
  for (int pin = 0; pin < inputs; ++pin) visitPin(pin);
  for (int pin = kFirstOutputPin; pin < kFirstOutputPin + outputs; ++pin) visitPin(pin);

  const bool blackBody = m_nType == 606 || m_nType == 608 || m_nType == 609 || m_nType == 610;
  const bool outline = !InRange(m_nType, 700, 705) || mode == MODE_SIMULATION;
  DrawHighlight(dc, blackBody ? kDrawBlack : state, outline ? TRUE : FALSE);
  DrawBlockSymbol(dc, doc);

  // (A name, as a file may give it, could break the label into more rows.)
  if (!m_strName.IsEmpty() || TextRowsMayShow(dc, top - kLabelRise, top - kLabelRise)) {
    const CString label = GetNumberLabel(doc);
    if (!label.IsEmpty()) {
      dc->TextOut(left + (m_nWidth - kLabelCharWidth * label.GetLength()) / 2, top - kLabelRise, label);
    }
  }
  TEXTMETRIC tm;
  tm.tmHeight = kLabelLineHeight;
  DrawName(dc, &tm, doc);

  dc->SelectObject(&oldFont);
  dc->SelectObject(&oldPen);
}

void CBlockObj::DrawHighlightPlain(CDC* dc, COLORREF colour, BOOL outline) {
  if (dc == nullptr) return;
  CPen pen(outline ? PS_SOLID : PS_NULL, 1, colour);
  CBrush brush(kBodyFill);
  const CPen oldPen = dc->SelectObject(&pen);
  const CBrush oldBrush = dc->SelectObject(&brush);
  dc->SetPolyFillMode(ALTERNATE);
  const int l = m_ptPos.x;
  const int t = m_ptPos.y;
  dc->Polygon(
      {CPoint(l, t), CPoint(l, t + m_nHeight), CPoint(l + m_nWidth, t + m_nHeight), CPoint(l + m_nWidth, t)});
  dc->SelectObject(&oldBrush);
  dc->SelectObject(&oldPen);
}

void CBlockObj::DrawSelectedPlain(CViewContext* view, CDC* dc) {
  const COLORREF colour =
      EditModeOf(view) == MODE_SIMULATION ? OutputStateColour(m_nValue[kFirstOutputPin]) : kDrawBlack;
  Draw(view, dc, 1, colour);
  if (dc) DrawSelectionHandles(dc);
}

void CBlockObj::DrawStateTextPlain(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, kDrawBlack);
  if (dc == nullptr) return;
  if (m_nPinType[kFirstOutputPin] == PIN_NONE || m_nOutputs < 1) return;
  if (IsKindOf(RUNTIME_CLASS(CBlockOpenX)) || IsKindOf(RUNTIME_CLASS(CBlockFlag))) return;
  const CFont font = MakeValueFont();
  const CFont oldFont = dc->SelectObject(&font);
  CRect r;
  GetPinRect(&r, kFirstOutputPin, kPinMarkSize);
  const bool on = m_nValue[kFirstOutputPin] == 1;
  dc->SetBkMode(TRANSPARENT);
  const COLORREF oldColour = dc->SetTextColor(on ? kDrawStateOn : kDrawBlack);
  dc->TextOut(r.left + 3, r.bottom + 3, CString(on ? u"ON" : u"OFF"));
  dc->SetTextColor(oldColour);
  dc->SelectObject(&oldFont);
}
