#include "editor/gui/zarad_view.h"

#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDialog>
#include <QFontDialog>
#include <QGuiApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QWindow>
#include <algorithm>

#include "controls/gui/hcolor_dialog.h"
#include "editor/command_table.h"
#include "editor/goto_block.h"
#include "editor/gui/child_frame.h"
#include "editor/gui/goto_block_dlg.h"
#include "editor/gui/page_layout_dlg.h"
#include "editor/gui/sim_bars.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "msgtext/gui/msgtext_preview.h"
#include "platform/gui/qt_dc.h"
#include "platform/gui/qt_keys.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/resource_ids.h"
#include "platform/string_table.h"
#include "properties/block_properties.h"
#include "properties/gui/qt_block_sheet.h"
#include "shell/document_window.h"
#include "shell/shell.h"

namespace {

// The extent of a text in a font (the default font for null), as the view draws it.
CSize MeasureInFont(const LOGFONT* lf, const CString& text) {
  QImage scratch(1, 1, QImage::Format_RGB32);
  CQtDC dc(&scratch);
  CFont font;
  if (lf) font.CreateFontIndirect(lf);
  const CFont old = dc.SelectObject(&font);
  const CSize size = dc.GetTextExtent(text);
  dc.SelectObject(&old);
  return size;
}

}  // namespace

CZaradView::CZaradView(CChildFrame* frame, CZaradDoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_pFrame(frame),
      m_pDoc(doc),
      m_core(doc),
      m_pProperties(std::make_unique<CBlockProperties>(doc)) {
  // Comments are measured in their own font and take their font and colour
  // from the font dialog followed by the colour dialog.
  m_pProperties->m_measureText = [](const LOGFONT& lf, const CString& text) {
    return MeasureInFont(&lf, text);
  };
  m_pProperties->m_chooseCommentFont = [this](LOGFONT* lf, COLORREF* colour) {
    QFont font(ToQString(lf->lfFaceName));
    font.setPixelSize(std::max(1, static_cast<int>(std::abs(lf->lfHeight))));
    font.setBold(lf->lfWeight >= 700);
    font.setItalic(lf->lfItalic != 0);
    font.setUnderline(lf->lfUnderline != 0);
    font.setStrikeOut(lf->lfStrikeOut != 0);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this, QStringLiteral("Font"));
    if (!ok) return false;
    lf->lfFaceName = ToCString(chosen.family());
    lf->lfHeight = chosen.pixelSize() > 0
                       ? chosen.pixelSize()
                       : static_cast<LONG>(std::lround(chosen.pointSizeF() * logicalDpiY() / 72.0));
    lf->lfWeight = chosen.bold() ? 700 : 400;
    lf->lfItalic = chosen.italic() ? 1 : 0;
    lf->lfUnderline = chosen.underline() ? 1 : 0;
    lf->lfStrikeOut = chosen.strikeOut() ? 1 : 0;
    CHColorDialog dlg(CString(u"Color"), *colour);
    if (dlg.DoModal() == IDOK) *colour = dlg.GetColor();
    return true;
  };
  // The paint covers every pixel it repaints: no background erase.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setAutoFillBackground(false);
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  // The view shows menu 141 itself after the right release.
  setContextMenuPolicy(Qt::NoContextMenu);
  viewport()->setContextMenuPolicy(Qt::NoContextMenu);
  m_core.SetHost(this);
  // The hover tip: the information icon, a small fixed-pitch font.
  m_pinTip.Create(this);
  m_pinTip.SetIcon(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
  QFont tipFont(QStringLiteral("Liberation Mono"));
  tipFont.setStyleHint(QFont::Monospace);
  tipFont.setFixedPitch(true);
  tipFont.setPixelSize(12);
  m_pinTip.setFont(tipFont);
  // Every scan hands the blocks' live values to the open sheets.
  m_core.GetScanDriver().SetSink(this);
  m_pProperties->SetViewContext(&m_core);
}

CZaradView::~CZaradView() {
  CloseValuePopup();
  // Open modeless sheets close before the command that lists them goes.
  for (CQtBlockSheet* sheet : findChildren<CQtBlockSheet*>()) delete sheet;
  delete m_pMsgTextSheet.data();
  m_core.GetScanDriver().SetSink(nullptr);
  m_core.SetHost(nullptr);
}

int CZaradView::ShowCurrentParameterValue(CBlockObj* block) {
  return block ? m_pProperties->ShowCurrentParameterValue(*block, &m_core) : 0;
}

// ---- The message-text preview ---------------------------------------------------------

CAllDisplayMsgTxts* CZaradView::GetMessageTextSheet() const {
  return m_pMsgTextSheet.data();
}

void CZaradView::MessageTextActivated(int number) {
  if (m_pMsgTextSheet) {
    m_pMsgTextSheet->UpdateActivePage(1, number);
    return;
  }
  // Made during a paint: the window shows once the paint is over.
  m_pMsgTextSheet = new CAllDisplayMsgTxts(&m_core, this);
  m_pMsgTextSheet->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<CAllDisplayMsgTxts> sheet = m_pMsgTextSheet;
  QTimer::singleShot(0, this, [sheet] {
    if (!sheet) return;
    sheet->show();
    sheet->ActivateEnabledPages();
  });
}

void CZaradView::MessageTextDeactivated(int number) {
  if (m_pMsgTextSheet) m_pMsgTextSheet->UpdateActivePage(2, number);
}

void CZaradView::SimulationLeft() {
  // The block sheets of the simulation close with it: they edit the running
  // blocks and apply nothing once it ended.
  for (CQtBlockSheet* sheet : findChildren<CQtBlockSheet*>())
    if (sheet->Sheet().IsModeless()) sheet->close();
  if (m_pFrame) m_pFrame->OnSimulationLeft();
}

void CZaradView::CloseMessageTexts() {
  if (!m_pMsgTextSheet) return;
  CAllDisplayMsgTxts* sheet = m_pMsgTextSheet;
  m_pMsgTextSheet = nullptr;
  sheet->hide();
  sheet->deleteLater();
}

// ---- Lifecycle ------------------------------------------------------------------------

void CZaradView::OnInitialUpdate() {
  m_core.SetClientSize(CSize(viewport()->width(), viewport()->height()));
  m_core.OnInitialUpdate();
  InvalidateDiagram();
}

CShell* CZaradView::Shell() const {
  return m_pFrame ? m_pFrame->Shell() : nullptr;
}

void CZaradView::OnActivateView(bool activate) {
  if (!activate) return;
  if (CShell* shell = Shell()) shell->SetModelNameText(m_pDoc->GetModelPaneText());
  InvalidateDiagram();
}

bool CZaradView::IsActiveView() const {
  CShell* shell = Shell();
  if (!shell) return true;
  return shell->GetActiveDocumentWindow() == static_cast<DocumentWindow*>(m_pFrame);
}

// ---- Painting -------------------------------------------------------------------------

void CZaradView::InvalidateDiagram() {
  viewport()->update();
}

void CZaradView::paintEvent(QPaintEvent* event) {
  const QRect area = event->rect() & viewport()->rect();
  if (area.isEmpty()) return;
  // The bitmap follows the viewport's size here, once per paint, not at every
  // step of a resize (a window being laid out is resized many times).
  if (m_memBitmap.size() != viewport()->size()) RebuildMemBitmap();
  {
    CQtDC mem(&m_memBitmap);
    m_core.ApplyZoomMapping(&mem);
    // The area to repaint in diagram units, a unit wider on each side so that
    // rounding never leaves device pixels of the area undrawn.
    CRect clip(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    mem.DPtoLP(&clip);
    clip.NormalizeRect();
    clip.InflateRect(1, 1);
    mem.IntersectClipRect(clip);
    OnDraw(&mem);
  }
  QPainter painter(viewport());
  painter.drawImage(area, m_memBitmap, area);
}

void CZaradView::OnDraw(CDC* dc) {
  // Every visible view draws its diagram (tiled or cascaded windows too); drawing
  // evaluates nothing, so only the active view's simulation moves.
  m_core.Draw(dc);
}

void CZaradView::RebuildMemBitmap() {
  const QSize size = viewport()->size();
  QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  image.fill(ToQColor(kViewSurroundColour));
  if (!m_memBitmap.isNull()) {
    QPainter painter(&image);
    painter.drawImage(0, 0, m_memBitmap);
  }
  m_memBitmap = std::move(image);
}

// ---- Scrolling and size -----------------------------------------------------------------

void CZaradView::OnScrollStateChanged() {
  if (m_bSyncingScroll) return;
  m_bSyncingScroll = true;
  const CPoint max = m_core.GetMaxScrollPosition();
  const CPoint pos = m_core.GetScrollPosition();
  const CSize page = m_core.GetPageStep();
  const CSize line = m_core.GetLineStep();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, max.x);
  v->setRange(0, max.y);
  h->setPageStep(std::max(1, page.cx));
  v->setPageStep(std::max(1, page.cy));
  h->setSingleStep(std::max(1, line.cx));
  v->setSingleStep(std::max(1, line.cy));
  h->setValue(pos.x);
  v->setValue(pos.y);
  m_bSyncingScroll = false;
}

void CZaradView::SyncClientSize() {
  const CSize size(viewport()->width(), viewport()->height());
  if (size == m_core.GetClientSize()) return;
  m_core.SetClientSize(size);
}

bool CZaradView::viewportEvent(QEvent* event) {
  // The viewport can change size without a resize event reaching the view
  // (its window lays it out while hidden): the client size follows the
  // viewport before anything reads it.
  switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Paint:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
      SyncClientSize();
      // The hover tip sees every move (away from its point it goes) and press.
      m_pinTip.RelayEvent(event);
      break;
    default:
      break;
  }
  return QAbstractScrollArea::viewportEvent(event);
}

void CZaradView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  m_core.SetClientSize(CSize(viewport()->width(), viewport()->height()));
}

void CZaradView::scrollContentsBy(int, int) {
  if (!m_bSyncingScroll) {
    m_core.ScrollTo(CPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()));
  }
  InvalidateDiagram();
}

// ---- Input ----------------------------------------------------------------------------------

namespace {

UINT KeyFlags(const QMouseEvent* event) {
  UINT flags = 0;
  if (event->buttons() & Qt::LeftButton) flags |= MK_LBUTTON;
  if (event->buttons() & Qt::RightButton) flags |= MK_RBUTTON;
  if (event->modifiers() & Qt::ShiftModifier) flags |= MK_SHIFT;
  if (event->modifiers() & Qt::ControlModifier) flags |= MK_CONTROL;
  return flags;
}

}  // namespace

CPoint CZaradView::ToDiagram(const QPoint& pos) const {
  return m_core.ClientToDiagram(CPoint(pos.x(), pos.y()));
}

template <typename F>
void CZaradView::Guarded(F&& f) {
  try {
    f();
  } catch (const std::exception& e) {
    CString text(u"The because of this error: ");
    text += CString(std::string(e.what()).substr(0, 255));
    GetMessageSink().Show(MakeMessage(text, MB_ICONERROR, CString(u"ERROR")));
  }
}

void CZaradView::RunCommand(UINT id) {
  if (CShell* shell = Shell()) {
    shell->SendCommand(id);
    shell->UpdateCommandUI();
  } else {
    CCmdUI ui(id);
    if (OnUpdateCmdUI(&ui) && ui.m_bEnabled) OnCmdMsg(id);
  }
}

void CZaradView::mousePressEvent(QMouseEvent* event) {
  const CPoint pt = ToDiagram(event->position().toPoint());
  const UINT flags = KeyFlags(event);
  if (event->button() == Qt::LeftButton) Guarded([&] { m_core.OnLButtonDown(pt, flags); });
  if (event->button() == Qt::RightButton) Guarded([&] { m_core.OnRButtonDown(pt, flags); });
  if (CShell* shell = Shell()) shell->UpdateCommandUI();
}

void CZaradView::mouseReleaseEvent(QMouseEvent* event) {
  const CPoint pt = ToDiagram(event->position().toPoint());
  const UINT flags = KeyFlags(event);
  if (event->button() == Qt::LeftButton) Guarded([&] { m_core.OnLButtonUp(pt, flags); });
  if (event->button() == Qt::RightButton) {
    Guarded([&] { m_core.OnRButtonUp(pt, flags); });
    if (!m_pDoc->m_bLocked) ShowContextMenu(m_core.ChooseContextMenu(), event->globalPosition().toPoint());
  }
  if (CShell* shell = Shell()) shell->UpdateCommandUI();
}

void CZaradView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  const QRect client = viewport()->rect();
  if (pos.x() <= 0 || pos.y() <= 0 || pos.x() >= client.width() || pos.y() >= client.height()) {
    SetViewCursor(CURSOR_ARROW);
    return;
  }
  const UINT flags = KeyFlags(event);
  Guarded([&] { m_core.OnMouseMove(ToDiagram(pos), flags); });
}

void CZaradView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mouseDoubleClickEvent(event);
  const CPoint pt = ToDiagram(event->position().toPoint());
  Guarded([&] { m_core.OnLButtonDblClk(pt, KeyFlags(event)); });
  if (CShell* shell = Shell()) shell->UpdateCommandUI();
}

void CZaradView::keyPressEvent(QKeyEvent* event) {
  // Alt closes the analog value pop-up.
  if (event->key() == Qt::Key_Alt) CloseValuePopup();
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_core.GetCurrentBlock()) {
    OnBlockProperties();
    return;
  }
  const UINT key = VirtualKeyOf(event->key());
  bool used = false;
  if (key != 0)
    Guarded([&] { used = m_core.OnKeyDown(key, (event->modifiers() & Qt::ControlModifier) != 0); });
  if (used) {
    if (CShell* shell = Shell()) shell->UpdateCommandUI();
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

void CZaradView::ShowContextMenu(int popup, const QPoint& globalPos) {
  m_pinTip.ShowTip(CString());  // a tip that has not opened yet does not open over the menu
  if (popup == POPUP_NONE) return;
  constexpr UINT kSeparator = 0;
  std::vector<UINT> items;
  switch (popup) {
    case POPUP_EDIT:
      items = {ID_BLOCK_PROPERTIES, kSeparator, ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
      break;
    case POPUP_EDIT_MULTI:
      items = {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
      break;
    case POPUP_EDIT_EMPTY:
      items = {ID_ESCAPE, ID_EDIT_PASTE, ID_EDIT_SELECT_ALL};
      break;
    case POPUP_CLIP:
      items = {ID_SEPARATE, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
      break;
    case POPUP_JOIN:
      items = {ID_JOIN, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
      break;
    case POPUP_GO_TO_PARTNER:
      items = {ID_GO_TO_PARTNER, ID_JOIN, ID_EDIT_CLEAR, ID_EDIT_SELECT_ALL};
      break;
    default:
      return;
  }
  QMenu menu(this);
  menu.setObjectName("contextMenu141");
  for (const UINT id : items) {
    const CommandInfo* command = FindCommand(id);
    if (id == kSeparator || !command) {
      menu.addSeparator();
      continue;
    }
    const QString text = ToQString(PopupMenuText(*command));
    const int tab = text.indexOf('\t');
    // The menu's own texts where the command has one in the interface's language.
    const QString caption = tab < 0 ? text : text.left(tab);
    const CString chinese = g_LanguageIsChinese ? LookupUiText(id) : CString();
    QAction* action = menu.addAction(chinese.IsEmpty() ? QtCaption(caption) : ToQString(chinese));
    if (tab >= 0) action->setShortcut(QKeySequence(text.mid(tab + 1)));
    action->setData(id);
    CCmdUI ui(id);
    CShell* shell = Shell();
    const bool claimed = shell ? shell->UpdateFrameCommand(&ui) || OnUpdateCmdUI(&ui) : OnUpdateCmdUI(&ui);
    action->setEnabled(claimed && ui.m_bEnabled);
    if (id == ID_EDIT_CUT || id == ID_EDIT_COPY || id == ID_EDIT_PASTE || id == ID_EDIT_CLEAR) {
      // The four editing items show their toolbar pictures and are greyed while simulating.
      if (shell) action->setIcon(shell->CommandIcon(id));
      if (m_core.IsSimulating()) action->setEnabled(false);
    }
    connect(action, &QAction::triggered, this, [this, id] { RunCommand(id); });
  }
  menu.exec(globalPos);
}

// ---- Host services --------------------------------------------------------------------------

void CZaradView::SetViewCursor(int cursor) {
  // Placing a block shows the application's block cursor (the palette's).
  const QCursor* block = Shell() ? Shell()->GetBlockCursor() : nullptr;
  if (cursor == CURSOR_PLACE && block && block->shape() == Qt::BitmapCursor) {
    if (viewport()->cursor().shape() != Qt::BitmapCursor) viewport()->setCursor(*block);
    return;
  }
  Qt::CursorShape shape = Qt::ArrowCursor;
  switch (cursor) {
    case CURSOR_PLACE:
      shape = Qt::CrossCursor;
      break;
    case CURSOR_WIRE:
      shape = Qt::UpArrowCursor;
      break;
    case CURSOR_ON_PIN:
      shape = Qt::PointingHandCursor;
      break;
    case CURSOR_CUT_JOIN:
      shape = Qt::SplitHCursor;
      break;
    case CURSOR_COMMENT:
      shape = Qt::IBeamCursor;
      break;
    default:
      break;
  }
  if (viewport()->cursor().shape() != shape) viewport()->setCursor(shape);
}

void CZaradView::OpenValuePopup(CBlockObj* block) {
  if (m_pValuePopup && m_pValuePopup->Block() == block) return;
  CloseValuePopup();
  m_pValuePopup = new CAnalogSliderDlg(this, block);
  m_pValuePopup->show();
  m_pValuePopup->activateWindow();
  m_pValuePopup->Slider()->setFocus();
  // Another window of the program taking the activation (the main window, a
  // block sheet, the message-text preview) closes the pop-up.
  QPointer<CAnalogSliderDlg> popup = m_pValuePopup;
  connect(qApp, &QGuiApplication::focusWindowChanged, m_pValuePopup, [this, popup](QWindow* now) {
    if (!popup || now == nullptr || now == popup->windowHandle()) return;
    // Closed once the activation is over, not inside its notification.
    QTimer::singleShot(0, this, [this, popup] {
      if (popup && popup == m_pValuePopup && QApplication::activeWindow() != popup) CloseValuePopup();
    });
  });
}

CAnalogSliderDlg* CZaradView::ValuePopup() const {
  return m_pValuePopup.data();
}

void CZaradView::CloseValuePopup() {
  delete m_pValuePopup.data();
  m_pValuePopup = nullptr;
}

void CZaradView::PostCommand(UINT id) {
  QTimer::singleShot(0, this, [this, id] { RunCommand(id); });
}

void CZaradView::PostDeviceOperation(int code) {
  if (CShell* shell = Shell()) shell->PostDeviceOperation(code);
}

bool CZaradView::IsDevicePortOpen() const {
  CShell* shell = Shell();
  return shell != nullptr && shell->IsDevicePortOpen();
}

void CZaradView::MaximizeWindow() {
  // The frame sits in its MDI sub-window, which is what maximises.
  QWidget* frame = m_pFrame ? static_cast<QWidget*>(m_pFrame) : this;
  QWidget* sub = frame->parentWidget() ? frame->parentWidget() : frame;
  sub->showMaximized();
}

bool CZaradView::ChooseColour(UINT captionId, COLORREF* colour) {
  CHColorDialog dlg(LoadString(captionId), *colour);
  if (dlg.DoModal() != IDOK) return false;
  *colour = dlg.GetColor();
  return true;
}

bool CZaradView::RunPageLayoutDialog(int* across, int* down) {
  CPageLayoutDlg dlg(m_pDoc, this);
  dlg.m_nPagesAcross = *across;
  dlg.m_nPagesDown = *down;
  dlg.UpdateControls();
  const int answer = s_printRunners.pageLayout         ? s_printRunners.pageLayout(dlg)
                     : dlg.exec() == QDialog::Accepted ? IDOK
                                                       : IDCANCEL;
  if (answer != IDOK) return false;
  *across = dlg.m_nPagesAcross;
  *down = dlg.m_nPagesDown;
  return true;
}

void CZaradView::MoveCursorBy(int dx, int dy) {
  QCursor::setPos(QCursor::pos() - QPoint(dx, dy));
}

void CZaradView::Beep() {
  QApplication::beep();
}

CSize CZaradView::MeasureViewText(const CString& text) const {
  return MeasureInFont(nullptr, text);
}

int CZaradView::GetLogPixelsY() const {
  return logicalDpiY();
}

void CZaradView::SetClipboardPayload(const std::vector<BYTE>& bytes) {
  auto* data = new QMimeData;
  data->setData(
      QString::fromLatin1(kSelectionMimeType),
      QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  QGuiApplication::clipboard()->setMimeData(data);
}

bool CZaradView::GetClipboardPayload(std::vector<BYTE>* bytes) const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(QString::fromLatin1(kSelectionMimeType))) return false;
  const QByteArray raw = data->data(QString::fromLatin1(kSelectionMimeType));
  bytes->assign(raw.begin(), raw.end());
  return true;
}

bool CZaradView::HasClipboardPayload() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasFormat(QString::fromLatin1(kSelectionMimeType));
}

void CZaradView::ShowPinTip(const CString& text) {
  // Shown where the pointer rests, once it has rested for a moment.
  m_pinTip.ShowTip(text);
}

void CZaradView::ShowModelName(const CString& text) {
  if (CShell* shell = Shell()) shell->SetModelNameText(text);
}

std::function<void(CGoToBlockDlg&)> CZaradView::s_goToBlockRunner;

void CZaradView::OnGoToBlock() {
  CGoToBlockDlg dlg(
      BuildGoToBlockList(*m_pDoc), [this](int number) { m_core.CenterOnBlock(number); }, this);
  if (s_goToBlockRunner) {
    s_goToBlockRunner(dlg);
  } else {
    dlg.exec();
  }
  InvalidateDiagram();
}

void CZaradView::OnBlockProperties() {
  m_pinTip.ShowTip(CString());
  if (m_pDoc->m_bLocked) return;
  CQtSheetRunner runner(m_pProperties.get(), this, Shell());
  // A selected comment first: emptying its text removes it.
  CBlockComment* comment = m_core.GetCurrentComment();
  if (comment && comment->m_bSelected) {
    if (m_pProperties->RunComment(*comment, runner) == CBlockProperties::CommentEdit::kEmptied) {
      m_core.ForgetComment(comment);
      m_pDoc->m_comments.Detach(comment);
      m_pDoc->SetModifiedFlag();
      if (m_core.IsSimulating() && m_pDoc->m_comments.GetCount() == 0 && m_pDoc->m_blocks.GetCount() == 0)
        m_core.LeaveSimulation();
    }
    m_core.UpdateScrollSizes();
    InvalidateDiagram();
  }
  if (CBlockObj* block = m_core.GetCurrentBlock()) m_pProperties->Run(block, m_core.IsSimulating(), runner);
  m_core.RefreshMessageNumbers();  // a message text may have moved to another slot
  InvalidateDiagram();
}

bool CZaradView::GetCursorClientPos(CPoint* out) const {
  if (!out) return false;
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  *out = CPoint(p.x(), p.y());
  return true;
}

// ---- Commands -------------------------------------------------------------------------

bool CZaradView::OnUpdateCmdUI(CCmdUI* ui) {
  if (ui->m_nID == ID_PALETTE_PICK) return true;
  if (ui->m_nID == ID_GOTO_BLOCK || ui->m_nID == ID_FILE_PRINT || ui->m_nID == ID_FILE_PRINT_PREVIEW ||
      ui->m_nID == ID_FILE_PRINT_DIRECT) {
    ui->Enable(true);
    return true;
  }
  // PC->Device is the device controller's own command (the same request, and it knows when the link is busy).
  if (ui->m_nID == ID_PC_TO_DEVICE) return false;
  if (ui->m_nID == ID_BLOCK_PROPERTIES) {
    ui->Enable(m_core.GetCurrentBlock() != nullptr || m_core.GetCurrentComment() != nullptr);
    return true;
  }
  return m_core.OnUpdateCmdUI(ui);
}

bool CZaradView::OnCmdMsg(UINT id) {
  if (id == ID_PALETTE_PICK) {
    if (CShell* shell = Shell()) {
      int mode = 0, type = 0;
      shell->GetPalettePick(&mode, &type);
      m_core.OnPalettePick(mode, type);
    }
    return true;
  }
  if (id == ID_BLOCK_PROPERTIES) {
    OnBlockProperties();
    return true;
  }
  if (id == ID_PC_TO_DEVICE) return false;
  if (id == ID_GOTO_BLOCK) {
    OnGoToBlock();
    return true;
  }
  switch (id) {
    case ID_FILE_PRINT:
      OnPrintDiagram();
      return true;
    case ID_FILE_PRINT_PREVIEW:
      OnPreviewDiagram();
      return true;
    case ID_FILE_PRINT_DIRECT:
      OnFilePrint(true);
      return true;
    default:
      break;
  }
  return m_core.OnCmdMsg(id);
}
