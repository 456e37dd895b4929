// Comment drawing: the text lines of a comment in its font and colour, and
// the selected form with the four corner handles.
#pragma once

#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class CBlockComment;
class CDC;

constexpr COLORREF kCommentBackground = 0xB4B4B4;  // the grey behind comment text

struct CommentTextLine {
  CPoint pt;  // top-left corner
  CString text;
};

// The lines of a comment's text (split at CR LF) and where they stand: line j
// at (x, y + j x height / m_nLines). An empty last line is left out, and with
// m_nLines 0 there are none. With an area (logical units) only the lines that
// may show in it are given.
std::vector<CommentTextLine> GetCommentTextLines(const CBlockComment& comment, const CRect* within = nullptr);

void DrawComment(CDC* dc, const CBlockComment& comment);
void DrawCommentSelected(CDC* dc, const CBlockComment& comment);
