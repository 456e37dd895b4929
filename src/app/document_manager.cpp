#include "app/document_manager.h"

#include <sys/stat.h>

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QWidget>
#include <algorithm>

#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace {

const char16_t kFailedToOpen[] = u"Failed to open document.";

QString CanonicalPath(const CString& path) {
  QFileInfo info(ToQString(path));
  const QString canonical = info.canonicalFilePath();
  return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

CString GetDocString(UINT templateId, DocStringIndex index) {
  const CString all = LoadString(templateId);
  int pos = 0;
  for (int i = 0; i < index; ++i) {
    pos = all.Find(u'\n', pos);
    if (pos < 0) return {};
    ++pos;
  }
  const int end = all.Find(u'\n', pos);
  return end < 0 ? all.Mid(pos) : all.Mid(pos, end - pos);
}

DocumentManager::DocumentManager(QMdiArea* area, DocumentManagerHost* host, CShell& shell, QObject* parent)
    : QObject(parent), m_pArea(area), m_pHost(host), m_shell(shell) {
  connect(m_pArea, &QMdiArea::subWindowActivated, this, [this] { emit activeDocumentChanged(); });
}

DocumentManager::~DocumentManager() {
  Detach();
}

void DocumentManager::Detach() {
  for (Entry& e : m_entries) {
    if (!e.window) continue;
    e.window->removeEventFilter(this);
    disconnect(e.window, nullptr, this, nullptr);
  }
  m_entries.clear();
  if (m_pArea) disconnect(m_pArea, nullptr, this, nullptr);
  m_pArea = nullptr;
}

DocumentWindow* DocumentManager::CreateWindow() {
  if (!m_factory || !m_pArea) return nullptr;
  DocumentWindow* doc = m_factory(m_shell);
  if (!doc || !doc->GetWidget()) return nullptr;
  return doc;
}

void DocumentManager::Show(DocumentWindow* doc) {
  if (!m_pArea) return;
  QWidget* widget = doc->GetWidget();
  QMdiSubWindow* window = m_pArea->addSubWindow(widget);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->installEventFilter(this);
  connect(window, &QObject::destroyed, this, [this](QObject* gone) { Forget(gone); });
  m_entries.push_back({doc, window, window});
  UpdateWindowTitle(doc);
  // Diagram windows always fill the MDI area.
  window->showMaximized();
  m_pArea->setActiveSubWindow(window);
  emit documentCountChanged(GetCount());
  emit activeDocumentChanged();
}

void DocumentManager::Forget(QObject* window) {
  auto it =
      std::find_if(m_entries.begin(), m_entries.end(), [window](const Entry& e) { return e.key == window; });
  if (it == m_entries.end()) return;
  m_entries.erase(it);
  emit documentCountChanged(GetCount());
  emit activeDocumentChanged();
}

DocumentWindow* DocumentManager::NewDocument(int kind) {
  DocumentWindow* doc = CreateWindow();
  if (!doc) return nullptr;
  CString title;
  title.Format(u"%ls%d", GetDocString(IDS_FBD_TEMPLATE, kDocName).GetString(), ++m_nUntitledCount);
  doc->SetTitle(title);
  if (!doc->OnNewDocument(kind)) {
    delete doc->GetWidget();
    return nullptr;
  }
  doc->SetModifiedFlag(false);
  Show(doc);
  return doc;
}

DocumentWindow* DocumentManager::OpenDocument(const CString& path) {
  const QString wanted = CanonicalPath(path);
  for (const Entry& e : m_entries) {
    if (!e.doc->GetPathName().IsEmpty() && CanonicalPath(e.doc->GetPathName()) == wanted) {
      ActivateDocument(e.doc);
      return e.doc;
    }
  }
  // A named pipe, device or folder is refused before anything opens it: opening a pipe
  // would wait for a writer that may never come.
  struct stat st = {};
  if (::stat(path.ToUtf8().c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    AfxMessageBox(FormatString(u"\"%ls\" is not a diagram file.", path.GetString()),
                  MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  DocumentWindow* doc = CreateWindow();
  if (!doc) return nullptr;
  CString error;
  if (!doc->OnOpenDocument(path, &error)) {
    delete doc->GetWidget();
    AfxMessageBox(error.IsEmpty() ? CString(kFailedToOpen) : error, MB_OK | MB_ICONEXCLAMATION);
    return nullptr;
  }
  doc->SetPathName(GetAbsoluteFilePath(path));
  doc->SetTitle(GetFileTitle(path));
  doc->SetModifiedFlag(false);
  Show(doc);
  if (m_pHost) m_pHost->AddToRecentFileList(doc->GetPathName());
  return doc;
}

bool DocumentManager::DoFileSave(DocumentWindow* doc) {
  if (!doc) return false;
  return DoSave(doc, doc->GetPathName());
}

bool DocumentManager::DoSave(DocumentWindow* doc, const CString& path, bool replace) {
  if (!doc || !SaveDocument(*doc, path, m_pHost, replace)) return false;
  if (replace) OnSaved(doc);
  return true;
}

bool DocumentManager::SaveModified(DocumentWindow* doc) {
  if (!doc || !doc->IsModified()) return true;
  if (!SaveModifiedDocument(*doc, m_pHost)) return false;
  if (!doc->IsModified()) OnSaved(doc);  // Yes saved it; No leaves it modified
  return true;
}

void DocumentManager::OnSaved(DocumentWindow* doc) {
  UpdateWindowTitle(doc);
  if (m_pHost) m_pHost->AddToRecentFileList(doc->GetPathName());
  emit activeDocumentChanged();
}

bool DocumentManager::CloseDocument(DocumentWindow* doc) {
  QMdiSubWindow* window = GetSubWindow(doc);
  return window ? window->close() : false;
}

void DocumentManager::CloseAllDocuments() {
  m_bClosingAll = true;
  std::vector<QPointer<QMdiSubWindow>> windows;
  for (const Entry& e : m_entries) windows.push_back(e.window);
  for (auto& w : windows) {
    if (w) w->close();
  }
  m_bClosingAll = false;
}

bool DocumentManager::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close) {
    auto it = std::find_if(m_entries.begin(), m_entries.end(),
                           [watched](const Entry& e) { return e.key == watched; });
    if (it != m_entries.end()) {
      if (!m_bClosingAll && !SaveModified(it->doc)) {
        event->ignore();
        return true;
      }
      // The window goes now; its deletion follows from the event loop.
      watched->removeEventFilter(this);
      Forget(watched);
      return false;
    }
  }
  return QObject::eventFilter(watched, event);
}

std::vector<DocumentWindow*> DocumentManager::GetDocuments() const {
  std::vector<DocumentWindow*> docs;
  for (const Entry& e : m_entries) docs.push_back(e.doc);
  return docs;
}

DocumentWindow* DocumentManager::GetActiveDocument() const {
  if (!m_pArea) return nullptr;
  QMdiSubWindow* current = m_pArea->currentSubWindow();
  for (const Entry& e : m_entries) {
    if (e.key == current) return e.doc;
  }
  return nullptr;
}

QMdiSubWindow* DocumentManager::GetSubWindow(DocumentWindow* doc) const {
  for (const Entry& e : m_entries) {
    if (e.doc == doc) return e.window;
  }
  return nullptr;
}

void DocumentManager::ActivateDocument(DocumentWindow* doc) {
  if (!m_pArea) return;
  QMdiSubWindow* window = GetSubWindow(doc);
  if (!window) return;
  m_pArea->setActiveSubWindow(window);
  // An activated diagram window fills the MDI area again (after Cascade or Tile).
  if (!window->isMaximized()) window->showMaximized();
}

void DocumentManager::UpdateWindowTitle(DocumentWindow* doc) {
  if (QMdiSubWindow* window = GetSubWindow(doc)) window->setWindowTitle(ToQString(doc->GetTitle()));
}
