// The device dialogs in the running main window against the simulator: the clock
// and calibration, the summer/winter time rule and the WiFi set-ups.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include "app/gui/shell_fixture.h"
#include "controls/gui/grid_widget.h"
#include "device/device_link.h"
#include "device/gui/clock_dlg.h"
#include "device/gui/device_controller.h"
#include "device/gui/io_status_dlg.h"
#include "device/gui/summer_time_dlg.h"
#include "device/gui/wifi_setup_dlg.h"
#include "device/modbus.h"
#include "platform/ms_clock.h"
#include "platform/resource_ids.h"
#include "support/device_simulator.h"

namespace {

class DeviceDialogsTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_device = m_frame->GetDeviceController();
    ASSERT_NE(m_device, nullptr);
    m_device->Link().SetTimeScale(0.1);
    m_device->SetPortChooser([this](const std::string&) { return m_sim.PortPath(); });
  }

  // Runs the event loop until the link has finished what was posted.
  void RunPosted() {
    QElapsedTimer timer;
    timer.start();
    QCoreApplication::processEvents();
    while (m_device->Link().IsBusy() && timer.elapsed() < 20000) QCoreApplication::processEvents();
    QCoreApplication::processEvents();
  }

  void Command(UINT id) {
    m_frame->UpdateCommandUI();
    QAction* action = m_frame->GetAction(id);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    action->trigger();
    RunPosted();
  }

  template <typename T>
  static T* Child(QWidget* parent, const char* name) {
    T* w = parent->findChild<T*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  static void Click(QWidget* parent, const char* name) {
    if (auto* b = Child<QPushButton>(parent, name)) b->click();
  }

  DeviceSimulator m_sim;
  CDeviceController* m_device = nullptr;
};

}  // namespace

TEST_F(DeviceDialogsTest, ClockDialogReadsWritesAndClampsWhileTyping) {
  Command(ID_CLOCK_SETTING);
  CSetClockDlg* dlg = m_device->ClockDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(dlg->windowTitle(), "Clock Setting/Calibration");
  // It opens on the PC's date.
  SYSTEMTIME now;
  GetLocalTime(&now);
  auto* date = Child<QDateEdit>(dlg, "clockDate");
  ASSERT_NE(date, nullptr);
  EXPECT_EQ(date->date(), QDate(now.wYear, now.wMonth, now.wDay));
  EXPECT_EQ(date->minimumDate(), QDate(2010, 1, 1));
  EXPECT_EQ(date->maximumDate(), QDate(2036, 12, 31));
  auto* hour = Child<QLineEdit>(dlg, "clockHour");
  auto* minute = Child<QLineEdit>(dlg, "clockMinute");
  auto* second = Child<QLineEdit>(dlg, "clockSecond");
  minute->clear();
  QTest::keyClicks(minute, "75");
  EXPECT_EQ(minute->text(), "59");
  hour->selectAll();
  QTest::keyClick(hour, Qt::Key_Backspace);
  EXPECT_EQ(hour->text(), "0");

  // Read: the device's clock shows in the open dialog.
  m_sim.SetRegisters(301, {0x07, 0xE9, 0, 12, 0, 24, 0, 23, 0, 59, 0, 58});
  Click(dlg, "clockRead");
  RunPosted();
  EXPECT_EQ(date->date(), QDate(2025, 12, 24));
  EXPECT_EQ(hour->text(), "23");
  EXPECT_EQ(second->text(), "58");

  // Write: what the controls show goes to the device.
  date->setDate(QDate(2031, 2, 3));
  hour->setText("7");
  minute->setText("8");
  second->setText("9");
  Click(dlg, "clockWrite");
  RunPosted();
  EXPECT_EQ(m_sim.Registers(301, 6), (std::vector<BYTE>{0x07, 0xEF, 0, 2, 0, 3, 0, 7, 0, 8, 0, 9}));

  // Calibration: Set writes, Get reads back; the spin keeps to -30..30.
  auto* calibration = Child<QSpinBox>(dlg, "clockCalibration");
  calibration->setValue(-45);
  EXPECT_EQ(calibration->value(), -30);
  calibration->setValue(-7);
  Click(dlg, "calibrationSet");
  RunPosted();
  calibration->setValue(0);
  Click(dlg, "calibrationGet");
  RunPosted();
  EXPECT_EQ(calibration->value(), -7);
  EXPECT_TRUE(dlg->isVisible());  // it stays open while the user reads and writes
  EXPECT_TRUE(m_sink.messages().empty());

  Click(dlg, "clockCancel");
  QCoreApplication::processEvents();
  EXPECT_EQ(m_device->ClockDialog(), nullptr);
}

TEST_F(DeviceDialogsTest, SummerTimeDialogShowsTheDeviceRuleAndWritesIt) {
  m_sim.SetSummerRecord({3, 0, 0, 0, 10, 26, 3, 30, 60, 0, 0, 0});
  Command(ID_SUMMER_TIME);
  CSummerTimeDlg* dlg = m_device->SummerTimeDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_TRUE(dlg->isVisible());
  auto* active = Child<QCheckBox>(dlg, "summerActive");
  auto* rule = Child<QComboBox>(dlg, "summerRule");
  auto* startMonth = Child<QLineEdit>(dlg, "startMonth");
  auto* startDay = Child<QLineEdit>(dlg, "startDay");
  auto* difference = Child<QLineEdit>(dlg, "summerDifference");
  EXPECT_EQ(rule->currentText(), "UK");
  EXPECT_EQ(startDay->text(), "30");
  EXPECT_FALSE(startMonth->isEnabled());

  // Enabling: only an active, freely adjustable rule opens the date edits.
  active->setChecked(true);
  rule->setCurrentIndex(0);
  EXPECT_FALSE(startMonth->isEnabled());
  active->setChecked(false);
  rule->setCurrentIndex(6);
  EXPECT_FALSE(startMonth->isEnabled());
  EXPECT_TRUE(Child<QPushButton>(dlg, "startPick")->isEnabled());
  active->setChecked(true);
  EXPECT_TRUE(startMonth->isEnabled());

  // Clamps while typing.
  startDay->setText("31");
  startMonth->selectAll();
  QTest::keyClicks(startMonth, "2");
  EXPECT_EQ(startDay->text(), "28");
  difference->selectAll();
  QTest::keyClicks(difference, "200");
  EXPECT_EQ(difference->text(), "180");
  // The picker's month and day go into the End group.
  dlg->SetPicker([](int* month, int* day) {
    *month = 11;
    *day = 31;
    return true;
  });
  Click(dlg, "endPick");
  EXPECT_EQ(Child<QLineEdit>(dlg, "endMonth")->text(), "11");
  EXPECT_EQ(Child<QLineEdit>(dlg, "endDay")->text(), "30");

  dlg->OnOK();
  RunPosted();
  EXPECT_EQ(m_device->SummerTimeDialog(), nullptr);
  EXPECT_TRUE(m_sink.messages().empty());
  SummerTimeSettings expected;
  expected.enabled = true;
  expected.ruleIndex = 6;
  expected.startMonth = 2;
  expected.startDay = 28;
  expected.endMonth = 11;
  expected.endDay = 30;
  expected.difference = 180;
  EXPECT_EQ(m_sim.SummerRecord(), BuildSummerTimeRecord(expected));
}

TEST_F(DeviceDialogsTest, SummerTimeOkRefusesAnEmptyEdit) {
  m_sim.SetSummerRecord({3, 0, 0, 0, 10, 26, 3, 30, 60, 0, 0, 0});
  Command(ID_SUMMER_TIME);
  CSummerTimeDlg* dlg = m_device->SummerTimeDialog();
  ASSERT_NE(dlg, nullptr);
  Child<QLineEdit>(dlg, "summerDifference")->clear();
  const auto before = m_sim.SummerRecord();
  dlg->OnOK();
  RunPosted();
  EXPECT_EQ(m_device->SummerTimeDialog(), dlg);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sim.SummerRecord(), before);
}

namespace {

std::vector<WORD> Words(const std::vector<BYTE>& bytes) {
  std::vector<WORD> words;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    words.push_back(static_cast<WORD>(bytes[i] << 8 | bytes[i + 1]));
  return words;
}

std::vector<BYTE> Bytes(const std::vector<WORD>& words) {
  std::vector<BYTE> bytes;
  for (WORD w : words) bytes.insert(bytes.end(), {static_cast<BYTE>(w >> 8), static_cast<BYTE>(w & 0xFF)});
  return bytes;
}

}  // namespace

// Before any read the two WiFi dialogs hold their own starting values.
TEST_F(DeviceDialogsTest, WifiDialogsStartWithTheirInitialValues) {
  m_device->ShowDeviceDialog(kDialogWifi);
  CWifiSetupDlg* wifi = m_device->WifiDialog();
  ASSERT_NE(wifi, nullptr);
  EXPECT_EQ(Child<QLineEdit>(wifi, "wifiSsid")->text(), "Lodri");
  EXPECT_EQ(Child<QLineEdit>(wifi, "wifiPassword")->text(), "58203917");
  EXPECT_EQ(Child<QLineEdit>(wifi, "wifiDeviceId")->text(), "0");
  EXPECT_EQ(Child<QLineEdit>(wifi, "wifiLocalPort")->text(), "502");
  EXPECT_EQ(Child<QLineEdit>(wifi, "wifiRemotePort")->text(), "200");
  EXPECT_EQ(Child<QComboBox>(wifi, "wifiMode")->currentText(), "Server");
  EXPECT_EQ(Child<QComboBox>(wifi, "wifiChannel")->currentIndex(), 0);
  QStringList ip, mask;
  for (int i = 0; i < 4; ++i) {
    ip << QString::number(Child<QSpinBox>(wifi, QString("wifiIp%1").arg(i).toUtf8().constData())->value());
    mask << QString::number(
        Child<QSpinBox>(wifi, QString("wifiMask%1").arg(i).toUtf8().constData())->value());
  }
  EXPECT_EQ(ip.join('.'), "192.169.1.1");
  EXPECT_EQ(mask.join('.'), "255.255.255.0");
  wifi->close();

  m_device->ShowDeviceDialog(kDialogRemoteWifi);
  CRemoteWifiSetup* remote = m_device->RemoteWifiDialog();
  ASSERT_NE(remote, nullptr);
  EXPECT_EQ(Child<QLineEdit>(remote, "remoteSsid")->text(), "Fenwa");
  EXPECT_EQ(Child<QLineEdit>(remote, "remotePassword")->text(), "58203917");
  EXPECT_EQ(Child<QLineEdit>(remote, "remoteDeviceId")->text(), "1");
  EXPECT_EQ(Child<QLineEdit>(remote, "remoteLedOff")->text(), "10");
  EXPECT_EQ(Child<QLineEdit>(remote, "remoteLedOn")->text(), "10");
  EXPECT_EQ(Child<QLineEdit>(remote, "remoteKey")->text(), "352641");
  EXPECT_EQ(Child<QComboBox>(remote, "remoteTxPower")->currentIndex(), 0);
  remote->close();
}

TEST_F(DeviceDialogsTest, WifiSetupShowsTheDeviceValuesAndWritesWithItsRules) {
  m_sim.SetIdentity(kDeviceTypeWifi, 0x88, 0xC100);
  WifiSettings device;
  device.mode = kWifiStation;
  device.deviceId = 3;
  device.ssid = u"Lodri";
  device.password = u"58203917";
  device.localPort = 502;
  device.remotePort = 200;
  device.channel = 4;
  m_sim.SetRegisters(kRegWifi, Bytes(BuildWifiRegisters(device)));
  Command(ID_WIFI_SETUP);
  CWifiSetupDlg* dlg = m_device->WifiDialog();
  ASSERT_NE(dlg, nullptr);
  auto* mode = Child<QComboBox>(dlg, "wifiMode");
  auto* id = Child<QLineEdit>(dlg, "wifiDeviceId");
  auto* ssid = Child<QLineEdit>(dlg, "wifiSsid");
  EXPECT_EQ(mode->currentText(), "Station");
  EXPECT_EQ(id->text(), "3");
  EXPECT_EQ(ssid->text(), "Lodri");
  EXPECT_EQ(Child<QComboBox>(dlg, "wifiChannel")->currentIndex(), 4);
  EXPECT_FALSE(Child<QRadioButton>(dlg, "wifiDhcp")->isVisible());

  // Server clears the device ID; Remote shows the address and port controls.
  mode->setCurrentIndex(kWifiServer);
  EXPECT_EQ(id->text(), "0");
  EXPECT_FALSE(id->isEnabled());
  mode->setCurrentIndex(kWifiRemote);
  EXPECT_TRUE(Child<QRadioButton>(dlg, "wifiDhcp")->isVisible());
  EXPECT_EQ(id->text(), "1");
  mode->setCurrentIndex(kWifiStation);
  id->setText("9");
  dlg->OnOK();
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Please enter a Number between 1 and 7"));
  EXPECT_EQ(m_device->WifiDialog(), dlg);

  // The SSID keeps the characters before a space.
  ssid->clear();
  ssid->setFocus();
  QTest::keyClicks(ssid, "my ");
  EXPECT_EQ(ssid->text(), "my");
  ASSERT_GE(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[1].text, CString(u"Every character must be A - Z, a - z, and 0 - 9"));
  id->setText("5");
  const size_t before = m_sink.messages().size();
  dlg->OnOK();
  RunPosted();
  EXPECT_EQ(m_sink.messages().size(), before);
  EXPECT_EQ(m_device->WifiDialog(), nullptr);
  WifiSettings written;
  ReadWifiRegisters(Words(m_sim.Registers(kRegWifi, 119)), &written);
  EXPECT_EQ(written.mode, kWifiStation);
  EXPECT_EQ(written.deviceId, 5);
  EXPECT_EQ(written.ssid, CString(u"my"));
  EXPECT_EQ(written.channel, 4);
}

TEST_F(DeviceDialogsTest, RemoteWifiFiltersTheKeyStaysOpenOnOkAndResets) {
  m_sim.SetIdentity(kDeviceTypeRemoteWifi, 0x88, 0xC100);
  RemoteWifiSettings module;
  module.ssid = u"Fenwa";
  module.password = u"58203917";
  module.deviceId = 2;
  module.ledOn = 100;
  module.ledOff = 200;
  module.keyPassword = u"352641";
  const auto block = BuildRemoteWifiBlock(module);
  m_sim.SetRegisters(0, SwapBytePairs(block.data(), block.size()));
  Command(ID_REMOTE_WIFI_SETUP);
  CRemoteWifiSetup* dlg = m_device->RemoteWifiDialog();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(Child<QLineEdit>(dlg, "remoteSsid")->text(), "Fenwa");
  EXPECT_EQ(Child<QLineEdit>(dlg, "remoteDeviceId")->text(), "2");
  auto* key = Child<QLineEdit>(dlg, "remoteKey");
  key->setText("35");
  key->setFocus();
  key->end(false);
  QTest::keyClicks(key, "7");
  EXPECT_EQ(key->text(), "35");
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Every character must be 1 - 6"));

  Child<QLineEdit>(dlg, "remoteDeviceId")->setText("6");
  dlg->OnOK();
  RunPosted();
  EXPECT_EQ(m_device->RemoteWifiDialog(), dlg);  // OK leaves it open
  const std::vector<BYTE> wire = m_sim.Registers(0, 74);
  const std::vector<BYTE> bytes = SwapBytePairs(wire.data(), wire.size());
  std::array<BYTE, 148> back{};
  std::copy(bytes.begin(), bytes.end(), back.begin());
  RemoteWifiSettings written;
  ReadRemoteWifiBlock(back, &written);
  EXPECT_EQ(written.deviceId, 6);
  // The key goes out as a word pair per digit: 0x8000, then the digit's bit.
  EXPECT_EQ(std::vector<BYTE>(back.begin() + 120, back.begin() + 128),
            (std::vector<BYTE>{0x00, 0x80, 0x04, 0x00, 0x00, 0x80, 0x10, 0x00}));

  // Factory Reset asks, runs at once and closes the dialog.
  m_sink.QueueAnswer(IDNO);
  dlg->OnFactoryReset();
  EXPECT_EQ(m_device->RemoteWifiDialog(), dlg);
  m_sim.ClearRequests();
  m_sink.QueueAnswer(IDYES);
  dlg->OnFactoryReset();
  QCoreApplication::processEvents();
  EXPECT_EQ(m_device->RemoteWifiDialog(), nullptr);
  const auto requests = m_sim.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(BigEndianWord(&requests.back()[2]), kRegFactoryReset);
}

// A port that does not open is said once; no poll runs to say it again.
TEST_F(DeviceDialogsTest, IoStatusPortThatDoesNotOpenSaysSoOnce) {
  m_device->Link().SetPortPath(m_sim.PortPath());
  m_device->SetIoStatusRunner([&](CIOStatus& dlg) {
    dlg.findChild<QComboBox*>("ioPort")->setEditText("/dev/ttyACM-missing");
    dlg.OnConnect();
    EXPECT_FALSE(dlg.Timer()->isActive());
    EXPECT_TRUE(dlg.ConnectButton()->isEnabled());
    EXPECT_EQ(dlg.ConnectButton()->text(), "Connect");
    dlg.OnClose();
  });
  Command(ID_IO_STATUS);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text.Find(u"/dev/ttyACM-missing fail to open, Please check!"), 0);
}

TEST_F(DeviceDialogsTest, IoStatusMonitorShowsWhatTheDeviceReports) {
  m_sim.SetBit(kFnReadInputs, 0, true);   // I0 of Main
  m_sim.SetRegisters(500, {0xFF, 0xFF});  // AI0 of Main
  m_sim.SetRegisters(301, {0x07, 0xE9, 0, 12, 0, 24, 0, 9, 0, 5, 0, 7});
  m_device->Link().SetPortPath(m_sim.PortPath());
  int runs = 0;
  m_device->SetIoStatusRunner([&](CIOStatus& dlg) {
    ++runs;
    CGridCtrl& grid = dlg.GridWidget()->Grid();
    // The monitor keeps the cells; the grid asks for each one (virtual mode).
    EXPECT_TRUE(grid.GetVirtualMode());
    EXPECT_TRUE(grid.m_bColumnReorder);
    EXPECT_EQ(grid.GetRowCount(), 9);
    EXPECT_EQ(grid.GetColumnCount(), 61);
    EXPECT_EQ(grid.GetItemText(0, 1), CString(u"I0"));
    EXPECT_EQ(grid.GetItemText(2, 0), CString(u"Ext1"));
    dlg.OnConnect();
    EXPECT_TRUE(dlg.Timer()->isActive());
    dlg.OnTimer();
    EXPECT_EQ(dlg.ConnectButton()->text(), "Disconnect");
    EXPECT_EQ(grid.GetItemText(1, 1), CString(u"1"));
    EXPECT_EQ(grid.GetItemText(1, 2), CString(u"0"));
    EXPECT_EQ(grid.GetItemText(1, 49), CString(u"65535"));
    EXPECT_EQ(dlg.findChild<QLineEdit*>("ioTime")->text(), "9:5:7");
    EXPECT_FALSE(dlg.findChild<QLineEdit*>("ioAddress")->isEnabled());
    // A bad reply stops the polling with the cable message.
    m_sim.InjectFault(DeviceSimulator::Fault::kBadCrc, kFnReadInputs);
    dlg.OnTimer();
    EXPECT_FALSE(dlg.Timer()->isActive());
    EXPECT_EQ(dlg.ConnectButton()->text(), "Connect");
    EXPECT_TRUE(dlg.findChild<QLineEdit*>("ioAddress")->isEnabled());
    EXPECT_EQ(grid.GetItemText(1, 49), CString(u"65535"));  // the values stay
    // The flags view.
    dlg.findChild<QRadioButton*>("ioView1")->click();
    EXPECT_EQ(grid.GetColumnCount(), 101);
    EXPECT_EQ(grid.GetItemText(0, 1), CString(u"M0"));
    dlg.OnClose();
  });
  Command(ID_IO_STATUS);
  EXPECT_EQ(runs, 1);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, LoadString(631));
  EXPECT_FALSE(m_device->Link().IsPortOpen());
}
