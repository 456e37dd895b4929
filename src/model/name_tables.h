// The display names of block kinds and block parameters.
#pragma once

#include <vector>

#include "model/block_captions.h"
#include "platform/cstring.h"

using CStringArray = std::vector<CString>;

// Block type code to the bracketed kind name ("[Output]"), in the language of
// the user interface; rebuilt by every document constructor.
extern BlockNameMap g_BlockTypeNames;

// Parameter index to the parameter's display name (145 entries, English in
// both interfaces); message texts, the data log and the program image name a
// block parameter by its index.
extern CStringArray g_ParameterNames;

constexpr int kParameterNameCount = 145;

// Sets every entry of g_BlockTypeNames for the current interface language
// (g_LanguageIsChinese); existing entries are overwritten, none removed. The
// English interface names 116 kinds; the Chinese one takes 47 names from the
// string table as " [text]", leaves out the cursor key 601 and the soft key 811,
// and keeps the English names for the other kinds except the four WiFi blocks.
void BuildBlockTypeNames();

// Sets g_ParameterNames to its 145 entries (131 to 137 empty).
void BuildParameterNames();
