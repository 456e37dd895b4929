// Selection and moving of the editor core: the press in select mode, the
// rubber band, moving the selection with its wires, dragging a wire's
// segment or end, auto-scroll, the base margins and the end of a drag.
#include <algorithm>
#include <cstdlib>

#include "editor/diagram_editor.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/diagram_draw.h"
#include "model/doc_queries.h"
#include "model/wire_routing.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

// Margins that keep blocks and comments off the base's edges (diagram units).
constexpr int kMarginLeft = 4;
constexpr int kMarginTop = 12;
constexpr int kMarginRight = 4;
constexpr int kMarginBottom = 4;
constexpr int kPathMargin = 2;
// The placement margin inside the base.
constexpr int kPlaceMarginSide = 25;
constexpr int kPlaceMarginBottom = 50;
// Auto-scroll: the band at the window's edges and the largest step (pixels).
constexpr int kAutoScrollBand = 10;
constexpr int kAutoScrollStep = 100;
// A leg may come no closer to the wrong side of its pin than this.
constexpr int kLegPinClearance = 5;
// The power bus is hit this much wider on each side when a wire end is grabbed on it.
constexpr int kPowerBusGrabReach = 7;
// Strings of the messages.
constexpr UINT IDS_OUTSIDE_BASE = 339;

// Leg mode of RouteConnection for a pin.
int LegModeOf(int pin) {
  return pin >= kFirstOutputPin ? kLegOutput : kLegInput;
}

CRect BodyRect(const CBlockObj* block) {
  CRect r;
  block->GetBodyRect(&r);
  return r;
}

CRect CommentRect(const CBlockComment* c) {
  return CRect(c->m_ptPos.x, c->m_ptPos.y, c->m_ptPos.x + c->m_size.cx, c->m_ptPos.y + c->m_size.cy);
}

}  // namespace

// ---- Hit tests ------------------------------------------------------------------------

int CDiagramEditor::HitTestPin(const CBlockObj* block, CPoint p) {
  if (!block) return -1;
  CRect r;
  for (int pin = 0; pin < block->InputPinCount(); ++pin) {
    if (!GetPinRect(&r, block, pin)) continue;
    r.InflateRect(2, 1, 1, 1);
    if (r.PtInRect(p)) return pin;
  }
  for (int i = 0; i < block->OutputPinCount(); ++i) {
    const int pin = kFirstOutputPin + i;
    if (!GetPinRect(&r, block, pin)) continue;
    r.InflateRect(0, 1, 2, 1);
    if (r.PtInRect(p)) return pin;
  }
  return -1;
}

CBlockObj* CDiagramEditor::HitSelectedBlock(CPoint p) const {
  for (CBlockObj* b : m_selBlocks) {
    if (BodyRect(b).PtInRect(p)) return b;
  }
  return nullptr;
}

CBlockObj* CDiagramEditor::HitSelectedBlockWithPins(CPoint p) const {
  for (CBlockObj* b : m_selBlocks) {
    CRect r = BodyRect(b);
    r.InflateRect(kPinStubReach, 0);
    if (r.PtInRect(p)) return b;
  }
  return nullptr;
}

CConnectLineObj* CDiagramEditor::HitSelectedConnection(CPoint p) const {
  for (CConnectLineObj* w : m_selConnections) {
    if (w->HitTestSegment(p, nullptr, nullptr, nullptr)) return w;
  }
  return nullptr;
}

CBlockComment* CDiagramEditor::HitSelectedComment(CPoint p) const {
  for (CBlockComment* c : m_selComments) {
    if (CommentRect(c).PtInRect(p)) return c;
  }
  return nullptr;
}

std::vector<CConnectLineObj*> CDiagramEditor::CollectBlockConnections(const CBlockObj* block) const {
  std::vector<CConnectLineObj*> out;
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    if (w->m_pStartBlock == block || w->m_pEndBlock == block) out.push_back(w);
  }
  return out;
}

std::vector<CConnectLineObj*> CDiagramEditor::CollectPinConnections(const CBlockObj* block, int pin) const {
  if (const std::vector<CConnectLineObj*>* batch = BatchPinWires(block, pin)) return *batch;
  std::vector<CConnectLineObj*> out;
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    if ((w->m_pStartBlock == block && w->m_nStartPin == pin) ||
        (w->m_pEndBlock == block && w->m_nEndPin == pin)) {
      out.push_back(w);
    }
  }
  return out;
}

void CDiagramEditor::ClearWalkMarks(bool wires) {
  if (wires) {
    for (CConnectLineObj* w : m_pDoc->m_connections) w->m_bMark = 0;
    return;
  }
  for (CBlockObj* b : m_pDoc->m_blocks) b->m_bVisited = 0;
  for (CBlockObj* b : m_pDoc->m_powerBus) b->m_bVisited = 0;
}

// ---- The press in select mode -----------------------------------------------------------

namespace {

// Grabs the end of a selected wire that lies on the pin under p.
void GrabWireEnd(CConnectLineObj* wire, CBlockObj* block) {
  if (!block) return;
  if (block == wire->m_pEndBlock) {
    wire->m_bEndDrag = 1;
    wire->m_nDragEnd = 1;
  } else if (block == wire->m_pStartBlock) {
    wire->m_bEndDrag = 1;
    wire->m_nDragEnd = -1;
  }
}

}  // namespace

int CDiagramEditor::SelectAtPoint(CPoint p, UINT flags) {
  const bool ctrl = (flags & MK_CONTROL) != 0;
  int result = MODE_SELECT;
  if (CBlockObj* block = HitSelectedBlock(p)) {
    if (ctrl) {
      SelectBlock(block, false);
      m_pCurBlock = nullptr;
    }
    result = MODE_MOVE_BLOCKS;
  } else if (CConnectLineObj* wire = HitSelectedConnection(p)) {
    m_pCurConnection = wire;
    if (ctrl) {
      SelectConnection(wire, false);
      m_pCurConnection = nullptr;
    } else {
      CBlockObj* owner = HitSelectedBlockWithPins(p);
      if (!owner) owner = FindBlockWithPinsAt(*m_pDoc, p);
      if (owner) {
        if (owner == HitSelectedBlockWithPins(p) || HitTestPin(owner, p) >= 0) GrabWireEnd(wire, owner);
      } else if (CBlockObj* bus = m_pDoc->m_powerBus.GetHead()) {
        CRect r = BodyRect(bus);
        r.InflateRect(kPowerBusGrabReach, 0);
        if (r.PtInRect(p)) GrabWireEnd(wire, bus);
      }
    }
    result = MODE_MOVE_WIRE;
  } else if (CBlockComment* comment = HitSelectedComment(p)) {
    if (ctrl) SelectComment(comment, false);
    result = MODE_MOVE_COMMENTS;
  } else if (CBlockObj* block = FindBlockAt(*m_pDoc, p)) {
    m_pCurConnection = nullptr;
    m_pCurComment = nullptr;
    if (ctrl) {
      const bool select = block->m_bSelected == 0;
      SelectBlock(block, select);
      m_pCurBlock = select ? block : nullptr;
      result = MODE_SELECT;
    } else {
      if (!block->m_bSelected || m_selBlocks.empty()) {
        ClearSelection(SEL_ALL);
        SelectBlock(block);
        m_pCurBlock = block;
      }
      result = MODE_MOVE_BLOCKS;
    }
  } else if (CConnectLineObj* wire = FindConnectionAt(*m_pDoc, p)) {
    m_pCurConnection = wire;
    if (ctrl) {
      if (!FindBlockWithPinsAt(*m_pDoc, p)) SelectConnection(wire, wire->m_bSelected == 0);
      result = MODE_SELECT;
    } else {
      if (wire->m_bSelected && !m_selConnections.empty()) {
        CBlockObj* owner = FindBlockWithPinsAt(*m_pDoc, p);
        if (owner && HitTestPin(owner, p) >= 0) GrabWireEnd(wire, owner);
      } else {
        ClearSelection(SEL_ALL);
        SelectConnection(wire);
        m_pCurBlock = nullptr;
      }
      result = MODE_MOVE_WIRE;
    }
  } else if (CBlockComment* comment = FindCommentAt(*m_pDoc, p)) {
    m_pCurComment = comment;
    m_pCurConnection = nullptr;
    m_pCurBlock = nullptr;
    if (ctrl) {
      const bool select = comment->m_bSelected == 0;
      SelectComment(comment, select);
      if (!select) m_pCurComment = nullptr;
      result = MODE_SELECT;
    } else {
      if (!comment->m_bSelected || m_selComments.empty()) {
        ClearSelection(SEL_ALL);
        SelectComment(comment);
      }
      result = MODE_MOVE_COMMENTS;
    }
  } else {
    m_pCurBlock = nullptr;
    m_pCurConnection = nullptr;
    m_pCurComment = nullptr;
    ClearSelection(SEL_ALL);
    m_rcBand = CRect(p, p);
    result = MODE_SELECT_RECT;
  }
  if (result == MODE_MOVE_BLOCKS || result == MODE_MOVE_COMMENTS) BeginDrag();
  InvalidateDiagram();
  return result;
}

void CDiagramEditor::BeginDrag() {
  for (CBlockObj* b : m_selBlocks) b->m_ptDragStart = b->m_ptPos;
  for (CBlockComment* c : m_selComments) c->m_ptDragStart = c->m_ptPos;
}

void CDiagramEditor::SelectInBand() {
  CRect band = m_rcBand;
  band.NormalizeRect();
  // A band of no width still touches what lies on its line.
  band.right += 1;
  band.bottom += 1;
  m_selBlocks.clear();
  m_selConnections.clear();
  m_selComments.clear();
  CRect hit;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    b->m_bSelected = hit.IntersectRect(BodyRect(b), band) ? 1 : 0;
    if (b->m_bSelected) m_selBlocks.push_back(b);
  }
  for (CBlockComment* c : m_pDoc->m_comments) {
    c->m_bSelected = hit.IntersectRect(CommentRect(c), band) ? 1 : 0;
    if (c->m_bSelected) m_selComments.push_back(c);
  }
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    w->m_bSelected =
        (w->m_pStartBlock && w->m_pEndBlock && w->m_pStartBlock->m_bSelected && w->m_pEndBlock->m_bSelected)
            ? 1
            : 0;
    if (w->m_bSelected) m_selConnections.push_back(w);
  }
}

// ---- Moving -----------------------------------------------------------------------------------

namespace {

void MoveConnectionPoints(CConnectLineObj* wire, CSize d) {
  wire->m_ptStart += d;
  wire->m_ptEnd += d;
  for (CPoint& pt : wire->m_points) pt += d;
}

}  // namespace

void CDiagramEditor::MoveSelection(CSize d, UINT key) {
  if (d.cx == 0 && d.cy == 0) return;
  ClearWalkMarks(true);
  const bool ladder = m_pDoc->IsLadder();
  for (CBlockObj* block : m_pDoc->m_blocks) {
    if (!block->m_bSelected) continue;
    block->m_ptPos += d;
    for (CConnectLineObj* w : CollectBlockConnections(block)) {
      const bool both =
          w->m_pStartBlock && w->m_pEndBlock && w->m_pStartBlock->m_bSelected && w->m_pEndBlock->m_bSelected;
      if (both) {
        if (!w->m_bMark) MoveConnectionPoints(w, d);
        w->m_bMark = 1;
        continue;
      }
      w->m_bMark = 1;
      const bool atStart = w->m_pStartBlock == block;
      CBlockObj* other = atStart ? w->m_pEndBlock : w->m_pStartBlock;
      if (ladder && other && m_pDoc->m_powerBus.Contains(other) && w->m_points.size() >= 2) {
        // A rung to the power bus stays horizontal.
        CPoint& moving = atStart ? w->m_ptStart : w->m_ptEnd;
        CPoint& fixed = atStart ? w->m_ptEnd : w->m_ptStart;
        CPoint& movingPt = atStart ? w->m_points.front() : w->m_points.back();
        CPoint& fixedPt = atStart ? w->m_points.back() : w->m_points.front();
        moving += d;
        movingPt += d;
        fixed.y = moving.y;
        fixedPt.y = moving.y;
        continue;
      }
      const CPoint end = (atStart ? w->m_ptStart : w->m_ptEnd) + d;
      RouteConnection(w, end.x, end.y, atStart ? TRUE : FALSE,
                      LegModeOf(atStart ? w->m_nStartPin : w->m_nEndPin));
    }
  }
  for (CConnectLineObj* w : m_selConnections) {
    if (w->m_bMark) continue;
    w->m_bMark = 1;
    MoveWireSegment(d.cx, d.cy, w, key);
  }
  // The junction dots of the moved wires are drawn anew where their pins
  // share wires; a wire that moved as a whole keeps its dots.
  for (CBlockComment* c : m_selComments) c->m_ptPos += d;
  InvalidateDiagram();
}

bool CDiagramEditor::LegTooCloseToPin(int x, const CConnectLineObj* wire) const {
  const int s = m_nDragSegment;
  const auto& pts = wire->m_points;
  if (s < 1 || static_cast<size_t>(s) >= pts.size()) return false;
  const CPoint a = pts[static_cast<size_t>(s - 1)];
  const CPoint b = pts[static_cast<size_t>(s)];
  auto tooClose = [&](CPoint pinPt, int pin) {
    if (a.y != pinPt.y && b.y != pinPt.y) return false;
    if (pin < kFirstOutputPin) return pinPt.x - x <= kLegPinClearance;
    return x - pinPt.x <= kLegPinClearance;
  };
  return tooClose(wire->m_ptStart, wire->m_nStartPin) || tooClose(wire->m_ptEnd, wire->m_nEndPin);
}

bool CDiagramEditor::MoveLeg(CConnectLineObj* wire, int s, int dx) {
  auto& pts = wire->m_points;
  if (s < 1 || static_cast<size_t>(s) >= pts.size()) return false;
  m_nDragSegment = s;
  const int x = pts[static_cast<size_t>(s - 1)].x + dx;
  if (LegTooCloseToPin(x, wire)) return false;
  pts[static_cast<size_t>(s - 1)].x = x;
  pts[static_cast<size_t>(s)].x = x;
  return true;
}

void CDiagramEditor::MoveWireSegment(int dx, int dy, CConnectLineObj* wire, UINT key) {
  if ((dx == 0 && dy == 0) || !wire) return;
  auto& pts = wire->m_points;
  const size_t n = pts.size();
  const bool blockDrag = m_nEditMode == MODE_MOVE_BLOCKS && key == 0;
  int o = m_nDragOrientation;
  if (blockDrag) o = dx == 0 ? 1 : (dy == 0 ? 0 : -1);
  const bool upDown = key == VK_UP || key == VK_DOWN;
  const bool leftRight = key == VK_LEFT || key == VK_RIGHT;
  const CSize d(dx, dy);
  if (o == -1) {
    if (n == 2) {
      pts.insert(pts.begin() + 1, CPoint((pts[0].x + pts[1].x) / 2, (pts[0].y + pts[1].y) / 2));
    } else if (n == 3) {
      pts[1] += d;
    } else if (n == 4) {
      pts[1] += d;
      pts[2] += d;
    } else if (n == 6) {
      for (size_t i = 1; i <= 4; ++i) pts[i] += d;
    }
  } else if (o == 1) {
    if (upDown || blockDrag) {
      if (n == 6) {
        m_nDragSegment = 3;
        const int y = pts[2].y + dy;
        pts[2].y = y;
        pts[3].y = y;
      }
    } else if (!leftRight) {
      const int s = m_nDragSegment;
      if (s >= 1 && static_cast<size_t>(s) < n) {
        const int y = pts[static_cast<size_t>(s - 1)].y + dy;
        pts[static_cast<size_t>(s - 1)].y = y;
        pts[static_cast<size_t>(s)].y = y;
      }
    }
  } else if (o == 0) {
    if (upDown) {
      // a vertical leg does not move up or down
    } else if (leftRight || blockDrag) {
      if (n == 4) {
        MoveLeg(wire, 2, dx);
      } else if (n == 6) {
        MoveLeg(wire, 4, dx);
        MoveLeg(wire, 2, dx);
      }
    } else {
      MoveLeg(wire, m_nDragSegment, dx);
    }
  }
  InvalidateDiagram();
}

void CDiagramEditor::AutoScroll(bool dragging, CPoint client) {
  if (!dragging) return;
  // The visible rectangle in scrolled device units.
  const CRect visible(m_ptScroll.x, m_ptScroll.y, m_ptScroll.x + m_sizeClient.cx,
                      m_ptScroll.y + m_sizeClient.cy);
  const CPoint x(client.x + m_ptScroll.x, client.y + m_ptScroll.y);
  int sx = 0;
  int sy = 0;
  if (visible.right <= m_sizeTotal.cx && x.x >= visible.right - kAutoScrollBand) {
    sx = std::min(m_sizeTotal.cx - visible.right, kAutoScrollStep);
  } else if (visible.left > 0 && x.x <= visible.left + kAutoScrollBand) {
    sx = -std::min(visible.left, kAutoScrollStep);
  }
  if (visible.bottom <= m_sizeTotal.cy && x.y >= visible.bottom - kAutoScrollBand) {
    sy = std::min(m_sizeTotal.cy - visible.bottom, kAutoScrollStep);
  } else if (visible.top > 0 && x.y <= visible.top + kAutoScrollBand) {
    sy = -std::min(visible.top, kAutoScrollStep);
  }
  if (sx == 0 && sy == 0) return;
  const CPoint before = m_ptScroll;
  ScrollTo(CPoint(m_ptScroll.x + sx, m_ptScroll.y + sy));
  const CPoint moved(m_ptScroll.x - before.x, m_ptScroll.y - before.y);
  if ((moved.x != 0 || moved.y != 0) && m_pHost) m_pHost->MoveCursorBy(moved.x, moved.y);
  InvalidateDiagram();
}

void CDiagramEditor::KeepSelectionInPage(CPoint p) {
  const CRect page = GetDiagramPageRect(*m_pDoc);
  const int w = page.Width();
  const int h = page.Height();
  bool outside = false;
  for (const CBlockObj* b : m_selBlocks) {
    const int left = b->InputPinCount() > 0 ? kMarginLeft + 1 : kMarginLeft;
    const int right = b->m_ptPos.x + b->m_nWidth + kMarginRight + (b->OutputPinCount() > 0 ? 1 : 0);
    if (!(b->m_ptPos.x > left) || !(b->m_ptPos.y > kMarginTop) || !(right < w) ||
        !(b->m_ptPos.y + b->m_nHeight + kMarginBottom < h)) {
      outside = true;
      break;
    }
  }
  for (const CBlockComment* c : m_selComments) {
    if (outside) break;
    if (!(c->m_ptPos.x > kMarginLeft) || !(c->m_ptPos.y > kMarginTop) ||
        !(c->m_ptPos.x + c->m_size.cx + kMarginRight < w) ||
        !(c->m_ptPos.y + c->m_size.cy + kMarginBottom < h)) {
      outside = true;
    }
  }
  for (const CConnectLineObj* wire : m_selConnections) {
    if (outside) break;
    for (const CPoint& pt : wire->m_points) {
      if (!(pt.x > kPathMargin) || !(pt.y > kPathMargin) || !(pt.x + kPathMargin < w) ||
          !(pt.y + kPathMargin < h)) {
        outside = true;
        break;
      }
    }
  }
  if (outside) MoveSelection(CSize(m_ptLastMouse.x - p.x, m_ptLastMouse.y - p.y));
}

bool CDiagramEditor::CheckPointInBase(CPoint* p, const CBlockComment* comment) {
  const CRect page = GetDiagramPageRect(*m_pDoc);
  if (!page.PtInRect(*p)) {
    if (m_pHost) m_pHost->Beep();
    AfxMessageBox(IDS_OUTSIDE_BASE, MB_ICONSTOP);
    return false;
  }
  CRect margin(page.left + kPlaceMarginSide, page.top + kPlaceMarginSide, page.right - kPlaceMarginSide,
               page.bottom - kPlaceMarginBottom);
  if (comment) {
    margin = CRect(page.left + comment->m_size.cx / 2, page.top + comment->m_size.cy,
                   page.right - comment->m_size.cx, page.bottom - comment->m_size.cy - 10);
  }
  p->x = std::clamp(p->x, margin.left, std::max(margin.left, margin.right));
  p->y = std::clamp(p->y, margin.top, std::max(margin.top, margin.bottom));
  return true;
}

void CDiagramEditor::RerouteAllConnections() {
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    RouteConnection(w, w->m_ptStart.x, w->m_ptStart.y, TRUE, LegModeOf(w->m_nStartPin));
    RouteConnection(w, w->m_ptEnd.x, w->m_ptEnd.y, FALSE, LegModeOf(w->m_nEndPin));
  }
}

bool CDiagramEditor::RevertMoveOutsideBase() {
  const CRect page = GetDiagramPageRect(*m_pDoc);
  auto outside = [&](CPoint pos, CSize size) {
    // The bottom-right corner may lie on the page's far edges.
    const CPoint corner = pos + size;
    return !page.PtInRect(pos) || corner.x > page.right || corner.y > page.bottom || corner.x < page.left ||
           corner.y < page.top;
  };
  bool blocksOut = std::any_of(m_selBlocks.begin(), m_selBlocks.end(), [&](const CBlockObj* b) {
    return outside(b->m_ptPos, CSize(b->m_nWidth, b->m_nHeight));
  });
  bool commentsOut =
      !blocksOut && std::any_of(m_selComments.begin(), m_selComments.end(),
                                [&](const CBlockComment* c) { return outside(c->m_ptPos, c->m_size); });
  if (!blocksOut && !commentsOut) return false;
  if (blocksOut) {
    const std::vector<CBlockObj*> blocks = m_selBlocks;
    for (CBlockObj* b : blocks) {
      b->m_ptPos = b->m_ptDragStart;
      CRect r;
      for (CConnectLineObj* w : m_pDoc->m_connections) {
        if (w->m_pStartBlock == b && GetPinRect(&r, b, w->m_nStartPin)) w->m_ptStart = r.CenterPoint();
        if (w->m_pEndBlock == b && GetPinRect(&r, b, w->m_nEndPin)) w->m_ptEnd = r.CenterPoint();
      }
    }
    RerouteAllConnections();
    ClearSelection(SEL_ALL);
    for (CBlockObj* b : blocks) SelectBlock(b);
  } else {
    const std::vector<CBlockComment*> comments = m_selComments;
    for (CBlockComment* c : comments) c->m_ptPos = c->m_ptDragStart;
    ClearSelection(SEL_ALL);
    for (CBlockComment* c : comments) SelectComment(c);
  }
  if (m_pHost) m_pHost->Beep();
  AfxMessageBox(IDS_OUTSIDE_BASE, MB_OK);
  return true;
}

void CDiagramEditor::CancelWiring() {
  m_bDragWire = 0;
  m_nWireClicks = 0;
  m_nLinkVerdict = 0;
  m_newWire.m_pStartBlock = nullptr;
  m_newWire.m_pEndBlock = nullptr;
  InvalidateDiagram();
}

// ---- The end of a drag ------------------------------------------------------------------------

void CDiagramEditor::EndDrag() {
  ClearWalkMarks(true);
  RevertMoveOutsideBase();
  m_pDoc->SetModifiedFlag(true);
  auto farEnough = [](CPoint a, CPoint b) { return std::abs(a.x - b.x) >= 10 || std::abs(a.y - b.y) >= 10; };
  const bool blocksMoved = std::any_of(m_selBlocks.begin(), m_selBlocks.end(), [&](const CBlockObj* b) {
    return farEnough(b->m_ptPos, b->m_ptDragStart);
  });
  const bool commentsMoved =
      std::any_of(m_selComments.begin(), m_selComments.end(),
                  [&](const CBlockComment* c) { return farEnough(c->m_ptPos, c->m_ptDragStart); });
  // The wires that followed a moved block are tidied, and their junction
  // dots follow the new paths.
  if (blocksMoved) {
    for (CConnectLineObj* w : m_pDoc->m_connections) {
      const bool moved = (w->m_pStartBlock && w->m_pStartBlock->m_bSelected) ||
                         (w->m_pEndBlock && w->m_pEndBlock->m_bSelected);
      if (!moved) continue;
      NormalizeWirePath(w);
      if (w->m_pStartBlock && CountPinConnections(w->m_pStartBlock, w->m_nStartPin) > 1)
        UpdateJunctions(w, w->m_pStartBlock, true, w->m_nStartPin);
      if (w->m_pEndBlock && CountPinConnections(w->m_pEndBlock, w->m_nEndPin) > 1)
        UpdateJunctions(w, w->m_pEndBlock, true, w->m_nEndPin);
    }
  }
  // One step in the undo history per drag, however many kinds it moved.
  if (blocksMoved || commentsMoved) SaveSnapshot();
  InvalidateDiagram();
}

void CDiagramEditor::EndWireDrag(CPoint p) {
  m_pDoc->SetModifiedFlag(true);
  CConnectLineObj* wire = m_pCurConnection;
  if (!m_selConnections.empty() && wire && wire->m_bEndDrag && !wire->m_points.empty()) {
    // Released on another pin that takes the end: the end moves there.
    CBlockObj* target = FindBlockWithPinsAt(*m_pDoc, p);
    if (!target && m_pDoc->IsLadder() && InBusPickZone(p)) target = PowerBus();
    const int pin = target == PowerBus() && target ? 10 : target ? HitTestPin(target, p) : -1;
    const bool endMoves = wire->m_nDragEnd == 1;
    const CBlockObj* moving = endMoves ? wire->m_pEndBlock : wire->m_pStartBlock;
    const int movingPin = endMoves ? wire->m_nEndPin : wire->m_nStartPin;
    const bool onConnector =
        moving && (moving->m_nType == kTypeMaleConnector || moving->m_nType == kTypeFemaleConnector);
    const bool samePin = target == moving && pin == movingPin;
    if (target && pin >= 0 && m_nLinkVerdict == 0 && !onConnector && !samePin &&
        ReattachWireEnd(p, target, pin)) {
      ClearWalkMarks(true);
      InvalidateDiagram();
      return;
    }
    if (wire->m_nDragEnd == 1) {
      wire->m_points.back() = wire->m_ptEnd;
    } else {
      wire->m_points.front() = wire->m_ptStart;
    }
    wire->m_bEndDrag = 0;
    wire->m_nDragEnd = 0;
  }
  ClearWalkMarks(true);
  InvalidateDiagram();
}

void CDiagramEditor::WireDragStep(CPoint p) {
  CConnectLineObj* wire = m_pCurConnection;
  if (m_selConnections.empty() || !wire) return;
  if (wire->m_bEndDrag && !wire->m_points.empty()) {
    if (wire->m_nDragEnd == 1) {
      wire->m_points.back() = p;
    } else {
      wire->m_points.front() = p;
    }
  } else if (wire->m_bSelected) {
    const CSize delta(p.x - m_ptLastMouse.x, p.y - m_ptLastMouse.y);
    int segment = m_nDragSegment;
    int orientation = m_nDragOrientation;
    wire->HitTestSegment(p, &segment, &orientation, &delta);
    m_nDragSegment = segment;
    m_nDragOrientation = orientation;
    if (orientation == 0 || orientation == 1) {
      MoveWireSegment(delta.cx, delta.cy, wire);
    } else {
      MoveSelection(delta);
    }
    KeepSelectionInPage(p);
  }
  InvalidateDiagram();
}
