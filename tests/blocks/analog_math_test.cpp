// The analog math block: formula tokens to postfix, single-precision
// evaluation, rounding, clamps and the string stack.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/string_stack.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"

namespace {

std::vector<CString> Tokens(std::initializer_list<const char*> texts) {
  std::vector<CString> list;
  for (const char* t : texts) list.emplace_back(t);
  list.resize(std::max<size_t>(list.size() + 1, 16));
  return list;
}

std::string Joined(const std::vector<CString>& list) {
  std::string s;
  for (const CString& t : list) {
    if (t.IsEmpty()) break;
    s += (s.empty() ? "" : " ") + t.ToUtf8();
  }
  return s;
}

TEST(AnalogMathTest, TokenListsToPostfixAndTheirValues) {
  struct Case {
    std::vector<CString> infix;
    const char* postfix;
    int result;
  };
  const Case cases[] = {
      {Tokens({"7", "+", "3", "*", "2", "-", "1"}), "7 3 2 * + 1 -", 12},
      {Tokens({"(", "7", "+", "3", ")", "*", "2", "-", "1"}), "7 3 + 2 * 1 -", 19},
      {Tokens({"1", "/", "4", "+", "1", "/", "4"}), "1 4 / 1 4 / +", 1},  // 0.250000 twice, 0.5 rounds up
      {Tokens({"8", "-", "3", "-", "2"}), "8 3 - 2 -", 3},                // left to right
      {Tokens({"7", "/", "2", "/", "2"}), "7 2 / 2 /", 2},                // 1.75
      {Tokens({"2", "*", "(", "3", "+", "4", ")"}), "2 3 4 + *", 14},
      {Tokens({"-7", "/", "2"}), "-7 2 /", -4},
      {Tokens({"5", "/", "(", "3", "-", "3", ")", "+", "1"}), "5 3 3 - / 1 +", 32767},
      {Tokens({"0", "/", "0"}), "0 0 /", 32767},
      {Tokens({"200", "*", "200"}), "200 200 *", 32767},
      {Tokens({"-200", "*", "200"}), "-200 200 *", -32768},
      {Tokens({"1", "-", "1.45"}), "1 1.45 -", 0},  // -0.45: the first decimal is 4
  };
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (const Case& c : cases) {
    CBlockAMATH block(815);
    CStringStack stack;
    std::vector<CString> postfix(20);
    block.InfixToPostfix(c.infix, &postfix, &stack);
    EXPECT_EQ(Joined(postfix), c.postfix);
    block.EvaluatePostfix(postfix, &stack);
    EXPECT_EQ(block.m_nResult, c.result) << c.postfix;
    EXPECT_EQ(stack.GetErrorCount(), 0) << c.postfix;
  }
  EXPECT_TRUE(sink.messages().empty());
}

TEST(AnalogMathTest, FormulaFromTheBlockFields) {
  struct Case {
    int v[4];
    int op[3];   // indices into "+-*/"
    int pri[3];  // priorities of the operators
    int result;
  };
  const Case cases[] = {
      {{7, 2, 0, 0}, {3, 0, 0}, {0, 0, 0}, 4},            // 3.5
      {{-7, 2, 0, 0}, {3, 0, 0}, {0, 0, 0}, -4},          // -3.5
      {{12, 3, 4, 5}, {0, 2, 1}, {0, 0, 0}, 19},          // 12+3*4-5
      {{12, 3, 4, 5}, {0, 2, 1}, {2, 0, 0}, 55},          // (12+3)*4-5
      {{12, 3, 4, 5}, {0, 2, 1}, {2, 1, 0}, 55},          // ((12+3)*4)-5
      {{12, 3, 4, 5}, {2, 0, 2}, {0, 2, 1}, 420},         // 12*((3+4)*5)
      {{12, 3, 4, 5}, {1, 1, 1}, {0, 0, 2}, 10},          // 12-3-(4-5)
      {{10, 4, 2, 1}, {1, 1, 1}, {1, 2, 0}, 7},           // (10-(4-2))-1
      {{5, 0, 1, 1}, {3, 0, 0}, {0, 0, 0}, 32767},        // zero divisor
      {{1, 2, 3, 0}, {0, 0, 3}, {0, 0, 0}, 32767},        // zero divisor last
      {{200, 200, 0, 0}, {2, 0, 0}, {0, 0, 0}, 32767},    // 40000
      {{-200, 200, 0, 0}, {2, 0, 0}, {0, 0, 0}, -32768},  // -40000
  };
  CDiagramBuilder diagram;
  auto* block = diagram.Add<CBlockAMATH>(815);
  EXPECT_EQ(block->m_nParam16, 1);
  CBlockObj* en = diagram.Add(600);
  CDiagramBuilder::Wire(en, block, 0);
  en->m_nValue[kFirstOutputPin] = 1;
  for (const Case& c : cases) {
    block->m_nParam10 = c.v[0];
    block->m_nParam15 = c.v[1];
    block->m_nParam20 = c.v[2];
    block->m_nParam22 = c.v[3];
    block->m_nParam9 = c.op[0];
    block->m_nParam14 = c.op[1];
    block->m_nParam19 = c.op[2];
    block->m_nParam11 = c.pri[0];
    block->m_nParam16 = c.pri[1];
    block->m_nParam21 = c.pri[2];
    block->Simulate(&diagram.View());
    EXPECT_EQ(block->m_nResult, c.result) << c.v[0] << " " << c.v[1] << " " << c.v[2] << " " << c.v[3];
  }
}

TEST(AnalogMathTest, EnableKeepValueAndReferencedValues) {
  CDiagramBuilder diagram;
  auto* block = diagram.Add<CBlockAMATH>(815);
  CBlockObj* en = diagram.Add(600);
  CDiagramBuilder::Wire(en, block, 0);
  auto* ref = diagram.Add<CBlockCOUNTER>(800);
  ref->m_dValue = 50000;
  block->m_pRef[1] = ref;
  block->m_nParam10 = 1;  // V1 + V2 + V3 + V4
  block->m_nParam14 = 1;  // V1 + V2 - V3 + V4
  block->m_nParam20 = 2;
  en->m_nValue[kFirstOutputPin] = 1;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nParam15, 32767);
  EXPECT_EQ(block->m_nResult, 32766);

  en->m_nValue[kFirstOutputPin] = 0;
  block->m_nParam25 = 1;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nResult, 32766);
  block->m_nParam25 = 0;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nResult, 0);

  // Enabled again, and with the referenced value changed between two scans.
  en->m_nValue[kFirstOutputPin] = 1;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nResult, 32766);
  ref->m_dValue = 10;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nResult, 9);
  ref->m_dValue = 50000;
  block->Simulate(&diagram.View());
  EXPECT_EQ(block->m_nResult, 32766);
}

TEST(StringStackTest, MisuseIsRecordedNotShown) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CStringStack stack;
  EXPECT_TRUE(stack.IsEmpty());
  for (int i = 0; i < 20; ++i) stack.Push(FormatString(u"%d", i));
  EXPECT_TRUE(stack.IsFull());
  EXPECT_EQ(stack.GetErrorCount(), 0);
  stack.Push(u"20");
  EXPECT_EQ(stack.GetErrorCount(), 1);
  EXPECT_EQ(stack.GetLastError(), CString(u"Full Stack"));
  EXPECT_EQ(stack.m_nTop, 19);
  EXPECT_EQ(stack.Top(), CString(u"19"));

  for (int i = 19; i >= 0; --i) EXPECT_EQ(stack.Pop(), FormatString(u"%d", i));
  EXPECT_EQ(stack.Pop(), CString());
  stack.Drop();
  EXPECT_EQ(stack.Top(), CString());
  EXPECT_EQ(stack.GetErrorCount(), 4);
  EXPECT_EQ(stack.GetLastError(), CString(u"Empty Stack"));
  EXPECT_EQ(stack.m_nTop, -1);
  EXPECT_TRUE(sink.messages().empty());
}

}  // namespace
