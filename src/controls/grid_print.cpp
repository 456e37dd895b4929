// CGridCtrl: printing through a printer's CDC: header, column and row
// headings on every page, the page's cells with grid lines, and a footer.
#include <ctime>

#include "controls/grid_ctrl.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"

void CGridCtrl::SetPrintMarginInfo(int header, int footer, int left, int right, int top, int bottom,
                                   int gap) {
  if (header >= 0) m_nHeaderHeight = header;
  if (footer >= 0) m_nFooterHeight = footer;
  if (left >= 0) m_nLeftMargin = left;
  if (right >= 0) m_nRightMargin = right;
  if (top >= 0) m_nTopMargin = top;
  if (bottom >= 0) m_nBottomMargin = bottom;
  if (gap >= 0) m_nGap = gap;
}

void CGridCtrl::OnBeginPrinting(CDC* dc, CPrintInfo* info) {
  if (dc == nullptr || info == nullptr) return;
  CDC* screen = MeasureDC();
  m_PrinterFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, CString(u"Arial"));
  const CFont oldFont = dc->SelectObject(&m_PrinterFont);
  const CSize letters = dc->GetTextExtent(CString(u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
  m_CharSize = CSize(std::max(1, letters.cx / 52), std::max(1, static_cast<int>(letters.cy)));
  m_PaperSize = CSize(dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES));
  const int margins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;
  if (m_bWysiwygPrinting && screen != nullptr) {
    m_LogicalPageSize.cx = m_PaperSize.cx * screen->GetDeviceCaps(LOGPIXELSX) /
                           std::max(1, dc->GetDeviceCaps(LOGPIXELSX)) * 3 / 4;
    m_LogicalPageSize.cy = m_PaperSize.cy * screen->GetDeviceCaps(LOGPIXELSY) /
                           std::max(1, dc->GetDeviceCaps(LOGPIXELSY)) * 3 / 4;
  } else {
    m_LogicalPageSize.cx = static_cast<int>(GetVirtualWidth()) + margins;
    m_LogicalPageSize.cy =
        MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, std::max(1, static_cast<int>(m_PaperSize.cx)));
  }
  m_nPageHeight = m_LogicalPageSize.cy - (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                  GetFixedRowHeight();
  int pages = 1;
  int sum = 0;
  for (int r = m_nFixedRows; r < m_nRows; ++r) {
    sum += GetRowHeight(r);
    if (sum > m_nPageHeight) {
      ++pages;
      sum = GetRowHeight(r);
    }
  }
  m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - margins;
  m_nPageMultiplier = 1;
  if (m_bWysiwygPrinting) {
    sum = 0;
    for (int c = m_nFixedCols; c < m_nCols; ++c) {
      sum += GetColumnWidth(c);
      if (sum > m_nPageWidth) {
        ++m_nPageMultiplier;
        sum = GetColumnWidth(c);
      }
    }
    pages *= m_nPageMultiplier;
  }
  m_nNumPages = pages;
  info->m_nMaxPage = pages;
  info->m_nCurPage = 1;
  dc->SelectObject(&oldFont);
}

void CGridCtrl::OnPrint(CDC* dc, CPrintInfo* info) {
  if (dc == nullptr || info == nullptr) return;
  const int saved = dc->SaveDC();
  dc->SelectObject(&m_PrinterFont);
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowExt(m_LogicalPageSize);
  dc->SetViewportExt(m_PaperSize);
  dc->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, 0);
  const int margins = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

  info->m_rectDraw = CRect(0, 0, m_LogicalPageSize.cx - margins, m_nHeaderHeight * m_CharSize.cy);
  PrintHeader(dc, info);
  dc->OffsetWindowOrg(0, -(m_nHeaderHeight + m_nGap) * m_CharSize.cy - GetFixedRowHeight());

  const int across = std::max(1, m_nPageMultiplier);
  const int band = (info->m_nCurPage + across - 1) / across;
  const int colBand = (info->m_nCurPage - 1) % across;
  m_nCurrPrintRow = m_nFixedRows;
  int sum = 0;
  int currentBand = 1;
  for (int r = m_nFixedRows; r < m_nRows && currentBand < band; ++r) {
    sum += GetRowHeight(r);
    if (sum > m_nPageHeight) {
      ++currentBand;
      sum = GetRowHeight(r);
      m_nCurrPrintRow = r;
    }
  }
  if (currentBand < band) m_nCurrPrintRow = m_nRows;
  m_nPrintColumn = m_nFixedCols;
  for (int b = 0; b < colBand; ++b) {
    sum = 0;
    while (m_nPrintColumn < m_nCols) {
      sum += GetColumnWidth(m_nPrintColumn);
      if (sum > m_nPageWidth) break;
      ++m_nPrintColumn;
    }
  }

  PrintRowHeadings(dc, info);
  info->m_rectDraw.bottom = GetFixedRowHeight();
  dc->OffsetWindowOrg(0, GetFixedRowHeight());
  const int savedPageWidth = m_nPageWidth;
  const int savedPrintColumn = m_nPrintColumn;
  m_nPageWidth += GetFixedColumnWidth();
  if (colBand == 0) m_nPrintColumn = 0;
  PrintColumnHeadings(dc, info);
  m_nPageWidth = savedPageWidth;
  m_nPrintColumn = savedPrintColumn;

  dc->OffsetWindowOrg(-GetFixedColumnWidth(), -GetFixedRowHeight());
  int top = 0;
  for (int r = m_nCurrPrintRow; r < m_nRows; ++r) {
    const int bottom = top + GetRowHeight(r) - 1;
    if (bottom > m_nPageHeight) break;
    int left = 0;
    for (int c = m_nPrintColumn; c < m_nCols; ++c) {
      const int right = left + GetColumnWidth(c) - 1;
      if (right > m_nPageWidth) break;
      const CRect rect(left, top, right, bottom);
      if (CGridCellBase* cell = GetCell(r, c)) cell->PrintCell(dc, r, c, rect);
      PrintBodyLines(dc, rect, r, c == m_nPrintColumn ? 0 : c, r == m_nCurrPrintRow);
      left = right + 1;
    }
    top = bottom + 1;
  }

  info->m_rectDraw.bottom = m_nFooterHeight * m_CharSize.cy;
  dc->SetWindowOrg(-m_nLeftMargin * m_CharSize.cx, -m_LogicalPageSize.cy + m_nFooterHeight * m_CharSize.cy);
  PrintFooter(dc, info);
  dc->SetWindowOrg(0, 0);
  dc->RestoreDC(saved);
}

void CGridCtrl::PrintBodyLines(CDC* dc, const CRect& rect, int row, int col, bool firstPageRow) {
  CPen pen(PS_SOLID, 0, m_crGridLineColour);
  const CPen old = dc->SelectObject(&pen);
  if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
    dc->MoveTo(col == 0 ? rect.left : rect.left - 1, rect.bottom);
    dc->LineTo(rect.right, rect.bottom);
    if (row == 0) {
      dc->MoveTo(col == 0 ? rect.left : rect.left - 1, rect.top);
      dc->LineTo(rect.right, rect.top);
    }
  }
  if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
    dc->MoveTo(rect.right, firstPageRow ? rect.top : rect.top - 1);
    dc->LineTo(rect.right, rect.bottom);
    if (col == 0) {
      dc->MoveTo(rect.left, firstPageRow ? rect.top : rect.top - 1);
      dc->LineTo(rect.left, rect.bottom);
    }
  }
  dc->SelectObject(&old);
}

void CGridCtrl::PrintRowCells(int fromCol, int toCol, int row, CRect& rect, CDC* dc, BOOL& first) {
  for (int c = fromCol; c < toCol; ++c) {
    rect.left = rect.right + 1;
    rect.right = rect.left + GetColumnWidth(c) - 1;
    if (rect.right > m_nPageWidth) break;
    if (CGridCellBase* cell = GetCell(row, c)) cell->PrintCell(dc, row, c, rect);
    CPen pen(PS_SOLID, 0, m_crGridLineColour);
    const CPen old = dc->SelectObject(&pen);
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
      dc->MoveTo(rect.left - 1, rect.bottom);
      dc->LineTo(rect.right, rect.bottom);
      if (row == 0) {
        dc->MoveTo(rect.left - 1, rect.top);
        dc->LineTo(rect.right, rect.top);
      }
    }
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
      dc->MoveTo(rect.right, row == 0 ? rect.top : rect.top - 1);
      dc->LineTo(rect.right, rect.bottom);
      if (first) {
        dc->MoveTo(rect.left - 1, row == 0 ? rect.top : rect.top - 1);
        dc->LineTo(rect.left - 1, rect.bottom);
        first = FALSE;
      }
    }
    dc->SelectObject(&old);
  }
}

void CGridCtrl::PrintColumnHeadings(CDC* dc, CPrintInfo*) {
  const CFont old = dc->SelectObject(&m_PrinterFont);
  BOOL first = TRUE;
  int top = 0;
  for (int r = 0; r < m_nFixedRows; ++r) {
    CRect rect(0, top, -1, top + GetRowHeight(r) - 1);
    if (m_nPrintColumn >= m_nFixedCols) {
      const BOOL keep = first;
      PrintRowCells(0, m_nFixedCols, r, rect, dc, first);
      first = keep;
    }
    PrintRowCells(m_nPrintColumn, m_nCols, r, rect, dc, first);
    top = rect.bottom + 1;
  }
  dc->SelectObject(&old);
}

void CGridCtrl::PrintRowHeadings(CDC* dc, CPrintInfo*) {
  const CFont old = dc->SelectObject(&m_PrinterFont);
  int left = 0;
  for (int c = 0; c < m_nFixedCols; ++c) {
    const int right = left + GetColumnWidth(c) - 1;
    int top = 0;
    for (int r = m_nCurrPrintRow; r < m_nRows; ++r) {
      const int bottom = top + GetRowHeight(r) - 1;
      if (bottom > m_nPageHeight) break;
      const CRect rect(left, top, right, bottom);
      if (CGridCellBase* cell = GetCell(r, c)) cell->PrintCell(dc, r, c, rect);
      PrintBodyLines(dc, rect, r == m_nCurrPrintRow && c == 0 ? 0 : r, c, r == m_nFixedRows);
      top = bottom + 1;
    }
    left = right + 1;
  }
  dc->SelectObject(&old);
}

CFont CGridCtrl::BoldPrinterFont() const {
  LOGFONT lf = m_PrinterFont.GetLogFont();
  lf.lfWeight = FW_BOLD;
  CFont bold;
  bold.CreateFontIndirect(&lf);
  return bold;
}

void CGridCtrl::PrintHeader(CDC* dc, CPrintInfo* info) {
  const CFont bold = BoldPrinterFont();
  const CFont old = dc->SelectObject(&bold);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(0, 0, 0));
  CRect rect = info->m_rectDraw;
  dc->DrawText(info->m_strTitle, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  rect = info->m_rectDraw;
  const CString app = info->m_strAppTitle.IsEmpty() ? LoadString(IDS_APP_TITLE) : info->m_strAppTitle;
  dc->DrawText(app, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  CPen black(PS_SOLID, 0, RGB(0, 0, 0));
  const CPen oldPen = dc->SelectObject(&black);
  dc->MoveTo(info->m_rectDraw.left, info->m_rectDraw.bottom);
  dc->LineTo(info->m_rectDraw.right, info->m_rectDraw.bottom);
  dc->SelectObject(&oldPen);
  dc->SelectObject(&old);
}

void CGridCtrl::PrintFooter(CDC* dc, CPrintInfo* info) {
  CPen black(PS_SOLID, 0, RGB(0, 0, 0));
  const CPen oldPen = dc->SelectObject(&black);
  dc->MoveTo(info->m_rectDraw.left, info->m_rectDraw.top);
  dc->LineTo(info->m_rectDraw.right, info->m_rectDraw.top);
  dc->SelectObject(&oldPen);
  const CFont bold = BoldPrinterFont();
  const CFont old = dc->SelectObject(&bold);
  dc->SetBkMode(TRANSPARENT);
  dc->SetTextColor(RGB(0, 0, 0));
  CString page;
  page.Format(u"Page %d of %d", info->m_nCurPage, info->m_nMaxPage);
  CRect rect = info->m_rectDraw;
  dc->DrawText(page, &rect, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  CString when = info->m_strDateTime;
  if (when.IsEmpty()) {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    char buf[64];
    std::strftime(buf, sizeof(buf), "%c", &tm);
    when = CString(buf);
  }
  rect = info->m_rectDraw;
  dc->DrawText(when, &rect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  dc->SelectObject(&old);
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*) {
  m_PrinterFont.DeleteObject();
}
