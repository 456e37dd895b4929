// Steps that the block families share inside their scan: edges of the inputs
// that ReadInputs has just read, the output with the ladder contacts that
// follow it, threshold switching, the input word, referenced parameters and
// the simulated time.
#pragma once

#include "model/block_obj.h"

class CViewContext;

namespace scan_steps {

// The input changed in the last ReadInputs and is now 1.
inline bool Rose(const CBlockObj& block, int pin) {
  return block.m_bChanged[pin] != 0 && block.m_nValue[pin] != 0;
}
// The input changed in the last ReadInputs and is now 0.
inline bool Fell(const CBlockObj& block, int pin) {
  return block.m_bChanged[pin] != 0 && block.m_nValue[pin] == 0;
}
// Clears the changed flags of pins 0..count-1.
void ClearChanged(CBlockObj& block, int count);

// Sets the output (pin 10). In a ladder document a change marks the output's
// changed flag, so that UpdateContacts hands the new state on.
void SetOutput(CBlockObj& block, CViewContext* view, int value);
// Marks the output's changed flag in a ladder document whatever the value.
void MarkOutputChanged(CBlockObj& block, CViewContext* view);
// End of a scan: when the output's changed flag is set, the contacts of the
// ladder document that address the block follow it and the flag is cleared.
void UpdateContacts(CBlockObj& block, CViewContext* view);

// The output of a block with an on and an off threshold. With on >= off the
// output switches on above on (or at on when onInclusive) and off at or below
// off, keeping its state `current` in between; with on < off it is 1 exactly
// inside [on, off).
int ThresholdOutput(long long value, long long on, long long off, bool onInclusive, int current);

// Takes the sign-extended input word of pin 0 into m_nWordValue. True when it
// differed, and then m_bChanged[0] is set.
bool TakeInputWord(CBlockObj& block, CViewContext* view);

// Value of the block in reference k (CBlockObj::GetValue); 0 without a reference.
double ReferencedValue(CBlockObj& block, int k);

// Simulated time of the view's child frame as milliseconds.
LONGLONG NowMs(const CViewContext* view);

}  // namespace scan_steps
