// Drawing of message-text elements: the editors' form (a coloured box with a
// block icon, a label and the long value text), the device display's form
// (the value one character per cell), the selection frame and the outline of
// an element being dragged.
#include <algorithm>
#include <cmath>
#include <vector>

#include "blocks/pictograms.h"
#include "blocks/time_blocks.h"
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

// The operand name of a number, by its range; empty below 100.
CString OperandName(int n) {
  if (n >= 4288) return FormatString(u"AM%d", n - 4288);
  if (n >= 4000) return FormatString(u"AI%d%02d", (n - 4000) / 8, (n - 4000) % 8);
  if (n >= 1316) return FormatString(u"M%d", n - 1316);
  if (n >= 1300) return FormatString(u"F%d", n - 1300);
  if (n >= 1000) return FormatString(u"S%d.%d", (n - 1000) / 16, (n - 1000) % 16);
  if (n >= 600) return FormatString(u"Q%d%02d", (n - 600) / 16, (n - 600) % 16);
  if (n >= 100) return FormatString(u"I%d%02d", (n - 100) / 32, (n - 100) % 32);
  return CString();
}

// The operand name of an operand block, by its type.
CString OperandBlockName(const CBlockObj& block, int n) {
  switch (block.m_nType) {
    case 600:
      return FormatString(u"I%d%02d", (n - 100) / 32, (n - 100) % 32);
    case 602:
      return FormatString(u"S%d.%d", (n - 1000) / 16, (n - 1000) % 16);
    case 605:
      return FormatString(u"Q%d%02d", (n - 600) / 16, (n - 600) % 16);
    case 607:
      return FormatString(u"M%d", n - 1316);
    case 608:
      return FormatString(u"AI%d%02d", (n - 4000) / 8, (n - 4000) % 8);
    case 610:
      return FormatString(u"AM%d", n - 4288);
    case 611:
      return FormatString(u"F%d", n - 1300);
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
enum class IconKind { kNone, kTime, kFunction, kData, kMath, kAnalog };

IconKind IconOf(const CBlockObj* block, int number) {
  if (block == nullptr) {
    if ((number >= 4000 && number <= 4127) || (number >= 4288 && number <= 4799)) return IconKind::kAnalog;
    return IconKind::kNone;
  }
  const int type = block->m_nType;
  if (type >= 400 && type <= 413) return IconKind::kTime;
  if (type == 800 || type == 801 || type == 802 || (type >= 803 && type <= 807) ||
      (type >= 815 && type <= 822) || type == 810 || type == 823)
    return IconKind::kFunction;
  if (type >= 832 && type <= 856 && type != 847) return IconKind::kData;
  if (type >= 860 && type <= 879) return IconKind::kMath;
  if (type == 608 || type == 610) return IconKind::kAnalog;
  return IconKind::kNone;
}

const char16_t* Mnemonic(int type) {
  switch (type) {
    case 400:
      return u"ON-D";
    case 401:
      return u"OFF-D";
    case 402:
      return u"ON/OFF";
    case 403:
      return u"R-ON-D";
    case 404:
      return u"W-R";
    case 405:
      return u"E-F-W-R";
    case 406:
      return u"A-P-G";
    case 407:
      return u"R-G";
    case 408:
      return u"S-L-S";
    case 409:
      return u"M-F-S";
    case 410:
      return u"W-T";
    case 411:
      return u"Y-T";
    case 412:
      return u"AC";
    case 413:
      return u"SW";
    case 800:
      return u"U/D";
    case 801:
      return u"H-C";
    case 803:
    case 805:
    case 816:
    case 817:
    case 818:
      return u"A";
    case 810:
      return u"Text";
    case 815:
    case 823:
      return u"+=";
    case 819:
      return u"~";
    case 820:
    case 821:
    case 822:
      return u"Ax";
    case 832:
      return u"BCD";
    case 833:
      return u"BIN";
    case 834:
      return u"ROL";
    case 835:
      return u"ROR";
    case 836:
      return u"SHL";
    case 837:
      return u"SHR";
    case 838:
    case 841:
      return u"&";
    case 839:
    case 842:
      return u">1";
    case 840:
      return u"1";
    case 843:
      return u"=1";
    case 844:
      return u"AXIV";
    case 845:
      return u"DXIV";
    case 846:
      return u"Rand";
    case 848:
      return u"ENC";
    case 849:
      return u"SMC";
    case 850:
      return u"SMCE";
    case 851:
      return u"PTO";
    case 852:
      return u"PTOE";
    case 853:
      return u"SEG";
    case 854:
      return u"WTB";
    case 855:
      return u"UDC";
    case 856:
      return u"CRC";
    case 860:
      return u"ODD";
    case 861:
      return u"EVEN";
    case 862:
      return u"MOD";
    case 863:
      return u"REM";
    case 864:
      return u"LOG";
    case 865:
      return u"SQRT";
    case 866:
      return u"ABS";
    case 867:
      return u"GCD";
    case 868:
      return u"LCM";
    case 869:
      return u"POW2";
    case 870:
      return u"EXP";
    case 871:
      return u"FIX";
    case 872:
      return u"round";
    case 873:
      return u"SIN";
    case 874:
      return u"COS";
    case 875:
      return u"TAN";
    case 876:
      return u"COT";
    case 877:
      return u"SEC";
    case 878:
      return u"CSC";
    case 879:
      return u"QUAD";
    default:
      return u"";
  }
}

// The function icons that show their line picture without a mnemonic.
bool PictureOnly(int type) {
  return type == 802 || type == 804 || type == 806 || type == 807;
}

// bottom: the element's bottom edge, which a line of the editor's grid may put
// above the icon box's own.
void DrawIcon(CDC* dc, const CRect& box, int bottom, const CBlockObj* block, int number) {
  const IconKind kind = IconOf(block, number);
  if (kind == IconKind::kNone) return;
  const int type = block ? block->m_nType : 0;
  CPen pen(PS_SOLID, kind == IconKind::kMath ? 1 : 0, RGB(0, 0, 0));
  const CPen oldPen = dc->SelectObject(&pen);
  const COLORREF oldBk = dc->SetBkColor(kIconBackground);
  CFont font;
  CString text = kind == IconKind::kAnalog
                     ? CString(type == 608 || (block == nullptr && number < 4288) ? u"AI" : u"AM")
                     : CString(Mnemonic(type));
  const BYTE fixed = FIXED_PITCH;
  switch (kind) {
    case IconKind::kTime:
      font = (type == 412 || type == 413)
                 ? MakeFont(12, 7, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial")
                 : MakeFont(12, 5, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case IconKind::kFunction:
      font = MakeFont(12, 5, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial");
      break;
    case IconKind::kData:
      font = MakeFont(12, 5, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case IconKind::kMath:
      font = MakeFont(12, 5, FW_NORMAL, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, u"Arial");
      break;
    case IconKind::kAnalog:
      font = MakeFont(14, 8, 0, DEFAULT_CHARSET, OUT_TT_PRECIS, fixed, CString());
      break;
    case IconKind::kNone:
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
  if (kind == IconKind::kMath) {
    const int cx = dc->GetTextExtent(text).cx;
    dc->TextOut(outer.left + (kIconWidth - cx) / 2 + 1, outer.top + 12, text);
  } else if (kind == IconKind::kAnalog) {
    dc->TextOut(outer.left + (kIconWidth - 8) / 2 - 2, outer.top + (kIconHeight - 14) / 3, text);
  } else if (kind == IconKind::kTime) {
    // The palette's line picture with the mnemonic under it.
    const bool picture = DrawBlockLinePicture(dc, outer, type);
    // Under the picture, lifted where the element ends above the box.
    const int below = bottom - outer.top - dc->GetTextExtent(text).cy;
    centred(text, picture ? std::max(12, std::min(TimeSymbolLabelTop(type), below)) : 12);
  } else if (kind == IconKind::kFunction) {
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
    // The device display: one character per cell, right-aligned in the width.
    if (m_nWidth > 0) {
      const int cell = (m_rect.right - m_rect.left + 1) / m_nWidth;
      const int lineHeight = m_rect.bottom - m_rect.top + 1;
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
      label.Format(pattern.GetString(), m_nNumber - 9000, m_strLabel.GetString());
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
      } else if (m_nNumber >= 4000) {
        // An analog operand of a ladder diagram: the element that addresses it.
        const CZaradDoc* doc = view ? view->GetDocument() : m_pDoc;
        const CBlockObj* element =
            doc ? doc->FindBlockByOperand(m_nNumber, m_nNumber >= 4288 ? 705 : 702) : nullptr;
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
