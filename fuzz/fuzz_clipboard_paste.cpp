// Pastes arbitrary bytes as the diagram clipboard payload (what any program on
// the desktop can put there). Byte 0 chooses the target: bit 0 a ladder diagram,
// bit 1 a document of the older series, bit 2 a target that already holds a few
// blocks; the rest is the payload. A refused paste leaves the document as it was;
// whatever a paste accepts must save, open again and undo and redo.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "blocks/block_factory.h"
#include "editor/diagram_editor.h"
#include "fuzz_support.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

void AddBlock(CZaradDoc& doc, int type, CPoint pos) {
  std::unique_ptr<CBlockObj> b = MakeBlockOfType(type, BlockContext::For(&doc));
  if (!b) return;
  b->m_ptPos = pos;
  doc.AddBlock(std::move(b));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = UsePrivateTempFolder();
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  (void)ready;
  (void)scope;
  if (size < 1) return 0;
  const int kind = (data[0] & 1) != 0 ? kDocLadder : kDocFbd;
  const WORD model = (data[0] & 2) != 0 ? 0x1188 : 0x5188;
  CZaradDoc doc(NewDocumentSettings{kind, model});
  doc.m_sizePage = CSize(2000, 1400);
  doc.m_rcDiagram = CRect(0, 0, 2000, 1400);
  doc.MakePowerBus();  // as the program's ladder documents have it
  if ((data[0] & 4) != 0) {
    AddBlock(doc, kind == kDocLadder ? 700 : 600, CPoint(100, 100));
    AddBlock(doc, kind == kDocLadder ? 703 : 300, CPoint(300, 100));
    AddBlock(doc, 810, CPoint(500, 100));
  }
  CDiagramEditor core(&doc);
  core.SetClientSize(CSize(600, 400));
  core.OnInitialUpdate();
  doc.m_undo.SaveSnapshot(&doc);
  const std::vector<BYTE> before = doc.SaveToBytes();

  sink->QueueAnswer(IDYES);  // paste without the wires when asked
  const std::vector<BYTE> payload(data + 1, data + size);
  if (!core.PasteSelection(payload)) {
    if (doc.SaveToBytes() != before) std::abort();
  } else {
    CZaradDoc again;
    CString error;
    if (!again.LoadFromBytes(doc.SaveToBytes(), "pasted.bfb", &error)) std::abort();
    if (!doc.m_undo.Undo() || doc.SaveToBytes() != before) std::abort();
    if (!doc.m_undo.Redo()) std::abort();
  }
  sink->Clear();
  return 0;
}
