// Download and clear against the simulator: what reaches the device, what the log
// and the message boxes say, and which frames go on the line when a step fails.
#include <gtest/gtest.h>

#include "device/download_prep.h"
#include "device/link_fixture.h"
#include "image/download_image.h"
#include "support/diagram_builder.h"
#include "support/sim_time.h"

namespace {

// An image of the newer series: table, 4 program blocks and one message-text page.
TransferImage TestImage(WORD model = 0x5188, bool texts = true) {
  TransferImage image;
  image.modelCode = model;
  image.minFirmware = (model >> 8) >= 0x51 ? 0xC100 : 0xB100;
  image.table.resize(kTableImageBytes);
  for (size_t i = 0; i < image.table.size(); ++i) image.table[i] = static_cast<BYTE>(i * 7 + 3);
  image.program.resize(4 * 128);
  for (size_t i = 0; i < image.program.size(); ++i) image.program[i] = static_cast<BYTE>(i * 13 + 1);
  if (texts) image.texts.assign(kMessageTextPageBytes, 0x20);
  return image;
}

}  // namespace

class DownloadTest : public LinkTest {
 protected:
  void SetUp() override { m_host.image = TestImage(); }
};

TEST_F(DownloadTest, WritesEveryAreaProvesItAndEndsWithSuccess) {
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Messages().empty()) << m_host.log;
  EXPECT_EQ(m_sim.Registers(kRegTableImage, kTableImageBytes / 2), m_host.image.table);
  EXPECT_EQ(m_sim.Registers(kRegProgramArea, 4 * 64), m_host.image.program);
  EXPECT_EQ(m_sim.MessageTexts(kMessageTextPageBytes), m_host.image.texts);
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
  EXPECT_TRUE(Logged("DownLoad Starts...\n"));
  EXPECT_TRUE(Logged("DownLoad Succeeds\n"));
  // Identification, start, 84 writes, 10 text writes, 84 + 10 reads, end: nothing else.
  std::vector<int> expected{3, 100};
  expected.insert(expected.end(), 84, 16);
  expected.insert(expected.end(), 10, 120);
  expected.insert(expected.end(), 84, 3);
  expected.insert(expected.end(), 10, 121);
  expected.push_back(101);
  EXPECT_EQ(Functions(), expected);
  // The progress dialog ran in the download phase and closed at 100 %.
  ASSERT_FALSE(m_host.progress.empty());
  EXPECT_EQ(m_host.progress.front(), 0);
  EXPECT_EQ(m_host.progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(m_host.progress.begin(), m_host.progress.end()));
  EXPECT_EQ(m_host.lastPhase, kPhaseDownload);
  EXPECT_FALSE(m_host.dialog);
}

TEST_F(DownloadTest, ReadBackMismatchIsReportedAsAFailure) {
  // The first read after the identification comes back with one byte changed.
  m_sim.InjectFault(DeviceSimulator::Fault::kCorruptData, kFnReadHolding, 1);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("PC and Device Data Mismatch!\n"));
  EXPECT_TRUE(Logged("Verify Data Error!\n"));
  EXPECT_TRUE(Logged("DownLoad Fails\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Download PC->Device failed!"});
  EXPECT_FALSE(m_host.dialog);
}

TEST_F(DownloadTest, TimeOutMidTransferStillSendsTheFailureEnd) {
  m_sim.InjectFault(DeviceSimulator::Fault::kSilent, kFnWriteMultiple, 10);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("Time Out! Can't Read Data in 3 Seconds, Please check!\n"));
  EXPECT_TRUE(Logged("Write Data Error!\n"));
  EXPECT_TRUE(Logged("DownLoad Suspend!\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), 0);
  EXPECT_EQ(CountFunction(16), 11);
  EXPECT_EQ(CountFunction(120), 0);
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "Download PC->Device failed!");
  EXPECT_FALSE(m_host.dialog);
}

TEST_F(DownloadTest, WrongDeviceTypeSendsNothingFurther) {
  m_sim.SetIdentity(0x61, 0x88, 0xC100);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("Machine type mismatch Error!\n"));
  EXPECT_EQ(Functions(), std::vector<int>{3});
  EXPECT_EQ(m_sim.LastEndSuccess(), -1);
  EXPECT_TRUE(Logged("DownLoad Suspend!\n"));
  EXPECT_EQ(Messages().back(), "Download PC->Device failed!");
}

TEST_F(DownloadTest, TheDocumentsOwnModelDecidesTheSeries) {
  // The model selected last is of another series; the program's own model counts.
  m_host.image = TestImage(0x6188);
  m_sim.SetIdentity(0x61, 0x88, 0xC100);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("DownLoad Succeeds\n")) << m_host.log;
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
}

TEST_F(DownloadTest, OlderSeriesWithoutTexts) {
  m_host.image = TestImage(0x2188, false);
  m_sim.SetIdentity(0x21, 0x88, 0xB100);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("DownLoad Succeeds\n")) << m_host.log;
  EXPECT_EQ(CountFunction(120) + CountFunction(121), 0);
}

TEST_F(DownloadTest, DeviceWithoutIdentificationCountsAsNewerSeries) {
  m_sim.SetIdentificationMissing(true);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("DownLoad Succeeds\n")) << m_host.log;
}

TEST_F(DownloadTest, RejectedStartReplyTellsTheDeviceAndTheUser) {
  m_sim.SetIdentity(0x51, 0x88, 0xB100);  // firmware too old for the model
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("RTU Function Code 100(0x64) Error->Machine version mismatch Error!\n"));
  EXPECT_EQ(Functions(), (std::vector<int>{3, 100, 101}));
  EXPECT_EQ(m_sim.LastEndSuccess(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Download PC->Device failed!"});
}

TEST_F(DownloadTest, DroppedLineAbortsWithoutEndFrame) {
  m_sim.InjectFault(DeviceSimulator::Fault::kDropLine, kFnWriteMultiple, 3);
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("Write Data Error!\n")) << m_host.log;
  EXPECT_TRUE(Logged("DownLoad Suspend!\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), -1);
  EXPECT_EQ(Messages().back(), "Download PC->Device failed!");
}

TEST_F(DownloadTest, BadRepliesToTheSessionFrames) {
  using F = DeviceSimulator::Fault;
  struct Row {
    const char* name;
    F fault;
    BYTE function;
    const char* line;
    int endSuccess;  // what the device learns (-1: no end frame)
  };
  const Row rows[] = {
      {"start silent", F::kSilent, kFnStartDownload, "Time Out! Can't Read Data in 3 Seconds", 0},
      {"start short", F::kShort, kFnStartDownload, "Time Out!", 0},
      {"start bad crc", F::kBadCrc, kFnStartDownload, "Error->Check Sum Error!", 0},
      {"start garbled", F::kGarbled, kFnStartDownload, "Error->Receive Length Error!", 0},
      {"start exception", F::kException, kFnStartDownload, "", 0},
      {"identification bad crc", F::kBadCrc, kFnReadHolding, "Check Sum Error!\n", -1},
      {"identification short", F::kShort, kFnReadHolding, "Time Out!", -1},
      {"identification garbled", F::kGarbled, kFnReadHolding, "Receive Length Error!\n", -1},
      {"end bad crc", F::kBadCrc, kFnEndDownload, "RTU Function Code 101(0x65) Error!\n", 1},
      {"end silent", F::kSilent, kFnEndDownload, "RTU Function Code 101(0x65) Receive Error!\n", 1},
      {"verify garbled", F::kGarbled, kFnReadMessageTexts, "Verify Message Texts Data Error!\n", -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    DeviceSimulator sim;
    RecordingDeviceHost host;
    host.image = TestImage();
    CDeviceLink link(&host);
    link.SetPortPath(sim.PortPath());
    link.SetTimeScale(0.1);
    RecordingMessageSink messages;
    ScopedMessageSink scope(&messages);
    sim.InjectFault(r.fault, r.function);
    link.OnDeviceOperation(kOpDownload);
    EXPECT_NE(host.log.find(r.line), std::string::npos) << host.log;
    EXPECT_EQ(sim.LastEndSuccess(), r.endSuccess);
    ASSERT_FALSE(messages.texts().empty());
    EXPECT_EQ(messages.texts().back(), CString(u"Download PC->Device failed!"));
    EXPECT_FALSE(host.dialog);
  }
}

TEST_F(DownloadTest, ClearFillsTheTableWithFF) {
  m_sim.SetRegisters(kRegTableImage, std::vector<BYTE>(kClearBytes, 0x11));
  m_messages.QueueAnswer(IDYES);
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_EQ(m_sim.Registers(kRegTableImage, kClearBytes / 2), std::vector<BYTE>(kClearBytes, 0xFF));
  EXPECT_TRUE(Logged("Clear Program and Password Starts...\n"));
  EXPECT_TRUE(Logged("Clear Program and Password Succeeds\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), 1);
  EXPECT_EQ(CountFunction(16), 67);
  EXPECT_EQ(CountFunction(3), 68);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Are you sure to clear Device's Program?"});
  EXPECT_EQ(m_host.lastPhase, kPhaseDownload);
}

TEST_F(DownloadTest, ClearDeclinedSendsNothing) {
  m_messages.QueueAnswer(IDNO);
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_TRUE(m_sim.Requests().empty());
}

TEST_F(DownloadTest, ClearTimeOutAbortsWithoutEndFrame) {
  m_messages.QueueAnswer(IDYES);
  m_sim.InjectFault(DeviceSimulator::Fault::kSilent, kFnWriteMultiple, 5);
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_TRUE(Logged("Clear Program Suspend!\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), -1);
  EXPECT_FALSE(m_host.dialog);
}

TEST_F(DownloadTest, ClearOfADeviceWithoutIdentificationUsesTheNewerDefaults) {
  m_messages.QueueAnswer(IDYES);
  m_sim.SetIdentificationMissing(true);
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_TRUE(Logged("Clear Program and Password Succeeds\n")) << m_host.log;
}

TEST_F(DownloadTest, ClearMismatchIsReportedAsAFailure) {
  m_messages.QueueAnswer(IDYES);
  m_sim.InjectFault(DeviceSimulator::Fault::kCorruptData, kFnReadHolding, 5);
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_TRUE(Logged("Clear Program and Password Fails\n"));
  EXPECT_EQ(m_sim.LastEndSuccess(), 0);
  EXPECT_EQ(Messages().back(), "Clear Program and Password Fail!");
}

TEST_F(DownloadTest, CompiledDiagramArrivesAsCompiled) {
  // I1 -> AND -> Q1, compiled as the program would be.
  CDiagramBuilder diagram(kDocFbd, 0x5188);
  diagram.AddInputGateOutput();
  ASSERT_TRUE(CheckDocumentForDownload(diagram.Doc()));
  const SYSTEMTIME stamp = SimTime(2026, 5, 4, 3, 2, 1);
  ASSERT_TRUE(CompileForDownload(diagram.Doc(), &m_host.image, &stamp)) << Messages().size();
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Logged("DownLoad Succeeds\n")) << m_host.log;
  const size_t programBytes = m_host.image.program.size();
  ASSERT_GT(programBytes, 0u);
  // In image byte order the device holds the compiler's table image and program area.
  DownloadImage reference;
  ASSERT_TRUE(PrepareDownload(diagram.Doc(), &reference, stamp));
  EXPECT_EQ(FromRegisterOrder(m_sim.Registers(kRegTableImage, kTableImageBytes / 2)), reference.image.table);
  EXPECT_EQ(FromRegisterOrder(m_sim.Registers(kRegProgramArea, static_cast<int>(programBytes / 2))),
            reference.image.program);
}

TEST_F(DownloadTest, DiagramsWithoutBlocksAreRefusedBeforeThePortOpens) {
  CDiagramBuilder diagram(kDocFbd, 0x5188);
  EXPECT_FALSE(CheckDocumentForDownload(diagram.Doc()));
  EXPECT_EQ(Messages(), std::vector<std::string>{"There is not any Block(s) for DownLoading!"});
}
