// The block factory: a block object built from its type code and the context
// of the diagram it is made for. Placement, the program-image decoder and the
// ladder-to-FBD conversion create their blocks through it; placement checks
// the limits first.
#pragma once

#include <memory>

#include "model/block_context.h"

class CBlockObj;
struct CRuntimeClass;

// Body size the factory gives a block: width 25, height 40 with four inputs, else 36.
constexpr int kFactoryBlockWidth = 25;
constexpr int kFactoryBlockHeight4 = 40;
constexpr int kFactoryBlockHeight = 36;

// A new block of the class of typeCode, built by its typed constructor, with
// the factory's body size; codes without a class of their own (among them the
// cursor key 601, the soft key 811, the connector halves 900/901 and the power
// bus 951) give a plain CBlockObj with 4 inputs. The block is not numbered and
// not added to any document; the caller owns it. Null when allocation fails.
// ctx is the diagram the block is made for (BlockContext::For(doc, clock));
// the default makes an FBD block for no document.
CBlockObj* CreateBlockOfType(int typeCode, const BlockContext& ctx = {});

// CreateBlockOfType with the ownership in a smart pointer.
std::unique_ptr<CBlockObj> MakeBlockOfType(int typeCode, const BlockContext& ctx = {});

// A kind that a library above this one gives (the message text) registers its
// descriptor with a creator (model/block_kind.h): the factory builds its type
// code through it.

// The class a block of a type code must have in a file. Codes without a class
// of their own are plain CBlockObj; the connector halves and the power bus are
// not built by the factory.
const CRuntimeClass* ClassOfBlockType(int typeCode);

// Registers the block classes and the descriptors of this library's kinds
// (model/block_kind.h) and installs the block library with the model
// (model/block_library.h). The program calls it once at start-up (src/install).
void InstallStandardBlockLibrary();

// Makes sure every class of this library that a diagram file can name
// (blocks, connector halves, power bus, comments, wires) is registered with
// the run-time class registry (InstallStandardBlockLibrary calls it). Returns
// the number of registered classes.
int RegisterBlockClasses();
