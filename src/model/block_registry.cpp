#include "model/block_registry.h"

#include "model/block_codes.h"
#include "model/model_table.h"

OperandRange GetOperandRange(int typeCode, int family) {
  switch (typeCode) {
    case kTypeInput:
      return {kFirstInputOperand, kInputOperandCount};
    case kTypeCursorKey:
      return {kFirstCursorKeyOperand, kCursorKeyOperandCount};
    case kTypeShiftBit:
      return {kFirstShiftBitOperand,
              IsNewerSeries(family) ? kShiftBitOperandCountNewer : kShiftBitOperandCount};
    case kTypeLowSignal:
      return {kFirstLowOperand, kLowOperandCount};
    case kTypeHighSignal:
      return {kFirstHighOperand, kHighOperandCount};
    case kTypeOutput:
      return {kFirstOutputOperand, kOutputOperandCount};
    case kTypeOpenConnector:
      return {kFirstOpenConnectorOperand, kOpenConnectorOperandCount};
    case kTypeFlag:
      return {kFirstFlagOperand, kFlagOperandCount};
    case kTypeAnalogInput:
      return {kFirstAnalogInputOperand, kAnalogInputOperandCount};
    case kTypeAnalogOutput:
      return {kFirstAnalogOutputOperand, kAnalogOutputOperandCount};
    case kTypeAnalogFlag:
      return {kFirstAnalogFlagOperand, kAnalogFlagOperandCount};
    case kTypeFunctionKey:
      return {kFirstFunctionKeyOperand, kFunctionKeyOperandCount};
    case kTypeMakeContact:
      return {kFirstMakeContactNumber, kContactNumberCount};
    case kTypeBreakContact:
      return {kFirstBreakContactNumber, kContactNumberCount};
    case kTypeAnalogContact:
      return {kFirstAnalogContactNumber, kContactNumberCount};
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
      return {kFirstCoilNumber, kCoilNumberCount};
    case kTypeLadderAnalogOutput:
      return {kFirstLadderAnalogOutputNumber, kLadderAnalogOutputNumberCount};
    case kTypeMaleConnector:
      return {kFirstMaleNumber, kConnectorNumberCount};
    case kTypeFemaleConnector:
      return {kFirstFemaleNumber, kConnectorNumberCount};
    case kTypeDataLog:
      return {kDataLogNumber, 1};
    default:
      return {};
  }
}

bool IsOperandLikeType(int typeCode) {
  return (IsOperandType(typeCode) && typeCode != kTypeCursorKey) || IsLadderType(typeCode) ||
         IsConnectorType(typeCode) || typeCode == kTypeDataLog;
}

bool IsPastedOperandLikeType(int typeCode) {
  return IsOperandLikeType(typeCode) && !IsConnectorType(typeCode) && typeCode != kTypeDataLog;
}

bool IsSameLimitGroup(int limitType, int blockType) {
  auto coil = [](int t) { return t == kTypeRelayCoil || t == kTypeInvertedCoil; };
  if (coil(limitType)) return coil(blockType);
  return limitType == blockType;
}

int GetTypeLimitForFamily(int typeCode, int family) {
  const bool newer = IsNewerSeries(family);
  switch (typeCode) {
    case kTypeInput:
      return 128;
    case kTypeShiftBit:
      return newer ? 64 : 16;
    case kTypeLowSignal:
      return 1000;
    case kTypeHighSignal:
      return 1000;
    case kTypeOutput:
      return 64;
    case kTypeOpenConnector:
      return 128;
    case kTypeFlag:
      return 512;
    case kTypeAnalogInput:
      return 64;
    case kTypeAnalogOutput:
      return 32;
    case kTypeAnalogFlag:
      return 512;
    case kTypeFunctionKey:
      return 5;
    case kTypeMakeContact:
      return 2560;
    case kTypeBreakContact:
      return 2560;
    case kTypeAnalogContact:
      return 2560;
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
      return 768;
    case kTypeLadderAnalogOutput:
      return 544;
    case kTypeMessageText:
      return 16;
    case kTypeShiftRegister:
      return newer ? 4 : 1;
    case kTypeAnalogFilter:
      return 8;
    case kTypeMaleConnector:
      return 1900;
    case kTypeFemaleConnector:
      return 1900;
    case kTypeDataLog:
      return 1;
    default:
      return 0;
  }
}

int GetPlacementCheckCost(int typeCode, WORD modelCode) {
  if (const int cost = GetModelMemoryCost(typeCode, modelCode)) return cost;
  switch (typeCode) {
    case kTypeSoftKey:
      return 8;
    case kTypeCRC16:
      return 16;
    default:
      return -1;
  }
}

int GetModelMemoryCost(int typeCode, WORD modelCode) {
  const bool newer = modelCode >= 0x5188;
  switch (typeCode) {
    case kTypeYT:
      return newer ? 14 : 8;
    case kTypeShiftRegister:
      return newer ? 16 : 12;
    case kTypeMW:
      return newer ? 22 : 18;
    default:
      return 0;
  }
}
