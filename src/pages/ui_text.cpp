#include "pages/ui_text.h"

#include "platform/string_table.h"

CString ChineseUiText(int id) {
  if (id < 0 || id > 0xFFFF) return CString();
  return LookupUiText(static_cast<UINT>(id));
}
