#include "platform/gui/qt_dc.h"

#include <QCoreApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QString>
#include <QThread>
#include <QTransform>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <numbers>

#include "platform/gui/qt_string.h"

namespace {

constexpr size_t kFontCacheSize = 32;
constexpr size_t kTextCacheSize = 2048;  // texts kept per font

QRect ToQRect(const CRect& r) {
  return QRect(r.left, r.top, r.Width(), r.Height());
}

// R2_BLACK and R2_WHITE draw in their colour whatever the pen's or brush's.
COLORREF RopColor(int rop, COLORREF color) {
  if (rop == R2_BLACK) return 0;
  if (rop == R2_WHITE) return RGB(255, 255, 255);
  return color;
}

// A logical rectangle in device pixels, normalised.
CRect DeviceRect(const CDC& dc, CRect r) {
  dc.LPtoDP(&r);
  r.NormalizeRect();
  return r;
}

// Device points as a polygon, each moved by offset on both axes.
QPolygonF ToPolygon(const std::vector<CPoint>& points, double offset) {
  QPolygonF poly;
  for (const CPoint& p : points) poly << QPointF(p.x + offset, p.y + offset);
  return poly;
}

// The composition mode that performs a GDI binary raster operation.
QPainter::CompositionMode ModeForRop(int rop) {
  switch (rop) {
    case 2:  // R2_NOTMERGEPEN
      return QPainter::RasterOp_NotSourceAndNotDestination;
    case 3:  // R2_MASKNOTPEN
      return QPainter::RasterOp_NotSourceAndDestination;
    case 4:  // R2_NOTCOPYPEN
      return QPainter::RasterOp_NotSource;
    case 5:  // R2_MASKPENNOT
      return QPainter::RasterOp_SourceAndNotDestination;
    case R2_NOT:
      return QPainter::RasterOp_NotDestination;
    case R2_XORPEN:
      return QPainter::RasterOp_SourceXorDestination;
    case 8:  // R2_NOTMASKPEN
      return QPainter::RasterOp_NotSourceOrNotDestination;
    case 9:  // R2_MASKPEN
      return QPainter::RasterOp_SourceAndDestination;
    case R2_NOTXORPEN:
      return QPainter::RasterOp_NotSourceXorDestination;
    case 12:  // R2_MERGENOTPEN
      return QPainter::RasterOp_NotSourceOrDestination;
    case 14:  // R2_MERGEPENNOT
      return QPainter::RasterOp_SourceOrNotDestination;
    case 15:  // R2_MERGEPEN
      return QPainter::RasterOp_SourceOrDestination;
    default:  // R2_BLACK, R2_COPYPEN, R2_WHITE
      return QPainter::CompositionMode_SourceOver;
  }
}

bool IsFixedPitchFace(const QString& family) {
  QFont f(family);
  return QFontInfo(f).fixedPitch();
}

// The face Qt should use for a LOGFONT.
QString ChooseFamily(const LOGFONT& lf) {
  const QString face = ToQString(lf.lfFaceName);
  const int pitch = lf.lfPitchAndFamily & 0x03;
  const int family = lf.lfPitchAndFamily & 0xF0;
  if (pitch == FIXED_PITCH || (face.isEmpty() && family == FF_MODERN)) {
    if (!face.isEmpty() && IsFixedPitchFace(face)) return face;
    return QStringLiteral("Courier New");  // Liberation Mono on a Debian system
  }
  if (!face.isEmpty()) return face;
  if (family == FF_ROMAN) return QStringLiteral("Times New Roman");
  return QStringLiteral("Arial");
}

}  // namespace

CQtDC::CQtDC(QPaintDevice* device) : m_owned(std::make_unique<QPainter>(device)), m_painter(m_owned.get()) {
  m_painter->setRenderHint(QPainter::Antialiasing, false);
  m_painter->setRenderHint(QPainter::TextAntialiasing, true);
  NoteDevice();
}

CQtDC::CQtDC(QPainter* painter) : m_painter(painter) {
  m_painter->save();
  m_painter->setRenderHint(QPainter::Antialiasing, false);
  m_painter->setRenderHint(QPainter::TextAntialiasing, true);
  NoteDevice();
}

void CQtDC::NoteDevice() {
  const QPaintDevice* d = m_painter->isActive() ? m_painter->device() : nullptr;
  if (d == nullptr) return;
  m_deviceType = d->devType();
  // An image keeps its size and resolution while it is painted on; other
  // devices (a picture grows with its drawing) are asked each time.
  if (m_deviceType == QInternal::Image) {
    m_deviceWidth = d->width();
    m_deviceHeight = d->height();
    m_dpiX = d->logicalDpiX();
    m_dpiY = d->logicalDpiY();
  }
  QPaintEngine* engine = m_painter->paintEngine();
  m_raster = engine && engine->type() == QPaintEngine::Raster;
  m_modeSet = m_painter->compositionMode();
  // (Other engines, a printer's, keep the saved and restored states they
  // were always given.)
  m_direct = m_raster && !m_painter->hasClipping() && !m_painter->worldMatrixEnabled() &&
             !m_painter->viewTransformEnabled();
  // Opaque fills on a 32-bit image painted at one pixel per unit, fully
  // opaque and without a clip of the system's, are written into the image's
  // pixels, as the raster engine writes them.
  if (m_direct && m_raster && m_deviceType == QInternal::Image && engine->paintDevice() == d &&
      m_painter->opacity() == 1.0 && engine->systemClip().isEmpty()) {
    const auto* image = static_cast<const QImage*>(d);
    const QImage::Format format = image->format();
    if ((format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied) &&
        image->devicePixelRatio() == 1 && image->width() == m_deviceWidth &&
        image->height() == m_deviceHeight) {
      m_pixels = const_cast<uchar*>(image->constBits());
      m_bytesPerLine = image->bytesPerLine();
    }
  }
}

void CQtDC::FillDeviceRect(const QRect& rect, const QColor& color) {
  if (m_pixels == nullptr || m_modeSet != QPainter::CompositionMode_SourceOver || color.alpha() != 255 ||
      rect.width() < 0 || rect.height() < 0) {
    m_painter->fillRect(rect, color);
    return;
  }
  QRect r = rect & QRect(0, 0, m_deviceWidth, m_deviceHeight);
  if (m_clipSet) r &= *m_clipSet;
  if (!r.isEmpty()) WritePixels(r, color.rgba());  // opaque: the same in each of the formats
}

void CQtDC::WritePixels(const QRect& r, quint32 value) {
  const qsizetype stride = m_bytesPerLine / static_cast<qsizetype>(sizeof(quint32));
  auto* p =
      reinterpret_cast<quint32*>(m_pixels + static_cast<qsizetype>(r.top()) * m_bytesPerLine) + r.left();
  const int width = r.width();
  const int height = r.height();
  if (width == 1) {  // the upright lines of a drawing
    for (int y = 0; y < height; ++y, p += stride) *p = value;
    return;
  }
  for (int y = 0; y < height; ++y, p += stride) std::fill_n(p, width, value);
}

CQtDC::~CQtDC() {
  FlushFill();
  if (m_owned) {
    if (m_owned->isActive()) m_owned->end();
  } else {
    m_painter->restore();
  }
}

QPaintDevice* CQtDC::Device() const {
  return m_painter->device();
}

int CQtDC::GetDeviceCaps(int index) const {
  if (m_deviceType == QInternal::Image) {
    switch (index) {
      case HORZRES:
        return m_deviceWidth;
      case VERTRES:
        return m_deviceHeight;
      case LOGPIXELSX:
        return m_dpiX;
      case LOGPIXELSY:
        return m_dpiY;
      default:
        return 0;
    }
  }
  const QPaintDevice* d = Device();
  if (!d) return 0;
  switch (index) {
    case HORZRES:
      return d->width();
    case VERTRES:
      return d->height();
    case LOGPIXELSX:
      return d->logicalDpiX();
    case LOGPIXELSY:
      return d->logicalDpiY();
    default:
      return 0;
  }
}

// ---- fonts --------------------------------------------------------------------

std::vector<std::unique_ptr<CQtDC::FontEntry>>& CQtDC::FontCache() {
  thread_local std::vector<std::unique_ptr<FontEntry>> cache;
  // The main thread's fonts go with the application object, before Qt's own
  // font caches do.
  static std::atomic<bool> clearsWithApplication = false;
  if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread() &&
      !clearsWithApplication) {
    clearsWithApplication = true;
    qAddPostRoutine([] {
      FontCache().clear();
      ++FontCacheGeneration();
      clearsWithApplication = false;
    });
  }
  return cache;
}

unsigned& CQtDC::FontCacheGeneration() {
  thread_local unsigned generation = 0;
  return generation;
}

CQtDC::FontEntry& CQtDC::CurrentFont() const {
  const LOGFONT& lf = GetCurrentFont().GetLogFont();
  const double sx = std::fabs(ScaleX());
  const double sy = std::fabs(ScaleY());
  const QPaintDevice* device = Device();
  const bool image = m_deviceType == QInternal::Image;
  const int dpiX = image ? m_dpiX : device ? device->logicalDpiX() : 0;
  const int dpiY = image ? m_dpiY : device ? device->logicalDpiY() : 0;
  const auto matches = [&](const FontEntry& e) {
    return e.scaleX == sx && e.scaleY == sy && e.dpiX == dpiX && e.dpiY == dpiY && e.lf == lf;
  };
  // A drawing asks for the same font many times in a row.
  if (m_lastFont != nullptr && m_lastFontGeneration == FontCacheGeneration() && matches(*m_lastFont))
    return *m_lastFont;
  auto& fonts = FontCache();
  for (const auto& e : fonts) {
    if (matches(*e)) {
      m_lastFont = e.get();
      m_lastFontGeneration = FontCacheGeneration();
      return *e;
    }
  }
  if (fonts.size() >= kFontCacheSize) {
    fonts.clear();
    ++FontCacheGeneration();
  }

  FontEntry e;
  e.lf = lf;
  e.scaleX = sx;
  e.scaleY = sy;
  e.dpiX = dpiX;
  e.dpiY = dpiY;
  QFont font(ChooseFamily(lf));
  const int weight = lf.lfWeight <= 0 ? FW_NORMAL : std::min<int>(lf.lfWeight, 1000);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(lf.lfItalic != 0);
  font.setUnderline(lf.lfUnderline != 0);
  font.setStrikeOut(lf.lfStrikeOut != 0);
  font.setKerning(false);

  // Size: find the em size whose cell (ascent + descent) is the requested
  // height, from the metrics at a reference size.
  const double dpi = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
  const double height = (lf.lfHeight == 0 ? 16.0 : std::abs(lf.lfHeight)) * sy;
  double em = height;
  if (lf.lfHeight >= 0) {
    QFont reference = font;
    reference.setPointSizeF(100.0 * 72.0 / dpi);
    const QFontMetricsF rm(reference, const_cast<QPaintDevice*>(device));
    if (rm.height() > 0) em = height * 100.0 / rm.height();
  }
  font.setPointSizeF(std::max(em, 0.5) * 72.0 / dpi);
  const QFontMetricsF fm(font, const_cast<QPaintDevice*>(device));
  e.font = font;
  if (lf.lfWidth > 0 && fm.averageCharWidth() > 0) e.xScale = lf.lfWidth * sx / fm.averageCharWidth();
  e.ascent = fm.ascent();
  e.descent = fm.descent();
  e.leading = fm.leading();
  e.avgWidth = fm.averageCharWidth() * e.xScale;
  e.maxWidth = fm.maxWidth() * e.xScale;
  e.metrics.emplace(fm);
  fonts.push_back(std::make_unique<FontEntry>(std::move(e)));
  m_lastFont = fonts.back().get();
  m_lastFontGeneration = FontCacheGeneration();
  return *fonts.back();
}

CSize CQtDC::DoGetTextExtent(const CString& text) const {
  FontEntry& e = CurrentFont();
  auto it = e.advances.find(text.str());
  if (it == e.advances.end()) {
    if (e.advances.size() >= kTextCacheSize) e.advances.clear();
    it = e.advances.emplace(text.str(), e.metrics->horizontalAdvance(ToQString(text))).first;
  }
  const double cx = it->second * e.xScale / std::fabs(ScaleX());
  const double cy = (e.ascent + e.descent) / std::fabs(ScaleY());
  return CSize(static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy)));
}

void CQtDC::DoGetTextMetrics(TEXTMETRIC* tm) const {
  const FontEntry& e = CurrentFont();
  const double sx = std::fabs(ScaleX());
  const double sy = std::fabs(ScaleY());
  tm->tmAscent = static_cast<LONG>(std::lround(e.ascent / sy));
  tm->tmDescent = static_cast<LONG>(std::lround(e.descent / sy));
  tm->tmHeight = static_cast<LONG>(std::lround((e.ascent + e.descent) / sy));
  tm->tmExternalLeading = static_cast<LONG>(std::lround(std::max(e.leading, 0.0) / sy));
  const double em = QFontInfo(e.font).pixelSize();
  tm->tmInternalLeading = std::max<LONG>(0, tm->tmHeight - static_cast<LONG>(std::lround(em / sy)));
  tm->tmAveCharWidth = static_cast<LONG>(std::lround(e.avgWidth / sx));
  tm->tmMaxCharWidth = static_cast<LONG>(std::lround(e.maxWidth / sx));
  tm->tmWeight = e.lf.lfWeight <= 0 ? FW_NORMAL : e.lf.lfWeight;
}

// ---- state for one primitive ------------------------------------------------------

void CQtDC::ApplyClip(const CRect* extraClip) {
  if (DeviceClip()) m_painter->setClipRect(ToQRect(*DeviceClip()), Qt::IntersectClip);
  if (extraClip) m_painter->setClipRect(ToQRect(DeviceRect(*this, *extraClip)), Qt::IntersectClip);
}

bool CQtDC::BeginShape(const CRect* extraClip) {
  if (GetROP2() == R2_NOP) return false;
  return BeginState(ModeForRop(GetROP2()), extraClip);
}

bool CQtDC::BeginFill(const CRect* extraClip) {
  return BeginState(QPainter::CompositionMode_SourceOver, extraClip);
}

void CQtDC::FlushFill() {
  if (!m_pendingFill) return;
  WritePixels(m_pendingFill->rect, m_pendingFill->value);
  m_pendingFill.reset();
}

bool CQtDC::BeginState(QPainter::CompositionMode mode, const CRect* extraClip) {
  FlushFill();
  if (!m_direct) {
    m_painter->save();
    m_painter->setCompositionMode(mode);
    ApplyClip(extraClip);
    return true;
  }
  // The clip of the context and of the primitive as one rectangle; an empty
  // one lets nothing through.
  std::optional<QRect> clip;
  if (DeviceClip()) clip = ToQRect(*DeviceClip());
  if (extraClip) {
    const QRect extra = ToQRect(DeviceRect(*this, *extraClip));
    clip = clip ? (*clip & extra) : extra;
  }
  if (clip && clip->isEmpty()) return false;
  if (mode != m_modeSet) {
    m_painter->setCompositionMode(mode);
    m_modeSet = mode;
  }
  if (clip != m_clipSet) {
    if (clip) {
      m_painter->setClipRect(*clip, Qt::ReplaceClip);
    } else {
      m_painter->setClipping(false);
    }
    m_clipSet = clip;
  }
  return true;
}

void CQtDC::End() {
  if (!m_direct) m_painter->restore();
}

bool CQtDC::OffImage(int left, int top, int right, int bottom, int reach) const {
  if (!m_direct || m_deviceType != QInternal::Image) return false;
  QRect area(0, 0, m_deviceWidth, m_deviceHeight);
  if (DeviceClip()) area &= ToQRect(*DeviceClip());
  if (area.isEmpty()) return true;
  return static_cast<long long>(right) + reach < area.left() ||
         static_cast<long long>(left) - reach > area.right() ||
         static_cast<long long>(bottom) + reach < area.top() ||
         static_cast<long long>(top) - reach > area.bottom();
}

bool CQtDC::OffImageLogical(const CPoint* points, size_t count, int reach) const {
  if (!m_direct || m_deviceType != QInternal::Image || count == 0) return false;
  CPoint corner[2] = {points[0], points[0]};  // top left, bottom right
  for (size_t i = 1; i < count; ++i) {
    corner[0].x = std::min(corner[0].x, points[i].x);
    corner[0].y = std::min(corner[0].y, points[i].y);
    corner[1].x = std::max(corner[1].x, points[i].x);
    corner[1].y = std::max(corner[1].y, points[i].y);
  }
  LPtoDP(corner, 2);
  return OffImage(std::min(corner[0].x, corner[1].x), std::min(corner[0].y, corner[1].y),
                  std::max(corner[0].x, corner[1].x), std::max(corner[0].y, corner[1].y), reach);
}

bool CQtDC::MayShow(const CRect& rect) const {
  // Two pixels to spare on every side for edges drawn antialiased.
  constexpr int kEdgeReach = 2;
  if (!m_direct || m_deviceType != QInternal::Image) return true;
  const CRect r = DeviceRect(*this, rect);
  return !OffImage(r.left, r.top, r.right, r.bottom, kEdgeReach);
}

COLORREF CQtDC::PenColor() const {
  return RopColor(GetROP2(), GetCurrentPen().GetColor());
}

COLORREF CQtDC::BrushColor() const {
  return RopColor(GetROP2(), GetCurrentBrush().GetColor());
}

// A one-pixel pen is drawn on integer coordinates (Qt's cosmetic lines then
// cover the same pixels as GDI's); a wider pen is centred on pixel centres.
QPen CQtDC::DevicePen(double* offset) const {
  const CPen& pen = GetCurrentPen();
  const int width = PenWidthToDevice(pen.GetWidth());
  QPen qp(ToQColor(PenColor()));
  if (width <= 1) {
    qp.setWidth(0);
    qp.setCapStyle(Qt::FlatCap);
    qp.setJoinStyle(Qt::MiterJoin);
    switch (pen.GetStyle()) {
      case PS_DASH:
        qp.setDashPattern({18, 6});
        break;
      case PS_DOT:
        qp.setDashPattern({3, 3});
        break;
      case PS_DASHDOT:
        qp.setDashPattern({9, 6, 3, 6});
        break;
      case PS_DASHDOTDOT:
        qp.setDashPattern({9, 3, 3, 3, 3, 3});
        break;
      default:
        break;
    }
    *offset = 0;
  } else {
    qp.setWidth(width);
    qp.setCapStyle(Qt::RoundCap);
    qp.setJoinStyle(Qt::RoundJoin);
    *offset = 0.5;
  }
  return qp;
}

// A filled disc of the given diameter centred on a device pixel, painted
// span by span so that every pixel is touched once (raster operations stay
// exact).
void CQtDC::DrawDot(CPoint p, int width) {
  const double r = width / 2.0;
  const double c = (width % 2 == 1) ? 0.0 : -0.5;  // even widths centre between pixels
  const QColor color = ToQColor(PenColor());
  for (int dy = -width; dy <= width; ++dy) {
    const double y = dy - c;
    if (std::fabs(y) > r) continue;
    const double half = std::sqrt(r * r - y * y);
    const int x0 = static_cast<int>(std::ceil(c - half));
    const int x1 = static_cast<int>(std::floor(c + half));
    if (x1 >= x0) FillDeviceRect(QRect(p.x + x0, p.y + dy, x1 - x0 + 1, 1), color);
  }
}

// ---- primitives ---------------------------------------------------------------

// Whether fills land exactly on the pixels Qt's aliased shapes cover: an
// opaque copy on a raster device without a world transform.
bool CQtDC::FillsStandInForShapes() const {
  if (ModeForRop(GetROP2()) != QPainter::CompositionMode_SourceOver) return false;
  return m_raster && (!m_painter->worldMatrixEnabled() || m_painter->worldTransform().isIdentity());
}

// Whether a device box (inclusive) lies well inside the device and the
// painter's clip: Qt clips lines that reach out of them on pixels of its own.
bool CQtDC::WellInside(const CPoint* points, size_t count) const {
  int l = points[0].x;
  int r = l;
  int t = points[0].y;
  int b = t;
  for (size_t i = 1; i < count; ++i) {
    l = std::min(l, points[i].x);
    r = std::max(r, points[i].x);
    t = std::min(t, points[i].y);
    b = std::max(b, points[i].y);
  }
  constexpr int kMargin = 2;
  int width = m_deviceWidth;
  int height = m_deviceHeight;
  if (m_deviceType != QInternal::Image) {
    const QPaintDevice* d = Device();
    if (!d) return false;
    width = d->width();
    height = d->height();
  }
  if (l < kMargin || t < kMargin || r >= width - kMargin || b >= height - kMargin) return false;
  if (!m_painter->hasClipping()) return true;
  const QRectF clip = m_painter->clipBoundingRect();
  return l >= clip.left() + kMargin && t >= clip.top() + kMargin && r < clip.right() - kMargin &&
         b < clip.bottom() - kMargin;
}

// Whether the pen is a thin solid one whose lines fills may stand in for.
bool CQtDC::CanFillThinLines() const {
  const CPen& pen = GetCurrentPen();
  return pen.GetStyle() == PS_SOLID && PenWidthToDevice(pen.GetWidth()) <= 1 && FillsStandInForShapes();
}

// Draws a polygon that is an upright rectangle with some width and height as
// fills: the inside from its top-left corner up to but not including its
// right and bottom edges, then a thin outline on all four edges, as Qt's
// aliased fill and cosmetic outline cover them. False (nothing drawn) for
// any other polygon or pen, or one reaching near the device's or the clip's
// edges.
bool CQtDC::FillRectanglePolygon(const std::vector<CPoint>& dev) {
  size_t n = dev.size();
  if (n == 5 && dev[4] == dev[0]) n = 4;
  if (n != 4) return false;
  for (size_t i = 0; i < n; ++i) {
    const CPoint a = dev[i];
    const CPoint b = dev[(i + 1) % n];
    if ((a.x == b.x) == (a.y == b.y)) return false;  // slanted or no move
  }
  const int l = std::min(dev[0].x, dev[2].x);
  const int r = std::max(dev[0].x, dev[2].x);
  const int t = std::min(dev[0].y, dev[2].y);
  const int b = std::max(dev[0].y, dev[2].y);
  if (l == r || t == b || !WellInside(dev.data(), n)) return false;
  const bool pen = !GetCurrentPen().IsNull();
  if (pen ? !CanFillThinLines() : !FillsStandInForShapes()) return false;
  if (!GetCurrentBrush().IsNull()) FillDeviceRect(QRect(l, t, r - l, b - t), ToQColor(BrushColor()));
  if (pen) {
    const QColor color = ToQColor(PenColor());
    FillDeviceRect(QRect(l, t, r - l + 1, 1), color);
    FillDeviceRect(QRect(l, b, r - l + 1, 1), color);
    FillDeviceRect(QRect(l, t + 1, 1, b - t - 1), color);
    FillDeviceRect(QRect(r, t + 1, 1, b - t - 1), color);
  }
  return true;
}

// Draws an open polyline of horizontal and vertical device segments as
// fills covering the pixels Qt's cosmetic line covers: each segment the
// pixels from its lower coordinate up to but not including its higher one, a
// corner where the line turns from a rising to a falling coordinate (Qt fills
// it against a drop-out), and the end of a one-pixel step that rises
// after a fall. On an image the line may run out of it and the clip (Qt's
// own clipping of each segment is followed); elsewhere it must stay well
// inside both. False (nothing drawn) for a slanted segment, a closed
// polyline, one that turns back on itself or, off an image, one reaching near
// the device's or the clip's edges, which Qt draws otherwise.
bool CQtDC::FillOrthogonalPolyline(const std::vector<CPoint>& dev) {
  if (dev.front() == dev.back() || !(WellInside(dev.data(), dev.size()) || ClipsLinesLikeFills()))
    return false;
  const auto sign = [](int v) { return (v > 0) - (v < 0); };
  int dx = 0;
  int dy = 0;
  size_t last = 0;  // the end point of the last segment that moves
  for (size_t i = 1; i < dev.size(); ++i) {
    const int sx = sign(dev[i].x - dev[i - 1].x);
    const int sy = sign(dev[i].y - dev[i - 1].y);
    if (sx != 0 && sy != 0) return false;
    if (sx == 0 && sy == 0) continue;
    if ((sx != 0 && sx == -dx) || (sy != 0 && sy == -dy)) return false;
    dx = sx;
    dy = sy;
    last = i;
  }
  // Qt clips each segment to the device and one or two pixels around it
  // first: a segment wholly outside that area draws nothing, and one whose
  // end lies outside it draws no corner pixel at its start; neither does the
  // segment after it.
  const QPaintDevice* d = Device();
  const QRect bounds = m_deviceType == QInternal::Image ? QRect(-1, -1, m_deviceWidth + 3, m_deviceHeight + 3)
                                                        : QRect(-1, -1, d->width() + 3, d->height() + 3);
  const auto out = [&bounds](CPoint p) { return !bounds.contains(p.x, p.y); };
  const auto clippedAway = [&bounds](CPoint a, CPoint b) {
    if (a.y == b.y) {
      return a.y < bounds.top() || a.y > bounds.bottom() || (a.x < bounds.left() && b.x <= bounds.left()) ||
             (a.x > bounds.right() && b.x >= bounds.right());
    }
    return a.x < bounds.left() || a.x > bounds.right() || (a.y < bounds.top() && b.y <= bounds.top()) ||
           (a.y > bounds.bottom() && b.y >= bounds.bottom());
  };
  // Far ends are drawn only up to a pixel past the bounds.
  const auto clampX = [&bounds](int x) { return std::clamp(x, bounds.left() - 1, bounds.right() + 1); };
  const auto clampY = [&bounds](int y) { return std::clamp(y, bounds.top() - 1, bounds.bottom() + 1); };
  const QColor color = ToQColor(PenColor());
  dx = 0;
  dy = 0;
  bool lastDrawn = false;  // whether the last segment that moves was drawn up to its end
  for (size_t i = 1; i <= last; ++i) {
    const CPoint a = dev[i - 1];
    const CPoint b = dev[i];
    if (a == b) continue;
    const int sx = sign(b.x - a.x);
    const int sy = sign(b.y - a.y);
    if (clippedAway(a, b)) {
      lastDrawn = false;
      dx = sx;
      dy = sy;
      continue;
    }
    if (sy == 0) {
      const int x0 = clampX(std::min(a.x, b.x));
      const int x1 = clampX(std::max(a.x, b.x));
      FillDeviceRect(QRect(x0, a.y, x1 - x0, 1), color);
    } else {
      const int y0 = clampY(std::min(a.y, b.y));
      const int y1 = clampY(std::max(a.y, b.y));
      FillDeviceRect(QRect(a.x, y0, 1, y1 - y0), color);
    }
    const bool corner = lastDrawn && !out(a) && !out(b);
    const bool fell = dx < 0 || dy < 0;
    const bool falls = sx < 0 || sy < 0;
    if (corner && (dx > 0 || dy > 0) && falls) FillDeviceRect(QRect(a.x, a.y, 1, 1), color);
    if (corner && fell && !falls && std::abs(b.x - a.x) + std::abs(b.y - a.y) == 1)
      FillDeviceRect(QRect(b.x, b.y, 1, 1), color);
    lastDrawn = !out(b);
    dx = sx;
    dy = sy;
  }
  return true;
}

// Whether fills may stand in for thin lines reaching out of the device: Qt
// clips them against the device's own size in pixels, which only an image's
// painter at one pixel per unit is known to paint on as it is.
bool CQtDC::ClipsLinesLikeFills() const {
  const QPaintDevice* d = Device();
  return d && d->devType() == QInternal::Image && d->devicePixelRatio() == 1;
}

void CQtDC::DoPolyline(const CPoint* points, int count) {
  if (GetCurrentPen().IsNull() || count < 2) return;
  const int width = PenWidthToDevice(GetCurrentPen().GetWidth());
  if (OffImageLogical(points, static_cast<size_t>(count), width + 2)) return;
  std::vector<CPoint>& dev = m_points;
  dev.assign(points, points + count);
  LPtoDP(dev.data(), count);
  bool allSame = true;
  for (const CPoint& p : dev) allSame = allSame && p == dev[0];
  if (allSame && width <= 1) return;  // GDI draws nothing for a zero-length thin line
  if (!BeginShape()) return;
  if (allSame) {
    DrawDot(dev[0], width);
  } else if (CanFillThinLines() && FillOrthogonalPolylineInPieces(dev)) {
    // drawn
  } else {
    DrawQtPolyline(dev);
  }
  End();
}

void CQtDC::DrawQtPolyline(const std::vector<CPoint>& dev) {
  double off = 0;
  m_painter->setPen(DevicePen(&off));
  m_painter->setBrush(Qt::NoBrush);
  m_painter->drawPolyline(ToPolygon(dev, off));
}

// A right-angled polyline that runs out of the area where fills stand in for
// Qt's line (off an image: on one they stand in everywhere, see above), cut
// into pieces in the middle of its straight segments: the
// pieces near the edges are Qt's lines, the rest fills. Where a line goes
// straight on, Qt's pixels of the two pieces together are those of the whole
// line, and each corner is drawn within one piece together with both of its
// segments, as in the whole line. False (nothing drawn) for a slanted,
// closed or turning-back polyline.
bool CQtDC::FillOrthogonalPolylineInPieces(const std::vector<CPoint>& dev) {
  if (dev.front() == dev.back()) return false;
  int dx = 0;
  int dy = 0;
  for (size_t i = 1; i < dev.size(); ++i) {
    const int sx = (dev[i].x > dev[i - 1].x) - (dev[i].x < dev[i - 1].x);
    const int sy = (dev[i].y > dev[i - 1].y) - (dev[i].y < dev[i - 1].y);
    if (sx != 0 && sy != 0) return false;
    if (sx == 0 && sy == 0) continue;
    if ((sx != 0 && sx == -dx) || (sy != 0 && sy == -dy)) return false;
    dx = sx;
    dy = sy;
  }
  if (WellInside(dev.data(), dev.size()) || ClipsLinesLikeFills()) return FillOrthogonalPolyline(dev);

  // A straight segment that comes in from near an edge gets a corner of no
  // turn where it enters the inner area, so that only its outer end stays
  // Qt's. (Not one that goes out: Qt's corner before a segment depends on
  // how that segment is clipped.)
  QRect inner(0, 0, Device()->width(), Device()->height());
  if (m_painter->hasClipping()) inner &= m_painter->clipBoundingRect().toAlignedRect();
  constexpr int kInnerPad = 12;
  inner.adjust(kInnerPad, kInnerPad, -kInnerPad, -kInnerPad);
  std::vector<CPoint> refined = {dev[0]};
  for (size_t i = 1; i < dev.size(); ++i) {
    const CPoint a = dev[i - 1];
    const CPoint b = dev[i];
    if (!inner.isEmpty() && a != b && !inner.contains(a.x, a.y) && inner.contains(b.x, b.y)) {
      if (a.y == b.y) {
        refined.emplace_back(a.x < b.x ? inner.left() : inner.right(), a.y);
      } else {
        refined.emplace_back(a.x, a.y < b.y ? inner.top() : inner.bottom());
      }
      if (refined.back() == b) refined.pop_back();
    }
    refined.push_back(b);
  }
  DrawInPieces(refined);
  return true;
}

void CQtDC::DrawInPieces(const std::vector<CPoint>& dev) {
  // Segment i runs from dev[i - 1] to dev[i]; Qt draws those near an edge
  // and those too short to cut next to them.
  constexpr int kShortestCut = 4;  // both halves at least two pixels long
  const size_t n = dev.size();
  const auto length = [&dev](size_t i) {
    return std::abs(dev[i].x - dev[i - 1].x) + std::abs(dev[i].y - dev[i - 1].y);
  };
  std::vector<char> byQt(n, 0);
  for (size_t i = 1; i < n; ++i) byQt[i] = !WellInside(&dev[i - 1], 2);
  for (bool changed = true; changed;) {
    changed = false;
    for (size_t i = 1; i < n; ++i) {
      if (byQt[i] || length(i) >= kShortestCut) continue;
      if ((i > 1 && byQt[i - 1]) || (i + 1 < n && byQt[i + 1])) {
        byQt[i] = 1;
        changed = true;
      }
    }
  }
  const auto middle = [&dev](size_t i) {
    return CPoint((dev[i - 1].x + dev[i].x) / 2, (dev[i - 1].y + dev[i].y) / 2);
  };
  const auto flush = [this](const std::vector<CPoint>& piece, bool qt) {
    if (piece.size() < 2) return;
    if (qt || !FillOrthogonalPolyline(piece)) DrawQtPolyline(piece);
  };
  std::vector<CPoint> piece = {dev[0]};
  bool pieceByQt = byQt[1];
  for (size_t i = 1; i < n; ++i) {
    if (static_cast<bool>(byQt[i]) == pieceByQt) {
      piece.push_back(dev[i]);
      continue;
    }
    if (pieceByQt) {
      // Qt's piece takes the first half of this filled segment.
      const CPoint cut = middle(i);
      piece.push_back(cut);
      flush(piece, true);
      piece = {cut, dev[i]};
    } else {
      // Qt's piece takes the second half of the last filled segment.
      const CPoint cut = middle(i - 1);
      piece.back() = cut;
      if (piece.size() >= 2 && piece[piece.size() - 2] == cut) piece.pop_back();
      flush(piece, false);
      piece = {cut, dev[i - 1], dev[i]};
    }
    pieceByQt = byQt[i];
  }
  flush(piece, pieceByQt);
}

void CQtDC::DoPolygon(const CPoint* points, int count) {
  if (count > 0 &&
      OffImageLogical(points, static_cast<size_t>(count), PenWidthToDevice(GetCurrentPen().GetWidth()) + 2))
    return;
  std::vector<CPoint>& dev = m_points;
  dev.assign(points, points + count);
  LPtoDP(dev.data(), count);
  if (!BeginShape()) return;
  if (FillRectanglePolygon(dev)) {
    End();
    return;
  }
  const Qt::FillRule rule = GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill;
  if (!GetCurrentBrush().IsNull()) {
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(ToQColor(BrushColor()));
    m_painter->drawPolygon(ToPolygon(dev, 0), rule);
  }
  if (!GetCurrentPen().IsNull()) {
    double off = 0;
    m_painter->setPen(DevicePen(&off));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawPolygon(ToPolygon(dev, off), rule);
  }
  End();
}

void CQtDC::DoRectangle(const CRect& rect) {
  const CRect r = DeviceRect(*this, rect);
  if (r.Width() < 1 || r.Height() < 1) return;
  if (OffImage(r.left, r.top, r.right, r.bottom, PenWidthToDevice(GetCurrentPen().GetWidth()) + 2)) return;
  if (!BeginShape()) return;
  const bool pen = !GetCurrentPen().IsNull();
  if (!GetCurrentBrush().IsNull()) {
    // With a pen the border covers the outer ring; without one GDI fills a
    // rectangle one pixel smaller (right and bottom).
    const QRect fill = pen ? QRect(r.left + 1, r.top + 1, r.Width() - 2, r.Height() - 2)
                           : QRect(r.left, r.top, r.Width() - 1, r.Height() - 1);
    if (fill.width() > 0 && fill.height() > 0) FillDeviceRect(fill, ToQColor(BrushColor()));
  }
  if (pen) {
    double off = 0;
    m_painter->setPen(DevicePen(&off));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawRect(QRectF(r.left + off, r.top + off, r.Width() - 1, r.Height() - 1));
  }
  End();
}

void CQtDC::DoEllipse(const CRect& rect) {
  const CRect r = DeviceRect(*this, rect);
  if (r.Width() < 1 || r.Height() < 1) return;
  if (OffImage(r.left, r.top, r.right, r.bottom, PenWidthToDevice(GetCurrentPen().GetWidth()) + 2)) return;
  if (!BeginShape()) return;
  if (!GetCurrentBrush().IsNull()) {
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(ToQColor(BrushColor()));
    m_painter->drawEllipse(QRectF(r.left + 0.5, r.top + 0.5, r.Width() - 1, r.Height() - 1));
  }
  if (!GetCurrentPen().IsNull()) {
    double off = 0;
    m_painter->setPen(DevicePen(&off));
    m_painter->setBrush(Qt::NoBrush);
    m_painter->drawEllipse(QRectF(r.left + off, r.top + off, r.Width() - 1, r.Height() - 1));
  }
  End();
}

void CQtDC::DoArc(const CRect& box, CPoint start, CPoint end) {
  if (GetCurrentPen().IsNull()) return;
  const CRect r = DeviceRect(*this, box);
  CPoint se[2] = {start, end};
  LPtoDP(se, 2);
  double off = 0;
  const QPen pen = DevicePen(&off);
  const double cx = r.left + (r.Width() - 1) / 2.0;
  const double cy = r.top + (r.Height() - 1) / 2.0;
  const double rx = (r.Width() - 1) / 2.0;
  const double ry = (r.Height() - 1) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  if (OffImage(r.left, r.top, r.right, r.bottom, PenWidthToDevice(GetCurrentPen().GetWidth()) + 2)) return;
  // Parametric angles (counterclockwise on the screen) of the two radials.
  const auto angle = [&](CPoint p) {
    const double dx = p.x - cx;
    const double dy = cy - p.y;
    return (dx == 0 && dy == 0) ? 0.0 : std::atan2(rx * dy, ry * dx);
  };
  constexpr double kTwoPi = 2 * std::numbers::pi;
  const double a0 = angle(se[0]);
  double sweep = angle(se[1]) - a0;
  if (GetArcDirection() == AD_COUNTERCLOCKWISE) {
    while (sweep <= 0) sweep += kTwoPi;
  } else {
    while (sweep >= 0) sweep -= kTwoPi;
  }
  const int steps = std::clamp(static_cast<int>(std::ceil(std::fabs(sweep) * std::max(rx, ry) / 2)), 8, 2000);
  QPolygonF poly;
  for (int i = 0; i <= steps; ++i) {
    const double a = a0 + sweep * i / steps;
    poly << QPointF(cx + rx * std::cos(a) + off, cy - ry * std::sin(a) + off);
  }
  if (!BeginShape()) return;
  m_painter->setPen(pen);
  m_painter->setBrush(Qt::NoBrush);
  m_painter->drawPolyline(poly);
  End();
}

void CQtDC::DoFillRect(const CRect& rect, COLORREF color) {
  const CRect r = DeviceRect(*this, rect);
  if (r.IsRectEmpty() || OffImage(r.left, r.top, r.right, r.bottom, 1)) return;
  if (m_pixels != nullptr) {
    // Written into the image's pixels, clipped by the context's clip alone.
    // The fill waits for the next drawing: when that is a fill too, what it
    // covers of this one is never written (a repaint fills the window with
    // the surround colour, then nearly all of it with the base).
    QRect target = ToQRect(r) & QRect(0, 0, m_deviceWidth, m_deviceHeight);
    if (DeviceClip()) target &= ToQRect(*DeviceClip());
    if (target.isEmpty()) return;
    if (m_pendingFill) {
      const QRect old = m_pendingFill->rect;
      const QRect covered = old & target;
      if (covered.isEmpty()) {
        WritePixels(old, m_pendingFill->value);
      } else {
        // The bands of the old fill above, below, left and right of the new one.
        const auto write = [this](const QRect& band) {
          if (!band.isEmpty()) WritePixels(band, m_pendingFill->value);
        };
        write(QRect(QPoint(old.left(), old.top()), QPoint(old.right(), covered.top() - 1)));
        write(QRect(QPoint(old.left(), covered.bottom() + 1), QPoint(old.right(), old.bottom())));
        write(QRect(QPoint(old.left(), covered.top()), QPoint(covered.left() - 1, covered.bottom())));
        write(QRect(QPoint(covered.right() + 1, covered.top()), QPoint(old.right(), covered.bottom())));
      }
    }
    m_pendingFill = PendingFill{target, ToQColor(color).rgba()};
    return;
  }
  if (!BeginFill()) return;
  FillDeviceRect(ToQRect(r), ToQColor(color));
  End();
}

void CQtDC::DoTextOut(CPoint topLeft, const CString& text, const CRect* clip) {
  if (text.IsEmpty()) return;
  FontEntry& e = CurrentFont();
  CPoint p = topLeft;
  LPtoDP(&p);
  // Text that cannot reach the device is not laid out at all: a generous box
  // of the widest glyph per code unit around the start point is tested
  // against the painter's clip, or else the device itself.
  const double reach = e.maxWidth * text.GetLength() + e.ascent + e.descent;
  const QRectF box(p.x - reach, p.y - reach, 3 * reach, 3 * reach);
  // (A painter set directly has no clip of its own between primitives.)
  if (!m_direct && m_painter->hasClipping()) {
    if (!m_painter->clipBoundingRect().intersects(box)) return;
  } else if (m_deviceType == QInternal::Image) {
    if (!QRectF(0, 0, m_deviceWidth, m_deviceHeight).intersects(box)) return;
  } else if (const QPaintDevice* d = Device(); d && !QRectF(0, 0, d->width(), d->height()).intersects(box)) {
    return;
  }
  if (!BeginFill(clip)) return;
  if (m_direct) {
    if (m_fontSet != &e || m_fontSetGeneration != FontCacheGeneration()) {
      m_painter->setFont(e.font);
      m_fontSet = &e;
      m_fontSetGeneration = FontCacheGeneration();
    }
    m_painter->setPen(ToQColor(GetTextColor()));
    // The transform of a translation by the baseline's start followed by the
    // horizontal glyph scale.
    m_painter->setWorldTransform(QTransform(e.xScale, 0, 0, 1, p.x, p.y + e.ascent));
  } else {
    m_painter->setFont(e.font);
    m_painter->setPen(ToQColor(GetTextColor()));
    m_painter->translate(p.x, p.y + e.ascent);
    if (e.xScale != 1) m_painter->scale(e.xScale, 1);
  }
  // The laid-out text keeps its glyphs and their positions; its top edge is
  // one ascent above the baseline.
  auto it = e.texts.find(text.str());
  if (it == e.texts.end()) {
    if (e.texts.size() >= kTextCacheSize) e.texts.clear();
    QStaticText laidOut(ToQString(text));
    laidOut.setTextFormat(Qt::PlainText);
    it = e.texts.emplace(text.str(), std::move(laidOut)).first;
  }
  m_painter->drawStaticText(QPointF(0, -e.ascent), it->second);
  if (m_direct) {
    m_painter->setWorldTransform(QTransform());
    m_painter->setWorldMatrixEnabled(false);
  }
  End();
}
