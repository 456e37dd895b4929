// The preview's value editor: which elements it edits, its controls, and the
// checks and writes of its commit.
#include "msgtext/msg_element_editor.h"

#include <gtest/gtest.h>

#include "blocks/analog_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/time_blocks.h"
#include "support/diagram_builder.h"

namespace {

ElementEditorValues Texts(std::initializer_list<std::pair<const int, CString>> texts,
                          std::initializer_list<std::pair<const int, int>> choices = {}) {
  ElementEditorValues v;
  v.texts = texts;
  v.choices = choices;
  return v;
}

TEST(MsgElementEditorTest, EditableElements) {
  CDiagramBuilder b;
  CBlockObj* delay = b.Add(402);
  CBlockObj* counter = b.Add(800);
  CBlockObj* shift = b.Add(836);
  CBlockObj* other = b.Add(800);
  EXPECT_TRUE(IsElementValueEditable(*delay, 6));
  EXPECT_TRUE(IsElementValueEditable(*delay, 7));
  EXPECT_FALSE(IsElementValueEditable(*delay, 0)) << "the current time is not edited";
  delay->m_pRef[1] = other;
  EXPECT_FALSE(IsElementValueEditable(*delay, 7)) << "a time taken from a block";
  EXPECT_TRUE(IsElementValueEditable(*counter, 16));
  counter->m_pRef[0] = other;
  EXPECT_FALSE(IsElementValueEditable(*counter, 17));
  EXPECT_TRUE(IsElementValueEditable(*shift, 119));
  EXPECT_FALSE(IsElementValueEditable(*shift, 114));
  EXPECT_FALSE(IsElementValueEditable(*b.Add(600), 132));
}

TEST(MsgElementEditorTest, TimeControlsAndTheirCommit) {
  CDiagramBuilder b;
  auto* delay = b.Add<CBlockTime>(402);
  delay->m_nParam10 = 1, delay->m_nParam9 = 5, delay->m_nParam11 = 1;
  const auto controls = DescribeElementEditor(*delay, 6, 1, 7);
  ASSERT_EQ(controls.size(), 5u);
  EXPECT_EQ(controls[0].id, kEditorEdit1);
  EXPECT_EQ(controls[0].text, CString(u"1"));
  EXPECT_EQ(controls[2].text, CString(u"5"));
  EXPECT_EQ(controls[4].kind, ElementEditorControl::kCombo);
  EXPECT_EQ(controls[4].value, 1);
  EXPECT_EQ(controls[4].firstCell, 4);
  EXPECT_EQ(controls[4].cells, 2);

  CString message;
  EXPECT_FALSE(CommitElementEditor(*delay, 6, 1,
                                   Texts({{kEditorEdit1, u"1"}, {kEditorEdit2, u"75"}}, {{kEditorCombo, 1}}),
                                   &b.View(), &message));
  EXPECT_EQ(message, CString(u"Please enter an integer between 0 and 59"));
  EXPECT_EQ(delay->m_nParam9, 5) << "a rejected value leaves the block";
  EXPECT_TRUE(CommitElementEditor(*delay, 6, 1,
                                  Texts({{kEditorEdit1, u"1"}, {kEditorEdit2, u"75"}}, {{kEditorCombo, 2}}),
                                  &b.View(), &message));
  EXPECT_EQ(delay->m_nParam9, 75) << "hundredths run to 99";

  // An idle on/off delay takes the new time as its current value; the random generator does not.
  EXPECT_TRUE(CommitElementEditor(*delay, 7, 2,
                                  Texts({{kEditorEdit1, u"00"}, {kEditorEdit2, u"30"}}, {{kEditorCombo, 2}}),
                                  &b.View(), &message));
  EXPECT_EQ(delay->m_nParam14, 30);
  EXPECT_DOUBLE_EQ(delay->m_dValue, 300);
  CBlockObj* random = b.Add(407);
  random->m_dValue = 7;
  EXPECT_TRUE(CommitElementEditor(*random, 10, 0,
                                  Texts({{kEditorEdit1, u"0"}, {kEditorEdit2, u"30"}}, {{kEditorCombo, 2}}),
                                  &b.View(), &message));
  EXPECT_DOUBLE_EQ(random->m_dValue, 7);
}

TEST(MsgElementEditorTest, CommitChecksByType) {
  struct Case {
    const char* name;
    int type;
    int param;
    int kind;
    ElementEditorValues values;
    bool accepted;
    const char16_t* message;
  };
  const Case kCases[] = {
      {"April31", 411, 35, 0, Texts({{kEditorMonth, u"4"}, {kEditorDay, u"31"}}), false,
       u"Enter an Integer between 1 and 30."},
      {"February30", 411, 36, 1, Texts({{kEditorMonth, u"2"}, {kEditorDay, u"30"}}), false,
       u"Enter an Integer between 1 and 29."},
      {"February29", 411, 36, 1, Texts({{kEditorMonth, u"2"}, {kEditorDay, u"29"}}), true, u""},
      {"Month13", 411, 35, 0, Texts({{kEditorMonth, u"13"}, {kEditorDay, u"1"}}), false,
       u"Enter an Integer between 1 and 12."},
      {"WeeklyDisabledUnchecked", 410, 42, 1,
       Texts({{kEditorEdit1, u"77"}, {kEditorEdit2, u"99"}}, {{1049, 1}}), true, u""},
      {"WeeklyHour24", 410, 42, 1, Texts({{kEditorEdit1, u"24"}, {kEditorEdit2, u"0"}}, {{1049, 0}}), false,
       u"Please enter an integer between 0 and 23"},
      {"ComparatorTooHigh", 803, 24, 0, Texts({{kEditorEdit1, u"20001"}}), false,
       u"Please enter an integer between -20000 and 20000"},
      {"CounterEmpty", 800, 17, 1, Texts({{kEditorEdit1, u""}}), false,
       u"Please enter an integer between 0 and 999999"},
      {"CounterGarbled", 800, 16, 0, Texts({{kEditorEdit1, u"12x"}}), false,
       u"Please enter an integer between 0 and 999999"},
      {"ThresholdTooHigh", 802, 37, 1, Texts({{kEditorEdit1, u"10000"}}), false,
       u"Please enter an integer between 0 and 9999"},
      {"MaskHex", 838, 120, 1, Texts({{kEditorEdit1, u"00fF"}}), true, u""},
      {"MaskNotHex", 838, 120, 1, Texts({{kEditorEdit1, u"0G"}}), false,
       u"Please enter an Hexadecimal number  between 0x0000 and 0xFFFF"},
      {"ModZero", 862, 122, 1, Texts({{kEditorEdit1, u"0"}}), false,
       u"Please enter an integer between -32767 and 32767 and <> 0"},
      {"RotateZero", 834, 118, 1, Texts({{kEditorEdit1, u"0"}}), false,
       u"Please enter an integer between 1 and 15"},
      {"AmplifiedTooLarge", 865, 123, 1, Texts({{kEditorEdit1, u"10000.5"}}), false,
       u"Please enter an number between -10000 and 10000"},
      {"ArrayNumber33", 844, 121, 1, Texts({{kEditorEdit1, u"33"}}), false,
       u"Please enter an integer between 1 and 32"},
  };
  for (const Case& c : kCases) {
    CDiagramBuilder b;
    CBlockObj* block = b.Add(c.type);
    CString message;
    EXPECT_EQ(CommitElementEditor(*block, c.param, c.kind, c.values, &b.View(), &message), c.accepted)
        << c.name;
    EXPECT_EQ(message, CString(c.message)) << c.name;
    if (std::string(c.name) == "MaskHex") {
      EXPECT_EQ(block->m_nParam10, 0x00FF);
    }
    if (std::string(c.name) == "February29") {
      EXPECT_EQ(block->m_nParam14, 29);
    }
    if (std::string(c.name) == "WeeklyDisabledUnchecked") {
      auto* t = static_cast<CBlockTime*>(block);
      EXPECT_EQ(t->m_bCamOnUnset[1], 1);
      EXPECT_EQ(t->m_nCamOn[1][0], 0) << "hour and minute are not read while disabled";
    }
  }
}

TEST(MsgElementEditorTest, HoursCounterTimeToGo) {
  CDiagramBuilder b;
  auto* hc = b.Add<CBlockHCOUNTER>(801);
  hc->m_nParam15 = 23;  // whole hours of the operating time
  CString message;
  EXPECT_TRUE(CommitElementEditor(*hc, 19, 0, Texts({{kEditorEdit1, u"10"}}), &b.View(), &message));
  EXPECT_EQ(hc->m_nRemaining, 60 * (10 - 3));
  // An interval of 0 with operating hours does not divide by zero: nothing to go.
  EXPECT_TRUE(CommitElementEditor(*hc, 19, 0, Texts({{kEditorEdit1, u"0"}}), &b.View(), &message));
  EXPECT_EQ(hc->m_nRemaining, 0);
  EXPECT_FALSE(CommitElementEditor(*hc, 19, 0, Texts({{kEditorEdit1, u"1024"}}), &b.View(), &message));
  EXPECT_EQ(message, CString(u"Please enter an integer between 0 and 1023"));
}

TEST(MsgElementEditorTest, CounterValueReachesOpenSheets) {
  CDiagramBuilder b;
  CBlockObj* counter = b.Add(800);
  CString message;
  EXPECT_TRUE(CommitElementEditor(*counter, 16, 0, Texts({{kEditorEdit1, u"250"}}), &b.View(), &message));
  EXPECT_DOUBLE_EQ(counter->m_dValue, 250);
  ASSERT_EQ(b.View().m_valueShows.size(), 1u);
  EXPECT_EQ(b.View().m_valueShows[0], counter);
}

}  // namespace
