// CCloseAllDlg: "Close All", shown when the program closes with unsaved documents.
// Each document with unsaved changes is a row of a check-box list (its path, or
// nothing for a new document); the user ticks the ones to save, or all of them
// with "Select all documents to save". The choices are kept in a CCloseAllList.
#pragma once

#include <QDialog>
#include <vector>

#include "model/close_all_list.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CXListCtrl;
class QCheckBox;

class CCloseAllDlg : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kIdList = 1000;
  static constexpr int kIdSelectAll = 1129;

  explicit CCloseAllDlg(QWidget* parent = nullptr);

  // Adds a document before the dialog runs; FALSE when the list is full. A document
  // without a path shows its title instead.
  BOOL AddDocument(const CString& path, const CString& title = CString());
  // Builds the columns and the rows of the documents added.
  void OnInitDialog();
  int exec() override;

  const CCloseAllList& Documents() const { return m_docs; }
  CXListCtrl* List() const { return m_list; }
  QCheckBox* SelectAllBox() const { return m_selectAll; }

  int m_bSelectAll = 0;

 private:
  void OnCheckBoxClicked(int row, int column);
  void OnSelectAll();

  CCloseAllList m_docs;
  std::vector<CString> m_titles;
  CXListCtrl* m_list;
  QCheckBox* m_selectAll;
  bool m_bInitialised = false;
};
