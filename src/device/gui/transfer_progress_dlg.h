// CTransferProgressDlg: the modeless "PC-->PLC" dialog that shows how far a transfer is.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

class CTransferProgressDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CTransferProgressDlg(QWidget* parent = nullptr);

  // WM_TRANSFER_PROGRESS: the percentage and the TransferProgressPhase.
  void OnTransferProgress(int percent, int phase);

  QProgressBar* ProgressBar() const { return m_pBar; }
  QLabel* StatusLine() const { return m_pLine; }
  int Phase() const { return m_nPhase; }

 protected:
  void reject() override;

 private:
  QProgressBar* m_pBar = nullptr;
  QLabel* m_pLine = nullptr;
  int m_nPhase = 0;
};
