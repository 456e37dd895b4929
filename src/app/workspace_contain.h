// CWorkSpaceContain: a palette view to the right of a vertical strip of five
// tabs ("LOG", "FUN", "I/O", "DAT", "LIB"); a click on a tab switches the view's
// block category. The main window shows its palette through the WorkBox tab bar
// instead, so nothing creates this container.
#pragma once

#include <QEvent>
#include <QWidget>

class CWorkspaceView;

// Posted to the notification window when the container asks to be toggled
// (WM_USER + 201).
constexpr int WM_CONTAIN_TOGGLE = 0x4C9;
constexpr QEvent::Type kContainToggleEvent = static_cast<QEvent::Type>(QEvent::User + WM_CONTAIN_TOGGLE);

class CWorkSpaceContain : public QWidget {
  Q_OBJECT

 public:
  explicit CWorkSpaceContain(QWidget* parent = nullptr);
  ~CWorkSpaceContain() override;

  CWorkspaceView* GetView() const { return m_pView; }
  int GetSelectedTab() const { return m_nSelectedTab; }
  // The window that hears WM_CONTAIN_TOGGLE; none unless set.
  void SetNotifyWindow(QObject* window) { m_pNotify = window; }
  // The tab under a client point, or -1.
  int TabAt(QPoint point) const;
  // The container's picture, as painted.
  QImage Render() const;

  static constexpr int kTabCount = 5;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void PostToggle();

  CWorkspaceView* m_pView = nullptr;
  int m_nSelectedTab = 0;
  QObject* m_pNotify = nullptr;
};
