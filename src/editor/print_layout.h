// Printing a diagram and its page layout. The document's page grid (pages
// across x pages down) cuts the diagram into tiles; each printed page shows
// one tile, page 1 the top-left one, then across and down. A page is drawn as
// vectors through CDC, so nothing the size of the whole diagram is ever held
// in memory. Where the tile goes follows the Print Setup dialog's scale
// choice: stretched over the whole sheet, stretched over the page inside the
// margins (each axis on its own), or at its own size times a factor.
//
// The Page Layout dialog's rules live here too: the limits of its two count
// fields, the page total and whether the document's content still fits a
// smaller grid.
#pragma once

#include "model/diagram_draw.h"
#include "platform/cstring.h"
#include "platform/message_sink.h"
#include "platform/types.h"

class CDC;
class CViewContext;
class CZaradDoc;

// A diagram has at most this many pages (across x down).
constexpr int kMaxPageTotal = 100;
// Print margins are kept in thousandths of a millimetre: a margin m is
// dpi x m / kMarginUnitsPerInch device pixels.
constexpr int kMarginUnitsPerInch = 25400;

// ---- Tiles and the printable area -----------------------------------------------------

// The part of extent that page (1-based) of an across x down grid shows:
// tiles are extent.Width() / across by extent.Height() / down (integer
// division; the remainder at the right and bottom is never printed), page 1
// the top-left tile, then left to right and top to bottom. Empty when the
// counts are below 1 or the page lies outside 1..across x down.
CRect GetPageTile(const CRect& extent, int across, int down, int page);

// Where a page goes on the device (pixels): the horzRes x vertRes sheet less
// the margins (left, top, right, bottom in kMarginUnitsPerInch units at the
// device's dots per inch). Negative margins count as 0; margins that leave no
// room keep a one-pixel area at the top-left margin corner, within the sheet.
CRect GetPrintableArea(int horzRes, int vertRes, int dpiX, int dpiY, const CRect& margins);

// The Print Setup dialog's scale choices.
constexpr int kScaleToPaper = 1;   // the tile fills the whole sheet
constexpr int kScaleToPage = 2;    // the tile fills the page inside the margins
constexpr int kScaleByFactor = 3;  // the tile at its own size times the factor
// The diagram's own size on paper: a diagram unit is a pixel of the screen at 100 %,
// which is this many to the inch.
constexpr int kDiagramUnitsPerInch = 96;
// The factor of kScaleByFactor lies within 0..2.
constexpr double kMaxPrintScale = 2.0;

// What one print job prints: the grid, the margins and the scale are taken when
// the job starts, so a change made while it runs does not mix two layouts.
struct PrintJobLayout {
  CRect extent;  // the whole diagram at 100 % (diagram units)
  int across = 1;
  int down = 1;
  CRect margins;  // kMarginUnitsPerInch units
  int scaleMode = kScaleToPage;
  double scale = 1.0;  // kScaleByFactor only
  int PageCount() const { return across >= 1 && down >= 1 ? across * down : 0; }
};

// The layout of a print job of doc: its base rectangle, its page grid (held
// to 1..100 a side), the margins given and the scale choice (an unknown mode
// scales to the page; the factor is held to 0..2).
PrintJobLayout MakePrintJobLayout(const CZaradDoc& doc, const CRect& margins, int scaleMode = kScaleToPage,
                                  double scale = 1.0);

// Where the tile of a page goes on a horzRes x vertRes device (pixels) and the
// part of the tile that shows there. Scale to paper: the whole tile over the
// whole sheet. Scale to page: the whole tile over the printable area (the
// sheet less the margins). By factor: the tile at dpi x factor / 96 device
// pixels a unit, from the printable area's top-left corner, each axis cut
// where it leaves the area; a factor of 0 shows nothing (an empty part).
struct TilePlacement {
  CRect shown;        // the part of the tile drawn (diagram units); empty: nothing
  CRect destination;  // where that part goes (device pixels)
};
TilePlacement PlaceTile(const PrintJobLayout& job, const CRect& tile, int horzRes, int vertRes, int dpiX,
                        int dpiY);

// Draws one page on a printing context: the tile placed on the context's
// device (GetDeviceCaps) as PlaceTile says, clipped to its shown part, a white
// ground, the ladder power bus, then the blocks, wires and comments drawn as
// printed (options.printing: nothing highlighted). Nothing for a page outside
// the job. The context's mapping and clip are restored afterwards.
void DrawPrintPage(CDC* dc, CZaradDoc& doc, CViewContext* view, DiagramDrawOptions options,
                   const PrintJobLayout& job, int page);

// ---- Page Layout rules -----------------------------------------------------------------

// A count field after each change: the text read as a signed whole number
// (anything else reads as 0); 0 or less becomes "1", above 100 "100". True
// with the replacement when the field must change, false when it stands.
bool ClampPageCountText(const CString& text, CString* replacement);

// How OK in the Page Layout dialog ends.
enum class PageLayoutOutcome {
  kAccept,    // the new counts go into the document
  kKeepOpen,  // the page total is out of range: the dialog stays open
  kCancel,    // the content would not fit: the dialog ends as cancelled
};

struct PageLayoutVerdict {
  PageLayoutOutcome outcome = PageLayoutOutcome::kAccept;
  bool hasMessage = false;
  Message message;  // shown to the user when hasMessage
};

// The checks of OK for the new counts. The total must lie within
// 1..kMaxPageTotal. When either count shrinks below doc's, every block,
// wire point and comment must lie inside the smaller area (an edge on the
// new border counts as outside). doc may be null (no diagram to check).
PageLayoutVerdict CheckPageLayout(const CZaradDoc* doc, int across, int down);

// The page numbers of the dialog's preview grid: in the cell of row r and
// column c (both from 1) page (r - 1) x across + c.
inline int PreviewPageNumber(int row, int column, int across) {
  return (row - 1) * across + column;
}
