#include "model/block_kind.h"

#include <unordered_map>

namespace {

std::unordered_map<int, BlockKind>& Kinds() {
  static std::unordered_map<int, BlockKind> kinds;
  return kinds;
}

}  // namespace

void RegisterBlockKind(const BlockKind& kind) {
  Kinds()[kind.type] = kind;
}

const BlockKind* FindBlockKind(int type) {
  const auto& kinds = Kinds();
  const auto it = kinds.find(type);
  return it == kinds.end() ? nullptr : &it->second;
}

const BlockKind& BlockKindOf(int type) {
  static const BlockKind kNoKind;
  const BlockKind* kind = FindBlockKind(type);
  return kind ? *kind : kNoKind;
}
