// The page pattern through the memory host: naming budget, stripping,
// reference slots, value box, tooltips, decimals and the data exchange.
#include "pages/block_param_page.h"

#include <gtest/gtest.h>

#include "pages/logic_pages.h"
#include "pages/page_harness.h"
#include "platform/recording_dc.h"

namespace {

// A page with one reference slot over a plain edit and the decimals group:
// what a page of the pattern needs to declare.
class CSlotPage : public CBlockParamPage {
 public:
  static constexpr int kIdValue = 1500, kIdSpin = 1501, kIdRef = 1546, kIdList = 104;
  CSlotPage() { AddReferenceSlot({0, kIdRef, kIdList, {kIdValue, kIdSpin}}); }
  const PageDesc& Describe() const override {
    using K = ControlKind;
    static const PageDesc desc = {
        9999,
        u"Parameter",
        CSize(200, 100),
        {{kIdBlockName, K::kEdit, u"", CRect(60, 5, 140, 18)},
         {kIdValue, K::kEdit, u"", CRect(10, 30, 60, 43), kStyleNumber},
         {kIdSpin, K::kSpin, u"", CRect(60, 30, 68, 43), 0, {}, kIdValue},
         {kIdRef, K::kButton, u"Reference", CRect(140, 30, 190, 44)},
         {kIdList, K::kCombo, u"", CRect(10, 30, 138, 130), kStyleHidden},
         {kIdDecimals, K::kEdit, u"", CRect(10, 60, 30, 73), kStyleNumber},
         {kIdDecimalsSpin, K::kSpin, u"", CRect(30, 60, 38, 73), 0, {}, kIdDecimals},
         {kIdDecimalsPreview, K::kEdit, u"", CRect(50, 60, 100, 73), kStyleReadOnly},
         {kIdProtection, K::kCheck, u"Protection Active", CRect(10, 80, 100, 92)}}};
    return desc;
  }
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, kIdBlockName, m_strName);
    DDV_MaxChars(dx, m_strName, kBlockNameChars);
    DDX_Text(dx, kIdValue, m_nValue);
    DDV_MinMaxInt(dx, m_nValue, -32768, 32767);
    DDX_Text(dx, kIdDecimals, m_nDecimals);
    DDX_Check(dx, kIdProtection, m_bProtection);
  }
  void OnInitDialog() override {
    CBlockParamPage::OnInitDialog();
    ApplyNameRule();
    FillReferenceCombos();
    ShowSlots();
    InitDecimals();
    if (Simulating()) CreateCurrentValueBox();
    AddRangeTip(kIdValue, -32768, 32767);
  }
  void OnNotify(int id, Notify code) override {
    if (id == kIdValue && code == Notify::kChange) return OnValueChange(id);
    CBlockParamPage::OnNotify(id, code);
  }
  int m_nValue = 0;
  int m_nDecimals = 0;
};

TEST(BlockParamPage, NameBudgetOf256NamedFunctionBlocks) {
  CDiagramBuilder d;
  CBlockObj* unnamed = d.Add(300);
  CBlockObj* named = nullptr;
  for (int i = 0; i < kNamedBlockBudget; ++i) {
    named = d.Add(300);
    named->m_strName = FormatString(u"N%d", i);
  }
  {
    PageHarness<CBasicFunPar> h(&d.Doc());
    h.page.m_strName = unnamed->m_strName;
    h.Open();
    EXPECT_FALSE(h.host->IsEnabled(kIdBlockName));
  }
  {
    PageHarness<CBasicFunPar> h(&d.Doc());
    h.page.m_strName = named->m_strName;
    h.Open();
    EXPECT_TRUE(h.host->IsEnabled(kIdBlockName));
  }
  named->m_strName = CString();  // clearing one name frees a place for the next page
  PageHarness<CBasicFunPar> h(&d.Doc());
  h.Open();
  EXPECT_TRUE(h.host->IsEnabled(kIdBlockName));
}

TEST(BlockParamPage, TypedNameKeepsSevenBitCharactersOnly) {
  CDiagramBuilder d;
  PageHarness<CBasicFunPar> h(&d.Doc());
  h.page.m_strName = u"Zä";  // written by the program: not stripped
  h.Open();
  EXPECT_EQ(h.host->GetText(kIdBlockName), CString(u"Zä"));
  EXPECT_FALSE(h.page.IsModified());

  const struct {
    const char16_t* typed;
    const char16_t* kept;
  } cases[] = {{u"Tür", u"Tr"}, {u"éaé", u"a"}, {u"Pump1", u"Pump1"}, {u"12345678", u"12345678"}};
  for (const auto& c : cases) {
    h.host->Type(kIdBlockName, c.typed);
    EXPECT_EQ(h.host->GetText(kIdBlockName), CString(c.kept)) << CString(c.typed).str().size();
  }
  EXPECT_TRUE(h.page.IsModified());
  h.host->Type(kIdBlockName, u"123456789");  // a ninth character cannot be typed
  EXPECT_EQ(h.host->GetText(kIdBlockName), CString(u"12345678"));
  ASSERT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_strName, CString(u"12345678"));
}

TEST(BlockParamPage, ExchangeStopsAtTheFirstRefusedValueAndFocusesIt) {
  CDiagramBuilder d;
  PageHarness<CSlotPage> h(&d.Doc());
  h.Open();
  h.host->SetText(CSlotPage::kIdValue, u"40000");
  h.host->SetText(kIdBlockName, u"LongerThan8");
  EXPECT_FALSE(h.page.UpdateData(true));
  ASSERT_EQ(h.sink.texts().size(), 1u);
  EXPECT_EQ(h.sink.texts()[0], CString(u"Please enter no more than 8 characters."));
  EXPECT_EQ(h.host->GetFocus(), kIdBlockName);

  h.host->SetText(kIdBlockName, u"Ok");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer between -32768 and 32767."));
  EXPECT_EQ(h.host->GetFocus(), CSlotPage::kIdValue);
  h.host->SetText(CSlotPage::kIdValue, u"");
  EXPECT_FALSE(h.page.UpdateData(true));
  EXPECT_EQ(h.sink.texts().back(), CString(u"Please enter an integer."));
  h.host->SetText(CSlotPage::kIdValue, u"-5");
  EXPECT_TRUE(h.page.UpdateData(true));
  EXPECT_EQ(h.page.m_nValue, -5);
}

TEST(BlockParamPage, ReferenceToggleSelectionAndOK) {
  CDiagramBuilder d;
  CBlockObj* own = d.Add(800);
  CBlockObj* b1 = d.Add(800);
  for (int i = 0; i < 10; ++i) d.Add(800);
  CBlockObj* b12 = d.Add(800);
  ASSERT_EQ(b12->m_nNumber - 9000, 12);
  PageHarness<CSlotPage> h(&d.Doc());
  h.page.m_nBlockNumber = own->m_nNumber;
  h.page.m_bRefAllowed = 1;
  h.page.m_nValue = 77;
  h.page.m_pRef[0] = b12;
  h.page.m_bRef[0] = 1;
  h.Open();
  // The list leaves the page's own block out and selects B12, not B1.
  EXPECT_EQ(h.host->GetCount(CSlotPage::kIdList), 12);
  EXPECT_TRUE(h.host->GetText(CSlotPage::kIdList).Left(3) == CString(u"B12"));
  EXPECT_TRUE(h.host->IsVisible(CSlotPage::kIdList));
  EXPECT_FALSE(h.host->IsVisible(CSlotPage::kIdValue));

  h.host->Choose(CSlotPage::kIdList, 0);
  EXPECT_EQ(h.page.m_pRef[0], b1);
  h.host->Click(CSlotPage::kIdRef);  // off: the value control shows its old number
  EXPECT_EQ(h.page.m_bRef[0], 0);
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
  EXPECT_TRUE(h.host->IsVisible(CSlotPage::kIdValue));
  EXPECT_EQ(h.host->GetText(CSlotPage::kIdValue), CString(u"77"));
  h.host->Click(CSlotPage::kIdRef);  // on again: the list's current entry
  EXPECT_EQ(h.page.m_pRef[0], b1);
  h.host->Click(CSlotPage::kIdRef);
  ASSERT_TRUE(h.page.UpdateData(true));
  h.page.OnOK();
  EXPECT_EQ(h.page.m_nRefNumber[0], -1);
  EXPECT_EQ(h.page.m_pRef[0], nullptr);
}

TEST(BlockParamPage, ReferenceButtonsFollowTheReferencesAllowed) {
  CDiagramBuilder d;
  PageHarness<CSlotPage> h(&d.Doc());
  h.Open();
  EXPECT_FALSE(h.host->IsEnabled(CSlotPage::kIdRef));
  h.host->Click(CSlotPage::kIdRef);
  EXPECT_EQ(h.page.m_bRef[0], 0);
}

TEST(BlockParamPage, ValueBoxOnlyInSimulationAndDrawnThroughTheContext) {
  CDiagramBuilder d;
  {
    PageHarness<CSlotPage> h(&d.Doc(), false);
    h.Open();
    EXPECT_FALSE(h.page.HasValueBox());
    EXPECT_FALSE(h.host->Has(kIdValueBox));
    h.page.ShowCurrentValue(u"  12");
    EXPECT_TRUE(h.page.CurrentValueText().IsEmpty());
  }
  PageHarness<CSlotPage> h(&d.Doc(), true);
  h.Open();
  ASSERT_TRUE(h.host->Has(kIdValueBox));
  EXPECT_EQ(h.host->GetText(kIdValueBox), CString(u"Current Parameter Value"));
  h.page.ShowCurrentValue(u"   123");
  EXPECT_EQ(h.host->RepaintCount(), 1);
  CRecordingDC dc;
  h.page.DrawCurrentValue(&dc, CRect(15, 100, 340, 118), 0xC0C0C0);
  const DCCall* text = dc.FindText(u"   123");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->bkColor, 0xC0C0C0u);
  const auto fills = dc.CallsOfKind(DCCall::Kind::kFillRect);  // the opaque background
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0]->rect, CRect(15, 100, 340, 118));
  EXPECT_EQ(fills[0]->fillColor, 0xC0C0C0u);
}

TEST(BlockParamPage, DecimalsAreHeldToThreeWithTheirPreview) {
  CDiagramBuilder d;
  PageHarness<CSlotPage> h(&d.Doc());
  h.page.m_nDecimals = 1;
  h.Open();
  EXPECT_EQ(h.host->GetText(kIdDecimalsPreview), CString(u"+1234.5"));
  EXPECT_EQ(h.host->GetTip(kIdDecimals), CString(u"Number between 0 and 3"));
  EXPECT_EQ(h.host->GetTip(CSlotPage::kIdValue), CString(u"Number between -32768 and 32767"));
  h.host->Type(kIdDecimals, u"7");
  EXPECT_EQ(h.host->GetText(kIdDecimals), CString(u"3"));
  EXPECT_EQ(h.host->GetText(kIdDecimalsPreview), CString(u"+12.345"));
  h.host->Type(kIdDecimals, u"");
  EXPECT_TRUE(h.host->GetText(kIdDecimalsPreview).IsEmpty());
  EXPECT_FALSE(h.page.UpdateData(true));  // an empty decimals edit is no integer
}

}  // namespace
