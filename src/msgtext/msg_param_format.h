// The value texts of message-text elements that show a block parameter.
//
// FormatMessageParamText gives the long text of the editors and of the
// preview with details: values with their units, live values in simulation,
// full dates and clock times. FormatMessageParamDisplay gives the compact
// text of the device display: fixed numeric forms, one-letter units, and
// "B%d" where a parameter is taken from another block.
//
// Both are keyed on the block's type code and the parameter index (into
// g_ParameterNames); a combination they do not handle leaves *text as it was.
// The only writes are the message-text block's capture of its enable time and
// date, and, outside simulation, the refresh of an on/off-delay's time text.
#pragma once

#include "platform/cstring.h"

class CBlockObj;
class CViewContext;

// block: the block the element shows (null: nothing happens); view: the
// view of the host (its tool mode and simulated clock), may be null; kind:
// the element's MsgElementKind.
void FormatMessageParamText(CBlockObj* block, CViewContext* view, CString* text, int paramIndex, int kind);
void FormatMessageParamDisplay(CBlockObj* block, CViewContext* view, CString* text, int paramIndex, int kind);

// The clock of the message-text block's time parameters: the simulated clock
// while the view simulates, else the local time.
SYSTEMTIME MessageTextClock(const CViewContext* view);
