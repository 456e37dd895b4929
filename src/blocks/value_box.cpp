#include "blocks/value_box.h"

#include <algorithm>
#include <cmath>

#include "blocks/block_draw.h"
#include "blocks/time_blocks.h"
#include "model/block_obj.h"
#include "platform/cdc.h"

namespace {

// The rectangle a value box of the height with the lines of text may draw in:
// from a line height left of and above the box to a line height below both,
// and on to the right as far as any text could run.
CRect ValueBoxReach(const CBlockObj& block, int height, int lines) {
  const int left = block.m_ptPos.x;
  const int top = block.m_ptPos.y + block.m_nHeight + kValueBoxGap;
  const int bottom = top + std::max(height, kValueBoxLineHeight * lines);
  return CRect(left - kValueBoxLineHeight, top - kValueBoxLineHeight, kFarAway, bottom + kValueBoxLineHeight);
}

}  // namespace

bool ValueBoxMayShow(const CDC* dc, const CBlockObj& block, int lines) {
  return dc != nullptr && dc->MayShow(ValueBoxReach(block, 0, lines));
}

void PaintValueBoxLines(CDC* dc, const CBlockObj& block, int width, int height,
                        const std::vector<CString>& lines) {
  if (dc == nullptr) return;
  if (!dc->MayShow(ValueBoxReach(block, height, static_cast<int>(lines.size())))) return;
  const int left = block.m_ptPos.x;
  const int top = block.m_ptPos.y + block.m_nHeight + kValueBoxGap;
  dc->FillSolidRect(CRect(left, top, left + width, top + height), kValueBoxFill);
  const CFont font = MakeValueFont();
  const CFont oldFont = dc->SelectObject(&font);
  const int oldMode = dc->SetBkMode(TRANSPARENT);
  for (size_t k = 0; k < lines.size(); ++k) {
    dc->TextOut(left, top + kValueBoxLineHeight * static_cast<int>(k), lines[k]);
  }
  dc->SetBkMode(oldMode);
  dc->SelectObject(&oldFont);
}

int ValueBoxWidth(const CBlockObj& block, double factor) {
  return static_cast<int>(std::trunc(block.m_nWidth * factor));
}

void PaintTimeValueBox(CDC* dc, const CBlockTime& block) {
  if (!ValueBoxMayShow(dc, block, 1)) return;
  const double factor = block.m_nType == 411 ? 3.0 : 1.5;
  PaintValueBoxLines(dc, block, ValueBoxWidth(block, factor), kValueBoxLineHeight, {block.m_strValueText});
}
