// CSelectHardware: the Hardware page of the program properties sheet. The
// device models are a tree of five series, each with its firmware item below
// it; choosing another model checks whether the document's blocks can run on
// it (the message stands in the Resources box and the sheet's OK stays off
// until a model that passes is chosen). The chosen model is applied to the
// document when the sheet's values are written back after OK.
#pragma once

#include <functional>

#include "properties/program_pages.h"

class CSelectHardware : public CProgramPage {
 public:
  static constexpr int kTemplate = 230;
  static constexpr int kIdTreeGroup = 1092, kIdTree = 1093, kIdResourcesGroup = 1094, kIdResources = 1095;
  static constexpr int kPositions = 10;

  CSelectHardware();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;

  // The Resources text of a tree position: the resource list for a firmware
  // item, empty for a series node.
  static CString ResourcesText(int position);

  // The tree position of the document's model when the sheet opened (-1 for
  // a model the table does not know).
  int m_nCurrentPosition = -1;
  // The model chosen on OK; 0 when the document keeps its model.
  WORD m_wNewModel = 0;
  CString m_strResources;

  // The sheet's OK button: enabled or not, and ending the sheet with OK (a
  // double click on a firmware item).
  std::function<void(bool enable)> m_enableSheetOK;
  std::function<bool()> m_isSheetOKEnabled;
  std::function<void()> m_endSheetWithOK;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;

 private:
  void OnSelChanged();
  void EnableSheetOK(bool enable);
  int m_nPrevious = 0;  // item data of the item selected before
  bool m_bOkEnabled = true;
};
