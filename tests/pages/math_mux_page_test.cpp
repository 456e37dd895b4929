// The math instruction and multiplexer page: layout and captions by type,
// the priorities kept a permutation, the slots, and the round trip.
#include "pages/math_mux_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using X = CAMathMux;

struct MuxCase {
  int type;
  const char16_t* captions[4];
  bool operators;
};

class MathMuxTypes : public testing::TestWithParam<MuxCase> {};

TEST_P(MathMuxTypes, CaptionsAndControlsOfTheType) {
  const MuxCase c = GetParam();
  CDiagramBuilder d;
  PageHarness<X> h(&d.Doc());
  h.page.m_nType = c.type;
  h.Open();
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(h.host->GetText(X::kSlotIds[k].group), CString(c.captions[k]));
    EXPECT_TRUE(h.host->IsVisible(X::kSlotIds[k].edit));
    EXPECT_EQ(h.host->GetTip(X::kSlotIds[k].edit), CString(u"Number between -32768 and 32767"));
  }
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(h.host->IsVisible(X::kIdOperator[k]), c.operators);
    EXPECT_EQ(h.host->IsVisible(X::kIdPriority[k]), c.operators);
  }
  EXPECT_EQ(h.host->IsVisible(X::kIdDisabledLast), c.operators);
  EXPECT_EQ(h.host->IsVisible(X::kIdDisabledLabel), c.operators);
  h.host->SetText(X::kSlotIds[2].edit, u"32768");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer between -32768 and 32767."));
}

INSTANTIATE_TEST_SUITE_P(Types, MathMuxTypes,
                         testing::Values(MuxCase{815, {u"V1", u"V2", u"V3", u"V4"}, true},
                                         MuxCase{816,
                                                 {u"V1(S1=0;S2=0)", u"V2(S1=0;S2=1)", u"V3(S1=1;S2=0)",
                                                  u"V4(S1=1;S2=1)"},
                                                 false}));

TEST(MathMuxPage, PrioritiesStayAPermutation) {
  using A = std::array<int, 3>;
  constexpr int L = 0, M = 1, H = 2;
  struct Row {
    int changed;
    A before, sel, after;
  };
  const Row rows[] = {
      {2, {H, M, L}, {H, M, H}, {L, M, H}},  // H for priority 3: priority 1 takes L
      {0, {H, M, L}, {M, M, L}, {M, H, L}},  {1, {H, M, L}, {H, L, L}, {H, L, M}},
      {2, {H, H, L}, {H, H, M}, {H, H, M}},  // no collision: nothing else changes
      {-1, {H, M, L}, {H, H, L}, {H, H, L}},
  };
  for (const Row& r : rows) EXPECT_EQ(X::ResolvePriorities(r.changed, r.before, r.sel), r.after) << r.changed;

  CDiagramBuilder d;  // through the page
  PageHarness<X> h(&d.Doc());
  h.page.m_nType = 815;
  h.Open();
  h.host->Choose(X::kIdPriority[2], H);
  EXPECT_EQ(h.host->GetCurSel(X::kIdPriority[0]), L);
  EXPECT_EQ(h.page.m_nPriority[0], L);
  EXPECT_EQ(h.page.m_nPriority[1], M);
  EXPECT_EQ(h.page.m_nPriority[2], H);
  EXPECT_TRUE(h.page.IsModified());
}

TEST(MathMuxPage, SlotsAndTabOrder) {
  CDiagramBuilder d;
  CBlockObj* source = d.Add(800);
  CBlockObj* math = d.Add(815);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Click(X::kSlotIds[1].button);
    const std::vector<int> order = host.TabOrder();
    const std::vector<int> head(order.begin(), order.begin() + 9);
    EXPECT_EQ(head, (std::vector<int>{kIdBlockName, 1252, 1254, 1257, 1083, 125, 1264, 1251, 1084}));
    host.Type(X::kSlotIds[0].edit, u"-32768");
    host.Type(X::kSlotIds[3].edit, u"77");
    host.Choose(X::kIdOperator[1], 3);
    host.Click(X::kIdDisabledZero);
    host.Type(kIdDecimals, u"2");
  };
  ASSERT_TRUE(command.Run(math, false, runner));
  EXPECT_EQ(math->m_pRef[1], source);
  EXPECT_EQ(math->m_bUseRef[1], 1);
  EXPECT_EQ(math->m_pRef[3], nullptr);
  EXPECT_EQ(math->m_nRefNumber[3], -1);
  EXPECT_EQ(math->m_nParam10, -32768);
  EXPECT_EQ(math->m_nParam22, 77);
  EXPECT_EQ(math->m_nParam14, 3);
  EXPECT_EQ(math->m_nParam25, 0);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_TRUE(host.IsVisible(125));
    EXPECT_FALSE(host.IsVisible(1262));
    EXPECT_EQ(host.GetText(1252), CString(u"-32768"));
    EXPECT_EQ(host.GetCurSel(X::kIdOperator[1]), 3);
    EXPECT_EQ(host.GetCheck(X::kIdDisabledZero), 1);
    EXPECT_EQ(host.GetText(kIdDecimals), CString(u"2"));
  };
  ASSERT_TRUE(command.Run(math, false, runner));
}

}  // namespace
