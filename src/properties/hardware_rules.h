// The rules of the Hardware page: whether a document's blocks can run on
// another device model, and how block settings adapt once a model is chosen.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CZaradDoc;

// Tree positions of the models (series nodes are even, firmware items odd).
int ModelCodeOfPosition(int position);  // 0 for a series node or an unknown position

// Moving from a newer model to an older one: the message for the first block
// of the document that the older model cannot run, empty when there is none.
// selectedText is the text of the chosen tree item (named in the references
// message).
CString CheckDowngrade(const CZaradDoc& doc, const CString& selectedText);

// Leaving the series 0x52 model: the message for the first WiFi block, empty
// when there is none.
CString CheckWifiRule(const CZaradDoc& doc);

// Writes a new model into the document and adapts the block settings that the
// model handles differently; the model the document has already changes
// nothing. Returns whether the model changed.
bool ApplyModel(CZaradDoc& doc, WORD newCode);
