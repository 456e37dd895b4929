#include "msgtext/widget.h"

#include <cstdint>

#include "model/zarad_doc.h"
#include "msgtext/param_display_width.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CWidget, CObject, VERSIONABLE_SCHEMA | 1)

CWidget::CWidget() {
  InitCells();
}

CWidget::CWidget(int x, int y, int cx, int cy, COLORREF color)
    : m_rect(x, y, x + cx, y + cy), m_color(color) {
  InitCells();
}

CWidget::~CWidget() = default;

void CWidget::InitCells() {
  for (int r = 0; r < kCellRows; ++r) {
    for (int c = 0; c < kCellCols; ++c) m_strCell[r][c] = (r == 0 || c == 0) ? CString(u"W") : CString(u" ");
  }
}

int CWidget::GetLineCount() const {
  switch (m_nKind) {
    case MSGELEM_SCOPE:
    case MSGELEM_POINTER:
      return 3;
    case MSGELEM_GRAPH:
      return 4;
    default:
      return 1;
  }
}

void CWidget::CopyTo(CWidget* target) const {
  if (target == nullptr || target == this) return;
  target->m_color = m_color;
  target->m_nWidth = m_nWidth;
  target->m_nNumber = m_nNumber;
  target->m_pBlock = m_pBlock;
  target->m_nKind = m_nKind;
  target->m_nParam = m_nParam;
  target->m_nRow = m_nRow;
  target->m_nCol = m_nCol;
  target->m_rect = m_rect;
  target->m_strLabel = m_strLabel;
  target->m_bSelected = m_bSelected;
  for (int r = 0; r < kCellRows; ++r) {
    for (int c = 0; c < kCellCols; ++c) target->m_strCell[r][c] = m_strCell[r][c];
  }
  target->m_nValueIndex = m_nValueIndex;
  target->m_nMin = m_nMin;
  target->m_nMax = m_nMax;
  target->m_nOption = m_nOption;
}

void CWidget::FitToOlderDisplay() {
  const int width = GetParamDisplayWidth(m_nParam);
  if (width == 0 || m_nWidth <= 0 || width == m_nWidth) return;
  // 64-bit arithmetic: a damaged record's coordinates must not overflow.
  const std::int64_t cell = (static_cast<std::int64_t>(m_rect.right) - m_rect.left) / m_nWidth;
  const std::int64_t t = static_cast<std::int64_t>(width) + m_nCol - kOlderDisplayColumns;
  std::int64_t left = m_rect.left;
  if (t > 0) {
    m_nCol = static_cast<int>(m_nCol - t);
    left -= t * cell;
  }
  m_rect.left = static_cast<int>(left);
  m_rect.right = static_cast<int>(left + width * cell);
  m_nWidth = width;
}

void CWidget::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_rect.left << m_rect.top << m_rect.right << m_rect.bottom;
    ar << static_cast<int>(m_color) << m_nRow << m_nCol << m_nNumber << m_nParam << m_strLabel << m_nKind
       << m_nWidth;
    for (auto& row : m_strCell) {
      for (const CString& cell : row) ar << cell;
    }
    ar << m_nValueIndex << m_nMin << m_nMax << m_nOption;
    return;
  }

  int color = 0;
  ar >> m_rect.left >> m_rect.top >> m_rect.right >> m_rect.bottom;
  ar >> color >> m_nRow >> m_nCol >> m_nNumber >> m_nParam >> m_strLabel >> m_nKind >> m_nWidth;
  m_color = static_cast<COLORREF>(color);
  m_pDoc = dynamic_cast<CZaradDoc*>(ar.m_pDocument);
  if (m_pDoc != nullptr && !m_pDoc->IsNewerFamily()) FitToOlderDisplay();
  m_pBlock = m_pDoc ? m_pDoc->FindBlockByNumber(m_nNumber) : nullptr;

  const UINT schema = ar.GetObjectSchema();
  if (schema > 1) ar.ThrowException(CArchiveException::badSchema, "CWidget");
  if (schema == 0) return;
  for (auto& row : m_strCell) {
    for (CString& cell : row) ar >> cell;
  }
  ar >> m_nValueIndex >> m_nMin >> m_nMax >> m_nOption;
}

// Drawing: widget_draw.cpp.
