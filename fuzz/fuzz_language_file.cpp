// Reads arbitrary bytes as the language settings file and stores each choice in it.
// Whatever the file holds, a stored choice reads back as that choice, and the file
// stays small enough to be read at the next start.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/language_setting.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxLanguageFileBytes) return 0;  // such a file is not read at all
  const std::span<const BYTE> text(data, size);
  (void)LanguageTextIsChinese(text);
  for (int choice : {0, 1}) {
    std::vector<BYTE> stored;
    if (!UpdateLanguageText(text, choice, &stored)) continue;
    if (LanguageTextIsChinese(stored) != (choice == 1)) std::abort();
    if (stored.size() > kMaxLanguageFileBytes) std::abort();
    // Storing the same choice again changes nothing more.
    std::vector<BYTE> again;
    if (!UpdateLanguageText(stored, choice, &again) || again != stored) std::abort();
  }
  return 0;
}
