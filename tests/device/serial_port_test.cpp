// The termios port: opening failures the user can act on, whole writes, and the
// link's messages when the port does not open.
#include "device/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <thread>

#include "device/link_fixture.h"

TEST(SerialPortErrors, EachFailureSaysWhichAndWhy) {
  struct Row {
    int error;
    PortOpenFailure kind;
    const char* text;
  };
  const Row rows[] = {
      {ENOENT, PortOpenFailure::kMissing, "does not exist"},
      {EBUSY, PortOpenFailure::kBusy, "in use by another program"},
      {EWOULDBLOCK, PortOpenFailure::kBusy, "in use by another program"},
      {EACCES, PortOpenFailure::kNoPermission, "dialout"},
      {ENOTTY, PortOpenFailure::kNotSerial, "not a serial port"},
      {EIO, PortOpenFailure::kOther, "Input/output error"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.error);
    EXPECT_EQ(ClassifyOpenError(r.error), r.kind);
    const std::string text =
        DescribeOpenFailure("/dev/ttyUSB7", ClassifyOpenError(r.error), r.error).ToUtf8();
    EXPECT_NE(text.find("/dev/ttyUSB7"), std::string::npos) << text;
    EXPECT_NE(text.find(r.text), std::string::npos) << text;
  }
}

TEST(SerialPortErrors, RealOpenFailures) {
  CTermiosPort port;
  CString why;
  EXPECT_FALSE(port.Open("/dev/ttyUSB-not-there", LineSettings{}, &why));
  EXPECT_NE(why.ToUtf8().find("does not exist"), std::string::npos);
  // A plain file is no serial port.
  char name[] = "/tmp/zovuzi-port-XXXXXX";
  const int fd = mkstemp(name);
  ASSERT_GE(fd, 0);
  EXPECT_FALSE(port.Open(name, LineSettings{}, &why));
  EXPECT_NE(why.ToUtf8().find("not a serial port"), std::string::npos) << why.ToUtf8();
  if (geteuid() != 0) {
    fchmod(fd, 0);
    EXPECT_FALSE(port.Open(name, LineSettings{}, &why));
    EXPECT_NE(why.ToUtf8().find("no permission"), std::string::npos) << why.ToUtf8();
  }
  close(fd);
  unlink(name);
  EXPECT_FALSE(port.IsOpen());
}

TEST(SerialPortWrite, LargeFramesGoOutWhole) {
  // A pseudo-terminal whose reader drains slowly: the writes come back short.
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  CTermiosPort port;
  ASSERT_TRUE(port.Open(ptsname(master), LineSettings{}, nullptr));
  std::vector<BYTE> data(200000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<BYTE>(i * 31);
  std::vector<BYTE> received;
  std::thread reader([&] {
    while (received.size() < data.size()) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 2000) <= 0) break;
      BYTE buffer[997];
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      received.insert(received.end(), buffer, buffer + n);
      std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
  });
  int error = 0;
  EXPECT_TRUE(port.Write(data.data(), data.size(), &error)) << error;
  reader.join();
  EXPECT_EQ(received, data);
  port.Close();
  close(master);
}

class PortLinkTest : public LinkTest {};

// A port that does not open says so once: which port, and why.
TEST_F(PortLinkTest, MissingPortSaysWhyInOneMessage) {
  m_link.SetPortPath("/dev/ttyACM-missing");
  EXPECT_FALSE(m_link.ConnectComPort());
  const auto messages = Messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].find("/dev/ttyACM-missing fail to open, Please check!"), 0u) << messages[0];
  EXPECT_NE(messages[0].find("does not exist"), std::string::npos) << messages[0];
  m_link.OnDeviceOperation(kOpClearProgram);
  EXPECT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(m_sim.Requests().empty());
}

TEST_F(PortLinkTest, BusyPortIsNamedAsBusy) {
  CTermiosPort other;
  ASSERT_TRUE(other.Open(m_sim.PortPath(), LineSettings{}, nullptr));
  EXPECT_FALSE(m_link.ConnectComPort());
  ASSERT_FALSE(Messages().empty());
  EXPECT_NE(Messages()[0].find("in use by another program"), std::string::npos) << Messages()[0];
  other.Close();
  EXPECT_TRUE(m_link.ConnectComPort());
  m_link.DisconnectComPort();
}

TEST_F(PortLinkTest, NoPortChosenEndsSilently) {
  m_link.SetPortPath("");
  m_link.OnDeviceOperation(kOpDownload);
  EXPECT_TRUE(Messages().empty());
  EXPECT_TRUE(m_sim.Requests().empty());
}

TEST_F(PortLinkTest, ProbeAnswersAndRestoresThePort) {
  int error = 0;
  m_link.SetPortPath("/dev/ttyS-chosen");
  EXPECT_EQ(m_link.ProbeComPort(&error, 0, m_sim.PortPath()), 1);
  EXPECT_EQ(Functions(), std::vector<int>{101});
  EXPECT_EQ(m_link.PortPath(), "/dev/ttyS-chosen");
  m_sim.InjectFault(DeviceSimulator::Fault::kSilent);
  EXPECT_EQ(m_link.ProbeComPort(&error, 0, m_sim.PortPath()), 0);
  EXPECT_EQ(error, kLinkTimeout);
  // A port that does not open counts as answered: its message was shown.
  EXPECT_EQ(m_link.ProbeComPort(&error, 0, "/dev/none"), 1);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(PortLinkTest, ExceptionReplyAtTheTimeOut) {
  m_sim.SetIdentificationMissing(true);
  ASSERT_TRUE(m_link.ConnectComPort());
  BYTE info[300];
  int error = 0;
  EXPECT_FALSE(m_link.ReadDeviceInfo(info, sizeof info, &error));
  EXPECT_EQ(error, kLinkException);
  EXPECT_FALSE(Logged("Time Out!"));
  m_link.DisconnectComPort();
}

TEST_F(PortLinkTest, IgnoredOperationsDoNothing) {
  for (int op : {3, 4, 7, 11, 15, 24, 28, 31, 85, 0, 33}) m_link.OnDeviceOperation(op);
  EXPECT_EQ(m_link.CurrentOperation(), 0);
  EXPECT_TRUE(m_sim.Requests().empty());
  m_link.OnDeviceOperation(kOpShowProgress);
  EXPECT_TRUE(m_host.dialog);
  EXPECT_EQ(m_link.CurrentOperation(), kOpShowProgress);
}
