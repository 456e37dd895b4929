// CPageLayoutDlg: "Page Layout", the pages across and down of a diagram with
// a preview of the page grid. The fields hold themselves to 1..100 as they
// change; OK refuses a page total above 100 (the dialog stays open) and a
// grid too small for the document's blocks, wires and comments (the dialog
// ends as cancelled). The caller fills the counts and, on OK, reads them back.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QWidget;
class CZaradDoc;

class CPageLayoutDlg : public QDialog {
  Q_OBJECT

 public:
  // doc: the diagram whose content must fit a smaller grid (null: none).
  CPageLayoutDlg(const CZaradDoc* doc, QWidget* parent = nullptr);

  // Fields, exchanged with the controls when the dialog starts and on OK.
  int m_bUseAsDefault = 0;  // check box 1004; nothing reads it
  int m_nPagesAcross = 1;   // edit 3500
  int m_nPagesDown = 1;     // edit 3502

  // Puts the fields into the controls (the caller sets them first).
  void UpdateControls();
  // OK: the page total, then whether the content fits (see the header comment).
  void OnOK();
  QLineEdit* AcrossEdit() const { return m_pAcross; }
  QLineEdit* DownEdit() const { return m_pDown; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnChangeCount(QLineEdit* edit);

  const CZaradDoc* m_pDoc;
  QLineEdit* m_pAcross;
  QLineEdit* m_pDown;
  QCheckBox* m_pDefault;
  QWidget* m_pPreview;
};

// Draws the preview grid (page numbers in their cells) into a 253 x 165 image.
class QImage;
QImage RenderPageLayoutPreview(int across, int down);
