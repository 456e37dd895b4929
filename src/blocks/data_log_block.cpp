#include "blocks/data_log_block.h"

#include <algorithm>
#include <utility>

#include "blocks/block_slots.h"
#include "model/block_captions.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockDataLog, CBlockObj, VERSIONABLE_SCHEMA | 1)

CBlockDataLog::CBlockDataLog() {
  m_byCaps = kCaps;
}

CBlockDataLog::CBlockDataLog(int typeCode, const BlockContext& ctx) : CBlockObj(typeCode, 2, ctx) {
  m_nOutputs = 0;
  m_nLinkSlots = 0;
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM});
  m_byCaps = kCaps;
}

namespace {

constexpr int kFirstFunctionBlock = 9000;
// Items are read one by one, so a damaged count cannot allocate ahead of the
// bytes that hold the items; the pass after loading never grows a list past this.
constexpr int kMaxBoundItems = 4096;

}  // namespace

void CBlockDataLog::RefreshBlockItems() {
  for (DataLogItem& item : m_items) {
    if (item.m_pBlock == nullptr || item.m_nOperand == item.m_pBlock->m_nNumber) continue;
    item.m_nOperand = item.m_pBlock->m_nNumber;
    item.m_strOperand.Format("B%d", item.m_nOperand - kFirstFunctionBlock);
    item.m_strOperand += LookupBlockName(g_BlockCaptionMap, static_cast<UINT>(item.m_pBlock->m_nType));
  }
}

void CBlockDataLog::Serialize(CArchive& ar) {
  if (ar.IsStoring()) {
    RefreshBlockItems();
    m_nParam10 = static_cast<int>(m_items.size());
    CBlockObj::Serialize(ar);
    for (const DataLogItem& item : m_items) {
      ar << item.m_strOperand << item.m_strParameter << item.m_nOperand << item.m_nParamIndex;
    }
    return;
  }
  CBlockObj::Serialize(ar);
  if (m_nParam10 < 0)
    ar.ThrowException(CArchiveException::genericException, "data log with a negative item count");
  std::vector<DataLogItem> items;
  for (int i = 0; i < m_nParam10; ++i) {
    DataLogItem item;
    ar >> item.m_strOperand >> item.m_strParameter >> item.m_nOperand >> item.m_nParamIndex;
    items.push_back(std::move(item));
  }
  m_items = std::move(items);
}

void CBlockDataLog::BindItems(const CZaradDoc& doc) {
  m_items.resize(static_cast<size_t>(std::clamp(m_nParam10, 0, kMaxBoundItems)));
  for (DataLogItem& item : m_items) {
    item.m_pBlock = item.m_strOperand.GetAt(0) == u'B' ? doc.FindBlockByNumber(item.m_nOperand) : nullptr;
  }
}

void CBlockDataLog::ForgetBlock(const CBlockObj* block) {
  for (DataLogItem& item : m_items) {
    if (item.m_pBlock == block) item.m_pBlock = nullptr;
  }
}

void CBlockDataLog::ListKeptBlocks(std::vector<const CBlockObj*>& out) const {
  for (const DataLogItem& item : m_items) {
    if (item.m_pBlock != nullptr) out.push_back(item.m_pBlock);
  }
}

void CBlockDataLog::ResolveOnLoad(CZaradDoc& doc, bool newerSeries) {
  if (newerSeries) BindItems(doc);
}
