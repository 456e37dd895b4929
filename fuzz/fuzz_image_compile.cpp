// Loads arbitrary bytes as a diagram file and compiles what loads into its
// download image. Damaged values (numbers, slot counts, element columns, list
// lengths) must be refused or bounded, never written past an area.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "image/download_image.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  static CZaradDoc* doc = new CZaradDoc();
  (void)scope;
  CString error;
  const std::vector<BYTE> bytes(data, data + size);
  if (doc->LoadFromBytes(bytes, "fuzz.bfb", &error)) {
    DownloadImage out;
    if (PrepareDownload(*doc, &out)) {
      if (out.image.table.size() != kTableImageSize || out.tableRegisters.size() != kTableImageSize)
        std::abort();
      if (out.image.program.size() % kProgramAreaStep != 0 || out.image.program.size() > kProgramAreaMax)
        std::abort();
    }
    doc->DeleteContents();
    // Nothing of one input stays for the next: a load adds to the ladder maps.
    doc->m_operandNames.clear();
    doc->m_analogSimSettings.clear();
  }
  sink->Clear();
  return 0;
}
