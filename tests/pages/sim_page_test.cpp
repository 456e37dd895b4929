// The simulation page of inputs and analog inputs on the memory host.
#include "pages/sim_page.h"

#include <gtest/gtest.h>

#include "page_harness.h"

namespace {

struct DocumentHolder {
  CDiagramBuilder builder;
};

struct SimPageHarness : DocumentHolder, PageHarness<CSimulation> {
  SimPageHarness(int type, int mode, int autoRange) : PageHarness<CSimulation>(&builder.Doc()) {
    BlockPageValues values;
    values.m_nType = type;
    values.sim.m_nBehaviour = mode;
    values.sim.m_bAutoRange = autoRange;
    values.sim.m_nValue = 5;
    values.sim.m_nMin = 0;
    values.sim.m_nMax = 100;
    page.m_nBlockType = type;
    page.LoadValues(values);
    Open();
  }
};

// Which fields each behaviour and range choice enables.
TEST(SimPageTest, ModesEnableTheValueAndRangeFields) {
  struct Case {
    int mode;
    int autoRange;
    bool current, range;
  };
  const Case cases[] = {{0, 1, false, false},
                        {1, 0, false, false},
                        {2, 1, false, false},
                        {3, 1, true, false},
                        {3, 0, true, true}};
  for (const Case& c : cases) {
    SimPageHarness h(600, c.mode, c.autoRange);
    CMemoryHost& host = *h.host;
    EXPECT_EQ(host.IsEnabled(CSimulation::kIdCurrent), c.current) << c.mode;
    EXPECT_EQ(host.IsEnabled(CSimulation::kIdAutoRange), c.current) << c.mode;
    EXPECT_EQ(host.IsEnabled(CSimulation::kIdMin), c.range) << c.mode;
    EXPECT_EQ(host.IsEnabled(CSimulation::kIdMax), c.range) << c.mode;
    EXPECT_TRUE(host.IsVisible(CSimulation::kIdSwitch));
  }
  // Choosing Switch disables everything; Frequency without automatic range enables all.
  SimPageHarness h(600, 3, 0);
  h.host->Click(CSimulation::kIdSwitch);
  EXPECT_EQ(h.page.m_nBehaviour, 0);
  EXPECT_FALSE(h.host->IsEnabled(CSimulation::kIdMin));
  EXPECT_TRUE(h.page.IsModified());
  h.host->Click(CSimulation::kIdFrequency);
  EXPECT_TRUE(h.host->IsEnabled(CSimulation::kIdCurrent));
  EXPECT_TRUE(h.host->IsEnabled(CSimulation::kIdMin));
  h.host->Click(CSimulation::kIdAutoRange);
  EXPECT_EQ(h.page.m_bAutoRange, 1);
  EXPECT_FALSE(h.host->IsEnabled(CSimulation::kIdMin));
}

TEST(SimPageTest, AnalogInputHasNoBehaviourAndClampsTypedValues) {
  SimPageHarness h(608, 0, 0);
  CMemoryHost& host = *h.host;
  EXPECT_FALSE(host.IsVisible(CSimulation::kIdSwitch));
  EXPECT_FALSE(host.IsVisible(CSimulation::kIdFrequency));
  // The fields sit 60 units higher than on an input's page.
  CSimulation input(600);
  const ControlDesc* analogMin = host.Desc(CSimulation::kIdMin);
  const ControlDesc* inputMin = nullptr;
  for (const ControlDesc& c : input.Describe().controls)
    if (c.id == CSimulation::kIdMin) inputMin = &c;
  ASSERT_NE(analogMin, nullptr);
  ASSERT_NE(inputMin, nullptr);
  EXPECT_EQ(inputMin->rect.top - analogMin->rect.top, 60);
  // Without automatic range the range is open (the behaviour counts as Frequency).
  EXPECT_TRUE(host.IsEnabled(CSimulation::kIdMin));
  host.Type(CSimulation::kIdMax, u"40000");
  EXPECT_EQ(host.GetText(CSimulation::kIdMax), CString(u"32767"));
  host.Type(CSimulation::kIdMin, u"-40000");
  EXPECT_EQ(host.GetText(CSimulation::kIdMin), CString(u"-32767"));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nMax, 32767);
}

TEST(SimPageTest, TipsNameTheRangeInAscendingOrderAndTypingMarksTheValue) {
  SimPageHarness h(600, 3, 0);
  CMemoryHost& host = *h.host;
  EXPECT_EQ(host.GetTip(CSimulation::kIdMin), CString(u"Number between 0 and 9999"));
  host.Type(CSimulation::kIdMin, u"80");
  host.Type(CSimulation::kIdMax, u"20");
  EXPECT_EQ(host.GetTip(CSimulation::kIdCurrent), CString(u"Number between 20 and 80"));
  EXPECT_EQ(h.page.m_bValueEdited, 0);
  host.Type(CSimulation::kIdCurrent, u"50");
  EXPECT_EQ(h.page.m_bValueEdited, 1);
  h.page.OnOK();
  EXPECT_EQ(h.page.m_bValueEdited, 0);
  ASSERT_TRUE(h.page.UpdateData(true));
  BlockPageValues out;
  h.page.StoreValues(out);
  EXPECT_EQ(out.sim.m_nValue, 50);
  EXPECT_EQ(out.sim.m_nMin, 80);
  EXPECT_EQ(out.sim.m_nBehaviour, 3);
}

}  // namespace
