// CQtBlockSheet: the block properties sheet as a Qt dialog. One tab per page
// of a CBlockSheet, each page on a CQtPageHost that is built and initialised
// when the tab is first shown; OK, Cancel, Help and, while the diagram
// simulates (modeless), Apply. Leaving a tab validates its page first.
//
// CQtSheetRunner shows such dialogs for the Block Properties command: modal
// with exec(), modeless as a window that deletes itself and unlists its sheet
// from the command when it closes.
#pragma once

#include <QDialog>
#include <vector>

#include "properties/block_properties.h"

class CBlockSheet;
class CShell;
class CQtPageHost;
class QPushButton;
class QTabWidget;

class CQtBlockSheet : public QDialog {
  Q_OBJECT

 public:
  // A modeless sheet applies through command; a modal one needs none. The shell
  // runs Help and the pages' main-window commands; a sheet without one (a test of
  // the sheet alone) has neither.
  CQtBlockSheet(CBlockSheet& sheet, CBlockProperties* command, QWidget* parent, CShell* shell = nullptr);
  ~CQtBlockSheet() override;

  CBlockSheet& Sheet() { return m_sheet; }
  int ActivePage() const;
  // The host of a page (null before the page was first shown).
  CQtPageHost* PageHost(int index) const;
  QPushButton* ApplyButton() const { return m_pApply; }

 public slots:
  void OnOK();
  void OnApply();
  void OnHelp();

 private:
  void ShowPage(int index);
  void UpdateApply();

  CBlockSheet& m_sheet;
  CBlockProperties* m_pCommand;
  CShell* m_pShell;
  QTabWidget* m_pTabs;
  QPushButton* m_pApply = nullptr;
  std::vector<CQtPageHost*> m_hosts;
  int m_nShown = 0;
};

class CQtSheetRunner : public CSheetRunner {
 public:
  CQtSheetRunner(CBlockProperties* command, QWidget* parent, CShell* shell = nullptr)
      : m_pCommand(command), m_pParent(parent), m_pShell(shell) {}
  int RunModal(CBlockSheet& sheet) override;
  bool OpenModeless(CBlockSheet& sheet) override;

 private:
  CBlockProperties* m_pCommand;
  QWidget* m_pParent;
  CShell* m_pShell;
};
