#include "model/close_all_list.h"

BOOL CCloseAllList::AddDocument(const CString& path) {
  if (GetCount() >= kMaxDocuments) return FALSE;
  m_docs.push_back(Record{path, 0});
  return TRUE;
}

void CCloseAllList::ToggleRow(int row) {
  if (row < 0 || row >= GetCount()) return;
  Record& r = m_docs[static_cast<size_t>(row)];
  r.save = r.save ? 0 : 1;
}

void CCloseAllList::SelectAll(int save) {
  for (Record& r : m_docs) r.save = save ? 1 : 0;
}

std::vector<CCloseAllList::Action> CCloseAllList::Decisions() const {
  std::vector<Action> actions;
  actions.reserve(m_docs.size());
  for (const Record& r : m_docs) actions.push_back(r.save ? Action::kSave : Action::kDiscard);
  return actions;
}
