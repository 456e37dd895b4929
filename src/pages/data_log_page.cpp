#include "pages/data_log_page.h"

#include <algorithm>

#include "blocks/data_log_block.h"
#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "pages/mem_page.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

std::vector<CString> CDataLog::LoggableEntries(const CZaradDoc* doc, int numberToLeaveOut) {
  std::vector<CString> e;
  const CString ai = LookupBlockName(g_BlockTypeNames, 608);
  const CString am = LookupBlockName(g_BlockTypeNames, 610);
  const CString aq = LookupBlockName(g_BlockTypeNames, 609);
  for (int i = 0; i < 64; ++i) e.push_back(FormatString(u"AI%d%02d%s", i / 8, i % 8, ai.GetString()));
  for (int i = 0; i < 512; ++i) e.push_back(FormatString(u"AM%d%s", i, am.GetString()));
  for (int i = 0; i < 32; ++i) e.push_back(FormatString(u"AQ%d%02d%s", i / 4, i % 4, aq.GetString()));
  for (int g = 0; g < 32; ++g) {
    const int first = (g % 4) * 8;
    e.push_back(FormatString(u"I%d%02d-I%d%02d", g / 4, first, g / 4, first + 7));
  }
  for (int g = 0; g < 64; ++g) e.push_back(FormatString(u"M%d-M%d", 8 * g, 8 * g + 7));
  for (int g = 0; g < 16; ++g) {
    const int first = (g % 2) * 8;
    e.push_back(FormatString(u"Q%d%02d-Q%d%02d", g / 2, first, g / 2, first + 7));
  }
  if (doc)
    for (const CString& b : FillDataLogBlockList(*doc, numberToLeaveOut)) e.push_back(b);
  return e;
}

int CDataLog::OperandOfEntry(const CString& entry) {
  auto number = [&entry](int prefix) { return ReadDecimal(entry, prefix); };
  const CString two = entry.Left(2);
  int n = -1;
  if (two == u"AI" && (n = number(2)) >= 0) return 4000 + (n / 100) * 8 + n % 100;
  if (two == u"AM" && (n = number(2)) >= 0) return 4288 + n;
  if (two == u"AQ" && (n = number(2)) >= 0) return 4230 + (n / 100) * 4 + n % 100;
  if (entry.IsEmpty() || (n = number(1)) < 0) return -1;
  switch (entry[0]) {
    case u'B':
      return kFirstFunctionBlockNumber + n;
    case u'I':
      return 100 + (n / 100) * 32 + n % 100;
    case u'M':
      return 1316 + n;
    case u'Q':
      return 600 + (n / 100) * 16 + n % 100;
    default:
      return -1;
  }
}

DataLogItem CDataLog::ItemOfRow(const CZaradDoc* doc, const CString& entry, const CString& parameter) {
  DataLogItem item;
  item.m_strOperand = entry;
  item.m_strParameter = parameter;
  item.m_nOperand = OperandOfEntry(entry);
  if (!entry.IsEmpty() && entry[0] == u'B' && doc) {
    item.m_pBlock = doc->FindBlockByNumber(item.m_nOperand);
    if (item.m_pBlock) {
      const std::vector<CString> names = CMEM::RecordableNames(item.m_pBlock->m_nType);
      auto it = std::find(names.begin(), names.end(), parameter);
      item.m_nParamIndex = it == names.end() ? 0 : static_cast<int>(it - names.begin());
    }
  }
  return item;
}

CDataLog::CDataLog() {
  m_strTitle = Describe().caption;
}

const PageDesc& CDataLog::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(300, 190),
      {
          {kIdItemsGroup, K::kGroup, u"Data Log Items", CRect(7, 7, 150, 168)},
          {kIdItems, K::kTree, u"", CRect(14, 19, 143, 160), 0, {u"Block", u"Parameter"}},
          {kIdAdd, K::kButton, u"Add", CRect(156, 60, 196, 74), kStyleDisabled},
          {kIdRemove, K::kButton, u"Remove", CRect(156, 80, 196, 94)},
          {kIdBlockGroup, K::kGroup, u"Block", CRect(202, 7, 293, 96)},
          {kIdEntries, K::kList, u"", CRect(208, 19, 287, 90)},
          {kIdParamGroup, K::kGroup, u"Parameter", CRect(202, 100, 293, 168)},
          {kIdParams, K::kList, u"", CRect(208, 112, 287, 162)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 174, 110, 184)},
      }};
  return desc;
}

void CDataLog::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
}

void CDataLog::ShowRows(int select) {
  CControlHost& host = Host();
  host.ResetContent(kIdItems);
  for (const auto& row : m_rows) host.AddTreeItem(kIdItems, row.first + u"\t" + row.second, -1);
  if (select >= 0 && select < static_cast<int>(m_rows.size())) host.SetCurSel(kIdItems, select);
}

void CDataLog::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  CControlHost& host = Host();
  m_bAddEnabled = 0;
  host.Enable(kIdAdd, false);
  host.ResetContent(kIdEntries);
  if (Document()) {
    BuildParameterNames();
    for (const CString& e : LoggableEntries(Document(), m_nBlockNumber)) host.AddString(kIdEntries, e);
    m_rows.clear();
    if (auto* log = dynamic_cast<CBlockDataLog*>(Document()->FindBlockByNumber(m_nBlockNumber)))
      for (const DataLogItem& item : log->m_items)
        m_rows.emplace_back(item.m_strOperand, item.m_strParameter);
  }
  ShowRows(-1);
}

bool CDataLog::HasRow(const CString& entry, const CString& parameter, bool anyParameter) const {
  return std::any_of(m_rows.begin(), m_rows.end(), [&](const auto& row) {
    return row.first == entry && (anyParameter || row.second == parameter);
  });
}

void CDataLog::UpdateAddButton() {
  CControlHost& host = Host();
  if (host.GetCurSel(kIdEntries) < 0) return;
  const CString entry = host.GetText(kIdEntries);
  if (!entry.IsEmpty() && entry[0] == u'B')
    m_bAddEnabled = 0;
  else
    m_bAddEnabled = HasRow(entry, CString(), true) ? 0 : 1;
  host.Enable(kIdAdd, m_bAddEnabled != 0);
}

void CDataLog::OnBlockListChange() {
  CControlHost& host = Host();
  UpdateAddButton();
  host.ResetContent(kIdParams);
  const CString entry = host.GetText(kIdEntries);
  if (entry.IsEmpty() || entry[0] != u'B' || !Document()) return;
  const int number = ReadDecimal(entry, 1);
  const CBlockObj* block =
      number >= 0 ? Document()->FindBlockByNumber(kFirstFunctionBlockNumber + number) : nullptr;
  if (!block) return;
  for (const CString& name : CMEM::RecordableNames(block->m_nType))
    if (!HasRow(entry, name, false)) host.AddString(kIdParams, name);
}

void CDataLog::OnAdd() {
  CControlHost& host = Host();
  if (static_cast<int>(m_rows.size()) >= kMaxItems) {
    AfxMessageBox(642, MB_ICONINFORMATION);
    return;
  }
  if (host.GetCurSel(kIdEntries) < 0) return;
  const CString entry = host.GetText(kIdEntries);
  if (!entry.IsEmpty() && entry[0] == u'B') {
    const int sel = host.GetCurSel(kIdParams);
    if (sel < 0) return;
    m_rows.emplace_back(entry, host.GetItemText(kIdParams, sel));
    // The parameter leaves the list; the rest stay in their order.
    std::vector<CString> rest;
    for (int i = 0; i < host.GetCount(kIdParams); ++i)
      if (i != sel) rest.push_back(host.GetItemText(kIdParams, i));
    host.ResetContent(kIdParams);
    for (const CString& r : rest) host.AddString(kIdParams, r);
    m_bAddEnabled = 0;  // nothing is selected in the parameter list now
  } else {
    m_rows.emplace_back(entry, CString());
    m_bAddEnabled = 0;
  }
  host.Enable(kIdAdd, m_bAddEnabled != 0);
  ShowRows(-1);
  SetModified();
}

void CDataLog::OnRemove() {
  const std::vector<int> selected = Host().GetSelectedItems(kIdItems);
  if (selected.empty()) return;
  for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    if (*it >= 0 && *it < static_cast<int>(m_rows.size())) m_rows.erase(m_rows.begin() + *it);
  ShowRows(selected.front());  // the row that now stands at the first removed one's place, if any
  OnBlockListChange();
  SetModified();
}

void CDataLog::OnNotify(int id, Notify code) {
  if (id == kIdEntries && code == Notify::kSelChange) return OnBlockListChange();
  if (id == kIdParams && code == Notify::kSelChange) {
    m_bAddEnabled = 1;
    Host().Enable(kIdAdd, true);
    return;
  }
  if ((id == kIdParams && code == Notify::kDblClick) || (id == kIdAdd && code == Notify::kClicked))
    return OnAdd();
  if (id == kIdRemove && code == Notify::kClicked) return OnRemove();
  CBlockParamPage::OnNotify(id, code);
}

void CDataLog::StoreItemsToBlock() {
  if (!Document()) return;
  auto* log = dynamic_cast<CBlockDataLog*>(Document()->FindBlockByNumber(m_nBlockNumber));
  if (!log) return;
  log->m_items.clear();
  for (const auto& row : m_rows) log->m_items.push_back(ItemOfRow(Document(), row.first, row.second));
}

void CDataLog::OnOK() {
  StoreItemsToBlock();
  CBlockParamPage::OnOK();
}
