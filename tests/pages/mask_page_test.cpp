// The mask page and the bit-mask dialog: the hexadecimal edit, the bits, the
// NOT mask's layout, the reference, and the round trip.
#include "pages/mask_page.h"

#include <gtest/gtest.h>

#include "model/block_obj.h"
#include "pages/page_dialog.h"
#include "pages/page_harness.h"
#include "properties/scripted_runner.h"

namespace {

using K = CMask;

TEST(MaskPage, TextRules) {
  struct Row {
    const char16_t* text;
    const char16_t* kept;
    int mask;
  };
  const Row rows[] = {{u"001F", u"001F", 0x1F},   {u"ab", u"AB", 0xAB},
                      {u"g-1", u"1", 1},          {u"", u"", 0},
                      {u"FFFF", u"FFFF", 0xFFFF}, {u"8 01f", u"801F", 0x801F}};
  for (const Row& r : rows) {
    EXPECT_EQ(K::FilterMask(r.text), CString(r.kept)) << CString(r.text).ToUtf8();
    EXPECT_EQ(K::ParseMask(K::FilterMask(r.text)), r.mask) << CString(r.text).ToUtf8();
  }
}

TEST(MaskPage, SettingShowsTheBitsAndWritesTheChosenOnes) {
  CDiagramBuilder d;
  PageHarness<K> h(&d.Doc());
  h.page.m_nType = 838;
  h.page.m_strMask = u"1F";
  h.page.m_nMask = 0x1F;
  h.Open();
  EXPECT_EQ(h.host->GetText(K::kIdMask), CString(u"001F"));
  EXPECT_EQ(h.host->GetTip(K::kIdMask), CString(u"Number(Hex) between 0x0000 and 0xFFFF"));
  std::vector<int> checked;
  ScopedDialogScript dialog([&checked](CMemoryHost& host) {
    for (int n = 0; n < CBitMaskDlg::kBits; ++n)
      if (host.GetCheck(CBitMaskDlg::kIdFirstBit + n)) checked.push_back(n);
    host.Click(CBitMaskDlg::kIdFirstBit + 15);
    return IDOK;
  });
  h.host->Click(K::kIdSetting);
  EXPECT_EQ(checked, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(h.host->GetText(K::kIdMask), CString(u"801F"));
  EXPECT_EQ(h.page.m_nMask, 0x801F);
  EXPECT_TRUE(h.page.IsModified());

  ScopedDialogScript cancel([](CMemoryHost& host) {
    host.Click(CBitMaskDlg::kIdFirstBit);
    return IDCANCEL;
  });
  h.host->Click(K::kIdSetting);
  EXPECT_EQ(h.host->GetText(K::kIdMask), CString(u"801F"));
}

TEST(MaskPage, NotMaskShowsNoMask) {
  CDiagramBuilder d;
  PageHarness<K> h(&d.Doc(), true);
  h.page.m_nType = K::kNotMask;
  h.page.m_bRefAllowed = 1;
  h.Open();
  for (int id : {K::kIdGroup, K::kIdMask, K::kIdSetting, K::kIdHex, K::kIdReference})
    EXPECT_FALSE(h.host->IsVisible(id));
  EXPECT_TRUE(h.host->GetTip(K::kIdMask).IsEmpty());
  EXPECT_TRUE(h.page.HasValueBox());
  EXPECT_TRUE(h.host->IsVisible(K::kIdProtection));
}

TEST(MaskPage, RoundTripsForEveryMaskType) {
  for (int type : {838, 839, 841, 842, 843}) {
    CDiagramBuilder d;
    CBlockObj* mask = d.Add(type);
    CBlockProperties command(&d.Doc());
    ScriptedRunner runner;
    runner.script = [](CBlockSheet&, CMemoryHost& host) { host.Type(K::kIdMask, u"c3a5"); };
    ASSERT_TRUE(command.Run(mask, false, runner)) << type;
    EXPECT_EQ(mask->m_nParam10, 0xC3A5) << type;
    runner.script = [](CBlockSheet&, CMemoryHost& host) {
      EXPECT_EQ(host.GetText(K::kIdMask), CString(u"C3A5"));
      host.Click(K::kIdReference);  // a block gives the mask
    };
    d.Add(800);
    ASSERT_TRUE(command.Run(mask, false, runner)) << type;
    EXPECT_EQ(mask->m_nParam10, 0) << type;
    EXPECT_NE(mask->m_pRef[0], nullptr) << type;
    EXPECT_EQ(mask->m_bUseRef[0], 1) << type;
  }
}

}  // namespace
