// The number space of blocks and operands (OperandNumber), the ranges of the
// operand-like types, the per-type limits and the model-dependent memory costs
// that CZaradDoc's registry works with. The numbers themselves are named in
// model/block_codes.h.
#pragma once

#include "model/block_codes.h"
#include "platform/types.h"

// First number and size of a type's number range; size 0 when the type has none.
struct OperandRange {
  int nFirst = 0;
  int nSize = 0;
};

// The range of an operand-like type for a device family.
OperandRange GetOperandRange(int typeCode, int family);
// Types that AddBlock numbers by their range (the operand blocks, ladder
// elements, connector halves and the data log); all others are function blocks.
bool IsOperandLikeType(int typeCode);
// The same for a pasted block: connector halves and the data log are not among them.
bool IsPastedOperandLikeType(int typeCode);
// The types counted together for a type's limit (703 and 704 share one).
bool IsSameLimitGroup(int limitType, int blockType);
// Blocks of a type that a document of the family allows; 0 for a type without a limit.
int GetTypeLimitForFamily(int typeCode, int family);
// Memory cost of the model-dependent types (411, 812, 814) for a model code; 0 for other types.
int GetModelMemoryCost(int typeCode, WORD modelCode);
// What placing a block of the type adds to the program memory for the budget
// check, where the catalogue gives a figure of its own (the model-dependent
// types, the soft key, the CRC); -1 where the block's own cost word stands.
int GetPlacementCheckCost(int typeCode, WORD modelCode);
