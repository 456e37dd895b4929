// The value editor of the preview's parameter elements: which elements may
// be edited while the program runs, the controls the editor lays over the
// element's cells, and the checks and writes of its commit. The window
// (src/msgtext/gui) builds the controls from this description and hands the
// entered values back.
#pragma once

#include <map>
#include <vector>

#include "platform/cstring.h"

class CBlockObj;
class CViewContext;

// Control ids of the editor.
constexpr int kEditorEdit1 = 1550;
constexpr int kEditorEdit2 = 1549;
constexpr int kEditorSpin1 = 1552;
constexpr int kEditorSpin2 = 1551;
constexpr int kEditorCombo = 1548;
constexpr int kEditorFirstCheck = 1049;  // 1049 .. 1055: Monday .. Sunday, or the time-disabled box
constexpr int kEditorLabel = 112;
constexpr int kEditorMonth = 1068;
constexpr int kEditorDay = 1069;
constexpr int kEditorMonthSpin = 1072;
constexpr int kEditorDaySpin = 1073;
constexpr int kEditorRealSpin = 1290;

struct ElementEditorControl {
  enum Kind { kEdit, kIntegerEdit, kRealEdit, kHexEdit, kSpin, kCombo, kLabel, kCheck };
  Kind kind = kEdit;
  int id = 0;
  int firstCell = 0;           // cell of the element the control starts on
  int cells = 1;               // cells it covers
  CString text;                // edits and labels
  int value = 0;               // combo selection, check state
  int low = 0, high = 0;       // spins: the range
  int buddy = 0;               // spins: the edit they step
  int textLimit = 0;           // edits: largest number of characters (0 none)
  std::vector<CString> items;  // combos
  bool disabled = false;
};

// The parameter of the block may be edited in the running program (the
// parameters the editor table names, unless they are taken from a reference).
bool IsElementValueEditable(const CBlockObj& block, int param);

// The controls over an element of `cells` character cells; kind is the
// element's kind (it names the weekly timer's cam). Empty for a combination
// the editor has no controls for.
std::vector<ElementEditorControl> DescribeElementEditor(const CBlockObj& block, int param, int kind,
                                                        int cells);

// The entered values: edit texts and combo selections or check states, by id.
struct ElementEditorValues {
  std::map<int, CString> texts;
  std::map<int, int> choices;
};

// Checks the values and writes them into the block. On a failed check the
// block is left as it was and *message holds the text to show.
bool CommitElementEditor(CBlockObj& block, int param, int kind, const ElementEditorValues& values,
                         CViewContext* view, CString* message);
