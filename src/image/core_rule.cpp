#include "image/core_rule.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "blocks/comm_blocks.h"
#include "blocks/connector_obj.h"
#include "blocks/data_log_block.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "image/msgtext_layout.h"
#include "model/block_codes.h"
#include "model/connect_line_obj.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/ms_clock.h"

namespace {

constexpr int kNamedSlots = 256;  // entries of areas A and B
constexpr int kNameBytes = 8;     // one name in B
constexpr int kCRecordSize = 16;  // one record of area C
constexpr int kLastCompiledNumber = kFirstFunctionBlockNumber + kMaxFunctionBlocks - 1;  // B1023

// Attribute rows of one page: 8 rows of 32 bytes, byte 28 of each starts at 0.
constexpr int kAttrRowSize = 32;
constexpr int kPageTextStart = 256;
constexpr int kPageTextEnd = 640;

void InitPage(BYTE* page) {
  std::memset(page, 0xFF, kTextPageSize);
  for (int row = 0; row < 8; ++row) page[row * kAttrRowSize + 28] = 0;
  for (int i = kPageTextStart; i < kPageTextEnd; i += 2) {
    page[i] = 0x20;
    page[i + 1] = 0x00;
  }
}

}  // namespace

CZaradCoreRule::CZaradCoreRule(CZaradDoc* doc) : m_pDoc(doc) {
  m_bNewer = doc != nullptr && IsNewerImageSeries(doc->m_wModelCode);
}

bool CZaradCoreRule::AllocateBuffers(int mode, int textPages) {
  textPages = std::clamp(textPages, 0, kMaxTextPages);
  m_bIndexBuilt = false;
  m_nNamedIndex = 0;
  m_nRecordOffset = 0;
  m_bFirstRecord = true;
  m_nPageCount = 0;
  m_pages.clear();
  m_pagesVerify.clear();
  switch (mode) {
    case kImageModeDownload:
    case kImageModeUpload: {
      m_nMessageIndex = 0;
      if (mode == kImageModeDownload)
        m_nProgramSize = ProgramAreaSize(m_pDoc ? m_pDoc->GetProgramMemorySize() : 0);
      m_nProgramSize = std::clamp(m_nProgramSize, 0, kProgramAreaMax);
      m_table.assign(kTableImageSize, 0xFF);
      m_program.assign(static_cast<size_t>(m_nProgramSize), 0xFF);
      m_tableVerify.assign(kTableImageSize, 0xFF);
      m_programVerify.assign(static_cast<size_t>(m_nProgramSize), 0xFF);
      InitImageFill(mode, m_table, kImageBufferTable, 0xFF);
      InitImageFill(mode, m_program, kImageBufferProgram, 0xFF);
      InitImageFill(mode, m_tableVerify, kImageBufferTable, 0xFF);
      InitImageFill(mode, m_programVerify, kImageBufferProgram, 0xFF);
      if (textPages > 0) {
        m_nPageCount = textPages;
        m_pages.assign(static_cast<size_t>(textPages) * kTextPageSize, 0xFF);
        m_pagesVerify.assign(m_pages.size(), 0xFF);
        if (mode == kImageModeDownload) {
          for (int p = 0; p < textPages; ++p)
            InitPage(m_pages.data() + static_cast<size_t>(p) * kTextPageSize);
        }
      }
      return true;
    }
    case kImageModeClear:
      m_table.clear();
      m_program.clear();
      m_programVerify.clear();
      m_tableVerify.assign(kClearBufferSize, 0xFF);
      InitImageFill(mode, m_tableVerify, kImageBufferTable, 0xFF);
      return true;
    default:
      return false;
  }
}

void CZaradCoreRule::InitImageFill(int mode, std::vector<BYTE>& buffer, int bufferIndex, BYTE fill) {
  if (mode != kImageModeDownload && mode != kImageModeUpload && mode != kImageModeClear) return;
  std::fill(buffer.begin(), buffer.end(), fill);
  if (mode != kImageModeDownload || bufferIndex != kImageBufferTable) return;
  // The object's own table image, whatever buffer was passed.
  std::span<BYTE> lc = FindImageArea(u"LC");
  std::fill(lc.begin(), lc.end(), 0);
  std::span<BYTE> c = FindImageArea(u"C");
  std::fill(c.begin(), c.end(), 0);
  for (size_t i = 0; i < c.size(); i += kCRecordSize) c[i] = 0xFF;
  std::span<BYTE> pw = FindImageArea(u"PW");
  std::fill(pw.begin(), pw.end(), 0);
}

std::span<BYTE> CZaradCoreRule::FindImageArea(std::u16string_view name) {
  const ImageAreaRow* row = FindImageAreaRow(name);
  if (row == nullptr) return {};
  std::vector<BYTE>& buffer = row->nBuffer == kImageBufferTable ? m_table : m_program;
  const size_t offset = static_cast<size_t>(row->nOffset);
  if (offset >= buffer.size()) return {};
  const size_t size = std::min(static_cast<size_t>(row->nSize), buffer.size() - offset);
  return {buffer.data() + offset, size};
}

// ---- Sources ---------------------------------------------------------------------

CBlockObj* CZaradCoreRule::ResolveSource(int link) const {
  if (m_pDoc == nullptr || link == LINK_OPEN) return nullptr;
  CBlockObj* source = FindBlock(link);
  if (source == nullptr) return nullptr;
  const bool female = source->IsKindOf(RUNTIME_CLASS(CBlockFemale));
  if (female || source->IsKindOf(RUNTIME_CLASS(CBlockMale))) {
    const int partnerNumber = source->m_nNumber + (female ? -kFemaleNumberOffset : kFemaleNumberOffset);
    const CConnectLineObj* wire = FindConnectorConnection(*m_pDoc, FindBlock(partnerNumber));
    source = wire != nullptr ? wire->m_pStartBlock : nullptr;
    // One step only: a pair whose source is another half gives no source.
    if (source != nullptr &&
        (source->IsKindOf(RUNTIME_CLASS(CBlockFemale)) || source->IsKindOf(RUNTIME_CLASS(CBlockMale))))
      source = nullptr;
  }
  return source;
}

CBlockObj* CZaradCoreRule::FindBlock(int number) const {
  if (m_pDoc == nullptr) return nullptr;
  if (!m_bIndexBuilt) {
    m_numberIndex.clear();
    for (CBlockObj* b : m_pDoc->m_powerBus) m_numberIndex.emplace(b->m_nNumber, b);
    for (CBlockObj* b : m_pDoc->m_blocks) m_numberIndex.emplace(b->m_nNumber, b);
    m_bIndexBuilt = true;
  }
  const auto it = m_numberIndex.find(number);
  return it != m_numberIndex.end() ? it->second : nullptr;
}

CBlockObj* CZaradCoreRule::FindPinSource(const CBlockObj& block, int pin) const {
  if (pin < 0 || pin >= kPinCount) return nullptr;
  return ResolveSource(block.m_nSource[pin]);
}

// ---- Compiling -----------------------------------------------------------------------

int CZaradCoreRule::CompileBlock(CBlockObj* block) {
  if (block == nullptr || m_table.size() != kTableImageSize) return -1;
  const int t = block->m_nType;
  if ((t >= kFirstLogicType && t < kFirstOperandType) || (t >= kFirstExtendedType && t < kTypeMaleConnector))
    return CompileFunctionBlock(block);
  if (t >= kTypeOutput && t < kFirstLadderType) return CompileOperandBlock(block);
  if (t == kTypeInput) return CompileInputBlock(block);
  return -1;
}

int CZaradCoreRule::CompileFunctionBlock(CBlockObj* block) {
  if (CodeGroupOf(block->m_nType) == CodeGroup::kNone) return -1;
  return CompileBlockRecord(block);
}

int CZaradCoreRule::CompileOperandBlock(CBlockObj* block) {
  switch (block->m_nType) {
    case kTypeOutput:
    case kTypeOpenConnector:
    case kTypeFlag:
    case kTypeAnalogOutput:
    case kTypeAnalogFlag:
      return WriteOperandArea(block);
    default:
      return -1;
  }
}

int CZaradCoreRule::CompileInputBlock(CBlockObj* block) {
  const auto* input = dynamic_cast<const CBlockIn*>(block);
  if (input == nullptr || input->m_bHighSpeed == 0) return 1;
  std::span<BYTE> pw = FindImageArea(u"PW");
  const int index = block->m_nNumber - kFirstInputOperand;
  if (index < 0 || static_cast<size_t>(index) >= pw.size()) return 0;
  pw[static_cast<size_t>(index)] = static_cast<BYTE>(input->m_bHighSpeed & 0xFF);
  return 1;
}

int CZaradCoreRule::WriteOperandArea(CBlockObj* block) {
  const char16_t* name = nullptr;
  int base = 0;
  switch (block->m_nType) {
    case kTypeOutput:
      name = u"E";
      base = kFirstOutputOperand;
      break;
    case kTypeOpenConnector:
      name = u"H";
      base = kFirstOpenConnectorOperand;
      break;
    case kTypeFlag:
      name = u"F";
      base = kFirstFlagOperand;
      break;
    case kTypeAnalogOutput:
      name = u"G1";
      base = kFirstAnalogOutputOperand;
      break;
    case kTypeAnalogFlag:
      name = u"G2";
      base = kFirstAnalogFlagOperand;
      break;
    default:
      return -1;
  }
  std::span<BYTE> area = FindImageArea(name);
  const int index = block->m_nNumber - base;
  if (index < 0 || static_cast<size_t>(index) * 2 + 2 > area.size()) return 0;
  const CBlockObj* source = FindPinSource(*block, 0);
  if (source == nullptr) return 1;
  CAreaWriter w(area.data(), area.size(), static_cast<size_t>(index) * 2);
  w.Word(OperandWordOf(*source, false));
  return w.Ok() ? 1 : 0;
}

bool CZaradCoreRule::WriteBlockName(CBlockObj* block) {
  const CString& name = block->m_strName;
  if (name.IsEmpty()) return true;
  if (m_nNamedIndex >= kNamedSlots) return false;
  const size_t i = static_cast<size_t>(m_nNamedIndex);
  CAreaWriter a(FindImageArea(u"A").data(), FindImageArea(u"A").size(), 2 * i);
  a.Word(block->m_nNumber - kFirstFunctionBlockNumber);
  std::span<BYTE> areaB = FindImageArea(u"B");
  CAreaWriter b(areaB.data(), areaB.size(), kNameBytes * i);
  for (int k = 0; k < kNameBytes; ++k) {
    if (k < name.GetLength()) {
      const unsigned ch = name[k] & 0xFF;
      b.Byte(m_bNewer ? static_cast<int>(ch) : LcdCharOf(ch));
    } else {
      b.Byte(m_bNewer ? 0x20 : kLcdBlank);
    }
  }
  ++m_nNamedIndex;
  return a.Ok() && b.Ok();
}

void CZaradCoreRule::SetBlockDataSize(CBlockObj* block) const {
  if (dynamic_cast<CBlockYT*>(block) != nullptr)
    block->m_wMemSize = m_bNewer ? 14 : 8;
  else if (dynamic_cast<CBlockSREG*>(block) != nullptr)
    block->m_wMemSize = m_bNewer ? 16 : 12;
  else if (dynamic_cast<CBlockMW*>(block) != nullptr)
    block->m_wMemSize = m_bNewer ? 22 : 18;
}

int CZaradCoreRule::CompileBlockRecord(CBlockObj* block) {
  const int n = block->m_nNumber;
  if (n < kFirstFunctionBlockNumber || n > kLastCompiledNumber) return 0;
  if (!WriteBlockName(block)) return 0;

  if (auto* msg = dynamic_cast<CBlockMSGTEXT*>(block)) {
    bool ok = false;
    if (m_bNewer) {
      ok = CompileMessageTextPages(msg, m_nMessageIndex);
    } else {
      ok = CompileMessageTextArea(msg, FindImageArea(u"C"),
                                  m_nMessageIndex * msgtext_layout::kTextAreaPerBlock);
    }
    if (!ok) return 0;
    msg->m_nParam26 = m_nMessageIndex;  // X13: the message slot
    ++m_nMessageIndex;
  }

  const int offset = m_bFirstRecord ? 0 : m_nRecordOffset;
  m_bFirstRecord = false;
  SetBlockDataSize(block);
  m_nRecordOffset = offset + block->m_wMemSize;
  if (m_nRecordOffset > m_nProgramSize) return 0;
  return CompileInstruction(block, offset);
}

int CZaradCoreRule::CompileInstruction(CBlockObj* block, int recordOffset) {
  WORD code = 0;
  EncodeFunctionCode(*block, &code);
  CAreaWriter w(m_program.data(), m_program.size(), static_cast<size_t>(recordOffset));
  w.WordHighFirst(code);
  EncodeBody(block, w);
  return w.Ok() ? 1 : 0;
}

// ---- Settings areas -------------------------------------------------------------------

void CZaradCoreRule::WriteHeaderAreas() {
  if (m_pDoc == nullptr || m_table.size() != kTableImageSize) return;
  std::span<BYTE> k = FindImageArea(u"K");
  const CString& name = m_pDoc->m_strProgramName;
  for (int i = 0; i < name.GetLength() && static_cast<size_t>(i) < k.size(); ++i)
    k[static_cast<size_t>(i)] = name[i] & 0xFF;

  std::span<BYTE> l = FindImageArea(u"L");
  const CString& password = m_pDoc->m_strPassword;
  for (int i = 0; i < password.GetLength() && i < 8; ++i) {
    const char16_t ch = password[i];
    l[static_cast<size_t>(i)] = ch == 0 ? 0xFF : static_cast<BYTE>(ch & 0xFF);
  }

  const int words = (kTableImageSize + m_nProgramSize) / 2;
  CAreaWriter ps(FindImageArea(u"PS").data(), FindImageArea(u"PS").size());
  ps.Word(words);
  CAreaWriter lc(FindImageArea(u"LC").data(), FindImageArea(u"LC").size(), kLcLengthWord);
  lc.Word(words);
}

bool CZaradCoreRule::WriteSettingsAreas() {
  if (m_pDoc == nullptr || m_table.size() != kTableImageSize) return false;
  CZaradDoc& doc = *m_pDoc;
  const auto writer = [this](const char16_t* name) {
    std::span<BYTE> a = FindImageArea(name);
    return CAreaWriter(a.data(), a.size());
  };

  CAreaWriter cm = writer(u"CM");
  for (const ComPortSettings& port : doc.m_ports) {
    const int role = *port.Field(0);
    cm.Word(role == 2 ? 0 : role);
    for (int f = 1; f <= 3; ++f) cm.Word(*port.Field(f));
    for (int f = 5; f <= 11; ++f) cm.Word(*port.Field(f));
  }
  writer(u"PR").Word(doc.m_bCopyProtect);
  CAreaWriter rd = writer(u"RD");
  rd.Word(doc.m_nRedundancy);
  rd.Word(doc.m_nSyncTime & 0xFFFF);
  rd.Word((doc.m_nSyncTime >> 16) & 0xFFFF);

  SYSTEMTIME now = m_downloadTime;
  if (!m_bHasDownloadTime) GetLocalTime(&now);
  CString stamp;
  stamp.Format("DL%04d%02d%02d%02d%02d%02d", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
               now.wSecond);
  CAreaWriter id = writer(u"ID");
  for (int k = 0; k + 1 < stamp.GetLength() && k < 16; k += 2)
    id.Word(((stamp[k] & 0xFF) << 8) | (stamp[k + 1] & 0xFF));

  writer(u"HT").Word(doc.m_nTempHigh);
  writer(u"LT").Word(doc.m_nTempLow);
  writer(u"M1").Word(doc.m_wModelCode);
  writer(u"M2").Word(doc.m_wModelAux1);
  writer(u"V1").Word(doc.m_wFirmware);
  writer(u"V2").Word(doc.m_wModelAux2);
  if (!m_bNewer) return true;

  CAreaWriter c = writer(u"C");
  const int filters = static_cast<int>(std::size(kAiFilterMs));
  c.Word(doc.m_nAiFilter >= 0 && doc.m_nAiFilter < filters ? kAiFilterMs[doc.m_nAiFilter] : kAiFilterOtherMs);
  c.Word(doc.m_nTickerCharMs);
  c.Word(doc.m_nCharSet1);
  c.Word(doc.m_nCharSet2);
  c.Word(doc.m_nDefaultCharSet);

  writer(u"KV").Word(doc.m_bKeepOutputs);
  // Always exactly 32 entries: a longer list from a file is cut, a shorter one padded.
  CAreaWriter qt = writer(u"QT");
  for (size_t i = 0; i < kAnalogOutputCount; ++i)
    qt.Byte(i < doc.m_aqRangeType.size() ? doc.m_aqRangeType[i] : 0);
  CAreaWriter fv = writer(u"FV");
  for (size_t i = 0; i < kAnalogOutputCount; ++i)
    fv.Word(i < doc.m_aqFixedValue.size() ? Times100(doc.m_aqFixedValue[i]) : 0);

  std::span<BYTE> rv = FindImageArea(u"RV");
  CAreaWriter counts(rv.data(), rv.size());
  for (int count : doc.m_nCapCounts) counts.Word(count);
  rv[6] = static_cast<BYTE>(doc.m_nLanguage);
  rv[7] = static_cast<BYTE>(doc.m_nLogoTime);
  // Unsigned: a contrast from a damaged file wraps to a byte instead of overflowing.
  rv[8] = static_cast<BYTE>(static_cast<unsigned>(doc.m_nContrast) * 3u + 32u);
  rv[9] = static_cast<BYTE>(doc.m_nBacklight);
  rv[16] = static_cast<BYTE>(doc.m_nAiRangeType0);
  rv[17] = static_cast<BYTE>(doc.m_nAiRangeType1);

  for (CBlockObj* block : doc.m_blocks) {
    if (const auto* log = dynamic_cast<const CBlockDataLog*>(block))
      return CompileDataLog(*log, FindImageArea(u"DL"));
  }
  return true;
}

bool CZaradCoreRule::CompileDataLog(const CBlockDataLog& block, std::span<BYTE> area) {
  constexpr size_t kHeaderWords = 8;
  const size_t items = block.m_items.size();
  if (kHeaderWords * 2 + items * 4 > area.size()) return false;  // more than 188 items
  CAreaWriter w(area.data(), area.size());
  for (int pin = 0; pin + 1 < block.InputPinCount(); ++pin) {
    const CBlockObj* source = block.m_nSource[pin] == LINK_OPEN ? nullptr : FindPinSource(block, pin);
    if (source == nullptr) {
      w.Skip(2);
      continue;
    }
    w.Word(OperandWordOf(*source, block.m_bInvert[pin] != 0));
  }
  w.Word(block.m_nParam2);
  w.Word(static_cast<int>(items));
  w.Skip(10);
  for (const DataLogItem& item : block.m_items) {
    const CBlockObj* named = FindBlock(item.m_nOperand);
    if (named != nullptr && CZaradDoc::GetTypeClass(static_cast<UINT>(named->m_nType)) == 2) {
      WORD code = 0;
      EncodeFunctionCode(*named, &code);
      w.Word((code & 0xFF00) | 7);
      w.Word(((named->m_nNumber - kFirstFunctionBlockNumber) & 0xFFFF) | ((item.m_nParamIndex & 0xF) << 12));
      continue;
    }
    const int n = item.m_nOperand;
    int kind = 0;
    int index = 0;
    // The data log's operand kinds: 10 AM, 9 AQ, 8 AI, 6 M, 5 Q, 0 I.
    static constexpr std::pair<int, int> kKinds[] = {
        {kFirstAnalogFlagOperand, 10}, {kFirstAnalogOutputOperand, 9}, {kFirstAnalogInputOperand, 8},
        {kFirstFlagOperand, 6},        {kFirstOutputOperand, 5},       {kFirstInputOperand, 0}};
    for (const auto& [first, k] : kKinds) {
      if (n >= first) {
        kind = k;
        index = n - first;
        break;
      }
    }
    w.Word(0xFF00 + kind);
    w.Word(index);
  }
  return w.Ok();
}
