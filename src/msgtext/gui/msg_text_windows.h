// The main frame's "Message Text Settings..." command on Qt (the editors'
// screen grid is the pages' grid window, pages/gui/grid_page_window.h).
#pragma once

#include <QObject>

class CShell;

class CMsgTextSettingsCommand : public QObject {
  Q_OBJECT

 public:
  // Plugs "Message Text Settings..." into the shell's commands.
  explicit CMsgTextSettingsCommand(CShell& shell);
  void OnSettings();

 private:
  CShell& m_shell;
};
