// The message-text editors, the parameter pages of the message-text block
// (810): CMessageTexts_New for the newer device series (four lines of 24
// cells in two character sets, parameter and graphic elements, ticker
// settings) and CMessageTexts for the older series (four lines of 12 cells,
// character set 1, parameter elements only).
//
// The screen is a grid control (id 1123) that the window side attaches before
// the page initialises (AttachGrid). The grid keeps three groups of four
// element lists: group 0 holds set 1's elements while set 2 is shown, group 1
// set 2's while set 1 is shown, group 2 those of the shown set. The page is
// the grid's host: it draws the elements, sets the typing rules and runs an
// element's dialog on a double click. OK writes the elements into the block;
// the sheet writes everything else (the page's MsgTextValues).
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "controls/grid_host.h"
#include "pages/block_param_page.h"
#include "pages/grid_page.h"
#include "pages/page_values.h"

class CBlockMSGTEXT;
class CBlockObj;
class CGridCtrl;
class CWidget;

class CMessageTexts_New : public CBlockParamPage, public MsgTextValues, public CGridHost, public CGridPage {
 public:
  static constexpr int kTemplate = 4596;
  static constexpr int kIdPriority = 1118;
  static constexpr int kIdAcknowledge = 1068;
  static constexpr int kIdDetails = 1026;
  static constexpr int kIdSet1 = 1380;
  static constexpr int kIdSet2 = 1381;
  static constexpr int kIdEnable1 = 1232;
  static constexpr int kIdEnable2 = 1233;
  static constexpr int kIdTickerChar = 1382;
  static constexpr int kIdTickerLine = 1383;
  static constexpr int kIdLine1 = 1234;
  static constexpr int kIdLine2 = 1236;
  static constexpr int kIdLine3 = 1237;
  static constexpr int kIdLine4 = 1238;
  static constexpr int kIdGrid = 1123;
  static constexpr int kIdBlocks = 1120;
  static constexpr int kIdParams = 1122;
  static constexpr int kIdGeneral = 1124;
  static constexpr int kIdInsert = 1121;
  static constexpr int kIdSpecial = 1395;
  static constexpr int kIdAiFilter = 1394;
  static constexpr int kIdAmFilter = 1397;
  static constexpr int kIdBarGraph = 1396;
  static constexpr int kIdScope = 1400;
  static constexpr int kIdPointer = 1401;
  static constexpr int kIdScaleTime = 1399;
  static constexpr int kIdIoStatus = 1398;
  static constexpr int kIdGraph = 1402;
  static constexpr COLORREF kCellColour = 0x559D55;

  CMessageTexts_New();
  ~CMessageTexts_New() override;

  const PageDesc& Describe() const override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;
  void OnNotify(int id, Notify code) override;
  // Drops the elements left on the hidden header, takes the shown set's
  // texts and ticker settings from the controls and writes both sets'
  // elements into the block.
  void OnOK() override;
  // What OK writes of the screen, also run by Apply in simulation: the shown
  // set's texts and ticker settings into the page's tables, every element of
  // both sets into the block.
  void WriteScreen();

  // The screen's grid; attached by the window side before Initialise.
  void AttachGrid(CGridCtrl* grid) override;
  CGridCtrl* Grid() const { return m_pGrid; }
  bool IsOlder() const { return m_bOlderPage; }
  // The columns of a line (24 or 12).
  int LastColumn() const;
  // Shares the grid window among the display cells (after loading and resizing).
  void FitGrid() override;

  // ---- Commands (the buttons call them; tests too) ------------------------------------
  // Inserts the parameter chosen in list 1124 or 1122 at the focus cell.
  bool OnInsertParameter();
  // 1396, 1400, 1401: a bar graph, scope or pointer (by the button).
  bool OnInsertBarGraph(int buttonId);
  bool OnInsertScaleTime();
  bool OnInsertGraph();
  bool OnInsertIoStatusName();
  bool OnInsertAiFilter(bool analogFlag);
  // The special-character popup (button 1395): opens it unless it is open.
  void OnSpecialChars();
  // Called by the popup: closes it and, when ch is not 0, writes ch into the
  // focus cell unless an element or a double-width half is there. Nothing
  // happens while no popup is open.
  bool InsertSpecialChar(char16_t ch);
  bool SpecialCharsOpen() const { return m_specialChars.isOpen ? m_specialChars.isOpen() : m_bSpecialOpen; }
  // The characters of the popup's ten buttons.
  static const char16_t kSpecialChars[10];
  // The window side's popup; without one the page only keeps the open state.
  struct SpecialCharsPopup {
    std::function<void()> open;
    std::function<void()> close;
    std::function<bool()> isOpen;
  };
  SpecialCharsPopup m_specialChars;
  void OnCharSetSelect(int id);
  void OnCharSetEnable(int id);

  // The anchor cell of insertions: the focus cell, else the last clicked cell.
  void SetLastClickedCell(int row, int col) { m_nLastRow = row, m_nLastCol = col; }
  // The elements of the shown set, of a group (0 set 1 stored, 1 set 2 stored, 2 shown).
  int CountShown(int kind) const;
  std::vector<const CWidget*> ElementsOfGroup(int group) const;

  // Asks the user (Yes/No) before a set is cleared; true for Yes. Default: the message sink.
  std::function<bool(const CString& text)> m_confirm;

  // ---- CGridHost ---------------------------------------------------------------------
  LRESULT OnGridNotify(CGridCtrl* grid, int code, int row, int col) override;
  void OnGridCommand(CGridCtrl* grid) override;
  int GetWantedCharClass(CGridCtrl* grid) override;
  int GetCharClass(UINT ch) override;
  void DrawElement(CGridCtrl* grid, CDC* dc, const CGridElement& element, bool selected) override;
  bool EditElement(CGridCtrl* grid, CGridElement* element, ElementEdit* edit) override;
  int GetEditedBlockNumber(CGridCtrl* grid) override { return m_nBlockNumber; }

 protected:
  explicit CMessageTexts_New(bool older);
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;

 private:
  int& CurrentSet() { return m_nSettings[0]; }
  int& SetEnabled(int set) { return m_nSettings[1 + set]; }
  int& TickerMode(int set) { return m_nSettings[3 + set]; }
  int& TickerLine(int set, int line) { return m_nSettings[5 + 2 * line + set]; }
  CString* Texts(int set) { return set == 0 ? m_strTextSet1 : m_strTextSet2; }
  int Columns() const { return LastColumn() + 1; }
  CBlockMSGTEXT* Block() const;

  void LoadGrid(int set);
  void SaveGrid(int set, bool resetStates);
  void ReadTicker(int set);
  void ShowTicker(int set);
  void MoveShownTo(int group);
  void CloneGroupToShown(int group);
  void FillPriorities();
  void FillBlockList();
  void OnBlockListSelChange();
  // The placement rule and the creation: false (after the message) when it fails.
  bool PlaceNew(std::unique_ptr<CWidget> element, int lines);
  bool Anchor(int* row, int* col) const;
  bool CheckLimit(int kind) const;
  void Message(const CString& text, UINT icon) const;

  bool m_bOlderPage = false;
  CGridCtrl* m_pGrid = nullptr;
  CBlockObj* m_pInsertBlock = nullptr;
  int m_bInsertEnabled = 0;
  int m_nLastBlockIndex = -1;
  int m_nLastRow = -1;
  int m_nLastCol = -1;
  std::vector<int> m_slots;  // the priority combo's entries
  bool m_bSpecialOpen = false;
};

// The older series' editor: character set 1, 12 columns, parameter elements.
class CMessageTexts : public CMessageTexts_New {
 public:
  static constexpr int kTemplate = 4564;
  CMessageTexts();
  const PageDesc& Describe() const override;
};
