#include "model/shell_context.h"

WORD g_CurrentModelCode = 0x5188;
int g_ShowPropertiesOnNew = 1;

int GetCharClass(UINT ch) {
  if ((ch >= 0x3105 && ch <= 0x3129) || ch == 0x32A3 || (ch >= 0x4E00 && ch <= 0x9FA5)) return 1;
  struct Range {
    UINT first, last;
  };
  static constexpr Range kLetters[] = {{0x00A0, 0x017F}, {0x01A0, 0x01CF}, {0x01F0, 0x01FF}, {0x0210, 0x021F},
                                       {0x0370, 0x03CF}, {0x0400, 0x045F}, {0x0490, 0x04FF}, {0x0590, 0x05FF},
                                       {0x0E00, 0x0E5F}, {0x1EA0, 0x1EFF}};
  for (const Range& r : kLetters) {
    if (ch >= r.first && ch <= r.last) return 2;
  }
  return 0;
}
