// Reads arbitrary bytes as a start-up logo file. A file that is accepted must
// give the same logo on a second reading, and checking alone must agree.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "image/image_layout.h"
#include "image/startup_bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const BYTE> file(data, size);
  BYTE logo[kLogoBytes];
  BYTE again[kLogoBytes];
  const bool ok = DecodeStartupBitmap(file, logo);
  if (ok != DecodeStartupBitmap(file, nullptr)) std::abort();
  if (ok && (!DecodeStartupBitmap(file, again) || std::memcmp(logo, again, kLogoBytes) != 0)) std::abort();
  return 0;
}
