#include "model/comment_draw.h"

#include "model/block_comment.h"
#include "platform/cdc.h"

std::vector<CommentTextLine> GetCommentTextLines(const CBlockComment& comment) {
  std::vector<CommentTextLine> lines;
  if (comment.m_nLines == 0) return lines;
  const CString& text = comment.m_strText;
  const CString breakText(u"\r\n");
  std::vector<CString> parts;
  for (int start = 0;;) {
    const int at = text.Find(breakText, start);
    if (at < 0) {
      parts.push_back(text.Mid(start));
      break;
    }
    parts.push_back(text.Mid(start, at - start));
    start = at + breakText.GetLength();
  }
  if (parts.size() > 1 && parts.back().IsEmpty()) parts.pop_back();
  for (size_t j = 0; j < parts.size(); ++j) {
    const long long offset = static_cast<long long>(j) * comment.m_size.cy / comment.m_nLines;
    lines.push_back({CPoint(comment.m_ptPos.x, comment.m_ptPos.y + static_cast<int>(offset)), parts[j]});
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
  for (const CommentTextLine& line : GetCommentTextLines(comment)) {
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
