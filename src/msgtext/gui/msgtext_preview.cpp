#include "msgtext/gui/msgtext_preview.h"

#include <QGroupBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/gui/grid_widget.h"
#include "model/name_tables.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "msgtext/gui/popup_value_editor.h"
#include "msgtext/msg_element_editor.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/msgtext_display.h"
#include "msgtext/widget.h"
#include "platform/gui/qt_string.h"

namespace {

constexpr COLORREF kPageCellBack = 0x559D55;  // green display cells
constexpr COLORREF kPageCellText = 0x0000FF;  // red characters
constexpr COLORREF kDefaultCellBack = 0xE0FFFF;
constexpr int kCellWidth = 20;
constexpr int kLineHeight = 40;

// A clone of a block's element lying over the page's cells.
class CPreviewElement : public CGridElement {
 public:
  explicit CPreviewElement(const CWidget& source) : m_widget(std::make_unique<CWidget>()) {
    source.CopyTo(m_widget.get());
    m_widget->m_bSelected = 0;
    m_nRow = m_widget->m_nRow;
    m_nCol = m_widget->m_nCol;
    m_nKind = m_widget->m_nKind;
    m_nWidth = std::max(1, m_widget->m_nWidth);
    m_color = m_widget->m_color;
  }
  CPreviewElement(const CPreviewElement& other) : CGridElement(other), m_widget(std::make_unique<CWidget>()) {
    other.m_widget->CopyTo(m_widget.get());
  }
  std::unique_ptr<CGridElement> Clone() const override { return std::make_unique<CPreviewElement>(*this); }
  // The element with the grid's rectangle and selection.
  CWidget& Widget() const {
    m_widget->m_rect = m_rect;
    m_widget->m_bSelected = m_bSelected;
    return *m_widget;
  }

 private:
  std::unique_ptr<CWidget> m_widget;
};

// Places an element over the display's cells. The display shows 12
// characters a line: an element reaching past them keeps the width of its
// cells and is cut at the display's edge.
void PlaceOnDisplay(CGridCtrl& grid, CGridElement* element) {
  if (element->GetLastCol() < grid.GetColumnCount()) {
    grid.PlaceElement(element);
    return;
  }
  const int lastRow = std::min(element->m_nRow + element->GetLineCount() - 1, grid.GetRowCount() - 1);
  CRect first, below;
  if (!grid.GetCellRect(element->m_nRow, element->m_nCol, &first) ||
      !grid.GetCellRect(lastRow, element->m_nCol, &below))
    return;
  element->m_rect =
      CRect(first.left, first.top, first.left + element->m_nWidth * (first.Width() + 1) - 1, below.bottom);
}

CBlockMSGTEXT* FindMessageBlock(CViewContext* view, int number) {
  CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  return doc ? DYNAMIC_DOWNCAST(CBlockMSGTEXT, doc->FindBlockByNumber(number)) : nullptr;
}

}  // namespace

// ---- CMsgTxtDisplay ----------------------------------------------------------------------

CMsgTxtDisplay::CMsgTxtDisplay(CViewContext* view, CBlockMSGTEXT* block, QWidget* parent)
    : QWidget(parent), m_pView(view), m_nBlockNumber(block->m_nNumber) {
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) m_strCells[r * kCols + c] = block->m_strTextSet1[r][c];

  auto* group = new QGroupBox(QtCaption("Message Text"), this);
  m_details = new QPushButton(QtCaption("Details"), group);
  m_details->setObjectName("Details");
  m_details->setAutoDefault(false);
  m_grid = new CGridWidget(group, kRows, kCols, 1, 1);
  m_grid->setObjectName("MsgTextGrid");
  auto* inner = new QVBoxLayout(group);
  inner->addWidget(m_details);
  inner->addWidget(m_grid);
  auto* outer = new QVBoxLayout(this);
  outer->addWidget(group);

  CGridCtrl& grid = m_grid->Grid();
  grid.SetHost(this);
  grid.GetDefaultCell(FALSE, FALSE)->SetBackClr(kDefaultCellBack);
  grid.SetVirtualMode(FALSE);  // empties the grid: the counts come after
  grid.SetRowCount(kRows);
  grid.SetColumnCount(kCols);
  grid.SetFixedRowCount(1);
  grid.SetFixedColumnCount(1);
  grid.m_bEditable = FALSE;
  grid.m_bAllowDragAndDrop = FALSE;
  grid.m_bTrackFocusCell = TRUE;
  grid.m_bFrameFocus = TRUE;
  grid.m_bEnableSelection = TRUE;
  grid.m_pfnCallback = nullptr;
  for (int r = 0; r < kRows; ++r) {
    for (int c = 0; c < kCols; ++c) {
      GridItem item;
      item.row = r, item.col = c;
      item.mask = GVIF_TEXT | GVIF_BKCLR | GVIF_FGCLR;
      item.strText = m_strCells[r * kCols + c];
      item.crBkClr = kPageCellBack;
      item.crFgClr = kPageCellText;
      grid.SetItem(&item);
    }
  }
  // The header row and column are hidden: a 4 x 12 character display.
  grid.SetColumnWidth(0, 0);
  grid.SetRowHeight(0, 0);
  for (int c = 1; c < kCols; ++c) grid.SetColumnWidth(c, kCellWidth);
  for (int r = 1; r < kRows; ++r) grid.SetRowHeight(r, kLineHeight);
  grid.SetFocusCell(1, 1);
  grid.SetSelectedRange(1, 1, 1, 1);
  const int frame = 2 * m_grid->frameWidth();
  m_grid->setFixedSize(12 * kCellWidth + frame, 4 * kLineHeight + frame);

  BuildParameterNames();
  for (int line = 0; line < CBlockMSGTEXT::kLines; ++line) {
    for (const auto& element : block->m_ElementsSet1[line]) {
      // An element that starts past the display's 12 columns is not seen.
      if (!element || element->m_nCol >= kCols) continue;
      auto clone = std::make_unique<CPreviewElement>(*element);
      grid.GetElementList(0, line).push_back(clone->Clone());
      PlaceOnDisplay(grid, grid.AddElement(std::move(clone)));
    }
  }
  // The element value editor opens on a double click.
  grid.m_bValueMode = TRUE;

  connect(m_details, &QPushButton::clicked, this, &CMsgTxtDisplay::OnDetails);
  connect(&m_timer, &QTimer::timeout, this, [this] { m_grid->viewport()->update(); });
  m_timer.start(kTimerMs);
}

CMsgTxtDisplay::~CMsgTxtDisplay() {
  m_timer.stop();
  if (m_editor) delete m_editor.data();
  m_grid->Grid().SetHost(nullptr);
}

void CMsgTxtDisplay::PlaceElements() {
  CGridCtrl& grid = m_grid->Grid();
  for (int line = 0; line < 4; ++line)
    for (auto& element : grid.GetShownElements(line)) PlaceOnDisplay(grid, element.get());
  if (m_editor) m_editor->FollowElement();
}

void CMsgTxtDisplay::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  PlaceElements();
}

void CMsgTxtDisplay::keyPressEvent(QKeyEvent* e) {
  // Enter moves the focus on instead of closing the window.
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    focusNextChild();
    return;
  }
  QWidget::keyPressEvent(e);
}

void CMsgTxtDisplay::OnDetails() {
  if (m_editor) {
    CloseElementEditor(false);
  } else {
    g_MsgTextDetailsFlag = g_MsgTextDetailsFlag ? 0 : 1;
  }
  m_grid->viewport()->update();
}

void CMsgTxtDisplay::CloseElementEditor(bool apply) {
  m_grid->Grid().CloseElementEditor(apply ? TRUE : FALSE);
}

void CMsgTxtDisplay::FollowElement() {
  if (m_editor) m_editor->FollowElement();
}

void CMsgTxtDisplay::DrawElement(CGridCtrl*, CDC* dc, const CGridElement& element, bool selected) {
  const auto* preview = dynamic_cast<const CPreviewElement*>(&element);
  if (preview == nullptr) return;
  CWidget& widget = preview->Widget();
  if (selected) {
    widget.DrawSelected(m_pView, dc, g_MsgTextDetailsFlag);
  } else {
    widget.Draw(m_pView, dc, g_MsgTextDetailsFlag);
  }
}

bool CMsgTxtDisplay::CanEditElementValue(CGridCtrl*, const CGridElement* element) {
  const auto* preview = dynamic_cast<const CPreviewElement*>(element);
  if (preview == nullptr) return false;
  const CWidget& w = preview->Widget();
  return w.m_pBlock != nullptr && w.m_nKind >= 0 && IsElementValueEditable(*w.m_pBlock, w.m_nParam);
}

void CMsgTxtDisplay::OpenElementEditor(CGridCtrl*, CGridElement* element) {
  auto* preview = dynamic_cast<CPreviewElement*>(element);
  if (preview == nullptr || m_editor) return;
  m_editor = new CMsgElementEditDlg(m_grid, &preview->Widget(), m_pView);
}

void CMsgTxtDisplay::CloseElementEditor(CGridCtrl*, bool apply) {
  if (!m_editor) return;
  CMsgElementEditDlg* editor = m_editor;
  m_editor = nullptr;
  editor->EndEdit(apply);
  editor->hide();
  editor->deleteLater();
  m_grid->viewport()->update();
}

// ---- CAllDisplayMsgTxts ---------------------------------------------------------------------

CAllDisplayMsgTxts::CAllDisplayMsgTxts(CViewContext* view, QWidget* parent) : QDialog(parent), m_pView(view) {
  setObjectName("MessageTextsPreview");
  setWindowTitle(QtCaption("Message texts"));
  setModal(false);
  m_tabs = new QTabWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  CZaradDoc* doc = view ? view->GetDocument() : nullptr;
  if (doc != nullptr) {
    for (CBlockMSGTEXT* block : MessageTextsByPriority(*doc)) {
      auto* page = new CMsgTxtDisplay(view, block, m_tabs);
      m_tabs->addTab(page, ToQString(MessageTextPageCaption(block->GetPriority())));
      m_nCurrentPage = m_tabs->count() - 1;
    }
  }
  // Leaving a page discards its open value editor.
  connect(m_tabs, &QTabWidget::currentChanged, this, [this](int) {
    for (int i = 0; i < PageCount(); ++i)
      if (Page(i)->GetElementEditor()) {
        Page(i)->CloseElementEditor(false);
        break;
      }
  });
}

CAllDisplayMsgTxts::~CAllDisplayMsgTxts() = default;

int CAllDisplayMsgTxts::PageCount() const {
  return m_tabs->count();
}

CMsgTxtDisplay* CAllDisplayMsgTxts::Page(int index) const {
  return qobject_cast<CMsgTxtDisplay*>(m_tabs->widget(index));
}

int CAllDisplayMsgTxts::ActivePage() const {
  return m_tabs->currentIndex();
}

void CAllDisplayMsgTxts::SetActivePage(int index) {
  if (index >= 0 && index < PageCount()) m_tabs->setCurrentIndex(index);
}

std::vector<CBlockMSGTEXT*> CAllDisplayMsgTxts::PageBlocks() const {
  std::vector<CBlockMSGTEXT*> blocks;
  for (int i = 0; i < PageCount(); ++i)
    blocks.push_back(FindMessageBlock(m_pView, Page(i)->GetBlockNumber()));
  return blocks;
}

void CAllDisplayMsgTxts::ActivateEnabledPages() {
  const auto blocks = PageBlocks();
  for (size_t i = 0; i < blocks.size(); ++i)
    if (blocks[i] && blocks[i]->m_nValue[0] == 1) SetActivePage(static_cast<int>(i));
}

void CAllDisplayMsgTxts::UpdateActivePage(int mode, int number) {
  const int page = MessageTextPageToActivate(PageBlocks(), mode, number, ActivePage());
  if (page >= 0) SetActivePage(page);
}

void CAllDisplayMsgTxts::moveEvent(QMoveEvent* e) {
  QDialog::moveEvent(e);
  m_nCurrentPage = ActivePage();
  if (CMsgTxtDisplay* page = Page(m_nCurrentPage)) page->FollowElement();
}
