// The device settings transfers against the simulator, and the record layouts.
#include <gtest/gtest.h>

#include "device/link_fixture.h"
#include "support/sim_time.h"

class SettingsTest : public LinkTest {};

TEST_F(SettingsTest, ClockWriteFollowsTheDeviceType) {
  struct Row {
    BYTE type;
    size_t dataBytes;
  };
  for (const Row& r : {Row{0x61, 14}, Row{0x21, 12}}) {
    SCOPED_TRACE(r.type);
    m_sim.SetIdentity(r.type, 0x88, 0xC100);
    m_sim.ClearRequests();
    m_link.Settings().clock.time = SimTime(2024, 3, 31, 13, 45, 7);
    ASSERT_TRUE(m_link.ConnectComPort());
    EXPECT_EQ(m_link.TransferDeviceSettings(kClockWrite | kClockRead), 2) << m_host.log;
    m_link.DisconnectComPort();
    const auto requests = m_sim.Requests();
    ASSERT_EQ(requests.size(), 2u);  // identification, clock: the read is not done
    const auto& frame = requests[1];
    EXPECT_EQ(frame[1], kFnSetClock);
    EXPECT_EQ(frame[2], r.type);  // the identification word as address
    EXPECT_EQ(frame[5], r.dataBytes / 2);
    EXPECT_EQ(frame[6], r.dataBytes);
    if (r.dataBytes == 14) {
      EXPECT_EQ(BigEndianWord(&frame[7]), 0);  // a Sunday
    }
    EXPECT_EQ(m_sim.Registers(301, 6), (std::vector<BYTE>{0x07, 0xE8, 0, 3, 0, 31, 0, 13, 0, 45, 0, 7}));
  }
}

TEST_F(SettingsTest, ClockAndCalibrationRoundTrip) {
  m_sim.SetRegisters(301, {0x07, 0xE9, 0, 12, 0, 24, 0, 23, 0, 59, 0, 58});
  m_link.Settings().clock.calibration = -5;
  ASSERT_TRUE(m_link.ConnectComPort());
  EXPECT_EQ(m_link.TransferDeviceSettings(kClockRead), 2);
  EXPECT_EQ(m_link.TransferDeviceSettings(kCalibrationWrite), 2);
  m_link.Settings().clock.calibration = 0;
  EXPECT_EQ(m_link.TransferDeviceSettings(kCalibrationRead), 2);
  m_link.DisconnectComPort();
  const SYSTEMTIME& t = m_link.Settings().clock.time;
  EXPECT_EQ(t.wYear, 2025);
  EXPECT_EQ(t.wMonth, 12);
  EXPECT_EQ(t.wDay, 24);
  EXPECT_EQ(t.wSecond, 58);
  EXPECT_EQ(m_link.Settings().clock.calibration, -5);
  const auto requests = m_sim.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(std::vector<BYTE>(requests[1].begin(), requests[1].begin() + 6),
            (std::vector<BYTE>{0, 234, 0, 1, 0, 5}));
  EXPECT_EQ(BuildCalibrationRecord(5), (std::array<BYTE, 4>{0, 0, 0, 5}));
}

TEST_F(SettingsTest, SummerTimeRuleWrittenAndReadBack) {
  SummerTimeSettings& s = m_link.Settings().summer;
  s = {true, 6, 10, 27, 3, 31, 60};
  EXPECT_EQ(BuildSummerTimeRecord(s),
            (std::array<BYTE, 12>{1, 0, 0, 0, 0x0A, 0x1B, 0x03, 0x1F, 0x3C, 0, 0, 0}));
  m_link.OnDeviceOperation(kOpDeviceSetting, kSummerTimeWrite);
  EXPECT_TRUE(Logged("Summer/Winter Time Writing Starts...\n"));
  EXPECT_TRUE(Logged("Summer/Winter Time Writing Succeed!\n"));
  EXPECT_EQ(m_sim.SummerRecord(), BuildSummerTimeRecord(s));
  s = {};
  m_link.OnDeviceOperation(kOpSummerTime);
  EXPECT_TRUE(Logged("Summer/Winter Time Reading Succeeds\n")) << m_host.log;
  EXPECT_TRUE(s.enabled);
  EXPECT_EQ(s.ruleIndex, 6);
  EXPECT_EQ(s.endMonth, 10);
  EXPECT_EQ(s.endDay, 27);
  EXPECT_EQ(s.startMonth, 3);
  EXPECT_EQ(s.startDay, 31);
  EXPECT_EQ(s.difference, 60);
  EXPECT_TRUE(Messages().empty());
}

TEST_F(SettingsTest, WifiNeedsItsDeviceType) {
  m_sim.SetIdentity(0x51, 0x88, 0xC100);
  m_link.OnDeviceOperation(kOpDeviceSetting, kWifiWrite);
  EXPECT_TRUE(Logged("Machine type mismatch Error!\n"));
  EXPECT_TRUE(Logged("WIFI Setup Setting Suspend!\n"));
  EXPECT_EQ(CountFunction(kFnWriteSingle), 0);
  EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(SettingsTest, WifiWriteAndRead) {
  m_sim.SetIdentity(kDeviceTypeWifi, 0x88, 0xC100);
  WifiSettings& w = m_link.Settings().wifi;
  w.mode = 1;
  w.encryption = true;
  w.ssid = CString(u"plant-net-with-a-name-32-chars-x");
  w.password = CString(u"secret");
  w.channel = 11;
  w.ip = {192, 168, 1, 20};
  w.mask = {255, 255, 255, 0};
  w.deviceId = 3;
  w.localPort = 502;
  w.remotePort = 503;
  w.addressMode = 1;
  w.txPower = 7;
  m_link.Settings().summer = {true, 0, 10, 31, 3, 28, 60};
  m_link.OnDeviceOperation(kOpDeviceSetting, kWifiWrite);
  EXPECT_TRUE(Logged("WIFI Setup Setting Starts...\n"));
  EXPECT_TRUE(Logged("WIFI Setup Writing Succeed!\n")) << m_host.log;
  EXPECT_EQ(CountFunction(kFnWriteSingle), 113);
  EXPECT_EQ(Functions().back(), kFnWriteConfig);
  // The module's MAC address lies in the read-only registers.
  m_sim.SetRegisters(kRegWifi + 113, {'B', 'A', 'D', 'C', 'F', 'E', 'H', 'G', 'J', 'I', 'L', 'K'});
  const WifiSettings written = w;
  w = {};
  m_link.Settings().summer = {};
  m_link.OnDeviceOperation(kOpWifiSetup);
  EXPECT_TRUE(Logged("WIFI Setup Reading Succeeds\n")) << m_host.log;
  EXPECT_EQ(w.ssid, written.ssid);
  EXPECT_EQ(w.password, written.password);
  EXPECT_EQ(w.ip, written.ip);
  EXPECT_EQ(w.mask, written.mask);
  EXPECT_EQ(w.txPower, 7);
  EXPECT_EQ(w.localPort, 502);
  EXPECT_EQ(w.mac, CString(u"AB-CD-EF-GH-IJ-KL"));
  EXPECT_EQ(m_link.Settings().summer.startDay, 28);
}

TEST_F(SettingsTest, RemoteModuleBlockRoundTrip) {
  m_sim.SetIdentity(kDeviceTypeRemoteWifi, 0x88, 0xC100);
  RemoteWifiSettings& r = m_link.Settings().remote;
  r.ssid = CString(u"remote");
  r.password = CString(u"pw");
  r.deviceId = 5;
  r.txPowerIndex = 11;
  r.mode = 1;
  r.ledOn = 250;
  r.ledOff = 9999;
  r.sleepIndex = 4;
  r.keyPassword = CString(u"1234");
  const auto block = BuildRemoteWifiBlock(r);
  EXPECT_EQ(block[6], 0x0A);
  EXPECT_EQ(block[99], 12);
  EXPECT_EQ(block[118] | (block[119] << 8), 3000);
  m_link.OnDeviceOperation(kOpDeviceSetting, kRemoteWifiWrite);
  EXPECT_TRUE(Logged("Remote Control WIFI Setup Writing Succeed!\n")) << m_host.log;
  // Pair-swapped on the wire: register 0 holds bytes 1, 0 of the record as its high and low byte.
  const auto regs = m_sim.Registers(0, 74);
  EXPECT_EQ(regs[0], block[1]);
  EXPECT_EQ(regs[1], block[0]);
  const RemoteWifiSettings written = r;
  r = {};
  m_link.OnDeviceOperation(kOpRemoteWifiSetup);
  EXPECT_TRUE(Logged("Remote Control WIFI(0xNolva) Setup Reading Succeeds\n")) << m_host.log;
  EXPECT_EQ(r.ssid, written.ssid);
  EXPECT_EQ(r.password, written.password);
  EXPECT_EQ(r.deviceId, 5);
  EXPECT_EQ(r.txPowerIndex, 11);
  EXPECT_EQ(r.ledOff, 9999);
  EXPECT_EQ(r.sleepIndex, 4);
}

TEST(RemoteWifiRecord, KeyPasswordAndSleepRules) {
  std::array<BYTE, 148> block{};
  // Groups with bits 1, 0, 5 and then the terminating 10.
  const DWORD groups[] = {0x2, 0x1, 0x20, 10};
  for (int g = 0; g < 4; ++g) {
    for (int i = 0; i < 4; ++i)
      block[static_cast<size_t>(120 + 4 * g + i)] = static_cast<BYTE>(groups[g] >> (8 * i));
  }
  RemoteWifiSettings r;
  ReadRemoteWifiBlock(block, &r);
  EXPECT_EQ(r.keyPassword, CString(u"216"));
  for (auto [tenths, index] :
       {std::pair{0, 0}, {899, 2}, {1200, 3}, {2999, 3}, {3000, 4}, {5999, 4}, {6000, 5}}) {
    EXPECT_EQ(SleepIndexOf(tenths), index) << tenths;
  }
}

TEST_F(SettingsTest, BadRepliesFailTheirGroup) {
  using F = DeviceSimulator::Fault;
  struct Row {
    const char* name;
    UINT flag;
    F fault;
    BYTE function;
    const char* line;
  };
  const Row rows[] = {
      {"clock read silent", kClockRead, F::kSilent, kFnReadHolding, "Time Out! Can't Read Data in 1 Seconds"},
      {"clock read short", kClockRead, F::kShort, kFnReadHolding, "Time Out!"},
      {"clock read bad crc", kClockRead, F::kBadCrc, kFnReadHolding, "Check Sum Error!\n"},
      {"clock read garbled", kClockRead, F::kGarbled, kFnReadHolding, "Receive Length Error!\n"},
      {"clock write bad crc", kClockWrite, F::kBadCrc, kFnSetClock,
       "Clock Setting(RTU Function Code 220) Error!\n"},
      {"clock write garbled", kClockWrite, F::kGarbled, kFnSetClock,
       "Clock Setting(RTU Function Code 220) Error!\n"},
      {"calibration short", kCalibrationWrite, F::kShort, kFnCalibrate, "Time Out!"},
      {"calibration bad crc", kCalibrationWrite, F::kBadCrc, kFnCalibrate,
       "Clock Calibration(RTU Function Code 234) Error!\n"},
      {"summer write bad crc", kSummerTimeWrite, F::kBadCrc, kFnWriteConfig,
       "Summer/Winter Time Setting(RTU Function Code 233) Error!\n"},
      {"summer read bad crc", kSummerTimeRead, F::kBadCrc, kFnReadMemory, "Check Sum Error!\n"},
      {"summer read garbled", kSummerTimeRead, F::kGarbled, kFnReadMemory, "Function Code Error!\n"},
      {"summer read short", kSummerTimeRead, F::kShort, kFnReadMemory, "Time Out!"},
      {"calibration read exception", kCalibrationRead, F::kException, kFnReadHolding, ""},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    m_host.log.clear();
    m_sim.InjectFault(r.fault, r.function);
    ASSERT_TRUE(m_link.ConnectComPort());
    EXPECT_EQ(m_link.TransferDeviceSettings(r.flag), 0);
    m_link.DisconnectComPort();
    EXPECT_NE(m_host.log.find(r.line), std::string::npos) << m_host.log;
  }
}
