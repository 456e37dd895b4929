// CQtDC: the CDC drawing interface on a QPainter, for widgets, QImages and
// QPrinters.
//
// Points are mapped to device pixels by CDC's own arithmetic and drawn with
// the painter's antialiasing off, so lines and fills land on the same pixels
// as GDI's: one-pixel lines leave out their last pixel, wider pens have round
// caps and joins, and a zero-length line with a wide pen is a round dot.
// Raster operations other than R2_COPYPEN need a raster device (QImage or a
// widget); a printer draws them as R2_COPYPEN.
//
// Fonts: a positive height is the character cell (ascent + descent), a
// negative one the em height; a nonzero width scales the glyphs horizontally
// so that the font's average character width becomes that width. A fixed
// pitch request gets a fixed-pitch face when the named face is proportional
// (GDI's font mapper weighs the pitch above the face name).
//
// On a raster painter without a clip or transform of its own (the usual
// case: the context's own painter on an image or a widget) each primitive
// sets the raster operation, clip, pen and font it needs directly rather than
// saving and restoring the painter around itself; what is drawn is the same.
// On an image, primitives that cannot reach the image or the clip are left out
// before any painter work.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRect>
#include <QStaticText>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/cdc.h"

class QPaintDevice;
class QPen;

class CQtDC : public CDC {
 public:
  // Begins a painter of its own on device, ended when the context goes.
  explicit CQtDC(QPaintDevice* device);
  // Draws with an active painter owned by the caller (a paint event's); the
  // painter's state is saved here and restored when the context goes.
  explicit CQtDC(QPainter* painter);
  ~CQtDC() override;

  int GetDeviceCaps(int index) const override;
  // False for a rectangle wholly outside the image and the clip of a painter
  // set directly (see above); true on other painters and devices.
  bool MayShow(const CRect& rect) const override;

 protected:
  void DoPolyline(const CPoint* points, int count) override;
  void DoPolygon(const CPoint* points, int count) override;
  void DoRectangle(const CRect& rect) override;
  void DoEllipse(const CRect& rect) override;
  void DoArc(const CRect& box, CPoint start, CPoint end) override;
  void DoFillRect(const CRect& rect, COLORREF color) override;
  void DoTextOut(CPoint topLeft, const CString& text, const CRect* clip) override;
  CSize DoGetTextExtent(const CString& text) const override;
  void DoGetTextMetrics(TEXTMETRIC* metrics) const override;

 private:
  // A font as drawn on one kind of device, kept for the thread's later
  // contexts with the advances and laid-out forms of the texts drawn in it
  // (a repaint draws the same short labels over and over).
  struct FontEntry {
    LOGFONT lf;
    double scaleX = 1;
    double scaleY = 1;
    int dpiX = 0;
    int dpiY = 0;
    QFont font;
    std::optional<QFontMetricsF> metrics;
    // Keyed by the text's own code units, so that a text met before costs no
    // conversion.
    std::unordered_map<std::u16string, double> advances;
    std::unordered_map<std::u16string, QStaticText> texts;
    double xScale = 1;  // horizontal glyph scale for the requested width
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    double avgWidth = 0;  // after xScale
    double maxWidth = 0;  // after xScale
  };

  FontEntry& CurrentFont() const;
  static std::vector<std::unique_ptr<FontEntry>>& FontCache();
  // Counts the times the thread's font cache was emptied (its entries gone).
  static unsigned& FontCacheGeneration();
  QPaintDevice* Device() const;
  void NoteDevice();
  // Sets the raster operation and clip for a pen or brush shape (saving the
  // painter first unless it is set directly); false (nothing saved) when the
  // operation or the clip draws nothing.
  bool BeginShape(const CRect* extraClip = nullptr);
  bool BeginFill(const CRect* extraClip = nullptr);
  bool BeginState(QPainter::CompositionMode mode, const CRect* extraClip);
  void End();
  void ApplyClip(const CRect* extraClip);
  // Whether a device box (inclusive), grown by reach pixels on every side,
  // lies wholly outside the image or the context's clip (false on other
  // devices, and on painters whose state is saved and restored).
  bool OffImage(int left, int top, int right, int bottom, int reach) const;
  // The same for the box of logical points, tested before any of them is
  // copied or mapped: the mapping keeps the order of the coordinates along
  // each axis, so the mapped box is the box of the mapped points.
  bool OffImageLogical(const CPoint* points, size_t count, int reach) const;
  QPen DevicePen(double* offset) const;
  COLORREF PenColor() const;
  COLORREF BrushColor() const;
  void DrawDot(CPoint device, int width);
  // The painter's fillRect of a device rectangle with the current
  // composition mode and clip.
  void FillDeviceRect(const QRect& rect, const QColor& color);
  // Writes an opaque value into the image's pixels of a rectangle (inside
  // the image).
  void WritePixels(const QRect& rect, quint32 value);
  // Writes the fill that waits for the next drawing, if any.
  void FlushFill();
  bool FillsStandInForShapes() const;
  bool WellInside(const CPoint* points, size_t count) const;
  bool CanFillThinLines() const;
  bool ClipsLinesLikeFills() const;
  bool FillRectanglePolygon(const std::vector<CPoint>& dev);
  bool FillOrthogonalPolyline(const std::vector<CPoint>& dev);
  bool FillOrthogonalPolylineInPieces(const std::vector<CPoint>& dev);
  void DrawInPieces(const std::vector<CPoint>& dev);
  void DrawQtPolyline(const std::vector<CPoint>& dev);

  std::unique_ptr<QPainter> m_owned;
  QPainter* m_painter = nullptr;
  // Whether primitives set the painter's state directly (see above), and the
  // state they last set: composition mode, clip (none: no clipping), font.
  bool m_direct = false;
  QPainter::CompositionMode m_modeSet = QPainter::CompositionMode_SourceOver;
  std::optional<QRect> m_clipSet;
  const FontEntry* m_fontSet = nullptr;
  unsigned m_fontSetGeneration = 0;
  // The device as it was when the context began (it does not change while
  // the painter is active).
  int m_deviceType = 0;
  int m_deviceWidth = 0;
  int m_deviceHeight = 0;
  int m_dpiX = 0;
  int m_dpiY = 0;
  bool m_raster = false;
  // The last font looked up, while the cache still holds it.
  mutable FontEntry* m_lastFont = nullptr;
  mutable unsigned m_lastFontGeneration = 0;
  std::vector<CPoint> m_points;  // device points of the primitive being drawn
  // The pixels opaque fills are written into (null: the painter fills).
  uchar* m_pixels = nullptr;
  qsizetype m_bytesPerLine = 0;
  // A fill of the context written into the pixels when the next drawing
  // comes (inside the image and the clip).
  struct PendingFill {
    QRect rect;
    quint32 value = 0;
  };
  std::optional<PendingFill> m_pendingFill;
};
