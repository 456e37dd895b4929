#include "controls/gui/grid_drop_target.h"

#include "controls/gui/grid_widget.h"

bool CGridOleDropTarget::s_bRegistering = false;

BOOL CGridOleDropTarget::Register(QWidget* window) {
  if (m_bRegistered || s_bRegistering) return FALSE;
  s_bRegistering = true;
  auto* grid = qobject_cast<CGridWidget*>(window);
  if (grid == nullptr) {
    s_bRegistering = false;
    return FALSE;
  }
  m_pGridCtrl = grid;
  grid->setAcceptDrops(true);
  grid->viewport()->setAcceptDrops(true);
  m_bRegistered = TRUE;
  s_bRegistering = false;
  return TRUE;
}

void CGridOleDropTarget::Revoke() {
  m_bRegistered = FALSE;
  m_pGridCtrl = nullptr;
}

bool CGridOleDropTarget::IsOurs(QWidget* window) const {
  return window != nullptr && m_pGridCtrl != nullptr && window == m_pGridCtrl;
}

int CGridOleDropTarget::OnDragEnter(QWidget* window, const CGridDataObject& data, UINT keyState,
                                    CPoint point) {
  return IsOurs(window) ? m_pGridCtrl->Grid().OnDragEnter(data, keyState, point) : DROPEFFECT_NONE;
}

int CGridOleDropTarget::OnDragOver(QWidget* window, const CGridDataObject& data, UINT keyState,
                                   CPoint point) {
  return IsOurs(window) ? m_pGridCtrl->Grid().OnDragOver(data, keyState, point) : DROPEFFECT_NONE;
}

BOOL CGridOleDropTarget::OnDrop(QWidget* window, const CGridDataObject& data, int effect, CPoint point) {
  return IsOurs(window) ? m_pGridCtrl->Grid().OnDrop(data, effect, point) : FALSE;
}

void CGridOleDropTarget::OnDragLeave(QWidget* window) {
  if (IsOurs(window)) m_pGridCtrl->Grid().OnDragLeave();
}

int CGridOleDropTarget::OnDragScroll(QWidget* window, UINT keyState, CPoint) {
  if (!IsOurs(window)) return DROPEFFECT_NONE;
  return (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}
