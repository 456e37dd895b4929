#include "image/image_decoder.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

#include "blocks/block_factory.h"
#include "blocks/comm_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/logic_blocks.h"
#include "blocks/operand_blocks.h"
#include "editor/diagram_editor.h"
#include "image/image_layout.h"
#include "image/program_decoder.h"
#include "model/block_captions.h"
#include "model/block_codes.h"
#include "model/model_table.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"

namespace {

constexpr int kMaxDataLogItems = 188;
constexpr int kColumnPitch = 75;
constexpr int kRowPitch = 55;
constexpr int kUnplaced = -9999;

// Operand kinds of an OperandWord (bits 15..12): type, first number, count.
struct OperandKindRow {
  int nType;
  int nFirst;
  int nCount;
};
constexpr OperandKindRow kOperandKindRows[16] = {
    {kTypeInput, kFirstInputOperand, kInputOperandCount},
    {kTypeCursorKey, kFirstCursorKeyOperand, kCursorKeyOperandCount},
    {kTypeShiftBit, kFirstShiftBitOperand, kShiftBitOperandCountNewer},
    {kTypeLowSignal, kFirstLowOperand, 0},
    {kTypeHighSignal, kFirstHighOperand, 0},
    {kTypeOutput, kFirstOutputOperand, kOutputOperandCount},
    {kTypeFlag, kFirstFlagOperand, kFlagOperandCount},
    {0, 0, 0},  // 7: a function block, handled by the pin-word rule
    {kTypeAnalogInput, kFirstAnalogInputOperand, kAnalogInputOperandCount},
    {kTypeAnalogOutput, kFirstAnalogOutputOperand, kAnalogOutputOperandCount},
    {kTypeAnalogFlag, kFirstAnalogFlagOperand, kAnalogFlagOperandCount},
    {kTypeFunctionKey, kFirstFunctionKeyOperand, kFunctionKeyOperandCount},
};

bool IsSinkType(int type) {
  return type == kTypeOutput || type == kTypeFlag || type == kTypeAnalogOutput || type == kTypeAnalogFlag ||
         type == kTypeOpenConnector;
}

// Blocks that stay in the first (rightmost) column: the output-like operands
// and the blocks without an output.
bool StaysInFirstColumn(const CBlockObj* b) {
  return IsSinkType(b->m_nType) || dynamic_cast<const CBlockWIFIOut*>(b) != nullptr ||
         dynamic_cast<const CBlockWIFIAOut*>(b) != nullptr;
}

}  // namespace

// ---- CAreaReader ---------------------------------------------------------------------

bool CAreaReader::Fits(size_t n) {
  if (m_pos > m_size || n > m_size - m_pos) {
    m_ok = false;
    m_pos += n;
    return false;
  }
  return true;
}

int CAreaReader::Byte() {
  if (!Fits(1)) return 0;
  return m_base[m_pos++];
}

int CAreaReader::Word() {
  if (!Fits(2)) return 0;
  const int v = m_base[m_pos] | (m_base[m_pos + 1] << 8);
  m_pos += 2;
  return v;
}

int CAreaReader::SignedWord() {
  return static_cast<short>(static_cast<WORD>(Word()));
}

long long CAreaReader::Dword() {
  if (!Fits(4)) return 0;
  const long long v = ReadDwordLE(m_base + m_pos);
  m_pos += 4;
  return v;
}

int CAreaReader::SignedDword() {
  return static_cast<int>(static_cast<DWORD>(Dword()));
}

void CAreaReader::Skip(size_t n) {
  Fits(n);
  if (m_ok) m_pos += n;
}

int CAreaReader::PeekByte(size_t ahead) const {
  const size_t at = m_pos + ahead;
  return at < m_size ? m_base[at] : -1;
}

// ---- CProgramDecoder -------------------------------------------------------------------

CProgramDecoder::CProgramDecoder(const ProgramImage& image, WORD modelCode, CZaradDoc& doc)
    : m_image(image), m_doc(doc), m_wModelCode(modelCode), m_bNewer(IsNewerImageSeries(modelCode)) {}

void CProgramDecoder::Fail(const CString& sentence) {
  if (!m_bFailed) m_error = sentence;
  m_bFailed = true;
}

std::span<const BYTE> CProgramDecoder::Area(const char16_t* name) const {
  const ImageAreaRow* row = FindImageAreaRow(name);
  if (row == nullptr) return {};
  const std::vector<BYTE>& buffer = row->nBuffer == kImageBufferTable ? m_image.table : m_image.program;
  const size_t offset = static_cast<size_t>(row->nOffset);
  if (offset >= buffer.size()) return {};
  return {buffer.data() + offset, std::min(static_cast<size_t>(row->nSize), buffer.size() - offset)};
}

CBlockObj* CProgramDecoder::Find(int number) const {
  const auto it = m_byNumber.find(number);
  return it != m_byNumber.end() ? it->second : nullptr;
}

CBlockObj* CProgramDecoder::Append(CBlockObj* block) {
  if (block == nullptr) return nullptr;
  CBlockObj* added = m_doc.m_blocks.AddTail(std::unique_ptr<CBlockObj>(block));
  m_byNumber.emplace(added->m_nNumber, added);
  return added;
}

void CProgramDecoder::AddSink(CBlockObj* block) {
  const auto at =
      std::upper_bound(m_sinks.begin(), m_sinks.end(), block,
                       [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; });
  m_sinks.insert(at, block);
}

bool CProgramDecoder::OperandOfWord(int word, int* number, int* type) const {
  const int kind = (word >> 12) & 0xF;
  const int index = word & 0x3FF;
  if (kind == 7 || kind >= 12) return false;
  const OperandKindRow& row = kOperandKindRows[kind];
  if (row.nType == kTypeLowSignal || row.nType == kTypeHighSignal) {
    *number = row.nFirst;
  } else {
    int count = row.nCount;
    if (row.nType == kTypeShiftBit && !m_bNewer) count = kShiftBitOperandCount;
    if (index >= count) return false;
    *number = row.nFirst + index;
  }
  *type = row.nType;
  return true;
}

CBlockObj* CProgramDecoder::OperandBlock(int number, int type) {
  if (CBlockObj* existing = Find(number)) return existing->m_nType == type ? existing : nullptr;
  CBlockObj* block = CreateBlockOfType(type, BlockContext::For(&m_doc));
  if (block == nullptr) return nullptr;
  block->m_nNumber = number;
  // The index within the operand's range.
  for (const OperandKindRow& row : kOperandKindRows) {
    if (row.nType == type && row.nType != 0) block->m_nOperand = number - row.nFirst;
  }
  if (type == kTypeOpenConnector) block->m_nOperand = number - kFirstOpenConnectorOperand;
  Append(block);
  if (IsSinkType(type)) AddSink(block);
  return block;
}

void CProgramDecoder::DecodePinWord(int word, CBlockObj* consumer, int pin) {
  if (pin < 0 || pin >= consumer->InputPinCount()) return;
  if (word == 0xFFFF) return;
  if (word == kOpenInvertedPin) {
    consumer->m_bInvert[pin] = 1;
    return;
  }
  if ((word & kOperandInverted) != 0) consumer->m_bInvert[pin] = 1;
  int number = 0;
  if (((word >> 12) & 0xF) == 7) {
    number = kFirstFunctionBlockNumber + (word & 0x3FF);
  } else {
    int type = 0;
    if (!OperandOfWord(word, &number, &type)) return;  // names nothing: the pin stays open
    CBlockObj* source = OperandBlock(number, type);
    if (source == nullptr) return;
    source->m_nSource[kFirstOutputPin] = consumer->m_nNumber;
  }
  consumer->m_nSource[pin] = number;
  m_linked[consumer] |= 1u << pin;
  if (consumer->m_nFirstLinkedPin < 0 || pin < consumer->m_nFirstLinkedPin) consumer->m_nFirstLinkedPin = pin;
}

int CProgramDecoder::TypeOfCodeBytes(int b0, int b1) const {
  // One table of every function code, by its whole value.
  static const std::vector<int> kTypes = [] {
    std::vector<int> types(0x10000, 0);
    for (int t = kFirstLogicType; t <= kLastMathType; ++t) {
      if (CodeGroupOf(t) == CodeGroup::kNone) continue;
      const WORD code = TypeCodeOf(t);
      if (code != 0 && types[code] == 0) types[code] = t;
    }
    return types;
  }();
  int key = 0;
  if (b0 <= 10)
    key = b0 * 256 + b1;
  else if (b0 == 0x23 || b0 == 0x25 || b0 == 0x38 || b0 == 0x3B || b0 == 0x3C || b0 == 0x47)
    key = b0 * 256;
  else if (b0 == 0x29 || b0 == 0x43)
    key = b0 * 256 + 0xC0;
  else
    key = b0 * 256 + 0x40;
  return key >= 0 && key < 0x10000 ? kTypes[static_cast<size_t>(key)] : 0;
}

// ---- Sizes ---------------------------------------------------------------------------------

bool CProgramDecoder::CheckSizes() {
  if (m_image.table.size() != static_cast<size_t>(kTableImageSize)) {
    Fail(CString(u"The program read from the device is damaged: its table image has the wrong size."));
    return false;
  }
  const size_t program = m_image.program.size();
  if (program > static_cast<size_t>(kProgramAreaMax) || program % kProgramAreaStep != 0) {
    Fail(CString(u"The program read from the device is damaged: its program area has the wrong size."));
    return false;
  }
  const size_t pages = m_image.pages.size();
  if (pages % kTextPageSize != 0 || pages / kTextPageSize > static_cast<size_t>(kMaxTextPages)) {
    Fail(CString(u"The program read from the device is damaged: its message texts have the wrong size."));
    return false;
  }
  m_nPageCount = static_cast<int>(pages / kTextPageSize);
  const std::span<const BYTE> m1 = Area(u"M1");
  const int model = ReadWordLE(m1.data());
  if (SeriesOf(model) != SeriesOf(m_wModelCode)) {
    Fail(CString(u"The program read from the device is damaged: it was made for another device series."));
    return false;
  }
  return true;
}

// ---- Settings areas ------------------------------------------------------------------------------

void CProgramDecoder::DecodeSettingsAreas() {
  CZaradDoc& doc = m_doc;
  const auto reader = [this](const char16_t* name) {
    const std::span<const BYTE> a = Area(name);
    return CAreaReader(a.data(), a.size());
  };
  const std::span<const BYTE> lc = Area(u"LC");
  if (lc[kLcHasLogo] != 0) {
    doc.m_bHasLogoImage = 1;
    doc.m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
    std::copy(lc.begin() + kLcLogo, lc.begin() + kLcLogo + kLogoImageSize, doc.m_pLogoImage.get());
  }

  CAreaReader cm = reader(u"CM");
  for (ComPortSettings& port : doc.m_ports) {
    int words[11];
    for (int& w : words) w = cm.Word();
    *port.Field(0) = words[2] == 0 ? 2 : words[0];
    for (int f = 1; f <= 3; ++f) *port.Field(f) = words[f];
    for (int f = 5; f <= 11; ++f) *port.Field(f) = words[f - 1];
  }
  doc.m_bCopyProtect = reader(u"PR").Word();
  CAreaReader rd = reader(u"RD");
  doc.m_nRedundancy = rd.Word();
  const int low = rd.Word();
  doc.m_nSyncTime = static_cast<int>(static_cast<DWORD>(low) | (static_cast<DWORD>(rd.Word()) << 16));
  doc.m_nTempHigh = reader(u"HT").SignedWord();
  doc.m_nTempLow = reader(u"LT").SignedWord();
  doc.m_wModelCode = static_cast<WORD>(reader(u"M1").Word());
  doc.m_wModelAux1 = static_cast<WORD>(reader(u"M2").Word());
  doc.m_wFirmware = static_cast<WORD>(reader(u"V1").Word());
  doc.m_wModelAux2 = static_cast<WORD>(reader(u"V2").Word());
  CString name;
  if (GetModelName(doc.m_wModelCode, &name, nullptr) >= 0) doc.m_strModelName = name;
  if (!m_bNewer) return;

  CAreaReader c = reader(u"C");
  const int filterMs = c.Word();
  const int filters = static_cast<int>(std::size(kAiFilterMs));
  doc.m_nAiFilter = filters;  // another time: the choice after the listed ones
  for (int i = 0; i < filters; ++i)
    if (filterMs == kAiFilterMs[i]) doc.m_nAiFilter = i;
  doc.m_nTickerCharMs = c.Word();
  doc.m_nTickerLineMs = doc.m_nTickerCharMs * 10;
  doc.m_nCharSet1 = c.Word();
  doc.m_nCharSet2 = c.Word();
  doc.m_nDefaultCharSet = c.Word();
  doc.m_bKeepOutputs = reader(u"KV").Word();
  // Always the device's 32 entries, whatever the lists held before.
  CAreaReader qt = reader(u"QT");
  doc.m_aqRangeType.assign(kAnalogOutputCount, 0);
  for (BYTE& t : doc.m_aqRangeType) t = static_cast<BYTE>(qt.Byte());
  CAreaReader fv = reader(u"FV");
  doc.m_aqFixedValue.assign(kAnalogOutputCount, 0.0);
  for (double& v : doc.m_aqFixedValue) v = FromHundredths(fv.Word());
  const std::span<const BYTE> rv = Area(u"RV");
  doc.m_nLanguage = rv[6];
  doc.m_nLogoTime = rv[7];
  doc.m_nContrast = (static_cast<int>(rv[8]) - 32) / 3;
  doc.m_nBacklight = rv[9];
  doc.m_nAiRangeType0 = rv[16];
  doc.m_nAiRangeType1 = rv[17];
}

bool CProgramDecoder::DecodeDataLog() {
  if (!m_bNewer) return true;
  const std::span<const BYTE> dl = Area(u"DL");
  if (ReadWordLE(dl.data() + 2) == 0xFFFF) return true;
  auto* log = dynamic_cast<CBlockDataLog*>(CreateBlockOfType(kTypeDataLog, BlockContext::For(&m_doc)));
  if (log == nullptr) return true;
  log->m_nNumber = kDataLogNumber;
  Append(log);
  AddSink(log);
  CAreaReader r(dl.data(), dl.size());
  for (int pin = 0; pin + 1 < log->InputPinCount(); ++pin) DecodePinWord(r.Word(), log, pin);
  log->m_nParam2 = r.Word();
  const int count = r.Word();
  if (count > kMaxDataLogItems) {
    Fail(CString(u"The program read from the device is damaged: its data log holds too many items."));
    return false;
  }
  r.Skip(10);
  log->m_items.assign(static_cast<size_t>(count), DataLogItem{});
  log->m_nParam10 = count;
  for (DataLogItem& item : log->m_items) {
    const int first = r.Word();
    const int b = r.Word();
    const int kind = first & 0xFF;
    CString text;
    switch (kind) {
      case 0:
        if (b >= kInputOperandCount) continue;
        item.m_nOperand = kFirstInputOperand + b;
        text.Format(u"I%d%02d-I%d%02d", b / 32, b % 32, b / 32, b % 32 + 7);
        break;
      case 5:
        if (b >= kOutputOperandCount) continue;
        item.m_nOperand = kFirstOutputOperand + b;
        text.Format(u"Q%d%02d-Q%d%02d", b / 16, b % 16, b / 16, b % 16 + 7);
        break;
      case 6:
        if (b >= kFlagOperandCount) continue;
        item.m_nOperand = kFirstFlagOperand + b;
        text.Format(u"M%d-M%d", b, b + 7);
        break;
      case 7: {
        const int type = TypeOfCodeBytes(first >> 8, 0);
        const int index = b & 0xFFF;
        if (type == 0 || index >= kMaxFunctionBlocks) continue;
        const int param = (b >> 12) & 0xF;
        item.m_nOperand = kFirstFunctionBlockNumber + index;
        item.m_nParamIndex = param;
        text.Format(u"B%d%s", index, LookupBlockName(g_BlockCaptionMap, static_cast<UINT>(type)).GetString());
        const MsgParamRow* row = FindMsgParamRow(type);
        if (row != nullptr && param < static_cast<int>(row->recordable.size())) {
          const int name = row->recordable[static_cast<size_t>(param)];
          if (name >= 0 && static_cast<size_t>(name) < g_ParameterNames.size())
            item.m_strParameter = g_ParameterNames[static_cast<size_t>(name)];
        }
        break;
      }
      case 8:
        if (b >= kAnalogInputOperandCount) continue;
        item.m_nOperand = kFirstAnalogInputOperand + b;
        text.Format(u"AI%d%02d%s", b / 8, b % 8,
                    LookupBlockName(g_BlockTypeNames, kTypeAnalogInput).GetString());
        break;
      case 9:
        if (b >= kAnalogOutputOperandCount) continue;
        item.m_nOperand = kFirstAnalogOutputOperand + b;
        text.Format(u"AQ%d%02d%s", b / 4, b % 4,
                    LookupBlockName(g_BlockTypeNames, kTypeAnalogOutput).GetString());
        break;
      case 10:
        if (b >= kAnalogFlagOperandCount) continue;
        item.m_nOperand = kFirstAnalogFlagOperand + b;
        text.Format(u"AM%d%s", b, LookupBlockName(g_BlockTypeNames, kTypeAnalogFlag).GetString());
        break;
      default:
        continue;
    }
    item.m_strOperand = text;
  }
  return true;
}

// ---- Operand areas ------------------------------------------------------------------------------

void CProgramDecoder::DecodeOperandArea(const char16_t* name, int type, int first, int count) {
  const std::span<const BYTE> area = Area(name);
  for (int k = 0; k < count && static_cast<size_t>(2 * k + 1) < area.size(); ++k) {
    const int word = ReadWordLE(area.data() + 2 * k);
    if (word == 0xFFFF) continue;
    CBlockObj* element = OperandBlock(first + k, type);
    if (element == nullptr) continue;
    // The inversion bit is not kept for output elements.
    DecodePinWord(word & ~kOperandInverted, element, 0);
  }
}

// ---- Program area J -----------------------------------------------------------------------------

bool CProgramDecoder::DecodeProgram() {
  const std::vector<BYTE>& j = m_image.program;
  size_t at = 0;
  int index = 0;
  while (at + 2 <= j.size()) {
    const int b0 = j[at];
    const int b1 = j[at + 1];
    if (b0 == 0xFF && b1 == 0xFF) break;
    const int type = TypeOfCodeBytes(b0, b1);
    if (type == 0) {
      CString text;
      text.Format(
          u"The program read from the device is damaged: an unknown instruction (code %02X%02X) at byte %d.",
          b0, b1, static_cast<int>(at));
      Fail(text);
      return false;
    }
    if (index >= kMaxFunctionBlocks) {
      Fail(CString(u"The program read from the device is damaged: it holds more than 1024 function blocks."));
      return false;
    }
    size_t next = 0;
    if (!DecodeRecord(type, index, at, &next)) return false;
    at = next;
    ++index;
  }
  if (at + 1 == j.size()) {
    Fail(CString(u"The program read from the device is damaged: its last instruction is cut off."));
    return false;
  }
  return true;
}

void CProgramDecoder::DecodeHeaderAreas() {
  const auto text = [this](const char16_t* name) {
    CString s;
    for (BYTE b : Area(name)) {
      if (b == 0xFF || b == 0) break;
      s += static_cast<char16_t>(b);
    }
    return s;
  };
  m_doc.m_strProgramName = text(u"K");
  m_doc.m_strPassword = text(u"L");
}

void CProgramDecoder::DecodeInputArea() {
  const std::span<const BYTE> pw = Area(u"PW");
  // A high-speed input is kept by the image even when it feeds nothing.
  for (size_t k = 0; k < pw.size() && k < static_cast<size_t>(kInputOperandCount); ++k) {
    if (pw[k] == 1) OperandBlock(kFirstInputOperand + static_cast<int>(k), kTypeInput);
  }
  for (CBlockObj* b : m_doc.m_blocks) {
    auto* input = dynamic_cast<CBlockIn*>(b);
    const int at = b->m_nNumber - kFirstInputOperand;
    if (input != nullptr && b->m_nType == kTypeInput && at >= 0 && static_cast<size_t>(at) < pw.size())
      input->m_bHighSpeed = pw[static_cast<size_t>(at)];
  }
}

void CProgramDecoder::ResolveReferences() {
  for (CBlockObj* b : m_doc.m_blocks) {
    if (dynamic_cast<CBlockLogic*>(b) != nullptr) continue;
    if (auto* log = dynamic_cast<CBlockDataLog*>(b)) {
      for (DataLogItem& item : log->m_items) {
        item.m_pBlock = item.m_strOperand.GetLength() > 0 && item.m_strOperand[0] == u'B'
                            ? Find(item.m_nOperand)
                            : nullptr;
      }
      continue;
    }
    if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) != 2) continue;
    for (int k = 0; k < kRefCount; ++k) {
      if (b->m_bUseRef[k] == 0) continue;
      CBlockObj* ref = Find(b->m_nRefNumber[k]);
      // Only function blocks serve as references.
      if (ref != nullptr && CZaradDoc::GetTypeClass(static_cast<UINT>(ref->m_nType)) != 2) ref = nullptr;
      b->m_pRef[k] = ref;
      if (ref == nullptr) b->m_nRefNumber[k] = -1;
    }
  }
}

// A link to a record that J does not hold leaves the pin open.
void CProgramDecoder::DropDanglingLinks() {
  for (CBlockObj* b : m_doc.m_blocks) {
    b->m_nFirstLinkedPin = -1;
    for (int pin = 0; pin < b->InputPinCount(); ++pin) {
      if (!Linked(b, pin)) continue;
      if (Find(b->m_nSource[pin]) == nullptr) {
        b->m_nSource[pin] = LINK_OPEN;
        m_linked[b] &= ~(1u << pin);
        continue;
      }
      if (b->m_nFirstLinkedPin < 0) b->m_nFirstLinkedPin = pin;
    }
  }
}

// ---- Layout ------------------------------------------------------------------------------------------

void CProgramDecoder::PlaceSource(CBlockObj* consumer, int pin, int* maxColumn, int* maxRow) {
  // An explicit stack: a long chain of first inputs cannot exhaust the call stack.
  struct Step {
    CBlockObj* consumer;
    int pin;
  };
  std::vector<Step> stack{{consumer, pin}};
  while (!stack.empty()) {
    const Step s = stack.back();
    stack.pop_back();
    CBlockObj* c = s.consumer;
    if (c->m_nFirstLinkedPin < 0) continue;
    CBlockObj* source = Find(c->m_nSource[s.pin]);
    if (source == nullptr || StaysInFirstColumn(source)) continue;
    if (source->m_ptLayout.x != kUnplaced) continue;  // placed already: it stays
    const int row = s.pin == c->m_nFirstLinkedPin ? c->m_ptLayout.y : ++*maxRow;
    source->m_ptLayout = CPoint(c->m_ptLayout.x + 1, row);
    *maxColumn = std::max(*maxColumn, source->m_ptLayout.x);
    if (source->m_nFirstLinkedPin < 0) continue;
    // The first linked pin is placed first: push the later pins below it.
    for (int p = source->InputPinCount() - 1; p > source->m_nFirstLinkedPin; --p) {
      if (Linked(source, p)) stack.push_back({source, p});
    }
    stack.push_back({source, source->m_nFirstLinkedPin});
  }
}

void CProgramDecoder::LayoutBlocks() {
  for (CBlockObj* b : m_doc.m_blocks) b->m_ptLayout = CPoint(kUnplaced, kUnplaced);
  int maxColumn = 1;
  int maxRow = 0;
  for (CBlockObj* sink : m_sinks) {
    sink->m_ptLayout = CPoint(1, ++maxRow);
    if (sink->m_nFirstLinkedPin < 0) continue;
    for (int pin = sink->m_nFirstLinkedPin; pin < sink->InputPinCount(); ++pin) {
      if (Linked(sink, pin)) PlaceSource(sink, pin, &maxColumn, &maxRow);
    }
  }
  // Blocks that no sink reaches: those whose output feeds nothing placed
  // start trees of their own in the first column, below the rest; then any
  // block left (a loop that feeds only itself) starts one too.
  std::unordered_map<const CBlockObj*, bool> feeds;
  for (const auto& [consumer, pins] : m_linked) {
    for (int pin = 0; pin < kMaxInputPins; ++pin) {
      if ((pins >> pin) & 1) feeds[Find(consumer->m_nSource[pin])] = true;
    }
  }
  for (int pass = 0; pass < 2; ++pass) {
    for (CBlockObj* b : m_doc.m_blocks) {
      if (b->m_ptLayout.x != kUnplaced || (pass == 0 && feeds.count(b) != 0)) continue;
      b->m_ptLayout = CPoint(1, ++maxRow);
      if (b->m_nFirstLinkedPin < 0) continue;
      for (int pin = b->m_nFirstLinkedPin; pin < b->InputPinCount(); ++pin) {
        if (Linked(b, pin)) PlaceSource(b, pin, &maxColumn, &maxRow);
      }
    }
  }
  int right = 0;
  int bottom = 0;
  for (CBlockObj* b : m_doc.m_blocks) {
    b->m_ptPos = b->m_ptDragStart =
        CPoint((maxColumn - b->m_ptLayout.x + 1) * kColumnPitch, b->m_ptLayout.y * kRowPitch);
    right = std::max(right, b->m_ptPos.x + b->m_nWidth);
    bottom = std::max(bottom, b->m_ptPos.y + b->m_nHeight);
  }
  const CSize page = m_doc.m_sizePage;
  if (page.cx <= 0 || page.cy <= 0) return;
  if (maxColumn * kColumnPitch < page.cx && right < page.cx && maxRow * kRowPitch < page.cy &&
      bottom < page.cy)
    return;
  m_doc.m_nPagesAcross = std::max(right, maxColumn * kColumnPitch) / page.cx + 1;
  m_doc.m_nPagesDown = std::max(bottom, maxRow * kRowPitch) / page.cy + 1;
  m_doc.m_rcDiagram.right = m_doc.m_rcDiagram.left + page.cx * m_doc.m_nPagesAcross;
  m_doc.m_rcDiagram.bottom = m_doc.m_rcDiagram.top + page.cy * m_doc.m_nPagesDown;
}

// ---- Wires ----------------------------------------------------------------------------------------------

void CProgramDecoder::ConnectBlocks() {
  CDiagramEditor editor(&m_doc);
  editor.SetAutoSnapshot(false);
  // Each (block, pin) is wired once, in document order: no walk, no recursion.
  const std::vector<CBlockObj*> blocks(m_doc.m_blocks.begin(), m_doc.m_blocks.end());
  editor.RunBatch([&] {
    for (CBlockObj* b : blocks) {
      for (int pin = 0; pin < b->InputPinCount(); ++pin) {
        if (!Linked(b, pin)) continue;
        CBlockObj* source = Find(b->m_nSource[pin]);
        b->m_nSource[pin] = LINK_OPEN;
        // The device ran this link as it stands (feedback loops and mixed signal
        // kinds included): the wire is forced; a pin the block does not draw stays open.
        const int type = b->m_nPinType[pin];
        if (source != nullptr && type != PIN_NONE && type != PIN_PARAM)
          editor.ConnectBlockPins(source, kFirstOutputPin, b, pin, true);
      }
    }
    editor.SeparateCrossingConnections();
  });
}

// ---- The whole decode ----------------------------------------------------------------------------------

bool CProgramDecoder::Run() {
  if (!CheckSizes()) return false;
  m_doc.m_wModelCode = m_wModelCode;
  DecodeSettingsAreas();
  if (!DecodeDataLog()) return false;
  DecodeOperandArea(u"E", kTypeOutput, kFirstOutputOperand, kOutputOperandCount);
  DecodeOperandArea(u"F", kTypeFlag, kFirstFlagOperand, kFlagOperandCount);
  DecodeOperandArea(u"G1", kTypeAnalogOutput, kFirstAnalogOutputOperand, kAnalogOutputOperandCount);
  DecodeOperandArea(u"G2", kTypeAnalogFlag, kFirstAnalogFlagOperand, kAnalogFlagOperandCount);
  DecodeOperandArea(u"H", kTypeOpenConnector, kFirstOpenConnectorOperand, kOpenConnectorOperandCount);
  if (!DecodeProgram()) return false;
  DecodeHeaderAreas();
  DecodeInputArea();
  ResolveMessageTextReferences();
  if (m_bFailed) return false;
  ResolveReferences();
  DropDanglingLinks();
  LayoutBlocks();
  if (m_bWiring) ConnectBlocks();
  m_doc.SetModifiedFlag(true);
  return !m_bFailed;
}

bool DecodeProgramImage(const ProgramImage& image, WORD modelCode, CZaradDoc& doc, CString& error) {
  CProgramDecoder decoder(image, modelCode, doc);
  if (decoder.Run()) return true;
  doc.DeleteContents();
  error = decoder.Error();
  return false;
}
