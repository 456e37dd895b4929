#include "properties/hardware_rules.h"

#include <gtest/gtest.h>

#include <functional>

#include "model/block_obj.h"
#include "model/name_tables.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/page_values.h"
#include "properties/param_copy.h"
#include "support/diagram_builder.h"

namespace {

// Changes the block's page values (as its properties page would).
void Edit(CZaradDoc& doc, CBlockObj* b, const std::function<void(BlockPageValues&)>& change) {
  BlockPageValues v;
  CopyBlockToPage(&doc, *b, v);
  change(v);
  CopyPageToBlock(v, *b);
}

BlockPageValues Values(CZaradDoc& doc, CBlockObj* b) {
  BlockPageValues v;
  CopyBlockToPage(&doc, *b, v);
  return v;
}

}  // namespace

// One row per rule: a block that breaks it gives the message, the same block
// set as the older model allows passes.
TEST(HardwareRules, DowngradeCheckTable) {
  BuildBlockTypeNames();
  struct Row {
    const char* what;
    int type;
    std::function<void(BlockPageValues&)> breakIt;  // null: the type alone breaks it
    const char16_t* prefix;                         // of the message (empty: must pass)
  };
  const Row rows[] = {
      {"function key", 611, nullptr, u"F"},
      {"weekly pulse on", 410, [](BlockPageValues& v) { v.weekly.m_bPulseOutput = 1; },
       u"B0 : The pulse function"},
      {"weekly pulse off", 410, [](BlockPageValues& v) { v.weekly.m_bPulseOutput = 0; }, u""},
      {"yearly range", 411,
       [](BlockPageValues& v) {
         v.yearly.m_nOnYear = 2010;
         v.yearly.m_bYearly = 1;
       },
       u"B0:Year range function is not available. On year must be  2000"},
      {"yearly mode off", 411, [](BlockPageValues& v) { v.yearly.m_bYearly = 0; }, u"B0 : Yearly mode must"},
      {"yearly pulse", 411,
       [](BlockPageValues& v) {
         v.yearly.m_bYearly = 1;
         v.yearly.m_bPulse = 1;
       },
       u"B0 : The pulse function"},
      {"yearly fine", 411,
       [](BlockPageValues& v) {
         v.yearly.m_bYearly = 1;
         v.yearly.m_bPulse = 0;
       },
       u""},
      {"counter start", 800, [](BlockPageValues& v) { v.counter.m_nStartValue = 5; }, u"B0"},
      {"counter no start", 800, [](BlockPageValues& v) { v.counter.m_nStartValue = 0; }, u""},
      {"hours minutes", 801, [](BlockPageValues& v) { v.hours.m_nMiMinutes = 30; }, u"B0"},
      {"hours whole", 801,
       [](BlockPageValues& v) {
         v.hours.m_nMiMinutes = 0;
         v.hours.m_nOtMinutes = 0;
       },
       u""},
      {"watchdog unequal", 806,
       [](BlockPageValues& v) {
         v.analog.m_nLevel1 = 1;
         v.analog.m_nLevel2 = 2;
       },
       u"B0"},
      {"watchdog equal", 806,
       [](BlockPageValues& v) {
         v.analog.m_nLevel1 = 2;
         v.analog.m_nLevel2 = 2;
       },
       u""},
      {"message text", 810, nullptr, u"B0"},
      {"astro", 412, nullptr, u"B0"},
      {"data log", 911, nullptr, u"L"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CDiagramBuilder builder(kDocFbd, 0x5188);
    CBlockObj* b = builder.Add(row.type);
    if (row.breakIt) Edit(builder.Doc(), b, row.breakIt);
    const CString message = CheckDowngrade(builder.Doc(), u"older");
    if (CString(row.prefix).IsEmpty()) {
      EXPECT_TRUE(message.IsEmpty()) << message.ToUtf8();
    } else {
      EXPECT_EQ(message.Left(CString(row.prefix).GetLength()), CString(row.prefix)) << message.ToUtf8();
    }
  }
}

TEST(HardwareRules, FirstFindingWinsAndEmptyDocumentPasses) {
  CDiagramBuilder empty(kDocFbd, 0x5188);
  EXPECT_TRUE(CheckDowngrade(empty.Doc(), u"x").IsEmpty());
  CDiagramBuilder builder(kDocFbd, 0x5188);
  CBlockObj* weekly = builder.Add(410);
  builder.Add(810);
  EXPECT_EQ(CheckDowngrade(builder.Doc(), u"x").Left(2), CString(u"B1"));  // the message text, number 9001
  Edit(builder.Doc(), weekly, [](BlockPageValues& v) { v.weekly.m_bPulseOutput = 1; });
  EXPECT_EQ(CheckDowngrade(builder.Doc(), u"x"), CString(u"B0 : The pulse function is not available"));
}

TEST(HardwareRules, WifiRuleNamesTheFirstWifiBlock) {
  CDiagramBuilder builder(kDocFbd, 0x5288);
  builder.Add(410);
  EXPECT_TRUE(CheckWifiRule(builder.Doc()).IsEmpty());
  builder.Add(824);
  EXPECT_EQ(CheckWifiRule(builder.Doc()).Left(2), CString(u"B1"));
  EXPECT_NE(CheckWifiRule(builder.Doc()).Find(u"Not supported!"), -1);
}

TEST(HardwareRules, ApplyingAModelAdaptsBlocksAndPorts) {
  CDiagramBuilder builder(kDocFbd, 0x1188);
  CZaradDoc& doc = builder.Doc();
  CBlockObj* yearly = builder.Add(411);
  CBlockObj* watchdog = builder.Add(806);
  Edit(doc, yearly, [](BlockPageValues& v) {
    v.yearly.m_nOnYear = 2015;
    v.yearly.m_bPulse = 1;
    v.yearly.m_bYearly = 0;
  });
  Edit(doc, watchdog, [](BlockPageValues& v) {
    v.analog.m_nLevel1 = 3;
    v.analog.m_nLevel2 = 7;
  });
  EXPECT_FALSE(ApplyModel(doc, 0x1188));  // the same model changes nothing
  EXPECT_EQ(Values(doc, yearly).yearly.m_nOnYear, 2015);

  ASSERT_TRUE(ApplyModel(doc, 0x5288));
  EXPECT_EQ(doc.m_wModelCode, 0x5288);
  EXPECT_EQ(g_CurrentModelCode, 0x5288);
  EXPECT_EQ(doc.m_wFirmware, kFirmwareNewer);
  const BlockPageValues y = Values(doc, yearly);
  EXPECT_EQ(y.yearly.m_nOnYear, 2000);
  EXPECT_EQ(y.yearly.m_nOffYear, 2099);
  EXPECT_EQ(y.yearly.m_bYearly, 1);
  EXPECT_EQ(y.yearly.m_bPulse, 0);
  EXPECT_EQ(Values(doc, watchdog).analog.m_nLevel1, 7);

  doc.m_ports[1].nBaudRate = 12;  // 921600
  doc.m_ports[0].nBaudRate = 5;
  ASSERT_TRUE(ApplyModel(doc, 0x2188));
  EXPECT_EQ(doc.m_ports[1].nBaudRate, 3);
  EXPECT_EQ(doc.m_ports[0].nBaudRate, 5);
  EXPECT_EQ(doc.m_wFirmware, kFirmwareOlder);
  g_CurrentModelCode = 0x5188;
}

// Moving to a newer model points a Modbus Write's data slot 8 at the link
// code 57 (slot 9 empty) unless it is already there; the polling cycles of
// both Modbus blocks start over.
TEST(HardwareRules, ApplyingANewerModelRewritesTheModbusWriteDataSlot) {
  CDiagramBuilder builder(kDocFbd, 0x1188);
  CZaradDoc& doc = builder.Doc();
  CBlockObj* moved = builder.Add(814);
  CBlockObj* kept = builder.Add(814);
  CBlockObj* read = builder.Add(813);
  moved->m_nSource[8] = 60;
  moved->m_nSource[9] = 61;
  kept->m_nSource[8] = 57;
  kept->m_nSource[9] = 61;
  for (CBlockObj* b : {moved, kept, read}) Edit(doc, b, [](BlockPageValues& v) { v.modbus.m_nCycle = 4; });
  ASSERT_TRUE(ApplyModel(doc, 0x5188));
  EXPECT_EQ(moved->m_nSource[8], 57);
  EXPECT_EQ(moved->m_nSource[9], LINK_EMPTY);
  EXPECT_EQ(kept->m_nSource[9], 61);
  for (CBlockObj* b : {moved, kept, read}) EXPECT_EQ(Values(doc, b).modbus.m_nCycle, 0);

  // Back to an older model: the slots stay, the cycles start over again.
  for (CBlockObj* b : {moved, read}) Edit(doc, b, [](BlockPageValues& v) { v.modbus.m_nCycle = 2; });
  moved->m_nSource[8] = 60;
  ASSERT_TRUE(ApplyModel(doc, 0x1188));
  EXPECT_EQ(moved->m_nSource[8], 60);
  for (CBlockObj* b : {moved, read}) EXPECT_EQ(Values(doc, b).modbus.m_nCycle, 0);
  g_CurrentModelCode = 0x5188;
}
