// What the Inputs and Outputs bars show, in which order.
#include "editor/sim_bar_items.h"

#include <gtest/gtest.h>

#include "blocks/analog_range_tracer.h"
#include "support/diagram_builder.h"

namespace {

std::vector<std::string> Captions(const std::vector<SimBarItem>& items) {
  std::vector<std::string> out;
  for (const SimBarItem& item : items) out.push_back(item.strCaption.ToUtf8() + (item.bWide ? "*" : ""));
  return out;
}

TEST(SimBarItemsTest, InputsShowAnalogThenKeysThenTheFirstSixteenInputs) {
  CDiagramBuilder d;
  for (int i = 0; i < 21; ++i) d.Add(600);  // I1..I21: only I1..I16 are shown
  CBlockObj* key = d.Add(611);
  CBlockObj* ai2 = d.Add(608);
  CBlockObj* ai1 = d.Add(608);
  ai1->m_nNumber = 4000;
  ai2->m_nNumber = 4001;
  d.Add(605);
  // I3 in Frequency mode shows a value field.
  for (CBlockObj* b : d.Doc().m_blocks)
    if (b->m_nNumber == 102) b->m_nParam26 = 3;
  key->m_nNumber = 1302;
  std::vector<std::string> expected = {"AI0*", "AI1*", "F2"};
  for (int i = 0; i < 16; ++i) expected.push_back("I" + std::to_string(i) + (i == 2 ? "*" : ""));
  EXPECT_EQ(Captions(CollectSimInputs(&d.Doc())), expected);
}

TEST(SimBarItemsTest, OutputsShowAnalogOutputsThenTheFirstEightOutputs) {
  CDiagramBuilder d;
  for (int i = 0; i < 10; ++i) d.Add(605);
  d.Add(609);
  d.Add(600);
  std::vector<std::string> expected = {"AQ0*"};
  for (int i = 0; i < 8; ++i) expected.push_back("Q" + std::to_string(i));
  EXPECT_EQ(Captions(CollectSimOutputs(&d.Doc())), expected);
}

TEST(SimBarItemsTest, LadderInputsAreOneItemPerOperand) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* first = d.Add(700);
  CBlockObj* second = d.Add(701);
  CBlockObj* key = d.Add(700);
  CBlockObj* analog = d.Add(702);
  CBlockObj* flag = d.Add(700);
  first->m_nOperand = second->m_nOperand = 101;
  key->m_nOperand = 1301;
  analog->m_nOperand = 4002;
  flag->m_nOperand = 1316;
  d.Doc().m_analogSimSettings[1301].nValues[kSimSettingMode] = 3;
  const std::vector<SimBarItem> items = CollectSimInputs(&d.Doc());
  EXPECT_EQ(Captions(items), (std::vector<std::string>{"AI2*", "F1*", "I1"}));
  ASSERT_EQ(items.size(), 3u);
  EXPECT_EQ(items[2].block, first);
}

}  // namespace
