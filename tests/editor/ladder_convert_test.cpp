// Convert to FBD on the editor core: small ladder diagrams and the FBD blocks
// and links they become; every function block a ladder may hold arrives with
// all its settings, as the program image shows.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/time_blocks.h"
#include "editor_rig.h"
#include "image/download_image.h"
#include "image/image_layout.h"
#include "model/toolbox_lists.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "support/block_settings.h"

using namespace editor_test;

namespace {

// A ladder diagram built wire by wire, converted into a fresh FBD document.
struct LadderFixture {
  Rig ladder;
  Rig fbd;
  CBlockObj* bus = nullptr;
  explicit LadderFixture(WORD model = 0x5188) : ladder(kDocLadder, model), fbd(kDocFbd, model) {
    ladder.Doc().MakePowerBus();
    bus = ladder.Doc().m_powerBus.GetHead();
  }
  CBlockObj* Contact(int type, int operand, int row, int column) {
    CBlockObj* c = ladder.Block(type, CPoint(100 + 80 * column, 60 + 60 * row));
    c->m_nOperand = operand;
    return c;
  }
  CBlockObj* Coil(int type, int operand, int row) {
    CBlockObj* c = ladder.Block(type, CPoint(700, 60 + 60 * row));
    c->m_nOperand = operand;
    return c;
  }
  void Wire(CBlockObj* from, CBlockObj* to) {
    ASSERT_NE(ladder.core.ConnectBlockPins(from, from == bus ? kOut : kOut, to, 0, true), nullptr);
  }
  void Convert() { fbd.core.ConvertLadderToFbd(ladder.Doc()); }
  int Count(int type) {
    int n = 0;
    for (const CBlockObj* b : fbd.d.Doc().m_blocks) n += b->m_nType == type;
    return n;
  }
  CBlockObj* Only(int type) {
    for (CBlockObj* b : fbd.d.Doc().m_blocks)
      if (b->m_nType == type) return b;
    return nullptr;
  }
  CBlockObj* Source(const CBlockObj* b, int pin) { return fbd.d.Doc().FindBlockByNumber(b->m_nSource[pin]); }
};

TEST(LadderToFbd, ContactToCoilGivesInputToOutput) {
  LadderFixture f;
  CBlockObj* i1 = f.Contact(700, 100, 0, 0);
  CBlockObj* q1 = f.Coil(703, 600, 0);
  f.Wire(f.bus, i1);
  f.Wire(i1, q1);
  const int ladderBlocks = f.ladder.Doc().m_blocks.GetCount();
  const int ladderWires = f.ladder.Doc().m_connections.GetCount();
  f.Convert();
  CBlockObj* in = f.Only(600);
  CBlockObj* out = f.Only(605);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(in->m_nNumber, 100);
  EXPECT_EQ(out->m_nNumber, 600);
  EXPECT_EQ(out->m_nSource[0], 100);
  EXPECT_EQ(f.Count(300), 0);
  EXPECT_EQ(f.fbd.d.Doc().m_blocks.GetCount(), 2);
  ASSERT_EQ(f.fbd.d.Doc().m_connections.GetCount(), 1);
  // Layout: the output in column 1 at x 150, its input in column 2 at x 75, both on row 1.
  EXPECT_EQ(out->m_ptPos, CPoint(150, 55));
  EXPECT_EQ(in->m_ptPos, CPoint(75, 55));
  // The ladder diagram is untouched.
  EXPECT_EQ(f.ladder.Doc().m_blocks.GetCount(), ladderBlocks);
  EXPECT_EQ(f.ladder.Doc().m_connections.GetCount(), ladderWires);
}

TEST(LadderToFbd, SeriesAndParallelBranches) {
  struct Row {
    const char* what;
    int series;    // contacts in series
    int parallel;  // contacts in parallel
    int ands, ors;
  };
  const Row rows[] = {{"three in series", 3, 0, 1, 0},
                      {"five in series", 5, 0, 2, 0},
                      {"two in parallel", 0, 2, 0, 1},
                      {"five in parallel", 0, 5, 0, 2}};
  for (const Row& r : rows) {
    LadderFixture f;
    CBlockObj* q1 = f.Coil(703, 600, 0);
    if (r.series) {
      CBlockObj* previous = f.bus;
      for (int k = 0; k < r.series; ++k) {
        CBlockObj* c = f.Contact(700, 100 + k, 0, k);
        f.Wire(previous, c);
        previous = c;
      }
      f.Wire(previous, q1);
    } else {
      for (int k = 0; k < r.parallel; ++k) {
        CBlockObj* c = f.Contact(700, 100 + k, k, 0);
        f.Wire(f.bus, c);
        f.Wire(c, q1);
      }
    }
    f.Convert();
    EXPECT_EQ(f.Count(300), r.ands) << r.what;
    EXPECT_EQ(f.Count(304), r.ors) << r.what;
    EXPECT_EQ(f.Count(600), std::max(r.series, r.parallel)) << r.what;
    CBlockObj* out = f.Only(605);
    ASSERT_NE(out, nullptr);
    ASSERT_NE(f.Source(out, 0), nullptr) << r.what;
    EXPECT_EQ(f.Source(out, 0)->m_nType, r.ands ? 300 : 304) << r.what;
  }
}

TEST(LadderToFbd, SharedBranchesInvertedContactsAndTheBus) {
  LadderFixture f;
  // Two parallel contacts feed Q1 and Q2: one OR for both.
  CBlockObj* a = f.Contact(700, 100, 0, 0);
  CBlockObj* b = f.Contact(700, 101, 1, 0);
  CBlockObj* q1 = f.Coil(703, 600, 0);
  CBlockObj* q2 = f.Coil(703, 601, 1);
  for (CBlockObj* c : {a, b}) {
    f.Wire(f.bus, c);
    f.Wire(c, q1);
    f.Wire(c, q2);
  }
  // A break contact I3 feeds Q3: a NOT before the output.
  CBlockObj* i3 = f.Contact(701, 102, 2, 0);
  CBlockObj* q3 = f.Coil(703, 602, 2);
  f.Wire(f.bus, i3);
  f.Wire(i3, q3);
  // The bus straight into Q4; into an inverted output Q5: High, then NOT.
  CBlockObj* q4 = f.Coil(703, 603, 3);
  CBlockObj* q5 = f.Coil(704, 604, 4);
  f.Wire(f.bus, q4);
  f.Wire(f.bus, q5);
  // A make contact with nothing before it: Low.
  CBlockObj* loose = f.Contact(700, 104, 5, 0);
  CBlockObj* q6 = f.Coil(703, 605, 5);
  f.Wire(loose, q6);
  f.Convert();
  EXPECT_EQ(f.Count(304), 1);
  auto out = [&](int number) { return f.fbd.d.Doc().FindBlockByNumber(number); };
  ASSERT_NE(out(600), nullptr);
  EXPECT_EQ(out(600)->m_nSource[0], out(601)->m_nSource[0]);
  EXPECT_EQ(f.Source(out(602), 0)->m_nType, 307);
  EXPECT_EQ(f.Source(f.Source(out(602), 0), 0)->m_nNumber, 102);
  EXPECT_EQ(f.Source(out(603), 0)->m_nType, 604);
  EXPECT_EQ(f.Source(out(604), 0)->m_nType, 307);
  EXPECT_EQ(f.Source(f.Source(out(604), 0), 0)->m_nType, 604);
  EXPECT_EQ(f.Source(out(605), 0)->m_nType, 603);
}

TEST(LadderToFbd, ParallelThenSeriesAndAnInvertedGateInput) {
  LadderFixture f;
  CBlockObj* a = f.Contact(700, 100, 0, 0);
  CBlockObj* b = f.Contact(700, 101, 1, 0);
  CBlockObj* c = f.Contact(701, 102, 0, 1);  // a break contact after the pair
  CBlockObj* q1 = f.Coil(703, 600, 0);
  f.Wire(f.bus, a);
  f.Wire(f.bus, b);
  f.Wire(a, c);
  f.Wire(b, c);
  f.Wire(c, q1);
  f.Convert();
  CBlockObj* andGate = f.Only(300);
  ASSERT_NE(andGate, nullptr);
  EXPECT_EQ(f.Source(f.Only(605), 0), andGate);
  EXPECT_EQ(f.Source(andGate, 0)->m_nType, 304);
  EXPECT_EQ(andGate->m_nSource[1], 102);
  EXPECT_EQ(andGate->m_bInvert[1], 1);  // the break contact is an inverted input
  EXPECT_EQ(f.Count(307), 0);
}

TEST(LadderToFbd, AnAnalogContactDropsWhatFeedsItsInput) {
  LadderFixture f;
  CBlockObj* i1 = f.Contact(700, 100, 0, 0);
  CBlockObj* ai = f.Contact(702, 4000, 0, 1);
  CBlockObj* aq = f.Coil(705, 4230, 0);
  f.Wire(f.bus, i1);
  f.Wire(i1, ai);
  f.Wire(ai, aq);
  f.Convert();
  CBlockObj* in = f.Only(608);
  CBlockObj* out = f.Only(609);
  ASSERT_NE(in, nullptr);
  ASSERT_NE(out, nullptr);
  EXPECT_EQ(in->m_nNumber, 4000);
  EXPECT_EQ(out->m_nNumber, 4230);
  EXPECT_EQ(out->m_nSource[0], 4000);  // the analog value itself, no AND
  EXPECT_EQ(f.Count(300), 0);
  EXPECT_EQ(f.Count(600), 0);  // I1 only fed the analog contact: it is gone
  EXPECT_EQ(f.fbd.Doc().m_blocks.GetCount(), 2);
}

TEST(LadderToFbd, CoilsWithNothingWiredKeepAnOpenInput) {
  LadderFixture f;
  f.Coil(703, 600, 0);
  f.Coil(704, 601, 1);
  f.Convert();
  CBlockObj* q1 = f.fbd.Doc().FindBlockByNumber(600);
  CBlockObj* q2 = f.fbd.Doc().FindBlockByNumber(601);
  ASSERT_NE(q1, nullptr);
  ASSERT_NE(q2, nullptr);
  EXPECT_EQ(q1->m_nSource[0], LINK_OPEN);
  EXPECT_EQ(f.Count(603), 0);  // no Low block made up for them
  CBlockObj* gate = f.Source(q2, 0);
  ASSERT_NE(gate, nullptr);
  EXPECT_EQ(gate->m_nType, 307);  // the inverted output: a NOT with an open input
  EXPECT_EQ(gate->m_nSource[0], LINK_OPEN);
}

TEST(LadderToFbd, CrossingWiresBecomePairsWithoutUndoSteps) {
  LadderFixture f;
  // Q1 <- AND(I1, I2) and Q2 <- I1: Q2's wire to I1 would pass the AND.
  CBlockObj* i1 = f.Contact(700, 100, 0, 0);
  CBlockObj* i2 = f.Contact(700, 101, 0, 1);
  CBlockObj* q1 = f.Coil(703, 600, 0);
  CBlockObj* q2 = f.Coil(703, 601, 1);
  f.Wire(f.bus, i1);
  f.Wire(i1, i2);
  f.Wire(i2, q1);
  f.Wire(i1, q2);
  CZaradDoc& fbd = f.fbd.Doc();
  fbd.m_undo.SaveSnapshot(&fbd);
  const int step = fbd.m_undo.m_nIndex;
  f.Convert();
  EXPECT_EQ(fbd.m_undo.m_nIndex, step);  // the conversion wrote no step of its own
  EXPECT_FALSE(std::filesystem::exists(fbd.m_undo.GetSnapshotPath(step + 1).ToUtf8()));
  CBlockObj* male = f.Only(900);
  ASSERT_NE(male, nullptr);
  ASSERT_NE(f.Only(901), nullptr);
  EXPECT_EQ(f.Only(901)->m_nNumber, male->m_nNumber + 2000);
  // Every wire now clears the block bodies.
  for (const CConnectLineObj* w : fbd.m_connections)
    for (size_t k = 1; k < w->m_points.size(); ++k) {
      const CPoint a = w->m_points[k - 1], b = w->m_points[k];
      for (const CBlockObj* blk : fbd.m_blocks) {
        const CRect body(blk->m_ptPos.x - 2, blk->m_ptPos.y - 5, blk->m_ptPos.x + blk->m_nWidth + 2,
                         blk->m_ptPos.y + blk->m_nHeight);
        const CRect seg(std::min(a.x, b.x) - (a.x == b.x ? 2 : 0), std::min(a.y, b.y) - (a.y == b.y ? 2 : 0),
                        std::max(a.x, b.x) + (a.x == b.x ? 2 : 0), std::max(a.y, b.y) + (a.y == b.y ? 2 : 0));
        const bool hit = std::max(body.left, seg.left) < std::min(body.right, seg.right) &&
                         std::max(body.top, seg.top) < std::min(body.bottom, seg.bottom);
        EXPECT_FALSE(hit) << "wire through block " << blk->m_nNumber;
      }
    }
}

TEST(LadderToFbd, AContactOfAFunctionBlockReadsThatBlock) {
  LadderFixture f;
  CBlockObj* timer = f.ladder.Block(400, CPoint(300, 300));  // B0, fed by I1
  CBlockObj* i1 = f.Contact(700, 100, 4, 0);
  f.Wire(f.bus, i1);
  ASSERT_NE(f.ladder.core.ConnectBlockPins(i1, kOut, timer, 0, true), nullptr);
  CBlockObj* b0 = f.Contact(700, timer->m_nNumber, 0, 0);  // B0's contact drives Q1
  CBlockObj* q1 = f.Coil(703, 600, 0);
  f.Wire(f.bus, b0);
  f.Wire(b0, q1);
  f.Convert();
  CBlockObj* fbdTimer = f.Only(400);
  ASSERT_NE(fbdTimer, nullptr);
  EXPECT_EQ(fbdTimer->m_nNumber, timer->m_nNumber);
  EXPECT_EQ(fbdTimer->m_nSource[0], 100);
  EXPECT_EQ(f.fbd.Doc().FindBlockByNumber(600)->m_nSource[0], fbdTimer->m_nNumber);
}

TEST(LadderToFbd, MessageTextElementsPointIntoTheNewDiagram) {
  LadderFixture f;
  CBlockObj* timer = f.ladder.Block(400, CPoint(300, 300));
  CBlockObj* coil = f.Coil(703, 600, 0);
  auto* text = dynamic_cast<CBlockMSGTEXT*>(f.ladder.Block(810, CPoint(300, 400)));
  ASSERT_NE(text, nullptr);
  auto element = [text](int number, int kind) {
    auto e = std::make_unique<CWidget>();
    e->m_nNumber = number;
    e->m_nKind = kind;
    text->m_ElementsSet1[0].push_back(std::move(e));
  };
  element(timer->m_nNumber, MSGELEM_UNSET);  // a block that comes over
  element(coil->m_nNumber, MSGELEM_UNSET);   // a coil: no block of that number afterwards
  element(coil->m_nNumber, MSGELEM_GRAPH);   // a graph stays all the same
  for (auto& e : text->m_ElementsSet1[0]) e->m_pBlock = f.ladder.Doc().FindBlockByNumber(e->m_nNumber);
  f.Convert();
  auto* converted = dynamic_cast<CBlockMSGTEXT*>(f.Only(810));
  ASSERT_NE(converted, nullptr);
  const auto& line = converted->m_ElementsSet1[0];
  ASSERT_EQ(line.size(), 2u);
  EXPECT_EQ(line[0]->m_pBlock, f.Only(400));  // not the ladder's timer
  EXPECT_EQ(line[0]->m_pDoc, &f.fbd.Doc());
  EXPECT_EQ(line[1]->m_nKind, MSGELEM_GRAPH);
  EXPECT_EQ(line[1]->m_pBlock, nullptr);
}

TEST(LadderToFbd, TheProgramSettingsComeAlong) {
  LadderFixture f;
  CZaradDoc& l = f.ladder.Doc();
  l.m_wModelCode = 0x5288;
  l.m_wModelAux1 = 7;
  l.m_wFirmware = 0xC200;
  l.m_wModelAux2 = 9;
  l.m_strProgramName = u"PUMPS";
  l.m_strCreator = u"Ann";
  l.m_nCharSet1 = 3;
  l.m_nScopeTime = 12;
  l.m_nSyncTime = 2000;
  l.m_aqFixedValue[5] = 1.5;
  l.m_ports[1].nBaudRate = 4;
  l.m_bHasLogoImage = 1;
  l.m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
  for (int i = 0; i < kLogoImageSize; ++i) l.m_pLogoImage[i] = static_cast<BYTE>(i * 7);
  f.Convert();
  const CZaradDoc& d = f.fbd.Doc();
  EXPECT_EQ(d.m_wModelCode, 0x5288);
  EXPECT_EQ(d.m_wModelAux1, 7);
  EXPECT_EQ(d.m_wFirmware, 0xC200);
  EXPECT_EQ(d.m_wModelAux2, 9);
  EXPECT_EQ(d.m_strProgramName, CString(u"PUMPS"));
  EXPECT_EQ(d.m_strCreator, CString(u"Ann"));
  EXPECT_EQ(d.m_nCharSet1, 3);
  EXPECT_EQ(d.m_nScopeTime, 12);
  EXPECT_EQ(d.m_nSyncTime, 2000);
  EXPECT_EQ(d.m_aqFixedValue[5], 1.5);
  EXPECT_EQ(d.m_ports[1].nBaudRate, 4);
  // The start-up logo read from a device goes along with the program.
  EXPECT_EQ(d.m_bHasLogoImage, 1);
  ASSERT_NE(d.m_pLogoImage, nullptr);
  EXPECT_TRUE(std::equal(d.m_pLogoImage.get(), d.m_pLogoImage.get() + kLogoImageSize, l.m_pLogoImage.get()));
}

TEST(LadderToFbd, ALayoutTallerThanAPageAddsPagesAtTheZoom) {
  LadderFixture f;
  for (int k = 0; k < 26; ++k) {
    CBlockObj* coil = f.ladder.Block(703, CPoint(500 + 100 * (k / 13), 60 + 60 * (k % 13)));
    coil->m_nOperand = 600 + k;
    f.Wire(f.bus, coil);
  }
  f.fbd.core.SetZoom(2.0f);
  f.Convert();
  const CZaradDoc& d = f.fbd.Doc();
  EXPECT_EQ(d.m_nPagesDown, 2);  // 26 rows of 55 reach below 1400
  EXPECT_EQ(d.m_rcDiagram.bottom, 2800);
  EXPECT_EQ(f.fbd.core.GetTotalSize().cy, 5600);
  EXPECT_EQ(f.Count(604), 1);  // one constant 1 for every coil on the bus
}

TEST(LadderToFbd, AContactOfACoilReadsTheOutputBlock) {
  LadderFixture f;
  CBlockObj* i1 = f.Contact(700, 100, 0, 0);
  CBlockObj* q1 = f.Coil(703, 600, 0);
  f.Wire(f.bus, i1);
  f.Wire(i1, q1);
  CBlockObj* ofQ1 = f.Contact(700, q1->m_nNumber, 1, 0);  // reads coil Q1
  CBlockObj* q2 = f.Coil(703, 601, 1);
  f.Wire(f.bus, ofQ1);
  f.Wire(ofQ1, q2);
  f.Convert();
  EXPECT_EQ(f.Count(605), 2);
  EXPECT_EQ(f.fbd.Doc().FindBlockByNumber(601)->m_nSource[0], 600);
  EXPECT_EQ(f.fbd.Doc().FindBlockByNumber(600)->m_nSource[0], 100);
}

// ---- Every function block a ladder may hold ------------------------------------

ProgramImage CompileImage(CZaradDoc& doc) {
  SYSTEMTIME stamp{};
  stamp.wYear = 2025, stamp.wMonth = 1, stamp.wDay = 15, stamp.wHour = 8, stamp.wMinute = 30;
  DownloadImage out;
  EXPECT_TRUE(PrepareDownload(doc, &out, stamp));
  return out.image;
}

// The first byte where two buffers differ ("" when none), with the area it lies in.
std::string FirstDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b, int buffer) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    std::string area = "?";
    for (const ImageAreaRow& row : ImageAreaTable())
      if (row.nBuffer == buffer && static_cast<int>(i) >= row.nOffset &&
          static_cast<int>(i) < row.nOffset + row.nSize)
        area = CString(row.pName).ToUtf8() + " +" + std::to_string(i - static_cast<size_t>(row.nOffset));
    return "byte " + std::to_string(i) + " (" + area + "): " + std::to_string(a[i]) + " vs " +
           std::to_string(b[i]);
  }
  return "";
}

// For each function-block kind a ladder may hold, with settings away from the
// defaults: the block in a ladder (its digital inputs fed by make contacts from
// the bus, its analog inputs by analog contacts, its state read by a contact
// that drives Q1), converted to FBD, compiles to the same program image as the
// same block placed in an FBD directly (inputs I and AI, output Q1).
TEST(LadderToFbd, EveryFunctionBlockKeepsItsSettingsInTheImage) {
  for (WORD model : {WORD{0x2188}, WORD{0x5188}, WORD{0x5288}}) {
    for (int type : PaletteFunctionTypes(model, true)) {
      SCOPED_TRACE(testing::Message() << "model 0x" << std::hex << model << std::dec << " type " << type);
      LadderFixture f(model);
      Rig direct(kDocFbd, model);
      CBlockObj* lb = f.ladder.Block(type, CPoint(300, 100));
      CBlockObj* fb = direct.Block(type, CPoint(300, 100));
      ASSERT_NE(lb, nullptr);
      // A partner for the references and the displayed values: B1, driving Q2.
      CBlockObj* lp = f.ladder.Block(800, CPoint(300, 300));
      CBlockObj* fp = direct.Block(800, CPoint(300, 300));
      SetNonDefaultParameters(*lb, lp);
      SetNonDefaultParameters(*fb, fp);

      int digital = 0, analog = 0;
      for (int pin = 0; pin < lb->m_nInputs && pin < kFirstOutputPin; ++pin) {
        if (lb->m_nSource[pin] != LINK_OPEN) continue;  // a parameter pin
        const bool isAnalog = lb->m_nPinType[pin] == PIN_ANALOG;
        const int operand = isAnalog ? kFirstAnalogInputOperand + analog++ : kFirstInputOperand + digital++;
        CBlockObj* contact = f.Contact(isAnalog ? kTypeAnalogContact : kTypeMakeContact, operand, pin, 0);
        f.Wire(f.bus, contact);
        ASSERT_NE(f.ladder.core.ConnectBlockPins(contact, kOut, lb, pin, true), nullptr);
        CBlockObj* source = direct.d.Add(isAnalog ? kTypeAnalogInput : kTypeInput);
        ASSERT_EQ(source->m_nNumber, operand);
        CDiagramBuilder::Wire(source, fb, pin);
      }
      int q = 0;
      for (auto [l, d] : {std::pair{lb, fb}, std::pair{lp, fp}}) {
        CBlockObj* contact = f.Contact(kTypeMakeContact, l->m_nNumber, 6 + q, 0);
        CBlockObj* coil = f.Coil(kTypeRelayCoil, kFirstOutputOperand + q, 6 + q);
        f.Wire(f.bus, contact);
        f.Wire(contact, coil);
        CBlockObj* out = direct.d.Add(kTypeOutput);
        ASSERT_EQ(out->m_nNumber, kFirstOutputOperand + q);
        CDiagramBuilder::Wire(d, out, 0);
        ++q;
      }
      f.Convert();
      CBlockObj* converted = f.fbd.Doc().FindBlockByNumber(lb->m_nNumber);
      ASSERT_NE(converted, nullptr);
      EXPECT_EQ(converted->m_nType, type);

      const ProgramImage viaLadder = CompileImage(f.fbd.Doc());
      const ProgramImage placed = CompileImage(direct.Doc());
      EXPECT_EQ(FirstDifference(viaLadder.program, placed.program, kImageBufferProgram), "")
          << "program area";
      EXPECT_EQ(FirstDifference(viaLadder.table, placed.table, kImageBufferTable), "") << "table image";
      EXPECT_EQ(viaLadder.pages, placed.pages) << "message-text pages";
      // The diagram itself: every stored field of the block is the user's.
      EXPECT_EQ(converted->m_nParam4, fb->m_nParam4);
      EXPECT_EQ(converted->m_nParam24, fb->m_nParam24);
      EXPECT_EQ(converted->m_dParam, fb->m_dParam);
      for (int k = 0; k < kRefCount; ++k) {
        EXPECT_EQ(converted->m_bUseRef[k], fb->m_bUseRef[k]) << k;
        EXPECT_EQ(converted->m_pRef[k] ? converted->m_pRef[k]->m_nNumber : -1,
                  fb->m_pRef[k] ? fb->m_pRef[k]->m_nNumber : -1)
            << k;
      }
      for (int slot = lb->m_nInputs; slot < kPinCount; ++slot) {
        if (slot != kFirstOutputPin) {
          EXPECT_EQ(converted->m_nSource[slot], fb->m_nSource[slot]) << "slot " << slot;
        }
      }
      EXPECT_TRUE(f.fbd.sink.texts().empty());
      EXPECT_TRUE(direct.sink.texts().empty());
    }
  }
}

}  // namespace
