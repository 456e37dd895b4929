// The undo store: snapshot files in a ring of 31 slots, the set-aside that
// guards every reload, and the fix-ups after one.
#include "model/undo_buffer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/diagram_limits.h"
#include "model/owning_list.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "platform/file_util.h"
#include "platform/message_sink.h"
#include "platform/ms_clock.h"
#include "platform/paths.h"

namespace {

CUndoReloadListener* g_reloadListener = nullptr;

std::filesystem::path ToFsPath(const CString& path) {
  return std::filesystem::path(path.ToUtf8());
}

void Report(const std::string& text) {
  AfxMessageBox(CString::FromUtf8(text), MB_OK | MB_ICONEXCLAMATION);
}

// Empties everything a snapshot brings back: the lists (power bus included)
// and the ladder maps, so that nothing of the state being left survives.
void ClearDiagram(CZaradDoc* doc) {
  doc->DeleteContents();
  doc->m_operandNames.clear();
  doc->m_analogSimSettings.clear();
}

template <typename T>
void MoveAll(COwningList<T>& from, COwningList<T>& to) {
  while (std::unique_ptr<T> obj = from.DetachHead()) to.AddTail(std::move(obj));
}

// The lists and ladder maps of a document, taken out of it. The objects keep
// every pointer they hold (to each other and to their document), so that they
// can go back unchanged; otherwise they are deleted in DeleteContents order.
class CHeldDiagram {
 public:
  explicit CHeldDiagram(CZaradDoc* doc) {
    doc->m_sortList.clear();
    MoveAll(doc->m_blocks, m_blocks);
    MoveAll(doc->m_connections, m_connections);
    MoveAll(doc->m_comments, m_comments);
    MoveAll(doc->m_powerBus, m_powerBus);
    m_operandNames.swap(doc->m_operandNames);
    m_analogSimSettings.swap(doc->m_analogSimSettings);
  }
  ~CHeldDiagram() {
    m_blocks.DeleteAll();
    m_connections.DeleteAll();
    m_comments.DeleteAll();
    m_powerBus.DeleteAll();
  }
  CHeldDiagram(const CHeldDiagram&) = delete;
  CHeldDiagram& operator=(const CHeldDiagram&) = delete;

  // Gives the document its diagram back in place of whatever it holds now.
  void PutBack(CZaradDoc* doc) {
    ClearDiagram(doc);
    MoveAll(m_blocks, doc->m_blocks);
    MoveAll(m_connections, doc->m_connections);
    MoveAll(m_comments, doc->m_comments);
    MoveAll(m_powerBus, doc->m_powerBus);
    m_operandNames.swap(doc->m_operandNames);
    m_analogSimSettings.swap(doc->m_analogSimSettings);
  }

 private:
  COwningList<CBlockObj> m_blocks;
  COwningList<CConnectLineObj> m_connections;
  COwningList<CBlockComment> m_comments;
  COwningList<CBlockObj> m_powerBus;
  std::map<UINT, CString> m_operandNames;
  std::map<UINT, AnalogSimSetting> m_analogSimSettings;
};

}  // namespace

CUndoReloadListener* SetUndoReloadListener(CUndoReloadListener* listener) {
  CUndoReloadListener* previous = g_reloadListener;
  g_reloadListener = listener;
  return previous;
}

CUndoBuffer::CUndoBuffer() {
  m_strTempPath = GetTempFolder();
  m_strTempPath.Trim();
  MakeSuffix();
}

CUndoBuffer::~CUndoBuffer() {
  // A folder gone or someone else's now holds nothing that is ours to delete.
  if (FolderIsOurs()) {
    m_nTop = m_nIndex = 0;
    for (int slot = 0; slot < kSlotCount; ++slot) RemoveSlotFile(slot);
    std::error_code ec;
    std::filesystem::remove(ToFsPath(m_strFolder), ec);  // only when empty: others' files stay
  }
  if (m_folderFd >= 0) ::close(m_folderFd);
}

void CUndoBuffer::MakeSuffix() {
  SYSTEMTIME st{};
  GetLocalTime(&st);
  const int64_t stamp = int64_t{st.wYear} * 1000000 + int64_t{st.wMonth} * 100000 + int64_t{st.wDay} * 10000 +
                        int64_t{st.wHour} * 1000 + int64_t{st.wMinute} * 100 + int64_t{st.wSecond} * 10 +
                        st.wMilliseconds;
  // The stamp is kept in 32 bits, wrapping as the signed arithmetic of old did.
  const auto wrapped = static_cast<int32_t>(static_cast<uint32_t>(stamp));
  m_strSuffix.Format(u".%d", static_cast<int>(wrapped));
}

CString CUndoBuffer::SlotPath(int slot) const {
  return m_strFolder + FormatString(u"%03d.tmp", slot) + m_strSuffix;
}

CString CUndoBuffer::GetSnapshotPath(int index) const {
  if (m_strFolder.IsEmpty() || index < 0 || index > kMaxIndex) return CString();
  return SlotPath(SlotOf(index));
}

namespace {

constexpr char kFolderPrefix[] = "RivirIrud";

// "NNN.tmp..." : a snapshot file or the temporary file of one being written.
bool IsSnapshotFileName(std::string_view name) {
  return name.size() > 7 && std::isdigit(static_cast<unsigned char>(name[0])) &&
         std::isdigit(static_cast<unsigned char>(name[1])) &&
         std::isdigit(static_cast<unsigned char>(name[2])) && name.substr(3, 4) == ".tmp";
}

// The process number of a folder name "RivirIrud<suffix>.<pid>-XXXXXX"; 0 for another form.
long PidOfFolder(std::string_view name) {
  if (name.substr(0, sizeof kFolderPrefix - 1) != kFolderPrefix) return 0;
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return 0;
  const std::string_view rest = name.substr(dot + 1);
  const size_t dash = rest.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash > 10) return 0;
  long pid = 0;
  for (char c : rest.substr(0, dash)) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 0;
    pid = pid * 10 + (c - '0');
  }
  return pid;
}

std::vector<std::string> FolderEntries(int fd) {
  std::vector<std::string> names;
  DIR* dir = ::fdopendir(::dup(fd));
  if (!dir) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name(e->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

}  // namespace

int RemoveLeftUndoFolders(const CString& tempFolder) {
  const int tempFd = ::open(tempFolder.ToUtf8().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (tempFd < 0) return 0;
  int removed = 0;
  for (const std::string& name : FolderEntries(tempFd)) {
    const long pid = PidOfFolder(name);
    if (pid == 0) continue;
    const int fd = ::openat(tempFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st = {};
    // Only the user's own private folders, and only when their process is gone.
    if (::fstat(fd, &st) == 0 && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0 &&
        IsLeftBehind(fd, pid)) {
      for (const std::string& file : FolderEntries(fd)) {
        struct stat fst = {};
        if (IsSnapshotFileName(file) && ::fstatat(fd, file.c_str(), &fst, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(fst.st_mode))
          ::unlinkat(fd, file.c_str(), 0);
      }
      // Whatever else lies in it keeps the folder.
      struct stat again = {};
      if (::fstatat(tempFd, name.c_str(), &again, AT_SYMLINK_NOFOLLOW) == 0 && again.st_ino == st.st_ino &&
          again.st_dev == st.st_dev && ::unlinkat(tempFd, name.c_str(), AT_REMOVEDIR) == 0)
        ++removed;
    }
    ::close(fd);
  }
  ::close(tempFd);
  return removed;
}

bool CUndoBuffer::EnsureFolder(std::string* error) {
  if (!m_strFolder.IsEmpty()) return true;
  // The first store of a process clears what dead instances of the user left.
  static const bool cleaned = (RemoveLeftUndoFolders(m_strTempPath), true);
  (void)cleaned;
  // The folder carries the process number, and the store holds a lock on it while it
  // lives, so that a later instance can tell a folder whose owner is gone.
  const CString prefix =
      CString(u"RivirIrud") + m_strSuffix + FormatString(u".%d-", static_cast<int>(::getpid()));
  CString folder = MakeUniqueFolder(m_strTempPath, prefix, error);
  if (folder.IsEmpty()) {
    *error = "The undo steps cannot be kept: " + *error;
    return false;
  }
  // Held open for the store's life: while it is open its inode cannot be handed to a
  // folder made later at the same path, so comparing the two tells them apart.
  m_folderFd = ::open(folder.ToUtf8().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (m_folderFd < 0) {
    *error = "The undo steps cannot be kept: the folder " + folder.ToUtf8() + " vanished.";
    return false;
  }
  ::flock(m_folderFd, LOCK_SH | LOCK_NB);
  m_strFolder = folder;
  m_strPath = folder;
  return true;
}

bool CUndoBuffer::FolderIsOurs() const {
  struct stat held = {};
  struct stat st = {};
  return m_folderFd >= 0 && ::fstat(m_folderFd, &held) == 0 &&
         ::lstat(m_strFolder.ToUtf8().c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
         st.st_dev == held.st_dev && st.st_ino == held.st_ino;
}

void CUndoBuffer::ForgetFolder() {
  if (m_folderFd >= 0) ::close(m_folderFd);
  m_folderFd = -1;
  m_written.reset();
  m_strFolder.Empty();
  m_nBase = 0;
  m_nIndex = m_nTop = 0;
  m_bEmptyStart = false;
}

void CUndoBuffer::RemoveSlotFile(int slot) {
  if (!m_written.test(static_cast<size_t>(slot)) || m_strFolder.IsEmpty()) return;
  std::error_code ec;
  std::filesystem::remove(ToFsPath(SlotPath(slot)), ec);
  m_written.reset(static_cast<size_t>(slot));
}

BOOL CUndoBuffer::RestartWith(CZaradDoc* doc) {
  for (int slot = 0; slot < kSlotCount; ++slot) RemoveSlotFile(slot);
  m_nBase = 0;
  m_nIndex = m_nTop = 0;
  m_bEmptyStart = false;
  m_bUnsavedEdit = false;
  return SaveSnapshot(doc);
}

BOOL CUndoBuffer::SaveSnapshot(CZaradDoc* doc) {
  if (!doc) return FALSE;
  m_pDoc = doc;
  // A folder deleted or replaced behind the store's back holds none of its steps, and
  // whatever now stands there is not written into.
  if (!m_strFolder.IsEmpty() && !FolderIsOurs()) {
    ForgetFolder();
    Report("The folder of the undo steps was removed or replaced: the earlier steps are lost.");
  }
  // After a loss the history starts again with this snapshot as number 0.
  const bool restart = !m_bEmptyStart && m_written.none();
  std::string folderError;
  if (!EnsureFolder(&folderError)) return SnapshotFailed(folderError);

  std::vector<BYTE> bytes;
  try {
    bytes = doc->SaveToBytes();
  } catch (const std::exception& e) {
    return SnapshotFailed(std::string("The undo step cannot be saved: ") + e.what());
  }
  if (const CString tooLarge = CZaradDoc::CheckFileSize(bytes.size()); !tooLarge.IsEmpty())
    return SnapshotFailed("The undo step cannot be saved: " + tooLarge.ToUtf8());

  // From the newest of 30 steps the oldest step gives way: its file takes the
  // new snapshot. Otherwise the step after the current one is (over)written.
  const bool dropOldest = !restart && m_nIndex >= kMaxIndex;
  const int index = restart ? 0 : dropOldest ? kMaxIndex : m_nIndex + 1;
  const int slot = dropOldest ? SlotOf(0) : SlotOf(index);
  const CString path = SlotPath(slot);
  m_strPath = path;
  const std::string error = SaveBytesAtomically(ToFsPath(path), bytes);
  if (!error.empty()) return SnapshotFailed("The undo step cannot be saved: " + error);
  m_written.set(static_cast<size_t>(slot));
  m_bUnsavedEdit = false;
  if (dropOldest) m_nBase = (m_nBase + 1) % kSlotCount;
  m_nIndex = m_nTop = index;
  // The steps that Redo could have reached are gone with the new edit.
  for (int k = index + 1; k <= kMaxIndex; ++k) RemoveSlotFile(SlotOf(k));
  return TRUE;
}

BOOL CUndoBuffer::SnapshotFailed(const std::string& reason) {
  if (!m_bUnsavedEdit) Report(reason + "\nUndo is unavailable until undo steps can be saved again.");
  m_bUnsavedEdit = true;
  m_strFailure = reason;
  return FALSE;
}

bool CUndoBuffer::SayUnavailable(bool undo) const {
  if (!m_bUnsavedEdit) return false;
  Report(std::string(undo ? "Cannot undo" : "Cannot redo") +
         ": the last edits could not be kept as an undo step (" + m_strFailure +
         "). Undo and Redo work again once a step can be saved.");
  return true;
}

BOOL CUndoBuffer::Undo() {
  if (SayUnavailable(true)) return FALSE;
  if (!m_pDoc || !CanUndo()) return FALSE;
  if (!LoadSnapshot(m_nIndex - 1, true)) return FALSE;
  --m_nIndex;
  return TRUE;
}

BOOL CUndoBuffer::Redo() {
  if (SayUnavailable(false)) return FALSE;
  if (!m_pDoc || !CanRedo()) return FALSE;
  if (!LoadSnapshot(m_nIndex + 1, false)) return FALSE;
  ++m_nIndex;
  return TRUE;
}

bool CUndoBuffer::LoadSnapshot(int index, bool undo) {
  CZaradDoc* doc = m_pDoc;
  const std::string failure = undo ? "Cannot undo: " : "Cannot redo: ";
  const std::string leftAlone = " The diagram is left as it is.";
  const int slot = SlotOf(index);

  if (!m_written.test(static_cast<size_t>(slot))) {
    if (index != 0 || m_nBase != 0 || !m_bEmptyStart) {
      Report(failure + "the step was never saved." + leftAlone);
      return false;
    }
    // Number 0 before any step was dropped: the state before the first
    // snapshot of a new document, the empty diagram.
    ClearDiagram(doc);
  } else {
    if (!FolderIsOurs()) {
      Report(failure + "the folder of the undo steps was removed or replaced." + leftAlone);
      return false;
    }
    const CString path = SlotPath(slot);
    m_strPath = path;
    std::vector<BYTE> bytes;
    std::string error = ReadFileBytes(ToFsPath(path), bytes, kMaxDiagramFileBytes);
    if (!error.empty()) {
      Report(failure + "the saved step cannot be read (" + error + ")." + leftAlone);
      return false;
    }
    // The diagram being left is set aside while the snapshot loads, and put
    // back when the load fails (the load itself restores the settings).
    CHeldDiagram held(doc);
    CString loadError;
    bool loaded = false;
    try {
      loaded = doc->LoadFromBytes(bytes, path.ToUtf8(), &loadError);
    } catch (const std::exception& e) {
      loadError = CString::FromUtf8(e.what());
    }
    if (!loaded) {
      held.PutBack(doc);
      Report(failure + "the saved step is damaged (" + loadError.ToUtf8() + ")." + leftAlone);
      return false;
    }
  }
  doc->SetModifiedFlag(TRUE);
  if (g_reloadListener) g_reloadListener->OnDocumentReloaded(doc);
  return true;
}
