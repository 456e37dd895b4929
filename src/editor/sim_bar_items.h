// The items of the Inputs and Outputs bars of a simulating diagram: which
// blocks they show, in which order, under which caption.
#pragma once

#include <vector>

#include "model/block_codes.h"
#include "platform/cstring.h"

class CBlockObj;
class CZaradDoc;

enum SimBarItemKind : int {
  SIM_ITEM_ANALOG_INPUT = kTypeAnalogInput,    // label and value field
  SIM_ITEM_FUNCTION_KEY = kTypeFunctionKey,    // button, or label and value field in Frequency mode
  SIM_ITEM_INPUT = kTypeInput,                 // button, or label and value field in Frequency mode
  SIM_ITEM_ANALOG_OUTPUT = kTypeAnalogOutput,  // label and read-only value
  SIM_ITEM_OUTPUT = kTypeOutput,               // indicator
};

struct SimBarItem {
  CBlockObj* block = nullptr;  // the block, or the first ladder contact of the operand
  int nKind = 0;               // SimBarItemKind
  int nNumber = 0;             // the operand number (100 for I1)
  CString strCaption;          // "I1", "F2", "AI1", "Q3", "AQ1"
  bool bWide = false;          // label and value rather than a button
};

// The Inputs bar: analog inputs AI1-AI8, then function keys, then inputs
// I1-I16, each kind in ascending number. A ladder diagram shows its contacts'
// operands, one item per operand (the first contact met).
std::vector<SimBarItem> CollectSimInputs(CZaradDoc* doc);
// The Outputs bar: analog outputs AQ1-AQ4, then outputs Q1-Q8.
std::vector<SimBarItem> CollectSimOutputs(CZaradDoc* doc);
// The simulation mode of an input item's block (0 Switch, 1 momentary make,
// 2 momentary break, 3 Frequency): its own, or a ladder operand's setting.
int SimModeOfInput(CZaradDoc* doc, const CBlockObj* block);
