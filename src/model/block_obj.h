// CBlockObj: the base of every element that stands on a diagram (gates, time
// functions, counters, analog and math blocks, operands, ladder elements,
// connector halves, the data log and the ladder power bus).
//
// A block holds no pointer to its document. Operations that need the diagram
// take a CViewContext (the view: its document, scan time, tool mode and the
// simulation bar state); the few that the system runs against "the document of
// the active view" take the document explicitly.
//
// Each block kind is one class of the block library (src/blocks, src/msgtext):
// what the kind does on entering simulation, at Stop, at power return and at a
// power cut, its evaluation group, the references it resolves when a file is
// read and what its copy carries are its own virtual operations below; the
// model, the loader and the scan driver ask the block instead of testing its
// type. The model knows the classes only through CBlockObj, the archive's
// class registry and CBlockLibrary (model/block_library.h).
#pragma once

#include <algorithm>
#include <vector>

#include "model/block_codes.h"
#include "model/block_context.h"
#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CArchive;
class CBlockObj;
class CDC;
class CZaradDoc;
class CViewContext;
struct ParameterTextLayout;
struct TEXTMETRIC;

// Evaluation group of a block kind: the simulation sorts the blocks by group,
// then by number.
enum BlockEvalGroup : int {
  EVAL_GROUP_NONE = 0,            // kinds no group names (after all others)
  EVAL_GROUP_OPERAND = 1,         // inputs, shift bits, levels, analog inputs, keys, contacts
  EVAL_GROUP_FUNCTION = 2,        // function blocks
  EVAL_GROUP_OUTPUT = 3,          // outputs and coils
  EVAL_GROUP_FLAG = 4,            // flags
  EVAL_GROUP_ANALOG_OUTPUT = 5,   // analog outputs, ladder analog outputs
  EVAL_GROUP_ANALOG_FLAG = 6,     // analog flags
  EVAL_GROUP_OPEN_CONNECTOR = 7,  // open connectors
  EVAL_GROUP_MALE = 8,            // male connector halves
  EVAL_GROUP_FEMALE = 9,          // female connector halves
  EVAL_GROUP_DATA_LOG = 10,       // the data log
};

// How a block looks up the blocks its links name: through the view during a
// scan, else through the document (either may be null: nothing is found).
struct BlockLookup {
  const CZaradDoc* doc = nullptr;
  const CViewContext* view = nullptr;
  const CBlockObj* Find(int number) const;
};

// The simulation context a block kind's start, reset and power operations get.
struct SimEvent {
  CViewContext* view = nullptr;  // the scan driver
  SYSTEMTIME now{};              // the simulated clock at the event
};

// Kind of a pin (CBlockObj::m_nPinType).
enum PinType : int {
  PIN_NONE = 0,     // no pin
  PIN_DIGITAL = 1,  // one-bit signal
  PIN_ANALOG = 2,   // 16-bit value
  PIN_PARAM = 3,    // parameter pin, drawn with the parameter text, never wired
};

constexpr int kPinCount = 20;        // pins 0-9 are inputs, 10-19 outputs
constexpr int kFirstOutputPin = 10;  // the block's output is pin 10
constexpr int kMaxInputPins = 10;
constexpr int kRefCount = 4;  // parameter references per block

// The per-type pin-type table: 118 rows of 20 pin types.
constexpr int kPinTypeRows = 118;
// Row of the pin-type table for a type code, or -1 when the code has no row
// (its computed row lies outside the table).
int GetPinTypeTableRow(int typeCode);
// Pin type of one pin for a type code; PIN_NONE for codes without a row.
int GetTablePinType(int typeCode, int pin);

// Geometry of blocks on the diagram (diagram units, y downwards).
constexpr int kHitBody = 20;           // HitTest: the point lies on the body
constexpr int kHitNone = -1;           // HitTest: neither body nor pin
constexpr int kPinMarkSize = 5;        // pin mark size of the view, drawing and pin queries
constexpr int kHandleHalfSize = 4;     // selection handles are 8 x 8 squares on the body corners
constexpr int kPowerBusHitMargin = 5;  // the power bus body is hit 5 units wider on each side

// One line of a block's label, written left-aligned with its top-left at pt.
struct BlockLabelLine {
  CPoint pt;
  CString text;
};

class CBlockObj : public CObject {
  DECLARE_SERIAL(CBlockObj)

 public:
  // Dynamic creation before Serialize reads the record.
  CBlockObj();
  // Typed constructor, called by every derived typed constructor with the
  // context of the diagram the block is made for.
  CBlockObj(int typeCode, int inputCount, const BlockContext& ctx = {});
  ~CBlockObj() override;

  CBlockObj(const CBlockObj&) = delete;
  CBlockObj& operator=(const CBlockObj&) = delete;

  // The common block record. Derived classes call it first and test
  // m_nLoadedSchema for their own schema-dependent fields.
  void Serialize(CArchive& ar) override;

  // Reloads the pin types of the existing pins from the pin-type table; in a
  // ladder document (doc->m_nKind 2) output pins get type 0 except for the
  // contacts 700-702 and the female connector 901. doc may be null (no ladder rule).
  void GetPinTypeRow(const CZaradDoc* doc);

  // ---- Geometry and hit testing (block_geometry.cpp) -------------------------
  // The body (x, y, x + w, y + h); returns 1.
  int GetBodyRect(CRect* out) const;
  // Rectangle of a pin for a pin mark of the given size (kPinMarkSize on the
  // diagram); FALSE and an all-zero rectangle for a pin the block does not have.
  BOOL GetPinRect(CRect* out, int pin, int size) const;
  // kHitBody (20) for the body, else the first input then output pin whose
  // mark holds pt (pins of type PIN_NONE never hit), else kHitNone (-1).
  int HitTest(CPoint pt) const;
  // The four selection handles: top-left, bottom-left, bottom-right, top-right corner.
  void GetHandleRects(CRect out[4]) const;
  // The label text by the element's class: contacts and coils show the names
  // that doc (a ladder document) gives their operands, every other element
  // its own m_strLabel. doc may be null (no operand names).
  virtual CString GetLabelText(const CZaradDoc* doc) const;
  // The label lines that DrawName writes, split at CR LF, the last line two
  // line heights above the body; empty when the label is hidden or has no text.
  std::vector<BlockLabelLine> GetLabelLines(const CZaradDoc* doc, int lineHeight) const;

  // ---- Drawing (blocks/block_draw.cpp, block_symbols.cpp, param_text.cpp) ----
  // These are the block library's; only the block library calls them. The
  // virtual drawing operations' base forms reach them through CBlockLibrary.
  // doc is the document the block is drawn in (its device series and, for
  // ladder labels, its elements); null falls back to the active document and
  // then to the model selected last.
  // True when the view's mouse cursor lies on the pin's mark (compared in device units).
  BOOL IsCursorOverPin(const CViewContext* view, int pin, CDC* dc) const;
  // The label lines above the element in the selected font; tm->tmHeight is the line height.
  void DrawName(CDC* dc, const TEXTMETRIC* tm, const CZaradDoc* doc) const;
  // The four selection handles: red squares with a black outline.
  void DrawSelectionHandles(CDC* dc) const;
  // The number or operand label above the body ("B3 Pump", "I101", "S1.1", "AQ101", ladder labels).
  CString GetNumberLabel(const CZaradDoc* doc) const;
  // A parameter pin's grey-green stub and the block's parameter summary text
  // (its layout as given, or else as built for the document's series); the
  // text is left out where it could not show on dc.
  void DrawParameterText(CDC* dc, int pin, int pitch, int charWidth, int lineHeight, const CZaradDoc* doc,
                         const ParameterTextLayout* layout = nullptr) const;
  // The symbol inside the body, by type code and class (one of the painters below).
  void DrawBlockSymbol(CDC* dc, const CZaradDoc* doc) const;
  void DrawOperandLabel(CDC* dc) const;
  void DrawLogicSymbol(CDC* dc) const;
  void DrawTimerSymbol(CDC* dc) const;
  void DrawLadderSymbol(CDC* dc) const;
  void DrawSpecialSymbol(CDC* dc) const;
  // The data-function, math and data-log painters draw only in the newer device series.
  void DrawDataFunctionSymbol(CDC* dc, const CZaradDoc* doc) const;
  void DrawMathSymbol(CDC* dc, const CZaradDoc* doc) const;
  void DrawDataLogSymbol(CDC* dc, const CZaradDoc* doc) const;
  // The shared look behind the base forms of Draw, DrawSelected,
  // DrawStateText and DrawHighlight.
  void DrawPlain(CViewContext* view, CDC* dc, int flag, COLORREF state);
  void DrawSelectedPlain(CViewContext* view, CDC* dc);
  void DrawStateTextPlain(CViewContext* view, CDC* dc);
  void DrawHighlightPlain(CDC* dc, COLORREF colour, BOOL outline);

  // ---- Virtual operations (slot order after CObject's) ----------------------
  // One scan of the block. The base does nothing and returns TRUE.
  virtual BOOL Simulate(CViewContext* view);
  // Elapsed time since m_stStart against a limit in milliseconds.
  virtual BOOL IsTimeElapsed(CViewContext* view, double limitMs);
  // Elapsed time since m_stIntervalStart against a limit in milliseconds.
  virtual BOOL IsWithinInterval(CViewContext* view, int limitMs);
  // Reads the digital inputs from the blocks linked to them.
  virtual void ReadInputs(CViewContext* view);
  // Stores one input value with the pin's negation (52 stands for an open input).
  virtual void SetInput(int pin, int value);
  // AND (flags bit 1), OR (bit 2) or XOR (bit 4) of the inputs into *acc.
  virtual int CombineInputs(int* acc, int flags);
  // Feedback-loop walk upstream of block from one of its input pins.
  virtual void WalkConnections(CViewContext* view, CBlockObj* block, int pin, int* count);
  // Copies this block's settings (and with withGeometry its place, size and
  // links) into target. doc is the document whose device family decides the
  // extra fields of the newer series; null means the model selected last.
  virtual void CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc);
  // Draws the block; colour 0 is the editing look.
  virtual void Draw(CViewContext* view, CDC* dc, int flag, COLORREF state);
  // Draw plus the selection handles.
  virtual void DrawSelected(CViewContext* view, CDC* dc);
  // One scan of the block in a simulating view, then its simulation picture:
  // Simulate, the value text its value box shows (UpdateValueText), its live
  // value to the view's open parameter sheets (the view formats it by type and
  // shows nothing for kinds without one), then DrawSimulated unless dc is null.
  // The kinds override DrawSimulated, not this.
  virtual void SimulateAndDraw(CViewContext* view, CDC* dc);
  // The block as its last scan left it, in a running or suspended simulation:
  // the base draws it in its state colour (red for output 1, else blue) and
  // then its value box. Value blocks draw themselves in black, counters keep
  // the state colour; both show their value box.
  virtual void DrawSimulated(CViewContext* view, CDC* dc);
  // Draw, then "ON" or "OFF" beside the output.
  virtual void DrawStateText(CViewContext* view, CDC* dc);
  // Value box under the body of the value blocks; the base draws nothing.
  virtual void DrawValueBox(CDC* dc, CViewContext* view);
  // Text of a time block's elapsed time, or of the simulated date or time.
  virtual void FormatTimeText(CViewContext* view, CString* out);
  // Fills the body in a colour (and outlines it) behind the symbol.
  virtual void DrawHighlight(CDC* dc, COLORREF colour, BOOL outline);
  // Hands this block's output state to the ladder contacts of doc that address it
  // (each takes it by TakeAddressedState).
  virtual void PropagateToContacts(CZaradDoc* doc);

  // ---- What the block kind says about itself ----------------------------------
  // A ladder contact takes the output state of the element it addresses.
  virtual void TakeAddressedState(int state) {}
  // The 16-bit value another block reads from this one on an analog input pin;
  // the base gives the low word of m_dValue.
  virtual short GetOutputWord(const BlockLookup& find) const;
  // The value a ladder analog contact reads from the element it addresses; the
  // base gives the low word of m_dValue.
  virtual short GetAddressedWord() const;
  // An open input reads 1 (AND and NAND gates and NOT), else 0.
  virtual bool OpenInputReadsOne() const { return false; }
  // A logic gate (never offered as a parameter's source).
  virtual bool IsLogicGate() const { return false; }
  // A connector half (male or female).
  virtual bool IsConnectorHalf() const { return false; }
  // The evaluation group of the kind.
  virtual int GetEvalGroup() const;

  // Simulation. StartSimulation: the start state on entering simulation (view
  // is the scan driver, now the clock as it stood). ResetAtStop: the state
  // after Stop (and before a run starts from the stopped state).
  // ResetAtPowerReturn: the state when the power comes back; KeepsOverPowerCut:
  // the kind keeps its pin values over a power cut (they are saved and put
  // back); the others start from zero.
  // The base start state clears m_dValue. The base reset keeps a retentive
  // block (m_nParam1) as it is, else clears its value, its kind's own state
  // (ClearKindState) and its pins; the power return resets as Stop does.
  virtual void StartSimulation(const SimEvent& ev);
  virtual void ResetAtStop(const SimEvent& ev);
  virtual void ResetAtPowerReturn(const SimEvent& ev);
  virtual void ClearKindState(const SimEvent& ev) {}
  virtual bool KeepsOverPowerCut() const { return false; }
  // The Start button (and the power coming back to a started run).
  virtual void StartRun(const SimEvent& ev) {}
  // Leaving the simulation: the kind's own quiet editing state (the driver
  // clears the pins, latches and walk state of every block).
  virtual void LeaveSimulation(const SimEvent& ev) {}
  // Time that did not run (a pause, a jump of the clock) passes over the
  // kind's own time stamps (the hours counter's run start).
  virtual void PassOverPause(LONGLONG ms) {}
  // One counted step cycle (stepping by cycles): running time functions advance 10 ms.
  virtual void AdvanceStepCycle() {}
  // The scan memory (m_nLastInput, m_nLastParam, m_nLastSelect, m_dLastParam)
  // set to values no operand takes, so that the next scan computes afresh.
  void ForgetScanMemory();
  // The value text shown under the block (time and date blocks), computed by the scan.
  virtual void UpdateValueText(CViewContext* view) {}

  // Loading. The number of parameter references a file's block of this kind
  // resolves (0..4) for the device series; ResolveOnLoad resolves them (the
  // data log binds its items instead).
  virtual int ReferencesResolvedOnLoad(bool newerSeries) const { return 0; }
  virtual void ResolveOnLoad(CZaradDoc& doc, bool newerSeries);
  // Element lists stored after the wires (the message-text block): the
  // current form, and the single old list of older files.
  virtual bool HasElementLists() const { return false; }
  virtual void SerializeElementLists(CArchive& ar) {}
  virtual void LoadOldElementList(CArchive& ar) {}
  // Another block of the document goes: references to it are dropped. A kind
  // that keeps pointers to other blocks here lists them in ListKeptBlocks too.
  virtual void ForgetBlock(const CBlockObj* block) {}
  // Adds to out every block that ForgetBlock would drop a pointer to (the
  // references of m_pRef and m_pWalkStart aside); repeats may occur. A detach
  // batch calls ForgetBlock only on the blocks that list the block going.
  virtual void ListKeptBlocks(std::vector<const CBlockObj*>& out) const {}
  // The element's operand lies in the ranges whose user names the document
  // forgets once the last element addressing them goes (ladder elements).
  virtual bool OwnsOperandName() const { return false; }
  // How much wider than the body the body is hit on each side (the thin power bus).
  virtual int GetBodyHitMargin() const { return 0; }
  // A pasted block is made ready for its new document (the input loses its high-speed setting).
  virtual void PrepareForPaste() {}

  // Copy: the kind's own fields that a copy carries in the newer device series.
  virtual void CopyKindFieldsTo(CBlockObj& target) const {}

  // ---- Shared evaluation helpers (block_eval.cpp) ----------------------------
  // 16-bit value of the element linked to an input pin (0 when the pin is open
  // or names no element). The view form looks the source up through the view.
  void GetInputWord(short* out, int pin, const CZaradDoc* doc) const;
  void GetInputWord(short* out, int pin, const CViewContext* view) const;
  // Packs 0..9999 into four BCD nibbles (1234 -> 0x1234); FromBcd reverses it,
  // clamping to 0..0x9999 and giving 0 when a nibble is above 9.
  static int ToBcd(int value);
  static int FromBcd(int bcd);
  // b * (a / Gcd(a, b)) in 32-bit arithmetic.
  static int Lcm(int a, int b);
  // Splits milliseconds into the two shown fields of a time base (0 h:m, 1 m:s, 2 s:1/100).
  static void SplitTimeValue(double ms, int timeBase, int* high, int* low);

  // ---- Fields, in declaration order -----------------------------------------
  // Scan memory: what Simulate saw in the previous scan (each family decides).
  int m_nLastParam = 0;
  int m_nLastInput = 0;
  int m_nLastSelect = 0;
  double m_dLastParam = 0.0;

  int m_nType = 0;       // BlockTypeCode
  CPoint m_ptPos;        // top-left corner of the body, diagram units
  CPoint m_ptDragStart;  // body position when the current mouse move began
  int m_nWidth = 0;      // body size
  int m_nHeight = 0;
  int m_nNumber = 0;                     // OperandNumber given by the document
  int m_nSource[kPinCount] = {};         // PinLinkCode per pin
  int m_nPinType[kPinCount] = {};        // PinType per pin
  int m_nValue[kPinCount] = {};          // simulated value per pin; [10] is the output
  double m_dSavedValue[kPinCount] = {};  // pin values saved over a simulated power cut
  int m_bChanged[kPinCount] = {};        // input changed by the last ReadInputs
  CString m_strReserved;                 // kept in the record, no other use
  int m_nOperand = 0;                    // addressed operand of ladder elements and operand blocks
  CString m_strName;                     // the user's block name (at most 8 characters)

  // Generic parameter slots 1-13 (P0 .. P12). m_nParam1 retentivity,
  // m_nParam2 parameter protection; time blocks: first preset high m_nParam10,
  // low m_nParam9, base m_nParam11; referenced presets' bases m_nParam12/13.
  int m_nParam1 = 0;
  int m_nParam2 = 0;
  int m_nParam3 = 0;
  int m_nParam4 = 0;
  int m_nParam5 = 1;
  int m_nParam6 = 2099;
  int m_nParam7 = 2000;
  int m_nParam8 = 0;
  int m_nParam9 = 0;
  int m_nParam10 = 0;
  int m_nParam11 = 2;
  int m_nParam12 = 0;
  int m_nParam13 = 0;

  int m_bUseRef[kRefCount] = {};                   // P13 .. P16: parameter k taken from m_pRef[k]
  int m_nRefNumber[kRefCount] = {-1, -1, -1, -1};  // file form of m_pRef: number or -1
  CBlockObj* m_pRef[kRefCount] = {};               // referenced blocks (not owned)
  int m_nLinkSlots = 0;                            // X0: link slots carried into the program image

  // Generic parameter slots 14-28 (X1 .. X15). Time blocks: second preset high
  // m_nParam15, low m_nParam14, base m_nParam16. m_nParam28 is not in the record.
  int m_nParam14 = 0;
  int m_nParam15 = 0;
  int m_nParam16 = 2;
  int m_nParam17 = 0;
  int m_nParam18 = 1;
  int m_nParam19 = 0;
  int m_nParam20 = 0;
  int m_nParam21 = 0;
  int m_nParam22 = 0;
  int m_nParam23 = 0;
  int m_nParam24 = 0;
  int m_nParam25 = 0;
  int m_nParam26 = 0;
  int m_nParam27 = 1;
  int m_nParam28 = 1;

  WORD m_wMemSize = 0;            // device program memory cost in bytes
  int m_bInvert[kPinCount] = {};  // pin negated; [10] negates the output
  int m_nFirstLinkedPin = -1;     // first input pin wired to a block; -1 none / not computed
  CString m_strLabel;             // label drawn above the element (lines split by CR LF)
  int m_bShowLabel = 1;           // draw the label; 16 bits in the record
  int m_bAutoRange = 1;           // input simulation value over 0..9999 (else min..max)
  int m_nSimValue = 0;            // value the user gives an input during simulation
  int m_nMinValue = 0;            // value range of the element
  int m_nMaxValue = 9999;
  int m_nWordValue = 0;     // 16-bit value of analog outputs and flags in simulation
  int m_bSelected = 0;      // selected in the view
  int m_bMark = 0;          // scratch mark of the view's delete
  int m_nContactState = 0;  // ladder contacts' state; 16 bits in the record
  int m_nInputs = 4;        // number of input pins (0-10)
  int m_nOutputs = 1;       // number of output pins
  // The pin counts held to the pin arrays, whatever a damaged record said.
  int InputPinCount() const { return std::clamp(m_nInputs, 0, kMaxInputPins); }
  int OutputPinCount() const { return std::clamp(m_nOutputs, 0, kPinCount - kFirstOutputPin); }
  int m_nReserved1 = 1;  // kept in the record, no other use
  int m_nReserved2 = 1;
  SYSTEMTIME m_stStart{};             // start of the current timing period (simulated time)
  SYSTEMTIME m_stIntervalStart{};     // start of the current interval
  double m_dValue = 0.0;              // current numeric value / elapsed ms of time blocks
  double m_dElapsedBase = 0.0;        // ms that time blocks add to the elapsed time
  double m_dRemaining = 0.0;          // ms remaining to the preset of time blocks
  int m_bLoop = 0;                    // set by WalkConnections when the walk comes back here
  CBlockObj* m_pWalkStart = nullptr;  // block at which the current walk started (not owned)
  int m_bVisited = 0;                 // scratch mark of the view's wiring walks
  SYSTEMTIME m_stPause;               // simulated time of suspension; zero while running
  int m_nLatch1 = 0;                  // state latches of the time blocks
  int m_nLatch2 = 0;
  int m_nLoadedSchema = 0;  // object schema read by Serialize (0 or 1)
  CString m_strMask;        // "%04X" mask parameter of the mask blocks
  double m_dParam = 0.0;    // real-valued parameter of the math blocks
  BYTE m_byCaps = 0x0F;     // capability bits (class constant, not stored)
  int m_nChangeState = -1;  // last Simulate of data/math blocks: -1, 0 unchanged, 1 changed
  CString m_strValueText;   // current value text of time and date blocks
  CPoint m_ptLayout;        // grid position of an automatic layout

 protected:
  // Pieces of CopyKindFieldsTo that several kinds share: references 2 and 3
  // (use flags and blocks), and the date fields m_nParam4..m_nParam7.
  void CopyUpperReferencesTo(CBlockObj& target) const;
  void CopyDateFieldsTo(CBlockObj& target) const;
  // Resolves reference k from m_nRefNumber[k] (a function block's number) in doc.
  void ResolveReference(const CZaradDoc& doc, int k);
  // Loads the pin types of pins 0..m_nInputs-1 and 10..9+m_nOutputs from the
  // table; with ladder set, output pins lose their type except on 700-702, 901.
  void LoadPinTypes(bool ladder);
};
