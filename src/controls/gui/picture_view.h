// Pictures drawn in code (blocks/pictograms.h) on Qt widgets: the pixmap of an
// icon button at the screen's pixel density, and a static control that shows a
// picture, kept in its proportions and centred, with the picture's state.
#pragma once

#include <QPixmap>
#include <QWidget>

// The picture drawn into a pixmap of size (device-independent pixels) at
// devicePixelRatio; a transparent pixmap for an unknown id.
QPixmap RenderPicture(int id, const QSize& size, qreal devicePixelRatio, int state = -1);

class CPictureView : public QWidget {
 public:
  CPictureView(int picture, QWidget* parent = nullptr);

  int Picture() const { return m_picture; }
  // The module picture: the module marked (-1 none).
  void SetState(int state);
  int State() const { return m_state; }
  // Where the picture is drawn inside the widget.
  QRect PictureRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_picture;
  int m_state = -1;
};
