// CShell: the main window as the subsystems' windows see it. The main frame
// implements it and hands it to the windows and command objects it creates
// (diagram windows through the document factory, the device link, the program
// properties and message-text commands); nothing reaches the main window
// through a global. A window made without a shell (a test of the window alone)
// works on its own: it is its own active window and runs its commands itself.
//
// What the windows ask of the main window:
//  - the diagram windows: the active one, all of them, closing one, a new one
//    for a model, the settings a new document starts with;
//  - the bars: a line in the information bar, the model name in the status bar;
//  - the commands: posting one (routed as the menus route it), a command's
//    state as the frame and its handlers see it, plugging a handler in, a
//    command's tip and picture;
//  - the program properties opened on a page, the help at a topic, the
//    palette's pick, the block cursor;
//  - the device link (posting an operation, whether the port is open) and the
//    application's printer.
#pragma once

#include <functional>
#include <vector>

#include "platform/command_target.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;
class DocumentWindow;
class QCursor;
class QIcon;
class QPrinter;
class QWidget;
struct NewDocumentSettings;

// The application's printer and its page set-up (Print, Print Preview and the
// Print Setup dialog use it).
class CPrinterHost {
 public:
  virtual ~CPrinterHost() = default;
  virtual QPrinter* GetPrinter() = 0;
  virtual CString GetPaperName() = 0;
  virtual CString GetPrinterName() = 0;
  virtual BOOL IsLandscape() = 0;
  virtual void SetLandscape(BOOL landscape) = 0;
  // The page set-up dialog; the margins go to every open document.
  virtual void PageSetup() = 0;
};

class CShell {
 public:
  virtual ~CShell() = default;

  // ---- Windows ------------------------------------------------------------------
  // The main window: the owner of the dialogs the windows open.
  virtual QWidget* MainWindow() = 0;
  // The active diagram window; null when none is open.
  virtual DocumentWindow* GetActiveDocumentWindow() const = 0;
  // The document of the active diagram window; null when none.
  CZaradDoc* GetActiveDocument() const;
  // Every open diagram window.
  virtual std::vector<DocumentWindow*> GetDocumentWindows() const = 0;
  // Makes a diagram window the active one.
  virtual void ActivateDocumentWindow(DocumentWindow* window) = 0;
  // Closes a diagram window after asking about unsaved changes; true when it closed.
  virtual bool CloseDocumentWindow(DocumentWindow* window) = 0;
  // A new, empty FBD window made for the model, without the program properties a new
  // file may show; it becomes the active window. Null when none could be made.
  virtual DocumentWindow* NewDocumentWindowFor(WORD modelCode) = 0;
  // What the next new document starts with: its kind, the model selected last, the
  // screen as its page and "Show at new file".
  virtual NewDocumentSettings GetNewDocumentSettings() = 0;
  // The active window changed, or its document took another model: the title, the
  // model name and the palette follow.
  virtual void OnActiveDocumentChanged() = 0;

  // ---- Bars ---------------------------------------------------------------------
  // Appends text (lines ended by "\n") to the information bar.
  virtual void AppendInformation(const CString& text) = 0;
  // The model name in the status bar (when the pane exists).
  virtual void SetModelNameText(const CString& name) = 0;

  // ---- Commands -----------------------------------------------------------------
  // Routes a command as the menus do (active diagram window, frame, application);
  // false when no one handles it or it is disabled.
  virtual bool SendCommand(UINT id) = 0;
  // Brings every menu item and toolbar button up to date.
  virtual void UpdateCommandUI() = 0;
  // The command's state as the frame and the handlers plugged into it see it; false
  // when none of them handles it.
  virtual bool UpdateFrameCommand(CCmdUI* ui) = 0;
  // Plugs a command handler into the frame.
  virtual void SetCommandHandler(UINT id, std::function<void()> run,
                                 std::function<void(CCmdUI*)> update = {}) = 0;
  // The tip of a command's toolbar button and menu item; an empty text restores its own.
  virtual void SetCommandTip(UINT id, const CString& tip) = 0;
  // The command's toolbar picture (a null icon when it has none).
  virtual QIcon CommandIcon(UINT id) const = 0;

  // ---- Program properties and palette ---------------------------------------------
  // The page the next "Properties" opens on (0 default, 1 Hardware, 2 Parameter); asking
  // resets it to the default.
  virtual int TakePropertiesStartPage() = 0;
  // The palette's last pick: the tool mode and the block type.
  virtual void GetPalettePick(int* mode, int* typeCode) const = 0;
  // Runs the program properties sheet of the active document, opening on startPage
  // (0 default, 1 Hardware page, 2 Parameter page).
  virtual void OpenProgramProperties(int startPage) = 0;
  // Opens the help file at a topic's page (or tells that the file is missing).
  virtual void ShowHelp(int topic) = 0;
  // A pick: stores it and sends the palette-pick command to the active diagram window.
  virtual void OnPalettePick(int mode, int typeCode) = 0;
  // The block cursor of placing a block; null when the application has none.
  virtual const QCursor* GetBlockCursor() const = 0;

  // ---- Device link and printer -------------------------------------------------------
  // Runs the device operation once the current command has returned.
  virtual void PostDeviceOperation(int code) = 0;
  virtual bool IsDevicePortOpen() const = 0;
  // The application's printer; null when the main window runs without the application.
  virtual CPrinterHost* GetPrinterHost() = 0;
};
