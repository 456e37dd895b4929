#include "pages/sim_page.h"

#include <algorithm>

#include "blocks/analog_range_tracer.h"
#include "model/block_codes.h"
#include "model/zarad_doc.h"
#include "platform/string_table.h"

namespace {

constexpr int kAnalogLimit = 32767;
constexpr int kDigitalLimit = 9999;
constexpr int kAnalogShift = 60;  // dialog units the fields move up without the behaviour choice

// The template: the behaviour choice on top, then the range fields; an
// analog input's fields move up into the choice's place.
PageDesc MakeDesc(int shift) {
  using K = ControlKind;
  const UINT radio = shift ? kStyleHidden : 0;
  auto y = [shift](int top) { return top - shift; };
  return PageDesc{
      CSimulation::kTemplate,
      u"Simulation",
      CSize(240, 150 - shift),
      {
          {CSimulation::kIdSwitch, K::kRadio, u"Switch", CRect(14, 8, 200, 20), kStyleGroup | radio},
          {CSimulation::kIdMake, K::kRadio, u"Momentary PushButton(make)", CRect(14, 22, 200, 34), radio},
          {CSimulation::kIdBreak, K::kRadio, u"Momentary PushButton(break)", CRect(14, 36, 200, 48), radio},
          {CSimulation::kIdFrequency, K::kRadio, u"Frequency", CRect(14, 50, 200, 62), radio},
          {CSimulation::kIdAutoRange, K::kCheck, u"Automatic Range Of Values", CRect(14, y(72), 200, y(84))},
          {CSimulation::kIdCurrentLabel, K::kStatic, u"Current Value", CRect(14, y(92), 90, y(102))},
          {CSimulation::kIdCurrent, K::kEdit, u"", CRect(94, y(90), 150, y(103)), kStyleRight},
          {CSimulation::kIdCurrentSpin,
           K::kSpin,
           u"",
           CRect(150, y(90), 160, y(103)),
           0,
           {},
           CSimulation::kIdCurrent},
          {CSimulation::kIdButton1, K::kButton, u"I", CRect(164, y(90), 176, y(103)), kStyleNoTabStop},
          {CSimulation::kIdMinLabel, K::kStatic, u"Minimum Value", CRect(14, y(110), 90, y(120))},
          {CSimulation::kIdMin, K::kEdit, u"", CRect(94, y(108), 150, y(121)), kStyleRight},
          {CSimulation::kIdMinSpin,
           K::kSpin,
           u"",
           CRect(150, y(108), 160, y(121)),
           0,
           {},
           CSimulation::kIdMin},
          {CSimulation::kIdButton2, K::kButton, u"I", CRect(164, y(108), 176, y(121)), kStyleNoTabStop},
          {CSimulation::kIdMaxLabel, K::kStatic, u"Maximum Value", CRect(14, y(128), 90, y(138))},
          {CSimulation::kIdMax, K::kEdit, u"", CRect(94, y(126), 150, y(139)), kStyleRight},
          {CSimulation::kIdMaxSpin,
           K::kSpin,
           u"",
           CRect(150, y(126), 160, y(139)),
           0,
           {},
           CSimulation::kIdMax},
          {CSimulation::kIdButton3, K::kButton, u"I", CRect(164, y(126), 176, y(139)), kStyleNoTabStop},
      }};
}

}  // namespace

CSimulation::CSimulation(int type) : m_nBlockType(type) {
  m_strTitle = Describe().caption;
  m_nBehaviour = kModeFrequency;
  m_nMax = 0;
}

const PageDesc& CSimulation::Describe() const {
  static const PageDesc digital = MakeDesc(0);
  static const PageDesc analog = MakeDesc(kAnalogShift);
  return IsAnalog() ? analog : digital;
}

CString CSimulation::RangeTip(int a, int b) {
  CString text;
  const CString format = LoadString(376);
  text.Format(format.GetString(), std::min(a, b), std::max(a, b));
  return text;
}

void CSimulation::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdAutoRange, m_bAutoRange);
  DDX_Text(dx, kIdCurrent, m_nValue);
  DDX_Text(dx, kIdMin, m_nMin);
  DDX_Text(dx, kIdMax, m_nMax);
  if (!IsAnalog()) DDX_Radio(dx, {kIdSwitch, kIdMake, kIdBreak, kIdFrequency}, m_nBehaviour);
}

void CSimulation::OnInitDialog() {
  CParamPage::OnInitDialog();
  m_bValueEdited = 0;
  CControlHost& host = Host();
  const int limit = IsAnalog() ? kAnalogLimit : kDigitalLimit;
  const int low = IsAnalog() ? -kAnalogLimit : 0;
  for (int spin : {kIdCurrentSpin, kIdMinSpin, kIdMaxSpin}) host.SetRange(spin, low, limit);
  for (int edit : {kIdCurrent, kIdMin, kIdMax}) host.LimitText(edit, IsAnalog() ? 6 : 4);
  // The range the tips name: 0 to 9999, or what the analog blocks the input feeds measure.
  int lo = low, hi = limit;
  if (IsAnalog() && Document() != nullptr) {
    if (CBlockObj* block = Document()->FindBlockByNumber(m_nBlockNumber))
      CAnalogRangeTracer(Document()).GetAnalogInputRange(block, &hi, &lo);
  }
  host.SetTipProvider(kIdCurrent, [this] { return RangeTip(EditNumber(kIdMin), EditNumber(kIdMax)); });
  host.SetTip(kIdMin, RangeTip(lo, hi));
  host.SetTip(kIdMax, RangeTip(lo, hi));
  if (!IsAnalog()) {
    UpdateModeControls();
  } else {
    m_nBehaviour = kModeFrequency;
  }
  EnableRangeControls(m_bAutoRange != 0);
}

int CSimulation::EditNumber(int id) const {
  CString text = Host().GetText(id);
  text.Trim();
  return text.IsEmpty() ? 0 : std::atoi(text.ToUtf8().c_str());
}

void CSimulation::UpdateModeControls() {
  CControlHost& host = Host();
  const int radios[4] = {kIdSwitch, kIdMake, kIdBreak, kIdFrequency};
  for (int i = 0; i < 4; ++i) host.SetCheck(radios[i], i == m_nBehaviour ? 1 : 0);
  const bool frequency = m_nBehaviour == kModeFrequency;
  for (int id : {kIdCurrentLabel, kIdCurrent, kIdCurrentSpin, kIdAutoRange}) host.Enable(id, frequency);
}

void CSimulation::EnableRangeControls(bool autoRange) {
  const bool on = !autoRange && m_nBehaviour == kModeFrequency;
  for (int id : {kIdMinLabel, kIdMin, kIdMinSpin, kIdMaxLabel, kIdMax, kIdMaxSpin}) Host().Enable(id, on);
}

void CSimulation::OnMode(int mode) {
  m_nBehaviour = mode;
  SetModified();
  UpdateModeControls();
  EnableRangeControls(mode == kModeFrequency ? m_bAutoRange != 0 : true);
}

void CSimulation::Clamp(int id) {
  if (m_nBlockType != kTypeAnalogInput) return;
  CString text = Host().GetText(id);
  text.Trim();
  if (text.IsEmpty() || text == u"-") return;
  const long v = std::atol(text.ToUtf8().c_str());
  if (v < -kAnalogLimit || v > kAnalogLimit) {
    CString clamped;
    clamped.Format(u"%d", v < 0 ? -kAnalogLimit : kAnalogLimit);
    Host().SetText(id, clamped);
  }
}

void CSimulation::OnNotify(int id, Notify code) {
  if (code == Notify::kUpdate && (id == kIdCurrent || id == kIdMin || id == kIdMax)) return Clamp(id);
  if (code == Notify::kChange) {
    if (id == kIdCurrent) {
      if (EditNumber(kIdCurrent) != m_nValue) m_bValueEdited = 1;
      return SetModified();
    }
    if (id == kIdMin || id == kIdMax) return SetModified();
  }
  if (code == Notify::kClicked) {
    switch (id) {
      case kIdSwitch:
        return OnMode(0);
      case kIdMake:
        return OnMode(1);
      case kIdBreak:
        return OnMode(2);
      case kIdFrequency:
        return OnMode(kModeFrequency);
      case kIdAutoRange:
        SetModified();
        m_bAutoRange = Host().GetCheck(kIdAutoRange);
        return EnableRangeControls(m_bAutoRange != 0);
      default:
        break;
    }
  }
  CParamPage::OnNotify(id, code);
}

void CSimulation::OnOK() {
  m_bValueEdited = 0;
}

void CSimulation::LoadValues(const BlockPageValues& values) {
  static_cast<SimValues&>(*this) = values.sim;
  if (values.m_nType != 0) m_nBlockType = values.m_nType;
  m_nBlockNumber = values.pattern.m_nBlockNumber;
  if (IsAnalog()) m_nBehaviour = kModeFrequency;
}

void CSimulation::StoreValues(BlockPageValues& values) const {
  values.sim = *this;
}
