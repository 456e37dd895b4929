// CGridCtrl: painting the background, the cells, wide characters, grid lines
// and the message-text elements over the cells.
#include "controls/grid_ctrl.h"

int CGridElement::GetLineCount() const {
  switch (m_nKind) {
    case kGraph:
      return 4;
    case kScope:
    case kPointer:
      return 3;
    default:
      return 1;
  }
}

void CGridHost::DrawElement(CGridCtrl* grid, CDC* dc, const CGridElement& element, bool selected) {
  CRect rect = element.m_rect;
  rect.right++;
  rect.bottom++;
  dc->FillSolidRect(rect, element.m_color);
  if (selected) {
    CBrush red(RGB(255, 0, 0));
    dc->FrameRect(rect, &red);
  }
}

void CGridCtrl::OnDraw(CDC* dc) {
  if (!m_bAllowDraw || dc == nullptr) return;
  CRect clip;
  dc->GetClipBox(&clip);
  if (clip.IsRectEmpty()) return;
  EraseBkgnd(dc);

  const int fixedH = GetFixedRowHeight();
  const int fixedW = GetFixedColumnWidth();
  CRect visRect;
  const CGridCellSpan visible = GetVisibleNonFixedCellRange(&visRect);
  if (m_bVirtualMode) SendCacheHintToParent(visible);

  auto drawCell = [&](int row, int col, const CRect& rect) {
    if (CGridCellBase* cell = GetCell(row, col)) {
      cell->SetCoords(row, col);
      cell->Draw(dc, row, col, rect, FALSE);
    }
  };

  // Pass 1: the fixed corner.
  int y = 0;
  for (int r = 0; r < m_nFixedRows; ++r) {
    const int h = GetRowHeight(r);
    if (h <= 0) continue;
    int x = 0;
    for (int c = 0; c < m_nFixedCols; ++c) {
      const int w = GetColumnWidth(c);
      if (w <= 0) continue;
      drawCell(r, c, CRect(x, y, x + w - 1, y + h - 1));
      x += w;
    }
    y += h;
  }
  // Passes 2 to 4: rows x fixed columns, fixed rows x columns, rows x columns.
  auto pass = [&](int r0, int r1, int top, int c0, int c1, int left) {
    int yy = top;
    for (int r = r0; r <= r1; ++r) {
      const int h = GetRowHeight(r);
      if (h <= 0) continue;
      if (yy > clip.bottom) break;
      if (yy + h - 1 < clip.top) {
        yy += h;
        continue;
      }
      int xx = left;
      for (int c = c0; c <= c1; ++c) {
        const int w = GetColumnWidth(c);
        if (w <= 0) continue;
        if (xx > clip.right) break;
        if (xx + w - 1 >= clip.left) drawCell(r, c, CRect(xx, yy, xx + w - 1, yy + h - 1));
        xx += w;
      }
      yy += h;
    }
  };
  if (IsValid(visible)) {
    pass(visible.minRow, visible.maxRow, fixedH, 0, m_nFixedCols - 1, 0);
    pass(0, m_nFixedRows - 1, 0, visible.minCol, visible.maxCol, fixedW);
    pass(visible.minRow, visible.maxRow, fixedH, visible.minCol, visible.maxCol, fixedW);

    // Wide characters once more, over the right halves painted after them.
    for (int r = visible.minRow; r <= visible.maxRow; ++r) {
      if (GetRowHeight(r) <= 0) continue;
      for (int c = visible.minCol; c <= visible.maxCol; ++c) {
        if (GetColumnWidth(c) <= 0 || !(GetItemState(r, c) & GVIS_WIDELEFT)) continue;
        CRect rect;
        if (GetCellRect(r, c, &rect)) drawCell(r, c, rect);
      }
    }

    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    const CPen oldPen = dc->SelectObject(&pen);
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
      int yy = fixedH == 0 ? 1 : fixedH;
      for (int r = visible.minRow; r <= visible.maxRow; ++r) {
        const int h = GetRowHeight(r);
        if (h <= 0) continue;
        int x = fixedW;
        for (int c = visible.minCol; c <= visible.maxCol; ++c) {
          const int w = GetColumnWidth(c);
          if (w <= 0) continue;
          x += w;
          if (GetItemState(r, c) & GVIS_WIDELEFT) continue;  // no line between the halves
          dc->MoveTo(x - 1, yy - 1);
          dc->LineTo(x - 1, yy + h - 1);
        }
        yy += h;
      }
    }
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
      int yy = fixedH;
      for (int r = visible.minRow; r <= visible.maxRow; ++r) {
        const int h = GetRowHeight(r);
        if (h <= 0) continue;
        yy += h;
        dc->MoveTo(fixedW, yy - 1);
        dc->LineTo(visRect.right, yy - 1);
      }
    }
    dc->SelectObject(&oldPen);
  }
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan());

  // Elements over the cells.
  bool any = false;
  for (const ElementList& list : m_arWidgetLists[2]) any = any || !list.empty();
  if (any && m_pHost != nullptr && m_pHost->DrawsElements(this)) {
    for (const ElementList& list : m_arWidgetLists[2])
      for (const auto& element : list) m_pHost->DrawElement(this, dc, *element, element->m_bSelected != 0);
  } else if (any && m_pHost == nullptr) {
    CGridHost plain;
    for (const ElementList& list : m_arWidgetLists[2])
      for (const auto& element : list) plain.DrawElement(this, dc, *element, element->m_bSelected != 0);
  }
}

void CGridCtrl::EraseBkgnd(CDC* dc) {
  CRect clip;
  dc->GetClipBox(&clip);
  CRect vis;
  GetVisibleNonFixedCellRange(&vis);
  const int W = GetFixedColumnWidth();
  const int H = GetFixedRowHeight();
  if (clip.left < W && clip.top < H)
    dc->FillSolidRect(CRect(clip.left, clip.top, W, H), m_cellFixedRowColDef->GetBackClr());
  if (clip.left < W && clip.top < vis.bottom)
    dc->FillSolidRect(CRect(clip.left, clip.top, W, vis.bottom), m_cellFixedColDef->GetBackClr());
  if (clip.top < H && clip.right > W && clip.left < vis.right)
    dc->FillSolidRect(CRect(W - 1, clip.top, vis.right, H), m_cellFixedRowDef->GetBackClr());
  CRect cells(std::max(vis.left, W), std::max(vis.top, H), vis.right, vis.bottom);
  CRect inter;
  if (inter.IntersectRect(cells, clip)) dc->FillSolidRect(inter, m_cellDefault->GetBackClr());
  if (clip.right > vis.right)
    dc->FillSolidRect(CRect(vis.right, clip.top, clip.right, clip.bottom), m_crGridBkColour);
  if (clip.bottom > vis.bottom && clip.left < vis.right)
    dc->FillSolidRect(CRect(clip.left, vis.bottom, vis.right, clip.bottom), m_crGridBkColour);
}

BOOL CGridCtrl::RedrawCell(int row, int col, CDC* dc) {
  if (!m_bAllowDraw || !IsCellVisible(row, col)) return FALSE;
  CRect rect;
  if (!GetCellRect(row, col, &rect)) return FALSE;
  bool own = false;
  if (dc == nullptr) {
    dc = m_pWindow ? m_pWindow->GetPaintDC() : nullptr;
    if (dc == nullptr) {
      CRect inv(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
      // A wide character's pair is repainted together.
      if (GetItemState(row, col) & GVIS_WIDELEFT) inv.right += std::max(0, GetColumnWidth(col + 1));
      if ((GetItemState(row, col) & GVIS_WIDERIGHT) && col > 0)
        inv.left -= std::max(0, GetColumnWidth(col - 1));
      Invalidate(inv);
      return TRUE;
    }
    own = true;
  }
  CGridCellBase* cell = GetCell(row, col);
  BOOL result = FALSE;
  if (cell != nullptr) {
    result = cell->Draw(dc, row, col, rect, TRUE);
    if (!IsCellFixed(row, col)) {
      const bool wide = (cell->GetState() & GVIS_WIDELEFT) != 0;
      const int next = wide ? std::max(0, GetColumnWidth(col + 1)) : 0;
      CPen pen(PS_SOLID, 0, m_crGridLineColour);
      const CPen old = dc->SelectObject(&pen);
      if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        dc->MoveTo(rect.left, rect.bottom);
        dc->LineTo(rect.right + 1 + next, rect.bottom);
      }
      if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        dc->MoveTo(rect.right + next, rect.top);
        dc->LineTo(rect.right + next, rect.bottom + 1);
      }
      dc->SelectObject(&old);
    }
  }
  if (own) m_pWindow->ReleasePaintDC(dc);
  return result;
}
