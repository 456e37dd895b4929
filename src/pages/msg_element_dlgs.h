// The small dialogs of the message texts, on the page kit (run with
// RunPageDialog): the bar graph / scope / pointer settings, the scale time
// settings, the graph picker and the program-wide message text settings.
// They take and return plain members; only a bar graph or scale time dialog
// given the element it changes writes its block and parameter into it, on OK.
#pragma once

#include <functional>
#include <vector>

#include "controls/grid_host.h"
#include "pages/grid_page.h"
#include "pages/param_page.h"

class CBlockObj;
class CWidget;
class CZaradDoc;

// Blocks with an actual value, and the actual values of the chosen block.
class CValueBlockDlgBase : public CParamPage {
 public:
  static constexpr int kIdBlock = 1331;
  static constexpr int kIdValue = 1396;

  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}
  void OnNotify(int id, Notify code) override;
  // Writes the chosen block, its number and the chosen value's parameter into m_pElement.
  void OnOK() override;

  CZaradDoc* m_pDoc = nullptr;    // the document whose blocks are offered
  CWidget* m_pElement = nullptr;  // the element being changed, or none
  int m_nBlockNumber = -1;        // out: the chosen block
  int m_nValueIndex = -1;         // in/out: position in the value list

  // The parameter index of the chosen value (-1 when none).
  int ChosenParam() const;

 protected:
  void InitBlockLists();
  void OnBlockSelChange();
  // Saving: "Select the function block." without a block, else the number.
  void ExchangeBlock(CDataExchange& dx);
  CBlockObj* ChosenBlock() const;
};

class CBarGraphDlg : public CValueBlockDlgBase {
 public:
  static constexpr int kTemplate = 382;
  static constexpr int kIdMin = 1133;
  static constexpr int kIdMinSpin = 1134;
  static constexpr int kIdMax = 1135;
  static constexpr int kIdMaxSpin = 1136;
  static constexpr int kIdSize = 1137;
  static constexpr int kIdSizeSpin = 1138;
  static constexpr int kIdSizeLabel = 1416;
  static constexpr int kIdGroup = 1417;
  static constexpr int kIdUnit = 1278;

  CBarGraphDlg();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

  int m_nKind = -99;  // -99 bar graph, -102 scope, -103 pointer
  int m_nMaxValue = 1000;
  int m_nMinValue = 0;
  int m_nSize = 2;  // bar length 2..12; scope time; a pointer carries it through

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
};

class CScaleTimeDlg : public CValueBlockDlgBase {
 public:
  static constexpr int kTemplate = 383;
  static constexpr int kIdTimeBase = 1277;
  CScaleTimeDlg();
  const PageDesc& Describe() const override;
  int m_nTimeBase = 3;  // 0 hours, 1 minutes, 2 seconds, 3 10 ms

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
};

class CGraphDlg : public CParamPage {
 public:
  static constexpr int kTemplate = 385;
  static constexpr int kIdFirstPicture = 1422;
  static constexpr int kPictures = 30;
  static constexpr int kIdPreview = 1452;
  CGraphDlg();
  const PageDesc& Describe() const override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}
  void OnNotify(int id, Notify code) override;
  void OnOK() override;

  int m_nGraphIndex = 0;
  int m_nSelectedId = 0;
  int m_bEditing = 0;

 protected:
  void DoDataExchange(CDataExchange&) override {}
  void OnInitDialog() override;
};

// "Message Text Setting": the seven message-text settings of a document.
class CMsgTxtSettingDlg : public CParamPage {
 public:
  static constexpr int kTemplate = 347;
  static constexpr int kIdCharSet1 = 1339;
  static constexpr int kIdCharSet2 = 1340;
  static constexpr int kIdDefault1 = 1380;
  static constexpr int kIdDefault2 = 1381;
  static constexpr int kIdAiFilter = 1338;
  static constexpr int kIdScopeTime = 1283;
  static constexpr int kIdScopeSpin = 1285;
  static constexpr int kIdTickerChar = 1336;
  static constexpr int kIdTickerCharSpin = 1337;
  static constexpr int kIdTickerLine = 1551;
  static constexpr int kIdTickerLineSpin = 1553;
  static constexpr int kIdDescription1 = 1382;
  static constexpr int kIdDescription2 = 1383;
  static constexpr int kIdHelp = 9;

  CMsgTxtSettingDlg();
  // Opens the help at a topic (the program's help launcher); none in a test of the page alone.
  std::function<void(int topic)> m_showHelp;
  const PageDesc& Describe() const override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}
  void OnNotify(int id, Notify code) override;
  // After the checks: when a character set changed, asks and clears the
  // non-ASCII texts of that set in every message text (m_bRefused when the
  // user said No: the dialog stays open).
  void OnOK() override;

  // The document's values in and out.
  void LoadFrom(const CZaradDoc& doc);
  void StoreTo(CZaradDoc& doc) const;

  CZaradDoc* m_pDoc = nullptr;
  int m_nCharSet1 = 0, m_nCharSet2 = 0, m_nDefaultSet = 0, m_nAiFilter = 0;
  int m_nScopeTime = 5, m_nTickerChar = 100, m_nTickerLine = 1000;
  int m_nOrigCharSet1 = 0, m_nOrigCharSet2 = 0;
  bool m_bRefused = false;  // the last OK was answered No
  int m_nCleared = 0;       // cells the last OK emptied

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
};

// "I/O status name": the operand or function block an I/O status name
// element watches and its two names (FALSE in row 1, TRUE in row 2 of a
// 3 x 9 grid whose header row and column are hidden).
class CIOSN : public CParamPage, public CGridHost, public CGridPage {
 public:
  static constexpr int kTemplate = 384;
  static constexpr int kIdKind = 1400;
  static constexpr int kIdNumber = 1401;
  static constexpr int kIdGrid = 1123;
  static constexpr int kRows = 3;
  static constexpr int kCols = 9;

  CIOSN();
  const PageDesc& Describe() const override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}
  void OnNotify(int id, Notify code) override;
  // Writes the chosen operand into m_pElement.
  void OnOK() override;
  void AttachGrid(CGridCtrl* grid) override;
  void FitGrid() override;
  int GetWantedCharClass(CGridCtrl*) override { return 0; }

  // Presets a new element's names: OFF for FALSE, ON for TRUE.
  void PresetNames();
  // The operand number an entry of combo 1401 names (-1 when it names none).
  static int NumberOfEntry(const CString& entry);
  // The entry text of an operand number for a kind 0..4.
  static CString EntryOfNumber(int kind, int number);

  CZaradDoc* m_pDoc = nullptr;
  CWidget* m_pElement = nullptr;
  int m_nNumber = -1;
  int m_nKindIndex = 0;
  int m_nNumberIndex = -1;
  CString m_strNames[kRows * kCols];

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;

 private:
  void OnKindSelChange();
  CGridCtrl* m_pGrid = nullptr;
};

// "AI filter": the analog input (mode 0) or analog flag (mode 1) a filter
// element shows; m_nResult is the chosen operand number.
class CAIFilterDlg : public CParamPage {
 public:
  static constexpr int kTemplate = 380;
  static constexpr int kIdList = 1401;
  CAIFilterDlg();
  const PageDesc& Describe() const override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}

  // The operand numbers of the document's analog inputs or flags, each once.
  static std::vector<int> OperandsOf(const CZaradDoc& doc, int mode);
  static CString EntryOf(int number);

  CZaradDoc* m_pDoc = nullptr;
  int m_nMode = 0;
  int m_nResult = -1;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;

 private:
  std::vector<int> m_operands;
};
