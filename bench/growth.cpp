// Growth: the same work on documents of 1k, 4k, 16k and 64k blocks (beyond the
// editor's limits, so the documents are built directly), to show how each cost
// grows with the document. Each benchmark reports "per_block", its time divided
// by the number of blocks: a cost that grows linearly keeps it flat, and the
// ratio of two rows' times shows the growth per x4 blocks.
//
//   Save, Load       the diagram file (SaveToBytes, LoadFromBytes)
//   Numbering        CZaradDoc::AddBlock for every block in a numbering batch
//                    (paste, Convert to FBD)
//   DetachWires      a quarter of the wires taken out one by one
//   DetachBlocks     a quarter of the blocks taken out one by one in a detach
//                    batch (as deleting a selection)
//   SimulationStart  evaluation order and start state (entering simulation)
//   Scan             one simulation scan (after the first one)
//   CompileWalks     the walks of a download before the compile: the check that
//                    every block leads to an output (FBD and ladder), the sums
//                    and counts of the limits
//   Decode           upload decode with wiring and separation, on programs the
//                    image can hold (64, 256 and 1024 function blocks)
#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "editor/scan_driver.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "large_program.h"
#include "model/block_codes.h"
#include "model/block_context.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

// Function-block kinds the growth documents cycle through (logic, time,
// counters, analog, data blocks).
constexpr int kFunctionTypes[] = {300, 301, 302, 303, 304, 305, 306, 307, 400, 401, 402, 403, 404, 405,
                                  406, 407, 408, 409, 800, 801, 802, 803, 805, 808, 812, 815, 817, 820};
constexpr int kInputs = 128;
constexpr int kAnalogInputs = 32;
constexpr int kOutputs = 64;
constexpr int kOperands = kInputs + kAnalogInputs + kOutputs;
constexpr int kColumns = 64;
constexpr int kPitchX = 80;
constexpr int kPitchY = 60;

// The type of the i-th block of a growth document.
int TypeAt(int64_t i) {
  if (i < kInputs) return kTypeInput;
  if (i < kInputs + kAnalogInputs) return kTypeAnalogInput;
  if (i < kOperands) return kTypeOutput;
  return kFunctionTypes[static_cast<size_t>(i - kOperands) % std::size(kFunctionTypes)];
}

CPoint PlaceAt(int64_t i) {
  return CPoint(40 + kPitchX * static_cast<int>(i % kColumns), 40 + kPitchY * static_cast<int>(i / kColumns));
}

void Connect(CZaradDoc& doc, CBlockObj* src, CBlockObj* dst, int pin) {
  auto wire = std::make_unique<CConnectLineObj>();
  wire->m_ptStart =
      CPoint(src->m_ptPos.x + src->m_nWidth + kPinMarkSize, src->m_ptPos.y + src->m_nHeight / 2);
  wire->m_ptEnd = CPoint(dst->m_ptPos.x - kPinMarkSize, dst->m_ptPos.y + 8 * (pin + 1));
  wire->m_nStartNumber = src->m_nNumber;
  wire->m_nEndNumber = dst->m_nNumber;
  wire->m_nStartPin = kFirstOutputPin;
  wire->m_nEndPin = pin;
  wire->m_pStartBlock = src;
  wire->m_pEndBlock = dst;
  const int midX = (wire->m_ptStart.x + wire->m_ptEnd.x) / 2;
  wire->m_points = {wire->m_ptStart, CPoint(midX, wire->m_ptStart.y), CPoint(midX, wire->m_ptEnd.y),
                    wire->m_ptEnd};
  dst->m_nSource[pin] = src->m_nNumber;
  src->m_nSource[kFirstOutputPin] = dst->m_nNumber;
  if (dst->m_nFirstLinkedPin < 0 || pin < dst->m_nFirstLinkedPin) dst->m_nFirstLinkedPin = pin;
  doc.m_connections.AddTail(std::move(wire));
}

// A function-block diagram of `blocks` blocks: 128 inputs, 32 analog inputs,
// 64 outputs and function blocks numbered from 9000 on (past 10999 for the
// large sizes), in rows of 64. Every digital or analog input of a function
// block is wired: to an earlier block whose output feeds nothing yet when
// there is one, else to an earlier signal of its kind, so that nearly every
// output is wired too. The outputs read the last function blocks. The same
// size gives the same document.
std::unique_ptr<CZaradDoc> BuildGrowthDocument(int64_t blocks) {
  auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, 0x5188});
  std::vector<CBlockObj*> signals[3], pending[3], outputs;
  int64_t placed = 0;
  unsigned seed = 12345;
  auto next = [&seed](size_t n) {
    seed = seed * 1103515245u + 12345u;
    return static_cast<size_t>((seed >> 8) % n);
  };
  auto source = [&](int kind) -> CBlockObj* {
    if (!pending[kind].empty()) {
      CBlockObj* b = pending[kind].back();
      pending[kind].pop_back();
      return b;
    }
    return signals[kind].empty() ? nullptr : signals[kind][next(signals[kind].size())];
  };
  for (int64_t i = 0; i < blocks; ++i) {
    const int type = TypeAt(i);
    CBlockObj* b = doc->m_blocks.AddTail(MakeBlockOfType(type));
    b->m_ptPos = PlaceAt(placed++);
    if (i < kOperands) {
      const int index = static_cast<int>(type == kTypeInput         ? i
                                         : type == kTypeAnalogInput ? i - kInputs
                                                                    : i - kInputs - kAnalogInputs);
      b->m_nNumber = (type == kTypeInput         ? kFirstInputOperand
                      : type == kTypeAnalogInput ? kFirstAnalogInputOperand
                                                 : kFirstOutputOperand) +
                     index;
      b->m_nOperand = index;
      if (type == kTypeOutput) outputs.push_back(b);
    } else {
      b->m_nNumber = kFirstFunctionBlockNumber + static_cast<int>(i - kOperands);
      for (int pin = 0; pin < b->m_nInputs; ++pin) {
        const int kind = b->m_nPinType[pin];
        if ((kind != PIN_DIGITAL && kind != PIN_ANALOG) || b->m_nSource[pin] != LINK_OPEN) continue;
        if (CBlockObj* src = source(kind)) Connect(*doc, src, b, pin);
      }
    }
    const int out = b->m_nPinType[kFirstOutputPin];
    if ((out == PIN_DIGITAL || out == PIN_ANALOG) && b->m_nOutputs > 0) {
      signals[out].push_back(b);
      pending[out].push_back(b);
    }
  }
  for (CBlockObj* q : outputs) {
    if (CBlockObj* src = source(PIN_DIGITAL)) Connect(*doc, src, q, 0);
  }
  // What still feeds nothing feeds a flag or an analog flag.
  int flags = 0, analogFlags = 0;
  for (int kind : {PIN_DIGITAL, PIN_ANALOG}) {
    while (!pending[kind].empty()) {
      CBlockObj* src = source(kind);
      const int index = kind == PIN_DIGITAL ? flags++ : analogFlags++;
      CBlockObj* sink =
          doc->m_blocks.AddTail(MakeBlockOfType(kind == PIN_DIGITAL ? kTypeFlag : kTypeAnalogFlag));
      sink->m_nNumber = (kind == PIN_DIGITAL ? kFirstFlagOperand : kFirstAnalogFlagOperand) + index;
      sink->m_nOperand = index;
      sink->m_ptPos = PlaceAt(placed++);
      Connect(*doc, src, sink, 0);
    }
  }
  const int rows = static_cast<int>((placed + kColumns - 1) / kColumns);
  doc->m_rcDiagram = CRect(0, 0, 80 + kPitchX * kColumns, 80 + kPitchY * rows);
  doc->SetModifiedFlag(false);
  return doc;
}

void SetPerBlock(benchmark::State& state, int64_t blocks) {
  state.counters["blocks"] = static_cast<double>(blocks);
  state.counters["per_block"] =
      benchmark::Counter(static_cast<double>(blocks),
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.SetComplexityN(blocks);
}

void BM_GrowthSave(benchmark::State& state) {
  auto doc = BuildGrowthDocument(state.range(0));
  size_t bytes = 0;
  for (auto _ : state) {
    std::vector<BYTE> file = doc->SaveToBytes();
    bytes = file.size();
    benchmark::DoNotOptimize(file.data());
  }
  state.counters["file_bytes"] = static_cast<double>(bytes);
  SetPerBlock(state, state.range(0));
}

void BM_GrowthLoad(benchmark::State& state) {
  const std::vector<BYTE> file = BuildGrowthDocument(state.range(0))->SaveToBytes();
  CZaradDoc doc;
  CString error;
  for (auto _ : state) {
    if (!doc.LoadFromBytes(file, "growth.bfb", &error)) state.SkipWithError(error.ToUtf8().c_str());
  }
  state.counters["wires"] = doc.m_connections.GetCount();
  SetPerBlock(state, doc.m_blocks.GetCount());
}

// AddBlock of every block of the document into an empty one, in the
// document's order (inputs, outputs, function blocks).
void BM_GrowthNumbering(benchmark::State& state) {
  const int64_t blocks = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, 0x5188});
    std::vector<std::unique_ptr<CBlockObj>> made;
    made.reserve(static_cast<size_t>(blocks));
    for (int64_t i = 0; i < blocks; ++i) made.push_back(MakeBlockOfType(TypeAt(i)));
    state.ResumeTiming();
    CBlockNumberingBatch numbering(*doc);  // as paste and Convert to FBD number their blocks
    for (auto& b : made) doc->AddBlock(std::move(b));
    benchmark::DoNotOptimize(doc->m_blocks.GetTail()->m_nNumber);
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  SetPerBlock(state, blocks);
}

// Every fourth wire taken out of the document, one by one (separating
// crossing wires and deleting do this).
void BM_GrowthDetachWires(benchmark::State& state) {
  const int64_t blocks = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = BuildGrowthDocument(blocks);
    std::vector<CConnectLineObj*> gone;
    int64_t i = 0;
    for (CConnectLineObj* w : doc->m_connections) {
      if (i++ % 4 == 0) gone.push_back(w);
    }
    state.ResumeTiming();
    for (CConnectLineObj* w : gone) RemoveConnection(*doc, w).reset();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  SetPerBlock(state, blocks);
}

// Every fourth block detached from the document, one by one, in a detach
// batch as deleting a selection takes its blocks out: the blocks that point
// at each block are found in a table built once rather than by a pass over
// the blocks per detach.
void BM_GrowthDetachBlocks(benchmark::State& state) {
  const int64_t blocks = state.range(0);
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = BuildGrowthDocument(blocks);
    doc->m_connections.DeleteAll();
    std::vector<CBlockObj*> gone;
    int64_t i = 0;
    for (CBlockObj* b : doc->m_blocks) {
      if (i++ % 4 == 0) gone.push_back(b);
    }
    state.ResumeTiming();
    {
      CBlockDetachBatch batch(*doc);
      for (CBlockObj* b : gone) doc->DetachBlock(b).reset();
    }
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  SetPerBlock(state, blocks);
}

void BM_GrowthSimulationStart(benchmark::State& state) {
  auto doc = BuildGrowthDocument(state.range(0));
  CScanDriver driver(doc.get());
  for (auto _ : state) {
    driver.EnterSimulation(SYSTEMTIME{2026, 1, 1, 5, 10, 0, 0, 0});
    state.PauseTiming();
    driver.LeaveSimulation();
    state.ResumeTiming();
  }
  SetPerBlock(state, state.range(0));
}

// The scans after the first one (which resolves what the blocks keep).
void BM_GrowthScan(benchmark::State& state) {
  auto doc = BuildGrowthDocument(state.range(0));
  CScanDriver driver(doc.get());
  driver.EnterSimulation(SYSTEMTIME{2026, 1, 1, 5, 10, 0, 0, 0});
  driver.Run(1);
  for (auto _ : state) {
    driver.Tick();
    driver.Scan();
  }
  driver.LeaveSimulation();
  SetPerBlock(state, state.range(0));
}

// A ladder diagram of `blocks` elements: a third function blocks (on-delay
// timers), a third make contacts each reading one of them and a third relay
// coils each driven by one contact, every element linked as the editor links it.
std::unique_ptr<CZaradDoc> BuildLadderGrowthDocument(int64_t blocks) {
  auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocLadder, 0x5188});
  const BlockContext ctx = BlockContext::For(doc.get());
  const int64_t third = blocks / 3;
  std::vector<CBlockObj*> timers, contacts;
  for (int64_t i = 0; i < third; ++i) {
    CBlockObj* b = doc->m_blocks.AddTail(MakeBlockOfType(400, ctx));
    b->m_nNumber = kFirstFunctionBlockNumber + static_cast<int>(i);
    b->m_nSource[0] = kPowerBusNumber;
    timers.push_back(b);
  }
  for (int64_t i = 0; i < third; ++i) {
    CBlockObj* c = doc->m_blocks.AddTail(MakeBlockOfType(kTypeMakeContact, ctx));
    c->m_nNumber = kFirstMakeContactNumber + static_cast<int>(i);
    c->m_nOperand = timers[static_cast<size_t>(i)]->m_nNumber;
    c->m_nSource[0] = kPowerBusNumber;
    contacts.push_back(c);
  }
  for (int64_t i = 0; i < third; ++i) {
    CBlockObj* q = doc->m_blocks.AddTail(MakeBlockOfType(kTypeRelayCoil, ctx));
    q->m_nNumber = kFirstCoilNumber + static_cast<int>(i);
    q->m_nOperand = kFirstOutputOperand + static_cast<int>(i % kOutputOperandCount);
    CBlockObj* c = contacts[static_cast<size_t>(i)];
    q->m_nSource[0] = c->m_nNumber;
    c->m_nSource[kFirstOutputPin] = q->m_nNumber;
    timers[static_cast<size_t>(i)]->m_nSource[kFirstOutputPin] = c->m_nNumber;
  }
  doc->MakePowerBus();
  return doc;
}

// What a download walks before the compile: the check that every block leads
// to an output (FBD and ladder), the sums and counts of the limits.
void BM_GrowthCompileWalks(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  auto fbd = BuildGrowthDocument(state.range(0));
  auto ladder = BuildLadderGrowthDocument(state.range(0));
  bool checked = true;
  for (auto _ : state) {
    for (CZaradDoc* doc : {fbd.get(), ladder.get()}) {
      checked = CheckUnconnectedBlocks(*doc) && checked;
      benchmark::DoNotOptimize(doc->GetProgramMemorySize());
      benchmark::DoNotOptimize(doc->CountFunctionBlocks());
      benchmark::DoNotOptimize(doc->CountNamedBlocks());
      benchmark::DoNotOptimize(doc->CountNonConnectorBlocks());
      benchmark::DoNotOptimize(doc->CheckTypeLimit(kTypeAnd, nullptr));
    }
  }
  if (!checked)
    state.SkipWithError(CheckUnconnectedBlocks(*fbd) ? "the ladder document failed the download check"
                                                     : "the diagram failed the download check");
  SetPerBlock(state, state.range(0));
}

// The upload decode with wiring of the image benchmarks' program, scaled:
// 128 inputs, range(0) function blocks, 64 outputs and 512 flags.
void BM_GrowthDecode(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  ProgramImage image;
  {
    CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188});
    bench::AddLargeProgram(doc, static_cast<int>(state.range(0)));
    DownloadImage out;
    if (!PrepareDownload(doc, &out)) state.SkipWithError("the program was refused");
    image = out.image;
  }
  int blocks = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, 0x5188});
    state.ResumeTiming();
    CString error;
    if (!DecodeProgramImage(image, 0x5188, *doc, error)) state.SkipWithError("the image was refused");
    blocks = doc->m_blocks.GetCount();
    state.PauseTiming();
    doc.reset();
    state.ResumeTiming();
  }
  state.counters["function_blocks"] = static_cast<double>(state.range(0));
  SetPerBlock(state, blocks);
}

void GrowthSizes(benchmark::internal::Benchmark* b) {
  b->RangeMultiplier(4)->Range(1024, 65536)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

BENCHMARK(BM_GrowthSave)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthLoad)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthNumbering)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthDetachWires)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthDetachBlocks)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthSimulationStart)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthScan)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthCompileWalks)->Apply(GrowthSizes);
BENCHMARK(BM_GrowthDecode)
    ->RangeMultiplier(4)
    ->Range(64, 1024)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace
