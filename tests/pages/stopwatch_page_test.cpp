// The stopwatch and multi-type page through the memory host.
#include "pages/stopwatch_page.h"

#include <gtest/gtest.h>

#include "pages/block_round_trip.h"

namespace {

using S = CStopWatch;

struct TypeCase {
  int type;
  const char16_t* label;  // null: no choice
  int entries;
  const char16_t* lastEntry;
  bool number, reference, retentivity;
};

class StopwatchPage : public ::testing::TestWithParam<TypeCase> {};

TEST_P(StopwatchPage, ControlsFollowTheType) {
  const TypeCase& c = GetParam();
  CDiagramBuilder d;
  PageHarness<S> h(&d.Doc());
  h.page.m_nType = c.type;
  h.page.m_nChoice = c.entries > 0 ? c.entries - 1 : 0;
  h.Open();
  EXPECT_EQ(h.host->IsVisible(S::kIdChoice), c.label != nullptr);
  if (c.label) {
    EXPECT_EQ(h.host->GetText(S::kIdChoiceLabel), CString(c.label));
    ASSERT_EQ(h.host->GetCount(S::kIdChoice), c.entries);
    EXPECT_EQ(h.host->GetText(S::kIdChoice), CString(c.lastEntry));
  }
  EXPECT_EQ(h.host->IsVisible(S::kIdValue), c.number);
  EXPECT_EQ(h.host->IsVisible(S::kIdSpin), c.number);
  EXPECT_EQ(h.host->IsVisible(S::kIdReference), c.reference);
  EXPECT_EQ(h.host->Has(S::kIdRetain), c.retentivity);
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nChoice, c.entries > 0 ? c.entries - 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Types, StopwatchPage,
    ::testing::Values(TypeCase{413, u"Time Base", 4, u"10 milliseconds", false, false, true},
                      TypeCase{820, u"Number of samples", 6, u"256", false, false, false},
                      TypeCase{864, u"Base", 3, u"10", true, true, false},
                      TypeCase{871, u"Base", 6, u"5", false, true, false},
                      TypeCase{872, u"Base", 6, u"5", false, true, false},
                      TypeCase{865, nullptr, 0, nullptr, true, false, false},
                      TypeCase{869, nullptr, 0, nullptr, true, false, false},
                      TypeCase{878, nullptr, 0, nullptr, true, false, false}));

TEST(StopwatchNumber, ClampedWhileTypedAndCheckedOnOK) {
  CDiagramBuilder d;
  PageHarness<S> h(&d.Doc());
  h.page.m_nType = 873;
  h.page.m_dAmplification = 1.5;
  h.Open();
  EXPECT_EQ(h.host->GetText(S::kIdValue), CString(u"1.5"));
  h.host->Type(S::kIdValue, u"12000");
  EXPECT_EQ(h.host->GetText(S::kIdValue), CString(u"10000"));
  h.host->Type(S::kIdValue, u"-2.25");
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_DOUBLE_EQ(h.page.m_dAmplification, -2.25);
  h.host->SetText(S::kIdValue, u"1e");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter a number."));
  EXPECT_EQ(h.host->GetTip(S::kIdValue), CString(u"Number between -10000.00 and 10000.00"));
}

TEST(StopwatchNumber, SpinStepsByHundredthsWithinTheLimits) {
  struct Case {
    const char16_t* from;
    int delta;
    const char16_t* to;
  } cases[] = {
      {u"1.5", 1, u"1.51"},    {u"1.5", -1, u"1.49"},      {u"0.01", -2, u"-0.01"},
      {u"-0.01", 1, u"0"},     {u"0", -1, u"-0.01"},       {u"9999.99", 3, u"10000"},
      {u"10000", 1, u"10000"}, {u"-10000", -1, u"-10000"}, {u"-9999.99", -1, u"-10000"},
      {u"", 1, u"0.01"},       {u"2.999", 1, u"3.01"},
  };
  for (const Case& c : cases) {
    CDiagramBuilder d;
    PageHarness<S> h(&d.Doc());
    h.page.m_nType = 864;
    h.Open();
    h.host->SetText(S::kIdValue, c.from);
    h.host->Spin(S::kIdSpin, c.delta);
    EXPECT_EQ(h.host->GetText(S::kIdValue), CString(c.to)) << c.delta;
    EXPECT_EQ(h.host->GetFocus(), S::kIdValue);
    ASSERT_TRUE(h.page.UpdateData(true));
  }
}

TEST(StopwatchReference, OkWithABlockStoresChoiceZeroAndNumberZero) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(871);
  CBlockObj* other = d.Add(803);
  PageHarness<S> h(&d.Doc());
  h.page.m_nType = 871;
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nChoice = 3;
  h.page.m_dAmplification = 4.0;
  h.Open();
  h.host->Click(S::kIdReference);
  EXPECT_FALSE(h.host->IsVisible(S::kIdChoice));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nChoice, 0);
  EXPECT_EQ(h.page.m_dAmplification, 0.0);
  EXPECT_EQ(h.page.m_pRef[0], other);
  h.host->Click(S::kIdReference);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
  PageHarness<S> none(&d.Doc());
  none.page.m_nType = 864;
  none.page.m_bRefAllowed = 0;
  none.Open();
  EXPECT_FALSE(none.host->IsEnabled(S::kIdReference));
}

TEST(StopwatchRoundTrip, BlockToPageToBlock) {
  CDiagramBuilder d;
  for (int type : {413, 820, 864, 872, 876}) {
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    a->m_strName = u"S";
    a->m_nParam11 = 1;  // P10: the choice
    a->m_dParam = type == 872 ? 0.0 : 12.5;
    PageRoundTrip<S>(d, *a, *b);
  }
}

}  // namespace
