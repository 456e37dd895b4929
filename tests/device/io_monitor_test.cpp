// The I/O status monitor's polls against the simulator: the requests of each view,
// where the values go in the grid, and the failures.
#include "device/io_monitor.h"

#include "device/modbus.h"
#include "link_fixture.h"

namespace {

class IoMonitorTest : public LinkTest {
 protected:
  // (function, first register, count) of each request after the identification-free clock read.
  std::vector<std::array<int, 3>> Reads() const {
    std::vector<std::array<int, 3>> out;
    for (const auto& q : m_sim.Requests()) out.push_back({q[1], (q[2] << 8) | q[3], (q[4] << 8) | q[5]});
    return out;
  }
  static const IoCell* Find(const IoPollResult& r, int row, int column) {
    for (const IoCell& c : r.cells) {
      if (c.row == row && c.column == column) return &c;
    }
    return nullptr;
  }
};

}  // namespace

TEST_F(IoMonitorTest, FlagsAndAnalogFlagsViewsReadTheirFrames) {
  m_sim.SetBit(kFnReadCoils, 384 + 105, true);  // M105
  m_sim.SetRegisters(596 + 511, {0x01, 0x02});  // AM511
  ASSERT_TRUE(m_link.ConnectComPort());
  m_sim.ClearRequests();
  IoPollResult flags = PollIoStatus(m_link, kIoViewFlags, 0, 10);
  ASSERT_TRUE(flags.areasRead) << m_host.log;
  EXPECT_EQ(Reads(), (std::vector<std::array<int, 3>>{
                         {3, 301, 6}, {1, 384, 128}, {1, 512, 128}, {1, 640, 128}, {1, 768, 128}}));
  const IoCell* m105 = Find(flags, 2, 6);
  ASSERT_NE(m105, nullptr);
  EXPECT_EQ(m105->text, CString(u"1"));
  EXPECT_TRUE(m105->on);
  EXPECT_EQ(flags.cells.size(), 512u);

  m_sim.ClearRequests();
  IoPollResult analog = PollIoStatus(m_link, kIoViewAnalogFlags, 0, 10);
  ASSERT_TRUE(analog.areasRead);
  const auto reads = Reads();
  ASSERT_EQ(reads.size(), 9u);
  for (int f = 0; f < 8; ++f) EXPECT_EQ(reads[1 + f], (std::array<int, 3>{3, 596 + 64 * f, 64}));
  const IoCell* am511 = Find(analog, 6, 12);
  ASSERT_NE(am511, nullptr);
  EXPECT_EQ(am511->text, CString(u"258"));
  m_link.DisconnectComPort();
}

TEST_F(IoMonitorTest, IoViewPlacesInputsOutputsAndAnalogValues) {
  m_sim.SetRegisters(301, {0x07, 0xE9, 0, 12, 0, 24, 0, 9, 0, 5, 0, 7});
  m_sim.SetBit(kFnReadInputs, 0, true);        // I0 of Main
  m_sim.SetBit(kFnReadInputs, 32 + 3, true);   // I3 of Ext1
  m_sim.SetBit(kFnReadCoils, 256 + 17, true);  // Q1 of Ext1
  m_sim.SetRegisters(500, {0xFF, 0xFF});       // AI0 of Main
  m_sim.SetRegisters(564 + 5, {0x00, 0x07});   // AQ1 of Ext1
  ASSERT_TRUE(m_link.ConnectComPort());
  const IoPollResult r = PollIoStatus(m_link, kIoViewIo, 0, 10);
  m_link.DisconnectComPort();
  ASSERT_TRUE(r.areasRead) << m_host.log;
  EXPECT_EQ(r.time, CString(u"9:5:7"));
  const struct {
    int row, column;
    const char16_t* text;
    bool on;
  } cases[] = {{1, 1, u"1", true},      {1, 2, u"0", false},  {2, 4, u"1", true}, {2, 34, u"1", true},
               {1, 49, u"65535", true}, {1, 50, u"0", false}, {2, 58, u"7", true}};
  for (const auto& c : cases) {
    const IoCell* cell = Find(r, c.row, c.column);
    ASSERT_NE(cell, nullptr) << c.row << "," << c.column;
    EXPECT_EQ(cell->text, CString(c.text)) << c.row << "," << c.column;
    EXPECT_EQ(cell->on, c.on);
  }
}

TEST_F(IoMonitorTest, ABadReplyIsLoggedAndThePollFails) {
  ASSERT_TRUE(m_link.ConnectComPort());
  m_sim.InjectFault(DeviceSimulator::Fault::kBadCrc, kFnReadInputs);
  const IoPollResult r = PollIoStatus(m_link, kIoViewIo, 0, 10);
  EXPECT_TRUE(r.clockRead);
  EXPECT_FALSE(r.areasRead);
  EXPECT_TRUE(r.cells.empty());
  EXPECT_TRUE(Logged("Read Data Error!\n")) << m_host.log;
  // One silent clock read is tried again.
  m_sim.InjectFault(DeviceSimulator::Fault::kSilent, kFnReadHolding);
  const IoPollResult retried = PollIoStatus(m_link, kIoViewIo, 0, 10);
  m_link.DisconnectComPort();
  EXPECT_TRUE(retried.areasRead) << m_host.log;
  EXPECT_EQ(m_link.ModBus().Station(), 0);
}

TEST(IoGrid, HeadersAndColours) {
  EXPECT_EQ(IoGridRows(kIoViewIo), 9);
  EXPECT_EQ(IoGridColumns(kIoViewIo), 61);
  EXPECT_EQ(IoGridColumns(kIoViewFlags), 101);
  EXPECT_EQ(IoHeaderText(kIoViewIo, 0, 0, true), CString(u"Index"));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 0, 32, true), CString(u"I31"));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 0, 33, true), CString(u"Q0"));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 0, 49, true), CString(u" AI0  "));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 0, 60, true), CString(u" AQ3  "));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 2, 0, true), CString(u"Ext1"));
  EXPECT_EQ(IoHeaderText(kIoViewIo, 2, 0, false), CString(u"Ext 1"));
  EXPECT_EQ(IoHeaderText(kIoViewAnalogFlags, 0, 1, false), CString(u"AM0  "));
  EXPECT_EQ(IoHeaderText(kIoViewFlags, 6, 0, false), CString(u"500-511"));
  EXPECT_EQ(IoDataColour(kIoViewIo, 40), 0x0080FF00u);
  EXPECT_EQ(IoDataColour(kIoViewFlags, 51), 0x0080FF00u);
}
