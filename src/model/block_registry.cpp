#include "model/block_registry.h"

#include "model/model_table.h"

OperandRange GetOperandRange(int typeCode, int family) {
  switch (typeCode) {
    case 600:
      return {100, 256};
    case 601:
      return {1280, 4};
    case 602:
      return {1000, IsNewerSeries(family) ? 64 : 16};
    case 603:
      return {1870, 1000};
    case 604:
      return {2900, 1000};
    case 605:
      return {600, 128};
    case 606:
      return {4800, 128};
    case 607:
      return {1316, 512};
    case 608:
      return {4000, 64};
    case 609:
      return {4230, 32};
    case 610:
      return {4288, 512};
    case 611:
      return {1300, 5};
    case 700:
      return {12000, 2560};
    case 701:
      return {15000, 2560};
    case 702:
      return {18000, 2560};
    case 703:
    case 704:
      return {21000, 768};
    case 705:
      return {22000, 544};
    case 900:
      return {5000, 1900};
    case 901:
      return {7000, 1900};
    case 911:
      return {kDataLogNumber, 1};
    default:
      return {};
  }
}

bool IsOperandLikeType(int typeCode) {
  return (typeCode >= 600 && typeCode <= 611 && typeCode != 601) || (typeCode >= 700 && typeCode <= 705) ||
         typeCode == 900 || typeCode == 901 || typeCode == 911;
}

bool IsPastedOperandLikeType(int typeCode) {
  return IsOperandLikeType(typeCode) && typeCode != 900 && typeCode != 901 && typeCode != 911;
}

bool IsSameLimitGroup(int limitType, int blockType) {
  if (limitType == 703 || limitType == 704) return blockType == 703 || blockType == 704;
  return limitType == blockType;
}

int GetTypeLimitForFamily(int typeCode, int family) {
  const bool newer = IsNewerSeries(family);
  switch (typeCode) {
    case 600:
      return 128;
    case 602:
      return newer ? 64 : 16;
    case 603:
      return 1000;
    case 604:
      return 1000;
    case 605:
      return 64;
    case 606:
      return 128;
    case 607:
      return 512;
    case 608:
      return 64;
    case 609:
      return 32;
    case 610:
      return 512;
    case 611:
      return 5;
    case 700:
      return 2560;
    case 701:
      return 2560;
    case 702:
      return 2560;
    case 703:
    case 704:
      return 768;
    case 705:
      return 544;
    case 810:
      return 16;
    case 812:
      return newer ? 4 : 1;
    case 820:
      return 8;
    case 900:
      return 1900;
    case 901:
      return 1900;
    case 911:
      return 1;
    default:
      return 0;
  }
}

int GetModelMemoryCost(int typeCode, WORD modelCode) {
  const bool newer = modelCode >= 0x5188;
  switch (typeCode) {
    case 411:
      return newer ? 14 : 8;
    case 812:
      return newer ? 16 : 12;
    case 814:
      return newer ? 22 : 18;
    default:
      return 0;
  }
}
