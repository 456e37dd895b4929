#include "controls/gui/flat_icon_button.h"

#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include "controls/gui/control_paint.h"
#include "platform/gui/qt_string.h"

CFlatIconButton::CFlatIconButton(const CString& caption, UINT style, QWidget* parent)
    : QPushButton(ToQString(caption), parent),
      m_model(style, ToColorRef(palette().color(QPalette::Button)),
              ToColorRef(palette().color(QPalette::ButtonText))) {
  setCheckable(m_model.IsCheckBox());
  setDefault(m_model.IsDefault());
  setAttribute(Qt::WA_Hover);
  // A check set from outside (setChecked, a button group) is the button's check too.
  connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
    if (m_model.IsCheckBox() && m_model.GetCheck() != checked) {
      m_model.SetCheck(checked);
      update();
    }
  });
}

int CFlatIconButton::SetIcon(const QPixmap& active, const QPixmap& rest, bool repaint) {
  if (active.isNull()) {
    m_active = m_rest = QPixmap();
    if (repaint) update();
    return BTNST_INVALIDRESOURCE;
  }
  m_active = active;
  m_rest = rest;
  if (repaint) update();
  return BTNST_OK;
}

int CFlatIconButton::SetFlat(bool flat, bool repaint) {
  const int result = m_model.SetFlat(flat);
  if (!flat) m_hovering = false;
  if (repaint) update();
  return result;
}

int CFlatIconButton::SetIconAlignment(BYTE alignment, bool repaint) {
  const int result = m_model.SetIconAlignment(alignment);
  if (result == BTNST_OK && repaint) update();
  return result;
}

int CFlatIconButton::SetCheck(bool checked, bool repaint) {
  const int result = m_model.SetCheck(checked);
  if (m_model.IsCheckBox()) setChecked(m_model.GetCheck());
  if (repaint) update();
  return result;
}

int CFlatIconButton::ShiftStateColor(BYTE index, short shade, bool repaint) {
  const int result = m_model.ShiftStateColor(index, shade);
  if (result == BTNST_OK && repaint) update();
  return result;
}

int CFlatIconButton::SetColor(BYTE index, COLORREF color, bool repaint) {
  const int result = m_model.SetColor(index, color);
  if (result == BTNST_OK && repaint) update();
  return result;
}

int CFlatIconButton::SetPressedStyle(int style, bool repaint) {
  const int result = m_model.SetPressedStyle(style);
  if (result == BTNST_OK && repaint) update();
  return result;
}

void CFlatIconButton::SetDefaultColors(bool repaint) {
  m_model.SetDefaultColors(ToColorRef(palette().color(QPalette::Button)),
                           ToColorRef(palette().color(QPalette::ButtonText)));
  if (repaint) update();
}

void CFlatIconButton::SetTipText(const CString& text, bool activate) {
  m_tipText = text;
  setToolTip(activate ? ToQString(text) : QString());
}

void CFlatIconButton::nextCheckState() {
  m_model.OnClicked();
  setChecked(m_model.GetCheck());
}

void CFlatIconButton::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is a press like any other: two clicks.
  mousePressEvent(event);
}

void CFlatIconButton::enterEvent(QEnterEvent* event) {
  QPushButton::enterEvent(event);
  if (!m_model.IsFlat() || m_hovering) return;
  if (QApplication::mouseButtons() & Qt::LeftButton) return;
  m_hovering = true;
  update();
}

void CFlatIconButton::leaveEvent(QEvent* event) {
  QPushButton::leaveEvent(event);
  EndHover();
}

void CFlatIconButton::focusOutEvent(QFocusEvent* event) {
  QPushButton::focusOutEvent(event);
  EndHover();
}

void CFlatIconButton::changeEvent(QEvent* event) {
  QPushButton::changeEvent(event);
  switch (event->type()) {
    case QEvent::ActivationChange:
      if (!isActiveWindow()) EndHover();
      break;
    case QEvent::EnabledChange:
      if (!isEnabled()) EndHover();
      break;
    case QEvent::PaletteChange:
      SetDefaultColors(true);
      break;
    default:
      break;
  }
}

void CFlatIconButton::EndHover() {
  if (!m_model.IsFlat() || !m_hovering) return;
  m_hovering = false;
  update();
}

void CFlatIconButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette pal = palette();
  const bool disabled = !isEnabled();
  const bool focused = hasFocus();
  const CFlatButtonModel::Look look = m_model.Describe(isDown(), focused, m_hovering);

  // Background.
  QRect r = rect();
  if (look.black_frame) {
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    r.adjust(1, 1, -1, -1);
  }
  p.fillRect(r, ToQColor(look.background));

  // Border.
  const QColor hilight = pal.color(QPalette::Light);
  const QColor shadow = pal.color(QPalette::Dark);
  switch (look.border) {
    case ButtonBorder::kRaisedThin:
      Draw3dRect(p, r, hilight, shadow);
      break;
    case ButtonBorder::kSunkenThin:
      Draw3dRect(p, r, shadow, hilight);
      break;
    case ButtonBorder::kShadowFrame:
      p.setPen(shadow);
      p.drawRect(r.adjusted(0, 0, -1, -1));
      break;
    case ButtonBorder::kRaised3d: {
      const int left = r.left(), top = r.top(), right = r.left() + r.width(), bottom = r.top() + r.height();
      p.setPen(hilight);
      p.drawLine(left, bottom - 1, left, top);
      p.drawLine(left, top, right, top);
      p.setPen(pal.color(QPalette::Midlight));
      p.drawLine(left + 1, bottom - 1, left + 1, top + 1);
      p.drawLine(left + 1, top + 1, right, top + 1);
      p.setPen(pal.color(QPalette::Shadow));
      p.drawLine(left, bottom - 1, right - 1, bottom - 1);
      p.drawLine(right - 1, bottom - 1, right - 1, top - 1);
      p.setPen(shadow);
      p.drawLine(left + 1, bottom - 2, right - 2, bottom - 2);
      p.drawLine(right - 2, bottom - 2, right - 2, top);
      break;
    }
    case ButtonBorder::kNone:
      break;
  }

  // Icon and caption, both on the full item rectangle.
  const CRect item = ToCRect(rect());
  CRect caption = item;
  const QString text = this->text();
  const QPixmap& icon = look.active_icon || m_rest.isNull() ? m_active : m_rest;
  const CSize offset = look.image_moves ? m_model.GetPressedOffset() : CSize();
  if (!icon.isNull()) {
    const QSize size = icon.deviceIndependentSize().toSize();
    CRect place = m_model.PlaceImage(item, CSize(size.width(), size.height()), !text.isEmpty(), caption);
    place.OffsetRect(offset);
    const QPixmap drawn = disabled ? QIcon(icon).pixmap(size, devicePixelRatio(), QIcon::Disabled) : icon;
    p.drawPixmap(place.left, place.top, drawn);
  }
  if (!text.isEmpty()) {
    caption.OffsetRect(offset);
    const QRect area = ToQRect(caption);
    const int flags = Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop;
    QRect measured = p.fontMetrics().boundingRect(area, flags, text);
    measured.moveCenter(area.center());
    if (disabled) {
      p.setPen(hilight);
      p.drawText(measured.translated(1, 1), flags, text);
      p.setPen(shadow);
      p.drawText(measured, flags, text);
    } else {
      p.setPen(ToQColor(look.text));
      p.drawText(measured, flags, text);
    }
  }

  if (look.focus_rect) {
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = r.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
  }
}
