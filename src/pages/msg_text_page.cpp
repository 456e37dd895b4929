#include "pages/msg_text_page.h"

#include <algorithm>

#include "blocks/pictograms.h"
#include "controls/grid_ctrl.h"
#include "model/block_captions.h"
#include "model/name_tables.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_grid_element.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msg_text_rules.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/param_display_width.h"
#include "msgtext/widget.h"
#include "pages/msg_element_dlgs.h"
#include "pages/page_dialog.h"
#include "platform/message_sink.h"

namespace {

constexpr int kRows = 5;
constexpr int kStride = 25;  // the values' cell layout: r x 25 + c
constexpr UINT kHalfMarks = kMsgCellFirstHalf | kMsgCellSecondHalf;

CMsgGridElement* AsMsg(CGridElement* e) {
  return dynamic_cast<CMsgGridElement*>(e);
}

}  // namespace

CMessageTexts_New::CMessageTexts_New() : CMessageTexts_New(false) {}

CMessageTexts_New::CMessageTexts_New(bool older) : m_bOlderPage(older) {
  m_strTitle = u"Parameter";
  m_nSettings[1] = 1;  // set 1 enabled
}

// The grid belongs to the window, which may be gone already.
CMessageTexts_New::~CMessageTexts_New() = default;

CMessageTexts::CMessageTexts() : CMessageTexts_New(true) {}

const PageDesc& CMessageTexts_New::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(400, 262),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 8, 50, 18), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(54, 6, 130, 19)},
          {1353, K::kStatic, u"Priority", CRect(138, 8, 170, 18), kStyleRight},
          {kIdPriority, K::kCombo, u"", CRect(174, 6, 214, 19)},
          {kIdAcknowledge, K::kCheck, u"Acknowledge Message", CRect(224, 4, 330, 14)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(224, 16, 330, 26)},
          {kIdDetails, K::kCheck, u"Show message information in details", CRect(7, 22, 214, 32)},
          {1352, K::kGroup, u"Message Text", CRect(4, 34, 396, 150)},
          {kIdGrid, K::kStatic, u"", CRect(10, 46, 390, 126)},
          {kIdSpecial, K::kButton, u"\u2103", CRect(10, 131, 40, 145)},
          {kIdBarGraph, K::kButton, u"\u2584", CRect(44, 131, 74, 145)},
          {kIdAiFilter, K::kButton, u"AI", CRect(78, 131, 108, 145)},
          {kIdAmFilter, K::kButton, u"AM", CRect(112, 131, 142, 145)},
          WithPicture({kIdScope, K::kButton, u"Scope", CRect(146, 131, 186, 145)}, kIconScope),
          WithPicture({kIdPointer, K::kButton, u"Pointer", CRect(190, 131, 230, 145)}, kIconPointer),
          {kIdScaleTime, K::kButton, u"00:00", CRect(234, 131, 268, 145)},
          {kIdIoStatus, K::kButton, u"ON/OFF", CRect(272, 131, 310, 145)},
          {kIdGraph, K::kButton, u"Graph", CRect(314, 131, 350, 145)},
          {1355, K::kGroup, u"Message Text Setting", CRect(4, 152, 200, 258)},
          {1356, K::kStatic, u"Current character set selection", CRect(10, 162, 190, 171)},
          {kIdSet1, K::kRadio, u"Character set1:", CRect(10, 173, 150, 183), kStyleGroup},
          {kIdEnable1, K::kCheck, u"Enable", CRect(154, 173, 196, 183)},
          {kIdSet2, K::kRadio, u"Character set2:", CRect(10, 186, 150, 196)},
          {kIdEnable2, K::kCheck, u"Enable", CRect(154, 186, 196, 196)},
          {1357, K::kGroup, u"Ticker setting", CRect(8, 200, 196, 254)},
          {kIdTickerChar, K::kRadio, u"Character by character", CRect(14, 211, 104, 221), kStyleGroup},
          {kIdTickerLine, K::kRadio, u"Line by line", CRect(108, 211, 190, 221)},
          {kIdLine1, K::kCheck, u"Line1", CRect(14, 230, 54, 240)},
          {kIdLine2, K::kCheck, u"Line2", CRect(58, 230, 98, 240)},
          {kIdLine3, K::kCheck, u"Line3", CRect(102, 230, 142, 240)},
          {kIdLine4, K::kCheck, u"Line4", CRect(146, 230, 186, 240)},
          {1354, K::kStatic, u"Block", CRect(206, 154, 280, 163)},
          {kIdBlocks, K::kList, u"", CRect(206, 164, 290, 256)},
          {1423, K::kStatic, u"Parameter", CRect(296, 154, 396, 163)},
          {kIdParams, K::kList, u"", CRect(296, 164, 396, 206)},
          {kIdGeneral, K::kList, u"", CRect(296, 208, 396, 240)},
          {kIdInsert, K::kButton, u"Insert Parameter", CRect(296, 243, 396, 257), kStyleDisabled},
      }};
  return desc;
}

const PageDesc& CMessageTexts::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(300, 230),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 8, 50, 18), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(54, 6, 130, 19)},
          {1353, K::kStatic, u"Priority", CRect(138, 8, 170, 18), kStyleRight},
          {kIdPriority, K::kCombo, u"", CRect(174, 6, 214, 19)},
          {kIdAcknowledge, K::kCheck, u"Acknowledge Message", CRect(7, 24, 120, 34)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(130, 24, 240, 34)},
          {1352, K::kGroup, u"Message Text", CRect(4, 38, 296, 130)},
          {kIdGrid, K::kStatic, u"", CRect(10, 50, 290, 124)},
          {1354, K::kStatic, u"Block", CRect(7, 134, 100, 143)},
          {kIdBlocks, K::kList, u"", CRect(7, 144, 140, 226)},
          {1084, K::kStatic, u"Parameter", CRect(150, 134, 296, 143)},
          {kIdParams, K::kList, u"", CRect(150, 144, 296, 184)},
          {kIdGeneral, K::kList, u"", CRect(150, 186, 296, 210)},
          {kIdInsert, K::kButton, u"Insert", CRect(150, 212, 296, 226), kStyleDisabled},
      }};
  return desc;
}

int CMessageTexts_New::LastColumn() const {
  return m_bOlderPage ? kMsgOlderLastColumn : kMsgNewerLastColumn;
}

void CMessageTexts_New::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<MsgTextValues&>(*this) = values.msgtext;
  m_bOlder = m_bOlderPage ? 1 : 0;
}

void CMessageTexts_New::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.msgtext = *this;
  values.msgtext.m_bOlder = m_bOlderPage ? 1 : 0;
}

void CMessageTexts_New::AttachGrid(CGridCtrl* grid) {
  m_pGrid = grid;
  if (!grid) return;
  grid->SetHost(this);
  grid->m_bEditable = TRUE;
  grid->m_bEnableSelection = TRUE;
  grid->m_bAllowDragAndDrop = TRUE;
  grid->SetVirtualMode(FALSE);
  grid->m_pfnCallback = nullptr;
}

CBlockMSGTEXT* CMessageTexts_New::Block() const {
  return Document() ? dynamic_cast<CBlockMSGTEXT*>(Document()->FindBlockByNumber(m_nBlockNumber)) : nullptr;
}

void CMessageTexts_New::Message(const CString& text, UINT icon) const {
  AfxMessageBox(text, icon);
}

// ---- Data exchange and set-up ----------------------------------------------------------

void CMessageTexts_New::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdAcknowledge, m_bAcknowledge);
  DDX_Check(dx, kIdProtection, m_bProtection);
  if (dx.IsSaving()) {
    // The number the selected entry shows; without a selection the block keeps its priority.
    const int sel = dx.Host().GetCurSel(kIdPriority);
    int number = 0;
    if (sel >= 0 && ParseInt(dx.Host().GetItemText(kIdPriority, sel), &number)) m_nPriority = number;
  } else {
    const auto it = std::find(m_slots.begin(), m_slots.end(), m_nPriority);
    dx.Host().SetCurSel(kIdPriority, it == m_slots.end() ? -1 : static_cast<int>(it - m_slots.begin()));
  }
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  if (m_bOlderPage) return;
  DDX_Radio(dx, {kIdSet1, kIdSet2}, CurrentSet());
  if (CurrentSet() < 0) CurrentSet() = 0;
  DDX_Check(dx, kIdEnable1, SetEnabled(0));
  DDX_Check(dx, kIdEnable2, SetEnabled(1));
  const int set = CurrentSet() == 1 ? 1 : 0;
  DDX_Radio(dx, {kIdTickerChar, kIdTickerLine}, TickerMode(set));
  if (TickerMode(set) < 0) TickerMode(set) = 0;
  DDX_Check(dx, kIdLine1, TickerLine(set, 0));
  DDX_Check(dx, kIdLine2, TickerLine(set, 1));
  DDX_Check(dx, kIdLine3, TickerLine(set, 2));
  DDX_Check(dx, kIdLine4, TickerLine(set, 3));
  DDX_Check(dx, kIdDetails, m_nSettings[13]);
}

void CMessageTexts_New::FillPriorities() {
  m_slots.clear();
  CControlHost& host = Host();
  host.ResetContent(kIdPriority);
  if (!Document()) return;
  m_slots = OfferedPrioritySlots(*Document(), m_nBlockNumber);
  for (int slot : m_slots) host.AddString(kIdPriority, FormatString(u"%d", slot));
}

void CMessageTexts_New::FillBlockList() {
  CControlHost& host = Host();
  host.ResetContent(kIdBlocks);
  if (!Document()) return;
  for (const CBlockObj* block : Document()->m_blocks)
    if (IsMsgTextListBlock(*block, !m_bOlderPage)) host.AddString(kIdBlocks, MsgTextBlockEntry(*block));
}

void CMessageTexts_New::OnInitDialog() {
  // The lists the exchange selects from exist before it runs.
  if (Document()) {
    BuildParameterNames();
    FillPriorities();
  }
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  if (m_pGrid) {
    LoadGrid(m_bOlderPage ? 0 : CurrentSet());
    m_pGrid->SetFocusCell(1, 1);
  }
  if (Document()) {
    FillBlockList();
    host.ResetContent(kIdGeneral);
    for (int k = 0; k < 4; ++k)
      host.AddString(kIdGeneral, k < static_cast<int>(g_ParameterNames.size())
                                     ? g_ParameterNames[static_cast<size_t>(k)]
                                     : CString());
    // Clones of the block's elements: the stored groups and the shown set.
    if (CBlockMSGTEXT* block = Block(); block && m_pGrid) {
      for (int line = 0; line < kMsgDisplayLines; ++line) {
        for (int set = 0; set < (m_bOlderPage ? 1 : 2); ++set)
          for (const auto& w : *block->Elements(set, line)) {
            if (m_bOlderPage && !w->m_pBlock) continue;
            auto clone = CMsgGridElement::CloneOf(*w);
            clone->m_bSelected = FALSE;
            m_pGrid->PlaceElement(clone.get());
            m_pGrid->GetElementList(set, line).push_back(std::move(clone));
          }
      }
      CloneGroupToShown(m_bOlderPage ? 0 : CurrentSet());
    }
    ApplyNameRule();
    if (!m_bOlderPage) {
      if (!SetEnabled(0))
        host.Enable(kIdSet1, false);
      else if (!SetEnabled(1))
        host.Enable(kIdSet2, false);
      host.SetText(kIdSet1, CString(u"Character set1:") + CharSetLanguage(Document()->m_nCharSet1));
      host.SetText(kIdSet2, CString(u"Character set2:") + CharSetLanguage(Document()->m_nCharSet2));
    }
  }
  host.SetTip(kIdPriority, u"Higher value is Higher Priority");
  host.SetTip(kIdAcknowledge, u"When enabled,the user must acknowledge message");
  host.SetTip(kIdParams, u"Insert with double-click");
  host.SetTip(kIdGeneral, u"Insert with double-click");
  host.SetTip(kIdInsert, u"Inserts the selected parameter into the message");
  if (!m_bOlderPage) {
    host.SetTip(kIdSpecial, u"Insert special characters");
    host.SetTip(kIdBarGraph, u"Insert a bar graph into the message");
    host.SetTip(kIdAiFilter, u"Insert an AI filter into the message");
    host.SetTip(kIdIoStatus, u"Insert an I/O status name into the message");
    host.SetTip(kIdScaleTime, u"Insert a scale time into the message");
    host.SetTip(kIdAmFilter, u"Insert an AM filter into the message");
    host.SetTip(kIdScope, u"Insert a Scope into the message");
    host.SetTip(kIdPointer, u"Insert a Pointer into the message");
    host.SetTip(kIdGraph, u"Insert a Graph into the message");
  }
}

// ---- The grid's cells ----------------------------------------------------------------------

void CMessageTexts_New::LoadGrid(int set) {
  CGridCtrl& g = *m_pGrid;
  const int cols = Columns();
  g.SetRowCount(kRows);
  g.SetColumnCount(cols);
  g.SetFixedRowCount(1);
  g.SetFixedColumnCount(1);
  const CString* texts = Texts(set);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < cols; ++c) g.SetItemState(r, c, g.GetItemState(r, c) & ~kHalfMarks);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < cols; ++c) {
      const CString& text = texts[r * kStride + c];
      if (!m_bOlderPage && !text.IsEmpty() && IsDoubleWidthChar(text.GetAt(0))) {
        g.SetItemState(r, c, g.GetItemState(r, c) | kMsgCellFirstHalf);
        if (c + 1 < cols) g.SetItemState(r, c + 1, g.GetItemState(r, c + 1) | kMsgCellSecondHalf);
      }
      g.SetItemText(r, c, text);
      g.SetItemBkColour(r, c, kCellColour);
      g.SetItemFgColour(r, c, 0);
    }
  FitGrid();
}

void CMessageTexts_New::FitGrid() {
  if (!m_pGrid) return;
  CGridCtrl& g = *m_pGrid;
  // The header row and column are hidden; the display cells share the window evenly.
  g.SetColumnWidth(0, 0);
  g.SetRowHeight(0, 0);
  const CRect client = g.GetWindow() ? g.GetWindow()->GetClientRect() : CRect(0, 0, 400, 100);
  const int cols = g.GetColumnCount() - 1;
  const int rows = g.GetRowCount() - 1;
  if (cols <= 0 || rows <= 0) return;
  const int width = std::max(8, client.Width() / cols);
  const int height = std::max(12, client.Height() / rows);
  for (int c = 1; c <= cols; ++c) g.SetColumnWidth(c, width);
  for (int r = 1; r <= rows; ++r) g.SetRowHeight(r, height);
  for (int line = 0; line < kMsgDisplayLines; ++line)
    for (auto& e : g.GetShownElements(line)) g.PlaceElement(e.get());
  g.Refresh();
}

void CMessageTexts_New::SaveGrid(int set, bool resetStates) {
  CGridCtrl& g = *m_pGrid;
  CString* texts = Texts(set);
  const int cols = std::min(Columns(), g.GetColumnCount());
  for (int r = 0; r < std::min(kRows, g.GetRowCount()); ++r)
    for (int c = 0; c < cols; ++c) {
      texts[r * kStride + c] = g.GetItemText(r, c);
      if (resetStates) g.SetItemState(r, c, g.GetItemState(r, c) & ~kHalfMarks);
    }
}

void CMessageTexts_New::ReadTicker(int set) {
  CControlHost& host = Host();
  TickerMode(set) = host.GetCheck(kIdTickerChar) ? 0 : 1;
  TickerLine(set, 0) = host.GetCheck(kIdLine1);
  TickerLine(set, 1) = host.GetCheck(kIdLine2);
  TickerLine(set, 2) = host.GetCheck(kIdLine3);
  TickerLine(set, 3) = host.GetCheck(kIdLine4);
}

void CMessageTexts_New::ShowTicker(int set) {
  CControlHost& host = Host();
  host.SetCheck(kIdTickerChar, TickerMode(set) == 0 ? 1 : 0);
  host.SetCheck(kIdTickerLine, TickerMode(set) == 0 ? 0 : 1);
  host.SetCheck(kIdLine1, TickerLine(set, 0));
  host.SetCheck(kIdLine2, TickerLine(set, 1));
  host.SetCheck(kIdLine3, TickerLine(set, 2));
  host.SetCheck(kIdLine4, TickerLine(set, 3));
}

void CMessageTexts_New::MoveShownTo(int group) {
  CGridCtrl& g = *m_pGrid;
  g.SetSelectedElement(nullptr);
  for (int line = 0; line < kMsgDisplayLines; ++line) {
    auto& stored = g.GetElementList(group, line);
    stored.clear();
    for (auto& e : g.GetShownElements(line)) {
      auto clone = e->Clone();
      clone->m_bSelected = FALSE;
      stored.push_back(std::move(clone));
    }
    g.GetShownElements(line).clear();
  }
}

void CMessageTexts_New::CloneGroupToShown(int group) {
  CGridCtrl& g = *m_pGrid;
  g.SetSelectedElement(nullptr);
  for (int line = 0; line < kMsgDisplayLines; ++line) {
    auto& shown = g.GetShownElements(line);
    shown.clear();
    for (auto& e : g.GetElementList(group, line)) {
      auto clone = e->Clone();
      clone->m_bSelected = FALSE;
      g.PlaceElement(clone.get());
      shown.push_back(std::move(clone));
    }
  }
  g.Refresh();
}

int CMessageTexts_New::CountShown(int kind) const {
  int n = 0;
  if (!m_pGrid) return 0;
  for (int line = 0; line < kMsgDisplayLines; ++line)
    for (const auto& e : m_pGrid->GetShownElements(line))
      if (e->m_nKind == kind) ++n;
  return n;
}

std::vector<const CWidget*> CMessageTexts_New::ElementsOfGroup(int group) const {
  std::vector<const CWidget*> out;
  if (!m_pGrid) return out;
  for (int line = 0; line < kMsgDisplayLines; ++line)
    for (const auto& e : m_pGrid->GetElementList(group, line))
      if (const CMsgGridElement* m = AsMsg(e.get())) out.push_back(&m->Widget());
  return out;
}

// ---- Notifications ---------------------------------------------------------------------------

void CMessageTexts_New::OnNotify(int id, Notify code) {
  if (code == Notify::kSelChange) {
    if (id == kIdBlocks) return OnBlockListSelChange();
    if (id == kIdParams || id == kIdGeneral) {
      m_bInsertEnabled = 1;
      Host().Enable(kIdInsert, true);
      Host().SetCurSel(id == kIdParams ? kIdGeneral : kIdParams, -1);
      return;
    }
    if (id == kIdPriority) return SetModified();
  }
  if (code == Notify::kDblClick && (id == kIdParams || id == kIdGeneral)) {
    OnInsertParameter();
    return;
  }
  if (code == Notify::kClicked) {
    switch (id) {
      case kIdInsert:
        OnInsertParameter();
        return;
      case kIdAcknowledge:
      case kIdTickerChar:
      case kIdTickerLine:
      case kIdLine1:
      case kIdLine2:
      case kIdLine3:
      case kIdLine4:
      case kIdDetails:
        return SetModified();
      default:
        break;
    }
    if (!m_bOlderPage) {
      switch (id) {
        case kIdSet1:
        case kIdSet2:
          return OnCharSetSelect(id);
        case kIdEnable1:
        case kIdEnable2:
          return OnCharSetEnable(id);
        case kIdBarGraph:
        case kIdScope:
        case kIdPointer:
          OnInsertBarGraph(id);
          return;
        case kIdScaleTime:
          OnInsertScaleTime();
          return;
        case kIdGraph:
          OnInsertGraph();
          return;
        case kIdIoStatus:
          OnInsertIoStatusName();
          return;
        case kIdAiFilter:
          OnInsertAiFilter(false);
          return;
        case kIdAmFilter:
          OnInsertAiFilter(true);
          return;
        case kIdSpecial:
          OnSpecialChars();
          return;
        default:
          break;
      }
    }
  }
  CBlockParamPage::OnNotify(id, code);
}

void CMessageTexts_New::OnBlockListSelChange() {
  CControlHost& host = Host();
  const int sel = host.GetCurSel(kIdBlocks);
  if (!Document() || sel == m_nLastBlockIndex) return;
  m_bInsertEnabled = 0;
  host.Enable(kIdInsert, false);
  host.ResetContent(kIdParams);
  m_nLastBlockIndex = sel;
  m_pInsertBlock = sel >= 0 ? BlockOfEntry(host.GetItemText(kIdBlocks, sel)) : nullptr;
  if (!m_pInsertBlock) return;
  const int type = m_pInsertBlock->m_nType;
  for (int param : DisplayParamsOf(FindMsgParamRow(type), type, !m_bOlderPage))
    host.AddString(kIdParams, param < static_cast<int>(g_ParameterNames.size())
                                  ? g_ParameterNames[static_cast<size_t>(param)]
                                  : CString());
}

// ---- Character sets ----------------------------------------------------------------------------

void CMessageTexts_New::OnCharSetSelect(int id) {
  const int shown = CurrentSet();
  const int wanted = id == kIdSet2 ? 1 : 0;
  if (wanted == shown || !m_pGrid) return;
  SaveGrid(shown, true);
  ReadTicker(shown);
  MoveShownTo(shown);
  LoadGrid(wanted);
  m_pGrid->SetFocusCell(1, 1);
  ShowTicker(wanted);
  CloneGroupToShown(wanted);
  CurrentSet() = wanted;
  Host().SetCheck(kIdSet1, wanted == 0 ? 1 : 0);
  Host().SetCheck(kIdSet2, wanted == 1 ? 1 : 0);
  SetModified();
}

void CMessageTexts_New::OnCharSetEnable(int id) {
  CControlHost& host = Host();
  const int set = id == kIdEnable2 ? 1 : 0;
  const int other = 1 - set;
  const int otherBox = set == 0 ? kIdEnable2 : kIdEnable1;
  const int radio = set == 0 ? kIdSet1 : kIdSet2;
  const int otherRadio = set == 0 ? kIdSet2 : kIdSet1;
  if (!host.GetCheck(otherBox)) {
    // At least one set stays enabled.
    host.SetCheck(id, 1);
    SetEnabled(set) = 1;
    return;
  }
  if (host.GetCheck(id)) {
    SetEnabled(set) = 1;
    host.Enable(radio, true);
    SetModified();
    return;
  }
  const CString question(u"The contents for this character set will be deleted.\nAre you sure?");
  const bool yes = m_confirm ? m_confirm(question) : AfxMessageBox(question, MB_YESNO) == IDYES;
  if (!yes) {
    host.SetCheck(id, 1);
    return;
  }
  SetEnabled(set) = 0;
  CString* texts = Texts(set);
  for (int k = 0; k < kStride * kRows; ++k) texts[k] = CString();
  TickerMode(set) = 0;
  for (int line = 0; line < 4; ++line) TickerLine(set, line) = 0;
  if (m_pGrid) {
    for (int line = 0; line < kMsgDisplayLines; ++line) m_pGrid->GetElementList(set, line).clear();
    if (CurrentSet() == set) {
      // The shown set goes: the grid shows the other set from its stored state.
      m_pGrid->SetSelectedElement(nullptr);
      for (int line = 0; line < kMsgDisplayLines; ++line) m_pGrid->GetShownElements(line).clear();
      host.SetCheck(radio, 0);
      host.SetCheck(otherRadio, 1);
      CurrentSet() = other;
      LoadGrid(other);
      m_pGrid->SetFocusCell(1, 1);
      ShowTicker(other);
      CloneGroupToShown(other);
    }
    // A hidden set is cleared without touching what the grid shows.
  }
  host.Enable(radio, false);
  SetModified();
}

// ---- Insertion ------------------------------------------------------------------------------------

bool CMessageTexts_New::Anchor(int* row, int* col) const {
  const CGridCellPos focus = m_pGrid->GetFocusCell();
  if (m_pGrid->IsValid(focus)) {
    *row = focus.row;
    *col = focus.col;
    return true;
  }
  *row = m_nLastRow;
  *col = m_nLastCol;
  return m_pGrid->IsValid(m_nLastRow, m_nLastCol);
}

bool CMessageTexts_New::PlaceNew(std::unique_ptr<CWidget> element, int lines) {
  if (!m_pGrid) return false;
  int r = -1, c = -1;
  const bool anchored = Anchor(&r, &c);
  const MsgCellSpan span{r, c, lines, element->m_nWidth};
  bool ok = anchored;
  if (ok && m_bOlderPage) {
    ok = CanPlaceOlder(span, r >= 1 && r <= 4 && !m_pGrid->GetShownElements(r - 1).empty());
  } else if (ok) {
    std::vector<MsgCellSpan> shown;
    for (int line = 0; line < kMsgDisplayLines; ++line)
      for (const auto& e : m_pGrid->GetShownElements(line))
        shown.push_back({e->m_nRow, e->m_nCol, e->GetLineCount(), e->m_nWidth});
    CGridCtrl* g = m_pGrid;
    ok = CanPlaceNewer(span, element->m_nKind, shown, [g](int row, int col) {
      return g->IsValid(row, col) ? g->GetItemState(row, col) : 0u;
    });
  }
  if (!ok) {
    Message(PlacementFailureText(m_nBlockNumber), MB_ICONEXCLAMATION);
    return false;
  }
  element->m_nRow = r;
  element->m_nCol = c;
  element->m_bSelected = 1;
  element->m_pDoc = Document();
  for (int line = 0; line < kMsgDisplayLines; ++line)
    for (auto& e : m_pGrid->GetShownElements(line)) e->m_bSelected = FALSE;
  CGridElement* added = m_pGrid->AddElement(std::make_unique<CMsgGridElement>(std::move(element)));
  m_pGrid->SetSelectedElement(added);
  for (int k = c; k < c + span.width && k < m_pGrid->GetColumnCount(); ++k) {
    m_pGrid->SetItemText(r, k, CString());
    m_pGrid->SetItemState(r, k, m_pGrid->GetItemState(r, k) & ~kHalfMarks);
  }
  m_pGrid->Refresh();
  SetModified();
  return true;
}

bool CMessageTexts_New::OnInsertParameter() {
  if (!m_pGrid || !Document()) return false;
  CControlHost& host = Host();
  CBlockObj* block = nullptr;
  int param = -1;
  int position = host.GetCurSel(kIdGeneral);
  if (position >= 0) {
    block = Block();
    if (const MsgParamRow* row = FindMsgParamRow(CBlockMSGTEXT::kTypeCode);
        row && position < static_cast<int>(row->display.size()))
      param = row->display[static_cast<size_t>(position)];
  } else if ((position = host.GetCurSel(kIdParams)) >= 0) {
    block = m_pInsertBlock;
    if (block) {
      const std::vector<int> params =
          DisplayParamsOf(FindMsgParamRow(block->m_nType), block->m_nType, !m_bOlderPage);
      if (position < static_cast<int>(params.size())) param = params[static_cast<size_t>(position)];
    }
  }
  if (!block || param < 0) return false;
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(position));
  element->m_pBlock = block;
  element->m_nNumber = block->m_nNumber;
  element->m_nParam = param;
  element->m_nKind = position;
  element->m_nWidth = GetParamDisplayWidth(param);
  element->m_strLabel = MsgElementLabel(param);
  return PlaceNew(std::move(element), 1);
}

bool CMessageTexts_New::CheckLimit(int kind) const {
  if (const int max = MaxElementsPerSet(kind); max > 0 && CountShown(kind) >= max) {
    Message(ElementLimitText(kind), MB_ICONINFORMATION);
    return false;
  }
  return true;
}

bool CMessageTexts_New::OnInsertBarGraph(int buttonId) {
  if (!Document() || !m_pGrid) return false;
  const int kind = buttonId == kIdScope     ? MSGELEM_SCOPE
                   : buttonId == kIdPointer ? MSGELEM_POINTER
                                            : MSGELEM_BARGRAPH;
  if (!DocumentHasActualValueBlock(*Document())) {
    Message(u"No block contains actual value in the circuit program", MB_ICONSTOP);
    return false;
  }
  if (!CheckLimit(kind)) return false;
  CBarGraphDlg dlg;
  dlg.m_pDoc = Document();
  dlg.m_nKind = kind;
  if (kind == MSGELEM_SCOPE) dlg.m_nSize = Document()->m_nScopeTime;
  if (RunPageDialog(dlg) != IDOK) return false;
  CBlockObj* block = Document()->FindBlockByNumber(dlg.m_nBlockNumber);
  const int param = dlg.ChosenParam();
  if (!block || param < 0) return false;
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(kind));
  element->m_nKind = kind;
  element->m_nNumber = block->m_nNumber;
  element->m_pBlock = block;
  element->m_nParam = param;
  element->m_nWidth = kind == MSGELEM_BARGRAPH ? dlg.m_nSize : 12;
  element->m_strLabel = MsgElementLabel(param);
  element->m_nOption = dlg.m_nSize;
  element->m_nMin = dlg.m_nMinValue;
  element->m_nMax = dlg.m_nMaxValue;
  element->m_nValueIndex = dlg.m_nValueIndex;
  return PlaceNew(std::move(element), MsgElementLines(kind));
}

bool CMessageTexts_New::OnInsertScaleTime() {
  if (!Document() || !m_pGrid) return false;
  if (!DocumentHasActualValueBlock(*Document())) {
    Message(u"No block contains actual value in the circuit program", MB_ICONSTOP);
    return false;
  }
  if (!CheckLimit(MSGELEM_SCALETIME)) return false;
  CScaleTimeDlg dlg;
  dlg.m_pDoc = Document();
  if (RunPageDialog(dlg) != IDOK) return false;
  CBlockObj* block = Document()->FindBlockByNumber(dlg.m_nBlockNumber);
  const int param = dlg.ChosenParam();
  if (!block || param < 0) return false;
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(MSGELEM_SCALETIME));
  element->m_nKind = MSGELEM_SCALETIME;
  element->m_nNumber = block->m_nNumber;
  element->m_pBlock = block;
  element->m_nParam = param;
  element->m_nWidth = 11;
  element->m_strLabel = MsgElementLabel(param);
  element->m_nOption = dlg.m_nTimeBase;
  element->m_nValueIndex = dlg.m_nValueIndex;
  return PlaceNew(std::move(element), 1);
}

bool CMessageTexts_New::OnInsertGraph() {
  if (!m_pGrid) return false;
  if (!CheckLimit(MSGELEM_GRAPH)) return false;
  CGraphDlg dlg;
  if (RunPageDialog(dlg) != IDOK) return false;
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(MSGELEM_GRAPH));
  element->m_nKind = MSGELEM_GRAPH;
  element->m_nWidth = 12;
  element->m_nOption = dlg.m_nGraphIndex;
  return PlaceNew(std::move(element), MsgElementLines(MSGELEM_GRAPH));
}

bool CMessageTexts_New::OnInsertIoStatusName() {
  if (!Document() || !m_pGrid) return false;
  CIOSN dlg;
  dlg.m_pDoc = Document();
  dlg.PresetNames();
  if (RunPageDialog(dlg) != IDOK) return false;
  CBlockObj* block = Document()->FindBlockByNumber(dlg.m_nNumber);
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(MSGELEM_IOSTATUS));
  element->m_nKind = MSGELEM_IOSTATUS;
  element->m_nNumber = dlg.m_nNumber;
  element->m_pBlock = block;
  element->m_nWidth = 8;
  if (block) {
    const MsgParamRow* row = FindMsgParamRow(block->m_nType);
    if (row && !row->display.empty()) {
      element->m_nParam = row->display.front();
      if (CZaradDoc::GetTypeClass(static_cast<UINT>(block->m_nType)) != 2)
        element->m_nWidth = GetParamDisplayWidth(element->m_nParam);
    }
    element->m_strLabel = LookupBlockName(g_BlockTypeNames, static_cast<UINT>(block->m_nType));
  }
  for (int r = 1; r < CIOSN::kRows; ++r)
    for (int c = 1; c < CIOSN::kCols; ++c) element->m_strCell[r][c] = dlg.m_strNames[r * CIOSN::kCols + c];
  return PlaceNew(std::move(element), 1);
}

bool CMessageTexts_New::OnInsertAiFilter(bool analogFlag) {
  if (!Document() || !m_pGrid) return false;
  const int mode = analogFlag ? 1 : 0;
  if (CAIFilterDlg::OperandsOf(*Document(), mode).empty()) {
    Message(analogFlag ? u"No AM in the circuit program" : u"No AI in the circuit program", MB_ICONSTOP);
    return false;
  }
  CAIFilterDlg dlg;
  dlg.m_pDoc = Document();
  dlg.m_nMode = mode;
  if (RunPageDialog(dlg) != IDOK) return false;
  CBlockObj* block = Document()->FindBlockByNumber(dlg.m_nResult);
  const int type = block ? block->m_nType : (dlg.m_nResult >= 4288 ? 610 : 608);
  const MsgParamRow* row = FindMsgParamRow(type);
  if (!row || row->display.empty()) return false;
  auto element = std::make_unique<CWidget>(0, 0, 0, 0, MsgElementColor(0));
  element->m_nKind = 0;
  element->m_pBlock = block;
  element->m_nNumber = block ? block->m_nNumber : dlg.m_nResult;
  element->m_nParam = row->display.front();
  element->m_nWidth = GetParamDisplayWidth(element->m_nParam);
  element->m_strLabel = MsgElementLabel(element->m_nParam);
  return PlaceNew(std::move(element), 1);
}

const char16_t CMessageTexts_New::kSpecialChars[10] = {u'\u20AC', u'\u2109', u'\u2103', u'\u25BA', u'\u25C4',
                                                       u'\u25BC', u'\u25B2', u'\u00B1', u'\u2551', u'\u25A0'};

void CMessageTexts_New::OnSpecialChars() {
  if (SpecialCharsOpen()) return;
  m_bSpecialOpen = true;
  if (m_specialChars.open) m_specialChars.open();
}

bool CMessageTexts_New::InsertSpecialChar(char16_t ch) {
  if (!SpecialCharsOpen()) return false;
  bool written = false;
  int r = -1, c = -1;
  if (ch != 0 && m_pGrid && Anchor(&r, &c) && !m_pGrid->IsCellFixed(r, c) &&
      m_pGrid->FindElementCovering(r, c) == nullptr && !(m_pGrid->GetItemState(r, c) & kHalfMarks)) {
    m_pGrid->SetItemText(r, c, CString(std::u16string(1, ch)));
    m_pGrid->RedrawCell(r, c);
    SetModified();
    written = true;
  }
  m_bSpecialOpen = false;
  if (m_specialChars.close) m_specialChars.close();
  return written;
}

// ---- OK ------------------------------------------------------------------------------------------

void CMessageTexts_New::OnOK() {
  CBlockParamPage::OnOK();
  WriteScreen();
}

void CMessageTexts_New::WriteScreen() {
  if (!m_pGrid) return;
  CGridCtrl& g = *m_pGrid;
  g.SetSelectedElement(nullptr);
  // Elements dropped onto the hidden header row or column go.
  for (int line = 0; line < kMsgDisplayLines; ++line)
    std::erase_if(g.GetShownElements(line), [](const auto& e) { return e->m_nRow <= 0 || e->m_nCol <= 0; });
  const int shown = m_bOlderPage ? 0 : (CurrentSet() == 1 ? 1 : 0);
  // The display cells of the shown set (the older page keeps its header cells too).
  CString* texts = Texts(shown);
  const int from = m_bOlderPage ? 0 : 1;
  for (int r = from; r < kRows; ++r)
    for (int c = from; c < Columns(); ++c) texts[r * kStride + c] = g.GetItemText(r, c);
  if (CBlockMSGTEXT* block = Block()) {
    auto exportList = [](const CGridCtrl::ElementList& list, CBlockMSGTEXT::ElementList& target) {
      target.clear();
      for (const auto& e : list)
        if (const CMsgGridElement* m = AsMsg(e.get())) target.push_back(m->Export());
    };
    for (int line = 0; line < kMsgDisplayLines; ++line) {
      exportList(g.GetShownElements(line), *block->Elements(shown, line));
      if (!m_bOlderPage) exportList(g.GetElementList(1 - shown, line), *block->Elements(1 - shown, line));
    }
    if (m_bOlderPage)
      for (int line = 0; line < kMsgDisplayLines; ++line)
        std::erase_if(*block->Elements(0, line), [](const auto& w) { return w->m_pBlock == nullptr; });
  }
  if (!m_bOlderPage) ReadTicker(shown);
}

// ---- The grid's host --------------------------------------------------------------------------------

LRESULT CMessageTexts_New::OnGridNotify(CGridCtrl*, int code, int, int) {
  if (code == LVN_ENDLABELEDITW) SetModified();
  return 0;
}

void CMessageTexts_New::OnGridCommand(CGridCtrl* grid) {
  const CGridCellPos focus = grid->GetFocusCell();
  if (grid->IsValid(focus)) SetLastClickedCell(focus.row, focus.col);
}

int CMessageTexts_New::GetWantedCharClass(CGridCtrl*) {
  if (m_bOlderPage || !Document()) return 0;
  return WantedCharClassOf(CurrentSet() == 1 ? Document()->m_nCharSet2 : Document()->m_nCharSet1);
}

int CMessageTexts_New::GetCharClass(UINT ch) {
  return ::GetCharClass(ch);
}

void CMessageTexts_New::DrawElement(CGridCtrl* grid, CDC* dc, const CGridElement& element, bool selected) {
  // The rectangle follows the cells (the grid may have been resized since).
  auto& placed = const_cast<CGridElement&>(element);
  grid->PlaceElement(&placed);
  CGridHost::DrawElement(grid, dc, element, selected);
  if (CMsgGridElement* m = AsMsg(&placed)) {
    CWidget& w = m->Widget();
    if (selected)
      w.DrawSelected(nullptr, dc, TRUE);
    else
      w.Draw(nullptr, dc, TRUE);
  }
}

bool CMessageTexts_New::EditElement(CGridCtrl*, CGridElement* element, ElementEdit* edit) {
  CMsgGridElement* m = AsMsg(element);
  if (!m || m_bOlderPage || !Document()) return false;
  CWidget& w = m->Widget();
  switch (w.m_nKind) {
    case MSGELEM_BARGRAPH:
    case MSGELEM_SCOPE:
    case MSGELEM_POINTER: {
      CBarGraphDlg dlg;
      dlg.m_pDoc = Document();
      dlg.m_pElement = &w;
      dlg.m_nKind = w.m_nKind;
      dlg.m_nValueIndex = w.m_nValueIndex;
      dlg.m_nMinValue = w.m_nMin;
      dlg.m_nMaxValue = w.m_nMax;
      dlg.m_nSize = w.m_nKind == MSGELEM_BARGRAPH ? w.m_nWidth : w.m_nOption;
      if (RunPageDialog(dlg) != IDOK) return false;
      w.m_nValueIndex = dlg.m_nValueIndex;
      w.m_nMin = dlg.m_nMinValue;
      w.m_nMax = dlg.m_nMaxValue;
      w.m_strLabel = MsgElementLabel(w.m_nParam);
      if (w.m_nKind == MSGELEM_BARGRAPH) {
        edit->lastCol = w.m_nCol + dlg.m_nSize - 1;
        edit->newWidth = dlg.m_nSize;
        w.m_nOption = dlg.m_nSize;
      } else if (w.m_nKind == MSGELEM_SCOPE) {
        w.m_nOption = dlg.m_nSize;
      }
      SetModified();
      return true;
    }
    case MSGELEM_SCALETIME: {
      CScaleTimeDlg dlg;
      dlg.m_pDoc = Document();
      dlg.m_pElement = &w;
      dlg.m_nValueIndex = w.m_nValueIndex;
      dlg.m_nTimeBase = w.m_nOption;
      if (RunPageDialog(dlg) != IDOK) return false;
      w.m_nOption = dlg.m_nTimeBase;
      w.m_nValueIndex = dlg.m_nValueIndex;
      w.m_strLabel = MsgElementLabel(w.m_nParam);
      edit->lastCol = element->m_nCol;  // the placement check looks at its first column
      SetModified();
      return true;
    }
    case MSGELEM_IOSTATUS: {
      CIOSN dlg;
      dlg.m_pDoc = Document();
      dlg.m_pElement = &w;
      for (int r = 0; r < CIOSN::kRows; ++r)
        for (int c = 0; c < CIOSN::kCols; ++c) dlg.m_strNames[r * CIOSN::kCols + c] = w.m_strCell[r][c];
      if (RunPageDialog(dlg) != IDOK) return false;
      // The dialog may have chosen an operand of another type: the label names it.
      w.m_strLabel.Empty();
      if (w.m_pBlock)
        w.m_strLabel = LookupBlockName(g_BlockTypeNames, static_cast<UINT>(w.m_pBlock->m_nType));
      edit->lastCol = element->GetLastCol();
      for (int r = 1; r < CIOSN::kRows; ++r)
        for (int c = 1; c < CIOSN::kCols; ++c) w.m_strCell[r][c] = dlg.m_strNames[r * CIOSN::kCols + c];
      SetModified();
      return true;
    }
    case MSGELEM_GRAPH: {
      CGraphDlg dlg;
      dlg.m_bEditing = 1;
      dlg.m_nGraphIndex = w.m_nOption;
      if (RunPageDialog(dlg) != IDOK) return false;
      w.m_nOption = dlg.m_nGraphIndex;
      SetModified();
      return true;
    }
    default:
      return false;
  }
}
