// CQtPageHost: the page kit's control host on Qt widgets. It builds one widget
// per control of a page description (rectangles in dialog units, converted
// with the page font's average character width and height), keeps them by
// control id, and forwards the user's actions to the page as notifications
// with the rules of control_host.h. The controls' tips (the ranges of the
// numeric fields) show in the page's delayed tooltip window (CInfoTipWnd).
#pragma once

#include <QWidget>
#include <functional>
#include <map>

#include "controls/gui/info_tip_wnd.h"
#include "pages/control_host.h"

class CParamPage;

class CQtPageHost : public QWidget, public CControlHost {
  Q_OBJECT

 public:
  // Builds the controls of the page's description; the page is not owned.
  explicit CQtPageHost(CParamPage* page, QWidget* parent = nullptr);
  ~CQtPageHost() override;

  // The widget of a control id, or null.
  QWidget* Control(int id) const;
  // Dialog units to pixels in the page's font.
  QRect ToPixels(const CRect& dlu) const;
  QSize ToPixels(const CSize& dlu) const;

  // ---- CControlHost ----------------------------------------------------------------
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
  void SetRange(int id, int lower, int upper) override;
  void SetPictureState(int id, int state) override;
  int GetPictureState(int id) const override;
  void Enable(int id, bool enable) override;
  bool IsEnabled(int id) const override;
  void Show(int id, bool show) override;
  bool IsVisible(int id) const override;
  void MoveControl(int id, const CRect& rect) override;
  void SetFocus(int id) override;
  int GetFocus() const override;
  void SetTip(int id, const CString& text) override;
  void SetTipProvider(int id, std::function<CString()> provider) override;
  CString GetTip(int id) const override;
  void SetTabOrder(const std::vector<int>& ids) override;
  void AddControl(const ControlDesc& control) override;
  void Repaint() override;

  // The page's tooltip window.
  CInfoTipWnd& TipWindow() { return m_tip; }

 private:
  struct Entry {
    ControlDesc desc;
    QWidget* widget = nullptr;
    bool shown = true;  // the control's own visibility (the page may be hidden)
    int lower = 0, upper = 100;
    CString tip;
    std::function<CString()> tipProvider;
  };
  void Notify(int id, ::Notify code);
  void StepSpin(int id, int delta);
  const Entry* Find(int id) const;

  CParamPage* m_pPage;
  std::map<int, Entry> m_controls;
  CInfoTipWnd m_tip;
  double m_baseX = 6.0, m_baseY = 13.0;  // pixels of four and eight dialog units
};
