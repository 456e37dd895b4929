#include "editor/wiring_rules.h"

#include <initializer_list>

#include "model/block_codes.h"

namespace {

struct Range {
  int first, last;
};

bool In(int type, std::initializer_list<Range> ranges) {
  for (const Range& r : ranges)
    if (type >= r.first && type <= r.last) return true;
  return false;
}

}  // namespace

SignalKind SourceSignalKind(int type) {
  if (IsConnectorType(type)) return SignalKind::kConnector;
  if (In(type, {{608, 610},
                {702, 702},
                {kTypeSW, kTypeSW},
                {805, 805},
                {815, 818},
                {820, 822},
                {826, 826},
                {832, 847},
                {853, 853},
                {856, 856},
                {862, 879}}))
    return SignalKind::kAnalog;
  return SignalKind::kDigital;
}

SignalKind PinSignalKind(int type, int pin) {
  if (IsConnectorType(type)) return SignalKind::kConnector;
  if (In(type, {{608, 610},
                {705, 705},
                {803, 805},
                {807, 807},
                {820, 820},
                {832, 843},
                {845, 846},
                {854, 854},
                {860, 878}}))
    return SignalKind::kAnalog;
  if (In(type, {{806, 806}, {819, 819}, {827, 827}, {853, 853}, {879, 879}}))
    return pin >= 1 ? SignalKind::kAnalog : SignalKind::kDigital;
  if (In(type, {{818, 818}, {821, 822}})) return pin >= 2 ? SignalKind::kAnalog : SignalKind::kDigital;
  return SignalKind::kDigital;
}

bool AreKindsCompatible(SignalKind source, SignalKind pin) {
  return source == SignalKind::kConnector || pin == SignalKind::kConnector || source == pin;
}

int LoopRowKind(int type) {
  if (In(type,
         {{300, 307}, {kTypeDPR, kTypeMFS}, {800, 802}, {808, 814}, {823, 823}, {830, 831}, {848, 855}}))
    return 0;
  if (In(type, {{605, 605}, {607, 607}})) return 1;
  if (In(type, {{609, 610}})) return 2;
  if (In(type, {{803, 804}, {806, 807}, {819, 819}, {860, 861}})) return 4;
  if (In(type, {{kTypeSW, kTypeSW}, {815, 818}, {821, 822}, {847, 847}})) return 5;
  return 3;
}

int LoopColumnKind(int type) {
  if (In(type, {{300, 307},
                {kTypeDPR, kTypeMFS},
                {kTypeSW, kTypeSW},
                {800, 802},
                {808, 817},
                {823, 823},
                {830, 831},
                {847, 855}}))
    return 0;
  if (In(type, {{605, 605}, {607, 607}})) return 1;
  if (In(type, {{609, 610}})) return 2;
  if (In(type, {{803, 805}, {807, 807}, {820, 820}, {832, 843}, {845, 846}, {856, 856}, {860, 868}}))
    return 3;
  if (In(type, {{806, 806}, {818, 819}, {821, 822}, {879, 879}})) return 4;
  return 5;
}

bool IsLoopAllowed(int rowType, int columnType) {
  // Rows: the fixed end's kind; columns: the target's kind (5: any other type).
  static constexpr bool kAllowed[6][6] = {
      {false, true, false, false, false, true},  {true, true, false, false, true, false},
      {false, false, true, true, true, false},   {false, false, true, false, false, true},
      {false, true, false, false, false, false}, {false, false, true, false, false, true},
  };
  return kAllowed[LoopRowKind(rowType)][LoopColumnKind(columnType)];
}
