// CEmbossedStatic: a static text control that paints its caption embossed
// (a highlight, a shadow and the blue text, each slightly offset).
#pragma once

#include <QWidget>

#include "platform/cdc.h"  // DT_* draw-text format bits
#include "platform/cstring.h"
#include "platform/types.h"

// Static control styles that decide the caption's layout.
constexpr UINT SS_LEFT = 0x0;
constexpr UINT SS_CENTER = 0x1;
constexpr UINT SS_RIGHT = 0x2;
constexpr UINT SS_LEFTNOWORDWRAP = 0xC;
constexpr UINT SS_TYPEMASK = 0x1F;
constexpr UINT SS_NOTIFY = 0x100;
constexpr UINT SS_CENTERIMAGE = 0x200;

class CEmbossedStatic : public QWidget {
  Q_OBJECT

 public:
  explicit CEmbossedStatic(const CString& text = CString(), UINT style = SS_LEFT, QWidget* parent = nullptr);

  void SetWindowText(const CString& text);
  const CString& GetWindowText() const { return m_text; }
  UINT GetStyle() const { return m_style; }
  void SetStyle(UINT style);

  // The draw-text format of a caption for a static style.
  static UINT TextFormat(UINT style, const CString& caption);

 signals:
  // A click on a control with SS_NOTIFY.
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  CString m_text;
  UINT m_style;
};
