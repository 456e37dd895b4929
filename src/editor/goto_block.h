// The entries of the Go To Block dialog: each block and ladder element of a
// diagram under its operand-style name ("B3[On-Delay]", "I005[Input]"),
// sorted by a zero-padded key so that numbers sort in numeric order.
#pragma once

#include <vector>

#include "platform/cstring.h"

class CZaradDoc;

struct GoToBlockEntry {
  CString key;   // sort key
  int number;    // the block's own number
  CString text;  // the name shown
};

// The entries of the document's blocks in key order (equal keys keep the
// block list's order). Connector halves, the data log and the power bus are
// left out.
std::vector<GoToBlockEntry> BuildGoToBlockList(const CZaradDoc& doc);

// The first entry whose text begins with typed (any case); -1 for none or an
// empty text.
int FindGoToBlockEntry(const std::vector<GoToBlockEntry>& entries, const CString& typed);
