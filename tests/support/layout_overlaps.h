// The geometric check of a laid-out diagram: no block's texts (name, operand,
// parameter texts, a connector's label) lie over another block, over another
// block's texts or over a wire that does not end at the block.
#pragma once

#include <string>
#include <vector>

class CZaradDoc;
class CViewContext;

// One line per overlap found; empty when none. Without halfWires, a connector
// half's label crossed by the wire of another half is not counted (the wires of
// later pairs are routed after the earlier halves stand).
std::vector<std::string> LayoutOverlaps(CZaradDoc& doc, CViewContext* view, bool halfWires = true);
