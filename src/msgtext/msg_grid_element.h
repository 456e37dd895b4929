// CMsgGridElement: a message-text element (CWidget) as the grid control holds
// it. The grid moves, sizes and selects the grid-side fields (rectangle,
// line, column, width, selection); Export gives a CWidget with them.
#pragma once

#include <memory>

#include "controls/grid_host.h"
#include "msgtext/widget.h"

class CMsgGridElement : public CGridElement {
 public:
  // Takes the element; the grid-side fields come from it.
  explicit CMsgGridElement(std::unique_ptr<CWidget> widget);
  // A clone of a block's element.
  static std::unique_ptr<CMsgGridElement> CloneOf(const CWidget& widget);

  std::unique_ptr<CGridElement> Clone() const override;

  // The element with the grid-side fields written into it.
  CWidget& Widget();
  const CWidget& Widget() const { return const_cast<CMsgGridElement*>(this)->Widget(); }
  // A copy of the element for a block's list: the grid-side fields, unselected.
  std::unique_ptr<CWidget> Export() const;

 private:
  std::unique_ptr<CWidget> m_widget;
};
