// CGoToBlockDlg: "Select Block", the modal list of a diagram's blocks under
// their operand names. Typing the beginning of a name or picking an entry
// centres the view on the block and selects it; a double click also closes
// the dialog. The dialog changes nothing in the document.
#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "editor/goto_block.h"

class QLineEdit;
class QListWidget;

class CGoToBlockDlg : public QDialog {
  Q_OBJECT

 public:
  // centre: runs on the block number of each pick.
  CGoToBlockDlg(std::vector<GoToBlockEntry> entries, std::function<void(int number)> centre,
                QWidget* parent = nullptr);

  QLineEdit* NumberEdit() const { return m_pEdit; }
  QListWidget* BlockList() const { return m_pList; }

 private:
  void OnChangeBlockNumber();
  void OnSelChange();

  std::vector<GoToBlockEntry> m_entries;
  std::function<void(int)> m_centre;
  QLineEdit* m_pEdit = nullptr;
  QListWidget* m_pList = nullptr;
};
