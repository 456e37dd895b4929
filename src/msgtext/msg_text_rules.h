// The rules of the message-text editors and of the message-text settings,
// without a window: where an element may be placed on a screen, how many
// elements of a kind one character set may hold, which priority slots a block
// may take, which blocks and parameters the editors offer, and the settings
// dialog's ticker, character-set and clearing rules.
#pragma once

#include <functional>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CBlockObj;
class CZaradDoc;
struct MsgParamRow;

// Cell state bits of a double-width character's halves (the grid's).
constexpr UINT kMsgCellFirstHalf = 0x100;
constexpr UINT kMsgCellSecondHalf = 0x200;

// The last display column of a screen: 24 on the newer series, 12 on the older.
constexpr int kMsgNewerLastColumn = 24;
constexpr int kMsgOlderLastColumn = 12;
constexpr int kMsgDisplayLines = 4;
constexpr int kMsgPrioritySlots = 16;

// The cells an element covers: lines row .. row + lines - 1, columns col .. col + width - 1.
struct MsgCellSpan {
  int row = 0;
  int col = 0;
  int lines = 1;
  int width = 1;
  bool Overlaps(const MsgCellSpan& o) const {
    return row < o.row + o.lines && o.row < row + lines && col < o.col + o.width && o.col < col + width;
  }
};

// Display lines an element of a kind covers: 4 a graph, 3 a scope or pointer, else 1.
int MsgElementLines(int kind);

// The newer editor's placement rule. The anchor must be a display cell
// (lines 1-4, columns 1-24); a scope or pointer must start in line 1 or 2 and
// a graph in line 1; no cell may be shared with an element of the shown set
// (touching is allowed); the element must end in column 24, and may neither
// end on the first half nor start on the second half of a double-width
// character. state(row, col) gives the cell's half marks.
bool CanPlaceNewer(const MsgCellSpan& span, int kind, const std::vector<MsgCellSpan>& shown,
                   const std::function<UINT(int row, int col)>& state);
// The older editor's rule: a display cell (lines 1-4, columns 1-12), no other
// element on the anchor's line, and the element ends in column 12.
bool CanPlaceOlder(const MsgCellSpan& span, bool lineHasElement);
// "Can't insert the selected Object at this position B%d [Message Texts]".
CString PlacementFailureText(int blockNumber);

// Per-set limits of the insert commands: 8 bar graphs, 2 scopes, 2 pointers,
// 8 scale times, 2 graphs; 0 for kinds without a limit.
int MaxElementsPerSet(int kind);
// The message shown at the limit ("Maximun ... can be used in one message text.").
CString ElementLimitText(int kind);
// Whether the kind needs a block with an actual value (bar graph, scope, pointer, scale time).
bool NeedsActualValueBlock(int kind);
// The background colour of the elements of a kind in the editors.
COLORREF MsgElementColor(int kind);

// Whether a block has an actual value (capability bit 0x10).
bool HasActualValue(const CBlockObj& block);
bool DocumentHasActualValueBlock(const CZaradDoc& doc);

// The priority slots the combo offers to the block numbered blockNumber: the
// slots 0..15 no other message text of the document takes, in ascending order.
std::vector<int> OfferedPrioritySlots(const CZaradDoc& doc, int blockNumber);

// Whether the block list of the editors offers the block: time functions,
// 800-802, analog blocks, 823 and 832-879 but 847 (and 855 on the newer series).
bool IsMsgTextListBlock(const CBlockObj& block, bool newerSeries);
// The list entry of a block: "B%d" and its caption.
CString MsgTextBlockEntry(const CBlockObj& block);
// The display parameters the editors offer for a type (indexes into
// g_ParameterNames): nCountOld entries on the older series, nCount on the
// newer one, from the first entry on (type 806 on the newer series from the second).
std::vector<int> DisplayParamsOf(const MsgParamRow* row, int type, bool newerSeries);
// The actual values of a type offered to bar graphs, pointers, scopes and scale times.
std::vector<int> ActualValuesOf(const MsgParamRow* row);
// The label of a parameter element: the parameter's name with the editors'
// shortened names for a few parameters.
CString MsgElementLabel(int paramIndex);

// Whether a character takes two cells: from U+0080 and of class 1 (CJK, Bopomofo).
bool IsDoubleWidthChar(char16_t ch);

// ---- The settings dialog --------------------------------------------------------------
// The line ticker that follows a character ticker of v ms: ten times v
// rounded down to hundreds, held to 1000..100000.
int TickerLineForChar(int v);
// The character ticker after one spin click (delta +1 up, -1 down): by 100 and
// rounded down to a multiple of 100; an up-click is ignored below 100.
int TickerCharAfterSpin(int value, int delta);
bool IsTickerCharStep(int v);
// "Please enter an integer number between 100 and 10000 with an interval of 100."
CString TickerIntervalText();
// The description of a character set: "SC:Simplified Chinese, English", ...
CString CharSetDescription(int charSet);
// The language the editor appends to its character-set radio buttons.
CString CharSetLanguage(int charSet);
// The character class the grid accepts from U+0080 for a character set
// (simplified and traditional Chinese: 1, others: 2).
int WantedCharClassOf(int charSet);
// Empties every display cell (lines 1-4, columns 1-24) holding a character
// from U+0080 in the chosen sets of every message text of the document;
// returns the number of cells emptied.
int ClearNonAsciiCells(CZaradDoc& doc, bool set1, bool set2);
