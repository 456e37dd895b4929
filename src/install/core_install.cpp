// Linked into every program that uses zcore (see src/CMakeLists.txt): before
// main() runs, the block library and the message-text kind install themselves
// with the model, so that documents can make, load and draw every block kind
// and no program has to remember a set-up call.
#include "blocks/block_factory.h"
#include "msgtext/msgtext_block.h"

namespace {

const bool g_bInstalled = [] {
  InstallStandardBlockLibrary();
  RegisterMessageTextKind();
  return true;
}();

}  // namespace
