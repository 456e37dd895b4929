// The two dialogs of the Parameter page over the document's 32 analog outputs
// (Main AQ0..AQ3, then four per extension module Ext.1..Ext.7): CFixedValueDlg,
// the value each output takes in STOP mode, and CValueRangeTypeDlg, the range
// type of each output. OK writes into the document at once.
#pragma once

#include <QDialog>
#include <array>
#include <functional>

#include "controls/gui/info_tip_wnd.h"

class CNumericEdit;
class CZaradDoc;
class QComboBox;

class CFixedValueDlg : public QDialog {
  Q_OBJECT

 public:
  CFixedValueDlg(CZaradDoc& doc, QWidget* parent = nullptr);
  CNumericEdit* Edit(int index) const { return m_edits[static_cast<size_t>(index)]; }
  Q_INVOKABLE void OnOK();

 private:
  CZaradDoc& m_doc;
  std::array<CNumericEdit*, 32> m_edits{};
  CInfoTipWnd m_tip;  // the range of the values
};

class CValueRangeTypeDlg : public QDialog {
  Q_OBJECT

 public:
  CValueRangeTypeDlg(CZaradDoc& doc, QWidget* parent = nullptr);
  QComboBox* List(int index) const { return m_lists[static_cast<size_t>(index)]; }
  Q_INVOKABLE void OnOK();

 private:
  CZaradDoc& m_doc;
  std::array<QComboBox*, 32> m_lists{};
};

// Runs one of the dialogs modally: exec() unless a test drives it.
extern std::function<int(QDialog& dialog)> g_analogOutputDialogRunner;
int RunAnalogOutputDialog(QDialog& dialog);
