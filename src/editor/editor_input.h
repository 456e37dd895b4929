// What the diagram view tells its editor core about a mouse or key event: the
// key-state flags of a mouse message, the key codes the core handles, the
// cursor the core asks for and the context-menu pop-ups it chooses.
#pragma once

#include "platform/types.h"
#include "platform/virtual_keys.h"

// The cursor the view shows over the diagram.
enum ViewCursor : int {
  CURSOR_ARROW = 0,     // the standard arrow
  CURSOR_PLACE = 1,     // placing a block (cursor resource 4509)
  CURSOR_WIRE = 2,      // the wire tool (191)
  CURSOR_ON_PIN = 3,    // the wire tool over a pin (192)
  CURSOR_CUT_JOIN = 4,  // cut/join (167)
  CURSOR_COMMENT = 5,   // inserting comments (232)
};

// Pop-ups of context menu 141, by index.
enum ContextPopup : int {
  POPUP_NONE = -1,
  POPUP_EDIT = 0,           // "Edit": Properties, Cut, Copy, Delete, Select All
  POPUP_EDIT_MULTI = 1,     // "Edit1": Cut, Copy, Delete, Select All
  POPUP_EDIT_EMPTY = 2,     // "Edit2": Selection, Paste, Select All
  POPUP_CLIP = 3,           // "Clip": Seperate, Delete, Select All
  POPUP_JOIN = 4,           // "Join": Join, Delete, Select All
  POPUP_GO_TO_PARTNER = 5,  // "GoToPartner": Go To Partner, Join, Delete, Select All
};

// The device operations the view's device commands request (WM_DEVICE_OPERATION codes).
constexpr int kDeviceOpRunStop = 3;
constexpr int kDeviceOpDownload = 5;
constexpr int kDeviceOpUpload = 6;
constexpr int kDeviceOpWifi = 14;
constexpr int kDeviceOpClock = 18;
constexpr int kDeviceOpSummerTime = 19;
constexpr int kDeviceOpRemoteWifi = 26;
