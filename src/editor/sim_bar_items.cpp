#include "editor/sim_bar_items.h"

#include <algorithm>
#include <set>

#include "blocks/analog_range_tracer.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"

namespace {

struct Range {
  int kind;
  int first;
  int last;
  int base;
  const char16_t* prefix;
};

// In display order: analog inputs, function keys, inputs.
constexpr Range kInputRanges[] = {
    {SIM_ITEM_ANALOG_INPUT, kFirstAnalogInputOperand, kFirstAnalogInputOperand + 7, kFirstAnalogInputOperand,
     u"AI"},
    {SIM_ITEM_FUNCTION_KEY, kFirstFunctionKeyOperand, kLastFunctionKeyOperand, kFirstFunctionKeyOperand,
     u"F"},
    {SIM_ITEM_INPUT, kFirstInputOperand, kFirstInputOperand + 15, kFirstInputOperand, u"I"},
};
constexpr Range kOutputRanges[] = {
    {SIM_ITEM_ANALOG_OUTPUT, kFirstAnalogOutputOperand, kFirstAnalogOutputOperand + 3,
     kFirstAnalogOutputOperand, u"AQ"},
    {SIM_ITEM_OUTPUT, kFirstOutputOperand, kFirstOutputOperand + 7, kFirstOutputOperand, u"Q"},
};

bool IsLadderContact(int type) {
  return type == kTypeMakeContact || type == kTypeBreakContact || type == kTypeAnalogContact;
}

std::vector<SimBarItem> Collect(CZaradDoc* doc, const Range* ranges, size_t count, bool inputs) {
  std::vector<SimBarItem> items;
  if (doc == nullptr) return items;
  const bool ladder = doc->IsLadder() && inputs;
  for (size_t r = 0; r < count; ++r) {
    const Range& range = ranges[r];
    std::vector<SimBarItem> group;
    std::set<int> seen;
    for (CBlockObj* b : doc->m_blocks) {
      int number = 0;
      if (ladder) {
        if (!IsLadderContact(b->m_nType)) continue;
        number = b->m_nOperand;
      } else {
        // Function keys are shown whatever their number.
        if (b->m_nType != range.kind) continue;
        number = b->m_nNumber;
      }
      const bool anyKey = !ladder && range.kind == SIM_ITEM_FUNCTION_KEY;
      if (!anyKey && (number < range.first || number > range.last)) continue;
      if (!seen.insert(number).second) continue;
      SimBarItem item;
      item.block = b;
      item.nKind = range.kind;
      item.nNumber = number;
      item.strCaption.Format(u"%s%d", range.prefix, number - range.base);
      group.push_back(item);
    }
    std::stable_sort(group.begin(), group.end(),
                     [](const SimBarItem& a, const SimBarItem& b) { return a.nNumber < b.nNumber; });
    for (SimBarItem& item : group) {
      item.bWide = item.nKind == SIM_ITEM_ANALOG_INPUT || item.nKind == SIM_ITEM_ANALOG_OUTPUT ||
                   SimModeOfInput(doc, item.block) >= 3;
      items.push_back(item);
    }
  }
  return items;
}

}  // namespace

int SimModeOfInput(CZaradDoc* doc, const CBlockObj* block) {
  if (block == nullptr) return 0;
  if (block->m_nType == kTypeInput || block->m_nType == kTypeFunctionKey) return block->m_nParam26;
  if (block->m_nType == kTypeMakeContact || block->m_nType == kTypeBreakContact) {
    const AnalogSimSetting* s = FindOperandSimSetting(doc, block->m_nOperand);
    return s ? s->nValues[kSimSettingMode] : 0;
  }
  return 0;
}

std::vector<SimBarItem> CollectSimInputs(CZaradDoc* doc) {
  return Collect(doc, kInputRanges, std::size(kInputRanges), true);
}

std::vector<SimBarItem> CollectSimOutputs(CZaradDoc* doc) {
  return Collect(doc, kOutputRanges, std::size(kOutputRanges), false);
}
