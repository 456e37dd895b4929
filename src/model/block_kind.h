// BlockKind: what the subsystems above the blocks need to know of a block
// kind, so that none of them switches on its type code: the palette's
// pictogram, the message-text editors' icon, the parameter page of the block
// properties sheet (and with it the copy layout of its words), the help topic.
// The library that gives a kind registers its descriptor when the program
// starts (the block library for its kinds, the message texts for theirs); the
// type codes themselves are named in model/block_codes.h.
#pragma once

#include "model/block_context.h"
#include "platform/types.h"

class CBlockObj;
class CDC;
struct CRect;

// The block properties sheet's parameter page of a kind, and with it the table
// that moves the block's words into the page values and back.
enum class PageFamily {
  kNone,         // no sheet at all (the cursor key, the soft key, connector halves)
  kCommentOnly,  // Low, High, the power bus: the comment page only
  kBasicLogic,
  kOperandIo,     // input, output, analog input and output
  kOperand,       // cursor key, shift bit, open connector, flag, analog flag, function key
  kLadder,        // the ladder element sheet
  kSingleTime,    // on-delay, off-delay, retentive on-delay, wiping relay
  kTwoTime,       // on-/off-delay, edge wiping relay, pulse generator, random generator
  kStairway,      // stairway lighting switch
  kMultiSwitch,   // multiple function switch
  kWeekly,        // weekly timer
  kYearly,        // yearly timer
  kAstro,         // astronomical clock
  kStopwatch,     // stopwatch, analog filter, LOG, SQRT, POW2 .. CSC
  kQuad,          // quadratic equation
  kCounter,       // up/down counter, encoder
  kHoursCounter,  // hours counter
  kThreshold,     // threshold trigger
  kAnalogMux,     // mathematic instruction, analog multiplexer
  kAverage,       // average value
  kMaxMin,        // max/min, rotations and shifts, RAND, word to bit, MOD, REM
  kMask,          // the masks
  kRamp,          // analog ramp
  kPI,            // PI controller
  kPWM,           // PWM
  kComparator,    // the analog comparators, amplifier and watchdog
  kRelay,         // relays, shift register, TDT, BCD, BIN, SEG, ODD, EVEN, ABS, GCD, LCM
  kMsgText,       // message text
  kMathErr,       // mathematical instruction error detection
  kMem,           // MEM
  kModbus,        // Modbus read and write
  kWifi,          // the WiFi blocks
  kBoolean,       // boolean function
  kArray,         // data arrays, stepping motors, pulse trains, CRC16
  kUdc,           // UDC communication
  kDataLog,       // data log
};

// The look of a kind's icon in the message-text editors.
enum class MsgIcon { kNone, kTime, kFunction, kData, kMath, kAnalog };

// Draws a kind's pictogram into a palette item's box (the box and the item
// font already drawn and selected); returns the height of its label, 0 for a
// pictogram without one.
using PaletteIconPainter = int (*)(CDC* dc, const CRect& box);

// A creator of a block kind that a library above the block library gives.
using BlockCreator = CBlockObj* (*)(int typeCode, const BlockContext& ctx);

struct BlockKind {
  int type = 0;                              // the type code (model/block_codes.h)
  PageFamily page = PageFamily::kNone;       // the parameter page of the properties sheet
  WORD helpTopic = 0;                        // the Help button's topic; 0: the contents
  const char16_t* mnemonic = u"";            // the text of its message-text icon
  MsgIcon msgIcon = MsgIcon::kNone;          // the look of its message-text icon
  PaletteIconPainter paletteIcon = nullptr;  // its palette pictogram; null: none
  BlockCreator create = nullptr;             // builds it where the block factory cannot; null: the factory
};

// Registers a kind's descriptor (a later registration of a type code replaces
// the earlier one). The block library registers its kinds when it installs
// itself (blocks/block_factory.h); libraries above it register theirs after.
void RegisterBlockKind(const BlockKind& kind);
// The descriptor of a type code; null for a code without one.
const BlockKind* FindBlockKind(int type);
// The descriptor of a type code; an empty one (no page, no icon, the contents
// topic) for a code without one.
const BlockKind& BlockKindOf(int type);
