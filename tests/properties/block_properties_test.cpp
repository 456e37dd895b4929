// The block properties sheet, the copying tables, the command and Apply.
#include "properties/block_properties.h"

#include <gtest/gtest.h>

#include <functional>

#include "blocks/analog_blocks.h"
#include "blocks/analog_range_tracer.h"
#include "blocks/comm_blocks.h"
#include "blocks/operand_blocks.h"
#include "model/block_comment.h"
#include "model/diagram_limits.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "pages/ladder_operand_page.h"
#include "pages/logic_pages.h"
#include "pages/memory_host.h"
#include "pages/operand_pages.h"
#include "pages/sim_page.h"
#include "pages/timer_page.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"
#include "properties/block_sheet.h"
#include "properties/param_copy.h"
#include "properties/scripted_runner.h"
#include "support/diagram_builder.h"

namespace {

TEST(BlockSheet, TypePageCommentPageOrderHelpAndGrowth) {
  const struct {
    int type;
    bool simulating;
    size_t pages;
    int help;
    int growth;
  } cases[] = {
      {400, false, 2, 1075, 0}, {400, true, 2, 1075, 30}, {408, true, 2, 1002, 50}, {410, false, 5, 1110, 0},
      {300, true, 2, 1030, 0},  {603, false, 1, 1080, 0}, {600, false, 3, 1052, 0}, {601, false, 3, 1052, 0},
      {830, true, 2, 1108, 0},  {608, true, 3, 1023, 0},  {911, false, 2, 1042, 0}, {705, false, 2, 0, 0},
  };
  for (const auto& c : cases) {
    CBlockSheet sheet(c.type, u"", CPageContext{nullptr, c.simulating});
    EXPECT_EQ(sheet.Pages().size(), c.pages) << c.type;
    // Inputs, cursor keys, analog inputs and function keys end with the simulation page.
    const bool input = c.type == 600 || c.type == 601 || c.type == 608 || c.type == 611;
    EXPECT_EQ(sheet.Pages()[sheet.Pages().size() - (input ? 2 : 1)], &sheet.CommentPage()) << c.type;
    EXPECT_EQ(dynamic_cast<CSimulation*>(sheet.Pages().back()) != nullptr, input) << c.type;
    EXPECT_EQ(sheet.HelpTopic(), c.help) << c.type;
    EXPECT_EQ(sheet.ValueBoxGrowth(), c.growth) << c.type;
  }
  EXPECT_NE(dynamic_cast<CSpecialFunPar*>(CBlockSheet(403, u"", {}).TypePage()), nullptr);
  EXPECT_NE(dynamic_cast<CConstantsPar*>(CBlockSheet(611, u"", {}).TypePage()), nullptr);
  EXPECT_NE(dynamic_cast<CConstantsIOPar*>(CBlockSheet(609, u"", {}).TypePage()), nullptr);
}

TEST(BlockSheet, TimeGroupCaptionByType) {
  const struct {
    int type;
    const char16_t* caption;
  } cases[] = {{400, u"On-Delay"}, {403, u"On-Delay"}, {401, u"Off-Delay"}, {404, u"Off Time(TL)"}};
  for (const auto& c : cases) {
    CBlockSheet sheet(c.type, u"", {});
    CMemoryHost host(sheet.TypePage()->Describe(), sheet.TypePage());
    sheet.TypePage()->Attach(&host, {});
    sheet.TypePage()->Initialise();
    sheet.RetextTypePage();
    EXPECT_EQ(host.GetText(CSpecialFunPar::kIdTimeGroup), CString(c.caption));
  }
}

TEST(BlockSheet, ChineseCaptionsOfTheTimerSheet) {
  g_LanguageIsChinese = 1;
  {
    CBlockSheet sheet(401, u"", {});
    EXPECT_EQ(sheet.TypePage()->m_strTitle, CString(u"参数"));
    EXPECT_EQ(sheet.CommentPage().m_strTitle, CString(u"注释"));
    CMemoryHost host(sheet.TypePage()->Describe(), sheet.TypePage());
    sheet.TypePage()->Attach(&host, {});
    sheet.TypePage()->Initialise();
    sheet.RetextTypePage();
    EXPECT_EQ(host.GetText(CSpecialFunPar::kIdTimeGroup), CString(u"关断延时定时器"));
    EXPECT_EQ(host.GetText(kIdBlockNameLabel), CString(u"块名"));
    EXPECT_EQ(host.GetText(CSpecialFunPar::kIdReference), CString(u"引用"));
    EXPECT_EQ(host.GetItemText(CSpecialFunPar::kIdUnit, TIMEBASE_HOURS), CString(u"小时 (h:m)"));
  }
  g_LanguageIsChinese = 0;
}

// ---- Copying tables: block -> page values -> block gives the same words ---------

// Distinct words below 256 (the character words of the UDC block keep their low byte only).
void Scramble(CBlockObj& b, int type) {
  const int seed = type % 97;
  for (int k = 0; k < 13; ++k) ParamP(b, k) = seed + 3 * k + 1;
  for (int k = 1; k < 16; ++k) ParamX(b, k) = seed + 50 + 7 * k;
  b.m_strName = u"Nm";
  b.m_strLabel = u"A comment";
  b.m_dParam = 2.5;
  b.m_strReserved = u"Place";
  if (auto* a = dynamic_cast<CBlockAnalog*>(&b)) {
    a->m_nSensor = 2;
    a->m_nRangeMin = -5;
    a->m_nRangeMax = 500;
    a->m_dGain = 0.25;
    a->m_nOffset = 9;
    a->m_nThreshold1 = 11;
    a->m_nThreshold2 = 12;
    a->m_nPoint = 2;
    a->m_nOption1 = 1;
    a->m_nOption2 = 0;
    a->m_nOption3 = 1;
    a->m_dKc = 1.75;
    a->m_nOption4 = 0;
    a->m_nTiMinutes = 4;
    a->m_nTiSeconds = 5;
    a->m_nSelect = 2;
    a->m_nResult = 321;
  }
  if (auto* m = dynamic_cast<CBlockMR*>(&b)) {
    m->m_bySlaveAddress = 17;
    m->m_byCommand = 2;
    m->m_byFunction = 3;
    m->m_byDataMode = 1;
    m->m_nPort = 2;
    m->m_wRegister = 0xBEEF;
    m->m_wCount = 8;
    m->m_wDataAddress = 0x1234;
    m->m_wDataHigh = 0x5678;
    m->m_wDataIndex = 7;
    m->m_nDataType = 3;
    m->m_strDataLow = u"1234";
    m->m_strDataHigh = u"5678";
  }
  if (auto* w = dynamic_cast<CBlockWIFI*>(&b)) {
    w->m_nWifiSource = 1;
    w->m_nWifiId = 4;
    w->m_nWifiBlockType = 1;
    w->m_nWifiBlockNumber = 9;
  }
}

TEST(ParamCopy, EveryFamilyRoundTripsItsWords) {
  // One type of each family.
  const int types[] = {400, 405, 408, 409, 410, 411, 412, 413, 879, 800, 801, 802, 815, 822, 821, 838, 817,
                       818, 819, 803, 808, 810, 823, 847, 813, 824, 830, 844, 855, 911, 300, 407, 846};
  for (int type : types) {
    CDiagramBuilder d;
    CBlockObj* ref0 = d.Add(800);
    CBlockObj* ref1 = d.Add(803);
    CBlockObj* a = d.Add(type);
    CBlockObj* b = d.Add(type);
    Scramble(*a, type);
    a->m_pRef[0] = ref0;
    a->m_pRef[1] = ref1;
    a->m_bUseRef[0] = 1;
    a->m_bUseRef[1] = 1;
    std::unique_ptr<CBlockObj> fresh = MakeBlockOfType(type);

    BlockPageValues v;
    CopyBlockToPage(&d.Doc(), *a, v);
    CopyPageToBlock(v, *b);
    BlockPageValues v2;
    CopyBlockToPage(&d.Doc(), *b, v2);
    v2.pattern.m_nBlockNumber = v.pattern.m_nBlockNumber;
    v2.relay.m_pBlock = v.relay.m_pBlock;
    EXPECT_TRUE(v == v2) << type;
    // A word the table wrote holds the block's word, never another one.
    for (int k = 0; k < 17; ++k) {
      if (ParamP(*b, k) != ParamP(*fresh, k)) {
        EXPECT_EQ(ParamP(*b, k), ParamP(*a, k)) << type << " P" << k;
      }
    }
    for (int k = 1; k < 16; ++k) {
      if (ParamX(*b, k) != ParamX(*fresh, k)) {
        EXPECT_EQ(ParamX(*b, k), ParamX(*a, k)) << type << " X" << k;
      }
    }
    EXPECT_EQ(b->m_strLabel, a->m_strLabel) << type;
  }
}

TEST(ParamCopy, RowsThatTheTablesSingleOut) {
  CDiagramBuilder d;
  CBlockObj* timer = d.Add(400);
  timer->m_nParam10 = 7;  // P9: the high part of T
  timer->m_nParam9 = 30;  // P8: the low part
  timer->m_nParam11 = TIMEBASE_MINUTES;
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *timer, v);
  EXPECT_EQ(v.time.m_nHigh1, 7);
  EXPECT_EQ(v.time.m_nLow1, 30);
  EXPECT_EQ(v.time.m_nUnit1, TIMEBASE_MINUTES);

  CBlockObj* random = d.Add(407);  // the random generator's retentivity is never read or written
  random->m_nParam1 = 1;
  BlockPageValues r;
  CopyBlockToPage(&d.Doc(), *random, r);
  EXPECT_EQ(r.pattern.m_bRetentive, 0);
  r.pattern.m_bRetentive = 0;
  CopyPageToBlock(r, *random);
  EXPECT_EQ(random->m_nParam1, 1);

  CBlockObj* mask = d.Add(838);
  mask->m_nParam10 = 0x1ABCD;
  BlockPageValues m;
  CopyBlockToPage(&d.Doc(), *mask, m);
  EXPECT_EQ(m.mask.m_strMask, CString(u"ABCD"));

  CBlockObj* astro = d.Add(412);
  BlockPageValues a;
  CopyBlockToPage(&d.Doc(), *astro, a);
  a.astro.m_strLocation = u"Harbour";
  CopyPageToBlock(a, *astro);
  EXPECT_EQ(astro->m_strReserved, CString(u"Harbour"));
}

// ---- The command -------------------------------------------------------------------

TEST(BlockPropertiesCommand, OnDelayOkWritesTheTimeAndTakesOneSnapshot) {
  CDiagramBuilder d;
  CBlockObj* timer = d.Add(400);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.Type(CSpecialFunPar::kIdHigh, u"12");
    host.Type(CSpecialFunPar::kIdLow, u"34");
    host.Type(kIdBlockName, u"Pump");
    host.Click(kIdRetentivity);
  };
  const int before = d.Doc().m_undo.m_nIndex;
  EXPECT_TRUE(command.Run(timer, false, runner));
  EXPECT_EQ(timer->m_nParam10, 12);
  EXPECT_EQ(timer->m_nParam9, 34);
  EXPECT_EQ(timer->m_strName, CString(u"Pump"));
  EXPECT_EQ(timer->m_nParam1, 1);
  EXPECT_EQ(d.Doc().m_undo.m_nIndex, before + 1);

  runner.answer = IDCANCEL;  // Cancel leaves the block and the history alone
  runner.script = [](CBlockSheet&, CMemoryHost& host) { host.Type(CSpecialFunPar::kIdHigh, u"99"); };
  EXPECT_FALSE(command.Run(timer, false, runner));
  EXPECT_EQ(timer->m_nParam10, 12);
  EXPECT_EQ(d.Doc().m_undo.m_nIndex, before + 1);
}

TEST(BlockPropertiesCommand, TypesWithoutASheetOpenNothing) {
  CDiagramBuilder d;
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  for (int type : {811, 900, 901}) {
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(type);
    if (block) command.Run(block.get(), false, runner);
  }
  EXPECT_EQ(runner.modalRuns, 0);
}

TEST(BlockPropertiesCommand, InputTakesItsNewModuleAndChannelAndTheWiresFollow) {
  CDiagramBuilder d;
  CBlockObj* input = d.Add(600);
  input->m_nOperand = 40;
  input->m_nNumber = 140;
  CBlockObj* gate = d.Add(300);
  CDiagramBuilder::Wire(input, gate, 0);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    EXPECT_EQ(host.GetText(CConstantsIOPar::kIdModule), CString(u"Ext.1"));
    EXPECT_EQ(host.GetText(CConstantsIOPar::kIdChannel), CString(u"I8"));
    for (int i = 0; i < host.GetCount(CConstantsIOPar::kIdModule); ++i)
      if (host.GetItemText(CConstantsIOPar::kIdModule, i) == CString(u"Ext.2"))
        host.Choose(CConstantsIOPar::kIdModule, i);
    for (int i = 0; i < host.GetCount(CConstantsIOPar::kIdChannel); ++i)
      if (host.GetItemText(CConstantsIOPar::kIdChannel, i) == CString(u"I5"))
        host.Choose(CConstantsIOPar::kIdChannel, i);
  };
  EXPECT_TRUE(command.Run(input, false, runner));
  EXPECT_EQ(input->m_nOperand, 69);
  EXPECT_EQ(input->m_nNumber, 169);
  EXPECT_EQ(gate->m_nSource[0], 169);
}

TEST(BlockPropertiesCommand, RenumberedInputLeavesTheMessageTextsOnTheNewerSeries) {
  for (WORD model : {WORD(0x5188), WORD(0x1188)}) {
    CDiagramBuilder d(kDocFbd, model);
    CBlockObj* input = d.Add(600);
    auto* text = d.Add<CBlockMSGTEXT>(810);
    auto element = std::make_unique<CWidget>();
    element->m_pBlock = input;
    element->m_nNumber = input->m_nNumber;
    text->Elements(0, 1)->push_back(std::move(element));
    CBlockProperties command(&d.Doc());
    BlockPageValues v;
    CopyBlockToPage(&d.Doc(), *input, v);
    v.operand.m_strChannel = u"I7";
    command.WriteBack(*input, v);
    EXPECT_EQ(input->m_nOperand, 7);
    EXPECT_EQ(text->Elements(0, 1)->empty(), model == 0x5188) << model;
  }
}

TEST(BlockPropertiesCommand, ShiftRegisterBitReadsBackItsTwoDigits) {
  CDiagramBuilder d;
  CBlockObj* bit = d.Add(602);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    for (int i = 0; i < host.GetCount(CConstantsPar::kIdNumber); ++i)
      if (host.GetItemText(CConstantsPar::kIdNumber, i) == CString(u"S2.5"))
        host.Choose(CConstantsPar::kIdNumber, i);
  };
  EXPECT_TRUE(command.Run(bit, false, runner));
  EXPECT_EQ(bit->m_nOperand, 37);
  EXPECT_EQ(bit->m_nNumber, 1037);
}

TEST(BlockPropertiesCommand, LadderContactNamesItsOldOperandThenTakesTheNewOne) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* contact = d.Add(700);
  contact->m_nOperand = 100;
  d.Doc().m_operandNames[100] = u"Start";
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet& sheet, CMemoryHost& host) {
    EXPECT_EQ(sheet.CommentPage().m_strComment, CString(u"Start"));
    sheet.CommentPage().m_strComment = u"Start button";
    for (int i = 0; i < host.GetCount(CPropPageLadIO::kIdList); ++i)
      if (host.GetItemText(CPropPageLadIO::kIdList, i).Left(4) == CString(u"I001"))
        host.Choose(CPropPageLadIO::kIdList, i);
  };
  EXPECT_TRUE(command.Run(contact, false, runner));
  EXPECT_EQ(contact->m_nOperand, 101);
  EXPECT_EQ(d.Doc().m_operandNames[100], CString(u"Start button"));
  EXPECT_TRUE(contact->m_strLabel.IsEmpty());
}

// A contact on an input keeps its simulation settings for its operand; a
// contact on a flag has no Simulation page.
TEST(BlockPropertiesCommand, LadderContactSimulationPageWritesItsOperandSetting) {
  CDiagramBuilder d(kDocLadder);
  CBlockObj* contact = d.Add(700);
  contact->m_nOperand = 100;
  CBlockObj* analog = d.Add(702);
  analog->m_nOperand = 4001;
  CBlockObj* flag = d.Add(700);
  flag->m_nOperand = 1316;
  d.Doc().m_analogSimSettings[100].nValues[kSimSettingMax] = 500;
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  CSimulation* page = nullptr;  // only compared once the sheet has gone
  int openedMax = 0;
  runner.script = [&page, &openedMax](CBlockSheet& sheet, CMemoryHost&) {
    page = dynamic_cast<CSimulation*>(sheet.Pages().back());
    if (!page) return;
    openedMax = page->m_nMax;
    page->m_nBehaviour = 3;
    page->m_bAutoRange = 0;
    page->m_nValue = 800;  // above the maximum: held to it
  };
  ASSERT_TRUE(command.Run(contact, false, runner));
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(openedMax, 500);  // the sheet opened with the operand's setting
  const int* s = d.Doc().m_analogSimSettings[100].nValues;
  EXPECT_EQ(s[kSimSettingMode], 3);
  EXPECT_EQ(s[kSimSettingAuto], 0);
  EXPECT_EQ(s[kSimSettingValue], 500);

  // An analog contact with automatic range and no analog block after it: 0 to 1000.
  runner.script = [&page](CBlockSheet& sheet, CMemoryHost&) {
    page = dynamic_cast<CSimulation*>(sheet.Pages().back());
    if (!page) return;
    EXPECT_TRUE(page->IsAnalog());
    page->m_bAutoRange = 1;
    page->m_nValue = 2000;
  };
  ASSERT_TRUE(command.Run(analog, false, runner));
  ASSERT_NE(page, nullptr);
  const int* a = d.Doc().m_analogSimSettings[4001].nValues;
  EXPECT_EQ(a[kSimSettingMin], 0);
  EXPECT_EQ(a[kSimSettingMax], 1000);
  EXPECT_EQ(a[kSimSettingValue], 1000);

  runner.script = [&page](CBlockSheet& sheet, CMemoryHost&) {
    page = dynamic_cast<CSimulation*>(sheet.Pages().back());
  };
  ASSERT_TRUE(command.Run(flag, false, runner));
  EXPECT_EQ(page, nullptr);
  EXPECT_EQ(d.Doc().m_analogSimSettings.count(1316), 0u);
}

TEST(BlockPropertiesCommand, ComparatorRangeReachesItsAnalogInputAndLoopsEndTheWalk) {
  CDiagramBuilder d;
  CBlockObj* input = d.Add(608);
  auto* comparator = d.Add<CBlockAnalog>(804);
  CDiagramBuilder::Wire(input, comparator, 0);
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_pStartBlock = input;
  wire->m_nStartPin = kFirstOutputPin;
  wire->m_nStartNumber = input->m_nNumber;
  wire->m_pEndBlock = comparator;
  wire->m_nEndNumber = comparator->m_nNumber;
  d.Doc().m_connections.AddTail(std::move(wire));
  BlockPageValues v;
  CopyBlockToPage(&d.Doc(), *comparator, v);
  v.analog.m_nRangeMin = 20;
  v.analog.m_nRangeMax = 30;
  CBlockProperties command(&d.Doc());
  command.WriteBack(*comparator, v);
  EXPECT_EQ(comparator->m_nRangeMin, 20);
  EXPECT_EQ(input->m_nMinValue, 20);
  EXPECT_EQ(input->m_nMaxValue, 30);

  // Two gates that feed each other upstream of a comparator: the walk ends.
  CBlockObj* a = d.Add(300);
  CBlockObj* b = d.Add(300);
  auto* other = d.Add<CBlockAnalog>(804);
  other->m_nSource[0] = a->m_nNumber;
  a->m_nSource[0] = b->m_nNumber;
  b->m_nSource[0] = a->m_nNumber;
  UpdateInputRangesOfBlock(d.Doc(), other, false);
}

TEST(BlockPropertiesCommand, CommentSheetWritesTheTextOrAsksForRemoval) {
  CDiagramBuilder d;
  CBlockComment comment;
  comment.m_strText = u"Old";
  comment.m_ptPos = CPoint(100, 100);
  comment.m_size = CSize(50, 20);
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  runner.script = [](CBlockSheet& sheet, CMemoryHost& host) {
    EXPECT_EQ(sheet.Caption(), CString(u"Property"));
    EXPECT_EQ(host.GetText(CCommentPage::kIdText), CString(u"Old"));
    host.Type(CCommentPage::kIdText, u"Pump\r\nstation");
  };
  const int before = d.Doc().m_undo.m_nIndex;
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kChanged);
  EXPECT_EQ(comment.m_strText, CString(u"Pump\r\nstation"));
  EXPECT_EQ(comment.m_nLines, 2);
  EXPECT_EQ(d.Doc().m_undo.m_nIndex, before + 1);
  runner.script = [](CBlockSheet&, CMemoryHost& host) { host.Type(CCommentPage::kIdText, u""); };
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kEmptied);
  EXPECT_EQ(d.Doc().m_undo.m_nIndex, before + 1);

  // A text longer than a comment may hold is refused with a message; the comment stays.
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    host.SetText(CCommentPage::kIdText, CString(u'x', kMaxCommentChars + 1));
  };
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kCancelled);
  EXPECT_EQ(comment.m_strText, CString(u"Pump\r\nstation"));
  ASSERT_EQ(sink.messages().size(), 1u);
  EXPECT_NE(sink.messages()[0].text.Find(u"100000"), -1);
}

// The comment sheet's "Font..." changes the working font and colour; OK keeps
// them and sizes the comment to its widest line, Cancel leaves the comment.
TEST(BlockPropertiesCommand, CommentFontColourAndSize) {
  CDiagramBuilder d;
  CBlockComment comment;
  CBlockProperties command(&d.Doc());
  command.m_measureText = [](const LOGFONT& lf, const CString& text) {
    return CSize(text.GetLength() * lf.lfHeight / 2, lf.lfHeight);
  };
  command.m_chooseCommentFont = [](LOGFONT* lf, COLORREF* colour) {
    lf->lfFaceName = u"Courier";
    lf->lfHeight = 20;
    *colour = 0x0000FF;
    return true;
  };
  ScriptedRunner runner;
  runner.script = [](CBlockSheet&, CMemoryHost& host) {
    ASSERT_TRUE(host.Has(CCommentPage::kIdFont));
    host.Type(CCommentPage::kIdText, u"ab\r\nlonger line here");
    host.Click(CCommentPage::kIdFont);
  };
  runner.answer = IDCANCEL;
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kCancelled);
  EXPECT_EQ(comment.m_lf, CBlockComment::DefaultFont());
  EXPECT_EQ(comment.m_crText, 0u);
  runner.answer = IDOK;
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kChanged);
  EXPECT_EQ(comment.m_lf.lfFaceName, CString(u"Courier"));
  EXPECT_EQ(comment.m_crText, 0x0000FFu);
  EXPECT_EQ(comment.m_nLines, 2);
  EXPECT_EQ(comment.m_size, CSize(16 * 10, 2 * 20));  // the second line is the widest
  runner.script = [](CBlockSheet&, CMemoryHost& host) { host.Type(CCommentPage::kIdText, u"x"); };
  command.m_chooseCommentFont = nullptr;
  EXPECT_EQ(command.RunComment(comment, runner), CBlockProperties::CommentEdit::kChanged);
  EXPECT_EQ(comment.m_size, CSize(7 * 10, 20));  // never narrower than "Comment"
}

// ---- Modeless sheets and Apply --------------------------------------------------------

TEST(BlockPropertiesApply, ModelessSheetAppliesToItsBlockOnly) {
  CDiagramBuilder d;
  CBlockObj* timer = d.Add(400);
  CBlockObj* other = d.Add(400);
  d.Doc().m_bSimulating = 1;
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  command.Run(timer, true, runner);
  command.Run(timer, true, runner);  // a second request for the same block opens nothing
  ASSERT_EQ(runner.opened.size(), 1u);
  CBlockSheet& sheet = *runner.opened[0];
  EXPECT_EQ(sheet.m_nBlockNumber, timer->m_nNumber);
  ASSERT_NE(sheet.ParamPage(), nullptr);
  EXPECT_TRUE(sheet.ParamPage()->HasValueBox());

  runner.host->Type(CSpecialFunPar::kIdHigh, u"8");
  const int before = d.Doc().m_undo.m_nIndex;
  EXPECT_TRUE(command.ApplySheet(sheet, 0));
  EXPECT_EQ(timer->m_nParam10, 8);
  EXPECT_EQ(other->m_nParam10, 0);
  EXPECT_EQ(d.Doc().m_undo.m_nIndex, before + 1);

  // A refused value applies nothing.
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  runner.host->SetText(CSpecialFunPar::kIdLow, u"");
  EXPECT_FALSE(command.ApplySheet(sheet, 0));
  EXPECT_EQ(sink.messages().size(), 1u);

  // Live values reach the open sheet of the block.
  timer->m_strValueText = u"00:05";
  EXPECT_EQ(command.ShowCurrentParameterValue(*timer, nullptr), 1);
  EXPECT_EQ(sheet.ParamPage()->CurrentValueText(), CString(u"00:05"));
  // A sheet on its comment page shows nothing; the value box waits for its page.
  sheet.m_nActivePage = 1;
  timer->m_strValueText = u"00:06";
  EXPECT_EQ(command.ShowCurrentParameterValue(*timer, nullptr), 1);
  EXPECT_EQ(sheet.ParamPage()->CurrentValueText(), CString(u"00:05"));
  sheet.m_nActivePage = 0;

  // Once the simulation ended, what the sheet still sends is not written.
  runner.host->SetText(CSpecialFunPar::kIdLow, u"3");
  d.Doc().m_bSimulating = 0;
  EXPECT_FALSE(command.ApplySheet(sheet, 0));
  EXPECT_EQ(timer->m_nParam9, 0);
  command.CloseSheet(&sheet);
  EXPECT_EQ(command.ShowCurrentParameterValue(*timer, nullptr), 0);
}

// The live value text a sheet shows, by block type; types without one show nothing.
TEST(BlockPropertiesApply, CurrentValueTextsByType) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  const struct {
    int type;
    double value;
    const char16_t* text;  // null: nothing is shown
  } cases[] = {
      {800, 42, u"    42"}, {832, 0x1234, u"0x1234"}, {833, 7, u"   7"}, {853, 300, u"0x2C"},
      {834, -5, u"-5    "}, {866, 12, u"    12"},     {879, 3, u"3"},    {808, 1, nullptr},
      {300, 1, nullptr},    {600, 1, nullptr},
  };
  for (const auto& c : cases) {
    CBlockObj* b = d.Add(c.type);
    b->m_dValue = c.value;
    CString text;
    EXPECT_EQ(FormatCurrentValue(*b, &d.View(), &text), c.text != nullptr) << c.type;
    if (c.text) {
      EXPECT_EQ(text, CString(c.text)) << c.type;
    }
  }
}

TEST(BlockPropertiesApply, InputSheetTakesItsNewOperandAsTitle) {
  CDiagramBuilder d;
  CBlockObj* input = d.Add(600);
  d.Doc().m_bSimulating = 1;
  CBlockProperties command(&d.Doc());
  ScriptedRunner runner;
  command.Run(input, true, runner);
  ASSERT_EQ(runner.opened.size(), 1u);
  CMemoryHost& host = *runner.host;
  host.Choose(CConstantsIOPar::kIdModule, 1);  // Ext.1
  for (int i = 0; i < host.GetCount(CConstantsIOPar::kIdChannel); ++i)
    if (host.GetItemText(CConstantsIOPar::kIdChannel, i) == CString(u"I3"))
      host.Choose(CConstantsIOPar::kIdChannel, i);
  host.Click(CConstantsIOPar::kIdHighSpeed);
  ASSERT_TRUE(command.ApplySheet(*runner.opened[0], 0));
  EXPECT_EQ(runner.opened[0]->Caption(), CString(u"I103[Input]"));
  EXPECT_EQ(input->m_nNumber, 100 + 32 + 3);
  EXPECT_EQ(runner.opened[0]->m_nBlockNumber, input->m_nNumber);  // the open sheet follows its block
  EXPECT_EQ(static_cast<CBlockIn*>(input)->m_bHighSpeed, 0);      // only Main I0..I3 are high-speed
  EXPECT_EQ(OperandSheetTitle(607, OperandValues{u"Main", u"", u"M12", 0, 12}), CString(u"M12[Flag]"));
}

TEST(BlockPropertiesApply, RecordWithoutItsBlockWritesNothing) {
  CDiagramBuilder d;
  CBlockObj* timer = d.Add(400);
  CBlockObj* coil = d.Add(300);
  CBlockProperties command(&d.Doc());
  BlockParamRecord record;
  record.typeCode = 400;
  CopyBlockToPage(&d.Doc(), *timer, record.values);
  record.values.time.m_nHigh1 = 42;
  record.number = 9999;  // no such block
  EXPECT_FALSE(command.ApplyBlockParams(record));
  record.number = coil->m_nNumber;  // a block of another kind
  EXPECT_FALSE(command.ApplyBlockParams(record));
  EXPECT_EQ(timer->m_nParam10, 0);
  record.number = timer->m_nNumber;
  EXPECT_TRUE(command.ApplyBlockParams(record));
  EXPECT_EQ(timer->m_nParam10, 42);
}

TEST(BlockPropertiesApply, StandardPreWarningValuesTurnTheStandardOn) {
  const struct {
    int type;
    int unit;
    int warnLow, periodLow;
    int standard;
  } cases[] = {
      {408, 1, 15, 1, 1}, {408, 2, 75, 5, 1}, {408, 2, 15, 1, 0}, {409, 1, 0, 0, 1}, {409, 1, 15, 1, 0}};
  for (const auto& c : cases) {
    CDiagramBuilder d;
    CBlockObj* block = d.Add(c.type);
    CBlockProperties command(&d.Doc());
    BlockParamRecord record;
    record.typeCode = c.type;
    record.number = block->m_nNumber;
    CopyBlockToPage(&d.Doc(), *block, record.values);
    TimeValues& t = record.values.time;
    t.m_bStandardWarning = 0;
    t.m_nUnit2 = c.unit;
    t.m_nWarnTimeHigh = t.m_nWarnPeriodHigh = 0;
    t.m_nWarnTimeLow = c.warnLow;
    t.m_nWarnPeriodLow = c.periodLow;
    ASSERT_TRUE(command.ApplyBlockParams(record));
    EXPECT_EQ(block->m_nParam18, c.standard) << c.type << " " << c.unit << " " << c.warnLow;
  }
}

TEST(BlockPropertiesApply, InputBehaviourMovesTheSimulatedOutput) {
  CDiagramBuilder d;
  CBlockObj* input = d.Add(600);
  CBlockProperties command(&d.Doc());
  BlockParamRecord record;
  record.typeCode = 600;
  record.number = input->m_nNumber;
  CopyBlockToPage(&d.Doc(), *input, record.values);
  record.values.operand.m_strChannel = FormatString(u"I%d", input->m_nOperand % 32);
  record.values.sim.m_nBehaviour = 2;  // momentary break: output 1
  ASSERT_TRUE(command.ApplyBlockParams(record));
  EXPECT_EQ(input->m_nValue[10], 1);
  record.values.sim.m_nBehaviour = 0;  // back to Switch from momentary break: output 0, marked
  input->m_bChanged[10] = 0;
  ASSERT_TRUE(command.ApplyBlockParams(record));
  EXPECT_EQ(input->m_nValue[10], 0);
  EXPECT_EQ(input->m_bChanged[10], 1);
}

}  // namespace
