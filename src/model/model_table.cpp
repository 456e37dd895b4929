#include "model/model_table.h"

namespace {

struct ModelRow {
  int series;
  const char16_t* name;
  WORD firmware;
  int treePosition;
};

constexpr ModelRow kModels[] = {
    {0x11, u"Rilo", kFirmwareOlder, 1},  {0x21, u"Semka", kFirmwareOlder, 3},
    {0x51, u"Dunri", kFirmwareNewer, 5}, {0x52, u"Velka", kFirmwareNewer, 7},
    {0x61, u"Pomra", kFirmwareNewer, 9},
};

const ModelRow* FindSeries(int series) {
  for (const ModelRow& row : kModels) {
    if (row.series == series) return &row;
  }
  return nullptr;
}

}  // namespace

CString GetFirmwareLabel(bool newerGeneration) {
  return newerGeneration ? u"FW C1.00" : u"FW B1.00";
}

CString GetSeriesName(int series) {
  const ModelRow* row = FindSeries(series);
  return row ? CString(row->name) : CString();
}

int GetModelName(int modelCode, CString* name, WORD* minFirmware) {
  if (modelCode < 0x1100 || modelCode > 0x61FF) return -1;
  const ModelRow* row = FindSeries(ModelSeries(modelCode));
  if (!row) return -1;
  if (name) {
    *name = CString(row->name) + u" Series " + GetFirmwareLabel(row->firmware == kFirmwareNewer);
  }
  if (minFirmware) *minFirmware = row->firmware;
  return row->treePosition;
}
