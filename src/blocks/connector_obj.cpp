#include "blocks/connector_obj.h"

#include <algorithm>

#include "model/block_eval.h"
#include "model/block_registry.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"

IMPLEMENT_SERIAL(CBlockMale, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockMale::CBlockMale() = default;

CBlockMale::CBlockMale(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 1, ctx) {
  m_nOperand = 0;
  m_nOutputs = 0;
}

BOOL CBlockMale::Simulate(CViewContext* view) {
  const int inputs = InputPinCount();
  for (int i = 0; i < inputs; ++i) m_nValue[i] = LinkedOutputState(view, m_nSource[i]);
  return TRUE;
}

CBlockObj* CBlockMale::FindPartner(const CZaradDoc* doc) const {
  if (doc == nullptr) return nullptr;
  CBlockObj* partner = doc->FindBlockByNumber(m_nNumber + kFemaleNumberOffset);
  return DYNAMIC_DOWNCAST(CBlockFemale, partner);
}

IMPLEMENT_SERIAL(CBlockFemale, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockFemale::CBlockFemale() = default;

CBlockFemale::CBlockFemale(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 0, ctx) {
  m_nOperand = 0;
}

CBlockObj* CBlockFemale::FindPartner(const CZaradDoc* doc) const {
  if (doc == nullptr) return nullptr;
  CBlockObj* partner = doc->FindBlockByNumber(m_nNumber - kFemaleNumberOffset);
  return DYNAMIC_DOWNCAST(CBlockMale, partner);
}

CBlockObj* CBlockFemale::FindSourceBlock(const CZaradDoc* doc) const {
  const CConnectLineObj* wire = FindWireIntoConnector(doc, FindPartner(doc));
  return wire ? wire->m_pStartBlock : nullptr;
}

BOOL CBlockFemale::Simulate(CViewContext* view) {
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  const int outputs = OutputPinCount();
  for (int i = kFirstOutputPin; i < kFirstOutputPin + outputs; ++i) {
    const CBlockObj* source = m_nSource[i] != 0 ? FindSourceBlock(doc) : nullptr;
    m_nValue[i] = source ? source->m_nValue[kFirstOutputPin] : 0;
  }
  return TRUE;
}

CConnectLineObj* FindWireIntoConnector(const CZaradDoc* doc, const CBlockObj* half) {
  return doc ? FindConnectorConnection(*doc, half) : nullptr;
}
