// The Modbus read/write page and the coil states through the memory host.
#include "pages/modbus_page.h"

#include <gtest/gtest.h>

#include "blocks/comm_blocks.h"
#include "pages/block_round_trip.h"
#include "properties/block_sheet.h"

namespace {

using M = CModbusPropPage;

TEST(ModbusBits, TestAndOr) {
  EXPECT_EQ(TestBit16(0x8000, 15), 1);
  EXPECT_EQ(TestBit16(0x8000, 16), 0);
  WORD w = 0;
  EXPECT_EQ(*OrBit16(&w, 3, 1), 8);
  EXPECT_EQ(*OrBit16(&w, 19, 1), 8);  // bits 16..31 leave the word
}

TEST(ModbusBits, CoilsPackIntoTwoWords) {
  CCoilStateDlg dlg;
  dlg.m_nCommand = 2;
  dlg.m_nCount = 20;
  EXPECT_TRUE(dlg.CoilEnabled(19));
  EXPECT_FALSE(dlg.CoilEnabled(20));
  dlg.m_bCoil[0] = dlg.m_bCoil[17] = true;
  dlg.m_bCoil[25] = true;  // beyond the count: not packed
  dlg.PackCoils();
  EXPECT_EQ(dlg.m_strWord1, CString(u"1"));
  EXPECT_EQ(dlg.m_strWord2, CString(u"2"));
  dlg.m_strWord1 = u"8001";
  dlg.UnpackCoils();
  EXPECT_TRUE(dlg.m_bCoil[15]);
  EXPECT_TRUE(dlg.m_bCoil[17]);
  dlg.m_nCommand = 0;
  EXPECT_TRUE(dlg.CoilEnabled(0));
  EXPECT_FALSE(dlg.CoilEnabled(1));
}

struct CountCase {
  int type, command;
  const char16_t* typed;
  const char16_t* shown;
  bool countEnabled;
};

class ModbusCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(ModbusCount, CountIsHeldToTheCommand) {
  const CountCase& c = GetParam();
  CDiagramBuilder d;
  PageHarness<M> h(&d.Doc());
  h.page.m_nType = c.type;
  h.Open();
  h.host->Choose(M::kIdCommand, c.command);
  EXPECT_EQ(h.host->IsEnabled(M::kIdCount), c.countEnabled);
  if (c.countEnabled) h.host->Type(M::kIdCount, c.typed);
  EXPECT_EQ(h.host->GetText(M::kIdCount), CString(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ModbusCount,
    ::testing::Values(CountCase{813, 0, u"200", u"128", true}, CountCase{813, 2, u"40", u"32", true},
                      CountCase{814, 0, u"", u"1", false}, CountCase{814, 1, u"", u"1", false},
                      CountCase{814, 2, u"33", u"32", true}, CountCase{814, 3, u"5", u"2", true}));

TEST(ModbusPage, AreasFollowTheCommandKind) {
  CDiagramBuilder d;
  PageHarness<M> h(&d.Doc());
  h.page.m_nType = 814;
  h.Open();
  ASSERT_EQ(h.host->GetCount(M::kIdDataType), 3);
  EXPECT_EQ(h.host->GetItemText(M::kIdDataType, 2), CString(u"I"));
  h.host->Choose(M::kIdCommand, 2);   // 15
  h.host->Choose(M::kIdDataType, 1);  // Q
  h.host->Choose(M::kIdCommand, 0);   // 05: same kind keeps Q
  EXPECT_EQ(h.host->GetText(M::kIdDataType), CString(u"Q"));
  h.host->Choose(M::kIdCommand, 3);  // 16: registers, AM
  EXPECT_EQ(h.host->GetText(M::kIdDataType), CString(u"AM"));
  h.host->Choose(M::kIdCommand, 0);
  EXPECT_EQ(h.host->GetText(M::kIdDataType), CString(u"M"));
}

TEST(ModbusPage, AutoAddressAndManualWords) {
  CDiagramBuilder d;
  {
    PageHarness<M> h(&d.Doc());
    h.page.m_nType = 813;
    h.Open();
    EXPECT_FALSE(h.host->IsEnabled(M::kIdManual));
    EXPECT_FALSE(h.host->IsEnabled(M::kIdConfig));
    h.host->Choose(M::kIdDataType, 1);  // Q
    h.host->Type(M::kIdDataAddress, u"200");
    EXPECT_EQ(h.host->GetText(M::kIdDataAddress), CString(u"127"));
    ASSERT_TRUE(h.page.UpdateData(true));
    h.page.OnOK();
    EXPECT_EQ(h.page.m_nFunction, 1);
    EXPECT_EQ(h.page.m_nDataLow, 383);
    EXPECT_EQ(h.page.m_nDataHigh, 0);
  }
  PageHarness<M> h(&d.Doc());
  h.page.m_nType = 814;
  h.Open();
  h.host->Choose(M::kIdCommand, 2);  // 15
  h.host->Click(M::kIdManual);
  EXPECT_TRUE(h.host->IsEnabled(M::kIdConfig));
  h.host->Type(M::kIdCount, u"20");
  h.host->Type(M::kIdWord1, u"ffff");
  EXPECT_EQ(h.host->GetText(M::kIdWord1), CString(u"FFFF"));
  h.host->Type(M::kIdWord2, u"Fg,F");  // only hex digits stay
  EXPECT_EQ(h.host->GetText(M::kIdWord2), CString(u"FF"));
  h.host->Type(M::kIdWord2, u"FFFF");
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nFunction, 15);
  EXPECT_EQ(h.page.m_nDataLow, 0xFFFF);
  EXPECT_EQ(h.page.m_nDataHigh, 0x000F);
  h.host->SetText(M::kIdWord1, u"x1");  // a pasted text loses what is not hex
  EXPECT_EQ(h.host->GetText(M::kIdWord1), CString(u"1"));
}

TEST(ModbusPage, HexWordsParseOrAreRefused) {
  struct Case {
    const char16_t* text;
    bool ok;
    int value;
  };
  for (const Case& c : {Case{u"", true, 0}, Case{u"ffff", true, 0xFFFF}, Case{u"1A", true, 0x1A},
                        Case{u"g", false, 0}, Case{u"12345", false, 0}, Case{u"1,", false, 0}}) {
    int value = -1;
    EXPECT_EQ(ParseHexWord(c.text, &value), c.ok) << c.value;
    if (c.ok) {
      EXPECT_EQ(value, c.value);
    }
  }
}

TEST(ModbusPage, RoundTrip) {
  CDiagramBuilder d;
  for (int type : {813, 814}) {
    auto* a = dynamic_cast<CBlockMR*>(d.Add(type));
    auto* b = d.Add(type);
    ASSERT_NE(a, nullptr);
    a->m_strName = u"MB";
    a->m_bySlaveAddress = 7;
    a->m_nPort = 1;
    a->m_byCommand = 2;
    a->m_byFunction = type == 813 ? 3 : 15;
    a->m_wRegister = 40000;
    a->m_wCount = 4;
    a->m_nDataType = 1;
    a->m_wDataIndex = 20;
    a->m_wDataAddress = type == 813 ? 584 : 276;  // AQ20 / Q20
    a->m_strDataLow = u"0";
    a->m_strDataHigh = u"0";
    PageRoundTrip<M>(d, *a, *b);
  }
}

}  // namespace

namespace {

TEST(ModbusSheet, ApplyComputesCodeAndAddressAsOkDoes) {
  CDiagramBuilder d;
  CBlockObj* block = d.Add(814);
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *block, v);
  CBlockSheet sheet(814, u"", CPageContext{&d.Doc(), true});
  sheet.LoadValues(v);
  CParamPage* page = sheet.Pages()[0];
  CMemoryHost host(page->Describe(), page);
  page->Attach(&host, sheet.Context());
  page->Initialise();
  host.Choose(CModbusPropPage::kIdCommand, 3);   // 16
  host.Choose(CModbusPropPage::kIdDataType, 2);  // AI
  host.Type(CModbusPropPage::kIdDataAddress, u"10");
  ASSERT_TRUE(sheet.OnApply(0));
  const BlockPageValues out = sheet.Values();
  EXPECT_EQ(out.modbus.m_nFunction, 16);
  EXPECT_EQ(out.modbus.m_nDataLow, 510);
}

}  // namespace
