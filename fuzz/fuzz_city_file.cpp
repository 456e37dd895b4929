// Reads arbitrary bytes as a city file of the astronomical clock. Every row
// read must write back as one 44-character line and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "model/astro_city_table.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<AstroCity> rows = ParseCityFile(std::span<const BYTE>(data, size));
  const std::vector<BYTE> written = FormatCityFile(rows);
  if (written.size() != rows.size() * kCityLineLength * 2) std::abort();
  const std::vector<AstroCity> again = ParseCityFile(written);
  if (again.size() != rows.size()) std::abort();
  for (size_t i = 0; i < rows.size(); ++i) {
    // A carriage return inside a name is written as a blank.
    if (rows[i].m_strName.Find(u'\r') >= 0) continue;
    if (!(again[i] == rows[i])) std::abort();
  }
  return 0;
}
