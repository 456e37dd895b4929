// Drawing a whole document the way the diagram view shows it: the grey area
// around the base, the base with its frame and page divisions, the ladder
// power bus, the blocks, the wires and the comments, in that order (later
// items cover earlier ones). The view, printing and image export all use it;
// the view's mapping mode on the context gives the zoom.
#pragma once

#include "platform/types.h"

class CBlockObj;
class CDC;
class CViewContext;
class CZaradDoc;

// Drawing colours of elements (0x00BBGGRR).
constexpr COLORREF kDrawBlack = 0x000000;     // the editing look
constexpr COLORREF kDrawStateOn = 0x0000FF;   // red: value 1 in simulation
constexpr COLORREF kDrawStateOff = 0xFF0000;  // blue: value 0 in simulation
// The state colour of an output value: red for 1, blue otherwise.
inline COLORREF OutputStateColour(int value) {
  return value == 1 ? kDrawStateOn : kDrawStateOff;
}
// Width of the ladder power bus.
constexpr int kPowerBusWidth = 4;

constexpr COLORREF kDiagramSurround = 0x808080;     // around the base
constexpr COLORREF kDiagramBackground = 0xB4B4B4;   // the base's initial fill
constexpr COLORREF kPageDivisionColour = 0x62C400;  // page divisions inside the base

struct DiagramDrawOptions {
  COLORREF background = kDiagramBackground;  // the base fill (the view's m_crBackground)
  COLORREF wireColour = 0x000000;            // wires outside simulation (the view's m_crWire)
  bool printing = false;                     // selected elements are drawn plainly
  // Simulation look: each block's DrawSimulated (its state colour or black,
  // and its value box), wires in the colour of the value at their output end.
  // The scan itself is the view's.
  bool simulating = false;
  // A stopped simulation draws every block and wire in one colour (black, or
  // blue while the power is cut before the first start).
  bool simulationStopped = false;
  COLORREF stoppedColour = 0x000000;
  // Only elements that may reach into the clip box of the context are drawn.
  bool cullToClip = true;
  // The view's current block, drawn once more with its handles right after
  // the blocks (under the wires and comments); null for none. In a stopped
  // simulation it is drawn in black with its handles.
  CBlockObj* currentBlock = nullptr;
};

// The base: (0, 0) to (pages across x page width, pages down x page height),
// or the document's diagram extent when it has no page size.
CRect GetDiagramPageRect(const CZaradDoc& doc);

// Fills the clip box with the surround colour, then DrawDiagramPage and DrawDiagramElements.
void DrawDocument(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options);
// The base fill, its frame and page divisions and, in a ladder document, the
// power bus in black (made with the document: CZaradDoc::MakePowerBus).
void DrawDiagramPage(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options);
// Blocks in list order (selected ones with their handles), the current block
// once more, wires, in simulation the ladder power bus again in the colour of
// signal 1, and comments.
void DrawDiagramElements(CDC* dc, CZaradDoc& doc, CViewContext* view, const DiagramDrawOptions& options);
