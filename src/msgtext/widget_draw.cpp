// Drawing of message-text elements: the editors' form (a coloured box with a
// block icon, a label and the long value text), the device display's form
// (the value one character per cell), the selection frame and the outline of
// an element being dragged.
#include <algorithm>
#include <cmath>
#include <vector>

#include "blocks/pictograms.h"
#include "blocks/time_blocks.h"
#include "model/block_kind.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_format.h"
#include "msgtext/widget.h"
#include "platform/cdc.h"

namespace {

constexpr COLORREF kIconBackground = 0x81D9F5;
constexpr COLORREF kDisplayBackground = 0x559D55;
constexpr COLORREF kSelectionRed = 0x0000FF;
constexpr int kIconWidth = 25;
constexpr int kIconHeight = 36;

CFont MakeFont(int height, int width, int weight, BYTE charSet, BYTE outPrecision, BYTE pitchFamily,
               const CString& face) {
  CFont font;
  font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, charSet, outPrecision, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, pitchFamily, face);
  return font;
}

// The editors' fonts: Arial bold, ANSI, Swiss family.
CFont EditorFont(int height, int width) {
  return MakeFont(height, width, FW_BOLD, ANSI_CHARSET, OUT_DEFAULT_PRECIS, DEFAULT_PITCH | FF_SWISS,
                  u"Arial");
}

bool IsFunctionBlock(const CBlockObj* block) {
  return block != nullptr && CZaradDoc::GetTypeClass(static_cast<UINT>(block->m_nType)) == 2;
}

// Operand names by module and channel: inputs 32 a module, outputs and shift
// bits 16, analog inputs 8.
CString InputName(int n) {
  return FormatString(u"I%d%02d", (n - kFirstInputOperand) / 32, (n - kFirstInputOperand) % 32);
}
CString OutputName(int n) {
  return FormatString(u"Q%d%02d", (n - kFirstOutputOperand) / 16, (n - kFirstOutputOperand) % 16);
}
CString ShiftBitName(int n) {
  return FormatString(u"S%d.%d", (n - kFirstShiftBitOperand) / 16, (n - kFirstShiftBitOperand) % 16);
}
CString AnalogInputName(int n) {
  return FormatString(u"AI%d%02d", (n - kFirstAnalogInputOperand) / 8, (n - kFirstAnalogInputOperand) % 8);
}

// The operand name of a number, by its range; empty below 100.
CString OperandName(int n) {
  if (n >= kFirstAnalogFlagOperand) return FormatString(u"AM%d", n - kFirstAnalogFlagOperand);
  if (n >= kFirstAnalogInputOperand) return AnalogInputName(n);
  if (n >= kFirstFlagOperand) return FormatString(u"M%d", n - kFirstFlagOperand);
  if (n >= kFirstFunctionKeyOperand) return FormatString(u"F%d", n - kFirstFunctionKeyOperand);
  if (n >= kFirstShiftBitOperand) return ShiftBitName(n);
  if (n >= kFirstOutputOperand) return OutputName(n);
  if (n >= kFirstInputOperand) return InputName(n);
  return CString();
}

// The operand name of an operand block, by its type.
CString OperandBlockName(const CBlockObj& block, int n) {
  switch (block.m_nType) {
    case kTypeInput:
      return InputName(n);
    case kTypeShiftBit:
      return ShiftBitName(n);
    case kTypeOutput:
      return OutputName(n);
    case kTypeFlag:
      return FormatString(u"M%d", n - kFirstFlagOperand);
    case kTypeAnalogInput:
      return AnalogInputName(n);
    case kTypeAnalogFlag:
      return FormatString(u"AM%d", n - kFirstAnalogFlagOperand);
    case kTypeFunctionKey:
      return FormatString(u"F%d", n - kFirstFunctionKeyOperand);
    default:
      return CString();
  }
}

// The text cut to the characters that fit into width at its average character width.
CString CutToFit(CDC* dc, const CString& text, int width) {
  const int len = text.GetLength();
  if (len == 0) return text;
  const int cx = dc->GetTextExtent(text).cx;
  if (cx <= 0) return text;
  const double keep = std::floor(width / (static_cast<double>(cx) / len));
  if (keep >= len) return text;
  return text.Left(keep > 0 ? static_cast<int>(keep) : 0);
}

// ---- Block icons ---------------------------------------------------------------------

// The icon of an element: its block's (the kind's descriptor), or for an
// element without a block the analog operand it names.
MsgIcon IconOf(const CBlockObj* block, int number) {
  if (block == nullptr) {
    const bool analogInput = number >= kFirstAnalogInputOperand && number <= kLastAnalogContactInput;
    const bool analogFlag = number >= kFirstAnalogFlagOperand && number < kFirstOpenConnectorOperand;
    return analogInput || analogFlag ? MsgIcon::kAnalog : MsgIcon::kNone;
  }
  return BlockKindOf(block->m_nType).msgIcon;
}

// The function icons that show their line picture without a mnemonic.
bool PictureOnly(int type) {
  return type == kTypeTHTRG || type == kTypeATHTRG || type == kTypeAWDOG || type == kTypeADTRG;
}

// bottom: the element's bottom edge, which a line of the editor's grid may put
// above the icon box's own.
void DrawIcon(CDC* dc, const CRect& box, int bottom, const CBlockObj* block, int number) {
  const MsgIcon kind = IconOf(block, number);
  if (kind == MsgIcon::kNone) return;
  const int type = block ? block->m_nType : 0;
  CPen pen(PS_SOLID, kind == MsgIcon::kMath ? 1 : 0, RGB(0, 0, 0));
  const CPen oldPen = dc->SelectObject(&pen);
  const COLORREF oldBk = dc->SetBkColor(kIconBackground);
  CFont font;
  // An element without a block names an analog input or flag by its number.
  CString text =
      block ? CString(BlockKindOf(type).mnemonic) : CString(number < kFirstAnalogFlagOperand ? u"AI" : u"AM");
  const BYTE fixed = FIXED_PITCH;
  switch (kind) {
    case MsgIcon::kTime:
      font = (type == kTypeAC || type == kTypeSW)
                 ? MakeFont(12, 7, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial")
                 : MakeFont(12, 5, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case MsgIcon::kFunction:
      font = MakeFont(12, 5, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial");
      break;
    case MsgIcon::kData:
      font = MakeFont(12, 5, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case MsgIcon::kMath:
      font = MakeFont(12, 5, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial");
      break;
    case MsgIcon::kAnalog:
      font = MakeFont(14, 8, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case MsgIcon::kNone:
      break;
  }
  const CFont oldFont = dc->SelectObject(&font);
  const CRect outer(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1);  // the unshrunk box
  // Nothing of the icon reaches the label and value beside it.
  const int saved = dc->SaveDC();
  dc->IntersectClipRect(outer.left, outer.top, outer.right, std::min(outer.bottom, bottom));
  // The mnemonic centred in the box at a height.
  auto centred = [&](const CString& s, int top) {
    const int cx = dc->GetTextExtent(s).cx;
    dc->TextOut(outer.left + std::max(0, (kIconWidth - cx) / 2), outer.top + top, s);
  };
  if (kind == MsgIcon::kMath) {
    const int cx = dc->GetTextExtent(text).cx;
    dc->TextOut(outer.left + (kIconWidth - cx) / 2 + 1, outer.top + 12, text);
  } else if (kind == MsgIcon::kAnalog) {
    dc->TextOut(outer.left + (kIconWidth - 8) / 2 - 2, outer.top + (kIconHeight - 14) / 3, text);
  } else if (kind == MsgIcon::kTime) {
    // The palette's line picture with the mnemonic under it.
    const bool picture = DrawBlockLinePicture(dc, outer, type);
    // Under the picture, lifted where the element ends above the box.
    const int below = bottom - outer.top - dc->GetTextExtent(text).cy;
    centred(text, picture ? std::max(12, std::min(TimeSymbolLabelTop(type), below)) : 12);
  } else if (kind == MsgIcon::kFunction) {
    // The palette's line picture; the mnemonics where the palette puts its texts.
    DrawBlockLinePicture(dc, outer, type);
    const std::vector<SymbolText> texts = BlockSymbolTexts(type);
    if (!PictureOnly(type)) {
      if (texts.empty()) {
        centred(text, 12);
      } else {
        for (const SymbolText& t : texts) dc->TextOut(outer.left + t.dx, outer.top + t.dy, CString(t.text));
      }
    }
  } else {
    centred(text, 12);
  }
  dc->RestoreDC(saved);
  dc->SelectObject(&oldFont);
  dc->SetBkColor(oldBk);
  dc->SelectObject(&oldPen);
}

}  // namespace

void CWidget::Draw(CViewContext* view, CDC* dc, BOOL bDetails) {
  if (dc == nullptr) return;
  const CPen oldPen = dc->GetCurrentPen();
  const CBrush oldBrush = dc->GetCurrentBrush();
  const CFont oldFont = dc->GetCurrentFont();
  const COLORREF oldBk = dc->GetBkColor();
  const int oldBkMode = dc->GetBkMode();

  if (!bDetails) {
    // The device display: one character per cell, right-aligned in the width,
    // in the element's first display line (a scope or pointer covers three
    // lines; its characters keep the height of one).
    if (m_nWidth > 0) {
      const int cell = (m_rect.right - m_rect.left + 1) / m_nWidth;
      const int lineHeight = (m_rect.bottom - m_rect.top + 1) / std::max(1, GetLineCount());
      CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
      dc->SelectObject(&pen);
      CFont font =
          MakeFont(lineHeight - 3, cell - 3, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, FIXED_PITCH, CString());
      dc->SelectObject(&font);
      dc->SetBkColor(kDisplayBackground);
      CString value;
      if (m_nKind != MSGELEM_GRAPH && m_pBlock != nullptr)
        FormatMessageParamDisplay(m_pBlock, view, &value, m_nParam, m_nKind);
      CString format;
      format.Format(u"%%%ds", m_nWidth);
      CString text;
      text.Format(format.GetString(), value.GetString());
      for (int i = 0; i < text.GetLength(); ++i) {
        const CString ch(text.Mid(i, 1));
        const int cx = dc->GetTextExtent(ch).cx;
        dc->TextOut(m_rect.left + i * cell + (cell - cx) / 2, m_rect.top, ch);
      }
    }
  } else {
    const int h = m_rect.bottom - m_rect.top;
    CBrush fill(m_color);
    dc->SelectObject(&fill);
    dc->Polygon({CPoint(m_rect.left, m_rect.top), CPoint(m_rect.right, m_rect.top),
                 CPoint(m_rect.right, m_rect.bottom), CPoint(m_rect.left, m_rect.bottom)});
    CPen pen(PS_SOLID, 0, RGB(0, 0, 0));
    dc->SelectObject(&pen);

    const bool function = IsFunctionBlock(m_pBlock);
    CFont font;
    if (m_nKind == MSGELEM_IOSTATUS) {
      font = function ? EditorFont(10, 4) : EditorFont(12, 8);
    } else if (m_nKind == MSGELEM_GRAPH) {
      font = EditorFont(12, 8);
    } else {
      CRect box(m_rect.left, m_rect.top, m_rect.left + kIconWidth, m_rect.top + kIconHeight);
      box.DeflateRect(1, 1);
      CBrush iconFill(kIconBackground);
      dc->SelectObject(&iconFill);
      dc->FillSolidRect(box, kIconBackground);
      DrawIcon(dc, box, m_rect.bottom, m_pBlock, m_nNumber);
      dc->SelectObject(&fill);
      font = EditorFont(10, 4);
    }
    dc->SelectObject(&font);

    CString label;
    if (m_pBlock != nullptr && function) {
      CString pattern;
      pattern.Format(u"B%ls - %ls", u"%d", u"%s");
      label.Format(pattern.GetString(), m_nNumber - kFirstFunctionBlockNumber, m_strLabel.GetString());
    } else if (m_pBlock != nullptr) {
      label = OperandBlockName(*m_pBlock, m_nNumber);
    } else if (m_nKind == MSGELEM_GRAPH) {
      label = u"[Graph]";
    } else {
      label = OperandName(m_nNumber);
    }
    const int width = m_rect.right - m_rect.left;
    label = CutToFit(dc, label, width - kIconWidth);
    dc->SetBkColor(m_color);
    dc->SetBkMode(OPAQUE);

    if (m_nKind == MSGELEM_IOSTATUS) {
      const int cy = dc->GetTextExtent(label.IsEmpty() ? CString(u" ") : label).cy;
      dc->TextOut(m_rect.left + 2, m_rect.top + (h - cy) / 2, label);
      CFont small = EditorFont(8, 4);
      dc->SelectObject(&small);
      CString off(u"0:"), on(u"1:");
      for (int c = 1; c < kCellCols; ++c) off += m_strCell[1][c], on += m_strCell[2][c];
      const int cy2 = dc->GetTextExtent(off).cy;
      const int x = m_rect.left + 4 * (width / 8);
      dc->TextOut(x, m_rect.top + (h / 2 - cy2) / 2, off);
      dc->TextOut(x, m_rect.top + h / 2 + (h / 2 - cy2) / 2, on);
    } else {
      dc->TextOut(m_rect.left + kIconWidth, m_rect.top + 2, label);
      CFont valueFont = EditorFont(-12, 0);
      dc->SelectObject(&valueFont);
      CString value;
      if (m_nKind == MSGELEM_SCALETIME) {
        static const char16_t* const kPatterns[4] = {u"00", u"00:00", u"00:00:00", u"00:00:00:00"};
        if (m_nOption >= 0 && m_nOption < 4) value = kPatterns[m_nOption];
      } else if (m_nKind == MSGELEM_GRAPH) {
        value = u"Graph 12 X 4";
      } else if (m_pBlock != nullptr) {
        FormatMessageParamText(m_pBlock, view, &value, m_nParam, m_nKind);
      } else if (m_nNumber >= kFirstAnalogInputOperand) {
        // An analog operand of a ladder diagram: the element that addresses it.
        const CZaradDoc* doc = view ? view->GetDocument() : m_pDoc;
        const int elementType =
            m_nNumber >= kFirstAnalogFlagOperand ? kTypeLadderAnalogOutput : kTypeAnalogContact;
        const CBlockObj* element = doc ? doc->FindBlockByOperand(m_nNumber, elementType) : nullptr;
        if (element) value.Format(u"%6.1f", static_cast<double>(element->m_nSimValue));
      }
      value = CutToFit(dc, value, width - kIconWidth);
      dc->TextOut(m_rect.left + kIconWidth, m_rect.top + 18, value);
    }
  }

  dc->SetBkMode(oldBkMode);
  dc->SetBkColor(oldBk);
  dc->SelectObject(&oldFont);
  dc->SelectObject(&oldBrush);
  dc->SelectObject(&oldPen);
}

void CWidget::DrawSelected(CViewContext* view, CDC* dc, BOOL bDetails) {
  Draw(view, dc, bDetails);
  DrawSelectionFrame(dc);
}

void CWidget::DrawSelectionFrame(CDC* dc) {
  if (dc == nullptr) return;
  CPen red(PS_SOLID, 2, kSelectionRed);
  const CPen old = dc->SelectObject(&red);
  dc->MoveTo(m_rect.left, m_rect.top);
  dc->LineTo(m_rect.left, m_rect.bottom - 1);
  dc->LineTo(m_rect.right - 1, m_rect.bottom - 1);
  dc->LineTo(m_rect.right - 1, m_rect.top);
  dc->LineTo(m_rect.left, m_rect.top);
  dc->SelectObject(&old);
}

void CWidget::DrawDragOutline(CDC* dc, CPoint topLeft) {
  if (dc == nullptr) return;
  const int rop = dc->SetROP2(R2_NOT);
  const CBrush none = CBrush::Null();
  const CBrush old = dc->SelectObject(&none);
  const int w = m_rect.right - m_rect.left;
  const int hh = m_rect.bottom - m_rect.top;
  dc->Polygon({CPoint(topLeft.x, topLeft.y), CPoint(topLeft.x + w, topLeft.y),
               CPoint(topLeft.x + w, topLeft.y + hh), CPoint(topLeft.x, topLeft.y + hh)});
  dc->SelectObject(&old);
  dc->SetROP2(rop);
}
