// The device model table: model code to model name, minimum firmware word and
// the model's position in the hardware selection tree.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// Firmware words of the two device generations.
constexpr WORD kFirmwareOlder = 0xB100;  // series 0x11 and 0x21
constexpr WORD kFirmwareNewer = 0xC100;  // series 0x51, 0x52 and 0x61

// The series (family) byte of a model code.
constexpr int ModelSeries(int modelCode) {
  return (modelCode >> 8) & 0xFF;
}
// Series 0x51 and above have the newer feature set.
constexpr bool IsNewerSeries(int series) {
  return series >= 0x51;
}

// Firmware generation label shown under the series nodes of the hardware tree
// and at the end of a model name.
CString GetFirmwareLabel(bool newerGeneration);

// Series name of a series byte ("Rilo", "Semka", "Dunri", "Velka", "Pomra");
// empty for a byte that is none of the five.
CString GetSeriesName(int series);

// Looks up a model code. For codes 0x1100..0x61FF of a known series, writes the
// model name ("<series> Series <firmware label>") and the minimum firmware word
// (either pointer may be null) and returns the hardware-tree position 1, 3, 5,
// 7 or 9. Any other code returns -1 and writes nothing.
int GetModelName(int modelCode, CString* name, WORD* minFirmware);
