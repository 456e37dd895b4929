// The grid control without a display: typing over wide characters, keyboard
// movement, selection, clipboard text and drag and drop of elements.
#include <gtest/gtest.h>

#include "controls/grid_fake_window.h"
#include "platform/message_sink.h"

namespace {

constexpr char16_t kHan = u'\u4E2D';     // a CJK character: two cells
constexpr char16_t kEAcute = u'\u00E9';  // an accented letter: one cell

std::unique_ptr<CGridElement> Element(int row, int col, int width, int kind = 0) {
  auto e = std::make_unique<CGridElement>();
  e->m_nRow = row;
  e->m_nCol = col;
  e->m_nWidth = width;
  e->m_nKind = kind;
  e->m_color = RGB(200, 230, 255);
  return e;
}

TEST(GridTyping, LettersAndWideCharacters) {
  MessageGrid m;
  m.grid.SetFocusCell(1, 1);
  m.Type(u"AB");
  EXPECT_EQ(m.Text(1, 1), CString(u"A"));
  EXPECT_EQ(m.Text(1, 2), CString(u"B"));
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 3));
  m.Type(std::u16string(1, kHan));
  EXPECT_EQ(m.Text(1, 3), CString(kHan));
  EXPECT_EQ(m.grid.GetItemState(1, 3) & 0x300u, GVIS_WIDELEFT);
  EXPECT_EQ(m.grid.GetItemState(1, 4) & 0x300u, GVIS_WIDERIGHT);
  EXPECT_EQ(m.Text(1, 4), CString());
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 5));
  // The host was asked before and told after each stored character.
  int begins = 0;
  int ends = 0;
  for (const auto& n : m.host.notes) {
    begins += n.code == LVN_BEGINLABELEDITW;
    ends += n.code == LVN_ENDLABELEDITW;
  }
  EXPECT_EQ(begins, 3);
  EXPECT_EQ(ends, 3);
}

TEST(GridTyping, NavigationSkipsTheRightHalf) {
  MessageGrid m;
  m.grid.SetFocusCell(1, 3);
  m.Type(std::u16string(1, kHan));  // cells 3 and 4
  ASSERT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 5));
  m.grid.OnKeyDown(VK_LEFT);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 3));
  // Landing on a wide character selects both halves.
  EXPECT_TRUE(m.grid.IsCellSelected(1, 3));
  EXPECT_TRUE(m.grid.IsCellSelected(1, 4));
  m.grid.OnKeyDown(VK_RIGHT);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 5));
  // Up from under the right half lands on the left half.
  m.grid.SetFocusCell(2, 4);
  m.grid.OnKeyDown(VK_UP);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 3));
  // Tab on the last column wraps to the first column of the next line.
  m.grid.SetFocusCell(2, 25);
  m.grid.OnKeyDown(VK_TAB);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(3, 1));
  // Page keys do not move the focus.
  m.grid.OnKeyDown(VK_NEXT);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(3, 1));
}

TEST(GridTyping, BackspaceAndOvertypingKeepAWideCharacter) {
  MessageGrid m;
  m.grid.SetFocusCell(1, 1);
  m.Type(std::u16string(1, kHan) + u"x");  // 中 in 1-2, x in 3
  ASSERT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 4));
  // Backspace moves left and empties the cell it lands on.
  m.grid.OnKeyDown(VK_BACK);
  m.grid.OnChar(VK_BACK);
  EXPECT_EQ(m.Text(1, 3), CString());
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 3));
  // Onto the wide character: the focus moves there but the character stays.
  m.grid.OnKeyDown(VK_BACK);
  m.grid.OnChar(VK_BACK);
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 1));
  EXPECT_EQ(m.Text(1, 1), CString(kHan));
  // An ASCII letter on the left half keeps the wide character and moves on.
  m.grid.OnChar('Q');
  EXPECT_EQ(m.Text(1, 1), CString(kHan));
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 3));
}

TEST(GridTyping, CharacterClassAndPlaceRules) {
  struct Case {
    int wanted;
    char16_t ch;
    int col;
    bool stored;
  };
  const Case cases[] = {
      {1, kHan, 1, true},    {1, kEAcute, 1, false},  // the page's set takes CJK only
      {2, kEAcute, 1, true}, {2, kHan, 1, false},
      {0, kHan, 1, false},   // older device model: nothing from 0x80
      {1, kHan, 25, false},  // the second half would fall off the line
  };
  for (const Case& c : cases) {
    MessageGrid m;
    m.host.wantedClass = c.wanted;
    m.grid.SetFocusCell(1, c.col);
    m.Type(std::u16string(1, c.ch));
    EXPECT_EQ(m.Text(1, c.col) == CString(c.ch), c.stored) << "wanted " << c.wanted << " col " << c.col;
  }
  // A CJK character where the next cell starts another one changes nothing,
  // and the cell takes the next character normally.
  MessageGrid m;
  m.grid.SetFocusCell(1, 2);
  m.Type(std::u16string(1, kHan));
  m.grid.SetFocusCell(1, 1);
  m.Type(std::u16string(1, kHan));
  EXPECT_EQ(m.Text(1, 1), CString());
  EXPECT_EQ(m.grid.GetFocusCell(), CGridCellPos(1, 1));
  m.Type(u"k");
  EXPECT_EQ(m.Text(1, 1), CString(u"k"));
}

TEST(GridTyping, ElementsAndTheHostsVeto) {
  MessageGrid m;
  m.grid.AddElement(Element(1, 5, 3));                         // one line, columns 5..7
  m.grid.AddElement(Element(1, 10, 3, CGridElement::kScope));  // lines 1..3, columns 10..12
  m.grid.SetFocusCell(1, 5);
  m.Type(u"a");
  EXPECT_EQ(m.Text(1, 5), CString());
  m.grid.SetFocusCell(3, 11);
  m.Type(u"a");
  EXPECT_EQ(m.Text(3, 11), CString());
  m.grid.SetFocusCell(4, 11);
  m.Type(u"a");
  EXPECT_EQ(m.Text(4, 11), CString(u"a"));
  // A wide character right before an element would put its second half under it.
  m.grid.SetFocusCell(1, 4);
  m.Type(std::u16string(1, kHan));
  EXPECT_EQ(m.Text(1, 4), CString());
  // A host that refuses the end of an edit keeps the old text.
  m.host.refuseEnd = true;
  m.grid.SetFocusCell(2, 1);
  m.Type(u"z");
  EXPECT_EQ(m.Text(2, 1), CString());
}

TEST(GridKeys, DeleteRemovesSelectedElementsUnlessTheHostIgnoresIt) {
  for (bool ignore : {false, true}) {
    MessageGrid m;
    m.host.ignoreDelete = ignore;
    m.grid.AddElement(Element(2, 3, 4));
    m.grid.OnLButtonDown(0, m.Centre(2, 4));
    m.grid.OnLButtonUp(0, m.Centre(2, 4));
    ASSERT_NE(m.grid.GetSelectedElement(), nullptr);
    m.grid.OnKeyDown(VK_DELETE);
    EXPECT_EQ(m.grid.GetShownElements(1).empty(), !ignore);
  }
}

TEST(GridClipboard, CopyBuildsTabsAndLineBreaks) {
  MessageGrid m;
  m.grid.SetItemText(1, 1, CString(u"A"));
  m.grid.SetItemText(1, 2, CString(u"B"));
  m.grid.SetItemText(2, 1, CString(u"C"));
  m.grid.SetSelectedRange(1, 1, 1, 2);
  auto one = m.grid.CopyTextFromGrid();
  ASSERT_TRUE(one && one->HasText());
  EXPECT_EQ(*one->text, std::u16string(u"A\tB") + u'\0');
  m.grid.SetSelectedRange(1, 1, 2, 1);
  auto two = m.grid.CopyTextFromGrid();
  EXPECT_EQ(*two->text, std::u16string(u"A\r\nC") + u'\0');
  // Nothing selected: nothing to copy.
  m.grid.ResetSelectedRange();
  EXPECT_FALSE(m.grid.CopyTextFromGrid());
}

TEST(GridClipboard, CopyOverAnElementIsRefusedWhileOneIsSelected) {
  MessageGrid m;
  RecordingMessageSink sink;
  ScopedMessageSink scoped(&sink);
  m.grid.AddElement(Element(1, 3, 2));
  m.grid.OnLButtonDown(0, m.Centre(1, 3));
  m.grid.OnLButtonUp(0, m.Centre(1, 3));
  m.grid.SetSelectedRange(1, 1, 1, 4);
  EXPECT_FALSE(m.grid.CopyTextFromGrid());
  ASSERT_EQ(sink.texts().size(), 1u);
  EXPECT_EQ(sink.texts()[0], CString(u"Copy/paste of parameters is not supported."));
}

CGridDataObject TextData(std::u16string text) {
  CGridDataObject d;
  d.text = std::move(text);
  return d;
}

TEST(GridClipboard, PasteInFieldAndCharacterModes) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> cells;  // row 1 from column 1
  };
  const Case cases[] = {
      {u"12,34\t56", {u"12,34", u"56"}},
      {u"a\t1,2", {u"a", u"1", u"2"}},
      {u"AB", {u"A", u"B"}},
      {u"a b", {u"a", u"", u"b"}},
      {u"A\t", {u"A", u""}},
      // The text ends at its first zero (clipboard slack is not text).
      {std::u16string(u"XY") + u'\0' + u"junk", {u"X", u"Y", u""}},
  };
  for (const Case& c : cases) {
    MessageGrid m;
    ASSERT_TRUE(m.grid.PasteTextToGrid(CGridCellPos(1, 1), TextData(c.text), TRUE));
    for (size_t i = 0; i < c.cells.size(); ++i)
      EXPECT_EQ(m.Text(1, 1 + static_cast<int>(i)), CString(c.cells[i])) << "cell " << i;
  }
  // Character mode selects what it pasted; a second line goes to the next row.
  MessageGrid m;
  ASSERT_TRUE(m.grid.PasteTextToGrid(CGridCellPos(1, 1), TextData(u"AB\r\nC"), TRUE));
  EXPECT_EQ(m.Text(2, 1), CString(u"C"));
  EXPECT_EQ(m.grid.GetSelectedCellRange(), CGridCellSpan(1, 1, 2, 2));
}

TEST(GridClipboard, PasteOfWideCharactersAndItsStops) {
  MessageGrid m;
  ASSERT_TRUE(m.grid.PasteTextToGrid(CGridCellPos(1, 1), TextData(std::u16string(1, kHan) + u"A"), FALSE));
  EXPECT_EQ(m.Text(1, 1), CString(kHan));
  EXPECT_EQ(m.grid.GetItemState(1, 1) & 0x300u, GVIS_WIDELEFT);
  EXPECT_EQ(m.grid.GetItemState(1, 2) & 0x300u, GVIS_WIDERIGHT);
  EXPECT_EQ(m.Text(1, 3), CString(u"A"));
  // Onto the left half: a stop without change.
  EXPECT_FALSE(m.grid.PasteTextToGrid(CGridCellPos(1, 1), TextData(u"Z"), FALSE));
  EXPECT_EQ(m.Text(1, 1), CString(kHan));
  // Nothing lands in a right half: a field after a wide character stops the paste there.
  ASSERT_TRUE(m.grid.PasteTextToGrid(CGridCellPos(3, 1), TextData(u"x"), FALSE));
  EXPECT_FALSE(m.grid.PasteTextToGrid(CGridCellPos(3, 5), TextData(std::u16string(1, kHan) + u"\tA"), FALSE));
  EXPECT_EQ(m.Text(3, 5), CString(kHan));
  EXPECT_EQ(m.Text(3, 6), CString());
  EXPECT_EQ(m.grid.GetItemState(3, 6) & 0x300u, GVIS_WIDERIGHT);
  EXPECT_FALSE(m.grid.PasteTextToGrid(CGridCellPos(3, 6), TextData(u"B"), FALSE));
  EXPECT_EQ(m.Text(3, 6), CString());
  // A wrong class fails and keeps what was pasted before it.
  m.host.wantedClass = 2;
  EXPECT_FALSE(m.grid.PasteTextToGrid(CGridCellPos(2, 1), TextData(std::u16string(u"q") + kHan), FALSE));
  EXPECT_EQ(m.Text(2, 1), CString(u"q"));
  EXPECT_EQ(m.Text(2, 2), CString());
}

TEST(GridClipboard, CutEmptiesTheSelectionAndBreaksItsWideCharacters) {
  MessageGrid m;
  m.grid.PasteTextToGrid(CGridCellPos(1, 1), TextData(std::u16string(1, kHan) + u"A"), FALSE);
  m.grid.SetFocusCell(1, 1);
  m.grid.SetSelectedRange(1, 1, 1, 3);
  m.grid.OnEditCut();
  ASSERT_TRUE(m.window.clipboard.HasText());
  EXPECT_EQ(*m.window.clipboard.text, std::u16string(1, kHan) + u"\t\tA" + u'\0');
  for (int c = 1; c <= 3; ++c) {
    EXPECT_EQ(m.Text(1, c), CString());
    EXPECT_EQ(m.grid.GetItemState(1, c) & 0x300u, 0u);
  }
  // Paste puts it back at the selection's top-left.
  m.grid.SetSelectedRange(1, 1, 1, 1);
  m.grid.OnEditPaste();
  EXPECT_EQ(m.Text(1, 1), CString(kHan));
  EXPECT_EQ(m.Text(1, 3), CString(u"A"));
}

// Runs a drag of the selected element from `from` and drops it on `to` at point.
int DragElementTo(MessageGrid& from, MessageGrid& to, CPoint press, CPoint drop, UINT keys = 0) {
  int result = -1;
  from.window.onDrag = [&](const CGridDataObject& data, int) {
    const int enter = to.grid.OnDragEnter(data, keys, drop);
    to.grid.OnDragOver(data, keys, drop);
    if (enter == DROPEFFECT_NONE) {
      to.grid.OnDragLeave();
      result = DROPEFFECT_NONE;
      return DROPEFFECT_NONE;
    }
    result = to.grid.OnDrop(data, enter, drop) ? enter : DROPEFFECT_NONE;
    return result;
  };
  from.grid.OnLButtonDown(0, press);
  from.grid.OnMouseMove(MK_LBUTTON, CPoint(press.x + 5, press.y));
  from.grid.OnLButtonUp(0, CPoint(press.x + 5, press.y));
  return result;
}

TEST(GridDragDrop, AnElementMovesWithinItsGrid) {
  MessageGrid m;
  m.grid.m_bAllowDragAndDrop = TRUE;
  m.grid.AddElement(Element(1, 2, 3));
  m.grid.SetItemText(2, 10, CString(u"x"));
  m.grid.OnLButtonDown(0, m.Centre(1, 3));
  m.grid.OnLButtonUp(0, m.Centre(1, 3));
  EXPECT_EQ(DragElementTo(m, m, m.Centre(1, 3), m.Centre(2, 10)), DROPEFFECT_MOVE);
  EXPECT_TRUE(m.grid.GetShownElements(0).empty());
  ASSERT_EQ(m.grid.GetShownElements(1).size(), 1u);
  const CGridElement* moved = m.grid.GetShownElements(1)[0].get();
  EXPECT_EQ(moved->m_nCol, 10);
  EXPECT_EQ(m.grid.GetSelectedElement(), moved);
  EXPECT_EQ(m.Text(2, 10), CString());  // the cell under it was cleared
  // With Ctrl the effect offered is copy.
  CGridDataObject data;
  WidgetDragData record;
  record.sourceGrid = (static_cast<std::uint64_t>(static_cast<std::uint32_t>(getpid())) << 32) |
                      (m.grid.GetInstanceId() & 0xFFFFFFFFu);
  data.widget = record.Pack();
  EXPECT_EQ(m.grid.OnDragEnter(data, MK_CONTROL, m.Centre(3, 3)), DROPEFFECT_COPY);
  EXPECT_EQ(m.grid.OnDragOver(data, 0, m.Centre(3, 4)), DROPEFFECT_MOVE);
  m.grid.OnDragLeave();
}

TEST(GridDragDrop, AnElementDraggedToAnotherGridStaysWhereItWas) {
  MessageGrid source;
  MessageGrid target;
  source.grid.m_bAllowDragAndDrop = TRUE;
  target.grid.m_bAllowDragAndDrop = TRUE;
  source.grid.AddElement(Element(1, 2, 3));
  source.grid.OnLButtonDown(0, source.Centre(1, 3));
  source.grid.OnLButtonUp(0, source.Centre(1, 3));
  EXPECT_EQ(DragElementTo(source, target, source.Centre(1, 3), target.Centre(2, 5)), DROPEFFECT_NONE);
  EXPECT_EQ(source.grid.GetShownElements(0).size(), 1u);
  for (int l = 0; l < 4; ++l) EXPECT_TRUE(target.grid.GetShownElements(l).empty());
}

TEST(GridDragDrop, DropsWhereTheElementDoesNotFitAreRefused) {
  struct Case {
    int kind;
    int width;
    int row;
    int col;
  };
  const Case cases[] = {
      {CGridElement::kGraph, 2, 2, 5},  // a graph starts on line 1 only
      {0, 4, 3, 23},                    // would end past column 25
      {0, 2, 3, 7},                     // onto another element
  };
  for (const Case& c : cases) {
    MessageGrid m;
    RecordingMessageSink sink;
    ScopedMessageSink scoped(&sink);
    m.grid.m_bAllowDragAndDrop = TRUE;
    m.grid.AddElement(Element(3, 7, 3));
    m.grid.AddElement(Element(1, 1, c.width, c.kind));
    m.grid.OnLButtonDown(0, m.Centre(1, 1));
    m.grid.OnLButtonUp(0, m.Centre(1, 1));
    EXPECT_EQ(DragElementTo(m, m, m.Centre(1, 1), m.Centre(c.row, c.col)), DROPEFFECT_NONE) << c.col;
    ASSERT_EQ(sink.texts().size(), 1u);
    EXPECT_EQ(sink.texts()[0], CString(u"Can't insert the selected Object at this position"));
    EXPECT_EQ(m.grid.GetShownElements(0).size(), 1u);
  }
}

TEST(GridDragDrop, TextDropsPasteIntoAnotherGrid) {
  MessageGrid source;
  MessageGrid target;
  source.grid.m_bAllowDragAndDrop = TRUE;
  target.grid.m_bAllowDragAndDrop = TRUE;
  source.grid.SetItemText(1, 1, CString(u"H"));
  source.grid.SetItemText(1, 2, CString(u"i"));
  source.grid.SetSelectedRange(1, 1, 1, 2);
  source.window.onDrag = [&](const CGridDataObject& data, int) {
    const CPoint at = target.Centre(3, 4);
    if (target.grid.OnDragEnter(data, 0, at) == DROPEFFECT_NONE) return DROPEFFECT_NONE;
    target.grid.OnDragOver(data, 0, at);
    return target.grid.OnDrop(data, DROPEFFECT_MOVE, at) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
  };
  source.grid.OnLButtonDown(0, source.Centre(1, 1));
  ASSERT_EQ(source.grid.GetMouseMode(), MOUSE_PREPARE_DRAG);
  source.grid.OnMouseMove(MK_LBUTTON, source.Centre(1, 2));
  EXPECT_EQ(target.Text(3, 4), CString(u"H"));
  EXPECT_EQ(target.Text(3, 5), CString(u"i"));
  EXPECT_EQ(source.Text(1, 1), CString());  // moved, not copied
}

TEST(GridMouse, ShiftPressKeepsWideCharactersWholeAndDividersResize) {
  MessageGrid m;
  m.grid.PasteTextToGrid(CGridCellPos(1, 3), TextData(std::u16string(1, kHan)), FALSE);  // cells 3, 4
  // Anchor on the right half, shift-click to its left: both halves selected.
  m.grid.OnLButtonDown(0, m.Centre(1, 6));
  m.grid.OnLButtonUp(0, m.Centre(1, 6));
  m.grid.OnLButtonDown(MK_SHIFT, m.Centre(1, 4));
  m.grid.OnLButtonUp(MK_SHIFT, m.Centre(1, 4));
  EXPECT_TRUE(m.grid.IsCellSelected(1, 3));
  EXPECT_TRUE(m.grid.IsCellSelected(1, 6));
  EXPECT_GE(m.host.commands, 2);
  // Dragging the divider right of column 2 (x = 30) to x = 45 widens it to 25.
  m.grid.OnMouseMove(0, CPoint(29, 10));
  m.grid.OnLButtonDown(0, CPoint(29, 10));
  ASSERT_EQ(m.grid.GetMouseMode(), MOUSE_SIZING_COL);
  m.grid.OnMouseMove(MK_LBUTTON, CPoint(45, 10));
  m.grid.OnLButtonUp(0, CPoint(45, 10));
  EXPECT_EQ(m.grid.GetColumnWidth(2), 25);
  // Released left of the column's origin: hidden when allowed, 1 pixel otherwise.
  m.grid.m_bAllowColHide = FALSE;
  m.grid.OnMouseMove(0, CPoint(29 + 15, 10));
  m.grid.OnLButtonDown(0, CPoint(29 + 15, 10));
  m.grid.OnMouseMove(MK_LBUTTON, CPoint(5, 10));
  m.grid.OnLButtonUp(0, CPoint(5, 10));
  EXPECT_EQ(m.grid.GetColumnWidth(2), 1);
}

TEST(GridElements, ValueModeOpensOneEditorAndAPressElsewhereAppliesIt) {
  struct ValueHost : FakeGridHost {
    bool CanEditElementValue(CGridCtrl*, const CGridElement*) override { return true; }
    void OpenElementEditor(CGridCtrl*, CGridElement*) override { ++opened; }
    void CloseElementEditor(CGridCtrl*, bool apply) override { closed.push_back(apply); }
    int opened = 0;
    std::vector<bool> closed;
  };
  MessageGrid m;
  ValueHost host;
  m.grid.SetHost(&host);
  m.grid.m_bValueMode = TRUE;
  m.grid.AddElement(Element(1, 2, 3));
  m.grid.OnLButtonDown(0, m.Centre(1, 3));
  m.grid.OnLButtonUp(0, m.Centre(1, 3));
  m.grid.OnLButtonDblClk(0, m.Centre(1, 3));
  m.grid.OnLButtonDblClk(0, m.Centre(1, 3));
  EXPECT_EQ(host.opened, 1);
  m.grid.OnLButtonDown(0, m.Centre(4, 20));
  m.grid.OnLButtonUp(0, m.Centre(4, 20));
  EXPECT_EQ(host.closed, std::vector<bool>{true});
  EXPECT_FALSE(m.grid.IsElementEditorOpen());
}

TEST(GridElements, AnElementThatNoLongerFitsAfterItsDialogKeepsItsWidth) {
  struct DialogHost : FakeGridHost {
    bool EditElement(CGridCtrl*, CGridElement* e, ElementEdit* edit) override {
      edit->newWidth = width;
      edit->lastCol = e->m_nCol + width - 1;
      return true;
    }
    int GetEditedBlockNumber(CGridCtrl*) override { return 9003; }
    int width = 0;
  };
  struct Case {
    int width;
    bool fits;
  };
  for (const Case& c : {Case{30, false}, Case{8, false}, Case{5, true}}) {
    MessageGrid m;
    DialogHost host;
    m.grid.SetHost(&host);
    RecordingMessageSink sink;
    ScopedMessageSink scoped(&sink);
    host.width = c.width;
    m.grid.AddElement(Element(2, 2, 3, CGridElement::kBarGraph));
    m.grid.AddElement(Element(2, 8, 2));  // a neighbour on the same line
    m.grid.SetItemText(2, 6, CString(u"x"));
    m.grid.OnLButtonDown(0, m.Centre(2, 3));
    m.grid.OnLButtonUp(0, m.Centre(2, 3));
    m.grid.OnLButtonDblClk(0, m.Centre(2, 3));
    const CGridElement* bar = m.grid.GetShownElements(1)[0].get();
    if (c.fits) {
      EXPECT_EQ(bar->m_nWidth, c.width);
      EXPECT_EQ(m.Text(2, 6), CString());  // the cells under the wider graph are cleared
      EXPECT_TRUE(sink.texts().empty());
    } else {
      EXPECT_EQ(bar->m_nWidth, 3);
      ASSERT_EQ(sink.texts().size(), 1u);
      EXPECT_EQ(sink.texts()[0],
                CString(u"Can't insert the selected Object at this position B3 [Message Texts]"));
    }
  }
}

}  // namespace
