// CShellContext: what the model needs of the application object and the main
// frame: the active document and simulated clock (for block constructors), the
// kind of the next new document, the information bar's log, the model name
// shown, the screen size and the language. The main frame itself follows its
// document windows opening and closing (the bar and the model panes). It
// installs its implementation with SetShellContext; without one a quiet
// default stands in (no active document, a zero clock, nothing shown).
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;

// Model code of the hardware selected last; new documents take it.
extern WORD g_CurrentModelCode;
// "Show at new file": new documents copy it into m_bShowPropertiesOnNew.
extern int g_ShowPropertiesOnNew;

class CShellContext {
 public:
  virtual ~CShellContext() = default;

  // Document of the active view of the main window's active frame; null when none.
  virtual CZaradDoc* GetActiveDocument() { return nullptr; }
  // Simulated clock of the main window's active child frame; zero when none.
  virtual SYSTEMTIME GetSimulatedTime() { return {}; }

  // CMainFrame::m_nNextDocKind: DocumentKind of the next new document.
  int m_nNextDocKind = 1;

  // Appends text (lines ended by "\n") to the information bar, where details that a
  // message box would only clutter are kept for the user.
  virtual void AppendInformation(const CString& text) {}
  // Shows a model name in the status bar's model-name text (when it exists).
  virtual void SetModelNameText(const CString& name) {}

  // Horizontal and vertical resolution of the display; a fixed page without a screen.
  virtual CSize GetScreenSize() { return {1024, 768}; }

  // CEditorApp::TranslateMenu: rewrites the main menu's captions for the Chinese
  // interface (the document menu when documentMenu is set). Documents call it
  // once, guarded by m_bDocMenuTranslated.
  virtual void TranslateMenu(bool documentMenu, int firstPosition) {}
  bool m_bDocMenuTranslated = false;
  // CEditorApp::GetWidgetClipFormat: the clipboard format registered for "Widget"; 0 before that.
  virtual UINT GetWidgetClipFormat() { return 0; }

  // Opens the help file at a topic's page (or tells that the file is missing).
  virtual void ShowHelp(int topic) {}
  // Runs the program properties sheet of the active document, opening on
  // startPage (0 default, 1 Hardware page, 2 Parameter page).
  virtual void OpenProgramProperties(int startPage) {}
};

// Display class of a character: 1 for the CJK characters that take two display
// cells, 2 for accented Latin, Greek, Cyrillic, Hebrew, Thai and Vietnamese
// letters, 0 for every other value.
int GetCharClass(UINT ch);

// The installed shell; never null (a default instance when none is installed).
CShellContext* GetShellContext();
// Installs a shell (null restores the default). The caller keeps ownership.
void SetShellContext(CShellContext* shell);

// Installs a shell for the lifetime of the object, then restores the previous one.
class CScopedShellContext {
 public:
  explicit CScopedShellContext(CShellContext* shell) : m_pPrevious(GetShellContext()) {
    SetShellContext(shell);
  }
  ~CScopedShellContext() { SetShellContext(m_pPrevious); }
  CScopedShellContext(const CScopedShellContext&) = delete;
  CScopedShellContext& operator=(const CScopedShellContext&) = delete;

 private:
  CShellContext* m_pPrevious;
};
