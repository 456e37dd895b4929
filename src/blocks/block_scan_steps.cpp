#include "blocks/block_scan_steps.h"

#include "blocks/block_values.h"
#include "model/view_context.h"
#include "platform/ms_clock.h"

namespace scan_steps {

void ClearChanged(CBlockObj& block, int count) {
  for (int i = 0; i < count && i < kMaxInputPins; ++i) block.m_bChanged[i] = 0;
}

void SetOutput(CBlockObj& block, CViewContext* view, int value) {
  if (block.m_nValue[kFirstOutputPin] != value && IsLadderView(view)) block.m_bChanged[kFirstOutputPin] = 1;
  block.m_nValue[kFirstOutputPin] = value;
}

void MarkOutputChanged(CBlockObj& block, CViewContext* view) {
  if (IsLadderView(view)) block.m_bChanged[kFirstOutputPin] = 1;
}

void UpdateContacts(CBlockObj& block, CViewContext* view) {
  if (!block.m_bChanged[kFirstOutputPin]) return;
  block.m_bChanged[kFirstOutputPin] = 0;
  if (IsLadderView(view)) block.PropagateToContacts(view->GetDocument());
}

int ThresholdOutput(long long value, long long on, long long off, bool onInclusive, int current) {
  if (on >= off) {
    if (onInclusive ? value >= on : value > on) return 1;
    if (onInclusive ? value < off : value <= off) return 0;
    return current;
  }
  return on <= value && value < off ? 1 : 0;
}

bool TakeInputWord(CBlockObj& block, CViewContext* view) {
  short word = 0;
  block.GetInputWord(&word, 0, view);
  const int value = word;
  if (value == block.m_nWordValue) return false;
  block.m_nWordValue = value;
  block.m_bChanged[0] = 1;
  return true;
}

double ReferencedValue(CBlockObj& block, int k) {
  double v = 0.0;
  if (block.m_pRef[k] != nullptr) ReadReferencedValue(block.m_pRef[k], &v);
  return v;
}

LONGLONG NowMs(const CViewContext* view) {
  const SYSTEMTIME now = view->GetSimulatedTime();
  return SystemTimeToMs(&now);
}

}  // namespace scan_steps
