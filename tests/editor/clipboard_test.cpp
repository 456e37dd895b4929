// Copy, cut and paste of the selection on the editor core: wired blocks between
// documents, every refusal of a paste, reference stripping and connector pairs.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "editor_rig.h"
#include "msgtext/msgtext_block.h"
#include "platform/string_table.h"

using namespace editor_test;

namespace {

TEST(Clipboard, WiredBlocksCopyBetweenDocuments) {
  Rig from;
  CBlockObj* a = from.Block(300, CPoint(100, 100));
  CBlockObj* b = from.Block(400, CPoint(300, 200));
  CBlockObj* c = from.Block(300, CPoint(500, 300));
  ASSERT_NE(from.Link(a, kOut, b, 0), nullptr);
  ASSERT_NE(from.Link(b, kOut, c, 1), nullptr);  // c is not copied: this wire stays behind
  from.core.SelectBlock(a);
  from.core.SelectBlock(b);
  from.core.SelectConnection(from.Doc().m_connections.GetHead());
  const std::vector<BYTE> payload = from.core.CopySelection();
  ASSERT_FALSE(payload.empty());

  Rig to;
  to.Block(300, CPoint(50, 50));  // B0 is taken: the pasted blocks get B1 and B2
  to.Doc().m_undo.SaveSnapshot(&to.Doc());
  to.core.OnLButtonDown(CPoint(600, 400), 0);  // the last click places the group
  ASSERT_TRUE(to.core.PasteSelection(payload));
  ASSERT_EQ(to.Doc().m_blocks.GetCount(), 3);
  CBlockObj* pa = to.Doc().m_blocks.GetAt(1);
  CBlockObj* pb = to.Doc().m_blocks.GetAt(2);
  EXPECT_EQ(pa->m_nNumber, 9001);
  EXPECT_EQ(pb->m_nNumber, 9002);
  EXPECT_EQ(pa->m_ptPos, CPoint(600, 400));  // the group's top-left corner at the click
  EXPECT_EQ(pb->m_ptPos, CPoint(800, 500));
  ASSERT_EQ(to.Doc().m_connections.GetCount(), 1);
  const CConnectLineObj* w = to.Doc().m_connections.GetHead();
  EXPECT_EQ(w->m_pStartBlock, pa);
  EXPECT_EQ(w->m_pEndBlock, pb);
  EXPECT_EQ(w->m_points.size(), 4u);
  EXPECT_EQ(pb->m_nSource[0], pa->m_nNumber);
  EXPECT_EQ(pb->m_nSource[kOut], 0);  // the wire to c did not come along
  EXPECT_EQ(pa->m_bSelected, 1);
  EXPECT_EQ(to.Doc().m_undo.m_nIndex, 2);
}

TEST(Clipboard, RefusedOrDamagedPastesChangeNothing) {
  Rig from;
  CBlockObj* gate = from.Block(300, CPoint(100, 100));
  from.core.SelectBlock(gate);
  const std::vector<BYTE> andGate = from.core.CopySelection();

  // An AND gate into a ladder diagram: not available there.
  Rig ladder(kDocLadder);
  CBlockObj* kept = ladder.Block(700, CPoint(200, 200));
  ladder.core.SelectBlock(kept);
  EXPECT_FALSE(ladder.core.PasteSelection(andGate));
  ASSERT_EQ(ladder.sink.messages().size(), 1u);
  EXPECT_NE(ladder.sink.messages()[0].text.Find(u"Insertion is not allowed."), -1);
  EXPECT_EQ(ladder.Doc().m_blocks.GetCount(), 1);
  EXPECT_EQ(kept->m_bSelected, 1);

  // A damaged payload.
  std::vector<BYTE> damaged = andGate;
  damaged.resize(damaged.size() / 2);
  Rig target;
  EXPECT_FALSE(target.core.PasteSelection(damaged));
  EXPECT_EQ(target.Doc().m_blocks.GetCount(), 0);
  EXPECT_FALSE(target.core.PasteSelection({1, 2, 3}));
  EXPECT_EQ(target.sink.messages().size(), 2u);

  // Too many function blocks.
  Rig full;
  for (int i = 0; i < 1024; ++i) full.d.Add(300);
  EXPECT_FALSE(full.core.PasteSelection(andGate));
  EXPECT_EQ(full.Doc().m_blocks.GetCount(), 1024);
  EXPECT_NE(full.sink.messages().back().text.Find(u"1024"), -1);
}

TEST(Clipboard, PastedTimerLosesItsReferenceAndPairsTravelWhole) {
  Rig from;
  CBlockObj* timer = from.Block(400, CPoint(100, 100));
  CBlockObj* other = from.Block(400, CPoint(100, 300));
  timer->m_bUseRef[0] = 1;
  timer->m_pRef[0] = other;
  timer->m_nRefNumber[0] = other->m_nNumber;
  timer->m_nParam11 = 3;
  CBlockObj* dst = from.Block(300, CPoint(500, 100));
  CConnectLineObj* w = from.Link(timer, kOut, dst, 0);
  ASSERT_NE(w, nullptr);
  from.core.SetCurrentConnection(w);
  ASSERT_TRUE(from.core.SeparateConnection());
  from.core.ClearSelection();
  from.core.SelectBlock(timer);
  from.core.SelectBlock(dst);
  CBlockObj* male = nullptr;
  for (CBlockObj* b : from.Doc().m_blocks)
    if (b->m_nType == kTypeMaleConnector) male = b;
  ASSERT_NE(male, nullptr);
  from.core.SelectBlock(male);  // the copy adds the female and both wires
  const std::vector<BYTE> payload = from.core.CopySelection();
  Rig to;
  to.Block(901, CPoint(900, 900))->m_nNumber = 7000;  // an orphan female holds 7000
  ASSERT_TRUE(to.core.PasteSelection(payload));
  int males = 0, females = 0;
  int maleNumber = 0, femaleNumber = 0;
  for (CBlockObj* b : to.Doc().m_blocks) {
    if (b->m_nType == kTypeMaleConnector) maleNumber = b->m_nNumber;
    if (b->m_nType == kTypeFemaleConnector && b->m_nNumber != 7000) femaleNumber = b->m_nNumber;
  }
  EXPECT_EQ(femaleNumber, maleNumber + 2000);
  EXPECT_NE(maleNumber, 5000);
  CBlockObj* pastedTimer = nullptr;
  for (CBlockObj* b : to.Doc().m_blocks) {
    males += b->m_nType == kTypeMaleConnector;
    females += b->m_nType == kTypeFemaleConnector;
    if (b->m_nType == 400) pastedTimer = b;
  }
  EXPECT_EQ(males, 1);
  EXPECT_EQ(females, 2);
  EXPECT_EQ(to.Doc().m_connections.GetCount(), 2);
  ASSERT_NE(pastedTimer, nullptr);
  EXPECT_EQ(pastedTimer->m_bUseRef[0], 0);
  EXPECT_EQ(pastedTimer->m_pRef[0], nullptr);
  EXPECT_EQ(pastedTimer->m_nParam11, 2);  // word 10 = 2
}

// A ladder element alone on the clipboard of a ladder document.
std::vector<BYTE> CopyLadderElements(Rig& from, std::initializer_list<CBlockObj*> blocks) {
  for (CBlockObj* b : blocks) from.core.SelectBlock(b);
  return from.core.CopySelection();
}

TEST(Clipboard, CoilsAndLadderAnalogOutputsCountByTheRangeTheyDrive) {
  struct Row {
    const char* what;
    int type;     // the element already in the target, `count` times
    int operand;  // ... all driving this operand range
    int count;
    int pastedOperand;
    bool accepted;
  };
  const Row rows[] = {
      {"129th coil on Q", 703, 600, 128, 600, false},
      {"coil on M next to 128 on Q", 703, 600, 128, 1316, true},
      {"inverted output on X after 128 on X", 704, 4800, 128, 4801, false},
      {"33rd ladder analog output on AQ", 705, 4230, 32, 4230, false},
      {"ladder analog output on AM next to 32 on AQ", 705, 4230, 32, 4288, true},
  };
  for (const Row& r : rows) {
    Rig from(kDocLadder);
    CBlockObj* element = from.Block(r.type, CPoint(300, 100));
    element->m_nOperand = r.pastedOperand;
    const std::vector<BYTE> payload = CopyLadderElements(from, {element});
    Rig to(kDocLadder);
    for (int i = 0; i < r.count; ++i)
      to.d.Add(r.type)->m_nOperand = r.operand + (r.type == 705 ? i % 32 : i % 128);
    EXPECT_EQ(to.core.PasteSelection(payload), r.accepted) << r.what;
    EXPECT_EQ(to.Doc().m_blocks.GetCount(), r.count + (r.accepted ? 1 : 0)) << r.what;
    if (!r.accepted) {
      ASSERT_EQ(to.sink.messages().size(), 1u) << r.what;
      const CString expected = LoadString(r.type == 705 ? 599 : 600);
      EXPECT_EQ(to.sink.messages()[0].text, expected) << r.what;
    }
  }
}

TEST(Clipboard, AContactNeedsTheCoilItReads) {
  Rig from(kDocLadder);
  CBlockObj* coil = from.Block(703, CPoint(400, 100));
  coil->m_nOperand = 600;
  CBlockObj* contact = from.Block(700, CPoint(200, 100));
  contact->m_nOperand = coil->m_nNumber;  // a contact of the coil
  const std::vector<BYTE> alone = CopyLadderElements(from, {contact});
  from.core.ClearSelection();
  const std::vector<BYTE> both = CopyLadderElements(from, {contact, coil});

  // Without the coil, in a diagram that has no element of that number: refused.
  Rig empty(kDocLadder);
  EXPECT_FALSE(empty.core.PasteSelection(alone));
  ASSERT_EQ(empty.sink.messages().size(), 1u);
  EXPECT_NE(empty.sink.messages()[0].text.Find(u"Insertion is not allowed."), -1);
  EXPECT_EQ(empty.Doc().m_blocks.GetCount(), 0);

  // With the coil the contact follows the coil's new number.
  Rig target(kDocLadder);
  target.d.Add(703)->m_nOperand = 601;  // takes the first coil number
  ASSERT_TRUE(target.core.PasteSelection(both));
  CBlockObj* pastedCoil = nullptr;
  CBlockObj* pastedContact = nullptr;
  for (CBlockObj* b : target.Doc().m_blocks) {
    if (b->m_nType == 703 && b->m_nOperand == 600) pastedCoil = b;
    if (b->m_nType == 700) pastedContact = b;
  }
  ASSERT_NE(pastedCoil, nullptr);
  ASSERT_NE(pastedContact, nullptr);
  EXPECT_NE(pastedCoil->m_nNumber, coil->m_nNumber);
  EXPECT_EQ(pastedContact->m_nOperand, pastedCoil->m_nNumber);
}

TEST(Clipboard, MessageTextsLoseTheCharactersOfAChangedCharacterSet) {
  Rig from;
  from.Doc().m_nCharSet1 = 1;
  auto* text = dynamic_cast<CBlockMSGTEXT*>(from.Block(810, CPoint(100, 100)));
  ASSERT_NE(text, nullptr);
  const CString high(u"\u00e9t\u00e9"), plain(u"ete");
  for (int r = 0; r < CBlockMSGTEXT::kRows; ++r)
    for (int c = 0; c < CBlockMSGTEXT::kCols; ++c) {
      text->m_strTextSet1[r][c] = high;
      text->m_strTextSet2[r][c] = high;
    }
  text->m_strTextSet1[2][5] = plain;
  from.core.SelectBlock(text);
  const std::vector<BYTE> payload = from.core.CopySelection();
  Rig to;  // character set 1 differs, set 2 is the same
  to.Doc().m_nCharSet1 = 2;
  to.Doc().m_nCharSet2 = from.Doc().m_nCharSet2;
  ASSERT_TRUE(to.core.PasteSelection(payload));
  auto* pasted = dynamic_cast<CBlockMSGTEXT*>(to.Doc().m_blocks.GetHead());
  ASSERT_NE(pasted, nullptr);
  // Rows 1 to 4, columns 0 to 23 of set 1 are emptied; the header row, the
  // last column, plain texts and the unchanged set 2 stay.
  EXPECT_TRUE(pasted->m_strTextSet1[1][0].IsEmpty());
  EXPECT_TRUE(pasted->m_strTextSet1[4][23].IsEmpty());
  EXPECT_EQ(pasted->m_strTextSet1[0][3], high);
  EXPECT_EQ(pasted->m_strTextSet1[1][24], high);
  EXPECT_EQ(pasted->m_strTextSet1[2][5], plain);
  EXPECT_EQ(pasted->m_strTextSet2[1][0], high);
}

TEST(Clipboard, PagesGrowForPastedContentAndTheScrollRangeFollowsTheZoom) {
  Rig from;
  from.core.SelectBlock(from.Block(300, CPoint(100, 100)));
  const std::vector<BYTE> payload = from.core.CopySelection();
  Rig to;
  to.core.SetZoom(2.0f);
  to.core.OnLButtonDown(CPoint(1990, 1390), 0);
  to.core.OnLButtonUp(CPoint(1990, 1390), 0);
  ASSERT_TRUE(to.core.PasteSelection(payload));
  EXPECT_EQ(to.Doc().m_nPagesAcross, 2);
  EXPECT_EQ(to.Doc().m_nPagesDown, 2);
  EXPECT_EQ(to.Doc().m_rcDiagram.right, 4000);
  EXPECT_EQ(to.Doc().m_rcDiagram.bottom, 2800);
  EXPECT_EQ(to.core.GetTotalSize(), CSize(8000, 5600));  // the whole grown diagram can be scrolled to
}

TEST(Clipboard, EachLimitRefusesWithItsMessageAndKeepsTheSelection) {
  struct Row {
    const char* what;
    int type;                           // the block on the clipboard
    std::function<void(Rig&)> prepare;  // fills the target up to its limit
    UINT message;                       // string id of the refusal
  };
  const Row rows[] = {
      {"more than 256 named blocks", 300,
       [](Rig& r) {
         for (int i = 0; i < 256; ++i) r.d.Add(300)->m_strName = u"N";
       },
       612},
      {"program memory reaches 0x6000", 300, [](Rig& r) { r.d.Add(300)->m_wMemSize = 24570; }, 612},
      {"a 17th message text", 810,
       [](Rig& r) {
         for (int i = 0; i < 16; ++i) r.d.Add(810);
       },
       592},
  };
  for (const Row& row : rows) {
    Rig from;
    CBlockObj* b = from.Block(row.type, CPoint(100, 100));
    b->m_strName = u"N";
    from.core.SelectBlock(b);
    const std::vector<BYTE> payload = from.core.CopySelection();
    Rig to;
    row.prepare(to);
    CBlockObj* kept = to.Doc().m_blocks.GetHead();
    to.core.SelectBlock(kept);
    const int before = to.Doc().m_blocks.GetCount();
    EXPECT_FALSE(to.core.PasteSelection(payload)) << row.what;
    EXPECT_EQ(to.Doc().m_blocks.GetCount(), before) << row.what;
    ASSERT_EQ(to.sink.messages().size(), 1u) << row.what;
    EXPECT_EQ(to.sink.messages()[0].text, LoadString(row.message)) << row.what;
    EXPECT_EQ(to.core.GetSelectedBlocks(), std::vector<CBlockObj*>{kept}) << row.what;
    EXPECT_EQ(kept->m_bSelected, 1) << row.what;
  }
}

TEST(Clipboard, WiresFromAnFbdIntoALadderAskFirstAndBusWiresStayBehind) {
  Rig from;
  CBlockObj* a = from.Block(301, CPoint(100, 100));
  CBlockObj* b = from.Block(301, CPoint(300, 100));
  ASSERT_NE(from.Link(a, kOut, b, 0), nullptr);
  from.core.SelectBlock(a);
  from.core.SelectBlock(b);
  from.core.SelectConnection(from.Doc().m_connections.GetHead());
  const std::vector<BYTE> payload = from.core.CopySelection();
  Rig no(kDocLadder);
  no.sink.QueueAnswer(IDNO);
  EXPECT_FALSE(no.core.PasteSelection(payload));
  EXPECT_EQ(no.Doc().m_blocks.GetCount(), 0);
  EXPECT_EQ(no.sink.messages().size(), 1u);  // the question only
  Rig yes(kDocLadder);
  yes.sink.QueueAnswer(IDYES);
  ASSERT_TRUE(yes.core.PasteSelection(payload));
  EXPECT_EQ(yes.Doc().m_blocks.GetCount(), 2);
  EXPECT_EQ(yes.Doc().m_connections.GetCount(), 0);

  // A ladder wire from the power bus cannot be copied into an FBD.
  Rig ladder(kDocLadder);
  ladder.Doc().MakePowerBus();
  CBlockObj* contact = ladder.Block(700, CPoint(200, 100));
  contact->m_nOperand = 100;
  ASSERT_NE(ladder.Link(ladder.Doc().m_powerBus.GetHead(), kOut, contact, 0), nullptr);
  ladder.core.SelectBlock(contact);
  ladder.core.SelectConnection(ladder.Doc().m_connections.GetHead());
  const std::vector<BYTE> rung = ladder.core.CopySelection();
  Rig fbd;
  EXPECT_FALSE(fbd.core.PasteSelection(rung));
  ASSERT_EQ(fbd.sink.messages().size(), 1u);
  EXPECT_EQ(fbd.sink.messages()[0].text, CString(u"Only texts can be copied"));
}

// Nothing a paste accepts may make a file that does not open again: what the file
// loader refuses, the paste refuses, and values far out are bounded first.
TEST(Clipboard, APasteNeverMakesAFileThatDoesNotOpen) {
  struct Row {
    const char* what;
    std::function<void(CBlockObj*)> damage;  // what another program made of the copied input
  };
  const Row refused[] = {
      {"an input block carrying an output's code", [](CBlockObj* b) { b->m_nType = 605; }},
      {"a code no block kind has", [](CBlockObj* b) { b->m_nType = 599; }},
      {"the power bus's code", [](CBlockObj* b) { b->m_nType = kTypePowerBus; }},
  };
  for (const Row& row : refused) {
    Rig from;
    CBlockObj* input = from.Block(600, CPoint(100, 100));
    from.core.SelectBlock(input);
    row.damage(input);
    const std::vector<BYTE> payload = from.core.CopySelection();
    Rig to;
    to.Doc().m_undo.SaveSnapshot(&to.Doc());
    EXPECT_FALSE(to.core.PasteSelection(payload)) << row.what;
    EXPECT_EQ(to.Doc().m_blocks.GetCount(), 0) << row.what;
    ASSERT_EQ(to.sink.messages().size(), 1u) << row.what;
    EXPECT_NE(to.sink.messages()[0].text.Find(u"damaged"), -1) << row.what;
  }

  // Positions at the ends of the int range are bounded as the clipboard is read: a
  // group wider than the largest diagram is refused, a far block lands at the click.
  Rig from;
  CBlockObj* far = from.Block(300, CPoint(INT_MAX, INT_MIN));
  CBlockObj* other = from.Block(300, CPoint(INT_MIN, INT_MAX));
  from.core.SelectBlock(far);
  from.core.SelectBlock(other);
  Rig to;
  EXPECT_FALSE(to.core.PasteSelection(from.core.CopySelection()));
  EXPECT_EQ(to.Doc().m_blocks.GetCount(), 0);
  from.core.ClearSelection(SEL_ALL);
  from.core.SelectBlock(far);
  to.core.OnLButtonDown(CPoint(600, 400), 0);
  to.core.OnLButtonUp(CPoint(600, 400), 0);
  ASSERT_TRUE(to.core.PasteSelection(from.core.CopySelection()));
  EXPECT_EQ(to.Doc().m_blocks.GetHead()->m_ptPos, CPoint(600, 400));
  EXPECT_EQ(to.Doc().m_nPagesAcross, 1);
  CZaradDoc reopened;
  CString error;
  EXPECT_TRUE(reopened.LoadFromBytes(to.Doc().SaveToBytes(), "pasted.bfb", &error)) << error.ToUtf8();
  EXPECT_EQ(reopened.m_blocks.GetCount(), 1);
  ASSERT_TRUE(to.Doc().m_undo.Undo());
  ASSERT_TRUE(to.Doc().m_undo.Redo());
  EXPECT_EQ(to.Doc().m_blocks.GetCount(), 1);
}

}  // namespace
