// CDataLog: the page of the data log block (911). The user picks up to 32
// items, each a group of eight digital operands, an analog operand or one
// recordable value of a function block; the page stores them into the
// block's item list on OK (and on Apply during simulation).
#pragma once

#include <utility>
#include <vector>

#include "pages/block_param_page.h"

struct DataLogItem;

class CDataLog : public CBlockParamPage {
 public:
  static constexpr int kTemplate = 4595;
  static constexpr int kIdItems = 1000, kIdItemsGroup = 1124, kIdAdd = 1121, kIdRemove = 1123;
  static constexpr int kIdBlockGroup = 1119, kIdEntries = 1120, kIdParamGroup = 1084, kIdParams = 1122;
  static constexpr int kMaxItems = 32;

  // The entries that can be logged, in the list's order: the 64 analog
  // inputs, 512 analog flags, 32 analog outputs, the input, flag and output
  // groups, then the document's loggable function blocks.
  static std::vector<CString> LoggableEntries(const CZaradDoc* doc, int numberToLeaveOut);
  // The operand number an entry stands for ("I100-I107" 132, "AQ103" 4237,
  // "B3..." 9003); -1 for a text of no known kind.
  static int OperandOfEntry(const CString& entry);
  // The item of a row: its texts, the operand, and for a block its block and
  // the parameter's place among the type's recordable values.
  static DataLogItem ItemOfRow(const CZaradDoc* doc, const CString& entry, const CString& parameter);

  CDataLog();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;

  // Rewrites the block's item list from the page's rows.
  void StoreItemsToBlock();

  // The rows: the entry ("Block" column) and the parameter.
  std::vector<std::pair<CString, CString>> m_rows;
  int m_bAddEnabled = 0;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void ShowRows(int select);
  void UpdateAddButton();
  void OnBlockListChange();
  void OnAdd();
  void OnRemove();
  bool HasRow(const CString& entry, const CString& parameter, bool anyParameter) const;
};
