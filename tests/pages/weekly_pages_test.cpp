// The weekly timer's general and cam pages, alone and in the block sheet.
#include "pages/weekly_pages.h"

#include <gtest/gtest.h>

#include <memory>

#include "blocks/time_blocks.h"
#include "pages/memory_host.h"
#include "pages/page_harness.h"
#include "properties/block_sheet.h"
#include "properties/param_copy.h"

namespace {

using C = CWeeklyCams1;

// Every page of a sheet on a memory host of its own, shown (initialised) or not.
struct SheetBench {
  SheetBench(int type, CZaradDoc* doc, const BlockPageValues& v)
      : sheet(type, u"", CPageContext{doc, false}) {
    sheet.LoadValues(v);
    for (CParamPage* page : sheet.Pages()) {
      hosts.push_back(std::make_unique<CMemoryHost>(page->Describe(), page));
      page->Attach(hosts.back().get(), sheet.Context());
    }
  }
  CMemoryHost& Show(size_t k) {
    sheet.Pages()[k]->Initialise();
    return *hosts[k];
  }
  CBlockSheet sheet;
  std::vector<std::unique_ptr<CMemoryHost>> hosts;
  RecordingMessageSink sink;
  ScopedMessageSink scope{&sink};
};

TEST(WeeklyPages, TimesAreClampedWhileTyped) {
  CDiagramBuilder d;
  PageHarness<C> h(&d.Doc());
  h.page.m_bOnDisabled = 0;
  h.Open();
  h.host->Type(C::kIdOnMinute, u"75");
  h.host->Type(C::kIdOnHour, u"24");
  EXPECT_EQ(h.host->GetText(C::kIdOnMinute), CString(u"59"));
  EXPECT_EQ(h.host->GetText(C::kIdOnHour), CString(u"23"));
  EXPECT_EQ(h.host->GetTip(C::kIdOffMinute), CString(u"Number between 0 and 59"));
}

TEST(WeeklyPages, DisableBoxesGovernTheirTimes) {
  CDiagramBuilder d;
  PageHarness<C> h(&d.Doc());
  h.Open();  // both times disabled by default
  for (int id : {C::kIdOnHour, C::kIdOnHourSpin, C::kIdOnMinute, C::kIdOffHour, C::kIdOffMinuteSpin})
    EXPECT_FALSE(h.host->IsEnabled(id)) << id;
  EXPECT_TRUE(h.host->IsEnabled(C::kIdFirstDay + 6));
  h.host->Click(C::kIdOffDisable);
  EXPECT_TRUE(h.host->IsEnabled(C::kIdOffHour));
  EXPECT_FALSE(h.host->IsEnabled(C::kIdOnHour));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_bOffDisabled, 0);
  EXPECT_EQ(h.page.m_bOnDisabled, 1);
}

TEST(WeeklyPages, PulseOutputReachesShownAndUnshownCams) {
  for (WORD model : {WORD{0x5188}, WORD{0x2188}}) {
    const bool newer = model == 0x5188;
    CDiagramBuilder d(kDocFbd, model);
    CBlockObj* timer = d.Add(410);
    BlockPageValues v;
    CopyBlockToPage(&d.Doc(), *timer, v);
    for (auto& cam : v.weekly.m_cams) cam.m_bOffDisabled = 0;
    v.weekly.m_bPulseOutput = 1;
    SheetBench b(410, &d.Doc(), v);
    ASSERT_EQ(b.sheet.Pages().size(), 5u);  // general, three cams, comment
    EXPECT_EQ(b.sheet.Pages()[1]->m_strTitle, CString(u"Cams"));
    CMemoryHost& general = b.Show(0);
    EXPECT_EQ(general.IsVisible(CWeeklyGeneral::kIdPulseOutput), newer);
    CMemoryHost& cam1 = b.Show(1);
    // On the older series the off time follows only its "Disable".
    EXPECT_EQ(cam1.IsEnabled(C::kIdOffHour), !newer);
    EXPECT_EQ(cam1.IsEnabled(C::kIdOffDisable), !newer);
    if (!newer) continue;
    general.Click(CWeeklyGeneral::kIdPulseOutput);  // off: the shown cam enables at once
    EXPECT_TRUE(cam1.IsEnabled(C::kIdOffHour));
    EXPECT_TRUE(cam1.IsEnabled(C::kIdOffDisable));
    general.Click(CWeeklyGeneral::kIdPulseOutput);  // on again, then a cam shown for the first time
    EXPECT_FALSE(cam1.IsEnabled(C::kIdOffMinute));
    CMemoryHost& cam3 = b.Show(3);
    EXPECT_FALSE(cam3.IsEnabled(C::kIdOffHour));
    EXPECT_TRUE(cam3.IsEnabled(C::kIdFirstDay));
  }
}

TEST(WeeklyPages, SundayIsLastOnThePageAndFirstInTheBlockRoundTrip) {
  CDiagramBuilder d;
  auto* timer = d.Add<CBlockTime>(410);
  auto* other = d.Add<CBlockTime>(410);
  timer->m_strName = u"W";
  timer->m_nParam4 = 1;         // P3: pulse output
  timer->m_nCamDays[1][0] = 1;  // cam 2, Sunday
  timer->m_nCamDays[1][1] = 1;  // cam 2, Monday
  timer->m_nCamOn[2][0] = 7;    // cam 3 on at 7:45
  timer->m_nCamOn[2][1] = 45;
  timer->m_bCamOnUnset[2] = 0;
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *timer, v);
  SheetBench b(410, &d.Doc(), v);
  for (size_t k = 0; k < b.sheet.Pages().size(); ++k) b.Show(k);
  EXPECT_EQ(b.hosts[2]->GetCheck(C::kIdFirstDay + 6), 1);  // Sunday, last box
  EXPECT_EQ(b.hosts[2]->GetCheck(C::kIdFirstDay), 1);      // Monday, first box
  EXPECT_EQ(b.hosts[3]->GetText(C::kIdOnMinute), CString(u"45"));
  ASSERT_TRUE(b.sheet.OnOK(0));
  const BlockPageValues out = b.sheet.Values();
  EXPECT_TRUE(out == v);
  CopyPageToBlock(out, *other);
  EXPECT_EQ(other->m_nCamDays[1][0], 1);
  EXPECT_EQ(other->m_nCamDays[1][6], 0);
  EXPECT_EQ(other->m_nCamOn[2][1], 45);
  EXPECT_EQ(other->m_nParam4, 1);
  EXPECT_EQ(other->m_strName, CString(u"W"));
}

}  // namespace
