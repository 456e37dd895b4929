#include "blocks/block_factory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/object.h"

namespace {

// One row of the block catalogue, in its own notation: input pin types one
// digit per input; slot codes from slot 0 with "." for an input slot that
// keeps its open link and "o" for the output slot 10.
struct CatalogueRow {
  int code;
  const char* className;
  const char* baseName;  // "-" for the plain block
  const char* inputTypes;
  int outputs;
  int outputType;
  int memCost;
  int minValue;
  int maxValue;
  int linkSlots;
  const char* slotCodes;
  int caps;
};

constexpr CatalogueRow kCatalogue[] = {
    {300, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {301, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {302, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {303, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {304, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {305, "CBlockLogic", "CBlockObj", "1111", 1, 1, 12, 0, 9999, 0, ". . . . 53", 0x00},
    {306, "CBlockLogic", "CBlockObj", "11", 1, 1, 8, 0, 9999, 0, ". . 53", 0x00},
    {307, "CBlockLogic", "CBlockObj", "1", 1, 1, 4, 0, 9999, 0, ".", 0x00},
    {400, "CBlockDPR", "CBlockTime", "13", 1, 1, 8, 0, 99, 0, ". 55 53", 0x0F},
    {401, "CBlockDDR", "CBlockTime", "113", 1, 1, 12, 0, 99, 0, ". . 55 53 53", 0x0F},
    {402, "CBlockMPLR", "CBlockTime", "13", 1, 1, 12, 0, 99, 0, ". 55 55 53 53", 0x0F},
    {403, "CBlockPLR", "CBlockTime", "113", 1, 1, 12, 0, 99, 0, ". . 55 53 53", 0x0F},
    {404, "CBlockCPG", "CBlockTime", "13", 1, 1, 8, 0, 99, 0, ". 55 53", 0x0F},
    {405, "CBlockRPR", "CBlockTime", "113", 1, 1, 16, 0, 99, 0, ". . 55 55 58 53 53", 0x0F},
    {406, "CBlockAPG", "CBlockTime", "113", 1, 1, 12, 0, 99, 0, ". . 55 55 53", 0x0F},
    {407, "CBlockRG", "CBlockTime", "13", 1, 1, 12, 0, 99, 0, ". 55 55 53 53", 0x06},
    {408, "CBlockSLS", "CBlockTime", "13", 1, 1, 12, 0, 99, 0, ". 55 55 55 53", 0x0F},
    {409, "CBlockMFS", "CBlockTime", "113", 1, 1, 16, 0, 99, 0, ". . 55 55 55 55 53", 0x0F},
    {410, "CBlockWT", "CBlockTime", "333", 1, 1, 20, 0, 99, 0, "55 55 55 55 55 55 54 54 54 56", 0x06},
    {411, "CBlockYT", "CBlockTime", "3", 1, 1, 8, 0, 99, 0, "55 55 55 55 53 53", 0x06},
    {412, "CBlockAC", "CBlockTime", "3", 1, 1, 16, 0, 99, 0, "55 89 90 91 88 89 90 91 92 93 o 53", 0x0E},
    {413, "CBlockSW", "CBlockTime", "1113", 1, 2, 16, 0, 99, 5, ". . . 55 53", 0x3F},
    {600, "CBlockIn", "CBlockObj", "", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {601, "CBlockObj", "-", "0000", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {602, "CBlockShift", "CBlockObj", "", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {603, "CBlockLow", "CBlockObj", "", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {604, "CBlockHigh", "CBlockLow", "", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {605, "CBlockOut", "CBlockObj", "1", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {606, "CBlockOpenX", "CBlockObj", "1", 0, 0, 0, 0, 9999, 0, "", 0x0F},
    {607, "CBlockFlag", "CBlockObj", "1", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {608, "CBlockAnalogIn", "CBlockObj", "", 1, 2, 0, 0, 1000, 0, "", 0x2F},
    {609, "CBlockAnalogOut", "CBlockObj", "2", 1, 2, 0, 0, 9999, 0, "", 0x2F},
    {610, "CBlockAnalogFlag", "CBlockObj", "2", 1, 2, 0, 0, 9999, 0, "", 0x2F},
    {611, "CBlockFKey", "CBlockObj", "", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {700, "CBlockMake", "CBlockObj", "1", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {701, "CBlockBreak", "CBlockMake", "1", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {702, "CBlockAContact", "CBlockObj", "1", 1, 2, 0, 0, 9999, 0, "", 0x2F},
    {703, "CBlockRelayCoil", "CBlockObj", "1", 0, 0, 0, 0, 9999, 0, "", 0x0F},
    {704, "CBlockInvOut", "CBlockRelayCoil", "1", 0, 0, 0, 0, 9999, 0, "", 0x0F},
    {705, "CBlockAOutLAD", "CBlockObj", "2", 1, 0, 0, 0, 9999, 0, "", 0x2F},
    {800, "CBlockCOUNTER", "CBlockObj", "1113", 1, 1, 24, 0, 999999, 6, ". . . 55 59 53", 0x1F},
    {801, "CBlockHCOUNTER", "CBlockObj", "1113", 1, 1, 24, 0, 1023, 7, ". . . 55 59 58 53", 0x1E},
    {802, "CBlockTHTRG", "CBlockObj", "13", 1, 1, 16, 0, 9999, 5, ". 55 59 58 53", 0x1F},
    {803, "CBlockACOMP", "CBlockAnalog", "223", 1, 1, 24, -20000, 20000, 8, ". . 55 71 72 73 74 53", 0x1F},
    {804, "CBlockATHTRG", "CBlockAnalog", "23", 1, 1, 16, -20000, 20000, 7, ". 55 71 72 73 74 53", 0x1F},
    {805, "CBlockAAMP", "CBlockAnalog", "23", 1, 2, 12, -20000, 20000, 5, ". 72 73 74 53", 0x3F},
    {806, "CBlockAWDOG", "CBlockAnalog", "123", 1, 1, 20, -20000, 20000, 7, ". . 55 72 73 74 53", 0x1E},
    {807, "CBlockADTRG", "CBlockAnalog", "23", 1, 1, 16, -20000, 20000, 7, ". 55 75 72 73 74 53", 0x1E},
    {808, "CBlockLR", "CBlockObj", "113", 1, 1, 8, 0, 9999, 3, ". . 55", 0x00},
    {809, "CBlockPR", "CBlockObj", "1113", 1, 1, 12, 0, 9999, 5, ". . . 55 53", 0x04},
    // The message-text block has no class here yet: a plain block for now.
    {810, "CBlockMSGTEXT", "CBlockObj", "133", 1, 1, 8, 0, 9999, 4, ". 55 55 53", 0x04},
    {811, "CBlockObj", "-", "1100", 1, 1, 0, 0, 9999, 0, "", 0x0F},
    {812, "CBlockSREG", "CBlockObj", "1113", 1, 1, 12, 0, 9999, 5, ". . . 55 53", 0x04},
    {813, "CBlockMR", "CBlockObj", "113", 1, 1, 18, 0, 9999, 8, ". . 55 82 83 84 85 86 57 53", 0x00},
    {814, "CBlockMW", "CBlockMR", "113", 1, 1, 18, 0, 9999, 8, ". . 55 82 83 84 85 86 57 53", 0x00},
    {815, "CBlockAMATH", "CBlockAnalog", "13", 1, 2, 20, -20000, 20000, 11,
     ". 55 70 71 73 61 62 63 64 74 o 53", 0x3F},
    {816, "CBlockAMUX", "CBlockAnalog", "1113", 1, 2, 20, -20000, 20000, 9, ". . . 55 70 71 73 74 53", 0x3F},
    {817, "CBlockARAMP", "CBlockAnalog", "1113", 1, 2, 28, -20000, 20000, 12,
     ". . . 55 71 76 77 78 72 73 o 74 53", 0x3F},
    {818, "CBlockPI", "CBlockAnalog", "1123", 1, 2, 28, -20000, 20000, 14,
     ". . . 55 71 76 77 89 79 72 o 73 78 74 53", 0x3F},
    {819, "CBlockPWM", "CBlockAnalog", "123", 1, 2, 24, -20000, 20000, 11, ". . 55 72 73 89 79 95 96 74 o 53",
     0x1E},
    {820, "CBlockAFILTER", "CBlockAnalog", "23", 1, 2, 8, -20000, 20000, 4, ". 55 94 53", 0x3F},
    {821, "CBlockMAXMIN", "CBlockAnalog", "1123", 1, 2, 16, -20000, 20000, 6, ". . . 55 72 53", 0x3F},
    {822, "CBlockAVGVAL", "CBlockAnalog", "1123", 1, 2, 16, -20000, 20000, 6, ". . . 55 72 53", 0x3F},
    {823, "CBlockMATHERR", "CBlockObj", "113", 1, 1, 16, 0, 9999, 6, ". . 55 58 59 53", 0x1E},
    {824, "CBlockWIFIIn", "CBlockWIFI", "13", 1, 1, 12, 0, 9999, 8, ". 55 98 99 100 101 58 53", 0x00},
    {825, "CBlockWIFIOut", "CBlockWIFI", "113", 0, 0, 12, 0, 9999, 7, ". . 55 98 99 100 53", 0x00},
    {826, "CBlockWIFIAI", "CBlockWIFI", "13", 1, 2, 12, 0, 9999, 7, ". 55 98 99 100 53 53", 0x00},
    {827, "CBlockWIFIAOut", "CBlockWIFI", "123", 0, 0, 12, 0, 9999, 7, ". . 55 98 99 100 53", 0x00},
    {830, "CBlockBoolean", "CBlockObj", "1111", 1, 1, 16, 0, 9999, 7, ". . . . 55 53 53", 0x06},
    {831, "CBlockTDT", "CBlockObj", "11", 1, 1, 8, 0, 9999, 3, ". . 53", 0x00},
    {832, "CBlockBCD", "CBlockObj", "2", 1, 2, 8, 0, 9999, 3, ". 53 53", 0x39},
    {833, "CBlockBIN", "CBlockObj", "2", 1, 2, 8, 0, 39321, 3, ". 53 53", 0x39},
    {834, "CBlockROL", "CBlockObj", "23", 1, 2, 8, 1, 15, 3, ". 55 53", 0x3F},
    {835, "CBlockROR", "CBlockObj", "23", 1, 2, 8, 1, 15, 3, ". 55 53", 0x3F},
    {836, "CBlockSHL", "CBlockObj", "23", 1, 2, 8, 1, 15, 3, ". 55 53", 0x3F},
    {837, "CBlockSHR", "CBlockObj", "23", 1, 2, 8, 1, 15, 3, ". 55 53", 0x3F},
    {838, "CBlockANDM", "CBlockObj", "23", 1, 2, 8, -32768, 32767, 3, ". 55 53", 0x3F},
    {839, "CBlockORM", "CBlockObj", "23", 1, 2, 8, -32768, 32767, 3, ". 55 53", 0x3F},
    {840, "CBlockNOTM", "CBlockObj", "20", 1, 2, 8, 0, 9999, 3, ". 53 53", 0x3D},
    {841, "CBlockNANDM", "CBlockObj", "23", 1, 2, 8, -32768, 32767, 3, ". 55 53", 0x3F},
    {842, "CBlockNORM", "CBlockObj", "23", 1, 2, 8, -32768, 32767, 3, ". 55 53", 0x3F},
    {843, "CBlockXORM", "CBlockObj", "23", 1, 2, 8, -32768, 32767, 3, ". 55 53", 0x3F},
    {844, "CBlockARRMXIV", "CBlockObj", "3", 1, 2, 12, 1, 32, 5, "55 85 83 53 53", 0x3F},
    {845, "CBlockACMXIV", "CBlockObj", "223", 1, 2, 12, 0, 2, 5, ". . 55 53 53", 0x3F},
    {846, "CBlockRAND", "CBlockObj", "3", 1, 2, 8, 1, 32767, 3, "55 53 53", 0x3F},
    {847, "CBlockMEM", "CBlockObj", "13", 1, 2, 12, 0, 9999, 6, ". 55 84 83 53 53", 0x21},
    {848, "CBlockENCODER", "CBlockObj", "13", 1, 1, 24, -999999, 999999, 8, ". 55 70 71 58 53 53 53", 0x0F},
    {849, "CBlockSMC", "CBlockObj", "113", 1, 1, 16, 0, 99999999, 6, ". . 55 95 78 53", 0x0E},
    {850, "CBlockSMCE", "CBlockObj", "1113", 1, 1, 22, 0, 99999999, 8, ". . . 55 95 78 77 53", 0x0E},
    {851, "CBlockPTO", "CBlockObj", "13", 1, 1, 12, 0, 99999999, 4, ". 55 78 53", 0x0E},
    {852, "CBlockPTOE", "CBlockObj", "113", 1, 1, 18, 0, 99999999, 6, ". . 55 78 77 53", 0x0E},
    {853, "CBlockSEG", "CBlockObj", "12", 1, 2, 10, 0, 9999, 4, ". . 53 53", 0x3C},
    {854, "CBlockWORD2BIT", "CBlockObj", "23", 1, 1, 10, 0, 15, 4, ". 55 53 53", 0x0E},
    {855, "CBlockUDC", "CBlockObj", "13", 1, 1, 24, 0, 9999, 15,
     ". 55 57 82 83 84 85 58 86 59 o 64 60 61 62 63", 0x08},
    {856, "CBlockCRC16", "CBlockObj", "13", 1, 2, 12, 0, 9999, 5, ". 55 85 83 53", 0x2E},
    {860, "CBlockODD", "CBlockObj", "2", 1, 1, 8, 0, 9999, 3, ". 53 53", 0x04},
    {861, "CBlockEVEN", "CBlockObj", "2", 1, 1, 8, 0, 9999, 3, ". 53 53", 0x04},
    {862, "CBlockMOD", "CBlockObj", "23", 1, 2, 8, -32767, 32767, 3, ". 55 53", 0x3F},
    {863, "CBlockREM", "CBlockObj", "23", 1, 2, 8, -32767, 32767, 3, ". 55 53", 0x3F},
    {864, "CBlockLOG", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 72 53", 0x3F},
    {865, "CBlockSQRT", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {866, "CBlockABS", "CBlockObj", "2", 1, 2, 8, 0, 9999, 3, ". 53 53", 0x3D},
    {867, "CBlockGCD", "CBlockObj", "22", 1, 2, 8, 0, 9999, 3, ". . 53", 0x3D},
    {868, "CBlockLCM", "CBlockObj", "22", 1, 2, 8, 0, 9999, 3, ". . 53", 0x3D},
    {869, "CBlockPOW2", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {870, "CBlockEXP", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {871, "CBlockFIX", "CBlockObj", "23", 1, 2, 8, 0, 9999, 3, ". 55 53", 0x3F},
    {872, "CBlockROUND", "CBlockObj", "23", 1, 2, 8, 0, 9999, 3, ". 55 53", 0x3F},
    {873, "CBlockSIN", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {874, "CBlockCOS", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {875, "CBlockTAN", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {876, "CBlockCOT", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {877, "CBlockSEC", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {878, "CBlockCSC", "CBlockObj", "23", 1, 2, 12, -10000, 10000, 4, ". 55 53 53", 0x3F},
    {879, "CBlockQUAD", "CBlockObj", "123", 1, 2, 20, -10000, 10000, 8, ". . 55 61 62 63 72 53", 0x3F},
    {911, "CBlockDataLog", "CBlockObj", "13", 0, 0, 0, 0, 9999, 0, ". 55", 0x00},
};

// The whole m_nSource array a fresh block of the row must hold.
std::vector<int> ExpectedSources(const CatalogueRow& row) {
  std::vector<int> sources(kPinCount, 0);
  const int inputs = static_cast<int>(std::strlen(row.inputTypes));
  for (int i = 0; i < inputs; ++i) sources[i] = LINK_OPEN;
  std::istringstream codes(row.slotCodes);
  std::string code;
  for (int slot = 0; codes >> code; ++slot) {
    if (code == "o") {
      EXPECT_EQ(slot, kFirstOutputPin) << "row " << row.code;
      continue;
    }
    if (code != ".") sources[slot] = std::stoi(code);
  }
  return sources;
}

std::vector<int> Sources(const CBlockObj& block) {
  return {block.m_nSource, block.m_nSource + kPinCount};
}

TEST(BlockFactoryTest, EveryCatalogueCodeBuildsItsClassWithItsConstants) {
  for (const CatalogueRow& row : kCatalogue) {
    SCOPED_TRACE(testing::Message() << "type code " << row.code);
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(row.code);
    ASSERT_NE(block, nullptr);
    const CRuntimeClass* cls = block->GetRuntimeClass();
    EXPECT_STREQ(cls->m_lpszClassName, row.className);
    EXPECT_EQ(block->m_nType, row.code);

    const int inputs = static_cast<int>(std::strlen(row.inputTypes));
    EXPECT_EQ(block->m_nInputs, inputs);
    EXPECT_EQ(block->m_nOutputs, row.outputs);
    for (int pin = 0; pin < inputs; ++pin)
      EXPECT_EQ(block->m_nPinType[pin], row.inputTypes[pin] - '0') << "pin " << pin;
    EXPECT_EQ(block->m_nPinType[kFirstOutputPin], row.outputType);
    EXPECT_EQ(block->m_wMemSize, row.memCost);
    EXPECT_EQ(block->m_nMinValue, row.minValue);
    EXPECT_EQ(block->m_nMaxValue, row.maxValue);
    EXPECT_EQ(block->m_nLinkSlots, row.linkSlots);
    EXPECT_EQ(Sources(*block), ExpectedSources(row));
    EXPECT_EQ(block->m_byCaps, row.caps);
    EXPECT_EQ(block->m_nWidth, 25);
    EXPECT_EQ(block->m_nHeight, inputs == 4 ? 40 : 36);

    if (std::strcmp(row.baseName, "-") == 0) continue;
    // The class as a file names it: versionable schema 1, its base, and the
    // capability bits from the loading constructor as well.
    EXPECT_EQ(cls->m_wSchema, VERSIONABLE_SCHEMA | 1);
    ASSERT_NE(cls->m_pBaseClass, nullptr);
    EXPECT_STREQ(cls->m_pBaseClass->m_lpszClassName, row.baseName);
    const CRuntimeClass* named = CRuntimeClass::FromName(row.className);
    ASSERT_EQ(named, cls);
    std::unique_ptr<CObject> loaded(named->CreateObject());
    auto* loadedBlock = DYNAMIC_DOWNCAST(CBlockObj, loaded.get());
    ASSERT_NE(loadedBlock, nullptr);
    EXPECT_EQ(loadedBlock->m_byCaps, row.caps);
  }
}

// A record of schema 0 lacks the tail of the common record (and the analog PI
// group): a block loaded from one keeps those fields as its loading
// constructor leaves them, which must be the values of a new block.
TEST(BlockFactoryTest, LoadingConstructorsGiveTheNewBlockValuesOfFieldsOldRecordsLack) {
  for (const CatalogueRow& row : kCatalogue) {
    if (std::strcmp(row.baseName, "-") == 0) continue;
    SCOPED_TRACE(testing::Message() << "type code " << row.code);
    std::unique_ptr<CBlockObj> typed = MakeBlockOfType(row.code);
    std::unique_ptr<CObject> object(CRuntimeClass::FromName(row.className)->CreateObject());
    auto* loaded = DYNAMIC_DOWNCAST(CBlockObj, object.get());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->m_nParam13, typed->m_nParam13);
    EXPECT_EQ(loaded->m_nParam4, typed->m_nParam4);
    EXPECT_EQ(loaded->m_nParam7, typed->m_nParam7);
    EXPECT_EQ(loaded->m_nParam6, typed->m_nParam6);
    EXPECT_EQ(loaded->m_nParam5, typed->m_nParam5);
    EXPECT_EQ(loaded->m_strMask, typed->m_strMask);
    EXPECT_EQ(loaded->m_nParam8, typed->m_nParam8);
    for (int k = 2; k < kRefCount; ++k) {
      EXPECT_EQ(loaded->m_bUseRef[k], typed->m_bUseRef[k]);
      EXPECT_EQ(loaded->m_nRefNumber[k], typed->m_nRefNumber[k]);
    }
    EXPECT_EQ(loaded->m_nParam24, typed->m_nParam24);
    EXPECT_EQ(loaded->m_dParam, typed->m_dParam);
    if (auto* analog = DYNAMIC_DOWNCAST(CBlockAnalog, loaded)) {
      const auto& t = static_cast<const CBlockAnalog&>(*typed);
      EXPECT_EQ(analog->m_nOption3, t.m_nOption3);
      EXPECT_EQ(analog->m_dKc, t.m_dKc);
      EXPECT_EQ(analog->m_nOption4, t.m_nOption4);
      EXPECT_EQ(analog->m_nTiMinutes, t.m_nTiMinutes);
      EXPECT_EQ(analog->m_nTiSeconds, t.m_nTiSeconds);
      EXPECT_EQ(analog->m_nSelect, t.m_nSelect);
    }
  }
}

TEST(BlockFactoryTest, CodesWithoutClassGiveAPlainBlockWithFourInputs) {
  // The unused ranges, the codes made elsewhere (connector halves, power bus)
  // and codes outside every range.
  const int kCodes[] = {-1,  0,   299, 308, 399, 414, 599, 612, 699, 706, 799, 828,  829,   857,   859,
                        880, 899, 900, 901, 902, 910, 912, 950, 951, 952, 999, 1000, 32767, 100000};
  for (int code : kCodes) {
    SCOPED_TRACE(testing::Message() << "type code " << code);
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(code);
    ASSERT_NE(block, nullptr);
    EXPECT_STREQ(block->GetRuntimeClass()->m_lpszClassName, "CBlockObj");
    EXPECT_EQ(block->m_nType, code);
    EXPECT_EQ(block->m_nInputs, 4);
    EXPECT_EQ(block->m_nOutputs, 1);
    EXPECT_EQ(block->m_wMemSize, 0);
    EXPECT_EQ(block->m_nLinkSlots, 0);
    EXPECT_EQ(block->m_byCaps, 0x0F);
    EXPECT_EQ(block->m_nWidth, 25);
    EXPECT_EQ(block->m_nHeight, 40);
    EXPECT_EQ(Sources(*block),
              (std::vector<int>{52, 52, 52, 52, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    for (int pin : {0, 1, 2, 3, kFirstOutputPin})
      EXPECT_EQ(block->m_nPinType[pin], GetTablePinType(code, pin));
  }
  // Pin types of codes whose rows the table gives or lacks.
  struct PinRow {
    int code;
    int types[5];  // pins 0-3 and 10
  };
  const PinRow kPins[] = {{828, {1, 1, 1, 1, 1}},
                          {829, {1, 1, 0, 0, 1}},
                          {900, {1, 0, 0, 0, 0}},
                          {901, {0, 0, 0, 0, 1}},
                          {951, {0, 0, 0, 0, 0}}};
  for (const PinRow& row : kPins) {
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(row.code);
    const int pins[] = {0, 1, 2, 3, kFirstOutputPin};
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(block->m_nPinType[pins[i]], row.types[i]) << row.code << " pin " << pins[i];
  }
}

// Class defaults beyond the catalogue that the typed constructors set.
TEST(BlockFactoryTest, TypedConstructorsSetTheirFamilyDefaults) {
  using Field = double (*)(CBlockObj&);
  struct DefaultRow {
    int code;
    const char* field;
    Field get;
    double expected;
  };
#define FIELD(expr) #expr, [](CBlockObj & b) -> double { return expr; }
#define AS(cls) static_cast<cls&>(b)
  const DefaultRow kDefaults[] = {
      {300, FIELD(b.m_bInvert[10]), 0},
      {301, FIELD(b.m_bInvert[10]), 0},
      {302, FIELD(b.m_bInvert[10]), 1},
      {303, FIELD(b.m_bInvert[10]), 1},
      {304, FIELD(b.m_bInvert[10]), 0},
      {305, FIELD(b.m_bInvert[10]), 1},
      {306, FIELD(b.m_bInvert[10]), 0},
      {307, FIELD(b.m_bInvert[10]), 1},
      {307, FIELD(AS(CBlockLogic).m_nLogicFlag), 1},
      {603, FIELD(b.m_nValue[10]), 0},
      {604, FIELD(b.m_nValue[10]), 1},
      {400, FIELD(b.m_nChangeState), -1},
      {400, FIELD(b.m_nParam11), 2},
      {400, FIELD(b.m_nParam16), 2},
      {410, FIELD(AS(CBlockTime).m_bCamOnUnset[2]), 1},
      {410, FIELD(AS(CBlockTime).m_bCamOffUnset[0]), 1},
      {410, FIELD(AS(CBlockTime).m_nCamDays[1][6]), 0},
      {405, FIELD(AS(CBlockRPR).m_nPulseCount), -1},
      {408, FIELD(b.m_nParam11), 1},
      {408, FIELD(b.m_nParam19), 15},
      {408, FIELD(b.m_nParam21), 1},
      {411, FIELD(b.m_nParam10 * 1000 + b.m_nParam9 * 100 + b.m_nParam15 * 10 + b.m_nParam14), 1111},
      {411, FIELD(b.m_nParam7), 2000},
      {411, FIELD(b.m_nParam6), 2099},
      {411, FIELD(b.m_nParam5), 1},
      {412, FIELD(b.m_nParam11 + b.m_nParam16), 0},
      {413, FIELD(b.m_nParam11), 1},
      {801, FIELD(b.m_nParam1), 1},
      {801, FIELD(b.m_nParam11 + b.m_nParam18), 0},
      {802, FIELD(b.m_nParam15), 1},
      {808, FIELD(b.m_nParam2), 1},
      {809, FIELD(b.m_nParam2), 1},
      {812, FIELD(b.m_nParam2), 1},
      {812, FIELD(b.m_nParam24), 0},
      {823, FIELD(b.m_nParam18), 0},
      {806, FIELD(b.m_nParam1), 0},
      {815, FIELD(b.m_nParam16), 1},
      {817, FIELD(b.m_nParam10), 10},
      {817, FIELD(b.m_nParam15), 1000},
      {818, FIELD(b.m_nParam1), 1},
      {818, FIELD(AS(CBlockAnalog).m_dKc), 0.5},
      {818, FIELD(AS(CBlockAnalog).m_nTiSeconds), 30},
      {818, FIELD(AS(CBlockAnalog).m_nSelect), 0},
      {819, FIELD(AS(CBlockAnalog).m_nSelect), 4},
      {803, FIELD(AS(CBlockAnalog).m_nRangeMax), 1000},
      {803, FIELD(AS(CBlockAnalog).m_dGain), 1.0},
      {820, FIELD(b.m_nParam11), 3},
      {821, FIELD(b.m_nParam18), 0},
      {822, FIELD(b.m_nParam10 * 100 + b.m_nParam11 * 10 + b.m_nParam9), 101},
      {813, FIELD(AS(CBlockMR).m_bySlaveAddress), 1},
      {814, FIELD(AS(CBlockMR).m_wCount), 1},
      {814, FIELD(b.m_nParam11), 0},
      {834, FIELD(b.m_nParam10), 1},
      {838, FIELD(b.m_strMask == u"0000"), 1},
      {839, FIELD(b.m_strMask.GetLength()), 0},
      {844, FIELD(b.m_nParam15), 1},
      {846, FIELD(b.m_nParam10), 1},
      {849, FIELD(b.m_nParam15), 250},
      {850, FIELD(b.m_nParam15), 250},
      {851, FIELD(b.m_nParam15), 0},
      {855, FIELD(b.m_nParam11 * 100 + b.m_nParam21 * 10 + b.m_nParam22), 111},
      {855, FIELD(b.m_nParam5 + b.m_nParam6 + b.m_nParam7 + b.m_nParam16 + b.m_nParam18), 0},
      {856, FIELD(b.m_nParam15), 1},
      {862, FIELD(b.m_nParam10), 10},
      {864, FIELD(b.m_dParam), 1.0},
      {864, FIELD(b.m_nParam11), 2},
      {871, FIELD(b.m_nParam11), 0},
      {879, FIELD(b.m_nParam10), 1},
      {879, FIELD(b.m_nParam11 + b.m_nParam15 + b.m_nParam20), 0},
      {879, FIELD(b.m_dParam), 1.0},
  };
#undef AS
#undef FIELD
  for (const DefaultRow& row : kDefaults) {
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(row.code);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(row.get(*block), row.expected) << "type code " << row.code << ": " << row.field;
  }
}

TEST(BlockFactoryTest, PowerBusHasNoPinsAndAFixedPlaceFromBothConstructors) {
  CPowerBusObj typed(951);
  CPowerBusObj loaded;
  for (const CBlockObj* bus :
       {static_cast<const CBlockObj*>(&typed), static_cast<const CBlockObj*>(&loaded)}) {
    EXPECT_EQ(bus->m_nInputs, 0);
    EXPECT_EQ(bus->m_nOutputs, 0);
    EXPECT_EQ(bus->m_ptPos, CPoint(24, 20));
    EXPECT_EQ(bus->m_nNumber, -1);
    EXPECT_EQ(bus->m_byCaps, 0x0F);
  }
  EXPECT_EQ(typed.m_nValue[kFirstOutputPin], 1);
  EXPECT_TRUE(typed.IsKindOf(RUNTIME_CLASS(CBlockLow)));
}

// A new shift register takes the lowest register index that its
// document's shift registers leave free (newer series only).
TEST(BlockFactoryTest, ShiftRegisterTakesTheLowestFreeRegisterOfItsDocument) {
  CZaradDoc doc;
  const BlockContext ctx = BlockContext::For(&doc);

  doc.m_wModelCode = 0x5188;
  std::vector<int> indices;
  for (int i = 0; i < 5; ++i) {
    std::unique_ptr<CBlockObj> block = MakeBlockOfType(812, ctx);
    indices.push_back(block->m_nParam24);
    doc.AddBlock(std::move(block));
  }
  EXPECT_EQ(indices, (std::vector<int>{0, 1, 2, 3, 0}));

  // A freed index is taken again; indices out of range (a damaged file) mark nothing.
  doc.DeleteContents();
  for (int index : {1, 7, -3, 0}) {
    auto block = std::make_unique<CBlockSREG>(812);
    block->m_nParam24 = index;
    doc.AddBlock(std::move(block));
  }
  EXPECT_EQ(MakeBlockOfType(812, ctx)->m_nParam24, 2);

  doc.m_wModelCode = 0x1188;  // older series: always register 0
  EXPECT_EQ(MakeBlockOfType(812, ctx)->m_nParam24, 0);
}

}  // namespace
