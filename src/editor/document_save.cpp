#include "editor/document_save.h"

#include <filesystem>
#include <system_error>

#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

namespace {

const char16_t kFailedToSave[] = u"Failed to save document.";
const char16_t kFbdExtension[] = u".bfb";

std::filesystem::path ToPath(const CString& path) {
  return std::filesystem::path(path.ToUtf8());
}

}  // namespace

CString GetAbsoluteFilePath(const CString& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(ToPath(path), ec);
  return ec ? path : CString::FromUtf8(absolute.lexically_normal().string());
}

CString GetFileTitle(const CString& path) {
  return CString::FromUtf8(ToPath(path).filename().string());
}

CString GetDefaultSaveName(const CString& title, int kind) {
  CString name = title;
  const int cut = name.FindOneOf(CString(u" #%;/\\"));
  if (cut >= 0) name = name.Left(cut);
  name += kind == kDocLadder ? LoadString(IDS_LADDER_EXT) : CString(kFbdExtension);
  return name;
}

bool SaveDocument(CSavableDocument& doc, const CString& path, CSaveNamePrompt* prompt, bool replace) {
  CString target = path;
  if (target.IsEmpty()) {
    target = doc.GetPathName();
    if (target.IsEmpty()) target = GetDefaultSaveName(doc.GetTitle(), doc.GetKind());
    if (prompt == nullptr || !prompt->PromptSaveFileName(doc, &target) || target.IsEmpty()) return false;
  }
  // A failed save leaves the file that was there untouched; nothing is removed.
  CString error;
  if (!doc.OnSaveDocument(target, &error)) {
    AfxMessageBox(error.IsEmpty() ? CString(kFailedToSave) : error, MB_OK | MB_ICONEXCLAMATION);
    return false;
  }
  if (replace) {
    doc.SetPathName(GetAbsoluteFilePath(target));
    doc.SetTitle(GetFileTitle(target));
    doc.SetModifiedFlag(false);
  }
  return true;
}

bool SaveDocument(CSavableDocument& doc, CSaveNamePrompt* prompt) {
  return SaveDocument(doc, doc.GetPathName(), prompt);
}

bool SaveModifiedDocument(CSavableDocument& doc, CSaveNamePrompt* prompt) {
  if (!doc.IsModified()) return true;
  const CString name = doc.GetPathName().IsEmpty() ? doc.GetTitle() : doc.GetPathName();
  CString text = LoadString(AFX_IDP_ASK_TO_SAVE);
  text.Replace(CString(u"%1"), name);
  switch (AfxMessageBox(text, MB_YESNOCANCEL | MB_ICONEXCLAMATION, AFX_IDP_ASK_TO_SAVE)) {
    case IDCANCEL:
      return false;
    case IDYES:
      return SaveDocument(doc, prompt);
    default:
      return true;
  }
}
