// The layout of message texts in the program image, shared by the encoder and
// the decoder: the older series' 16-byte row records in area C (four per
// message text) and the newer series' 1280-byte pages, and the device glyphs
// of the newer display's special characters.
#pragma once

namespace msgtext_layout {

constexpr int kOldCells = 12;          // character cells of an older display row
constexpr int kNewCells = 24;          // character cells of a newer display row
constexpr int kRecord = 16;            // one row record of area C
constexpr int kTextAreaPerBlock = 64;  // older series: four records per message text
constexpr int kAttrRow = 32;           // one attribute row of a page
constexpr int kSetAttrBytes = 128;
constexpr int kTextStart = 256;
constexpr int kSetTextBytes = 192;
constexpr int kTextRowBytes = 48;
constexpr int kIoNameStart = 640;
constexpr int kSetIoNameBytes = 192;
constexpr int kIoNameBytes = 16;
constexpr int kBarStart = 1024;
constexpr int kSetBarBytes = 128;
constexpr int kBarBytes = 16;
constexpr int kMaxBars = 8;
constexpr int kMaxIoNames = 12;

// The special characters of the newer display, glyphs 14 to 23 in order.
constexpr int kFirstSpecialGlyph = 14;
constexpr char16_t kSpecialChars[] = {0x20AC, 0x2109, 0x25BA, 0x25C4, 0x25BC,
                                      0x25B2, 0x00B1, 0x2103, 0x2551, 0x25A0};
constexpr int kSpecialCharCount = static_cast<int>(sizeof(kSpecialChars) / sizeof(kSpecialChars[0]));

// The device glyph of a special character, 0 when none.
constexpr int SpecialGlyph(char16_t c) {
  for (int i = 0; i < kSpecialCharCount; ++i)
    if (kSpecialChars[i] == c) return kFirstSpecialGlyph + i;
  return 0;
}

// The special character of a device glyph, 0 when none.
constexpr char16_t SpecialChar(int glyph) {
  const int i = glyph - kFirstSpecialGlyph;
  return i >= 0 && i < kSpecialCharCount ? kSpecialChars[i] : 0;
}

}  // namespace msgtext_layout
