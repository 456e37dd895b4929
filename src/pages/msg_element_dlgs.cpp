#include "pages/msg_element_dlgs.h"

#include <algorithm>

#include "blocks/operand_blocks.h"
#include "controls/grid_ctrl.h"
#include "model/block_captions.h"
#include "model/block_codes.h"
#include "model/help_topics.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msg_text_rules.h"
#include "msgtext/widget.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

// ---- Blocks with an actual value ------------------------------------------------------

CBlockObj* CValueBlockDlgBase::ChosenBlock() const {
  const int sel = Host().GetCurSel(kIdBlock);
  if (sel < 0 || !m_pDoc) return nullptr;
  const int number = ReadDecimal(Host().GetItemText(kIdBlock, sel), 1, 6);
  return number >= 0 ? m_pDoc->FindBlockByNumber(number + kFirstFunctionBlockNumber) : nullptr;
}

void CValueBlockDlgBase::InitBlockLists() {
  CControlHost& host = Host();
  BuildParameterNames();
  host.ResetContent(kIdBlock);
  int selected = -1;
  if (m_pDoc)
    for (const CBlockObj* block : m_pDoc->m_blocks) {
      if (!HasActualValue(*block)) continue;
      const int index = host.AddString(kIdBlock, MsgTextBlockEntry(*block));
      if (m_pElement && m_pElement->m_pBlock == block) selected = index;
    }
  host.SetCurSel(kIdBlock, selected);
  host.ResetContent(kIdValue);
  if (CBlockObj* block = m_pElement ? ChosenBlock() : nullptr)
    for (int param : ActualValuesOf(FindMsgParamRow(block->m_nType)))
      host.AddString(kIdValue, param < static_cast<int>(g_ParameterNames.size())
                                   ? g_ParameterNames[static_cast<size_t>(param)]
                                   : CString());
  host.SetCurSel(kIdValue, m_nValueIndex < host.GetCount(kIdValue) ? m_nValueIndex : -1);
}

void CValueBlockDlgBase::OnBlockSelChange() {
  CControlHost& host = Host();
  host.ResetContent(kIdValue);
  if (CBlockObj* block = ChosenBlock())
    for (int param : ActualValuesOf(FindMsgParamRow(block->m_nType)))
      host.AddString(kIdValue, param < static_cast<int>(g_ParameterNames.size())
                                   ? g_ParameterNames[static_cast<size_t>(param)]
                                   : CString());
  if (host.GetCurSel(kIdValue) < 0 && host.GetCount(kIdValue) > 0) host.SetCurSel(kIdValue, 0);
}

void CValueBlockDlgBase::OnNotify(int id, Notify code) {
  if (id == kIdBlock && code == Notify::kSelChange) OnBlockSelChange();
}

void CValueBlockDlgBase::ExchangeBlock(CDataExchange& dx) {
  if (!dx.IsSaving()) return;
  dx.SetLastControl(kIdBlock);
  CBlockObj* block = ChosenBlock();
  if (!block) {
    AfxMessageBox(CString(u"Select the function block."), MB_ICONINFORMATION);
    throw DataExchangeFailure();
  }
  m_nBlockNumber = block->m_nNumber;
  // A value must be chosen for the element to show something.
  if (dx.Host().GetCurSel(kIdValue) < 0 || ActualValuesOf(FindMsgParamRow(block->m_nType)).empty()) {
    AfxMessageBox(CString(u"Select the function block."), MB_ICONINFORMATION);
    throw DataExchangeFailure();
  }
}

int CValueBlockDlgBase::ChosenParam() const {
  if (!m_pDoc) return -1;
  const CBlockObj* block = m_pDoc->FindBlockByNumber(m_nBlockNumber);
  if (!block) return -1;
  const std::vector<int> values = ActualValuesOf(FindMsgParamRow(block->m_nType));
  return m_nValueIndex >= 0 && m_nValueIndex < static_cast<int>(values.size())
             ? values[static_cast<size_t>(m_nValueIndex)]
             : -1;
}

void CValueBlockDlgBase::OnOK() {
  // The element changes only after every check passed.
  if (!m_pElement || !m_pDoc) return;
  CBlockObj* block = m_pDoc->FindBlockByNumber(m_nBlockNumber);
  m_pElement->m_nNumber = m_nBlockNumber;
  m_pElement->m_pBlock = block;
  if (const int param = ChosenParam(); param >= 0) m_pElement->m_nParam = param;
}

// ---- Bar graph, scope, pointer ------------------------------------------------------------

CBarGraphDlg::CBarGraphDlg() {
  m_strTitle = u"Bar Graph Setting";
}

const PageDesc& CBarGraphDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"Bar Graph Setting",
                                CSize(200, 150),
                                {
                                    {1100, K::kStatic, u"Block:", CRect(7, 9, 60, 18)},
                                    {kIdBlock, K::kCombo, u"", CRect(64, 7, 192, 20)},
                                    {1101, K::kStatic, u"Actual value:", CRect(7, 27, 60, 36)},
                                    {kIdValue, K::kCombo, u"", CRect(64, 25, 192, 38)},
                                    {kIdGroup, K::kGroup, u"Bar Property Setting", CRect(4, 44, 196, 146)},
                                    {1102, K::kStatic, u"MinValue:", CRect(10, 58, 60, 67)},
                                    {kIdMin, K::kEdit, u"", CRect(64, 56, 130, 69)},
                                    {kIdMinSpin, K::kSpin, u"", CRect(130, 56, 140, 69), 0, {}, kIdMin},
                                    {1103, K::kStatic, u"MaxValue:", CRect(10, 76, 60, 85)},
                                    {kIdMax, K::kEdit, u"", CRect(64, 74, 130, 87)},
                                    {kIdMaxSpin, K::kSpin, u"", CRect(130, 74, 140, 87), 0, {}, kIdMax},
                                    {1104, K::kStatic, u"Direction:", CRect(10, 94, 60, 103)},
                                    {1397, K::kRadio, u"Horizontal", CRect(64, 93, 120, 103), kStyleGroup},
                                    {1398, K::kRadio, u"Vertical", CRect(124, 93, 180, 103)},
                                    {kIdSizeLabel, K::kStatic, u"Width:", CRect(10, 112, 60, 121)},
                                    {kIdSize, K::kEdit, u"", CRect(64, 110, 130, 123)},
                                    {kIdSizeSpin, K::kSpin, u"", CRect(130, 110, 140, 123), 0, {}, kIdSize},
                                    {kIdUnit, K::kStatic, u"(10ms)", CRect(144, 112, 190, 121), kStyleHidden},
                                    {1105, K::kStatic, u"Height:", CRect(10, 130, 60, 139)},
                                    {1139, K::kEdit, u"", CRect(64, 128, 130, 141)},
                                    {1140, K::kSpin, u"", CRect(130, 128, 140, 141), 0, {}, 1139},
                                }};
  return desc;
}

void CBarGraphDlg::DoDataExchange(CDataExchange& dx) {
  ExchangeBlock(dx);
  DDX_Text(dx, kIdMax, m_nMaxValue);
  DDX_Text(dx, kIdMin, m_nMinValue);
  DDX_Text(dx, kIdSize, m_nSize);
  if (m_nKind == MSGELEM_BARGRAPH) DDV_MinMaxInt(dx, m_nSize, 2, 12);
  if (m_nKind == MSGELEM_SCOPE) DDV_MinMaxInt(dx, m_nSize, 5, 50000);
  DDX_CBIndex(dx, kIdValue, m_nValueIndex);
  if (dx.IsSaving() && m_nMinValue >= m_nMaxValue) {
    dx.SetLastControl(kIdMax);
    AfxMessageBox(CString(u"The MaxValue must be larger than the MinValue."), MB_ICONINFORMATION);
    throw DataExchangeFailure();
  }
}

void CBarGraphDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  InitBlockLists();
  CControlHost& host = Host();
  host.SetRange(kIdMinSpin, -32768, 32767);
  host.SetRange(kIdMaxSpin, -32768, 32767);
  host.LimitText(kIdMin, 7);
  host.LimitText(kIdMax, 7);
  const CString tip = FormatString(u"Number between %d and %d", -32768, 32767);
  host.SetTip(kIdMin, tip);
  host.SetTip(kIdMax, tip);
  if (m_nKind == MSGELEM_SCOPE) {
    m_strTitle = u"Scope setting";
    host.SetText(kIdGroup, CString());
    host.SetText(kIdSizeLabel, u"Time:");
    host.SetInt(kIdSize, m_pDoc ? m_pDoc->m_nScopeTime : m_nSize);
    host.Enable(kIdSize, false);
    host.Show(kIdUnit, true);
    host.Show(kIdSizeSpin, false);
  } else if (m_nKind == MSGELEM_POINTER) {
    m_strTitle = u"Pointer setting";
    for (int id : {static_cast<int>(kIdGroup), static_cast<int>(kIdSizeLabel), static_cast<int>(kIdSize),
                   static_cast<int>(kIdSizeSpin)})
      host.Show(id, false);
  } else {
    host.SetRange(kIdSizeSpin, 2, 12);
    host.LimitText(kIdSize, 2);
    host.SetTip(kIdSize, FormatString(u"Number between %d and %d", 2, 12));
  }
}

void CBarGraphDlg::OnNotify(int id, Notify code) {
  if ((id == kIdMin || id == kIdMax) && code == Notify::kUpdate) {
    bool ok = false;
    const int v = Host().GetInt(id, &ok);
    if (ok && (v < -32768 || v > 32767)) Host().SetInt(id, std::clamp(v, -32768, 32767));
    return;
  }
  CValueBlockDlgBase::OnNotify(id, code);
}

// ---- Scale time -----------------------------------------------------------------------------

CScaleTimeDlg::CScaleTimeDlg() {
  m_strTitle = u"Scale time setting";
}

const PageDesc& CScaleTimeDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"Scale time setting",
                                CSize(200, 66),
                                {
                                    {1100, K::kStatic, u"Block:", CRect(7, 9, 60, 18)},
                                    {kIdBlock, K::kCombo, u"", CRect(64, 7, 192, 20)},
                                    {1101, K::kStatic, u"Actual value:", CRect(7, 27, 60, 36)},
                                    {kIdValue, K::kCombo, u"", CRect(64, 25, 192, 38)},
                                    {1102, K::kStatic, u"Time base:", CRect(7, 45, 60, 54)},
                                    {kIdTimeBase,
                                     K::kCombo,
                                     u"",
                                     CRect(64, 43, 192, 56),
                                     0,
                                     {u"Hours", u"Minutes", u"Seconds", u"10 Milliseconds"}},
                                }};
  return desc;
}

void CScaleTimeDlg::DoDataExchange(CDataExchange& dx) {
  ExchangeBlock(dx);
  DDX_CBIndex(dx, kIdValue, m_nValueIndex);
  DDX_CBIndex(dx, kIdTimeBase, m_nTimeBase);
}

void CScaleTimeDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  InitBlockLists();
  Host().SetCurSel(kIdTimeBase, std::clamp(m_nTimeBase, 0, 3));
}

// ---- Graph ------------------------------------------------------------------------------------

namespace {
// The tip of a picture button: "Picture %d (4 lines x 12 columns)".
constexpr UINT kIdsGraphPictureTip = 2400;
}  // namespace

CGraphDlg::CGraphDlg() {
  m_strTitle = u"Graph";
}

const PageDesc& CGraphDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = [] {
    PageDesc d{kTemplate, u"Graph", CSize(230, 150), {}};
    for (int k = 0; k < kPictures; ++k) {
      const int x = 7 + (k % 6) * 30;
      const int y = 7 + (k / 6) * 22;
      d.controls.push_back({kIdFirstPicture + k, K::kButton, FormatString(u"%d", k + 1),
                            CRect(x, y, x + 26, y + 18), kStyleIconButton});
    }
    d.controls.push_back({1453, K::kGroup, u"", CRect(190, 7, 226, 40)});
    d.controls.push_back({kIdPreview, K::kButton, u"1", CRect(195, 15, 221, 34), kStyleIconButton});
    return d;
  }();
  return desc;
}

void CGraphDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  const int index = m_bEditing ? std::clamp(m_nGraphIndex, 0, kPictures - 1) : 0;
  m_nSelectedId = kIdFirstPicture + index;
  Host().SetText(kIdPreview, FormatString(u"%d", index + 1));
  // The device draws the pictures; each button names its picture and the cells it covers.
  const CString tip = ::LoadString(kIdsGraphPictureTip);
  for (int k = 0; k < kPictures; ++k)
    Host().SetTip(kIdFirstPicture + k, FormatString(tip.GetString(), k + 1));
}

void CGraphDlg::OnNotify(int id, Notify code) {
  if (code != Notify::kClicked || id < kIdFirstPicture || id >= kIdFirstPicture + kPictures) return;
  m_nSelectedId = id;
  Host().SetText(kIdPreview, FormatString(u"%d", id - kIdFirstPicture + 1));
}

void CGraphDlg::OnOK() {
  m_nGraphIndex = m_nSelectedId - kIdFirstPicture;
}

// ---- Message text settings ------------------------------------------------------------------

CMsgTxtSettingDlg::CMsgTxtSettingDlg() {
  m_strTitle = u"Message Text Setting";
}

const PageDesc& CMsgTxtSettingDlg::Describe() const {
  using K = ControlKind;
  static const std::vector<CString> kSets = {u"SC", u"TC", u"Others"};
  static const PageDesc desc = [] {
    PageDesc d = {kTemplate,
                  u"Message Text Setting",
                  CSize(260, 208),
                  {
                      {1500, K::kGroup, u"Language setting", CRect(4, 4, 256, 76)},
                      {1501, K::kStatic, u"Character Set1", CRect(10, 18, 70, 27)},
                      {kIdCharSet1, K::kCombo, u"", CRect(74, 16, 130, 29), 0, kSets},
                      {kIdDefault1, K::kRadio, u"Default", CRect(136, 17, 180, 27), kStyleGroup},
                      {1502, K::kStatic, u"Character Set2", CRect(10, 36, 70, 45)},
                      {kIdCharSet2, K::kCombo, u"", CRect(74, 34, 130, 47), 0, kSets},
                      {kIdDefault2, K::kRadio, u"Default", CRect(136, 35, 180, 45)},
                      {1503, K::kStatic, u"Supporting Language", CRect(10, 52, 90, 61)},
                      {kIdDescription1, K::kStatic, u"CS1", CRect(94, 52, 252, 61)},
                      {kIdDescription2, K::kStatic, u"CS2", CRect(94, 63, 252, 72)},
                      {1504, K::kGroup, u"Ticker Timer Setting", CRect(4, 80, 256, 122)},
                      {1505, K::kStatic, u"Character by character", CRect(10, 92, 100, 101)},
                      {kIdTickerChar, K::kEdit, u"", CRect(104, 90, 150, 103), kStyleNumber},
                      {kIdTickerCharSpin, K::kSpin, u"", CRect(150, 90, 160, 103), 0, {}, kIdTickerChar},
                      {1506, K::kStatic, u"ms", CRect(164, 92, 180, 101)},
                      {1507, K::kStatic, u"Line by line", CRect(10, 108, 100, 117)},
                      {kIdTickerLine, K::kEdit, u"", CRect(104, 106, 150, 119), kStyleNumber},
                      {kIdTickerLineSpin, K::kSpin, u"", CRect(150, 106, 160, 119), 0, {}, kIdTickerLine},
                      {1508, K::kStatic, u"ms", CRect(164, 108, 180, 117)},
                      {1509, K::kStatic, u"Analog input filter timer", CRect(10, 130, 100, 139)},
                      {kIdAiFilter,
                       K::kCombo,
                       u"",
                       CRect(104, 128, 160, 141),
                       0,
                       {u"100", u"200", u"400", u"800", u"1000"}},
                      {1510, K::kStatic, u"ms", CRect(164, 130, 180, 139)},
                      {1511, K::kGroup, u"Scope time setting", CRect(4, 148, 256, 184)},
                      {kIdScopeTime, K::kEdit, u"", CRect(104, 162, 150, 175), kStyleNumber},
                      {kIdScopeSpin, K::kSpin, u"", CRect(150, 162, 160, 175), 0, {}, kIdScopeTime},
                      {1512, K::kStatic, u"(10ms)", CRect(164, 164, 200, 173)},
                      {IDOK, K::kButton, u"OK", CRect(96, 190, 146, 204)},
                      {IDCANCEL, K::kButton, u"Cancel", CRect(151, 190, 201, 204)},
                      {kIdHelp, K::kButton, u"Help", CRect(206, 190, 256, 204)},
                  }};
    // The character ticker's arrows move by 100 ms.
    for (ControlDesc& c : d.controls)
      if (c.id == kIdTickerCharSpin) c.step = 100;
    return d;
  }();
  return desc;
}

void CMsgTxtSettingDlg::LoadFrom(const CZaradDoc& doc) {
  m_nCharSet1 = m_nOrigCharSet1 = doc.m_nCharSet1;
  m_nCharSet2 = m_nOrigCharSet2 = doc.m_nCharSet2;
  m_nDefaultSet = doc.m_nDefaultCharSet;
  m_nAiFilter = doc.m_nAiFilter;
  m_nScopeTime = doc.m_nScopeTime;
  m_nTickerChar = doc.m_nTickerCharMs;
  m_nTickerLine = doc.m_nTickerLineMs;
}

void CMsgTxtSettingDlg::StoreTo(CZaradDoc& doc) const {
  doc.m_nCharSet1 = m_nCharSet1;
  doc.m_nCharSet2 = m_nCharSet2;
  doc.m_nDefaultCharSet = m_nDefaultSet;
  doc.m_nAiFilter = m_nAiFilter;
  doc.m_nScopeTime = m_nScopeTime;
  doc.m_nTickerCharMs = m_nTickerChar;
  doc.m_nTickerLineMs = m_nTickerLine;
}

void CMsgTxtSettingDlg::DoDataExchange(CDataExchange& dx) {
  DDX_CBIndex(dx, kIdCharSet1, m_nCharSet1);
  DDX_CBIndex(dx, kIdCharSet2, m_nCharSet2);
  DDX_Radio(dx, {kIdDefault1, kIdDefault2}, m_nDefaultSet);
  DDX_CBIndex(dx, kIdAiFilter, m_nAiFilter);
  DDX_Text(dx, kIdScopeTime, m_nScopeTime);
  DDV_MinMaxInt(dx, m_nScopeTime, 5, 50000);
  DDX_Text(dx, kIdTickerChar, m_nTickerChar);
  DDV_MinMaxInt(dx, m_nTickerChar, 100, 10000);
  if (dx.IsSaving() && !IsTickerCharStep(m_nTickerChar)) dx.Fail(TickerIntervalText());
  DDX_Text(dx, kIdTickerLine, m_nTickerLine);
  DDV_MinMaxInt(dx, m_nTickerLine, 1000, 100000);
  if (!dx.IsSaving()) return;
  // Every value passed: a changed character set is confirmed only now, so a
  // refused value never leaves texts cleared behind it.
  m_bRefused = false;
  if (m_nCharSet1 != m_nOrigCharSet1 || m_nCharSet2 != m_nOrigCharSet2) {
    if (AfxMessageBox(CString(u"Some message contents will be removed.\nDo you want to continue?"),
                      MB_YESNO) != IDYES) {
      m_bRefused = true;
      throw DataExchangeFailure();
    }
  }
}

void CMsgTxtSettingDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  host.SetRange(kIdTickerCharSpin, 100, 10000);
  host.SetRange(kIdTickerLineSpin, 1000, 100000);
  host.LimitText(kIdTickerChar, 5);
  host.LimitText(kIdScopeTime, 5);
  host.SetRange(kIdScopeSpin, 5, 50000);
  host.SetText(kIdDescription1, CharSetDescription(host.GetCurSel(kIdCharSet1)));
  host.SetText(kIdDescription2, CharSetDescription(host.GetCurSel(kIdCharSet2)));
}

void CMsgTxtSettingDlg::OnNotify(int id, Notify code) {
  CControlHost& host = Host();
  if (id == kIdHelp && code == Notify::kClicked) {
    if (m_showHelp) m_showHelp(kHelpTopicMessageText);
    return;
  }
  if ((id == kIdCharSet1 || id == kIdCharSet2) && code == Notify::kSelChange) {
    const int sel = host.GetCurSel(id);
    int& member = id == kIdCharSet1 ? m_nCharSet1 : m_nCharSet2;
    if (sel != member) {
      member = sel;
      host.SetText(id == kIdCharSet1 ? kIdDescription1 : kIdDescription2, CharSetDescription(sel));
    }
    return;
  }
  if (id == kIdTickerChar && code == Notify::kUpdate) {
    bool ok = false;
    const int v = host.GetInt(kIdTickerChar, &ok);
    if (ok) host.SetInt(kIdTickerLine, TickerLineForChar(v));
  }
}

void CMsgTxtSettingDlg::OnOK() {
  m_nCleared = 0;
  if (!m_pDoc) return;
  const bool set1 = m_nCharSet1 != m_nOrigCharSet1;
  const bool set2 = m_nCharSet2 != m_nOrigCharSet2;
  if (set1 || set2) m_nCleared = ClearNonAsciiCells(*m_pDoc, set1, set2);
}

// ---- I/O status name -----------------------------------------------------------------------

namespace {

struct IoKind {
  const char16_t* text;
  int type;    // 0: function blocks
  int lo, hi;  // operand numbers of ladder elements
};

constexpr IoKind kIoKinds[] = {
    {u"Digital Inputs", 600, 100, 355},
    {u"Digital Outputs", 605, 600, 727},
    {u"Flag", 607, 1316, 1827},
    {u"Function key", 611, 1300, 1304},
    {u"Shift register bit", 602, 1000, 1063},
    {u"Function block output", 0, 0, -1},
};
constexpr int kIoKindCount = 6;
constexpr COLORREF kNameCellColour = 0x559D55;
constexpr BYTE kCapsNoStatusName = 0x20;

int KindOfType(int type) {
  for (int k = 0; k < kIoKindCount - 1; ++k)
    if (kIoKinds[k].type == type) return k;
  return kIoKindCount - 1;
}

}  // namespace

CIOSN::CIOSN() {
  m_strTitle = u"I/O status name";
  for (CString& s : m_strNames) s = CString();
}

const PageDesc& CIOSN::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"I/O status name",
      CSize(220, 128),
      {
          {1402, K::kGroup, u"I/O Status Name Setting", CRect(4, 4, 216, 46)},
          {1403, K::kStatic, u"Select an input or output:", CRect(10, 16, 100, 25)},
          {kIdKind, K::kCombo, u"", CRect(104, 14, 210, 27)},
          {1404, K::kStatic, u"Select an I/O:", CRect(10, 31, 100, 40)},
          {kIdNumber, K::kCombo, u"", CRect(104, 29, 210, 42)},
          {1405, K::kGroup, u"Input status name", CRect(4, 50, 216, 124)},
          {1406, K::kStatic, u"Input name for status FALSE", CRect(10, 64, 110, 82)},
          {1407, K::kStatic, u"Input name for status TRUE", CRect(10, 88, 110, 106)},
          {kIdGrid, K::kStatic, u"", CRect(112, 62, 210, 110)},
      }};
  return desc;
}

void CIOSN::PresetNames() {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c)
      m_strNames[r * kCols + c] = (r == 0 || c == 0) ? CString(u"W") : CString(u" ");
  m_strNames[1 * kCols + 1] = u"O";
  m_strNames[1 * kCols + 2] = u"F";
  m_strNames[1 * kCols + 3] = u"F";
  m_strNames[2 * kCols + 1] = u"O";
  m_strNames[2 * kCols + 2] = u"N";
}

void CIOSN::AttachGrid(CGridCtrl* grid) {
  m_pGrid = grid;
  if (!grid) return;
  grid->SetHost(this);
  grid->m_bEditable = TRUE;
  grid->m_bEnableSelection = TRUE;
  // The name letters can be dragged from cell to cell.
  grid->m_bAllowDragAndDrop = TRUE;
}

void CIOSN::FitGrid() {
  if (!m_pGrid) return;
  CGridCtrl& g = *m_pGrid;
  g.SetColumnWidth(0, 0);
  g.SetRowHeight(0, 0);
  const CRect client = g.GetWindow() ? g.GetWindow()->GetClientRect() : CRect(0, 0, 160, 40);
  const int width = std::max(8, client.Width() / (kCols - 1));
  const int height = std::max(12, client.Height() / (kRows - 1));
  for (int c = 1; c < kCols; ++c) g.SetColumnWidth(c, width);
  for (int r = 1; r < kRows; ++r) g.SetRowHeight(r, height);
  g.Refresh();
}

CString CIOSN::EntryOfNumber(int kind, int n) {
  switch (kind) {
    case 0:
      return FormatString(u"I%d%02d", (n - 100) / 32, (n - 100) % 32);
    case 1:
      return FormatString(u"Q%d%02d", (n - 600) / 16, (n - 600) % 16);
    case 2:
      return FormatString(u"M%03d", n - 1316);
    case 3:
      return FormatString(u"F%d", n - 1300);
    case 4:
      return FormatString(u"S%d.%d", (n - 1000) / 16, (n - 1000) % 16);
    default:
      return CString();
  }
}

int CIOSN::NumberOfEntry(const CString& entry) {
  const int d = ReadDecimal(entry, 1, 6);
  if (d < 0) return -1;
  switch (entry.GetAt(0)) {
    case u'I':
      return (d / 100) * 32 + d % 100 + 100;
    case u'Q':
      return (d / 100) * 16 + d % 100 + 600;
    case u'M':
      return d + 1316;
    case u'F':
      return d + 1300;
    case u'S': {
      const int e = ReadDecimal(entry, 3, 6);
      return e < 0 ? -1 : d * 16 + e + 1000;
    }
    case u'B':
      return d + kFirstFunctionBlockNumber;
    default:
      return -1;
  }
}

void CIOSN::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  if (m_pGrid) {
    CGridCtrl& g = *m_pGrid;
    g.SetRowCount(kRows);
    g.SetColumnCount(kCols);
    g.SetFixedRowCount(1);
    g.SetFixedColumnCount(1);
    for (int r = 0; r < kRows; ++r)
      for (int c = 0; c < kCols; ++c) {
        const CString& text = m_strNames[r * kCols + c];
        if (!text.IsEmpty() && IsDoubleWidthChar(text.GetAt(0))) {
          g.SetItemState(r, c, g.GetItemState(r, c) | kMsgCellFirstHalf);
          if (c + 1 < kCols) g.SetItemState(r, c + 1, g.GetItemState(r, c + 1) | kMsgCellSecondHalf);
        }
        g.SetItemText(r, c, text);
        g.SetItemBkColour(r, c, kNameCellColour);
        g.SetItemFgColour(r, c, 0);
      }
    g.SetFocusCell(1, 1);
    FitGrid();
  }
  host.ResetContent(kIdKind);
  for (const IoKind& k : kIoKinds) host.AddString(kIdKind, k.text);
  int kind = 0;
  if (m_pElement) {
    if (m_pElement->m_pBlock) {
      kind = KindOfType(m_pElement->m_pBlock->m_nType);
    } else if (m_pDoc && m_pDoc->IsLadder()) {
      kind = kIoKindCount - 1;
      for (int k = 0; k < kIoKindCount - 1; ++k)
        if (m_pElement->m_nNumber >= kIoKinds[k].lo && m_pElement->m_nNumber <= kIoKinds[k].hi) kind = k;
    }
  }
  m_nKindIndex = kind;
  host.SetCurSel(kIdKind, kind);
  OnKindSelChange();
}

void CIOSN::OnKindSelChange() {
  CControlHost& host = Host();
  host.ResetContent(kIdNumber);
  const int kind = host.GetCurSel(kIdKind);
  if (kind < 0 || !m_pDoc) return;
  std::vector<CString> entries;
  auto add = [&](const CString& e) {
    if (std::find(entries.begin(), entries.end(), e) == entries.end()) entries.push_back(e);
  };
  for (const CBlockObj* b : m_pDoc->m_blocks) {
    if (kind == kIoKindCount - 1) {
      if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2 && !(b->m_byCaps & kCapsNoStatusName))
        add(FormatString(u"B%04d", b->m_nNumber - kFirstFunctionBlockNumber) +
            LookupBlockName(g_BlockTypeNames, static_cast<UINT>(b->m_nType)));
    } else if (m_pDoc->IsLadder()) {
      if (b->m_nType >= kFirstLadderType && b->m_nType <= kLastLadderType &&
          b->m_nOperand >= kIoKinds[kind].lo && b->m_nOperand <= kIoKinds[kind].hi)
        add(EntryOfNumber(kind, b->m_nOperand));
    } else if (b->m_nType == kIoKinds[kind].type) {
      add(EntryOfNumber(kind, b->m_nNumber));
    }
  }
  int sel = entries.empty() ? -1 : 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    host.AddString(kIdNumber, entries[i]);
    if (m_pElement && NumberOfEntry(entries[i]) == m_pElement->m_nNumber) sel = static_cast<int>(i);
  }
  host.SetCurSel(kIdNumber, sel);
}

void CIOSN::OnNotify(int id, Notify code) {
  if (id == kIdKind && code == Notify::kSelChange) OnKindSelChange();
}

void CIOSN::DoDataExchange(CDataExchange& dx) {
  DDX_CBIndex(dx, kIdKind, m_nKindIndex);
  if (!dx.IsSaving()) return;
  const int sel = dx.Host().GetCurSel(kIdNumber);
  dx.SetLastControl(kIdNumber);
  const int number = sel < 0 ? -1 : NumberOfEntry(dx.Host().GetItemText(kIdNumber, sel));
  if (number < 0) {
    AfxMessageBox(CString(u"Invalid setting. Check I/O type and block number."), MB_ICONSTOP);
    throw DataExchangeFailure();
  }
  m_nNumberIndex = sel;
  m_nNumber = number;
  // Every name cell keeps one character: an empty cell is a blank.
  if (m_pGrid)
    for (int r = 1; r < kRows; ++r)
      for (int c = 1; c < kCols; ++c) {
        const CString text = m_pGrid->GetItemText(r, c);
        m_strNames[r * kCols + c] = text.IsEmpty() ? CString(u" ") : text.Left(1);
      }
}

void CIOSN::OnOK() {
  if (!m_pElement || !m_pDoc) return;
  m_pElement->m_nNumber = m_nNumber;
  m_pElement->m_pBlock = m_pDoc->FindBlockByNumber(m_nNumber);
  if (m_pElement->m_pBlock)
    if (const MsgParamRow* row = FindMsgParamRow(m_pElement->m_pBlock->m_nType); row && !row->display.empty())
      m_pElement->m_nParam = row->display.front();
}

// ---- AI filter ---------------------------------------------------------------------------------

CAIFilterDlg::CAIFilterDlg() {
  m_strTitle = u"AI filter";
}

const PageDesc& CAIFilterDlg::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"AI filter",
                                CSize(160, 40),
                                {
                                    {1400, K::kStatic, u"Select:", CRect(7, 12, 50, 21)},
                                    {kIdList, K::kCombo, u"", CRect(54, 10, 152, 23)},
                                }};
  return desc;
}

std::vector<int> CAIFilterDlg::OperandsOf(const CZaradDoc& doc, int mode) {
  std::vector<int> numbers;
  const int lo = mode == 0 ? 4000 : 4288;
  const int hi = mode == 0 ? 4127 : 4799;
  for (const CBlockObj* b : doc.m_blocks) {
    int n = -1;
    if (mode == 0 && dynamic_cast<const CBlockAnalogIn*>(b)) n = b->m_nNumber;
    if (mode == 1 && dynamic_cast<const CBlockAnalogFlag*>(b)) n = b->m_nNumber;
    if (doc.IsLadder() && b->m_nType >= kFirstLadderType && b->m_nType <= kLastLadderType &&
        b->m_nOperand >= lo && b->m_nOperand <= hi)
      n = b->m_nOperand;
    if (n >= 0 && std::find(numbers.begin(), numbers.end(), n) == numbers.end()) numbers.push_back(n);
  }
  return numbers;
}

CString CAIFilterDlg::EntryOf(int n) {
  if (n >= 4288) return FormatString(u"AM%03d", n - 4288);
  return FormatString(u"AI%d%02d", (n - 4000) / 8, (n - 4000) % 8);
}

void CAIFilterDlg::OnInitDialog() {
  CParamPage::OnInitDialog();
  if (m_nMode == 1) m_strTitle = u"AM filter";
  m_operands = m_pDoc ? OperandsOf(*m_pDoc, m_nMode) : std::vector<int>{};
  Host().ResetContent(kIdList);
  for (int n : m_operands) Host().AddString(kIdList, EntryOf(n));
  Host().SetCurSel(kIdList, m_operands.empty() ? -1 : 0);
}

void CAIFilterDlg::DoDataExchange(CDataExchange& dx) {
  if (!dx.IsSaving()) return;
  const int sel = dx.Host().GetCurSel(kIdList);
  if (sel < 0 || sel >= static_cast<int>(m_operands.size())) {
    dx.SetLastControl(kIdList);
    throw DataExchangeFailure();
  }
  m_nResult = m_operands[static_cast<size_t>(sel)];
}
