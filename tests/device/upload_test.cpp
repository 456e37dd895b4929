// Device->PC against the simulator: what the link reads and in which order, the
// image it hands over (in image byte order), the password, a device without a
// program, sizes the link must refuse and replies that go wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "device/download_prep.h"
#include "device/link_fixture.h"
#include "image/download_image.h"
#include "image/image_layout.h"
#include "support/diagram_builder.h"
#include "support/sim_time.h"

namespace {

// A program image as the compiler lays it out: patterned table image and program
// area, message-text pages, and the model in area M1.
ProgramImage HeldImage(WORD model, int programBytes, int textPages) {
  ProgramImage image;
  image.table.resize(kTableImageBytes);
  for (size_t i = 0; i < image.table.size(); ++i) image.table[i] = static_cast<BYTE>(i * 7 + 3);
  const ImageAreaRow* m1 = FindImageAreaRow(u"M1");
  image.table[m1->nOffset] = static_cast<BYTE>(model & 0xFF);
  image.table[m1->nOffset + 1] = static_cast<BYTE>(model >> 8);
  image.program.resize(static_cast<size_t>(programBytes));
  for (size_t i = 0; i < image.program.size(); ++i) image.program[i] = static_cast<BYTE>(i * 13 + 1);
  image.pages.resize(static_cast<size_t>(textPages) * kMessageTextPageBytes);
  for (size_t i = 0; i < image.pages.size(); ++i) image.pages[i] = static_cast<BYTE>(i * 5 + 2);
  return image;
}

// What the device holds: the table image and program area as one run of registers.
std::vector<BYTE> AsRegisters(const ProgramImage& image) {
  std::vector<BYTE> area = image.table;
  area.insert(area.end(), image.program.begin(), image.program.end());
  return ToRegisterOrder(area);
}

// A link on a simulator of its own, for one row of a table.
struct RowLink {
  RowLink() : link(&host), scope(&messages) {
    link.SetPortPath(sim.PortPath());
    link.SetTimeScale(0.1);
  }
  std::tuple<DeviceSimulator&, RecordingDeviceHost&, CDeviceLink&> Parts() { return {sim, host, link}; }
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (const CString& t : messages.texts()) out.push_back(t.ToUtf8());
    return out;
  }

  DeviceSimulator sim;
  RecordingDeviceHost host;
  CDeviceLink link;
  RecordingMessageSink messages;
  ScopedMessageSink scope;
};

}  // namespace

class UploadTest : public LinkTest {
 protected:
  void Hold(const ProgramImage& image, const std::string& password = "") {
    m_held = image;
    m_sim.HoldProgram(AsRegisters(image), ToRegisterOrder(image.pages), password);
  }
  // The start registers of the function's read requests, in order.
  std::vector<int> ReadRegisters(int function) const {
    std::vector<int> out;
    for (const auto& f : m_sim.Requests()) {
      if (f.size() > 5 && f[1] == function && BigEndianWord(&f[2]) != kRegIdentification) {
        out.push_back(BigEndianWord(&f[2]));
      }
    }
    return out;
  }
  bool AnyDataRead() const {
    return !ReadRegisters(kFnReadHolding).empty() || CountFunction(kFnReadMessageTexts) > 0;
  }

  ProgramImage m_held;
};

TEST_F(UploadTest, DeliversWhatTheDeviceHoldsInImageByteOrder) {
  Hold(HeldImage(0x5188, 4 * 128, 2));
  m_link.OnDeviceOperation(kOpUpload);
  EXPECT_TRUE(Messages().empty()) << m_host.log;
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  const UploadedProgram& got = m_host.uploaded[0];
  EXPECT_EQ(got.image.table, m_held.table);
  EXPECT_EQ(got.image.program, m_held.program);
  EXPECT_EQ(got.image.pages, m_held.pages);
  EXPECT_EQ(got.modelCode, 0x5188);
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 1);
  EXPECT_TRUE(Logged("UpLoad Starts...\n"));
  EXPECT_TRUE(Logged("UpLoad Succeeds\n"));
  // Identification, start, 84 reads from 0x8C00 on, 20 text reads from 0, end: nothing else.
  std::vector<int> expected{3, 102};
  expected.insert(expected.end(), 84, 3);
  expected.insert(expected.end(), 20, 121);
  expected.push_back(103);
  EXPECT_EQ(Functions(), expected);
  const std::vector<int> area = ReadRegisters(kFnReadHolding);
  for (size_t i = 0; i < area.size(); ++i) ASSERT_EQ(area[i], 0x8C00 + 64 * static_cast<int>(i));
  const std::vector<int> texts = ReadRegisters(kFnReadMessageTexts);
  for (size_t i = 0; i < texts.size(); ++i) ASSERT_EQ(texts[i], 64 * static_cast<int>(i));
  // The progress dialog ran in the upload phase and closed at 100 % after the end frame.
  ASSERT_FALSE(m_host.progress.empty());
  EXPECT_EQ(m_host.progress.front(), 0);
  EXPECT_EQ(m_host.progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(m_host.progress.begin(), m_host.progress.end()));
  EXPECT_EQ(std::count(m_host.progress.begin(), m_host.progress.end(), 100), 1);
  EXPECT_EQ(m_host.lastPhase, kPhaseUpload);
  EXPECT_EQ(m_host.dialogsCreated, 1);
  EXPECT_FALSE(m_host.dialog);
  EXPECT_EQ(m_host.passwordAsks, 0);
}

TEST_F(UploadTest, LargestProgramIsReadFromConsecutiveRegisters) {
  Hold(HeldImage(0x5188, kMaxProgramBytes, 0));
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  EXPECT_EQ(m_host.uploaded[0].image.program, m_held.program);
  EXPECT_TRUE(m_host.uploaded[0].image.pages.empty());
  const std::vector<int> area = ReadRegisters(kFnReadHolding);
  ASSERT_EQ(area.size(), 272u);
  for (size_t i = 0; i < area.size(); ++i) ASSERT_EQ(area[i], 0x8C00 + 64 * static_cast<int>(i));
}

TEST_F(UploadTest, OlderSeriesAnswersShortAndHasNoMessageTexts) {
  m_sim.SetIdentity(0x21, 0x88, 0xB100);
  Hold(HeldImage(0x2188, 2 * 128, 0));
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  EXPECT_EQ(m_host.uploaded[0].image.program, m_held.program);
  EXPECT_EQ(m_host.uploaded[0].modelCode, 0x2188);
  EXPECT_EQ(CountFunction(kFnReadMessageTexts), 0);
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 1);
}

TEST_F(UploadTest, DeviceWithoutIdentificationCountsAsNewerSeries) {
  m_sim.SetIdentificationMissing(true);
  Hold(HeldImage(0x5288, 128, 1));
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  EXPECT_EQ(m_host.uploaded[0].image.pages, m_held.pages);
  EXPECT_EQ(m_host.uploaded[0].modelCode, 0x5288);
}

TEST_F(UploadTest, ModelFallsBackToTheDevicesOwnAndAnUnknownOneIsRefused) {
  ProgramImage image = HeldImage(0x5188, 128, 0);
  const ImageAreaRow* m1 = FindImageAreaRow(u"M1");
  image.table[m1->nOffset] = 0x12;
  image.table[m1->nOffset + 1] = 0x34;
  Hold(image);
  m_sim.SetIdentity(0x52, 0x88, 0xC100);
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  EXPECT_EQ(m_host.uploaded[0].modelCode, 0x5288);
  // A series the program does not know, and nothing better in the image.
  m_sim.SetIdentity(0x33, 0x88, 0xB100);
  m_link.OnDeviceOperation(kOpUpload);
  EXPECT_EQ(m_host.uploaded.size(), 1u);
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("names no known device model"), std::string::npos);
}

TEST_F(UploadTest, PasswordIsAskedBeforeAnyDataAndSentPairSwapped) {
  Hold(HeldImage(0x5188, 128, 0), "AB");
  m_host.password = "AB";
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  EXPECT_EQ(m_host.uploaded[0].image.program, m_held.program);
  EXPECT_EQ(m_host.passwordAsks, 1);
  const auto requests = m_sim.Requests();
  ASSERT_GE(requests.size(), 4u);
  EXPECT_EQ(requests[2][1], kFnPassword);  // after identification and start, before any read
  const std::vector<BYTE> sent(requests[2].begin() + 7, requests[2].begin() + 15);
  EXPECT_EQ(sent, (std::vector<BYTE>{'B', 'A', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(m_link.PasswordState(), kPasswordGiven);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UploadTest, PasswordCancelledOrWrong) {
  struct Row {
    const char* name;
    WORD passwordWord;  // what the start reply says
    std::string typed;  // empty: Cancel
    int asks;
    std::vector<std::string> messages;
    const char* line;
  };
  const Row rows[] = {
      {"cancelled", 0x0001, "", 1, {}, "UpLoad Fails\n"},
      {"wrong", 0x0001, "ABD", 1, {"Wrong password UpLoad Device-->PC failed!"}, "UpLoad Fails\n"},
      {"word 0xFFFF needs none", 0xFFFF, "", 0, {}, "UpLoad Succeeds\n"},
      {"word 0 needs none", 0x0000, "", 0, {}, "UpLoad Succeeds\n"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RowLink row;
    auto [sim, host, link] = row.Parts();
    const ProgramImage image = HeldImage(0x5188, 128, 0);
    sim.HoldProgram(AsRegisters(image), {}, "ABC");
    sim.SetPasswordWord(r.passwordWord);
    host.password = r.typed;
    link.OnDeviceOperation(kOpUpload);
    EXPECT_EQ(host.passwordAsks, r.asks);
    const std::vector<std::string> shown = row.Shown();
    EXPECT_EQ(shown, r.messages);
    EXPECT_NE(host.log.find(r.line), std::string::npos) << host.log;
    const bool protectedProgram = r.asks > 0;
    EXPECT_EQ(host.uploaded.size(), protectedProgram ? 0u : 1u);
    EXPECT_EQ(sim.LastUploadEndSuccess(), protectedProgram ? 0 : 1);
    // A refused or cancelled password reads nothing of the program.
    if (protectedProgram) {
      for (const auto& f : sim.Requests())
        EXPECT_FALSE(f[1] == kFnReadHolding && BigEndianWord(&f[2]) >= 0x8C00);
    }
    EXPECT_EQ(link.PasswordState(),
              r.typed.empty() && protectedProgram ? kPasswordCancelled : kPasswordGiven);
    EXPECT_FALSE(host.dialog);
  }
}

TEST_F(UploadTest, DeviceWithoutProgram) {
  m_link.OnDeviceOperation(kOpUpload);
  EXPECT_TRUE(Logged("RTU Function Code 102->No program!\n")) << m_host.log;
  EXPECT_TRUE(Logged("UpLoad Aborts\n"));
  EXPECT_EQ(Functions(), (std::vector<int>{3, 102, 103}));
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Device's Program is empty!"});
  EXPECT_TRUE(m_host.uploaded.empty());
  EXPECT_FALSE(m_host.dialog);
}

TEST_F(UploadTest, EmptyProgramAreaIsReadButBuildsNothing) {
  Hold(HeldImage(0x5188, 0, 0));  // size word 0x1400
  m_link.OnDeviceOperation(kOpUpload);
  EXPECT_EQ(ReadRegisters(kFnReadHolding).size(), 80u);
  EXPECT_EQ(m_sim.LastUploadEndSuccess(), 1);
  EXPECT_EQ(Messages(), std::vector<std::string>{"Device's Program is empty!"});
  EXPECT_TRUE(m_host.uploaded.empty());
}

// Sizes that no image can have are refused before anything is allocated or read.
TEST_F(UploadTest, SizesBeyondTheImageAreRefused) {
  struct Row {
    const char* name;
    WORD imageWords;
    WORD textWords;
    const char* line;
  };
  const Row rows[] = {
      {"wraps 16 bits", 0x8000, 0, "Program size Error! The device reports a program of 65536 bytes"},
      {"largest 16-bit", 0xFFC0, 0, "Program size Error! The device reports a program of 130944 bytes"},
      {"one frame too many", (kTableImageBytes + kMaxProgramBytes + 128) / 2, 0, "Program size Error!"},
      {"smaller than the table", 0x0C00, 0, "Program size Error! The device reports a program of 6144 bytes"},
      {"not whole frames", 0x0041, 0, "RTU Function Code 102->Invalid password Error!\n"},
      {"text not whole pages", 0x1440, 64, "Message Texts size Error! The device reports 128 bytes"},
      {"seventeen pages", 0x1440, 17 * 640, "Message Texts size Error!"},
      {"text of an erased word", 0x1440, 0xFFFF, "Message Texts size Error!"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RowLink row;
    auto [sim, host, link] = row.Parts();
    sim.HoldProgram(AsRegisters(HeldImage(0x5188, 128, 0)), {});
    sim.SetReportedSizes(r.imageWords, r.textWords);
    link.OnDeviceOperation(kOpUpload);
    EXPECT_NE(host.log.find(r.line), std::string::npos) << host.log;
    EXPECT_NE(host.log.find("UpLoad Aborts\n"), std::string::npos);
    std::vector<int> functions;
    for (const auto& f : sim.Requests()) functions.push_back(f[1]);
    EXPECT_EQ(functions, (std::vector<int>{3, 102, 103}));
    EXPECT_EQ(sim.LastUploadEndSuccess(), 0);
    ASSERT_EQ(row.Shown().size(), 1u);
    EXPECT_EQ(row.Shown()[0].substr(0, 25), "Upload Device->PC failed!");
    EXPECT_TRUE(host.uploaded.empty());
    EXPECT_FALSE(host.dialog);
  }
}

TEST_F(UploadTest, RepliesThatGoWrong) {
  using F = DeviceSimulator::Fault;
  const std::vector<std::string> suspend{
      "Please check if cable connects Device and PC, Initial/Run Mode Setting, ComPort is selected "
      "correctly, and "
      "Machine type(Device/PC) matches!",
      "Upload Device->PC failed!"};
  struct Row {
    const char* name;
    F fault;
    BYTE function;
    int skip;
    const char* line;
    int endSuccess;  // what the device learns (-1: no end frame)
    bool suspended;  // "UpLoad Suspend!" with strings 631 and 595
    bool built;      // the program still reached the host
  };
  const Row rows[] = {
      {"identification silent", F::kSilent, kFnReadHolding, 0, "Time Out! Can't Read Data in 3 Seconds", -1,
       true, false},
      {"identification garbled", F::kGarbled, kFnReadHolding, 0, "Receive Length Error!\n", -1, true, false},
      {"start silent", F::kSilent, kFnStartUpload, 0, "Time Out! Can't Read Data in 3 Seconds", 0, true,
       false},
      {"start short", F::kShort, kFnStartUpload, 0, "Time Out!", 0, true, false},
      {"start exception", F::kException, kFnStartUpload, 0, "UpLoad Aborts\n", 0, true, false},
      {"start bad crc", F::kBadCrc, kFnStartUpload, 0, "RTU Function Code 102->Check Sum Error!\n", 0, false,
       false},
      {"start garbled", F::kGarbled, kFnStartUpload, 0, "RTU Function Code 102->", 0, false, false},
      {"area read garbled", F::kGarbled, kFnReadHolding, 3, "Receive Length Error!\nRead Data Error!\n", -1,
       true, false},
      {"area read bad crc", F::kBadCrc, kFnReadHolding, 1, "Check Sum Error!\nRead Data Error!\n", -1, true,
       false},
      {"area read silent", F::kSilent, kFnReadHolding, 5, "Read Data Error!\nUpLoad Fails\n", 0, true, false},
      {"area read short", F::kShort, kFnReadHolding, 5, "Read Data Error!\nUpLoad Fails\n", 0, true, false},
      {"text read bad crc", F::kBadCrc, kFnReadMessageTexts, 2, "Read Message Texts Data Error!\n", -1, true,
       false},
      {"text read silent", F::kSilent, kFnReadMessageTexts, 0,
       "Read Message Texts Data Error!\nUpLoad Fails\n", 0, true, false},
      {"end silent", F::kSilent, kFnEndUpload, 0, "Time Out!", 1, true, false},
      {"end garbled", F::kGarbled, kFnEndUpload, 0, "RTU Function Code 103 Error!\n", 1, false, true},
      {"line dropped", F::kDropLine, kFnReadHolding, 20, "UpLoad Suspend!\n", -1, true, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    RowLink row;
    auto [sim, host, link] = row.Parts();
    const ProgramImage image = HeldImage(0x5188, 128, 1);
    sim.HoldProgram(AsRegisters(image), ToRegisterOrder(image.pages));
    sim.InjectFault(r.fault, r.function, r.skip);
    link.OnDeviceOperation(kOpUpload);
    EXPECT_NE(host.log.find(r.line), std::string::npos) << host.log;
    EXPECT_EQ(sim.LastUploadEndSuccess(), r.endSuccess);
    EXPECT_EQ(host.log.find("UpLoad Suspend!\n") != std::string::npos, r.suspended) << host.log;
    const std::vector<std::string> shown = row.Shown();
    if (r.suspended) {
      EXPECT_EQ(shown, suspend);
    }
    if (!r.suspended && !r.built) {
      ASSERT_EQ(shown.size(), 1u);
      EXPECT_EQ(shown[0].substr(0, 25), "Upload Device->PC failed!");
    }
    EXPECT_EQ(host.uploaded.size(), r.built ? 1u : 0u);
    EXPECT_FALSE(host.dialog);
    EXPECT_FALSE(link.IsPortOpen());
  }
}

TEST_F(UploadTest, FailedDocumentLeavesTheTransferResultToTheHost) {
  Hold(HeldImage(0x5188, 128, 0));
  m_host.openResult = false;
  ASSERT_TRUE(m_link.ConnectComPort());
  EXPECT_EQ(m_link.UploadProgram(), 0);
  m_link.DisconnectComPort();
  EXPECT_EQ(m_host.uploaded.size(), 1u);
  // The host showed its own message; the link adds none.
  EXPECT_TRUE(Messages().empty());
}

TEST_F(UploadTest, DownloadedDiagramComesBackAsCompiled) {
  // I1 -> AND -> Q1, downloaded as the program would send it.
  CDiagramBuilder diagram(kDocFbd, 0x5188);
  diagram.AddInputGateOutput();
  const SYSTEMTIME stamp = SimTime(2026, 5, 4, 3, 2, 1);
  ASSERT_TRUE(CompileForDownload(diagram.Doc(), &m_host.image, &stamp));
  m_link.OnDeviceOperation(kOpDownload);
  ASSERT_EQ(m_sim.LastEndSuccess(), 1) << m_host.log;
  m_link.OnDeviceOperation(kOpUpload);
  ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
  DownloadImage reference;
  ASSERT_TRUE(PrepareDownload(diagram.Doc(), &reference, stamp));
  EXPECT_EQ(m_host.uploaded[0].image.table, reference.image.table);
  EXPECT_EQ(m_host.uploaded[0].image.program, reference.image.program);
  EXPECT_EQ(m_host.uploaded[0].image.pages, reference.image.pages);
  EXPECT_EQ(m_host.uploaded[0].modelCode, 0x5188);
}
