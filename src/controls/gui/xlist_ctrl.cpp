#include "controls/gui/xlist_ctrl.h"

#include <QAbstractTableModel>
#include <QCursor>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimerEvent>
#include <QToolTip>

#include "controls/gui/control_paint.h"
#include "platform/gui/qt_string.h"

namespace {

class CellDelegate : public QStyledItemDelegate {
 public:
  explicit CellDelegate(CXListCtrl* list) : QStyledItemDelegate(list), m_list(list) {}
  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    m_list->PaintCell(*p, option, index.row(), index.column());
  }

 private:
  CXListCtrl* m_list;
};

}  // namespace

// The Qt face of the cell records: texts, the columns' titles and header images.
class CXListCtrl::ItemModel : public QAbstractTableModel {
 public:
  ItemModel(CXListModel& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {}
  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : m_list.GetItemCount();
  }
  int columnCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : m_list.GetColumnCount();
  }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return ToQString(m_list.GetItemText(index.row(), index.column()));
  }
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal) return {};
    if (role == Qt::DisplayRole) return ToQString(m_list.GetColumnTitle(section));
    if (role == kXHeaderImageRole) return m_list.GetHeaderCheckState(section);
    return {};
  }
  Qt::ItemFlags flags(const QModelIndex& index) const override {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
  }
  void BeginInsertColumn(int c) { beginInsertColumns({}, c, c); }
  void EndInsertColumn() { endInsertColumns(); }
  void BeginInsertRow(int r) { beginInsertRows({}, r, r); }
  void EndInsertRow() { endInsertRows(); }
  void BeginRemoveRow(int r) { beginRemoveRows({}, r, r); }
  void EndRemoveRow() { endRemoveRows(); }
  void BeginReset() { beginResetModel(); }
  void EndReset() { endResetModel(); }
  void CellChanged(int r, int c) { emit dataChanged(index(r, c), index(r, c)); }
  void HeaderChanged(int c) { emit headerDataChanged(Qt::Horizontal, c, c); }

 private:
  CXListModel& m_list;
};

CXListCtrl::CXListCtrl(QWidget* parent)
    : QTreeView(parent), m_model(new ItemModel(m_list, this)), m_header(new CXHeaderCtrl(this)) {
  setHeader(m_header);
  setModel(m_model);
  setItemDelegate(new CellDelegate(this));
  setRootIsDecorated(false);
  setIndentation(0);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  m_header->setStretchLastSection(false);
  m_header->setSectionsClickable(true);  // after setHeader, which turns it off
  connect(m_header, &QHeaderView::sectionClicked, this, &CXListCtrl::OnColumnClick);
  ReadColors();
}

CXListCtrl::~CXListCtrl() = default;

void CXListCtrl::ReadColors() {
  const QPalette pal = palette();
  XListSystemColors colors;
  colors.window = ToColorRef(pal.color(QPalette::Base));
  colors.window_text = ToColorRef(pal.color(QPalette::Text));
  colors.face = ToColorRef(pal.color(QPalette::Button));
  colors.shadow = ToColorRef(pal.color(QPalette::Dark));
  colors.gray_text = ToColorRef(pal.color(QPalette::Disabled, QPalette::Text));
  colors.highlight = ToColorRef(pal.color(QPalette::Active, QPalette::Highlight));
  colors.highlight_text = ToColorRef(pal.color(QPalette::Active, QPalette::HighlightedText));
  m_list.SetColors(colors);
}

void CXListCtrl::changeEvent(QEvent* event) {
  QTreeView::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) ReadColors();
}

int CXListCtrl::InsertColumn(int column, const CString& title, int format, int width) {
  if (column < 0) return -1;
  column = std::min(column, GetColumnCount());
  m_model->BeginInsertColumn(column);
  m_list.InsertColumn(column, title, format);
  m_model->EndInsertColumn();
  const int need = fontMetrics().horizontalAdvance(ToQString(title)) + 4 * kXHeaderSpacing;
  m_header->resizeSection(column, width < 0 ? need : width);
  return column;
}

int CXListCtrl::InsertItem(int row, const CString& text) {
  if (row < 0) return -1;
  row = std::min(row, GetItemCount());
  m_model->BeginInsertRow(row);
  const int inserted = m_list.InsertItem(row, text);
  m_model->EndInsertRow();
  return inserted;
}

BOOL CXListCtrl::DeleteItem(int row) {
  if (row < 0 || row >= GetItemCount()) return FALSE;
  m_model->BeginRemoveRow(row);
  m_list.DeleteItem(row);
  m_model->EndRemoveRow();
  return TRUE;
}

void CXListCtrl::DeleteAllItems() {
  m_model->BeginReset();
  m_list.DeleteAllItems();
  m_model->EndReset();
}

BOOL CXListCtrl::SetItemText(int row, int column, const CString& text) {
  if (!m_list.SetItemText(row, column, text)) return FALSE;
  RedrawCell(row, column);
  return TRUE;
}

BOOL CXListCtrl::SetCheckbox(int row, int column, int state) {
  if (!m_list.SetCheckbox(row, column, state)) return FALSE;
  RedrawCell(row, column);
  m_model->HeaderChanged(column);
  m_header->viewport()->update();
  return TRUE;
}

BOOL CXListCtrl::SetHeaderCheckState(int column, int state) {
  if (!m_list.SetHeaderCheckState(column, state)) return FALSE;
  m_model->HeaderChanged(column);
  m_header->viewport()->update();
  return TRUE;
}

void CXListCtrl::RedrawCell(int row, int column) {
  if (row < 0 || row >= GetItemCount() || column < 0 || column >= GetColumnCount()) return;
  m_model->CellChanged(row, column);
  viewport()->update(visualRect(m_model->index(row, column)));
}

BOOL CXListCtrl::SetCurSel(int row) {
  if (row < 0 || row >= GetItemCount()) return FALSE;
  selectionModel()->setCurrentIndex(m_model->index(row, 0),
                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  return TRUE;
}

int CXListCtrl::GetCurSel() const {
  int first = -1;
  for (const QModelIndex& index : selectionModel()->selectedRows()) {
    if (first < 0 || index.row() < first) first = index.row();
  }
  return first;
}

void CXListCtrl::SetExtendedStyle(DWORD style) {
  m_exStyle = style;
  setMouseTracking(style & LVS_EX_TRACKSELECT);
  if (!(style & LVS_EX_TRACKSELECT)) m_trackTimer.stop();
  viewport()->update();
}

void CXListCtrl::mouseMoveEvent(QMouseEvent* event) {
  QTreeView::mouseMoveEvent(event);
  if (!(m_exStyle & LVS_EX_TRACKSELECT) || event->buttons() != Qt::NoButton) return;
  const int row = indexAt(event->position().toPoint()).row();
  if (row == m_trackRow && m_trackTimer.isActive()) return;
  m_trackRow = row;
  if (row < 0 || row == GetCurSel()) {
    m_trackTimer.stop();
  } else {
    m_trackTimer.start(kTrackSelectDelay, this);
  }
}

void CXListCtrl::timerEvent(QTimerEvent* event) {
  if (event->timerId() != m_trackTimer.timerId()) {
    QTreeView::timerEvent(event);
    return;
  }
  m_trackTimer.stop();
  const int row = indexAt(viewport()->mapFromGlobal(QCursor::pos())).row();
  if (row >= 0 && row == m_trackRow && m_list.IsRowEnabled(row)) SetCurSel(row);
}

void CXListCtrl::SetShowSelAlways(bool show) {
  m_showSelAlways = show;
  viewport()->update();
}

void CXListCtrl::OnColumnClick(int column) {
  if (!m_list.OnColumnClick(column)) return;
  m_model->HeaderChanged(column);
  m_header->viewport()->update();
  if (GetItemCount() > 0)
    emit m_model->dataChanged(m_model->index(0, column), m_model->index(GetItemCount() - 1, column));
  viewport()->update();
}

void CXListCtrl::mousePressEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) {
    const CXListModel::Click click = m_list.OnCellClick(index.row(), index.column());
    if (click.swallowed) return;
    if (click.toggled) {
      RedrawCell(index.row(), index.column());
      m_model->HeaderChanged(index.column());
      m_header->viewport()->update();
      emit checkBoxClicked(index.row(), index.column());
    }
  }
  QTreeView::mousePressEvent(event);
}

void CXListCtrl::paintEvent(QPaintEvent* event) {
  QTreeView::paintEvent(event);
  if (GetItemCount() > 0) return;
  QPainter p(viewport());
  QRect r = viewport()->rect();
  r.setTop(r.top() + 10);
  const XListSystemColors& sys = m_list.Colors();
  p.fillRect(r, ToQColor(sys.window));
  p.setPen(ToQColor(sys.window_text));
  p.drawText(r, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, ToQString(kXListEmptyText));
}

bool CXListCtrl::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    const XListCellInfo* cell = index.isValid() ? m_list.Cell(index.row(), index.column()) : nullptr;
    if (cell && !cell->strToolTip.IsEmpty()) {
      QToolTip::showText(help->globalPos(), ToQString(cell->strToolTip.Left(79)), viewport());
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QTreeView::viewportEvent(event);
}

void CXListCtrl::PaintCell(QPainter& p, const QStyleOptionViewItem& option, int row, int column) const {
  const XListSystemColors& sys = m_list.Colors();
  const XListCellInfo* cell = m_list.Cell(row, column);
  XCellColors given{sys.window_text, sys.window};
  bool enabled = true;
  if (cell) {
    given = {cell->crText, cell->crBackground};
    enabled = m_list.IsRowEnabled(row);
    if (!enabled) given.text = sys.gray_text;
  }
  const bool selected = option.state & QStyle::State_Selected;
  const bool focus = hasFocus();
  const bool fullRow = m_exStyle & LVS_EX_FULLROWSELECT;
  const QRect rect = option.rect;
  const CRect cellRect = ToCRect(rect);
  const QString text = ToQString(m_list.GetItemText(row, column));
  p.save();

  if (cell && cell->bShowProgress) {
    PaintProgress(p, rect, *cell, given);
  } else if (cell && !cell->bCombo && cell->nCheckState != -1) {
    const XCellColors colors = GetCellColors(given, selected, fullRow, focus, m_showSelAlways, column, sys);
    p.fillRect(rect, ToQColor(colors.background));
    const XCheckBoxLayout layout = LayoutCheckBoxCell(cellRect, !text.isEmpty());
    const QRect box = ToQRect(layout.box);
    p.fillRect(box, ToQColor(sys.window));
    // A sunken edge: shadow and dark shadow top-left, highlight and light bottom-right.
    const QPalette pal = palette();
    Draw3dRect(p, box, pal.color(QPalette::Dark), pal.color(QPalette::Light));
    Draw3dRect(p, box.adjusted(1, 1, -1, -1), pal.color(QPalette::Shadow), pal.color(QPalette::Midlight));
    if (cell->nCheckState == 1) {
      p.setPen(enabled ? QColor(Qt::black) : ToQColor(sys.gray_text));
      for (const CPoint& s : layout.strokes) p.drawLine(s.x, s.y, s.x, s.y + 2);
    }
    if (!text.isEmpty()) {
      p.setPen(ToQColor(colors.text));
      p.drawText(ToQRect(layout.text), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
  } else {
    // Combo cells are drawn as text cells: no window of the program has a drop-down cell.
    XCellColors colors = selected ? XCellColors{sys.highlight_text, sys.highlight} : given;
    colors = GetCellColors(colors, selected, fullRow, focus, m_showSelAlways, column, sys);
    p.fillRect(rect, ToQColor(colors.background));
    if (!text.isEmpty()) {
      const int format = m_list.GetColumnFormat(column);
      const Qt::Alignment align = format == LVCFMT_CENTER  ? Qt::AlignHCenter
                                  : format == LVCFMT_RIGHT ? Qt::AlignRight
                                                           : Qt::AlignLeft;
      if (cell && cell->bBold) {
        QFont bold = p.font();
        bold.setWeight(QFont::Bold);
        p.setFont(bold);
      }
      p.setPen(ToQColor(colors.text));
      p.drawText(rect, align | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
  }
  p.restore();
}

void CXListCtrl::PaintProgress(QPainter& p, const QRect& cell, const XListCellInfo& info,
                               XCellColors colors) const {
  const XListSystemColors& sys = m_list.Colors();
  const QRect r = cell.adjusted(1, 0, -2, -1);
  p.setPen(ToQColor(sys.shadow));
  p.drawRect(r.adjusted(0, 0, -1, -1));
  const QRect inside = r.adjusted(1, 1, -1, -1);
  p.fillRect(inside, QColor(224, 224, 224));
  p.setPen(Qt::black);
  p.drawLine(inside.topLeft(), inside.topRight());
  p.drawLine(inside.topLeft(), inside.bottomLeft());
  const int percent = std::clamp(info.nProgressPercent, 0, 100);
  QRect bar = r.adjusted(2, 2, -2, -2);
  bar.setWidth(bar.width() * percent / 100);
  if (percent > 0) p.fillRect(bar, ToQColor(sys.highlight));
  if (!info.bShowProgressText) return;
  CString text = info.strProgressText.IsEmpty() ? CString(u"%d%%") : info.strProgressText;
  text.Replace(u"%d", FormatString(u"%d", percent));
  text.Replace(u"%%", u"%");
  const QRect area = r.adjusted(1, 2, -1, -1);
  const int flags = Qt::AlignCenter | Qt::TextSingleLine;
  // Over the bar the text takes the cell's background colour, elsewhere its text colour.
  p.save();
  p.setClipRect(bar);
  p.setPen(ToQColor(colors.background));
  p.drawText(area, flags, ToQString(text));
  p.setClipRegion(QRegion(area).subtracted(QRegion(bar)));
  p.setPen(ToQColor(colors.text));
  p.drawText(area, flags, ToQString(text));
  p.restore();
}
