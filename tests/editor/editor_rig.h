// The editor core on a fresh document of its own, with a message sink, for
// the tests of the wire tool, the clipboard and the ladder conversion.
#pragma once

#include <gtest/gtest.h>

#include "blocks/block_factory.h"
#include "editor/diagram_editor.h"
#include "editor/goto_block.h"
#include "editor/wiring_rules.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "support/diagram_builder.h"

namespace editor_test {

struct Rig {
  CDiagramBuilder d;
  CDiagramEditor core{&d.Doc()};
  RecordingMessageSink sink;
  ScopedMessageSink scope{&sink};
  explicit Rig(int kind = kDocFbd, WORD model = 0x5188) : d(kind, model) {
    d.Doc().m_sizePage = CSize(2000, 1400);
    d.Doc().m_rcDiagram = CRect(0, 0, 2000, 1400);
    core.SetClientSize(CSize(600, 400));
    core.OnInitialUpdate();
  }
  CZaradDoc& Doc() { return d.Doc(); }
  CBlockObj* Block(int type, CPoint pos) {
    CBlockObj* b = d.Add(type);
    b->m_ptPos = pos;
    b->m_nWidth = 25;
    b->m_nHeight = b->m_nInputs == 4 ? 40 : 36;
    return b;
  }
  CConnectLineObj* Link(CBlockObj* from, int fromPin, CBlockObj* to, int toPin, bool force = false) {
    return core.ConnectBlockPins(from, fromPin, to, toPin, force);
  }
  CPoint Pin(CBlockObj* b, int pin) {
    CRect r;
    EXPECT_TRUE(GetPinRect(&r, b, pin));
    return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
};

constexpr int kOut = kFirstOutputPin;

}  // namespace editor_test
