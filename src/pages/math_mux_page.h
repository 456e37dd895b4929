// CAMathMux: the page of the mathematical instruction (815) and the analog
// multiplexer (816): four values V1..V4, each a constant or another block's
// value; for 815 also three operators with priorities, kept a permutation of
// L, M, H, and the output while the block is disabled.
#pragma once

#include <array>

#include "model/block_codes.h"
#include "pages/block_param_page.h"

class CAMathMux : public CBlockParamPage, public AnalogValues {
 public:
  static constexpr int kTemplate = 4580;
  static constexpr int kSlots = 4;
  struct SlotIds {
    int group, edit, spin, button, list;
  };
  static constexpr SlotIds kSlotIds[kSlots] = {{1258, 1252, 1253, 1254, 104},
                                               {1265, 1262, 1263, 1264, 125},
                                               {1272, 1269, 1270, 1271, 127},
                                               {1279, 1276, 1277, 1278, 129}};
  static constexpr int kIdOperator[3] = {1257, 1251, 1273};
  static constexpr int kIdOperatorLabel[3] = {1255, 1267, 1274};
  static constexpr int kIdPriority[3] = {1083, 1084, 1085};
  static constexpr int kIdPriorityLabel[3] = {1256, 1268, 1275};
  static constexpr int kIdDisabledLabel = 1259, kIdDisabledZero = 1260, kIdDisabledLast = 1261;
  static constexpr int kIdDecimalsGroup = 1095;
  static constexpr int kLower = -32768, kUpper = 32767;

  // The priorities after the user chose sel[changed] (sel: the three lists'
  // selections after the choice; before: the members before it): the list
  // that now collides with the changed one takes the changed list's previous
  // priority. Returns the new selections.
  static std::array<int, 3> ResolvePriorities(int changed, const std::array<int, 3>& before,
                                              const std::array<int, 3>& sel);

  CAMathMux();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnReferenceToggle(const RefSlot& slot) override;
  void UpdateControls();
  void UpdateTabOrder();
  void OnPriorityChange();
  bool IsMath() const { return m_nType == kTypeAMATH; }
};
