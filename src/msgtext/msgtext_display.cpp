#include "msgtext/msgtext_display.h"

#include <algorithm>

#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"

int g_MsgTextDetailsFlag = 1;

namespace {

std::vector<CBlockMSGTEXT*> MessageBlocks(const CZaradDoc& doc) {
  std::vector<CBlockMSGTEXT*> out;
  for (CBlockObj* block : doc.m_blocks)
    if (auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, block)) out.push_back(msg);
  return out;
}

}  // namespace

bool IsMessageActive(const CBlockMSGTEXT& block) {
  return block.m_nValue[kFirstOutputPin] == 1 || block.m_bAckLatch != 0;
}

bool IsAnyMessageActive(const CZaradDoc& doc) {
  for (const CBlockMSGTEXT* msg : MessageBlocks(doc))
    if (msg->m_nValue[kFirstOutputPin] == 1) return true;
  return false;
}

MessageTextScan ScanMessageTexts(CZaradDoc* doc, CViewContext* view) {
  MessageTextScan result;
  if (doc == nullptr) return result;
  int wentOff = -1;
  for (CBlockMSGTEXT* msg : MessageBlocks(*doc)) {
    const int was = msg->m_nValue[kFirstOutputPin];
    msg->ScanMessage(view);
    const int now = msg->m_nValue[kFirstOutputPin];
    if (!msg->m_bChanged[0] || now == was) continue;
    if (now == 1) {
      if (msg->GetAcknowledge()) msg->m_bAckLatch = 1;
      msg->m_bCaptureTime = 1;
      msg->m_bCaptureDate = 1;
      result.event = MessageTextScan::kActivated;
      result.number = msg->m_nNumber;
      return result;
    }
    wentOff = msg->m_nNumber;
  }
  if (wentOff >= 0) {
    result.number = wentOff;
    result.event = IsAnyMessageActive(*doc) ? MessageTextScan::kDeactivated : MessageTextScan::kAllOff;
  }
  return result;
}

std::vector<CBlockMSGTEXT*> MessageTextsByPriority(const CZaradDoc& doc) {
  std::vector<CBlockMSGTEXT*> out = MessageBlocks(doc);
  std::stable_sort(out.begin(), out.end(), [](const CBlockMSGTEXT* a, const CBlockMSGTEXT* b) {
    return a->GetPriority() < b->GetPriority();
  });
  return out;
}

CString MessageTextPageCaption(int priority) {
  if (priority < 0 || priority > 30) return CString(u"-");
  return FormatString(u"%d", priority);
}

int MessageTextPageToActivate(const std::vector<CBlockMSGTEXT*>& pages, int mode, int number,
                              int activePage) {
  int best = 0, bestIndex = 0;
  const CBlockMSGTEXT* block = nullptr;
  for (size_t i = 0; i < pages.size(); ++i) {
    const CBlockMSGTEXT* page = pages[i];
    if (page == nullptr) continue;
    if (page->m_nNumber == number) block = page;
    if (IsMessageActive(*page) && best <= page->GetPriority()) {
      best = page->GetPriority();
      bestIndex = static_cast<int>(i);
    }
  }
  if (block == nullptr) return -1;
  if (mode == 1) return block->GetPriority() == best ? bestIndex : -1;
  if (mode == 2) {
    const bool shown = activePage >= 0 && static_cast<size_t>(activePage) < pages.size() &&
                       pages[static_cast<size_t>(activePage)] == block;
    return !block->m_bAckLatch && shown ? bestIndex : -1;
  }
  return -1;
}
