// Feeds arbitrary bytes as a device reply to every reply checker and to the
// readers of the settings records: none may read outside the reply, and a reply
// a checker accepts must carry a CRC that matches.
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "device/device_settings.h"
#include "device/modbus.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 300) return 0;
  // An exact-size copy, so that any read past the reply is caught.
  std::vector<BYTE> reply(data, data + size);
  const BYTE* r = reply.empty() ? nullptr : reply.data();
  const int n = static_cast<int>(size);
  if (n == 0) return 0;
  const CModBus m;
  auto crcMatches = [&] {
    return n >= 2 && CModBus::CalcCrc(r, static_cast<size_t>(n - 2)) == BigEndianWord(r + n - 2);
  };
  if (m.CheckReadReply(r, n) == kReplyOk && !crcMatches()) std::abort();
  if (m.CheckReadReply(r, n, kFnReadMessageTexts) == kReplyOk && !crcMatches()) std::abort();
  if (m.CheckReadMemoryReply(r, n, 12) == kReplyOk && !crcMatches()) std::abort();
  for (WORD mode : {1, 4}) {
    const DeviceIdentity id{0x5188, 0, 0xC100, mode};
    const UINT result = m.CheckStartDownloadReply(r, n, id);
    // Only a memory card in clear mode passes without its CRC.
    if (result == kReplyOk && !crcMatches() && !(mode == 4 && r[3] == 0x88 && r[4] == 0x99)) std::abort();
  }
  const UINT upload = m.CheckStartUploadReply(r, n);
  if (upload < 3 && !crcMatches()) std::abort();
  // The sizes an upload allocates and reads by: only what an image can hold.
  UploadSizes sizes;
  if (ReadUploadSizes(r, n, &sizes) == kUploadSizesOk) {
    if (sizes.totalBytes < 10240 || sizes.totalBytes > 10240 + 0x6000 || sizes.totalBytes % 128 != 0)
      std::abort();
    if (sizes.textBytes < 0 || sizes.textBytes > 16 * 1280 || sizes.textBytes % 1280 != 0) std::abort();
    if (n != 19 && sizes.textBytes != 0) std::abort();
  }
  if (m.CheckEndDownloadReply(r, n, 1) && !crcMatches()) std::abort();
  m.CheckEndUploadReply(r, n, 0);
  m.CheckPasswordReply(r, n);
  for (BYTE fn : {kFnSetClock, kFnWriteConfig, kFnCalibrate, kFnReadHolding}) {
    if (m.CheckSettingReply(r, n, fn) && !crcMatches()) std::abort();
  }
  CString text;
  CModBus::FormatExceptionReply(r, n, text);
  // The record readers take what a checked reply holds.
  if (n >= 21) {
    SummerTimeSettings s;
    ReadSummerTimeRecord(r + 7, &s);
  }
  if (n >= 148) {
    std::array<BYTE, 148> block{};
    std::copy(r, r + 148, block.begin());
    RemoteWifiSettings remote;
    ReadRemoteWifiBlock(block, &remote);
  }
  std::vector<WORD> regs;
  for (int i = 0; i + 1 < n && regs.size() < 119; i += 2) regs.push_back(BigEndianWord(r + i));
  WifiSettings wifi;
  ReadWifiRegisters(regs, &wifi);
  return 0;
}
