// The Chinese texts of the page controls, by control or text id, for the
// parameter pages and sheets (the user-interface text table of the pages).
#pragma once

#include "platform/cstring.h"

// The Chinese text of an id; empty when the table has none.
CString ChineseUiText(int id);
