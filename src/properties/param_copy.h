// The copying of the Block Properties command: which page family serves a
// type code, and the tables that move a block's words into the page values
// (on opening) and back (on OK, or on Apply in simulation). The words follow
// the block's parameter names: P0..P16 are m_nParam1..m_nParam13 and
// m_bUseRef[0..3], X0..X15 m_nLinkSlots and m_nParam14..m_nParam28.
#pragma once

#include "pages/page_values.h"

class CBlockObj;
class CZaradDoc;

enum class PageFamily {
  kNone,         // no sheet at all (601 without a class, 811, connector halves)
  kCommentOnly,  // Low, High, the power bus: the comment page only
  kBasicLogic,
  kOperandIo,     // 600, 605, 608, 609
  kOperand,       // 601, 602, 606, 607, 610, 611
  kLadder,        // 700-705: the ladder element sheet
  kSingleTime,    // 400, 401, 403, 404
  kTwoTime,       // 402, 405, 406, 407
  kStairway,      // 408
  kMultiSwitch,   // 409
  kWeekly,        // 410
  kYearly,        // 411
  kAstro,         // 412
  kStopwatch,     // 413, 820, 864, 865, 869-878
  kQuad,          // 879
  kCounter,       // 800, 848
  kHoursCounter,  // 801
  kThreshold,     // 802
  kAnalogMux,     // 815, 816
  kAverage,       // 822
  kMaxMin,        // 821, 834-837, 846, 854, 862, 863
  kMask,          // 838-843
  kRamp,          // 817
  kPI,            // 818
  kPWM,           // 819
  kComparator,    // 803-807
  kRelay,         // 808, 809, 812, 831-833, 853, 860, 861, 866-868
  kMsgText,       // 810
  kMathErr,       // 823
  kMem,           // 847
  kModbus,        // 813, 814
  kWifi,          // 824-827
  kBoolean,       // 830
  kArray,         // 844, 845, 849-852, 856
  kUdc,           // 855
  kDataLog,       // 911
};

// The family of a type code (the table of the block properties sheet).
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
