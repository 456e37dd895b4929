#include "model/catalogues.h"

#include "model/astro_city_table.h"
#include "model/block_captions.h"
#include "model/toolbox_lists.h"

namespace {
bool g_built = false;
}  // namespace

CString BuildCatalogues(const std::filesystem::path& baseFolder) {
  if (g_built) return {};
  g_built = true;
  BuildBlockCaptionMap();
  BuildToolboxLists();
  return BuildCityTable(baseFolder);
}

bool CataloguesBuilt() {
  return g_built;
}
