// Runs the device operations against a device whose every reply comes from the input:
// download, upload (with the password and the program rebuilt into a document),
// clear, the settings reads and writes (clock, calibration, summer/winter time, WiFi,
// remote WiFi), the clock read and the I/O status polls of every view.
//
// Input: byte 0 chooses the operation, byte 1 its flags (or the I/O view in its low two
// bits and the station address above them); then one record a
// request, in the order the requests go out: a length word (low byte first; bit 15
// set: the record's last two bytes are replaced by its CRC, so that the replies the
// checks accept are within reach) and that many bytes. A request without a record
// gets no answer (a time-out). Nothing a device says may crash the link, read or
// write past a buffer, or hang it; an uploaded program either becomes a document
// that compiles again or is refused with a message.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "device/device_link.h"
#include "device/download_prep.h"
#include "device/io_monitor.h"
#include "device/modbus.h"
#include "device/serial_port.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

class ScriptedPort : public CSerialPort {
 public:
  ScriptedPort(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool Open(const std::string&, const LineSettings&, CString*) override { return m_open = true; }
  bool IsOpen() const override { return m_open; }
  bool Write(const BYTE* frame, size_t length, int* error) override {
    *error = 0;
    if (!frame || length == 0) std::abort();
    // The next record answers this request.
    m_reply.clear();
    m_at = 0;
    if (m_pos + 2 > m_size) return true;
    const unsigned word = m_data[m_pos] | (m_data[m_pos + 1] << 8);
    m_pos += 2;
    const size_t length16 = std::min<size_t>(word & 0x7FFF, m_size - m_pos);
    m_reply.assign(m_data + m_pos, m_data + m_pos + length16);
    m_pos += length16;
    if ((word & 0x8000) != 0 && m_reply.size() >= 2) {
      const WORD crc = CModBus::CalcCrc(m_reply.data(), m_reply.size() - 2);
      m_reply[m_reply.size() - 2] = static_cast<BYTE>(crc >> 8);
      m_reply[m_reply.size() - 1] = static_cast<BYTE>(crc & 0xFF);
    }
    return true;
  }
  int Read(BYTE* buffer, size_t max, int, int* error) override {
    *error = 0;
    const size_t n = std::min(max, m_reply.size() - m_at);
    std::copy(m_reply.begin() + static_cast<std::ptrdiff_t>(m_at),
              m_reply.begin() + static_cast<std::ptrdiff_t>(m_at + n), buffer);
    m_at += n;
    return static_cast<int>(n);
  }
  void Purge() override {}
  void Close() override { m_open = false; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 2;  // after the operation and flag bytes
  std::vector<BYTE> m_reply;
  size_t m_at = 0;
  bool m_open = false;
};

class QuietHost : public CDeviceHost {
 public:
  void AppendInfo(const CString&) override {}
  bool HasProgressDialog() override { return m_progress; }
  void CreateProgressDialog() override { m_progress = true; }
  void SetProgress(int, int) override {}
  void DestroyProgressDialog() override { m_progress = false; }
  bool CompileActiveDocument(TransferImage* image) override { return CompileForDownload(Document(), image); }
  CZaradDoc* ActiveDocument() override { return &Document(); }
  int AskPassword(BYTE password[8]) override {
    std::fill(password, password + 8, 0xFF);
    password[0] = 'A';
    return kPasswordGiven;
  }
  bool OpenUploadedProgram(const UploadedProgram& program) override {
    // As the program does: a new document of the uploaded model, decoded whole or not at all.
    CZaradDoc doc(NewDocumentSettings{kDocFbd, program.modelCode});
    CString error;
    if (!DecodeProgramImage(program.image, program.modelCode, doc, error)) {
      if (error.IsEmpty() || !doc.m_blocks.IsEmpty()) std::abort();
      return false;
    }
    DownloadImage again;
    (void)PrepareDownload(doc, &again);
    return true;
  }

 private:
  static CZaradDoc& Document() {
    // A small program: an input through a gate to an output.
    static CZaradDoc* doc = [] {
      auto* d = new CZaradDoc(NewDocumentSettings{kDocFbd, 0x5188});
      CBlockObj* in = d->AddBlock(MakeBlockOfType(600, BlockContext::For(d)));
      CBlockObj* gate = d->AddBlock(MakeBlockOfType(300, BlockContext::For(d)));
      CBlockObj* out = d->AddBlock(MakeBlockOfType(605, BlockContext::For(d)));
      gate->m_nSource[0] = in->m_nNumber;
      out->m_nSource[0] = gate->m_nNumber;
      return d;
    }();
    return *doc;
  }
  bool m_progress = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  (void)scope;
  if (size < 2 || size > 64 * 1024) return 0;
  QuietHost host;
  CDeviceLink link(&host, std::make_unique<ScriptedPort>(data, size));
  link.SetTimeScale(1e-6);  // every time-out and pause lasts a millisecond
  link.SetPortPath("/dev/scripted");
  static constexpr UINT kFlags[] = {kClockWrite,       kClockRead,       kSummerTimeWrite, kSummerTimeRead,
                                    kCalibrationWrite, kCalibrationRead, kWifiWrite,       kWifiRead,
                                    kRemoteWifiWrite,  kRemoteWifiRead};
  sink->QueueAnswer(IDYES);  // the clear's question
  switch (data[0] % 10) {
    case 0:
      link.OnDeviceOperation(kOpDownload);
      break;
    case 1:
      link.OnDeviceOperation(kOpUpload);
      break;
    case 2:
      link.OnDeviceOperation(kOpClearProgram);
      break;
    case 3:
      link.OnDeviceOperation(kOpDeviceSetting, kFlags[data[1] % std::size(kFlags)]);
      break;
    case 4:
      link.OnDeviceOperation(kOpWifiSetup);
      break;
    case 5:
      link.OnDeviceOperation(kOpSummerTime);
      break;
    case 6:
      link.OnDeviceOperation(kOpRemoteWifiSetup);
      break;
    case 7:
      link.OnDeviceOperation(kOpRemoteWifiFactoryReset);
      break;
    case 8: {
      if (!link.ConnectComPort()) std::abort();
      SYSTEMTIME time{};
      int error = 0;
      (void)link.ReadClock(&time, &error);
      link.DisconnectComPort();
      break;
    }
    default: {
      if (!link.ConnectComPort()) std::abort();
      const int view = (data[1] & 3) % 3;
      const IoPollResult result = PollIoStatus(link, view, data[1] >> 2, 10);
      for (const IoCell& cell : result.cells) {
        if (cell.row < 0 || cell.row >= IoGridRows(view) || cell.column < 0 ||
            cell.column >= IoGridColumns(view))
          std::abort();
      }
      link.DisconnectComPort();
      break;
    }
  }
  sink->Clear();
  return 0;
}
