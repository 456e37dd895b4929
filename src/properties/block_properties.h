// CBlockProperties: the Block Properties command of a diagram view, without
// windows. It finds the sheet a block gets, fills its pages from the block,
// lets a CSheetRunner show it (modal outside simulation, modeless inside),
// writes the values back after OK with one undo snapshot, keeps the list of
// open modeless sheets, hands them the blocks' live values, and writes a
// modeless sheet's Apply (a BlockParamRecord) into the running block.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "pages/page_values.h"
#include "platform/cstring.h"
#include "properties/block_sheet.h"

class CBlockComment;
class CBlockObj;
class CViewContext;
class CZaradDoc;

// What a modeless sheet's Apply sends to the view: the sheet's type code, the
// number of the block it shows and the pages' values.
struct BlockParamRecord {
  int typeCode = 0;
  int number = -1;
  BlockPageValues values;
};

// Shows sheets; the Qt side implements it with dialogs, tests with a script.
class CSheetRunner {
 public:
  virtual ~CSheetRunner() = default;
  // Runs a modal sheet and returns IDOK or IDCANCEL.
  virtual int RunModal(CBlockSheet& sheet) = 0;
  // Shows a modeless sheet; false when its window could not be made (the
  // sheet is then dropped). The window unlists the sheet when it closes.
  virtual bool OpenModeless(CBlockSheet& sheet) = 0;
};

class CBlockProperties {
 public:
  explicit CBlockProperties(CZaradDoc* doc) : m_pDoc(doc) {}
  ~CBlockProperties();
  CBlockProperties(const CBlockProperties&) = delete;
  CBlockProperties& operator=(const CBlockProperties&) = delete;

  // The command on the current block. Modal: fills, runs, writes back on OK
  // and takes one undo snapshot; returns true when the block changed.
  // Simulating: opens a modeless sheet unless one shows the block already.
  bool Run(CBlockObj* block, bool simulating, CSheetRunner& runner);

  // A selected comment's sheet, captioned "Property", with the comment's
  // text. OK with text writes it back, grows the page area to hold the
  // comment and takes an undo snapshot; OK with no text asks the caller to
  // remove the comment (no snapshot).
  enum class CommentEdit { kCancelled, kChanged, kEmptied };
  CommentEdit RunComment(CBlockComment& comment, CSheetRunner& runner);
  // The comment sheet's "Font..." (font and colour; true on OK) and the text
  // measurement that sizes a comment; the window side installs both. Without
  // a measurer the platform's fixed metrics are used.
  std::function<bool(LOGFONT* font, COLORREF* colour)> m_chooseCommentFont;
  std::function<CSize(const LOGFONT& font, const CString& text)> m_measureText;
  // The comment's rectangle for its text in its font: as wide as the widest
  // line (at least as wide as "Comment"), one line height per line.
  void SizeCommentToText(CBlockComment& comment) const;

  // The caption of a block's sheet: its label, a space, its type's name.
  CString GetBlockSheetCaption(const CBlockObj& block) const;
  // Builds the sheet of a block, its pages filled from the block.
  std::unique_ptr<CBlockSheet> BuildSheet(CBlockObj& block, bool simulating) const;

  // Writes the values into the block as OK does (name, comment, the family's
  // words; operand blocks take their new number and the wires follow); live
  // for a modeless sheet's Apply.
  void WriteBack(CBlockObj& block, const BlockPageValues& values, bool live = false);
  // A ladder contact's simulation settings, kept for its operand.
  void StoreLadderSimSetting(CBlockObj& element, int operand, SimValues values);

  // ---- Modeless sheets (simulation) ---------------------------------------------------
  bool IsBlockSheetOpen(int number) const;
  CBlockSheet* FindOpenSheet(int number) const;
  // The first open sheet of oldNumber now shows newNumber.
  bool RenumberOpenSheet(int oldNumber, int newNumber);
  // Takes an open sheet off the list and deletes it (its window closed).
  void CloseSheet(CBlockSheet* sheet);
  const std::vector<std::unique_ptr<CBlockSheet>>& OpenSheets() const { return m_sheets; }
  // The sheet's Apply: validates the active page, builds the record, writes
  // it into the block, then takes an undo snapshot. False when the page
  // refused a value, no block answers to the sheet's number, or the document
  // no longer simulates.
  bool ApplySheet(CBlockSheet& sheet, int activePage);
  // The view side of Apply: the record's block, found by its number, takes
  // the values. Nothing is written when no block has that number.
  bool ApplyBlockParams(const BlockParamRecord& record);
  // Hands the block's live value text to its open sheet; the number of open
  // sheets. A null view stands for the view the command belongs to.
  int ShowCurrentParameterValue(CBlockObj& block, CViewContext* view);
  // The view whose blocks the sheets show (their clock and time texts); not owned.
  void SetViewContext(CViewContext* view) { m_pView = view; }

 private:
  // What only the live Apply writes: the light switches' standard pre-warning,
  // the hours counter's counters in simulation, the encoder's source inputs and
  // a message text's acknowledgement state; old* are the block's words before.
  void ApplyLiveOnly(CBlockObj& block, int oldX1, int oldX2, int oldX5, int oldX7);

  CZaradDoc* m_pDoc;
  CViewContext* m_pView = nullptr;
  std::vector<std::unique_ptr<CBlockSheet>> m_sheets;
};

// The live value text of a block for its sheet's value box; false when the
// type shows none (or, where the table says so, when the text is empty).
bool FormatCurrentValue(CBlockObj& block, CViewContext* view, CString* text);

// After an analog block's measuring range changed (comparators 803-807, PI
// 818, PWM 819): walks upstream from the inputs it reads to the analog inputs
// that feed it and updates their ranges. Each walk visits a block once, so a
// loop of blocks ends it.
void UpdateInputRangesOfBlock(CZaradDoc& doc, CBlockObj* block, bool simulating);

// The title an operand sheet takes after Apply: the operand's label ("I103",
// module and two-digit channel for the module types; the page's number text
// for the others) and the type's tag ("[Input]"). Empty for other types.
CString OperandSheetTitle(int type, const OperandValues& operand);

// Drops from every message text of the document the display elements that
// show the block (block may be null) or the operand number (-1: none).
void RemoveMsgTextRefs(CZaradDoc& doc, const CBlockObj* block, int number);

// Moves every wire and input link from oldNumber to newNumber.
void RefreshConnectionNumbers(CZaradDoc& doc, int oldNumber, int newNumber);
