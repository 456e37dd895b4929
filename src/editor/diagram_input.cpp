// Mouse and keyboard input of the editor core: what each press, release,
// double click, move and key does in each tool mode. The view hands every
// event over in diagram units.
#include "blocks/analog_range_tracer.h"
#include "editor/command_table.h"
#include "editor/diagram_editor.h"
#include "editor/sim_bar_items.h"
#include "model/block_codes.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/resource_ids.h"

namespace {

bool IsConnectorHalf(const CBlockObj* b) {
  return b && IsConnectorType(b->m_nType);
}

}  // namespace

bool CDiagramEditor::IsLockedOrSimulating() const {
  return m_pDoc->m_bLocked || IsSimulating();
}

void CDiagramEditor::SetCursor(int cursor) {
  m_nCursor = cursor;
  if (m_pHost) m_pHost->SetViewCursor(cursor);
}

// ---- Left button ----------------------------------------------------------------------------

void CDiagramEditor::OnLButtonDown(CPoint p, UINT flags) {
  if (m_pDoc->m_bLocked) return;
  m_ptLastClick = p;
  switch (m_nEditMode) {
    case MODE_SELECT:
      m_nEditMode = SelectAtPoint(p, flags);
      break;
    case MODE_PLACE_BLOCK:
      PlaceAt(p);
      break;
    case MODE_CONNECT:
      // The press picks the source pin, the release the target.
      if (!IsWireInProgress()) ConnectPins(p);
      break;
    case MODE_CUT_JOIN:
      CutJoinAt(p);
      InvalidateDiagram();
      break;
    case MODE_INSERT_COMMENT:
      InsertCommentAt(p);
      break;
    case MODE_SIMULATION:
      SimulationClick(p);
      break;
    default:
      break;
  }
  m_ptLastMouse = p;
}

void CDiagramEditor::OnLButtonUp(CPoint p, UINT /*flags*/) {
  switch (m_nEditMode) {
    case MODE_PLACE_BLOCK:
      if (m_pCurBlock) m_pCurBlock->m_bSelected = 0;
      m_pCurBlock = nullptr;
      ClearSelection(SEL_ALL);
      if (IsWireInProgress()) {
        if (m_bDragWire && !FindBlockAt(*m_pDoc, p)) {
          ConnectPins(p);
        } else {
          CancelWiring();
        }
      }
      InvalidateDiagram();
      break;
    case MODE_CONNECT:
      if (FindBlockAt(*m_pDoc, p)) {
        CancelWiring();
      } else if (IsWireInProgress()) {
        ConnectPins(p);
      }
      break;
    case MODE_MOVE_BLOCKS:
    case MODE_MOVE_COMMENTS:
      EndDrag();
      m_nEditMode = MODE_SELECT;
      break;
    case MODE_MOVE_WIRE:
      EndWireDrag(p);
      m_nEditMode = MODE_SELECT;
      break;
    case MODE_SELECT_RECT:
      m_nEditMode = MODE_SELECT;
      InvalidateDiagram();
      break;
    case MODE_SIMULATION:
      SimulationRelease(p);
      break;
    default:
      break;
  }
}

// ---- Simulation clicks ----------------------------------------------------------------------

namespace {

constexpr int kSimModeMake = 1;
constexpr int kSimModeBreak = 2;
constexpr int kSimModeFrequency = 3;

bool IsDigitalInputOperand(int number) {
  return (number >= kFirstInputOperand && number <= kLastInputOperand) ||
         (number >= kFirstFunctionKeyOperand && number <= kLastFunctionKeyOperand);
}

bool IsInputBlock(const CBlockObj* b) {
  return b->m_nType == kTypeInput || b->m_nType == kTypeFunctionKey;
}

bool IsSwitchContact(const CBlockObj* b) {
  return (b->m_nType == kTypeMakeContact || b->m_nType == kTypeBreakContact) &&
         IsDigitalInputOperand(b->m_nOperand);
}

void SetContact(CBlockObj* b, int state) {
  b->m_nContactState = state;
  b->m_nValue[kFirstOutputPin] = state ? b->m_nValue[0] : 0;
}

}  // namespace

void CDiagramEditor::SimulationClick(CPoint p) {
  CBlockObj* b = FindBlockAt(*m_pDoc, p);
  if (b == nullptr) {
    if (m_pHost) m_pHost->CloseValuePopup();
    return;
  }
  if (IsInputBlock(b) || b->m_nType == kTypeMakeContact || b->m_nType == kTypeBreakContact) {
    if (!IsInputBlock(b) && !IsSwitchContact(b)) return;
    if (SimModeOfInput(m_pDoc, b) == kSimModeFrequency) {
      if (m_pHost) m_pHost->OpenValuePopup(b);
      return;
    }
    if (m_driver.GetSimRunState() != SIM_RUNNING || m_driver.GetSimStepState() == SIM_STEP_STEPPING) return;
    const int on = IsInputBlock(b) ? b->m_nValue[kFirstOutputPin] : b->m_nContactState;
    SetSimInput(b, on ? 0 : 1);
    return;
  }
  const bool freeAnalogContact =
      b->m_nType == kTypeAnalogContact && m_pDoc->FindBlockByNumber(b->m_nOperand) == nullptr;
  if (b->m_nType == kTypeAnalogInput || freeAnalogContact) {
    if (m_pHost) m_pHost->OpenValuePopup(b);
    return;
  }
  if (b->m_nType != kTypeAnalogContact && m_pHost) m_pHost->CloseValuePopup();
}

void CDiagramEditor::SetSimInput(CBlockObj* b, int on) {
  if (b == nullptr) return;
  on = on ? 1 : 0;
  if (IsInputBlock(b)) {
    b->m_nValue[kFirstOutputPin] = on;
    b->m_nValue[0] = on;
    b->m_bChanged[kFirstOutputPin] = 1;
  } else if (b->m_nType == kTypeMakeContact || b->m_nType == kTypeBreakContact) {
    SetContact(b, on);
    // Every element on the operand follows: the same kind alike, the other kind opposite.
    for (CBlockObj* other : m_pDoc->m_blocks) {
      if (other == b || other->m_nOperand != b->m_nOperand) continue;
      if (other->m_nType != kTypeMakeContact && other->m_nType != kTypeBreakContact) continue;
      SetContact(other, other->m_nType == b->m_nType ? on : 1 - on);
    }
  }
  InvalidateDiagram();
}

void CDiagramEditor::SimulationRelease(CPoint p) {
  CBlockObj* b = FindBlockAt(*m_pDoc, p);
  if (b == nullptr || !IsInputBlock(b)) return;
  const int mode = b->m_nParam26;
  if (mode != kSimModeMake && mode != kSimModeBreak) return;
  b->m_nValue[kFirstOutputPin] = mode == kSimModeMake ? 0 : 1;
  b->m_bChanged[kFirstOutputPin] = 1;
  InvalidateDiagram();
}

void CDiagramEditor::OnLButtonDblClk(CPoint p, UINT /*flags*/) {
  if (m_pDoc->m_bLocked) return;
  m_pCurBlock = FindBlockAt(*m_pDoc, p);
  if (IsSimulating() && m_pCurBlock) {
    // Inputs, keys, analog inputs and the contacts that stand for them are
    // operated by single clicks: a double click opens no sheet.
    const int type = m_pCurBlock->m_nType;
    if (IsInputBlock(m_pCurBlock) || IsSwitchContact(m_pCurBlock) || type == kTypeAnalogInput ||
        type == kTypeAnalogContact) {
      m_pCurBlock = nullptr;
      return;
    }
    ClearSelection(SEL_ALL);
    SelectBlock(m_pCurBlock);
  }
  if (!m_pCurBlock) {
    // A comment under the pointer is the one whose sheet opens.
    if (CBlockComment* comment = FindCommentAt(*m_pDoc, p)) {
      ClearSelection(SEL_ALL);
      SelectComment(comment);
      m_pCurComment = comment;
    }
  }
  if (m_pCurBlock) {
    if (m_pHost) m_pHost->OpenBlockProperties();
    if (!IsSimulating() && m_nEditMode != MODE_PLACE_BLOCK) m_nEditMode = MODE_SELECT;
  } else if (m_pCurComment) {
    if (m_pHost) m_pHost->OpenBlockProperties();
    if (!IsSimulating() && m_nEditMode != MODE_INSERT_COMMENT) m_nEditMode = MODE_SELECT;
  } else if (!m_pDoc->IsLadder()) {
    CBlockObj* owner = FindBlockWithPinsAt(*m_pDoc, p);
    if (owner && owner->m_nNumber >= kFirstFunctionBlockNumber &&
        owner->m_nNumber <= kLastFunctionBlockNumber) {
      if (m_nEditMode == MODE_CONNECT || m_nEditMode == MODE_PLACE_BLOCK) {
        CancelWiring();
      } else if (m_nEditMode == MODE_SELECT) {
        const int pin = HitTestPin(owner, p);
        if (pin >= 0 && pin < kFirstOutputPin && owner->m_nPinType[pin] == PIN_DIGITAL) {
          owner->m_bInvert[pin] = owner->m_bInvert[pin] ? 0 : 1;
          SaveSnapshot();
        }
      }
    }
  }
  InvalidateDiagram();
}

// ---- Right button ------------------------------------------------------------------------------

void CDiagramEditor::RightClickPick(CPoint p) {
  CBlockObj* block = FindBlockAt(*m_pDoc, p);
  CConnectLineObj* wire = block ? nullptr : FindConnectionAt(*m_pDoc, p);
  CBlockComment* comment = (block || wire) ? nullptr : FindCommentAt(*m_pDoc, p);
  if (block) {
    if (!block->m_bSelected) {
      ClearSelection(SEL_ALL);
      m_pCurBlock = block;
      m_pCurConnection = nullptr;
      m_pCurComment = nullptr;
      SelectBlock(block);
    }
    SetRightClickHits(true, false, false);
  } else if (wire) {
    if (!wire->m_bSelected) {
      ClearSelection(SEL_ALL);
      m_pCurConnection = wire;
      m_pCurBlock = nullptr;
      m_pCurComment = nullptr;
      SelectConnection(wire);
    }
    SetRightClickHits(false, true, false);
  } else if (comment) {
    if (!comment->m_bSelected) {
      ClearSelection(SEL_ALL);
      m_pCurComment = comment;
      m_pCurBlock = nullptr;
      m_pCurConnection = nullptr;
      SelectComment(comment);
    }
    SetRightClickHits(false, false, true);
  } else {
    ClearSelection(SEL_ALL);
    SetRightClickHits(false, false, false);
    m_pCurBlock = nullptr;
    m_pCurConnection = nullptr;
  }
  InvalidateDiagram();
}

void CDiagramEditor::RightClickPasses(CPoint p) {
  // 1. Connections.
  CConnectLineObj* wire = FindConnectionAt(*m_pDoc, p);
  m_pCurConnection = wire;
  if (wire) {
    if (!(wire->m_bSelected && !m_selConnections.empty())) {
      ClearSelection(SEL_ALL);
      SelectConnection(wire);
    }
    m_bRClickConnection = 1;
  } else {
    m_bRClickConnection = 0;
    if (m_selConnections.empty() || !FindBlockAt(*m_pDoc, p)) ClearSelection(SEL_CONNECTIONS);
  }
  // 2. Blocks.
  CBlockObj* block = FindBlockAt(*m_pDoc, p);
  m_pCurBlock = block;
  if (block) {
    if (!(block->m_bSelected && !m_selBlocks.empty())) {
      ClearSelection(SEL_ALL);
      SelectBlock(block);
    }
    m_bRClickBlock = 1;
  } else {
    m_bRClickBlock = 0;
    if (!wire) ClearSelection(SEL_BLOCKS);
  }
  // 3. Comments.
  CBlockComment* comment = FindCommentAt(*m_pDoc, p);
  m_pCurComment = comment;
  if (comment) {
    if (!(comment->m_bSelected && !m_selComments.empty())) {
      ClearSelection(SEL_ALL);
      SelectComment(comment);
    }
    m_bRClickComment = 1;
  } else {
    m_bRClickComment = 0;
    if (!wire) ClearSelection(SEL_COMMENTS);
  }
  InvalidateDiagram();
}

void CDiagramEditor::OnRButtonDown(CPoint p, UINT /*flags*/) {
  if (m_pDoc->m_bLocked) return;
  m_ptLastClick = p;
  switch (m_nEditMode) {
    case MODE_PLACE_BLOCK:
    case MODE_CONNECT:
    case MODE_INSERT_COMMENT:
    case MODE_CUT_JOIN:
      RightClickPick(p);
      break;
    case MODE_MOVE_BLOCKS:
    case MODE_MOVE_WIRE:
      // The drag is abandoned where it stands.
      m_nEditMode = MODE_SELECT;
      SetRightClickHits(false, false, false);
      break;
    default:
      // A right click in simulation closes the analog value pop-up first.
      if (IsSimulating() && m_pHost) m_pHost->CloseValuePopup();
      RightClickPasses(p);
      break;
  }
}

void CDiagramEditor::OnRButtonUp(CPoint p, UINT /*flags*/) {
  if (m_nEditMode == MODE_CONNECT || (m_nEditMode == MODE_PLACE_BLOCK && m_bDragWire)) {
    CancelWiring();
    return;
  }
  if (m_nEditMode == MODE_SELECT) {
    if (m_pCurConnection && m_pCurConnection->m_bEndDrag) {
      EndWireDrag(p);
      m_bRClickConnection = 1;
    } else if (!m_pCurConnection && m_selBlocks.size() == 1 && m_pCurBlock) {
      m_bRClickBlock = 1;
    }
  }
  InvalidateDiagram();
}

int CDiagramEditor::ChooseContextMenu() {
  const size_t selected = m_selBlocks.size() + m_selConnections.size() + m_selComments.size();
  if (!m_bRClickBlock && !m_bRClickConnection && !m_bRClickComment) return POPUP_EDIT_EMPTY;
  if (selected >= 2) return POPUP_EDIT_MULTI;
  if (m_bRClickBlock) {
    if (!m_pCurBlock) return POPUP_NONE;
    if (IsConnectorHalf(m_pCurBlock)) {
      ClearSelection(SEL_CONNECTIONS);
      m_pCurConnection = nullptr;
      return POPUP_GO_TO_PARTNER;
    }
    return POPUP_EDIT;
  }
  if (m_bRClickComment) return m_pCurComment ? POPUP_EDIT : POPUP_NONE;
  if (!m_pCurConnection) return POPUP_NONE;
  if (IsConnectorHalf(m_pCurConnection->m_pEndBlock)) {
    ClearSelection(SEL_BLOCKS);
    m_pCurBlock = nullptr;
    return POPUP_JOIN;
  }
  return POPUP_CLIP;
}

// ---- Mouse move ---------------------------------------------------------------------------------

void CDiagramEditor::OnMouseMove(CPoint p, UINT flags) {
  if (IsSimulating()) return;
  const bool left = (flags & MK_LBUTTON) != 0;
  const bool dragging = ((m_nEditMode == MODE_CONNECT || m_bDragWire) && IsWireInProgress()) ||
                        m_nEditMode == MODE_MOVE_BLOCKS || m_nEditMode == MODE_MOVE_COMMENTS ||
                        m_nEditMode == MODE_MOVE_WIRE;
  AutoScroll(dragging, DiagramToClient(p));
  SetMousePoint(*m_pDoc, p.x, p.y);
  ShowPinTip(p);
  const CSize step(p.x - m_ptLastMouse.x, p.y - m_ptLastMouse.y);
  switch (m_nEditMode) {
    case MODE_PLACE_BLOCK:
      if (m_bDragWire) {
        TrackWire(p);
      } else if (FindBlockAt(*m_pDoc, p)) {
        SetCursor(CURSOR_ARROW);
        if (left) MoveSelection(step);
        InvalidateDiagram();
      } else {
        SetCursor(CURSOR_PLACE);
      }
      break;
    case MODE_CONNECT: {
      CBlockObj* owner = FindBlockWithPinsAt(*m_pDoc, p);
      SetCursor(owner && HitTestPin(owner, p) >= 0 ? CURSOR_ON_PIN : CURSOR_WIRE);
      TrackWire(p);
      break;
    }
    case MODE_MOVE_BLOCKS:
    case MODE_MOVE_COMMENTS:
      if (left) {
        MoveSelection(step);
        KeepSelectionInPage(p);
      }
      break;
    case MODE_MOVE_WIRE:
      if (left) WireDragStep(p);
      break;
    case MODE_SELECT_RECT:
      if (left) {
        m_rcBand.right = p.x;
        m_rcBand.bottom = p.y;
        SelectInBand();
        InvalidateDiagram();
      }
      break;
    case MODE_INSERT_COMMENT:
      SetCursor(CURSOR_COMMENT);
      break;
    case MODE_CUT_JOIN:
      SetCursor(CURSOR_CUT_JOIN);
      break;
    default:
      if (m_nCursor != CURSOR_ARROW) SetCursor(CURSOR_ARROW);
      break;
  }
  m_ptLastMouse = p;
}

// ---- Keys -------------------------------------------------------------------------------------------

bool CDiagramEditor::OnKeyDown(UINT key, bool ctrl) {
  auto post = [&](UINT id) {
    if (m_nEditMode == MODE_CONNECT || m_bDragWire) CancelWiring();
    if (m_pHost) m_pHost->PostCommand(id);
    return true;
  };
  switch (key) {
    case VK_ESCAPE:
      // The key repaints; the command does not.
      OnEscape();
      InvalidateDiagram();
      return true;
    case VK_PRIOR:
      ScrollTo(CPoint(m_ptScroll.x, m_ptScroll.y - m_sizePageStep.cy));
      return true;
    case VK_NEXT:
      ScrollTo(CPoint(m_ptScroll.x, m_ptScroll.y + m_sizePageStep.cy));
      return true;
    case VK_HOME:
      if (!ctrl) return false;
      ScrollTo(CPoint(m_ptScroll.x, 0));
      return true;
    case VK_END:
      if (!ctrl) return false;
      ScrollTo(CPoint(m_ptScroll.x, GetMaxScrollPosition().y));
      return true;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
      if (IsLockedOrSimulating()) return false;
      const bool horizontal = key == VK_LEFT || key == VK_RIGHT;
      m_nDragOrientation = horizontal ? 0 : 1;
      CPoint target = m_ptLastMouse;
      if (key == VK_LEFT) --target.x;
      if (key == VK_RIGHT) ++target.x;
      if (key == VK_UP) --target.y;
      if (key == VK_DOWN) ++target.y;
      MoveSelection(CSize(target.x - m_ptLastMouse.x, target.y - m_ptLastMouse.y), key);
      KeepSelectionInPage(target);
      if (HasSelection()) m_pDoc->SetModifiedFlag(true);
      InvalidateDiagram();
      m_ptLastMouse = target;
      return true;
    }
    default: {
      // The keys the view takes before the main window's accelerators post their
      // commands (F3 Simulation, F5 Connect, ...: the command table).
      const CommandInfo* command = FindViewKeyCommand(key, ctrl);
      return command ? post(command->id) : false;
    }
  }
}
