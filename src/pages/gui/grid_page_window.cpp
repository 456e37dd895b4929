#include "pages/gui/grid_page_window.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QToolButton>
#include <memory>

#include "controls/gui/grid_widget.h"
#include "pages/grid_page.h"
#include "pages/gui/qt_page_dialog.h"
#include "pages/gui/qt_page_host.h"
#include "pages/msg_text_page.h"

namespace {

// Fits the editor's cells to the grid window whenever it changes size.
class CGridFitter : public QObject {
 public:
  CGridFitter(CGridPage* page, QObject* parent) : QObject(parent), m_pPage(page) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) m_pPage->FitGrid();
    return QObject::eventFilter(watched, event);
  }

 private:
  CGridPage* m_pPage;
};

// Enter in a control of the editor moves the focus on, as Tab does.
class CEnterAsTab : public QObject {
 public:
  explicit CEnterAsTab(QWidget* host) : QObject(host) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || qobject_cast<CGridWidget*>(watched))
      return QObject::eventFilter(watched, event);
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, key->modifiers());
    QApplication::sendEvent(watched, &tab);
    return true;
  }
};

// The special-character popup: ten buttons below the editor's top-left corner.
void OfferSpecialChars(CMessageTexts_New* page, QWidget* host) {
  auto popup = std::make_shared<QPointer<QFrame>>();
  page->m_specialChars.isOpen = [popup] { return !popup->isNull(); };
  page->m_specialChars.close = [popup] {
    if (!popup->isNull()) (*popup)->close();
  };
  page->m_specialChars.open = [page, host, popup] {
    auto* frame = new QFrame(host, Qt::Popup);
    frame->setObjectName(QStringLiteral("specialChars"));
    frame->setAttribute(Qt::WA_DeleteOnClose);
    frame->setFrameShape(QFrame::Box);
    auto* layout = new QHBoxLayout(frame);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(1);
    for (int k = 0; k < 10; ++k) {
      const char16_t ch = CMessageTexts_New::kSpecialChars[k];
      auto* button = new QToolButton(frame);
      button->setObjectName(QStringLiteral("SC%1").arg(k + 1));
      button->setText(QString(QChar(ch)));
      button->setFixedSize(24, 24);
      QObject::connect(button, &QToolButton::clicked, frame, [page, ch] { page->InsertSpecialChar(ch); });
      layout->addWidget(button);
    }
    frame->move(host->mapToGlobal(QPoint(0, 0)));
    *popup = frame;
    frame->show();
  };
}

}  // namespace

CGridWidget* AttachMessageTextGrid(CParamPage* page, CQtPageHost* host) {
  auto* editor = dynamic_cast<CGridPage*>(page);
  if (!editor || !host) return nullptr;
  InstallQtPageDialogRunner();  // the element dialogs
  const int id = editor->GridControlId();
  const ControlDesc* place = page->Describe().Find(id);
  auto* grid = new CGridWidget(host);
  grid->setObjectName(dynamic_cast<CMessageTexts_New*>(page) ? QStringLiteral("messageTextGrid")
                                                             : QStringLiteral("statusNameGrid"));
  if (place) host->Follow(grid, id);
  if (QWidget* placeholder = host->Control(id)) placeholder->hide();
  grid->show();
  editor->AttachGrid(&grid->Grid());
  grid->installEventFilter(new CGridFitter(editor, grid));
  if (auto* texts = dynamic_cast<CMessageTexts_New*>(page)) {
    // Enter moves on instead of closing the sheet.
    auto* keys = new CEnterAsTab(host);
    for (QWidget* child : host->findChildren<QWidget*>()) child->installEventFilter(keys);
    OfferSpecialChars(texts, host);
  }
  return grid;
}
