// Basic types of the platform layer: integer aliases, colours, geometry and
// the broken-down time record used by the simulated clock.
#pragma once

#include <algorithm>
#include <cstdint>

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using LONGLONG = std::int64_t;
using COLORREF = std::uint32_t;  // 0x00BBGGRR

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

constexpr COLORREF RGB(int r, int g, int b) {
  return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
  return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(COLORREF c) {
  return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(COLORREF c) {
  return static_cast<int>((c >> 16) & 0xFF);
}

// TRUE when bit `bit` (0-15) of the 16-bit word is set; FALSE for any other bit number.
constexpr BOOL TestBit16(WORD word, int bit) {
  return bit >= 0 && bit < 16 && ((word >> bit) & 1) != 0 ? TRUE : FALSE;
}

struct SYSTEMTIME {
  WORD wYear = 0;
  WORD wMonth = 0;
  WORD wDayOfWeek = 0;
  WORD wDay = 0;
  WORD wHour = 0;
  WORD wMinute = 0;
  WORD wSecond = 0;
  WORD wMilliseconds = 0;
  friend bool operator==(const SYSTEMTIME&, const SYSTEMTIME&) = default;
};

struct CSize {
  int cx = 0;
  int cy = 0;
  constexpr CSize() = default;
  constexpr CSize(int x, int y) : cx(x), cy(y) {}
  friend constexpr bool operator==(const CSize&, const CSize&) = default;
  constexpr CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
  constexpr CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
};

struct CPoint {
  int x = 0;
  int y = 0;
  constexpr CPoint() = default;
  constexpr CPoint(int px, int py) : x(px), y(py) {}
  friend constexpr bool operator==(const CPoint&, const CPoint&) = default;
  constexpr void Offset(int dx, int dy) { x += dx, y += dy; }
  constexpr void Offset(CSize s) { Offset(s.cx, s.cy); }
  constexpr CPoint operator+(CSize s) const { return {x + s.cx, y + s.cy}; }
  constexpr CPoint operator-(CSize s) const { return {x - s.cx, y - s.cy}; }
  constexpr CSize operator-(CPoint p) const { return {x - p.x, y - p.y}; }
  constexpr CPoint operator-() const { return {-x, -y}; }
  constexpr CPoint& operator+=(CSize s) { return Offset(s), *this; }
  constexpr CPoint& operator-=(CSize s) { return Offset(-s.cx, -s.cy), *this; }
};

// A rectangle with exclusive right and bottom edges, as GDI keeps it.
struct CRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  constexpr CRect() = default;
  constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
  constexpr CRect(CPoint tl, CPoint br) : left(tl.x), top(tl.y), right(br.x), bottom(br.y) {}
  constexpr CRect(CPoint tl, CSize s) : left(tl.x), top(tl.y), right(tl.x + s.cx), bottom(tl.y + s.cy) {}
  friend constexpr bool operator==(const CRect&, const CRect&) = default;

  constexpr int Width() const { return right - left; }
  constexpr int Height() const { return bottom - top; }
  constexpr CSize Size() const { return {Width(), Height()}; }
  constexpr CPoint TopLeft() const { return {left, top}; }
  constexpr CPoint BottomRight() const { return {right, bottom}; }
  constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
  constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
  constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  constexpr void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
  constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  constexpr void NormalizeRect() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
  }
  constexpr void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
  constexpr void OffsetRect(CSize s) { OffsetRect(s.cx, s.cy); }
  constexpr void OffsetRect(CPoint p) { OffsetRect(p.x, p.y); }
  constexpr void InflateRect(int dx, int dy) { left -= dx, right += dx, top -= dy, bottom += dy; }
  constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  constexpr void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
  // Intersection of a and b; empty (all zero) when they do not overlap. Returns whether they overlap.
  constexpr bool IntersectRect(const CRect& a, const CRect& b) {
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
      SetRectEmpty();
      return false;
    }
    *this = r;
    return true;
  }
  // Smallest rectangle holding both; an empty operand is ignored.
  constexpr bool UnionRect(const CRect& a, const CRect& b) {
    if (a.IsRectEmpty()) {
      *this = b;
    } else if (b.IsRectEmpty()) {
      *this = a;
    } else {
      *this = CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                    std::max(a.bottom, b.bottom));
    }
    return !IsRectEmpty();
  }
};
