// CWorkspaceView: one column of the block palette. It shows the items of one
// palette category for the active diagram, sends the palette pick to the main
// window when an item's box is clicked and shows the block cursor over the boxes.
// The layout, hit test and painting are CWorkspacePalette's; the view adds the
// scrolling, the double-buffered paint and the mouse.
#pragma once

#include <QAbstractScrollArea>

#include "editor/workspace_palette.h"

class CMainFrame;

class CWorkspaceView : public QAbstractScrollArea, public CWorkspacePalette {
  Q_OBJECT

 public:
  // A view of the main frame's palette; without a frame it sends its picks nowhere.
  explicit CWorkspaceView(QWidget* parent = nullptr, CMainFrame* frame = nullptr);
  ~CWorkspaceView() override;

  // Loads the names and sets the scroll sizes.
  void OnInitialUpdate();
  // The scroll position in palette units.
  CPoint GetScrollPosition() const;
  // Renders the palette as the view shows it (client size, scroll applied).
  QImage Render() const;
  // The cursor shown over an item's box (a 32 x 32 arrow with a four-cell square).
  static const QCursor& BlockCursor();
  // The width of a view that shows every name of every category, for function
  // block and ladder diagrams of the series, without scrolling sideways.
  static int PreferredWidth(int series);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void UpdateScrollBars();
  // The main frame's active diagram, or the model selected last without one.
  PaletteTarget Target() const;

  CMainFrame* m_pFrame;
};
