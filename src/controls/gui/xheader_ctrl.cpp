#include "controls/gui/xheader_ctrl.h"

#include <QBitmap>
#include <QPainter>

#include "controls/gui/control_paint.h"
#include "controls/xlist_model.h"

CXHeaderCtrl::CXHeaderCtrl(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
  setSectionsClickable(true);
  setHighlightSections(false);
  setDefaultAlignment(Qt::AlignCenter);
}

void CXHeaderCtrl::SetImageList(const std::vector<QPixmap>& images) {
  m_images = images;
  if (!m_images.empty()) m_sizeImage = m_images[0].deviceIndependentSize().toSize();
  viewport()->update();
}

void CXHeaderCtrl::SetImageList(const QPixmap& strip, int image_width, const QColor& mask) {
  std::vector<QPixmap> images;
  for (int x = 0; image_width > 0 && x + image_width <= strip.width(); x += image_width) {
    QPixmap image = strip.copy(x, 0, image_width, strip.height());
    image.setMask(image.createMaskFromColor(mask));
    images.push_back(image);
  }
  SetImageList(images);
}

std::vector<QPixmap> CXHeaderCtrl::StandardCheckImages(int size) {
  std::vector<QPixmap> images;
  for (int state = 0; state < 3; ++state) {
    QPixmap image(size, size);
    image.fill(Qt::transparent);
    if (state > 0) {
      QPainter p(&image);
      const XCheckBoxLayout box = LayoutCheckBoxCell(CRect(0, 0, size, size + 1), false);
      const QRect r = ToQRect(box.box).intersected(QRect(0, 0, size, size));
      p.fillRect(r, Qt::white);
      p.setPen(QColor(160, 160, 160));
      p.drawRect(r.adjusted(0, 0, -1, -1));
      if (state == 2) {
        p.setPen(Qt::black);
        for (const CPoint& s : box.strokes) p.drawLine(s.x, s.y, s.x, s.y + 2);
      }
    }
    images.push_back(image);
  }
  return images;
}

void CXHeaderCtrl::DrawColumn(QPainter& p, const QRect& rect, int logical) const {
  const int image = model() ? model()->headerData(logical, orientation(), kXHeaderImageRole).toInt() : 0;
  const CRect column(rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height());
  const XHeaderColumnLayout layout =
      LayoutHeaderColumn(column, image, !m_images.empty(), CSize(m_sizeImage.width(), m_sizeImage.height()));
  if (layout.draw_image && image > 0 && image < static_cast<int>(m_images.size())) {
    const QRect target = ToQRect(layout.image);
    p.drawPixmap(target.topLeft(), m_images[image], QRect(QPoint(), target.size()));
  }
  const QRect text = ToQRect(layout.text);
  const QString title =
      model() ? model()->headerData(logical, orientation(), Qt::DisplayRole).toString() : QString();
  if (text.width() <= 0 || title.isEmpty()) return;
  p.setPen(QColor(0, 0, 255));
  p.drawText(text, Qt::AlignCenter | Qt::TextSingleLine,
             p.fontMetrics().elidedText(title, Qt::ElideRight, text.width()));
}

void CXHeaderCtrl::paintEvent(QPaintEvent*) {
  // Qt paints widgets through a back buffer, so the header does not flicker.
  QPainter p(viewport());
  const QPalette pal = palette();
  const QColor face = pal.color(QPalette::Button);
  const QColor hilight = pal.color(QPalette::Light);
  const QColor shadow = pal.color(QPalette::Dark);
  p.fillRect(viewport()->rect(), face);
  p.setFont(font());
  const int h = viewport()->height();
  int last = -1;
  for (int v = count() - 1; v >= 0; --v) {
    if (!isSectionHidden(logicalIndex(v))) {
      last = v;
      break;
    }
  }
  int total = 0;
  for (int v = 0; v < count(); ++v) {
    const int logical = logicalIndex(v);
    if (isSectionHidden(logical)) continue;
    const int x = sectionViewportPosition(logical);
    const int w = sectionSize(logical);
    total += w;
    DrawColumn(p, QRect(x, 0, w, h), logical);
    if (v != last) {
      const int right = x + w;
      p.setPen(shadow);
      p.drawLine(right - 1, 2, right - 1, h - 3);
      p.setPen(hilight);
      p.drawLine(right, 2, right, h - 3);
    }
  }
  if (total > 0) Draw3dRect(p, QRect(-offset(), 0, total, h), hilight, shadow);
}
