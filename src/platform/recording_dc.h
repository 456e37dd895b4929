// CRecordingDC: a device context that draws nothing and records every call,
// with the pen, brush, font, colours and modes in force, so that tests can
// check what drawing code drew ("text B3 at (x, y) in a font of height 12").
//
// Text extents follow a fixed rule instead of real glyphs: every character is
// the font's width wide (height / 2 when the width is 0) and CJK characters
// twice that; the text is the font's height high (16 when the height is 0).
#pragma once

#include <optional>
#include <vector>

#include "platform/cdc.h"

struct DCCall {
  enum class Kind { kLine, kPolyline, kPolygon, kRectangle, kEllipse, kArc, kFillRect, kText };

  Kind kind = Kind::kLine;
  std::vector<CPoint> points;  // kLine: from, to; kPolyline/kPolygon: vertices; kArc: start, end radials
  CRect rect;                  // kRectangle/kEllipse/kArc: the box; kFillRect: the rectangle;
                               // kText: the text's box (top-left corner and extent)
  CString text;                // kText
  COLORREF fillColor = 0;      // kFillRect
  std::optional<CRect> clip;   // kText: the logical clip of DrawText / ExtTextOut

  // The state in force.
  CPen pen;
  CBrush brush;
  LOGFONT font;
  COLORREF textColor = 0;
  COLORREF bkColor = 0;
  int bkMode = 0;
  int rop2 = 0;
  int polyFillMode = 0;
  int arcDirection = 0;
};

class CRecordingDC : public CDC {
 public:
  // deviceSize: the HORZRES and VERTRES the context reports.
  explicit CRecordingDC(CSize deviceSize = CSize(1024, 768), int dpi = 96);

  const std::vector<DCCall>& Calls() const { return m_calls; }
  void Clear() { m_calls.clear(); }
  // The first text call drawing exactly text, or null.
  const DCCall* FindText(const CString& text) const;
  // All calls of one kind, in order.
  std::vector<const DCCall*> CallsOfKind(DCCall::Kind kind) const;

  int GetDeviceCaps(int index) const override;

 protected:
  void DoLine(CPoint from, CPoint to) override;
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
  DCCall& Record(DCCall::Kind kind);

  CSize m_deviceSize;
  int m_dpi;
  std::vector<DCCall> m_calls;
};
