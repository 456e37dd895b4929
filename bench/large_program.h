// The large program of the image benchmarks: 128 inputs, 1024 function blocks
// of many families (every input wired to an earlier signal, every fourth
// block named), 64 outputs and 512 flags. The growth benchmark scales the
// function blocks.
#pragma once

#include <iterator>
#include <vector>

#include "blocks/block_factory.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"

namespace bench {

inline void Wire(CBlockObj* src, CBlockObj* dst, int pin) {
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
}

inline void AddLargeProgram(CZaradDoc& doc, int functionBlocks = 1024) {
  static constexpr int kTypes[] = {300, 301, 304, 306, 307, 400, 401, 402, 408, 410, 411, 800, 801, 802,
                                   803, 805, 808, 812, 815, 817, 818, 820, 830, 834, 847, 862, 864, 879};
  std::vector<CBlockObj*> signals, blocks;
  for (int i = 0; i < 128; ++i) signals.push_back(doc.AddBlock(MakeBlockOfType(600)));
  unsigned seed = 12345;
  auto next = [&seed](size_t n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<size_t>((seed >> 8) % n);
  };
  for (int i = 0; i < functionBlocks; ++i) {
    CBlockObj* b = doc.AddBlock(MakeBlockOfType(kTypes[i % std::size(kTypes)]));
    for (int pin = 0; pin < b->m_nInputs; ++pin) {
      if (b->m_nSource[pin] == LINK_OPEN) Wire(signals[next(signals.size())], b, pin);
    }
    if (i % 4 == 0) b->m_strName = u"PUMP";
    blocks.push_back(b);
    signals.push_back(b);
  }
  for (int i = 0; i < 64; ++i) Wire(blocks[next(blocks.size())], doc.AddBlock(MakeBlockOfType(605)), 0);
  for (int i = 0; i < 512; ++i) Wire(blocks[next(blocks.size())], doc.AddBlock(MakeBlockOfType(607)), 0);
}

}  // namespace bench
