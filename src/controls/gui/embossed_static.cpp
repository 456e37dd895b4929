#include "controls/gui/embossed_static.h"

#include <QFont>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "platform/gui/qt_string.h"

namespace {

int ToQtFlags(UINT format) {
  int flags = 0;
  if (format & DT_CENTER) {
    flags |= Qt::AlignHCenter;
  } else if (format & DT_RIGHT) {
    flags |= Qt::AlignRight;
  } else {
    flags |= Qt::AlignLeft;
  }
  flags |= (format & DT_VCENTER) ? Qt::AlignVCenter : Qt::AlignTop;
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) flags |= Qt::TextWordWrap;
  if (format & DT_EXPANDTABS) flags |= Qt::TextExpandTabs;
  if (format & DT_SINGLELINE) flags |= Qt::TextSingleLine;
  return flags;
}

}  // namespace

CEmbossedStatic::CEmbossedStatic(const CString& text, UINT style, QWidget* parent)
    : QWidget(parent), m_text(text), m_style(style) {
  // A bold face of a cell height of 16 pixels; the application's faces (a CJK
  // face in the Chinese interface) stand behind it for other characters.
  QFont font = this->font();
  QStringList families{QStringLiteral("Arial")};
  const QStringList faces = font.families().isEmpty() ? QStringList{font.family()} : font.families();
  for (const QString& family : faces)
    if (!families.contains(family)) families << family;
  font.setFamilies(families);
  font.setPixelSize(13);
  font.setWeight(QFont::DemiBold);
  setFont(font);
}

void CEmbossedStatic::SetWindowText(const CString& text) {
  m_text = text;
  update();
}

void CEmbossedStatic::SetStyle(UINT style) {
  m_style = style;
  update();
}

UINT CEmbossedStatic::TextFormat(UINT style, const CString& caption) {
  UINT format = 0;
  if (style & SS_CENTERIMAGE) {
    format = caption.Find(CString(u"\r\n")) < 0 ? (DT_CENTER | DT_VCENTER | DT_SINGLELINE) : DT_CENTER;
  } else {
    switch (style & SS_TYPEMASK) {
      case SS_CENTER:
        format = DT_CENTER | DT_WORDBREAK;
        break;
      case SS_RIGHT:
        format = DT_RIGHT | DT_WORDBREAK;
        break;
      case SS_LEFTNOWORDWRAP:
        format = DT_LEFT;
        break;
      default:
        format = DT_LEFT | DT_WORDBREAK;
        break;
    }
    if (caption.Find(u'\t') >= 0) format |= DT_EXPANDTABS;
  }
  return format | DT_VCENTER | DT_END_ELLIPSIS;
}

void CEmbossedStatic::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect client = rect();
  painter.setClipRect(client);
  painter.fillRect(client, palette().color(QPalette::Button));

  const UINT format = TextFormat(m_style, m_text);
  const QFont font = this->font();
  painter.setFont(font);
  const int flags = ToQtFlags(format);

  QString text = ToQString(m_text);
  text.replace("\r\n", "\n");
  if (format & DT_SINGLELINE) text.replace('\n', ' ');
  if ((format & DT_END_ELLIPSIS) && !(flags & Qt::TextWordWrap)) {
    text = QFontMetrics(font).elidedText(text, Qt::ElideRight, client.width(), flags);
  }

  // Highlight, shadow, then the text itself; right and bottom edges stay the client's.
  struct Layer {
    QColor colour;
    int dx;
    int dy;
  };
  const Layer layers[] = {
      {palette().color(QPalette::Light), 0, -3},
      {palette().color(QPalette::Dark), 2, -1},
      {QColor(0, 0, 255), 1, -2},
  };
  for (const Layer& layer : layers) {
    QRect r(QPoint(client.left() + layer.dx, client.top() + layer.dy), client.bottomRight());
    painter.setPen(layer.colour);
    painter.drawText(r, flags, text);
  }
}

void CEmbossedStatic::mouseReleaseEvent(QMouseEvent* event) {
  if ((m_style & SS_NOTIFY) && event->button() == Qt::LeftButton && rect().contains(event->pos()))
    emit clicked();
  QWidget::mouseReleaseEvent(event);
}
