// Pastes arbitrary text (what any program can put on the clipboard) into the screen
// grid of the message-text editor and into the validated edit fields.
//
// Byte 0 chooses: bit 0 the older editor (12-character lines), bit 1 a paste into an
// edit field instead of the grid, bit 2 the numeric field (else the masked one); bytes
// 1 and 2 the cell (or the selection) the paste starts at; the rest is UTF-16 text.
//
// The grid keeps every wide character over two cells (a left half followed by its
// empty right half); what OK writes into the block stores and loads again and
// compiles into the device image. A field holds a text that its
// own correction leaves as it is, with the selection inside it.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "blocks/block_factory.h"
#include "controls/grid_ctrl.h"
#include "controls/masked_behavior.h"
#include "controls/numeric_behavior.h"
#include "image/download_image.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "pages/memory_host.h"
#include "pages/msg_text_page.h"
#include "platform/archive.h"
#include "platform/message_sink.h"
#include "platform/recording_dc.h"
#include "properties/block_properties.h"
#include "properties/block_sheet.h"

namespace {

// A window for the grid without a display.
class NoWindow : public CGridWindow {
 public:
  CRect GetClientRect() const override { return CRect(0, 0, 640, 160); }
  void Invalidate(const CRect*) override {}
  CDC* GetMeasureDC() override { return &m_dc; }
  void ShowScrollBar(int, bool) override {}
  void SetScrollRange(int, int, int) override {}
  int GetScrollPos(int) const override { return 0; }
  void SetScrollPos(int, int) override {}
  void SetClipboard(const CGridDataObject& data) override { m_clipboard = data; }
  CGridDataObject GetClipboard() const override { return m_clipboard; }
  int DoDragDrop(const CGridDataObject&, int) override { return DROPEFFECT_NONE; }

 private:
  CRecordingDC m_dc;
  CGridDataObject m_clipboard;
};

void CheckCells(const CGridCtrl& grid) {
  for (int r = 0; r < grid.GetRowCount(); ++r) {
    for (int c = 0; c < grid.GetColumnCount(); ++c) {
      const UINT state = grid.GetItemState(r, c);
      if ((state & GVIS_WIDELEFT) != 0) {
        if (c + 1 >= grid.GetColumnCount() || (grid.GetItemState(r, c + 1) & GVIS_WIDERIGHT) == 0)
          std::abort();
      }
      if ((state & GVIS_WIDERIGHT) != 0) {
        if (c == 0 || (grid.GetItemState(r, c - 1) & GVIS_WIDELEFT) == 0) std::abort();
        if (!grid.GetItemText(r, c).IsEmpty()) std::abort();
      }
    }
  }
}

void PasteIntoGrid(bool older, int row, int col, const std::u16string& text) {
  CZaradDoc doc(NewDocumentSettings{kDocFbd, static_cast<WORD>(older ? 0x1188 : 0x5188)});
  CBlockObj* counter = doc.AddBlock(MakeBlockOfType(800, BlockContext::For(&doc)));
  (void)counter;
  auto* block = static_cast<CBlockMSGTEXT*>(doc.AddBlock(MakeBlockOfType(810, BlockContext::For(&doc))));
  block->SetPriority(0);
  CBlockProperties props(&doc);
  std::unique_ptr<CBlockSheet> sheet = props.BuildSheet(*block, false);
  auto* page = dynamic_cast<CMessageTexts_New*>(sheet->TypePage());
  if (!page) std::abort();
  CMemoryHost host(page->Describe(), page);
  NoWindow window;
  CGridCtrl grid;
  grid.AttachWindow(&window);
  page->AttachGrid(&grid);
  page->m_confirm = [](const CString&) { return true; };
  page->Attach(&host, sheet->Context());
  page->Initialise();

  grid.SetFocusCell(row % grid.GetRowCount(), col % grid.GetColumnCount());
  CGridDataObject data;
  data.text = text;
  window.SetClipboard(data);
  grid.OnEditPaste();
  CheckCells(grid);
  if (!sheet->OnOK(0)) return;
  props.WriteBack(*block, sheet->Values());

  // What the editor wrote stores, loads and compiles.
  CArchive out;
  out.m_pDocument = &doc;
  out << static_cast<const CObject*>(block);
  CArchive in(out.TakeBytes());
  in.m_pDocument = &doc;
  std::unique_ptr<CObject> again(in.ReadNewObject(RUNTIME_CLASS(CBlockMSGTEXT)));
  if (!again) std::abort();
  DownloadImage image;
  (void)PrepareDownload(doc, &image);
}

void PasteIntoField(bool numeric, int start, int end, const std::u16string& text) {
  std::unique_ptr<CEditBehavior> behaviour;
  if (numeric) {
    behaviour = std::make_unique<CNumericBehavior>(5, 2);
  } else {
    behaviour = std::make_unique<CMaskedBehavior>(CString(u"##:##"));
  }
  const CString before = behaviour->GetCorrectedText(CString(u"12"));
  EditState state(before, std::min(start, before.GetLength()), std::min(end, before.GetLength()));
  state.SetSel(start, end);
  behaviour->OnPaste(state, CString(text));
  if (state.start < 0 || state.start > state.end || state.end > state.text.GetLength()) std::abort();
  if (behaviour->GetCorrectedText(state.text) != state.text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static RecordingMessageSink* sink = new RecordingMessageSink();
  static ScopedMessageSink* scope = new ScopedMessageSink(sink);
  (void)scope;
  if (size < 3 || size > 4096) return 0;
  std::u16string text;
  for (size_t i = 3; i + 1 < size; i += 2)
    text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  if ((data[0] & 2) != 0) {
    PasteIntoField((data[0] & 4) != 0, data[1] % 8, data[2] % 8, text);
  } else {
    PasteIntoGrid((data[0] & 1) != 0, data[1], data[2], text);
  }
  sink->Clear();
  return 0;
}
