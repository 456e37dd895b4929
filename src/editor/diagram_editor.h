// CDiagramEditor: the editor core of one diagram view, without a window. It owns
// what the view knows beyond the document: the tool mode, the three selection
// lists and the current objects, the wire being drawn, the rubber band, the
// colours, the zoom (stored in the document) and the scroll position, and the
// simulation of the document (a CScanDriver). It is the CViewContext that the
// blocks are drawn and evaluated in: the clock, the scan time, the run and
// step states and the time texts come from the scan driver.
//
// The window that shows it (CZaradView) turns input into calls on it, in
// diagram units, and paints what Draw draws; the core reaches the window only
// through its host (repaint requests, scroll state, the cursor). Every point
// the core takes or gives is in diagram units unless its name says client.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "editor/editor_input.h"
#include "editor/scan_driver.h"
#include "model/connect_line_obj.h"
#include "model/diagram_draw.h"
#include "model/view_context.h"
#include "platform/command_target.h"
#include "platform/types.h"

class CBlockComment;
class CBlockObj;
class CDC;
class CJunctionIndex;
class CZaradDoc;

// Colours of the diagram painting (0x00BBGGRR).
constexpr COLORREF kViewSurroundColour = kDiagramSurround;  // area round the FBD base
constexpr COLORREF kViewBaseColour = kDiagramBackground;    // initial FBD base fill
constexpr COLORREF kViewBandColour = 0x000080;              // rubber band frame
constexpr COLORREF kViewPreviewColour = 0x000000;           // wire-tool preview line

// Captions of the colour dialogs.
constexpr UINT kWireColourCaption = 305;        // "Set the linked line color"
constexpr UINT kBackgroundColourCaption = 303;  // "Set the logic view background color"

// Message numbers a document's message texts can hold.
constexpr int kMessageNumberCount = 16;

// What the core needs of the window that shows it. Every member has a quiet
// default, so a core without a window (tests, tools) needs none.
class CDiagramEditorHost {
 public:
  virtual ~CDiagramEditorHost() = default;
  // The view's one repaint request: the whole client area, without erasing.
  virtual void InvalidateDiagram() {}
  // The scroll range, steps or position changed: the window shows them.
  virtual void OnScrollStateChanged() {}
  // The mouse cursor in client coordinates; false when unknown.
  virtual bool GetCursorClientPos(CPoint* out) const { return false; }
  // Block Properties for the current block or comment (double click, a placed contact).
  virtual void OpenBlockProperties() {}
  // The cursor to show over the diagram (ViewCursor).
  virtual void SetViewCursor(int /*cursor*/) {}
  // Runs a command after the current event (the function keys' commands).
  virtual void PostCommand(UINT /*id*/) {}
  // Hands a device operation (WM_DEVICE_OPERATION code) to the main window.
  virtual void PostDeviceOperation(int /*code*/) {}
  // The colour dialog with a caption from the string table; true with *colour
  // set when the user chose one.
  virtual bool ChooseColour(UINT /*captionId*/, COLORREF* /*colour*/) { return false; }
  // The page layout dialog on the two counts; true when accepted.
  virtual bool RunPageLayoutDialog(int* /*across*/, int* /*down*/) { return false; }
  // Auto-scroll moved the diagram under the pointer: the pointer follows by (dx, dy) pixels.
  virtual void MoveCursorBy(int /*dx*/, int /*dy*/) {}
  // A warning beep.
  virtual void Beep() {}
  // Shows the wire tool's hover text at the pointer.
  virtual void ShowPinTip(const CString& /*text*/) {}
  // The status bar's model name shows this text (Undo and Redo may bring back
  // another model).
  virtual void ShowModelName(const CString& /*text*/) {}
  // The extent of a text in the view's current font, and the view's dots per
  // inch (new comments are sized with them).
  virtual CSize MeasureViewText(const CString& text) const;
  virtual int GetLogPixelsY() const { return 96; }
  // The system clipboard's copy of a selection (a payload of CopySelection).
  virtual void SetClipboardPayload(const std::vector<BYTE>& /*bytes*/) {}
  virtual bool GetClipboardPayload(std::vector<BYTE>* /*bytes*/) const { return false; }
  virtual bool HasClipboardPayload() const { return false; }
  // True while the main window holds the device's serial port open.
  virtual bool IsDevicePortOpen() const { return false; }
  // Shows the diagram's window maximised.
  virtual void MaximizeWindow() {}
  // The "Message texts" preview of the simulation: a message became active
  // (open the preview, or bring its page forward), one went off while others
  // stay on, or none is on any more or the simulation ends (close it).
  virtual void MessageTextActivated(int /*number*/) {}
  virtual void MessageTextDeactivated(int /*number*/) {}
  virtual void CloseMessageTexts() {}
  // The analog value pop-up of a simulating view: opened on a block (an
  // analog input, an analog contact, an input in Frequency mode), closed.
  virtual void OpenValuePopup(CBlockObj* /*block*/) {}
  virtual void CloseValuePopup() {}
  // The simulation ended, whichever command ended it (F3, or a tool chosen
  // while simulating): the window stops its clock and hides its bars.
  virtual void SimulationLeft() {}
};

// Which selection list ClearSelection empties.
enum SelectionKind : int { SEL_ALL = 0, SEL_CONNECTIONS = 1, SEL_BLOCKS = 2, SEL_COMMENTS = 3 };

// The message of a refused per-type limit of placing or pasting, by type code; 0 for none.
UINT TypeLimitMessage(int type);

class CDiagramEditor : public CViewContext, public CCommandTarget {
 public:
  // The document is not owned and must outlive the core.
  explicit CDiagramEditor(CZaradDoc* doc);
  ~CDiagramEditor() override;
  CDiagramEditor(const CDiagramEditor&) = delete;
  CDiagramEditor& operator=(const CDiagramEditor&) = delete;

  // The window side; null for none. Not owned.
  void SetHost(CDiagramEditorHost* host) { m_pHost = host; }
  CScanDriver& GetScanDriver() { return m_driver; }
  const CScanDriver& GetScanDriver() const { return m_driver; }

  // ---- Lifecycle ---------------------------------------------------------------
  // After the document was made new or loaded: nothing selected or current, no
  // wire or band, the scroll sizes of the page at the document's zoom, the
  // message numbers its message texts hold.
  void OnInitialUpdate();
  // 1 while a message text of the document holds that number (0..15).
  bool IsMessageNumberUsed(int number) const;

  // ---- Tool mode -----------------------------------------------------------------
  // EditMode; MODE_SIMULATION while the document simulates here.
  void SetEditMode(int mode) { m_nEditMode = mode; }
  bool IsSimulating() const { return m_nEditMode == MODE_SIMULATION; }
  // The palette pick: ignored while the document is locked; leaves simulation
  // first; then the picked mode, and for MODE_PLACE_BLOCK the picked block type,
  // abandoning a wire in progress.
  void OnPalettePick(int mode, int typeCode);
  // The block type each click places in MODE_PLACE_BLOCK.
  int GetPaletteType() const { return m_nPaletteType; }

  // ---- Simulation ------------------------------------------------------------------
  // Enters simulation with the clock at clockStart: the tool mode is
  // MODE_SIMULATION, the wire in progress and the band are dropped and the
  // scan driver gives the blocks their start state.
  void EnterSimulation(const SYSTEMTIME& clockStart);
  // Back to MODE_SELECT with the blocks quiet; nothing happens outside simulation.
  void LeaveSimulation();
  // One scan of the simulation (CScanDriver::Scan) with the core as the blocks'
  // context; with a context the blocks are drawn too. Nothing outside simulation.
  void Scan(CDC* dc = nullptr) { m_driver.Scan(dc); }
  // A click on the diagram in simulation: an input, function key or ladder
  // contact on one toggles (only while running and not stepping), one in
  // Frequency mode, an analog input or a free analog contact opens the value
  // pop-up, anything else closes it.
  void SimulationClick(CPoint p);
  // The release after it: a momentary input goes back to its rest state.
  void SimulationRelease(CPoint p);
  // Switches an input or function key (its output), or a ladder contact with
  // every other contact of its operand, on or off.
  void SetSimInput(CBlockObj* block, int on);

  // ---- Selection and current objects ------------------------------------------------
  // The lists hold exactly the objects whose own selected flag is set.
  void SelectBlock(CBlockObj* block, bool select = true);
  void SelectConnection(CConnectLineObj* wire, bool select = true);
  void SelectComment(CBlockComment* comment, bool select = true);
  // Empties a list (SelectionKind), clearing the flags of its objects.
  void ClearSelection(int kind = SEL_ALL);
  const std::vector<CBlockObj*>& GetSelectedBlocks() const { return m_selBlocks; }
  const std::vector<CConnectLineObj*>& GetSelectedConnections() const { return m_selConnections; }
  const std::vector<CBlockComment*>& GetSelectedComments() const { return m_selComments; }
  bool HasSelection() const;

  // The current block, connection and comment: the last one clicked or placed.
  // Independent of the selection lists; null for none.
  void SetCurrentBlock(CBlockObj* block) { m_pCurBlock = block; }
  void SetCurrentConnection(CConnectLineObj* wire) { m_pCurConnection = wire; }
  void SetCurrentComment(CBlockComment* comment) { m_pCurComment = comment; }
  CBlockObj* GetCurrentBlock() const { return m_pCurBlock; }
  CConnectLineObj* GetCurrentConnection() const { return m_pCurConnection; }
  CBlockComment* GetCurrentComment() const { return m_pCurComment; }

  // An object leaves the document: every pointer the core holds to it goes
  // (selection list, current object). Call before it is destroyed.
  void ForgetBlock(const CBlockObj* block);
  void ForgetConnection(const CConnectLineObj* wire);
  void ForgetComment(const CBlockComment* comment);

  // ---- Pointer bookkeeping -----------------------------------------------------------
  // The last mouse point (every press and move) and the last button press.
  void SetLastMouse(CPoint pt) { m_ptLastMouse = pt; }
  CPoint GetLastMouse() const { return m_ptLastMouse; }
  void SetLastClick(CPoint pt) { m_ptLastClick = pt; }
  CPoint GetLastClick() const { return m_ptLastClick; }
  // What the last right-button press hit (it chooses the context menu).
  void SetRightClickHits(bool block, bool connection, bool comment);
  bool RightClickHitBlock() const { return m_bRClickBlock != 0; }
  bool RightClickHitConnection() const { return m_bRClickConnection != 0; }
  bool RightClickHitComment() const { return m_bRClickComment != 0; }
  // Top-left corner of the group being pasted.
  void SetPasteOrigin(CPoint pt) { m_ptPasteOrigin = pt; }
  CPoint GetPasteOrigin() const { return m_ptPasteOrigin; }
  // Connection operations take an undo snapshot only while this is set.
  void SetAutoSnapshot(bool on) { m_bAutoSnapshot = on ? 1 : 0; }
  bool IsAutoSnapshot() const { return m_bAutoSnapshot != 0; }

  // ---- The wire being drawn ------------------------------------------------------------
  // The source pin was picked at start: one click made, the preview from start
  // to start. dragged: started by pressing on a pin in MODE_PLACE_BLOCK.
  void BeginWire(CPoint start, bool dragged = false);
  // The preview line's free end follows the pointer.
  void TrackWire(CPoint pt);
  // No wire in progress any more (repaints when there was one).
  void AbandonWire();
  bool IsWireInProgress() const { return m_nWireClicks > 0; }
  bool IsDraggedWire() const { return m_bDragWire != 0; }
  CPoint GetWireStart() const { return m_ptWireStart; }
  // The wire in progress: its preview runs from m_ptStart to m_ptEnd. Never in the document.
  CConnectLineObj& GetNewWire() { return m_newWire; }
  const CConnectLineObj& GetNewWire() const { return m_newWire; }
  // Verdict of the last pin check: 0 allowed, 1 incompatible, 2 forbidden loop.
  void SetLinkVerdict(int verdict) { m_nLinkVerdict = verdict; }
  int GetLinkVerdict() const { return m_nLinkVerdict; }

  // ---- Wiring (wiring.cpp) --------------------------------------------------------------
  // One wire-tool step at p: the first picks the source pin, the second
  // completes the connection with every refusal. block and pin name the pin
  // directly; force skips the refusals that may be skipped (and the loop test).
  void ConnectPins(CPoint p, CBlockObj* block = nullptr, int pin = -1, bool force = false);
  // Connects (from, fromPin) to (to, toPin) with the wire tool's checks and
  // routing, for programmatic callers: no hit test by point, no hover verdict,
  // no undo snapshot. The new connection, or null when refused. The ladder
  // power bus as `from` starts the wire at the bus (fromPin is not used).
  CConnectLineObj* ConnectBlockPins(CBlockObj* from, int fromPin, CBlockObj* to, int toPin,
                                    bool force = false);
  // Adds a routed connection without any check and without a snapshot.
  CConnectLineObj* AddDirectConnection(CPoint start, CBlockObj* startBlock, int startPin, CPoint end,
                                       CBlockObj* endBlock, int endPin);
  // Whether the output of `source` may drive input `pin` of `target` (a
  // connector half stands for the block at the far end of its pair).
  bool AreSignalsCompatible(const CBlockObj* source, const CBlockObj* target, int pin) const;
  // Each end's pin takes the number of the block at the other end.
  void WritePinLinks(const CConnectLineObj* wire);
  // The hover check under p: sets the link verdict and returns the tip text
  // it shows (empty: none).
  CString ShowPinTip(CPoint p);
  // Moves the grabbed end of the current connection to (block, pin); false,
  // with nothing changed, when the link is refused.
  bool ReattachWireEnd(CPoint p, CBlockObj* block, int pin);
  int CountPinConnections(const CBlockObj* block, int pin) const;
  // Junction dots of a wire against the other wires at the pin (pruned when asked).
  void UpdateJunctions(CConnectLineObj* wire, const CBlockObj* block, bool prune, int pin);
  int FindJunction(CConnectLineObj* a, CConnectLineObj* b, int pin);
  void PruneJunctions(const std::vector<CConnectLineObj*>& wires);
  // Tidies the path of a wire whose blocks moved (3, 4 and 6 points).
  void NormalizeWirePath(CConnectLineObj* wire);
  // Feedback loops: nonzero when the link would close a loop the diagram does
  // not allow. The ladder test counts `wire` among the document's wires.
  int CheckFbdRecursion(const CConnectLineObj* wire, const CBlockObj* target, int pin) const;
  int CheckLadderLoop(const CConnectLineObj* wire);

  // Go To Block: scrolls the block's corner (at the zoom) to the middle of the
  // window and makes the block the only selected object.
  void CenterOnBlock(int number);

  // ---- Clipboard (clipboard.cpp) ---------------------------------------------------------
  // Copy: the selected blocks and comments, the connections among them and
  // complete connector pairs, as the clipboard payload; empty when nothing
  // that can be copied is selected. The source's kind, model, firmware and
  // character sets travel in the payload.
  std::vector<BYTE> CopySelection();
  // Paste of a payload: every check in order (language, model, firmware,
  // limits, named blocks, memory, per-type limits); the pasted objects get
  // numbers of this document, keep the wires among them, land at the last
  // click and become the selection, with one undo snapshot. A refused or
  // damaged payload changes nothing and keeps the selection.
  bool PasteSelection(const std::vector<BYTE>& bytes);

  // ---- Convert to FBD (ladder_convert.cpp) --------------------------------------------
  // Builds this (new, empty FBD) document from a ladder document, which is
  // not changed: the logic of every rung, the layout in columns, the wires
  // rebuilt from the links and crossing wires separated. Takes no snapshot.
  void ConvertLadderToFbd(const CZaradDoc& ladder);
  void LayoutConvertedDiagram();
  int RebuildConnectionsFromLinks();

  // ---- Comments (comments.cpp) ----------------------------------------------------------
  // A new comment "Comment" at p (pulled into the base), added to the
  // document; null, after the base message, outside the base.
  CBlockComment* CreateCommentAt(CPoint p);
  // The click of the Insert Comments tool: a comment on free space, one undo step.
  void InsertCommentAt(CPoint p);

  // ---- Connector pairs (connector_pairs.cpp) -----------------------------------------
  // Replaces the current connection by a male half at its source and a female
  // half at its destination (female number = male number + 2000), with one
  // undo snapshot; false, with nothing changed, when refused.
  bool SeparateConnection();
  // Joins the pair of the current connection or current half back into one
  // connection; false, with the pair kept, when the direct link is refused.
  bool JoinConnectorPair();
  // A click in the cut/join tool: separates a wire or joins a pair under p.
  void CutJoinAt(CPoint p);
  // The current half's partner becomes the selection and the current block.
  void GoToPartner();
  // Separates every wire that crosses a block body; returns 0. With
  // keepTextsClear (a diagram laid out by the program: conversion, upload) a
  // wire that crosses another block's texts is separated too, and the halves
  // stand where neither they nor their labels lie over a block's texts.
  int SeparateCrossingConnections(bool keepTextsClear = false);
  // Programmatic building of a whole diagram (upload, conversion): build()
  // runs with an index of the blocks, wires and pins kept up to date by
  // ConnectBlockPins and SeparateCrossingConnections, so that each link and
  // each separation looks only at its neighbourhood. build() may only add
  // wires through those two and must not move or delete blocks.
  void RunBatch(const std::function<void()>& build);
  // Whether both real blocks of a half's pair are selected (copying keeps the pair).
  bool IsConnectorPairComplete(const CBlockObj* half) const;
  // The other half of a connector pair; null when missing.
  CBlockObj* FindPartner(const CBlockObj* half) const;
  // The placement search of a new half: the first free grid offset, or none.
  bool IsSpotOccupied(const CBlockObj* half, int dx, int dy) const;
  void PlaceConnectorHalf(CBlockObj* half);

  // ---- The rubber band -----------------------------------------------------------------
  // A press on empty space: MODE_SELECT_RECT with a band from pt to pt.
  void BeginBand(CPoint pt);
  // The band's free corner follows the pointer (repaints).
  void TrackBand(CPoint pt);
  // The release: back to MODE_SELECT; the band, normalised, is returned.
  CRect EndBand();
  // The band as drawn (not normalised).
  const CRect& GetBand() const { return m_rcBand; }

  // ---- Colours ------------------------------------------------------------------------
  COLORREF GetBackgroundColour() const { return m_crBackground; }
  void SetBackgroundColour(COLORREF colour);
  COLORREF GetWireColour() const { return m_crWire; }
  void SetWireColour(COLORREF colour);
  COLORREF GetPreviewColour() const { return m_crPreview; }

  // ---- Zoom and scrolling ---------------------------------------------------------------
  // The zoom lives in the document.
  float GetZoom() const;
  bool CanZoomIn() const;
  bool CanZoomOut() const;
  // Stores the zoom in the document, clamped to 0.25 .. 4.0.
  void StoreZoom(float zoom);
  // Sets the zoom and keeps the diagram point at the window's centre in place
  // (from below 1.0: goes to the top-left corner); repaints.
  void SetZoom(float zoom);
  void ZoomIn();
  void ZoomOut();
  // Recomputes the scroll extent (page rectangle times zoom) and steps.
  void UpdateScrollSizes();
  // Scroll extent and steps in client pixels.
  CSize GetTotalSize() const { return m_sizeTotal; }
  CSize GetPageStep() const { return m_sizePageStep; }
  CSize GetLineStep() const { return m_sizeLineStep; }
  // The window's client size in pixels; the scroll position stays in range.
  void SetClientSize(CSize size);
  CSize GetClientSize() const { return m_sizeClient; }
  // Scroll position in client pixels, kept within 0 .. GetMaxScrollPosition.
  CPoint GetScrollPosition() const { return m_ptScroll; }
  CPoint GetMaxScrollPosition() const;
  void ScrollTo(CPoint pos);
  // Client pixels to diagram units and back at the zoom and scroll position.
  CPoint ClientToDiagram(CPoint client) const;
  CPoint DiagramToClient(CPoint diagram) const;
  // The part of the diagram the client area shows, in diagram units.
  CRect GetVisibleRect() const;
  // Scrolls so that the diagram point shows at the client's top-left corner
  // (as near as the scroll range allows).
  void ScrollToDiagramPoint(CPoint diagram);

  // ---- Painting -------------------------------------------------------------------------
  // Sets the zoom mapping, with the viewport origin at minus the scroll
  // position, on the context; returns the previous mapping mode.
  int ApplyZoomMapping(CDC* dc) const;
  // The surround over the clip box, the page and the diagram, on a context
  // that carries the zoom mapping.
  void Draw(CDC* dc);
  // The base, its frame and page divisions and, in ladder documents, the power bus.
  void DrawPage(CDC* dc);
  // Blocks, connections, comments and tool feedback; screen 1 on the screen, 0 printing.
  void DrawDiagram(CDC* dc, int screen);
  void DrawWirePreview(CDC* dc);
  // The document painter's options for the colours and mode.
  DiagramDrawOptions GetDrawOptions(int screen) const;
  // The host's repaint request.
  void InvalidateDiagram();

  // ---- Mouse and keys (diagram_input.cpp) ----------------------------------------
  // Every point is in diagram units; flags are MK_* key-state flags. While the
  // document is locked the presses and the double click do nothing.
  void OnLButtonDown(CPoint p, UINT flags);
  void OnLButtonUp(CPoint p, UINT flags);
  void OnLButtonDblClk(CPoint p, UINT flags);
  void OnRButtonDown(CPoint p, UINT flags);
  void OnRButtonUp(CPoint p, UINT flags);
  // A move with the pointer inside the client area.
  void OnMouseMove(CPoint p, UINT flags);
  // A key (VK_*); ctrl says whether Ctrl is held. False when the core did not use it.
  bool OnKeyDown(UINT key, bool ctrl);
  // The context menu after a right release: the pop-up of menu 141 to show
  // (ContextPopup), with the selection adjusted as the pop-up needs;
  // POPUP_NONE when the chosen kind has no current object.
  int ChooseContextMenu();
  // The cursor the last move asked for (ViewCursor).
  int GetViewCursor() const { return m_nCursor; }

  // ---- Selection and moving (diagram_select.cpp) -------------------------------------
  // The press in MODE_SELECT: what is selected and which drag follows (the new mode).
  int SelectAtPoint(CPoint p, UINT flags);
  // Selects what the rubber band touches: blocks and comments that it
  // intersects, wires whose two blocks are both selected.
  void SelectInBand();
  // The first selected object under p, or null.
  CBlockObj* HitSelectedBlock(CPoint p) const;
  CBlockObj* HitSelectedBlockWithPins(CPoint p) const;
  CConnectLineObj* HitSelectedConnection(CPoint p) const;
  CBlockComment* HitSelectedComment(CPoint p) const;
  // The pin of a block under p (inputs widened 2 left, 1 right and 1 up and
  // down; outputs 2 right), or -1.
  static int HitTestPin(const CBlockObj* block, CPoint p);
  // Moves the selection by d with its wires; key is the arrow key or 0 for the mouse.
  void MoveSelection(CSize d, UINT key = 0);
  // Moves one segment of a wire (an arrow key, a wire drag or a block drag).
  void MoveWireSegment(int dx, int dy, CConnectLineObj* wire, UINT key = 0);
  // Whether the leg being moved would come within 5 units of the wrong side of its pin.
  bool LegTooCloseToPin(int x, const CConnectLineObj* wire) const;
  // Scrolls by up to 100 pixels when a drag comes within 10 pixels of an edge
  // (client is the pointer in client pixels).
  void AutoScroll(bool dragging, CPoint client);
  // Undoes the last step to (x, y) when it took anything over the base's margins.
  void KeepSelectionInPage(CPoint p);
  // Placement: false (after the message) when *p lies outside the base; a
  // point in the margin is pulled onto it. comment gives a comment's margins.
  bool CheckPointInBase(CPoint* p, const CBlockComment* comment = nullptr);
  // After a drag: puts the selected blocks (or else comments) back where the
  // drag began when one lies outside the base, with message 339; true then.
  bool RevertMoveOutsideBase();
  // Re-routes every wire at both ends.
  void RerouteAllConnections();
  // Ends a wire in progress.
  void CancelWiring();
  void PlaceSourceColumns(CBlockObj* block, int pin, int* maxColumn, int* rows,
                          std::map<const CBlockObj*, CPoint>& cells);
  // Clipboard steps (clipboard.cpp).
  void CompletePairsForCopy();
  bool ReadPastePayload(const std::vector<BYTE>& bytes, struct PastePayload* p, CString* error) const;
  bool CheckPasteCompatibility(const struct PastePayload& p, CString* message, int* withConnections);
  bool CheckPasteLimits(const struct PastePayload& p);
  void InsertPastedContent(struct PastePayload& p, bool withConnections);
  // Wiring steps (wiring.cpp).
  CBlockObj* PowerBus() const;
  bool InBusPickZone(CPoint p) const;
  bool IsLiveBlock(const CBlockObj* block) const;
  int LinkVerdict(const CBlockObj* fixed, int fixedPin, const CBlockObj* target, int pin,
                  bool maleRule) const;
  bool BeginConnection(CPoint p, CBlockObj* block, int pin, bool force);
  CConnectLineObj* CompleteConnection(CPoint p, CBlockObj* block, int pin, bool force);
  CConnectLineObj* FinishConnection(bool force);
  void MarkJunctionsOfNewWire(CConnectLineObj* wire);
  bool MovedEndLoops(CConnectLineObj* wire, CBlockObj* block, int pin);
  bool FindUpstreamBlock(const CBlockObj* goal, int goalPin, const CBlockObj* link, int linkPin,
                         const CBlockObj* current, int currentPin, struct UpstreamWalk& walk) const;
  // Every selected block and comment remembers its position as its drag start.
  void BeginDrag();
  // The left release of a block or comment drag, or of a wire drag.
  void EndDrag();
  void EndWireDrag(CPoint p);
  // One step of a wire drag to p.
  void WireDragStep(CPoint p);
  // Wires of the document with the block at either end.
  std::vector<CConnectLineObj*> CollectBlockConnections(const CBlockObj* block) const;
  // Wires of the document at a block's pin.
  std::vector<CConnectLineObj*> CollectPinConnections(const CBlockObj* block, int pin) const;
  void ClearWalkMarks(bool wires);

  // ---- Placing, deleting, undo (diagram_edit.cpp) ----------------------------------
  // Checks the limits and builds a block of the type at p (not yet in the
  // document); null, after its message, when refused or when the type has no class.
  std::unique_ptr<CBlockObj> PlaceNewBlock(int typeCode, CPoint p);
  // The placement click at p in MODE_PLACE_BLOCK.
  void PlaceAt(CPoint p);
  // Deletes the selection and everything that cannot live without it, then
  // renumbers the function blocks densely from 9000. Takes no snapshot.
  void DeleteSelection();
  void RenumberFunctionBlocks();
  // Every wire takes its blocks' numbers; each block's link at the wire's pin the other's.
  void SyncConnectionNumbers();
  // After a block changed its number from oldNumber: its wires and the pins they feed.
  void RefreshConnectionNumbers(int oldNumber);
  // Drops every parameter reference and data-log item that names the block.
  void RemoveReferencesToBlock(const CBlockObj* block);
  void RemoveMsgTextRefsToBlock(const CBlockObj* block);
  void RemoveMsgTextRefsByNumber(int number);
  void RefreshMsgTextRefNumbers();
  // Undo and Redo through the document's undo store; nothing selected after.
  void Undo();
  void Redo();
  // Lines the selected blocks and comments up on the first selected block:
  // 0 vertically (its x), 1 horizontally (its y).
  void AlignSelection(int horizontal);
  void SelectAll();
  // Escape: ends a wire or the simulation, back to MODE_SELECT.
  void OnEscape();
  // The page counts; the scroll extent follows.
  void SetPageLayout(int across, int down);
  // The snapshot that ends an edit (the document is marked modified).
  void SaveSnapshot();
  // Recounts the message numbers the document's message texts hold.
  void RefreshMessageNumbers();

  // ---- Commands ------------------------------------------------------------------------
  // The view commands and the editing commands with their enabling rules.
  bool OnCmdMsg(UINT id) override;
  bool OnUpdateCmdUI(CCmdUI* ui) override;

  // ---- CViewContext ------------------------------------------------------------------
  CZaradDoc* GetDocument() const override { return m_pDoc; }
  int GetEditMode() const override { return m_nEditMode; }
  SYSTEMTIME GetScanTime() const override { return m_driver.GetScanTime(); }
  SYSTEMTIME GetSimulatedTime() const override { return m_driver.GetSimulatedTime(); }
  CString FormatSimulatedTime(BOOL abbreviateMonth, int format) const override {
    return m_driver.FormatSimulatedTime(abbreviateMonth, format);
  }
  int GetSimRunState() const override { return m_driver.GetSimRunState(); }
  int GetSimStepState() const override { return m_driver.GetSimStepState(); }
  int GetSimStepUnit() const override { return m_driver.GetSimStepUnit(); }
  CBlockObj* FindBlock(int number) const override { return m_driver.FindBlock(number); }
  unsigned long long GetLinkGeneration() const override { return m_driver.GetLinkGeneration(); }
  bool GetCursorClientPos(CPoint* out) const override;
  void UpdateInputControl(CBlockObj* block) override { m_driver.UpdateInputControl(block); }
  void UpdateOutputControl(CBlockObj* block) override { m_driver.UpdateOutputControl(block); }
  bool RefreshMessageTextDisplay() override;
  int ShowCurrentParameterValue(CBlockObj* block) override {
    return m_driver.ShowCurrentParameterValue(block);
  }

 private:
  void NotifyScrollState();
  bool IsLockedOrSimulating() const;
  void SetCursor(int cursor);
  // The right press's three passes (select-like modes) and the tool modes' pick.
  void RightClickPasses(CPoint p);
  void RightClickPick(CPoint p);
  // The block-drag branch of MoveWireSegment and the legs it moves.
  bool MoveLeg(CConnectLineObj* wire, int s, int dx);

  // The index of RunBatch (blocks, wire segments, pins, connector numbers;
  // connector_pairs.cpp) while it runs; null otherwise.
  struct SeparationIndex;
  SeparationIndex* m_pSeparation = nullptr;
  // The batch's DeleteSelection of a separated wire between plain blocks.
  void DeleteSeparatedWire(CConnectLineObj* wire);
  // During the batch: a new wire is indexed; the wires at a pin in document
  // order (null outside the batch); whether a block is in the document (-1
  // outside the batch).
  void NoteBatchWire(CConnectLineObj* wire);
  const std::vector<CConnectLineObj*>* BatchPinWires(const CBlockObj* block, int pin) const;
  // During the batch: the junction index of a pin (made on first use); null outside it.
  CJunctionIndex* BatchJunctions(const CBlockObj* block, int pin);
  // The junction dots of a wire just added at a pin with other wires: the batch's
  // index when there is one (the same dots, without comparing every pair), else
  // UpdateJunctions.
  void UpdateNewWireJunctions(CConnectLineObj* wire, const CBlockObj* block, int pin);
  int BatchHasBlock(const CBlockObj* block) const;

  CZaradDoc* m_pDoc;
  CDiagramEditorHost* m_pHost = nullptr;
  CScanDriver m_driver;

  int m_nEditMode = MODE_SELECT;
  int m_bAutoSnapshot = 1;
  int m_bMessageNumberUsed[kMessageNumberCount] = {};
  int m_nPaletteType = 0;

  int m_nWireClicks = 0;
  int m_bDragWire = 0;
  CPoint m_ptWireStart;
  CConnectLineObj m_newWire;
  int m_nLinkVerdict = 0;
  CRect m_rcBand;

  CBlockObj* m_pCurBlock = nullptr;
  CConnectLineObj* m_pCurConnection = nullptr;
  CBlockComment* m_pCurComment = nullptr;
  std::vector<CBlockObj*> m_selBlocks;
  std::vector<CConnectLineObj*> m_selConnections;
  std::vector<CBlockComment*> m_selComments;

  CPoint m_ptLastMouse;
  CPoint m_ptLastClick;
  CPoint m_ptPasteOrigin;
  int m_bRClickBlock = 1;
  int m_bRClickConnection = 1;
  int m_bRClickComment = 1;

  COLORREF m_crBackground = kViewBaseColour;
  COLORREF m_crWire = 0x000000;
  COLORREF m_crPreview = kViewPreviewColour;

  CSize m_sizeTotal;  // scroll extent in client pixels: page extent times zoom
  CSize m_sizePageStep;
  CSize m_sizeLineStep;
  CSize m_sizeClient;
  CPoint m_ptScroll;

  int m_nCursor = 0;           // ViewCursor
  int m_nDragSegment = 0;      // segment of the wire being dragged
  int m_nDragOrientation = 0;  // 0 vertical, 1 horizontal, -1 an end or corner
};
