#include "msgtext/msg_grid_element.h"

CMsgGridElement::CMsgGridElement(std::unique_ptr<CWidget> widget) : m_widget(std::move(widget)) {
  if (!m_widget) m_widget = std::make_unique<CWidget>();
  m_rect = m_widget->m_rect;
  m_color = m_widget->m_color;
  m_nRow = m_widget->m_nRow;
  m_nCol = m_widget->m_nCol;
  m_nKind = m_widget->m_nKind;
  m_nWidth = m_widget->m_nWidth;
  m_bSelected = m_widget->m_bSelected;
}

std::unique_ptr<CMsgGridElement> CMsgGridElement::CloneOf(const CWidget& widget) {
  auto copy = std::make_unique<CWidget>();
  widget.CopyTo(copy.get());
  copy->m_pDoc = widget.m_pDoc;
  return std::make_unique<CMsgGridElement>(std::move(copy));
}

std::unique_ptr<CGridElement> CMsgGridElement::Clone() const {
  auto copy = CloneOf(Widget());
  return copy;
}

CWidget& CMsgGridElement::Widget() {
  m_widget->m_rect = m_rect;
  m_widget->m_color = m_color;
  m_widget->m_nRow = m_nRow;
  m_widget->m_nCol = m_nCol;
  m_widget->m_nWidth = m_nWidth;
  m_widget->m_bSelected = m_bSelected;
  return *m_widget;
}

std::unique_ptr<CWidget> CMsgGridElement::Export() const {
  auto copy = std::make_unique<CWidget>();
  Widget().CopyTo(copy.get());
  copy->m_pDoc = m_widget->m_pDoc;
  copy->m_bSelected = 0;
  return copy;
}
