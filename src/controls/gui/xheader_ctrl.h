// CXHeaderCtrl: the header of the extended list control (controls/gui/xlist_ctrl.h). It
// paints every column flat on the button face with 3-D dividers, the title blue and
// centred (whatever the column's own alignment), and the column's image at the left
// when its image index is not 0. The list uses images 1 and 2 as a column's unchecked
// and checked header check box.
//
// The header reads each column's title (Qt::DisplayRole) and image index
// (kXHeaderImageRole) from the model's header data.
#pragma once

#include <QHeaderView>
#include <QPixmap>
#include <vector>

#include "platform/types.h"

constexpr int kXHeaderImageRole = Qt::UserRole + 1;

class CXHeaderCtrl : public QHeaderView {
  Q_OBJECT

 public:
  explicit CXHeaderCtrl(QWidget* parent = nullptr);

  // The header's images; the image size is that of image 0.
  void SetImageList(const std::vector<QPixmap>& images);
  // The same from a strip of images of one width, with a mask colour made transparent.
  void SetImageList(const QPixmap& strip, int image_width, const QColor& mask);
  const std::vector<QPixmap>& GetImageList() const { return m_images; }
  QSize GetImageSize() const { return m_sizeImage; }
  // Images for a column check box: 0 empty, 1 unchecked, 2 checked (size x size).
  static std::vector<QPixmap> StandardCheckImages(int size = 16);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void DrawColumn(QPainter& p, const QRect& rect, int logical) const;

  std::vector<QPixmap> m_images;
  QSize m_sizeImage;
};
