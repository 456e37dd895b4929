// The analog sensor section of the comparator, ramp, PI and PWM pages: the
// sensor kind of the block's analog input, its measurement range, the gain
// and offset that scale the reading, and for a PT100/PT1000 the temperature
// unit and resolution.
//
// The section keeps range, gain and offset consistent while any one of them
// is edited. What cannot be made exact while typing (a gain that would need
// more than two decimals or lies outside -10..10, a range or an offset
// beyond its limits) is remembered as pending values and settled by
// UpdateSensorScaling on OK, on Apply in simulation and when the sensor kind
// changes.
//
// The arithmetic is in free functions over SensorFields (what the section's
// edits show, held to their limits as the edits hold them) and
// SensorPending; CAnalogSensorPage reads the controls into SensorFields, runs
// them and writes back what changed.
#pragma once

#include "pages/block_param_page.h"

// AnalogSensor: the sensor kind of an analog block's input.
constexpr int SENSOR_0_10V = 0;
constexpr int SENSOR_0_20MA = 1;
constexpr int SENSOR_4_20MA = 2;
constexpr int SENSOR_PT100 = 3;
constexpr int SENSOR_NONE = 4;

namespace sensor {

constexpr int kRangeLower = -10000, kRangeUpper = 20000;
constexpr int kOffsetLower = -10000, kOffsetUpper = 10000;
constexpr double kGainLimit = 10.0;

// Positive values round half up to a multiple of ten; negative values move
// towards zero (-1236 gives -1230).
int RoundToTens(int v);
// RoundToTens(trunc(10 x)) / 10.
int RoundToInteger(double x);

// A gain rounded to two decimals: thousandths = RoundToTens(trunc(1000 x)),
// gain = thousandths x 0.001, rest = the dropped digit (sign of the value).
struct RoundedGain {
  double gain = 0;
  int thousandths = 0;
  int rest = 0;
};
RoundedGain RoundToGain(double x);
// The spin's hundredths of a rounded gain: 1000 above 10, -1000 below -10.
int HundredthsWithinLimits(const RoundedGain& g);
// trunc(1000 g) moved to the nearest multiple of ten, ties away from zero, / 10.
int HundredthsHalfAway(double gain);

// The fixed scaling of a PT100/PT1000 by unit (0 Celsius, 1 Fahrenheit) and
// resolution (0 "x 1", 1 "x 0.1").
struct Pt100Row {
  int min, max;
  double gain;
  int hundredths, offset;
};
Pt100Row Pt100Range(int unit, int resolution);

// The values the section's edits show. The setters hold each value to the
// limits of its edit as the edit's own clamp does.
struct Fields {
  int min = 0, max = 1000, offset = 0, hundredths = 0;
  double gain = 1.0;
  CString gainText = u"1";
  double gainLower = -kGainLimit;  // 0 on the ramp page

  void SetMin(int v);
  void SetMax(int v);
  void SetOffset(int v);
  // The gain written without trailing zeros; beyond the limits the bound as
  // an integer, and the hundredths with it.
  void SetGain(double g);
  // The gain written "%5.2f" (initialisation and the spin).
  void SetGainFixed(double g);
};

// Values computed while typing, settled later. All 0 when nothing waits.
struct Pending {
  int max = 0, min = 0, gainRest = 0, offset = 0;
  double gain = 0;
};

// The members that settling writes besides the controls.
struct Members {
  int rangeMin = 0, rangeMax = 0, offset = 0, hundredths = 0;
  double gain = 0;
};

// The handlers' arithmetic, by the sensor kind the combo shows. Each returns
// false where the kind leaves everything as it is.
bool GainEdited(int kind, Fields& f, Pending& p);
bool OffsetEdited(int kind, Fields& f, Pending& p);
bool RangeMinEdited(int kind, Fields& f, Pending& p);
bool RangeMaxEdited(int kind, Fields& f, Pending& p);
// UpdateSensorScaling: phase 1 (a range computed from the gain was clamped:
// the gain follows the range), phase 2 (a gain computed from the range was
// rounded or limited: the range follows gain and offset).
void Settle(int kind, Fields& f, Pending& p, Members& m);
// The conversion of the values when the kind changes from oldKind to newKind
// (after the layout changed and, from kinds below 4, after settling).
void ConvertKind(int oldKind, int newKind, Fields& f, Pending& p, Members& m, const Pt100Row& pt100);

}  // namespace sensor

class CAnalogSensorPage : public CBlockParamPage, public AnalogValues {
 public:
  static constexpr int kIdSensorLabel = 1295, kIdSensor = 1082;
  static constexpr int kIdRangeGroup = 1083, kIdMinLabel = 1104, kIdMin = 1092, kIdMinSpin = 1094;
  static constexpr int kIdMaxLabel = 1105, kIdMax = 1093, kIdMaxSpin = 1095;
  static constexpr int kIdParamGroup = 1084, kIdGainLabel = 1106, kIdGain = 1021, kIdGainSpin = 1022;
  static constexpr int kIdOffsetLabel = 1107, kIdOffset = 1039, kIdOffsetSpin = 1040;
  static constexpr int kIdHundredths = 1028;
  static constexpr int kIdUnitGroup = 1085, kIdCelsius = 1087, kIdFahrenheit = 1088;
  static constexpr int kIdResolutionGroup = 1086, kIdResolution1 = 1089, kIdResolution01 = 1090;
  static constexpr int kIdDecimalsLabel = 1351;

  // Settles the pending values into the controls and the members (OK, and
  // Apply after the page's data exchange) when the kind is below 4.
  void UpdateSensorScaling();
  sensor::Pending PendingValues() const { return m_pending; }

  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The gain in hundredths that the spin steps (not stored in the block).
  int m_nGainHundredths = 0;

 protected:
  // rampGain: the gain lies in 0..10 and entry 3 reads "PT100".
  explicit CAnalogSensorPage(bool rampGain = false);

  // The section's controls from top (dialog units) down, 92 units high.
  static void AddSensorSection(std::vector<ControlDesc>& controls, int top, bool rampGain);
  // The decimals group: label, edit, spin and preview at (left, top).
  static void AddDecimalsGroup(std::vector<ControlDesc>& controls, int left, int top);

  // Exchange of the section's values in the pages' order: the combo, the
  // range, the hidden hundredths and the gain (the offset follows in the
  // page's own order).
  void ExchangeSensor(CDataExchange& dx);
  void ExchangeGain(CDataExchange& dx);

  // Initialisation: spin ranges, the hundredths (the PI page from
  // thousandths), the PT100 or the normal state.
  void InitSensorSection(bool hundredthsFromThousandths);
  // Range tooltips, the "No sensor" layout and the gain's tooltip.
  void FinishSensorSection();
  void UpdateSensorLayout();
  void ApplyPt100Range();
  void ShowPt100State(bool pt100);
  void OnSensorChange();

  // Digits and a leading minus while typed into an integer edit.
  void FilterInteger(int id, int digits, bool allowMinus);
  // An integer edit held to lower..upper while its text changes.
  void ClampInteger(int id, int lower, int upper);

  sensor::Fields ReadFields() const;
  void WriteFields(const sensor::Fields& before, const sensor::Fields& after);
  sensor::Members MembersNow() const;
  void TakeMembers(const sensor::Members& m);
  int Series() const;

  bool m_bRampGain;
  bool m_bWriting = false;  // the page writes the section's controls itself
  sensor::Pending m_pending;
};
