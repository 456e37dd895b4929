#include "editor/print_layout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>

#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "platform/cdc.h"

namespace {

constexpr COLORREF kPaperColour = RGB(255, 255, 255);

const char16_t kTooManyPages[] =
    u"For the total number of pages(horizontal x vertical) only values between 1 and 100  are valid.";
const char16_t kNoRoom[] = u"There are not enough pages to contain all Block(s),so size update fail!!!";
const char16_t kNoRoomDown[] = u"There are not enough pages to contain all Block(s),so size update fail!";
const char16_t kPageSizeCaption[] = u"Page Size";

// A margin in device pixels (truncated toward zero, as the arithmetic of the
// print offsets has always been).
int MarginPixels(int dpi, int margin) {
  const long long px = static_cast<long long>(dpi) * std::max(margin, 0) / kMarginUnitsPerInch;
  return static_cast<int>(std::min<long long>(px, INT_MAX));
}

// The signed whole number of a field: optional blanks, an optional sign,
// digits; 0 for anything else, the nearest int when it overflows.
long long ReadSignedCount(const CString& text) {
  const std::u16string& s = text.str();
  size_t i = 0;
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'-' || s[i] == u'+')) negative = s[i++] == u'-';
  const size_t first = i;
  long long value = 0;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
    value = std::min<long long>(value * 10 + (s[i] - u'0'), 1LL << 40);
    ++i;
  }
  while (i < s.size() && (s[i] == u' ' || s[i] == u'\t')) ++i;
  if (i == first || i != s.size()) return 0;
  return negative ? -value : value;
}

PageLayoutVerdict Refuse(PageLayoutOutcome outcome, const char16_t* text, UINT icon, const CString& caption) {
  PageLayoutVerdict v;
  v.outcome = outcome;
  v.hasMessage = true;
  v.message = MakeMessage(CString(text), icon, caption);
  return v;
}

}  // namespace

// ---- Tiles and the printable area -----------------------------------------------------

CRect GetPageTile(const CRect& extent, int across, int down, int page) {
  if (across < 1 || down < 1 || page < 1 || page > across * down) return CRect();
  const int w = extent.Width() / across;
  const int h = extent.Height() / down;
  const int column = (page - 1) % across;
  const int row = (page - 1) / across;
  const int left = extent.left + w * column;
  const int top = extent.top + h * row;
  return CRect(left, top, left + w, top + h);
}

CRect GetPrintableArea(int horzRes, int vertRes, int dpiX, int dpiY, const CRect& margins) {
  horzRes = std::max(horzRes, 1);
  vertRes = std::max(vertRes, 1);
  const int left = std::min(MarginPixels(dpiX, margins.left), horzRes - 1);
  const int top = std::min(MarginPixels(dpiY, margins.top), vertRes - 1);
  const int right = std::max(horzRes - MarginPixels(dpiX, margins.right), left + 1);
  const int bottom = std::max(vertRes - MarginPixels(dpiY, margins.bottom), top + 1);
  return CRect(left, top, right, bottom);
}

PrintJobLayout MakePrintJobLayout(const CZaradDoc& doc, const CRect& margins, int scaleMode, double scale) {
  PrintJobLayout job;
  job.extent = GetDiagramPageRect(doc);
  job.across = std::clamp(doc.m_nPagesAcross, 1, kMaxPageTotal);
  job.down = std::clamp(doc.m_nPagesDown, 1, kMaxPageTotal);
  job.margins = margins;
  job.scaleMode = scaleMode == kScaleToPaper || scaleMode == kScaleByFactor ? scaleMode : kScaleToPage;
  job.scale = std::isfinite(scale) ? std::clamp(scale, 0.0, kMaxPrintScale) : 1.0;
  return job;
}

TilePlacement PlaceTile(const PrintJobLayout& job, const CRect& tile, int horzRes, int vertRes, int dpiX,
                        int dpiY) {
  TilePlacement p;
  if (tile.Width() <= 0 || tile.Height() <= 0) return p;
  if (job.scaleMode == kScaleToPaper) {
    p.shown = tile;
    p.destination = CRect(0, 0, std::max(horzRes, 1), std::max(vertRes, 1));
    return p;
  }
  const CRect area = GetPrintableArea(horzRes, vertRes, dpiX, dpiY, job.margins);
  if (job.scaleMode != kScaleByFactor) {
    p.shown = tile;
    p.destination = area;
    return p;
  }
  // Device pixels per diagram unit; the part of the tile that fits the area.
  const double perUnitX = std::max(dpiX, 1) * job.scale / kDiagramUnitsPerInch;
  const double perUnitY = std::max(dpiY, 1) * job.scale / kDiagramUnitsPerInch;
  if (!(perUnitX > 0) || !(perUnitY > 0)) return p;
  const int shownW = std::min(tile.Width(), static_cast<int>(std::ceil(area.Width() / perUnitX)));
  const int shownH = std::min(tile.Height(), static_cast<int>(std::ceil(area.Height() / perUnitY)));
  if (shownW <= 0 || shownH <= 0) return p;
  p.shown = CRect(tile.left, tile.top, tile.left + shownW, tile.top + shownH);
  const int w = std::max(1, static_cast<int>(std::lround(shownW * perUnitX)));
  const int h = std::max(1, static_cast<int>(std::lround(shownH * perUnitY)));
  p.destination = CRect(area.left, area.top, area.left + w, area.top + h);
  return p;
}

void DrawPrintPage(CDC* dc, CZaradDoc& doc, CViewContext* view, DiagramDrawOptions options,
                   const PrintJobLayout& job, int page) {
  if (dc == nullptr) return;
  const CRect tile = GetPageTile(job.extent, job.across, job.down, page);
  if (tile.Width() <= 0 || tile.Height() <= 0) return;
  const TilePlacement place = PlaceTile(job, tile, dc->GetDeviceCaps(HORZRES), dc->GetDeviceCaps(VERTRES),
                                        dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
  if (place.shown.Width() <= 0 || place.shown.Height() <= 0) return;
  const CRect& shown = place.shown;
  const CRect& area = place.destination;
  const int saved = dc->SaveDC();
  dc->SetMapMode(MM_ANISOTROPIC);
  dc->SetWindowOrg(shown.left, shown.top);
  dc->SetWindowExt(shown.Width(), shown.Height());
  dc->SetViewportOrg(area.left, area.top);
  dc->SetViewportExt(area.Width(), area.Height());
  dc->IntersectClipRect(shown);
  dc->FillSolidRect(shown, kPaperColour);
  if (doc.IsLadder() && !doc.m_powerBus.IsEmpty()) doc.m_powerBus.GetHead()->Draw(view, dc, 0, kDrawBlack);
  options.printing = true;
  options.currentBlock = nullptr;
  DrawDiagramElements(dc, doc, view, options);
  dc->RestoreDC(saved);
}

// ---- Page Layout rules -----------------------------------------------------------------

bool ClampPageCountText(const CString& text, CString* replacement) {
  const long long value = ReadSignedCount(text);
  if (value <= 0) {
    if (replacement) *replacement = CString(u"1");
    return true;
  }
  if (value > kMaxPageTotal) {
    if (replacement) *replacement = CString(u"100");
    return true;
  }
  return false;
}

PageLayoutVerdict CheckPageLayout(const CZaradDoc* doc, int across, int down) {
  const CString caption(kPageSizeCaption);
  if (across < 1 || down < 1 || static_cast<long long>(across) * down > kMaxPageTotal) {
    return Refuse(PageLayoutOutcome::kKeepOpen, kTooManyPages, MB_ICONEXCLAMATION, CString());
  }
  PageLayoutVerdict accept;
  if (doc == nullptr) return accept;
  // Growing the grid (or keeping it) needs no check.
  if (across >= doc->m_nPagesAcross && down >= doc->m_nPagesDown) return accept;
  const CSize page = doc->m_sizePage;
  if (page.cx <= 0 || page.cy <= 0) return accept;
  const long long right = static_cast<long long>(page.cx) * across;
  const long long bottom = static_cast<long long>(page.cy) * down;

  for (const CBlockObj* b : doc->m_blocks) {
    if (static_cast<long long>(b->m_ptPos.y) + b->m_nHeight >= bottom ||
        static_cast<long long>(b->m_ptPos.x) + b->m_nWidth >= right) {
      return Refuse(PageLayoutOutcome::kCancel, kNoRoom, MB_ICONHAND, caption);
    }
  }
  for (const CConnectLineObj* w : doc->m_connections) {
    for (const CPoint& p : w->m_points) {
      if (p.y >= bottom) return Refuse(PageLayoutOutcome::kCancel, kNoRoomDown, MB_ICONHAND, caption);
    }
    for (const CPoint& p : w->m_points) {
      if (p.x >= right) return Refuse(PageLayoutOutcome::kCancel, kNoRoom, MB_ICONHAND, caption);
    }
  }
  // Comments too: one left outside the smaller area could neither be reached
  // nor printed.
  for (const CBlockComment* c : doc->m_comments) {
    if (static_cast<long long>(c->m_ptPos.y) + c->m_size.cy >= bottom ||
        static_cast<long long>(c->m_ptPos.x) + c->m_size.cx >= right) {
      return Refuse(PageLayoutOutcome::kCancel, kNoRoom, MB_ICONHAND, caption);
    }
  }
  return accept;
}
