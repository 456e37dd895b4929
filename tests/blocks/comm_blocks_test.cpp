#include "blocks/comm_blocks.h"

#include <gtest/gtest.h>

#include <string>

#include "blocks/value_block_fixture.h"
#include "platform/recording_dc.h"

namespace {

using CommBlocksTest = ValueBlockTest;

TEST(ModbusCrcTest, CheckValueAndByteOrder) {
  const std::string text = "123456789";
  const WORD crc = CalcModbusCrc(reinterpret_cast<const BYTE*>(text.data()), text.size());
  EXPECT_EQ(crc, 0x374B);  // CRC-16/MODBUS 0x4B37 with its bytes exchanged
  EXPECT_EQ(CalcModbusCrc(nullptr, 0), 0xFFFF);
  const BYTE request[] = {0x01, 0x03, 0x00, 0x00, 0x00, 0x01};  // sent as ... 84 0A
  EXPECT_EQ(CalcModbusCrc(request, sizeof request), 0x840A);
}

TEST_F(CommBlocksTest, ModbusOutputFollowsEnUnlessReset) {
  for (int type : {813, 814}) {
    struct {
      int en, r, expected;
    } const cases[] = {{1, 0, 1}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    for (const auto& c : cases) {
      auto* block = Add(type, 9000 + m_nextRef++);
      WireBit(block, 0, c.en);
      WireBit(block, 1, c.r);
      EXPECT_TRUE(block->Simulate(&m_view));
      EXPECT_EQ(block->m_nValue[kFirstOutputPin], c.expected) << type << " En " << c.en << " R " << c.r;
    }
  }
}

void ExpectSameModbusRecord(const CBlockMR& a, const CBlockMR& b) {
  EXPECT_EQ(a.m_bySlaveAddress, b.m_bySlaveAddress);
  EXPECT_EQ(a.m_byCommand, b.m_byCommand);
  EXPECT_EQ(a.m_byFunction, b.m_byFunction);
  EXPECT_EQ(a.m_byDataMode, b.m_byDataMode);
  EXPECT_EQ(a.m_nPort, b.m_nPort);
  EXPECT_EQ(a.m_wRegister, b.m_wRegister);
  EXPECT_EQ(a.m_wCount, b.m_wCount);
  EXPECT_EQ(a.m_wDataAddress, b.m_wDataAddress);
  EXPECT_EQ(a.m_wDataHigh, b.m_wDataHigh);
  EXPECT_EQ(a.m_wDataIndex, b.m_wDataIndex);
  EXPECT_EQ(a.m_nDataType, b.m_nDataType);
  EXPECT_EQ(a.m_strDataLow, b.m_strDataLow);
  EXPECT_EQ(a.m_strDataHigh, b.m_strDataHigh);
}

TEST_F(CommBlocksTest, ModbusRecordRoundTripAndCopy) {
  CBlockMW fresh(814);
  EXPECT_EQ(fresh.m_bySlaveAddress, 1);
  EXPECT_EQ(fresh.m_wCount, 1);
  EXPECT_EQ(fresh.m_strDataLow, u"0");
  EXPECT_EQ(fresh.m_strDataHigh, u"0");
  EXPECT_EQ(fresh.m_nParam11, 0);

  CBlockMW block(814);
  block.m_bySlaveAddress = 247;
  block.m_byCommand = 3;
  block.m_byFunction = 16;
  block.m_byDataMode = 1;
  block.m_nPort = -1;
  block.m_wRegister = 0xFFFE;
  block.m_wCount = 2;
  block.m_wDataAddress = 0x1234;
  block.m_wDataHigh = 0xABCD;
  block.m_wDataIndex = 7;
  block.m_nDataType = 2;
  block.m_strDataLow = u"1234";
  block.m_strDataHigh = u"ABCD";
  std::unique_ptr<CBlockMW> copy = RoundTrip(&block);
  ASSERT_NE(copy, nullptr);
  ExpectSameModbusRecord(block, *copy);
  EXPECT_EQ(copy->m_nType, 814);

  CBlockMR target(813);
  block.CopyTo(&target, FALSE, nullptr);
  ExpectSameModbusRecord(block, target);
  block.CopyTo(nullptr, FALSE, nullptr);  // nothing happens
}

TEST_F(CommBlocksTest, WifiRecordRoundTrip) {
  CBlockWIFIAOut block(827);
  EXPECT_EQ(block.m_nOutputs, 0);
  block.m_nWifiSource = 1;
  block.m_nWifiId = 6;
  block.m_nWifiBlockType = 0;
  block.m_nWifiBlockNumber = 3;
  std::unique_ptr<CBlockWIFIAOut> copy = RoundTrip(&block);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->m_nOutputs, 0);
  EXPECT_EQ(copy->m_nWifiSource, 1);
  EXPECT_EQ(copy->m_nWifiId, 6);
  EXPECT_EQ(copy->m_nWifiBlockType, 0);
  EXPECT_EQ(copy->m_nWifiBlockNumber, 3);
}

TEST_F(CommBlocksTest, UdcDefaults) {
  CBlockUDC block(855);
  EXPECT_EQ(block.m_nParam16, 0);
  EXPECT_EQ(block.m_nParam11, 1);
  EXPECT_EQ(block.m_nParam21, 1);
  EXPECT_EQ(block.m_nParam22, 1);
  EXPECT_EQ(block.m_nParam18, 0);
  EXPECT_EQ(block.m_nParam5, 0);
  EXPECT_EQ(block.m_nParam6, 0);
  EXPECT_EQ(block.m_nParam7, 0);
}

WORD CrcOfWords(std::initializer_list<int> words) {
  std::vector<BYTE> bytes;
  for (int w : words) {
    bytes.push_back(static_cast<BYTE>(w & 0xFF));
    bytes.push_back(static_cast<BYTE>((w >> 8) & 0xFF));
  }
  return CalcModbusCrc(bytes.data(), bytes.size());
}

struct CrcCase {
  int address;
  int count;
  int en;
  int expected;
};

TEST_F(CommBlocksTest, CrcOverTheAnalogFlags) {
  Flag(1, 2);  // placed before flag 0: its word comes first
  Flag(0, 1);
  Flag(2, 0x1234);
  Flag(510, 0x0510);
  Flag(511, 0x0511);
  const CrcCase cases[] = {
      {0, 2, 1, CrcOfWords({2, 1})},
      {0, 3, 1, CrcOfWords({2, 1, 0x1234})},
      {2, 3, 1, CrcOfWords({0x1234, 0, 0})},      // absent flags leave zero words at the end
      {510, 5, 1, CrcOfWords({0x0510, 0x0511})},  // cut to the two flags that exist
      {0, 2, 0, 0},                               // En 0
      {0, 0, 1, 0xFFFF},
      {0, -3, 1, 0xFFFF},  // empty and negative counts
      {512, 4, 1, 0xFFFF},
      {513, 4, 1, 0xFFFF},
      {600, 1, 1, 0xFFFF},
      {2147483647, 2147483647, 1, 0xFFFF},
      {-2, 4, 1, 0xFFFF},  // addresses outside the flags
      {0, 100000, 1, CrcOfWords({})},
  };
  // The last case: 512 words, the three placed flags first.
  std::vector<BYTE> all(1024, 0);
  const int order[] = {2, 1, 0x1234, 0x0510, 0x0511};
  for (int i = 0; i < 5; ++i) {
    all[2 * i] = static_cast<BYTE>(order[i] & 0xFF);
    all[2 * i + 1] = static_cast<BYTE>(order[i] >> 8);
  }
  for (const CrcCase& c : cases) {
    auto* block = Add(856, 9000 + m_nextRef++);
    block->m_nParam14 = c.address;
    block->m_nParam15 = c.count;
    WireBit(block, 0, c.en);
    block->Simulate(&m_view);
    const int expected = c.count == 100000 ? CalcModbusCrc(all.data(), all.size()) : c.expected;
    EXPECT_EQ(block->m_dValue, expected) << c.address << "+" << c.count;
  }
}

TEST_F(CommBlocksTest, CrcValueBox) {
  auto* block = Add(856, 9000);
  block->m_nWidth = 20;
  CRecordingDC dc;
  block->SimulateAndDraw(&m_view, &dc);  // En open: 0
  EXPECT_NE(dc.FindText(u"0x0000"), nullptr);
  block->m_dValue = 0x374B;
  dc.Clear();
  block->DrawValueBox(&dc, &m_view);
  EXPECT_NE(dc.FindText(u"0x374B"), nullptr);
  EXPECT_EQ(dc.CallsOfKind(DCCall::Kind::kFillRect).back()->rect.Width(), 30);
}

}  // namespace
