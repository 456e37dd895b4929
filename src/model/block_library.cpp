#include "model/block_library.h"

namespace {
const CBlockLibrary* g_pBlockLibrary = nullptr;
}  // namespace

const CBlockLibrary* GetBlockLibrary() {
  return g_pBlockLibrary;
}

void InstallBlockLibrary(const CBlockLibrary* library) {
  g_pBlockLibrary = library;
}
