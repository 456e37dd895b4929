// The block type codes, the operand number ranges, the link codes and the
// fixed block numbers, named once for the whole system. Every other file uses
// these names; none spells the numbers.
#pragma once

// ---- Block type codes (CBlockObj::m_nType) ----------------------------------
// Logic gates.
constexpr int kTypeAnd = 300;
constexpr int kTypeAndEdge = 301;
constexpr int kTypeNand = 302;
constexpr int kTypeNandEdge = 303;
constexpr int kTypeOr = 304;
constexpr int kTypeNor = 305;
constexpr int kTypeXor = 306;
constexpr int kTypeNot = 307;
constexpr int kFirstLogicType = 300;
constexpr int kLastLogicType = 307;
// Time functions (CBlockTime and its families).
constexpr int kTypeRPR = 405;
constexpr int kTypeRG = 407;
constexpr int kTypeWT = 410;  // weekly timer
constexpr int kTypeYT = 411;  // yearly timer
constexpr int kTypeAC = 412;  // astronomical clock
constexpr int kTypeSW = 413;  // stopwatch
// Operand blocks.
constexpr int kTypeInput = 600;          // I
constexpr int kTypeCursorKey = 601;      // C
constexpr int kTypeShiftBit = 602;       // S
constexpr int kTypeLowSignal = 603;      // Lo
constexpr int kTypeHighSignal = 604;     // Hi
constexpr int kTypeOutput = 605;         // Q
constexpr int kTypeOpenConnector = 606;  // X
constexpr int kTypeFlag = 607;           // M
constexpr int kTypeAnalogInput = 608;    // AI
constexpr int kTypeAnalogOutput = 609;   // AQ
constexpr int kTypeAnalogFlag = 610;     // AM
constexpr int kTypeFunctionKey = 611;    // F
constexpr int kFirstOperandType = 600;
constexpr int kLastOperandType = 611;
// Ladder elements.
constexpr int kTypeMakeContact = 700;
constexpr int kTypeBreakContact = 701;
constexpr int kTypeAnalogContact = 702;
constexpr int kTypeRelayCoil = 703;
constexpr int kTypeInvertedCoil = 704;
constexpr int kTypeLadderAnalogOutput = 705;
constexpr int kFirstLadderType = 700;
constexpr int kLastLadderType = 705;
// Extended functions.
constexpr int kFirstExtendedType = 800;
constexpr int kTypeMessageText = 810;
constexpr int kTypeSoftKey = 811;
constexpr int kTypeShiftRegister = 812;
constexpr int kTypeAnalogFilter = 820;
constexpr int kTypeMemoryModelCost = 814;  // the other block whose cost follows the model
constexpr int kTypeCrc16 = 856;
// Structural elements.
constexpr int kTypeMaleConnector = 900;
constexpr int kTypeFemaleConnector = 901;
constexpr int kLastFunctionType = 910;  // function blocks are numbered up to here
constexpr int kTypeDataLog = 911;
constexpr int kTypePowerBus = 951;
constexpr int kLastTypeCode = 999;

constexpr bool IsLogicType(int type) {
  return type >= kFirstLogicType && type <= kLastLogicType;
}
constexpr bool IsOperandType(int type) {
  return type >= kFirstOperandType && type <= kLastOperandType;
}
constexpr bool IsLadderType(int type) {
  return type >= kFirstLadderType && type <= kLastLadderType;
}
constexpr bool IsConnectorType(int type) {
  return type == kTypeMaleConnector || type == kTypeFemaleConnector;
}

// ---- Fixed block numbers (CBlockObj::m_nNumber) -----------------------------
constexpr int kFirstFunctionBlockNumber = 9000;  // "B0"
constexpr int kLastFunctionBlockNumber = 10999;
constexpr int kMaxFunctionBlocks = 1024;
constexpr int kProgramMemoryLimit = 0x6000;  // bytes of the device's program area
constexpr int kDataLogNumber = 8950;         // "L0"
constexpr int kPowerBusNumber = -1;
constexpr int kFirstMaleNumber = 5000;    // male connector halves, 1900 numbers
constexpr int kFirstFemaleNumber = 7000;  // female connector halves, 1900 numbers
constexpr int kConnectorNumberCount = 1900;
constexpr int kFemaleNumberOffset = kFirstFemaleNumber - kFirstMaleNumber;  // female = male + 2000
constexpr int kLastOperandNumber = 8999;                                    // ladder operand lookups end here

// ---- Operand numbers (what operand blocks and ladder elements address) -----
constexpr int kFirstInputOperand = 100;  // I, 256 numbers
constexpr int kInputOperandCount = 256;
constexpr int kLastInputOperand = kFirstInputOperand + kInputOperandCount - 1;
constexpr int kFirstOutputOperand = 600;  // Q, 128 numbers
constexpr int kOutputOperandCount = 128;
constexpr int kFirstShiftBitOperand = 1000;  // S, 16 numbers (64 in the newer series)
constexpr int kShiftBitOperandCount = 16;
constexpr int kShiftBitOperandCountNewer = 64;
constexpr int kFirstCursorKeyOperand = 1280;  // C, 4 numbers
constexpr int kCursorKeyOperandCount = 4;
constexpr int kFirstFunctionKeyOperand = 1300;  // F, 5 numbers
constexpr int kFunctionKeyOperandCount = 5;
constexpr int kFirstFlagOperand = 1316;  // M, 512 numbers
constexpr int kFlagOperandCount = 512;
constexpr int kFirstLowOperand = 1870;  // Lo, 1000 numbers
constexpr int kLowOperandCount = 1000;
constexpr int kFirstHighOperand = 2900;  // Hi, 1000 numbers
constexpr int kHighOperandCount = 1000;
constexpr int kFirstAnalogInputOperand = 4000;  // AI, 64 numbers (contacts reach 128)
constexpr int kAnalogInputOperandCount = 64;
constexpr int kLastAnalogContactInput = 4127;
constexpr int kFirstAnalogOutputOperand = 4230;  // AQ, 32 numbers
constexpr int kAnalogOutputOperandCount = 32;
constexpr int kFirstAnalogFlagOperand = 4288;  // AM, 512 numbers
constexpr int kAnalogFlagOperandCount = 512;
constexpr int kFirstOpenConnectorOperand = 4800;  // X, 128 numbers
constexpr int kOpenConnectorOperandCount = 128;
constexpr int kDefaultContactOperand = kFirstInputOperand;              // contacts address I1
constexpr int kDefaultAnalogContactOperand = kFirstAnalogInputOperand;  // analog contacts address AI1
// Ladder element numbers.
constexpr int kFirstMakeContactNumber = 12000;
constexpr int kFirstBreakContactNumber = 15000;
constexpr int kFirstAnalogContactNumber = 18000;
constexpr int kContactNumberCount = 2560;
constexpr int kFirstCoilNumber = 21000;
constexpr int kCoilNumberCount = 768;
constexpr int kFirstLadderAnalogOutputNumber = 22000;
constexpr int kLadderAnalogOutputNumberCount = 544;

// ---- Link codes that stand in CBlockObj::m_nSource instead of a number ------
constexpr int LINK_OPEN = 52;   // input pin not wired
constexpr int LINK_EMPTY = 53;  // empty operand slot of the program image (a zero word)
constexpr int LINK_PARAM = 55;  // the block's main parameter
constexpr int kFirstLinkCode = 52;
constexpr int kLastWalkedLinkCode = 75;  // links 52..75 are never looked up as blocks
constexpr int kLinkParamSlot = 72;       // a parameter slot of the program image (71..75 name them)
constexpr int kLastLinkCode = 101;

// True for a link that names no block (the codes 52..101).
constexpr bool IsLinkCode(int source) {
  return source >= kFirstLinkCode && source <= kLastLinkCode;
}
// True for the links that never name a block on an input pin (52..75).
constexpr bool IsWalkedLinkCode(int source) {
  return source >= kFirstLinkCode && source <= kLastWalkedLinkCode;
}
