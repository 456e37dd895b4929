// CMsgElementEditDlg: the value editor of a parameter element in the
// "Message texts" preview. It lies over the element inside the page's grid,
// holds the controls that suit the parameter (two-part time with its unit, a
// number with a spin, a hexadecimal mask, a choice list, weekday boxes, a
// real number) and writes the entered value straight into the running block.
// Enter commits and closes, Esc closes; the page closes it on the other
// occasions (another element clicked: commit; Details, page switch: discard).
#pragma once

#include <QFrame>
#include <map>

#include "msgtext/msg_element_editor.h"

class CGridWidget;
class CViewContext;
class CWidget;

class CMsgElementEditDlg : public QFrame {
  Q_OBJECT

 public:
  // grid: the page's grid (the editor is a child of its viewport); element:
  // the element edited (not owned); view: the simulating view.
  CMsgElementEditDlg(CGridWidget* grid, CWidget* element, CViewContext* view);

  // Reads the controls and, after the checks, writes the block; a failed
  // check shows its message and writes nothing. commit false does nothing.
  bool EndEdit(bool commit);
  // Moves the editor back over its element.
  void FollowElement();

  // The control of an id (tests and the key handling), null when none.
  QWidget* Control(int id) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  // Esc: close; Enter: commit, then close whatever the commit said.
  bool HandleKey(int key);

  CGridWidget* m_pGrid;
  CWidget* m_pElement;
  CViewContext* m_pView;
  std::map<int, QWidget*> m_controls;
};
