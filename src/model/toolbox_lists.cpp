#include "model/toolbox_lists.h"

#include <algorithm>
#include <cstddef>
#include <initializer_list>

#include "model/block_codes.h"
#include "model/model_table.h"

ToolboxLists g_ToolboxLists;
CUIntArray& g_ToolboxBasic = g_ToolboxLists.basic;
CUIntArray& g_ToolboxTime = g_ToolboxLists.time;
CUIntArray& g_ToolboxLadder = g_ToolboxLists.ladder;
CUIntArray& g_ToolboxIoOld = g_ToolboxLists.ioOld;
CUIntArray& g_ToolboxIo = g_ToolboxLists.io;
CUIntArray& g_ToolboxSpecialOld = g_ToolboxLists.specialOld;
CUIntArray& g_ToolboxSpecial = g_ToolboxLists.special;
CUIntArray& g_ToolboxSpecialWifi = g_ToolboxLists.specialWifi;
CUIntArray& g_ToolboxData = g_ToolboxLists.data;
CUIntArray& g_ToolboxMath = g_ToolboxLists.math;
CUIntArray& g_ToolboxDataLog = g_ToolboxLists.dataLog;

namespace {

void AddRange(CUIntArray& list, UINT first, UINT last) {
  for (UINT code = first; code <= last; ++code) list.push_back(code);
}

void Add(CUIntArray& list, std::initializer_list<UINT> codes) {
  list.insert(list.end(), codes);
}

}  // namespace

void BuildToolboxLists() {
  ToolboxLists t;
  AddRange(t.basic, 300, 307);
  AddRange(t.time, kFirstTimeType, kLastTimeType);
  AddRange(t.ladder, 700, 705);
  Add(t.ioOld, {600});
  AddRange(t.ioOld, 602, 610);
  Add(t.io, {600, 611});
  AddRange(t.io, 602, 610);
  AddRange(t.specialOld, 800, 810);
  Add(t.specialOld, {812, 813, 814});
  Add(t.special, {800, 801, 802, 815, 803, 804, 805, 806, 807});
  AddRange(t.special, 816, 822);
  Add(t.special, {808, 809, 810, 812, 823, 813, 814});
  t.specialWifi = t.special;
  Add(t.specialWifi, {824, 825, 826, 827});
  AddRange(t.data, 830, 856);
  AddRange(t.math, 860, 879);
  Add(t.dataLog, {911});
  g_ToolboxLists = std::move(t);
}

CUIntArray PaletteEntries(int category, int series, bool ladderDocument) {
  const ToolboxLists& t = g_ToolboxLists;
  const bool newer = IsNewerSeries(series);
  const bool older = series >= 0x11 && !newer;
  switch (category) {
    case PALETTE_BASIC:
      if (ladderDocument) return {301, 303};
      return t.basic;
    case PALETTE_TIME: {
      const size_t count = newer ? t.time.size() : std::min<size_t>(12, t.time.size());
      return CUIntArray(t.time.begin(), t.time.begin() + static_cast<ptrdiff_t>(count));
    }
    case PALETTE_IO:
      if (ladderDocument) return t.ladder;
      if (newer) return t.io;
      if (older) return t.ioOld;
      return {};
    case PALETTE_SPECIAL:
      if (series == 0x52) return t.specialWifi;
      if (newer) return t.special;
      if (older) return t.specialOld;
      return {};
    case PALETTE_DATA:
      return newer ? t.data : CUIntArray();
    case PALETTE_MATH:
      return newer ? t.math : CUIntArray();
    case PALETTE_DATALOG:
      return newer ? t.dataLog : CUIntArray();
    default:
      return {};
  }
}
