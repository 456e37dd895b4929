// CAnalogRangeTracer: the simulation range of an input. During simulation the
// user sets an analog input in the engineering units of the analog functions
// it feeds (the device itself sees 0..1000); the tracer walks from the input
// down the wires to those functions, derives the input's range from their
// measuring ranges, clamps the simulated value into it and converts it into
// the raw value the scan uses (m_nWordValue). Digital inputs, function keys
// and the ladder contacts on them get the range 0..9999 or their own.
//
// Field use: m_bAutoRange (the range follows the consumers), m_nSimValue,
// m_nMinValue, m_nMaxValue. A ladder contact keeps these per operand in the
// document's m_analogSimSettings {auto, value, minimum, maximum, behaviour}.
#pragma once

#include <unordered_set>
#include <vector>

class CBlockObj;
class CZaradDoc;
struct AnalogSimSetting;

// The five ints of a ladder operand's simulation setting (AnalogSimSetting::nValues).
enum AnalogSimSettingField {
  kSimSettingAuto = 0,  // the range follows the consumers
  kSimSettingValue,     // current value
  kSimSettingMin,       // minimum
  kSimSettingMax,       // maximum
  kSimSettingMode,      // input behaviour (as m_nParam26 of an input)
};

// The simulation setting that a ladder document keeps for an operand; null when none.
AnalogSimSetting* FindOperandSimSetting(CZaradDoc* doc, int operand);

class CAnalogRangeTracer {
 public:
  // The document is not owned and must outlive the tracer.
  explicit CAnalogRangeTracer(CZaradDoc* doc) : m_pDoc(doc) {}

  // Range, clamping and (while simulating) raw value of an analog input or an
  // analog contact; the range and clamping of a digital input, function key
  // or make/break contact. Other blocks are left alone.
  void UpdateAnalogInputRange(CBlockObj* block, bool simulating);
  // The range implied by the consumers of an analog input or analog contact
  // alone: -32767..32767 without consumers or when they differ. Both stay
  // unchanged for any other block.
  void GetAnalogInputRange(CBlockObj* block, int* pMax, int* pMin);
  // Appends the analog functions that block feeds (803-807, 818, 819 with a
  // wired analog input) to the consumer list and counts them.
  void CollectAnalogConsumers(CBlockObj* block, int* count);

  const std::vector<CBlockObj*>& Consumers() const { return m_analogConsumers; }

 private:
  // Empties the list and collects the consumers of block afresh.
  int CollectFrom(CBlockObj* block);
  void Collect(CBlockObj* block, int* count);
  void WalkOutput(CBlockObj* block, int* count);

  CZaradDoc* m_pDoc;
  std::vector<CBlockObj*> m_analogConsumers;
  std::unordered_set<const CBlockObj*> m_onPath;  // blocks of the current walk (loop guard)
  int m_nSteps = 0;                               // walk budget of one collection
};
