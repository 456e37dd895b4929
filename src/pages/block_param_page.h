// CBlockParamPage: the behaviour every block parameter page repeats, built
// once: the block-name edit with its naming budget and its stripping to 7-bit
// characters, "Protection Active" and "Retentivity", the reference slots that
// replace a value control by a list of blocks, range tooltips, the "Current
// Parameter Value" box during simulation and the "Decimals in the Message
// text" group of the analog pages.
//
// A page declares its slots in its constructor (AddReferenceSlot: the slot's
// value controls, its "Reference" button and its block list, which the page's
// description holds as a hidden drop-down list), calls the pieces it needs
// from OnInitDialog in the pattern's order, and routes its notifications
// through OnNotify (the base handles the name edit, the slots' buttons and
// lists and the decimals group; a page forwards what it does not handle
// itself). See param_page.h for the steps of adding a page.
#pragma once

#include <vector>

#include "pages/page_values.h"
#include "pages/param_page.h"
#include "platform/string_table.h"

class CDC;

// Control ids shared by every page.
constexpr int kIdBlockName = 1266;
constexpr int kIdBlockNameLabel = 1371;
constexpr int kIdRetentivity = 1024;
constexpr int kIdProtection = 1025;
constexpr int kIdValueBox = 109;
constexpr int kIdDecimals = 1096;
constexpr int kIdDecimalsSpin = 1097;
constexpr int kIdDecimalsPreview = 1098;

// A document holds at most this many named function blocks.
constexpr int kNamedBlockBudget = 256;
constexpr int kBlockNameChars = 8;

class CBlockParamPage : public CParamPage, public PatternValues {
 public:
  // A reference slot: the controls a block list replaces.
  struct RefSlot {
    int slot = 0;               // Ref0..Ref3
    int button = 0;             // its "Reference" push button
    int list = 0;               // its block list (run-time id)
    std::vector<int> valueIds;  // the value control and its spin (and their companions)
  };

  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;
  // Normalises the slots: one not switched to a block keeps number -1 and no block.
  void OnOK() override;

  // ---- The live value ------------------------------------------------------------
  // Keeps the text for the value box and asks for a repaint; nothing without a box.
  void ShowCurrentValue(const CString& text);
  bool HasValueBox() const { return m_bValueBox; }
  CString CurrentValueText() const { return m_strValueText; }
  // Draws the text into textRect on a background of bkColour: one average
  // character in from the left, centred vertically on the text height.
  void DrawCurrentValue(CDC* dc, const CRect& textRect, COLORREF bkColour) const;

  const std::vector<RefSlot>& Slots() const { return m_slots; }

 protected:
  CBlockParamPage() = default;

  // Pattern pieces, in the order OnInitDialog calls them.
  // Edit 1266 enabled while the document has fewer than 256 named function
  // blocks or this block already has a name.
  void ApplyNameRule();
  // Empties and refills every slot's block list, applies the name rule again,
  // and selects each slot's block (else the first entry).
  virtual void FillReferenceCombos();
  // Shows each slot's list or value controls by its block, enables the buttons.
  void ShowSlots();
  // The keyboard order: the name edit first, then chain, "Protection Active" last.
  void SetTabOrder(const std::vector<int>& chain);
  // The "Current Parameter Value" box below the template (simulation only);
  // tallBox for the 50-pixel box of the light switch pages.
  void CreateCurrentValueBox(bool tallBox = false);
  // Tooltips "Number between %d and %d" (string 376) and "%.2f" (string 378).
  void AddRangeTip(int id, int lower, int upper);
  void AddRangeTip(int id, double lower, double upper);
  // The decimals group: spin range 0..3, one character, preview and its tip.
  void InitDecimals();
  void UpdateDecimalsPreview();

  // Declares a slot (constructor).
  void AddReferenceSlot(const RefSlot& slot);
  const RefSlot* SlotOfButton(int id) const;
  const RefSlot* SlotOfList(int id) const;

  // Handlers.
  // Strips characters of code 128 and above from the name while the user
  // types in it; marks the page modified in every case.
  void OnValueChange(int id);
  virtual void OnReferenceToggle(const RefSlot& slot);
  void OnReferenceBlockChange(const RefSlot& slot);
  // The block of a list entry "B<n>...": FindBlockByNumber(n + 9000), or null.
  CBlockObj* BlockOfEntry(const CString& entry) const;
  // Selects in a slot's list the entry of the slot's block, else the first.
  void SelectSlotBlock(const RefSlot& slot);

 private:
  std::vector<RefSlot> m_slots;
  bool m_bValueBox = false;
  CString m_strValueText;
};
