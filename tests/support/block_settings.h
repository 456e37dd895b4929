// Settings away from a block's defaults, for the tests that carry a block along
// a path (conversion, compiling, decoding) and compare what arrives.
#pragma once

#include <vector>

#include "model/block_obj.h"
#include "platform/types.h"

// Every generic parameter word (time values, bases, options), the four
// references (to partner, when given), the name and the fields of the families
// that have their own. Variant 0 and 1 give two different sets (the words
// alternate 1, 2 and 2, 1; other references in use; other analog fields);
// variant 2 gives the words 0, 1, 2 in turn and larger values to the
// families' own fields (several digits, negative analog values).
void SetNonDefaultParameters(CBlockObj& b, CBlockObj* partner, int variant = 0);

// The function-block kinds a model's palette offers in an FBD (ladder false)
// or in a ladder diagram (ladder true), data log included.
std::vector<int> PaletteFunctionTypes(WORD model, bool ladder);
