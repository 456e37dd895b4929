// The page kit: what a parameter page knows of its window.
//
// A page's logic (src/pages, src/properties) never touches a widget. It
// describes its controls once (PageDesc: ids, kinds, captions, rectangles in
// dialog units, styles, initial items) and afterwards reads and writes them
// only through a CControlHost, by control id. Two hosts exist: CMemoryHost
// (memory_host.h), which keeps the control states in memory for tests, and the
// Qt host (pages/gui/qt_page_host.h), which builds real widgets from the same
// description and forwards the user's actions as notifications.
//
// Notification rules every host keeps (they are the ones the pages rely on):
// - Setting an edit's text, by the user or by the program, notifies
//   kUpdate and then kChange, as typing does.
// - A click on a check box or push button notifies kClicked (after the check
//   box toggled). SetCheck from the program does not notify.
// - A user's selection in a combo box notifies kSelChange; SetCurSel from the
//   program does not.
// - Focus follows the user: typing into or clicking a control gives it the
//   focus first, so GetFocus() during a notification names the control the
//   user works in, while the program's own SetText leaves the focus alone.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "platform/cstring.h"
#include "platform/types.h"

// What a control tells its page.
enum class Notify {
  kUpdate,     // EN_UPDATE: an edit's text changed, before it is shown
  kChange,     // EN_CHANGE: an edit's text changed
  kClicked,    // BN_CLICKED: a button or check box was pressed
  kSelChange,  // CBN_SELCHANGE / LBN_SELCHANGE: the user chose another entry
  kDblClick,   // LBN_DBLCLK: an entry of a list box was double-clicked
};

enum class ControlKind {
  kStatic,  // a label
  kEdit,
  kCheck,   // a check box (auto)
  kRadio,   // a radio button (auto; kStyleGroup starts a group)
  kButton,  // a push button
  kGroup,   // a group box (a frame with a caption)
  kCombo,   // a drop-down list (no typing)
  kSpin,    // an up-down control bound to the edit named by its buddy
  kList,    // a list box
  kLine,    // a horizontal separator line
  kTree,    // a tree of items, each known by its insertion index; with
            // items in its description a flat list of rows in columns headed
            // by those items (a row's text separates its columns by tabs)
};

// Style bits of ControlDesc::style.
constexpr UINT kStyleNumber = 0x0001;      // edit: digits only
constexpr UINT kStyleRight = 0x0002;       // edit or static: right-aligned text
constexpr UINT kStyleCentre = 0x0004;      // static: centred text
constexpr UINT kStyleHidden = 0x0008;      // not visible at first
constexpr UINT kStyleDisabled = 0x0010;    // disabled at first
constexpr UINT kStyleReadOnly = 0x0020;    // edit: read-only
constexpr UINT kStyleGroup = 0x0040;       // radio: first of its group
constexpr UINT kStyleNoTabStop = 0x0080;   // not in the keyboard order
constexpr UINT kStyleMultiLine = 0x0100;   // edit: several lines, Enter starts a new one
constexpr UINT kStyleIconButton = 0x0200;  // button: an icon button (raised, its picture over its caption)

// One control of a page template.
struct ControlDesc {
  ControlDesc() = default;
  ControlDesc(int id_, ControlKind kind_, CString caption_, CRect rect_, UINT style_ = 0,
              std::vector<CString> items_ = {}, int buddy_ = 0)
      : id(id_),
        kind(kind_),
        caption(std::move(caption_)),
        rect(rect_),
        style(style_),
        items(std::move(items_)),
        buddy(buddy_) {}

  int id = 0;
  ControlKind kind = ControlKind::kStatic;
  CString caption;
  CRect rect;  // dialog units, in the page's client area
  UINT style = 0;
  std::vector<CString> items;  // initial entries of a combo or list box
  int buddy = 0;               // spin: the edit it writes into
  // Spin: 0 steps the buddy's whole number by one; n > 0 steps a decimal
  // buddy by one unit of its n-th decimal place (2: by 0.01). The spin's range
  // (SetRange) bounds the buddy's value either way.
  int decimals = 0;
  // Spin of a whole number: one arrow click moves by step and the result is
  // rounded down to a multiple of it; an up-click below one step does nothing.
  int step = 1;
  // A static or button that shows a picture drawn in code (PictureId of
  // blocks/pictograms.h) instead of its caption; 0 for none.
  int picture = 0;
};

// A control that shows a picture drawn in code (PictureId) instead of its caption.
inline ControlDesc WithPicture(ControlDesc control, int picture) {
  control.picture = picture;
  return control;
}

// A page template: the page's size and its controls in keyboard order.
struct PageDesc {
  int templateId = 0;
  CString caption;  // the page's tab title
  CSize size;       // dialog units
  std::vector<ControlDesc> controls;

  // The control with that id, or null.
  const ControlDesc* Find(int id) const;
};

// The control states of one page, by id.
class CControlHost {
 public:
  virtual ~CControlHost() = default;

  // Text of an edit, static, button or group box; for a combo box the
  // selected entry's text (empty without a selection).
  virtual CString GetText(int id) const = 0;
  virtual void SetText(int id, const CString& text) = 0;
  // Edits: at most n characters can be typed (0: no limit).
  virtual void LimitText(int id, int n) = 0;

  virtual int GetCheck(int id) const = 0;
  virtual void SetCheck(int id, int check) = 0;

  // Combo and list boxes, and trees: a tree's entries are indexed in the
  // order they were added, whatever their place in the tree.
  virtual void ResetContent(int id) = 0;
  virtual int AddString(int id, const CString& text) = 0;  // returns the new entry's index
  virtual int GetCount(int id) const = 0;
  virtual int GetCurSel(int id) const = 0;  // -1 without a selection
  virtual void SetCurSel(int id, int index) = 0;
  // The selected entries in ascending order: a list of rows in columns may
  // have several; any other control its current selection, if any.
  virtual std::vector<int> GetSelectedItems(int id) const;
  virtual CString GetItemText(int id, int index) const = 0;
  // Trees: adds an item below the item of index parent (-1: at the root),
  // expanded; returns the new item's index.
  virtual int AddTreeItem(int id, const CString& text, int parent) = 0;

  // Spins: the range of positions.
  virtual void SetRange(int id, int lower, int upper) = 0;

  // Controls showing a picture: the picture's state (the module picture:
  // the module it marks, -1 none).
  virtual void SetPictureState(int id, int state) = 0;
  virtual int GetPictureState(int id) const = 0;

  virtual void Enable(int id, bool enable) = 0;
  virtual bool IsEnabled(int id) const = 0;
  virtual void Show(int id, bool show) = 0;
  virtual bool IsVisible(int id) const = 0;
  // Places a control on another rectangle (dialog units).
  virtual void MoveControl(int id, const CRect& rect) = 0;

  virtual void SetFocus(int id) = 0;
  virtual int GetFocus() const = 0;  // 0 when no control of the page has it

  // Tooltips: a fixed text, or a text asked for each time the tip shows.
  virtual void SetTip(int id, const CString& text) = 0;
  virtual void SetTipProvider(int id, std::function<CString()> provider) = 0;
  // The text the tip of a control would show now (empty: no tip).
  virtual CString GetTip(int id) const = 0;

  // The keyboard order of the controls named, in that order; the controls
  // not named keep their places after them.
  virtual void SetTabOrder(const std::vector<int>& ids) = 0;

  // Adds a control at run time (the value box, the pages' own extras).
  virtual void AddControl(const ControlDesc& control) = 0;
  // Asks for the page's custom drawing (the value box) to be repainted.
  virtual void Repaint() = 0;

  // Integer helpers over the text (decimal, C locale).
  int GetInt(int id, bool* ok = nullptr) const;
  void SetInt(int id, int value);
};

// The unsigned decimal number of at most maxCount digits from position
// first, up to the first other character; -1 when no digit stands there.
int ReadDecimal(const CString& text, int first, int maxCount = 9);

// Parses a decimal integer as the data exchange does: optional blanks, an
// optional sign, digits, optional blanks; false for anything else or an
// overflow of 32 bits.
bool ParseInt(const CString& text, int* out);

// Parses a decimal number: an optional sign, digits, an optional point and
// digits, nothing else (no blanks, no exponent); false otherwise.
bool ParseDecimal(const CString& text, double* out);
// The value with the given number of decimal places, trailing zeros and a
// bare point trimmed ("1.5", "10000", never "-0").
CString FormatDecimal(double value, int decimals);
// The text a spin writes into its buddy after delta steps (positive: up) from
// the buddy's text, held to lower..upper. An unreadable whole number starts
// from lower, an unreadable decimal one from 0 (within the range).
CString SpinStepText(const ControlDesc& spin, const CString& buddyText, int lower, int upper, int delta);

// Parses at most maxDigits hexadecimal digits (0-9, A-F in either case; an
// empty text is 0); false for any other character or a longer text.
bool ParseHex(const CString& text, int maxDigits, int* out);
// The hexadecimal digits of a text, a-f turned into upper case, anything else
// dropped (the filter of the hexadecimal edits).
CString KeepHexDigits(const CString& text);
