// CXListCtrl: a report list whose cells are painted by the list itself: check-box cells
// that toggle on a click anywhere in the cell and tell the owner (checkBoxClicked), text
// cells aligned like their column, per-cell colours, and "There are no items to show in
// this view." while the list is empty. Its header is a CXHeaderCtrl, which can show a
// check box per column: a click on that column's header checks or unchecks every
// check-box cell of the column, and the header follows the cells.
//
//   auto* list = new CXListCtrl(dialog);
//   list->InsertColumn(0, u"Save", LVCFMT_LEFT, 50);       // columns before rows
//   list->InsertColumn(1, u"File Name", LVCFMT_LEFT, 300);
//   list->SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_TRACKSELECT);
//   list->GetHeaderCtrl()->SetImageList(CXHeaderCtrl::StandardCheckImages());
//   list->SetHeaderCheckState(0, 1);                        // a header check box
//   int row = list->InsertItem(list->GetItemCount(), CString());
//   list->SetCheckbox(row, 0, 0);
//   list->SetItemText(row, 1, name);
//   connect(list, &CXListCtrl::checkBoxClicked, ...);
//
// The rules are CXListModel's (controls/xlist_model.h).
#pragma once

#include <QBasicTimer>
#include <QTreeView>

#include "controls/gui/xheader_ctrl.h"
#include "controls/xlist_model.h"
#include "platform/cstring.h"

constexpr DWORD LVS_EX_TRACKSELECT = 0x8;
constexpr DWORD LVS_EX_FULLROWSELECT = 0x20;

class QStyleOptionViewItem;

class CXListCtrl : public QTreeView {
  Q_OBJECT

 public:
  explicit CXListCtrl(QWidget* parent = nullptr);
  ~CXListCtrl() override;

  // width < 0: the width the title needs.
  int InsertColumn(int column, const CString& title, int format = LVCFMT_LEFT, int width = -1);
  int GetColumnCount() const { return m_list.GetColumnCount(); }
  int InsertItem(int row, const CString& text);
  BOOL DeleteItem(int row);
  void DeleteAllItems();
  int GetItemCount() const { return m_list.GetItemCount(); }
  BOOL SetItemText(int row, int column, const CString& text);
  CString GetItemText(int row, int column) const { return m_list.GetItemText(row, column); }
  BOOL SetCheckbox(int row, int column, int state);
  int GetCheckbox(int row, int column) const { return m_list.GetCheckbox(row, column); }
  int CountCheckedRows(int column) const { return m_list.CountCheckedRows(column); }
  int GetHeaderCheckState(int column) const { return m_list.GetHeaderCheckState(column); }
  BOOL SetHeaderCheckState(int column, int state);
  // Selects and focuses the row.
  BOOL SetCurSel(int row);
  // The first selected row, or -1.
  int GetCurSel() const;
  // LVS_EX_FULLROWSELECT: the whole selected row shows the highlight.
  // LVS_EX_TRACKSELECT: a row the mouse rests on for kTrackSelectDelay is selected.
  void SetExtendedStyle(DWORD style);
  static constexpr int kTrackSelectDelay = 400;  // ms
  DWORD GetExtendedStyle() const { return m_exStyle; }
  // The selection stays visible (column 0 in the face colour) without the focus.
  void SetShowSelAlways(bool show);
  CXHeaderCtrl* GetHeaderCtrl() const { return m_header; }
  // The cell records, for attributes beyond the check state and text.
  CXListModel& Cells() { return m_list; }
  void RedrawCell(int row, int column);

  // Paints one cell (the delegate's work).
  void PaintCell(QPainter& p, const QStyleOptionViewItem& option, int row, int column) const;

 signals:
  // A click toggled the check box of (row, column).
  void checkBoxClicked(int row, int column);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  class ItemModel;
  void ReadColors();
  void PaintProgress(QPainter& p, const QRect& cell, const XListCellInfo& info, XCellColors colors) const;
  void OnColumnClick(int column);

  CXListModel m_list;
  ItemModel* m_model;
  CXHeaderCtrl* m_header;
  DWORD m_exStyle = 0;
  bool m_showSelAlways = false;
  QBasicTimer m_trackTimer;
  int m_trackRow = -1;
};
