// Connector pairs: a connection replaced by a male half at the source and a
// female half at the destination (female number = male number + 2000), the
// pair joined back into one connection, the placement search for the
// halves, the cut/join tool and the separation of wires that cross blocks.
#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "blocks/block_draw.h"
#include "blocks/connector_obj.h"
#include "editor/diagram_editor.h"
#include "editor/grid_spacing.h"
#include "editor/junction_index.h"
#include "model/block_obj.h"
#include "model/block_registry.h"
#include "model/connect_line_obj.h"
#include "model/diagram_draw.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

constexpr int kHalfWidth = 15, kHalfHeight = 10;
constexpr int kGrid = 20;
constexpr UINT IDS_NO_RESOURCES = 612;  // "Insufficient Resources to create/paste the blocks."
constexpr int kFirstMale = 5000, kLastMale = 6899;

bool IsHalf(const CBlockObj* b) {
  return b && (b->m_nType == kTypeMaleConnector || b->m_nType == kTypeFemaleConnector);
}

// The search order of the placement: offsets (dx, dy) in grid steps, nearest first.
const std::vector<CPoint>& SearchOffsets() {
  static const std::vector<CPoint> offsets = [] {
    static constexpr int kStep[17][8] = {
        {106, 108, 110, 112, 114, 116, 118, 134}, {79, 81, 83, 85, 87, 89, 103, 132},
        {56, 58, 60, 62, 64, 76, 101, 130},       {37, 39, 41, 43, 53, 74, 99, 128},
        {22, 24, 26, 34, 51, 72, 97, 126},        {11, 13, 19, 32, 49, 70, 95, 124},
        {4, 8, 17, 30, 47, 68, 93, 122},          {1, 6, 15, 28, 45, 66, 91, 120},
        {0, 3, 10, 21, 36, 55, 78, 105},          {2, 7, 16, 29, 46, 67, 92, 121},
        {5, 9, 18, 31, 48, 69, 94, 123},          {12, 14, 20, 33, 50, 71, 96, 125},
        {23, 25, 27, 35, 52, 73, 98, 127},        {38, 40, 42, 44, 54, 75, 100, 129},
        {57, 59, 61, 63, 65, 77, 102, 131},       {80, 82, 84, 86, 88, 90, 104, 133},
        {107, 109, 111, 113, 115, 117, 119, 135},
    };
    std::vector<CPoint> out(136);
    for (int row = 0; row < 17; ++row)
      for (int dx = 0; dx < 8; ++dx) out[static_cast<size_t>(kStep[row][dx])] = CPoint(dx, row - 8);
    return out;
  }();
  return offsets;
}

// The rectangle a wire segment occupies; empty for a segment that is neither
// vertical nor horizontal (it adds nothing).
CRect SegmentRect(CPoint a, CPoint b) {
  if (a.x == b.x) return CRect(a.x - 2, std::min(a.y, b.y), a.x + 2, std::max(a.y, b.y));
  if (a.y == b.y) return CRect(std::min(a.x, b.x), a.y - 2, std::max(a.x, b.x), a.y + 2);
  return CRect();
}

bool Intersects(const CRect& a, const CRect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

CRect BodyRect(const CBlockObj* b, int sideReach) {
  return CRect(b->m_ptPos.x - sideReach, b->m_ptPos.y - 5, b->m_ptPos.x + b->m_nWidth + sideReach,
               b->m_ptPos.y + b->m_nHeight);
}

// Where a half's label stands: centred over its body, one line high, wide
// enough for the longest label ("B123/15").
CRect HalfLabelRect(CPoint pos, int width) {
  constexpr int kWidth = 7 * kLabelCharWidth;
  const int left = pos.x + (width - kWidth) / 2 - 1;
  return CRect(left, pos.y - kLabelLineHeight, left + kWidth * 6 / 5 + 3, pos.y);
}

// A map of keys to ids by open addressing, for the lookups a batch makes by the
// thousand: no allocation per key. Nothing is erased (an id's owner tells
// whether it is still live).
template <typename Key, typename Hash>
class FlatIdMap {
 public:
  void Clear() {
    m_slots.assign(64, Slot{});
    m_count = 0;
  }
  int Find(const Key& key) const {
    if (m_slots.empty()) return -1;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = Hash()(key) & mask;; i = (i + 1) & mask) {
      if (m_slots[i].id < 0) return -1;
      if (m_slots[i].key == key) return m_slots[i].id;
    }
  }
  // Sets the key's id, whether it had one or not.
  void Set(const Key& key, int id) {
    if (m_slots.empty() || (m_count + 1) * 2 > m_slots.size()) Grow();
    const size_t mask = m_slots.size() - 1;
    for (size_t i = Hash()(key) & mask;; i = (i + 1) & mask) {
      if (m_slots[i].id < 0) {
        m_slots[i] = Slot{key, id};
        ++m_count;
        return;
      }
      if (m_slots[i].key == key) {
        m_slots[i].id = id;
        return;
      }
    }
  }

 private:
  struct Slot {
    Key key{};
    int id = -1;
  };
  void Grow() {
    std::vector<Slot> old = std::move(m_slots);
    m_slots.assign(std::max<size_t>(64, old.size() * 2), Slot{});
    m_count = 0;
    for (const Slot& s : old)
      if (s.id >= 0) Set(s.key, s.id);
  }
  std::vector<Slot> m_slots;
  size_t m_count = 0;
};

size_t MixPointer(const void* p) {
  std::uint64_t h = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p)) * 0x9E3779B97F4A7C15ull;
  return static_cast<size_t>(h ^ (h >> 29));
}

struct PointerHash {
  size_t operator()(const void* p) const { return MixPointer(p); }
};

// A rectangle that no other rectangle intersects (no width or no height).
bool IsFlat(const CRect& r) {
  return r.right <= r.left || r.bottom <= r.top;
}

}  // namespace

// What a batch separation keeps of the document so that each pair costs
// only its own neighbourhood: the blocks and the wire segments in grid cells
// over the diagram (the crossing test, the placement search), the wires at each
// pin (junctions, released links), the live blocks, and the numbers and
// counts of the connector halves (the pair number, the limits). Blocks do not
// move while it lives; wires and halves come and go only through the batch,
// and anything else (a delete that took more than the wire, a failed link)
// builds it anew.
struct CDiagramEditor::SeparationIndex {
  // The grid: cells of cell units from origin, nx by ny; what lies outside
  // falls into the border cells (the tests are exact, the cells only narrow).
  CPoint origin;
  int cell = 64, nx = 1, ny = 1;
  int cellShift = 6;  // cell == 1 << cellShift
  // The cells' lists are chains through one array of entries each (next: the
  // following entry of the same cell or stretch, -1 at the end): entering a
  // thing allocates nothing per cell, and a query reads the entries themselves,
  // not the blocks they stand for.
  struct Segment {
    CRect rect;
    int wire;
    int next;
  };
  // A block's rectangle (body without its reach) and whether it is a half.
  struct BlockEntry {
    CRect box;
    const CBlockObj* block;
    int next;
    bool half;
  };
  struct TextEntry {
    CRect rect;
    const CBlockObj* block;
    int next;
  };
  struct PinHash {
    size_t operator()(const std::pair<const CBlockObj*, int>& k) const {
      return MixPointer(k.first) ^ (static_cast<size_t>(k.second) * 0x9E3779B97F4A7C15ull);
    }
  };
  using PinKey = std::pair<const CBlockObj*, int>;

  std::vector<int> blockHead;  // by cell
  std::vector<BlockEntry> blockEntries;
  // By cell: kHoldsBlocks, kHoldsTexts (a small array that queries along a long
  // wire read before the cells' lists).
  static constexpr unsigned char kHoldsBlocks = 1, kHoldsTexts = 2;
  std::vector<unsigned char> holds;
  // A bit for each cell that holds anything, by grid row and by grid column.
  std::vector<std::uint64_t> heldInRow, heldInColumn;
  // The live blocks (the id: the order they came in).
  FlatIdMap<const CBlockObj*, PointerHash> liveBlocks;
  int liveBlockCount = 0;
  // Wire segments wider than tall by band (kBands to a grid row), the others by
  // band of a grid column, each band cut into stretches of kRowStretch or
  // kColumnStretch cells: a segment takes one entry per stretch it crosses, not
  // one per cell, and a query looks only at the stretches it meets (the bands
  // are narrow: the wires that run side by side between two columns fall into
  // different bands). A dead wire's entries stay; a query passes over them.
  // The segments of the wires are entered when a query first needs them: the
  // wires of a batch that only links blocks are never entered. Those entered
  // together in bulk lie side by side, stretch after stretch (a table); the
  // few entered after the table was made go into chains by stretch, and when
  // the chains grow as long as the table, the table is made again.
  static constexpr int kRowStretch = 16, kColumnStretch = 16;
  static constexpr int kBandShift = 3, kBands = 1 << kBandShift;
  int rowStretches = 1, columnStretches = 1;
  struct Table {
    std::vector<int> start;  // by stretch, and one past the last
    std::vector<Segment> entries;
  };
  mutable Table rowTable, columnTable;
  mutable std::vector<int> rowHead, columnHead;          // the chains, by stretch
  mutable std::vector<Segment> segments;                 // the chains' entries
  mutable size_t segmentsUpTo = 0;                       // the wires (by id) whose segments are entered
  FlatIdMap<const CConnectLineObj*, PointerHash> wires;  // wire -> id (live while !deadWire[id])
  std::vector<CConnectLineObj*> wireById;
  std::vector<char> deadWire;  // by id
  // By pin: its wires, and the junction index of a pin a new wire joined (its
  // wires' paths do not change while the batch lives; a wire that leaves the pin
  // leaves the index too).
  struct Pin {
    std::vector<CConnectLineObj*> wires;
    std::unique_ptr<CJunctionIndex> junctions;
  };
  FlatIdMap<PinKey, PinHash> pinIds;
  std::deque<Pin> pins;  // by id (a deque: a pin's wires stay where they are as pins are added)
  // Pair numbers in use (m or m + 2000 taken), from kFirstMale.
  std::vector<char> pairTaken;
  // Per half type (male, female): the count and the numbers of its range taken.
  int halfCount[2] = {};
  int rangeFirst[2] = {};
  std::vector<char> rangeTaken[2];
  // Nothing is taken before these (a number once taken stays taken until the
  // index is built again): the searches for a free number start there.
  mutable size_t pairFrom = 0;
  mutable size_t rangeFrom[2] = {};
  // The direct delete applies: nothing else is selected and no separation
  // was refused (a refused wire stays selected).
  bool direct = true;
  bool deleted = false;
  // Set for a diagram laid out by the program: the blocks' texts by grid cell
  // (a half's label where it will stand), drawn in this context.
  CViewContext* textView = nullptr;
  std::vector<int> textHead;  // by cell
  std::vector<TextEntry> textEntries;

  static int HalfSlot(int type) {
    return type == kTypeMaleConnector ? 0 : type == kTypeFemaleConnector ? 1 : -1;
  }
  static int Clamp(long long v, int n) { return static_cast<int>(std::clamp<long long>(v, 0, n - 1)); }
  // (Shifting floors where dividing truncates: both clamp a point left of or
  // above the origin to the first cell.)
  int CellX(int x) const { return Clamp((static_cast<long long>(x) - origin.x) >> cellShift, nx); }
  int CellY(int y) const { return Clamp((static_cast<long long>(y) - origin.y) >> cellShift, ny); }
  template <typename F>
  bool AnyCell(const CRect& r, F f) const {
    const int x0 = CellX(std::min(r.left, r.right)), x1 = CellX(std::max(r.left, r.right));
    const int y0 = CellY(std::min(r.top, r.bottom)), y1 = CellY(std::max(r.top, r.bottom));
    for (int cy = y0; cy <= y1; ++cy)
      for (int cx = x0; cx <= x1; ++cx)
        if (f(static_cast<size_t>(cy) * static_cast<size_t>(nx) + static_cast<size_t>(cx))) return true;
    return false;
  }
  // AnyCell over the cells that hold something: along the longer side of r,
  // the empty cells are passed over a word of the held bits at a time.
  static int Words(int n) { return (n + 63) / 64; }
  template <typename F>
  static bool AnyBit(const std::uint64_t* bits, int from, int to, F f) {
    for (int w = from >> 6; w <= to >> 6; ++w) {
      std::uint64_t word = bits[w];
      if (w == from >> 6) word &= ~std::uint64_t{0} << (from & 63);
      if (w == to >> 6 && (to & 63) != 63) word &= (std::uint64_t{2} << (to & 63)) - 1;
      for (; word != 0; word &= word - 1)
        if (f((w << 6) + std::countr_zero(word))) return true;
    }
    return false;
  }
  template <typename F>
  bool AnyHeldCell(const CRect& r, F f) const {
    const int x0 = CellX(std::min(r.left, r.right)), x1 = CellX(std::max(r.left, r.right));
    const int y0 = CellY(std::min(r.top, r.bottom)), y1 = CellY(std::max(r.top, r.bottom));
    const auto cell = [this](int cx, int cy) {
      return static_cast<size_t>(cy) * static_cast<size_t>(nx) + static_cast<size_t>(cx);
    };
    if (x1 - x0 >= y1 - y0) {
      for (int cy = y0; cy <= y1; ++cy)
        if (AnyBit(&heldInRow[static_cast<size_t>(cy) * static_cast<size_t>(Words(nx))], x0, x1,
                   [&](int cx) { return f(cell(cx, cy)); }))
          return true;
      return false;
    }
    for (int cx = x0; cx <= x1; ++cx)
      if (AnyBit(&heldInColumn[static_cast<size_t>(cx) * static_cast<size_t>(Words(ny))], y0, y1,
                 [&](int cy) { return f(cell(cx, cy)); }))
        return true;
    return false;
  }
  void Hold(size_t k, unsigned char what) {
    holds[k] |= what;
    const int cx = static_cast<int>(k % static_cast<size_t>(nx)),
              cy = static_cast<int>(k / static_cast<size_t>(nx));
    heldInRow[static_cast<size_t>(cy) * static_cast<size_t>(Words(nx)) + static_cast<size_t>(cx >> 6)] |=
        std::uint64_t{1} << (cx & 63);
    heldInColumn[static_cast<size_t>(cx) * static_cast<size_t>(Words(ny)) + static_cast<size_t>(cy >> 6)] |=
        std::uint64_t{1} << (cy & 63);
  }
  // The grid over the page and everything on it, at most 64K cells.
  void Span(const CZaradDoc& doc) {
    CRect area = GetDiagramPageRect(doc);
    auto take = [&area](int x, int y) {
      area.left = std::min(area.left, x);
      area.top = std::min(area.top, y);
      area.right = std::max(area.right, x);
      area.bottom = std::max(area.bottom, y);
    };
    for (const CBlockObj* b : doc.m_blocks) {
      const CRect r = BodyRect(b, 5);
      take(r.left, r.top);
      take(r.right, r.bottom);
    }
    for (const CConnectLineObj* w : doc.m_connections)
      for (const CPoint& p : w->m_points) take(p.x, p.y);
    const long long width = static_cast<long long>(area.right) - area.left + 1;
    const long long height = static_cast<long long>(area.bottom) - area.top + 1;
    cell = 64;
    cellShift = 6;
    while ((width / cell + 1) * (height / cell + 1) > 65536) {
      cell *= 2;
      ++cellShift;
    }
    origin = area.TopLeft();
    nx = static_cast<int>(width / cell + 1);
    ny = static_cast<int>(height / cell + 1);
    blockHead.assign(static_cast<size_t>(nx) * static_cast<size_t>(ny), -1);
    textHead.assign(static_cast<size_t>(nx) * static_cast<size_t>(ny), -1);
    holds.assign(static_cast<size_t>(nx) * static_cast<size_t>(ny), 0);
    heldInRow.assign(static_cast<size_t>(ny) * static_cast<size_t>(Words(nx)), 0);
    heldInColumn.assign(static_cast<size_t>(nx) * static_cast<size_t>(Words(ny)), 0);
    rowStretches = (nx + kRowStretch - 1) / kRowStretch;
    columnStretches = (ny + kColumnStretch - 1) / kColumnStretch;
    rowHead.assign(static_cast<size_t>(ny) * kBands * static_cast<size_t>(rowStretches), -1);
    columnHead.assign(static_cast<size_t>(nx) * kBands * static_cast<size_t>(columnStretches), -1);
  }

  void Build(const CZaradDoc& doc) {
    Span(doc);
    liveBlocks.Clear();
    liveBlockCount = 0;
    blockEntries.clear();
    textEntries.clear();
    segments.clear();
    segmentsUpTo = 0;
    for (Table* t : {&rowTable, &columnTable}) {
      t->start.clear();
      t->entries.clear();
    }
    wires.Clear();
    wireById.clear();
    deadWire.clear();
    pinIds.Clear();
    pins.clear();
    pairTaken.assign(static_cast<size_t>(kLastMale - kFirstMale + 1), 0);
    pairFrom = 0;
    for (int slot : {0, 1}) {
      const OperandRange range =
          GetOperandRange(slot == 0 ? kTypeMaleConnector : kTypeFemaleConnector, doc.GetModelFamily());
      halfCount[slot] = 0;
      rangeFirst[slot] = range.nFirst;
      rangeTaken[slot].assign(static_cast<size_t>(std::max(range.nSize, 0)), 0);
      rangeFrom[slot] = 0;
    }
    for (const CBlockObj* b : doc.m_blocks) AddBlock(b);
    for (CConnectLineObj* w : doc.m_connections) AddWire(w);
  }
  void AddBlock(const CBlockObj* b) {
    if (liveBlocks.Find(b) < 0) liveBlocks.Set(b, liveBlockCount++);
    // The widest body rectangle any query tests.
    const CRect box(b->m_ptPos.x, b->m_ptPos.y, b->m_ptPos.x + b->m_nWidth, b->m_ptPos.y + b->m_nHeight);
    AnyCell(BodyRect(b, 5), [&](size_t k) {
      blockEntries.push_back({box, b, blockHead[k], IsHalf(b)});
      blockHead[k] = static_cast<int>(blockEntries.size()) - 1;
      Hold(k, kHoldsBlocks);
      return false;
    });
    for (int m : {b->m_nNumber, b->m_nNumber - kFemaleNumberOffset}) {
      if (m >= kFirstMale && m <= kLastMale) pairTaken[static_cast<size_t>(m - kFirstMale)] = 1;
    }
    if (textView) {
      const std::vector<CRect> drawn = IsHalf(b) ? std::vector<CRect>{HalfLabelRect(b->m_ptPos, b->m_nWidth)}
                                                 : DrawnTexts(*const_cast<CBlockObj*>(b), textView);
      for (const CRect& r : drawn) {
        AnyCell(r, [&](size_t k) {
          textEntries.push_back({r, b, textHead[k]});
          textHead[k] = static_cast<int>(textEntries.size()) - 1;
          Hold(k, kHoldsTexts);
          return false;
        });
      }
    }
    const int slot = HalfSlot(b->m_nType);
    if (slot < 0) return;
    ++halfCount[slot];
    const long long i = static_cast<long long>(b->m_nNumber) - rangeFirst[slot];
    if (i >= 0 && i < static_cast<long long>(rangeTaken[slot].size()))
      rangeTaken[slot][static_cast<size_t>(i)] = 1;
  }
  void AddWire(CConnectLineObj* w) {
    if (!w) return;
    const int id = static_cast<int>(deadWire.size());
    deadWire.push_back(0);
    wireById.push_back(w);
    wires.Set(w, id);
    const PinKey start(w->m_pStartBlock, w->m_nStartPin), end(w->m_pEndBlock, w->m_nEndPin);
    PinOf(start).wires.push_back(w);
    if (end != start) PinOf(end).wires.push_back(w);
  }
  // The live id of a wire, or -1.
  int LiveWire(const CConnectLineObj* w) const {
    const int id = wires.Find(w);
    return id >= 0 && !deadWire[static_cast<size_t>(id)] ? id : -1;
  }
  Pin& PinOf(const PinKey& k) {
    int id = pinIds.Find(k);
    if (id < 0) {
      id = static_cast<int>(pins.size());
      pins.emplace_back();
      pinIds.Set(k, id);
    }
    return pins[static_cast<size_t>(id)];
  }
  Pin* FindPin(const PinKey& k) {
    const int id = pinIds.Find(k);
    return id < 0 ? nullptr : &pins[static_cast<size_t>(id)];
  }
  const Pin* FindPin(const PinKey& k) const {
    const int id = pinIds.Find(k);
    return id < 0 ? nullptr : &pins[static_cast<size_t>(id)];
  }
  void RemoveWire(CConnectLineObj* w) {
    const int id = LiveWire(w);
    if (id < 0) return;
    deadWire[static_cast<size_t>(id)] = 1;
    wireById[static_cast<size_t>(id)] = nullptr;
    for (const PinKey& k : {PinKey(w->m_pStartBlock, w->m_nStartPin), PinKey(w->m_pEndBlock, w->m_nEndPin)}) {
      Pin* p = FindPin(k);
      if (!p) continue;
      // The pin's junction index goes on without the wire (it holds no other).
      const auto at = std::find(p->wires.begin(), p->wires.end(), w);
      if (at == p->wires.end()) continue;
      const size_t pos = static_cast<size_t>(at - p->wires.begin());
      p->wires.erase(at);
      if (p->junctions) p->junctions->Remove(w, pos, p->wires);
    }
  }
  const std::vector<CConnectLineObj*>* AtPin(const CBlockObj* b, int pin) const {
    const Pin* p = FindPin(PinKey(b, pin));
    return p ? &p->wires : nullptr;
  }
  // Any block (other than skip) whose body, sides reaching out by reach(is a half), meets r;
  // met, if given, takes that rectangle.
  template <typename Reach>
  bool AnyBlock(const CRect& r, const CBlockObj* skip, Reach reach, CRect* met = nullptr) const {
    return AnyHeldCell(r, [&](size_t k) {
      if (!(holds[k] & kHoldsBlocks)) return false;
      for (int e = blockHead[k]; e >= 0;) {
        const BlockEntry& b = blockEntries[static_cast<size_t>(e)];
        e = b.next;
        if (b.block == skip) continue;
        const int side = reach(b.half);
        const CRect body(b.box.left - side, b.box.top - 5, b.box.right + side, b.box.bottom);
        if (!Intersects(r, body)) continue;
        if (met) *met = body;
        return true;
      }
      return false;
    });
  }
  // Any text of a block other than skip1 and skip2 that meets r; met, if given,
  // takes its rectangle.
  bool AnyText(const CRect& r, const CBlockObj* skip1, const CBlockObj* skip2 = nullptr,
               CRect* met = nullptr) const {
    if (!textView) return false;
    return AnyHeldCell(r, [&](size_t k) {
      if (!(holds[k] & kHoldsTexts)) return false;
      for (int e = textHead[k]; e >= 0;) {
        const TextEntry& t = textEntries[static_cast<size_t>(e)];
        e = t.next;
        if (t.block != skip1 && t.block != skip2 && Intersects(r, t.rect) && liveBlocks.Find(t.block) >= 0) {
          if (met) *met = t.rect;
          return true;
        }
      }
      return false;
    });
  }
  // The band of a coordinate (within the band of its cell, as CellX and CellY clamp).
  int BandX(int x) const {
    return Clamp((static_cast<long long>(x) - origin.x) >> (cellShift - kBandShift), nx * kBands);
  }
  int BandY(int y) const {
    return Clamp((static_cast<long long>(y) - origin.y) >> (cellShift - kBandShift), ny * kBands);
  }
  size_t StretchOfRow(int by, int k) const {
    return static_cast<size_t>(by) * static_cast<size_t>(rowStretches) + static_cast<size_t>(k);
  }
  size_t StretchOfColumn(int bx, int k) const {
    return static_cast<size_t>(bx) * static_cast<size_t>(columnStretches) + static_cast<size_t>(k);
  }
  // Calls enter(row, stretch, rect, id) for every stretch that a segment of the
  // live wires of ids [from, to) crosses.
  template <typename F>
  void ForEachStretch(size_t from, size_t to, F enter) const {
    for (size_t n = from; n < to; ++n) {
      const CConnectLineObj* w = wireById[n];
      if (!w) continue;
      const int id = static_cast<int>(n);
      for (size_t i = 1; i < w->m_points.size(); ++i) {
        const CRect r = SegmentRect(w->m_points[i - 1], w->m_points[i]);
        if (IsFlat(r)) continue;
        if (r.Width() > r.Height()) {
          for (int by = BandY(r.top); by <= BandY(r.bottom); ++by)
            for (int k = CellX(r.left) / kRowStretch; k <= CellX(r.right) / kRowStretch; ++k)
              enter(true, StretchOfRow(by, k), r, id);
        } else {
          for (int bx = BandX(r.left); bx <= BandX(r.right); ++bx)
            for (int k = CellY(r.top) / kColumnStretch; k <= CellY(r.bottom) / kColumnStretch; ++k)
              enter(false, StretchOfColumn(bx, k), r, id);
        }
      }
    }
  }
  // Enters the segments of the live wires added since the last call.
  void EnterSegments() const {
    const size_t to = wireById.size();
    if (segmentsUpTo == to) return;
    if (rowTable.start.empty() || segments.size() > rowTable.entries.size() + columnTable.entries.size()) {
      // The table of every live wire, counted first, then filled.
      rowTable.start.assign(rowHead.size() + 1, 0);
      columnTable.start.assign(columnHead.size() + 1, 0);
      ForEachStretch(0, to, [this](bool row, size_t k, const CRect&, int) {
        ++(row ? rowTable : columnTable).start[k + 1];
      });
      for (Table* t : {&rowTable, &columnTable}) {
        for (size_t k = 1; k < t->start.size(); ++k) t->start[k] += t->start[k - 1];
        t->entries.resize(static_cast<size_t>(t->start.back()));
      }
      std::vector<int> rowAt(rowTable.start.begin(), rowTable.start.end() - 1);
      std::vector<int> columnAt(columnTable.start.begin(), columnTable.start.end() - 1);
      ForEachStretch(0, to, [&](bool row, size_t k, const CRect& r, int id) {
        Table& t = row ? rowTable : columnTable;
        int& at = (row ? rowAt : columnAt)[k];
        t.entries[static_cast<size_t>(at++)] = Segment{r, id, -1};
      });
      std::fill(rowHead.begin(), rowHead.end(), -1);
      std::fill(columnHead.begin(), columnHead.end(), -1);
      segments.clear();
    } else {
      ForEachStretch(segmentsUpTo, to, [this](bool row, size_t k, const CRect& r, int id) {
        int& head = (row ? rowHead : columnHead)[k];
        segments.push_back({r, id, head});
        head = static_cast<int>(segments.size()) - 1;
      });
    }
    segmentsUpTo = to;
  }
  bool AnySegment(const CRect& r, CRect* met = nullptr) const {
    EnterSegments();
    auto meets = [&](const Segment& s) {
      if (!Intersects(r, s.rect) || deadWire[static_cast<size_t>(s.wire)]) return false;
      if (met) *met = s.rect;
      return true;
    };
    auto any = [&](const Table& table, const std::vector<int>& heads, size_t k) {
      for (int n = table.start[k]; n < table.start[k + 1]; ++n)
        if (meets(table.entries[static_cast<size_t>(n)])) return true;
      for (int n = heads[k]; n >= 0; n = segments[static_cast<size_t>(n)].next)
        if (meets(segments[static_cast<size_t>(n)])) return true;
      return false;
    };
    const int x0 = CellX(std::min(r.left, r.right)), x1 = CellX(std::max(r.left, r.right));
    const int y0 = CellY(std::min(r.top, r.bottom)), y1 = CellY(std::max(r.top, r.bottom));
    const int bx0 = BandX(std::min(r.left, r.right)), bx1 = BandX(std::max(r.left, r.right));
    const int by0 = BandY(std::min(r.top, r.bottom)), by1 = BandY(std::max(r.top, r.bottom));
    for (int by = by0; by <= by1; ++by)
      for (int k = x0 / kRowStretch; k <= x1 / kRowStretch; ++k)
        if (any(rowTable, rowHead, StretchOfRow(by, k))) return true;
    for (int bx = bx0; bx <= bx1; ++bx)
      for (int k = y0 / kColumnStretch; k <= y1 / kColumnStretch; ++k)
        if (any(columnTable, columnHead, StretchOfColumn(bx, k))) return true;
    return false;
  }
  // IsSpotOccupied, from the index, of a half whose top left corner would be
  // (x, y) on the page. When it is, blocked takes the open rectangle of corners
  // whose spot the same thing meets: a spot, or the label above it, meets a
  // rectangle exactly when its corner lies strictly inside that rectangle
  // moved back by the spot's (or label's) own extent.
  bool SpotOccupied(const CBlockObj* half, int x, int y, CRect* blocked) const {
    const int w = half->m_nWidth, h = half->m_nHeight;
    const CRect spot0(0, 0, w, h), label0 = HalfLabelRect(CPoint(0, 0), w);
    auto rule = [blocked](const CRect& met, const CRect& at0) {
      *blocked =
          CRect(met.left - at0.right, met.top - at0.bottom, met.right - at0.left, met.bottom - at0.top);
      return true;
    };
    const CRect spot(x, y, x + w, y + h);
    const auto spotReach = [](bool half) { return half ? 2 : 5; };
    const auto labelReach = [](bool) { return 0; };
    CRect met;
    if (AnyBlock(spot, half, spotReach, &met) || AnySegment(spot, &met)) return rule(met, spot0);
    if (!textView) return false;
    if (AnyText(spot, half, nullptr, &met)) return rule(met, spot0);
    // Neither the half nor its label over a block's texts, nor its label over a block or wire.
    const CRect label = HalfLabelRect(CPoint(x, y), w);
    if (AnyText(label, half, nullptr, &met) || AnyBlock(label, half, labelReach, &met) ||
        AnySegment(label, &met))
      return rule(met, label0);
    return false;
  }

  // The first pair number free on both sides, or -1.
  int FirstFreeMale() const {
    while (pairFrom < pairTaken.size() && pairTaken[pairFrom]) ++pairFrom;
    return pairFrom < pairTaken.size() ? kFirstMale + static_cast<int>(pairFrom) : -1;
  }
  // CZaradDoc::CheckTypeLimit of a half type, from the count kept here.
  bool UnderLimit(const CZaradDoc& doc, int type) const {
    const int limit = doc.GetTypeLimit(type);
    return limit != 0 && halfCount[HalfSlot(type)] < limit;
  }
  // The number and operand CZaradDoc::AddBlock gives a new half: the first
  // number of its range that no half of its type holds.
  void NumberHalf(CBlockObj* half) const {
    const int slot = HalfSlot(half->m_nType);
    const std::vector<char>& taken = rangeTaken[slot];
    size_t& i = rangeFrom[slot];
    while (i < taken.size() && taken[i]) ++i;
    if (i == taken.size()) return;
    half->m_nNumber = rangeFirst[slot] + static_cast<int>(i);
    half->m_nOperand = static_cast<int>(i);
  }
};

CBlockObj* CDiagramEditor::FindPartner(const CBlockObj* half) const {
  if (!IsHalf(half)) return nullptr;
  const int number = half->m_nType == kTypeFemaleConnector ? half->m_nNumber - kFemaleNumberOffset
                                                           : half->m_nNumber + kFemaleNumberOffset;
  CBlockObj* partner = m_pDoc->FindBlockByNumber(number);
  return partner && IsHalf(partner) && partner->m_nType != half->m_nType ? partner : nullptr;
}

bool CDiagramEditor::IsSpotOccupied(const CBlockObj* half, int dx, int dy) const {
  const int x = half->m_ptPos.x + kGrid * dx, y = half->m_ptPos.y + kGrid * dy;
  const int w = half->m_nWidth, h = half->m_nHeight;
  const CRect page = GetDiagramPageRect(*m_pDoc);
  const int W = page.Width(), H = page.Height();
  if (x <= 0 || x >= W || x + w >= W || y <= 0 || y >= H || y + h >= H) return true;
  if (m_pSeparation) {
    CRect blocked;
    return m_pSeparation->SpotOccupied(half, x, y, &blocked);
  }
  const CRect spot(x, y, x + w, y + h);
  for (const CBlockObj* b : m_pDoc->m_blocks)
    if (b != half && Intersects(spot, BodyRect(b, IsHalf(b) ? 2 : 5))) return true;
  for (const CConnectLineObj* c : m_pDoc->m_connections)
    for (size_t i = 1; i < c->m_points.size(); ++i)
      if (Intersects(spot, SegmentRect(c->m_points[i - 1], c->m_points[i]))) return true;
  return false;
}

namespace {

int FloorDiv(int a, int b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

}  // namespace

void CDiagramEditor::PlaceConnectorHalf(CBlockObj* half) {
  const int sign = half->m_nType == kTypeFemaleConnector ? -1 : 1;
  auto take = [half, sign](CPoint off) {
    half->m_ptPos += CSize(kGrid * sign * off.x, kGrid * off.y);
    half->m_ptDragStart = half->m_ptPos;
  };
  if (!m_pSeparation) {
    for (const CPoint& off : SearchOffsets())
      if (!IsSpotOccupied(half, sign * off.x, off.y)) return take(off);
    return;
  }
  // With the index, a spot found occupied rules out every other offset whose
  // spot the same thing meets: those are not tested again. The offsets the
  // search can reach are (0..kReach, -kReach..kReach); those on the page
  // (IsSpotOccupied's page test) are (dxLo..dxHi, dyLo..dyHi).
  constexpr int kReach = 40;
  const CPoint from = half->m_ptPos;
  const CRect page = GetDiagramPageRect(*m_pDoc);
  const int w = half->m_nWidth, h = half->m_nHeight, W = page.Width(), H = page.Height();
  int dxLo = kReach + 1, dxHi = -1, dyLo = kReach + 1, dyHi = -kReach - 1;
  for (int d = 0; d <= kReach; ++d) {
    const int x = from.x + kGrid * sign * d;
    if (x <= 0 || x >= W || x + w >= W) continue;
    dxLo = std::min(dxLo, d);
    dxHi = d;
  }
  for (int d = -kReach; d <= kReach; ++d) {
    const int y = from.y + kGrid * d;
    if (y <= 0 || y >= H || y + h >= H) continue;
    dyLo = std::min(dyLo, d);
    dyHi = d;
  }
  // By dy, a bit for each dx.
  std::array<std::uint64_t, 2 * kReach + 1> ruledOut{};
  static_assert(kReach < 63);
  auto row = [&ruledOut](int dy) -> std::uint64_t& { return ruledOut[static_cast<size_t>(dy + kReach)]; };
  // Marks the offsets whose corner lies strictly inside blocked.
  auto ruleOut = [&](const CRect& blocked) {
    const int x0 = sign > 0 ? blocked.left - from.x : from.x - blocked.right;
    const int x1 = sign > 0 ? blocked.right - from.x : from.x - blocked.left;
    const int dx0 = std::max(FloorDiv(x0, kGrid) + 1, 0), dx1 = std::min(FloorDiv(x1 - 1, kGrid), kReach);
    const int dy0 = std::max(FloorDiv(blocked.top - from.y, kGrid) + 1, -kReach);
    const int dy1 = std::min(FloorDiv(blocked.bottom - from.y - 1, kGrid), kReach);
    if (dx0 > dx1) return;
    const std::uint64_t bits = ((std::uint64_t{2} << dx1) - 1) & ~((std::uint64_t{1} << dx0) - 1);
    for (int dy = dy0; dy <= dy1; ++dy) row(dy) |= bits;
  };
  auto vacant = [&](int dx, int dy) {
    if (dx < dxLo || dx > dxHi || dy < dyLo || dy > dyHi || ((row(dy) >> dx) & 1)) return false;
    CRect blocked;
    if (!m_pSeparation->SpotOccupied(half, from.x + kGrid * sign * dx, from.y + kGrid * dy, &blocked))
      return true;
    ruleOut(blocked);
    return false;
  };
  for (const CPoint& off : SearchOffsets())
    if (vacant(off.x, off.y)) return take(off);
  // A diagram laid out by the program looks further, ring by ring, so that no
  // half stands over another or over a text.
  if (!m_pSeparation->textView) return;
  // Ring r holds the offsets with max(dx, |dy|) == r, by dy, then dx: (r, dy)
  // and (r, -dy) for dy below r, then (dx, r) and (dx, -r) for dx up to r.
  // What lies off the page is passed over.
  for (int ring = 8; ring <= kReach; ++ring) {
    if (ring >= dxLo && ring <= dxHi) {
      for (int dy = std::max(0, std::max(dyLo, -dyHi)); dy < ring; ++dy) {
        if (vacant(ring, dy)) return take(CPoint(ring, dy));
        if (dy != 0 && vacant(ring, -dy)) return take(CPoint(ring, -dy));
      }
    }
    if (ring > dyHi && -ring < dyLo) continue;
    for (int dx = std::max(dxLo, 0); dx <= std::min(dxHi, ring); ++dx) {
      if (vacant(dx, ring)) return take(CPoint(dx, ring));
      if (vacant(dx, -ring)) return take(CPoint(dx, -ring));
    }
  }
}

void CDiagramEditor::NoteBatchWire(CConnectLineObj* wire) {
  if (m_pSeparation) m_pSeparation->AddWire(wire);
}

const std::vector<CConnectLineObj*>* CDiagramEditor::BatchPinWires(const CBlockObj* block, int pin) const {
  static const std::vector<CConnectLineObj*> kNone;
  if (!m_pSeparation) return nullptr;
  const std::vector<CConnectLineObj*>* wires = m_pSeparation->AtPin(block, pin);
  return wires ? wires : &kNone;
}

CJunctionIndex* CDiagramEditor::BatchJunctions(const CBlockObj* block, int pin) {
  if (!m_pSeparation) return nullptr;
  std::unique_ptr<CJunctionIndex>& index =
      m_pSeparation->PinOf(SeparationIndex::PinKey(block, pin)).junctions;
  if (!index) index = std::make_unique<CJunctionIndex>(pin);
  return index.get();
}

int CDiagramEditor::BatchHasBlock(const CBlockObj* block) const {
  if (!m_pSeparation) return -1;
  return m_pSeparation->liveBlocks.Find(block) >= 0 ? 1 : 0;
}

void CDiagramEditor::DeleteSeparatedWire(CConnectLineObj* wire) {
  // DeleteSelection of the one selected wire between two blocks that are no
  // connectors: a pin no other wire holds is open again. The scratch
  // marks it clears are cleared once at the end of the batch.
  auto release = [this](CBlockObj* b, int pin) {
    if (!b || pin < 0 || pin >= kPinCount) return;
    const std::vector<CConnectLineObj*>* others = m_pSeparation->AtPin(b, pin);
    if (!others || others->empty()) b->m_nSource[pin] = pin < kFirstOutputPin ? LINK_OPEN : 0;
  };
  release(wire->m_pStartBlock, wire->m_nStartPin);
  release(wire->m_pEndBlock, wire->m_nEndPin);
  ForgetConnection(wire);
  RemoveConnection(*m_pDoc, wire).reset();
  m_pDoc->SetModifiedFlag(true);
  ClearSelection(SEL_ALL);
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  m_pSeparation->deleted = true;
  InvalidateDiagram();
}

bool CDiagramEditor::SeparateConnection() {
  CConnectLineObj* wire = m_pCurConnection;
  CBlockObj* bus = PowerBus();
  if (!wire || !wire->m_pStartBlock || !wire->m_pEndBlock) return false;
  if (bus && (wire->m_pStartBlock == bus || wire->m_pEndBlock == bus)) return false;
  // The source is the output end, the destination the input end.
  const bool startIsOutput = wire->m_nStartPin >= kFirstOutputPin;
  CBlockObj* src = startIsOutput ? wire->m_pStartBlock : wire->m_pEndBlock;
  const int srcPin = startIsOutput ? wire->m_nStartPin : wire->m_nEndPin;
  CBlockObj* dst = startIsOutput ? wire->m_pEndBlock : wire->m_pStartBlock;
  const int dstPin = startIsOutput ? wire->m_nEndPin : wire->m_nStartPin;
  const CPoint ps = startIsOutput ? wire->m_ptStart : wire->m_ptEnd;
  const CPoint pd = startIsOutput ? wire->m_ptEnd : wire->m_ptStart;
  if (srcPin < kFirstOutputPin || dstPin >= kFirstOutputPin) return false;
  // The limits and the pair's numbers come first: a refusal changes nothing.
  int male = -1;
  bool underLimits = false;
  if (m_pSeparation) {
    male = m_pSeparation->FirstFreeMale();
    underLimits = m_pSeparation->UnderLimit(*m_pDoc, kTypeMaleConnector) &&
                  m_pSeparation->UnderLimit(*m_pDoc, kTypeFemaleConnector);
  } else {
    // One pass over the blocks: the pair numbers in use (m or m + 2000 taken).
    std::vector<char> taken(static_cast<size_t>(kLastMale - kFirstMale + 1), 0);
    for (const CBlockObj* b : m_pDoc->m_blocks) {
      for (int m : {b->m_nNumber, b->m_nNumber - kFemaleNumberOffset}) {
        if (m >= kFirstMale && m <= kLastMale) taken[static_cast<size_t>(m - kFirstMale)] = 1;
      }
    }
    for (int m = kFirstMale; m <= kLastMale && male < 0; ++m)
      if (!taken[static_cast<size_t>(m - kFirstMale)]) male = m;
    underLimits = m_pDoc->CheckTypeLimit(kTypeMaleConnector, nullptr) &&
                  m_pDoc->CheckTypeLimit(kTypeFemaleConnector, nullptr);
  }
  if (!underLimits || male < 0) {
    // The wire stays selected: the batch's next delete goes the long way.
    if (m_pSeparation) m_pSeparation->direct = false;
    AfxMessageBox(IDS_NO_RESOURCES, MB_ICONSTOP);
    m_nEditMode = MODE_SELECT;
    return false;
  }
  auto make = [this](int type, CPoint at) {
    const BlockContext ctx = BlockContext::For(m_pDoc);
    std::unique_ptr<CBlockObj> half;
    if (type == kTypeMaleConnector) {
      half = std::make_unique<CBlockMale>(type, ctx);
    } else {
      half = std::make_unique<CBlockFemale>(type, ctx);
    }
    half->m_ptPos = half->m_ptDragStart = at;
    half->m_nWidth = kHalfWidth;
    half->m_nHeight = kHalfHeight;
    return half;
  };
  std::unique_ptr<CBlockObj> female = make(kTypeFemaleConnector, CPoint(pd.x - 35, pd.y - 5));
  std::unique_ptr<CBlockObj> maleHalf = make(kTypeMaleConnector, CPoint(ps.x + 20, ps.y - 5));
  if (!female || !maleHalf) return false;
  // The wire goes, and with it its pin links.
  ClearSelection(SEL_ALL);
  SelectConnection(wire);
  m_pCurConnection = nullptr;
  const int blockCount = m_pDoc->m_blocks.GetCount(), wireCount = m_pDoc->m_connections.GetCount();
  if (m_pSeparation) {
    m_pSeparation->RemoveWire(wire);
    if (m_pSeparation->direct && !IsConnectorType(src->m_nType) && !IsConnectorType(dst->m_nType)) {
      DeleteSeparatedWire(wire);
    } else {
      DeleteSelection();
      m_pSeparation->Build(*m_pDoc);
    }
  } else {
    DeleteSelection();
  }
  // A half added to the document: numbered as CZaradDoc::AddBlock numbers it
  // (the batch from its own tables), then given its pair number.
  auto add = [this](std::unique_ptr<CBlockObj> half, int number) {
    CBlockObj* added = nullptr;
    if (m_pSeparation) {
      m_pSeparation->NumberHalf(half.get());
      added = m_pDoc->m_blocks.AddTail(std::move(half));
      m_pDoc->SetModifiedFlag(TRUE);
    } else {
      added = m_pDoc->AddBlock(std::move(half));
    }
    added->m_nNumber = number;
    if (m_pSeparation) m_pSeparation->AddBlock(added);
    return added;
  };
  PlaceConnectorHalf(female.get());
  CBlockObj* f = add(std::move(female), male + kFemaleNumberOffset);
  PlaceConnectorHalf(maleHalf.get());
  CBlockObj* mh = add(std::move(maleHalf), male);
  ConnectBlockPins(dst, dstPin, f, kFirstOutputPin, true);
  ConnectBlockPins(src, srcPin, mh, 0, true);
  if (m_pSeparation) {
    // A link failed: the index starts over.
    if (m_pDoc->m_blocks.GetCount() != blockCount + 2 || m_pDoc->m_connections.GetCount() != wireCount + 1)
      m_pSeparation->Build(*m_pDoc);
  }
  // Programmatic building (conversion, upload) switches snapshots off.
  if (m_bAutoSnapshot)
    SaveSnapshot();
  else
    m_pDoc->SetModifiedFlag(true);
  InvalidateDiagram();
  return true;
}

bool CDiagramEditor::JoinConnectorPair() {
  const CConnectLineObj* a = nullptr;
  const CConnectLineObj* b = nullptr;
  CBlockObj* half = nullptr;
  if (m_pCurConnection) {
    a = m_pCurConnection;
    half = a->m_pEndBlock;
  } else if (IsHalf(m_pCurBlock)) {
    half = m_pCurBlock;
    a = FindConnectorConnection(*m_pDoc, half);
  }
  CBlockObj* partner = FindPartner(half);
  if (!a || !partner) return false;
  b = FindConnectorConnection(*m_pDoc, partner);
  if (!b || !a->m_pStartBlock || !b->m_pStartBlock) return false;
  // (source output, destination input) of the joined link.
  const bool aIsSource = half->m_nType == kTypeMaleConnector;
  CBlockObj* src = aIsSource ? a->m_pStartBlock : b->m_pStartBlock;
  const int srcPin = aIsSource ? a->m_nStartPin : b->m_nStartPin;
  CBlockObj* dst = aIsSource ? b->m_pStartBlock : a->m_pStartBlock;
  const int dstPin = aIsSource ? b->m_nStartPin : a->m_nStartPin;
  // The direct link is tested before the pair goes: a refused link keeps the pair.
  CConnectLineObj probe;
  probe.m_pStartBlock = src;
  probe.m_nStartPin = srcPin;
  if (!AreSignalsCompatible(src, dst, dstPin) ||
      (!m_pDoc->IsLadder() && CheckFbdRecursion(&probe, dst, dstPin) != 0))
    return false;
  m_pCurConnection = nullptr;
  m_pCurBlock = nullptr;
  ClearSelection(SEL_ALL);
  for (CBlockObj* h : {half, partner}) SelectBlock(h);
  DeleteSelection();
  const bool ok = ConnectBlockPins(src, srcPin, dst, dstPin, true) != nullptr;
  if (m_bAutoSnapshot) SaveSnapshot();
  InvalidateDiagram();
  return ok;
}

void CDiagramEditor::CutJoinAt(CPoint p) {
  CBlockObj* bus = PowerBus();
  if (CConnectLineObj* wire = FindConnectionAt(*m_pDoc, p)) {
    if (bus && (wire->m_pStartBlock == bus || wire->m_pEndBlock == bus)) {
      SelectConnection(wire, false);
      wire->m_bSelected = 0;
      return;
    }
    ClearSelection(SEL_ALL);
    m_pCurBlock = nullptr;
    m_pCurConnection = wire;
    SelectConnection(wire);
    if (IsHalf(wire->m_pEndBlock)) {
      JoinConnectorPair();
    } else {
      SeparateConnection();
    }
    return;
  }
  if (CBlockObj* block = FindBlockAt(*m_pDoc, p)) {
    ClearSelection(SEL_ALL);
    m_pCurConnection = nullptr;
    m_pCurComment = nullptr;
    m_pCurBlock = block;
    SelectBlock(block);
    if (IsHalf(block)) JoinConnectorPair();
  }
}

void CDiagramEditor::GoToPartner() {
  CBlockObj* partner = FindPartner(m_pCurBlock);
  if (!partner) return;
  ClearSelection(SEL_ALL);
  SelectBlock(partner);
  m_pCurBlock = partner;
  InvalidateDiagram();
}

void CDiagramEditor::RunBatch(const std::function<void()>& build) {
  if (m_pSeparation) {
    build();
    return;
  }
  SeparationIndex index;
  index.Build(*m_pDoc);
  struct Scope {
    CDiagramEditor* editor;
    ~Scope() { editor->m_pSeparation = nullptr; }
  } scope{this};
  m_pSeparation = &index;
  build();
}

int CDiagramEditor::SeparateCrossingConnections(bool keepTextsClear) {
  if (!m_pSeparation) {
    RunBatch([this, keepTextsClear] { SeparateCrossingConnections(keepTextsClear); });
    return 0;
  }
  std::vector<CConnectLineObj*> wires(m_pDoc->m_connections.begin(), m_pDoc->m_connections.end());
  SeparationIndex& index = *m_pSeparation;
  index.textView = keepTextsClear ? this : nullptr;
  index.Build(*m_pDoc);
  // The direct delete takes the one wire: anything else selected goes the long way.
  index.direct = m_selComments.empty() && m_selBlocks.empty();
  index.deleted = false;
  for (const CBlockObj* b : m_pDoc->m_blocks) index.direct = index.direct && !b->m_bSelected;
  for (const CConnectLineObj* c : m_pDoc->m_connections) index.direct = index.direct && !c->m_bSelected;
  for (CConnectLineObj* w : wires) {
    if (index.LiveWire(w) < 0) continue;
    bool crosses = false;
    for (size_t i = 1; i < w->m_points.size() && !crosses; ++i) {
      const CPoint a = w->m_points[i - 1], b = w->m_points[i];
      if (a.x != b.x && a.y != b.y) continue;  // a slanted segment covers nothing
      crosses = index.AnyBlock(SegmentRect(a, b), nullptr, [](bool) { return 2; }) ||
                index.AnyText(SegmentRect(a, b), w->m_pStartBlock, w->m_pEndBlock);
    }
    if (!crosses) continue;
    m_pCurConnection = w;
    w->m_bSelected = 1;
    SeparateConnection();
  }
  m_pCurConnection = nullptr;
  index.textView = nullptr;
  // What each DeleteSelection leaves: no scratch marks.
  if (index.deleted) {
    for (CBlockObj* b : m_pDoc->m_blocks) b->m_bMark = 0;
    for (CConnectLineObj* c : m_pDoc->m_connections) c->m_bMark = 0;
  }
  return 0;
}

bool CDiagramEditor::IsConnectorPairComplete(const CBlockObj* half) const {
  if (m_selBlocks.empty() || !IsHalf(half)) return false;
  const CBlockObj* partner = FindPartner(half);
  const CConnectLineObj* a = FindConnectorConnection(*m_pDoc, half);
  const CConnectLineObj* b = partner ? FindConnectorConnection(*m_pDoc, partner) : nullptr;
  auto selected = [this](const CBlockObj* x) {
    return x && std::find(m_selBlocks.begin(), m_selBlocks.end(), x) != m_selBlocks.end();
  };
  return a && b && selected(a->m_pStartBlock) && selected(b->m_pStartBlock);
}
