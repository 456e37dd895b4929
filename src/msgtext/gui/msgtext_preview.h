// The "Message texts" preview of the simulation: a modeless window with one
// page per message-text block of the document, in priority order, each
// showing the first character set of its screen on a 4 x 12 display with its
// elements drawn live every 53 ms. "Details" switches every page between the
// editors' long texts and the device display's texts. A double click on an
// editable parameter element opens the value editor over it, which writes
// straight into the running block.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <vector>

#include "controls/grid_host.h"
#include "msgtext/gui/popup_value_editor.h"

class CBlockMSGTEXT;
class CGridWidget;
class CMsgElementEditDlg;
class CViewContext;
class CWidget;
class CZaradDoc;
class QPushButton;
class QTabWidget;

// A display page of one message-text block.
class CMsgTxtDisplay : public QWidget, public CGridHost {
  Q_OBJECT

 public:
  static constexpr int kRows = 5;
  static constexpr int kCols = 13;
  static constexpr int kTimerMs = 53;

  // view: the simulating view (its document and clock); block: the page's block.
  CMsgTxtDisplay(CViewContext* view, CBlockMSGTEXT* block, QWidget* parent = nullptr);
  ~CMsgTxtDisplay() override;

  int GetBlockNumber() const { return m_nBlockNumber; }
  CGridWidget* Grid() const { return m_grid; }
  QPushButton* DetailsButton() const { return m_details; }
  // The cell texts of set 1 the page was built with: rows 0..4, columns 0..12.
  const CString& CellText(int row, int col) const { return m_strCells[row * kCols + col]; }
  // Closes an open value editor; apply writes its value first.
  void CloseElementEditor(bool apply);
  CMsgElementEditDlg* GetElementEditor() const { return m_editor; }
  // Moves an open value editor back over its element.
  void FollowElement();

  // CGridHost.
  void DrawElement(CGridCtrl* grid, CDC* dc, const CGridElement& element, bool selected) override;
  bool IgnoresDeleteKey(CGridCtrl*) override { return true; }
  bool CanEditElementValue(CGridCtrl* grid, const CGridElement* element) override;
  void OpenElementEditor(CGridCtrl* grid, CGridElement* element) override;
  void CloseElementEditor(CGridCtrl* grid, bool apply) override;

 protected:
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void OnDetails();
  void PlaceElements();

  CViewContext* m_pView;
  int m_nBlockNumber;
  CString m_strCells[kRows * kCols];
  CGridWidget* m_grid = nullptr;
  QPushButton* m_details = nullptr;
  QTimer m_timer;
  QPointer<CMsgElementEditDlg> m_editor;
};

class CAllDisplayMsgTxts : public QDialog {
  Q_OBJECT

 public:
  // Builds one page per message-text block of the view's document, ordered
  // by priority (equal priorities in document order).
  CAllDisplayMsgTxts(CViewContext* view, QWidget* parent = nullptr);
  ~CAllDisplayMsgTxts() override;

  int PageCount() const;
  CMsgTxtDisplay* Page(int index) const;
  int ActivePage() const;
  void SetActivePage(int index);
  // After it is shown: the page of every message whose En is on comes
  // forward in turn, so the last of them stays in front.
  void ActivateEnabledPages();
  // mode 1: the block `number` has just become active; mode 2: inactive.
  void UpdateActivePage(int mode, int number);

 protected:
  void moveEvent(QMoveEvent* e) override;

 private:
  // The page blocks as they are now (null for a page whose block is gone).
  std::vector<CBlockMSGTEXT*> PageBlocks() const;

  CViewContext* m_pView;
  QTabWidget* m_tabs = nullptr;
  int m_nCurrentPage = -1;
};
