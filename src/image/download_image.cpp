#include "image/download_image.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <typeinfo>
#include <unordered_set>

#include "blocks/comm_blocks.h"
#include "blocks/connector_obj.h"
#include "blocks/data_log_block.h"
#include "blocks/ladder_blocks.h"
#include "blocks/operand_blocks.h"
#include "image/core_rule.h"
#include "image/startup_bitmap.h"
#include "model/block_codes.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

constexpr UINT kIdsNoBlocks = 601;
constexpr UINT kIdsInternalError = 604;
constexpr UINT kIdsNoOutput = 607;
constexpr UINT kIdsDownloadFailed = 594;
constexpr int kMasterRole = 1;

bool OutputsConnected(const CBlockObj& b) {
  for (int pin = 0; pin < b.OutputPinCount(); ++pin) {
    if (b.m_nSource[kFirstOutputPin + pin] == 0) return false;
  }
  return true;
}

template <class... Classes>
bool IsAny(const CBlockObj* b) {
  return ((dynamic_cast<const Classes*>(b) != nullptr) || ...);
}

// The FBD rule: output-like blocks are counted, every other block has all its outputs wired.
bool CheckFbd(const CZaradDoc& doc, int* counted) {
  for (const CBlockObj* b : doc.m_blocks) {
    if (IsAny<CBlockOut, CBlockOpenX, CBlockFlag, CBlockAnalogOut, CBlockAnalogFlag, CBlockDataLog,
              CBlockWIFIOut, CBlockWIFIAOut>(b)) {
      ++*counted;
    } else if (!OutputsConnected(*b)) {
      return false;
    }
  }
  return true;
}

bool CheckLadder(const CZaradDoc& doc, int* counted) {
  // The operands that a wired element reads: an analog contact, or one whose
  // input is linked (a function block is used when one of them reads it).
  std::unordered_set<int> read;
  for (const CBlockObj* e : doc.m_blocks) {
    if (e->m_nSource[kFirstOutputPin] != 0 && (IsAny<CBlockAContact>(e) || e->m_nSource[0] != LINK_OPEN))
      read.insert(e->m_nOperand);
  }
  for (const CBlockObj* b : doc.m_blocks) {
    if (IsAny<CBlockMale, CBlockFemale>(b)) continue;
    if (IsAny<CBlockRelayCoil, CBlockAOutLAD, CBlockDataLog>(b)) {
      ++*counted;
      continue;
    }
    if (IsAny<CBlockMake, CBlockAContact>(b)) {
      const int n = b->m_nOperand;
      const bool coil = n >= kFirstCoilNumber && n < kFirstCoilNumber + kCoilNumberCount;
      const bool analogOut = n >= kFirstLadderAnalogOutputNumber &&
                             n < kFirstLadderAnalogOutputNumber + kLadderAnalogOutputNumberCount;
      if (coil || analogOut) continue;
      if (n >= kFirstFunctionBlockNumber && n <= kLastFunctionBlockNumber) {
        if (b->m_nSource[kFirstOutputPin] == 0 && b->m_nSource[0] == LINK_OPEN) return false;
        continue;
      }
      if (!OutputsConnected(*b)) return false;
      continue;
    }
    if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2 && read.count(b->m_nNumber) == 0)
      return false;
  }
  return true;
}

bool IsCompiledFunctionBlock(const CBlockObj& b) {
  return typeid(b) != typeid(CBlockObj) && CZaradDoc::GetTypeClass(static_cast<UINT>(b.m_nType)) == 2;
}

bool CompileList(CZaradCoreRule& codec, const std::vector<CBlockObj*>& list) {
  for (CBlockObj* b : list) {
    if (codec.CompileBlock(b) <= 0) return false;
  }
  return true;
}

void Fail(UINT id) {
  AfxMessageBox(id, MB_OK | MB_ICONSTOP);
}

}  // namespace

std::vector<BYTE> ToRegisterOrder(const std::vector<BYTE>& image) {
  std::vector<BYTE> out(image);
  for (size_t i = 0; i + 1 < out.size(); i += 2) std::swap(out[i], out[i + 1]);
  return out;
}

DWORD ImageChecksum(const std::vector<BYTE>& table, const std::vector<BYTE>& program) {
  DWORD sum = 0;
  for (size_t i = kLcSize; i + 4 <= table.size(); i += 4) sum += ReadDwordLE(&table[i]);
  for (size_t i = 0; i + 4 <= program.size(); i += 4) sum += ReadDwordLE(&program[i]);
  const size_t size = std::min(program.size(), static_cast<size_t>(kProgramAreaMax));
  sum -= static_cast<DWORD>((kProgramAreaMax - size) / 4);
  return sum;
}

DWORD TextChecksum(const std::vector<BYTE>& pages) {
  DWORD sum = 0;
  for (size_t i = 0; i + 4 <= pages.size(); i += 4) sum += ReadDwordLE(&pages[i]);
  return sum;
}

bool CheckUnconnectedBlocks(const CZaradDoc& doc) {
  if (doc.CountNonConnectorBlocks() == 0) {
    Fail(kIdsNoBlocks);
    return false;
  }
  int counted = 0;
  bool ok = false;
  if (doc.m_nKind == kDocFbd)
    ok = CheckFbd(doc, &counted);
  else if (doc.m_nKind == kDocLadder)
    ok = CheckLadder(doc, &counted);
  if (!ok || counted == 0) {
    Fail(kIdsNoOutput);
    return false;
  }
  return true;
}

bool CompileProgram(CZaradDoc& doc, CZaradCoreRule& codec) {
  std::vector<CBlockObj*> functions, outputs, flags, openConnectors, analogOut, analogFlags, inputs;
  for (CBlockObj* b : doc.m_blocks) {
    if (IsCompiledFunctionBlock(*b))
      functions.push_back(b);
    else if (IsAny<CBlockOut>(b))
      outputs.push_back(b);
    else if (IsAny<CBlockFlag>(b))
      flags.push_back(b);
    else if (IsAny<CBlockOpenX>(b))
      openConnectors.push_back(b);
    else if (IsAny<CBlockAnalogOut>(b))
      analogOut.push_back(b);
    else if (IsAny<CBlockAnalogFlag>(b))
      analogFlags.push_back(b);
    else if (IsAny<CBlockIn>(b))
      inputs.push_back(b);
  }
  const auto byNumber = [](const CBlockObj* a, const CBlockObj* b) { return a->m_nNumber < b->m_nNumber; };
  for (auto* list : {&functions, &outputs, &flags, &openConnectors, &analogOut, &analogFlags, &inputs})
    std::stable_sort(list->begin(), list->end(), byNumber);
  analogOut.insert(analogOut.end(), analogFlags.begin(), analogFlags.end());

  const bool first =
      CompileList(codec, functions) && CompileList(codec, outputs) && CompileList(codec, flags);
  bool ok = first && CompileList(codec, openConnectors) && CompileList(codec, analogOut);
  if (first) codec.WriteHeaderAreas();
  if (!ok) return false;
  ok = CompileList(codec, inputs);
  return codec.WriteSettingsAreas() && ok;
}

namespace {

bool Prepare(CZaradDoc& doc, DownloadImage* out, const SYSTEMTIME* stamp) {
  // Capability counters and the Modbus port check.
  std::fill(std::begin(doc.m_nCapCounts), std::end(doc.m_nCapCounts), 0);
  int textBlocks = 0;
  const bool newer = IsNewerImageSeries(doc.m_wModelCode);
  for (const CBlockObj* b : doc.m_blocks) {
    if (const auto* modbus = dynamic_cast<const CBlockMR*>(b)) {
      const int port = modbus->m_nPort;
      if (port < 0 || port >= 3 || doc.m_ports[port].nRole != kMasterRole) {
        CString text;
        text.Format(u"Error!, Modbus Block B%d's Port Setting Should be Master, Please Check!",
                    b->m_nNumber - kFirstFunctionBlockNumber);
        AfxMessageBox(text, MB_OK | MB_ICONSTOP);
        return false;
      }
    } else if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2) {
      if (b->m_byCaps & 0x04) ++doc.m_nCapCounts[0];
      if (b->m_byCaps & 0x02) ++doc.m_nCapCounts[1];
      if (b->m_byCaps & 0x01) ++doc.m_nCapCounts[2];
    }
    if (newer && b->IsKindOf(RUNTIME_CLASS(CBlockMSGTEXT))) ++textBlocks;
  }
  if (textBlocks > kMaxTextPages) {
    Fail(kIdsInternalError);
    return false;
  }

  doc.AdjustBlocksForModel();
  CZaradCoreRule codec(&doc);
  codec.AllocateBuffers(kImageModeDownload, textBlocks);
  if (stamp != nullptr) codec.SetDownloadTime(*stamp);

  // The start-up logo.
  std::vector<BYTE>& table = codec.TableImage();
  BYTE logo[kLogoBytes];
  if (LoadStartupBitmap(doc.m_strLogoFile, true, logo) == kBitmapOk) {
    if (doc.m_bLogoInverse) {
      for (BYTE& byte : logo) byte = static_cast<BYTE>(~byte);
    }
    table[kLcHasLogo] = 1;
    std::memcpy(&table[kLcLogo], logo, kLogoBytes);
  } else if (doc.m_bHasLogoImage && doc.m_pLogoImage && doc.m_strLogoFile.IsEmpty()) {
    table[kLcHasLogo] = 1;
    std::memcpy(&table[kLcLogo], doc.m_pLogoImage.get(), kLogoBytes);
  }

  if (!CompileProgram(doc, codec)) {
    Fail(kIdsInternalError);
    return false;
  }

  DownloadImage result;
  result.imageChecksum = ImageChecksum(table, codec.ProgramArea());
  CAreaWriter lc(table.data(), kLcSize, kLcImageChecksum);
  lc.Dword(result.imageChecksum);
  if (newer) {
    result.textPages = textBlocks;
    result.textChecksum = TextChecksum(codec.TextPages());
    CAreaWriter text(table.data(), kLcSize, kLcTextWords);
    text.Word(static_cast<int>(codec.TextPages().size() / 2));
    text.Dword(result.textChecksum);
  }
  result.imageWords = static_cast<WORD>((kTableImageSize + codec.ProgramAreaSizeBytes()) / 2);
  result.image.table = table;
  result.image.program = codec.ProgramArea();
  result.image.pages = codec.TextPages();
  result.tableRegisters = ToRegisterOrder(result.image.table);
  result.programRegisters = ToRegisterOrder(result.image.program);
  result.textRegisters = ToRegisterOrder(result.image.pages);
  *out = std::move(result);
  return true;
}

bool PrepareGuarded(CZaradDoc& doc, DownloadImage* out, const SYSTEMTIME* stamp) {
  try {
    return Prepare(doc, out, stamp);
  } catch (const std::exception&) {
    Fail(kIdsDownloadFailed);
    return false;
  }
}

}  // namespace

bool PrepareDownload(CZaradDoc& doc, DownloadImage* out) {
  return PrepareGuarded(doc, out, nullptr);
}

bool PrepareDownload(CZaradDoc& doc, DownloadImage* out, const SYSTEMTIME& stamp) {
  return PrepareGuarded(doc, out, &stamp);
}
