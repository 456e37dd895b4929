// CUndoBuffer: the undo store of one document. After every completed edit the
// editing code asks it to write the whole document (a complete diagram file)
// into the next numbered snapshot; Undo and Redo read the previous or next
// snapshot back into the same document object. Up to 30 steps are kept.
//
// The snapshots live in a folder of their own under the temporary folder,
// created (uniquely, readable only by the user, named with the process number and
// locked while the store lives) with the first snapshot and removed with the store. Only the snapshot files
// that the store wrote are ever deleted. A snapshot is written under a temporary name and renamed, so a
// failed write keeps the step that was there.
//
// Snapshot numbers 0 .. 30 are logical: they map onto 31 files used as a
// ring, so that dropping the oldest step when the store is full renames
// nothing (there is no rename cascade that could stop half way).
//
// Undo and Redo set the document's diagram aside while a snapshot loads and
// give it back when the load fails: a missing or damaged snapshot leaves the
// diagram as it is (the same objects), is reported through the message sink
// and keeps the current step. A reload empties the power-bus list and the two ladder
// maps first, marks the document modified, and tells the reload listener (the
// views of the document) to reset their scroll sizes and message slots.
#pragma once

#include <bitset>
#include <string>

#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;

// What the views of a document do after an Undo or Redo reloaded it: set the
// scroll size from the document's m_rcDiagram and rebuild the message-slot
// flags from its message-text blocks. The gui installs one; none by default.
class CUndoReloadListener {
 public:
  virtual ~CUndoReloadListener() = default;
  virtual void OnDocumentReloaded(CZaradDoc* doc) = 0;
};

// Installs the listener (null removes it) and returns the previous one.
CUndoReloadListener* SetUndoReloadListener(CUndoReloadListener* listener);

// Removes from the temporary folder the snapshot folders that stores of this user left
// when their program died (a crash, kill -9): only the user's own private folders whose
// process is gone and whose lock no one holds, and in them only snapshot files (a folder
// holding anything else stays). The first store of a process calls it. Returns the
// number of folders removed.
int RemoveLeftUndoFolders(const CString& tempFolder);

class CUndoBuffer {
 public:
  static constexpr int kMaxIndex = 30;              // snapshot numbers 0 .. 30
  static constexpr int kSlotCount = kMaxIndex + 1;  // files of the ring

  CUndoBuffer();
  // Deletes the snapshot files the store wrote and its folder (when empty).
  ~CUndoBuffer();
  CUndoBuffer(const CUndoBuffer&) = delete;
  CUndoBuffer& operator=(const CUndoBuffer&) = delete;

  // Writes doc as the snapshot after the current one, which becomes the newest:
  // the redo steps beyond the current one are dropped. When the current step is
  // number 30, the oldest step is dropped first. On failure the result is FALSE
  // and the diagram has an edit that no step holds: Undo and Redo are unavailable
  // (said once, with the first failure) until a snapshot is written again, which
  // then holds every edit since the last step. When the folder of the snapshots
  // is gone or is no longer the one the store made, the earlier steps are lost: a
  // new private folder is made and the history starts again from this snapshot.
  BOOL SaveSnapshot(CZaradDoc* doc);
  // Drops every step and starts the history again with doc as number 0
  // (nothing to undo), as for a document built by a command in one go.
  BOOL RestartWith(CZaradDoc* doc);
  // Reloads the previous snapshot into the document. Going back to number 0
  // of a document whose first snapshot was never dropped gives the empty
  // diagram. FALSE when there is no document, nothing to undo, or the snapshot
  // cannot be read (reported; the diagram and the step stay as they are).
  BOOL Undo();
  // Reloads the next snapshot; FALSE as for Undo.
  BOOL Redo();
  BOOL CanUndo() const { return (!m_bUnsavedEdit && m_nIndex > 0) ? TRUE : FALSE; }
  BOOL CanRedo() const {
    return (!m_bUnsavedEdit && m_nIndex >= 0 && m_nTop > 0 && m_nIndex < m_nTop) ? TRUE : FALSE;
  }
  // The diagram holds an edit that no step has (a snapshot could not be written):
  // Undo and Redo stay offered, and say why they cannot run.
  bool IsUnavailable() const { return m_bUnsavedEdit; }
  // m_strSuffix: "." and a stamp of the local time (part of the folder's name).
  void MakeSuffix();

  // The folder of the snapshots (ending in '/'); empty before the first snapshot.
  const CString& GetFolder() const { return m_strFolder; }
  // The file that holds snapshot number index (0 .. 30) now.
  CString GetSnapshotPath(int index) const;

  // ---- Members, in declaration order -----------------------------------------
  int m_nIndex = 0;             // snapshot the document shows now, 0 .. 30
  CString m_strPath;            // the path last built (folder or snapshot file)
  CZaradDoc* m_pDoc = nullptr;  // document of the last SaveSnapshot; not owned
  CString m_strTempPath;        // the temporary folder, ending in '/'
  int m_nTop = 0;               // newest snapshot written; 0 when none
  CString m_strSuffix;          // "." and the instance stamp

 private:
  int SlotOf(int index) const { return (m_nBase + index) % kSlotCount; }
  // The file of a ring slot: "%03d.tmp" and the suffix in the folder.
  CString SlotPath(int slot) const;
  // Makes the folder of the snapshots when there is none; false with the reason.
  bool EnsureFolder(std::string* error);
  // Whether the folder is still the one the store made (same file, a folder, the user's).
  bool FolderIsOurs() const;
  // Forgets the steps of a folder that is gone or was replaced; nothing in it is touched.
  void ForgetFolder();
  // Brings the document to snapshot index; false (reported) when it cannot.
  bool LoadSnapshot(int index, bool undo);
  // Marks the diagram as holding an edit no step has, says so once; FALSE.
  BOOL SnapshotFailed(const std::string& reason);
  // While steps are unavailable: says so for Undo (or Redo) and gives true.
  bool SayUnavailable(bool undo) const;
  // Deletes the file of a ring slot when the store wrote it.
  void RemoveSlotFile(int slot);

  CString m_strFolder;                // created folder, ending in '/'
  int m_nBase = 0;                    // ring slot of snapshot number 0
  std::bitset<kSlotCount> m_written;  // ring slots whose file the store wrote
  int m_folderFd = -1;                // the folder the store made, held open
  bool m_bUnsavedEdit = false;        // the diagram holds an edit whose snapshot failed
  std::string m_strFailure;           // why the last snapshot failed
  bool m_bEmptyStart = true;          // number 0, when never written, is the empty diagram
};
