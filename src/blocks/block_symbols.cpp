// The symbols inside the block bodies: operand letters, gate texts with edge
// arrows and negation bars, timing pictograms, contact and coil shapes, and the
// mnemonics of the special, data, math and data-log blocks.
//
// Every division is an integer division that truncates toward zero and applies
// to the term as written (b - 5 * H / 8 subtracts the truncated quotient).
#include "blocks/block_symbols.h"

#include <array>

#include "blocks/analog_blocks.h"
#include "blocks/block_draw.h"
#include "blocks/comm_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/extended_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "platform/cdc.h"

namespace {

constexpr std::array<const char16_t*, 12> kOperandTexts = {u"I", u"C", u"S",  u"lo", u"hi", u"Q",
                                                           u"X", u"M", u"AI", u"AQ", u"AM", u"F"};
constexpr std::array<const char16_t*, 8> kLogicTexts = {u"&", u"&", u"&", u"&", u">1", u">1", u"=1", u"1"};
constexpr std::array<const char16_t*, 14> kTimerTexts = {u"ON-D", u"OFF-D", u"ON/OFF", u"R-ON-D", u"W-R",
                                                         u"ETWR", u"A-P-G", u"R-G",    u"S-L-S",  u"M-F-S",
                                                         u"W-T",  u"Y-T",   u"AC",     u"SW"};
constexpr std::array<const char16_t*, 27> kDataTexts = {
    u"BOOL", u"TDT", u"BCD",  u"BIN", u"ROL",  u"ROR",  u"SHL",  u"SHR",  u"&",
    u">1",   u"1",   u"&",    u">1",  u"=1",   u"AXIV", u"DXIV", u"Rand", u"MEM",
    u"ENC",  u"SMC", u"SMCE", u"PTO", u"PTOE", u"SEG",  u"WTB",  u"UDC",  u"CRC"};
constexpr std::array<const char16_t*, 20> kMathTexts = {
    u"ODD", u"EVEN", u"MOD",   u"REM", u"LOG", u"SQRT", u"ABS", u"GCD", u"LCM", u"POW2",
    u"EXP", u"FIX",  u"round", u"SIN", u"COS", u"TAN",  u"COT", u"SEC", u"CSC", u"QUAD"};

bool InRange(int v, int lo, int hi) {
  return v >= lo && v <= hi;
}

// Selects a font and a black pen for one painter and restores the context's objects.
class CPainterScope {
 public:
  CPainterScope(CDC* dc, const CFont& font) : m_scope(dc), m_dc(dc) {
    static const CPen kBlackPen(PS_SOLID, 1, kDrawBlack);
    dc->SelectObject(&kBlackPen);
    dc->SelectObject(&font);
  }
  CDC* dc() const { return m_dc; }

 private:
  CDCObjectScope m_scope;
  CDC* m_dc;
};

void Line(CDC* dc, int x1, int y1, int x2, int y2) {
  dc->MoveTo(x1, y1);
  dc->LineTo(x2, y2);
}

void Poly(CDC* dc, std::initializer_list<CPoint> pts) {
  dc->Polyline(pts);
}

// A line from (x1, y) to (x2, y) with pulses up to yTop over the given spans.
void PulseLine(CDC* dc, int x1, int x2, int y, int yTop, std::initializer_list<std::pair<int, int>> pulses) {
  dc->MoveTo(x1, y);
  for (const auto& [a, b] : pulses) {
    dc->LineTo(a, y);
    dc->LineTo(a, yTop);
    dc->LineTo(b, yTop);
    dc->LineTo(b, y);
  }
  dc->LineTo(x2, y);
}

// Text centred in a column of the given width from x (x + (width - cx) / 2).
int ColumnX(const CDC* dc, int x, int width, const CString& text) {
  return x + (width - dc->GetTextExtent(text).cx) / 2;
}

void ClockFace(CDC* dc, int l, int t, int r, int b, CPoint centre, int handUp, int handRight) {
  CBrush face(kClockFaceFill);
  const CBrush old = dc->SelectObject(&face);
  dc->Ellipse(l, t, r, b);
  dc->SelectObject(&old);
  Line(dc, centre.x, centre.y, centre.x, centre.y - handUp);
  Line(dc, centre.x, centre.y, centre.x + handRight, centre.y);
}

}  // namespace

const char16_t* GetBlockSymbolText(int typeCode) {
  if (InRange(typeCode, 600, 611)) return kOperandTexts[static_cast<size_t>(typeCode - 600)];
  if (InRange(typeCode, 300, 307)) return kLogicTexts[static_cast<size_t>(typeCode - 300)];
  if (InRange(typeCode, 400, 413)) return kTimerTexts[static_cast<size_t>(typeCode - 400)];
  if (InRange(typeCode, 830, 856)) return kDataTexts[static_cast<size_t>(typeCode - 830)];
  if (InRange(typeCode, 860, 879)) return kMathTexts[static_cast<size_t>(typeCode - 860)];
  if (typeCode == 911) return u"L";
  switch (typeCode) {
    case 800:
      return u"U/D";
    case 801:
      return u"H-C";
    case 805:
      return u"A";
    case 808:
      return u"L-R";
    case 809:
      return u"P-R";
    case 810:
      return u"Text";
    case 812:
      return u">>";
    case 813:
      return u"MR";
    case 814:
      return u"MW";
    default:
      return nullptr;
  }
}

SymbolPainter GetSymbolPainter(const CBlockObj& b) {
  if (InRange(b.m_nType, 600, 611)) return SymbolPainter::kOperand;
  auto kind = [&b](std::initializer_list<const CRuntimeClass*> classes) {
    for (const CRuntimeClass* c : classes) {
      if (b.IsKindOf(c)) return true;
    }
    return false;
  };
  if (kind({RUNTIME_CLASS(CBlockMake), RUNTIME_CLASS(CBlockAContact), RUNTIME_CLASS(CBlockRelayCoil),
            RUNTIME_CLASS(CBlockAOutLAD)}))
    return SymbolPainter::kLadder;
  if (kind({RUNTIME_CLASS(CBlockLogic)})) return SymbolPainter::kLogic;
  if (kind({RUNTIME_CLASS(CBlockTime)})) return SymbolPainter::kTimer;
  if (kind({RUNTIME_CLASS(CBlockCOUNTER), RUNTIME_CLASS(CBlockHCOUNTER), RUNTIME_CLASS(CBlockTHTRG),
            RUNTIME_CLASS(CBlockAnalog), RUNTIME_CLASS(CBlockLR), RUNTIME_CLASS(CBlockPR),
            RUNTIME_CLASS(CBlockSREG), RUNTIME_CLASS(CBlockMR), RUNTIME_CLASS(CBlockMATHERR),
            RUNTIME_CLASS(CBlockWIFI)}))
    return SymbolPainter::kSpecial;
  // The message-text block (810) has its class with the message texts; it is
  // recognised by its type code until then.
  if (b.m_nType == 810) return SymbolPainter::kSpecial;
  if (kind({RUNTIME_CLASS(CBlockBoolean), RUNTIME_CLASS(CBlockTDT),      RUNTIME_CLASS(CBlockBCD),
            RUNTIME_CLASS(CBlockBIN),     RUNTIME_CLASS(CBlockROL),      RUNTIME_CLASS(CBlockROR),
            RUNTIME_CLASS(CBlockSHL),     RUNTIME_CLASS(CBlockSHR),      RUNTIME_CLASS(CBlockUDC),
            RUNTIME_CLASS(CBlockANDM),    RUNTIME_CLASS(CBlockORM),      RUNTIME_CLASS(CBlockNOTM),
            RUNTIME_CLASS(CBlockNANDM),   RUNTIME_CLASS(CBlockNORM),     RUNTIME_CLASS(CBlockXORM),
            RUNTIME_CLASS(CBlockARRMXIV), RUNTIME_CLASS(CBlockACMXIV),   RUNTIME_CLASS(CBlockRAND),
            RUNTIME_CLASS(CBlockMEM),     RUNTIME_CLASS(CBlockENCODER),  RUNTIME_CLASS(CBlockSMC),
            RUNTIME_CLASS(CBlockSMCE),    RUNTIME_CLASS(CBlockPTO),      RUNTIME_CLASS(CBlockPTOE),
            RUNTIME_CLASS(CBlockSEG),     RUNTIME_CLASS(CBlockWORD2BIT), RUNTIME_CLASS(CBlockCRC16)}))
    return SymbolPainter::kDataFunction;
  if (kind({RUNTIME_CLASS(CBlockODD),   RUNTIME_CLASS(CBlockEVEN), RUNTIME_CLASS(CBlockMOD),
            RUNTIME_CLASS(CBlockREM),   RUNTIME_CLASS(CBlockLOG),  RUNTIME_CLASS(CBlockSQRT),
            RUNTIME_CLASS(CBlockABS),   RUNTIME_CLASS(CBlockGCD),  RUNTIME_CLASS(CBlockLCM),
            RUNTIME_CLASS(CBlockPOW2),  RUNTIME_CLASS(CBlockEXP),  RUNTIME_CLASS(CBlockFIX),
            RUNTIME_CLASS(CBlockROUND), RUNTIME_CLASS(CBlockSIN),  RUNTIME_CLASS(CBlockCOS),
            RUNTIME_CLASS(CBlockTAN),   RUNTIME_CLASS(CBlockCOT),  RUNTIME_CLASS(CBlockSEC),
            RUNTIME_CLASS(CBlockCSC),   RUNTIME_CLASS(CBlockQUAD)}))
    return SymbolPainter::kMath;
  if (kind({RUNTIME_CLASS(CBlockDataLog)})) return SymbolPainter::kDataLog;
  return SymbolPainter::kNone;
}

void CBlockObj::DrawBlockSymbol(CDC* dc, const CZaradDoc* doc) const {
  switch (GetSymbolPainter(*this)) {
    case SymbolPainter::kOperand:
      DrawOperandLabel(dc);
      break;
    case SymbolPainter::kLadder:
      DrawLadderSymbol(dc);
      break;
    case SymbolPainter::kLogic:
      DrawLogicSymbol(dc);
      break;
    case SymbolPainter::kTimer:
      DrawTimerSymbol(dc);
      break;
    case SymbolPainter::kSpecial:
      DrawSpecialSymbol(dc);
      break;
    case SymbolPainter::kDataFunction:
      DrawDataFunctionSymbol(dc, doc);
      break;
    case SymbolPainter::kMath:
      DrawMathSymbol(dc, doc);
      break;
    case SymbolPainter::kDataLog:
      DrawDataLogSymbol(dc, doc);
      break;
    case SymbolPainter::kNone:
      break;
  }
}

void CBlockObj::DrawOperandLabel(CDC* dc) const {
  if (!InRange(m_nType, 600, 611)) return;
  const CString text(kOperandTexts[static_cast<size_t>(m_nType - 600)]);
  const CSize ext = dc->GetTextExtent(text);
  dc->TextOut(m_ptPos.x + (m_nWidth - ext.cx) / 2, m_ptPos.y + (m_nHeight - ext.cy) / 2, text);
}

void CBlockObj::DrawLogicSymbol(CDC* dc) const {
  if (!InRange(m_nType, 300, 307)) return;
  CPainterScope scope(dc, MakeSymbolFont(12, 8, false));
  const int left = m_ptPos.x;
  const int top = m_ptPos.y;
  const int w = m_nWidth;
  const int H = m_nHeight;
  const CString text(kLogicTexts[static_cast<size_t>(m_nType - 300)]);
  const CSize ext = dc->GetTextExtent(text);
  const int cx = ext.cx;
  const int cy = ext.cy;
  if (m_nType == 301 || m_nType == 303) {
    const int dx = (w - 2 * cx) / 2;
    const int ty = top + (H - cy) / 2;
    const int shift = m_nType == 303 ? 2 : 0;
    const int ax = left + dx + 2 * cx / 3 - shift;
    const int headY = ty + cy / 3;
    const int tipY = m_nType == 301 ? ty : ty + 2 * cy / 3;
    Line(dc, ax, ty, ax, ty + 2 * cy / 3);
    Line(dc, ax, tipY, left + dx + cx / 3 - shift, headY);
    Line(dc, ax, tipY, left + dx + cx - shift, headY);
    dc->TextOut(left + dx + cx, ty, text);
    if (m_nType == 303) Line(dc, left + dx, ty, left + dx + 2 * cx, ty);
    return;
  }
  const int tx = left + (w - cx) / 2;
  const int ty = top + (H - cy) / 2;
  dc->TextOut(tx, ty, text);
  if (m_nType == 304 || m_nType == 305) Line(dc, tx, ty + cy, tx + cx / 2, ty + cy);
  if (m_nType == 302 || m_nType == 305 || m_nType == 307) Line(dc, tx, ty - 1, tx + cx, ty - 1);
}

void CBlockObj::DrawLadderSymbol(CDC* dc) const {
  if (!InRange(m_nType, 700, 705)) return;
  CPainterScope scope(dc, MakeSymbolFont(12, 6, false, false));
  const int x = m_ptPos.x;
  const int y = m_ptPos.y;
  const int r = x + m_nWidth;
  const int b = y + m_nHeight;
  const int H = m_nHeight;
  const CPen widePen(PS_SOLID, 2, kDrawBlack);
  const CPen thinPen(PS_SOLID, 1, kDrawBlack);
  CBrush fill(kBodyFill);
  switch (m_nType) {
    case 700:
    case 701:
    case 702:
      Line(dc, x, y + 18, x + 8, y + 18);
      if (m_nType == 702) dc->SelectObject(&widePen);
      Line(dc, x + 16, y + 18, x + 26, y + 18);
      dc->SelectObject(&thinPen);
      Line(dc, x + 8, y, x + 8, b);
      Line(dc, x + 16, y, x + 16, b);
      if (m_nType == 701) Line(dc, x + 14, y, x + 10, b);
      if (m_nType == 702) {
        const CBrush old = dc->SelectObject(&fill);
        dc->Ellipse(x + 18, y + 2, r, y + 8);
        dc->SelectObject(&old);
      }
      break;
    case 703:
    case 704: {
      Line(dc, x, y + 18, x + 5, y + 18);
      const CFont paren = MakeSymbolFont(32, 8, true);
      dc->SelectObject(&paren);
      dc->TextOut(x + 3, y, CString(u"("));
      dc->TextOut(r - 7, y, CString(u")"));
      if (m_nType == 704) Line(dc, r - 10, y + H / 5, x + 10, b - H / 5);
      break;
    }
    case 705: {
      dc->SelectObject(&widePen);
      Line(dc, x - 1, y + 18, x + 8, y + 18);
      dc->SelectObject(&thinPen);
      const CBrush old = dc->SelectObject(&fill);
      dc->Ellipse(x + 18, y + 2, r, y + 8);
      dc->SelectObject(&old);
      const CFont paren = MakeSymbolFont(24, 8, true);
      dc->SelectObject(&paren);
      dc->TextOut(x + 6, y + H / 6, CString(u"("));
      dc->TextOut(r - 6, y + H / 6, CString(u")"));
      break;
    }
    default:
      break;
  }
}

void CBlockObj::DrawTimerSymbol(CDC* dc) const {
  if (!InRange(m_nType, 400, 413)) return;
  CPainterScope scope(dc, MakeSymbolFont(12, 7, true));
  const int left = m_ptPos.x;
  const int top = m_ptPos.y;
  const int w = m_nWidth;
  const int H = m_nHeight;
  const int r = left + w;
  const int b = top + H;
  const CString text(kTimerTexts[static_cast<size_t>(m_nType - 400)]);
  const int n = text.GetLength();

  CFont font = MakeSymbolFont(12, 7, true);  // the base font
  switch (m_nType) {
    case 400:
      font = MakeSymbolFont(10, 5, true);
      break;
    case 401:
    case 402:
      font = MakeSymbolFont(10, 3, false);
      break;
    case 403:
      font = MakeSymbolFont(9, 3, true);
      break;
    case 404:
      font = MakeSymbolFont(12, 6, true);
      break;
    case 405:
      font = MakeSymbolFont(10, 4, true);
      break;
    case 406:
    case 408:
    case 409:
      font = MakeSymbolFont(10, 4, false, false);
      break;
    default:
      break;
  }
  dc->SelectObject(&font);
  // The created width and height, not measured ones.
  const int f = font.GetLogFont().lfWidth;
  const int h = font.GetLogFont().lfHeight;
  const int xa = left + (w - 5 * f / 2) / 2;

  switch (m_nType) {
    case 400: {
      const int tip = b - 15 * H / 16;
      Line(dc, xa, b - 5 * H / 8, xa, tip);
      Line(dc, xa, tip, xa - 3, tip + 4);
      Line(dc, xa, tip, xa + 3, tip + 4);
      const int xs = left + (w - 7 * f / 2) / 2;
      const int s = 5 * w / 12;
      Poly(dc, {{xs, b - 3 * H / 8 - 2},
                {xs + s, b - 3 * H / 8 - 2},
                {xs + s, b - 5 * H / 8 - 1},
                {xs + 2 * s, b - 5 * H / 8 - 1}});
      dc->TextOut(left + (w - n * f) / 2 - 2, b - H / 4 - h / 4, text);
      break;
    }
    case 401: {
      const int tip = b - 3 * H / 4;
      Line(dc, xa, b - 15 * H / 16, xa, tip);
      Line(dc, xa, tip, xa - 3, tip - 4);
      Line(dc, xa, tip, xa + 3, tip - 4);
      const int xs = left + (w - 7 * f / 2) / 2;
      const int s = 5 * w / 12;
      Poly(dc, {{xs, b - 5 * H / 8 - 1},
                {xs + s, b - 5 * H / 8 - 1},
                {xs + s, b - 3 * H / 8 - 2},
                {xs + 2 * s, b - 3 * H / 8 - 2}});
      dc->TextOut(left + (w - n * f) / 2, b - H / 4 - h / 4, text);
      break;
    }
    case 402: {
      const int upper = b - 15 * H / 16;
      const int lower = b - 5 * H / 8;
      Line(dc, xa, lower, xa, upper);
      Line(dc, xa, upper, xa - 3, upper + 4);
      Line(dc, xa, upper, xa + 3, upper + 4);
      Line(dc, xa, lower, xa - 3, lower - 4);
      Line(dc, xa, lower, xa + 3, lower - 4);
      const int xs = left + (w - 4 * f) / 2;
      const int yLow = b - 3 * H / 8 - 2;
      const int yHigh = b - 5 * H / 8 - 1;
      Poly(dc, {{xs, yLow}, {xs + w / 2, yLow}, {xs + w / 2, yHigh}});
      Poly(dc, {{xs + w / 4, yLow}, {xs + w / 4, yHigh}, {xs + w / 4 + w / 2, yHigh}});
      dc->TextOut(left + (w - n * f) / 2, b - H / 4 - h / 4, text);
      break;
    }
    case 403: {
      const int tip = b - 7 * H / 8;
      Line(dc, xa, b - 5 * H / 8, xa, tip);
      Line(dc, xa, tip, xa - 3, tip + 6);
      Line(dc, xa, tip, xa + 3, tip + 6);
      const int yLow = b - 3 * H / 8 - 2;
      const int yHigh = b - 5 * H / 8 - 1;
      const int end = left + 7 * w / 8;
      Poly(dc, {{xa, yLow}, {left + w / 2, yLow}, {left + w / 2, yHigh}, {end, yHigh}});
      Line(dc, end, yHigh, end - 6, b - 5 * H / 8 - 4);
      Line(dc, end, yHigh, end - 6, b - 5 * H / 8 + 2);
      dc->TextOut(left + (w - n * f) / 2 - 2, b - H / 4 - h / 4, text);
      break;
    }
    case 404:
      Poly(dc, {{left + w / 10, top + 3 * H / 10},
                {left + w / 4, top + 3 * H / 10},
                {left + w / 4, top + H / 10},
                {r - w / 3, top + H / 10},
                {r - w / 3, top + 3 * H / 10},
                {r - w / 10, top + 3 * H / 10}});
      Poly(dc, {{left + w / 10, b - h - 1},
                {left + w / 4, b - h - 1},
                {left + w / 4, top + 2 * H / 5},
                {left + w / 4 + w / 6, top + 2 * H / 5},
                {left + w / 4 + w / 6, b - h - 1},
                {r - w / 3, b - h - 1}});
      dc->TextOut(left + (w - n * f) / 2, b - h, text);
      break;
    case 405:
      Poly(dc, {{left + w / 10, top + 2 * H / 5 - 2},
                {left + w / 4, top + 2 * H / 5 - 2},
                {left + w / 4, top + H / 5 - 2},
                {r - w / 3, top + H / 5 - 2},
                {r - w / 3, top + 2 * H / 5 - 2},
                {r - w / 10, top + 2 * H / 5 - 2}});
      Line(dc, left + w / 4, top + H / 5 - 2, left + w / 4 - w / 6, top + H / 3 - 2);
      Line(dc, left + w / 4, top + H / 5 - 2, left + w / 4 + w / 6, top + H / 3 - 2);
      Poly(dc, {{left + w / 10, top + 2 * H / 3 - 2},
                {left + w / 4, top + 2 * H / 3 - 2},
                {left + w / 4, top + H / 2 - 2},
                {r - w / 4, top + H / 2 - 2},
                {r - w / 4, top + 2 * H / 3 - 2},
                {r - w / 10, top + 2 * H / 3 - 2}});
      dc->TextOut(left + (w - n * f) / 2 - 2, b - H / 4 - h / 4, text);
      break;
    case 406:
    case 407: {
      const int xs = left + (w - 5 * f / 2) / 2;
      const int yi = b - 5 * H / 6;
      Line(dc, xs, yi, xs + 5 * w / 8, yi);
      Line(dc, xs + w / 2, yi, xs + w / 2 - 5, yi - 3);
      Line(dc, xs + w / 2, yi, xs + w / 2 - 5, yi + 3);
      if (m_nType == 406) {
        PulseLine(dc, left + w / 20, left + 19 * w / 20, b - h - 2, b - 2 * h,
                  {{left + 3 * w / 20, left + 5 * w / 20},
                   {left + 7 * w / 20, left + 9 * w / 20},
                   {left + 11 * w / 20, left + 13 * w / 20},
                   {left + 15 * w / 20, left + 17 * w / 20}});
        dc->TextOut(left + (w - n * f) / 2, b - h, text);
      } else {
        const int yo = b - 7 * H / 16;
        Poly(dc, {{xs, yo},
                  {xs + f, yo},
                  {xs + f, yo - H / 4},
                  {xs + 2 * f, yo - H / 4},
                  {xs + 2 * f, yo},
                  {xs + 3 * f, yo}});
        dc->TextOut(left + (w - n * f) / 2, b - h / 4 - H / 4, text);
      }
      break;
    }
    case 408:
    case 409:
      dc->TextOut(left + (w - n * f) / 2, top + (H - h) / 2, text);
      break;
    case 410:
    case 411: {
      const int cl = left + (w - H / 2) / 2;
      const int cr = left + w - (w - H / 2) / 2;
      const int cb = top + H / 2 + 2;
      const int hand = (cr - cl) / 2;
      ClockFace(dc, cl, top + 2, cr, cb, CPoint((cl + cr) / 2, (top + cb + 2) / 2), hand, hand);
      dc->TextOut(left + (w - n * f) / 2, b - h, text);
      break;
    }
    case 412:
    case 413: {
      if (m_nType == 412) {
        const CFont star = MakeSymbolFont(20, 12, true);
        dc->SelectObject(&star);
        dc->TextOut(left + 1, top + 4, CString(u"*"));
        dc->SelectObject(&font);
      } else {
        Poly(dc, {{left + 2, top + 14},
                  {left + 5, top + 14},
                  {left + 5, top + 5},
                  {left + 8, top + 5},
                  {left + 8, top + 14},
                  {left + 11, top + 14}});
      }
      CBrush face(kClockFaceFill);
      const CBrush old = dc->SelectObject(&face);
      dc->Ellipse(left + 11, top + 4, left + 24, top + 17);
      dc->SelectObject(&old);
      Line(dc, left + 17, top + 10, left + 17, top + 4);
      Line(dc, left + 17, top + 10, left + 23, top + 10);
      const int cx = dc->GetTextExtent(text).cx;
      dc->TextOut(left + 1 + (25 - cx) / 2, b - h / 2 - 9, text);
      break;
    }
    default:
      break;
  }
}

void CBlockObj::DrawSpecialSymbol(CDC* dc) const {
  if (!InRange(m_nType, 800, 827)) return;
  const CFont base = MakeSymbolFont(12, 6, false, false);
  CPainterScope scope(dc, base);
  const int x = m_ptPos.x;
  const int y = m_ptPos.y;
  const int w = m_nWidth;
  const int H = m_nHeight;
  const int r = x + w;
  const int b = y + H;
  CFont font = base;
  auto useFont = [&](const CFont& next) {
    font = next;
    dc->SelectObject(&font);
  };
  auto f = [&font] { return static_cast<int>(font.GetLogFont().lfWidth); };
  auto h = [&font] { return static_cast<int>(font.GetLogFont().lfHeight); };
  auto centred = [&](const CString& text) {
    dc->TextOut(x + (w - text.GetLength() * f()) / 2, y + (H - h()) / 2, text);
  };
  // An arrow pointing right from (x1, ym) to (x2, ym) with its head lines back to xh, dy above and below.
  auto arrowRight = [dc](int x1, int x2, int ym, int xh, int dy) {
    Line(dc, x1, ym, x2, ym);
    Line(dc, x2, ym, xh, ym - dy);
    Line(dc, x2, ym, xh, ym + dy);
  };
  // The output pulse under the trigger pictograms: low from w/10, high from `rise` to 7w/10, low to 9w/10.
  auto outputPulse = [&](int rise) {
    Poly(dc, {{x + w / 10, b - H / 4},
              {rise, b - H / 4},
              {rise, b - H / 2},
              {x + 7 * w / 10, b - H / 2},
              {x + 7 * w / 10, b - H / 4},
              {x + 9 * w / 10, b - H / 4}});
  };
  const char16_t* own = GetBlockSymbolText(m_nType);

  switch (m_nType) {
    case 800: {
      const int xa = x + (w - 5 * f() / 2) / 2;
      const int tip = b - 3 * h();
      Line(dc, xa, b - 2 * h(), xa, tip);
      Line(dc, xa, tip, xa - 3, tip + 6);
      Line(dc, xa, tip, xa + 3, tip + 6);
      const CString text(u"U/D");
      dc->TextOut(x + (w - text.GetLength() * f()) / 2, b - h(), text);
      break;
    }
    case 801:
    case 808:
    case 809:
    case 810:
    case 812:
    case 813:
    case 814:
      centred(CString(own));
      break;
    case 802: {
      const int y1 = b - 3 * H / 5 - 1;
      const int y2 = y1 - H / 5;
      const int y3 = y2 + H / 10;
      Poly(dc, {{x + w / 10, y1},
                {x + 4 * w / 10, y2},
                {x + 5 * w / 10, y3},
                {x + 6 * w / 10, y2},
                {x + 9 * w / 10, y1}});
      outputPulse(x + 3 * w / 10);
      break;
    }
    case 803:
      Poly(dc, {{x + w / 10, b - 9 * H / 16},
                {x + 4 * w / 10, b - 9 * H / 16},
                {x + w / 4, b - 3 * H / 4},
                {x + w / 10, b - 9 * H / 16}});
      dc->TextOut(x + w / 2, b - 15 * H / 16, CString(u"A"));
      outputPulse(x + w / 2);
      break;
    case 804:
      Line(dc, x + 3 * w / 10, b - 3 * H / 5 - 1, x + 6 * w / 10, b - 3 * H / 5 - 3 * H / 10 - 1);
      dc->TextOut(x + 6 * w / 10 + 2, b - 15 * H / 16, CString(u"A"));
      outputPulse(x + 3 * w / 10);
      break;
    case 805: {
      const int x0 = x + (w - 2 * f()) / 2;
      dc->TextOut(x0 - f() / 2, y + (H - h()) / 2, CString(u"A"));
      arrowRight(x0 + f(), x0 + 5 * f() / 2, y + H / 2, x0 + 3 * f() / 2, h() / 3);
      break;
    }
    case 806: {
      dc->MoveTo(x + 3, y + H / 3);
      dc->SetArcDirection(AD_CLOCKWISE);
      dc->ArcTo(x + 3, y + H / 6, x + w / 2, y + H / 2, x + 3, y + H / 3 + 2, x + w / 2, y + H / 3);
      dc->SetArcDirection(AD_COUNTERCLOCKWISE);
      dc->ArcTo(x + w / 2, y + H / 6, r - 3, y + H / 2, x + w / 2, y + H / 3, r - 3, y + H / 3 - 3);
      PulseLine(dc, x + w / 20, x + 19 * w / 20, b - H / 5, b - 2 * H / 5,
                {{x + 3 * w / 20, x + 5 * w / 20}, {x + 15 * w / 20, x + 17 * w / 20}});
      break;
    }
    case 807:
      Poly(dc, {{x + 4 * w / 14, b - 5 * H / 8},
                {x + 10 * w / 14, b - 5 * H / 8},
                {x + 7 * w / 14, b - 7 * H / 8},
                {x + 4 * w / 14, b - 5 * H / 8}});
      Poly(dc, {{x + w / 14, b - H / 4},
                {x + 3 * w / 14, b - H / 4},
                {x + 3 * w / 14, b - 2 * (H / 4)},
                {x + 11 * w / 14, b - 2 * (H / 4)},
                {x + 11 * w / 14, b - H / 4},
                {x + 13 * w / 14, b - H / 4}});
      break;
    case 815:
      useFont(MakeSymbolFont(12, 7, false, false));
      dc->TextOut(x + 6, y, CString(u"+="));
      dc->TextOut(x + 6, b - h() / 2 - 18, CString(u"A"));
      arrowRight(x + f() + 8, x + f() + 15, b - 18, x + f() + 11, 4);
      break;
    case 816:
      for (int k = 6; k <= 12; k += 2) Line(dc, x + 7, y + k, x + 12, y + k);
      Line(dc, x + 14, y + 7, x + 18, y + 7);
      Line(dc, x + 14, y + 11, x + 18, y + 11);
      Line(dc, x + 19, y + 9, x + 24, y + 9);
      dc->TextOut(x + 6, b - h() / 2 - 18, CString(u"A"));
      arrowRight(x + f() + 8, x + f() + 18, b - 18, x + f() + 14, 4);
      break;
    case 817:
    case 818:
      useFont(MakeSymbolFont(12, 7, false, false));
      if (m_nType == 817) {
        Poly(dc, {{x + 3, b - 25}, {x + 7, b - 30}, {x + 10, b - 30}, {x + 10, b - 25}, {x + 20, b - 25}});
      } else {
        Poly(dc, {{x + 3, b - 25}, {x + 7, b - 30}, {x + 10, b - 27}, {x + 18, b - 27}});
      }
      dc->TextOut(x + 3, b - h() / 2 - 18, CString(u"A"));
      arrowRight(x + f() + 5, x + f() + 15, b - 18, x + f() + 11, 4);
      break;
    case 819:
      useFont(MakeSymbolFont(12, 7, false, true));
      dc->TextOut(x + 6, b - h() / 2 - 24, CString(u"~"));
      arrowRight(x + f() + 9, x + f() + 16, b - 22, x + f() + 12, 4);
      Poly(dc, {{x + 3, b - 7},
                {x + 6, b - 7},
                {x + 6, b - 14},
                {x + 9, b - 14},
                {x + 9, b - 7},
                {r - 9, b - 7},
                {r - 9, b - 14},
                {r - 6, b - 14},
                {r - 6, b - 7},
                {r - 3, b - 7}});
      break;
    case 820:
      useFont(MakeSymbolFont(12, 7, false, false));
      Poly(dc, {{x + 6, b - 25}, {x + 6, b - 28}, {x + 9, b - 31}});
      Line(dc, x + 10, b - 31, x + 16, b - 31);
      dc->TextOut(x + 6, b - h() / 2 - 18, CString(u"Ax"));
      break;
    case 821:
      useFont(MakeSymbolFont(12, 7, false, false));
      dc->TextOut(x + 8, b - 40, CString(u"_"));
      dc->TextOut(x + 15, b - 35, CString(u"_"));
      dc->TextOut(x + 6, b - h() / 2 - 18, CString(u"Ax"));
      break;
    case 822:
      useFont(MakeSymbolFont(12, 7, false, false));
      Line(dc, x + 8, b - 26, x + 21, b - 26);
      dc->TextOut(x + 6, b - h() / 2 - 18, CString(u"Ax"));
      break;
    case 823:
      useFont(MakeSymbolFont(12, 7, false, false));
      dc->TextOut(x + 3, y, CString(u"+="));
      dc->TextOut(x + 3, b - h() / 2 - 18, CString(u"E"));
      arrowRight(x + f() + 5, x + f() + 15, b - 18, x + f() + 11, 4);
      break;
    case 824:
    case 825:
    case 826:
    case 827: {
      const int xv = x + 2 * w / 5;
      const int yh = b - h() / 2 - 19;
      const CPen dotted(PS_DOT, 1, kDrawBlack);
      const CPen previous = dc->SelectObject(&dotted);
      Line(dc, xv, b - h() / 2 - 23, xv, yh);
      Line(dc, x + 3, yh, x + 23, yh);
      const CPen dotPen(PS_SOLID, 4, kDrawBlack);
      dc->SelectObject(&dotPen);
      Line(dc, xv, yh, xv, yh);
      dc->SelectObject(&previous);
      static constexpr std::array<const char16_t*, 4> kWifiTexts = {u"I", u"Q", u"AI", u"AQ"};
      dc->TextOut(xv - f() / 2 + 1, b - h() / 2 - 15,
                  CString(kWifiTexts[static_cast<size_t>(m_nType - 824)]));
      break;
    }
    default:
      break;
  }
}

void CBlockObj::DrawDataFunctionSymbol(CDC* dc, const CZaradDoc* doc) const {
  if (!InRange(m_nType, 830, 856) || !IsNewerSeriesFor(doc)) return;
  const CFont base = MakeSymbolFont(12, 8, false, true);
  CPainterScope scope(dc, base);
  const int x = m_ptPos.x;
  const int y = m_ptPos.y;
  const CString text(kDataTexts[static_cast<size_t>(m_nType - 830)]);
  auto inFont = [dc](const CFont& font) { dc->SelectObject(&font); };

  if (m_nType == 830) {
    inFont(MakeSymbolFont(9, 3, true));
    const int q = x + (25 - dc->GetTextExtent(text).cx) / 2;
    for (int k : {7, 10, 13, 16}) Line(dc, q, y + k, q + 5, y + k);
    Poly(dc, {{q + 5, y + 5}, {q + 5, y + 19}, {q + 15, y + 13}, {q + 5, y + 5}});
    Line(dc, q + 15, y + 13, q + 20, y + 13);
    dc->TextOut(q, y + 24, text);
  } else if (InRange(m_nType, 838, 843)) {
    const CSize ext = dc->GetTextExtent(text);
    const int g = x + (25 - ext.cx) / 2;
    dc->TextOut(x + 1 + (25 - ext.cx) / 2, y + 9, text);
    if (m_nType == 840 || m_nType == 841) Line(dc, g, y + 8, g + ext.cx + 1, y + 8);
    if (m_nType == 842) Line(dc, g, y + 8, g + ext.cx, y + 8);
    if (m_nType == 839 || m_nType == 842) Line(dc, g, y + ext.cy + 7, g + ext.cx / 2, y + ext.cy + 7);
    inFont(MakeSymbolFont(10, 4, true, true, FW_HEAVY));
    const CString mask(u"MASK");
    dc->TextOut(ColumnX(dc, x + 1, 25, mask), y + 24, mask);
  } else if (InRange(m_nType, 831, 837) || InRange(m_nType, 844, 846)) {
    inFont(MakeSymbolFont(12, 5, true));
    dc->TextOut(ColumnX(dc, x + 1, 25, text), y + 12, text);
  } else {
    if (m_nType == 847) {
      inFont(MakeSymbolFont(10, 5, true));
    } else if (m_nType == 850 || m_nType == 852) {
      inFont(MakeSymbolFont(11, 4, true));
    } else {
      inFont(MakeSymbolFont(12, 5, true));
    }
    dc->TextOut(ColumnX(dc, x, 26, text), y + 12, text);
  }
}

void CBlockObj::DrawMathSymbol(CDC* dc, const CZaradDoc* doc) const {
  if (!InRange(m_nType, 860, 879) || !IsNewerSeriesFor(doc)) return;
  CPainterScope scope(dc, MakeSymbolFont(12, 5, false, true));
  const CString text(kMathTexts[static_cast<size_t>(m_nType - 860)]);
  dc->TextOut(ColumnX(dc, m_ptPos.x + 1, 25, text), m_ptPos.y + 12, text);
}

void CBlockObj::DrawDataLogSymbol(CDC* dc, const CZaradDoc* doc) const {
  if (!IsNewerSeriesFor(doc)) return;
  CPainterScope scope(dc, MakeSymbolFont(12, 5, false, true));
  const CString text(u"L");
  dc->TextOut(ColumnX(dc, m_ptPos.x + 1, 25, text), m_ptPos.y + 12, text);
}
