// The astronomical clock page and the city table through the memory host.
#include "pages/astro_page.h"

#include <gtest/gtest.h>

#include "model/astro_city_table.h"
#include "pages/block_round_trip.h"

namespace {

using A = CAstroClock;

// The city table as the program builds it, restored after each test.
class AstroPage : public ::testing::Test {
 protected:
  void SetUp() override {
    m_saved = g_AstroCityTable;
    g_AstroCityTable = BuiltInCities();
  }
  void TearDown() override { g_AstroCityTable = m_saved; }
  std::vector<AstroCity> m_saved;
};

TEST_F(AstroPage, BuiltInCityIsReadOnlyAndUnknownNameOpensUserDefined) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.page.m_strLocation = g_AstroCityTable[1].m_strName;
  h.Open();
  EXPECT_EQ(h.host->GetCurSel(A::kIdCity), 1);
  EXPECT_FALSE(h.host->IsEnabled(A::kIdLonDeg));
  EXPECT_FALSE(h.host->IsVisible(A::kIdSave));
  EXPECT_FALSE(h.host->IsVisible(A::kIdRemove));
  PageHarness<A> u(&d.Doc());
  u.page.m_strLocation = u"Nowhere";
  u.page.m_nLonDegrees = 12;
  u.Open();
  EXPECT_EQ(u.host->GetCurSel(A::kIdCity), 0);
  EXPECT_TRUE(u.host->IsEnabled(A::kIdLonDeg));
  EXPECT_EQ(u.host->GetText(A::kIdLonDeg), CString(u"12"));
  EXPECT_EQ(u.host->GetText(A::kIdSave), CString(u"Save"));
}

TEST_F(AstroPage, SaveUpdateAndRemoveUserCities) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.Open();
  // A built-in name in lower case is refused.
  CString builtIn = g_AstroCityTable[3].m_strName;
  std::u16string lower = builtIn.GetString();
  for (char16_t& c : lower)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  h.host->Type(A::kIdLocation, lower.c_str());
  h.host->Click(A::kIdSave);
  EXPECT_EQ(h.sink.texts().back(), CString(u"This city name already exists."));
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
  // A new name with blanks, latitude 95: stored at row 12 as 90 0 0.
  h.host->Type(A::kIdLocation, u"Home  ");
  h.host->Type(A::kIdLatDeg, u"95");
  h.host->Type(A::kIdLatMin, u"30");
  h.host->Click(A::kIdSave);
  ASSERT_EQ(g_AstroCityTable.size(), 13u);
  EXPECT_EQ(g_AstroCityTable[12].m_strName, CString(u"Home"));
  EXPECT_EQ(g_AstroCityTable[12].m_nLatDegrees, 90);
  EXPECT_EQ(g_AstroCityTable[12].m_nLatMinutes, 0);
  EXPECT_EQ(h.host->GetText(A::kIdSave), CString(u"Update"));
  EXPECT_TRUE(h.host->IsVisible(A::kIdRemove));
  h.host->Type(A::kIdLonDeg, u"15");
  h.host->Click(A::kIdSave);  // Update keeps the name
  EXPECT_EQ(g_AstroCityTable[12].m_nLonDegrees, 15);
  EXPECT_EQ(g_AstroCityTable[12].m_strName, CString(u"Home"));
  h.host->Click(A::kIdRemove);  // the only user city: row 11, its values kept, disabled
  EXPECT_EQ(g_AstroCityTable.size(), 12u);
  EXPECT_EQ(h.host->GetCurSel(A::kIdCity), 11);
  EXPECT_EQ(h.host->GetText(A::kIdLonDeg), CString(u"15"));
  EXPECT_FALSE(h.host->IsEnabled(A::kIdLonDeg));
}

TEST_F(AstroPage, DegreesAtTheLimitHoldMinutesAndSecondsAtZero) {
  CDiagramBuilder d;
  PageHarness<A> h(&d.Doc());
  h.page.m_nLonMinutes = 5;
  h.page.m_nLonSeconds = 6;
  h.Open();
  h.host->Type(A::kIdLonDeg, u"180");
  EXPECT_EQ(h.host->GetText(A::kIdLonMin), CString(u"0"));
  EXPECT_EQ(h.host->GetText(A::kIdLonSec), CString(u"0"));
  h.host->SetText(A::kIdLonMin, u"1");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.host->GetFocus(), A::kIdLonMin);
  h.host->SetText(A::kIdLonMin, u"0");
  h.host->SetText(A::kIdLatDeg, u"45");
  h.host->SetText(A::kIdLatSec, u"59");
  ASSERT_TRUE(h.page.UpdateData(true));
}

TEST_F(AstroPage, RoundTrip) {
  CDiagramBuilder d;
  CBlockObj* a = d.Add(412);
  CBlockObj* b = d.Add(412);
  a->m_strName = u"AS";
  a->m_strReserved = u"Nowhere";
  a->m_nParam15 = 120;  // X2: longitude degrees
  a->m_nParam20 = 30;   // X7: minutes
  a->m_nParam14 = 45;   // X1: latitude degrees
  a->m_nParam16 = 17;   // X3: time zone
  a->m_nParam10 = 1;    // P9: west
  PageRoundTrip<A>(d, *a, *b);
}

}  // namespace
