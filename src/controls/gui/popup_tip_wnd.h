// CPopupTipWnd: a balloon tip with a pointed tail that touches a screen point. It opens
// when the pointer has rested for half a second and disappears as soon as the pointer
// moves or a mouse button is pressed.
//
// A host window (the diagram view) owns one:
//
//   m_tip.Create(this);                     // once, when the host is created
//   m_tip.SetIcon(pixmap);                  // optional, drawn left of the text
//   m_tip.ShowTip(u"text");                 // schedules the tip at the cursor
//   m_tip.ShowTip(CString());               // cancels a tip that has not opened yet
//   m_tip.RelayEvent(event);                // every mouse event of the host, before
//                                           // its own handling: moves and presses hide
//
// The tip becomes a window owned by the host: it must not outlive the host.
// The shape is measured by MeasureBalloon (controls/tip_rules.h).
#pragma once

#include <QBasicTimer>
#include <QPixmap>
#include <QWidget>

class QPainterPath;

#include "controls/tip_rules.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CPopupTipWnd : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kShowDelay = 500;     // ms
  static constexpr int kPollInterval = 500;  // ms

  CPopupTipWnd();
  ~CPopupTipWnd() override;

  // Makes the tip a window owned by parent (may be null); hidden until a tip shows.
  BOOL Create(QWidget* parent);
  // Schedules text at point (screen coordinates; null: the cursor position now). A
  // text restarts the delay; an empty text cancels a pending tip (a visible one stays).
  void ShowTip(const CString& text, const CPoint* point = nullptr);
  // Sets or (with a null pixmap) clears the icon; the tip does not own anything else.
  void SetIcon(const QPixmap& icon);
  // A mouse event of the host: a move away from the anchor or any button press hides.
  void RelayEvent(const QEvent* event);

  CPoint GetAnchor() const { return m_anchor; }
  const CString& GetText() const { return m_text; }
  bool IsPending() const { return m_showTimer.isActive(); }
  // The balloon for the current text, icon and font.
  BalloonLayout Measure() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  QPainterPath Shape(const BalloonLayout& layout) const;

  CPoint m_anchor;
  CString m_text;
  QPixmap m_icon;
  QBasicTimer m_showTimer;
  QBasicTimer m_pollTimer;
};
