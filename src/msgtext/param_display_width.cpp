#include "msgtext/param_display_width.h"

namespace {

// clang-format off
constexpr int kParamDisplayWidth[kParamDisplayWidthCount] = {
    6, 10, 8, 10, 7, 7, 7, 7, 6, 6,      //   0-9
    7, 7, 7, 7, 7, 7, 6, 6, 6, 5,        //  10-19
    5, 6, 7, 7, 7, 7, 6, 6, 7, 7,        //  20-29
    7, 7, 7, 3, 8, 5, 5, 4, 4, 7,        //  30-39
    7, 7, 5, 5, 7, 5, 5, 7, 5, 5,        //  40-49
    6, 6, 6, 6, 6, 6, 6, 6, 6, 7,        //  50-59
    6, 6, 6, 6, 6, 8, 8, 9, 7, 7,        //  60-69
    7, 7, 7, 7, 7, 11, 11, 4, 8, 8,      //  70-79
    7, 7, 7, 7, 7, 7, 7, 7, 7, 7,        //  80-89
    7, 6, 6, 6, 6, 7, 7, 7, 7, 5,        //  90-99
    4, 4, 7, 7, 7, 7, 6, 6, 7, 7,        // 100-109
    7, 5, 6, 7, 7, 7, 7, 7, 7, 7,        // 110-119
    7, 7, 7, 9, 7, 7, 8, 8, 7, 7,        // 120-129
    5, 4, 8, 8, 8, 8, 8, 7, 8, 8,        // 130-139
    7, 7, 7, 8, 7,                       // 140-144
};
// clang-format on

}  // namespace

int GetParamDisplayWidth(int paramIndex) {
  return paramIndex >= 0 && paramIndex < kParamDisplayWidthCount ? kParamDisplayWidth[paramIndex] : 0;
}
