// CInfoTipWnd: the delayed tooltip of dialogs and property pages. It shows a tool's text
// half a second after the mouse comes to rest over a registered control, 20 pixels
// below the cursor and kept on the screen, and hides after five seconds, on a key or a
// click, or when the cursor moves to another tool. A tip hidden after five seconds does
// not return until the cursor has passed over another tool or over no tool.
//
// The owner (a dialog or page) keeps one as a member:
//
//   m_tip.Create(this);
//   m_tip.AddTool(m_pEdit, u"Number between 0 and 100");
//   m_tip.AddCallbackTool(m_pOther, nullptr, IDC_OTHER);   // text asked on demand:
//   m_tip.SetNeedText([this](UINT id, QWidget*) { return RangeText(id); });
//
// Create installs an application event filter that relays the owner's (and its
// children's) mouse and key events to the tip; RelayEvent is public for hosts that
// forward events themselves. A text with a carriage return carries a pointer: the part
// before it shows with the pointer on the right, a click on the tip flips to the part
// after it with the pointer on the left.
//
// The tip becomes a child window of its owner: keep it as the owner's member (or let
// the owner delete it); it must not outlive the owner.
//
// The timing and hiding rules are CInfoTipLogic's (controls/tip_rules.h).
#pragma once

#include <QBasicTimer>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

#include "controls/tip_rules.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CInfoTipWnd : public QWidget {
  Q_OBJECT

 public:
  // The owner's answer for a tool registered without a text: (tool id, control).
  using NeedTextFn = std::function<CString(UINT tool_id, QWidget* control)>;

  CInfoTipWnd();
  ~CInfoTipWnd() override;

  // Remembers the owner (tool rectangles are in its coordinates) and starts relaying.
  BOOL Create(QWidget* owner);
  // A tool with its own text. rect is in the control's coordinates, taken now; null
  // means the whole control wherever it stands (a control the owner moves or shows
  // later keeps its tip). FALSE for a null control.
  BOOL AddTool(QWidget* control, const CString& text, const QRect* rect = nullptr, UINT tool_id = 0);
  // A tool whose text the owner gives on demand through SetNeedText.
  BOOL AddCallbackTool(QWidget* control, const QRect* rect = nullptr, UINT tool_id = 0);
  // Removes the first tool with that control and id; hides its tip when it is shown.
  void RemoveTool(QWidget* control, UINT tool_id = 0);
  void SetNeedText(NeedTextFn fn) { m_needText = std::move(fn); }
  // Sets the tip font; FALSE for a null font description is not possible here.
  void SetTipFont(const QFont& font, bool repaint);

  void RelayEvent(QObject* receiver, QEvent* event);
  void Hide();

  // For tests and hosts: the tool under a point of the owner (-1: none) and the state.
  int FindToolAt(const QPoint& owner_point) const;
  const CInfoTipLogic& Logic() const { return m_logic; }
  const CString& ShownText() const { return m_text; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  struct Tool {
    int handle;
    QPointer<QWidget> control;
    UINT id;
    QRect rect;  // owner coordinates
    bool whole;  // the whole control, where it stands when asked
    bool callback;
    CString text;
  };

  BOOL Add(QWidget* control, const CString& text, bool callback, const QRect* rect, UINT tool_id);
  const Tool* FindTool(int handle) const;
  // The tool's rectangle in the owner's coordinates.
  QRect ToolRect(const Tool& tool) const;
  bool IsCursorInTool(int handle) const;
  bool IsCursorInTip() const;
  void Apply(const CInfoTipLogic::Step& step);
  void ShowTip(const QPoint& position, bool pointer_on_left);
  CString GetToolText(const Tool& tool) const;

  QPointer<QWidget> m_owner;
  std::vector<Tool> m_tools;
  int m_nextHandle = 0;
  CInfoTipLogic m_logic;
  QBasicTimer m_showTimer;
  QBasicTimer m_trackTimer;
  NeedTextFn m_needText;
  CString m_text;
  bool m_hasPointer = false;
  bool m_pointerOnLeft = false;
};
