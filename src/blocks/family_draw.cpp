// Drawing that block families do their own way: the value boxes of the
// counters, the analog functions and the analog input, the state text of the
// operands that show none, the ladder contacts and the power bus.
#include "blocks/analog_blocks.h"
#include "blocks/block_draw.h"
#include "blocks/connector_obj.h"
#include "blocks/counter_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/value_box.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/cdc.h"

// ---- Value boxes -------------------------------------------------------------

void CBlockCOUNTER::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 1)) return;
  PaintValueBoxLines(dc, *this, (3 * m_nWidth) / 2, kValueBoxLineHeight, GetValueBoxLines());
}

void CBlockHCOUNTER::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 3)) return;
  PaintValueBoxLines(dc, *this, 3 * m_nWidth, 3 * kValueBoxLineHeight, GetValueBoxLines());
}

void CBlockTHTRG::DrawValueBox(CDC* dc, CViewContext* view) {
  if (!ValueBoxMayShow(dc, *this, 2)) return;
  PaintValueBoxLines(dc, *this, ValueBoxWidth(*this, 1.5), 2 * kValueBoxLineHeight, GetValueBoxLines());
}

void CBlockAnalog::DrawValueBox(CDC* dc, CViewContext* view) {
  // The watchdog and the differential trigger show a second value.
  const int lines = m_nType == 806 || m_nType == 807 ? 2 : 1;
  if (!ValueBoxMayShow(dc, *this, 2)) return;
  PaintValueBoxLines(dc, *this, ValueBoxWidth(*this, 1.5), lines * kValueBoxLineHeight, GetValueBoxLines());
}

void CBlockAnalogIn::DrawValueBox(CDC* dc, CViewContext* view) {
  const int lines = m_nWordValue >= 0 ? 2 : 1;
  if (!ValueBoxMayShow(dc, *this, lines)) return;
  PaintValueBoxLines(dc, *this, ValueBoxWidth(*this, 1.5), lines * kValueBoxLineHeight, GetValueBoxLines());
}

// ---- State texts -------------------------------------------------------------

void CBlockShift::DrawStateText(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, kDrawBlack);
}

void CBlockLow::DrawStateText(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, kDrawBlack);
}

// ---- Ladder contacts and the power bus ------------------------------------------

void CBlockMake::Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (dc == nullptr) return;
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  const int mode = view ? view->GetEditMode() : MODE_SELECT;
  CPen blockPen(PS_SOLID, 1, state);
  const CPen oldPen = dc->SelectObject(&blockPen);
  const CFont font = MakeSymbolFont(kLabelLineHeight, kLabelCharWidth, false, true);
  const CFont oldFont = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);

  const int left = m_ptPos.x;
  const int top = m_ptPos.y;
  const int right = left + m_nWidth;
  const int inputs = InputPinCount();
  const int outputs = OutputPinCount();
  const bool frames = mode == MODE_PLACE_BLOCK || mode == MODE_CONNECT ||
                      (mode == MODE_MOVE_WIRE && view != nullptr && view->IsDraggingWireEnd());
  const bool ladder = doc != nullptr && doc->IsLadder();
  auto frame = [&](int pin) {
    const bool qualifies = pin >= kFirstOutputPin || m_nSource[pin] == LINK_OPEN || ladder;
    if (!frames || !qualifies || !IsCursorOverPin(view, pin, dc)) return;
    CRect r;
    GetPinRect(&r, pin, kPinMarkSize);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.left, r.bottom);
    dc->LineTo(r.right, r.bottom);
    dc->LineTo(r.right, r.top);
    dc->LineTo(r.left, r.top);
  };
  for (int pin = kFirstOutputPin; pin < kFirstOutputPin + outputs; ++pin) {
    if (m_nPinType[pin] == PIN_NONE) continue;
    const int y = top + (pin - kFirstOutputPin + 1) * (m_nHeight / (outputs + 1));
    dc->MoveTo(right, y);
    dc->LineTo(right + kStubLength, y);
    frame(pin);
  }
  for (int pin = 0; pin < inputs; ++pin) {
    if (m_nPinType[pin] == PIN_NONE) continue;
    const int y = top + (pin + 1) * (m_nHeight / (inputs + 1));
    CPen inputPen(PS_SOLID, 1, PinStateColour(state, m_nValue[pin]));
    dc->SelectObject(&inputPen);
    dc->MoveTo(left - kStubLength, y);
    dc->LineTo(left, y);
    dc->SelectObject(&blockPen);
    frame(pin);
  }
  const COLORREF body =
      mode == MODE_SIMULATION ? (m_nContactState == 1 ? kDrawStateOn : kDrawStateOff) : state;
  DrawHighlight(dc, body, mode == MODE_SIMULATION ? TRUE : FALSE);
  DrawBlockSymbol(dc, doc);
  const CString label = ContactOperandLabel(m_nOperand, doc);
  if (!label.IsEmpty()) {
    dc->TextOut(left + (m_nWidth - kLabelCharWidth * label.GetLength()) / 2, top - kLabelLineHeight, label);
  }
  TEXTMETRIC tm;
  tm.tmHeight = kLabelLineHeight;
  DrawName(dc, &tm, doc);
  dc->SelectObject(&oldFont);
  dc->SelectObject(&oldPen);
}

void CPowerBusObj::Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (dc == nullptr) return;
  CPen pen(PS_SOLID, 4, state);
  const CPen oldPen = dc->SelectObject(&pen);
  dc->MoveTo(m_ptPos.x, m_ptPos.y);
  dc->LineTo(m_ptPos.x, m_nHeight);
  dc->SelectObject(&oldPen);
}

// ---- Connector halves ----------------------------------------------------------

namespace {

void FillFlag(CDC* dc, std::initializer_list<CPoint> points) {
  CPen pen(PS_SOLID, 1, kDrawBlack);
  CBrush brush(kConnectorFill);
  const CPen oldPen = dc->SelectObject(&pen);
  const CBrush oldBrush = dc->SelectObject(&brush);
  dc->Polygon(points);
  dc->SelectObject(&oldBrush);
  dc->SelectObject(&oldPen);
}

// The connector label centred over the body in the 12 x 6 font.
void DrawConnectorLabel(CDC* dc, const CBlockObj& half, const CString& label) {
  if (label.IsEmpty()) return;
  const CFont font = MakeValueFont();
  const CFont oldFont = dc->SelectObject(&font);
  dc->SetBkMode(TRANSPARENT);
  dc->TextOut(half.m_ptPos.x + (half.m_nWidth - label.GetLength() * kLabelCharWidth) / 2,
              half.m_ptPos.y - kLabelLineHeight, label);
  dc->SelectObject(&oldFont);
}

}  // namespace

void CBlockMale::DrawFlag(CDC* dc, int unused) const {
  const int x = m_ptPos.x;
  const int y = m_ptPos.y;
  const int w = m_nWidth;
  const int h = m_nHeight;
  FillFlag(dc, {{x, y}, {x, y + h}, {x + w - w / 3, y + h}, {x + w, y + h / 2}, {x + w - w / 3, y}, {x, y}});
}

void CBlockFemale::DrawFlag(CDC* dc, int unused) const {
  const int x = m_ptPos.x;
  const int y = m_ptPos.y;
  const int w = m_nWidth;
  const int h = m_nHeight;
  FillFlag(dc, {{x, y}, {x + w / 3, y + h / 2}, {x, y + h}, {x + w, y + h}, {x + w, y}, {x, y}});
}

void CBlockMale::Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (dc == nullptr) return;
  DrawFlag(dc, 0);
  CPen stub(PS_SOLID, 1, state);
  const CPen oldPen = dc->SelectObject(&stub);
  dc->MoveTo(m_ptPos.x, m_ptPos.y + m_nHeight / 2);
  dc->LineTo(m_ptPos.x - kStubLength, m_ptPos.y + m_nHeight / 2);
  dc->SelectObject(&oldPen);
  // The destination: the start block and pin of the wire into the female partner.
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  const CBlockObj* partner = doc ? FindPartner(doc) : nullptr;
  const CConnectLineObj* wire = partner ? FindWireIntoConnector(doc, partner) : nullptr;
  if (wire != nullptr && wire->m_pStartBlock != nullptr) {
    const CString target = GetOperandLabel(*doc, wire->m_pStartBlock);
    DrawConnectorLabel(dc, *this, FormatString(u"%s/%d", target.GetString(), wire->m_nStartPin));
  }
}

void CBlockMale::DrawSimulated(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, OutputStateColour(m_nValue[0]));
}

void CBlockFemale::Draw(CViewContext* view, CDC* dc, int flag, COLORREF state) {
  if (dc == nullptr) return;
  DrawFlag(dc, 0);
  CPen stub(PS_SOLID, 1, kDrawBlack);
  const CPen oldPen = dc->SelectObject(&stub);
  dc->MoveTo(m_ptPos.x + m_nWidth, m_ptPos.y + m_nHeight / 2);
  dc->LineTo(m_ptPos.x + m_nWidth + kStubLength, m_ptPos.y + m_nHeight / 2);
  dc->SelectObject(&oldPen);
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  const CBlockObj* source = doc ? FindSourceBlock(doc) : nullptr;
  if (source != nullptr) DrawConnectorLabel(dc, *this, GetOperandLabel(*doc, source));
}
