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
constexpr int kTypeDPR = 400;   // on-delay
constexpr int kTypeDDR = 401;   // off-delay
constexpr int kTypeMPLR = 402;  // on-/off-delay
constexpr int kTypePLR = 403;   // retentive on-delay
constexpr int kTypeCPG = 404;   // wiping relay (pulse output)
constexpr int kTypeRPR = 405;   // edge-triggered wiping relay
constexpr int kTypeAPG = 406;   // asynchronous pulse generator
constexpr int kTypeRG = 407;    // random generator
constexpr int kTypeSLS = 408;   // stairway lighting switch
constexpr int kTypeMFS = 409;   // multiple function switch
constexpr int kTypeWT = 410;    // weekly timer
constexpr int kTypeYT = 411;    // yearly timer
constexpr int kTypeAC = 412;    // astronomical clock
constexpr int kTypeSW = 413;    // stopwatch
constexpr int kFirstTimeType = kTypeDPR;
constexpr int kLastTimeType = kTypeSW;
constexpr int kLastPresetTimeType = kTypeMFS;  // 400..409 time against presets
constexpr int kLastOlderTimeType = kTypeYT;    // the older series offers 400..411
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
// Special functions (the extended functions' first group).
constexpr int kTypeCOUNTER = 800;   // up/down counter
constexpr int kTypeHCOUNTER = 801;  // hours counter
constexpr int kTypeTHTRG = 802;     // threshold trigger
constexpr int kTypeACOMP = 803;     // analog comparator
constexpr int kTypeATHTRG = 804;    // analog threshold trigger
constexpr int kTypeAAMP = 805;      // analog amplifier
constexpr int kTypeAWDOG = 806;     // analog watchdog
constexpr int kTypeADTRG = 807;     // analog differential trigger
constexpr int kTypeLR = 808;        // latching relay
constexpr int kTypePR = 809;        // pulse relay
constexpr int kTypeMessageText = 810;
constexpr int kTypeSoftKey = 811;
constexpr int kTypeShiftRegister = 812;
constexpr int kTypeMR = 813;     // Modbus read
constexpr int kTypeMW = 814;     // Modbus write
constexpr int kTypeAMATH = 815;  // mathematic instruction
constexpr int kTypeAMUX = 816;   // analog multiplexer
constexpr int kTypeARAMP = 817;  // analog ramp
constexpr int kTypePI = 818;     // PI controller
constexpr int kTypePWM = 819;
constexpr int kTypeAnalogFilter = 820;
constexpr int kTypeMAXMIN = 821;
constexpr int kTypeAVGVAL = 822;   // average value
constexpr int kTypeMATHERR = 823;  // mathematical instruction error detection
constexpr int kTypeWifiIn = 824;   // WiFi digital read
constexpr int kTypeWifiOut = 825;  // WiFi digital write
constexpr int kTypeWifiAI = 826;   // WiFi analog read
constexpr int kTypeWifiAQ = 827;   // WiFi analog write
constexpr int kFirstExtendedType = kTypeCOUNTER;
constexpr int kFirstAnalogType = kTypeACOMP;  // 803..807 work on analog values
constexpr int kLastAnalogType = kTypeADTRG;
constexpr int kFirstWifiType = kTypeWifiIn;
constexpr int kLastWifiType = kTypeWifiAQ;
constexpr int kLastSpecialType = kTypeWifiAQ;
// Data functions.
constexpr int kTypeBoolean = 830;
constexpr int kTypeTDT = 831;  // trigger date time
constexpr int kTypeBCD = 832;
constexpr int kTypeBIN = 833;
constexpr int kTypeROL = 834;
constexpr int kTypeROR = 835;
constexpr int kTypeSHL = 836;
constexpr int kTypeSHR = 837;
constexpr int kTypeANDM = 838;     // AND mask
constexpr int kTypeORM = 839;      // OR mask
constexpr int kTypeNOTM = 840;     // NOT mask
constexpr int kTypeNANDM = 841;    // NAND mask
constexpr int kTypeNORM = 842;     // NOR mask
constexpr int kTypeXORM = 843;     // XOR mask
constexpr int kTypeARRMXIV = 844;  // data array max/min/average
constexpr int kTypeACMXIV = 845;   // data max/min/average
constexpr int kTypeRAND = 846;
constexpr int kTypeMEM = 847;
constexpr int kTypeENCODER = 848;
constexpr int kTypeSMC = 849;   // stepping motor control
constexpr int kTypeSMCE = 850;  // stepping motor control (edge)
constexpr int kTypePTO = 851;   // pulse train output
constexpr int kTypePTOE = 852;  // pulse train output (edge)
constexpr int kTypeSEG = 853;   // segment display
constexpr int kTypeWORD2BIT = 854;
constexpr int kTypeUDC = 855;  // UDC communication
constexpr int kTypeCRC16 = 856;
constexpr int kFirstDataType = kTypeBoolean;
constexpr int kLastDataType = kTypeCRC16;
constexpr int kFirstMaskType = kTypeANDM;
constexpr int kLastMaskType = kTypeXORM;
// Math functions.
constexpr int kTypeODD = 860;
constexpr int kTypeEVEN = 861;
constexpr int kTypeMOD = 862;
constexpr int kTypeREM = 863;
constexpr int kTypeLOG = 864;
constexpr int kTypeSQRT = 865;
constexpr int kTypeABS = 866;
constexpr int kTypeGCD = 867;
constexpr int kTypeLCM = 868;
constexpr int kTypePOW2 = 869;
constexpr int kTypeEXP = 870;
constexpr int kTypeFIX = 871;
constexpr int kTypeROUND = 872;
constexpr int kTypeSIN = 873;
constexpr int kTypeCOS = 874;
constexpr int kTypeTAN = 875;
constexpr int kTypeCOT = 876;
constexpr int kTypeSEC = 877;
constexpr int kTypeCSC = 878;
constexpr int kTypeQUAD = 879;  // quadratic equation
constexpr int kFirstMathType = kTypeODD;
constexpr int kLastMathType = kTypeQUAD;
// Structural elements.
constexpr int kTypeMaleConnector = 900;
constexpr int kTypeFemaleConnector = 901;
constexpr int kTypeDataLog = 911;
constexpr int kTypePowerBus = 951;

// ---- The plan of type codes -------------------------------------------------
// Codes are allotted in ranges; readers of files and images (the pin table,
// the compiler, the block names) treat a code by its range even where no kind
// has that code. Each range starts at its family's first type.
constexpr int kLastLogicCode = 399;
constexpr int kLastTimeCode = 599;
constexpr int kLastOperandCode = 699;
constexpr int kLastLadderCode = 799;
constexpr int kLastSpecialCode = 829;
constexpr int kLastDataCode = 859;
constexpr int kLastExtendedCode = 899;  // special, data and math functions
constexpr int kLastStructuralCode = 910;
constexpr int kLastTypeCode = 999;

constexpr bool IsLogicType(int type) {
  return type >= kFirstLogicType && type <= kLastLogicType;
}
constexpr bool IsTimeType(int type) {
  return type >= kFirstTimeType && type <= kLastTimeType;
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

constexpr bool IsFunctionBlockNumber(int number) {
  return number >= kFirstFunctionBlockNumber && number <= kLastFunctionBlockNumber;
}

// ---- Operand numbers (what operand blocks and ladder elements address) -----
constexpr int kFirstInputOperand = 100;  // I, 256 numbers
constexpr int kInputOperandCount = 256;
constexpr int kLastInputOperand = kFirstInputOperand + kInputOperandCount - 1;
constexpr int kFirstOutputOperand = 600;  // Q, 128 numbers
constexpr int kOutputOperandCount = 128;
constexpr int kLastOutputOperand = kFirstOutputOperand + kOutputOperandCount - 1;
constexpr int kFirstShiftBitOperand = 1000;  // S, 16 numbers (64 in the newer series)
constexpr int kShiftBitOperandCount = 16;
constexpr int kShiftBitOperandCountNewer = 64;
constexpr int kLastShiftBitOperand = kFirstShiftBitOperand + kShiftBitOperandCountNewer - 1;
constexpr int kFirstCursorKeyOperand = 1280;  // C, 4 numbers
constexpr int kCursorKeyOperandCount = 4;
constexpr int kFirstFunctionKeyOperand = 1300;  // F, 5 numbers
constexpr int kFunctionKeyOperandCount = 5;
constexpr int kLastFunctionKeyOperand = kFirstFunctionKeyOperand + kFunctionKeyOperandCount - 1;
constexpr int kFirstFlagOperand = 1316;  // M, 512 numbers
constexpr int kFlagOperandCount = 512;
constexpr int kLastFlagOperand = kFirstFlagOperand + kFlagOperandCount - 1;
constexpr int kFirstLowOperand = 1870;  // Lo, 1000 numbers
constexpr int kLowOperandCount = 1000;
constexpr int kLastLowOperand = kFirstLowOperand + kLowOperandCount - 1;
constexpr int kFirstHighOperand = 2900;  // Hi, 1000 numbers
constexpr int kHighOperandCount = 1000;
constexpr int kLastHighOperand = kFirstHighOperand + kHighOperandCount - 1;
constexpr int kFirstAnalogInputOperand = 4000;  // AI, 64 numbers (contacts reach 128)
constexpr int kAnalogInputOperandCount = 64;
constexpr int kLastAnalogContactInput = 4127;
constexpr int kFirstAnalogOutputOperand = 4230;  // AQ, 32 numbers
constexpr int kAnalogOutputOperandCount = 32;
constexpr int kLastAnalogOutputOperand = kFirstAnalogOutputOperand + kAnalogOutputOperandCount - 1;
constexpr int kFirstAnalogFlagOperand = 4288;  // AM, 512 numbers
constexpr int kAnalogFlagOperandCount = 512;
constexpr int kLastAnalogFlagOperand = kFirstAnalogFlagOperand + kAnalogFlagOperandCount - 1;
constexpr int kFirstOpenConnectorOperand = 4800;  // X, 128 numbers
constexpr int kOpenConnectorOperandCount = 128;
constexpr int kLastOpenConnectorOperand = kFirstOpenConnectorOperand + kOpenConnectorOperandCount - 1;
constexpr int kDefaultContactOperand = kFirstInputOperand;              // contacts address I1
constexpr int kDefaultAnalogContactOperand = kFirstAnalogInputOperand;  // analog contacts address AI1
// Ladder element numbers.
constexpr int kFirstMakeContactNumber = 12000;
constexpr int kFirstBreakContactNumber = 15000;
constexpr int kFirstAnalogContactNumber = 18000;
constexpr int kContactNumberCount = 2560;
constexpr int kFirstCoilNumber = 21000;
constexpr int kCoilNumberCount = 768;
constexpr int kLastCoilNumber = kFirstCoilNumber + kCoilNumberCount - 1;
constexpr int kFirstLadderAnalogOutputNumber = 22000;
constexpr int kLadderAnalogOutputNumberCount = 544;
constexpr int kLastLadderAnalogOutputNumber =
    kFirstLadderAnalogOutputNumber + kLadderAnalogOutputNumberCount - 1;

// Whether a number lies in a range given by its first number and its last.
constexpr bool InNumberRange(int number, int first, int last) {
  return number >= first && number <= last;
}

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
