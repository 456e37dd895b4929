// The main frame's language, help and input-routing commands: the Language dialog
// and its settings file, the Chinese menu tables, Help (and F1 without a diagram),
// the keys the active diagram view takes before the accelerators, the mouse
// release that ends a simulated power cut, and the toolbar tooltips that depend on
// the simulation.
#pragma once

#include <QObject>
#include <QString>
#include <map>
#include <unordered_map>

#include "platform/cstring.h"
#include "platform/types.h"

class CMainFrame;
class CZaradView;
class CChildFrame;

// The Chinese interface's tables, filled at start-up when the interface is Chinese
// (BuildChineseTextTables); empty otherwise.
extern std::unordered_map<UINT, CString> g_UiTextById;
extern std::map<QString, QString> g_MenuCaptionMap;
// Fills both tables from the string table's Chinese user-interface texts.
void BuildChineseTextTables();
// Empties them (a later start in English).
void ClearChineseTextTables();

class CShellCommands : public QObject {
  Q_OBJECT

 public:
  // Registers the commands with the frame and watches its input.
  explicit CShellCommands(CMainFrame* frame);
  ~CShellCommands() override;

  // Options > Language: the dialog, then the settings file when the choice changed.
  void OnLanguage();
  // Whether the active diagram view simulates with its Power button held in.
  bool IsSimPowerCut() const;
  // Where the Language command keeps the choice (tests point it elsewhere).
  void SetLanguageFile(const QString& path) { m_languageFile = path; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  CChildFrame* ActiveChild() const;
  // A key of a widget of the main window, offered to the active view first.
  bool RouteKey(QWidget* target, QEvent* event);
  bool OnToolTip(QWidget* widget);

  CMainFrame* m_pFrame;
  QString m_languageFile;
  bool m_bRouting = false;  // a key is on its way to the view
};
