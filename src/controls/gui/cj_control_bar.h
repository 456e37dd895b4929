// CCJControlBar: a dock bar with a gripper and a sizing edge on the side that
// faces the frame's centre. Dragging the edge changes the bar's depth (its width
// docked left or right, its height docked at the top or bottom) between a minimum
// of 32 and the old depth plus the frame's client extent; the bar itself cannot be
// dragged off its dock.
//
// The bar is a QDockWidget without a title bar: its client widget paints the
// gripper (two raised ridges) and lays out the bar's children. The main window's
// dock separator is the sizing edge (Qt gives it the sizing cursor, the drag and
// the style's separator width); the bar keeps its depth at least the minimum.
#pragma once

#include <QDockWidget>

#include "platform/types.h"

class QMainWindow;

class CCJControlBar : public QDockWidget {
  Q_OBJECT

 public:
  explicit CCJControlBar(QWidget* parent = nullptr);
  ~CCJControlBar() override;

  // Sets the docked and floating sizes to sizeDefault and names the bar.
  bool Create(QMainWindow* parent, UINT id, const QString& title, CSize sizeDefault);
  virtual bool IsFloating() const;
  bool IsDockedHorizontally() const;
  bool IsDockedVertically() const;
  UINT GetDlgCtrlID() const { return m_nID; }

  // The depth an accepted edge drag sets: newDepth kept within the minimum and
  // the old depth plus the frame's client extent on the bar's axis.
  static int ClampDepth(int oldDepth, int frameExtent, int minimum, int newDepth);
  // Ends an edge drag on the bar's axis: stores and applies the clamped depth.
  void EndEdgeDrag(int newDepth);
  // The gripper ridges in client coordinates for a client of the given size (empty while floating).
  std::vector<QRect> GripperRidges(QSize client) const;

  bool m_bShowGripper = true;
  int m_nSizingEdgeWidth = 6;
  CSize m_sizeMinimum{32, 32};
  CSize m_sizeDockedHorz{200, 200};
  CSize m_sizeDockedVert{200, 200};
  CSize m_sizeFloating{200, 200};

 protected:
  // Places the bar's children in a client of cx x cy; the base places nothing.
  virtual void LayoutClient(int cx, int cy) {}
  QWidget* Client() const { return m_pClient; }

 private:
  class ClientArea;
  friend class ClientArea;
  Qt::DockWidgetArea DockArea() const;
  void OnLocationChanged(Qt::DockWidgetArea area);

  QWidget* m_pClient = nullptr;
  QMainWindow* m_pFrame = nullptr;
  UINT m_nID = 0;
};
