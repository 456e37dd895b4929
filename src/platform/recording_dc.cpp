#include "platform/recording_dc.h"

#include <cstdlib>

namespace {

int CellHeight(const LOGFONT& font) {
  return font.lfHeight == 0 ? 16 : std::abs(font.lfHeight);
}

int CharWidth(const LOGFONT& font) {
  return font.lfWidth > 0 ? font.lfWidth : CellHeight(font) / 2;
}

// The extent rule of the header comment.
CSize TextExtentFor(const LOGFONT& font, const CString& text) {
  const int w = CharWidth(font);
  int cx = 0;
  for (char16_t ch : text.str()) {
    if (ch >= 0xDC00 && ch <= 0xDFFF) continue;  // the second half of a pair adds nothing
    cx += (CDC::IsWideChar(ch) || (ch >= 0xD800 && ch <= 0xDBFF)) ? 2 * w : w;
  }
  return CSize(cx, CellHeight(font));
}

}  // namespace

CRecordingDC::CRecordingDC(CSize deviceSize, int dpi) : m_deviceSize(deviceSize), m_dpi(dpi) {}

int CRecordingDC::GetDeviceCaps(int index) const {
  switch (index) {
    case HORZRES:
      return m_deviceSize.cx;
    case VERTRES:
      return m_deviceSize.cy;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return m_dpi;
    default:
      return 0;
  }
}

const DCCall* CRecordingDC::FindText(const CString& text) const {
  for (const DCCall& c : m_calls) {
    if (c.kind == DCCall::Kind::kText && c.text == text) return &c;
  }
  return nullptr;
}

std::vector<const DCCall*> CRecordingDC::CallsOfKind(DCCall::Kind kind) const {
  std::vector<const DCCall*> out;
  for (const DCCall& c : m_calls) {
    if (c.kind == kind) out.push_back(&c);
  }
  return out;
}

DCCall& CRecordingDC::Record(DCCall::Kind kind) {
  DCCall& c = m_calls.emplace_back();
  c.kind = kind;
  c.pen = GetCurrentPen();
  c.brush = GetCurrentBrush();
  c.font = GetCurrentFont().GetLogFont();
  c.textColor = GetTextColor();
  c.bkColor = GetBkColor();
  c.bkMode = GetBkMode();
  c.rop2 = GetROP2();
  c.polyFillMode = GetPolyFillMode();
  c.arcDirection = GetArcDirection();
  return c;
}

void CRecordingDC::DoLine(CPoint from, CPoint to) {
  Record(DCCall::Kind::kLine).points = {from, to};
}

void CRecordingDC::DoPolyline(const CPoint* points, int count) {
  Record(DCCall::Kind::kPolyline).points.assign(points, points + count);
}

void CRecordingDC::DoPolygon(const CPoint* points, int count) {
  Record(DCCall::Kind::kPolygon).points.assign(points, points + count);
}

void CRecordingDC::DoRectangle(const CRect& rect) {
  Record(DCCall::Kind::kRectangle).rect = rect;
}

void CRecordingDC::DoEllipse(const CRect& rect) {
  Record(DCCall::Kind::kEllipse).rect = rect;
}

void CRecordingDC::DoArc(const CRect& box, CPoint start, CPoint end) {
  DCCall& c = Record(DCCall::Kind::kArc);
  c.rect = box;
  c.points = {start, end};
}

void CRecordingDC::DoFillRect(const CRect& rect, COLORREF color) {
  DCCall& c = Record(DCCall::Kind::kFillRect);
  c.rect = rect;
  c.fillColor = color;
}

void CRecordingDC::DoTextOut(CPoint topLeft, const CString& text, const CRect* clip) {
  DCCall& c = Record(DCCall::Kind::kText);
  c.text = text;
  c.rect = CRect(topLeft, DoGetTextExtent(text));
  if (clip) c.clip = *clip;
}

CSize CRecordingDC::DoGetTextExtent(const CString& text) const {
  return TextExtentFor(GetCurrentFont().GetLogFont(), text);
}

void CRecordingDC::DoGetTextMetrics(TEXTMETRIC* metrics) const {
  const LOGFONT& font = GetCurrentFont().GetLogFont();
  const int h = CellHeight(font);
  metrics->tmHeight = h;
  metrics->tmDescent = h / 5;
  metrics->tmAscent = h - h / 5;
  metrics->tmInternalLeading = 0;
  metrics->tmExternalLeading = 0;
  metrics->tmAveCharWidth = CharWidth(font);
  metrics->tmMaxCharWidth = 2 * CharWidth(font);
  metrics->tmWeight = font.lfWeight == 0 ? FW_NORMAL : font.lfWeight;
}
