#include "msgtext/msgtext_block.h"

#include <new>

#include "blocks/block_factory.h"
#include "blocks/block_slots.h"
#include "blocks/palette_icons.h"
#include "model/block_kind.h"
#include "model/model_table.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockMSGTEXT, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

constexpr int kMsgTextInputs = 3;  // En, P, Par
constexpr int kMsgTextLinkSlots = 4;
constexpr WORD kMsgTextMemSize = 8;
constexpr size_t kOldListCapacity = 2 * CBlockMSGTEXT::kLines;

}  // namespace

CBlockMSGTEXT::CBlockMSGTEXT() {
  m_byCaps = kCaps;
  InitGrids();
}

CBlockMSGTEXT::CBlockMSGTEXT(int typeCode, const BlockContext& ctx)
    : CBlockObj(typeCode, kMsgTextInputs, ctx) {
  PresetSlotCodes(*this, {kKeepLink, LINK_PARAM, LINK_PARAM, LINK_EMPTY});
  m_nLinkSlots = kMsgTextLinkSlots;
  m_wMemSize = kMsgTextMemSize;
  m_byCaps = kCaps;
  SetAcknowledge(0);
  SetPriority(-1);
  InitGrids();

  const CZaradDoc* doc = ctx.doc;
  const int defaultSet = (doc && doc->IsNewerFamily() && doc->m_nDefaultCharSet != 0) ? 1 : 0;
  m_nCurrentSet = defaultSet;
  m_bSet1Enabled = defaultSet == 0 ? 1 : 0;
  m_bSet2Enabled = defaultSet == 0 ? 0 : 1;
}

CBlockMSGTEXT::~CBlockMSGTEXT() {
  DeleteElements();
}

void CBlockMSGTEXT::InitGrids() {
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      const CString cell = (r == 0 || c == 0) ? CString(u"W") : CString();
      m_strTextSet1[r][c] = cell;
      m_strTextSet2[r][c] = cell;
    }
  }
}

int* CBlockMSGTEXT::Setting(int index) {
  int* settings[kSettings] = {&m_nCurrentSet,     &m_bSet1Enabled,    &m_bSet2Enabled,    &m_nTickerMode[0],
                              &m_nTickerMode[1],  &m_bTickerLine1[0], &m_bTickerLine1[1], &m_bTickerLine2[0],
                              &m_bTickerLine2[1], &m_bTickerLine3[0], &m_bTickerLine3[1], &m_bTickerLine4[0],
                              &m_bTickerLine4[1], &m_bShowDetails};
  return index >= 0 && index < kSettings ? settings[index] : nullptr;
}

CBlockMSGTEXT::ElementList* CBlockMSGTEXT::Elements(int set, int line) {
  if (line < 0 || line >= kLines) return nullptr;
  if (set == 0) return &m_ElementsSet1[line];
  if (set == 1) return &m_ElementsSet2[line];
  return nullptr;
}

int CBlockMSGTEXT::CountElements() const {
  size_t n = 0;
  for (int k = 0; k < kLines; ++k) n += m_ElementsSet1[k].size() + m_ElementsSet2[k].size();
  return static_cast<int>(n);
}

void CBlockMSGTEXT::DeleteElements() {
  for (int k = 0; k < kLines; ++k) {
    m_ElementsSet1[k].clear();
    m_ElementsSet2[k].clear();
  }
}

void CBlockMSGTEXT::ForgetBlock(const CBlockObj* block) {
  for (int k = 0; k < kLines; ++k) {
    for (ElementList* list : {&m_ElementsSet1[k], &m_ElementsSet2[k]}) {
      for (const auto& element : *list) {
        if (element && element->m_pBlock == block) element->m_pBlock = nullptr;
      }
    }
  }
}

void CBlockMSGTEXT::ListKeptBlocks(std::vector<const CBlockObj*>& out) const {
  for (int k = 0; k < kLines; ++k) {
    for (const ElementList* list : {&m_ElementsSet1[k], &m_ElementsSet2[k]}) {
      for (const auto& element : *list) {
        if (element && element->m_pBlock != nullptr) out.push_back(element->m_pBlock);
      }
    }
  }
}

void CBlockMSGTEXT::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) ar << m_strTextSet1[r][c] << m_strTextSet2[r][c];
    }
    for (int i = 0; i < kSettings; ++i) ar << *Setting(i);
    return;
  }
  if (m_nLoadedSchema == 0) {
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kOldCols; ++c) ar >> m_strTextSet1[r][c];
    }
    return;
  }
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) ar >> m_strTextSet1[r][c] >> m_strTextSet2[r][c];
  }
  for (int i = 0; i < kSettings; ++i) ar >> *Setting(i);
  // The shown set indexes the editor's two grids.
  if (m_nCurrentSet != 0) m_nCurrentSet = 1;
}

BOOL CBlockMSGTEXT::Simulate(CViewContext* view) {
  if (view != nullptr && view->RefreshMessageTextDisplay()) return TRUE;
  return ScanMessage(view);
}

BOOL CBlockMSGTEXT::ScanMessage(CViewContext* view) {
  ReadInputs(view);
  CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  const bool ladder = doc != nullptr && doc->IsLadder();
  int& out = m_nValue[kFirstOutputPin];
  const int en = m_nValue[0];
  if (m_bChanged[0] && en == 1) {
    if (ladder && out == 0) m_bChanged[kFirstOutputPin] = 1;
    out = 1;
    if (GetAcknowledge() && GetAckPending() == 0) m_nParam1 = 1;
  } else if (m_bChanged[0]) {
    const int next = m_bAckLatch ? 1 : 0;
    if (ladder && next != out) m_bChanged[kFirstOutputPin] = 1;
    out = next;
  } else if (!m_bAckLatch) {
    if (ladder && en != out) m_bChanged[kFirstOutputPin] = 1;
    out = en;
  }
  if (m_bChanged[kFirstOutputPin]) {
    PropagateToContacts(doc);
    m_bChanged[kFirstOutputPin] = 0;
  }
  return TRUE;
}

void CBlockMSGTEXT::CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) {
  auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, target);
  if (target == nullptr || target == this) return;
  CBlockObj::CopyTo(target, withGeometry, doc);
  if (msg == nullptr) return;

  // The target's own elements go first: a copy never keeps surplus old ones.
  auto cloneLists = [](const ElementList* from, ElementList* to) {
    for (int k = 0; k < kLines; ++k) {
      to[k].clear();
      for (const auto& element : from[k]) {
        if (!element) continue;
        auto clone = std::make_unique<CWidget>();
        element->CopyTo(clone.get());
        to[k].push_back(std::move(clone));
      }
    }
  };
  cloneLists(m_ElementsSet1, msg->m_ElementsSet1);

  const WORD model = doc ? doc->m_wModelCode : kDefaultModelCode;
  if (IsNewerSeries(ModelSeries(model))) {
    cloneLists(m_ElementsSet2, msg->m_ElementsSet2);
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kCols; ++c) {
        msg->m_strTextSet1[r][c] = m_strTextSet1[r][c];
        msg->m_strTextSet2[r][c] = m_strTextSet2[r][c];
      }
    }
    for (int i = 0; i < kSettings; ++i) *msg->Setting(i) = *Setting(i);
  } else {
    for (int r = 0; r < kRows; ++r) {
      for (int c = 0; c < kOldCols; ++c) msg->m_strTextSet1[r][c] = m_strTextSet1[r][c];
    }
  }
}

void CBlockMSGTEXT::SerializeElementLists(CArchive& ar) {
  for (int set = 0; set < 2; ++set) {
    for (int line = 0; line < kLines; ++line) {
      ElementList& list = *Elements(set, line);
      if (ar.IsStoring()) {
        ar.WriteCount(list.size());
        for (const auto& element : list) ar << element.get();
        continue;
      }
      const size_t count = ar.ReadCount(CArchive::kMinObjectBytes);
      for (size_t i = 0; i < count; ++i) {
        std::unique_ptr<CWidget> element(static_cast<CWidget*>(ar.ReadNewObject(RUNTIME_CLASS(CWidget))));
        if (!element) continue;
        element->m_nRow = line + 1;
        list.push_back(std::move(element));
      }
    }
  }
}

void CBlockMSGTEXT::LoadOldElementList(CArchive& ar) {
  const size_t count = ar.ReadCount(CArchive::kMinObjectBytes);
  if (count > kOldListCapacity) {
    ar.ThrowException(
        CArchiveException::genericException,
        "old message-text element list with " + std::to_string(count) + " elements (at most 8)");
  }
  for (size_t i = 0; i < count; ++i) {
    std::unique_ptr<CWidget> element(static_cast<CWidget*>(ar.ReadNewObject(RUNTIME_CLASS(CWidget))));
    if (!element) continue;
    const int set = static_cast<int>(i) / kLines;
    const int line = static_cast<int>(i) % kLines;
    element->m_nRow = line + 1;
    ElementList& list = *Elements(set, line);
    list.clear();
    list.push_back(std::move(element));
  }
}

namespace {

// The message text's palette pictogram (its text, from blocks/pictograms.h).
int PaintMessageTextIcon(CDC* dc, const CRect& box) {
  return PaintSymbolPicture(dc, box, CBlockMSGTEXT::kTypeCode);
}

}  // namespace

void RegisterMessageTextKind() {
  BlockKind kind;
  kind.type = CBlockMSGTEXT::kTypeCode;
  kind.page = PageFamily::kMsgText;
  kind.helpTopic = 1060;  // "Message text.htm"
  kind.mnemonic = u"Text";
  kind.msgIcon = MsgIcon::kFunction;
  kind.paletteIcon = PaintMessageTextIcon;
  kind.create = [](int typeCode, const BlockContext& ctx) -> CBlockObj* {
    return new (std::nothrow) CBlockMSGTEXT(typeCode, ctx);
  };
  RegisterBlockKind(kind);
  // Naming the element class links its object file, and with it its registration.
  [[maybe_unused]] static const CRuntimeClass* volatile sink = RUNTIME_CLASS(CWidget);
}
