#include "image/startup_bitmap.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "image/image_layout.h"
#include "platform/file_util.h"
#include "platform/message_sink.h"

namespace {

constexpr size_t kFileHeader = 14;
constexpr size_t kMaxBitmapFile = size_t{1} << 20;
constexpr int kRowBytes = 16;      // 108 bits padded to a multiple of 32
constexpr int kBandColumns = 120;  // 15 bytes of each row

LONG ReadLong(std::span<const BYTE> f, size_t at) {
  return static_cast<LONG>(ReadDwordLE(&f[at]));
}

// The offset of the first pixel row in the file and the row order, or false
// when the file is not a suitable logo.
bool ParseHeader(std::span<const BYTE> f, size_t* pixels, bool* topDown, bool* darkZero) {
  if (f.size() < kFileHeader + 40 || f[0] != 'B' || f[1] != 'M') return false;
  const DWORD offBits = ReadDwordLE(&f[10]);
  const DWORD infoSize = ReadDwordLE(&f[14]);
  if (infoSize < 40 || infoSize > f.size()) return false;
  const LONG width = ReadLong(f, 18);
  const LONG height = ReadLong(f, 22);
  const WORD bits = ReadWordLE(&f[28]);
  const DWORD compression = ReadDwordLE(&f[30]);
  if (width != kLogoWidth || (height != kLogoHeight && height != -kLogoHeight) || bits != 1 ||
      compression != 0)
    return false;
  if (offBits > f.size() || f.size() - offBits < static_cast<size_t>(kRowBytes) * kLogoHeight) return false;
  const size_t palette = kFileHeader + infoSize;
  if (palette + 4 > f.size()) return false;
  *pixels = offBits;
  *topDown = height < 0;
  *darkZero = f[palette] == 0 && f[palette + 1] == 0 && f[palette + 2] == 0 && f[palette + 3] == 0;
  return true;
}

}  // namespace

bool DecodeStartupBitmap(std::span<const BYTE> file, BYTE* out) {
  size_t pixels = 0;
  bool topDown = false;
  bool darkZero = false;
  if (!ParseHeader(file, &pixels, &topDown, &darkZero)) return false;
  if (out == nullptr) return true;
  std::memset(out, 0, kLogoBytes);
  for (int row = 0; row < kLogoHeight; ++row) {
    const int fileRow = topDown ? row : kLogoHeight - 1 - row;
    const BYTE* bits = &file[pixels + static_cast<size_t>(fileRow) * kRowBytes];
    for (int c = 0; c < kBandColumns; ++c) {
      if ((bits[c / 8] >> (7 - c % 8)) & 1)
        out[(row / 8) * kBandColumns + c] |= static_cast<BYTE>(1 << (row % 8));
    }
  }
  if (darkZero) {
    for (int i = 0; i < kLogoBytes; ++i) out[i] = static_cast<BYTE>(~out[i]);
  }
  return true;
}

int LoadStartupBitmap(const CString& path, bool convert, BYTE* out) {
  std::vector<BYTE> file;
  if (path.IsEmpty() || !ReadFileBytes(std::filesystem::path(path.ToUtf8()), file, kMaxBitmapFile).empty())
    return kBitmapNotFound;
  if (!DecodeStartupBitmap(file, convert ? out : nullptr)) {
    CString text;
    if (out != nullptr) {
      text.Format(
          u"%s is not a 108(Width) x 64(Height) pixels and Monochrone Bitmap File Format,Please Check "
          u"Options->Properties->General's [Company logo] Field!",
          path.GetString());
    } else {
      text.Format(u"%s is not a 108(Width) x 64(Height) pixels and Monochrone Bitmap File Format!",
                  path.GetString());
    }
    AfxMessageBox(text, MB_OK);
    return kBitmapInvalid;
  }
  return kBitmapOk;
}
