// The message-text dialogs on the memory host: bar graph, scope and pointer
// settings, scale time, graph, I/O status names, AI filter and the message
// text settings with their rules.
#include "pages/msg_element_dlgs.h"

#include <gtest/gtest.h>

#include "blocks/block_factory.h"
#include "controls/grid_ctrl.h"
#include "controls/grid_fake_window.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "pages/page_harness.h"

namespace {

// Opens a dialog on a memory host; OK runs the exchange and OnOK as the runner does.
template <typename Dlg>
struct DialogBench {
  Dlg dlg;
  std::unique_ptr<CMemoryHost> host;
  RecordingMessageSink sink;
  ScopedMessageSink scope{&sink};
  void Open() {
    host = std::make_unique<CMemoryHost>(dlg.Describe(), &dlg);
    dlg.Attach(host.get(), CPageContext{});
    dlg.Initialise();
  }
  bool OK() {
    if (!dlg.UpdateData(true)) return false;
    dlg.OnOK();
    return true;
  }
};

TEST(BarGraphDlgTest, ChecksBeforeTheElementChanges) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  CBlockObj* first = b.Add(800);
  CBlockObj* second = b.Add(800);
  CWidget element;
  element.m_pBlock = first;
  element.m_nNumber = first->m_nNumber;
  element.m_nParam = 16;
  DialogBench<CBarGraphDlg> bench;
  bench.dlg.m_pDoc = &b.Doc();
  bench.dlg.m_pElement = &element;
  bench.dlg.m_nValueIndex = 0;
  bench.Open();
  EXPECT_EQ(bench.host->GetCurSel(CBarGraphDlg::kIdBlock), 0);  // the element's block
  EXPECT_EQ(bench.host->GetCurSel(CBarGraphDlg::kIdValue), 0);
  bench.host->Choose(CBarGraphDlg::kIdBlock, 1);
  bench.host->Type(CBarGraphDlg::kIdMax, u"40000");
  EXPECT_EQ(bench.host->GetText(CBarGraphDlg::kIdMax), CString(u"32767"));
  bench.host->Type(CBarGraphDlg::kIdMin, u"32767");  // equal limits
  EXPECT_FALSE(bench.OK());
  EXPECT_EQ(bench.sink.texts().back(), CString(u"The MaxValue must be larger than the MinValue."));
  EXPECT_EQ(element.m_pBlock, first);  // a refused OK leaves the element alone
  bench.host->Type(CBarGraphDlg::kIdMin, u"-40000");
  EXPECT_EQ(bench.host->GetText(CBarGraphDlg::kIdMin), CString(u"-32768"));
  bench.host->Type(CBarGraphDlg::kIdSize, u"13");
  EXPECT_FALSE(bench.OK());  // the bar is 2..12 cells long
  bench.host->Type(CBarGraphDlg::kIdSize, u"12");
  ASSERT_TRUE(bench.OK());
  EXPECT_EQ(element.m_pBlock, second);
  EXPECT_EQ(element.m_nNumber, second->m_nNumber);
  EXPECT_EQ(bench.dlg.m_nSize, 12);
  EXPECT_EQ(bench.dlg.m_nMinValue, -32768);
}

TEST(BarGraphDlgTest, ScopeAndPointerForms) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  b.Add(800);
  b.Doc().m_nScopeTime = 70;
  DialogBench<CBarGraphDlg> scope;
  scope.dlg.m_pDoc = &b.Doc();
  scope.dlg.m_nKind = MSGELEM_SCOPE;
  scope.Open();
  EXPECT_EQ(scope.host->GetText(CBarGraphDlg::kIdSize), CString(u"70"));
  EXPECT_FALSE(scope.host->IsEnabled(CBarGraphDlg::kIdSize));
  EXPECT_EQ(scope.host->GetText(CBarGraphDlg::kIdSizeLabel), CString(u"Time:"));
  EXPECT_EQ(scope.dlg.m_strTitle, CString(u"Scope setting"));
  DialogBench<CBarGraphDlg> pointer;
  pointer.dlg.m_pDoc = &b.Doc();
  pointer.dlg.m_nKind = MSGELEM_POINTER;
  pointer.Open();
  EXPECT_FALSE(pointer.host->IsVisible(CBarGraphDlg::kIdSize));
  EXPECT_FALSE(pointer.host->IsVisible(CBarGraphDlg::kIdGroup));
  // Without a block chosen OK only tells so.
  EXPECT_FALSE(pointer.OK());
  EXPECT_EQ(pointer.sink.texts().back(), CString(u"Select the function block."));
  pointer.host->Choose(CBarGraphDlg::kIdBlock, 0);
  EXPECT_EQ(pointer.host->GetCurSel(CBarGraphDlg::kIdValue), 0);  // the first value
  ASSERT_TRUE(pointer.OK());
  EXPECT_EQ(pointer.dlg.m_nSize, 2);  // a pointer carries its size through
  EXPECT_EQ(pointer.dlg.ChosenParam(), 16);
}

TEST(ScaleTimeAndGraphDlgTest, Choices) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  b.Add(800);
  DialogBench<CScaleTimeDlg> scale;
  scale.dlg.m_pDoc = &b.Doc();
  scale.Open();
  EXPECT_EQ(scale.host->GetCurSel(CScaleTimeDlg::kIdTimeBase), 3);
  EXPECT_FALSE(scale.OK());
  scale.host->Choose(CScaleTimeDlg::kIdBlock, 0);
  scale.host->Choose(CScaleTimeDlg::kIdTimeBase, 1);
  ASSERT_TRUE(scale.OK());
  EXPECT_EQ(scale.dlg.m_nTimeBase, 1);
  EXPECT_EQ(scale.dlg.m_nValueIndex, 0);

  DialogBench<CGraphDlg> fresh;
  fresh.Open();
  ASSERT_TRUE(fresh.OK());
  EXPECT_EQ(fresh.dlg.m_nGraphIndex, 0);
  DialogBench<CGraphDlg> editing;
  editing.dlg.m_bEditing = 1;
  editing.dlg.m_nGraphIndex = 7;
  editing.Open();
  EXPECT_EQ(editing.host->GetText(CGraphDlg::kIdPreview), CString(u"8"));
  // Each button keeps its number and names its picture and the cells it covers.
  EXPECT_EQ(editing.host->GetText(CGraphDlg::kIdFirstPicture + 4), CString(u"5"));
  EXPECT_EQ(editing.host->GetTip(CGraphDlg::kIdFirstPicture + 4),
            CString(u"Picture 5 (4 lines x 12 columns)"));
  EXPECT_EQ(editing.host->GetTip(CGraphDlg::kIdFirstPicture + 29),
            CString(u"Picture 30 (4 lines x 12 columns)"));
  editing.host->Click(CGraphDlg::kIdFirstPicture + 29);
  ASSERT_TRUE(editing.OK());
  EXPECT_EQ(editing.dlg.m_nGraphIndex, 29);
}

TEST(IoStatusNameDlgTest, EntriesAndNumbers) {
  const std::pair<const char16_t*, int> kEntries[] = {
      {u"I105", 137},  {u"I000", 100},   {u"Q012", 612}, {u"M003", 1319}, {u"F2", 1302},
      {u"S1.5", 1021}, {u"B0003", 9003}, {u"X1", -1},    {u"S1.x", -1},
  };
  for (const auto& [entry, number] : kEntries)
    EXPECT_EQ(CIOSN::NumberOfEntry(entry), number) << CString(entry).ToUtf8();
  EXPECT_EQ(CIOSN::EntryOfNumber(0, 137), CString(u"I105"));
  EXPECT_EQ(CIOSN::EntryOfNumber(4, 1021), CString(u"S1.5"));
}

TEST(IoStatusNameDlgTest, NamesAndOperand) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  CBlockObj* input = b.Add(600);
  b.Add(800);
  FakeGridWindow window(CSize(160, 40));
  CGridCtrl grid;
  grid.AttachWindow(&window);
  DialogBench<CIOSN> bench;
  bench.dlg.m_pDoc = &b.Doc();
  bench.dlg.PresetNames();
  bench.dlg.AttachGrid(&grid);
  bench.Open();
  EXPECT_EQ(grid.GetItemText(1, 1), CString(u"O"));
  EXPECT_EQ(grid.GetItemText(2, 2), CString(u"N"));
  ASSERT_EQ(bench.host->GetCount(CIOSN::kIdNumber), 1);
  grid.SetItemText(2, 3, CString());
  grid.SetItemText(2, 1, u"Y");
  ASSERT_TRUE(bench.OK());
  EXPECT_EQ(bench.dlg.m_nNumber, input->m_nNumber);
  EXPECT_EQ(bench.dlg.m_strNames[2 * 9 + 1], CString(u"Y"));
  EXPECT_EQ(bench.dlg.m_strNames[2 * 9 + 3], CString(u" "));  // an empty cell is a blank
  // No flags in the program: the list is empty and OK says so.
  bench.host->Choose(CIOSN::kIdKind, 2);
  EXPECT_EQ(bench.host->GetCount(CIOSN::kIdNumber), 0);
  EXPECT_FALSE(bench.OK());
  EXPECT_EQ(bench.sink.texts().back(), CString(u"Invalid setting. Check I/O type and block number."));
  bench.host->Choose(CIOSN::kIdKind, 5);
  EXPECT_EQ(bench.host->GetCount(CIOSN::kIdNumber), 1);  // the counter
}

TEST(AiFilterDlgTest, AnalogInputsAndFlags) {
  CDiagramBuilder b(kDocFbd, 0x5188);
  b.Add(608);
  EXPECT_EQ(CAIFilterDlg::OperandsOf(b.Doc(), 0).size(), 1u);
  EXPECT_TRUE(CAIFilterDlg::OperandsOf(b.Doc(), 1).empty());
  EXPECT_EQ(CAIFilterDlg::EntryOf(4009), CString(u"AI101"));
  EXPECT_EQ(CAIFilterDlg::EntryOf(4290), CString(u"AM002"));
}

class MsgTxtSettingDlgTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_text = m_builder.Add<CBlockMSGTEXT>(810);
    m_text->m_strTextSet1[1][1] = u"\u4e2d";
    m_text->m_strTextSet2[1][1] = u"\u4e2d";
    m_text->m_strTextSet2[1][2] = u"A";
    m_bench.dlg.m_pDoc = &m_builder.Doc();
    m_bench.dlg.LoadFrom(m_builder.Doc());
    m_bench.Open();
  }
  CDiagramBuilder m_builder{kDocFbd, 0x5188};
  CBlockMSGTEXT* m_text = nullptr;
  DialogBench<CMsgTxtSettingDlg> m_bench;
};

TEST_F(MsgTxtSettingDlgTest, TickerSpeeds) {
  CMemoryHost& host = *m_bench.host;
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerChar), CString(u"1000"));
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdDescription1), CString(u"SC:Simplified Chinese, English"));
  host.Spin(CMsgTxtSettingDlg::kIdTickerCharSpin, 1);
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerChar), CString(u"1100"));
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerLine), CString(u"11000"));
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"250");
  host.Spin(CMsgTxtSettingDlg::kIdTickerCharSpin, -1);
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerChar), CString(u"100"));  // rounded down to hundreds
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"250");
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerLine), CString(u"2000"));
  EXPECT_FALSE(m_bench.OK());
  EXPECT_EQ(m_bench.sink.texts().back(),
            CString(u"Please enter an integer number between 100 and 10000 with an interval of 100."));
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"50");
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerLine), CString(u"1000"));
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"20000");
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdTickerLine), CString(u"100000"));
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"300");
  host.Type(CMsgTxtSettingDlg::kIdScopeTime, u"4");
  EXPECT_FALSE(m_bench.OK());  // scope time 5..50000
  host.Type(CMsgTxtSettingDlg::kIdScopeTime, u"12");
  ASSERT_TRUE(m_bench.OK());
  m_bench.dlg.StoreTo(m_builder.Doc());
  EXPECT_EQ(m_builder.Doc().m_nTickerCharMs, 300);
  EXPECT_EQ(m_builder.Doc().m_nTickerLineMs, 3000);
  EXPECT_EQ(m_builder.Doc().m_nScopeTime, 12);
}

TEST_F(MsgTxtSettingDlgTest, ChangingASetAsksAndClearsItsNonAsciiCells) {
  CMemoryHost& host = *m_bench.host;
  // Changed and changed back: nothing is asked.
  host.Choose(CMsgTxtSettingDlg::kIdCharSet2, 2);
  host.Choose(CMsgTxtSettingDlg::kIdCharSet2, 0);
  ASSERT_TRUE(m_bench.OK());
  EXPECT_TRUE(m_bench.sink.messages().empty());

  host.Choose(CMsgTxtSettingDlg::kIdCharSet2, 2);
  EXPECT_EQ(host.GetText(CMsgTxtSettingDlg::kIdDescription2), CString(u"Others:English, Spanish,..."));
  m_bench.sink.QueueAnswer(IDNO);
  EXPECT_FALSE(m_bench.OK());  // No: the dialog stays, nothing cleared
  EXPECT_EQ(m_text->m_strTextSet2[1][1], CString(u"\u4e2d"));
  // A refused value is reported before anything is asked or cleared.
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"150");
  const size_t before = m_bench.sink.messages().size();
  EXPECT_FALSE(m_bench.OK());
  EXPECT_EQ(m_bench.sink.messages().size(), before + 1);
  EXPECT_EQ(m_text->m_strTextSet2[1][1], CString(u"\u4e2d"));
  host.Type(CMsgTxtSettingDlg::kIdTickerChar, u"100");
  m_bench.sink.QueueAnswer(IDYES);
  ASSERT_TRUE(m_bench.OK());
  EXPECT_TRUE(m_text->m_strTextSet2[1][1].IsEmpty());
  EXPECT_EQ(m_text->m_strTextSet2[1][2], CString(u"A"));
  EXPECT_EQ(m_text->m_strTextSet1[1][1], CString(u"\u4e2d"));
  EXPECT_EQ(m_bench.dlg.m_nCleared, 1);
}

}  // namespace
