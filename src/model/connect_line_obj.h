// CConnectLineObj: a wire between an output pin and an input pin, drawn as an
// orthogonal polyline. The logical link lives in the two blocks' pin links;
// the wire keeps both block numbers and pin indices (so that the link survives
// a file), its route, its junction dots and its selection and drag state.
//
// The start end is the pin where the user began the wire, the end end the pin
// where it was completed; either may be the output (pin index 10 or more).
// The document owns its wires; the block pointers are not owned.
#pragma once

#include <vector>

#include "platform/object.h"
#include "platform/types.h"

class CArchive;
class CDC;
class CBlockObj;
class CZaradDoc;

// A junction slot that holds no junction.
constexpr CPoint kNoJunction{-9999, -9999};
constexpr int kJunctionSlots = 6;    // junction slots of a wire
constexpr int kRouteWirePoints = 6;  // points of a standard route
// Tolerances of the segment hit test: the view's clicks and FindAt, and CountConnectionsAt.
constexpr int kWireHitTolerance = 4;
constexpr int kWireCountTolerance = 1;
// Points a wire record may hold in each list; longer lists are refused as damaged.
constexpr size_t kMaxWireRecordPoints = 4096;

// What is wrong with a wire after loading (bits of CConnectLineObj::GetEndFaults).
enum WireEndFault : int {
  WIRE_END_OK = 0,
  WIRE_START_UNRESOLVED = 0x1,  // the start number names no block of the document
  WIRE_END_UNRESOLVED = 0x2,    // the end number names no block of the document
  WIRE_START_BAD_PIN = 0x4,     // the start pin index lies outside 0..19
  WIRE_END_BAD_PIN = 0x8,       // the end pin index lies outside 0..19
};

// A wire that the loader dropped because of its end faults, for the warning.
struct WireFaultReport {
  int nStartNumber;
  int nStartPin;
  int nEndNumber;
  int nEndPin;
  int nFaults;  // WireEndFault bits
};

class CConnectLineObj : public CObject {
  DECLARE_SERIAL(CConnectLineObj)

 public:
  CConnectLineObj();
  ~CConnectLineObj() override = default;
  CConnectLineObj(const CConnectLineObj&) = delete;
  CConnectLineObj& operator=(const CConnectLineObj&) = delete;

  // The wire record. Loading takes the archive's document as m_pDoc and
  // resolves both ends (ResolveEnds) before the point lists are read.
  void Serialize(CArchive& ar) override;

  // Binds both ends to the blocks of doc numbered m_nStartNumber and
  // m_nEndNumber (null when there is none). In a ladder document that has a
  // power bus, an unresolved start end, or else an unresolved end end, is bound
  // to the power bus. A null doc leaves both ends null.
  void ResolveEnds(const CZaradDoc* doc);
  // WireEndFault bits: ends without a block, pin indices outside 0..19. A wire
  // with faults cannot be drawn or evaluated; the loader drops it with a warning.
  int GetEndFaults() const;

  // Pen width of the wire: the larger pin type of its two ends (1 digital,
  // 2 analog, 3 parameter); an end without a block or pin counts as 0.
  int GetPenWidth() const;
  // The polyline points that carry a junction dot: point i for every junction
  // slot i that is set; slots beyond the last polyline point are ignored.
  std::vector<CPoint> GetJunctionDots() const;
  // Value of the output end (the end whose pin index is 10 or more), which
  // decides the wire's simulation colour; 0 when neither end is a resolved output.
  int GetOutputValue() const;

  // Drawing (connect_line_draw.cpp): the polyline in the colour, as wide as
  // GetPenWidth, with a round black dot 8 units wide on every junction point;
  // the selected form adds the polyline's corner handles (blue at the ends,
  // red inside).
  void Draw(CDC* dc, COLORREF colour) const;
  void DrawSelected(CDC* dc, COLORREF colour) const;

  // The polyline segment under pt: *segment is the index i of the segment's
  // last point (1 .. count - 1), *orientation 0 vertical, 1 horizontal, -1 an
  // end segment. With dragDelta a purely vertical drag (x 0, y not 0) of a
  // standard 6-point wire takes only the middle segment (3): a point on another
  // segment sets *segment but gives no hit. segment, orientation and dragDelta may be null.
  BOOL HitTestSegment(CPoint pt, int* segment, int* orientation, const CSize* dragDelta) const;
  // The same test with the given tolerance and without the drag rule.
  BOOL HitTestSegmentTol(CPoint pt, int* segment, int* orientation, int tolerance) const;

  // First wire of doc, in list order, under pt (tolerance 4); null when none.
  static CConnectLineObj* FindAt(const CZaradDoc* doc, CPoint pt);
  // Number of wires of doc passing through pt (tolerance 1).
  static int CountConnectionsAt(const CZaradDoc* doc, CPoint pt);

  // Deletes every wire of doc that has end faults (after a load: the ends
  // were resolved while the wires were read) and reports each one, in list order.
  static std::vector<WireFaultReport> DropFaultyConnections(CZaradDoc* doc);

  // Copies the ends, blocks, numbers, pins, m_nReserved1 and the polyline of
  // src (not the junctions, the selection or the drag state); null does nothing.
  void CopyFrom(const CConnectLineObj* src);

  // ---- Fields, in declaration order -----------------------------------------
  CPoint m_ptStart;                    // point of the start end
  CPoint m_ptEnd;                      // point of the end end
  int m_nStartNumber = 0;              // OperandNumber of the block at the start end
  int m_nEndNumber = 0;                // OperandNumber of the block at the end end
  int m_nStartPin = 0;                 // pin index (0-19) at the start block
  int m_nEndPin = 0;                   // pin index (0-19) at the end block
  std::vector<CPoint> m_points;        // the polyline (a standard route has 6 points)
  CBlockObj* m_pStartBlock = nullptr;  // block at the start end (not owned)
  CBlockObj* m_pEndBlock = nullptr;    // block at the end end (not owned)
  CZaradDoc* m_pDoc = nullptr;         // document that read the wire from an archive
  int m_bMark = 0;                     // scratch mark of the view's group operations
  int m_bSelected = 0;                 // selected in the view
  int m_nReserved1 = 1;                // kept in the record and copied, no other use
  int m_nReserved2 = 0;                // kept in the record, no other use
  // Junction slots: slot i other than kNoJunction puts a dot on polyline point i.
  std::vector<CPoint> m_junctions = std::vector<CPoint>(kJunctionSlots, kNoJunction);
  int m_bEndDrag = 0;  // the view moves one end of the wire with its block
  int m_nDragEnd = 0;  // which end moves: -1 start, 1 end, 0 none

 private:
  BOOL HitTestImpl(CPoint pt, int* segment, int* orientation, int tolerance, const CSize* dragDelta) const;
};
