// Builds small wired diagrams for scan tests: blocks made by the factory and
// numbered by the document, wires written into both ends as the view does.
#pragma once

#include <memory>

#include "blocks/block_factory.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "support/fake_contexts.h"

class CDiagramBuilder {
 public:
  explicit CDiagramBuilder(int kind = kDocFbd, WORD model = 0x5188) {
    m_doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kind, model});
    m_view.m_pDoc = m_doc.get();
    m_view.m_nEditMode = MODE_SIMULATION;
  }

  CZaradDoc& Doc() { return *m_doc; }
  CFakeViewContext& View() { return m_view; }

  // A new block of the type made for the document, added (and numbered) by it.
  CBlockObj* Add(int typeCode) {
    return m_doc->AddBlock(MakeBlockOfType(typeCode, BlockContext::For(m_doc.get())));
  }
  template <typename T>
  T* Add(int typeCode) {
    return static_cast<T*>(Add(typeCode));
  }

  // The smallest program a device runs: I1 -> AND -> Q1.
  void AddInputGateOutput() {
    CBlockObj* input = Add(600);
    CBlockObj* gate = Add(300);
    CBlockObj* output = Add(605);
    Wire(input, gate, 0);
    Wire(gate, output, 0);
  }

  // Wires the output of src to input pin of dst: the input names src, src's
  // output names dst, and dst's first linked pin is kept up to date.
  static void Wire(CBlockObj* src, CBlockObj* dst, int pin) {
    dst->m_nSource[pin] = src->m_nNumber;
    src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
    if (dst->m_nFirstLinkedPin < 0 || pin < dst->m_nFirstLinkedPin) dst->m_nFirstLinkedPin = pin;
  }

 private:
  std::unique_ptr<CZaradDoc> m_doc;
  CFakeViewContext m_view;
};
