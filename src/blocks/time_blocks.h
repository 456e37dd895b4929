// Time functions (400-413).
#pragma once

#include "model/block_eval.h"
#include "model/block_obj.h"

// CBlockTime: the common base of the time functions 400-413. It holds the
// timing phases and the weekly timer's cam table, which every time block
// carries in its file record. It has no type code of its own.
// The "%02d:%02d%s" text of an elapsed time in a time base (00:00 for no time).
void FormatElapsedTime(double ms, int timeBase, CString* out);

class CBlockTime : public CBlockObj {
  DECLARE_SERIAL(CBlockTime)

 public:
  void AdvanceStepCycle() override;
  void UpdateValueText(CViewContext* view) override;
  void StartSimulation(const SimEvent& ev) override;
  void FormatTimeText(CViewContext* view, CString* out) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr int kCams = 3;
  static constexpr int kWeekDays = 7;

  CBlockTime();

  // The common block record followed by the cam table (39 ints, the same for
  // every time block).
  void Serialize(CArchive& ar) override;
  // The state colour, then the value box (not for the weekly timer).
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  // Refreshes m_strValueText with the block's time text and paints the box.
  void DrawValueBox(CDC* dc, CViewContext* view) override;

  // Brings m_dValue up to date against the scan time and reports whether the
  // preset of the phase (nonzero: first preset, zero: second) has been passed
  // (strictly exceeded). While paused nothing changes and 0 is returned.
  virtual int UpdateElapsed(CViewContext* view, int onPhase);
  // Makes the shown value equal the preset of the phase; 1 when that changed
  // the shown preset (m_nLastParam, m_nLastInput, m_nLastSelect, m_dLastParam).
  virtual int RefreshPreset(int onPhase);

  // Preset of a phase in milliseconds: the referenced block's value through the
  // cap table in the reference unit, else the constant high:low in its unit.
  // A negative referenced value counts as 0 unless floorAtZero is false.
  double GetPresetMs(int onPhase, bool floorAtZero = true);
  // Time unit of a phase's preset: the reference unit while the phase's
  // reference is set, else the constant's unit (m_nParam11 / m_nParam16).
  int GetPhaseUnit(int onPhase) const;

  // A referenced value in a unit: min(v, largest) steps of g_TimeCapTable;
  // negative values give 0 when floorAtZero is set.
  static double CappedReferenceMs(double value, int unit, bool floorAtZero);

  int m_bTiming = 0;                      // the main timing phase is active
  int m_bSecondPhase = 0;                 // the second timing phase is active
  int m_bPresetShown = 0;                 // the block shows its preset after the timing ended
  int m_nCamDays[kCams][kWeekDays] = {};  // weekly timer: per cam and weekday (Sunday first) 1 = on
  int m_nCamOn[kCams][2] = {};            // per cam: on time as hour, minute
  int m_bCamOnUnset[kCams] = {1, 1, 1};   // 1 = the cam has no on time
  int m_nCamOff[kCams][2] = {};           // per cam: off time as hour, minute
  int m_bCamOffUnset[kCams] = {1, 1, 1};  // 1 = the cam has no off time

 protected:
  // Typed constructor of the subclasses: both presets 0:00 in unit 2, range 0..99.
  CBlockTime(int typeCode, int inputCount, const BlockContext& ctx = {});

  // Shared steps of the subclasses' scans.
  bool InputRose(int pin) const { return m_bChanged[pin] && m_nValue[pin] == 1; }
  bool InputFell(int pin) const { return m_bChanged[pin] && m_nValue[pin] == 0; }
  bool IsPaused() const { return IsStampSet(m_stPause); }
  // Milliseconds from m_stStart to the scan time.
  double ScanMsSinceStart(CViewContext* view) const;
  // m_stStart = now (the child frame's clock) and m_nLatch1 = 1.
  void StampStart(CViewContext* view);
  // Restarting the period: StampStart, m_dValue = 0, m_dElapsedBase = 0.
  void RestartPeriod(CViewContext* view);
  // Sets the output; in a ladder document a change (or force) marks it for the contacts.
  void SetOutput(CViewContext* view, int value, bool forceMark = false);
  // Hands a marked output to the ladder contacts and clears the mark.
  void UpdateContacts(CViewContext* view);
  // Raw size of a preset: the referenced value, else high + low.
  double RawPreset(int onPhase);
  // High + low of a phase's constant preset.
  long long RawConstant(int onPhase) const;
  // The light switches' times in milliseconds, all in the unit of T: the light
  // time T (second preset), the pre-warning time Tw and its duration Tl.
  // Referenced values are capped, not floored.
  void GetWarningTimes(double* t, double* tw, double* tl);

 private:
  // What FormatTimeText shows for the block's class, and in which time base:
  // asked of the class hierarchy once, for the class it was asked for.
  enum class TextBase : signed char {
    kFirstParam,
    kFirst,
    kOnOffDelay,
    kPulseTrain,
    kPulseGenerator,
    kSecond,
    kSwitch
  };
  enum class TextForm : signed char { kElapsed, kDate, kDateAndTime, kNone };
  void FindTextRule(const CRuntimeClass* cls);
  const CRuntimeClass* m_pTextRuleClass = nullptr;
  TextBase m_textBase = TextBase::kFirstParam;
  TextForm m_textForm = TextForm::kElapsed;
};

// On-delay (400).
// The first or second time base a time block uses now (with a reference, the
// base of the referenced preset).
int CurrentTimeBase(const CBlockTime& t, bool second);

class CBlockDPR : public CBlockTime {
  DECLARE_SERIAL(CBlockDPR)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 1; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockDPR();
  explicit CBlockDPR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Off-delay with reset (401).
class CBlockDDR : public CBlockTime {
  DECLARE_SERIAL(CBlockDDR)

 public:
  void ClearKindState(const SimEvent& ev) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 1; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockDDR();
  explicit CBlockDDR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// On-/off-delay (402).
class CBlockMPLR : public CBlockTime {
  DECLARE_SERIAL(CBlockMPLR)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockMPLR();
  explicit CBlockMPLR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Retentive on-delay with reset (403).
class CBlockPLR : public CBlockTime {
  DECLARE_SERIAL(CBlockPLR)

 public:
  void ClearKindState(const SimEvent& ev) override;
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 1; }
  static constexpr BYTE kCaps = 0x0F;

  CBlockPLR();
  explicit CBlockPLR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Wiping relay (pulse output) (404).
class CBlockCPG : public CBlockTime {
  DECLARE_SERIAL(CBlockCPG)

 public:
  void ClearKindState(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockCPG();
  explicit CBlockCPG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Edge-triggered wiping relay (pulse train) (405).
class CBlockRPR : public CBlockTime {
  DECLARE_SERIAL(CBlockRPR)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockRPR();
  explicit CBlockRPR(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;

  int m_nPulseCount = -1;  // pulses completed in the current train, -1 before the first
  int m_nPulseLimit = 0;   // copy of m_nParam17 taken when the train starts
};

// Asynchronous pulse generator (406).
class CBlockAPG : public CBlockTime {
  DECLARE_SERIAL(CBlockAPG)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockAPG();
  explicit CBlockAPG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;

  int m_bLastPhaseOn = 0;  // the pulse phase (not the pause) ran when En last fell
};

// Random on/off delay generator (407).
class CBlockRG : public CBlockTime {
  DECLARE_SERIAL(CBlockRG)

 public:
  void ClearKindState(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x06;

  CBlockRG();
  explicit CBlockRG(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;

  // The random generator times without m_dElapsedBase against the drawn delay,
  // and a delay counts as passed once reached (not only once exceeded).
  int UpdateElapsed(CViewContext* view, int onPhase) override;
  // Draws the delay of a phase: 0 to |preset| - 1 ms from the 15-bit generator.
  void PickDelay(int onPhase);

  int m_nOnDelaySec = 0;  // current random on-delay: seconds and hundredths
  int m_nOnDelayHund = 0;
  int m_nOffDelaySec = 0;  // current random off-delay
  int m_nOffDelayHund = 0;
};

// Stairway lighting switch with pre-warning (408).
class CBlockSLS : public CBlockTime {
  DECLARE_SERIAL(CBlockSLS)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  void CopyKindFieldsTo(CBlockObj& target) const override { CopyUpperReferencesTo(target); }
  static constexpr BYTE kCaps = 0x0F;

  CBlockSLS();
  explicit CBlockSLS(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;

  BYTE m_byWarnState = 0;  // pre-warning: 0 none yet, 1 warning pulse, 2 done

 private:
  // 1 when the pre-warning turns the light off or on again in this scan.
  int PreWarningStep(CViewContext* view, int trigger);
};

// Multiple function switch (409).
class CBlockMFS : public CBlockTime {
  DECLARE_SERIAL(CBlockMFS)

 public:
  void ClearKindState(const SimEvent& ev) override;
  void StartSimulation(const SimEvent& ev) override;
  static constexpr BYTE kCaps = 0x0F;

  CBlockMFS();
  explicit CBlockMFS(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;

  int m_nState = 0;        // 0 idle, 1 held, 2 stairway time, 3 permanent light, 4 expired
  BYTE m_byWarnState = 0;  // pre-warning: 0 none yet, 1 warning pulse, 2 done

 private:
  int PreWarningStep(int trigger);
};

// Weekly timer with three cams (410).
class CBlockWT : public CBlockTime {
  DECLARE_SERIAL(CBlockWT)

 public:
  void UpdateValueText(CViewContext* view) override {}  // no value box
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_nParam4 = m_nParam4; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x06;

  CBlockWT();
  explicit CBlockWT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
  // The base copy, then the whole cam table.
  void CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) override;
  // The cam output at a weekday (0 Sunday) and minute of the day.
  int EvaluateCams(int weekDay, int minuteOfDay) const;
};

// Yearly timer (411).
class CBlockYT : public CBlockTime {
  DECLARE_SERIAL(CBlockYT)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { CopyDateFieldsTo(target); }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x06;

  CBlockYT();
  explicit CBlockYT(int typeCode, const BlockContext& ctx = {});

  BOOL Simulate(CViewContext* view) override;
};

// Astronomical clock (412).
class CBlockAC : public CBlockTime {
  DECLARE_SERIAL(CBlockAC)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { target.m_strMask = m_strMask; }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x0E;

  CBlockAC();
  explicit CBlockAC(int typeCode, const BlockContext& ctx = {});
};

// Stopwatch (413).
class CBlockSW : public CBlockTime {
  DECLARE_SERIAL(CBlockSW)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockSW();
  explicit CBlockSW(int typeCode, const BlockContext& ctx = {});
};
