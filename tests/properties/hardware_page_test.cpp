// The Hardware page on the memory host: the model tree, the Resources text,
// the sheet's OK following the compatibility checks, the double click.
#include "properties/hardware_page.h"

#include <gtest/gtest.h>

#include "model/model_table.h"
#include "model/zarad_doc.h"
#include "pages/page_harness.h"
#include "platform/string_table.h"
#include "properties/hardware_rules.h"
#include "properties/param_copy.h"

namespace {

using H = CSelectHardware;

struct HardwarePage {
  explicit HardwarePage(CZaradDoc* doc) : h(doc) {
    h.page.m_enableSheetOK = [this](bool enable) { ok = enable; };
    h.page.m_isSheetOKEnabled = [this] { return ok; };
    h.page.m_endSheetWithOK = [this] { ++ended; };
    h.Open();
  }
  void Choose(int position) { h.host->Choose(H::kIdTree, position); }
  CString Resources() const { return h.host->GetText(H::kIdResources); }
  PageHarness<H> h;
  bool ok = true;
  int ended = 0;
};

TEST(HardwarePage, TreeOfFiveSeriesWithTheDocumentsModelSelected) {
  CDiagramBuilder d(kDocFbd, 0x5288);
  HardwarePage p(&d.Doc());
  CMemoryHost& host = *p.h.host;
  ASSERT_EQ(host.GetCount(H::kIdTree), 10);
  const char16_t* const series[] = {u"Rilo Series", u"Semka Series", u"Dunri Series", u"Velka Series",
                                    u"Pomri Series"};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(host.GetItemText(H::kIdTree, 2 * i), CString(series[i]));
    EXPECT_EQ(host.TreeParent(H::kIdTree, 2 * i), -1);
    EXPECT_EQ(host.TreeParent(H::kIdTree, 2 * i + 1), 2 * i);
    EXPECT_EQ(host.GetItemText(H::kIdTree, 2 * i + 1), GetFirmwareLabel(i >= 2));
  }
  EXPECT_EQ(host.GetCurSel(H::kIdTree), 7);
  EXPECT_EQ(p.Resources().Find(u"Known Blocks:\r\nConstants/Connectors:\t\tInput,"), 0);
  EXPECT_NE(p.Resources().Find(u"\r\nShift register bits\t\t\t16\r\n128\r\n"), -1);
  p.Choose(6);  // a series node: empty
  EXPECT_TRUE(p.Resources().IsEmpty());
  EXPECT_TRUE(p.ok);
}

TEST(HardwarePage, DowngradeRefusalKeepsOkOffUntilAModelPasses) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  CBlockObj* weekly = d.Add(410);
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *weekly, v);
  v.weekly.m_bPulseOutput = 1;
  CopyPageToBlock(v, *weekly);
  HardwarePage p(&d.Doc());
  p.Choose(0);  // "Rilo Series": OK off, the box stays empty
  EXPECT_FALSE(p.ok);
  EXPECT_TRUE(p.Resources().IsEmpty());
  p.Choose(1);
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.Resources(),
            FormatString(u"B%d : The pulse function is not available", weekly->m_nNumber - 9000));
  p.h.host->DoubleClick(H::kIdTree, 1);  // OK is off: nothing ends
  EXPECT_EQ(p.ended, 0);
  p.Choose(4);  // "Dunri Series" again
  EXPECT_TRUE(p.ok);
  p.h.host->DoubleClick(H::kIdTree, 4);  // a series node: nothing
  EXPECT_EQ(p.ended, 0);
  p.h.host->DoubleClick(H::kIdTree, 9);
  EXPECT_EQ(p.ended, 1);
}

TEST(HardwarePage, LeavingTheWifiSeriesNeedsNoWifiBlock) {
  CDiagramBuilder d(kDocFbd, 0x5288);
  CBlockObj* wifi = d.Add(824);
  HardwarePage p(&d.Doc());
  p.Choose(9);
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.Resources(), CheckWifiRule(d.Doc()));
  EXPECT_EQ(p.Resources().Find(FormatString(u"B%d", wifi->m_nNumber - 9000)), 0);
  EXPECT_NE(p.Resources().Find(u"Not supported!"), -1);
  p.Choose(8);  // another series node: OK off, the box empty
  EXPECT_FALSE(p.ok);
  EXPECT_TRUE(p.Resources().IsEmpty());
  p.Choose(7);
  EXPECT_TRUE(p.ok);
}

// The Chinese interface lists the resources in its own words, line for line with the
// same numbers as the English list; a refusal shows in Chinese too.
TEST(HardwarePage, ChineseInterfaceShowsTheResourcesInChinese) {
  const CString english = H::ResourcesText(7);
  struct Chinese {
    Chinese() { g_LanguageIsChinese = 1; }
    ~Chinese() { g_LanguageIsChinese = 0; }
  } chinese;
  CDiagramBuilder d(kDocFbd, 0x5288);
  CBlockObj* wifi = d.Add(824);
  HardwarePage p(&d.Doc());
  const CString text = p.Resources();
  EXPECT_EQ(text, H::ResourcesText(7));
  EXPECT_EQ(text.Find(u"支持的块:\r\n常量/端子:\t\t输入,"), 0);
  EXPECT_NE(text.Find(u"\r\n功能块\t\t1024\r\n"), -1);
  EXPECT_NE(text.Find(u"\r\n移位寄存器位\t\t16\r\n128\r\n"), -1);
  auto lines = [](const CString& t) {
    std::vector<CString> out;
    int start = 0;
    for (int end; (end = t.Find(u"\r\n", start)) >= 0; start = end + 2)
      out.push_back(t.Mid(start, end - start));
    out.push_back(t.Mid(start));
    return out;
  };
  auto digits = [](const CString& t) {
    CString out;
    for (int i = 0; i < t.GetLength(); ++i)
      if (t[i] >= u'0' && t[i] <= u'9') out += t[i];
    return out;
  };
  const std::vector<CString> en = lines(english), zh = lines(text);
  ASSERT_EQ(zh.size(), en.size());
  for (size_t i = 0; i < en.size(); ++i) {
    EXPECT_EQ(digits(zh[i]), digits(en[i])) << i;
    EXPECT_EQ(zh[i].IsEmpty(), en[i].IsEmpty()) << i;
    // English words only where the devices name them so: Modbus.
    CString letters = zh[i];
    letters.Replace(u"Modbus", u"");
    for (int k = 0; k < letters.GetLength(); ++k)
      EXPECT_FALSE((letters[k] >= u'A' && letters[k] <= u'Z') || (letters[k] >= u'a' && letters[k] <= u'z'))
          << i << ": " << zh[i].ToUtf8();
  }
  p.Choose(9);  // the WiFi block cannot go to the newest series
  EXPECT_FALSE(p.ok);
  EXPECT_EQ(p.Resources(), CaptionText(CheckWifiRule(d.Doc())));
  EXPECT_EQ(p.Resources().Find(FormatString(u"B%d", wifi->m_nNumber - 9000)), 0);
  EXPECT_NE(p.Resources().Find(u" : 不支持!"), -1);
  EXPECT_EQ(p.Resources().Find(u"Not supported"), -1);
}

TEST(HardwarePage, OkNamesTheChosenModelOnlyWhenItChanges) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  struct Row {
    int position;
    WORD model;
  };
  for (const Row& r :
       {Row{5, 0}, Row{4, 0}, Row{1, 0x1188}, Row{3, 0x2188}, Row{7, 0x5288}, Row{9, 0x6188}}) {
    HardwarePage p(&d.Doc());
    p.Choose(r.position);
    p.h.page.OnOK();
    EXPECT_EQ(p.h.page.m_wNewModel, r.model) << r.position;
  }
}

}  // namespace
