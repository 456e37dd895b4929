// The records of the Close All dialog: one per document with unsaved changes, in
// the order of the documents, each with the user's choice to save it. Closing the
// program follows the choices: a ticked document is asked about and saved (Save As
// for one that was never saved), an unticked one loses its changes.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CCloseAllList {
 public:
  static constexpr int kMaxDocuments = 200;

  struct Record {
    CString path;  // empty for a document never saved
    int save = 0;  // 1: save this document
  };

  // Adds a document (not to be saved yet); FALSE when the list is full.
  BOOL AddDocument(const CString& path);
  int GetCount() const { return static_cast<int>(m_docs.size()); }
  const Record& GetRecord(int row) const { return m_docs[static_cast<size_t>(row)]; }

  // A click on a row's check box: the row's choice flips, for a new document too
  // (it is then saved through Save As), so the record always says what the box
  // shows. Rows out of range are ignored.
  void ToggleRow(int row);
  // "Select all documents to save": every row takes the state.
  void SelectAll(int save);

  enum class Action { kSave, kDiscard };
  // What closing does with each document, in the list's order.
  std::vector<Action> Decisions() const;

 private:
  std::vector<Record> m_docs;
};
