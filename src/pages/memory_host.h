// CMemoryHost: the page kit's control host without a display. It keeps every
// control's state in memory with the notification rules of control_host.h, so
// that a page runs in a test (or a fuzz target) exactly as on screen. The
// user's side is the Type, Click and Choose calls; the page's side is the
// CControlHost interface.
#pragma once

#include <map>

#include "pages/control_host.h"

class CParamPage;

class CMemoryHost : public CControlHost {
 public:
  // Builds the controls of the description. The page (may be null) receives
  // the notifications.
  explicit CMemoryHost(const PageDesc& desc, CParamPage* page = nullptr);

  void SetPage(CParamPage* page) { m_pPage = page; }

  // ---- The user's side ---------------------------------------------------------
  // Focuses an edit and replaces its text as typing would (held to the text
  // limit and, for number edits, to the digits typed).
  void Type(int id, const CString& text);
  // Focuses a button or check box and presses it (a check box toggles, a
  // radio button of a group is checked and the others of its group cleared).
  void Click(int id);
  // Focuses a combo or list box and chooses an entry.
  void Choose(int id, int index);
  // Presses a spin's arrows: delta steps up (positive) or down, each one
  // focusing the buddy edit and writing its new number as the arrows do.
  void Spin(int id, int delta);
  // Selects several rows of a list of rows in columns (the first becomes the
  // current one), as a click with the control key would.
  void SelectItems(int id, const std::vector<int>& rows);
  // Double-clicks an entry of a list box.
  void DoubleClick(int id, int index);
  // Whether the host has a control of that id.
  bool Has(int id) const { return m_controls.count(id) != 0; }
  // The keyboard order: every control id in tab order.
  std::vector<int> TabOrder() const { return m_order; }
  int RepaintCount() const { return m_nRepaints; }
  const ControlDesc* Desc(int id) const;

  // ---- CControlHost --------------------------------------------------------------
  CString GetText(int id) const override;
  void SetText(int id, const CString& text) override;
  void LimitText(int id, int n) override;
  int GetCheck(int id) const override;
  void SetCheck(int id, int check) override;
  void ResetContent(int id) override;
  int AddString(int id, const CString& text) override;
  int GetCount(int id) const override;
  int GetCurSel(int id) const override;
  void SetCurSel(int id, int index) override;
  std::vector<int> GetSelectedItems(int id) const override;
  CString GetItemText(int id, int index) const override;
  int AddTreeItem(int id, const CString& text, int parent) override;
  // The parent index of a tree item (-1 at the root or for no such item).
  int TreeParent(int id, int index) const;
  void SetRange(int id, int lower, int upper) override;
  void SetPictureState(int id, int state) override;
  int GetPictureState(int id) const override;
  void Enable(int id, bool enable) override;
  bool IsEnabled(int id) const override;
  void Show(int id, bool show) override;
  bool IsVisible(int id) const override;
  void MoveControl(int id, const CRect& rect) override;
  void SetFocus(int id) override { m_nFocus = id; }
  int GetFocus() const override { return m_nFocus; }
  void SetTip(int id, const CString& text) override;
  void SetTipProvider(int id, std::function<CString()> provider) override;
  CString GetTip(int id) const override;
  void SetTabOrder(const std::vector<int>& ids) override;
  void AddControl(const ControlDesc& control) override;
  void Repaint() override { ++m_nRepaints; }

 private:
  struct Control {
    ControlDesc desc;
    CString text;
    int check = 0;
    std::vector<CString> items;
    std::vector<int> parents;  // trees: each item's parent index
    int sel = -1;
    std::vector<int> selected;  // rows selected together with sel
    int limit = 0;
    int lower = 0, upper = 100;
    int pictureState = -1;
    bool enabled = true;
    bool visible = true;
    CString tip;
    std::function<CString()> tipProvider;
  };
  Control& At(int id);
  const Control* Get(int id) const;
  void Send(int id, Notify code);

  CParamPage* m_pPage;
  std::map<int, Control> m_controls;
  std::vector<int> m_order;
  int m_nFocus = 0;
  int m_nRepaints = 0;
};
