// DocumentManager: the open diagram windows of the main window's MDI area. It
// creates windows through a factory that the diagram child frame supplies, and
// runs New, Open, Save, Save As and Close on them; saving and asking about
// unsaved changes is the program's one save sequence (editor/document_save.h).
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "editor/document_save.h"
#include "platform/cstring.h"
#include "shell/document_window.h"

class CShell;
class QMdiArea;
class QMdiSubWindow;

// Field of a document template string ("\nDiagram\nFunction Block\n...").
enum DocStringIndex {
  kDocWindowTitle = 0,
  kDocName = 1,         // base of untitled names: "Diagram" -> "Diagram1"
  kDocFileNewName = 2,  // "Function Block"
  kDocFilterName = 3,   // "Function Block Files (*.bfb)"
  kDocFilterExt = 4,    // ".bfb"
  kDocRegFileTypeId = 5,
  kDocRegFileTypeName = 6,
};
// A field of the template string with that string-table id; empty when absent.
CString GetDocString(UINT templateId, DocStringIndex index);

// A document template: the string-table id of its template string.
struct CDocTemplate {
  UINT m_nIDResource = 0;
  CString GetDocString(DocStringIndex index) const { return ::GetDocString(m_nIDResource, index); }
};

// The application side of the manager: the Save As dialog (PromptSaveFileName)
// and the recent-file list.
class DocumentManagerHost : public CSaveNamePrompt {
 public:
  // The document was opened from or saved to this path.
  virtual void AddToRecentFileList(const CString& path) = 0;
};

class DocumentManager : public QObject {
  Q_OBJECT

 public:
  // Makes a new diagram window of the shell, not yet shown; null when it cannot be made.
  using Factory = std::function<DocumentWindow*(CShell& shell)>;

  // The windows live in the area; the factory hands them the shell.
  DocumentManager(QMdiArea* area, DocumentManagerHost* host, CShell& shell, QObject* parent = nullptr);
  ~DocumentManager() override;

  void SetFactory(Factory factory) { m_factory = std::move(factory); }
  bool HasFactory() const { return static_cast<bool>(m_factory); }

  // A new untitled document of the kind, shown maximised and made active; null on failure.
  DocumentWindow* NewDocument(int kind);
  // Opens the file, or activates its window when it is open already; null on failure
  // (reported to the user).
  DocumentWindow* OpenDocument(const CString& path);
  // Save: under the document's path, or through Save As when it has none.
  bool DoFileSave(DocumentWindow* doc);
  // Saves under the path (empty: ask for one); with replace the document takes the new
  // path and title and its window shows them.
  bool DoSave(DocumentWindow* doc, const CString& path, bool replace = true);
  // Asks "Save changes to ...?" for a modified document; false when the user cancels or
  // the save fails.
  bool SaveModified(DocumentWindow* doc);
  // Closes the window after asking about unsaved changes; true when it closed.
  bool CloseDocument(DocumentWindow* doc);
  // Closes every window without asking.
  void CloseAllDocuments();
  // Lets go of the windows without closing them (the MDI area is about to go).
  void Detach();

  std::vector<DocumentWindow*> GetDocuments() const;
  int GetCount() const { return static_cast<int>(m_entries.size()); }
  DocumentWindow* GetActiveDocument() const;
  QMdiSubWindow* GetSubWindow(DocumentWindow* doc) const;
  void ActivateDocument(DocumentWindow* doc);
  // Shows the document's title on its window (after the title changed).
  void UpdateWindowTitle(DocumentWindow* doc);

 signals:
  void activeDocumentChanged();
  void documentCountChanged(int count);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    DocumentWindow* doc = nullptr;
    QPointer<QMdiSubWindow> window;
    const QObject* key = nullptr;  // the window's address, compared while it is destroyed
  };

  DocumentWindow* CreateWindow();
  // After a save under a new name: the window's title, the recent-file list, the frame's title.
  void OnSaved(DocumentWindow* doc);
  void Show(DocumentWindow* doc);
  void Forget(QObject* window);

  QMdiArea* m_pArea;
  DocumentManagerHost* m_pHost;
  CShell& m_shell;
  Factory m_factory;
  std::vector<Entry> m_entries;
  int m_nUntitledCount = 0;
  bool m_bClosingAll = false;
};
