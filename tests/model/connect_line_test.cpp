#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "blocks/ladder_blocks.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

namespace {

// Little-endian byte assembly for hand-written records.
class Bytes {
 public:
  Bytes& Word(int v) {
    m_b.push_back(static_cast<BYTE>(v & 0xFF));
    m_b.push_back(static_cast<BYTE>((v >> 8) & 0xFF));
    return *this;
  }
  Bytes& Int(int v) {
    const auto u = static_cast<unsigned>(v);
    for (int i = 0; i < 4; ++i) m_b.push_back(static_cast<BYTE>((u >> (8 * i)) & 0xFF));
    return *this;
  }
  Bytes& Ints(std::initializer_list<int> vs) {
    for (int v : vs) Int(v);
    return *this;
  }
  Bytes& Text(const char* s) {
    m_b.insert(m_b.end(), s, s + std::strlen(s));
    return *this;
  }
  std::vector<BYTE> m_b;
};

// The object form of a wire: class record, the twelve ints and two point lists.
Bytes WireFixture() {
  Bytes b;
  b.Word(0xFFFF).Word(0).Word(15).Text("CConnectLineObj");
  b.Ints({130, 218, 300, 212});  // start and end points
  b.Ints({9000, 9001, 10, 0});   // start/end numbers and pins
  b.Ints({1, 0, 0, 0});          // reserved 1 and 2, end drag, drag end
  b.Word(3).Ints({130, 218, 200, 218, 200, 212});
  b.Word(6).Ints({-9999, -9999, 5, 5, -9999, -9999, -9999, -9999, -9999, -9999, -9999, -9999});
  return b;
}

CBlockObj* AddBlock(CZaradDoc& doc, int number, int outputType = PIN_DIGITAL, int inputType = PIN_DIGITAL) {
  auto b = std::make_unique<CBlockObj>();
  b->m_nNumber = number;
  b->m_nInputs = 4;
  for (int pin = 0; pin < 4; ++pin) b->m_nPinType[pin] = inputType;
  b->m_nPinType[kFirstOutputPin] = outputType;
  return doc.m_blocks.AddTail(std::move(b));
}

std::unique_ptr<CConnectLineObj> LoadWire(CZaradDoc* doc, const std::vector<BYTE>& bytes) {
  CArchive ar(bytes);
  ar.m_pDocument = doc;
  CObject* obj = ar.ReadObject(RUNTIME_CLASS(CConnectLineObj));
  EXPECT_TRUE(ar.IsBufferEmpty());
  return std::unique_ptr<CConnectLineObj>(static_cast<CConnectLineObj*>(obj));
}

int LoadFailure(const std::vector<BYTE>& bytes) {
  CZaradDoc doc;
  try {
    LoadWire(&doc, bytes);
  } catch (const CArchiveException& e) {
    return e.m_cause;
  }
  return CArchiveException::none;
}

TEST(ConnectLineRecordTest, LoadsAndStoresTheByteFixture) {
  CZaradDoc doc;
  CBlockObj* from = AddBlock(doc, 9000);
  CBlockObj* to = AddBlock(doc, 9001);
  const std::vector<BYTE> fixture = WireFixture().m_b;
  auto wire = LoadWire(&doc, fixture);

  EXPECT_EQ(wire->m_ptStart, CPoint(130, 218));
  EXPECT_EQ(wire->m_ptEnd, CPoint(300, 212));
  EXPECT_EQ(wire->m_nStartNumber, 9000);
  EXPECT_EQ(wire->m_nEndNumber, 9001);
  EXPECT_EQ(wire->m_nStartPin, 10);
  EXPECT_EQ(wire->m_nEndPin, 0);
  EXPECT_EQ(wire->m_nReserved1, 1);
  EXPECT_EQ(wire->m_points, (std::vector<CPoint>{{130, 218}, {200, 218}, {200, 212}}));
  ASSERT_EQ(wire->m_junctions.size(), 6u);
  EXPECT_EQ(wire->m_junctions[1], CPoint(5, 5));
  EXPECT_EQ(wire->m_pDoc, &doc);
  EXPECT_EQ(wire->m_pStartBlock, from);
  EXPECT_EQ(wire->m_pEndBlock, to);
  EXPECT_EQ(wire->GetEndFaults(), WIRE_END_OK);

  CArchive out;
  out.WriteObject(wire.get());
  EXPECT_EQ(out.GetBytes(), fixture);
}

TEST(ConnectLineRecordTest, RoundTripKeepsEveryField) {
  CConnectLineObj wire;
  wire.m_ptStart = CPoint(-7, 8);
  wire.m_ptEnd = CPoint(900000, -3);
  wire.m_nStartNumber = 100;
  wire.m_nEndNumber = 9005;
  wire.m_nStartPin = 10;
  wire.m_nEndPin = 3;
  wire.m_nReserved1 = 77;
  wire.m_nReserved2 = -2;
  wire.m_bEndDrag = 1;
  wire.m_nDragEnd = -1;
  // The longest list a record may hold.
  for (int i = 0; i < static_cast<int>(kMaxWireRecordPoints); ++i) wire.m_points.push_back(CPoint(i, -3 * i));
  for (int i = 0; i < kJunctionSlots; ++i) wire.m_junctions[static_cast<size_t>(i)] = CPoint(i, -i);

  CArchive out;
  wire.Serialize(out);
  CArchive in(out.GetBytes());
  CConnectLineObj back;
  back.Serialize(in);
  EXPECT_TRUE(in.IsBufferEmpty());
  EXPECT_EQ(back.m_ptStart, wire.m_ptStart);
  EXPECT_EQ(back.m_ptEnd, wire.m_ptEnd);
  EXPECT_EQ(back.m_nStartNumber, 100);
  EXPECT_EQ(back.m_nEndNumber, 9005);
  EXPECT_EQ(back.m_nStartPin, 10);
  EXPECT_EQ(back.m_nEndPin, 3);
  EXPECT_EQ(back.m_nReserved1, 77);
  EXPECT_EQ(back.m_nReserved2, -2);
  EXPECT_EQ(back.m_bEndDrag, 1);
  EXPECT_EQ(back.m_nDragEnd, -1);
  EXPECT_EQ(back.m_points, wire.m_points);
  EXPECT_EQ(back.m_junctions, wire.m_junctions);
  // Without a document nothing resolves.
  EXPECT_EQ(back.m_pDoc, nullptr);
  EXPECT_EQ(back.GetEndFaults(), WIRE_START_UNRESOLVED | WIRE_END_UNRESOLVED);
}

TEST(ConnectLineRecordTest, DamagedListsAreRefusedOrRepaired) {
  // A record that ends inside its ints, or whose point list runs past its end.
  std::vector<BYTE> cut = WireFixture().m_b;
  cut.resize(cut.size() - 10);
  EXPECT_EQ(LoadFailure(cut), CArchiveException::badCount);
  std::vector<BYTE> head = WireFixture().m_b;
  head.resize(40);
  EXPECT_EQ(LoadFailure(head), CArchiveException::endOfFile);

  // A count larger than the bytes that follow, in the short and the long form.
  Bytes big;
  big.Word(0xFFFF).Word(0).Word(15).Text("CConnectLineObj").Ints({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
  Bytes longForm = big;
  big.Word(0xFFFE).Ints({1, 2});
  EXPECT_EQ(LoadFailure(big.m_b), CArchiveException::badCount);
  longForm.Word(0xFFFF).Int(0x7FFFFFFF).Ints({1, 2});
  EXPECT_EQ(LoadFailure(longForm.m_b), CArchiveException::badCount);

  // More points than a wire may hold, even when the bytes are there.
  Bytes tooMany;
  tooMany.Word(0xFFFF).Word(0).Word(15).Text("CConnectLineObj").Ints({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
  tooMany.Word(static_cast<int>(kMaxWireRecordPoints + 1));
  for (size_t i = 0; i <= kMaxWireRecordPoints; ++i) tooMany.Ints({1, 2});
  tooMany.Word(0);
  EXPECT_EQ(LoadFailure(tooMany.m_b), CArchiveException::badCount);

  // A wire record is schema 0 only.
  std::vector<BYTE> schema1 = WireFixture().m_b;
  schema1[2] = 1;
  EXPECT_EQ(LoadFailure(schema1), CArchiveException::badSchema);

  // A short junction list is filled up to six empty slots; a longer one is kept.
  for (int slots : {0, 2, 8}) {
    Bytes b;
    b.Word(0xFFFF).Word(0).Word(15).Text("CConnectLineObj").Ints({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0});
    b.Word(0).Word(slots);
    for (int i = 0; i < slots; ++i) b.Ints({i, i});
    CZaradDoc doc;
    auto wire = LoadWire(&doc, b.m_b);
    ASSERT_EQ(wire->m_junctions.size(), static_cast<size_t>(std::max(slots, kJunctionSlots))) << slots;
    for (int i = 0; i < static_cast<int>(wire->m_junctions.size()); ++i) {
      EXPECT_EQ(wire->m_junctions[static_cast<size_t>(i)], i < slots ? CPoint(i, i) : kNoJunction);
    }
    EXPECT_TRUE(wire->GetJunctionDots().empty());  // no polyline, no dots
  }
}

TEST(ConnectLineEndsTest, ResolutionAndFaults) {
  struct Case {
    const char* name;
    int kind;
    bool bus;
    int startNumber, endNumber, startPin, endPin;
    const char* startIs;  // "a" block 9000, "b" block 9001, "bus", "-" null
    const char* endIs;
    int faults;
  };
  const Case cases[] = {
      {"fbd both", kDocFbd, false, 9000, 9001, 10, 0, "a", "b", WIRE_END_OK},
      {"fbd start missing", kDocFbd, false, 9100, 9001, 10, 0, "-", "b", WIRE_START_UNRESOLVED},
      {"fbd end missing", kDocFbd, false, 9000, 0, 10, 0, "a", "-", WIRE_END_UNRESOLVED},
      {"ladder start 0", kDocLadder, true, 0, 9001, 10, 0, "bus", "b", WIRE_END_OK},
      {"ladder end missing", kDocLadder, true, 9000, 5, 10, 0, "a", "bus", WIRE_END_OK},
      {"ladder both missing", kDocLadder, true, 0, 5, 10, 0, "bus", "-", WIRE_END_UNRESOLVED},
      {"ladder bus number", kDocLadder, true, -1, 9001, 10, 0, "bus", "b", WIRE_END_OK},
      {"ladder without bus", kDocLadder, false, 0, 9001, 10, 0, "-", "b", WIRE_START_UNRESOLVED},
      {"fbd has no bus rule", kDocFbd, true, 0, 9001, 10, 0, "-", "b", WIRE_START_UNRESOLVED},
      {"bad pins", kDocFbd, false, 9000, 9001, 20, -1, "a", "b", WIRE_START_BAD_PIN | WIRE_END_BAD_PIN},
  };
  for (const Case& c : cases) {
    CZaradDoc doc;
    doc.m_nKind = c.kind;
    CBlockObj* a = AddBlock(doc, 9000);
    CBlockObj* b = AddBlock(doc, 9001);
    CBlockObj* bus = c.bus ? doc.m_powerBus.AddTail(std::make_unique<CPowerBusObj>()) : nullptr;
    auto expect = [&](const char* which) -> CBlockObj* {
      if (std::strcmp(which, "a") == 0) return a;
      if (std::strcmp(which, "b") == 0) return b;
      if (std::strcmp(which, "bus") == 0) return bus;
      return nullptr;
    };
    Bytes bytes;
    bytes.Word(0xFFFF).Word(0).Word(15).Text("CConnectLineObj");
    bytes.Ints({0, 0, 0, 0, c.startNumber, c.endNumber, c.startPin, c.endPin, 1, 0, 0, 0}).Word(0).Word(0);
    auto wire = LoadWire(&doc, bytes.m_b);
    EXPECT_EQ(wire->m_pStartBlock, expect(c.startIs)) << c.name;
    EXPECT_EQ(wire->m_pEndBlock, expect(c.endIs)) << c.name;
    EXPECT_EQ(wire->GetEndFaults(), c.faults) << c.name;
  }
}

TEST(ConnectLineEndsTest, LoaderDropsFaultyWires) {
  CZaradDoc doc;
  AddBlock(doc, 9000);
  AddBlock(doc, 9001);
  struct Spec {
    int start, end, startPin, endPin;
  };
  const Spec specs[] = {{9000, 9001, 10, 0}, {9000, 9050, 10, 1}, {9001, 9000, 10, 0}, {9000, 9001, 10, 44}};
  std::vector<CConnectLineObj*> wires;
  for (const Spec& s : specs) {
    auto w = std::make_unique<CConnectLineObj>();
    w->m_nStartNumber = s.start;
    w->m_nEndNumber = s.end;
    w->m_nStartPin = s.startPin;
    w->m_nEndPin = s.endPin;
    w->ResolveEnds(&doc);
    wires.push_back(doc.m_connections.AddTail(std::move(w)));
  }
  const std::vector<WireFaultReport> dropped = CConnectLineObj::DropFaultyConnections(&doc);
  ASSERT_EQ(dropped.size(), 2u);
  EXPECT_EQ(dropped[0].nEndNumber, 9050);
  EXPECT_EQ(dropped[0].nFaults, WIRE_END_UNRESOLVED);
  EXPECT_EQ(dropped[1].nEndPin, 44);
  EXPECT_EQ(dropped[1].nFaults, WIRE_END_BAD_PIN);
  ASSERT_EQ(doc.m_connections.GetCount(), 2);
  EXPECT_EQ(doc.m_connections.GetAt(0), wires[0]);
  EXPECT_EQ(doc.m_connections.GetAt(1), wires[2]);
  EXPECT_TRUE(CConnectLineObj::DropFaultyConnections(nullptr).empty());
}

TEST(ConnectLineDrawTest, PenWidthJunctionsAndOutputValue) {
  CZaradDoc doc;
  CBlockObj* digital = AddBlock(doc, 9000, PIN_DIGITAL, PIN_DIGITAL);
  CBlockObj* analog = AddBlock(doc, 9001, PIN_ANALOG, PIN_ANALOG);
  CBlockObj* param = AddBlock(doc, 9002, PIN_DIGITAL, PIN_PARAM);
  struct Case {
    CBlockObj* start;
    int startPin;
    CBlockObj* end;
    int endPin;
    int width;
  };
  const Case cases[] = {
      {digital, 10, digital, 0, 1}, {digital, 10, analog, 1, 2},  {analog, 0, digital, 10, 2},
      {digital, 10, param, 3, 3},   {nullptr, 10, digital, 0, 1}, {digital, 25, nullptr, -3, 0},
  };
  for (const Case& c : cases) {
    CConnectLineObj w;
    w.m_pStartBlock = c.start;
    w.m_nStartPin = c.startPin;
    w.m_pEndBlock = c.end;
    w.m_nEndPin = c.endPin;
    EXPECT_EQ(w.GetPenWidth(), c.width) << c.startPin << " " << c.endPin;
  }

  CConnectLineObj w;
  w.m_points = {{0, 0}, {10, 0}, {10, 10}, {20, 10}, {20, 20}, {30, 20}};
  EXPECT_TRUE(w.GetJunctionDots().empty());
  w.m_junctions[4] = CPoint(1, 1);
  EXPECT_EQ(w.GetJunctionDots(), (std::vector<CPoint>{{20, 20}}));
  w.m_points.resize(3);  // slots past the last point are ignored
  EXPECT_TRUE(w.GetJunctionDots().empty());

  // The colour follows the output end, whichever end it is.
  digital->m_nValue[10] = 1;
  analog->m_nValue[10] = 0;
  w.m_pStartBlock = digital;
  w.m_nStartPin = 10;
  w.m_pEndBlock = analog;
  w.m_nEndPin = 0;
  EXPECT_EQ(w.GetOutputValue(), 1);
  std::swap(w.m_pStartBlock, w.m_pEndBlock);
  std::swap(w.m_nStartPin, w.m_nEndPin);
  EXPECT_EQ(w.GetOutputValue(), 1);
  w.m_pEndBlock = nullptr;
  EXPECT_EQ(w.GetOutputValue(), 0);
}

// A standard route: start pin, right, down, the middle run, down, right to the end pin.
void MakeStandardRoute(CConnectLineObj* w) {
  w->m_ptStart = CPoint(0, 0);
  w->m_ptEnd = CPoint(80, 100);
  w->m_points = {{0, 0}, {20, 0}, {20, 50}, {60, 50}, {60, 100}, {80, 100}};
}

TEST(ConnectLineHitTest, Segments) {
  CConnectLineObj w;
  MakeStandardRoute(&w);
  const CSize vertical(0, 10), diagonal(5, 10), none(0, 0);
  struct Case {
    CPoint pt;
    const CSize* drag;
    BOOL hit;
    int segment;      // -99: not reported
    int orientation;  // -99: not reported
  };
  const Case cases[] = {
      {{16, 25}, nullptr, TRUE, 2, 0},       // 4 left of the vertical run
      {{15, 25}, nullptr, FALSE, -99, -99},  // 5 left
      {{23, 25}, nullptr, TRUE, 2, 0},       //
      {{24, 25}, nullptr, FALSE, -99, -99},  //
      {{10, 0}, nullptr, TRUE, 1, -1},       // the first run is an end segment
      {{-4, 2}, nullptr, TRUE, 1, -1},       // widened by 4 at both ends
      {{-5, 2}, nullptr, FALSE, -99, -99},   //
      {{40, 53}, nullptr, TRUE, 3, 1},       // the middle run
      {{16, 50}, nullptr, TRUE, 3, 1},       // the middle run is widened too
      {{70, 96}, nullptr, TRUE, 5, -1},      // the last run ends at the end point
      {{60, 75}, nullptr, TRUE, 4, 0},       //
      {{200, 200}, nullptr, FALSE, -99, -99},
      // Dragging straight up or down takes the middle run only.
      {{10, 0}, &vertical, FALSE, 1, -99},
      {{40, 50}, &vertical, TRUE, 3, 1},
      {{10, 0}, &diagonal, TRUE, 1, -1},
      {{10, 0}, &none, TRUE, 1, -1},
  };
  for (const Case& c : cases) {
    int segment = -99, orientation = -99;
    EXPECT_EQ(w.HitTestSegment(c.pt, &segment, &orientation, c.drag), c.hit) << c.pt.x << "," << c.pt.y;
    EXPECT_EQ(segment, c.segment) << c.pt.x << "," << c.pt.y;
    if (c.orientation != -99) {
      EXPECT_EQ(orientation, c.orientation) << c.pt.x << "," << c.pt.y;
    }
  }
  // Outputs may be left out.
  EXPECT_TRUE(w.HitTestSegment(CPoint(40, 50), nullptr, nullptr, &vertical));

  // The tolerance form, without the drag rule.
  int segment = 0, orientation = 0;
  EXPECT_TRUE(w.HitTestSegmentTol(CPoint(19, 25), &segment, &orientation, 1));
  EXPECT_EQ(segment, 2);
  EXPECT_FALSE(w.HitTestSegmentTol(CPoint(18, 25), &segment, &orientation, 1));
}

TEST(ConnectLineHitTest, OnlyFirstMiddleAndLastRunsAreWidened) {
  CConnectLineObj w;
  w.m_ptStart = CPoint(0, 0);
  w.m_ptEnd = CPoint(40, 30);
  w.m_points = {{0, 0}, {0, 10}, {20, 10}, {20, 20}, {40, 20}, {40, 30}};
  EXPECT_FALSE(w.HitTestSegment(CPoint(-2, 10), nullptr, nullptr, nullptr));  // run 2 is not widened
  EXPECT_FALSE(w.HitTestSegment(CPoint(18, 20), nullptr, nullptr, nullptr));  // run 4 is not widened
  int segment = 0;
  EXPECT_TRUE(w.HitTestSegment(CPoint(10, 12), &segment, nullptr, nullptr));
  EXPECT_EQ(segment, 2);

  // Fewer than two points give no segment; two points widen their only run.
  CConnectLineObj shortWire;
  shortWire.m_points = {{5, 5}};
  EXPECT_FALSE(shortWire.HitTestSegment(CPoint(5, 5), nullptr, nullptr, nullptr));
  shortWire.m_ptStart = CPoint(0, 0);
  shortWire.m_ptEnd = CPoint(10, 0);
  shortWire.m_points = {{0, 0}, {10, 0}};
  EXPECT_TRUE(shortWire.HitTestSegment(CPoint(13, 0), nullptr, nullptr, nullptr));

  // A slanted segment is hit along its line.
  CConnectLineObj slanted;
  slanted.m_points = {{0, 0}, {0, 0}, {100, 100}};
  slanted.m_ptStart = CPoint(0, 0);
  EXPECT_TRUE(slanted.HitTestSegment(CPoint(52, 50), &segment, nullptr, nullptr));
  EXPECT_EQ(segment, 2);
  EXPECT_FALSE(slanted.HitTestSegment(CPoint(60, 50), nullptr, nullptr, nullptr));
}

TEST(ConnectLineHitTest, FindAtAndCountConnectionsAt) {
  CZaradDoc doc;
  auto add = [&doc](CPoint from, CPoint to) {
    auto w = std::make_unique<CConnectLineObj>();
    w->m_ptStart = from;
    w->m_ptEnd = to;
    w->m_points = {from, to};
    return doc.m_connections.AddTail(std::move(w));
  };
  CConnectLineObj* horizontal = add(CPoint(0, 50), CPoint(100, 50));
  CConnectLineObj* vertical = add(CPoint(50, 0), CPoint(50, 100));
  CConnectLineObj* apart = add(CPoint(0, 200), CPoint(100, 200));

  EXPECT_EQ(CConnectLineObj::FindAt(&doc, CPoint(50, 50)), horizontal);  // list order decides
  EXPECT_EQ(CConnectLineObj::FindAt(&doc, CPoint(47, 20)), vertical);
  EXPECT_EQ(CConnectLineObj::FindAt(&doc, CPoint(10, 203)), apart);
  EXPECT_EQ(CConnectLineObj::FindAt(&doc, CPoint(10, 100)), nullptr);
  EXPECT_EQ(CConnectLineObj::FindAt(nullptr, CPoint(50, 50)), nullptr);

  EXPECT_EQ(CConnectLineObj::CountConnectionsAt(&doc, CPoint(50, 50)), 2);
  EXPECT_EQ(CConnectLineObj::CountConnectionsAt(&doc, CPoint(50, 20)), 1);
  EXPECT_EQ(CConnectLineObj::CountConnectionsAt(&doc, CPoint(48, 20)), 0);  // tolerance 1
  EXPECT_EQ(CConnectLineObj::CountConnectionsAt(nullptr, CPoint(50, 50)), 0);
}

TEST(ConnectLineCopyTest, CopiesRouteButNotStateOrJunctions) {
  CZaradDoc doc;
  CBlockObj* a = AddBlock(doc, 9000);
  CBlockObj* b = AddBlock(doc, 9001);
  CConnectLineObj src;
  MakeStandardRoute(&src);
  src.m_pStartBlock = a;
  src.m_pEndBlock = b;
  src.m_nStartNumber = 9000;
  src.m_nEndNumber = 9001;
  src.m_nStartPin = 10;
  src.m_nEndPin = 2;
  src.m_nReserved1 = 5;
  src.m_nReserved2 = 6;
  src.m_bSelected = 1;
  src.m_bMark = 1;
  src.m_bEndDrag = 1;
  src.m_nDragEnd = 1;
  src.m_junctions[2] = CPoint(1, 1);

  CConnectLineObj dst;
  dst.CopyFrom(&src);
  EXPECT_EQ(dst.m_ptStart, src.m_ptStart);
  EXPECT_EQ(dst.m_ptEnd, src.m_ptEnd);
  EXPECT_EQ(dst.m_pStartBlock, a);
  EXPECT_EQ(dst.m_pEndBlock, b);
  EXPECT_EQ(dst.m_nStartNumber, 9000);
  EXPECT_EQ(dst.m_nEndNumber, 9001);
  EXPECT_EQ(dst.m_nStartPin, 10);
  EXPECT_EQ(dst.m_nEndPin, 2);
  EXPECT_EQ(dst.m_nReserved1, 5);
  EXPECT_EQ(dst.m_points, src.m_points);
  EXPECT_EQ(dst.m_nReserved2, 0);
  EXPECT_EQ(dst.m_bSelected, 0);
  EXPECT_EQ(dst.m_bMark, 0);
  EXPECT_EQ(dst.m_bEndDrag, 0);
  EXPECT_EQ(dst.m_nDragEnd, 0);
  EXPECT_EQ(dst.m_junctions, std::vector<CPoint>(kJunctionSlots, kNoJunction));

  dst.CopyFrom(nullptr);
  EXPECT_EQ(dst.m_points, src.m_points);
}

}  // namespace
