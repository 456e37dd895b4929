// The wire tool: picking the source pin, completing a connection with its
// refusals, the hover verdict, moving a wire end to another pin, the explicit
// connect for programmatic callers, junction dots, path tidying and the
// feedback-loop checks.
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "editor/diagram_editor.h"
#include "editor/pin_texts.h"
#include "editor/wiring_rules.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/wire_routing.h"
#include "model/zarad_doc.h"

namespace {

constexpr int kBusPickReach = 7;  // the power bus picks 7 units beyond its body on both sides
constexpr int kBusPin = 10;       // the power bus counts as an output at pin 10

bool IsInput(int pin) {
  return pin >= 0 && pin < kFirstOutputPin;
}
bool IsOutput(int pin) {
  return pin >= kFirstOutputPin && pin < kPinCount;
}
bool IsMale(const CBlockObj* b) {
  return b && b->m_nType == kTypeMaleConnector;
}
bool IsFemale(const CBlockObj* b) {
  return b && b->m_nType == kTypeFemaleConnector;
}
bool IsNoBlockLink(int code) {
  return code >= LINK_EMPTY && code <= 75;
}
int LegOf(int pin) {
  return IsInput(pin) ? kLegInput : kLegOutput;
}

CPoint PinCentre(const CRect& r) {
  return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The Z path of four points from a to b, its vertical leg half way.
std::vector<CPoint> ZPath(CPoint a, CPoint b) {
  const int mx = (a.x + b.x) / 2;
  return {a, CPoint(mx, a.y), CPoint(mx, b.y), b};
}

bool Touches(const CConnectLineObj* w, const CBlockObj* b, int pin) {
  return (w->m_pStartBlock == b && w->m_nStartPin == pin) || (w->m_pEndBlock == b && w->m_nEndPin == pin);
}

// The start block and pin of the wire that ends at the partner of a connector
// half (female: male = number - 2000; male: female = number + 2000).
bool ResolveHalf(const CZaradDoc& doc, const CBlockObj* half, CBlockObj** block, int* pin,
                 const CConnectLineObj** via = nullptr) {
  if (!IsMale(half) && !IsFemale(half)) return false;
  const int partnerNumber =
      IsFemale(half) ? half->m_nNumber - kFemaleNumberOffset : half->m_nNumber + kFemaleNumberOffset;
  const CBlockObj* partner = doc.FindBlockByNumber(partnerNumber);
  if (!partner || partner->m_nType == half->m_nType) return false;
  const CConnectLineObj* wire = FindConnectorConnection(doc, partner);
  if (!wire || !wire->m_pStartBlock) return false;
  *block = wire->m_pStartBlock;
  if (pin) *pin = wire->m_nStartPin;
  if (via) *via = wire;
  return true;
}

}  // namespace

// ---- Queries -----------------------------------------------------------------------------

int CDiagramEditor::CountPinConnections(const CBlockObj* block, int pin) const {
  if (const std::vector<CConnectLineObj*>* batch = BatchPinWires(block, pin))
    return static_cast<int>(batch->size());
  int n = 0;
  for (const CConnectLineObj* w : m_pDoc->m_connections) n += Touches(w, block, pin) ? 1 : 0;
  return n;
}

CBlockObj* CDiagramEditor::PowerBus() const {
  return m_pDoc->IsLadder() ? m_pDoc->m_powerBus.GetHead() : nullptr;
}

bool CDiagramEditor::InBusPickZone(CPoint p) const {
  const CBlockObj* bus = PowerBus();
  if (!bus) return false;
  const CRect r(bus->m_ptPos.x - kBusPickReach, bus->m_ptPos.y,
                bus->m_ptPos.x + bus->m_nWidth + kBusPickReach, bus->m_ptPos.y + bus->m_nHeight);
  return r.PtInRect(p) != 0;
}

bool CDiagramEditor::IsLiveBlock(const CBlockObj* block) const {
  if (!block) return false;
  const int batch = BatchHasBlock(block);
  return (batch >= 0 ? batch == 1 : m_pDoc->m_blocks.Contains(block)) || block == PowerBus();
}

bool CDiagramEditor::AreSignalsCompatible(const CBlockObj* source, const CBlockObj* target, int pin) const {
  if (!source || !target) return false;
  // A connector half stands for the block at the far end of its partner's wire.
  auto resolve = [this](const CBlockObj* b, int* pinOut) {
    CBlockObj* far = nullptr;
    int farPin = -1;
    if (!ResolveHalf(*m_pDoc, b, &far, &farPin)) return b;
    const int t = far->m_nType;
    if (pinOut && (t == kTypeAWDOG || t == kTypePI || t == kTypeMAXMIN || t == kTypeAVGVAL)) *pinOut = farPin;
    return static_cast<const CBlockObj*>(far);
  };
  source = resolve(source, nullptr);
  target = resolve(target, &pin);
  return AreKindsCompatible(SourceSignalKind(source->m_nType), PinSignalKind(target->m_nType, pin));
}

void CDiagramEditor::WritePinLinks(const CConnectLineObj* wire) {
  if (!wire || !wire->m_pStartBlock || !wire->m_pEndBlock) return;
  if (wire->m_nStartPin >= 0 && wire->m_nStartPin < kPinCount)
    wire->m_pStartBlock->m_nSource[wire->m_nStartPin] = wire->m_pEndBlock->m_nNumber;
  if (wire->m_nEndPin >= 0 && wire->m_nEndPin < kPinCount)
    wire->m_pEndBlock->m_nSource[wire->m_nEndPin] = wire->m_pStartBlock->m_nNumber;
}

// ---- Junction dots and paths --------------------------------------------------------------

int CDiagramEditor::FindJunction(CConnectLineObj* a, CConnectLineObj* b, int pin) {
  // Each path is read from its end at the pin.
  auto read = [pin](const CConnectLineObj* w, bool* forward) {
    if (w->m_nStartPin == pin) {
      *forward = true;
      return true;
    }
    *forward = false;
    return w->m_nEndPin == pin;
  };
  bool fa = true, fb = true;
  if (!read(a, &fa) || !read(b, &fb)) return 0;
  const int na = static_cast<int>(a->m_points.size()), nb = static_cast<int>(b->m_points.size());
  auto at = [](const CConnectLineObj* w, bool forward, int n, int j) { return forward ? j : n - 1 - j; };
  auto mark = [](CConnectLineObj* w, int index) {
    if (w->m_junctions.size() < w->m_points.size()) w->m_junctions.resize(w->m_points.size(), kNoJunction);
    w->m_junctions[static_cast<size_t>(index)] = w->m_points[static_cast<size_t>(index)];
  };
  int marks = 0;
  for (int j = 0; j < na - 1 && j < nb - 1; ++j) {
    const int ia0 = at(a, fa, na, j), ia1 = at(a, fa, na, j + 1);
    const int ib0 = at(b, fb, nb, j), ib1 = at(b, fb, nb, j + 1);
    const CPoint A0 = a->m_points[static_cast<size_t>(ia0)], A1 = a->m_points[static_cast<size_t>(ia1)];
    const CPoint B0 = b->m_points[static_cast<size_t>(ib0)], B1 = b->m_points[static_cast<size_t>(ib1)];
    if (A0 != B0) continue;
    long long stepA = 0, stepB = 0;
    if (A1.x == A0.x && B1.x == A0.x) {
      stepA = A1.y - A0.y;
      stepB = B1.y - B0.y;
    } else if (A1.y == A0.y && B1.y == A0.y) {
      stepA = A1.x - A0.x;
      stepB = B1.x - B0.x;
    } else {
      continue;
    }
    if (stepA * stepB <= 0) {
      mark(a, ia0);
      ++marks;
    } else if (std::llabs(stepA) < std::llabs(stepB)) {
      mark(a, ia1);
      ++marks;
    } else if (std::llabs(stepB) < std::llabs(stepA)) {
      mark(b, ib1);
      ++marks;
    }
  }
  return marks;
}

void CDiagramEditor::PruneJunctions(const std::vector<CConnectLineObj*>& wires) {
  for (CConnectLineObj* w : wires) {
    for (size_t i = 0; i < w->m_junctions.size() && i < w->m_points.size(); ++i) {
      if (w->m_junctions[i] == kNoJunction) continue;
      w->m_junctions[i] = w->m_points[i];
      if (CConnectLineObj::CountConnectionsAt(m_pDoc, w->m_points[i]) <= 1) w->m_junctions[i] = kNoJunction;
    }
  }
}

void CDiagramEditor::UpdateJunctions(CConnectLineObj* wire, const CBlockObj* block, bool prune, int pin) {
  wire->m_junctions.resize(wire->m_points.size(), kNoJunction);
  std::vector<CConnectLineObj*> atPin = CollectPinConnections(block, pin);
  for (CConnectLineObj* other : atPin)
    if (other != wire) FindJunction(other, wire, pin);
  if (prune) PruneJunctions(atPin);
}

void CDiagramEditor::NormalizeWirePath(CConnectLineObj* wire) {
  std::vector<CPoint>& v = wire->m_points;
  const int x1 = wire->m_ptStart.x, y1 = wire->m_ptStart.y, x2 = wire->m_ptEnd.x, y2 = wire->m_ptEnd.y;
  if (v.size() == 3) {
    v.erase(v.begin() + 1);
  } else if (v.size() == 4) {
    int c = v[1].x;
    if (x1 <= x2) {
      if (c < x1)
        c = x1 + 5;
      else if (c > x2)
        c = x2 - 5;
    } else {
      if (c > x1)
        c = x1 - 5;
      else if (c < x2)
        c = x2 + 5;
    }
    v[1] = CPoint(c, y1);
    v[2] = CPoint(c, y2);
  } else if (v.size() == 6) {
    if (x1 >= x2) {
      if (v[1].x <= x1 + 5) {
        v[1].x = v[2].x = x1 + 5;
        v[3] = CPoint(v[4].x, v[2].y);
      } else if (v[4].x >= x2 - 5) {
        v[3].x = v[4].x = x2 - 5;
        v[2] = CPoint(v[1].x, v[3].y);
      }
    } else {
      if (v[4].x <= x2 + 5) {
        v[3].x = v[4].x = x2 + 5;
        v[2] = CPoint(v[1].x, v[3].y);
      } else if (v[1].x >= x1 - 5) {
        v[1].x = v[2].x = x1 - 5;
        v[3] = CPoint(v[4].x, v[2].y);
      }
    }
    v[1].y = y1;
    v[4].y = y2;
  }
  InvalidateDiagram();
}

// ---- Feedback loops ------------------------------------------------------------------------

namespace {

bool IsLoopBarrier(const CBlockObj* b) {
  return b && (b->m_nType == kTypeOutput || b->m_nType == kTypeFlag || b->m_nType == kTypeAnalogOutput ||
               b->m_nType == kTypeAnalogFlag);
}

}  // namespace

// One upstream search: the wires at each block's input pins, in document
// order, indexed once, and the blocks already searched from.
struct UpstreamWalk {
  std::unordered_map<const CBlockObj*, std::vector<const CConnectLineObj*>> inputs;
  std::unordered_set<const CBlockObj*> seen;
  explicit UpstreamWalk(const CZaradDoc& doc) {
    for (const CConnectLineObj* c : doc.m_connections) {
      if (c->m_pEndBlock && IsInput(c->m_nEndPin)) inputs[c->m_pEndBlock].push_back(c);
      if (c->m_pStartBlock && IsInput(c->m_nStartPin) && c->m_pStartBlock != c->m_pEndBlock)
        inputs[c->m_pStartBlock].push_back(c);
    }
  }
};

bool CDiagramEditor::FindUpstreamBlock(const CBlockObj* goal, int goalPin, const CBlockObj* link, int linkPin,
                                       const CBlockObj* current, int currentPin, UpstreamWalk& walk) const {
  // Each block is searched from once: a loop already in the diagram (made
  // with force or read from a file) cannot make the search run forever.
  if (!walk.seen.insert(current).second) return false;
  // The connections at S's inputs, the first for each far-end block.
  std::vector<const CConnectLineObj*> list;
  std::vector<const CBlockObj*> farBlocks;
  const auto found = walk.inputs.find(current);
  if (found == walk.inputs.end()) return false;
  for (const CConnectLineObj* c : found->second) {
    const CBlockObj* far = nullptr;
    if (c->m_pEndBlock == current && IsInput(c->m_nEndPin)) {
      far = c->m_pStartBlock;
    } else if (c->m_pStartBlock == current && IsInput(c->m_nStartPin)) {
      far = c->m_pEndBlock;
      CBlockObj* resolved = nullptr;
      if (ResolveHalf(*m_pDoc, far, &resolved, nullptr)) far = resolved;
    } else {
      continue;
    }
    if (std::find(farBlocks.begin(), farBlocks.end(), far) != farBlocks.end()) continue;
    farBlocks.push_back(far);
    list.push_back(c);
  }
  for (const CConnectLineObj* c : list) {
    if (Touches(c, current, currentPin)) continue;
    auto sameSideAsLink = [&](const CBlockObj* b, int p) {
      return b == link && static_cast<long long>(p - 9) * (linkPin - 9) > 0;
    };
    if (sameSideAsLink(c->m_pStartBlock, c->m_nStartPin) || sameSideAsLink(c->m_pEndBlock, c->m_nEndPin))
      continue;
    if (IsLoopBarrier(c->m_pStartBlock) || IsLoopBarrier(c->m_pEndBlock)) continue;
    const CConnectLineObj* partner = nullptr;
    if (IsMale(c->m_pEndBlock) || IsFemale(c->m_pEndBlock)) {
      CBlockObj* ignored = nullptr;
      ResolveHalf(*m_pDoc, c->m_pEndBlock, &ignored, nullptr, &partner);
      if (partner && partner->m_pStartBlock == goal) c = partner;
    }
    if (c->m_pEndBlock == goal) {
      if (static_cast<long long>(c->m_nEndPin - c->m_nStartPin) * (goalPin - linkPin) < 0) return true;
      continue;
    }
    if (c->m_pStartBlock == goal) {
      if (static_cast<long long>(c->m_nStartPin - c->m_nEndPin) * (goalPin - linkPin) < 0) return true;
      continue;
    }
    const CBlockObj* next = nullptr;
    int nextPin = -1;
    if (c->m_pEndBlock == current) {
      next = c->m_pStartBlock;
      nextPin = c->m_nStartPin;
    } else if (c->m_pStartBlock == current) {
      if (partner) {
        next = partner->m_pStartBlock;
        nextPin = partner->m_nStartPin;
      } else {
        next = c->m_pEndBlock;
        nextPin = c->m_nEndPin;
      }
    }
    if (next && FindUpstreamBlock(goal, goalPin, link, linkPin, next, nextPin, walk)) return true;
  }
  return false;
}

int CDiagramEditor::CheckFbdRecursion(const CConnectLineObj* wire, const CBlockObj* target, int pin) const {
  if (!wire || !target) return 0;
  const CBlockObj* fixed = wire->m_pStartBlock;
  int fixedPin = wire->m_nStartPin;
  if (wire->m_bEndDrag && wire->m_nDragEnd != 0) {
    if (wire->m_nDragEnd == 1) {
      fixed = wire->m_pStartBlock;
      fixedPin = wire->m_nStartPin;
    } else {
      fixed = wire->m_pEndBlock;
      fixedPin = wire->m_nEndPin;
    }
    CBlockObj* resolved = nullptr;
    int resolvedPin = -1;
    if (ResolveHalf(*m_pDoc, fixed, &resolved, &resolvedPin)) {
      fixed = resolved;
      fixedPin = resolvedPin;
    }
  }
  if (!fixed) return 0;
  bool loop = fixed == target;
  if (!loop) {
    UpstreamWalk walk(*m_pDoc);
    loop = IsInput(fixedPin) ? FindUpstreamBlock(fixed, fixedPin, target, pin, target, pin, walk)
                             : FindUpstreamBlock(target, pin, fixed, fixedPin, fixed, fixedPin, walk);
  }
  if (!loop) return 0;
  return IsLoopAllowed(fixed->m_nType, target->m_nType) ? 0 : 1;
}

namespace {

// The connections at a pin, the wire being checked counted among the document's.
std::vector<const CConnectLineObj*> PinWires(const CZaradDoc& doc, const CConnectLineObj* extra,
                                             const CBlockObj* b, int pin) {
  std::vector<const CConnectLineObj*> out;
  for (const CConnectLineObj* w : doc.m_connections)
    if (Touches(w, b, pin)) out.push_back(w);
  if (extra && Touches(extra, b, pin) && std::find(out.begin(), out.end(), extra) == out.end())
    out.push_back(extra);
  return out;
}

// The far end of w seen from (b, pin): block and pin.
std::pair<CBlockObj*, int> FarEnd(const CConnectLineObj* w, const CBlockObj* b, int pin) {
  if (w->m_pStartBlock == b && w->m_nStartPin == pin) return {w->m_pEndBlock, w->m_nEndPin};
  return {w->m_pStartBlock, w->m_nStartPin};
}

bool IsFunctionBlock(const CBlockObj* b) {
  return b && CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2;
}

}  // namespace

int CDiagramEditor::CheckLadderLoop(const CConnectLineObj* wire) {
  if (!wire || !wire->m_pStartBlock || !wire->m_pEndBlock) return 0;
  const CZaradDoc& doc = *m_pDoc;
  CBlockObj* bus = PowerBus();
  auto resolveFemale = [&](CBlockObj* b) {
    CBlockObj* r = nullptr;
    return IsFemale(b) && ResolveHalf(doc, b, &r, nullptr) ? r : b;
  };
  auto resolveMale = [&](std::pair<CBlockObj*, int> e) {
    CBlockObj* r = nullptr;
    int p = -1;
    if (IsMale(e.first) && ResolveHalf(doc, e.first, &r, &p)) return std::pair<CBlockObj*, int>{r, p};
    return e;
  };
  auto clearMarks = [&] { ClearWalkMarks(false); };
  auto markPin = [](CBlockObj* b, int pin) {
    if (IsFunctionBlock(b) && IsInput(pin)) b->m_bChanged[pin] = 1;
  };
  auto pinCounts = [&](const CBlockObj* s, int i) {
    return !IsNoBlockLink(s->m_nSource[i]) && (!IsFunctionBlock(s) || s->m_bChanged[i]);
  };
  int result = 0;
  // The new link's input end.
  CBlockObj* q = IsInput(wire->m_nEndPin) ? wire->m_pEndBlock : wire->m_pStartBlock;
  const int a = IsInput(wire->m_nEndPin) ? wire->m_nEndPin : wire->m_nStartPin;
  const std::vector<const CConnectLineObj*> atQ = PinWires(doc, wire, q, a);
  const int n = static_cast<int>(atQ.size());
  int total = 0;
  for (const CConnectLineObj* c : atQ) {
    CBlockObj* r = resolveFemale(FarEnd(c, q, a).first);
    clearMarks();
    std::deque<CBlockObj*> queue{r};
    if (r == q) ++total;
    while (!queue.empty()) {
      CBlockObj* s = queue.front();
      queue.pop_front();
      if (!s || s->m_bVisited) continue;
      for (int i = 0; i < s->m_nInputs && i < kFirstOutputPin; ++i)
        for (const CConnectLineObj* w : PinWires(doc, wire, s, i))
          queue.push_back(resolveFemale(FarEnd(w, s, i).first));
      for (const CConnectLineObj* w : PinWires(doc, wire, s, kBusPin)) {
        const auto [p, pp] = resolveMale(FarEnd(w, s, kBusPin));
        if (p == q && pp == a) {
          ++total;
          continue;
        }
        for (const CConnectLineObj* w2 : PinWires(doc, wire, p, pp)) {
          CBlockObj* e = resolveFemale(FarEnd(w2, p, pp).first);
          if (e == q)
            ++total;
          else
            queue.push_back(e);
        }
      }
      s->m_bVisited = 1;
    }
    if (total > n) {
      result = 1;
      break;
    }
  }
  if (result == 0) {
    // A function block fed by a rung that reads that same block.
    clearMarks();
    markPin(q, a);
    std::vector<CBlockObj*> terminals;
    std::deque<CBlockObj*> queue{q};
    while (!queue.empty()) {
      CBlockObj* s = queue.front();
      queue.pop_front();
      if (!s || s->m_bVisited) continue;
      for (int i = 0; i < s->m_nInputs && i < kFirstOutputPin; ++i) {
        if (!pinCounts(s, i)) continue;
        for (const CConnectLineObj* w : PinWires(doc, wire, s, i)) {
          CBlockObj* p = FarEnd(w, s, i).first;
          if (p == bus) continue;
          p = resolveFemale(p);
          if (!p) continue;
          for (const CConnectLineObj* w2 : PinWires(doc, wire, p, kBusPin)) {
            const auto [x, xp] = resolveMale(FarEnd(w2, p, kBusPin));
            markPin(x, xp);
            queue.push_back(x);
          }
        }
      }
      const std::vector<const CConnectLineObj*> outs = PinWires(doc, wire, s, kBusPin);
      for (const CConnectLineObj* w : outs) {
        const auto [x, xp] = resolveMale(FarEnd(w, s, kBusPin));
        markPin(x, xp);
        queue.push_back(x);
      }
      s->m_bVisited = 1;
      if (outs.empty() && IsFunctionBlock(s) &&
          std::find(terminals.begin(), terminals.end(), s) == terminals.end())
        terminals.push_back(s);
    }
    for (CBlockObj* t : terminals) {
      for (int i = 0; i < t->m_nInputs && i < kFirstOutputPin && result == 0; ++i) {
        if (IsNoBlockLink(t->m_nSource[i]) || !t->m_bChanged[i]) continue;
        clearMarks();
        t->m_bVisited = 1;
        std::deque<CBlockObj*> walk;
        for (const CConnectLineObj* w : PinWires(doc, wire, t, i)) {
          CBlockObj* p = FarEnd(w, t, i).first;
          if (p == bus) continue;
          p = resolveFemale(p);
          if (p && std::find(walk.begin(), walk.end(), p) == walk.end()) walk.push_back(p);
        }
        while (!walk.empty() && result == 0) {
          CBlockObj* s = walk.front();
          walk.pop_front();
          if (!s || s->m_bVisited) continue;
          if (s->m_nOperand == t->m_nNumber) {
            result = 1;
            break;
          }
          if (s != bus) {
            for (int k = 0; k < s->m_nInputs && k < kFirstOutputPin; ++k) {
              if (!pinCounts(s, k)) continue;
              for (const CConnectLineObj* w : PinWires(doc, wire, s, k)) {
                CBlockObj* p = FarEnd(w, s, k).first;
                if (p != bus) walk.push_back(resolveFemale(p));
              }
            }
          }
          for (const CConnectLineObj* w : PinWires(doc, wire, s, kBusPin)) {
            const auto [p, pp] = resolveMale(FarEnd(w, s, kBusPin));
            walk.push_back(p);
            for (const CConnectLineObj* w2 : PinWires(doc, wire, p, pp)) {
              CBlockObj* e = FarEnd(w2, p, pp).first;
              if (e != bus) walk.push_back(resolveFemale(e));
            }
          }
          s->m_bVisited = 1;
          if (IsFunctionBlockNumber(s->m_nOperand)) {
            if (CBlockObj* fb = doc.FindBlockByNumber(s->m_nOperand)) {
              walk.push_back(fb);
              for (int k = 0; k < fb->m_nInputs && k < kFirstOutputPin; ++k)
                if (!IsNoBlockLink(fb->m_nSource[k]) && IsFunctionBlock(fb)) fb->m_bChanged[k] = 1;
            }
          }
        }
      }
      if (result) break;
    }
  }
  // The walk marks and the pin marks go.
  clearMarks();
  for (CBlockObj* b : m_pDoc->m_blocks)
    if (IsFunctionBlock(b))
      std::fill(std::begin(b->m_bChanged), std::begin(b->m_bChanged) + kFirstOutputPin, 0);
  return result;
}

// ---- Making connections -------------------------------------------------------------------

namespace {

// Ladder: a linked analog input cannot start a wire.
bool IsLinkedAnalogLadderInput(const CBlockObj* b, int pin) {
  if (!IsInput(pin) || b->m_nSource[pin] == LINK_OPEN) return false;
  const int t = b->m_nType;
  return t == kTypeACOMP || t == kTypeATHTRG || t == kTypeAAMP || t == kTypeADTRG ||
         t == kTypeLadderAnalogOutput || (t == kTypeAWDOG && pin == 1);
}

}  // namespace

int CDiagramEditor::LinkVerdict(const CBlockObj* fixed, int fixedPin, const CBlockObj* target, int pin,
                                bool maleRule) const {
  const bool ladder = m_pDoc->IsLadder();
  if ((IsFemale(fixed) && IsMale(target)) || (IsMale(fixed) && IsFemale(target))) return 1;
  if (IsInput(fixedPin) == IsInput(pin)) return 1;
  if (IsInput(pin)) {
    const int link = target->m_nSource[pin];
    if (ladder ? IsNoBlockLink(link) : link != LINK_OPEN) return 1;
  } else if (maleRule && IsMale(fixed)) {
    return 1;
  }
  const bool ok =
      IsInput(pin) ? AreSignalsCompatible(fixed, target, pin) : AreSignalsCompatible(target, fixed, fixedPin);
  return ok ? 0 : 1;
}

bool CDiagramEditor::BeginConnection(CPoint p, CBlockObj* block, int pin, bool force) {
  const bool ladder = m_pDoc->IsLadder();
  CBlockObj* bus = PowerBus();
  if (ladder && !block && InBusPickZone(p)) {
    m_newWire.m_points = {CPoint(bus->m_ptPos.x, p.y), CPoint(bus->m_ptPos.x, p.y)};
    m_newWire.m_ptStart = m_newWire.m_ptEnd = m_newWire.m_points.front();
    m_newWire.m_pStartBlock = bus;
    m_newWire.m_nStartPin = kBusPin;
    m_newWire.m_nStartNumber = bus->m_nNumber;
    m_newWire.m_pEndBlock = nullptr;
    m_ptWireStart = m_newWire.m_ptStart;
    m_nWireClicks = 1;
    return true;
  }
  if (!block) block = FindBlockWithPinsAt(*m_pDoc, p);
  if (block && pin < 0) pin = HitTestPin(block, p);
  if (!block || pin < 0) {
    CancelWiring();
    return false;
  }
  if (ladder) {
    if (IsLinkedAnalogLadderInput(block, pin)) {
      CancelWiring();
      return false;
    }
  } else if (!force && IsInput(pin) && block->m_nSource[pin] != LINK_OPEN) {
    CancelWiring();
    return false;
  }
  CRect r;
  if (!GetPinRect(&r, block, pin)) return false;
  const CPoint c = PinCentre(r);
  m_newWire.m_points = {c, CPoint(0, 0), CPoint(0, 0), CPoint(0, 0)};
  m_newWire.m_ptStart = m_newWire.m_ptEnd = c;
  m_newWire.m_pStartBlock = block;
  m_newWire.m_nStartPin = pin;
  m_newWire.m_nStartNumber = block->m_nNumber;
  m_newWire.m_pEndBlock = nullptr;
  m_ptWireStart = c;
  m_nWireClicks = 1;
  InvalidateDiagram();
  return true;
}

CConnectLineObj* CDiagramEditor::CompleteConnection(CPoint p, CBlockObj* block, int pin, bool force) {
  const bool ladder = m_pDoc->IsLadder();
  CBlockObj* bus = PowerBus();
  CBlockObj* start = m_newWire.m_pStartBlock;
  const int startPin = m_newWire.m_nStartPin;
  auto refuse = [this]() -> CConnectLineObj* {
    CancelWiring();
    return nullptr;
  };
  auto emptyDocument = [this] {
    if (!m_pDoc->m_blocks.IsEmpty()) return;
    m_nEditMode = MODE_SELECT;
    SetCursor(CURSOR_ARROW);
  };
  if (ladder && !block && InBusPickZone(p)) {
    // The power bus as the end.
    if (start == bus || !start) return refuse();
    const bool incompatible =
        IsOutput(startPin) || IsMale(start) || !AreSignalsCompatible(bus, start, startPin);
    if (incompatible && !force) return refuse();
    const CPoint end(bus->m_ptPos.x, m_newWire.m_ptStart.y);
    m_newWire.m_ptEnd = end;
    m_newWire.m_pEndBlock = bus;
    m_newWire.m_nEndPin = kBusPin;
    m_newWire.m_nEndNumber = bus->m_nNumber;
    m_newWire.m_points = {m_newWire.m_ptStart, end};
  } else {
    if (!block) block = FindBlockWithPinsAt(*m_pDoc, p);
    if (!block || !IsLiveBlock(start)) {
      CancelWiring();
      emptyDocument();
      return nullptr;
    }
    if (pin < 0) pin = HitTestPin(block, p);
    if (pin < 0) return refuse();
    bool incompatible = (IsFemale(start) && IsMale(block)) || (IsMale(start) && IsFemale(block)) ||
                        IsInput(startPin) == IsInput(pin);
    if (ladder) {
      incompatible = incompatible || start == block || (IsInput(pin) && IsNoBlockLink(block->m_nSource[pin]));
      for (const CConnectLineObj* w : m_pDoc->m_connections) {
        const bool same = w->m_pStartBlock == start && w->m_pEndBlock == block &&
                          w->m_nStartPin == startPin && w->m_nEndPin == pin;
        const bool reverse = w->m_pStartBlock == block && w->m_pEndBlock == start && w->m_nStartPin == pin &&
                             w->m_nEndPin == startPin;
        incompatible = incompatible || same || reverse;
      }
    } else {
      incompatible = incompatible || (IsInput(pin) && block->m_nSource[pin] != LINK_OPEN);
    }
    // A forced link takes no verdict: the signal kinds are not looked up.
    if (!force && !incompatible && !(IsInput(startPin) == IsInput(pin))) {
      incompatible = IsInput(pin) ? !AreSignalsCompatible(start, block, pin)
                                  : !AreSignalsCompatible(block, start, startPin);
    }
    if (incompatible && !force) return refuse();
    if (!ladder && !force && CheckFbdRecursion(&m_newWire, block, pin)) return refuse();
    CRect r;
    if (!GetPinRect(&r, block, pin)) return refuse();
    const CPoint end = PinCentre(r);
    m_newWire.m_ptEnd = end;
    m_newWire.m_pEndBlock = block;
    m_newWire.m_nEndPin = pin;
    m_newWire.m_nEndNumber = block->m_nNumber;
    if (ladder && start == bus) {
      m_newWire.m_ptStart.y = end.y;
      m_newWire.m_points = {m_newWire.m_ptStart, end};
    } else {
      m_newWire.m_points = ZPath(m_newWire.m_ptStart, end);
    }
  }
  if (ladder && !force && CheckLadderLoop(&m_newWire)) return refuse();
  return FinishConnection(force);
}

CConnectLineObj* CDiagramEditor::FinishConnection(bool force) {
  auto wire = std::make_unique<CConnectLineObj>();
  wire->CopyFrom(&m_newWire);
  CConnectLineObj* added = AddConnection(*m_pDoc, std::move(wire));
  m_nWireClicks = 0;
  m_bDragWire = 0;
  CBlockObj* bus = PowerBus();
  const bool onBus = bus && (added->m_pStartBlock == bus || added->m_pEndBlock == bus);
  if (!onBus) {
    RouteConnection(added, added->m_ptStart.x, added->m_ptStart.y, TRUE, LegOf(added->m_nStartPin));
    RouteConnection(added, added->m_ptEnd.x, added->m_ptEnd.y, FALSE, LegOf(added->m_nEndPin));
  }
  NoteBatchWire(added);
  WritePinLinks(added);
  added->m_junctions.assign(added->m_points.size(), kNoJunction);
  MarkJunctionsOfNewWire(added);
  if (m_bAutoSnapshot) SaveSnapshot();
  if (force) m_nLinkVerdict = 0;
  m_newWire.m_pStartBlock = m_newWire.m_pEndBlock = nullptr;
  InvalidateDiagram();
  return added;
}

void CDiagramEditor::MarkJunctionsOfNewWire(CConnectLineObj* wire) {
  CBlockObj* bus = PowerBus();
  if (!m_pDoc->IsLadder()) {
    if (CountPinConnections(wire->m_pStartBlock, wire->m_nStartPin) > 1) {
      UpdateJunctions(wire, wire->m_pStartBlock, false, wire->m_nStartPin);
    } else if (CountPinConnections(wire->m_pEndBlock, wire->m_nEndPin) > 1) {
      UpdateJunctions(wire, wire->m_pEndBlock, false, wire->m_nEndPin);
    }
    return;
  }
  if (wire->m_pStartBlock != bus && CountPinConnections(wire->m_pStartBlock, wire->m_nStartPin) > 1)
    UpdateJunctions(wire, wire->m_pStartBlock, false, wire->m_nStartPin);
  if (CountPinConnections(wire->m_pEndBlock, wire->m_nEndPin) > 1)
    UpdateJunctions(wire, wire->m_pEndBlock, false, wire->m_nEndPin);
}

void CDiagramEditor::ConnectPins(CPoint p, CBlockObj* block, int pin, bool force) {
  // A pin that the hover check refused never links by a click.
  if (!block && m_nLinkVerdict != 0) {
    CancelWiring();
    return;
  }
  if (m_nWireClicks == 0) {
    BeginConnection(p, block, pin, force);
  } else {
    CompleteConnection(p, block, pin, force);
  }
}

CConnectLineObj* CDiagramEditor::ConnectBlockPins(CBlockObj* from, int fromPin, CBlockObj* to, int toPin,
                                                  bool force) {
  if (!from || !to) return nullptr;
  // Programmatic links name both pins: the interactive state does not count.
  m_nWireClicks = 0;
  m_bDragWire = 0;
  m_nLinkVerdict = 0;
  const int keepSnapshot = m_bAutoSnapshot;
  m_bAutoSnapshot = 0;
  CConnectLineObj* added = nullptr;
  CRect r;
  const bool fromBus = from == PowerBus();
  if (fromBus || GetPinRect(&r, from, fromPin)) {
    bool started = false;
    if (fromBus) {
      CRect target;
      if (GetPinRect(&target, to, toPin))
        started = BeginConnection(CPoint(from->m_ptPos.x, PinCentre(target).y), nullptr, -1, force);
    } else {
      started = BeginConnection(PinCentre(r), from, fromPin, force);
    }
    if (started && m_nWireClicks == 1) {
      CRect t;
      added = GetPinRect(&t, to, toPin) ? CompleteConnection(PinCentre(t), to, toPin, force) : nullptr;
    }
  }
  if (!added) CancelWiring();
  m_bAutoSnapshot = keepSnapshot;
  return added;
}

CConnectLineObj* CDiagramEditor::AddDirectConnection(CPoint start, CBlockObj* startBlock, int startPin,
                                                     CPoint end, CBlockObj* endBlock, int endPin) {
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_ptStart = start;
  wire->m_ptEnd = end;
  wire->m_pStartBlock = startBlock;
  wire->m_pEndBlock = endBlock;
  wire->m_nStartPin = startPin;
  wire->m_nEndPin = endPin;
  wire->m_nStartNumber = startBlock ? startBlock->m_nNumber : 0;
  wire->m_nEndNumber = endBlock ? endBlock->m_nNumber : 0;
  wire->m_points = ZPath(start, end);
  CConnectLineObj* added = AddConnection(*m_pDoc, std::move(wire));
  RouteConnection(added, start.x, start.y, TRUE, LegOf(startPin));
  RouteConnection(added, end.x, end.y, FALSE, LegOf(endPin));
  WritePinLinks(added);
  added->m_junctions.assign(added->m_points.size(), kNoJunction);
  if (CountPinConnections(startBlock, startPin) > 1) {
    UpdateJunctions(added, startBlock, false, startPin);
  } else if (CountPinConnections(endBlock, endPin) > 1) {
    UpdateJunctions(added, endBlock, false, endPin);
  }
  InvalidateDiagram();
  return added;
}

// ---- The hover verdict ------------------------------------------------------------------

CString CDiagramEditor::ShowPinTip(CPoint p) {
  const bool ladder = m_pDoc->IsLadder();
  CBlockObj* bus = PowerBus();
  CBlockObj* block = FindBlockWithPinsAt(*m_pDoc, p);
  if (!block && ladder && InBusPickZone(p)) block = bus;
  if (!block || IsMale(block) || IsFemale(block)) return CString();
  const int h = block == bus ? kBusPin : block->HitTest(p);
  m_nLinkVerdict = 0;
  const bool drawing = (m_nEditMode == MODE_CONNECT || m_bDragWire) && IsWireInProgress();
  CConnectLineObj* grabbed = m_nEditMode == MODE_MOVE_WIRE && m_pCurConnection && m_pCurConnection->m_bEndDrag
                                 ? m_pCurConnection
                                 : nullptr;
  if (drawing) {
    CBlockObj* start = m_newWire.m_pStartBlock;
    if (!((h == kPinTextBody && block != bus) || !IsLiveBlock(start)) && h >= 0 && h < kPinCount) {
      m_nLinkVerdict = LinkVerdict(start, m_newWire.m_nStartPin, block, h, true);
      if (m_nLinkVerdict == 0) {
        if (!ladder) {
          m_nLinkVerdict = CheckFbdRecursion(&m_newWire, block, h) ? 2 : 0;
        } else {
          CBlockObj* keepBlock = m_newWire.m_pEndBlock;
          const int keepPin = m_newWire.m_nEndPin;
          m_newWire.m_pEndBlock = block;
          m_newWire.m_nEndPin = h;
          m_nLinkVerdict = CheckLadderLoop(&m_newWire) ? 2 : 0;
          m_newWire.m_pEndBlock = keepBlock;
          m_newWire.m_nEndPin = keepPin;
        }
      }
    }
  } else if (grabbed && h >= 0 && h < kPinCount) {
    const bool endMoves = grabbed->m_nDragEnd == 1;
    CBlockObj* fixed = endMoves ? grabbed->m_pStartBlock : grabbed->m_pEndBlock;
    const int fixedPin = endMoves ? grabbed->m_nStartPin : grabbed->m_nEndPin;
    if (fixed) m_nLinkVerdict = LinkVerdict(fixed, fixedPin, block, h, false);
    if (fixed && m_nLinkVerdict == 0) m_nLinkVerdict = MovedEndLoops(grabbed, block, h) ? 2 : 0;
  }
  CString text;
  if (m_nLinkVerdict == 1) {
    const bool ownStart = drawing && block == m_newWire.m_pStartBlock;
    const bool ownPin =
        grabbed && h == (grabbed->m_nDragEnd == 1 ? grabbed->m_nEndPin : grabbed->m_nStartPin);
    if (!ownStart && !ownPin) text = u"Incompatible connectors!";
  } else if (m_nLinkVerdict == 2) {
    text = u"Recursions only allowed via outputs and flags!";
  } else if (h >= 0) {
    text = GetPinText(block, h);
  }
  if (m_pHost && !text.IsEmpty()) m_pHost->ShowPinTip(text);
  return text;
}

bool CDiagramEditor::MovedEndLoops(CConnectLineObj* wire, CBlockObj* block, int pin) {
  if (!m_pDoc->IsLadder()) return CheckFbdRecursion(wire, block, pin) != 0;
  const bool endMoves = wire->m_nDragEnd == 1;
  CBlockObj*& movingBlock = endMoves ? wire->m_pEndBlock : wire->m_pStartBlock;
  int& movingPin = endMoves ? wire->m_nEndPin : wire->m_nStartPin;
  CBlockObj* keepBlock = movingBlock;
  const int keepPin = movingPin;
  movingBlock = block;
  movingPin = pin;
  const bool loop = CheckLadderLoop(wire) != 0;
  movingBlock = keepBlock;
  movingPin = keepPin;
  return loop;
}

// ---- Moving a wire end -----------------------------------------------------------------------

bool CDiagramEditor::ReattachWireEnd(CPoint p, CBlockObj* block, int pin) {
  CConnectLineObj* wire = m_pCurConnection;
  if (!wire || !block || pin < 0 || pin >= kPinCount) {
    InvalidateDiagram();
    return false;
  }
  CBlockObj* bus = PowerBus();
  const bool endMoves = wire->m_nDragEnd == 1;
  CBlockObj* fixed = endMoves ? wire->m_pStartBlock : wire->m_pEndBlock;
  const int fixedPin = endMoves ? wire->m_nStartPin : wire->m_nEndPin;
  if (!fixed) return false;
  int verdict = 0;
  if (IsInput(pin) && block->m_nSource[pin] != LINK_OPEN) verdict = 1;
  if (IsInput(fixedPin) == IsInput(pin)) verdict = 1;
  if (!endMoves && IsMale(fixed) && IsFemale(block)) verdict = 1;
  if (IsDuplicateConnection(*m_pDoc, wire, block, pin)) verdict = 1;
  if (verdict == 0) {
    const bool ok =
        IsInput(pin) ? AreSignalsCompatible(fixed, block, pin) : AreSignalsCompatible(block, fixed, fixedPin);
    if (!ok) verdict = 1;
  }
  if (verdict == 0 && MovedEndLoops(wire, block, pin)) verdict = 2;
  m_nLinkVerdict = verdict;
  if (verdict != 0) return false;
  CPoint end;
  if (block == bus) {
    end = CPoint(bus->m_ptPos.x, endMoves ? wire->m_ptStart.y : wire->m_ptEnd.y);
  } else {
    CRect r;
    if (!GetPinRect(&r, block, pin)) return false;
    end = PinCentre(r);
  }
  (void)p;
  if (fixed == bus) (endMoves ? wire->m_ptStart : wire->m_ptEnd).y = end.y;
  // The old pin lets go of its link when this wire was its only one.
  CBlockObj* oldBlock = endMoves ? wire->m_pEndBlock : wire->m_pStartBlock;
  const int oldPin = endMoves ? wire->m_nEndPin : wire->m_nStartPin;
  if (oldBlock && CollectPinConnections(oldBlock, oldPin).size() == 1)
    oldBlock->m_nSource[oldPin] = IsInput(oldPin) ? LINK_OPEN : 0;
  if (endMoves) {
    wire->m_ptEnd = end;
    wire->m_pEndBlock = block;
    wire->m_nEndPin = pin;
    wire->m_nEndNumber = block->m_nNumber;
  } else {
    wire->m_ptStart = end;
    wire->m_pStartBlock = block;
    wire->m_nStartPin = pin;
    wire->m_nStartNumber = block->m_nNumber;
  }
  const bool onBus = m_pDoc->IsLadder() && (wire->m_pStartBlock == bus || wire->m_pEndBlock == bus);
  wire->m_points =
      onBus ? std::vector<CPoint>{wire->m_ptStart, wire->m_ptEnd} : ZPath(wire->m_ptStart, wire->m_ptEnd);
  RouteConnection(wire, wire->m_ptStart.x, wire->m_ptStart.y, TRUE, LegOf(wire->m_nStartPin));
  RouteConnection(wire, wire->m_ptEnd.x, wire->m_ptEnd.y, FALSE, LegOf(wire->m_nEndPin));
  WritePinLinks(wire);
  wire->m_junctions.assign(wire->m_points.size(), kNoJunction);
  wire->m_bEndDrag = 0;
  wire->m_nDragEnd = 0;
  if (CountPinConnections(block, pin) > 1) UpdateJunctions(wire, block, false, pin);
  if (CountPinConnections(fixed, fixedPin) > 1) UpdateJunctions(wire, fixed, true, fixedPin);
  SaveSnapshot();
  InvalidateDiagram();
  return true;
}
