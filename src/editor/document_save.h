// Saving a document and asking to save it: the one Save, Save As and "Save
// changes to ...?" sequence of the program. The document owns its title, path
// and modified flag; the user is asked through the message sink, and for a file
// name through a prompt that the window side supplies (the Save As dialog).
#pragma once

#include "model/savable_document.h"
#include "platform/cstring.h"

// The Save As dialog.
class CSaveNamePrompt {
 public:
  virtual ~CSaveNamePrompt() = default;
  // Asks where to save the document, proposing *path; false when the user cancels.
  virtual bool PromptSaveFileName(CSavableDocument& doc, CString* path) = 0;
};

// The absolute, normalised form of a path (unchanged when it cannot be formed),
// and the file name at its end: the path and title a saved or opened document takes.
CString GetAbsoluteFilePath(const CString& path);
CString GetFileTitle(const CString& path);

// The file name proposed for a document without a path: the title up to the
// first of " #%;/\\" and the kind's extension (".bfb", or ".bld" for a ladder).
CString GetDefaultSaveName(const CString& title, int kind);

// Save and Save As: writes the document to path; an empty path asks for one
// (proposing the document's path, or the default name when it has none; no
// prompt counts as a cancel). A failure is shown through the message sink. With
// replace, the document then takes the absolute path, its file name as title,
// and is no longer modified. False when cancelled or failed.
bool SaveDocument(CSavableDocument& doc, const CString& path, CSaveNamePrompt* prompt, bool replace = true);
// Save: under the document's path, or through Save As when it has none.
bool SaveDocument(CSavableDocument& doc, CSaveNamePrompt* prompt);
// Asks "Save changes to <path or title>?" (Yes, No, Cancel) for a modified
// document: Yes saves, No keeps the changes unsaved. False when the user
// cancels or the save fails; true at once for an unmodified document.
bool SaveModifiedDocument(CSavableDocument& doc, CSaveNamePrompt* prompt);
