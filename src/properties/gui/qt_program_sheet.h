// CQtProgramSheet: the program properties sheet as a Qt dialog, one tab per
// page of a CPropertiesPropSh, each page built and initialised when its tab is
// first shown. CProgramPropertiesCommand plugs the "Properties" command into
// the shell: it runs the sheet modally for the active diagram's document.
#pragma once

#include <QDialog>
#include <QObject>
#include <functional>
#include <vector>

class CPropertiesPropSh;
class CQtPageHost;
class CShell;
class QPushButton;
class QTabWidget;

class CQtProgramSheet : public QDialog {
  Q_OBJECT

 public:
  CQtProgramSheet(CPropertiesPropSh& sheet, QWidget* parent);

  CPropertiesPropSh& Sheet() { return m_sheet; }
  QTabWidget* Tabs() const { return m_pTabs; }
  int ActivePage() const;
  // The host of a page (null before the page was first shown).
  CQtPageHost* PageHost(int index) const;
  void ShowPage(int index);

 public slots:
  void OnOK();

 private:
  CPropertiesPropSh& m_sheet;
  QTabWidget* m_pTabs;
  QPushButton* m_pOK = nullptr;
  std::vector<CQtPageHost*> m_hosts;
  int m_nShown = 0;
};

class CProgramPropertiesCommand : public QObject {
  Q_OBJECT

 public:
  // Plugs "Properties" into the shell's commands.
  explicit CProgramPropertiesCommand(CShell& shell);
  void OnProperties();

  // Runs the sheet: exec() by default; tests drive it instead. Returns the
  // dialog's result (QDialog::Accepted for OK).
  static std::function<int(CQtProgramSheet& sheet)> s_runner;

 private:
  CShell& m_shell;
};
