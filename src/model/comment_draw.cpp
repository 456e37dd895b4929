#include "model/comment_draw.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "model/block_comment.h"
#include "platform/cdc.h"

std::vector<CommentTextLine> GetCommentTextLines(const CBlockComment& comment, const CRect* within) {
  std::vector<CommentTextLine> lines;
  if (comment.m_nLines == 0) return lines;
  const std::vector<CBlockComment::LineSpan>& spans = comment.GetLineSpans();
  // A line counts as visible when its top lies within a font height (or its share
  // of the rectangle, when that is taller) of the area.
  const long long reach =
      std::max<long long>(std::abs(static_cast<long long>(comment.m_lf.lfHeight)),
                          std::abs(static_cast<long long>(comment.m_size.cy) / comment.m_nLines)) +
      1;
  for (size_t j = 0; j < spans.size(); ++j) {
    const long long offset = static_cast<long long>(j) * comment.m_size.cy / comment.m_nLines;
    const long long top = comment.m_ptPos.y + offset;
    if (within && (top + reach < within->top || top > within->bottom)) continue;
    lines.push_back(
        {CPoint(comment.m_ptPos.x, static_cast<int>(std::clamp<long long>(top, INT_MIN, INT_MAX))),
         comment.m_strText.Mid(spans[j].start, spans[j].length)});
  }
  return lines;
}

void DrawComment(CDC* dc, const CBlockComment& comment) {
  if (dc == nullptr) return;
  CFont font;
  font.CreateFontIndirect(&comment.m_lf);
  const CFont oldFont = dc->SelectObject(&font);
  dc->SetBkColor(kCommentBackground);
  dc->SetTextColor(comment.m_crText);
  // Only the lines in the area being painted are written.
  CRect area;
  dc->GetClipBox(&area);
  for (const CommentTextLine& line : GetCommentTextLines(comment, &area)) {
    if (!line.text.IsEmpty()) dc->TextOut(line.pt.x, line.pt.y, line.text);
  }
  dc->SelectObject(&oldFont);
  dc->SetTextColor(0);
}

void DrawCommentSelected(CDC* dc, const CBlockComment& comment) {
  DrawComment(dc, comment);
  if (dc == nullptr) return;
  CPen pen(PS_SOLID, 1, 0x000000);
  CBrush brush(0x0000FF);
  const CPen oldPen = dc->SelectObject(&pen);
  const CBrush oldBrush = dc->SelectObject(&brush);
  dc->SetPolyFillMode(ALTERNATE);
  const int x = comment.m_ptPos.x;
  const int y = comment.m_ptPos.y;
  const CPoint corners[4] = {{x, y},
                             {x, y + comment.m_size.cy},
                             {x + comment.m_size.cx, y + comment.m_size.cy},
                             {x + comment.m_size.cx, y}};
  for (const CPoint& c : corners) {
    dc->Polygon({CPoint(c.x - 4, c.y - 4), CPoint(c.x - 4, c.y + 4), CPoint(c.x + 4, c.y + 4),
                 CPoint(c.x + 4, c.y - 4)});
  }
  dc->SelectObject(&oldBrush);
  dc->SelectObject(&oldPen);
}
