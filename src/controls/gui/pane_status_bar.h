// CPaneStatusBar: a status bar made of panes with ids, widths, styles and texts,
// where panes can be inserted and removed at run time and child windows can be
// hosted inside a pane, kept fitted to it when the bar changes size.
#pragma once

#include <QPointer>
#include <QStatusBar>
#include <functional>
#include <memory>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

class QLabel;

// Indicator id of the stretching message pane.
constexpr UINT ID_SEPARATOR = 0;

// Pane style bits.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_OWNERDRAW = 0x1000;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// One pane as callers read and write it.
struct StatusPaneInfo {
  UINT id = 0;
  int width = 0;
  UINT style = 0;
  UINT flags = 0;
  CString text;
};

// A child window hosted in a pane.
struct PaneControl {
  QPointer<QWidget> window;
  UINT paneId = 0;
  BOOL destroyWithBar = FALSE;
};

class CPaneStatusBar : public QStatusBar {
  Q_OBJECT

 public:
  // Edge width and small-icon width used to fit hosted windows into panes.
  static constexpr int kEdge = 2;
  static constexpr int kSmallIcon = 16;

  explicit CPaneStatusBar(QWidget* parent = nullptr);
  ~CPaneStatusBar() override;

  // Default text of a pane id (its width follows the text); empty without a provider.
  void SetDefaultTextProvider(std::function<CString(UINT)> provider) { m_defaultText = std::move(provider); }

  // Replaces all panes by panes with these ids, each with its default text, the width of
  // that text and style 0 (the separator pane: no borders, stretching).
  BOOL SetIndicators(const std::vector<UINT>& ids);
  int GetCount() const { return static_cast<int>(m_panes.size()); }
  // Index of the pane with that id; -1 when there is none.
  int CommandToIndex(UINT id) const;
  UINT GetItemID(int index) const;
  // Pane rectangle in bar coordinates; empty for a bad index.
  QRect GetItemRect(int index) const;
  CString GetPaneText(int index) const;
  BOOL SetPaneText(int index, const CString& text);

  // Inserts a pane with that id at the index (0 first, the count appends).
  BOOL AddIndicator(UINT id, int index);
  // Removes the pane with that id and its hosted window; never the only pane.
  BOOL RemoveIndicator(UINT id);
  // Hosts a window in the pane with that id.
  BOOL AddPaneControl(QWidget* window, UINT paneId, BOOL destroyWithBar);
  BOOL GetPaneInfo(int index, StatusPaneInfo* info) const;
  BOOL SetPaneInfo(int index, const StatusPaneInfo* info);
  // Fits every hosted window to its pane.
  void RepositionControls();
  // Panes at least this high (a hosted window's text needs the room).
  void SetMinimumPaneHeight(int height);

  // Whether the bar draws a size grip (the last stretching pane then ends before it).
  bool HasSizeGrip() const { return isSizeGripEnabled(); }
  const std::vector<std::unique_ptr<PaneControl>>& PaneControls() const { return m_controls; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct Pane {
    UINT id = 0;
    int width = 0;
    UINT style = 0;
    UINT flags = 0;
    CString text;
    QLabel* label = nullptr;
  };

  // A pane with the id's default text, as wide as that text.
  Pane MakePane(UINT id) const;
  void DeleteLabels();
  // Replaces every pane's label by a new one.
  void Rebuild();
  void ApplyPane(Pane& pane);
  int DefaultWidth(const CString& text) const;
  // Hides a hosted window, deleting it when it goes with the bar.
  static void ReleaseControl(PaneControl& control);

  std::vector<Pane> m_panes;
  std::vector<std::unique_ptr<PaneControl>> m_controls;
  std::function<CString(UINT)> m_defaultText;
  int m_nMinPaneHeight = 0;
};
