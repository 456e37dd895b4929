// The windows of the message texts on Qt: the screen grid of the editors
// inside the block properties sheet, and the main frame's "Message Text
// Settings..." command.
#pragma once

#include <QObject>
#include <functional>

class CMainFrame;
class CMessageTexts_New;
class CMsgTxtSettingDlg;
class CParamPage;
class CQtPageHost;
class CGridWidget;

// When page holds a grid (the message-text editors, the I/O status names),
// puts a grid window over its grid control on host and attaches it to the
// page (before the page initialises); returns the grid window, or null for
// other pages.
CGridWidget* AttachMessageTextGrid(CParamPage* page, CQtPageHost* host);

class CMsgTextSettingsCommand : public QObject {
  Q_OBJECT

 public:
  explicit CMsgTextSettingsCommand(CMainFrame* frame);
  void OnSettings();

 private:
  CMainFrame* m_pFrame;
};
