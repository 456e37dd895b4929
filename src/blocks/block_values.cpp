#include "blocks/block_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "blocks/analog_blocks.h"
#include "blocks/block_draw.h"
#include "blocks/counter_blocks.h"
#include "blocks/time_blocks.h"
#include "blocks/value_box.h"
#include "model/block_eval.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"

void ReadReferencedValue(const CBlockObj* block, double* out) {
  if (block == nullptr || out == nullptr) return;
  const int type = block->m_nType;
  if (type == 803 || type == 804 || type == 805 || type == 815 || type == 816) {
    if (const auto* analog = DYNAMIC_DOWNCAST(CBlockAnalog, block)) *out = analog->m_nResult;
    return;
  }
  if (type == 800 || (type >= 832 && type <= 848) || (type >= 862 && type <= 879)) {
    *out = block->m_dValue;
    return;
  }
  if (const auto* trg = DYNAMIC_DOWNCAST(CBlockTHTRG, block)) {
    *out = trg->m_nMeasured;
    return;
  }
  if (const auto* t = DYNAMIC_DOWNCAST(CBlockTime, block)) {
    bool second = false;
    if (block->IsKindOf(RUNTIME_CLASS(CBlockMPLR))) {
      second = block->m_nValue[0] == 0;
    } else if (block->IsKindOf(RUNTIME_CLASS(CBlockAPG))) {
      second = block->m_nValue[kFirstOutputPin] == block->m_nValue[1];
    } else if (block->IsKindOf(RUNTIME_CLASS(CBlockRPR))) {
      second = block->m_nValue[kFirstOutputPin] == 0 && t->m_bTiming;
    } else if (block->IsKindOf(RUNTIME_CLASS(CBlockSLS))) {
      second = true;
    }
    *out = block->m_dValue / GetTimeUnit(CurrentTimeBase(*t, second)).nMsPerUnit;
  }
}

bool ReadRefValue(CBlockObj& block, int k, double lo, double hi, double* out) {
  if (k < 0 || k >= kRefCount || block.m_pRef[k] == nullptr) return false;
  double value = 0.0;
  ReadReferencedValue(block.m_pRef[k], &value);
  if (std::isnan(value)) value = 0.0;
  *out = std::clamp(value, lo, hi);
  return true;
}

bool ReadRefInt(CBlockObj& block, int k, int lo, int hi, int* out) {
  double value = 0.0;
  if (!ReadRefValue(block, k, lo, hi, &value)) return false;
  *out = TruncToInt(value);
  return true;
}

double ClampResult(double value) {
  if (std::isnan(value)) return 0.0;
  return std::clamp(value, -kResultLimit, kResultLimit);
}

int ClampedWord(double value) {
  return LowWord(ClampResult(value));
}

int TrackChange(CBlockObj& block, unsigned which, const ScanOperands& now) {
  const bool same = (!(which & kScanInput) || now.input == block.m_nLastInput) &&
                    (!(which & kScanParam) || now.param == block.m_nLastParam) &&
                    (!(which & kScanSelect) || now.select == block.m_nLastSelect) &&
                    (!(which & kScanAmp) || now.amp == block.m_dLastParam);
  if (same) {
    block.m_nChangeState = 0;
    return 0;
  }
  if (which & kScanInput) block.m_nLastInput = now.input;
  if (which & kScanParam) block.m_nLastParam = now.param;
  if (which & kScanSelect) block.m_nLastSelect = now.select;
  if (which & kScanAmp) block.m_dLastParam = now.amp;
  block.m_nChangeState = 1;
  return 1;
}

bool IsLadderView(const CViewContext* view) {
  const CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  return doc != nullptr && doc->IsLadder();
}

void PaintValueBox(CDC* dc, const CBlockObj& block, int width, const CString& text) {
  if (!ValueBoxMayShow(dc, block, 1)) return;
  PaintValueBoxLines(dc, block, width, kValueBoxLineHeight, {text});
}

void DrawValueLook(CBlockObj& block, CViewContext* view, CDC* dc) {
  block.Draw(view, dc, 1, kDrawBlack);
  block.DrawValueBox(dc, view);
}
