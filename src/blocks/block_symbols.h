// The choice of symbol painter for a block, and the symbol texts by type code.
// The painters themselves are members of CBlockObj (block_obj.h).
#pragma once

class CBlockObj;

enum class SymbolPainter {
  kNone,          // plain blocks without a class (the soft key 811 and others)
  kOperand,       // 600-611
  kLadder,        // contacts, coils, ladder analog outputs
  kLogic,         // 300-307
  kTimer,         // the time functions
  kSpecial,       // counters, analog functions, relays, shift register, Modbus, WiFi ...
  kDataFunction,  // data, extended and communication functions (newer series)
  kMath,          // math functions (newer series)
  kDataLog,       // the data log (newer series)
};

// The painter CBlockObj::DrawBlockSymbol uses: by type code for the operand
// blocks, else by the block's class.
SymbolPainter GetSymbolPainter(const CBlockObj& block);
// The main text of a type's symbol ("&", "ON-D", "U/D", "BCD", "SQRT", "L"),
// null for types whose symbol is a pictogram only or that have none.
const char16_t* GetBlockSymbolText(int typeCode);
