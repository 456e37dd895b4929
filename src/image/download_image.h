// Preparing a download: the checks before it, the compile of a document into
// its program image, the start-up logo, both checksums and the register order.
//
// The result, DownloadImage, is what the transfer sends (and reads back for
// comparison). Each area is one run of 16-bit registers:
//   - tableRegisters: 10240 bytes from register 0x8C00 (kTableImageRegister),
//   - programRegisters: the program area (a multiple of 128 bytes, at most
//     0x6000) from register 0xA000 (kProgramAreaRegister),
//   - textRegisters: newer series only, 1280 bytes per message-text block,
//     written with the text-page function; empty otherwise.
// They are already in register (wire) order: register j is the image's
// little-endian word at byte 2j, sent high byte first, so each byte pair of
// the image appears swapped. `image` keeps the same buffers in image byte
// order, as the compiler wrote them; an upload decoder reads that order back
// with FromRegisterOrder.
#pragma once

#include <vector>

#include "image/image_layout.h"
#include "platform/types.h"

class CZaradDoc;

constexpr WORD kTableImageRegister = 0x8C00;
constexpr WORD kProgramAreaRegister = 0xA000;

// The compiled buffers in image byte order.
struct ProgramImage {
  std::vector<BYTE> table;    // kTableImageSize bytes
  std::vector<BYTE> program;  // the program area J
  std::vector<BYTE> pages;    // message-text pages (newer series), else empty
};

struct DownloadImage {
  ProgramImage image;
  std::vector<BYTE> tableRegisters;
  std::vector<BYTE> programRegisters;
  std::vector<BYTE> textRegisters;
  DWORD imageChecksum = 0;  // also at LC byte 1016
  DWORD textChecksum = 0;   // also at LC byte 1012 (newer series)
  WORD imageWords = 0;      // (10240 + program area) / 2, also in PS and LC word 0
  int textPages = 0;        // message-text pages (newer series)
};

// The bytes in register order: each pair swapped (an odd last byte stays).
// The same swap turns register order back into image order.
std::vector<BYTE> ToRegisterOrder(const std::vector<BYTE>& image);
inline std::vector<BYTE> FromRegisterOrder(const std::vector<BYTE>& registers) {
  return ToRegisterOrder(registers);
}

// Image checksum: the DWORDs of the table image from byte 1024 on, plus those
// of the program area, minus (0x6000 - program size) / 4, wrapping.
DWORD ImageChecksum(const std::vector<BYTE>& table, const std::vector<BYTE>& program);
// Message-text checksum: the DWORDs of all pages, wrapping.
DWORD TextChecksum(const std::vector<BYTE>& pages);

// The pre-download check. Shows string 601 (no blocks) or 607 (a block
// without connection to an output) through the message sink and returns
// false; true when the document may be downloaded.
bool CheckUnconnectedBlocks(const CZaradDoc& doc);

// Compiles the document into *out: counts the capability bits, refuses a
// Modbus block whose port is not a Master, adjusts the model-dependent block
// sizes, compiles every list in the device's order, adds the logo and the
// checksums, and builds the register-order copies. On failure it shows the
// message (the Modbus port text, or string 604 for a refused compile) and
// returns false; nothing is sent then. The document keeps its blocks; only its
// capability counters, the model-dependent sizes and the message slots of its
// message texts are updated, as the device expects them.
bool PrepareDownload(CZaradDoc& doc, DownloadImage* out);
// The same with the download time stamp given (area ID), for repeatable images.
bool PrepareDownload(CZaradDoc& doc, DownloadImage* out, const SYSTEMTIME& stamp);

// The compile step alone (lists in ascending number order, header and
// settings areas), on a codec whose buffers are allocated: true on success.
class CZaradCoreRule;
bool CompileProgram(CZaradDoc& doc, CZaradCoreRule& codec);
