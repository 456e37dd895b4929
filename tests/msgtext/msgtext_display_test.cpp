// The message texts in simulation: which message becomes active in a scan,
// the preview's page order and the page that comes to the front.
#include "msgtext/msgtext_display.h"

#include <gtest/gtest.h>

#include "msgtext/msgtext_block.h"
#include "support/diagram_builder.h"

namespace {

class MsgTextDisplayTest : public testing::Test {
 protected:
  // Message texts X, Y, Z with priorities 3, 1, 2, each enabled by an input.
  void SetUp() override {
    const int priorities[3] = {3, 1, 2};
    for (int i = 0; i < 3; ++i) {
      m_in[i] = m_b.Add(600);
      m_msg[i] = m_b.Add<CBlockMSGTEXT>(810);
      m_msg[i]->SetPriority(priorities[i]);
      CDiagramBuilder::Wire(m_in[i], m_msg[i], 0);
    }
  }
  void Enable(int i, int on) { m_in[i]->m_nValue[kFirstOutputPin] = on; }
  MessageTextScan Scan() { return ScanMessageTexts(&m_b.Doc(), &m_b.View()); }
  int PageOf(int i) const { return i == 0 ? 2 : i == 1 ? 0 : 1; }

  CDiagramBuilder m_b;
  CBlockObj* m_in[3] = {};
  CBlockMSGTEXT* m_msg[3] = {};
};

TEST_F(MsgTextDisplayTest, PagesByPriorityWithCaptions) {
  const auto pages = MessageTextsByPriority(m_b.Doc());
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0], m_msg[1]);
  EXPECT_EQ(pages[1], m_msg[2]);
  EXPECT_EQ(pages[2], m_msg[0]);
  EXPECT_EQ(MessageTextPageCaption(pages[0]->GetPriority()), CString(u"1"));
  EXPECT_EQ(MessageTextPageCaption(-1), CString(u"-")) << "a block without a priority";
  EXPECT_EQ(MessageTextPageCaption(31), CString(u"-"));
}

TEST_F(MsgTextDisplayTest, ScanReportsActivationAndTheFrontPage) {
  const auto pages = MessageTextsByPriority(m_b.Doc());
  EXPECT_EQ(Scan().event, MessageTextScan::kNone);

  Enable(2, 1);  // Z on
  MessageTextScan s = Scan();
  EXPECT_EQ(s.event, MessageTextScan::kActivated);
  EXPECT_EQ(s.number, m_msg[2]->m_nNumber);
  EXPECT_EQ(m_msg[2]->m_bCaptureTime, 1);
  EXPECT_EQ(MessageTextPageToActivate(pages, 1, s.number, 0), PageOf(2));

  Enable(0, 1);  // X on while Z is on: X's page comes forward
  s = Scan();
  EXPECT_EQ(s.number, m_msg[0]->m_nNumber);
  EXPECT_EQ(MessageTextPageToActivate(pages, 1, s.number, PageOf(2)), PageOf(0));

  Enable(2, 0);  // Z off, X stays: the page of X is in front and stays
  Enable(2, 1);
  Scan();
  s = Scan();
  EXPECT_EQ(s.event, MessageTextScan::kNone);
  EXPECT_EQ(MessageTextPageToActivate(pages, 1, m_msg[2]->m_nNumber, PageOf(0)), -1);

  Enable(0, 0);  // X off: Z comes to the front
  s = Scan();
  EXPECT_EQ(s.event, MessageTextScan::kDeactivated);
  EXPECT_EQ(s.number, m_msg[0]->m_nNumber);
  EXPECT_EQ(MessageTextPageToActivate(pages, 2, s.number, PageOf(0)), PageOf(2));

  Enable(2, 0);
  EXPECT_EQ(Scan().event, MessageTextScan::kAllOff);
}

TEST_F(MsgTextDisplayTest, PriorityZeroAloneIsBrought) {
  m_msg[1]->SetPriority(0);
  const auto pages = MessageTextsByPriority(m_b.Doc());
  Enable(1, 1);
  const MessageTextScan s = Scan();
  EXPECT_EQ(MessageTextPageToActivate(pages, 1, s.number, 2), 0);
}

TEST_F(MsgTextDisplayTest, AcknowledgedMessageStaysOn) {
  m_msg[1]->SetAcknowledge(1);
  Enable(1, 1);
  EXPECT_EQ(Scan().event, MessageTextScan::kActivated);
  EXPECT_EQ(m_msg[1]->m_bAckLatch, 1);
  EXPECT_EQ(m_msg[1]->GetAckPending(), 1);
  Enable(1, 0);
  EXPECT_EQ(Scan().event, MessageTextScan::kNone) << "the latch holds the output";
  EXPECT_EQ(m_msg[1]->m_nValue[kFirstOutputPin], 1);
}

}  // namespace
