// Loads arbitrary bytes as a diagram file. A load either fails cleanly
// (empty lists) or gives a document that stores. The first store may
// normalise what the file held (a reference to a block number that names no
// block is stored as -1); from then on loading and storing again gives the
// same bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/zarad_doc.h"

namespace {

// The documents are reused from input to input: nothing of one input may stay for the
// next (a load adds to the ladder maps of a ladder file, as a file's own pairs do).
void Empty(CZaradDoc* doc) {
  doc->DeleteContents();
  doc->m_operandNames.clear();
  doc->m_analogSimSettings.clear();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CZaradDoc* doc = new CZaradDoc();
  static CZaradDoc* again = new CZaradDoc();
  Empty(doc);
  Empty(again);
  CString error;
  const std::vector<BYTE> bytes(data, data + size);
  if (!doc->LoadFromBytes(bytes, "fuzz.bfb", &error)) {
    if (!doc->m_blocks.IsEmpty() || !doc->m_connections.IsEmpty() || !doc->m_comments.IsEmpty() ||
        !doc->m_powerBus.IsEmpty() || error.IsEmpty()) {
      std::abort();
    }
    return 0;
  }
  const std::vector<BYTE> first = doc->SaveToBytes();
  if (!again->LoadFromBytes(first, "again.bfb", &error)) std::abort();
  const std::vector<BYTE> stored = again->SaveToBytes();
  if (!doc->LoadFromBytes(stored, "stored.bfb", &error)) std::abort();
  if (doc->SaveToBytes() != stored) std::abort();
  return 0;
}
