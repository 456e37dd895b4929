// CGridCtrl: sorting the non-fixed rows by one column.
#include <algorithm>
#include <cstdlib>

#include "controls/grid_ctrl.h"

int CGridCtrl::pfnCellTextCompare(LPARAM cell1, LPARAM cell2, LPARAM) {
  const auto* a = reinterpret_cast<const CGridCellBase*>(cell1);
  const auto* b = reinterpret_cast<const CGridCellBase*>(cell2);
  if (a == nullptr || b == nullptr) return 0;
  return a->GetText().Compare(b->GetText());
}

int CGridCtrl::pfnCellNumericCompare(LPARAM cell1, LPARAM cell2, LPARAM) {
  const auto* a = reinterpret_cast<const CGridCellBase*>(cell1);
  const auto* b = reinterpret_cast<const CGridCellBase*>(cell2);
  if (a == nullptr || b == nullptr) return 0;
  const long x = std::strtol(a->GetText().ToUtf8().c_str(), nullptr, 10);
  const long y = std::strtol(b->GetText().ToUtf8().c_str(), nullptr, 10);
  return x < y ? -1 : (x == y ? 0 : 1);
}

BOOL CGridCtrl::SortItems(int col, BOOL ascending, LPARAM data) {
  return SortItems(m_pfnCompare ? m_pfnCompare : pfnCellTextCompare, col, ascending, data);
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data) {
  SetSortColumn(col);
  m_bAscending = ascending;
  ResetSelectedRange();
  SetFocusCell(-1, -1);
  return SortItems(compare, col, ascending, data, m_nFixedRows, -1);
}

BOOL CGridCtrl::SortItems(PFNLVCOMPARE compare, int col, BOOL ascending, LPARAM data, int low, int high) {
  if (col < 0 || col >= m_nCols) return FALSE;
  if (high == -1) high = m_nRows - 1;
  if (low < 0 || high >= m_nRows || low >= high) return FALSE;
  if (m_bVirtualMode) {
    if (m_pfnVirtualCompare == nullptr) return FALSE;
    m_nDragColumn = m_arColOrder[static_cast<size_t>(col)];
    const PFNVIRTUALCOMPARE less = m_pfnVirtualCompare;
    auto first = m_arRowOrder.begin() + std::min<int>(m_nFixedRows, static_cast<int>(m_arRowOrder.size()));
    if (ascending) {
      std::stable_sort(first, m_arRowOrder.end(), [less](int a, int b) { return less(a, b); });
    } else {
      // Descending is "b before a", a strict weak order as the ascending one.
      std::stable_sort(first, m_arRowOrder.end(), [less](int a, int b) { return less(b, a); });
    }
    return TRUE;
  }
  auto cellAt = [&](int r) { return reinterpret_cast<LPARAM>(GetCell(r, col)); };
  const int mid = (low + high) / 2;
  // The pivot is taken by value: the rows move under it while partitioning.
  CGridCellBase* pivot = GetCell(mid, col);
  int lo = low;
  int hi = high;
  while (lo <= hi) {
    if (ascending) {
      while (lo < high && compare(cellAt(lo), reinterpret_cast<LPARAM>(pivot), data) < 0) ++lo;
      while (hi > low && compare(cellAt(hi), reinterpret_cast<LPARAM>(pivot), data) > 0) --hi;
    } else {
      while (lo < high && compare(cellAt(lo), reinterpret_cast<LPARAM>(pivot), data) > 0) ++lo;
      while (hi > low && compare(cellAt(hi), reinterpret_cast<LPARAM>(pivot), data) < 0) --hi;
    }
    if (lo <= hi) {
      if (compare(cellAt(lo), cellAt(hi), data) != 0) {
        std::swap(m_RowData[static_cast<size_t>(lo)], m_RowData[static_cast<size_t>(hi)]);
        for (int c = 0; c < m_nCols; ++c) {
          if (CGridCellBase* a = GetCell(lo, c)) a->SetCoords(lo, c);
          if (CGridCellBase* b = GetCell(hi, c)) b->SetCoords(hi, c);
        }
        std::swap(m_arRowHeights[static_cast<size_t>(lo)], m_arRowHeights[static_cast<size_t>(hi)]);
      }
      ++lo;
      --hi;
    }
  }
  if (low < hi) SortItems(compare, col, ascending, data, low, hi);
  if (lo < high) SortItems(compare, col, ascending, data, lo, high);
  return TRUE;
}
