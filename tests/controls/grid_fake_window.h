// A window and a host for driving CGridCtrl without a display: the client
// area shrinks when a scroll bar shows, repaints and notifications are
// recorded, the clipboard is a member, and a drag calls a test's drop.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include "controls/grid_ctrl.h"
#include "model/shell_context.h"
#include "platform/recording_dc.h"

class FakeGridWindow : public CGridWindow {
 public:
  explicit FakeGridWindow(CSize client = CSize(400, 300)) : m_client(client) {}

  CRect GetClientRect() const override {
    CRect r(0, 0, m_client.cx, m_client.cy);
    if (m_bars[SB_VERT]) r.right -= GetScrollBarSize();
    if (m_bars[SB_HORZ]) r.bottom -= GetScrollBarSize();
    return r;
  }
  void Invalidate(const CRect*) override { ++invalidations; }
  CDC* GetMeasureDC() override { return &m_dc; }
  void ShowScrollBar(int bar, bool show) override { m_bars[bar] = show; }
  void SetScrollRange(int bar, int max, int page) override {
    m_max[bar] = max;
    m_pos[bar] = std::clamp(m_pos[bar], 0, std::max(0, max));
  }
  int GetScrollPos(int bar) const override { return m_pos[bar]; }
  void SetScrollPos(int bar, int pos) override { m_pos[bar] = std::clamp(pos, 0, std::max(0, m_max[bar])); }
  void SetClipboard(const CGridDataObject& data) override { clipboard = data; }
  CGridDataObject GetClipboard() const override { return clipboard; }
  int DoDragDrop(const CGridDataObject& data, int allowed) override {
    return onDrag ? onDrag(data, allowed) : DROPEFFECT_NONE;
  }

  bool BarShown(int bar) const { return m_bars[bar]; }
  int ScrollMax(int bar) const { return m_max[bar]; }

  CGridDataObject clipboard;
  std::function<int(const CGridDataObject&, int)> onDrag;
  int invalidations = 0;

 private:
  CSize m_client;
  CRecordingDC m_dc;
  bool m_bars[2] = {false, false};
  int m_max[2] = {0, 0};
  int m_pos[2] = {0, 0};
};

class FakeGridHost : public CGridHost {
 public:
  LRESULT OnGridNotify(CGridCtrl*, int code, int row, int col) override {
    notes.push_back({code, row, col});
    if (code == LVN_ENDLABELEDITW && refuseEnd) return -1;
    if (code == LVN_BEGINLABELEDITW && refuseBegin) return -1;
    return 0;
  }
  int GetWantedCharClass(CGridCtrl*) override { return wantedClass; }
  int GetCharClass(UINT ch) override { return ::GetCharClass(ch); }
  bool IgnoresDeleteKey(CGridCtrl*) override { return ignoreDelete; }
  void OnGridCommand(CGridCtrl*) override { ++commands; }

  struct Note {
    int code, row, col;
  };
  std::vector<Note> notes;
  int wantedClass = 1;
  bool refuseEnd = false;
  bool refuseBegin = false;
  bool ignoreDelete = false;
  int commands = 0;
};

// A grid shaped like a message-text screen: a heading row and column, four
// display lines of 25 characters (columns 1..25), cells 10 x 20 pixels.
struct MessageGrid {
  FakeGridWindow window{CSize(600, 200)};
  FakeGridHost host;
  CGridCtrl grid{5, 26, 1, 1};

  MessageGrid() {
    grid.SetHost(&host);
    grid.AttachWindow(&window);
    for (int c = 0; c < grid.GetColumnCount(); ++c) grid.SetColumnWidth(c, 10);
    for (int r = 0; r < grid.GetRowCount(); ++r) grid.SetRowHeight(r, 20);
  }
  // Types a string of UTF-16 characters as WM_CHAR messages.
  void Type(std::u16string_view text) {
    for (char16_t ch : text) {
      if (ch >= 0x80) {
        grid.OnImeChar(ch);
      } else {
        grid.OnChar(ch);
      }
    }
  }
  CString Text(int r, int c) const { return grid.GetItemText(r, c); }
  // The centre of a cell in client pixels.
  CPoint Centre(int r, int c) {
    CRect rect;
    grid.GetCellRect(r, c, &rect);
    return rect.CenterPoint();
  }
};
