// Structural edits of the editor core: placing a block with the program's
// limits, deleting the selection with everything that depends on it, dense
// renumbering of the function blocks with their references, undo and redo,
// align, select all, Escape and the page layout.
#include <algorithm>
#include <iterator>
#include <optional>

#include "blocks/analog_blocks.h"
#include "blocks/block_factory.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/extended_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "editor/diagram_editor.h"
#include "model/block_codes.h"
#include "model/block_kind.h"
#include "model/block_registry.h"
#include "model/diagram_draw.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

constexpr UINT IDS_TOO_MANY_BLOCKS = 336;  // "your program has taken %d blocks,can't  add new block"
constexpr UINT IDS_NO_RESOURCES = 612;     // "Insufficient Resources to create/paste the blocks."

constexpr int kBlockWidth = 25;
constexpr int kBlockHeight4 = 40;
constexpr int kBlockHeight = 36;
constexpr int kPlaceOffsetX = 12;    // a block is placed with its body centred on the click
constexpr int kBusClearance = 17;    // a ladder element this close to the power bus ...
constexpr int kBusPlacement = 7;     // ... stands this far right of it
constexpr int kTimeUnitDefault = 2;  // the time unit a released time parameter takes

// Type codes that placement builds a block for: the kinds the palette offers,
// those with a pictogram (the others create nothing).
bool IsPlaceableType(int t) {
  return BlockKindOf(t).paletteIcon != nullptr;
}

bool IsConnectorHalf(const CBlockObj* b) {
  return b && IsConnectorType(b->m_nType);
}

bool IsContact(const CBlockObj* b) {
  return b->m_nType >= kTypeMakeContact && b->m_nType <= kTypeAnalogContact;
}

bool IsFunctionBlock(const CBlockObj* b) {
  return CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2;
}

// The value words a reference slot k (0..3) feeds: the main word and the second word.
int* ValueWord(CBlockObj* b, int k, int word) {
  switch (k) {
    case 0:
      return word == 0 ? &b->m_nParam10 : &b->m_nParam9;  // P9, P8
    case 1:
      return word == 0 ? &b->m_nParam15 : &b->m_nParam14;  // X2, X1
    case 2:
      return word == 0 ? &b->m_nParam20 : nullptr;  // X7
    default:
      return word == 0 ? &b->m_nParam22 : nullptr;  // X9
  }
}

// Releases slot k (0..3) of b when it names target: the reference is
// switched off and its parameter gets value (both words when twoWords).
void ReleaseSlot(CBlockObj* b, const CBlockObj* target, int k, int value, bool twoWords = false) {
  if (b->m_pRef[k] != target) return;
  b->m_bUseRef[k] = 0;
  b->m_pRef[k] = nullptr;
  b->m_nRefNumber[k] = -1;
  if (int* w = ValueWord(b, k, 0)) *w = value;
  if (twoWords) {
    if (int* w = ValueWord(b, k, 1)) *w = 0;
  }
}

// The same for a time parameter: both parts and the further word 0, the unit 2.
void ReleaseTimeSlot(CBlockObj* b, const CBlockObj* target, int k) {
  if (b->m_pRef[k] != target) return;
  ReleaseSlot(b, target, k, 0, true);
  if (k == 0) {
    b->m_nParam11 = kTimeUnitDefault;
    b->m_nParam12 = 0;
  } else {
    b->m_nParam16 = kTimeUnitDefault;
    b->m_nParam13 = 0;
  }
}

template <typename... Ts>
bool IsAnyOf(const CBlockObj* b) {
  return ((dynamic_cast<const Ts*>(b) != nullptr) || ...);
}

// The reference rules of the newer series for one block.
void ReleaseNewerSeries(CBlockObj* b, const CBlockObj* target) {
  if (IsAnyOf<CBlockWT, CBlockYT, CBlockAC, CBlockSW>(b)) return;
  if (IsAnyOf<CBlockCOUNTER, CBlockARRMXIV, CBlockENCODER>(b)) {
    ReleaseSlot(b, target, 0, 0);
    ReleaseSlot(b, target, 1, 0);
  } else if (IsAnyOf<CBlockHCOUNTER, CBlockTHTRG, CBlockMEM>(b)) {
    ReleaseSlot(b, target, 0, 0, true);
  } else if (IsAnyOf<CBlockPWM>(b)) {
    ReleaseTimeSlot(b, target, 0);
  } else if (IsAnyOf<CBlockAnalog>(b)) {
    for (int k = 0; k < kRefCount; ++k) ReleaseSlot(b, target, k, 0);
  } else if (IsAnyOf<CBlockMATHERR, CBlockANDM, CBlockORM, CBlockNOTM, CBlockNANDM, CBlockNORM, CBlockXORM,
                     CBlockACMXIV, CBlockLOG, CBlockWORD2BIT, CBlockFIX, CBlockROUND>(b)) {
    ReleaseSlot(b, target, 0, 0);
  } else if (IsAnyOf<CBlockROL, CBlockROR, CBlockSHL, CBlockSHR, CBlockRAND>(b)) {
    ReleaseSlot(b, target, 0, 1);
  } else if (IsAnyOf<CBlockPTO, CBlockPTOE>(b)) {
    ReleaseSlot(b, target, 1, 0);
    ReleaseSlot(b, target, 0, 0);
  } else if (IsAnyOf<CBlockSMC, CBlockSMCE>(b)) {
    ReleaseSlot(b, target, 1, 250);
    ReleaseSlot(b, target, 0, 0);
  } else if (IsAnyOf<CBlockMOD, CBlockREM>(b)) {
    ReleaseSlot(b, target, 0, 10);
  } else if (IsAnyOf<CBlockTime>(b)) {
    ReleaseTimeSlot(b, target, 0);
    ReleaseTimeSlot(b, target, 1);
    ReleaseSlot(b, target, 2, 0, true);
    ReleaseSlot(b, target, 3, 0, true);
  }
}

// Every element list of a message text, both character sets.
template <typename F>
void ForEachElementList(CBlockMSGTEXT* text, F&& f) {
  for (int set = 0; set < 2; ++set) {
    for (int line = 0; line < CBlockMSGTEXT::kLines; ++line) {
      if (auto* list = text->Elements(set, line)) f(*list);
    }
  }
}

// The operands a message text can show (inputs, outputs, shift bits, function
// keys, flags, analog inputs and analog flags).
bool InOperandRanges(int op) {
  auto in = [op](int first, int count) { return op >= first && op < first + count; };
  return in(kFirstInputOperand, kInputOperandCount) || in(kFirstOutputOperand, kOutputOperandCount) ||
         in(kFirstShiftBitOperand, kShiftBitOperandCountNewer) ||
         in(kFirstFunctionKeyOperand, kFunctionKeyOperandCount) || in(kFirstFlagOperand, kFlagOperandCount) ||
         (op >= kFirstAnalogInputOperand && op <= kLastAnalogContactInput) ||
         in(kFirstAnalogFlagOperand, kAnalogFlagOperandCount);
}

}  // namespace

// The message of a refused per-type limit, by type code; 0 for none.
UINT TypeLimitMessage(int type) {
  switch (type) {
    case kTypeInput:
      return 570;
    case kTypeShiftBit:
      return 580;
    case kTypeLowSignal:
      return 583;
    case kTypeHighSignal:
      return 584;
    case kTypeOutput:
      return 571;
    case kTypeOpenConnector:
      return 581;
    case kTypeFlag:
      return 582;
    case kTypeAnalogInput:
      return 585;
    case kTypeAnalogOutput:
      return 586;
    case kTypeAnalogFlag:
      return 587;
    case kTypeFunctionKey:
      return 605;
    case kTypeMakeContact:
      return 603;
    case kTypeBreakContact:
      return 606;
    case kTypeAnalogContact:
      return 616;
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
      return 600;
    case kTypeLadderAnalogOutput:
      return 599;
    case kTypeMessageText:
      return 592;
    case kTypeShiftRegister:
      return 593;
    case kTypeAnalogFilter:
      return 624;
    case kTypeDataLog:
      return 637;
    default:
      return 0;
  }
}

// ---- Snapshots and message numbers ---------------------------------------------------

void CDiagramEditor::SaveSnapshot() {
  m_pDoc->SetModifiedFlag(true);
  m_pDoc->m_undo.SaveSnapshot(m_pDoc);
}

void CDiagramEditor::RefreshMessageNumbers() {
  std::fill(std::begin(m_bMessageNumberUsed), std::end(m_bMessageNumberUsed), 0);
  for (CBlockObj* block : m_pDoc->m_blocks) {
    const auto* text = dynamic_cast<const CBlockMSGTEXT*>(block);
    if (!text) continue;
    const int number = text->GetPriority();
    if (number >= 0 && number < kMessageNumberCount) m_bMessageNumberUsed[number] = 1;
  }
}

// ---- Placing -----------------------------------------------------------------------------------

std::unique_ptr<CBlockObj> CDiagramEditor::PlaceNewBlock(int typeCode, CPoint p) {
  const bool functionBlock = CZaradDoc::GetTypeClass(static_cast<UINT>(typeCode)) == 2;
  auto refuseType = [&] {
    if (const UINT id = TypeLimitMessage(typeCode)) AfxMessageBox(id, MB_ICONSTOP);
    return nullptr;
  };
  if (functionBlock) {
    if (m_pDoc->CountFunctionBlocks() >= kMaxFunctionBlocks) {
      CString text;
      text.Format(LoadString(IDS_TOO_MANY_BLOCKS).GetString(), kMaxFunctionBlocks);
      AfxMessageBox(text, MB_ICONSTOP);
      return nullptr;
    }
    if ((typeCode == kTypeMessageText || typeCode == kTypeShiftRegister || typeCode == kTypeAnalogFilter) &&
        !m_pDoc->CheckTypeLimit(static_cast<UINT>(typeCode), nullptr)) {
      return refuseType();
    }
  } else {
    TypeLimitQuery none;
    if (!m_pDoc->CheckTypeLimit(static_cast<UINT>(typeCode), &none)) return refuseType();
  }
  if (!IsPlaceableType(typeCode)) return nullptr;
  std::unique_ptr<CBlockObj> block = MakeBlockOfType(typeCode, BlockContext::For(m_pDoc, GetSimulatedTime()));
  if (!block) return nullptr;
  if (const int cost = GetModelMemoryCost(typeCode, m_pDoc->m_wModelCode))
    block->m_wMemSize = static_cast<WORD>(cost);
  // The budget is tested with the catalogue's figure for placing the type, but
  // never with less than the block's own cost word, which the program size and
  // the image count: a block costing more than its figure must not overrun.
  const int cost = std::max<int>(block->m_wMemSize, GetPlacementCheckCost(typeCode, m_pDoc->m_wModelCode));
  if (functionBlock && m_pDoc->GetProgramMemorySize() + cost >= kProgramMemoryLimit) {
    AfxMessageBox(IDS_NO_RESOURCES, MB_ICONSTOP);
    return nullptr;
  }
  if (auto* text = dynamic_cast<CBlockMSGTEXT*>(block.get())) {
    for (int n = 0; n < kMessageNumberCount; ++n) {
      if (m_bMessageNumberUsed[n]) continue;
      m_bMessageNumberUsed[n] = 1;
      text->SetPriority(n);
      break;
    }
  }
  block->m_nWidth = kBlockWidth;
  block->m_nHeight = block->m_nInputs == 4 ? kBlockHeight4 : kBlockHeight;
  int x = p.x - kPlaceOffsetX;
  if (m_pDoc->IsLadder()) {
    if (const CBlockObj* bus = m_pDoc->m_powerBus.GetHead()) {
      const int busRight = bus->m_ptPos.x + bus->m_nWidth;
      if (p.x - kBusClearance <= busRight) x = busRight + kBusPlacement;
    }
  }
  block->m_ptPos = CPoint(x, p.y);
  block->m_ptDragStart = block->m_ptPos;
  return block;
}

void CDiagramEditor::PlaceAt(CPoint p) {
  CPoint pulled = p;
  if (m_nPaletteType > 100 && !CheckPointInBase(&pulled)) {
    m_nEditMode = MODE_SELECT;
    return;
  }
  if (CBlockObj* owner = FindBlockWithPinsAt(*m_pDoc, p)) {
    const int pin = HitTestPin(owner, p);
    if (pin >= 0) {
      const bool canStart =
          m_pDoc->IsLadder() || pin >= kFirstOutputPin || owner->m_nSource[pin] == LINK_OPEN;
      if (canStart) {
        m_bDragWire = 1;
        ConnectPins(p, owner, pin);
        if (!IsWireInProgress()) m_bDragWire = 0;
      }
      return;
    }
  }
  if (FindBlockAt(*m_pDoc, p) || FindConnectionAt(*m_pDoc, p)) return;
  std::unique_ptr<CBlockObj> made = PlaceNewBlock(m_nPaletteType, pulled);
  if (!made) return;
  ClearSelection(SEL_ALL);
  CBlockObj* block = m_pDoc->AddBlock(std::move(made));
  SaveSnapshot();
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  if (dynamic_cast<CBlockMake*>(block) || dynamic_cast<CBlockAContact*>(block)) {
    // A contact is useless until its operand is set: its properties open at once.
    ClearSelection(SEL_ALL);
    m_pCurBlock = block;
    if (m_pHost) m_pHost->OpenBlockProperties();
  }
  InvalidateDiagram();
}

// ---- References ---------------------------------------------------------------------------------

void CDiagramEditor::RemoveReferencesToBlock(const CBlockObj* target) {
  const bool newer = m_pDoc->IsNewerFamily();
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (b == target) continue;
    if (auto* log = dynamic_cast<CBlockDataLog*>(b)) {
      std::erase_if(log->m_items, [&](const DataLogItem& item) { return item.m_pBlock == target; });
      log->m_nParam10 = static_cast<int>(log->m_items.size());
    } else if (newer) {
      ReleaseNewerSeries(b, target);
    } else if ((b->m_nType == kTypeDPR || b->m_nType == kTypeDDR || b->m_nType == kTypePLR ||
                b->m_nType == kTypeCOUNTER) &&
               (b->m_bUseRef[0] || b->m_bUseRef[1])) {
      if (dynamic_cast<CBlockCOUNTER*>(b)) {
        ReleaseSlot(b, target, 0, 0);
        ReleaseSlot(b, target, 1, 0);
      } else {
        ReleaseTimeSlot(b, target, 0);
      }
    }
    // Whatever the rules above left: no block keeps a reference to a block that goes.
    for (int k = 0; k < kRefCount; ++k) {
      if (b->m_pRef[k] != target) continue;
      b->m_pRef[k] = nullptr;
      b->m_bUseRef[k] = 0;
      b->m_nRefNumber[k] = -1;
    }
  }
}

void CDiagramEditor::RemoveMsgTextRefsToBlock(const CBlockObj* block) {
  for (CBlockObj* b : m_pDoc->m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
    if (!text || b == block) continue;
    ForEachElementList(text, [&](CBlockMSGTEXT::ElementList& list) {
      std::erase_if(list, [&](const std::unique_ptr<CWidget>& e) { return e && e->m_pBlock == block; });
    });
  }
}

void CDiagramEditor::RemoveMsgTextRefsByNumber(int number) {
  for (CBlockObj* b : m_pDoc->m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
    if (!text) continue;
    ForEachElementList(text, [&](CBlockMSGTEXT::ElementList& list) {
      std::erase_if(list, [&](const std::unique_ptr<CWidget>& e) {
        return e && e->m_pBlock == nullptr && e->m_nNumber == number;
      });
    });
  }
}

void CDiagramEditor::RefreshMsgTextRefNumbers() {
  for (CBlockObj* b : m_pDoc->m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
    if (!text) continue;
    ForEachElementList(text, [&](CBlockMSGTEXT::ElementList& list) {
      for (auto& e : list) {
        if (e && e->m_pBlock && m_pDoc->m_blocks.Contains(e->m_pBlock)) e->m_nNumber = e->m_pBlock->m_nNumber;
      }
    });
  }
}

// ---- Numbering ----------------------------------------------------------------------------------

void CDiagramEditor::SyncConnectionNumbers() {
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    if (w->m_pStartBlock) w->m_nStartNumber = w->m_pStartBlock->m_nNumber;
    if (w->m_pEndBlock) w->m_nEndNumber = w->m_pEndBlock->m_nNumber;
    if (w->m_pStartBlock && w->m_nStartPin >= 0 && w->m_nStartPin < kPinCount)
      w->m_pStartBlock->m_nSource[w->m_nStartPin] = w->m_nEndNumber;
    if (w->m_pEndBlock && w->m_nEndPin >= 0 && w->m_nEndPin < kPinCount)
      w->m_pEndBlock->m_nSource[w->m_nEndPin] = w->m_nStartNumber;
  }
}

void CDiagramEditor::RefreshConnectionNumbers(int oldNumber) {
  // The other end of each wire learns the block's new number at its pin.
  for (CConnectLineObj* w : m_pDoc->m_connections) {
    if (w->m_nStartNumber == oldNumber && w->m_pStartBlock) {
      w->m_nStartNumber = w->m_pStartBlock->m_nNumber;
      if (w->m_pEndBlock && w->m_nEndPin >= 0 && w->m_nEndPin < kPinCount)
        w->m_pEndBlock->m_nSource[w->m_nEndPin] = w->m_nStartNumber;
    }
    if (w->m_nEndNumber == oldNumber && w->m_pEndBlock) {
      w->m_nEndNumber = w->m_pEndBlock->m_nNumber;
      if (w->m_pStartBlock && w->m_nStartPin >= 0 && w->m_nStartPin < kPinCount)
        w->m_pStartBlock->m_nSource[w->m_nStartPin] = w->m_nEndNumber;
    }
  }
}

void CDiagramEditor::RenumberFunctionBlocks() {
  int next = kFirstFunctionBlockNumber;
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (IsFunctionBlock(b)) b->m_nNumber = next++;
  }
  SyncConnectionNumbers();
  for (CBlockObj* b : m_pDoc->m_blocks) {
    if (auto* log = dynamic_cast<CBlockDataLog*>(b)) log->RefreshBlockItems();
  }
  m_pDoc->SetModifiedFlag(true);
}

// ---- Delete ---------------------------------------------------------------------------------------

void CDiagramEditor::DeleteSelection() {
  CZaradDoc& doc = *m_pDoc;
  for (CBlockObj* b : doc.m_blocks) b->m_bMark = 0;
  for (CConnectLineObj* w : doc.m_connections) w->m_bMark = 0;
  std::vector<CBlockObj*> blocks;
  auto markBlock = [&](CBlockObj* b) {
    if (!b || b->m_bMark || !doc.m_blocks.Contains(b)) return;
    b->m_bMark = 1;
    blocks.push_back(b);
  };
  auto partnerOf = [&](const CBlockObj* half) -> CBlockObj* {
    if (half->m_nType == kTypeFemaleConnector)
      return doc.FindBlockByNumber(half->m_nNumber - kFemaleNumberOffset);
    return doc.FindBlockByNumber(half->m_nNumber + kFemaleNumberOffset);
  };
  // 1. The selected blocks, connector halves with their partners.
  for (CBlockObj* b : doc.m_blocks) {
    if (!b->m_bSelected) continue;
    markBlock(b);
    if (IsConnectorHalf(b)) markBlock(partnerOf(b));
  }
  // 2. Ladder: the contacts of a deleted coil or element go with it.
  if (doc.IsLadder()) {
    const size_t count = blocks.size();
    for (size_t i = 0; i < count; ++i) {
      const CBlockObj* owner = blocks[i];
      if (IsConnectorHalf(owner) || IsContact(owner)) continue;
      for (CBlockObj* c : doc.m_blocks) {
        if (IsContact(c) && !c->m_bMark && c->m_nOperand == owner->m_nNumber) markBlock(c);
      }
    }
  }
  // 3. The wires: selected, or at a marked block; a separated wire goes as a whole.
  std::vector<CConnectLineObj*> wires;
  auto markWire = [&](CConnectLineObj* w) {
    if (!w || w->m_bMark) return;
    w->m_bMark = 1;
    wires.push_back(w);
  };
  for (CConnectLineObj* w : doc.m_connections) {
    if (w->m_bSelected || (w->m_pStartBlock && w->m_pStartBlock->m_bMark) ||
        (w->m_pEndBlock && w->m_pEndBlock->m_bMark)) {
      markWire(w);
    }
  }
  for (size_t i = 0; i < wires.size(); ++i) {
    CBlockObj* half = wires[i]->m_pEndBlock;
    if (!IsConnectorHalf(half) || half->m_bSelected) continue;
    markBlock(half);
    CBlockObj* partner = partnerOf(half);
    markBlock(partner);
    if (partner) markWire(FindConnectorConnection(doc, partner));
    for (CConnectLineObj* w : doc.m_connections) {
      if (w->m_pStartBlock == half || w->m_pEndBlock == half ||
          (partner && (w->m_pStartBlock == partner || w->m_pEndBlock == partner)))
        markWire(w);
    }
  }
  // 4. The wires go; a pin that no wire holds any more is open again.
  for (CConnectLineObj* w : wires) {
    auto release = [&](CBlockObj* b, int pin) {
      if (!b || pin < 0 || pin >= kPinCount) return;
      bool shared = false;
      for (CConnectLineObj* other : doc.m_connections) {
        if (other == w) continue;
        if ((other->m_pStartBlock == b && other->m_nStartPin == pin) ||
            (other->m_pEndBlock == b && other->m_nEndPin == pin)) {
          shared = true;
          break;
        }
      }
      if (!shared) b->m_nSource[pin] = pin < kFirstOutputPin ? LINK_OPEN : 0;
    };
    release(w->m_pStartBlock, w->m_nStartPin);
    release(w->m_pEndBlock, w->m_nEndPin);
    ForgetConnection(w);
    RemoveConnection(doc, w).reset();
  }
  // 5. The blocks go, with what names them. Their referrers are found in one
  // table (the steps only clear pointers and change no operand meanwhile).
  bool functionBlockDeleted = false;
  std::optional<CBlockDetachBatch> detaching;
  if (blocks.size() > 1) detaching.emplace(doc);
  for (CBlockObj* b : blocks) {
    if (IsFunctionBlock(b)) {
      functionBlockDeleted = true;
      RemoveReferencesToBlock(b);
      RemoveMsgTextRefsToBlock(b);
    } else if (doc.IsNewerFamily()) {
      if (IsAnyOf<CBlockAnalogIn, CBlockIn, CBlockOut, CBlockFlag, CBlockFKey, CBlockShift, CBlockAnalogFlag>(
              b)) {
        RemoveMsgTextRefsToBlock(b);
      } else if (InOperandRanges(b->m_nOperand)) {
        const int op = b->m_nOperand;
        const auto users = std::count_if(doc.m_blocks.begin(), doc.m_blocks.end(),
                                         [op](const CBlockObj* o) { return o->m_nOperand == op; });
        if (users == 1) RemoveMsgTextRefsByNumber(op);
      }
    }
    if (const auto* text = dynamic_cast<const CBlockMSGTEXT*>(b)) {
      const int n = text->GetPriority();
      if (n >= 0 && n < kMessageNumberCount) m_bMessageNumberUsed[n] = 0;
    }
    ForgetBlock(b);
    if (m_pCurBlock == b) m_pCurBlock = nullptr;
    doc.DetachBlock(b).reset();
  }
  detaching.reset();
  // 6. Function-block numbers stay dense from 9000.
  if (functionBlockDeleted) {
    std::vector<std::pair<CBlockObj*, CBlockObj*>> contacts;
    if (doc.IsLadder()) {
      for (CBlockObj* c : doc.m_blocks) {
        const bool make = c->m_nType == kTypeMakeContact || c->m_nType == kTypeBreakContact;
        const bool analog = c->m_nType == kTypeAnalogContact && c->m_nOperand >= kFirstFunctionBlockNumber &&
                            c->m_nOperand <= kLastFunctionBlockNumber;
        if (make || analog) contacts.emplace_back(c, doc.FindBlockByNumber(c->m_nOperand));
      }
    }
    RenumberFunctionBlocks();
    for (auto& [contact, target] : contacts) {
      if (target && target->m_nNumber != contact->m_nOperand) contact->m_nOperand = target->m_nNumber;
    }
    RefreshMsgTextRefNumbers();
    doc.SetModifiedFlag(true);
  }
  // 7. The selected comments.
  for (CBlockComment* c : std::vector<CBlockComment*>(m_selComments)) {
    ForgetComment(c);
    doc.m_comments.Detach(c).reset();
    doc.SetModifiedFlag(true);
  }
  if (!wires.empty() || !blocks.empty()) doc.SetModifiedFlag(true);
  // 8. Nothing is selected or current any more.
  ClearSelection(SEL_ALL);
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  InvalidateDiagram();
}

// ---- Undo, redo, align, select all ------------------------------------------------------------

void CDiagramEditor::Undo() {
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  ClearSelection(SEL_ALL);
  m_pDoc->m_undo.Undo();
  UpdateScrollSizes();
  RefreshMessageNumbers();
  InvalidateDiagram();
  // The snapshot may hold another model: the status bar names the one now shown.
  if (m_pHost) m_pHost->ShowModelName(m_pDoc->GetModelPaneText());
}

void CDiagramEditor::Redo() {
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  ClearSelection(SEL_ALL);
  m_pDoc->m_undo.Redo();
  UpdateScrollSizes();
  RefreshMessageNumbers();
  InvalidateDiagram();
  // The snapshot may hold another model: the status bar names the one now shown.
  if (m_pHost) m_pHost->ShowModelName(m_pDoc->GetModelPaneText());
}

void CDiagramEditor::AlignSelection(int horizontal) {
  if (m_selBlocks.empty()) return;
  const CPoint target = m_selBlocks.front()->m_ptPos;
  const std::vector<CBlockObj*> blocks = m_selBlocks;
  const std::vector<CConnectLineObj*> wires = m_selConnections;
  const std::vector<CBlockComment*> comments = m_selComments;
  for (CConnectLineObj* w : wires) w->m_bSelected = 0;
  for (CBlockObj* b : blocks) b->m_bSelected = 0;
  for (CBlockComment* c : comments) c->m_bSelected = 0;
  // MoveSelection moves what is flagged: each object alone, with its lists saved aside.
  m_selBlocks.clear();
  m_selConnections.clear();
  m_selComments.clear();
  bool moved = false;
  auto step = [&](CPoint pos) {
    return horizontal ? CSize(0, target.y - pos.y) : CSize(target.x - pos.x, 0);
  };
  for (CBlockObj* b : blocks) {
    const CSize d = step(b->m_ptPos);
    if (d.cx == 0 && d.cy == 0) continue;
    b->m_bSelected = 1;
    m_selBlocks = {b};
    MoveSelection(d);
    b->m_bSelected = 0;
    m_selBlocks.clear();
    moved = true;
  }
  for (CBlockComment* c : comments) {
    const CSize d = step(c->m_ptPos);
    if (d.cx == 0 && d.cy == 0) continue;
    c->m_ptPos += d;
    moved = true;
  }
  for (CConnectLineObj* w : wires) w->m_bSelected = 1;
  for (CBlockObj* b : blocks) b->m_bSelected = 1;
  for (CBlockComment* c : comments) c->m_bSelected = 1;
  m_selBlocks = blocks;
  m_selConnections = wires;
  m_selComments = comments;
  if (moved) {
    InvalidateDiagram();
    SaveSnapshot();
  }
}

void CDiagramEditor::SelectAll() {
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  ClearSelection(SEL_ALL);
  for (CBlockObj* b : m_pDoc->m_blocks) SelectBlock(b);
  for (CConnectLineObj* w : m_pDoc->m_connections) SelectConnection(w);
  for (CBlockComment* c : m_pDoc->m_comments) SelectComment(c);
  InvalidateDiagram();
}

void CDiagramEditor::OnEscape() {
  if (m_nEditMode == MODE_CONNECT || m_bDragWire) {
    CancelWiring();
  } else if (IsSimulating()) {
    LeaveSimulation();
  }
  m_nEditMode = MODE_SELECT;
  SetCursor(CURSOR_ARROW);
}

void CDiagramEditor::SetPageLayout(int across, int down) {
  m_pDoc->m_rcDiagram.right = m_pDoc->m_rcDiagram.left + m_pDoc->m_sizePage.cx * across;
  m_pDoc->m_rcDiagram.bottom = m_pDoc->m_rcDiagram.top + m_pDoc->m_sizePage.cy * down;
  m_pDoc->m_nPagesAcross = across;
  m_pDoc->m_nPagesDown = down;
  // A ladder's power bus runs down the whole base.
  m_pDoc->MakePowerBus();
  m_pDoc->SetModifiedFlag(true);
  UpdateScrollSizes();
  InvalidateDiagram();
}
