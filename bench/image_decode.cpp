// Decoding a 1024-block program image read back from a device into a new
// document: the settings, the records, the operand blocks and the layout in
// columns and rows (target under 50 ms in the release build), then with the
// wires and their separation into connector pairs.
#include <benchmark/benchmark.h>

#include <memory>

#include "image/download_image.h"
#include "image/image_decoder.h"
#include "image/program_decoder.h"
#include "large_program.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

// The image of the compile benchmark's large program.
ProgramImage BuildImage() {
  CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188});
  bench::AddLargeProgram(doc);
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
