// The device program image: its buffers and named areas, the byte order of
// its fields, the 16-bit OperandWord that names the source of a pin, the
// function code that opens every instruction record, the operand codes, the
// character map of the older display and the value codes of message-text
// elements.
//
// This header is the one place that knows an area's offset: writers and
// readers find areas by name (FindImageAreaRow, CZaradCoreRule::FindImageArea).
// Every 16- and 32-bit field of the image is stored low byte first, except the
// function code of a record (high byte first); the download sends each 16-bit
// word as one register, high byte first (ToRegisterOrder in download_image.h).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "platform/types.h"

class CBlockObj;

// ---- Buffers ----------------------------------------------------------------
constexpr int kTableImageSize = 10240;   // table image of the named areas
constexpr int kProgramAreaMax = 0x6000;  // largest program area (J)
constexpr int kProgramAreaStep = 128;    // the program area grows in steps of 128 bytes
constexpr int kTextPageSize = 1280;      // one message-text page (newer series)
constexpr int kClearBufferSize = 8576;   // the buffer of the clear operation
constexpr int kMaxTextPages = 16;        // message-text blocks a device holds
constexpr int kLogoBytes = 960;          // 108 x 64 logo in the device's banded layout
constexpr int kImageBufferTable = 0;     // area row buffer index: the table image
constexpr int kImageBufferProgram = 1;   // area row buffer index: the program area

// The analog inputs' filter times (ms) the settings area stores for the four
// filter choices; any other time reads back as the fifth choice, written as 1000.
constexpr int kAiFilterMs[] = {100, 200, 400, 800};
constexpr int kAiFilterOtherMs = 1000;

// Allocation modes of CZaradCoreRule::AllocateBuffers.
constexpr int kImageModeDownload = 1;
constexpr int kImageModeUpload = 2;
constexpr int kImageModeClear = 4;

// Offsets inside area LC (the header).
constexpr int kLcLengthWord = 0;        // WORD: image length in words (= area PS)
constexpr int kLcLogo = 2;              // 960 bytes: the start-up logo
constexpr int kLcTextWords = 1010;      // WORD: message-text page bytes / 2 (newer series)
constexpr int kLcTextChecksum = 1012;   // DWORD: sum of the pages as DWORDs (newer series)
constexpr int kLcImageChecksum = 1016;  // DWORD: checksum of the table image and program area
constexpr int kLcHasLogo = 1022;        // BYTE: 1 when a logo was stored
constexpr int kLcSize = 1024;           // bytes of LC, left out of the image checksum

// One row of the area table.
struct ImageAreaRow {
  int nBuffer;            // kImageBufferTable or kImageBufferProgram
  const char16_t* pName;  // "LC", "A", ..., "J"
  int nOffset;            // offset in the buffer
  int nSize;              // size in bytes
};

// The 29 rows, in table order; the 28 rows of buffer 0 tile the table image.
std::span<const ImageAreaRow> ImageAreaTable();
// The row of a name (exact comparison, first match); null when none.
const ImageAreaRow* FindImageAreaRow(std::u16string_view name);

// Program-area size for the memory cost of the function blocks: the next
// multiple of 128 above the cost (a multiple gains 128), at most 0x6000.
int ProgramAreaSize(int memoryCost);

// The series byte (high byte of a model code) and the newer-series test.
constexpr int SeriesOf(int modelCode) {
  return (modelCode >> 8) & 0xFF;
}
constexpr bool IsNewerImageSeries(int modelCode) {
  return SeriesOf(modelCode) > 0x50;
}

// ---- OperandWord --------------------------------------------------------------
constexpr WORD kOperandInverted = 0x0400;  // bit 10: the link is inverted
constexpr WORD kOpenInvertedPin = 0xF400;  // an open input pin whose inversion flag is set

// The OperandWord of a block of that type and number: (number - base) OR kind,
// or the raw number (low 16 bits) for a type without a kind.
WORD OperandWordOf(int typeCode, int number);
// The same for a block, with bit 10 set when inverted.
WORD OperandWordOf(const CBlockObj& source, bool inverted);
// The OperandWord of element index of the analog operand chosen by a selector
// (0 AM, 1 AQ, 2 AI; anything else counts as AM).
WORD AnalogOperandWord(int selector, int index);

// ---- Function codes ----------------------------------------------------------
// How a type's function code is built (the group of its TypeCodeMap row).
enum class CodeGroup { kNone, kA, kB, kMem, kStepper };

// The TypeCodeMap value of a function-block type (0 when it has none) and its group.
WORD TypeCodeOf(int typeCode);
CodeGroup CodeGroupOf(int typeCode);
// The FunctionFlagByte of a block for its group (B, M or S).
BYTE FunctionFlagByte(const CBlockObj& block, CodeGroup group);
// The function code of a function block, or the operand code of an operand
// block; false (and *out unchanged) for a type that the maps do not hold.
bool EncodeFunctionCode(const CBlockObj& block, WORD* out);
// The type of a function code's TypeCodeMap value (the reverse map, for the
// decoder); 0 when none.
int TypeOfFunctionCode(WORD code);

// The kind byte of an operand type (0x00 I .. 0xB0 F; 0xFFFF open connector),
// -1 for other types.
int OperandKindByte(int typeCode);
// The operand code of element n of an operand type; -1 when n is outside the
// type's map (Low and High give their kind byte whatever n).
int OperandCode(int typeCode, int n);

// ---- Older display characters ------------------------------------------------
constexpr BYTE kLcdBlank = 91;  // the blank glyph of the older display
// The glyph of a character code (0 when not in the map).
BYTE LcdCharOf(unsigned ch);
// The character of a glyph (0 when none).
unsigned LcdCharReverse(BYTE glyph);

// ---- Message-text element value codes ---------------------------------------
// Entry k (parameter row 0..2) of a type's MsgValueCodeTable row; false when the
// type has no row. An absent entry of a present row gives {0xFF, 0xFF}.
bool MsgValueCodeBytes(int typeCode, int row, BYTE out[2]);

// ---- TimeWord -----------------------------------------------------------------
// The two top bits of a time base (0 h:m -> 0b11, 1 m:s -> 0b10, 2 s:1/100 -> 0b01),
// already shifted into place; 0 for any other base.
WORD TimeBaseBits(int base);
// A constant time value: base bits and l + h x 60 (bases 0, 1) or l + h x 100 (base 2).
WORD TimeWordOf(int high, int low, int base);

// ---- Bounded writing -----------------------------------------------------------
// Writes fields into one area (or record) of a buffer from a position on. A
// write that would pass the end writes nothing and marks the writer failed;
// the position still advances, so later fields cannot land inside by accident.
class CAreaWriter {
 public:
  CAreaWriter(BYTE* base, size_t size, size_t pos = 0) : m_base(base), m_size(size), m_pos(pos) {}

  void Byte(int v);
  void Word(int v);         // low byte first
  void Dword(long long v);  // low byte first (low 32 bits)
  void WordHighFirst(int v);
  void Zeros(size_t n);
  void Fill(int v, size_t n);
  void Skip(size_t n);  // leave the bytes as they are (they must still lie inside)

  size_t Pos() const { return m_pos; }
  bool Ok() const { return m_ok; }

 private:
  bool Fits(size_t n);

  BYTE* m_base;
  size_t m_size;
  size_t m_pos;
  bool m_ok = true;
};

// Little-endian reads of image fields (for checksums and tests).
inline WORD ReadWordLE(const BYTE* p) {
  return static_cast<WORD>(p[0] | (p[1] << 8));
}
inline DWORD ReadDwordLE(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) | (static_cast<DWORD>(p[2]) << 16) |
         (static_cast<DWORD>(p[3]) << 24);
}

// A real multiplied by 100 and truncated toward zero, held to the int range
// (NaN gives 0).
int Times100(double v);
// The real of a field in hundredths: the value nearest v / 100 that Times100
// turns back into v (so a value read from an image is written back unchanged).
double FromHundredths(long long v);
