// Helpers shared by the value blocks of the data, math, extended and
// communication families: referenced parameters, 16-bit results, the scan
// memory's change state, and the evaluate-and-draw operations with the value
// box under the body.
#pragma once

#include <cstdint>

#include "model/block_obj.h"
#include "platform/cstring.h"

class CDC;
class CViewContext;

constexpr double kResultLimit = 32767.0;  // math results are held to -32767..32767

// Numeric value that a parameter reference reads from block; *out is left
// alone for blocks that have none.
void ReadReferencedValue(const CBlockObj* block, double* out);

// Parameter reference k of block: when it names a block, *out = GetValue of
// that block held to lo..hi, and true. False (and *out untouched) without one.
bool ReadRefValue(CBlockObj& block, int k, double lo, double hi, double* out);
// The same, truncated toward zero.
bool ReadRefInt(CBlockObj& block, int k, int lo, int hi, int* out);

// The input word of the pin (0 when the pin is open or names no element).
inline short InputWord(const CBlockObj& block, int pin, const CViewContext* view) {
  short word = 0;
  block.GetInputWord(&word, pin, view);
  return word;
}
// The signed 16-bit value of the low 16 bits of an integer.
inline int Word16(LONGLONG value) {
  return static_cast<short>(static_cast<uint16_t>(static_cast<uint64_t>(value) & 0xFFFF));
}

// A real result held to -32767..32767 (NaN gives 0).
double ClampResult(double value);
// Held to -32767..32767, truncated toward zero, as a 16-bit word.
int ClampedWord(double value);
// m_dValue takes the value only when it differs.
inline void AssignValue(CBlockObj& block, double value) {
  if (block.m_dValue != value) block.m_dValue = value;
}

// The operands a scan compares with the scan memory (m_nLastInput,
// m_nLastParam, m_nLastSelect, m_dLastParam).
enum ScanOperandMask : unsigned {
  kScanInput = 1,
  kScanParam = 2,
  kScanSelect = 4,
  kScanAmp = 8,
};
struct ScanOperands {
  int input = 0;
  int param = 0;
  int select = 0;
  double amp = 0.0;
};
// Forgets the remembered operands, so that the next scan finds them changed and
// computes the value afresh: whatever sets m_dValue back calls it, or a block
// whose input did not move would keep the value it was set back to.
inline void ForgetScanMemory(CBlockObj& block) {
  block.ForgetScanMemory();
}
// Sets m_nChangeState to 0 when every operand in `which` equals its remembered
// copy, else remembers them all and sets it to 1. Returns the state.
int TrackChange(CBlockObj& block, unsigned which, const ScanOperands& now);
// What Simulate reports of the change state: -1 counts as 0.
inline BOOL ReportedChangeState(const CBlockObj& block) {
  return block.m_nChangeState > 0 ? block.m_nChangeState : 0;
}

// True when the view shows a ladder document.
bool IsLadderView(const CViewContext* view);

// A value box of one line (PaintValueBoxLines) of the given width.
void PaintValueBox(CDC* dc, const CBlockObj& block, int width, const CString& text);
// The simulation picture of the value blocks: drawn in black (the editing
// look), then the value box.
void DrawValueLook(CBlockObj& block, CViewContext* view, CDC* dc);
