#include "support/layout_overlaps.h"

#include <algorithm>

#include "editor/grid_spacing.h"
#include "model/block_codes.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"

namespace {

bool Meet(const CRect& a, const CRect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) &&
         std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

CRect Body(const CBlockObj* b) {
  return CRect(b->m_ptPos.x, b->m_ptPos.y, b->m_ptPos.x + b->m_nWidth, b->m_ptPos.y + b->m_nHeight);
}

std::string Name(const CBlockObj* b) {
  if (b == nullptr) return "nothing";
  return "#" + std::to_string(b->m_nNumber) + " (type " + std::to_string(b->m_nType) + ")";
}

std::string Box(const CRect& r) {
  return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "]";
}

}  // namespace

std::vector<std::string> LayoutOverlaps(CZaradDoc& doc, CViewContext* view, bool halfWires) {
  std::vector<std::string> found;
  std::vector<CBlockObj*> blocks(doc.m_blocks.begin(), doc.m_blocks.end());
  std::vector<std::vector<CRect>> texts;
  for (CBlockObj* b : blocks) texts.push_back(DrawnTexts(*b, view));
  for (size_t i = 0; i < blocks.size(); ++i) {
    for (const CRect& t : texts[i]) {
      for (size_t j = 0; j < blocks.size(); ++j) {
        if (j == i) continue;
        if (Meet(t, Body(blocks[j])))
          found.push_back(Name(blocks[i]) + " text " + Box(t) + " over the body of " + Name(blocks[j]));
        if (j > i)
          for (const CRect& u : texts[j])
            if (Meet(t, u))
              found.push_back(Name(blocks[i]) + " text " + Box(t) + " over a text of " + Name(blocks[j]));
      }
      for (const CConnectLineObj* w : doc.m_connections) {
        if (w->m_pStartBlock == blocks[i] || w->m_pEndBlock == blocks[i]) continue;
        const auto half = [](const CBlockObj* b) { return b && IsConnectorType(b->m_nType); };
        if (!halfWires && half(blocks[i]) && (half(w->m_pStartBlock) || half(w->m_pEndBlock))) continue;
        for (size_t k = 1; k < w->m_points.size(); ++k) {
          const CPoint a = w->m_points[k - 1], b = w->m_points[k];
          const CRect segment(std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1,
                              std::max(a.y, b.y) + 1);
          if (Meet(t, segment)) {
            found.push_back(Name(blocks[i]) + " text " + Box(t) + " under the wire from " +
                            Name(w->m_pStartBlock) + " to " + Name(w->m_pEndBlock));
            break;
          }
        }
      }
    }
  }
  return found;
}
