// CMEM: the page of the memory block (847): which value of which function
// block it records. "Block" lists the function blocks whose values can be
// recorded; "Index" the recordable values of the chosen block's type.
#pragma once

#include "pages/block_param_page.h"

class CMEM : public CBlockParamPage, public MemValues {
 public:
  static constexpr int kTemplate = 4594;
  static constexpr int kIdKind = 1319, kIdKindLabel = 1324;
  static constexpr int kIdBlockLabel = 1321, kIdIndexLabel = 1322;
  static constexpr int kIdBlockList = 1331, kIdIndexList = 1320;

  // The names of the values a block type can record (none for a type without).
  static std::vector<CString> RecordableNames(int type);

  CMEM();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillLists();
  void OnBlockChange();
  void FillIndexList(const CBlockObj* block, const CString& emptyEntry);
};
