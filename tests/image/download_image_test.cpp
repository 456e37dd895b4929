// Download preparation: the checks, whole images of small documents of both
// series, both checksums, the register order and the failure messages.
#include "image/download_image.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "blocks/comm_blocks.h"
#include "blocks/connector_obj.h"
#include "blocks/operand_blocks.h"
#include "image/core_rule.h"
#include "msgtext/msgtext_block.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"
#include "support/sample_document.h"

namespace {

SYSTEMTIME Stamp() {
  SYSTEMTIME t;
  t.wYear = 2024, t.wMonth = 3, t.wDay = 5, t.wHour = 7, t.wMinute = 8, t.wSecond = 9;
  return t;
}

// A fresh table image of a download, with patches laid over it by area name.
class ExpectedTable {
 public:
  ExpectedTable() : m_bytes(kTableImageSize, 0xFF) {
    for (int i = 0; i < 0x400; ++i) m_bytes[i] = 0;
    for (int i = 0x2040; i < 0x2140; ++i) m_bytes[i] = 0;
    for (int i = 0x0E00; i < 0x1600; ++i) m_bytes[i] = (i - 0x0E00) % 16 == 0 ? 0xFF : 0;
  }
  ExpectedTable& Put(const char16_t* area, int offset, const std::vector<int>& bytes) {
    const ImageAreaRow* row = FindImageAreaRow(area);
    for (size_t i = 0; i < bytes.size(); ++i)
      m_bytes[static_cast<size_t>(row->nOffset + offset) + i] = static_cast<BYTE>(bytes[i]);
    return *this;
  }
  // The settings every document here shares: default ports, redundancy, stamp, temperatures.
  ExpectedTable& CommonSettings(int model, int firmware) {
    std::vector<int> port = {1, 0, 0, 0, 1, 0, 3, 0, 0, 0, 1, 0, 0, 0, 200, 0, 0, 0, 0, 0, 0, 0};
    for (int p = 0; p < 3; ++p) Put(u"CM", 22 * p, port);
    Put(u"PR", 0, {0, 0}).Put(u"RD", 0, {0, 0, 0x88, 0x13, 0, 0});
    const std::string text = "DL20240305070809";
    std::vector<int> id;
    for (size_t k = 0; k < text.size(); k += 2) id.insert(id.end(), {text[k + 1], text[k]});
    Put(u"ID", 0, id).Put(u"HT", 0, {90, 0}).Put(u"LT", 0, {0xEC, 0xFF});
    return Put(u"M1", 0, {model & 0xFF, model >> 8, 0, 0, firmware & 0xFF, firmware >> 8, 0, 0});
  }
  std::vector<BYTE>& Bytes() { return m_bytes; }

 private:
  std::vector<BYTE> m_bytes;
};

TEST(DownloadImageTest, ChecksumsAndRegisterOrder) {
  std::vector<BYTE> table(kTableImageSize, 0xFF);
  std::fill(table.begin(), table.begin() + kLcSize, 0x5A);  // LC is not summed
  std::vector<BYTE> program(128, 0xFF);
  // 2304 + 32 DWORDs of all ones and 6112 more for the rest of a 0x6000 area.
  EXPECT_EQ(ImageChecksum(table, program), 0xFFFFDF00u);
  EXPECT_EQ(ImageChecksum(table, std::vector<BYTE>(kProgramAreaMax, 0xFF)), 0xFFFFDF00u);
  table[1024] = 0x12;
  table[1025] = 0x34;
  EXPECT_EQ(ImageChecksum(table, program), 0xFFFF1313u);
  EXPECT_EQ(ToRegisterOrder({0x12, 0x34, 0x56, 0x78}), (std::vector<BYTE>{0x34, 0x12, 0x78, 0x56}));
  EXPECT_EQ(FromRegisterOrder({0x34, 0x12}), (std::vector<BYTE>{0x12, 0x34}));

  // A fresh page: 96 DWORDs of two blanks, eight attribute rows with one 0 byte, the rest ones.
  CDiagramBuilder d(kDocFbd, 0x5188);
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 1);
  EXPECT_EQ(TextChecksum(codec.TextPages()), 0x0C000328u);
}

TEST(DownloadImageTest, OlderSeriesWholeImage) {
  CDiagramBuilder d(kDocFbd, 0x1188);
  d.Doc().m_wFirmware = 0xB100;
  CBlockObj* gate = d.Add(300);
  gate->m_strName = u"ON";
  CBlockObj* i0 = d.Add(600);
  CBlockObj* i1 = d.Add(600);
  CBlockObj* q0 = d.Add(605);
  CDiagramBuilder::Wire(i0, gate, 0);
  CDiagramBuilder::Wire(i1, gate, 1);
  CDiagramBuilder::Wire(gate, q0, 0);
  ASSERT_TRUE(CheckUnconnectedBlocks(d.Doc()));

  DownloadImage out;
  ASSERT_TRUE(PrepareDownload(d.Doc(), &out, Stamp()));
  ExpectedTable t;
  t.CommonSettings(0x1188, 0xB100);
  t.Put(u"LC", 0, {0x40, 0x14}).Put(u"PS", 0, {0x40, 0x14});
  t.Put(u"A", 0, {0, 0}).Put(u"B", 0, {0x4F, 0x4E, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B, 0x5B});
  t.Put(u"E", 0, {0x00, 0x70});
  std::vector<BYTE> program(128, 0xFF);
  const BYTE record[] = {0x01, 0x00, 0x00, 0x00, 0x01, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  std::copy(std::begin(record), std::end(record), program.begin());
  const DWORD sum = ImageChecksum(t.Bytes(), program);
  t.Put(u"LC", kLcImageChecksum,
        {int(sum & 0xFF), int((sum >> 8) & 0xFF), int((sum >> 16) & 0xFF), int(sum >> 24)});

  EXPECT_EQ(out.image.program, program);
  EXPECT_EQ(out.image.table, t.Bytes());
  EXPECT_TRUE(out.image.pages.empty());
  EXPECT_EQ(out.imageChecksum, sum);
  EXPECT_EQ(out.imageWords, 5184);
  EXPECT_EQ(out.tableRegisters, ToRegisterOrder(t.Bytes()));
  EXPECT_EQ(out.programRegisters[0], 0x00);  // 01 00 goes out as 00 01
  EXPECT_EQ(out.programRegisters[1], 0x01);
  EXPECT_TRUE(out.textRegisters.empty());
}

TEST(DownloadImageTest, NewerSeriesWholeImageWithAMessageText) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  CBlockObj* timer = d.Add(400);
  auto* msg = d.Add<CBlockMSGTEXT>(810);
  CBlockObj* i0 = d.Add(600);
  CBlockObj* q0 = d.Add(605);
  timer->m_nParam1 = 0, timer->m_nParam2 = 0;
  timer->m_nParam10 = 2, timer->m_nParam9 = 50, timer->m_nParam11 = 2;
  msg->m_nParam1 = 0, msg->m_nParam2 = 0;
  CDiagramBuilder::Wire(i0, timer, 0);
  CDiagramBuilder::Wire(timer, q0, 0);
  static_cast<CBlockIn*>(i0)->m_bHighSpeed = 1;

  DownloadImage out;
  ASSERT_TRUE(PrepareDownload(d.Doc(), &out, Stamp()));
  EXPECT_EQ(d.Doc().m_nCapCounts[0], 2);  // the timer (0x0F) and the message text (0x04)
  EXPECT_EQ(d.Doc().m_nCapCounts[1], 1);
  EXPECT_EQ(d.Doc().m_nCapCounts[2], 1);

  ExpectedTable t;
  t.CommonSettings(0x5188, 0xC100);
  t.Put(u"LC", 0, {0x40, 0x14}).Put(u"PS", 0, {0x40, 0x14});
  t.Put(u"E", 0, {0x00, 0x70});
  t.Put(u"PW", 0, {1});
  t.Put(u"C", 0, {100, 0, 0xE8, 0x03, 0, 0, 0, 0, 0, 0});
  t.Put(u"KV", 0, {1, 0}).Put(u"QT", 0, std::vector<int>(32, 0)).Put(u"FV", 0, std::vector<int>(64, 0));
  t.Put(u"RV", 0, {2, 0, 1, 0, 1, 0, 0, 0, 38, 0}).Put(u"RV", 16, {0, 0});
  std::vector<BYTE> program(128, 0xFF);
  const BYTE records[] = {0x21, 0x40, 0x00, 0x00, 0xFA, 0x40, 0x00, 0x00,   // B0 on-delay 2.50 s
                          0x34, 0x40, 0xFF, 0xFF, 0xFF, 0x00, 0x01, 0x00};  // B1 message text, slot 0
  std::copy(std::begin(records), std::end(records), program.begin());
  EXPECT_EQ(out.image.program, program);

  ASSERT_EQ(out.image.pages.size(), size_t(kTextPageSize));
  EXPECT_EQ(out.textPages, 1);
  EXPECT_EQ(out.textChecksum, TextChecksum(out.image.pages));
  const DWORD text = out.textChecksum;
  t.Put(u"LC", kLcTextWords,
        {0x80, 0x02, int(text & 0xFF), int((text >> 8) & 0xFF), int((text >> 16) & 0xFF), int(text >> 24)});
  const DWORD sum = ImageChecksum(t.Bytes(), program);
  t.Put(u"LC", kLcImageChecksum,
        {int(sum & 0xFF), int((sum >> 8) & 0xFF), int((sum >> 16) & 0xFF), int(sum >> 24)});
  EXPECT_EQ(out.image.table, t.Bytes());
  EXPECT_EQ(out.textRegisters, ToRegisterOrder(out.image.pages));
  // Every cell of the empty screen is a blank of attribute 1.
  EXPECT_EQ(out.image.pages[0], 1);
  EXPECT_EQ(out.image.pages[256], 0x20);
}

TEST(DownloadImageTest, TheLogoGoesIntoTheHeader) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  CBlockObj* i0 = d.Add(600);
  CBlockObj* q0 = d.Add(605);
  CDiagramBuilder::Wire(i0, q0, 0);
  // A logo read back from a device and no file: sent as it is.
  d.Doc().m_bHasLogoImage = 1;
  d.Doc().m_pLogoImage = std::make_unique<BYTE[]>(kLogoBytes);
  for (int i = 0; i < kLogoBytes; ++i) d.Doc().m_pLogoImage[i] = static_cast<BYTE>(i);
  d.Doc().m_bLogoInverse = 1;
  DownloadImage out;
  ASSERT_TRUE(PrepareDownload(d.Doc(), &out, Stamp()));
  EXPECT_EQ(out.image.table[kLcHasLogo], 1);
  EXPECT_EQ(out.image.table[kLcLogo + 5], 5);
  EXPECT_EQ(out.image.table[kLcLogo + kLogoBytes - 1], static_cast<BYTE>(kLogoBytes - 1));
  // A logo file named but missing: the uploaded one is not used either.
  d.Doc().m_strLogoFile = u"/nonexistent/logo.bmp";
  ASSERT_TRUE(PrepareDownload(d.Doc(), &out, Stamp()));
  EXPECT_EQ(out.image.table[kLcHasLogo], 0);
  EXPECT_EQ(out.image.table[kLcLogo + 5], 0);
}

TEST(DownloadImageTest, PreDownloadCheckMessages) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  const CString noBlocks = u"There is not any Block(s) for DownLoading!";
  const CString noOutput = u"Blocks without connection to an Output!";

  CDiagramBuilder halves;
  halves.Doc().m_blocks.AddTail(std::make_unique<CBlockMale>(900));
  halves.Doc().m_blocks.AddTail(std::make_unique<CBlockFemale>(901));
  EXPECT_FALSE(CheckUnconnectedBlocks(halves.Doc()));

  CDiagramBuilder inputs;
  inputs.Add(600);
  EXPECT_FALSE(CheckUnconnectedBlocks(inputs.Doc()));

  CDiagramBuilder dangling;
  CBlockObj* gate = dangling.Add(300);
  CBlockObj* q = dangling.Add(605);
  CDiagramBuilder::Wire(dangling.Add(600), q, 0);
  (void)gate;  // its output leads nowhere
  EXPECT_FALSE(CheckUnconnectedBlocks(dangling.Doc()));

  EXPECT_EQ(sink.texts(), (std::vector<CString>{noBlocks, noOutput, noOutput}));
  EXPECT_EQ(sink.messages()[0].icon, MessageIcon::kError);
}

TEST(DownloadImageTest, LadderCheckFollowsTheContactsOfFunctionBlocks) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CDiagramBuilder d(kDocLadder);
  CBlockObj* contact = d.Add(700);  // on I1
  CBlockObj* coil = d.Add(703);
  CDiagramBuilder::Wire(contact, coil, 0);
  EXPECT_TRUE(CheckUnconnectedBlocks(d.Doc()));

  // A function block that no element uses fails the check ...
  CBlockObj* timer = d.Add(400);
  EXPECT_FALSE(CheckUnconnectedBlocks(d.Doc()));
  // ... until a contact on it, fed and wired on, uses it.
  CBlockObj* onTimer = d.Add(700);
  onTimer->m_nOperand = timer->m_nNumber;
  onTimer->m_nSource[0] = contact->m_nNumber;
  CDiagramBuilder::Wire(onTimer, coil, 0);
  EXPECT_TRUE(CheckUnconnectedBlocks(d.Doc()));
  // A contact on a function block with neither input nor output wired fails.
  d.Add(700)->m_nOperand = timer->m_nNumber;
  EXPECT_FALSE(CheckUnconnectedBlocks(d.Doc()));
  EXPECT_EQ(sink.texts().size(), 2u);
}

TEST(DownloadImageTest, CompileFailuresAreReportedAndNothingIsPrepared) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);

  // A Modbus block on a port that is not a Master (or on no port at all).
  for (int port : {0, 7}) {
    CDiagramBuilder d(kDocFbd, 0x5188);
    d.Add(300);
    auto* modbus = d.Add<CBlockMW>(814);
    modbus->m_nPort = port;
    d.Doc().m_ports[0].nRole = 0;
    DownloadImage out;
    out.imageWords = 77;
    EXPECT_FALSE(PrepareDownload(d.Doc(), &out));
    EXPECT_EQ(out.imageWords, 77);
  }
  // Block number 1024 lies past the last OperandWord index.
  CDiagramBuilder d(kDocFbd, 0x5188);
  CBlockObj* last = d.Add(300);
  last->m_nNumber = 10024;
  DownloadImage out;
  EXPECT_FALSE(PrepareDownload(d.Doc(), &out));
  last->m_nNumber = 10023;
  EXPECT_TRUE(PrepareDownload(d.Doc(), &out));

  const CString modbus = u"Error!, Modbus Block B1's Port Setting Should be Master, Please Check!";
  EXPECT_EQ(sink.texts(),
            (std::vector<CString>{modbus, modbus, CString(u"Internal error,Please notify the engineer!")}));
}

TEST(DownloadImageTest, TheSampleDocumentCompiles) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (WORD model : {WORD{0x1188}, WORD{0x5188}}) {
    CDiagramBuilder d(kDocFbd, model);
    // Many kinds of blocks, wired, with message texts and their display
    // elements on both character sets (newer series); few enough operands
    // that each keeps a number of its device range.
    SampleDocumentSize size;
    size.nFunctionBlocks = 300;
    size.nOperands = 40;
    if (model == 0x1188) size.nMessageTexts = 0;
    BuildSampleDocument(d.Doc(), size);
    DownloadImage out;
    EXPECT_TRUE(PrepareDownload(d.Doc(), &out)) << model;
    EXPECT_EQ(out.textPages, model == 0x1188 ? 0 : 16);
  }
  EXPECT_TRUE(sink.texts().empty());
}

}  // namespace
