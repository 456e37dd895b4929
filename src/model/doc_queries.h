// Questions the view, the parameter pages and the program-image codec ask a
// document about its diagram: what lies under a point, which wire leads to a
// connector half, whether a wire would duplicate another, what text names an
// operand and which blocks a parameter page may offer. They also keep the wire
// and comment lists. Every query walks the lists in list order and returns the
// first match; a query that finds nothing returns null or FALSE.
#pragma once

#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CBlockComment;
class CBlockObj;
class CConnectLineObj;
class CZaradDoc;

// The user name that a ladder document gives an operand; empty when it has
// none (or doc is null).
CString OperandUserName(const CZaradDoc* doc, int operand);
// The name of the operand that another element (a coil or a ladder analog
// output) numbered `number` addresses; empty when it is not in the document.
CString OperandNameThrough(const CZaradDoc* doc, int number);
// The label of the function block numbered `number`; empty when it is missing.
CString FunctionBlockLabel(const CZaradDoc* doc, int number);

// A point on a pin stub hits its block through FindBlockWithPinsAt: the body
// is widened by this much on the left and on the right.
constexpr int kPinStubReach = 9;

// The first block whose body holds pt (left and top edges inclusive, right
// and bottom exclusive); null when none.
CBlockObj* FindBlockAt(const CZaradDoc& doc, CPoint pt);
// The same with every body widened by kPinStubReach to both sides.
CBlockObj* FindBlockWithPinsAt(const CZaradDoc& doc, CPoint pt);
// The first comment whose rectangle holds pt; null when none.
CBlockComment* FindCommentAt(const CZaradDoc& doc, CPoint pt);
// The first wire whose polyline passes within 4 units of pt; null when none.
CConnectLineObj* FindConnectionAt(const CZaradDoc& doc, CPoint pt);

// The rectangle of a pin's mark (size kPinMarkSize). FALSE, with *out left
// empty, for a null block, a pin outside 0..19 or a pin of type PIN_NONE.
BOOL GetPinRect(CRect* out, const CBlockObj* block, int pin);

// Appends a wire (the document takes it) and marks the document modified.
// Returns the wire; null is ignored.
CConnectLineObj* AddConnection(CZaradDoc& doc, std::unique_ptr<CConnectLineObj> wire);
// Takes a wire out of the wire list and hands it back (not deleted), marking
// the document modified; null when the wire is not in the list.
std::unique_ptr<CConnectLineObj> RemoveConnection(CZaradDoc& doc, const CConnectLineObj* wire);
// Appends a comment (the document takes it) and marks the document modified.
// Returns the comment; null is ignored.
CBlockComment* AddComment(CZaradDoc& doc, std::unique_ptr<CBlockComment> comment);

// Whether the wire being drawn would join the same two pins as a wire already
// in the document, in either direction. The fixed end of the wire is its start
// end while its end end is dragged (m_nDragEnd 1), else its end end; (block,
// pin) is the pin under the mouse. The wire itself, when it is already in the
// list (an end being moved), is not compared with itself.
BOOL IsDuplicateConnection(const CZaradDoc& doc, const CConnectLineObj* wire, const CBlockObj* block,
                           int pin);

// The first wire whose end-end block is the given connector half (CBlockMale
// or CBlockFemale); null for a null block, any other block, or when no wire
// ends there (FindWireIntoConnector).
CConnectLineObj* FindConnectorConnection(const CZaradDoc& doc, const CBlockObj* half);

// The text that names an operand: "I103", "Q101", "AI201", "S1.2", "M4",
// "B12", "L0", "High", and for ladder elements the operand they address
// (through a coil or a ladder analog output when they name one). A ladder
// element whose operand its type cannot address (a contact naming an element
// number without an element, or an element on an operand a contact cannot
// show) is labelled with its prefix and "?" ("I?", "AI?"). Empty for a null block.
CString GetOperandLabel(const CZaradDoc& doc, const CBlockObj* block);

// What a parameter page may offer, as "B%d%s" (number - 9000 and the type's
// caption), in list order, leaving out the block numbered numberToLeaveOut.
// A block list entry: "B<n>" (the number less 9000) and the type's caption.
CString ChoiceText(const CBlockObj* block);

// Blocks that can stand as a parameter reference: on the older series the
// analog blocks 800, 803, 804 and 805; on the newer series every function
// block (group 2) other than a logic gate that has capability bit 0x01.
std::vector<CString> FillBlockCombo(const CZaradDoc& doc, int numberToLeaveOut);
// Function blocks other than logic gates with capability bit 0x08: the memory
// block's combo and the data log's list.
std::vector<CString> FillDataBlockCombo(const CZaradDoc& doc, int numberToLeaveOut);
std::vector<CString> FillDataLogBlockList(const CZaradDoc& doc, int numberToLeaveOut);

// Stores the last mouse position in diagram units (m_ptMouse).
void SetMousePoint(CZaradDoc& doc, int x, int y);
