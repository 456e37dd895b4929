// The message-text block and its display elements: construction, records,
// scan and copy.
#include "msgtext/msgtext_block.h"

#include <gtest/gtest.h>

#include <memory>

#include "blocks/ladder_blocks.h"
#include "msgtext/widget.h"
#include "platform/archive.h"
#include "support/diagram_builder.h"
#include "support/fixture_bytes.h"

namespace {

template <typename T>
std::unique_ptr<T> Reload(const T& obj, CZaradDoc* doc = nullptr) {
  CArchive out;
  out << &obj;
  CArchive in(out.GetBytes());
  in.m_pDocument = doc;
  T* p = nullptr;
  in >> p;
  EXPECT_TRUE(in.IsBufferEmpty());
  return std::unique_ptr<T>(p);
}

TEST(MsgTextBlockTest, TypedConstructionFollowsItsDocument) {
  struct Case {
    WORD model;
    int defaultSet;
    int current, set1, set2;
  };
  const Case kCases[] = {{0x5188, 1, 1, 0, 1}, {0x5188, 0, 0, 1, 0}, {0x1188, 1, 0, 1, 0}};
  for (const Case& c : kCases) {
    CDiagramBuilder b(kDocFbd, c.model);
    b.Doc().m_nDefaultCharSet = c.defaultSet;
    CBlockMSGTEXT msg(810, BlockContext::For(&b.Doc()));
    EXPECT_EQ(msg.m_nCurrentSet, c.current) << c.model;
    EXPECT_EQ(msg.m_bSet1Enabled, c.set1);
    EXPECT_EQ(msg.m_bSet2Enabled, c.set2);
    EXPECT_EQ(msg.GetPriority(), -1);
    EXPECT_EQ(msg.GetAcknowledge(), 0);
    for (int i = 3; i < CBlockMSGTEXT::kSettings; ++i) EXPECT_EQ(*msg.Setting(i), 0);
  }
  CBlockMSGTEXT msg(810);
  for (int i = 0; i < CBlockMSGTEXT::kCols; ++i) {
    EXPECT_EQ(msg.m_strTextSet1[0][i], CString(u"W"));
    EXPECT_EQ(msg.m_strTextSet2[0][i], CString(u"W"));
  }
  for (int r = 1; r < CBlockMSGTEXT::kRows; ++r) {
    EXPECT_EQ(msg.m_strTextSet1[r][0], CString(u"W"));
    EXPECT_EQ(msg.m_strTextSet2[r][1], CString());
  }
  EXPECT_EQ(msg.m_bCaptureTime, 1);
  EXPECT_EQ(msg.m_bCaptureDate, 1);
}

TEST(MsgTextBlockTest, RecordsOfBothSchemas) {
  CBlockMSGTEXT msg(810);
  for (int r = 0; r < CBlockMSGTEXT::kRows; ++r) {
    for (int c = 0; c < CBlockMSGTEXT::kCols; ++c) {
      msg.m_strTextSet1[r][c] = CString(std::u16string(1, static_cast<char16_t>(u'A' + (r + c) % 26)));
      msg.m_strTextSet2[r][c] = CString(std::u16string(1, static_cast<char16_t>(0x4E00 + r * 25 + c)));
    }
  }
  for (int i = 0; i < CBlockMSGTEXT::kSettings; ++i) *msg.Setting(i) = i % 2;
  msg.SetPriority(7);
  auto loaded = Reload(msg);
  ASSERT_NE(loaded, nullptr);
  for (int r = 0; r < CBlockMSGTEXT::kRows; ++r) {
    for (int c = 0; c < CBlockMSGTEXT::kCols; ++c) {
      EXPECT_EQ(loaded->m_strTextSet1[r][c], msg.m_strTextSet1[r][c]);
      EXPECT_EQ(loaded->m_strTextSet2[r][c], msg.m_strTextSet2[r][c]);
    }
  }
  for (int i = 0; i < CBlockMSGTEXT::kSettings; ++i) EXPECT_EQ(*loaded->Setting(i), i % 2);
  EXPECT_EQ(loaded->GetPriority(), 7);

  // Schema 0: the common rows 1-23 and 65 cells of set 1 (columns 0..12).
  CBlockObj base(810, 3);
  CArchive rows;
  base.Serialize(rows);
  for (int schema : {0, 2}) {
    FixtureBytes f;
    f.NewClass("CBlockMSGTEXT", schema).Raw(rows.GetBytes());
    for (int i = 0; i < 65; ++i) f.Str16(std::string(1, static_cast<char>('a' + i % 26)));
    CArchive in(f.m_b);
    if (schema == 2) {
      try {
        std::unique_ptr<CObject> obj(in.ReadObject(RUNTIME_CLASS(CBlockMSGTEXT)));
        ADD_FAILURE() << "schema 2 was read";
      } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
      }
      continue;
    }
    std::unique_ptr<CBlockMSGTEXT> old(
        static_cast<CBlockMSGTEXT*>(in.ReadObject(RUNTIME_CLASS(CBlockMSGTEXT))));
    EXPECT_TRUE(in.IsBufferEmpty());
    EXPECT_EQ(old->m_strTextSet1[0][0], CString(u"a"));
    EXPECT_EQ(old->m_strTextSet1[4][12], CString(u"m"));
    EXPECT_EQ(old->m_strTextSet1[1][13], CString());
    EXPECT_EQ(old->m_strTextSet2[1][1], CString());
    EXPECT_EQ(old->m_bSet1Enabled, 1);
    for (int i = 2; i < CBlockMSGTEXT::kSettings; ++i) EXPECT_EQ(*old->Setting(i), 0) << i;
    EXPECT_EQ(old->m_nCurrentSet, 0);
  }
}

TEST(MsgTextBlockTest, ScanWithAndWithoutAcknowledge) {
  for (int kind : {kDocFbd, kDocLadder}) {
    CDiagramBuilder b(kind);
    CBlockObj* en = b.Add(600);
    auto* msg = b.Add<CBlockMSGTEXT>(810);
    CDiagramBuilder::Wire(en, msg, 0);
    CBlockObj* contact = b.Add(700);
    contact->m_nOperand = msg->m_nNumber;
    contact->m_nValue[0] = 1;
    contact->m_nPinType[0] = PIN_NONE;  // keeps its rung input for the test

    en->m_nValue[kFirstOutputPin] = 1;
    msg->Simulate(&b.View());
    EXPECT_EQ(msg->m_nValue[kFirstOutputPin], 1);
    EXPECT_EQ(msg->GetAckPending(), 0);
    // Only a ladder document hands the change to the contacts.
    EXPECT_EQ(contact->m_nValue[kFirstOutputPin], kind == kDocLadder ? 1 : 0);
    EXPECT_EQ(msg->m_bChanged[kFirstOutputPin], 0);
    en->m_nValue[kFirstOutputPin] = 0;
    msg->Simulate(&b.View());
    EXPECT_EQ(msg->m_nValue[kFirstOutputPin], 0);
    EXPECT_EQ(contact->m_nContactState, 0);

    msg->SetAcknowledge(1);
    en->m_nValue[kFirstOutputPin] = 1;
    msg->Simulate(&b.View());
    msg->m_bAckLatch = 1;  // set by the view's refresh when the message became active
    EXPECT_EQ(msg->GetAckPending(), 1);
    en->m_nValue[kFirstOutputPin] = 0;
    msg->Simulate(&b.View());
    EXPECT_EQ(msg->m_nValue[kFirstOutputPin], 1);
    msg->Simulate(&b.View());
    EXPECT_EQ(msg->m_nValue[kFirstOutputPin], 1);
  }
}

TEST(MsgTextBlockTest, CopyToDependsOnTheSeries) {
  for (WORD model : {WORD{0x5188}, WORD{0x1188}}) {
    CDiagramBuilder b(kDocFbd, model);
    CBlockMSGTEXT src(810), dst(810);
    src.m_strTextSet1[1][13] = CString(u"x");
    src.m_strTextSet1[1][12] = CString(u"y");
    src.m_strTextSet2[1][1] = CString(u"z");
    src.m_bShowDetails = 1;
    src.m_ElementsSet1[0].push_back(std::make_unique<CWidget>(1, 2, 3, 4, 5));
    src.m_ElementsSet2[3].push_back(std::make_unique<CWidget>(6, 7, 8, 9, 10));
    src.CopyTo(&dst, FALSE, &b.Doc());
    const bool newer = model == 0x5188;
    EXPECT_EQ(dst.m_strTextSet1[1][12], CString(u"y"));
    EXPECT_EQ(dst.m_strTextSet1[1][13], newer ? CString(u"x") : CString());
    EXPECT_EQ(dst.m_strTextSet2[1][1], newer ? CString(u"z") : CString());
    EXPECT_EQ(dst.m_bShowDetails, newer ? 1 : 0);
    ASSERT_EQ(dst.m_ElementsSet1[0].size(), 1u);
    EXPECT_NE(dst.m_ElementsSet1[0][0].get(), src.m_ElementsSet1[0][0].get());
    EXPECT_EQ(dst.m_ElementsSet1[0][0]->GetRect(), CRect(1, 2, 4, 6));
    EXPECT_EQ(dst.m_ElementsSet2[3].size(), newer ? 1u : 0u);
    src.CopyTo(nullptr, FALSE, &b.Doc());
  }
}

TEST(MsgTextBlockTest, CopyReplacesTheTargetsElements) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  CBlockMSGTEXT src(810), dst(810);
  src.m_ElementsSet1[1].push_back(std::make_unique<CWidget>(1, 1, 1, 1, 1));
  for (int i = 0; i < 3; ++i) dst.m_ElementsSet1[1].push_back(std::make_unique<CWidget>(9, 9, 9, 9, 9));
  dst.m_ElementsSet2[0].push_back(std::make_unique<CWidget>(9, 9, 9, 9, 9));
  src.CopyTo(&dst, FALSE, &b.Doc());
  ASSERT_EQ(dst.m_ElementsSet1[1].size(), 1u) << "no surplus old elements";
  EXPECT_EQ(dst.m_ElementsSet1[1][0]->GetColor(), 1u);
  EXPECT_TRUE(dst.m_ElementsSet2[0].empty());
}

TEST(WidgetTest, ConstructionHitTestCopyAndRecords) {
  CWidget w(10, 20, 30, 40, 0xABCDEF);
  EXPECT_EQ(w.GetRect(), CRect(10, 20, 40, 60));
  EXPECT_EQ(w.GetColor(), 0xABCDEFu);
  EXPECT_EQ(w.m_nKind, MSGELEM_UNSET);
  EXPECT_EQ(w.m_strCell[0][5], CString(u"W"));
  EXPECT_EQ(w.m_strCell[2][0], CString(u"W"));
  EXPECT_EQ(w.m_strCell[1][3], CString(u" "));
  EXPECT_TRUE(w.HitTest(CPoint(10, 20)));
  EXPECT_FALSE(w.HitTest(CPoint(40, 60)));

  CDiagramBuilder b(kDocFbd, 0x5188);
  CBlockObj* shown = b.Add(400);
  w.m_nRow = 2;
  w.m_nCol = 10;
  w.m_nNumber = shown->m_nNumber;
  w.m_nParam = 0;
  w.m_nKind = 0;
  w.m_nWidth = 5;  // display width of parameter 0 is 6: a newer document keeps 5
  w.m_strLabel = CString(u"Current Time");
  w.m_strCell[1][1] = CString(u"O");
  w.m_nMin = -5;
  w.m_nMax = 99;
  w.m_nOption = 3;
  w.m_nValueIndex = 2;
  w.m_bSelected = 1;
  auto loaded = Reload(w, &b.Doc());
  EXPECT_EQ(loaded->GetRect(), w.GetRect());
  EXPECT_EQ(loaded->m_nCol, 10);
  EXPECT_EQ(loaded->m_nWidth, 5);
  EXPECT_EQ(loaded->m_pBlock, shown);
  EXPECT_EQ(loaded->m_pDoc, &b.Doc());
  EXPECT_EQ(loaded->m_strCell[1][1], CString(u"O"));
  EXPECT_EQ(loaded->m_nMin, -5);
  EXPECT_EQ(loaded->m_nMax, 99);
  EXPECT_EQ(loaded->m_nOption, 3);
  EXPECT_EQ(loaded->m_nValueIndex, 2);
  EXPECT_EQ(loaded->m_bSelected, 0);

  // An element forgets a block that leaves the document.
  auto* msg = b.Add<CBlockMSGTEXT>(810);
  msg->m_ElementsSet2[1].push_back(std::move(loaded));
  b.Doc().DetachBlock(shown).reset();
  EXPECT_EQ(msg->m_ElementsSet2[1][0]->m_pBlock, nullptr);

  CWidget target;
  target.m_pDoc = nullptr;
  w.CopyTo(&target);
  EXPECT_EQ(target.m_bSelected, 1);
  EXPECT_EQ(target.m_strLabel, w.m_strLabel);
  EXPECT_EQ(target.m_pDoc, nullptr);
  w.CopyTo(nullptr);
}

}  // namespace
