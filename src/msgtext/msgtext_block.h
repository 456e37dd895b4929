// CBlockMSGTEXT (810): one screen of the device display. It holds the
// screen's characters for each of the two character sets, the display
// elements placed on its four lines, its settings, and the acknowledge and
// enable-moment state of the simulation.
//
// Four settings live in parameter slots of the common block record:
// priority 0..15 (-1 until the view gives one) in m_nParam17, "Acknowledge
// Message" in m_nParam18, "Protection Active" in m_nParam2 and the pending
// acknowledgement in m_nParam1.
//
// The elements are not part of the block's own record: the document stores
// them after the wires (SerializeElementLists).
#pragma once

#include <memory>
#include <vector>

#include "model/block_obj.h"
#include "msgtext/widget.h"
#include "platform/cstring.h"

class CZaradDoc;

class CBlockMSGTEXT : public CBlockObj {
  DECLARE_SERIAL(CBlockMSGTEXT)

 public:
  // Parameter word 0 is the acknowledge latch, not a retentivity flag: nothing is reset.
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  void LeaveSimulation(const SimEvent& ev) override { m_nParam1 = 0; }
  bool HasElementLists() const override { return true; }
  static constexpr int kTypeCode = kTypeMessageText;
  static constexpr BYTE kCaps = 0x04;
  static constexpr int kRows = 5;                        // row 0 is the header row
  static constexpr int kCols = 25;                       // column 0 is the header column
  static constexpr int kOldCols = kOlderDisplayColumns;  // columns 0..12 of the older series
  static constexpr int kLines = 4;                       // display lines, one element list each
  static constexpr int kSettings = 14;                   // the settings record
  static constexpr int kMaxPriority = 15;

  using ElementList = std::vector<std::unique_ptr<CWidget>>;

  // Loading: the grids and run-time members, set 1 enabled, the other settings 0.
  CBlockMSGTEXT();
  // Typed (810): inputs En, P, Par; the settings from the active document's
  // series and default character set.
  explicit CBlockMSGTEXT(int typeCode, const BlockContext& ctx = {});
  ~CBlockMSGTEXT() override;

  // Common record, then (schema 1) the 125 cell pairs (set 1, set 2) in
  // row-major order and the 14 settings; schema 0 holds 65 cells of set 1.
  void Serialize(CArchive& ar) override;
  // En switches the message on; with "Acknowledge Message" the latch keeps it
  // on after En falls. In a ladder document a change of the output reaches
  // the contacts that address the block.
  // In a view with a message-text preview the view scans every message text
  // and drives the preview (RefreshMessageTextDisplay); elsewhere the block
  // runs its own scan.
  BOOL Simulate(CViewContext* view) override;
  // The scan of this block alone (what RefreshMessageTextDisplay runs).
  BOOL ScanMessage(CViewContext* view);
  // The base part, then clones of the elements; for a document of the newer
  // series also set 2, both grids and the settings, for the older series only
  // columns 0..12 of set 1.
  void CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) override;

  // The document's pass after the wires: the eight element lists, set 1's four
  // lines then set 2's, each a count and that many CWidget records (loading
  // drops null entries and gives each element the line of its list).
  void SerializeElementLists(CArchive& ar) override;
  // The single list of old files (no model record, older series): entry i
  // becomes the only element of line list i, set 1's four lines then set 2's.
  // More than eight entries cannot be placed and refuse the file.
  void LoadOldElementList(CArchive& ar) override;

  // Settings 1..14 as an index 0..13 (null outside).
  int* Setting(int index);
  const int* Setting(int index) const { return const_cast<CBlockMSGTEXT*>(this)->Setting(index); }

  // The settings kept in base parameter slots.
  int GetPriority() const { return m_nParam17; }
  void SetPriority(int priority) { m_nParam17 = priority; }
  int GetAcknowledge() const { return m_nParam18; }
  void SetAcknowledge(int on) { m_nParam18 = on; }
  int GetProtection() const { return m_nParam2; }
  int GetAckPending() const { return m_nParam1; }

  // Line list k (0..3) of a character set (0 set 1, 1 set 2); null outside.
  ElementList* Elements(int set, int line);
  // Every element of both sets.
  int CountElements() const;
  // Deletes every element of the eight lists.
  void DeleteElements();
  // Clears the elements' pointers to a block that leaves the document.
  void ForgetBlock(const CBlockObj* block) override;
  void ListKeptBlocks(std::vector<const CBlockObj*>& out) const override;

  // ---- Members, in declaration order ----------------------------------------
  CString m_strTextSet1[kRows][kCols];
  CString m_strTextSet2[kRows][kCols];
  ElementList m_ElementsSet1[kLines];
  ElementList m_ElementsSet2[kLines];
  int m_bAckLatch = 0;     // run time: the output stays on after En falls
  int m_bCaptureTime = 1;  // run time: capture the enable time anew
  int m_bCaptureDate = 1;  // run time: capture the enable date anew
  CString m_strEnableTimeShort;
  CString m_strEnableDate;
  CString m_strEnableTime;
  int m_nCurrentSet = 0;  // settings 1: set shown in the editor, 0 set 1, 1 set 2
  int m_bSet1Enabled = 1;
  int m_bSet2Enabled = 0;
  int m_nTickerMode[2] = {};  // 0 character by character, 1 line by line
  int m_bTickerLine1[2] = {};
  int m_bTickerLine2[2] = {};
  int m_bTickerLine3[2] = {};
  int m_bTickerLine4[2] = {};
  int m_bShowDetails = 0;

 private:
  // Both character grids: "W" in the header row and column, every other cell empty.
  void InitGrids();
};

// Gives the block factory the message-text kind (type 810) and registers the
// message-text classes with the archive's class registry (src/install calls it).
void RegisterMessageTextKind();
