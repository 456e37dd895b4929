// Decodes arbitrary bytes as a program image read back from a device. Every
// size, index, position and count in it comes from the input: the decoder
// must refuse or bound them, never read or write past a buffer, and always
// leave either a decoded document that compiles again or an empty one.
//
// Input: byte 0 selects the series (bit 0 set: newer), bytes 1-2 the length
// of the program area J (low byte first), byte 3 the length of the
// message-text pages in 64-byte steps; then the table image, J and the pages
// in that order. Missing bytes read as 0xFF (erased memory).
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/download_image.h"
#include "image/image_decoder.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

std::vector<BYTE> Take(const uint8_t* data, size_t size, size_t* at, size_t length) {
  std::vector<BYTE> out(length, 0xFF);
  const size_t n = *at < size ? std::min(length, size - *at) : 0;
  std::copy(data + *at, data + *at + n, out.begin());
  *at += length;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  (void)scope;
  if (size < 4) return 0;
  const WORD model = (data[0] & 1) != 0 ? 0x5188 : 0x1188;
  const size_t programSize = static_cast<size_t>(data[1] | (data[2] << 8)) & 0x7FFF;
  const size_t pagesSize = static_cast<size_t>(data[3]) * 64;
  size_t at = 4;
  ProgramImage image;
  image.table = Take(data, size, &at, kTableImageSize);
  image.program = Take(data, size, &at, programSize);
  image.pages = Take(data, size, &at, pagesSize);

  CZaradDoc doc(NewDocumentSettings{kDocFbd, model});
  CString error;
  if (DecodeProgramImage(image, model, doc, error)) {
    if (!error.IsEmpty()) std::abort();
    // What was decoded compiles again without passing any area.
    DownloadImage out;
    if (PrepareDownload(doc, &out)) {
      if (out.image.table.size() != kTableImageSize) std::abort();
      if (out.image.program.size() % kProgramAreaStep != 0 || out.image.program.size() > kProgramAreaMax)
        std::abort();
    }
  } else {
    if (error.IsEmpty() || !doc.m_blocks.IsEmpty() || !doc.m_connections.IsEmpty()) std::abort();
  }
  sink->Clear();
  return 0;
}
