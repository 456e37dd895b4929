#include "model/diagram_draw.h"

#include <algorithm>
#include <memory>

#include "model/block_obj.h"
#include "model/comment_draw.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "platform/cdc.h"

namespace {

constexpr int kMaxPages = 100;  // page counts run from 1 to 100
// How far a block's drawing reaches beyond its body: the parameter text to
// the left, labels above, value boxes below and to the right.
constexpr int kReachLeft = 160;
constexpr int kReachUp = 64;
constexpr int kReachRight = 96;
constexpr int kReachDown = 48;

bool Intersects(const CRect& a, const CRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

CRect BlockReach(const CBlockObj& b) {
  return CRect(b.m_ptPos.x - kReachLeft, b.m_ptPos.y - kReachUp, b.m_ptPos.x + b.m_nWidth + kReachRight,
               b.m_ptPos.y + b.m_nHeight + kReachDown);
}

CRect WireReach(const CConnectLineObj& w) {
  if (w.m_points.empty()) return CRect();
  CRect r(w.m_points[0].x, w.m_points[0].y, w.m_points[0].x, w.m_points[0].y);
  for (const CPoint& p : w.m_points) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x);
    r.bottom = std::max(r.bottom, p.y);
  }
  r.InflateRect(8, 8);
  return r;
}

// The clip box in logical units, or nothing when culling is off or the
// context has no clip.
bool ClipBox(CDC* dc, const DiagramDrawOptions& options, CRect* out) {
  if (!options.cullToClip) return false;
  dc->GetClipBox(out);
  out->NormalizeRect();
  return true;
}

void DrawBaseFrame(CDC* dc, const CZaradDoc& doc, const CRect& base) {
  CPen framePen(PS_SOLID, 2, 0x000000);
  const CPen oldPen = dc->SelectObject(&framePen);
  dc->MoveTo(base.left, base.top);
  dc->LineTo(base.right, base.top);
  dc->LineTo(base.right, base.bottom - 2);
  dc->LineTo(base.left, base.bottom - 2);
  dc->LineTo(base.left, base.top);
  CPen divisionPen(PS_SOLID, 1, kPageDivisionColour);
  dc->SelectObject(&divisionPen);
  // The same page counts as the base rectangle (a damaged file may hold any).
  const int across = std::clamp(doc.m_nPagesAcross, 1, kMaxPages);
  const int down = std::clamp(doc.m_nPagesDown, 1, kMaxPages);
  for (int k = 1; k < across; ++k) {
    const int x = base.left + k * (base.Width() / std::max(across, 1));
    dc->MoveTo(x, base.top);
    dc->LineTo(x, base.bottom);
  }
  for (int k = 1; k < down; ++k) {
    const int y = base.top + k * (base.Height() / std::max(down, 1));
    dc->MoveTo(base.left, y);
    dc->LineTo(base.right, y);
  }
  dc->SelectObject(&oldPen);
}

}  // namespace

CRect GetDiagramPageRect(const CZaradDoc& doc) {
  const int across = std::clamp(doc.m_nPagesAcross, 1, kMaxPages);
  const int down = std::clamp(doc.m_nPagesDown, 1, kMaxPages);
  if (doc.m_sizePage.cx > 0 && doc.m_sizePage.cy > 0) {
    return CRect(0, 0, across * doc.m_sizePage.cx, down * doc.m_sizePage.cy);
  }
  CRect r = doc.m_rcDiagram;
  r.NormalizeRect();
  return CRect(0, 0, r.right, r.bottom);
}

void DrawDocument(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options) {
  if (dc == nullptr) return;
  CRect clip;
  dc->GetClipBox(&clip);
  clip.NormalizeRect();
  dc->FillSolidRect(clip, kDiagramSurround);
  DrawDiagramPage(dc, doc, view, options);
  DrawDiagramElements(dc, doc, view, options);
}

void DrawDiagramPage(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options) {
  if (dc == nullptr) return;
  const CRect base = GetDiagramPageRect(doc);
  dc->FillSolidRect(base, options.background);
  DrawBaseFrame(dc, doc, base);
  if (!doc.IsLadder()) return;
  // The bus is made when the document is new or loaded (CZaradDoc::MakePowerBus).
  if (!doc.m_powerBus.IsEmpty()) doc.m_powerBus.GetHead()->Draw(view, dc, 0, kDrawBlack);
}

void DrawDiagramElements(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options) {
  if (dc == nullptr) return;
  CRect clip;
  const bool cull = ClipBox(dc, options, &clip);

  // A running or suspended simulation shows each block as its last scan left
  // it (value boxes included); a stopped one draws every block in one colour.
  const bool live = options.simulating && !options.simulationStopped;
  for (CBlockObj* block : doc.m_blocks) {
    if (cull && !Intersects(BlockReach(*block), clip)) continue;
    if (live) {
      block->DrawSimulated(view, dc);
      if (block->m_bSelected && !options.printing) block->DrawSelected(view, dc);
    } else if (block->m_bSelected && !options.printing) {
      block->DrawSelected(view, dc);
    } else {
      block->Draw(view, dc, 1, options.simulating ? options.stoppedColour : kDrawBlack);
    }
  }
  if (options.currentBlock != nullptr && !options.printing) {
    if (options.simulating && options.simulationStopped) {
      options.currentBlock->Draw(view, dc, 1, kDrawBlack);
      options.currentBlock->DrawSelectionHandles(dc);
    } else {
      options.currentBlock->DrawSelected(view, dc);
    }
  }
  for (CConnectLineObj* wire : doc.m_connections) {
    if (wire->GetEndFaults() != WIRE_END_OK) continue;
    if (cull && !Intersects(WireReach(*wire), clip)) continue;
    COLORREF colour = options.simulating ? OutputStateColour(wire->GetOutputValue()) : options.wireColour;
    if (options.simulating && options.simulationStopped) colour = options.stoppedColour;
    if (wire->m_bSelected && !options.printing) {
      wire->DrawSelected(dc, colour);
    } else {
      wire->Draw(dc, colour);
    }
  }
  // In simulation the power bus is drawn once more over the wires, live.
  if (options.simulating && doc.IsLadder() && !doc.m_powerBus.IsEmpty())
    doc.m_powerBus.GetHead()->Draw(view, dc, 0, kDrawStateOn);
  for (CBlockComment* comment : doc.m_comments) {
    if (comment->m_bSelected && !options.printing) {
      DrawCommentSelected(dc, *comment);
    } else {
      DrawComment(dc, *comment);
    }
  }
}
