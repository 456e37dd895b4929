// Block -> page -> block through the Block Properties copying: the page opens
// on the block's values, OK runs untouched, and a second block of the type
// takes the result. What comes back equals what went in.
#pragma once

#include <gtest/gtest.h>

#include "pages/page_harness.h"
#include "properties/param_copy.h"

template <typename Page>
BlockPageValues PageRoundTrip(CDiagramBuilder& d, CBlockObj& from, CBlockObj& to) {
  BlockPageValues in;
  CopyBlockToPage(&d.Doc(), from, in);
  PageHarness<Page> h(&d.Doc());
  h.page.LoadValues(in);
  h.Open();
  EXPECT_TRUE(h.page.UpdateData(true)) << from.m_nType;
  EXPECT_TRUE(h.sink.texts().empty()) << from.m_nType;
  h.page.OnOK();
  BlockPageValues out = in;
  h.page.StoreValues(out);
  CopyPageToBlock(out, to);
  BlockPageValues back;
  CopyBlockToPage(&d.Doc(), to, back);
  back.pattern.m_nBlockNumber = in.pattern.m_nBlockNumber;
  EXPECT_TRUE(back == in) << from.m_nType;
  return back;
}
