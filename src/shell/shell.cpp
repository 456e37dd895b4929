#include "shell/shell.h"

#include "shell/document_window.h"

CZaradDoc* CShell::GetActiveDocument() const {
  DocumentWindow* window = GetActiveDocumentWindow();
  return window ? window->GetDocument() : nullptr;
}
