// A maximal download (table image, a full program area and 16 message-text pages)
// to the device simulator pacing its line at 115200 baud. The counters give the
// line time of the frames, the pause the protocol prescribes, and the measured
// time as a share of both (the target is at most 1.10).
#include <benchmark/benchmark.h>

#include <chrono>

#include "device/device_link.h"
#include "support/device_simulator.h"

namespace {

class QuietHost : public CDeviceHost {
 public:
  void AppendInfo(const CString&) override {}
  bool HasProgressDialog() override { return false; }
  void CreateProgressDialog() override {}
  void SetProgress(int, int) override {}
  void DestroyProgressDialog() override {}
};

void BM_MaximalDownload(benchmark::State& state) {
  constexpr int kBaud = 115200;
  DeviceSimulator sim;
  sim.SetBaudRate(kBaud);
  QuietHost host;
  CDeviceLink link(&host);
  link.SetPortPath(sim.PortPath());
  TransferImage image;
  image.modelCode = 0x5188;
  image.minFirmware = 0xC100;
  image.table.assign(kTableImageBytes, 0x11);
  image.program.assign(kMaxProgramBytes, 0x22);
  image.texts.assign(16 * kMessageTextPageBytes, 0x33);
  const long long areaFrames =
      (kTableImageBytes + kMaxProgramBytes + 16 * kMessageTextPageBytes) / kFrameDataBytes;
  // Identification 8 + 11, start 8 + 19, each write 137 + 8, each read-back 8 + 133, end 8 + 8.
  const long long lineBytes = 19 + 27 + areaFrames * (145 + 141) + 16;
  const double lineMs = lineBytes * 10.0 * 1000.0 / kBaud;
  const double pauseMs = 5000.0;
  double measuredMs = 0;
  for (auto _ : state) {
    if (!link.ConnectComPort()) {
      state.SkipWithError("the simulator's port did not open");
      return;
    }
    const auto start = std::chrono::steady_clock::now();
    const int result = link.TransferDownload(image);
    measuredMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    link.DisconnectComPort();
    if (result != 1) state.SkipWithError("the download failed");
  }
  state.counters["line_ms"] = lineMs;
  state.counters["pause_ms"] = pauseMs;
  state.counters["ratio"] = measuredMs / (lineMs + pauseMs);
}
BENCHMARK(BM_MaximalDownload)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
