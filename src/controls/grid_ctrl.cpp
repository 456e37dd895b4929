// CGridCtrl: construction, rows, columns and cell access, virtual mode,
// notifications, row heights, column widths and auto-sizing.
#include "controls/grid_ctrl.h"

#include <atomic>
#include <numeric>

namespace {

std::uint64_t NextInstanceId() {
  static std::atomic<std::uint64_t> next{1};
  return next++;
}

}  // namespace

CGridCtrl::CGridCtrl(int rows, int cols, int fixedRows, int fixedCols)
    : m_crWindowText(GridSysColor(COLOR_WINDOWTEXT)),
      m_crWindowColour(GridSysColor(COLOR_WINDOW)),
      m_cr3DFace(GridSysColor(COLOR_3DFACE)),
      m_crShadow(GridSysColor(COLOR_3DSHADOW)),
      m_pRtcDefault(RUNTIME_CLASS(CGridCell)),
      m_nInstanceId(NextInstanceId()) {
  m_cellDefault = std::make_unique<CGridDefaultCell>();
  m_cellFixedColDef = std::make_unique<CGridDefaultCell>();
  m_cellFixedRowDef = std::make_unique<CGridDefaultCell>();
  m_cellFixedRowColDef = std::make_unique<CGridDefaultCell>();
  for (CGridDefaultCell* def :
       {m_cellDefault.get(), m_cellFixedColDef.get(), m_cellFixedRowDef.get(), m_cellFixedRowColDef.get()}) {
    def->SetGrid(this);
    def->SetTextClr(m_crWindowText);
    def->SetBackClr(def == m_cellDefault.get() ? m_crWindowColour : m_cr3DFace);
  }
  m_crGridBkColour = m_crShadow;
  SetRowCount(rows);
  SetColumnCount(cols);
  SetFixedRowCount(fixedRows);
  SetFixedColumnCount(fixedCols);
  m_SelectedCellMap.clear();
  m_PrevSelectedCellMap.clear();
}

CGridCtrl::~CGridCtrl() {
  m_pSelectedWidget = nullptr;
  for (auto& group : m_arWidgetLists)
    for (auto& list : group) list.clear();
  m_bInDestructor = true;
  m_pWindow = nullptr;
  m_pHost = nullptr;
  DeleteAllItems();
}

void CGridCtrl::AttachWindow(CGridWindow* window) {
  m_pWindow = window;
  if (window == nullptr) return;
  const LOGFONT lf = *m_cellDefault->GetFont();
  SetFont(lf);
  ResetScrollBars();
}

CRect CGridCtrl::ClientRect() const {
  return m_pWindow ? m_pWindow->GetClientRect() : CRect();
}

void CGridCtrl::InvalidateAll() {
  if (m_pWindow) m_pWindow->Invalidate(nullptr);
}

void CGridCtrl::Invalidate(const CRect& rect) {
  if (m_pWindow) m_pWindow->Invalidate(&rect);
}

CDC* CGridCtrl::MeasureDC() const {
  return m_pWindow ? m_pWindow->GetMeasureDC() : nullptr;
}

// ---- Notifications -------------------------------------------------------------

LRESULT CGridCtrl::SendMessageToParent(int row, int col, int code) {
  if (!WindowExists() || m_pHost == nullptr) return 0;
  return m_pHost->OnGridNotify(this, code, row, col);
}

LRESULT CGridCtrl::SendDisplayRequestToParent(GridDispInfo* info) {
  if (!WindowExists() || m_pHost == nullptr) return 0;
  return m_pHost->OnGridDispInfo(this, info);
}

void CGridCtrl::SendCacheHintToParent(const CGridCellSpan& span) {
  if (!WindowExists() || m_pHost == nullptr) return;
  m_pHost->OnGridCacheHint(this, span);
}

// ---- Cells ---------------------------------------------------------------------

CGridDefaultCell* CGridCtrl::GetDefaultCell(BOOL fixedRow, BOOL fixedCol) const {
  if (fixedRow && fixedCol) return m_cellFixedRowColDef.get();
  if (fixedRow) return m_cellFixedRowDef.get();
  if (fixedCol) return m_cellFixedColDef.get();
  return m_cellDefault.get();
}

CGridCellBase* CGridCtrl::VirtualCell(int row, int col) const {
  const CGridDefaultCell* def = GetDefaultCell(row < m_nFixedRows, col < m_nFixedCols);
  GridDispInfo info;
  GridItem& item = info.item;
  item.row = row;
  item.col = col;
  item.mask = GVIF_ALL;
  item.nState = 0;
  item.nFormat = def->GetFormat();
  item.iImage = def->GetImage();
  item.crBkClr = def->GetBackClr();
  item.crFgClr = def->GetTextClr();
  item.lParam = def->GetData();
  item.lfFont = *def->GetFont();
  item.nMargin = def->GetMargin();
  if (m_SelectedCellMap.count(Key(row, col))) item.nState |= GVIS_SELECTED;
  if (row < m_nFixedRows) item.nState |= GVIS_FIXED | GVIS_FIXEDROW;
  if (col < m_nFixedCols) item.nState |= GVIS_FIXED | GVIS_FIXEDCOL;
  if (CGridCellPos(row, col) == m_idCurrentCell) item.nState |= GVIS_FOCUSED;
  if (!m_bInDestructor) {
    if (row < static_cast<int>(m_arRowOrder.size())) item.row = m_arRowOrder[static_cast<size_t>(row)];
    if (col < static_cast<int>(m_arColOrder.size())) item.col = m_arColOrder[static_cast<size_t>(col)];
    auto* self = const_cast<CGridCtrl*>(this);
    if (m_pfnCallback != nullptr) {
      m_pfnCallback(&info, m_lParam);
    } else {
      self->SendDisplayRequestToParent(&info);
    }
    item.row = row;
    item.col = col;
  }
  if (!m_pVirtualCell) m_pVirtualCell = std::make_unique<CGridCell>();
  CGridCell* cell = m_pVirtualCell.get();
  cell->Reset();
  cell->SetState(item.nState);
  cell->SetFormat(item.nFormat);
  cell->SetImage(item.iImage);
  cell->SetBackClr(item.crBkClr);
  cell->SetTextClr(item.crFgClr);
  cell->SetData(item.lParam);
  cell->SetFont(&item.lfFont);
  cell->SetMargin(item.nMargin);
  cell->SetText(item.strText);
  cell->SetGrid(const_cast<CGridCtrl*>(this));
  return cell;
}

CGridCellBase* CGridCtrl::GetCell(int row, int col) const {
  if (!IsValid(row, col)) return nullptr;
  if (m_bVirtualMode) return VirtualCell(row, col);
  if (row >= static_cast<int>(m_RowData.size())) return nullptr;
  const Row& data = m_RowData[static_cast<size_t>(row)];
  const int phys = m_arColOrder[static_cast<size_t>(col)];
  if (phys < 0 || phys >= static_cast<int>(data.size())) return nullptr;
  return data[static_cast<size_t>(phys)].get();
}

CGridCellBase* CGridCtrl::CreateCell(int row, int col) {
  if (m_pRtcDefault == nullptr || !m_pRtcDefault->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase))) return nullptr;
  CObject* obj = m_pRtcDefault->CreateObject();
  auto* cell = dynamic_cast<CGridCellBase*>(obj);
  if (cell == nullptr) {
    delete obj;
    return nullptr;
  }
  cell->SetGrid(this);
  cell->SetCoords(row, col);
  if (col < m_nFixedCols) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
  if (row < m_nFixedRows) cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
  cell->SetFormat(cell->GetDefaultCell()->GetFormat());
  return cell;
}

void CGridCtrl::DestroyCell(int row, int col) {
  SetItemState(row, col, 0);
}

BOOL CGridCtrl::SetCellType(int row, int col, const CRuntimeClass* cls) {
  if (m_bVirtualMode || !IsValid(row, col) || cls == nullptr ||
      !cls->IsDerivedFrom(RUNTIME_CLASS(CGridCellBase)))
    return FALSE;
  CObject* obj = cls->CreateObject();
  auto* cell = dynamic_cast<CGridCellBase*>(obj);
  if (cell == nullptr) {
    delete obj;
    return FALSE;
  }
  if (CGridCellBase* old = GetCell(row, col)) *cell = *old;
  return SetCell(row, col, cell);
}

BOOL CGridCtrl::SetCell(int row, int col, CGridCellBase* cell) {
  std::unique_ptr<CGridCellBase> owned(cell);
  if (m_bVirtualMode || !IsValid(row, col) || row >= static_cast<int>(m_RowData.size())) return FALSE;
  cell->SetCoords(row, col);
  Row& data = m_RowData[static_cast<size_t>(row)];
  const size_t phys = static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)]);
  if (phys >= data.size()) return FALSE;
  data[phys] = std::move(owned);
  return TRUE;
}

// ---- Counts --------------------------------------------------------------------

BOOL CGridCtrl::SetRowCount(int rows) {
  if (rows < 0 || rows == m_nRows) return rows >= 0;
  m_idTopLeftCell.row = -1;
  if (rows < m_nFixedRows) m_nFixedRows = rows;
  if (m_idCurrentCell.row >= rows) SetFocusCell(-1, -1);
  if (rows < m_nRows) {
    if (!m_bVirtualMode) {
      for (int r = rows; r < m_nRows; ++r)
        for (int c = 0; c < m_nCols; ++c) DestroyCell(r, c);
      m_RowData.resize(static_cast<size_t>(rows));
    }
    m_nRows = rows;
  }
  // Rows are added whole; when memory runs out the count covers the rows made.
  BOOL result = TRUE;
  try {
    m_arRowHeights.resize(static_cast<size_t>(rows), m_cellDefault->GetHeight());
    if (m_bVirtualMode) {
      m_nRows = rows;
      ResetVirtualOrder();
    } else {
      while (m_nRows < rows) {
        Row data(static_cast<size_t>(m_nCols));
        for (int c = 0; c < m_nCols; ++c) data[static_cast<size_t>(c)].reset(CreateCell(m_nRows, c));
        m_RowData.push_back(std::move(data));
        ++m_nRows;
      }
    }
  } catch (const std::exception&) {
    result = FALSE;
    m_arRowHeights.resize(std::min(m_arRowHeights.size(), static_cast<size_t>(m_nRows)));
  }
  SetModified(TRUE, -1, -1);
  ResetScrollBars();
  Refresh();
  return result;
}

BOOL CGridCtrl::SetColumnCount(int cols) {
  if (cols < 0 || cols == m_nCols) return cols >= 0;
  m_idTopLeftCell.row = -1;
  if (cols < m_nFixedCols) m_nFixedCols = cols;
  if (m_idCurrentCell.col >= cols) SetFocusCell(-1, -1);
  const int oldCols = m_nCols;
  if (!m_bVirtualMode && cols < oldCols) {
    for (int r = 0; r < m_nRows; ++r)
      for (int c = cols; c < oldCols; ++c) DestroyCell(r, c);
  }
  // When memory runs out the grid keeps the columns it had.
  BOOL result = TRUE;
  try {
    m_arColWidths.resize(static_cast<size_t>(cols), m_cellFixedColDef->GetWidth());
    m_arColOrder.resize(static_cast<size_t>(cols));
    if (!m_bVirtualMode) {
      for (Row& data : m_RowData) {
        data.resize(static_cast<size_t>(cols));
        const int r = static_cast<int>(&data - m_RowData.data());
        for (int c = oldCols; c < cols; ++c) data[static_cast<size_t>(c)].reset(CreateCell(r, c));
      }
    }
  } catch (const std::exception&) {
    result = FALSE;
    cols = std::min(cols, oldCols);
    m_arColWidths.resize(static_cast<size_t>(cols));
    m_arColOrder.resize(static_cast<size_t>(cols));
    for (Row& data : m_RowData) data.resize(static_cast<size_t>(cols));
  }
  std::iota(m_arColOrder.begin(), m_arColOrder.end(), 0);
  m_nCols = cols;
  SetModified(TRUE, -1, -1);
  ResetScrollBars();
  Refresh();
  return result;
}

BOOL CGridCtrl::SetFixedRowCount(int fixedRows) {
  if (fixedRows < 0) return FALSE;
  if (fixedRows == m_nFixedRows) return TRUE;
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (fixedRows > m_nRows && !SetRowCount(fixedRows)) return FALSE;
  if (m_idCurrentCell.row < fixedRows) SetFocusCell(-1, -1);
  if (!m_bVirtualMode) {
    if (fixedRows > m_nFixedRows) {
      for (int r = m_nFixedRows; r < fixedRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
          CGridCellBase* cell = GetCell(r, c);
          if (!cell) continue;
          cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDROW);
          cell->SetBackClr(CLR_DEFAULT);
          cell->SetTextClr(CLR_DEFAULT);
        }
    } else {
      for (int r = fixedRows; r < m_nFixedRows; ++r)
        for (int c = 0; c < m_nCols; ++c) {
          CGridCellBase* cell = GetCell(r, c);
          if (!cell) continue;
          if (c < m_nFixedCols) {
            cell->SetState(cell->GetState() & ~GVIS_FIXEDROW);
          } else {
            cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDROW));
            cell->SetBackClr(CLR_DEFAULT);
            cell->SetTextClr(CLR_DEFAULT);
          }
        }
    }
  }
  m_nFixedRows = fixedRows;
  Refresh();
  return TRUE;
}

BOOL CGridCtrl::SetFixedColumnCount(int fixedCols) {
  if (fixedCols < 0) return FALSE;
  if (fixedCols == m_nFixedCols) return TRUE;
  if (fixedCols > m_nCols && !SetColumnCount(fixedCols)) return FALSE;
  if (m_idCurrentCell.col < fixedCols) SetFocusCell(-1, -1);
  ResetSelectedRange();
  m_idTopLeftCell.col = -1;
  if (!m_bVirtualMode) {
    if (fixedCols > m_nFixedCols) {
      for (int r = 0; r < m_nRows; ++r)
        for (int c = m_nFixedCols; c < fixedCols; ++c) {
          CGridCellBase* cell = GetCell(r, c);
          if (!cell) continue;
          cell->SetState(cell->GetState() | GVIS_FIXED | GVIS_FIXEDCOL);
          cell->SetBackClr(CLR_DEFAULT);
          cell->SetTextClr(CLR_DEFAULT);
        }
    } else {
      for (int r = 0; r < m_nRows; ++r)
        for (int c = fixedCols; c < m_nFixedCols; ++c) {
          CGridCellBase* cell = GetCell(r, c);
          if (!cell) continue;
          if (r < m_nFixedRows) {
            cell->SetState(cell->GetState() & ~GVIS_FIXEDCOL);
          } else {
            cell->SetState(cell->GetState() & ~(GVIS_FIXED | GVIS_FIXEDCOL));
            cell->SetBackClr(CLR_DEFAULT);
            cell->SetTextClr(CLR_DEFAULT);
          }
        }
    }
  }
  m_nFixedCols = fixedCols;
  Refresh();
  return TRUE;
}

BOOL CGridCtrl::DeleteAllItems() {
  ResetSelectedRange();
  m_arRowHeights.clear();
  m_arColWidths.clear();
  if (m_bVirtualMode) {
    m_arRowOrder.clear();
  } else {
    for (int r = 0; r < m_nRows; ++r)
      for (int c = 0; c < m_nCols; ++c) DestroyCell(r, c);
    m_RowData.clear();
  }
  m_idCurrentCell = CGridCellPos();
  m_nRows = m_nFixedRows = m_nCols = m_nFixedCols = 0;
  m_arColOrder.clear();
  ResetScrollBars();
  SetModified(TRUE, -1, -1);
  return TRUE;
}

// ---- Item access ---------------------------------------------------------------

BOOL CGridCtrl::SetItem(const GridItem* item) {
  if (item == nullptr || m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(item->row, item->col);
  if (cell == nullptr) return FALSE;
  SetModified(TRUE, item->row, item->col);
  if (item->mask & GVIF_TEXT) cell->SetText(item->strText);
  if (item->mask & GVIF_PARAM) cell->SetData(item->lParam);
  if (item->mask & GVIF_IMAGE) cell->SetImage(item->iImage);
  if (item->mask & GVIF_STATE) SetItemState(item->row, item->col, item->nState);
  if (item->mask & GVIF_FORMAT) cell->SetFormat(item->nFormat);
  if (item->mask & GVIF_BKCLR) cell->SetBackClr(item->crBkClr);
  if (item->mask & GVIF_FGCLR) cell->SetTextClr(item->crFgClr);
  if (item->mask & GVIF_FONT) cell->SetFont(&item->lfFont);
  if (item->mask & GVIF_MARGIN) cell->SetMargin(item->nMargin);
  return TRUE;
}

BOOL CGridCtrl::SetItemText(int row, int col, const CString& text) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetText(text);
  SetModified(TRUE, row, col);
  return TRUE;
}

CString CGridCtrl::GetItemText(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetText() : CString();
}

BOOL CGridCtrl::SetItemData(int row, int col, LPARAM data) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetData(data);
  return TRUE;
}

LPARAM CGridCtrl::GetItemData(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetData() : 0;
}

BOOL CGridCtrl::SetItemState(int row, int col, UINT state) {
  if (!IsValid(row, col)) return FALSE;
  const DWORD key = Key(row, col);
  if (state & GVIS_SELECTED) {
    m_SelectedCellMap[key] = CGridCellPos(row, col);
  } else {
    m_SelectedCellMap.erase(key);
  }
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetState(state);
  return TRUE;
}

UINT CGridCtrl::GetItemState(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->GetState() : 0;
}

BOOL CGridCtrl::SetItemFormat(int row, int col, UINT format) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetFormat(format);
  return TRUE;
}

BOOL CGridCtrl::SetItemBkColour(int row, int col, COLORREF color) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetBackClr(color);
  return TRUE;
}

BOOL CGridCtrl::SetItemFgColour(int row, int col, COLORREF color) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetTextClr(color);
  return TRUE;
}

BOOL CGridCtrl::SetItemFont(int row, int col, const LOGFONT* font) {
  if (m_bVirtualMode) return FALSE;
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr) return FALSE;
  cell->SetFont(font);
  return TRUE;
}

BOOL CGridCtrl::IsItemEditing(int row, int col) const {
  const CGridCellBase* cell = GetCell(row, col);
  return cell ? cell->IsEditing() : FALSE;
}

BOOL CGridCtrl::IsCellEditable(int row, int col) const {
  if (!m_bEditable) return FALSE;
  const CGridCellBase* cell = GetCell(row, col);
  return cell != nullptr && !(cell->GetState() & GVIS_READONLY);
}

BOOL CGridCtrl::IsCellSelected(int row, int col) const {
  if (!m_bEnableSelection || !IsValid(row, col)) return FALSE;
  if (m_bVirtualMode) return m_SelectedCellMap.count(Key(row, col)) != 0;
  const CGridCellBase* cell = GetCell(row, col);
  return cell != nullptr && cell->IsSelected();
}

void CGridCtrl::SetGridLines(int lines) {
  m_nGridLines = lines;
  Refresh();
}

void CGridCtrl::SetSortColumn(int col) {
  if (m_nSortColumn >= 0) InvalidateCellRect(0, m_nSortColumn);
  m_nSortColumn = col;
  if (col >= 0) InvalidateCellRect(0, col);
}

void CGridCtrl::SetModified(BOOL modified, int row, int col) {
  if (col < 0 || col == m_nSortColumn) SetSortColumn(-1);
  if (row < 0 || col < 0) {
    m_bModified = modified;
  } else if (CGridCellBase* cell = GetCell(row, col); cell != nullptr && !m_bVirtualMode) {
    if (modified) {
      cell->SetState(cell->GetState() | GVIS_MODIFIED);
      m_bModified = TRUE;
    } else {
      cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
    }
  }
  if (!m_bModified && !m_bVirtualMode) {
    for (Row& data : m_RowData)
      for (auto& cell : data)
        if (cell) cell->SetState(cell->GetState() & ~GVIS_MODIFIED);
  }
}

BOOL CGridCtrl::GetModified(int row, int col) const {
  if (row < 0 || col < 0) return m_bModified;
  const CGridCellBase* cell = GetCell(row, col);
  return cell != nullptr && cell->IsModified();
}

// ---- Virtual mode and order ----------------------------------------------------

void CGridCtrl::SetVirtualMode(BOOL virtualMode) {
  DeleteAllItems();
  m_bVirtualMode = virtualMode;
  if (virtualMode) {
    m_bEditable = FALSE;
    m_bFixedRowSelection = FALSE;
    m_bFixedColumnSelection = FALSE;
    m_nAutoSizeColumnStyle = GVS_HEADER;
    ResetVirtualOrder();
  }
}

void CGridCtrl::ResetVirtualOrder() {
  m_arRowOrder.resize(static_cast<size_t>(m_nRows));
  std::iota(m_arRowOrder.begin(), m_arRowOrder.end(), 0);
}

void CGridCtrl::MoveRowOrder(int from, int to) {
  const int n = static_cast<int>(m_arRowOrder.size());
  if (from < 0 || from >= n || to < 0 || to >= n) return;
  const int value = m_arRowOrder[static_cast<size_t>(from)];
  m_arRowOrder.erase(m_arRowOrder.begin() + from);
  const int at = std::min(from >= to ? to + 1 : to, n - 1);
  m_arRowOrder.insert(m_arRowOrder.begin() + at, value);
}

void CGridCtrl::ShiftRowOrder(int row, int shift) {
  if (!m_bVirtualMode) return;
  for (int& entry : m_arRowOrder)
    if (entry > row) entry += shift;
  if (row < 0 || row > static_cast<int>(m_arRowOrder.size())) return;
  if (shift <= 0) {
    if (row < static_cast<int>(m_arRowOrder.size())) m_arRowOrder.erase(m_arRowOrder.begin() + row);
  } else {
    m_arRowOrder.insert(m_arRowOrder.begin() + row, row);
  }
}

// ---- Sizes ---------------------------------------------------------------------

int CGridCtrl::GetRowHeight(int row) const {
  if (row < 0 || row >= m_nRows || row >= static_cast<int>(m_arRowHeights.size())) return -1;
  return m_arRowHeights[static_cast<size_t>(row)];
}

int CGridCtrl::GetColumnWidth(int col) const {
  if (col < 0 || col >= m_nCols) return -1;
  const int phys = m_arColOrder[static_cast<size_t>(col)];
  return m_arColWidths[static_cast<size_t>(phys)];
}

BOOL CGridCtrl::SetRowHeight(int row, int height) {
  if (row < 0 || row >= m_nRows || height < 0) return FALSE;
  m_arRowHeights[static_cast<size_t>(row)] = height;
  ResetScrollBars();
  return TRUE;
}

BOOL CGridCtrl::SetColumnWidth(int col, int width) {
  if (col < 0 || col >= m_nCols || width < 0) return FALSE;
  m_arColWidths[static_cast<size_t>(m_arColOrder[static_cast<size_t>(col)])] = width;
  ResetScrollBars();
  return TRUE;
}

int CGridCtrl::GetFixedRowHeight() const {
  int h = 0;
  for (int r = 0; r < m_nFixedRows; ++r) h += GetRowHeight(r);
  return h;
}

int CGridCtrl::GetFixedColumnWidth() const {
  int w = 0;
  for (int c = 0; c < m_nFixedCols; ++c) w += GetColumnWidth(c);
  return w;
}

long CGridCtrl::GetVirtualHeight() const {
  return std::accumulate(m_arRowHeights.begin(), m_arRowHeights.end(), 0L);
}

long CGridCtrl::GetVirtualWidth() const {
  return std::accumulate(m_arColWidths.begin(), m_arColWidths.end(), 0L);
}

BOOL CGridCtrl::AutoSizeColumn(int col, UINT style, BOOL resetScroll) {
  if (col < 0 || col >= m_nCols || m_arColWidths[static_cast<size_t>(col)] <= 0) return FALSE;
  CDC* dc = MeasureDC();
  if (dc == nullptr) return FALSE;
  if (style == GVS_DEFAULT) style = m_nAutoSizeColumnStyle;
  const int first = (style & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (style & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan(first, col, last, col));
  int width = 0;
  for (int r = first; r <= last; ++r)
    if (CGridCellBase* cell = GetCell(r, col))
      width = std::max(width, static_cast<int>(cell->GetCellExtent(dc).cx));
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan());
  m_arColWidths[static_cast<size_t>(col)] = width;
  if (resetScroll) ResetScrollBars();
  return TRUE;
}

void CGridCtrl::AutoSizeColumns(UINT style) {
  for (int c = 0; c < m_nCols; ++c)
    if (GetColumnWidth(c) > 0) AutoSizeColumn(c, style, FALSE);
  ResetScrollBars();
}

void CGridCtrl::AutoSize(UINT style) {
  CDC* dc = MeasureDC();
  if (dc == nullptr) return;
  if (style == GVS_DEFAULT) style = m_nAutoSizeColumnStyle;
  const int first = (style & GVS_HEADER) ? 0 : m_nFixedRows;
  const int last = (style & GVS_DATA) ? m_nRows - 1 : m_nFixedRows - 1;
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan(first, 0, last, m_nCols));
  for (int r = first; r <= last; ++r)
    if (m_arRowHeights[static_cast<size_t>(r)] > 0) m_arRowHeights[static_cast<size_t>(r)] = 1;
  for (int c = 0; c < m_nCols; ++c) {
    int& width = m_arColWidths[static_cast<size_t>(c)];
    if (width <= 0) continue;
    width = 0;
    for (int r = first; r <= last; ++r) {
      int& height = m_arRowHeights[static_cast<size_t>(r)];
      if (height <= 0) continue;
      CGridCellBase* cell = GetCell(r, c);
      if (cell == nullptr) continue;
      const CSize size = cell->GetCellExtent(dc);
      width = std::max(width, static_cast<int>(size.cx));
      height = std::max(height, static_cast<int>(size.cy));
    }
  }
  if (m_bVirtualMode) SendCacheHintToParent(CGridCellSpan());
  ResetScrollBars();
  Refresh();
}

namespace {

// Spreads free pixels over the non-zero sizes from first; a size never drops
// below 1 pixel (a negative share would otherwise wrap it around).
void SpreadFreeSpace(std::vector<int>& sizes, int first, long free) {
  int n = 0;
  for (size_t i = static_cast<size_t>(first); i < sizes.size(); ++i)
    if (sizes[i] != 0) ++n;
  if (n == 0) return;
  const long share = free / n;
  for (size_t i = static_cast<size_t>(first); i < sizes.size(); ++i)
    if (sizes[i] != 0) sizes[i] = static_cast<int>(std::max(1L, sizes[i] + share));
  const long rest = free <= 0 ? (-free) % n : free % n;
  for (long k = 0; k < rest && static_cast<size_t>(first + k) < sizes.size(); ++k) {
    int& size = sizes[static_cast<size_t>(first + k)];
    if (size == 0) continue;
    size = free <= 0 ? std::max(1, size - 1) : size + 1;
  }
}

}  // namespace

void CGridCtrl::ExpandColumnsToFit(BOOL expandFixed) {
  if (expandFixed ? m_nCols <= 0 : m_nCols <= m_nFixedCols) return;
  EnableScrollBars(SB_HORZ, FALSE);
  const CRect client = ClientRect();
  SpreadFreeSpace(m_arColWidths, expandFixed ? 0 : m_nFixedCols, client.Width() - GetVirtualWidth());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandRowsToFit(BOOL expandFixed) {
  if (expandFixed ? m_nRows <= 0 : m_nRows <= m_nFixedRows) return;
  EnableScrollBars(SB_VERT, FALSE);
  const CRect client = ClientRect();
  SpreadFreeSpace(m_arRowHeights, expandFixed ? 0 : m_nFixedRows, client.Height() - GetVirtualHeight());
  Refresh();
  ResetScrollBars();
}

void CGridCtrl::ExpandToFit(BOOL expandFixed) {
  ExpandColumnsToFit(expandFixed);
  ExpandRowsToFit(expandFixed);
  ExpandColumnsToFit(expandFixed);
  Refresh();
}
