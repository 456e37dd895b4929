// Puts arbitrary bytes where an undo step lies (a snapshot file damaged on the disk)
// and undoes to it. A step that does not load leaves the diagram as it was and the
// store working; one that loads gives a document that saves and opens again, and Redo
// brings the diagram back.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "blocks/block_factory.h"
#include "fuzz_support.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

CZaradDoc* MakeDocument() {
  auto* doc = new CZaradDoc(NewDocumentSettings{kDocFbd, 0x5188});
  doc->m_undo.SaveSnapshot(doc);  // step 1, overwritten by every input
  CBlockObj* input = doc->AddBlock(MakeBlockOfType(600, BlockContext::For(doc)));
  CBlockObj* gate = doc->AddBlock(MakeBlockOfType(300, BlockContext::For(doc)));
  gate->m_ptPos = CPoint(200, 100);
  gate->m_nSource[0] = input->m_nNumber;
  doc->m_comments.AddTail(std::make_unique<CBlockComment>());
  doc->m_undo.SaveSnapshot(doc);  // step 2, the diagram every input starts from
  return doc;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = UsePrivateTempFolder();
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  static CZaradDoc* doc = MakeDocument();
  static const std::vector<BYTE> start = doc->SaveToBytes();
  (void)ready;
  (void)scope;
  CUndoBuffer& undo = doc->m_undo;
  if (undo.m_nIndex != 2) std::abort();
  {
    std::ofstream out(undo.GetSnapshotPath(1).ToUtf8(), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  if (!undo.Undo()) {
    if (undo.m_nIndex != 2 || doc->SaveToBytes() != start || sink->messages().size() != 1) std::abort();
  } else {
    if (undo.m_nIndex != 1) std::abort();
    CZaradDoc again;
    CString error;
    if (!again.LoadFromBytes(doc->SaveToBytes(), "undone.bfb", &error)) std::abort();
    if (!undo.Redo() || doc->SaveToBytes() != start) std::abort();
  }
  sink->Clear();
  return 0;
}
