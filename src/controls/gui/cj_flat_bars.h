// The rest of the docking-bar family: a flat toolbar with a gripper, a flat
// combo box with a hover frame and a dock bar with a caption (hide and
// minimize buttons) around one child window. No window of the program makes
// them; they complete the family for later use.
#pragma once

#include <QComboBox>
#include <QDockWidget>
#include <QToolBar>

class QTimer;
class QToolButton;

// CCJToolBar: a flat toolbar with a gripper and an 8-point font.
class CCJToolBar : public QToolBar {
  Q_OBJECT

 public:
  explicit CCJToolBar(QWidget* parent = nullptr);
};

// CCJComboBox: a combo box drawn flat; a hover frame shows while the mouse is
// over it or it has the focus, a pressed frame while the left button is down.
class CCJComboBox : public QComboBox {
  Q_OBJECT

 public:
  enum class Frame { kFlat, kHover, kPressed };

  explicit CCJComboBox(QWidget* parent = nullptr);
  // The frame the next paint draws.
  Frame CurrentFrame() const;
  bool IsPressed() const { return m_bPressed; }
  // A hover frame is drawn on some CCJComboBox.
  static bool s_bHoverDrawn;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void OnTimer();

  bool m_bPressed = false;
  QTimer* m_pTimer = nullptr;
};

// CCaptionSizingBar: a dock bar whose caption carries a hide button and a
// minimize button (which toggles docking); its child window fills the client.
// A double click on the caption toggles docking as well.
class CCaptionSizingBar : public QDockWidget {
  Q_OBJECT

 public:
  explicit CCaptionSizingBar(const QString& title, QWidget* parent = nullptr);
  void SetChild(QWidget* child) { setWidget(child); }
  QWidget* GetChild() const { return widget(); }
  QToolButton* HideButton() const { return m_pHide; }
  QToolButton* MinimizeButton() const { return m_pMinimize; }
  void ToggleDocking() { setFloating(!isFloating()); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* m_pCaption = nullptr;
  QToolButton* m_pHide = nullptr;
  QToolButton* m_pMinimize = nullptr;
};
