// Analog functions (803-807, 815-822).
#pragma once

#include <array>
#include <vector>

#include "model/block_obj.h"

class CStringStack;

// CBlockAnalog: the common base of the analog functions 803-807 and 815-822.
// It holds the analog scaling, two thresholds, the PI controller's settings
// and the computed values. It has no type code of its own.
//
// Its record follows the common block record: sensor and range (3 ints), the
// gain (double), offset, thresholds, point and two options (6 ints), then the
// PI group (an int, a double and 4 ints), which records of schema 0 lack. The
// computed values are not stored.
class CBlockAnalog : public CBlockObj {
  DECLARE_SERIAL(CBlockAnalog)

 public:
  void StartSimulation(const SimEvent& ev) override;
  // Analog functions keep their values at Stop and at power return.
  void ResetAtStop(const SimEvent& ev) override {}
  void ResetAtPowerReturn(const SimEvent& ev) override {}
  short GetOutputWord(const BlockLookup& find) const override { return static_cast<short>(m_nResult); }
  short GetAddressedWord() const override { return static_cast<short>(m_nResult); }
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return newerSeries ? kRefCount : 0; }
  static constexpr int kAnalogLimit = 32767;     // scaled values and references: -32767..32767
  static constexpr int kFormulaLow = -32768;     // the formula's result: -32768..32767
  static constexpr int kDivisionByZero = 32767;  // the formula's result for a zero divisor

  CBlockAnalog();

  void Serialize(CArchive& ar) override;
  // One scan of every analog kind: comparator, threshold trigger, amplifier,
  // watchdog, differential trigger, multiplexer and formula evaluate; the
  // ramp, PI controller, PWM, filter, max/min and average only update the
  // contacts.
  BOOL Simulate(CViewContext* view) override;
  // Base copy, then the scaling, range, thresholds and options; a PI
  // controller also its PI group, a PWM its output channel.
  void CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) override;
  // The kinds with a digital output in their state colour, the others in
  // black; then the value box.
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;  // blocks/family_draw.cpp

  // A raw input word scaled by m_dGain and m_nOffset, rounded half away from
  // zero by the first decimal and held to -32767..32767.
  int Scale(double x) const;
  // Held to -32767..32767 and truncated (NaN gives 0): referenced values and
  // differences.
  static int ClampAnalog(double v);
  // The value box lines: "%-6ld" of m_nResult; the differential trigger adds
  // the upper switching point, the watchdog the value captured at En.
  std::vector<CString> GetValueBoxLines() const;
  // Whether the kind has a digital output drawn in its state colour (803, 804, 806, 807).
  bool HasDigitalOutput() const;

  // ---- The analog math formula (analog_math.cpp) ------------------------------
  // Builds the formula's tokens, converts them to postfix and evaluates them
  // into m_nResult.
  void EvaluateFormula();
  // Infix tokens (up to the first empty one) to postfix order; precedence
  // "+" "-" 1, "*" "/" 2, operators of one level associate to the left.
  void InfixToPostfix(const std::vector<CString>& infix, std::vector<CString>* postfix, CStringStack* stack);
  // Evaluates postfix tokens in single precision into m_nResult: rounded half
  // away from zero, held to -32768..32767; a zero divisor gives 32767.
  void EvaluatePostfix(const std::vector<CString>& postfix, CStringStack* stack);

  int m_nSensor = 0;    // sensor selection
  int m_nRangeMin = 0;  // measurement range
  int m_nRangeMax = 1000;
  double m_dGain = 1.0;   // gain applied to analog inputs
  int m_nOffset = 0;      // offset added after the gain
  int m_nThreshold1 = 0;  // on threshold / threshold 1 / upper deviation / L1 / SP / range minimum
  int m_nThreshold2 = 0;  // off threshold / threshold 2 / lower deviation / delta / L2 / Mq / range maximum
  int m_nPoint = 0;       // decimal places shown
  int m_nOption1 = 0;     // page settings, not read by the simulation
  int m_nOption2 = 1;
  int m_nResult = 0;       // the block's analog result (computed)
  int m_nEnableValue = 0;  // watchdog: scaled input captured when En rose (computed)
  int m_nScaledX = 0;      // scaled input Ax (computed)
  int m_nScaledY = 0;      // scaled input Ay of the comparator (computed)
  int m_nOption3 = 0;      // page setting of the PI family
  double m_dKc = 0.5;      // PI: proportional gain
  int m_nOption4 = 1;      // page setting of the PI family
  int m_nTiMinutes = 0;    // PI: integral time
  int m_nTiSeconds = 30;
  int m_nSelect = 0;  // PI: direction (0 "+"); PWM: output channel (4 none)

 protected:
  // Typed constructor of the subclasses: value range -20000..20000.
  CBlockAnalog(int typeCode, int inputCount, const BlockContext& ctx = {});

 private:
  // Thresholds 1 and 2 taken from references 0 and 1 where they are set.
  void UpdateThresholds();
  // The word at an input pin, scaled.
  int ScaledInput(CViewContext* view, int pin) const;
  void SimulateComparator(CViewContext* view);
  void SimulateThresholdTrigger(CViewContext* view);
  void SimulateAmplifier(CViewContext* view);
  void SimulateWatchdog(CViewContext* view);
  void SimulateDifferentialTrigger(CViewContext* view);
  void SimulateMultiplexer(CViewContext* view);
  void SimulateFormula(CViewContext* view);
  // The comparator's output rule on m_nResult with the two thresholds.
  int ThresholdOutput() const;
  // The result of the nearest analog function upstream of input 0 (0 when the
  // walk finds none); the walk takes at most as many steps as there are blocks.
  int UpstreamAnalogResult(CViewContext* view) const;

  // The amplifier's last walk of its links: whether they led back to it, and
  // the view's link generation it holds for (0: none).
  unsigned long long m_nWalkGeneration = 0;
  bool m_bWalkFoundLoop = false;
  // The formula's result rests on its values, operators and priorities alone:
  // the fields it was last worked out from and its result, so that a scan that
  // finds them unchanged takes the result again.
  std::array<int, 10> m_formulaFields{};
  int m_nFormulaResult = 0;
  bool m_bFormulaKept = false;
};

// Analog comparator (803).
class CBlockACOMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockACOMP)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockACOMP();
  explicit CBlockACOMP(int typeCode, const BlockContext& ctx = {});
};

// Analog threshold trigger (804).
class CBlockATHTRG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockATHTRG)

 public:
  static constexpr BYTE kCaps = 0x1F;

  CBlockATHTRG();
  explicit CBlockATHTRG(int typeCode, const BlockContext& ctx = {});
};

// Analog amplifier (805).
class CBlockAAMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAAMP)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockAAMP();
  explicit CBlockAAMP(int typeCode, const BlockContext& ctx = {});
};

// Analog watchdog (806).
class CBlockAWDOG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAWDOG)

 public:
  static constexpr BYTE kCaps = 0x1E;

  CBlockAWDOG();
  explicit CBlockAWDOG(int typeCode, const BlockContext& ctx = {});
};

// Analog differential trigger (807).
class CBlockADTRG : public CBlockAnalog {
  DECLARE_SERIAL(CBlockADTRG)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x1E;

  CBlockADTRG();
  explicit CBlockADTRG(int typeCode, const BlockContext& ctx = {});
};

// Analog math formula (815).
class CBlockAMATH : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAMATH)

 public:
  void StartSimulation(const SimEvent& ev) override;
  // Formula text (its tokens in parts, their concatenation in out).
  void BuildFormulaText(CString* out, std::vector<CString>* parts) const;
  void CopyKindFieldsTo(CBlockObj& target) const override { CopyUpperReferencesTo(target); }
  static constexpr BYTE kCaps = 0x3F;

  CBlockAMATH();
  explicit CBlockAMATH(int typeCode, const BlockContext& ctx = {});
};

// Analog multiplexer (816).
class CBlockAMUX : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAMUX)

 public:
  void StartSimulation(const SimEvent& ev) override;
  void CopyKindFieldsTo(CBlockObj& target) const override { CopyUpperReferencesTo(target); }
  static constexpr BYTE kCaps = 0x3F;

  CBlockAMUX();
  explicit CBlockAMUX(int typeCode, const BlockContext& ctx = {});
};

// Analog ramp (817).
class CBlockARAMP : public CBlockAnalog {
  DECLARE_SERIAL(CBlockARAMP)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockARAMP();
  explicit CBlockARAMP(int typeCode, const BlockContext& ctx = {});
};

// PI controller (818).
class CBlockPI : public CBlockAnalog {
  DECLARE_SERIAL(CBlockPI)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockPI();
  explicit CBlockPI(int typeCode, const BlockContext& ctx = {});
};

// Pulse-width modulator (819).
class CBlockPWM : public CBlockAnalog {
  DECLARE_SERIAL(CBlockPWM)

 public:
  static constexpr BYTE kCaps = 0x1E;

  // Loading sets the output channel "none" too: records of schema 0 do not carry it.
  CBlockPWM();
  explicit CBlockPWM(int typeCode, const BlockContext& ctx = {});
};

// Analog filter (820).
class CBlockAFILTER : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAFILTER)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockAFILTER();
  explicit CBlockAFILTER(int typeCode, const BlockContext& ctx = {});
};

// Max/min (821).
class CBlockMAXMIN : public CBlockAnalog {
  DECLARE_SERIAL(CBlockMAXMIN)

 public:
  static constexpr BYTE kCaps = 0x3F;

  CBlockMAXMIN();
  explicit CBlockMAXMIN(int typeCode, const BlockContext& ctx = {});
};

// Average value (822).
class CBlockAVGVAL : public CBlockAnalog {
  DECLARE_SERIAL(CBlockAVGVAL)

 public:
  int ReferencesResolvedOnLoad(bool newerSeries) const override { return 0; }
  static constexpr BYTE kCaps = 0x3F;

  CBlockAVGVAL();
  explicit CBlockAVGVAL(int typeCode, const BlockContext& ctx = {});
};
