// The one-value page of Max/Min, the shifts and rotations, RAND, Word to Bit,
// Modulo and Remainder: caption, range and layout per type, typing held to
// the range, the base check and the reference round trip.
#include "pages/max_min_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using M = CMaxMin;

struct TypeCase {
  int type;
  const char16_t* caption;
  const char16_t* tip;
  const char16_t* typed;  // typed into the value edit
  const char16_t* shown;  // what the edit then holds
  bool modeParts;         // mode statics, "reset" and "Retentivity"
  bool valueBox;          // in simulation
};

class MaxMinTypes : public testing::TestWithParam<TypeCase> {};

TEST_P(MaxMinTypes, CaptionRangeAndLayout) {
  const TypeCase c = GetParam();
  CDiagramBuilder d;
  PageHarness<M> h(&d.Doc(), /*simulating=*/true);
  h.page.m_nType = c.type;
  h.page.m_nValue = M::RuleOf(c.type).lower < 1 ? 1 : M::RuleOf(c.type).lower;
  h.Open();
  EXPECT_EQ(h.host->GetText(M::kIdGroup), CString(c.caption));
  EXPECT_EQ(h.host->GetTip(M::kIdValue), CString(c.tip));
  for (int id : {M::kIdModeFirst, M::kIdModeLast, M::kIdResetOnDisable, M::kIdRetentive})
    EXPECT_EQ(h.host->IsVisible(id), c.modeParts) << id;
  EXPECT_TRUE(h.host->IsVisible(M::kIdProtection));
  EXPECT_EQ(h.page.HasValueBox(), c.valueBox);
  h.host->Type(M::kIdValue, c.typed);
  EXPECT_EQ(h.host->GetText(M::kIdValue), CString(c.shown)) << c.type;
}

INSTANTIATE_TEST_SUITE_P(
    Types, MaxMinTypes,
    testing::Values(
        TypeCase{821, u"Mode", u"Number between 0 and 3", u"7", u"3", true, true},
        TypeCase{834, u"Number of bit(s) of Rotation", u"Number between 1 and 15", u"20", u"15", false, true},
        TypeCase{835, u"Number of bit(s) of Rotation", u"Number between 1 and 15", u"0", u"1", false, true},
        TypeCase{836, u"Number of bit(s) of Shift", u"Number between 1 and 15", u"-5", u"5", false, true},
        TypeCase{837, u"Number of bit(s) of Shift", u"Number between 1 and 15", u"16", u"15", false, true},
        TypeCase{846, u"Base", u"Number between 1 and 32767", u"40000", u"32767", false, true},
        TypeCase{854, u"Bit Position:", u"Number between 0 and 15", u"15", u"15", false, false},
        TypeCase{862, u"Base", u"Number between -32767 and 32767 and <> 0", u"-40000", u"-32767", false,
                 true},
        TypeCase{863, u"Base", u"Number between -32767 and 32767", u"-5", u"-5", false, true}));

TEST(MaxMinPage, ModuloRefusesAnEmptyOrZeroBase) {
  for (const char16_t* text : {u"", u"0"}) {
    CDiagramBuilder d;
    PageHarness<M> h(&d.Doc());
    h.page.m_nType = 862;
    h.page.m_nValue = 10;
    h.Open();
    h.host->SetText(M::kIdValue, text);
    EXPECT_FALSE(h.page.UpdateData(true));
    EXPECT_EQ(h.sink.texts().back(), CString(u"Base number cannot be zero!"));
    EXPECT_EQ(h.host->GetFocus(), M::kIdValue);
  }
  CDiagramBuilder d;  // Remainder takes 0
  PageHarness<M> h(&d.Doc());
  h.page.m_nType = 863;
  h.Open();
  h.host->SetText(M::kIdValue, u"0");
  EXPECT_TRUE(h.page.UpdateData(true));
}

TEST(MaxMinPage, ReferenceStoresTheNeutralValue) {
  struct Row {
    int type, neutral;
  };
  for (const Row& row : {Row{835, 1}, Row{862, 10}, Row{821, 0}, Row{846, 1}}) {
    CDiagramBuilder d;
    CBlockObj* source = d.Add(800);
    CBlockObj* block = d.Add(row.type);
    block->m_nParam10 = 3;
    CBlockProperties command(&d.Doc());
    ScriptedRunner runner;
    runner.script = [](CBlockSheet&, CMemoryHost& host) {
      host.Click(M::kIdReference);
      EXPECT_FALSE(host.IsVisible(M::kIdValue));
      EXPECT_TRUE(host.IsVisible(M::kIdRefList));
    };
    ASSERT_TRUE(command.Run(block, false, runner)) << row.type;
    EXPECT_EQ(block->m_pRef[0], source) << row.type;
    EXPECT_EQ(block->m_bUseRef[0], 1) << row.type;
    EXPECT_EQ(block->m_nParam10, row.neutral) << row.type;
  }
}

TEST(MaxMinPage, MaxMinRoundTrip) {
  CDiagramBuilder d;
  CBlockObj* block = d.Add(821);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Type(M::kIdValue, u"2");
    host.Click(M::kIdResetOnDisable);
    host.Click(M::kIdRetentive);
    host.Click(M::kIdProtection);
  };
  ASSERT_TRUE(command.Run(block, false, runner));
  EXPECT_EQ(block->m_nParam10, 2);
  EXPECT_EQ(block->m_nParam1, 1);
  EXPECT_EQ(block->m_nParam2, 1);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetText(M::kIdValue), CString(u"2"));
    EXPECT_EQ(host.GetCheck(M::kIdResetOnDisable), 1);
    EXPECT_EQ(host.GetCheck(M::kIdRetentive), 1);
    EXPECT_EQ(host.GetCheck(M::kIdProtection), 1);
  };
  ASSERT_TRUE(command.Run(block, false, runner));
}

}  // namespace
