#include "model/zarad_doc.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <unordered_map>

#include "model/block_library.h"
#include "model/diagram_draw.h"
#include "model/model_table.h"
#include "model/name_tables.h"

IMPLEMENT_DYNCREATE(CZaradDoc, CObject)

COutputWireIndex::Slot* COutputWireIndex::Find(const CBlockObj* block, bool add) {
  // The high bits of the product mix every bit of the address.
  const size_t mask = m_slots.size() - 1;
  size_t i = static_cast<size_t>(
      (static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(block)) * 0x9E3779B97F4A7C15ull) >>
      m_nShift);
  while (m_slots[i].block != block) {
    if (m_slots[i].block == nullptr) {
      if (!add) return nullptr;
      m_slots[i].block = block;
      break;
    }
    i = (i + 1) & mask;
  }
  return &m_slots[i];
}

void COutputWireIndex::Build(const CZaradDoc& doc) {
  // The blocks whose output the wire leaves from or arrives at (once each).
  auto ends = [](const CConnectLineObj* w, auto visit) {
    const bool start = w->m_pStartBlock != nullptr && w->m_nStartPin == kFirstOutputPin;
    const bool end = w->m_pEndBlock != nullptr && w->m_nEndPin == kFirstOutputPin;
    if (start) visit(w->m_pStartBlock);
    if (end && !(start && w->m_pEndBlock == w->m_pStartBlock)) visit(w->m_pEndBlock);
  };
  size_t size = 16;
  m_nShift = 60;
  while (size < 4 * static_cast<size_t>(doc.m_connections.GetCount())) {
    size *= 2;
    --m_nShift;
  }
  m_slots.assign(size, Slot{});
  size_t total = 0;
  for (const CConnectLineObj* w : doc.m_connections) {
    ends(w, [&](const CBlockObj* b) {
      ++Find(b, true)->count;
      ++total;
    });
  }
  unsigned next = 0;
  for (Slot& slot : m_slots) {
    slot.first = next;
    next += slot.count;
    slot.count = 0;
  }
  m_wires.resize(total);
  for (CConnectLineObj* w : doc.m_connections) {
    ends(w, [&](const CBlockObj* b) {
      Slot* slot = Find(b, false);
      m_wires[slot->first + slot->count++] = w;
    });
  }
  m_bBuilt = true;
}

std::span<CConnectLineObj* const> COutputWireIndex::Of(const CZaradDoc& doc, const CBlockObj* block) {
  if (!m_bBuilt) Build(doc);
  const Slot* slot = block != nullptr ? Find(block, false) : nullptr;
  if (slot == nullptr) return {};
  return std::span<CConnectLineObj* const>(m_wires.data() + slot->first, slot->count);
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
