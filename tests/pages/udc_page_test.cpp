// The user-defined communication page through the memory host.
#include "pages/udc_page.h"

#include <gtest/gtest.h>

#include "pages/block_round_trip.h"

namespace {

using U = CUDC;

TEST(UdcPage, HexTextsParseOrAreRefused) {
  struct Case {
    const char16_t* text;
    bool ok;
    int value;
  };
  const Case cases[] = {{u"0D", true, 13},  {u"D", true, 13}, {u"", true, 0},    {u"ff", true, 255},
                        {u"FF", true, 255}, {u"g", false, 0}, {u"1G", false, 0}, {u"1 ", false, 0}};
  for (const Case& c : cases) {
    int value = -1;
    EXPECT_EQ(U::ParseHexByte(c.text, &value), c.ok) << CString(c.text).GetLength();
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
  // On the page: typed or pasted, the edit keeps hex digits only.
  CDiagramBuilder d;
  PageHarness<U> h(&d.Doc());
  h.page.m_nTxCount = h.page.m_nRxCount = 1;
  h.page.m_bFrameOption[1] = 1;
  h.Open();
  h.host->Type(U::kIdTxEnd, u"0D");
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_byChars[1], 13);
  h.host->SetText(U::kIdTxEnd, u"z,a");  // pasted: only the hex digit stays, in upper case
  EXPECT_EQ(h.host->GetText(U::kIdTxEnd), CString(u"A"));
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_byChars[1], 10);
}

TEST(UdcPage, ChecksGovernTheirEditsAndAddressesAreClamped) {
  CDiagramBuilder d;
  PageHarness<U> h(&d.Doc());
  h.page.m_bFrameOption[0] = 1;
  h.page.m_strChars[0] = u"2";
  h.page.m_nTxCount = h.page.m_nRxCount = 1;
  h.Open();
  EXPECT_TRUE(h.host->IsEnabled(U::kIdTxStart));
  EXPECT_FALSE(h.host->IsEnabled(U::kIdRxEnd));
  h.host->Click(U::kIdTxStartCheck);
  EXPECT_FALSE(h.host->IsEnabled(U::kIdTxStart));
  EXPECT_EQ(h.host->GetText(U::kIdTxStart), CString(u"2"));
  h.host->Choose(U::kIdTxArea, 1);  // AQ
  h.host->Type(U::kIdTxAddress, u"45");
  EXPECT_EQ(h.host->GetText(U::kIdTxAddress), CString(u"31"));
  h.host->Choose(U::kIdTxArea, 0);  // AM keeps 31
  EXPECT_EQ(h.host->GetText(U::kIdTxAddress), CString(u"31"));
  h.host->Type(U::kIdRxAddress, u"600");
  EXPECT_EQ(h.host->GetText(U::kIdRxAddress), CString(u"511"));
}

TEST(UdcPage, CountsRunFrom1To127) {
  struct Case {
    const char16_t* count;
    bool ok;
  };
  for (const Case& c : {Case{u"0", false}, Case{u"1", true}, Case{u"127", true}, Case{u"128", false}}) {
    CDiagramBuilder d;
    PageHarness<U> h(&d.Doc());
    h.page.m_nTxCount = h.page.m_nRxCount = 1;
    h.Open();
    h.host->SetText(U::kIdRxCount, c.count);
    EXPECT_EQ(h.page.UpdateData(true), c.ok);
  }
}

TEST(UdcPage, RoundTripShowsStoredCharactersInHex) {
  CDiagramBuilder d;
  CBlockObj* a = d.Add(855);
  CBlockObj* b = d.Add(855);
  a->m_strName = u"U";
  a->m_nParam5 = 1;      // P4: transmit start character used
  a->m_nParam10 = 0x02;  // P9: transmit start character
  a->m_nParam15 = 0xFF;  // X2: transmit end character
  a->m_nParam17 = 2;     // X3: port
  a->m_nParam22 = 5;     // X9: transmit count
  a->m_nParam21 = 9;     // X8: receive count
  a->m_nParam6 = 30;     // P5: transmit address
  BlockPageValues in;
  CopyBlockToPage(&d.Doc(), *a, in);
  EXPECT_EQ(in.udc.m_strChars[0], CString(u"2"));
  EXPECT_EQ(in.udc.m_strChars[1], CString(u"FF"));
  PageRoundTrip<U>(d, *a, *b);
  EXPECT_EQ(b->m_nParam15 & 0xFF, 0xFF);
}

}  // namespace
