// CScanDriver: the simulation of one diagram without a window. It does what
// the diagram view, its child frame and the Simulation bar do while a view
// simulates: it puts the blocks into evaluation order and gives them their
// start state, owns the simulated clock (25 ms per tick), keeps the run and
// step states, stamps pauses and shifts the start stamps when the run goes on,
// cuts and restores the power, and runs one scan per repaint. It is the
// CViewContext that blocks see during the scan; the Inputs and Outputs bar
// reports go to an optional sink.
//
// Threads: everything runs on one thread, the one that scans. The clock is
// advanced by Tick on that thread, so a scan never sees a half-advanced clock.
// A timer on another thread may call PostTick instead; the ticks it posts are
// applied at the start of the next Scan.
#pragma once

#include <atomic>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/view_context.h"

class CBlockObj;
class CDC;
class CZaradDoc;

// Receiver of what the simulation bars and open parameter sheets are shown.
class CSimBarSink {
 public:
  virtual ~CSimBarSink() = default;
  virtual void UpdateInputControl(CBlockObj* block) {}
  virtual void UpdateOutputControl(CBlockObj* block) {}
  virtual int ShowCurrentParameterValue(CBlockObj* block) { return 0; }
};

// Which controls of the Simulation bar are enabled in the driver's state
// (Power and Set Clock always are).
struct SimBarEnables {
  bool start = false, stop = false, suspend = false, step = false, edits = false;
  friend bool operator==(const SimBarEnables&, const SimBarEnables&) = default;
};

class CScanDriver : public CViewContext {
 public:
  static constexpr int kTickMs = 25;

  // The document is not owned and must outlive the driver.
  explicit CScanDriver(CZaradDoc* doc);
  ~CScanDriver() override;
  CScanDriver(const CScanDriver&) = delete;
  CScanDriver& operator=(const CScanDriver&) = delete;

  void SetSink(CSimBarSink* sink) { m_pSink = sink; }
  // The context the blocks are scanned and drawn in: the driver itself unless
  // an owner (the editor core) answers for it. Null restores the driver.
  void SetBlockContext(CViewContext* context) { m_pBlockContext = context ? context : this; }

  // ---- Entering and leaving simulation --------------------------------------
  // Marks the document simulating, restarts the clock at clockStart (the
  // frame uses the local time), sorts the blocks into evaluation order and
  // gives every block its start state, stamped with the restarted clock.
  // The simulation runs at once: running, not stepping, started.
  void EnterSimulation(const SYSTEMTIME& clockStart);
  // Returns every block to a quiet state: inputs and first output 0, no
  // walk pin, no restart request, analog inputs back at their minimum.
  void LeaveSimulation();
  bool IsSimulating() const { return m_bSimulating; }
  // Rewrites doc->m_blocks into evaluation order: operands, function blocks,
  // outputs, flags, analog outputs, analog flags, open connectors, male and
  // female connector halves, the data log; each group by ascending number.
  static void SortBlocksForSimulation(CZaradDoc* doc);

  // ---- The simulated clock (the child frame) --------------------------------
  // Advances the clock by 25 ms (a second boundary drops the excess, as the
  // frame does) and counts a step cycle when stepping by cycles. Call it on
  // the scanning thread, between scans. Nothing happens outside simulation.
  void Tick();
  // From any thread: one more tick to apply at the start of the next Scan.
  void PostTick() { m_nPendingTicks.fetch_add(1, std::memory_order_relaxed); }
  // The Set Clock dialog: the clock jumps; the next running scan shifts the
  // function blocks' start stamps by the jump.
  void SetSimulatedTime(const SYSTEMTIME& st);
  SYSTEMTIME GetPreviousSimulatedTime() const { return m_stPrevClock; }

  // ---- The Simulation bar -----------------------------------------------------
  void Start();
  void Stop();
  void SuspendResume();
  // The Step button. unit: SIM_UNIT_CYCLES with a count of cycles, or a time
  // unit with the step remaining in its steps (hundredths of a second for
  // seconds, seconds for minutes, minutes for hours). While a step runs the
  // button ends it (suspended).
  void Step(int unit, int amount);
  // The Power button held down and released.
  void PowerDown();
  void PowerUp();
  bool IsStarted() const { return m_bStarted; }
  bool IsStopEnabled() const { return m_bStopEnabled; }
  bool IsPowerCut() const { return m_bPowerCut; }
  int GetStepRemaining() const { return m_nStepRemaining; }
  SimBarEnables GetBarEnables() const;

  // The step amount of the bar's "##:##" time edit in the unit's steps: for
  // seconds SS:hh in hundredths, for minutes MM:SS in seconds, for hours
  // HH:MM in minutes. Missing digits read as 0.
  static int ReadStepAmount(const CString& text, int unit);
  // The remaining step as the bar shows it: cycles "%d" (1 at 0), time units
  // "%02d:%02d" with the unit's letter ("00:95s", "01:30m", "01:30h").
  static CString FormatStepRemaining(int unit, int remaining);

  // ---- The repaint -----------------------------------------------------------
  // One scan: pending ticks applied, the time step advanced, the scan time
  // copied once, every block handled by the run state in list order (stopped:
  // restamped and drawn only; suspended: pause stamp set, evaluated; running:
  // a paused function block's stamps moved by the pause, or by a clock jump,
  // then evaluated), the clock-set flag cleared, and restart requests
  // (m_nLatch1/m_nLatch2) applied with the time at the end of the scan. Every
  // block is evaluated by SimulateAndDraw: its value text and its live value
  // for open parameter sheets follow, and with a device context it is drawn.
  void Scan(CDC* dc = nullptr);
  // count times Tick and Scan.
  void Run(int count);

  // ---- Keeping pace with the wall clock ------------------------------------------
  // A timer event that came elapsedMs of wall time after the previous one:
  // the ticks it owes, one for every whole 25 ms of wall time not yet made
  // up, so that the simulated clock keeps pace with the wall clock when
  // events come late or are lost. At most kMaxCatchUpTicks per event; time
  // owed beyond them is dropped, so a program that stalled does not race
  // afterwards. What is left under a tick waits for the next event. The
  // caller runs each tick with its own scan (Tick, Scan), so stepping keeps
  // its own pace: each tick counts its cycle and each scan its part of a
  // time step.
  int TakeOwedTicks(LONGLONG elapsedMs);
  static constexpr int kMaxCatchUpTicks = 8;
  // A timer event may come this early and still count its tick.
  static constexpr int kPaceToleranceMs = 2;

  // ---- CViewContext ------------------------------------------------------------
  CZaradDoc* GetDocument() const override { return m_pDoc; }
  SYSTEMTIME GetScanTime() const override { return m_stScanTime; }
  int GetEditMode() const override { return m_bSimulating ? MODE_SIMULATION : MODE_SELECT; }
  SYSTEMTIME GetSimulatedTime() const override { return m_stClock; }
  CString FormatSimulatedTime(BOOL abbreviateMonth, int format) const override;
  int GetSimRunState() const override { return m_nRunState; }
  int GetSimStepState() const override { return m_nStepState; }
  int GetSimStepUnit() const override { return m_nStepUnit; }
  CBlockObj* FindBlock(int number) const override;
  // During a scan: the same from scan to scan while the blocks, their order,
  // types, numbers and input links stay as they were (a block's class follows
  // its type); 0 outside a scan. The links are compared with the last scan's
  // once per scan, when a block first asks.
  unsigned long long GetLinkGeneration() const override;
  void UpdateInputControl(CBlockObj* block) override;
  void UpdateOutputControl(CBlockObj* block) override;
  int ShowCurrentParameterValue(CBlockObj* block) override;

  // The frame's clock texts for any time (formats 0 to 3; others give "").
  static CString FormatTime(const SYSTEMTIME& st, BOOL abbreviateMonth, int format);

 private:
  void ApplyPendingTicks();
  void StepTick();                  // a counted step cycle (stepping by cycles)
  void TimeStepTick(bool initial);  // a time step's progress (every scan)
  void EndStep();                   // a step ran out: suspended, ready to step
  void RestartFunctionBlocks();     // run or step start from the stopped state
  void SaveAndClearPins();
  void RestorePins();
  // Before a scan: compares the blocks and their numbers with those of the
  // last scan and rebuilds the index when they differ.
  void RefreshIndex();
  // What the link generation rests on: writes the block's words of m_links at
  // `at`; true when they differ from the words kept there.
  static bool NoteLinks(const CBlockObj* b, int* at);
  // A pass of its own over the blocks of the scan when the links were not
  // compared with the index; then TakeLinks.
  void CheckLinks() const;
  // After a comparison: a new generation unless m_links stayed the same
  // (`same`) and still holds for the blocks of m_numbered.
  void TakeLinks(bool same) const;
  void BuildIndex();
  void ClearIndex();

  CZaradDoc* m_pDoc;
  CSimBarSink* m_pSink = nullptr;
  CViewContext* m_pBlockContext = this;
  bool m_bSimulating = false;

  SYSTEMTIME m_stClock{};      // the simulated clock
  SYSTEMTIME m_stPrevClock{};  // the clock before the last SetSimulatedTime
  SYSTEMTIME m_stStepMark{};   // when the last step cycle was counted
  SYSTEMTIME m_stScanTime{};   // the clock as the current scan read it
  bool m_bClockSet = false;
  std::atomic<int> m_nPendingTicks{0};
  LONGLONG m_nOwedMs = 0;  // wall time not yet made up by ticks (TakeOwedTicks)

  int m_nRunState = SIM_RUNNING;
  int m_nStepState = SIM_STEP_OFF;
  int m_nStepUnit = SIM_UNIT_CYCLES;
  int m_nStepRemaining = 0;
  SYSTEMTIME m_stLastStep{};
  bool m_bStarted = true;
  bool m_bStopEnabled = true;
  bool m_bPowerCut = false;
  int m_nSavedRunState = SIM_RUNNING;
  int m_nSavedStepState = SIM_STEP_OFF;

  // Number -> block during a scan (numbers 0..kDirectNumbers-1 in a table).
  // It is kept from scan to scan while the blocks and their numbers stay as
  // m_numbered saw them.
  static constexpr int kDirectNumbers = 1 << 16;
  static constexpr size_t kPrefetchAhead = 4;  // blocks asked of the memory ahead of a pass over them
  bool m_bIndexed = false;                     // the index answers FindBlock (in a scan, while blocks start)
  bool m_bScanning = false;                    // inside a scan
  bool m_bIndexValid = false;                  // the index matches m_numbered
  std::vector<std::pair<CBlockObj*, int>> m_numbered;  // per block in list order, the power bus first
  unsigned long long m_nBlockListChanges = 0;          // the block list's change count m_numbered holds for
  // The link generation and what it rests on: per block in list order (the
  // power bus first) its type, input count, first linked pin and input links.
  // Compared at most once per scan.
  static constexpr int kLinkSources = 10;  // kMaxInputPins
  static constexpr size_t kLinkWords = 3 + kLinkSources;
  mutable std::vector<int> m_links;
  mutable bool m_bLinksValid = false;    // m_nLinkGeneration matches m_links and m_numbered
  mutable bool m_bLinksChecked = false;  // compared in this scan
  mutable bool m_bLinksAsked = false;    // a block asked in this scan
  mutable unsigned long long m_nLinkGeneration = 0;
  std::vector<CBlockObj*> m_direct;
  std::vector<int> m_used;
  std::unordered_map<int, CBlockObj*> m_other;
  std::vector<CBlockObj*> m_latched;  // scratch of a scan: blocks with restart requests
};
