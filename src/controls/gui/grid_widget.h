// CGridWidget: the window of a grid control. It owns a CGridCtrl, paints it
// through CQtDC, translates keys, characters, input-method text, mouse,
// wheel, scroll bars and drag and drop into calls on it, and gives it the
// clipboard, cursors and in-place editors.
//
// A host makes one, configures Grid() (counts, sizes, texts, public members)
// and installs itself with Grid().SetHost(). Elements over the cells are the
// host's CGridElement objects in Grid()'s element lists; the host draws them.
#pragma once

#include <QAbstractScrollArea>
#include <QTimer>
#include <functional>
#include <memory>

#include "controls/grid_ctrl.h"
#include "controls/gui/grid_drop_target.h"

class CQtDC;
class QImage;
class QMimeData;
class QPrinter;
class QWidget;

// The MIME type of the "Widget" record of an element drag.
inline constexpr char kGridWidgetMimeType[] = "application/x-zovuzi-widget";

class CGridWidget : public QAbstractScrollArea, public CGridWindow {
  Q_OBJECT

 public:
  explicit CGridWidget(QWidget* parent = nullptr, int rows = 0, int cols = 0, int fixedRows = 0,
                       int fixedCols = 0);
  ~CGridWidget() override;

  CGridCtrl& Grid() { return *m_grid; }
  const CGridCtrl& Grid() const { return *m_grid; }
  // Routes an edit command (ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE,
  // ID_EDIT_SELECT_ALL) to the grid; false for other ids.
  bool OnCommand(UINT id) { return m_grid->OnCommand(id); }
  // Prints the grid on printer, one page after the other.
  void Print(QPrinter* printer, const CString& title = CString());

  // The grid's data in and out of Qt's MIME form.
  static QMimeData* ToMimeData(const CGridDataObject& data);
  static CGridDataObject FromMimeData(const QMimeData* mime);
  // Replaces QDrag::exec for drags this widget starts (tests drive drops by
  // hand): receives the MIME data and returns the drop effect.
  using DragRunner = std::function<int(CGridWidget* source, QMimeData* data)>;
  static void SetDragRunner(DragRunner runner);

  // CGridWindow.
  CRect GetClientRect() const override;
  void Invalidate(const CRect* rect) override;
  CDC* GetMeasureDC() override;
  void ShowScrollBar(int bar, bool show) override;
  void SetScrollRange(int bar, int max, int page) override;
  int GetScrollPos(int bar) const override;
  void SetScrollPos(int bar, int pos) override;
  int GetScrollBarSize() const override;
  void SetCursor(GridCursor cursor) override;
  void SetFocus() override;
  void SetCapture(bool capture) override;
  void SetTimer(bool run, int intervalMs) override;
  bool GetCursorPos(CPoint* pt) const override;
  void InvertTrackLine(bool vertical, int pos) override;
  void DrawDragOutline(const CRect& rect) override;
  void SetClipboard(const CGridDataObject& data) override;
  CGridDataObject GetClipboard() const override;
  int DoDragDrop(const CGridDataObject& data, int allowedEffects) override;
  void NextDialogControl() override;
  bool OpenInPlaceEditor(const GridEditorRequest& request) override;
  void EndInPlaceEditor() override;
  void OpenUrl(const CString& url) override;

  CGridOleDropTarget& DropTarget() { return m_DropTarget; }

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;
  void scrollContentsBy(int dx, int dy) override;
  bool focusNextPrevChild(bool next) override;

 private:
  void UpdateModifiers(Qt::KeyboardModifiers mods);
  void EndEditor(bool store, UINT lastKey);

  std::unique_ptr<CGridCtrl> m_grid;
  CGridOleDropTarget m_DropTarget;
  std::unique_ptr<QImage> m_measureImage;
  std::unique_ptr<CQtDC> m_measureDC;
  QTimer m_timer;
  std::optional<std::pair<bool, int>> m_trackLine;
  std::optional<CRect> m_dragOutline;
  QWidget* m_editor = nullptr;
  int m_editRow = -1;
  int m_editCol = -1;
  GridEditorRequest::Kind m_editKind = GridEditorRequest::Kind::kNumeric;
  bool m_inScrollUpdate = false;
};
