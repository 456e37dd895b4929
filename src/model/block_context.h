// BlockContext: what a new block takes from the diagram it is made for. A
// block's typed constructor reads it once; blocks never look for the active
// document themselves. The default context is an FBD block for no document,
// its timers starting at a zero clock.
#pragma once

#include "platform/types.h"

class CZaradDoc;

struct BlockContext {
  // The simulated clock the block's timers start from.
  SYSTEMTIME simTime{};
  // The document the block is made for (register indexes, character sets);
  // null for a block that joins no document yet.
  const CZaradDoc* doc = nullptr;
  // Ladder diagrams draw no output pins on most elements.
  bool ladder = false;

  // The context of a block made for doc (its kind decides ladder).
  static BlockContext For(const CZaradDoc* doc, const SYSTEMTIME& simTime = {});
};
