// CDC: a GDI-like drawing interface, with the pen, brush and font objects it
// draws with.
//
// All the state of a device context (selected objects, colours, modes, the
// mapping from logical to device units, the current position, the clip box
// and the SaveDC stack) lives in this base class, and so does the mapping
// arithmetic, so every implementation maps and lays out text identically.
// Implementations (CRecordingDC for tests, CQtDC on a QPainter) supply only
// the primitives (the Do* hooks) and text measurement.
//
// Pens, brushes and fonts are small value objects. SelectObject copies the
// object into the context and returns the previously selected one by value,
// so a drawing routine keeps the old object and selects it back:
//
//   CPen pen(PS_SOLID, 1, color);
//   CPen oldPen = dc.SelectObject(&pen);
//   ...
//   dc.SelectObject(&oldPen);
//
// Widths and heights of pens and fonts are in logical units, like GDI's: a pen
// of width 0 is always one device pixel wide, any other width scales with the
// mapping. Arc directions are as seen on the device (y grows downwards).
#pragma once

#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_DASH = 1;
constexpr int PS_DOT = 2;
constexpr int PS_DASHDOT = 3;
constexpr int PS_DASHDOTDOT = 4;
constexpr int PS_NULL = 5;
constexpr int PS_INSIDEFRAME = 6;

// Brush styles.
constexpr int BS_SOLID = 0;
constexpr int BS_NULL = 1;
constexpr int BS_HOLLOW = BS_NULL;

// Background modes.
constexpr int TRANSPARENT = 1;
constexpr int OPAQUE = 2;

// Polygon fill modes.
constexpr int ALTERNATE = 1;
constexpr int WINDING = 2;

// Raster operations of pens and brushes (text and FillSolidRect/FillRect
// ignore them, as in GDI).
constexpr int R2_BLACK = 1;
constexpr int R2_NOT = 6;
constexpr int R2_XORPEN = 7;
constexpr int R2_NOTXORPEN = 10;
constexpr int R2_NOP = 11;
constexpr int R2_COPYPEN = 13;
constexpr int R2_WHITE = 16;

// Arc directions.
constexpr int AD_COUNTERCLOCKWISE = 1;
constexpr int AD_CLOCKWISE = 2;

// Mapping modes.
constexpr int MM_TEXT = 1;
constexpr int MM_ISOTROPIC = 7;
constexpr int MM_ANISOTROPIC = 8;

// Text alignment (SetTextAlign).
constexpr UINT TA_NOUPDATECP = 0;
constexpr UINT TA_UPDATECP = 1;
constexpr UINT TA_LEFT = 0;
constexpr UINT TA_RIGHT = 2;
constexpr UINT TA_CENTER = 6;
constexpr UINT TA_TOP = 0;
constexpr UINT TA_BOTTOM = 8;
constexpr UINT TA_BASELINE = 24;

// DrawText formats.
constexpr UINT DT_TOP = 0x0000;
constexpr UINT DT_LEFT = 0x0000;
constexpr UINT DT_CENTER = 0x0001;
constexpr UINT DT_RIGHT = 0x0002;
constexpr UINT DT_VCENTER = 0x0004;
constexpr UINT DT_BOTTOM = 0x0008;
constexpr UINT DT_WORDBREAK = 0x0010;
constexpr UINT DT_SINGLELINE = 0x0020;
constexpr UINT DT_EXPANDTABS = 0x0040;
constexpr UINT DT_NOCLIP = 0x0100;
constexpr UINT DT_EXTERNALLEADING = 0x0200;
constexpr UINT DT_CALCRECT = 0x0400;
constexpr UINT DT_NOPREFIX = 0x0800;
constexpr UINT DT_END_ELLIPSIS = 0x8000;

// ExtTextOut options.
constexpr UINT ETO_OPAQUE = 0x0002;
constexpr UINT ETO_CLIPPED = 0x0004;

// Font weights, character sets, precisions, qualities, pitches and families.
constexpr int FW_DONTCARE = 0;
constexpr int FW_THIN = 100;
constexpr int FW_LIGHT = 300;
constexpr int FW_NORMAL = 400;
constexpr int FW_MEDIUM = 500;
constexpr int FW_SEMIBOLD = 600;
constexpr int FW_BOLD = 700;
constexpr int FW_HEAVY = 900;
constexpr int FW_BLACK = 900;
constexpr BYTE ANSI_CHARSET = 0;
constexpr BYTE DEFAULT_CHARSET = 1;
constexpr BYTE SYMBOL_CHARSET = 2;
constexpr BYTE GB2312_CHARSET = 134;
constexpr BYTE CHINESEBIG5_CHARSET = 136;
constexpr BYTE OUT_DEFAULT_PRECIS = 0;
constexpr BYTE OUT_TT_PRECIS = 4;
constexpr BYTE CLIP_DEFAULT_PRECIS = 0;
constexpr BYTE DEFAULT_QUALITY = 0;
constexpr BYTE PROOF_QUALITY = 2;
constexpr BYTE DEFAULT_PITCH = 0;
constexpr BYTE FIXED_PITCH = 1;
constexpr BYTE VARIABLE_PITCH = 2;
constexpr BYTE FF_DONTCARE = 0x00;
constexpr BYTE FF_ROMAN = 0x10;
constexpr BYTE FF_SWISS = 0x20;
constexpr BYTE FF_MODERN = 0x30;
constexpr BYTE FF_SCRIPT = 0x40;
constexpr BYTE FF_DECORATIVE = 0x50;

// GetDeviceCaps indices.
constexpr int HORZRES = 8;
constexpr int VERTRES = 10;
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// a * b / c rounded half away from zero in 64 bits; -1 when c is 0 or the
// result does not fit an int.
int MulDiv(int a, int b, int c);

// A font as it was asked for. Heights: > 0 the character cell height
// (ascent + descent), < 0 the em height, 0 a default height. Width: the
// average character width, 0 for the face's natural width.
struct LOGFONT {
  LONG lfHeight = 0;
  LONG lfWidth = 0;
  LONG lfEscapement = 0;   // kept, not rendered
  LONG lfOrientation = 0;  // kept, not rendered
  LONG lfWeight = 0;
  BYTE lfItalic = 0;
  BYTE lfUnderline = 0;
  BYTE lfStrikeOut = 0;
  BYTE lfCharSet = DEFAULT_CHARSET;
  BYTE lfOutPrecision = OUT_DEFAULT_PRECIS;
  BYTE lfClipPrecision = CLIP_DEFAULT_PRECIS;
  BYTE lfQuality = DEFAULT_QUALITY;
  BYTE lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  CString lfFaceName;
  friend bool operator==(const LOGFONT&, const LOGFONT&) = default;
};

// Metrics of the selected font, in logical units.
struct TEXTMETRIC {
  LONG tmHeight = 0;  // ascent + descent
  LONG tmAscent = 0;
  LONG tmDescent = 0;
  LONG tmInternalLeading = 0;
  LONG tmExternalLeading = 0;
  LONG tmAveCharWidth = 0;
  LONG tmMaxCharWidth = 0;
  LONG tmWeight = 0;
};

class CDC;

class CPen {
 public:
  CPen() = default;  // the stock black pen: solid, width 0 (one pixel)
  CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
  // Widths below 0 count as 0; styles other than solid and null on a pen
  // wider than 1 draw solid, as in GDI.
  BOOL CreatePen(int style, int width, COLORREF color);
  BOOL DeleteObject();  // back to the stock black pen
  static CPen Null() { return CPen(PS_NULL, 0, 0); }

  int GetStyle() const { return m_style; }
  int GetWidth() const { return m_width; }
  COLORREF GetColor() const { return m_color; }
  bool IsNull() const { return m_style == PS_NULL; }
  friend bool operator==(const CPen&, const CPen&) = default;

 private:
  int m_style = PS_SOLID;
  int m_width = 0;
  COLORREF m_color = 0;
};

class CBrush {
 public:
  CBrush() = default;  // the stock white brush
  explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
  BOOL CreateSolidBrush(COLORREF color);
  BOOL DeleteObject();  // back to the stock white brush
  static CBrush Null();

  int GetStyle() const { return m_style; }
  COLORREF GetColor() const { return m_color; }
  bool IsNull() const { return m_style == BS_NULL; }
  friend bool operator==(const CBrush&, const CBrush&) = default;

 private:
  int m_style = BS_SOLID;
  COLORREF m_color = RGB(255, 255, 255);
};

class CFont {
 public:
  CFont();  // the default font: "Arial", height 16, weight 400
  BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                  BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                  BYTE nQuality, BYTE nPitchAndFamily, const CString& faceName);
  BOOL CreateFontIndirect(const LOGFONT* lf);
  // Point size in tenths of a point, at the context's LOGPIXELSY and mapping
  // (96 dots per inch without a context).
  BOOL CreatePointFont(int pointSizeTenths, const CString& faceName, const CDC* dc = nullptr);
  BOOL DeleteObject();  // back to the default font

  int GetLogFont(LOGFONT* lf) const;
  const LOGFONT& GetLogFont() const { return m_lf; }
  friend bool operator==(const CFont&, const CFont&) = default;

 private:
  LOGFONT m_lf;
};

class CDC {
 public:
  CDC();
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  // Objects. Selecting copies the object in and returns the one it replaces;
  // a null pointer selects nothing and returns the current object.
  CPen SelectObject(const CPen* pen);
  CPen SelectObject(const CPen& pen) { return SelectObject(&pen); }
  CBrush SelectObject(const CBrush* brush);
  CBrush SelectObject(const CBrush& brush) { return SelectObject(&brush); }
  CFont SelectObject(const CFont* font);
  CFont SelectObject(const CFont& font) { return SelectObject(&font); }
  const CPen& GetCurrentPen() const { return m_state.pen; }
  const CBrush& GetCurrentBrush() const { return m_state.brush; }
  const CFont& GetCurrentFont() const { return m_state.font; }

  // Colours and modes; each setter returns the previous value.
  COLORREF SetTextColor(COLORREF color);
  COLORREF GetTextColor() const { return m_state.textColor; }
  COLORREF SetBkColor(COLORREF color);
  COLORREF GetBkColor() const { return m_state.bkColor; }
  int SetBkMode(int mode);  // TRANSPARENT or OPAQUE
  int GetBkMode() const { return m_state.bkMode; }
  UINT SetTextAlign(UINT flags);
  UINT GetTextAlign() const { return m_state.textAlign; }
  int SetPolyFillMode(int mode);  // ALTERNATE or WINDING
  int GetPolyFillMode() const { return m_state.polyFillMode; }
  int SetROP2(int rop);
  int GetROP2() const { return m_state.rop2; }
  int SetArcDirection(int direction);  // AD_COUNTERCLOCKWISE or AD_CLOCKWISE
  int GetArcDirection() const { return m_state.arcDirection; }

  // Mapping: device = (logical - window origin) * viewport extent / window
  // extent + viewport origin, rounded half away from zero. MM_TEXT keeps both
  // extents at 1 and ignores the extent setters; MM_ISOTROPIC shrinks one
  // viewport extent so that both axes scale alike. Zero extents are refused.
  int SetMapMode(int mode);
  int GetMapMode() const { return m_state.mapMode; }
  CPoint SetWindowOrg(int x, int y);
  CPoint SetWindowOrg(CPoint pt) { return SetWindowOrg(pt.x, pt.y); }
  CPoint OffsetWindowOrg(int dx, int dy);
  CPoint GetWindowOrg() const { return m_state.windowOrg; }
  CSize SetWindowExt(int cx, int cy);
  CSize SetWindowExt(CSize size) { return SetWindowExt(size.cx, size.cy); }
  CSize GetWindowExt() const { return m_state.windowExt; }
  CPoint SetViewportOrg(int x, int y);
  CPoint SetViewportOrg(CPoint pt) { return SetViewportOrg(pt.x, pt.y); }
  CPoint OffsetViewportOrg(int dx, int dy);
  CPoint GetViewportOrg() const { return m_state.viewportOrg; }
  CSize SetViewportExt(int cx, int cy);
  CSize SetViewportExt(CSize size) { return SetViewportExt(size.cx, size.cy); }
  CSize GetViewportExt() const { return m_state.viewportExt; }

  void LPtoDP(CPoint* points, int count = 1) const;
  void LPtoDP(CRect* rect) const;
  void LPtoDP(CSize* size) const;  // a distance: origins do not apply
  void DPtoLP(CPoint* points, int count = 1) const;
  void DPtoLP(CRect* rect) const;
  void DPtoLP(CSize* size) const;
  // Scale factors device / logical (signed).
  double ScaleX() const;
  double ScaleY() const;

  // Lines and shapes, in logical units with the selected pen and brush.
  CPoint MoveTo(int x, int y);
  CPoint MoveTo(CPoint pt) { return MoveTo(pt.x, pt.y); }
  CPoint GetCurrentPosition() const { return m_state.currentPos; }
  BOOL LineTo(int x, int y);
  BOOL LineTo(CPoint pt) { return LineTo(pt.x, pt.y); }
  BOOL Polyline(const CPoint* points, int count);
  BOOL Polyline(std::initializer_list<CPoint> points);
  BOOL Polygon(const CPoint* points, int count);
  BOOL Polygon(std::initializer_list<CPoint> points);
  // Rectangles and ellipses exclude their right and bottom edges.
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const CRect& rect);
  BOOL Ellipse(int left, int top, int right, int bottom);
  BOOL Ellipse(const CRect& rect);
  // The arc of the ellipse in box from its radial through start to its radial
  // through end, in the arc direction; equal radials give the whole ellipse.
  BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL Arc(const CRect& box, CPoint start, CPoint end);
  // As Arc, after a line from the current position to the arc's start; the
  // current position moves to the arc's end.
  BOOL ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  BOOL ArcTo(const CRect& box, CPoint start, CPoint end);

  // Fills that ignore the pen and the raster operation.
  void FillSolidRect(const CRect& rect, COLORREF color);
  void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
  void FillRect(const CRect& rect, const CBrush* brush);
  void FrameRect(const CRect& rect, const CBrush* brush);  // a border one logical unit wide
  void Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight);
  void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);

  // Text in the selected font and text colour; OPAQUE mode fills the text's
  // box with the background colour first.
  BOOL TextOut(int x, int y, const CString& text);
  BOOL ExtTextOut(int x, int y, UINT options, const CRect* rect, const CString& text);
  // Lines split at line feeds (CR LF, LF or CR) unless DT_SINGLELINE; DT_WORDBREAK
  // wraps at blanks and between CJK characters. Returns the text height (with
  // DT_VCENTER or DT_BOTTOM: the offset from the top to the text's bottom);
  // DT_CALCRECT only measures, setting right to the widest line and bottom to
  // the last line.
  int DrawText(const CString& text, CRect* rect, UINT format);
  CSize GetTextExtent(const CString& text) const;
  BOOL GetTextMetrics(TEXTMETRIC* metrics) const;
  // Whether a UTF-16 code unit is a wide (CJK) character, two cells wide.
  static bool IsWideChar(char16_t ch);

  // Clipping, in logical units (kept as a device rectangle).
  int IntersectClipRect(const CRect& rect);
  int IntersectClipRect(int left, int top, int right, int bottom) {
    return IntersectClipRect(CRect(left, top, right, bottom));
  }
  void ResetClip();
  int GetClipBox(CRect* rect) const;  // logical; no clip gives the device's extent
  // Whether drawing inside rect (logical) could change what the device
  // shows: false only when the context knows the rectangle to lie wholly
  // outside its device or its clip. Drawing code asks before it forms texts
  // (or other things that take time to make) that could not show. A context
  // without a device of its own to judge by answers true.
  virtual bool MayShow(const CRect& rect) const { return true; }

  // SaveDC returns the new depth (1 for the first); RestoreDC(-1) restores the
  // latest, RestoreDC(n) the state saved as depth n (dropping those above).
  int SaveDC();
  BOOL RestoreDC(int saved);

  // LOGPIXELSX/Y, HORZRES, VERTRES of the device.
  virtual int GetDeviceCaps(int index) const = 0;

 protected:
  // The device clip rectangle, if any.
  const std::optional<CRect>& DeviceClip() const { return m_state.clip; }
  // A pen width in device pixels (0 stays 1 pixel).
  int PenWidthToDevice(int width) const;

  // Primitives, in logical units, with the current state. Implementations
  // read pen, brush, colours and modes through the accessors above.
  virtual void DoLine(CPoint from, CPoint to) {
    const CPoint pts[2] = {from, to};
    DoPolyline(pts, 2);
  }
  virtual void DoPolyline(const CPoint* points, int count) = 0;
  virtual void DoPolygon(const CPoint* points, int count) = 0;
  virtual void DoRectangle(const CRect& rect) = 0;
  virtual void DoEllipse(const CRect& rect) = 0;
  virtual void DoArc(const CRect& box, CPoint start, CPoint end) = 0;
  // Solid fill of a normalised rectangle, ignoring the raster operation.
  virtual void DoFillRect(const CRect& rect, COLORREF color) = 0;
  // Glyphs only (no background) with the top-left corner of the text's box at
  // topLeft, clipped to clip when given (logical).
  virtual void DoTextOut(CPoint topLeft, const CString& text, const CRect* clip) = 0;
  virtual CSize DoGetTextExtent(const CString& text) const = 0;
  virtual void DoGetTextMetrics(TEXTMETRIC* metrics) const = 0;

 private:
  struct State {
    CPen pen;
    CBrush brush;
    CFont font;
    COLORREF textColor = 0;
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int polyFillMode = ALTERNATE;
    int rop2 = R2_COPYPEN;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int mapMode = MM_TEXT;
    CPoint windowOrg;
    CSize windowExt{1, 1};
    CPoint viewportOrg;
    CSize viewportExt{1, 1};
    CPoint currentPos;
    std::optional<CRect> clip;
  };

  void FixIsotropic();
  CPoint RadialPoint(const CRect& box, CPoint through) const;
  void TextRun(CPoint topLeft, const CString& text, const CRect* clip);

  State m_state;
  std::vector<State> m_saved;
};
