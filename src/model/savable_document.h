// CSavableDocument: an open document as saving sees it. The document owns its
// title, path and modified flag; the save sequence (editor/document_save.h)
// and the windows that show the document read and set them here.
#pragma once

#include "platform/cstring.h"

class CSavableDocument {
 public:
  virtual ~CSavableDocument() = default;

  virtual const CString& GetTitle() const = 0;
  virtual void SetTitle(const CString& title) = 0;
  virtual const CString& GetPathName() const = 0;
  virtual void SetPathName(const CString& path) = 0;
  virtual bool IsModified() const = 0;
  virtual void SetModifiedFlag(bool modified) = 0;
  // DocumentKind: 1 FBD, 2 ladder.
  virtual int GetKind() const = 0;
  // Writes the document to the path, replacing the file only when complete; on
  // failure the error holds a text for the user and the old file is untouched.
  virtual bool OnSaveDocument(const CString& path, CString* error) = 0;
};
