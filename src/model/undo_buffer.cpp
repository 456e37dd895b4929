// The undo store: snapshot files in a ring of 31 slots, the scratch load that
// guards every reload, and the fix-ups after one.
#include "model/undo_buffer.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "model/shell_context.h"
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

// A document that only checks that a snapshot loads. It is made and destroyed
// under a quiet shell, so that the main frame's document count, information
// bar and next-document kind do not see it.
class CScratchDoc {
 public:
  CScratchDoc() {
    CScopedShellContext quiet(&m_quiet);
    m_doc = std::make_unique<CZaradDoc>();
  }
  ~CScratchDoc() {
    CScopedShellContext quiet(&m_quiet);
    m_doc.reset();
  }
  CScratchDoc(const CScratchDoc&) = delete;
  CScratchDoc& operator=(const CScratchDoc&) = delete;
  CZaradDoc* get() const { return m_doc.get(); }

 private:
  CShellContext m_quiet;
  std::unique_ptr<CZaradDoc> m_doc;
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
  m_nTop = m_nIndex = 0;
  for (int slot = 0; slot < kSlotCount; ++slot) RemoveSlotFile(slot);
  if (!m_strFolder.IsEmpty()) {
    std::error_code ec;
    std::filesystem::remove(ToFsPath(m_strFolder), ec);  // only when empty: others' files stay
  }
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

CString CUndoBuffer::GetSnapshotPath(int index) const {
  if (m_strFolder.IsEmpty() || index < 0 || index > kMaxIndex) return CString();
  return m_strFolder + FormatString(u"%03d.tmp", SlotOf(index)) + m_strSuffix;
}

bool CUndoBuffer::EnsureFolder() {
  if (!m_strFolder.IsEmpty()) return true;
  std::string error;
  CString folder = MakeUniqueFolder(m_strTempPath, CString(u"RivirIrud") + m_strSuffix + u".", &error);
  if (folder.IsEmpty()) {
    Report("The undo steps cannot be kept: " + error);
    return false;
  }
  m_strFolder = folder;
  m_strPath = folder;
  return true;
}

void CUndoBuffer::RemoveSlotFile(int slot) {
  if (!m_written.test(static_cast<size_t>(slot)) || m_strFolder.IsEmpty()) return;
  std::error_code ec;
  std::filesystem::remove(ToFsPath(m_strFolder + FormatString(u"%03d.tmp", slot) + m_strSuffix), ec);
  m_written.reset(static_cast<size_t>(slot));
}

BOOL CUndoBuffer::SaveSnapshot(CZaradDoc* doc) {
  if (!doc) return FALSE;
  m_pDoc = doc;
  if (!EnsureFolder()) return FALSE;

  std::vector<BYTE> bytes;
  try {
    bytes = doc->SaveToBytes();
  } catch (const std::exception& e) {
    Report(std::string("The undo step cannot be saved: ") + e.what());
    return FALSE;
  }

  // From the newest of 30 steps the oldest step gives way: its file takes the
  // new snapshot. Otherwise the step after the current one is (over)written.
  const bool dropOldest = m_nIndex >= kMaxIndex;
  const int index = dropOldest ? kMaxIndex : m_nIndex + 1;
  const int slot = dropOldest ? SlotOf(0) : SlotOf(index);
  const CString path = m_strFolder + FormatString(u"%03d.tmp", slot) + m_strSuffix;
  m_strPath = path;
  const std::string error = SaveBytesAtomically(ToFsPath(path), bytes);
  if (!error.empty()) {
    Report("The undo step cannot be saved: " + error);
    return FALSE;
  }
  m_written.set(static_cast<size_t>(slot));
  if (dropOldest) m_nBase = (m_nBase + 1) % kSlotCount;
  m_nIndex = m_nTop = index;
  // The steps that Redo could have reached are gone with the new edit.
  for (int k = index + 1; k <= kMaxIndex; ++k) RemoveSlotFile(SlotOf(k));
  return TRUE;
}

BOOL CUndoBuffer::Undo() {
  if (!m_pDoc || !CanUndo()) return FALSE;
  if (!LoadSnapshot(m_nIndex - 1, true)) return FALSE;
  --m_nIndex;
  return TRUE;
}

BOOL CUndoBuffer::Redo() {
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
    if (index != 0 || m_nBase != 0) {
      Report(failure + "the step was never saved." + leftAlone);
      return false;
    }
    // Number 0 before any step was dropped: the state before the first
    // snapshot of a new document, the empty diagram.
    ClearDiagram(doc);
  } else {
    const CString path = m_strFolder + FormatString(u"%03d.tmp", slot) + m_strSuffix;
    m_strPath = path;
    std::vector<BYTE> bytes;
    std::string error = ReadFileBytes(ToFsPath(path), bytes);
    if (!error.empty()) {
      Report(failure + "the saved step cannot be read (" + error + ")." + leftAlone);
      return false;
    }
    CString loadError;
    try {
      CScratchDoc scratch;
      if (!scratch.get()->LoadFromBytes(bytes, path.ToUtf8(), &loadError)) {
        Report(failure + "the saved step is damaged (" + loadError.ToUtf8() + ")." + leftAlone);
        return false;
      }
    } catch (const std::exception& e) {
      Report(failure + e.what() + "." + leftAlone);
      return false;
    }
    // The snapshot loads: read it into the document itself.
    ClearDiagram(doc);
    bool loaded = false;
    try {
      loaded = doc->LoadFromBytes(bytes, path.ToUtf8(), &loadError);
    } catch (const std::exception& e) {
      loadError = CString::FromUtf8(e.what());
    }
    if (!loaded) {
      // Not expected once the scratch load passed: put the current step back.
      Report(failure + "the saved step could not be loaded (" + loadError.ToUtf8() + ").");
      RestoreCurrentStep();
      return false;
    }
  }
  doc->SetModifiedFlag(TRUE);
  if (g_reloadListener) g_reloadListener->OnDocumentReloaded(doc);
  return true;
}

void CUndoBuffer::RestoreCurrentStep() {
  const int slot = SlotOf(m_nIndex);
  if (!m_written.test(static_cast<size_t>(slot))) return;
  const CString path = m_strFolder + FormatString(u"%03d.tmp", slot) + m_strSuffix;
  std::vector<BYTE> bytes;
  CString error;
  if (!ReadFileBytes(ToFsPath(path), bytes).empty()) return;
  ClearDiagram(m_pDoc);
  try {
    m_pDoc->LoadFromBytes(bytes, path.ToUtf8(), &error);
  } catch (const std::exception&) {
    ClearDiagram(m_pDoc);
  }
}
