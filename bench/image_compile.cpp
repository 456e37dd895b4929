// Compiling a 1024-block program into its download image: the records, names,
// operand areas, settings, checksums and register order. The target is well
// under 5 ms in the release build.
#include <benchmark/benchmark.h>

#include "image/download_image.h"
#include "large_program.h"
#include "model/zarad_doc.h"

namespace {

// The large program in a document of the newer series.
struct Program {
  CZaradDoc doc;

  Program() {
    doc.m_wModelCode = 0x5188;
    bench::AddLargeProgram(doc);
  }
};

void BM_CompileDownloadImage(benchmark::State& state) {
  Program p;
  SYSTEMTIME stamp{};
  stamp.wYear = 2026;
  stamp.wMonth = 1;
  stamp.wDay = 5;
  DownloadImage out;
  for (auto _ : state) {
    if (!PrepareDownload(p.doc, &out, stamp)) state.SkipWithError("the program was refused");
    benchmark::DoNotOptimize(out.imageChecksum);
  }
  state.counters["blocks"] = p.doc.m_blocks.GetCount();
  state.counters["program_bytes"] = static_cast<double>(out.image.program.size());
}
BENCHMARK(BM_CompileDownloadImage)->Unit(benchmark::kMillisecond);

}  // namespace
