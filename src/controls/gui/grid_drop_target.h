// CGridOleDropTarget: makes a grid window a drop target and hands every drag
// event over it to the grid. Each grid window holds one, registered on its
// first size event and revoked with the window.
#pragma once

#include "controls/grid_types.h"

class QWidget;
class CGridWidget;

class CGridOleDropTarget {
 public:
  CGridOleDropTarget() = default;
  ~CGridOleDropTarget() { Revoke(); }
  CGridOleDropTarget(const CGridOleDropTarget&) = delete;
  CGridOleDropTarget& operator=(const CGridOleDropTarget&) = delete;

  // Registers a grid window, once; FALSE when already registered, while
  // another registration runs, or for a window that is not a grid.
  BOOL Register(QWidget* window);
  void Revoke();
  BOOL IsRegistered() const { return m_bRegistered; }

  // The drag events of window; other windows get no effect.
  int OnDragEnter(QWidget* window, const CGridDataObject& data, UINT keyState, CPoint point);
  int OnDragOver(QWidget* window, const CGridDataObject& data, UINT keyState, CPoint point);
  BOOL OnDrop(QWidget* window, const CGridDataObject& data, int effect, CPoint point);
  void OnDragLeave(QWidget* window);
  // Never asks for scrolling: copy with Ctrl, else move.
  int OnDragScroll(QWidget* window, UINT keyState, CPoint point);

 private:
  bool IsOurs(QWidget* window) const;

  CGridWidget* m_pGridCtrl = nullptr;
  BOOL m_bRegistered = FALSE;
  static bool s_bRegistering;
};
