// CViewContext: what blocks need of the diagram view they are evaluated and
// drawn in (its document, the scan time, the tool mode, the child frame's
// simulated clock and the simulation bar state). The diagram view implements
// it; tests use a fake. Blocks never keep the pointer beyond one call.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

class CBlockObj;
class CZaradDoc;

// The view's tool mode.
enum EditMode : int {
  MODE_SELECT = 0,
  MODE_PLACE_BLOCK = 1,
  MODE_CONNECT = 2,
  MODE_MOVE_BLOCKS = 3,
  MODE_MOVE_WIRE = 4,
  MODE_RESIZE_BASE = 5,
  MODE_SELECT_RECT = 6,
  MODE_INSERT_COMMENT = 8,
  MODE_MOVE_COMMENTS = 9,
  MODE_CUT_JOIN = 13,
  MODE_SIMULATION = 100,
};

// State of the simulation control bar.
enum SimRunState : int { SIM_STOPPED = 0, SIM_SUSPENDED = 1, SIM_RUNNING = 2 };
enum SimStepState : int { SIM_STEP_OFF = 0, SIM_STEP_READY = 1, SIM_STEP_STEPPING = 2 };
// Step unit: 0 "Cycles", 1 "s", 2 "m", 3 "h".
enum SimStepUnit : int {
  SIM_UNIT_CYCLES = 0,
  SIM_UNIT_SECONDS = 1,
  SIM_UNIT_MINUTES = 2,
  SIM_UNIT_HOURS = 3
};

class CViewContext {
 public:
  virtual ~CViewContext() = default;

  // The view's document (the block's document). Never null for a real view.
  virtual CZaradDoc* GetDocument() const = 0;
  // CZaradView::m_stScanTime: the simulated clock read once at the start of the repaint.
  virtual SYSTEMTIME GetScanTime() const = 0;
  // The block of the view's document with that number (the power bus of a
  // ladder document for its number), null when none. The default asks the
  // document; a view that scans keeps an index (defined in block_eval.cpp).
  virtual CBlockObj* FindBlock(int number) const;
  // What a block works out from the other blocks alone (the operands a range
  // reads, whether its links lead back to it) it may keep from one scan to the
  // next while this number stays the same: it changes whenever the document's
  // blocks, their order, kinds, numbers or input links may have changed, and
  // never comes back. 0 (the default): nothing may be kept.
  virtual unsigned long long GetLinkGeneration() const { return 0; }
  // The view's tool mode (EditMode).
  virtual int GetEditMode() const = 0;
  // True while the view holds a dragged wire by one of its ends (MODE_MOVE_WIRE
  // frames the pin under the cursor only then).
  virtual bool IsDraggingWireEnd() const { return false; }
  // True when the view is the diagram view itself (not a print or preview stand-in).
  virtual bool IsDiagramView() const { return true; }

  // The child frame's simulated clock (CChildFrame::GetSimulatedTime).
  virtual SYSTEMTIME GetSimulatedTime() const = 0;
  // CChildFrame::FormatSimulatedTime: format 0 weekday, month, day, year and
  // 12-hour time; 1 month (abbreviated on request), day and year; 3 "%02d" x 6.
  virtual CString FormatSimulatedTime(BOOL abbreviateMonth, int format) const = 0;

  // Simulation control bar state (SimRunState, SimStepState, SimStepUnit).
  virtual int GetSimRunState() const = 0;
  virtual int GetSimStepState() const = 0;
  virtual int GetSimStepUnit() const = 0;

  // Whether simulated time advances for a block: running without stepping, or
  // stepping; timeUnitOnly further requires a time step unit (not "Cycles").
  bool IsTimeAdvancing(bool timeUnitOnly) const {
    const int step = GetSimStepState();
    if (step == SIM_STEP_OFF) return GetSimRunState() == SIM_RUNNING;
    if (step != SIM_STEP_STEPPING) return false;
    return !timeUnitOnly || (GetSimStepUnit() >= SIM_UNIT_SECONDS && GetSimStepUnit() <= SIM_UNIT_HOURS);
  }

  // The mouse cursor in the view's client coordinates; false when unknown.
  virtual bool GetCursorClientPos(CPoint* out) const { return false; }

  // Inputs and Outputs simulation bars: show the state of an input or output block.
  virtual void UpdateInputControl(CBlockObj* block) {}
  virtual void UpdateOutputControl(CBlockObj* block) {}
  // Hands a block's live value to its open modeless parameter sheets; returns how many.
  virtual int ShowCurrentParameterValue(CBlockObj* block) { return 0; }
  // Scans the document's message-text blocks and opens, updates or closes the
  // "Message texts" preview. False when the view has no preview: a message-text
  // block then scans itself.
  virtual bool RefreshMessageTextDisplay() { return false; }
};
