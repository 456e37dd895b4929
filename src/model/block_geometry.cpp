// CBlockObj geometry: the body and pin rectangles, hit testing, selection
// handles and the placement of the label lines above the element. The view,
// the block drawing, the wires and the document's pin query all use these
// rectangles, so that what is drawn is exactly what can be hit.
//
// Positions and sizes come from files and may be anything; the arithmetic is
// done in 64 bits and clamped back to int so that no value overflows.
#include <algorithm>
#include <climits>

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"

namespace {

int ClampToInt(long long v) {
  return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

CRect MakeRect(long long left, long long top, long long right, long long bottom) {
  return CRect(ClampToInt(left), ClampToInt(top), ClampToInt(right), ClampToInt(bottom));
}

}  // namespace

int CBlockObj::GetBodyRect(CRect* out) const {
  const long long x = m_ptPos.x;
  const long long y = m_ptPos.y;
  *out = MakeRect(x, y, x + m_nWidth, y + m_nHeight);
  return 1;
}

BOOL CBlockObj::GetPinRect(CRect* out, int pin, int size) const {
  const bool input = pin >= 0 && pin < m_nInputs && pin < kMaxInputPins;
  const bool output = pin >= kFirstOutputPin && pin < kFirstOutputPin + m_nOutputs && pin < kPinCount;
  if (!input && !output) {
    out->SetRectEmpty();
    return FALSE;
  }
  const long long ext = size < 2 ? 0 : 3LL * size / 2;
  const long long half = size < 2 ? 0 : size / 2;
  const long long t = size < 2 ? 1 : 2;
  const long long x = m_ptPos.x;
  const long long y = m_ptPos.y;
  long long k, n, left, right;
  if (input) {
    k = pin + 1;
    n = m_nInputs;
    left = x - ext - 2;
    right = x + 2;
  } else {
    k = pin - 9;
    n = m_nOutputs;
    left = x + m_nWidth - 2;
    right = x + m_nWidth + ext;
  }
  // The pins of a side are spaced evenly down the body (n >= k >= 1 here).
  const long long c = y + k * (m_nHeight / (n + 1));
  *out = MakeRect(left, c - half - t, right, c + half + t);
  return TRUE;
}

int CBlockObj::HitTest(CPoint pt) const {
  // The power bus is thin: its body counts a few units more on either side.
  const long long margin = GetBodyHitMargin();
  const long long x = m_ptPos.x;
  const long long y = m_ptPos.y;
  const CRect body = MakeRect(x - margin, y, x + m_nWidth + margin, y + m_nHeight);
  // The body comes first: the part of a pin mark that overlaps the edge belongs to it.
  if (body.PtInRect(pt)) return kHitBody;
  auto hitsPin = [&](int pin) {
    if (m_nPinType[pin] == PIN_NONE) return false;
    CRect rc;
    return GetPinRect(&rc, pin, kPinMarkSize) && rc.PtInRect(pt);
  };
  const int inputs = std::min(m_nInputs, kMaxInputPins);
  for (int pin = 0; pin < inputs; ++pin) {
    if (hitsPin(pin)) return pin;
  }
  const int outputs = std::min(m_nOutputs, kPinCount - kFirstOutputPin);
  for (int pin = kFirstOutputPin; pin < kFirstOutputPin + outputs; ++pin) {
    if (hitsPin(pin)) return pin;
  }
  return kHitNone;
}

void CBlockObj::GetHandleRects(CRect out[4]) const {
  const long long x = m_ptPos.x;
  const long long y = m_ptPos.y;
  const long long corners[4][2] = {
      {x, y}, {x, y + m_nHeight}, {x + m_nWidth, y + m_nHeight}, {x + m_nWidth, y}};
  for (int i = 0; i < 4; ++i) {
    const long long cx = corners[i][0];
    const long long cy = corners[i][1];
    out[i] = MakeRect(cx - kHandleHalfSize, cy - kHandleHalfSize, cx + kHandleHalfSize, cy + kHandleHalfSize);
  }
}

CString CBlockObj::GetLabelText(const CZaradDoc* doc) const {
  return m_strLabel;
}

std::vector<BlockLabelLine> CBlockObj::GetLabelLines(const CZaradDoc* doc, int lineHeight) const {
  std::vector<BlockLabelLine> lines;
  if (!m_bShowLabel) return lines;
  const CString text = GetLabelText(doc);
  if (text.IsEmpty()) return lines;
  const CString breakText(u"\r\n");
  for (int start = 0;;) {
    const int at = text.Find(breakText, start);
    if (at < 0) {
      lines.push_back({CPoint(), text.Mid(start)});
      break;
    }
    lines.push_back({CPoint(), text.Mid(start, at - start)});
    start = at + breakText.GetLength();
  }
  // The last line stands two line heights above the body, each earlier one a line higher.
  const long long n = static_cast<long long>(lines.size()) - 1;
  for (long long j = 0; j <= n; ++j) {
    const long long top = static_cast<long long>(m_ptPos.y) - 2LL * lineHeight - (n - j) * lineHeight;
    lines[static_cast<size_t>(j)].pt = CPoint(m_ptPos.x, ClampToInt(top));
  }
  return lines;
}

// ---- Operand names of ladder labels -------------------------------------------

// The user name that a ladder document gives an operand; empty when it has none.
CString OperandUserName(const CZaradDoc* doc, int operand) {
  if (!doc) return CString();
  auto it = doc->m_operandNames.find(static_cast<UINT>(operand));
  return it == doc->m_operandNames.end() ? CString() : it->second;
}

// The name of the operand that another element (a coil or a ladder analog
// output) addresses; empty when the element is not in the document.
CString OperandNameThrough(const CZaradDoc* doc, int number) {
  const CBlockObj* element = doc ? doc->FindBlockByNumber(number) : nullptr;
  return element ? OperandUserName(doc, element->m_nOperand) : CString();
}

CString FunctionBlockLabel(const CZaradDoc* doc, int number) {
  const CBlockObj* block = doc ? doc->FindBlockByNumber(number) : nullptr;
  return block ? block->m_strLabel : CString();
}
