#include "properties/gui/analog_output_dlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/edit_behavior.h"
#include "controls/gui/valid_edit.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/string_table.h"

std::function<int(QDialog& dialog)> g_analogOutputDialogRunner;

int RunAnalogOutputDialog(QDialog& dialog) {
  return g_analogOutputDialogRunner ? g_analogOutputDialogRunner(dialog) : dialog.exec();
}

namespace {

// Eight rows ("Main", "Ext.1".."Ext.7") of four columns ("AQ0".."AQ3"); make(i) builds control i.
template <typename Make>
void LayOutOutputs(QDialog* dialog, Make make) {
  auto* grid = new QGridLayout;
  for (int c = 0; c < 4; ++c)
    grid->addWidget(new QLabel(QString("AQ%1").arg(c), dialog), 0, c + 1, Qt::AlignHCenter);
  for (int r = 0; r < 8; ++r) {
    grid->addWidget(new QLabel(QtCaption(r == 0 ? QString("Main") : QString("Ext.%1").arg(r)), dialog), r + 1,
                    0);
    for (int c = 0; c < 4; ++c) grid->addWidget(make(r * 4 + c), r + 1, c + 1);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  auto* layout = new QVBoxLayout(dialog);
  layout->addLayout(grid);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog,
                   [dialog] { QMetaObject::invokeMethod(dialog, "OnOK", Qt::DirectConnection); });
}

}  // namespace

CFixedValueDlg::CFixedValueDlg(CZaradDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
  setObjectName("fixedValueDlg");
  setWindowTitle(QtCaption("Fixed value"));
  m_tip.Create(this);
  CString tip;
  tip.Format(LoadString(376).GetString(), 0, 10);
  tip += u"V";
  LayOutOutputs(this, [&](int i) {
    auto* edit = new CNumericEdit(9, 4, this);
    edit->setObjectName(QString("fixedValue%1").arg(i));
    edit->SetMaxWholeDigits(2);
    edit->SetMaxDecimalPlaces(2);
    edit->AllowNegative(false);
    edit->SetRange(0.0, 10.0);
    edit->ModifyFlags(EDIT_CLAMP_OUT_OF_RANGE, 0);
    const size_t at = static_cast<size_t>(i);
    edit->SetValue(at < m_doc.m_aqFixedValue.size() ? m_doc.m_aqFixedValue[at] : 0.0);
    edit->setMouseTracking(true);
    m_tip.AddTool(edit, tip);
    edit->setFixedWidth(60);
    m_edits[at] = edit;
    return edit;
  });
}

void CFixedValueDlg::OnOK() {
  std::vector<double> values(kAnalogOutputCount, 0.0);
  for (size_t i = 0; i < m_edits.size(); ++i) values[i] = m_edits[i]->GetDouble();
  if (values != m_doc.m_aqFixedValue) {
    m_doc.m_aqFixedValue = values;
    m_doc.SetModifiedFlag(true);
  }
  accept();
}

CValueRangeTypeDlg::CValueRangeTypeDlg(CZaradDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc) {
  setObjectName("valueRangeTypeDlg");
  setWindowTitle(QtCaption("Value range type"));
  LayOutOutputs(this, [&](int i) {
    auto* list = new QComboBox(this);
    list->setObjectName(QString("rangeType%1").arg(i));
    list->addItems({"0-20 mA / 0-10V", "4-20 mA"});
    const size_t at = static_cast<size_t>(i);
    const int type = at < m_doc.m_aqRangeType.size() ? m_doc.m_aqRangeType[at] : 0;
    list->setCurrentIndex(type == 1 ? 1 : 0);
    m_lists[at] = list;
    return list;
  });
}

void CValueRangeTypeDlg::OnOK() {
  std::vector<BYTE> types(kAnalogOutputCount, 0);
  for (size_t i = 0; i < m_lists.size(); ++i)
    types[i] = static_cast<BYTE>(std::max(0, m_lists[i]->currentIndex()));
  if (types != m_doc.m_aqRangeType) {
    m_doc.m_aqRangeType = types;
    m_doc.SetModifiedFlag(true);
  }
  accept();
}
