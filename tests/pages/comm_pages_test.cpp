// The WiFi block page and the soft-key page through the memory host.
#include <gtest/gtest.h>

#include "blocks/comm_blocks.h"
#include "pages/block_round_trip.h"
#include "pages/soft_key_page.h"
#include "pages/wifi_page.h"

namespace {

using W = CWIFI;

struct WifiCase {
  int type;
  const char16_t* group;
  const char16_t* vm;
  bool diagnostic;
  std::vector<const char16_t*> kinds;  // Station's block types
  const char16_t* firstNumber;         // Station, block type 0
  const char16_t* vmFirst;
  bool vmShowsId;
};

class WifiPage : public ::testing::TestWithParam<WifiCase> {};

TEST_P(WifiPage, ListsFollowTypeAndSource) {
  const WifiCase& c = GetParam();
  CDiagramBuilder d;
  PageHarness<W> h(&d.Doc());
  h.page.m_nType = c.type;
  h.Open();
  EXPECT_FALSE(h.page.IsModified());
  EXPECT_EQ(h.host->GetText(W::kIdGroup), CString(c.group));
  EXPECT_EQ(h.host->GetText(W::kIdVm), CString(c.vm));
  EXPECT_EQ(h.host->IsVisible(W::kIdDiagnostic), c.diagnostic);
  ASSERT_EQ(h.host->GetCount(W::kIdKind), static_cast<int>(c.kinds.size()));
  for (size_t i = 0; i < c.kinds.size(); ++i)
    EXPECT_EQ(h.host->GetItemText(W::kIdKind, static_cast<int>(i)), CString(c.kinds[i]));
  ASSERT_EQ(h.host->GetCount(W::kIdWifiId), 7);
  EXPECT_EQ(h.host->GetItemText(W::kIdWifiId, 0), CString(u"1"));
  EXPECT_EQ(h.host->GetText(W::kIdNumber), CString(c.firstNumber));
  h.host->Choose(W::kIdWifiId, 3);
  h.host->Click(W::kIdVm);
  EXPECT_EQ(h.page.m_nWifiId, 0);
  EXPECT_FALSE(h.host->IsVisible(W::kIdKind));
  EXPECT_EQ(h.host->IsVisible(W::kIdWifiId), c.vmShowsId);
  if (c.vmShowsId) {
    EXPECT_EQ(h.host->GetText(W::kIdWifiId), CString(u"0"));
  }
  ASSERT_EQ(h.host->GetCount(W::kIdNumber), 32);
  EXPECT_EQ(h.host->GetText(W::kIdNumber), CString(c.vmFirst));
  h.host->Choose(W::kIdNumber, 31);
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nSource, 1);
  EXPECT_EQ(h.page.m_nBlockIndex, 31);
}

INSTANTIATE_TEST_SUITE_P(
    Types, WifiPage,
    ::testing::Values(
        WifiCase{824, u"Read value from", u"VM", true, {u"Input", u"Output"}, u"I0", u"VM0", true},
        WifiCase{825, u"Write value to", u"VM", false, {u"Output"}, u"Q0", u"VM0", false},
        WifiCase{826,
                 u"Read value from",
                 u"VAM",
                 false,
                 {u"Analon Input", u"Analog Output"},
                 u"AI0",
                 u"VAM0",
                 true},
        WifiCase{827, u"Write value to", u"VAM", false, {u"Analog Output"}, u"AQ0", u"VAM0", false}));

TEST(WifiPageKinds, AnalogOutputReplacesTheNumbersAndDiagnosticListsStatuses) {
  CDiagramBuilder d;
  PageHarness<W> h(&d.Doc());
  h.page.m_nType = 826;
  h.page.m_nBlockIndex = 5;
  h.Open();
  EXPECT_EQ(h.host->GetText(W::kIdNumber), CString(u"AI5"));
  h.host->Choose(W::kIdKind, 1);
  ASSERT_EQ(h.host->GetCount(W::kIdNumber), 4);
  EXPECT_EQ(h.host->GetText(W::kIdNumber), CString(u"AQ0"));

  PageHarness<W> r(&d.Doc());
  r.page.m_nType = 824;
  r.Open();
  r.host->Click(W::kIdDiagnostic);
  EXPECT_EQ(r.host->GetText(W::kIdKindLabel), CString(u"Diagnostic Type"));
  ASSERT_EQ(r.host->GetCount(W::kIdKind), 7);
  EXPECT_EQ(r.host->GetItemText(W::kIdKind, 6), CString(u"WiFi ID7 communication status"));
  EXPECT_FALSE(r.host->IsVisible(W::kIdNumber));
  EXPECT_FALSE(r.host->IsVisible(W::kIdWifiId));
  r.host->Choose(W::kIdKind, 2);
  ASSERT_TRUE(r.page.UpdateData(true));
  EXPECT_EQ(r.page.m_nSource, 2);
  EXPECT_EQ(r.page.m_nBlockKind, 2);
}

TEST(WifiPageKinds, RoundTripKeepsPositionsAndName) {
  for (int type : {824, 825, 826, 827}) {
    CDiagramBuilder d;
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    auto* w = dynamic_cast<CBlockWIFI*>(a);
    ASSERT_NE(w, nullptr);
    a->m_strName = u"W1";
    w->m_nWifiSource = 1;
    w->m_nWifiId = type == 825 || type == 827 ? 0 : 6;
    w->m_nWifiBlockNumber = 17;
    PageRoundTrip<W>(d, *a, *b);
    EXPECT_EQ(b->m_strName, CString(u"W1"));
  }
}

// ---- Soft key ----------------------------------------------------------------------

TEST(SoftKeyPage, NewPageShowsSwitchAndOff) {
  CDiagramBuilder d;
  PageHarness<CSoftKey> h(&d.Doc());
  h.Open();
  EXPECT_EQ(h.host->GetCheck(CSoftKey::kIdSwitch), 1);
  EXPECT_EQ(h.host->GetCheck(CSoftKey::kIdOff), 1);
  h.host->Click(CSoftKey::kIdPushButton);
  h.host->Click(CSoftKey::kIdOn);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();  // outside simulation the status stays
  EXPECT_EQ(h.page.m_nKeyType, 1);
  EXPECT_EQ(h.page.m_nStatus, 0);
}

TEST(SoftKeyPage, SimulationReleasesAMomentaryPushButtonOnly) {
  struct Case {
    int keyType, status, expected;
  };
  for (const Case& c : {Case{1, 0, 1}, Case{0, 0, 0}, Case{1, 1, 1}}) {
    CDiagramBuilder d;
    PageHarness<CSoftKey> h(&d.Doc(), true);
    h.page.m_nKeyType = c.keyType;
    h.page.m_nStatus = c.status;
    h.Open();
    EXPECT_EQ(h.page.m_nStatus, c.expected);
    EXPECT_EQ(h.host->GetCheck(CSoftKey::kIdOn), c.expected == 0 ? 1 : 0);
    EXPECT_TRUE(h.host->Has(kIdValueBox));
    if (c.keyType == 1) h.host->Click(CSoftKey::kIdOn);
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_nStatus, c.expected);
  }
}

}  // namespace
