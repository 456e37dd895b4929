// CQtPageHost: the page kit's control host on Qt widgets. It builds one widget
// per control of a page description (rectangles in dialog units, converted
// with the page font's average character width and height), keeps them by
// control id, and forwards the user's actions to the page as notifications
// with the rules of control_host.h. The controls' tips (the ranges of the
// numeric fields) show in the page's delayed tooltip window (CInfoTipWnd).
//
// Captions and entries show in the interface's language (CaptionText); the
// page reads back its own texts. A control whose caption or entries do not fit
// its rectangle in this font grows: first into free room beside it, then by a
// band inserted into the page at its edge, which moves everything beyond the
// edge and widens what spans it, so that no control comes to lie over another
// or across a group box's frame.
#pragma once

#include <QMargins>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <vector>

#include "controls/gui/info_tip_wnd.h"
#include "pages/control_host.h"

class QFontMetrics;
class CParamPage;

class CQtPageHost : public QWidget, public CControlHost {
  Q_OBJECT

 public:
  // Builds the controls of the page's description; the page is not owned.
  explicit CQtPageHost(CParamPage* page, QWidget* parent = nullptr);
  ~CQtPageHost() override;

  // The widget of a control id, or null.
  QWidget* Control(int id) const;
  // Dialog units to pixels in the page's font, with the bands the page grew by.
  QRect ToPixels(const CRect& dlu) const;
  QSize ToPixels(const CSize& dlu) const;
  // Keeps a window of the caller's (a grid, a preview) on the control's
  // rectangle, inset by the margins, whenever the page's layout changes.
  void Follow(QWidget* window, int id, const QMargins& inset = QMargins());

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
    CString text;                 // the page's own caption (shown in the interface's language)
    QRect rect;                   // where the control stands now, in pixels
    int comboHeight = 0;          // a drop-down list's box height (0: its style's)
    mutable int widestItem = -1;  // a list's or combo's widest item in pixels (-1: not measured yet)
  };
  // A band of pixels inserted into the page: columns from x = at on (or rows from
  // y = at on) move by size, and what spans the line grows by size.
  struct Band {
    bool rows = false;
    int at = 0;
    int size = 0;
  };
  struct Follower {
    QPointer<QWidget> window;
    int id = 0;
    QMargins inset;
  };
  void Notify(int id, ::Notify code);
  void StepSpin(int id, int delta);
  const Entry* Find(int id) const;
  // The widest item of a list or combo box in the font of fm (kept until the items change).
  int WidestItem(const Entry& e, const QFontMetrics& fm) const;
  QRect RawPixels(const CRect& dlu) const;
  // Whether a control grows when a band runs through it (rows: a band of rows).
  bool Stretches(const ControlDesc& c, bool rows) const;
  // A rectangle through the bands inserted so far.
  QRect ThroughBands(QRect r, bool wide, bool tall) const;
  QRect Place(const ControlDesc& c) const;
  void SetRect(Entry& e, const QRect& r);
  // Where a control shows in the layout (a drop-down list without its list).
  QRect Shown(const Entry& e) const;
  // The layout's rows closed up where only hidden controls stand.
  int Collapsed(int y) const;
  QRect Collapsed(const QRect& r) const;
  void Recollapse();
  // The size the control's caption or entries need (0: no need in that direction).
  QSize Need(const Entry& e) const;
  // Grows one control to its content; all controls when id is 0.
  void Fit(int id);
  void FitEntry(Entry& e);
  void FitComboHeight(Entry& e);
  // Moves the frames a control lies in so that it keeps clear of their lines and titles.
  void KeepInsideFrames(Entry& e);
  // How far a control may reach to the right (or down) without meeting another
  // control or leaving the group box it lies in.
  int RoomBeyond(const Entry& e, bool down) const;
  int Gap() const;
  // Where a band that grows the control should run.
  int BestCut(const Entry& e, bool rows) const;
  // A band of size pixels at the line at; the control keep does not grow with it.
  void InsertBand(bool rows, int at, int size, int keep = 0);
  void UpdateMinimumSize();

  CParamPage* m_pPage;
  std::map<int, Entry> m_controls;
  CInfoTipWnd m_tip;
  std::vector<Band> m_bands;
  std::vector<std::pair<int, int>> m_collapsed;  // closed rows: first row and count, in layout pixels
  std::vector<Follower> m_followers;
  QSize m_pageSize;                      // the template's size in pixels, with the bands
  bool m_bBuilding = true;               // the template's controls are being made
  double m_baseX = 6.0, m_baseY = 13.0;  // pixels of four and eight dialog units
};
