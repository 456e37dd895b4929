#include "model/zarad_doc.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/model_table.h"
#include "model/shell_context.h"
#include "support/fake_contexts.h"

namespace {

class ZaradDocTest : public ::testing::Test {
 protected:
  void TearDown() override {
    g_CurrentModelCode = 0x5188;
    g_ShowPropertiesOnNew = 1;
  }
};

TEST_F(ZaradDocTest, NewDocumentDefaults) {
  CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x2188, CSize(1280, 1024), 0});
  EXPECT_EQ(doc.m_nKind, kDocFbd);
  EXPECT_EQ(doc.m_fZoom, 1.0f);
  EXPECT_EQ(doc.m_nPagesAcross, 1);
  EXPECT_EQ(doc.m_nPagesDown, 1);
  for (int v : doc.m_nReservedInts) EXPECT_EQ(v, 1);
  EXPECT_EQ(doc.m_sizePage, CSize(1280, 1024));
  EXPECT_EQ(doc.m_rcDiagram, CRect(0, 0, 1280, 1024));
  EXPECT_EQ(doc.m_bLocked, 0);
  EXPECT_EQ(doc.m_bSimulating, 0);
  EXPECT_EQ(doc.m_bShowPropertiesOnNew, 0);
  EXPECT_FALSE(doc.IsModified());

  EXPECT_EQ(doc.m_wModelCode, 0x2188);
  CString name;
  GetModelName(0x2188, &name, nullptr);
  EXPECT_EQ(doc.m_strModelName, name);
  EXPECT_EQ(doc.m_wFirmware, 0xB100);
  EXPECT_EQ(doc.m_wModelAux1, 0);
  EXPECT_EQ(doc.m_wModelAux2, 0);

  for (const ComPortSettings& port : doc.m_ports) {
    EXPECT_EQ(port.nRole, 1);      // Master
    EXPECT_EQ(port.nProtocol, 0);  // RTU
    EXPECT_EQ(port.nAddress, 1);
    EXPECT_EQ(port.nBaudRate, 3);  // 9600
    EXPECT_EQ(port.nParity, 0);    // none
    EXPECT_EQ(port.nDataBits, 1);  // 8 bits
    EXPECT_EQ(port.nStopBits, 0);  // 1 stop bit
    EXPECT_EQ(port.nTimeout, 200);
    EXPECT_EQ(port.nPollDelay, 0);
  }
  EXPECT_EQ(doc.m_markers[0], 0x55);
  EXPECT_EQ(doc.m_markers[1], 0x55);
  EXPECT_EQ(doc.m_markers[2], 0x55);
  for (int i = 3; i < kMarkerCount; ++i) EXPECT_EQ(doc.m_markers[i], 0xAA) << i;

  EXPECT_EQ(doc.m_nSyncTime, 5000);
  EXPECT_EQ(doc.m_nTempHigh, 90);
  EXPECT_EQ(doc.m_nTempLow, -20);
  EXPECT_EQ(doc.m_bKeepOutputs, 1);
  EXPECT_EQ(doc.m_nContrast, 2);
  EXPECT_EQ(doc.m_aqRangeType, std::vector<BYTE>(32, 0));
  EXPECT_EQ(doc.m_aqFixedValue, std::vector<double>(32, 0.0));
  EXPECT_EQ(doc.m_nTickerCharMs, 1000);
  EXPECT_EQ(doc.m_nTickerLineMs, 10000);
  EXPECT_EQ(doc.m_nScopeTime, 5);
  EXPECT_EQ(doc.m_pLogoImage, nullptr);
  for (int n : doc.m_nCapCounts) EXPECT_EQ(n, 0);
}

TEST_F(ZaradDocTest, ComPortFieldsInRecordOrder) {
  ComPortSettings port;
  for (int i = 0; i < ComPortSettings::kFieldCount; ++i) *port.Field(i) = 100 + i;
  const int expected[] = {port.nRole,        port.nProtocol,  port.nAddress,       port.nBaudRate,
                          port.nFrameFormat, port.nParity,    port.nDataBits,      port.nStopBits,
                          port.nTimeout,     port.nPollDelay, port.nRegisterOrder, port.nReserved};
  for (int i = 0; i < ComPortSettings::kFieldCount; ++i) EXPECT_EQ(expected[i], 100 + i);
  EXPECT_EQ(port.Field(-1), nullptr);
  EXPECT_EQ(port.Field(12), nullptr);
}

TEST_F(ZaradDocTest, ADocumentIsBuiltFromItsArgumentsWithoutAnyShell) {
  // Whatever the globals hold, a document takes only its arguments.
  g_CurrentModelCode = 0x2188;
  g_ShowPropertiesOnNew = 0;
  CZaradDoc plain;
  EXPECT_EQ(plain.m_nKind, kDocFbd);
  EXPECT_EQ(plain.m_wModelCode, 0x5188);
  EXPECT_EQ(plain.m_sizePage, CSize(1024, 768));
  EXPECT_EQ(plain.m_bShowPropertiesOnNew, 1);

  // A ladder document on the older series.
  CZaradDoc ladder(NewDocumentSettings{kDocLadder, 0x2188, CSize(800, 600), 0});
  EXPECT_TRUE(ladder.IsLadder());
  EXPECT_EQ(ladder.m_wModelCode, 0x2188);
  EXPECT_FALSE(ladder.IsNewerFamily());
  EXPECT_EQ(ladder.m_rcDiagram, CRect(0, 0, 800, 600));
  EXPECT_EQ(ladder.m_bShowPropertiesOnNew, 0);
  ladder.MakePowerBus();  // a new ladder document makes its bus
  ASSERT_EQ(ladder.m_powerBus.GetCount(), 1);
  EXPECT_EQ(ladder.m_powerBus.GetHead()->m_nHeight, 600 - 4);
}

// Objects that note their destruction and how many objects their list still holds.
std::vector<std::string>* g_log = nullptr;
const CZaradDoc* g_doc = nullptr;

std::string Remaining() {
  return "(" + std::to_string(g_doc->m_blocks.GetCount()) + std::to_string(g_doc->m_connections.GetCount()) +
         std::to_string(g_doc->m_comments.GetCount()) + std::to_string(g_doc->m_powerBus.GetCount()) + ")";
}

class CLoggedBlock : public CBlockObj {
 public:
  CLoggedBlock(int type, const char* name) : CBlockObj(type, 1), m_name(name) {}
  ~CLoggedBlock() override { g_log->push_back(m_name + Remaining()); }
  std::string m_name;
};
class CLoggedWire : public CConnectLineObj {
 public:
  ~CLoggedWire() override { g_log->push_back("wire" + Remaining()); }
};
class CLoggedComment : public CBlockComment {
 public:
  ~CLoggedComment() override { g_log->push_back("comment" + Remaining()); }
};

TEST_F(ZaradDocTest, DeleteContentsOrder) {
  std::vector<std::string> log;
  g_log = &log;
  CZaradDoc doc;
  g_doc = &doc;
  doc.m_blocks.AddTail(std::make_unique<CLoggedBlock>(300, "b1"));
  doc.m_blocks.AddTail(std::make_unique<CLoggedBlock>(600, "b2"));
  doc.m_connections.AddTail(std::make_unique<CLoggedWire>());
  doc.m_comments.AddTail(std::make_unique<CLoggedComment>());
  doc.m_powerBus.AddTail(std::make_unique<CLoggedBlock>(951, "bus"));
  doc.m_sortList.push_back(doc.m_blocks.GetHead());
  doc.m_operandNames[100] = u"Start";

  doc.DeleteContents();
  EXPECT_EQ(log,
            (std::vector<std::string>{"b1(1111)", "b2(0111)", "wire(0011)", "comment(0001)", "bus(0000)"}));
  EXPECT_TRUE(doc.m_sortList.empty());
  EXPECT_EQ(doc.m_operandNames.size(), 1u);  // maps and settings stay
  g_log = nullptr;
  g_doc = nullptr;
}

}  // namespace

namespace {

TEST(ShellContextTest, CharClasses) {
  struct Case {
    UINT ch;
    int cls;
  };
  const Case cases[] = {{0x3104, 0}, {0x3105, 1}, {0x3129, 1},     {0x312A, 0}, {0x32A3, 1}, {0x32A2, 0},
                        {0x4DFF, 0}, {0x4E00, 1}, {0x9FA5, 1},     {0x9FA6, 0}, {0x009F, 0}, {0x00A0, 2},
                        {0x017F, 2}, {0x0180, 0}, {0x01A0, 2},     {0x01D0, 0}, {0x01F0, 2}, {0x0210, 2},
                        {0x0220, 0}, {0x0370, 2}, {0x03D0, 0},     {0x0400, 2}, {0x0460, 0}, {0x0490, 2},
                        {0x05FF, 2}, {0x0E5F, 2}, {0x0E60, 0},     {0x1EA0, 2}, {0x1EFF, 2}, {0x1F00, 0},
                        {'A', 0},    {0, 0},      {0xFFFFFFFFu, 0}};
  for (const Case& c : cases) EXPECT_EQ(GetCharClass(c.ch), c.cls) << std::hex << c.ch;
}

}  // namespace
