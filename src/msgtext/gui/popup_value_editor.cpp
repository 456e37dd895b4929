#include "msgtext/gui/popup_value_editor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSpinBox>

#include "controls/gui/grid_widget.h"
#include "model/block_obj.h"
#include "msgtext/widget.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"

CMsgElementEditDlg::CMsgElementEditDlg(CGridWidget* grid, CWidget* element, CViewContext* view)
    : QFrame(grid->viewport()), m_pGrid(grid), m_pElement(element), m_pView(view) {
  setObjectName("CMsgElementEditDlg");
  setFrameShape(QFrame::NoFrame);
  setAutoFillBackground(true);
  FollowElement();
  BuildControls();
  show();
  if (QWidget* first = m_controls.empty() ? nullptr : m_controls.begin()->second) first->setFocus();
}

void CMsgElementEditDlg::FollowElement() {
  const CRect r = m_pElement->m_rect;
  setGeometry(r.left, r.top, r.Width(), r.Height());
}

QWidget* CMsgElementEditDlg::Control(int id) const {
  const auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : it->second;
}

void CMsgElementEditDlg::BuildControls() {
  CBlockObj* block = m_pElement->m_pBlock;
  if (block == nullptr) return;
  const int cells = std::max(1, m_pElement->m_nWidth);
  const int unit = std::max(1, m_pElement->m_rect.Width() / cells);
  const int height = m_pElement->m_rect.Height();
  const auto controls = DescribeElementEditor(*block, m_pElement->m_nParam, m_pElement->m_nKind, cells);
  // Cell k of the element, in the editor's coordinates: an edit is inset 7
  // at the top and 4 at the bottom.
  const auto cellRect = [&](int first, int count) {
    return QRect(first * unit, 7, count * unit, height - 11);
  };

  // A spin and its edit become one spin box over both cells.
  std::map<int, const ElementEditorControl*> spinOf;
  for (const auto& c : controls)
    if (c.kind == ElementEditorControl::kSpin) spinOf[c.buddy] = &c;

  for (const auto& c : controls) {
    QWidget* w = nullptr;
    const auto spin = spinOf.find(c.id);
    switch (c.kind) {
      case ElementEditorControl::kEdit:
      case ElementEditorControl::kIntegerEdit:
      case ElementEditorControl::kHexEdit:
        if (spin != spinOf.end()) {
          auto* box = new QSpinBox(this);
          box->setRange(spin->second->low, spin->second->high);
          box->setAlignment(Qt::AlignRight);
          box->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
          // The stored value may lie outside the spin's range: show it as it is.
          const int value = ToQString(c.text).toInt();
          box->setRange(std::min(spin->second->low, value), std::max(spin->second->high, value));
          if (c.text.IsEmpty()) {
            box->clear();
          } else {
            box->setValue(value);
          }
          const int lastCell = spin->second->firstCell + spin->second->cells;
          box->setGeometry(cellRect(c.firstCell, lastCell - c.firstCell));
          w = box;
        } else {
          auto* edit = new QLineEdit(ToQString(c.text), this);
          edit->setAlignment(Qt::AlignRight);
          if (c.textLimit > 0) edit->setMaxLength(c.textLimit);
          if (c.kind == ElementEditorControl::kHexEdit) {
            edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]*"), edit));
            connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
              const int pos = edit->cursorPosition();
              edit->setText(t.toUpper());
              edit->setCursorPosition(pos);
            });
          }
          edit->setGeometry(cellRect(c.firstCell, c.cells));
          w = edit;
        }
        break;
      case ElementEditorControl::kRealEdit: {
        auto* box = new QDoubleSpinBox(this);
        box->setDecimals(2);
        box->setSingleStep(0.01);
        const double low = spin != spinOf.end() ? spin->second->low : -10000.0;
        const double high = spin != spinOf.end() ? spin->second->high : 10000.0;
        box->setRange(std::min(low, -10000.0), std::max(high, 10000.0));
        box->setValue(ToQString(c.text).toDouble());
        box->setAlignment(Qt::AlignRight);
        box->setGeometry(cellRect(c.firstCell, c.cells + (spin != spinOf.end() ? 1 : 0)));
        w = box;
        break;
      }
      case ElementEditorControl::kSpin:
        continue;  // part of its edit's spin box
      case ElementEditorControl::kCombo: {
        auto* combo = new QComboBox(this);
        for (const CString& item : c.items) combo->addItem(ToQString(item));
        combo->setCurrentIndex(c.value);
        combo->setGeometry(cellRect(c.firstCell, c.cells));
        w = combo;
        break;
      }
      case ElementEditorControl::kLabel: {
        auto* label = new QLabel(ToQString(c.text), this);
        label->setAlignment(Qt::AlignCenter);
        label->setGeometry(c.firstCell * unit, 0, unit, std::max(1, height - 15));
        label->show();
        continue;  // labels share one id: not looked up
      }
      case ElementEditorControl::kCheck: {
        auto* check = new QCheckBox(this);
        check->setChecked(c.value != 0);
        const bool disabledBox = m_pElement->m_pBlock->m_nType == kTypeWT && c.id == kEditorFirstCheck &&
                                 controls.size() > 0 && controls[0].kind == ElementEditorControl::kCheck &&
                                 controls.size() == 5;
        if (disabledBox) {
          check->setGeometry(c.firstCell * unit + 2, 11, std::max(1, unit - 4), std::max(1, height - 19));
          connect(check, &QCheckBox::toggled, this, [this](bool off) {
            for (int id : {kEditorEdit1, kEditorEdit2})
              if (QWidget* edit = Control(id)) edit->setEnabled(!off);
          });
        } else {
          check->setGeometry(c.firstCell * unit + 3, 17, std::max(1, unit - 6), std::max(1, height - 17));
        }
        w = check;
        break;
      }
    }
    if (w == nullptr) continue;
    w->setObjectName(QString::number(c.id));
    w->setEnabled(!c.disabled);
    w->installEventFilter(this);
    w->show();
    m_controls[c.id] = w;
  }
}

bool CMsgElementEditDlg::EndEdit(bool commit) {
  if (!commit || m_pElement->m_pBlock == nullptr) return false;
  ElementEditorValues values;
  for (const auto& [id, w] : m_controls) {
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      values.texts[id] = ToCString(edit->text());
    } else if (auto* box = qobject_cast<QSpinBox*>(w)) {
      values.texts[id] = ToCString(box->cleanText());
    } else if (auto* real = qobject_cast<QDoubleSpinBox*>(w)) {
      values.texts[id] = ToCString(QString::number(real->value(), 'f', 2));
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
      values.choices[id] = combo->currentIndex();
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
      values.choices[id] = check->isChecked() ? 1 : 0;
    }
  }
  CString message;
  if (!CommitElementEditor(*m_pElement->m_pBlock, m_pElement->m_nParam, m_pElement->m_nKind, values, m_pView,
                           &message)) {
    AfxMessageBox(message, MB_ICONEXCLAMATION);
    return false;
  }
  return true;
}

bool CMsgElementEditDlg::HandleKey(int key) {
  if (key == Qt::Key_Escape) {
    m_pGrid->Grid().CloseElementEditor(FALSE);
    return true;
  }
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    EndEdit(true);
    m_pGrid->Grid().CloseElementEditor(FALSE);
    return true;
  }
  return false;
}

bool CMsgElementEditDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && HandleKey(static_cast<QKeyEvent*>(event)->key())) return true;
  return QFrame::eventFilter(watched, event);
}

void CMsgElementEditDlg::keyPressEvent(QKeyEvent* event) {
  if (!HandleKey(event->key())) QFrame::keyPressEvent(event);
}
