#include "model/zarad_doc.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

#include "model/block_library.h"
#include "model/diagram_draw.h"
#include "model/model_table.h"
#include "model/name_tables.h"

IMPLEMENT_DYNCREATE(CZaradDoc, CObject)

const std::vector<CConnectLineObj*>& COutputWireIndex::Of(const CZaradDoc& doc, const CBlockObj* block) {
  if (!m_bBuilt) {
    m_wires.reserve(static_cast<size_t>(doc.m_connections.GetCount()));
    for (CConnectLineObj* w : doc.m_connections) {
      const bool start = w->m_pStartBlock != nullptr && w->m_nStartPin == kFirstOutputPin;
      const bool end = w->m_pEndBlock != nullptr && w->m_nEndPin == kFirstOutputPin;
      if (start) m_wires[w->m_pStartBlock].push_back(w);
      if (end && !(start && w->m_pEndBlock == w->m_pStartBlock)) m_wires[w->m_pEndBlock].push_back(w);
    }
    m_bBuilt = true;
  }
  auto it = m_wires.find(block);
  return it == m_wires.end() ? m_none : it->second;
}

int* ComPortSettings::Field(int index) {
  int* fields[kFieldCount] = {&nRole,     &nProtocol, &nAddress, &nBaudRate,  &nFrameFormat,   &nParity,
                              &nDataBits, &nStopBits, &nTimeout, &nPollDelay, &nRegisterOrder, &nReserved};
  return index >= 0 && index < kFieldCount ? fields[index] : nullptr;
}

CZaradDoc::CZaradDoc() : CZaradDoc(NewDocumentSettings{}) {}

CZaradDoc::CZaradDoc(const NewDocumentSettings& settings) {
  std::fill(std::begin(m_markers), std::end(m_markers), kMarkerClear);
  m_markers[kMarkerModelRecord] = m_markers[kMarkerAiRanges] = m_markers[kMarkerPinTypes] = kMarkerSet;

  m_sizePage = settings.sizePage;
  m_rcDiagram = CRect(0, 0, m_sizePage.cx, m_sizePage.cy);

  BuildBlockTypeNames();  // the kind names follow the interface language

  m_bShowPropertiesOnNew = settings.bShowProperties;
  m_nKind = settings.nKind == kDocLadder ? kDocLadder : kDocFbd;
  m_wModelCode = settings.wModelCode;
  GetModelName(m_wModelCode, &m_strModelName, &m_wFirmware);
}

CZaradDoc::~CZaradDoc() {
  // The framework empties the lists when it closes a document; a document
  // destroyed without that still deletes its objects in the same order.
  DeleteContents();
}

void CZaradDoc::MakePowerBus() {
  if (!IsLadder()) return;
  if (m_powerBus.IsEmpty()) {
    const CBlockLibrary* lib = GetBlockLibrary();
    if (lib == nullptr) return;
    std::unique_ptr<CBlockObj> bus = lib->CreatePowerBus(BlockContext::For(this));
    if (!bus) return;
    m_powerBus.AddTail(std::move(bus));
  }
  CBlockObj* bus = m_powerBus.GetHead();
  bus->m_nWidth = kPowerBusWidth;
  bus->m_nHeight = GetDiagramPageRect(*this).Height() - 4;
}

void CZaradDoc::DeleteContents() {
  m_sortList.clear();
  // When the last element addressing an operand goes, the operand's user name
  // goes too (the count covers the elements still in the list).
  std::unordered_map<int, int> remaining;
  for (const CBlockObj* block : m_blocks) ++remaining[block->m_nOperand];
  while (std::unique_ptr<CBlockObj> block = m_blocks.DetachHead()) {
    const int operand = block->m_nOperand;
    const bool forget = --remaining[operand] == 0 && block->OwnsOperandName();
    block.reset();
    if (forget) m_operandNames.erase(static_cast<UINT>(operand));
  }
  m_connections.DeleteAll();
  m_comments.DeleteAll();
  m_powerBus.DeleteAll();
}
