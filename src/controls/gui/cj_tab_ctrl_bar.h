// CCJTabCtrlBar: a CCJControlBar holding a tab control with its tabs at the
// bottom and one view per tab; only the selected tab's view is visible and
// enabled. The owner adds the tabs with AddTabView and hears of the user's tab
// changes through SetSelectionHandler.
#pragma once

#include <functional>
#include <vector>

#include "controls/gui/cj_control_bar.h"

class QTabWidget;

class CCJTabCtrlBar : public CCJControlBar {
  Q_OBJECT

 public:
  explicit CCJTabCtrlBar(QWidget* parent = nullptr);
  ~CCJTabCtrlBar() override;

  // Appends a tab with the view that makeView creates (parented to the bar);
  // false when no view was made. The label keeps at most 15 characters.
  bool AddTabView(const QString& label, const std::function<QWidget*(QWidget* parent)>& makeView);
  QWidget* GetActiveView() const { return m_pActiveView; }
  // The bar's width, docked at a side, that shows views of the given width and
  // every tab without scrolling.
  int PreferredWidth(int viewWidth) const;
  // Null for -1 or an index out of range.
  QWidget* GetView(int index) const;
  int GetTabCount() const { return static_cast<int>(m_views.size()); }
  int GetActiveTab() const { return m_nActiveTab; }
  QTabWidget* GetTabCtrl() const { return m_tabCtrl; }
  // Makes a tab's view the shown one.
  void ActivateTabView(int index);
  // Called after a tab change of the user's with the new index and its view.
  void SetSelectionHandler(std::function<void(int, QWidget*)> handler) { m_onSelect = std::move(handler); }

 protected:
  void LayoutClient(int cx, int cy) override;

 private:
  struct TabViewEntry {
    QWidget* view;
    QString label;
  };
  void OnSelChange(int index);

  QTabWidget* m_tabCtrl = nullptr;
  int m_nActiveTab = 0;
  QWidget* m_pActiveView = nullptr;
  std::vector<TabViewEntry> m_views;
  std::function<void(int, QWidget*)> m_onSelect;
  bool m_bAdding = false;
};
