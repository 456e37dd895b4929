// The texts of the diagram's hover tip: for each kind of block, the title
// shown over its body and the name of each input pin.
#pragma once

#include "platform/cstring.h"

class CBlockObj;

// Column of the block body in the pin texts (pins are 0-9 inputs, 10-19 outputs).
constexpr int kPinTextBody = 20;

// The hover text of a block's pin (0..19) or body (kPinTextBody): loaded from
// the string table. Empty for an output pin, a pin the type does not name and
// a block whose type has no texts (connector halves among them).
CString GetPinText(const CBlockObj* block, int pin);
