// Builds the program-wide catalogues once: the block captions, the palette
// lists and the astronomical-clock location table, in this order.
#pragma once

#include <filesystem>

#include "platform/cstring.h"

// Builds the catalogues on the first call, reading the user's locations from
// the city file under baseFolder; later calls change nothing and return an
// empty text. Returns an empty text, or why the city file could not be read
// (the catalogues are built all the same).
CString BuildCatalogues(const std::filesystem::path& baseFolder);

// Whether BuildCatalogues has run.
bool CataloguesBuilt();
