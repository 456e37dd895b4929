// Writing the parameter-field codes of a block's program-image record into
// its pin-source slots.
#pragma once

#include <initializer_list>

#include "platform/types.h"

class CBlockObj;

// In a slot-code list: leave the slot's link as the base constructor set it
// (an input pin keeps LINK_OPEN).
constexpr int kKeepLink = -1;

// Writes codes into m_nSource from slot 0 on, one slot per code. Slot 10
// belongs to the output pin: a list that runs past slot 9 skips it and goes
// on at slot 11. Codes that would fall past the last pin are dropped.
void PresetSlotCodes(CBlockObj& block, std::initializer_list<int> codes);

// The program-image layout a typed constructor presets: the block's memory
// cost in bytes (m_wMemSize), the link slots carried into the image
// (m_nLinkSlots) and those slots' codes (PresetSlotCodes).
void PresetImage(CBlockObj& block, WORD memSize, int linkSlots, std::initializer_list<int> codes);
