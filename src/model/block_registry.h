// The number space of blocks and operands (OperandNumber), the ranges of the
// operand-like types, the per-type limits and the model-dependent memory costs
// that CZaradDoc's registry works with.
#pragma once

#include "platform/types.h"

constexpr int kFirstFunctionBlockNumber = 9000;  // "B0"
constexpr int kLastFunctionBlockNumber = 10999;
constexpr int kMaxFunctionBlocks = 1024;
constexpr int kProgramMemoryLimit = 0x6000;  // bytes of the device's program area
constexpr int kDataLogNumber = 8950;
constexpr int kPowerBusNumber = -1;
constexpr int kFemaleNumberOffset = 2000;  // a female half's number is its male half's plus 2000

// Operand ranges that ladder coils and ladder analog outputs address.
constexpr int kFirstOutputOperand = 600;          // Q, 128 numbers
constexpr int kFirstFlagOperand = 1316;           // M, 512 numbers
constexpr int kFirstOpenConnectorOperand = 4800;  // X, 128 numbers
constexpr int kFirstAnalogOutputOperand = 4230;   // AQ, 32 numbers
constexpr int kFirstAnalogFlagOperand = 4288;     // AM, 512 numbers
constexpr int kOutputOperandCount = 128;
constexpr int kFlagOperandCount = 512;
constexpr int kOpenConnectorOperandCount = 128;
constexpr int kAnalogOutputOperandCount = 32;
constexpr int kAnalogFlagOperandCount = 512;
constexpr int kDefaultContactOperand = 100;         // make and break contacts address I1
constexpr int kDefaultAnalogContactOperand = 4000;  // analog contacts address AI1

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
