// Keys between Qt and the program's virtual-key codes (platform/virtual_keys.h),
// the one vocabulary of the command table and the editor core.
#pragma once

#include <QKeyCombination>

#include "platform/types.h"

// The virtual key of a Qt key: the function keys, Escape, the cursor and editing
// keys, letters and digits; 0 for any other key.
UINT VirtualKeyOf(int qtKey);
// The Qt key combination of a virtual key with its modifiers.
QKeyCombination QtKeyOf(UINT vk, bool ctrl, bool shift);
