// Loads arbitrary bytes as a diagram file. A load either fails cleanly
// (empty lists) or gives a document that stores, and whose stored file loads
// and stores again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/zarad_doc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CZaradDoc* doc = new CZaradDoc();
  static CZaradDoc* again = new CZaradDoc();
  CString error;
  const std::vector<BYTE> bytes(data, data + size);
  if (!doc->LoadFromBytes(bytes, "fuzz.bfb", &error)) {
    if (!doc->m_blocks.IsEmpty() || !doc->m_connections.IsEmpty() || !doc->m_comments.IsEmpty() ||
        !doc->m_powerBus.IsEmpty() || error.IsEmpty()) {
      std::abort();
    }
    return 0;
  }
  const std::vector<BYTE> stored = doc->SaveToBytes();
  if (!again->LoadFromBytes(stored, "again.bfb", &error)) std::abort();
  if (again->SaveToBytes() != stored) std::abort();
  doc->DeleteContents();
  again->DeleteContents();
  return 0;
}
