// The pulse, stepper and CRC page: what shows by type, the hints, the clamps,
// the slots and what OK stores for a referenced count.
#include "pages/arrmxiv_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/block_round_trip.h"
#include "pages/page_harness.h"

namespace {

using A = CARRMXIV;

struct ArrayCase {
  int type;
  const char16_t* modeLabel;   // empty: hidden
  const char16_t* countLabel;  // empty: hidden
  const char16_t* stepsLabel;  // empty: hidden
  bool address, modeButton, countButton;
  std::vector<CString> areas;
  const char16_t* countTip;
};

class ArrayTypes : public testing::TestWithParam<ArrayCase> {};

TEST_P(ArrayTypes, WhatShowsByType) {
  const ArrayCase c = GetParam();
  CDiagramBuilder d;
  d.Add(803);
  PageHarness<A> h(&d.Doc());
  h.page.m_nType = c.type;
  h.page.m_bRefAllowed = 1;
  h.Open();
  CMemoryHost& host = *h.host;
  auto label = [&host](int id, const char16_t* text) {
    EXPECT_EQ(host.IsVisible(id), *text != 0) << id;
    if (*text) {
      EXPECT_EQ(host.GetText(id), CString(text)) << id;
    }
  };
  label(A::kIdModeLabel, c.modeLabel);
  label(A::kIdCountLabel, c.countLabel);
  label(A::kIdStepsLabel, c.stepsLabel);
  EXPECT_EQ(host.IsVisible(A::kIdAddress), c.address);
  EXPECT_EQ(host.IsVisible(A::kIdModeButton), c.modeButton);
  EXPECT_EQ(host.IsVisible(A::kIdCountButton), c.countButton);
  if (!c.areas.empty()) {
    ASSERT_EQ(host.GetCount(A::kIdArea), static_cast<int>(c.areas.size()));
    for (size_t i = 0; i < c.areas.size(); ++i)
      EXPECT_EQ(host.GetItemText(A::kIdArea, static_cast<int>(i)), c.areas[i]);
  }
  EXPECT_EQ(host.GetTip(A::kIdCount), CString(c.countTip));
}

INSTANTIATE_TEST_SUITE_P(
    Types, ArrayTypes,
    testing::Values(
        ArrayCase{
            844, u"Mode", u"Count", u"", true, true, true, {u"AM", u"AQ", u"AI"}, u"Number between 1 and 32"},
        ArrayCase{845, u"Mode", u"", u"", false, true, false, {}, u"Number between 0 and 0"},
        ArrayCase{849,
                  u"Mode",
                  u"Speed",
                  u"",
                  false,
                  false,
                  true,
                  {u"Q0~Q3", u"Q4~Q7"},
                  u"Number between 0 and 99999999"},
        ArrayCase{850,
                  u"Mode",
                  u"Speed",
                  u"Steps",
                  false,
                  true,
                  true,
                  {u"Q0~Q3", u"Q4~Q7"},
                  u"Number between 0 and 99999999"},
        ArrayCase{851,
                  u"",
                  u"Pulse Width",
                  u"",
                  false,
                  false,
                  true,
                  {u"Q0", u"Q1", u"Q2", u"Q3"},
                  u"Number between 0 and 99999999"},
        ArrayCase{852,
                  u"",
                  u"Pulse Width",
                  u"Number",
                  false,
                  true,
                  true,
                  {u"Q0", u"Q1", u"Q2", u"Q3"},
                  u"Number between 0 and 99999999"},
        ArrayCase{856, u"Type", u"Count", u"", true, false, false, {u"AM"}, u"Number between 1 and 128"}));

TEST(ArrayPage, Hints) {
  const struct {
    int v;
    const char16_t* speed;
    const char16_t* frequency;
  } rows[] = {{300, u"(100.000000 rpm)", u"(333.333333 Hz) [0.02ms/pulse]"},
              {50, u"(600.000000 rpm)", u"(2000.000000 Hz) [0.02ms/pulse]"},
              {0, u"(0 rpm)", u"(0 Hz) [0.02ms/pulse]"}};
  for (const auto& r : rows) {
    EXPECT_EQ(A::SpeedHint(r.v), CString(r.speed));
    EXPECT_EQ(A::FrequencyHint(r.v), CString(r.frequency));
  }
  EXPECT_EQ(A::StepHint(0), CString(u"(0.005ms/step)"));
  EXPECT_EQ(A::StepHint(1), CString(u"(0.01ms/step)"));

  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.page.m_nType = 851;
  h.page.m_nCount = 0;
  h.Open();
  EXPECT_EQ(h.host->GetText(A::kIdCountHint), CString(u"(0 Hz) [0.02ms/pulse]"));
  EXPECT_TRUE(h.host->IsVisible(A::kIdCountHint));
  h.host->Type(A::kIdCount, u"50");
  EXPECT_EQ(h.host->GetText(A::kIdCountHint), CString(u"(2000.000000 Hz) [0.02ms/pulse]"));
  EXPECT_FALSE(h.host->IsVisible(A::kIdStepHint));

  PageHarness<A> s(&d.Doc());
  s.page.m_nType = 849;
  s.page.m_nCount = 300;
  s.Open();
  EXPECT_EQ(s.host->GetText(A::kIdCountHint), CString(u"(100.000000 rpm)"));
  EXPECT_EQ(s.host->GetText(A::kIdStepHint), CString(u"(0.005ms/step)"));
  s.host->Choose(A::kIdMode, 1);
  EXPECT_EQ(s.host->GetText(A::kIdStepHint), CString(u"(0.01ms/step)"));
}

TEST(ArrayPage, Clamps) {
  struct Row {
    int type, area, id;
    const char16_t* typed;
    const char16_t* shown;
  };
  const Row rows[] = {{844, 0, A::kIdCount, u"40", u"32"},
                      {844, 0, A::kIdCount, u"0", u"1"},
                      {844, 1, A::kIdAddress, u"45", u"31"},
                      {844, 2, A::kIdAddress, u"70", u"63"},
                      {856, 0, A::kIdCount, u"200", u"128"},
                      {856, 0, A::kIdAddress, u"600", u"511"},
                      {852, 0, A::kIdSteps, u"123456789", u"99999999"}};
  for (const Row& r : rows) {
    CDiagramBuilder d;
    PageHarness<A> h(&d.Doc());
    h.page.m_nType = r.type;
    h.page.m_nArea = r.area;
    h.Open();
    h.host->Type(r.id, r.typed);
    EXPECT_EQ(h.host->GetText(r.id), CString(r.shown)) << r.type << " " << r.id;
  }
}

TEST(ArrayPage, ReferencedCountStoresItsDefault) {
  CDiagramBuilder d;
  CBlockObj* other = d.Add(803);
  PageHarness<A> h(&d.Doc());
  h.page.m_nType = 850;
  h.page.m_bRefAllowed = 1;
  h.page.m_nCount = 300;
  h.Open();
  CMemoryHost& host = *h.host;
  EXPECT_EQ(host.Desc(A::kIdModeButton)->rect.top, host.Desc(A::kIdSteps)->rect.top);
  host.Click(A::kIdCountButton);
  EXPECT_FALSE(host.IsVisible(A::kIdCountHint));
  EXPECT_FALSE(host.IsVisible(A::kIdStepHint));
  EXPECT_TRUE(host.IsVisible(A::kIdList2));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[1], other);
  EXPECT_EQ(h.page.m_nCount, 100);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
}

TEST(ArrayPage, ValueBoxOnlyForTheDataTypes) {
  for (int type : {844, 845, 849, 850, 851, 852, 856}) {
    CDiagramBuilder d;
    PageHarness<A> h(&d.Doc(), true);
    h.page.m_nType = type;
    h.Open();
    EXPECT_EQ(h.page.HasValueBox(), type == 844 || type == 845 || type == 856) << type;
  }
}

TEST(ArrayPage, RoundTrip) {
  for (int type : {844, 845, 849, 850, 851, 852, 856}) {
    CDiagramBuilder d;
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    BlockPageValues v;
    CopyBlockToPage(&d.Doc(), *a, v);
    v.pattern.m_strName = u"ARR";
    v.array.m_nMode = type == 849 || type == 850 ? 1 : 0;
    v.array.m_nArea = type == 856 ? 0 : 1;
    v.array.m_nAddress = 20;
    v.array.m_nCount = type == 845 ? v.array.m_nCount : type == 844 ? 7 : type == 856 ? 100 : 2500;
    v.array.m_nSteps = type == 850 || type == 852 ? 12345 : v.array.m_nSteps;
    CopyPageToBlock(v, *a);
    PageRoundTrip<A>(d, *a, *b);
  }
}

}  // namespace
