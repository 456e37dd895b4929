// Command routing of the main window: a command id goes to the active diagram
// window first, then to the main frame, then to the application object. A
// target that handles an id also answers for its menu item and toolbar button;
// an id that no target claims is disabled.
#pragma once

#include "platform/types.h"

// State of one command's menu item and toolbar button while it is updated.
class CCmdUI {
 public:
  explicit CCmdUI(UINT id) : m_nID(id) {}
  UINT m_nID;
  bool m_bEnabled = true;  // a handled command is enabled unless its target says otherwise
  bool m_bChecked = false;
  bool m_bCheckable = false;

  void Enable(bool on = true) { m_bEnabled = on; }
  void SetCheck(int check = 1) {
    m_bCheckable = true;
    m_bChecked = check != 0;
  }
};

class CCommandTarget {
 public:
  virtual ~CCommandTarget() = default;
  // Runs the command; false when this target has no handler for it.
  virtual bool OnCmdMsg(UINT id) { return false; }
  // Sets the command's state; false when this target has no handler for it.
  virtual bool OnUpdateCmdUI(CCmdUI* ui) { return false; }
};
