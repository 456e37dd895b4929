// Decoding a 1024-block program image read back from a device into a new
// document: the settings, the records, the operand blocks and the layout in
// columns and rows (target under 50 ms in the release build), then with the
// wires and their separation into connector pairs.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "image/program_decoder.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

void Wire(CBlockObj* src, CBlockObj* dst, int pin) {
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
}

// 128 inputs, 1024 function blocks of many families, each input wired to an
// earlier signal, every fourth block named, 64 outputs and 512 flags: the
// image of the compile benchmark.
ProgramImage BuildImage() {
  CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188});
  static constexpr int kTypes[] = {300, 301, 304, 306, 307, 400, 401, 402, 408, 410, 411, 800, 801, 802,
                                   803, 805, 808, 812, 815, 817, 818, 820, 830, 834, 847, 862, 864, 879};
  std::vector<CBlockObj*> signals, blocks;
  for (int i = 0; i < 128; ++i) signals.push_back(doc.AddBlock(MakeBlockOfType(600)));
  unsigned seed = 12345;
  auto next = [&seed](size_t n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<size_t>((seed >> 8) % n);
  };
  for (int i = 0; i < 1024; ++i) {
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
  DownloadImage out;
  PrepareDownload(doc, &out);
  return out.image;
}

// The decode and the layout: every block made, numbered, named, given its
// parameters and links, and placed in its column and row.
void BM_DecodeAndLayOut(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  const ProgramImage image = BuildImage();
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, 0x5188});
    state.ResumeTiming();
    CProgramDecoder decoder(image, 0x5188, *doc);
    decoder.SetWiring(false);
    if (!decoder.Run()) state.SkipWithError("the image was refused");
    blocks = doc->m_blocks.GetCount();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["blocks"] = blocks;
}
BENCHMARK(BM_DecodeAndLayOut)->Unit(benchmark::kMillisecond);

// The whole upload decode, with the wires drawn through the editor core and
// the crossing ones separated into connector pairs.
void BM_DecodeProgramImage(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  const ProgramImage image = BuildImage();
  int blocks = 0;
  int wires = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, 0x5188});
    state.ResumeTiming();
    CString error;
    if (!DecodeProgramImage(image, 0x5188, *doc, error)) state.SkipWithError("the image was refused");
    blocks = doc->m_blocks.GetCount();
    wires = doc->m_connections.GetCount();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["blocks"] = blocks;
  state.counters["wires"] = wires;
  state.counters["program_bytes"] = static_cast<double>(image.program.size());
}
BENCHMARK(BM_DecodeProgramImage)->Unit(benchmark::kMillisecond);

}  // namespace
