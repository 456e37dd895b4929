#include "platform/cdc.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kMaxPenWidth = 10000;

// Products of coordinates and extents need more than 64 bits in the worst case.
using Wide = __int128;

Wide Abs(Wide v) {
  return v < 0 ? -v : v;
}

// n / d rounded half away from zero (d != 0).
Wide RoundDivWide(Wide n, Wide d) {
  Wide q = n / d;
  const Wide r = n % d;
  if (2 * Abs(r) >= Abs(d)) q += ((n < 0) != (d < 0)) ? -1 : 1;
  return q;
}

// n / d rounded half away from zero, saturated to the int range.
int RoundDiv(Wide n, Wide d) {
  if (d == 0) return 0;
  const Wide q = RoundDivWide(n, d);
  if (q > INT_MAX) return INT_MAX;
  if (q < INT_MIN) return INT_MIN;
  return static_cast<int>(q);
}

// (v - origin) * num / den rounded half away from zero and saturated, as
// RoundDiv does it, in 64 bits where the product fits (every mapping of
// coordinates a drawing meets).
int MapCoordinate(int v, int origin, int num, int den) {
  const long long diff = static_cast<long long>(v) - origin;
  long long product = 0;
  if (den == 0 || __builtin_mul_overflow(diff, static_cast<long long>(num), &product))
    return RoundDiv(static_cast<Wide>(diff) * num, den);
  long long q = product / den;
  const long long r = product % den;
  // |r| < |den| <= 2^31, so 2 |r| cannot overflow.
  if (2 * std::llabs(r) >= std::llabs(static_cast<long long>(den)))
    q += ((product < 0) != (den < 0)) ? -1 : 1;
  if (q > INT_MAX) return INT_MAX;
  if (q < INT_MIN) return INT_MIN;
  return static_cast<int>(q);
}

// v - origin + offset, the difference saturated to the int range as
// MapCoordinate saturates it: the mapping of a coordinate when both extents
// of its axis are equal.
int ShiftCoordinate(int v, int origin, int offset) {
  const long long diff = static_cast<long long>(v) - origin;
  return static_cast<int>(std::clamp<long long>(diff, INT_MIN, INT_MAX)) + offset;
}

int Sign(int v) {
  return v < 0 ? -1 : 1;
}

CRect Normalized(CRect r) {
  r.NormalizeRect();
  return r;
}

// "&&" becomes "&"; a single '&' (the mnemonic marker) is dropped.
CString StripPrefix(const CString& text) {
  std::u16string out;
  const std::u16string& s = text.str();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'&') {
      if (i + 1 < s.size()) out += s[++i];
      continue;
    }
    out += s[i];
  }
  return CString(std::move(out));
}

CString ExpandTabs(const CString& line) {
  std::u16string out;
  for (char16_t ch : line.str()) {
    if (ch == u'\t') {
      do out += u' ';
      while (out.size() % 8 != 0);
    } else {
      out += ch;
    }
  }
  return CString(std::move(out));
}

std::vector<CString> SplitLines(const CString& text) {
  std::vector<CString> lines;
  std::u16string cur;
  const std::u16string& s = text.str();
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == u'\r' || s[i] == u'\n') {
      if (s[i] == u'\r' && i + 1 < s.size() && s[i + 1] == u'\n') ++i;
      lines.emplace_back(std::move(cur));
      cur.clear();
    } else {
      cur += s[i];
    }
  }
  lines.emplace_back(std::move(cur));
  return lines;
}

CString TrimmedRight(CString s) {
  s.TrimRight(u' ');
  return s;
}

// Appends line to out, broken into lines no wider than width where it can be:
// after a run of blanks, and on both sides of a CJK character.
void WrapLine(const CDC& dc, const CString& line, int width, std::vector<CString>& out) {
  const std::u16string& s = line.str();
  CString cur;
  size_t i = 0;
  bool any = false;
  while (i < s.size()) {
    size_t j = i;
    if (CDC::IsWideChar(s[j])) {
      ++j;
    } else {
      while (j < s.size() && s[j] != u' ' && !CDC::IsWideChar(s[j])) ++j;
    }
    while (j < s.size() && s[j] == u' ') ++j;
    const CString token(s.substr(i, j - i));
    const CString candidate = cur + token;
    if (!cur.IsEmpty() && dc.GetTextExtent(TrimmedRight(candidate)).cx > width) {
      out.push_back(TrimmedRight(cur));
      any = true;
      cur = token;
    } else {
      cur = candidate;
    }
    i = j;
  }
  if (!any || !cur.IsEmpty()) out.push_back(TrimmedRight(cur));
}

}  // namespace

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const Wide q = RoundDivWide(static_cast<Wide>(a) * b, c);
  return q > INT_MAX || q < INT_MIN ? -1 : static_cast<int>(q);
}

// ---- CPen, CBrush, CFont ----------------------------------------------------

BOOL CPen::CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) style = PS_SOLID;
  width = width < 0 ? 0 : width > kMaxPenWidth ? kMaxPenWidth : width;
  if (width > 1 && style != PS_NULL) style = PS_SOLID;
  m_style = style;
  m_width = width;
  m_color = color & 0x00FFFFFF;
  return TRUE;
}

BOOL CPen::DeleteObject() {
  *this = CPen();
  return TRUE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
  m_style = BS_SOLID;
  m_color = color & 0x00FFFFFF;
  return TRUE;
}

BOOL CBrush::DeleteObject() {
  *this = CBrush();
  return TRUE;
}

CBrush CBrush::Null() {
  CBrush b;
  b.m_style = BS_NULL;
  b.m_color = 0;
  return b;
}

CFont::CFont() {
  m_lf.lfHeight = 16;
  m_lf.lfWeight = FW_NORMAL;
  m_lf.lfFaceName = u"Arial";
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision,
                       BYTE nClipPrecision, BYTE nQuality, BYTE nPitchAndFamily, const CString& faceName) {
  LOGFONT lf;
  lf.lfHeight = nHeight;
  lf.lfWidth = nWidth;
  lf.lfEscapement = nEscapement;
  lf.lfOrientation = nOrientation;
  lf.lfWeight = nWeight;
  lf.lfItalic = bItalic;
  lf.lfUnderline = bUnderline;
  lf.lfStrikeOut = cStrikeOut;
  lf.lfCharSet = nCharSet;
  lf.lfOutPrecision = nOutPrecision;
  lf.lfClipPrecision = nClipPrecision;
  lf.lfQuality = nQuality;
  lf.lfPitchAndFamily = nPitchAndFamily;
  lf.lfFaceName = faceName;
  return CreateFontIndirect(&lf);
}

BOOL CFont::CreateFontIndirect(const LOGFONT* lf) {
  if (!lf) return FALSE;
  m_lf = *lf;
  // Sizes beyond any screen or page only cost time and memory when drawn.
  constexpr LONG kMaxSize = 16384;
  m_lf.lfHeight = std::clamp(m_lf.lfHeight, -kMaxSize, kMaxSize);
  m_lf.lfWidth = std::clamp(m_lf.lfWidth, 0, kMaxSize);
  m_lf.lfWeight = std::clamp(m_lf.lfWeight, 0, 1000);
  if (m_lf.lfFaceName.GetLength() > 31) m_lf.lfFaceName = m_lf.lfFaceName.Left(31);
  return TRUE;
}

BOOL CFont::CreatePointFont(int pointSizeTenths, const CString& faceName, const CDC* dc) {
  int height = MulDiv(pointSizeTenths, dc ? dc->GetDeviceCaps(LOGPIXELSY) : 96, 720);
  if (height < 0) height = 0;
  if (dc) {
    CSize size(0, height);
    dc->DPtoLP(&size);
    height = std::abs(size.cy);
  }
  LOGFONT lf;
  lf.lfHeight = -height;
  lf.lfWeight = FW_NORMAL;
  lf.lfFaceName = faceName;
  return CreateFontIndirect(&lf);
}

BOOL CFont::DeleteObject() {
  *this = CFont();
  return TRUE;
}

int CFont::GetLogFont(LOGFONT* lf) const {
  if (!lf) return 0;
  *lf = m_lf;
  return static_cast<int>(sizeof(LOGFONT));
}

// ---- CDC: objects and modes -------------------------------------------------

CDC::CDC() = default;
CDC::~CDC() = default;

CPen CDC::SelectObject(const CPen* pen) {
  CPen old = m_state.pen;
  if (pen) m_state.pen = *pen;
  return old;
}

CBrush CDC::SelectObject(const CBrush* brush) {
  CBrush old = m_state.brush;
  if (brush) m_state.brush = *brush;
  return old;
}

CFont CDC::SelectObject(const CFont* font) {
  CFont old = m_state.font;
  if (font) m_state.font = *font;
  return old;
}

COLORREF CDC::SetTextColor(COLORREF color) {
  return std::exchange(m_state.textColor, color & 0x00FFFFFF);
}
COLORREF CDC::SetBkColor(COLORREF color) {
  return std::exchange(m_state.bkColor, color & 0x00FFFFFF);
}

int CDC::SetBkMode(int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return std::exchange(m_state.bkMode, mode);
}

UINT CDC::SetTextAlign(UINT flags) {
  return std::exchange(m_state.textAlign, flags);
}

int CDC::SetPolyFillMode(int mode) {
  if (mode != ALTERNATE && mode != WINDING) return 0;
  return std::exchange(m_state.polyFillMode, mode);
}

int CDC::SetROP2(int rop) {
  if (rop < R2_BLACK || rop > R2_WHITE) return 0;
  return std::exchange(m_state.rop2, rop);
}

int CDC::SetArcDirection(int direction) {
  if (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE) return 0;
  return std::exchange(m_state.arcDirection, direction);
}

// ---- CDC: mapping -----------------------------------------------------------

int CDC::SetMapMode(int mode) {
  if (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC) return 0;
  const int old = std::exchange(m_state.mapMode, mode);
  if (mode == MM_TEXT) {
    m_state.windowExt = CSize(1, 1);
    m_state.viewportExt = CSize(1, 1);
  } else if (mode == MM_ISOTROPIC) {
    FixIsotropic();
  }
  return old;
}

CPoint CDC::SetWindowOrg(int x, int y) {
  return std::exchange(m_state.windowOrg, CPoint(x, y));
}
CPoint CDC::OffsetWindowOrg(int dx, int dy) {
  return SetWindowOrg(m_state.windowOrg.x + dx, m_state.windowOrg.y + dy);
}
CPoint CDC::SetViewportOrg(int x, int y) {
  return std::exchange(m_state.viewportOrg, CPoint(x, y));
}
CPoint CDC::OffsetViewportOrg(int dx, int dy) {
  return SetViewportOrg(m_state.viewportOrg.x + dx, m_state.viewportOrg.y + dy);
}

CSize CDC::SetWindowExt(int cx, int cy) {
  const CSize old = m_state.windowExt;
  if (m_state.mapMode == MM_TEXT || cx == 0 || cy == 0) return old;
  m_state.windowExt = CSize(cx, cy);
  if (m_state.mapMode == MM_ISOTROPIC) FixIsotropic();
  return old;
}

CSize CDC::SetViewportExt(int cx, int cy) {
  const CSize old = m_state.viewportExt;
  if (m_state.mapMode == MM_TEXT || cx == 0 || cy == 0) return old;
  m_state.viewportExt = CSize(cx, cy);
  if (m_state.mapMode == MM_ISOTROPIC) FixIsotropic();
  return old;
}

// Shrinks the viewport extent of the axis with the larger scale so that one
// logical unit is as long on both axes; the signs stay.
void CDC::FixIsotropic() {
  CSize& we = m_state.windowExt;
  CSize& ve = m_state.viewportExt;
  const long long ax = std::llabs(ve.cx) * std::llabs(we.cy);
  const long long ay = std::llabs(ve.cy) * std::llabs(we.cx);
  if (ax > ay) {
    const int v = std::max(1, RoundDiv(std::llabs(we.cx) * std::llabs(ve.cy), std::llabs(we.cy)));
    ve.cx = Sign(ve.cx) * v;
  } else if (ay > ax) {
    const int v = std::max(1, RoundDiv(std::llabs(we.cy) * std::llabs(ve.cx), std::llabs(we.cx)));
    ve.cy = Sign(ve.cy) * v;
  }
}

void CDC::LPtoDP(CPoint* points, int count) const {
  if (!points) return;
  const State& s = m_state;
  // One logical unit to one pixel (a view at zoom 1): a plain shift.
  if (s.viewportExt == s.windowExt) {
    for (int i = 0; i < count; ++i) {
      CPoint& p = points[i];
      p.x = ShiftCoordinate(p.x, s.windowOrg.x, s.viewportOrg.x);
      p.y = ShiftCoordinate(p.y, s.windowOrg.y, s.viewportOrg.y);
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    CPoint& p = points[i];
    p.x = MapCoordinate(p.x, s.windowOrg.x, s.viewportExt.cx, s.windowExt.cx) + s.viewportOrg.x;
    p.y = MapCoordinate(p.y, s.windowOrg.y, s.viewportExt.cy, s.windowExt.cy) + s.viewportOrg.y;
  }
}

void CDC::DPtoLP(CPoint* points, int count) const {
  if (!points) return;
  const State& s = m_state;
  if (s.viewportExt == s.windowExt) {
    for (int i = 0; i < count; ++i) {
      CPoint& p = points[i];
      p.x = ShiftCoordinate(p.x, s.viewportOrg.x, s.windowOrg.x);
      p.y = ShiftCoordinate(p.y, s.viewportOrg.y, s.windowOrg.y);
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    CPoint& p = points[i];
    p.x = MapCoordinate(p.x, s.viewportOrg.x, s.windowExt.cx, s.viewportExt.cx) + s.windowOrg.x;
    p.y = MapCoordinate(p.y, s.viewportOrg.y, s.windowExt.cy, s.viewportExt.cy) + s.windowOrg.y;
  }
}

void CDC::LPtoDP(CRect* rect) const {
  if (!rect) return;
  CPoint pts[2] = {rect->TopLeft(), rect->BottomRight()};
  LPtoDP(pts, 2);
  *rect = CRect(pts[0], pts[1]);
}

void CDC::DPtoLP(CRect* rect) const {
  if (!rect) return;
  CPoint pts[2] = {rect->TopLeft(), rect->BottomRight()};
  DPtoLP(pts, 2);
  *rect = CRect(pts[0], pts[1]);
}

void CDC::LPtoDP(CSize* size) const {
  if (!size) return;
  size->cx = RoundDiv(static_cast<Wide>(size->cx) * m_state.viewportExt.cx, m_state.windowExt.cx);
  size->cy = RoundDiv(static_cast<Wide>(size->cy) * m_state.viewportExt.cy, m_state.windowExt.cy);
}

void CDC::DPtoLP(CSize* size) const {
  if (!size) return;
  size->cx = RoundDiv(static_cast<Wide>(size->cx) * m_state.windowExt.cx, m_state.viewportExt.cx);
  size->cy = RoundDiv(static_cast<Wide>(size->cy) * m_state.windowExt.cy, m_state.viewportExt.cy);
}

double CDC::ScaleX() const {
  return static_cast<double>(m_state.viewportExt.cx) / m_state.windowExt.cx;
}
double CDC::ScaleY() const {
  return static_cast<double>(m_state.viewportExt.cy) / m_state.windowExt.cy;
}

int CDC::PenWidthToDevice(int width) const {
  if (width <= 0) return 1;
  const double w = std::round(width * std::fabs(ScaleX()));
  return w < 1 ? 1 : w > kMaxPenWidth ? kMaxPenWidth : static_cast<int>(w);
}

// ---- CDC: lines and shapes --------------------------------------------------

CPoint CDC::MoveTo(int x, int y) {
  return std::exchange(m_state.currentPos, CPoint(x, y));
}

BOOL CDC::LineTo(int x, int y) {
  const CPoint from = m_state.currentPos;
  m_state.currentPos = CPoint(x, y);
  DoLine(from, m_state.currentPos);
  return TRUE;
}

BOOL CDC::Polyline(const CPoint* points, int count) {
  if (!points || count < 2) return FALSE;
  DoPolyline(points, count);
  return TRUE;
}

BOOL CDC::Polyline(std::initializer_list<CPoint> points) {
  return Polyline(points.begin(), static_cast<int>(points.size()));
}

BOOL CDC::Polygon(const CPoint* points, int count) {
  if (!points || count < 2) return FALSE;
  DoPolygon(points, count);
  return TRUE;
}

BOOL CDC::Polygon(std::initializer_list<CPoint> points) {
  return Polygon(points.begin(), static_cast<int>(points.size()));
}

BOOL CDC::Rectangle(int left, int top, int right, int bottom) {
  DoRectangle(Normalized(CRect(left, top, right, bottom)));
  return TRUE;
}

BOOL CDC::Rectangle(const CRect& rect) {
  return Rectangle(rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CDC::Ellipse(int left, int top, int right, int bottom) {
  DoEllipse(Normalized(CRect(left, top, right, bottom)));
  return TRUE;
}

BOOL CDC::Ellipse(const CRect& rect) {
  return Ellipse(rect.left, rect.top, rect.right, rect.bottom);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return Arc(CRect(x1, y1, x2, y2), CPoint(x3, y3), CPoint(x4, y4));
}

BOOL CDC::Arc(const CRect& box, CPoint start, CPoint end) {
  DoArc(Normalized(box), start, end);
  return TRUE;
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  return ArcTo(CRect(x1, y1, x2, y2), CPoint(x3, y3), CPoint(x4, y4));
}

BOOL CDC::ArcTo(const CRect& box, CPoint start, CPoint end) {
  const CRect b = Normalized(box);
  DoLine(m_state.currentPos, RadialPoint(b, start));
  DoArc(b, start, end);
  m_state.currentPos = RadialPoint(b, end);
  return TRUE;
}

// The point where the ray from the ellipse's centre through `through` meets
// the ellipse inscribed in box.
CPoint CDC::RadialPoint(const CRect& box, CPoint through) const {
  const double cx = (box.left + box.right) / 2.0;
  const double cy = (box.top + box.bottom) / 2.0;
  const double rx = box.Width() / 2.0;
  const double ry = box.Height() / 2.0;
  const double dx = through.x - cx;
  const double dy = through.y - cy;
  if (rx <= 0 || ry <= 0) return CPoint(static_cast<int>(std::lround(cx)), static_cast<int>(std::lround(cy)));
  if (dx == 0 && dy == 0)
    return CPoint(static_cast<int>(std::lround(cx + rx)), static_cast<int>(std::lround(cy)));
  const double t = 1.0 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
  return CPoint(static_cast<int>(std::lround(cx + dx * t)), static_cast<int>(std::lround(cy + dy * t)));
}

// ---- CDC: fills ---------------------------------------------------------------

void CDC::FillSolidRect(const CRect& rect, COLORREF color) {
  const CRect r = Normalized(rect);
  if (!r.IsRectEmpty()) DoFillRect(r, color & 0x00FFFFFF);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color) {
  FillSolidRect(CRect(x, y, x + cx, y + cy), color);
}

void CDC::FillRect(const CRect& rect, const CBrush* brush) {
  if (brush && !brush->IsNull()) FillSolidRect(rect, brush->GetColor());
}

void CDC::FrameRect(const CRect& rect, const CBrush* brush) {
  if (!brush || brush->IsNull()) return;
  const CRect r = Normalized(rect);
  if (r.IsRectEmpty()) return;
  const COLORREF c = brush->GetColor();
  FillSolidRect(CRect(r.left, r.top, r.right, r.top + 1), c);
  FillSolidRect(CRect(r.left, r.bottom - 1, r.right, r.bottom), c);
  FillSolidRect(CRect(r.left, r.top + 1, r.left + 1, r.bottom - 1), c);
  FillSolidRect(CRect(r.right - 1, r.top + 1, r.right, r.bottom - 1), c);
}

void CDC::Draw3dRect(const CRect& rect, COLORREF topLeft, COLORREF bottomRight) {
  Draw3dRect(rect.left, rect.top, rect.Width(), rect.Height(), topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight) {
  FillSolidRect(x, y, cx - 1, 1, topLeft);
  FillSolidRect(x, y, 1, cy - 1, topLeft);
  FillSolidRect(x + cx, y, -1, cy, bottomRight);
  FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

// ---- CDC: text --------------------------------------------------------------

void CDC::TextRun(CPoint topLeft, const CString& text, const CRect* clip) {
  if (m_state.bkMode == OPAQUE) {
    CRect box(topLeft, GetTextExtent(text));
    if (!clip || box.IntersectRect(box, *clip)) FillSolidRect(box, m_state.bkColor);
  }
  DoTextOut(topLeft, text, clip);
}

BOOL CDC::TextOut(int x, int y, const CString& text) {
  return ExtTextOut(x, y, 0, nullptr, text);
}

BOOL CDC::ExtTextOut(int x, int y, UINT options, const CRect* rect, const CString& text) {
  std::optional<CRect> clip;
  if (rect) {
    const CRect r = Normalized(*rect);
    if (options & ETO_OPAQUE) FillSolidRect(r, m_state.bkColor);
    if (options & ETO_CLIPPED) clip = r;
  }
  const UINT align = m_state.textAlign;
  const CPoint ref = (align & TA_UPDATECP) ? m_state.currentPos : CPoint(x, y);
  // Left- and top-aligned text in place needs no measuring here (most labels).
  const bool measure = (align & (TA_UPDATECP | TA_CENTER | TA_RIGHT | TA_BOTTOM)) != 0;
  const CSize ext = measure ? GetTextExtent(text) : CSize();
  CPoint tl = ref;
  if ((align & TA_CENTER) == TA_CENTER) {
    tl.x -= ext.cx / 2;
  } else if (align & TA_RIGHT) {
    tl.x -= ext.cx;
  }
  if ((align & TA_BASELINE) == TA_BASELINE) {
    TEXTMETRIC tm;
    GetTextMetrics(&tm);
    tl.y -= tm.tmAscent;
  } else if (align & TA_BOTTOM) {
    tl.y -= ext.cy;
  }
  TextRun(tl, text, clip ? &*clip : nullptr);
  if (align & TA_UPDATECP) {
    if ((align & TA_CENTER) == TA_CENTER) {
      // GDI leaves the position where it was for centred text.
    } else if (align & TA_RIGHT) {
      m_state.currentPos.x -= ext.cx;
    } else {
      m_state.currentPos.x += ext.cx;
    }
  }
  return TRUE;
}

int CDC::DrawText(const CString& textIn, CRect* rect, UINT format) {
  if (!rect) return 0;
  CString text = (format & DT_NOPREFIX) ? textIn : StripPrefix(textIn);
  std::vector<CString> lines;
  if (format & DT_SINGLELINE) {
    text.Remove(u'\r');
    text.Remove(u'\n');
    lines.push_back(text);
  } else {
    lines = SplitLines(text);
  }
  if (format & DT_EXPANDTABS) {
    for (CString& l : lines) l = ExpandTabs(l);
  }
  const CRect box = Normalized(*rect);
  if ((format & DT_WORDBREAK) && !(format & DT_SINGLELINE)) {
    std::vector<CString> wrapped;
    for (const CString& line : lines) WrapLine(*this, line, box.Width(), wrapped);
    lines = std::move(wrapped);
  }

  TEXTMETRIC tm;
  GetTextMetrics(&tm);
  const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
  std::vector<int> widths;
  int maxWidth = 0;
  for (const CString& l : lines) {
    widths.push_back(GetTextExtent(l).cx);
    maxWidth = std::max(maxWidth, widths.back());
  }
  const int height = lineHeight * static_cast<int>(lines.size());
  if (format & DT_CALCRECT) {
    rect->right = rect->left + maxWidth;
    rect->bottom = rect->top + height;
    return height;
  }

  int y = box.top;
  if (format & DT_SINGLELINE) {
    if (format & DT_VCENTER) {
      y = box.top + (box.Height() - lineHeight) / 2;
    } else if (format & DT_BOTTOM) {
      y = box.bottom - lineHeight;
    }
  }
  const int top = y;
  const CRect* clip = (format & DT_NOCLIP) ? nullptr : &box;
  for (size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
    int x = box.left;
    if (format & DT_CENTER) {
      x = box.left + (box.Width() - widths[i]) / 2;
    } else if (format & DT_RIGHT) {
      x = box.right - widths[i];
    }
    if (!lines[i].IsEmpty()) TextRun(CPoint(x, y), lines[i], clip);
  }
  if ((format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM))) return top - box.top + height;
  return height;
}

CSize CDC::GetTextExtent(const CString& text) const {
  return DoGetTextExtent(text);
}

BOOL CDC::GetTextMetrics(TEXTMETRIC* metrics) const {
  if (!metrics) return FALSE;
  *metrics = TEXTMETRIC();
  DoGetTextMetrics(metrics);
  return TRUE;
}

bool CDC::IsWideChar(char16_t ch) {
  return (ch >= 0x1100 && ch <= 0x115F) || (ch >= 0x2E80 && ch <= 0xA4CF && ch != 0x303F) ||
         (ch >= 0xAC00 && ch <= 0xD7A3) || (ch >= 0xF900 && ch <= 0xFAFF) || (ch >= 0xFE30 && ch <= 0xFE4F) ||
         (ch >= 0xFF00 && ch <= 0xFF60) || (ch >= 0xFFE0 && ch <= 0xFFE6);
}

// ---- CDC: clipping and saved states -----------------------------------------

int CDC::IntersectClipRect(const CRect& rect) {
  CRect r = rect;
  LPtoDP(&r);
  r.NormalizeRect();
  if (m_state.clip) r.IntersectRect(r, *m_state.clip);  // empty (all zero) when they do not overlap
  m_state.clip = r;
  return r.IsRectEmpty() ? 1 : 2;  // NULLREGION : SIMPLEREGION
}

void CDC::ResetClip() {
  m_state.clip.reset();
}

int CDC::GetClipBox(CRect* rect) const {
  if (!rect) return 0;
  CRect r = m_state.clip ? *m_state.clip : CRect(0, 0, GetDeviceCaps(HORZRES), GetDeviceCaps(VERTRES));
  DPtoLP(&r);
  r.NormalizeRect();
  *rect = r;
  return r.IsRectEmpty() ? 1 : 2;
}

int CDC::SaveDC() {
  m_saved.push_back(m_state);
  return static_cast<int>(m_saved.size());
}

BOOL CDC::RestoreDC(int saved) {
  const int depth = static_cast<int>(m_saved.size());
  const int level = saved < 0 ? depth + 1 + saved : saved;
  if (level < 1 || level > depth) return FALSE;
  m_state = m_saved[static_cast<size_t>(level - 1)];
  m_saved.resize(static_cast<size_t>(level - 1));
  return TRUE;
}
