// The descriptors of the block library's kinds.
#pragma once

// Registers the descriptor of every kind this library gives
// (InstallStandardBlockLibrary calls it).
void RegisterStandardBlockKinds();
