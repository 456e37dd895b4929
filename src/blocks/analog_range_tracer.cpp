#include "blocks/analog_range_tracer.h"

#include <algorithm>
#include <cmath>

#include "blocks/analog_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"

namespace {

constexpr int kAutoMin = 0;  // automatic range without (agreeing) consumers
constexpr int kAutoMax = 1000;
constexpr int kDigitalMax = 9999;  // automatic range of digital inputs and keys
constexpr int kNoConsumerMin = -32767;
constexpr int kNoConsumerMax = 32767;
constexpr int kMaxWalkSteps = 100000;  // a walk through a diagram of diamonds ends in bounded time

struct Range {
  int lo;
  int hi;
};

Range Ordered(int a, int b) {
  return {std::min(a, b), std::max(a, b)};
}

bool Is(const CBlockObj* b, const CRuntimeClass* cls) {
  return b->IsKindOf(cls);
}

bool IsConsumerType(int type) {
  return (type >= 803 && type <= 807) || type == 818 || type == 819;
}

// The analog input pin of a consumer: Ax, or the watchdog's and PWM's pin 1,
// the PI controller's pin 2.
int AnalogInputPin(int type) {
  if (type == 806 || type == 819) return 1;
  if (type == 818) return 2;
  return 0;
}

Range MeasuringRange(const CBlockObj* consumer) {
  const auto* a = static_cast<const CBlockAnalog*>(consumer);
  return Ordered(a->m_nRangeMin, a->m_nRangeMax);
}

// Several consumers agree when each has the first one's sensor kind and range fields.
bool ConsumersAgree(const std::vector<CBlockObj*>& consumers) {
  const auto* first = static_cast<const CBlockAnalog*>(consumers.front());
  return std::all_of(consumers.begin(), consumers.end(), [first](const CBlockObj* c) {
    const auto* a = static_cast<const CBlockAnalog*>(c);
    return a->m_nSensor == first->m_nSensor && a->m_nRangeMin == first->m_nRangeMin &&
           a->m_nRangeMax == first->m_nRangeMax;
  });
}

// Rounds half away from zero by the first decimal and truncates toward zero.
int RoundRaw(double x) {
  if (!std::isfinite(x)) return 0;
  x = std::clamp(x, -2147483000.0, 2147483000.0);
  const double magnitude = std::fabs(x);
  double whole = std::trunc(magnitude);
  if (magnitude != 0.0 && std::fmod(std::floor(magnitude * 10.0), 10.0) >= 5.0) whole += 1.0;
  return static_cast<int>(x < 0 ? -whole : whole);
}

// (value - lo) * scale / (hi - lo), or 0 over a range of zero width.
double Fraction(int value, Range r) {
  if (r.hi == r.lo) return 0.0;
  return (static_cast<double>(value) - r.lo) / (static_cast<double>(r.hi) - r.lo);
}

// The ladder operand setting of a contact as the four fields of the block; the
// entry is made (behaviour 0) when missing.
AnalogSimSetting* OperandSetting(CZaradDoc* doc, const CBlockObj* contact, bool create) {
  if (AnalogSimSetting* s = FindOperandSimSetting(doc, contact->m_nOperand)) return s;
  if (!create || doc == nullptr || contact->m_nOperand < 0) return nullptr;
  return &doc->m_analogSimSettings[static_cast<UINT>(contact->m_nOperand)];
}

void LoadSetting(CZaradDoc* doc, CBlockObj* contact) {
  if (const AnalogSimSetting* s = OperandSetting(doc, contact, false)) {
    contact->m_bAutoRange = s->nValues[kSimSettingAuto];
    contact->m_nSimValue = s->nValues[kSimSettingValue];
    contact->m_nMinValue = s->nValues[kSimSettingMin];
    contact->m_nMaxValue = s->nValues[kSimSettingMax];
  }
}

void StoreSetting(CZaradDoc* doc, const CBlockObj* contact) {
  if (AnalogSimSetting* s = OperandSetting(doc, contact, true)) {
    s->nValues[kSimSettingAuto] = contact->m_bAutoRange;
    s->nValues[kSimSettingValue] = contact->m_nSimValue;
    s->nValues[kSimSettingMin] = contact->m_nMinValue;
    s->nValues[kSimSettingMax] = contact->m_nMaxValue;
  }
}

void StoreRange(CBlockObj* block, Range r) {
  block->m_nMinValue = r.lo;
  block->m_nMaxValue = r.hi;
  block->m_nSimValue = std::clamp(block->m_nSimValue, r.lo, r.hi);
}

}  // namespace

AnalogSimSetting* FindOperandSimSetting(CZaradDoc* doc, int operand) {
  if (doc == nullptr || operand < 0) return nullptr;
  auto it = doc->m_analogSimSettings.find(static_cast<UINT>(operand));
  return it == doc->m_analogSimSettings.end() ? nullptr : &it->second;
}

void CAnalogRangeTracer::CollectAnalogConsumers(CBlockObj* block, int* count) {
  m_onPath.clear();
  m_nSteps = 0;
  Collect(block, count);
}

int CAnalogRangeTracer::CollectFrom(CBlockObj* block) {
  m_analogConsumers.clear();
  int count = 0;
  CollectAnalogConsumers(block, &count);
  return count;
}

void CAnalogRangeTracer::Collect(CBlockObj* block, int* count) {
  if (block == nullptr || ++m_nSteps > kMaxWalkSteps) return;
  const bool consumer = IsConsumerType(block->m_nType) && Is(block, RUNTIME_CLASS(CBlockAnalog));
  if (!consumer && !Is(block, RUNTIME_CLASS(CBlockAnalogIn)) && !Is(block, RUNTIME_CLASS(CBlockAnalogOut)) &&
      !Is(block, RUNTIME_CLASS(CBlockAnalogFlag)) && !Is(block, RUNTIME_CLASS(CBlockAContact)) &&
      !Is(block, RUNTIME_CLASS(CBlockAOutLAD))) {
    return;  // connector halves and every other kind end the walk
  }
  if (!m_onPath.insert(block).second) return;  // a loop of wires or coils
  if (consumer) {
    if (block->m_nSource[AnalogInputPin(block->m_nType)] == LINK_OPEN) {
      WalkOutput(block, count);  // its analog input is open: it passes the walk on
    } else {
      m_analogConsumers.push_back(block);
      ++*count;
    }
  } else if (Is(block, RUNTIME_CLASS(CBlockAOutLAD))) {
    // The analog contacts that read the coil.
    if (m_pDoc != nullptr) {
      for (CBlockObj* b : m_pDoc->m_blocks) {
        if (b != block && b->m_nOperand == block->m_nNumber) Collect(b, count);
      }
    }
  } else {
    WalkOutput(block, count);
  }
  m_onPath.erase(block);
}

void CAnalogRangeTracer::WalkOutput(CBlockObj* block, int* count) {
  if (m_pDoc == nullptr) return;
  const bool ladder = m_pDoc->IsLadder();
  std::vector<const CBlockObj*> comparators;  // a comparator fed on Ax and Ay is walked once
  auto walk = [&](CConnectLineObj* w) {
    CBlockObj* far = nullptr;
    int farPin = -1;
    if (w->m_pStartBlock == block && w->m_nStartPin == kFirstOutputPin) {
      far = w->m_pEndBlock;
      farPin = w->m_nEndPin;
    } else if (w->m_pEndBlock == block && w->m_nEndPin == kFirstOutputPin) {
      far = w->m_pStartBlock;
      farPin = w->m_nStartPin;
    }
    if (far == nullptr || far == block || farPin < 0 || farPin >= kFirstOutputPin) return;
    if (Is(far, ladder ? RUNTIME_CLASS(CBlockAContact) : RUNTIME_CLASS(CBlockAnalogIn))) return;
    if (far->m_nType == 803) {
      if (std::find(comparators.begin(), comparators.end(), far) != comparators.end()) return;
      comparators.push_back(far);
    }
    Collect(far, count);
  };
  // The document's index holds the same wires in the same order, where it lends one.
  if (COutputWireIndex* index = m_pDoc->m_pOutputWires) {
    for (CConnectLineObj* w : index->Of(*m_pDoc, block)) walk(w);
  } else {
    for (CConnectLineObj* w : m_pDoc->m_connections) walk(w);
  }
}

void CAnalogRangeTracer::UpdateAnalogInputRange(CBlockObj* block, bool simulating) {
  if (block == nullptr) return;
  const bool analogContact = Is(block, RUNTIME_CLASS(CBlockAContact));
  if (Is(block, RUNTIME_CLASS(CBlockIn)) || Is(block, RUNTIME_CLASS(CBlockFKey)) ||
      Is(block, RUNTIME_CLASS(CBlockMake))) {
    const bool contact = Is(block, RUNTIME_CLASS(CBlockMake));
    if (contact) LoadSetting(m_pDoc, block);
    StoreRange(block, block->m_bAutoRange ? Range{kAutoMin, kDigitalMax}
                                          : Ordered(block->m_nMinValue, block->m_nMaxValue));
    if (contact) StoreSetting(m_pDoc, block);
    return;
  }
  if (!analogContact && !Is(block, RUNTIME_CLASS(CBlockAnalogIn))) return;

  if (analogContact) LoadSetting(m_pDoc, block);
  const int count = CollectFrom(block);
  const Range own = Ordered(block->m_nMinValue, block->m_nMaxValue);
  const bool autoRange = block->m_bAutoRange != 0;
  const bool agree = count > 0 && ConsumersAgree(m_analogConsumers);
  const Range k = count > 0 ? MeasuringRange(m_analogConsumers.front()) : Range{kAutoMin, kAutoMax};
  const bool overlap = own.lo <= k.hi && k.lo <= own.hi;
  const Range meet{std::max(own.lo, k.lo), std::min(own.hi, k.hi)};
  Range r = own;
  if (count == 0 || !agree) {
    r = autoRange ? Range{kAutoMin, kAutoMax} : own;
  } else if (autoRange) {
    r = k;
  } else if (count == 1) {
    r = overlap ? meet : k;
  } else if (own.lo >= k.hi) {
    r = {k.hi, k.hi};
  } else if (own.hi <= k.lo) {
    r = {k.lo, k.lo};
  } else {
    r = meet;
  }
  StoreRange(block, r);
  if (analogContact) StoreSetting(m_pDoc, block);
  if (!simulating) return;

  double x = 0.0;
  if (count > 0 && agree) {
    const double f = Fraction(block->m_nSimValue, k);
    x = static_cast<const CBlockAnalog*>(m_analogConsumers.front())->m_nSensor == 2 ? 200.0 + 800.0 * f
                                                                                    : 1000.0 * f;
  } else {
    x = 1000.0 * Fraction(block->m_nSimValue, r);
  }
  block->m_nWordValue = RoundRaw(x);
}

void CAnalogRangeTracer::GetAnalogInputRange(CBlockObj* block, int* pMax, int* pMin) {
  if (block == nullptr || pMax == nullptr || pMin == nullptr) return;
  if (!Is(block, RUNTIME_CLASS(CBlockAnalogIn)) && !Is(block, RUNTIME_CLASS(CBlockAContact))) return;
  const int count = CollectFrom(block);
  if (count == 0 || !ConsumersAgree(m_analogConsumers)) {
    *pMin = kNoConsumerMin;
    *pMax = kNoConsumerMax;
    return;
  }
  const Range k = MeasuringRange(m_analogConsumers.front());
  *pMin = k.lo;
  *pMax = k.hi;
}
