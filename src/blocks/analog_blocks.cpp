#include "blocks/analog_blocks.h"

#include <cmath>

#include "blocks/block_draw.h"
#include "blocks/block_scan_steps.h"
#include "blocks/block_slots.h"
#include "model/block_eval.h"
#include "model/block_registry.h"
#include "model/view_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"

namespace {

constexpr int kFemaleType = 901;  // female connector half

}  // namespace

IMPLEMENT_SERIAL(CBlockAnalog, CBlockObj, 0)

CBlockAnalog::CBlockAnalog() = default;

CBlockAnalog::CBlockAnalog(int typeCode, int inputCount, const BlockContext& ctx)
    : CBlockObj(typeCode, inputCount, ctx) {
  m_nMinValue = -20000;
  m_nMaxValue = 20000;
}

void CBlockAnalog::Serialize(CArchive& ar) {
  CBlockObj::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_nSensor << m_nRangeMin << m_nRangeMax;
    ar << m_dGain;
    ar << m_nOffset << m_nThreshold1 << m_nThreshold2 << m_nPoint << m_nOption1 << m_nOption2;
    ar << m_nOption3 << m_dKc << m_nOption4 << m_nTiMinutes << m_nTiSeconds << m_nSelect;
    return;
  }
  ar >> m_nSensor >> m_nRangeMin >> m_nRangeMax;
  ar >> m_dGain;
  ar >> m_nOffset >> m_nThreshold1 >> m_nThreshold2 >> m_nPoint >> m_nOption1 >> m_nOption2;
  if (m_nLoadedSchema == 0) return;  // older records end here: the PI group keeps its defaults
  if (m_nLoadedSchema != 1)
    ar.ThrowException(CArchiveException::badSchema, GetRuntimeClass()->m_lpszClassName);
  ar >> m_nOption3 >> m_dKc >> m_nOption4 >> m_nTiMinutes >> m_nTiSeconds >> m_nSelect;
}

void CBlockAnalog::CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) {
  CBlockObj::CopyTo(target, withGeometry, doc);
  auto* t = DYNAMIC_DOWNCAST(CBlockAnalog, target);
  if (t == nullptr) return;
  t->m_nSensor = m_nSensor;
  t->m_nRangeMin = m_nRangeMin;
  t->m_nRangeMax = m_nRangeMax;
  t->m_dGain = m_dGain;
  t->m_nOffset = m_nOffset;
  t->m_nThreshold1 = m_nThreshold1;
  t->m_nThreshold2 = m_nThreshold2;
  t->m_nPoint = m_nPoint;
  t->m_nOption1 = m_nOption1;
  t->m_nOption2 = m_nOption2;
  if (IsKindOf(RUNTIME_CLASS(CBlockPI))) {
    t->m_nOption3 = m_nOption3;
    t->m_dKc = m_dKc;
    t->m_nOption4 = m_nOption4;
    t->m_nTiMinutes = m_nTiMinutes;
    t->m_nTiSeconds = m_nTiSeconds;
    t->m_nSelect = m_nSelect;
  } else if (IsKindOf(RUNTIME_CLASS(CBlockPWM))) {
    t->m_nSelect = m_nSelect;
  }
}

// ---- Scaling and clamps ---------------------------------------------------------

int CBlockAnalog::Scale(double x) const {
  double r = x * m_dGain + m_nOffset;
  if (std::isnan(r)) return 0;
  if (r != 0.0 && std::isfinite(r)) {
    // Half away from zero by the first decimal digit.
    const double tenths = std::fmod(std::trunc(r * 10.0), 10.0);
    if (std::fabs(tenths) >= 5.0) r += r > 0.0 ? 1.0 : -1.0;
  }
  return ClampAnalog(r);
}

int CBlockAnalog::ClampAnalog(double v) {
  if (std::isnan(v)) return 0;
  if (v > kAnalogLimit) return kAnalogLimit;
  if (v < -kAnalogLimit) return -kAnalogLimit;
  return static_cast<int>(v);
}

bool CBlockAnalog::HasDigitalOutput() const {
  return IsKindOf(RUNTIME_CLASS(CBlockACOMP)) || IsKindOf(RUNTIME_CLASS(CBlockATHTRG)) ||
         IsKindOf(RUNTIME_CLASS(CBlockAWDOG)) || IsKindOf(RUNTIME_CLASS(CBlockADTRG));
}

std::vector<CString> CBlockAnalog::GetValueBoxLines() const {
  std::vector<CString> lines = {FormatString(u"%-6ld", static_cast<long>(m_nResult))};
  if (IsKindOf(RUNTIME_CLASS(CBlockADTRG))) {
    lines.push_back(FormatString(u"%-6d", TruncToInt(static_cast<double>(m_nThreshold1) + m_nThreshold2)));
  } else if (IsKindOf(RUNTIME_CLASS(CBlockAWDOG))) {
    lines.push_back(FormatString(u"%-6ld", static_cast<long>(m_nEnableValue)));
  }
  return lines;
}

// ---- The scan -------------------------------------------------------------------

BOOL CBlockAnalog::Simulate(CViewContext* view) {
  const CRuntimeClass* cls = GetRuntimeClass();
  if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockACOMP))) {
    SimulateComparator(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockATHTRG))) {
    SimulateThresholdTrigger(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockAAMP))) {
    SimulateAmplifier(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockAWDOG))) {
    SimulateWatchdog(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockADTRG))) {
    SimulateDifferentialTrigger(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockAMUX))) {
    SimulateMultiplexer(view);
  } else if (cls->IsDerivedFrom(RUNTIME_CLASS(CBlockAMATH))) {
    SimulateFormula(view);
  }
  scan_steps::UpdateContacts(*this, view);
  return 1;
}

void CBlockAnalog::DrawSimulated(CViewContext* view, CDC* dc) {
  Draw(view, dc, 1, HasDigitalOutput() ? OutputStateColour(m_nValue[kFirstOutputPin]) : kDrawBlack);
  DrawValueBox(dc, view);
}

int CBlockAnalog::ScaledInput(CViewContext* view, int pin) const {
  short word = 0;
  GetInputWord(&word, pin, view);
  return Scale(word);
}

void CBlockAnalog::UpdateThresholds() {
  if (m_pRef[0] != nullptr) m_nThreshold1 = ClampAnalog(scan_steps::ReferencedValue(*this, 0));
  if (m_pRef[1] != nullptr) m_nThreshold2 = ClampAnalog(scan_steps::ReferencedValue(*this, 1));
}

int CBlockAnalog::ThresholdOutput() const {
  return scan_steps::ThresholdOutput(m_nResult, m_nThreshold1, m_nThreshold2, false,
                                     m_nValue[kFirstOutputPin]);
}

void CBlockAnalog::SimulateComparator(CViewContext* view) {
  m_nScaledX = ScaledInput(view, 0);
  m_nScaledY = ScaledInput(view, 1);
  m_nResult = ClampAnalog(static_cast<double>(m_nScaledX) - m_nScaledY);
  UpdateThresholds();
  scan_steps::SetOutput(*this, view, ThresholdOutput());
}

void CBlockAnalog::SimulateThresholdTrigger(CViewContext* view) {
  m_nResult = m_nScaledX = ScaledInput(view, 0);
  UpdateThresholds();
  scan_steps::SetOutput(*this, view, ThresholdOutput());
}

int CBlockAnalog::UpstreamAnalogResult(CViewContext* view) const {
  const CZaradDoc* doc = view->GetDocument();
  if (doc == nullptr) return 0;
  // A chain of blocks that are not analog functions may close on itself: the
  // walk gives up after as many steps as the document has blocks.
  const int limit = static_cast<int>(doc->m_blocks.GetCount());
  CBlockObj* block = FindLinkedBlock(view, m_nSource[0]);
  for (int steps = 0; block != nullptr && steps <= limit; ++steps) {
    if (const auto* analog = DYNAMIC_DOWNCAST(CBlockAnalog, block)) return analog->m_nResult;
    if (block->m_nType == kFemaleType) {
      const CBlockObj* male = view->FindBlock(block->m_nNumber - kFemaleNumberOffset);
      block = male != nullptr ? FindLinkedBlock(view, male->m_nSource[0]) : nullptr;
    } else {
      block = FindLinkedBlock(view, block->m_nSource[0]);
    }
  }
  return 0;
}

void CBlockAnalog::SimulateAmplifier(CViewContext* view) {
  m_nResult = m_nScaledX = ScaledInput(view, 0);
  // Whether the links lead back here rests on the links alone: the walk runs
  // again only when they may have changed.
  const unsigned long long generation = view ? view->GetLinkGeneration() : 0;
  if (generation == 0 || generation != m_nWalkGeneration) {
    m_bLoop = 0;
    m_pWalkStart = this;
    int count = 0;
    WalkConnections(view, this, m_nFirstLinkedPin, &count);
    m_bWalkFoundLoop = m_bLoop != 0;
    m_nWalkGeneration = generation;
    m_bLoop = 0;
    m_pWalkStart = nullptr;
  }
  if (m_bWalkFoundLoop) m_nResult = Scale(UpstreamAnalogResult(view));
}

void CBlockAnalog::SimulateWatchdog(CViewContext* view) {
  enum { kEn = 0 };
  m_nResult = m_nScaledX = ScaledInput(view, 1);
  ReadInputs(view);
  const bool enabled = m_nValue[kEn] == 1;
  if (m_bChanged[kEn]) {
    m_nEnableValue = enabled ? m_nResult : 0;
    m_bChanged[kEn] = 0;
  }
  if (!enabled) {
    scan_steps::SetOutput(*this, view, 0);
    return;
  }
  UpdateThresholds();
  const long long value = m_nResult;
  const bool below = value < static_cast<long long>(m_nEnableValue) - m_nThreshold2;
  const bool above = value > static_cast<long long>(m_nEnableValue) + m_nThreshold1;
  scan_steps::SetOutput(*this, view, below || above ? 1 : 0);
}

void CBlockAnalog::SimulateDifferentialTrigger(CViewContext* view) {
  m_nResult = m_nScaledX = ScaledInput(view, 0);
  const long long t = m_nThreshold1;
  const long long delta = m_nThreshold2;
  const long long r = m_nResult;
  int out = m_nValue[kFirstOutputPin];
  if (delta > 0) {
    out = t <= r && r < t + delta ? 1 : 0;
  } else if (r > t) {
    out = 1;
  } else if (r <= t + delta) {
    out = 0;
  }
  scan_steps::SetOutput(*this, view, out);
}

void CBlockAnalog::SimulateMultiplexer(CViewContext* view) {
  enum { kEn = 0, kS1 = 1, kS2 = 2 };
  ReadInputs(view);
  if (m_nValue[kEn] != 1) {
    m_nResult = 0;
    return;
  }
  const int index = (m_nValue[kS1] == 1 ? 2 : 0) + (m_nValue[kS2] == 1 ? 1 : 0);
  const int constants[4] = {m_nParam10, m_nParam15, m_nParam20, m_nParam22};
  m_nResult =
      m_pRef[index] != nullptr ? ClampAnalog(scan_steps::ReferencedValue(*this, index)) : constants[index];
}

void CBlockAnalog::SimulateFormula(CViewContext* view) {
  enum { kEn = 0 };
  ReadInputs(view);
  if (m_nValue[kEn] != 1) {
    if (m_nParam25 == 0) m_nResult = 0;
    return;
  }
  // Referenced values replace the stored constants.
  int* const values[4] = {&m_nParam10, &m_nParam15, &m_nParam20, &m_nParam22};
  for (int k = 0; k < kRefCount; ++k) {
    if (m_pRef[k] != nullptr) *values[k] = ClampAnalog(scan_steps::ReferencedValue(*this, k));
  }
  // The fields that BuildFormulaText reads.
  const std::array<int, 10> fields = {m_nParam9,  m_nParam10, m_nParam11, m_nParam14, m_nParam15,
                                      m_nParam16, m_nParam19, m_nParam20, m_nParam21, m_nParam22};
  if (m_bFormulaKept && fields == m_formulaFields) {
    m_nResult = m_nFormulaResult;
    return;
  }
  EvaluateFormula();
  m_formulaFields = fields;
  m_nFormulaResult = m_nResult;
  m_bFormulaKept = true;
}

IMPLEMENT_SERIAL(CBlockACOMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockACOMP::CBlockACOMP() {
  m_byCaps = kCaps;
}

CBlockACOMP::CBlockACOMP(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 3, ctx) {
  PresetImage(*this, 24, 8, {kKeepLink, kKeepLink, LINK_PARAM, 71, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockATHTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockATHTRG::CBlockATHTRG() {
  m_byCaps = kCaps;
}

CBlockATHTRG::CBlockATHTRG(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 2, ctx) {
  PresetImage(*this, 16, 7, {kKeepLink, LINK_PARAM, 71, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAAMP::CBlockAAMP() {
  m_byCaps = kCaps;
}

CBlockAAMP::CBlockAAMP(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 2, ctx) {
  PresetImage(*this, 12, 5, {kKeepLink, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAWDOG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAWDOG::CBlockAWDOG() {
  m_byCaps = kCaps;
}

CBlockAWDOG::CBlockAWDOG(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 3, ctx) {
  PresetImage(*this, 20, 7, {kKeepLink, kKeepLink, LINK_PARAM, 72, 73, 74, LINK_EMPTY});
  m_nParam1 = 0;
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockADTRG, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockADTRG::CBlockADTRG() {
  m_byCaps = kCaps;
}

CBlockADTRG::CBlockADTRG(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 2, ctx) {
  PresetImage(*this, 16, 7, {kKeepLink, LINK_PARAM, 75, 72, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAMATH, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAMATH::CBlockAMATH() {
  m_byCaps = kCaps;
}

CBlockAMATH::CBlockAMATH(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 2, ctx) {
  PresetImage(*this, 20, 11, {kKeepLink, LINK_PARAM, 70, 71, 73, 61, 62, 63, 64, 74, LINK_EMPTY});
  m_nParam16 = 1;  // priority of the second operator
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAMUX, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAMUX::CBlockAMUX() {
  m_byCaps = kCaps;
}

CBlockAMUX::CBlockAMUX(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 4, ctx) {
  PresetImage(*this, 20, 9, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 70, 71, 73, 74, LINK_EMPTY});
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockARAMP, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockARAMP::CBlockARAMP() {
  m_byCaps = kCaps;
}

CBlockARAMP::CBlockARAMP(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 4, ctx) {
  PresetImage(*this, 28, 12,
              {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 71, 76, 77, 78, 72, 73, 74, LINK_EMPTY});
  m_nParam10 = 10;    // rate
  m_nParam15 = 1000;  // maximum level
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPI, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockPI::CBlockPI() {
  m_byCaps = kCaps;
}

CBlockPI::CBlockPI(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 4, ctx) {
  PresetImage(*this, 28, 14,
              {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 71, 76, 77, 89, 79, 72, 73, 78, 74, LINK_EMPTY});
  m_nParam1 = 1;  // retentive
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockPWM, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockPWM::CBlockPWM() {
  m_nSelect = 4;  // no output channel
  m_byCaps = kCaps;
}

CBlockPWM::CBlockPWM(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 3, ctx) {
  PresetImage(*this, 24, 11, {kKeepLink, kKeepLink, LINK_PARAM, 72, 73, 89, 79, 95, 96, 74, LINK_EMPTY});
  m_nSelect = 4;  // no output channel
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAFILTER, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAFILTER::CBlockAFILTER() {
  m_byCaps = kCaps;
}

CBlockAFILTER::CBlockAFILTER(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 2, ctx) {
  PresetImage(*this, 8, 4, {kKeepLink, LINK_PARAM, 94, LINK_EMPTY});
  m_nParam11 = 3;  // number of samples setting
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockMAXMIN, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockMAXMIN::CBlockMAXMIN() {
  m_byCaps = kCaps;
}

CBlockMAXMIN::CBlockMAXMIN(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 4, ctx) {
  PresetImage(*this, 16, 6, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_nParam18 = 0;  // no reset of max/min
  m_byCaps = kCaps;
}

IMPLEMENT_SERIAL(CBlockAVGVAL, CBlockAnalog, VERSIONABLE_SCHEMA | 1)

CBlockAVGVAL::CBlockAVGVAL() {
  m_byCaps = kCaps;
}

CBlockAVGVAL::CBlockAVGVAL(int typeCode, const BlockContext& ctx) : CBlockAnalog(typeCode, 4, ctx) {
  PresetImage(*this, 16, 6, {kKeepLink, kKeepLink, kKeepLink, LINK_PARAM, 72, LINK_EMPTY});
  m_nParam10 = 1;  // sample time
  m_nParam11 = 0;  // its unit
  m_nParam9 = 1;   // sample count
  m_byCaps = kCaps;
}

// ---- Simulation start ----------------------------------------------------------------

void CBlockAMUX::StartSimulation(const SimEvent& ev) {
  m_nResult = 0;
}

void CBlockAMATH::StartSimulation(const SimEvent& ev) {
  m_nResult = 0;
}

void CBlockAnalog::StartSimulation(const SimEvent& ev) {
  // A scaling function without its input shows its offset.
  auto links = [&](int pin) { return FindLinkedBlock(ev.view, m_nSource[pin]) != nullptr; };
  const int t = m_nType;
  bool shown = false;
  if (((t == 804 || t == 805 || t == 807) && !links(0)) || (t == 806 && !links(1))) {
    m_nResult = m_nScaledX = m_nOffset;
    shown = true;
  } else if (t == 803 && (!links(0) || !links(1))) {
    m_nScaledX = m_nScaledY = m_nOffset;
    m_nResult = 0;
    shown = true;
  }
  if (shown && ev.view) ev.view->ShowCurrentParameterValue(this);
}
