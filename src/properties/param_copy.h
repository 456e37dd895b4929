// The copying of the Block Properties command: which page family serves a
// type code, and the tables that move a block's words into the page values
// (on opening) and back (on OK, or on Apply in simulation). The words follow
// the block's parameter names: P0..P16 are m_nParam1..m_nParam13 and
// m_bUseRef[0..3], X0..X15 m_nLinkSlots and m_nParam14..m_nParam28.
#pragma once

#include "model/block_kind.h"
#include "pages/page_values.h"

class CBlockObj;
class CZaradDoc;

// The page family of a type code (its descriptor's).
PageFamily FamilyOfType(int type);

// The block's word P0..P16 and X0..X15 by number.
int& ParamP(CBlockObj& block, int k);
int& ParamX(CBlockObj& block, int k);

// Opening: the page values of the block (the common head: name, comment,
// block number, references possible and the references; then the family's
// table). doc may be null (no references possible).
void CopyBlockToPage(const CZaradDoc* doc, CBlockObj& block, BlockPageValues& values);
// Back into the block: the name, comment and the family's table. Operand
// numbers and ladder operands are not handled here (see the Block Properties
// command).
void CopyPageToBlock(const BlockPageValues& values, CBlockObj& block);

// The key under which a ladder element's operand name is kept: a coil's own
// operand; a contact's operand when it is an input, key, analog input, shift
// bit, Low or High, or the operand of the coil or analog output element it
// reads. -1 when the element's operand has no name.
int LadderNameKey(const CZaradDoc* doc, const CBlockObj& element);
