// The start-up logo: a 108 x 64 monochrome BMP file converted into the
// device's 960-byte logo layout (8 bands of 8 pixel rows, 120 columns per
// band, one byte per column; bit k of byte b x 120 + c is the pixel of row
// b x 8 + k, column c; columns 108..119 take the padding bits of the rows).
#pragma once

#include <span>

#include "platform/cstring.h"
#include "platform/types.h"

constexpr int kBitmapOk = 0;        // a suitable bitmap (converted when asked)
constexpr int kBitmapNotFound = 1;  // the file cannot be opened (no message)
constexpr int kBitmapInvalid = 3;   // not a 108 x 64, 1-bit, uncompressed BMP (message shown)

constexpr int kLogoWidth = 108;
constexpr int kLogoHeight = 64;

// Checks the file and, with convert set and out given (960 bytes), converts
// it. The BMP header is read as it stands: the pixel offset, the header size
// (BITMAPINFOHEADER and its V4/V5 forms), the width, the height (negative for
// top-down rows), the bit count and the compression. A refused file shows the
// longer message (naming the program properties' field) when out is given,
// the shorter one when it is null.
int LoadStartupBitmap(const CString& path, bool convert, BYTE* out);

// The check and conversion of a file's bytes, without messages: false when the
// bytes are not a suitable logo. out (960 bytes) may be null to check only.
bool DecodeStartupBitmap(std::span<const BYTE> file, BYTE* out);
