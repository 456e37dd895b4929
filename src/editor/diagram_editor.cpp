#include "editor/diagram_editor.h"

#include <algorithm>
#include <iterator>

#include "editor/view_geometry.h"
#include "model/block_codes.h"
#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/msgtext_display.h"
#include "platform/cdc.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"

namespace {

// Adds or removes an object in a selection list, keeping its flag in step.
template <typename T>
void SetSelected(std::vector<T*>& list, T* object, bool select) {
  if (object == nullptr) return;
  auto it = std::find(list.begin(), list.end(), object);
  if (select) {
    if (it == list.end()) list.push_back(object);
  } else if (it != list.end()) {
    list.erase(it);
  }
  object->m_bSelected = select ? 1 : 0;
}

template <typename T>
void ClearList(std::vector<T*>& list) {
  for (T* object : list) object->m_bSelected = 0;
  list.clear();
}

template <typename T>
void Forget(std::vector<T*>& list, const T* object) {
  list.erase(std::remove(list.begin(), list.end(), object), list.end());
}

}  // namespace

CDiagramEditor::CDiagramEditor(CZaradDoc* doc) : m_pDoc(doc), m_driver(doc) {
  m_driver.SetBlockContext(this);
}

CDiagramEditor::~CDiagramEditor() = default;

// ---- Lifecycle ------------------------------------------------------------------------

void CDiagramEditor::OnInitialUpdate() {
  // The lists may name objects of the contents that went; their flags are not touched.
  m_selBlocks.clear();
  m_selConnections.clear();
  m_selComments.clear();
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  m_nWireClicks = 0;
  m_bDragWire = 0;
  m_rcBand = CRect();
  UpdateScrollSizes();
  RefreshMessageNumbers();
  InvalidateDiagram();
}

bool CDiagramEditor::IsMessageNumberUsed(int number) const {
  return number >= 0 && number < kMessageNumberCount && m_bMessageNumberUsed[number] != 0;
}

// ---- Tool mode and simulation ---------------------------------------------------------

void CDiagramEditor::OnPalettePick(int mode, int typeCode) {
  if (m_pDoc->m_bLocked) return;
  if (IsSimulating()) LeaveSimulation();
  m_nEditMode = mode;
  if (mode != MODE_PLACE_BLOCK) return;
  m_nPaletteType = typeCode;
  AbandonWire();
}

void CDiagramEditor::EnterSimulation(const SYSTEMTIME& clockStart) {
  if (IsSimulating()) return;
  m_nWireClicks = 0;
  m_bDragWire = 0;
  m_rcBand = CRect();
  ClearSelection(SEL_ALL);
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_nEditMode = MODE_SIMULATION;
  m_driver.EnterSimulation(clockStart);
  InvalidateDiagram();
}

void CDiagramEditor::LeaveSimulation() {
  if (!IsSimulating()) return;
  if (m_pHost) m_pHost->CloseMessageTexts();
  m_driver.LeaveSimulation();
  m_nEditMode = MODE_SELECT;
  if (m_pHost) m_pHost->CloseValuePopup();
  if (m_pHost) m_pHost->SimulationLeft();
  InvalidateDiagram();
}

bool CDiagramEditor::RefreshMessageTextDisplay() {
  const MessageTextScan scan = ScanMessageTexts(m_pDoc, this);
  if (m_pHost == nullptr) return true;
  switch (scan.event) {
    case MessageTextScan::kActivated:
      m_pHost->MessageTextActivated(scan.number);
      break;
    case MessageTextScan::kDeactivated:
      m_pHost->MessageTextDeactivated(scan.number);
      break;
    case MessageTextScan::kAllOff:
      m_pHost->CloseMessageTexts();
      break;
    case MessageTextScan::kNone:
      break;
  }
  return true;
}

// ---- Selection --------------------------------------------------------------------------

void CDiagramEditor::SelectBlock(CBlockObj* block, bool select) {
  SetSelected(m_selBlocks, block, select);
}

void CDiagramEditor::SelectConnection(CConnectLineObj* wire, bool select) {
  SetSelected(m_selConnections, wire, select);
}

void CDiagramEditor::SelectComment(CBlockComment* comment, bool select) {
  SetSelected(m_selComments, comment, select);
}

void CDiagramEditor::ClearSelection(int kind) {
  if (kind == SEL_ALL || kind == SEL_CONNECTIONS) ClearList(m_selConnections);
  if (kind == SEL_ALL || kind == SEL_BLOCKS) ClearList(m_selBlocks);
  if (kind == SEL_ALL || kind == SEL_COMMENTS) ClearList(m_selComments);
}

bool CDiagramEditor::HasSelection() const {
  return !m_selBlocks.empty() || !m_selConnections.empty() || !m_selComments.empty();
}

void CDiagramEditor::ForgetBlock(const CBlockObj* block) {
  Forget(m_selBlocks, block);
  if (m_pCurBlock == block) m_pCurBlock = nullptr;
}

void CDiagramEditor::ForgetConnection(const CConnectLineObj* wire) {
  Forget(m_selConnections, wire);
  if (m_pCurConnection == wire) m_pCurConnection = nullptr;
}

void CDiagramEditor::ForgetComment(const CBlockComment* comment) {
  Forget(m_selComments, comment);
  if (m_pCurComment == comment) m_pCurComment = nullptr;
}

void CDiagramEditor::SetRightClickHits(bool block, bool connection, bool comment) {
  m_bRClickBlock = block ? 1 : 0;
  m_bRClickConnection = connection ? 1 : 0;
  m_bRClickComment = comment ? 1 : 0;
}

// ---- Wire and band -----------------------------------------------------------------------

void CDiagramEditor::BeginWire(CPoint start, bool dragged) {
  m_nWireClicks = 1;
  m_bDragWire = dragged ? 1 : 0;
  m_ptWireStart = start;
  m_newWire.m_ptStart = m_newWire.m_ptEnd = start;
  InvalidateDiagram();
}

void CDiagramEditor::TrackWire(CPoint pt) {
  if (!IsWireInProgress()) return;
  m_newWire.m_ptEnd = pt;
  if (!m_newWire.m_points.empty()) m_newWire.m_points.back() = pt;
  InvalidateDiagram();
}

void CDiagramEditor::AbandonWire() {
  const bool had = IsWireInProgress();
  m_nWireClicks = 0;
  m_bDragWire = 0;
  if (had) InvalidateDiagram();
}

void CDiagramEditor::BeginBand(CPoint pt) {
  m_nEditMode = MODE_SELECT_RECT;
  m_rcBand = CRect(pt, pt);
  InvalidateDiagram();
}

void CDiagramEditor::TrackBand(CPoint pt) {
  if (m_nEditMode != MODE_SELECT_RECT) return;
  m_rcBand.right = pt.x;
  m_rcBand.bottom = pt.y;
  InvalidateDiagram();
}

CRect CDiagramEditor::EndBand() {
  CRect band = m_rcBand;
  band.NormalizeRect();
  if (m_nEditMode == MODE_SELECT_RECT) m_nEditMode = MODE_SELECT;
  InvalidateDiagram();
  return band;
}

// ---- Colours -----------------------------------------------------------------------------

void CDiagramEditor::SetBackgroundColour(COLORREF colour) {
  m_crBackground = colour;
  InvalidateDiagram();
}

void CDiagramEditor::SetWireColour(COLORREF colour) {
  m_crWire = colour;
  InvalidateDiagram();
}

// ---- Zoom and scrolling -------------------------------------------------------------------

float CDiagramEditor::GetZoom() const {
  return m_pDoc->m_fZoom;
}

bool CDiagramEditor::CanZoomIn() const {
  return ::CanZoomIn(m_pDoc->m_fZoom);
}

bool CDiagramEditor::CanZoomOut() const {
  return ::CanZoomOut(m_pDoc->m_fZoom);
}

void CDiagramEditor::StoreZoom(float zoom) {
  m_pDoc->m_fZoom = ClampZoom(zoom);
}

void CDiagramEditor::SetZoom(float zoom) {
  const float old = m_pDoc->m_fZoom;
  const CPoint scroll = m_ptScroll;
  StoreZoom(zoom);
  UpdateScrollSizes();
  ScrollTo(ZoomScrollPosition(old, m_pDoc->m_fZoom, scroll, m_sizeClient));
  InvalidateDiagram();
}

void CDiagramEditor::ZoomIn() {
  SetZoom(ZoomInStep(m_pDoc->m_fZoom));
}

void CDiagramEditor::ZoomOut() {
  SetZoom(ZoomOutStep(m_pDoc->m_fZoom));
}

void CDiagramEditor::UpdateScrollSizes() {
  const ScrollSizes sizes = ComputeScrollSizes(GetDiagramPageRect(*m_pDoc), m_pDoc->m_fZoom);
  m_sizeTotal = sizes.total;
  m_sizePageStep = sizes.page;
  m_sizeLineStep = sizes.line;
  const CPoint max = GetMaxScrollPosition();
  m_ptScroll = CPoint(std::min(m_ptScroll.x, max.x), std::min(m_ptScroll.y, max.y));
  NotifyScrollState();
}

void CDiagramEditor::SetClientSize(CSize size) {
  m_sizeClient = CSize(std::max(0, size.cx), std::max(0, size.cy));
  const CPoint max = GetMaxScrollPosition();
  m_ptScroll = CPoint(std::min(m_ptScroll.x, max.x), std::min(m_ptScroll.y, max.y));
  NotifyScrollState();
}

CPoint CDiagramEditor::GetMaxScrollPosition() const {
  return MaxScrollPosition(m_sizeTotal, m_sizeClient);
}

void CDiagramEditor::ScrollTo(CPoint pos) {
  const CPoint max = GetMaxScrollPosition();
  const CPoint clamped(std::clamp(pos.x, 0, max.x), std::clamp(pos.y, 0, max.y));
  if (clamped == m_ptScroll) return;
  m_ptScroll = clamped;
  NotifyScrollState();
  InvalidateDiagram();
}

CPoint CDiagramEditor::ClientToDiagram(CPoint client) const {
  return ::ClientToDiagram(client, m_ptScroll, m_pDoc->m_fZoom);
}

CPoint CDiagramEditor::DiagramToClient(CPoint diagram) const {
  return ::DiagramToClient(diagram, m_ptScroll, m_pDoc->m_fZoom);
}

CRect CDiagramEditor::GetVisibleRect() const {
  const CPoint topLeft = ClientToDiagram(CPoint(0, 0));
  const CPoint bottomRight = ClientToDiagram(CPoint(m_sizeClient.cx, m_sizeClient.cy));
  return CRect(topLeft, bottomRight);
}

void CDiagramEditor::ScrollToDiagramPoint(CPoint diagram) {
  const CSize pixels = ZoomSize(CSize(diagram.x, diagram.y), m_pDoc->m_fZoom);
  ScrollTo(CPoint(pixels.cx, pixels.cy));
}

void CDiagramEditor::NotifyScrollState() {
  if (m_pHost) m_pHost->OnScrollStateChanged();
}

// ---- Painting -----------------------------------------------------------------------------

int CDiagramEditor::ApplyZoomMapping(CDC* dc) const {
  const int previous = dc->GetMapMode();
  ApplyDiagramZoomMapping(dc, m_pDoc->m_fZoom, m_ptScroll);
  return previous;
}

void CDiagramEditor::Draw(CDC* dc) {
  CRect clip;
  if (dc->GetClipBox(&clip) == 0) return;
  clip.NormalizeRect();
  dc->FillSolidRect(clip, kViewSurroundColour);
  DrawPage(dc);
  DrawDiagram(dc, 1);
}

DiagramDrawOptions CDiagramEditor::GetDrawOptions(int screen) const {
  DiagramDrawOptions options;
  options.background = m_crBackground;
  options.wireColour = m_crWire;
  options.printing = screen == 0;
  options.simulating = IsSimulating();
  if (options.simulating && m_driver.GetSimRunState() == SIM_STOPPED) {
    options.simulationStopped = true;
    options.stoppedColour = (!m_driver.IsStarted() && m_driver.IsPowerCut()) ? 0xFF0000 : 0x000000;
  }
  return options;
}

void CDiagramEditor::DrawPage(CDC* dc) {
  DrawDiagramPage(dc, *m_pDoc, this, GetDrawOptions(1));
}

void CDiagramEditor::DrawDiagram(CDC* dc, int screen) {
  DiagramDrawOptions options = GetDrawOptions(screen);
  // The current block once more, over the blocks and under the wires.
  if (screen) options.currentBlock = m_pCurBlock;
  DrawDiagramElements(dc, *m_pDoc, this, options);

  // Tool feedback.
  if (m_nEditMode == MODE_SELECT_RECT) {
    CRect band = m_rcBand;
    band.NormalizeRect();
    CBrush brush(kViewBandColour);
    dc->FrameRect(band, &brush);
  } else if (m_nEditMode == MODE_CONNECT || m_bDragWire) {
    DrawWirePreview(dc);
  }
}

void CDiagramEditor::DrawWirePreview(CDC* dc) {
  if (m_nWireClicks == 0) return;
  CPen pen(PS_SOLID, 1, m_crPreview);
  const CPen oldPen = dc->SelectObject(&pen);
  dc->MoveTo(m_newWire.m_ptStart);
  dc->LineTo(m_newWire.m_ptEnd);
  dc->SelectObject(&oldPen);
}

void CDiagramEditor::InvalidateDiagram() {
  if (m_pHost) m_pHost->InvalidateDiagram();
}

// ---- Commands -----------------------------------------------------------------------------

bool CDiagramEditor::OnUpdateCmdUI(CCmdUI* ui) {
  const bool editable = !IsLockedOrSimulating();
  switch (ui->m_nID) {
    case ID_ZOOM_IN:
      ui->Enable(CanZoomIn());
      return true;
    case ID_ZOOM_OUT:
      ui->Enable(CanZoomOut());
      return true;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
      // Claimed only to disable them during simulation; the shell saves.
      if (!IsSimulating()) return false;
      ui->Enable(false);
      return true;
    case ID_EDIT_CLEAR:
      ui->Enable(HasSelection() && editable);
      return true;
    case ID_EDIT_UNDO:
      // Offered while the steps cannot be saved, so that asking says why.
      ui->Enable((m_pDoc->m_undo.CanUndo() || m_pDoc->m_undo.IsUnavailable()) && editable);
      return true;
    case ID_EDIT_REDO:
      ui->Enable((m_pDoc->m_undo.CanRedo() || m_pDoc->m_undo.IsUnavailable()) && editable);
      return true;
    case ID_ALIGN_VERTICALLY:
    case ID_ALIGN_HORIZONTALLY:
      ui->Enable(m_selBlocks.size() >= 2 && editable);
      return true;
    case ID_EDIT_SELECT_ALL: {
      bool any = !m_pDoc->m_comments.IsEmpty();
      for (const CBlockObj* b : m_pDoc->m_blocks) {
        if (!IsConnectorType(b->m_nType)) any = true;
      }
      ui->Enable(any && editable);
      return true;
    }
    case ID_PC_TO_DEVICE:
    case ID_DEVICE_TO_PC:
    case ID_RUN_STOP:
    case ID_PAGE_LAYOUT:
      ui->Enable(!m_pDoc->m_bLocked);
      return true;
    case ID_CLOCK_SETTING:
    case ID_SUMMER_TIME:
    case ID_WIFI_SETUP:
    case ID_REMOTE_WIFI_SETUP:
    case ID_ESCAPE:
    case ID_SET_WIRE_COLOR:
    case ID_SET_BACKGROUND_COLOR:
      ui->Enable(true);
      return true;
    case ID_SELECTION:
      ui->Enable(true);
      ui->SetCheck(m_nEditMode == MODE_SELECT);
      return true;
    case ID_PLC_MONITOR:
      ui->Enable(m_pHost != nullptr && m_pHost->IsDevicePortOpen() && editable);
      return true;
    case ID_CONNECT:
      // Wiring needs blocks; in simulation the command leaves it.
      ui->Enable((!m_pDoc->m_bLocked && !m_pDoc->m_blocks.IsEmpty()) || m_nEditMode == MODE_CONNECT);
      ui->SetCheck(m_nEditMode == MODE_CONNECT);
      return true;
    case ID_SEPARATE:
    case ID_JOIN:
    case ID_GO_TO_PARTNER:
      ui->Enable(editable);
      return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT:
      ui->Enable(editable && (!m_selBlocks.empty() || !m_selComments.empty()));
      return true;
    case ID_EDIT_PASTE:
      ui->Enable(editable && m_pHost && m_pHost->HasClipboardPayload());
      return true;
    case ID_CUT_JOIN_CONNECTION:
      ui->Enable((!m_pDoc->m_bLocked && !m_pDoc->m_connections.IsEmpty()) || m_nEditMode == MODE_CUT_JOIN);
      ui->SetCheck(m_nEditMode == MODE_CUT_JOIN);
      return true;
    case ID_INSERT_COMMENTS:
      ui->Enable(editable);
      ui->SetCheck(m_nEditMode == MODE_INSERT_COMMENT);
      return true;
    default:
      return false;
  }
}

bool CDiagramEditor::OnCmdMsg(UINT id) {
  auto device = [this](int code) {
    if (m_pHost) m_pHost->PostDeviceOperation(code);
    return true;
  };
  // A tool command first ends the wire in progress and leaves simulation.
  auto tool = [this](int mode, bool toggles) {
    const bool off = toggles && m_nEditMode == mode;
    CancelWiring();
    if (IsSimulating()) LeaveSimulation();
    m_nEditMode = off ? MODE_SELECT : mode;
    SetCursor(m_nEditMode == MODE_CONNECT          ? CURSOR_WIRE
              : m_nEditMode == MODE_CUT_JOIN       ? CURSOR_CUT_JOIN
              : m_nEditMode == MODE_INSERT_COMMENT ? CURSOR_COMMENT
                                                   : CURSOR_ARROW);
    InvalidateDiagram();
    return true;
  };
  switch (id) {
    case ID_PLC_MONITOR:
      return true;  // enabled by the port state, does nothing
    case ID_SAVE_ALL_FILES:
      AfxMessageBox(u"Save All Files!");
      if (m_pHost) m_pHost->MaximizeWindow();
      return true;
    case ID_ZOOM_IN:
      ZoomIn();
      return true;
    case ID_ZOOM_OUT:
      ZoomOut();
      return true;
    case ID_EDIT_CLEAR:
      DeleteSelection();
      SaveSnapshot();
      return true;
    case ID_EDIT_UNDO:
      Undo();
      return true;
    case ID_EDIT_REDO:
      Redo();
      return true;
    case ID_ALIGN_VERTICALLY:
      AlignSelection(0);
      return true;
    case ID_ALIGN_HORIZONTALLY:
      AlignSelection(1);
      return true;
    case ID_EDIT_SELECT_ALL:
      SelectAll();
      return true;
    case ID_ESCAPE:
      OnEscape();
      return true;
    case ID_SELECTION:
      return tool(MODE_SELECT, false);
    case ID_CONNECT:
      if (m_nEditMode != MODE_CONNECT && !IsSimulating()) {
        // Wiring starts from nothing selected.
        ClearSelection(SEL_ALL);
        m_pCurBlock = nullptr;
        m_pCurConnection = nullptr;
        m_pCurComment = nullptr;
      }
      return tool(MODE_CONNECT, true);
    case ID_CUT_JOIN_CONNECTION:
      return tool(MODE_CUT_JOIN, true);
    case ID_SEPARATE:
      CutJoinAt(m_ptLastClick);
      InvalidateDiagram();
      return true;
    case ID_JOIN:
      JoinConnectorPair();
      return true;
    case ID_GO_TO_PARTNER:
      GoToPartner();
      return true;
    case ID_EDIT_COPY:
    case ID_EDIT_CUT: {
      if (IsLockedOrSimulating()) return true;
      const std::vector<BYTE> bytes = CopySelection();
      if (bytes.empty()) return true;
      if (m_pHost) m_pHost->SetClipboardPayload(bytes);
      if (id == ID_EDIT_CUT) {
        DeleteSelection();
        SaveSnapshot();
      }
      InvalidateDiagram();
      return true;
    }
    case ID_EDIT_PASTE: {
      std::vector<BYTE> bytes;
      if (IsLockedOrSimulating() || !m_pHost || !m_pHost->GetClipboardPayload(&bytes)) return true;
      PasteSelection(bytes);
      return true;
    }
    case ID_INSERT_COMMENTS:
      return tool(MODE_INSERT_COMMENT, true);
    case ID_SET_WIRE_COLOR:
    case ID_SET_BACKGROUND_COLOR: {
      const bool wire = id == ID_SET_WIRE_COLOR;
      COLORREF colour = wire ? m_crWire : m_crBackground;
      if (m_pHost && m_pHost->ChooseColour(wire ? kWireColourCaption : kBackgroundColourCaption, &colour)) {
        if (wire) {
          SetWireColour(colour);
        } else {
          SetBackgroundColour(colour);
        }
      }
      return true;
    }
    case ID_PAGE_LAYOUT: {
      int across = m_pDoc->m_nPagesAcross;
      int down = m_pDoc->m_nPagesDown;
      if (m_pHost && m_pHost->RunPageLayoutDialog(&across, &down)) SetPageLayout(across, down);
      return true;
    }
    case ID_PC_TO_DEVICE:
      return device(kDeviceOpDownload);
    case ID_DEVICE_TO_PC:
      return device(kDeviceOpUpload);
    case ID_RUN_STOP:
      return device(kDeviceOpRunStop);
    case ID_CLOCK_SETTING:
      return device(kDeviceOpClock);
    case ID_SUMMER_TIME:
      return device(kDeviceOpSummerTime);
    case ID_WIFI_SETUP:
      return device(kDeviceOpWifi);
    case ID_REMOTE_WIFI_SETUP:
      return device(kDeviceOpRemoteWifi);
    default:
      return false;
  }
}

// ---- CViewContext -------------------------------------------------------------------------

bool CDiagramEditor::GetCursorClientPos(CPoint* out) const {
  return out != nullptr && m_pHost != nullptr && m_pHost->GetCursorClientPos(out);
}
