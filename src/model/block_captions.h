// The caption catalogue: the bracketed caption of each function-block type,
// which block lists print after "B%d" (for example "B3[Up/Down Counter]").
#pragma once

#include <map>

#include "platform/cstring.h"
#include "platform/types.h"

// Block type code to a bracketed text.
using BlockNameMap = std::map<UINT, CString>;

// Block type code to caption; built by BuildBlockCaptionMap.
extern BlockNameMap g_BlockCaptionMap;

// Builds g_BlockCaptionMap anew with the captions of the 77 function-block
// types. Basic logic, operands, ladder elements, relays, soft keys, shift
// registers, Modbus, WiFi, connectors and the data log have no caption.
void BuildBlockCaptionMap();

// The text stored under code in map, or an empty text when there is none.
CString LookupBlockName(const BlockNameMap& map, UINT code);
