// Copy, cut and paste of the selection. The payload is the selection in the
// archive format of the diagram file (blocks, connections, comments), after a
// head that names the source document's kind, model, firmware and message
// character sets, so that a paste never has to read the source document.
#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <optional>

#include "blocks/analog_blocks.h"
#include "blocks/comm_blocks.h"
#include "blocks/counter_blocks.h"
#include "blocks/data_blocks.h"
#include "blocks/data_log_block.h"
#include "blocks/extended_blocks.h"
#include "blocks/math_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/relay_blocks.h"
#include "blocks/time_blocks.h"
#include "editor/diagram_editor.h"
#include "model/block_comment.h"
#include "model/block_registry.h"
#include "model/connect_line_obj.h"
#include "model/diagram_limits.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "model/owning_list.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "platform/archive.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

constexpr int kClipMagic = 0x5A56434C;  // "ZVCL"
constexpr int kClipVersion = 1;
constexpr int kMaxNamedBlocks = 256;
constexpr int kPasteMemoryLimit = 0x6000;
constexpr size_t kMaxPastedBlocks = 3840;
constexpr UINT IDS_TOO_MANY_BLOCKS = 336;
constexpr UINT IDS_NO_RESOURCES = 612;

bool IsHalf(const CBlockObj* b) {
  return b && IsConnectorType(b->m_nType);
}

template <typename T>
bool Is(const CBlockObj* b) {
  return b && b->GetRuntimeClass() == T::GetThisClass();
}

// Parameter word w of a block's record (0..40); null for the words that are
// not plain numbers (the references) or out of range.
int* Word(CBlockObj& b, int w) {
  static int CBlockObj::*const kP[] = {&CBlockObj::m_nParam1,  &CBlockObj::m_nParam2,  &CBlockObj::m_nParam3,
                                       &CBlockObj::m_nParam4,  &CBlockObj::m_nParam5,  &CBlockObj::m_nParam6,
                                       &CBlockObj::m_nParam7,  &CBlockObj::m_nParam8,  &CBlockObj::m_nParam9,
                                       &CBlockObj::m_nParam10, &CBlockObj::m_nParam11, &CBlockObj::m_nParam12,
                                       &CBlockObj::m_nParam13};
  static int CBlockObj::*const kX[] = {
      &CBlockObj::m_nParam14, &CBlockObj::m_nParam15, &CBlockObj::m_nParam16, &CBlockObj::m_nParam17,
      &CBlockObj::m_nParam18, &CBlockObj::m_nParam19, &CBlockObj::m_nParam20, &CBlockObj::m_nParam21,
      &CBlockObj::m_nParam22, &CBlockObj::m_nParam23, &CBlockObj::m_nParam24, &CBlockObj::m_nParam25,
      &CBlockObj::m_nParam26, &CBlockObj::m_nParam27, &CBlockObj::m_nParam28};
  if (w >= 0 && w <= 12) return &(b.*kP[w]);
  if (w == 25) return &b.m_nLinkSlots;
  if (w >= 26 && w <= 40) return &(b.*kX[w - 26]);
  return nullptr;
}

// The words a switched-off reference resets: (word, value); word -1 and -2
// are an analog block's settings 1 and 2.
using RefReset = std::vector<std::pair<int, int>>;
struct StripRow {
  std::array<RefReset, 4> refs;
};

const StripRow* StripRowOf(const CBlockObj* b) {
  static const StripRow counter{{RefReset{{9, 0}}, RefReset{{27, 0}}, {}, {}}};
  static const StripRow array{{RefReset{{9, 0}}, RefReset{{27, 1}}, {}, {}}};
  static const StripRow hours{{RefReset{{8, 0}, {9, 0}}, {}, {}, {}}};
  static const StripRow threshold{{RefReset{{26, 0}, {27, 0}}, {}, {}, {}}};
  static const StripRow oneTime{{RefReset{{8, 0}, {9, 0}, {11, 0}, {10, 2}}, {}, {}, {}}};
  static const StripRow mux{{RefReset{{9, 0}}, RefReset{{27, 0}}, RefReset{{32, 0}}, RefReset{{34, 0}}}};
  static const StripRow maxmin{{RefReset{{9, 0}}, RefReset{{-2, 0}}, RefReset{{32, 0}}, RefReset{{34, 0}}}};
  static const StripRow analog{{RefReset{{-1, 0}}, RefReset{{-2, 0}}, RefReset{{32, 0}}, RefReset{{34, 0}}}};
  static const StripRow twoTimes{
      {RefReset{{8, 0}, {9, 0}, {11, 0}, {10, 2}}, RefReset{{12, 0}, {26, 0}, {27, 0}, {28, 2}}, {}, {}}};
  static const StripRow stairway{{RefReset{}, RefReset{{12, 0}, {26, 0}, {27, 0}, {28, 2}},
                                  RefReset{{31, 0}, {32, 0}}, RefReset{{33, 0}, {34, 0}}}};
  static const StripRow multiFunction{{RefReset{{8, 0}, {9, 0}, {11, 0}, {10, 2}},
                                       RefReset{{12, 0}, {26, 0}, {27, 0}, {28, 2}},
                                       RefReset{{31, 0}, {32, 0}}, RefReset{{33, 0}, {34, 0}}}};
  static const StripRow twoWords{{RefReset{{8, 0}, {9, 0}}, {}, {}, {}}};
  static const StripRow rotate{{RefReset{{9, 1}}, {}, {}, {}}};
  static const StripRow word9{{RefReset{{9, 0}}, {}, {}, {}}};
  static const StripRow word10{{RefReset{{10, 0}}, {}, {}, {}}};
  static const StripRow pulses{{RefReset{{32, 0}}, RefReset{{27, 0}}, {}, {}}};
  static const StripRow stepper{{RefReset{{32, 0}}, RefReset{{27, 20}}, {}, {}}};
  if (Is<CBlockCOUNTER>(b)) return &counter;
  if (Is<CBlockARRMXIV>(b) || Is<CBlockENCODER>(b)) return &array;
  if (Is<CBlockHCOUNTER>(b)) return &hours;
  if (Is<CBlockTHTRG>(b)) return &threshold;
  if (Is<CBlockPWM>(b) || Is<CBlockDPR>(b) || Is<CBlockDDR>(b) || Is<CBlockPLR>(b) || Is<CBlockCPG>(b))
    return &oneTime;
  if (Is<CBlockAMUX>(b) || Is<CBlockAMATH>(b)) return &mux;
  if (Is<CBlockMAXMIN>(b)) return &maxmin;
  if (b->IsKindOf(RUNTIME_CLASS(CBlockAnalog))) return &analog;
  if (Is<CBlockMPLR>(b) || Is<CBlockRPR>(b) || Is<CBlockAPG>(b) || Is<CBlockRG>(b)) return &twoTimes;
  if (Is<CBlockSLS>(b)) return &stairway;
  if (Is<CBlockMFS>(b)) return &multiFunction;
  if (Is<CBlockMATHERR>(b) || Is<CBlockMEM>(b)) return &twoWords;
  if (Is<CBlockROL>(b) || Is<CBlockROR>(b) || Is<CBlockSHL>(b) || Is<CBlockSHR>(b) || Is<CBlockRAND>(b))
    return &rotate;
  if (Is<CBlockANDM>(b) || Is<CBlockORM>(b) || Is<CBlockNOTM>(b) || Is<CBlockNANDM>(b) || Is<CBlockNORM>(b) ||
      Is<CBlockXORM>(b) || Is<CBlockACMXIV>(b) || Is<CBlockMOD>(b) || Is<CBlockREM>(b) ||
      Is<CBlockWORD2BIT>(b))
    return &word9;
  if (Is<CBlockLOG>(b) || Is<CBlockFIX>(b) || Is<CBlockROUND>(b)) return &word10;
  if (Is<CBlockPTO>(b) || Is<CBlockPTOE>(b)) return &pulses;
  if (Is<CBlockSMC>(b) || Is<CBlockSMCE>(b)) return &stepper;
  return nullptr;
}

void StripReferences(CBlockObj& b) {
  const StripRow* row = StripRowOf(&b);
  if (!row) return;
  auto* analog = dynamic_cast<CBlockAnalog*>(&b);
  for (int k = 0; k < kRefCount; ++k) {
    if (!b.m_bUseRef[k]) continue;
    b.m_bUseRef[k] = 0;
    b.m_pRef[k] = nullptr;
    b.m_nRefNumber[k] = -1;
    for (const auto& [w, value] : row->refs[static_cast<size_t>(k)]) {
      if (w == -1 && analog) analog->m_nThreshold1 = value;
      if (w == -2 && analog) analog->m_nThreshold2 = value;
      if (int* word = Word(b, w)) *word = value;
    }
  }
}

CString Suffix(int type) {
  const auto it = g_BlockTypeNames.find(type);
  return it == g_BlockTypeNames.end() ? CString() : it->second;
}

}  // namespace

// The content of a payload, loaded into objects no document owns yet.
struct PastePayload {
  int kind = kDocFbd;
  WORD model = 0x5188;
  WORD firmware = 0;
  int charSet1 = 0, charSet2 = 0;
  COwningList<CBlockObj> blocks;
  COwningList<CConnectLineObj> connections;
  COwningList<CBlockComment> comments;
};

// ---- Copy -----------------------------------------------------------------------------------

void CDiagramEditor::CompletePairsForCopy() {
  auto add = [](auto& list, auto* obj) {
    if (obj && std::find(list.begin(), list.end(), obj) == list.end()) list.push_back(obj);
  };
  for (CBlockObj* b : std::vector<CBlockObj*>(m_selBlocks)) {
    if (!IsHalf(b)) continue;
    CBlockObj* partner = FindPartner(b);
    CConnectLineObj* own = FindConnectorConnection(*m_pDoc, b);
    CConnectLineObj* other = partner ? FindConnectorConnection(*m_pDoc, partner) : nullptr;
    if (own && other && IsConnectorPairComplete(b)) {
      add(m_selBlocks, partner);
      add(m_selConnections, own);
      add(m_selConnections, other);
    } else {
      std::erase(m_selBlocks, b);
      b->m_bSelected = 0;
    }
  }
  for (CConnectLineObj* w : std::vector<CConnectLineObj*>(m_selConnections)) {
    CBlockObj* half = w->m_pEndBlock;
    if (!IsHalf(half)) continue;
    CBlockObj* partner = FindPartner(half);
    CConnectLineObj* other = partner ? FindConnectorConnection(*m_pDoc, partner) : nullptr;
    if (other && IsConnectorPairComplete(half)) {
      add(m_selConnections, other);
      add(m_selBlocks, half);
      add(m_selBlocks, partner);
    } else {
      std::erase(m_selConnections, w);
      w->m_bSelected = 0;
    }
  }
}

std::vector<BYTE> CDiagramEditor::CopySelection() {
  if (m_selBlocks.empty() && m_selComments.empty()) return {};
  CompletePairsForCopy();
  CArchive ar;
  ar.m_pDocument = m_pDoc;
  ar << kClipMagic << kClipVersion << m_pDoc->m_nKind << static_cast<int>(m_pDoc->m_wModelCode)
     << static_cast<int>(m_pDoc->m_wFirmware) << m_pDoc->m_nCharSet1 << m_pDoc->m_nCharSet2;
  ar.WriteCount(m_selBlocks.size());
  for (const CBlockObj* b : m_selBlocks) ar.WriteObject(b);
  ar.WriteCount(m_selConnections.size());
  for (const CConnectLineObj* w : m_selConnections) ar.WriteObject(w);
  ar.WriteCount(m_selComments.size());
  for (const CBlockComment* c : m_selComments) ar.WriteObject(c);
  return ar.TakeBytes();
}

// ---- Paste: reading and checks --------------------------------------------------------------

bool CDiagramEditor::ReadPastePayload(const std::vector<BYTE>& bytes, PastePayload* p, CString* error) const {
  try {
    CArchive ar(bytes);
    int magic = 0, version = 0, model = 0, firmware = 0;
    ar >> magic >> version;
    if (magic != kClipMagic || version != kClipVersion) {
      *error = u"The clipboard holds no diagram selection of this program.";
      return false;
    }
    ar >> p->kind >> model >> firmware >> p->charSet1 >> p->charSet2;
    p->model = static_cast<WORD>(model);
    p->firmware = static_cast<WORD>(firmware);
    // The records are read as their source document wrote them.
    CZaradDoc source(NewDocumentSettings{p->kind == kDocLadder ? kDocLadder : kDocFbd, p->model});
    ar.m_pDocument = &source;
    auto load = [&ar](auto& list, const CRuntimeClass* cls) {
      const size_t count = ar.ReadCount(CArchive::kMinObjectBytes);
      for (size_t i = 0; i < count; ++i) {
        std::unique_ptr<CObject> obj(ar.ReadNewObject(cls));
        if (!obj) ar.ThrowException(CArchiveException::badIndex, "empty entry");
        using T = std::remove_pointer_t<decltype(*list.begin())>;
        list.AddTail(std::unique_ptr<T>(static_cast<T*>(obj.release())));
      }
    };
    load(p->blocks, RUNTIME_CLASS(CBlockObj));
    load(p->connections, RUNTIME_CLASS(CConnectLineObj));
    load(p->comments, RUNTIME_CLASS(CBlockComment));
    for (CConnectLineObj* w : p->connections) w->m_pStartBlock = w->m_pEndBlock = nullptr;
    for (CBlockObj* b : p->blocks)
      for (CBlockObj*& ref : b->m_pRef) ref = nullptr;
    for (const CBlockComment* c : p->comments) {
      if (c->m_strText.GetLength() <= kMaxCommentChars) continue;
      *error =
          FormatString(u"A comment of %d characters cannot be pasted: a comment holds at most %d characters.",
                       c->m_strText.GetLength(), kMaxCommentChars);
      return false;
    }
    // Whatever a file of this document could not hold is refused here, before
    // anything joins the document: the paste never makes a file that does not open.
    m_pDoc->CheckForeignObjects(p->blocks, p->comments);
  } catch (const CArchiveException& e) {
    *error = u"The clipboard content is damaged and cannot be pasted.\n" + e.GetErrorMessage();
    return false;
  }
  if (static_cast<size_t>(p->blocks.GetCount()) > kMaxPastedBlocks) {
    *error = CString(u"Insufficient Resources to paste the blocks.");
    return false;
  }
  // The group must fit in the largest diagram (its positions are bounded as they are read).
  long long left = LLONG_MAX, top = LLONG_MAX, right = LLONG_MIN, bottom = LLONG_MIN;
  auto extend = [&](CPoint pt, CSize size) {
    left = std::min<long long>(left, pt.x);
    top = std::min<long long>(top, pt.y);
    right = std::max<long long>(right, static_cast<long long>(pt.x) + std::max(size.cx, 0));
    bottom = std::max<long long>(bottom, static_cast<long long>(pt.y) + std::max(size.cy, 0));
  };
  for (const CBlockObj* b : p->blocks) extend(b->m_ptPos, CSize(b->m_nWidth, b->m_nHeight));
  for (const CBlockComment* c : p->comments) extend(c->m_ptPos, c->m_size);
  const CSize page = m_pDoc->m_sizePage;
  if (left != LLONG_MAX && (right - left > static_cast<long long>(page.cx) * kMaxDiagramPages ||
                            bottom - top > static_cast<long long>(page.cy) * kMaxDiagramPages)) {
    *error =
        u"The clipboard content is damaged and cannot be pasted.\nIt is larger than the largest diagram.";
    return false;
  }
  return true;
}

bool CDiagramEditor::CheckPasteCompatibility(const PastePayload& p, CString* message, int* withConnections) {
  CString details;
  int availability = 0, resources = 0;
  const bool firmwareTest = m_pDoc->m_wFirmware < p.firmware;
  auto unavailable = [&](const CBlockObj* b) {
    CZaradDoc source(NewDocumentSettings{p.kind, p.model});
    details +=
        FormatString(u"\n-%ls%ls", GetOperandLabel(source, b).GetString(), Suffix(b->m_nType).GetString());
    ++availability;
  };
  auto resourceRule = [&](const CBlockObj* b) {
    const int n = b->m_nNumber, o = b->m_nOperand, t = b->m_nType;
    const CString s = Suffix(t);
    CString text;
    if (t == kTypeShiftBit && n - kFirstShiftBitOperand >= kShiftBitOperandCount) {
      text = FormatString(u"S%d.%d %ls : Block number too high!", o / 16, o % 16, s.GetString());
    } else if (t == kTypeInput && (n - kFirstInputOperand) % 32 >= 16) {
      text = FormatString(u"%ls%d%d %ls : Block number too high!", u"I", o / 32, o % 32, s.GetString());
    } else if (t == kTypeOutput && (n - kFirstOutputOperand) % 16 >= 8) {
      text = FormatString(u"%ls%d%d %ls : Block number too high!", u"Q", o / 16, o % 16, s.GetString());
    } else if (t == kTypeWT && b->m_nParam4 != 0) {
      text = FormatString(u"B%d : The pulse function is not available", n - kFirstFunctionBlockNumber);
    } else if (t == kTypeYT) {
      if (b->m_nParam7 != 2000 || b->m_nParam6 != 2099) {
        text = FormatString(
            u"B%d:Year range function is not available. On year must be  %d and Off year must be %d.",
            n - kFirstFunctionBlockNumber, 2000, 2099);
      } else if (b->m_nParam5 == 0) {
        text = FormatString(u"B%d : Yearly mode must be selected.", n - kFirstFunctionBlockNumber);
      } else if (b->m_nParam4 != 0) {
        text = FormatString(u"B%d : The pulse function is not available", n - kFirstFunctionBlockNumber);
      }
    } else if (t == kTypeCOUNTER && b->m_nParam8 != 0) {
      text = FormatString(u"B%d%ls : The start value cannot be used", n - kFirstFunctionBlockNumber,
                          s.GetString());
    } else if (t == kTypeHCOUNTER && (b->m_nParam9 > 0 || b->m_nParam14 > 0)) {
      text = FormatString(u"B%d%ls : Cannot convert time to hours", n - kFirstFunctionBlockNumber,
                          s.GetString());
    } else if (const auto* wd = dynamic_cast<const CBlockAWDOG*>(b);
               wd && wd->m_nThreshold1 != wd->m_nThreshold2) {
      text = FormatString(u"B%d%ls : The two threshold settings must be equal", n - kFirstFunctionBlockNumber,
                          s.GetString());
    } else if (t == kTypeShiftRegister && b->m_nParam24 != 0) {
      text = FormatString(u"B%d%ls : Only the first shift register can be used.",
                          n - kFirstFunctionBlockNumber, s.GetString());
    }
    if (text.IsEmpty()) return;
    details = text;
    ++resources;
  };
  auto lateFirmwareKind = [](const CBlockObj* b) {
    const int t = b->m_nType;
    return t == kTypeFunctionKey || t == kTypeAC || t == kTypeSW || (t >= kTypeAMATH && t <= kTypeQUAD) ||
           t == kTypeDataLog || t == kTypeMessageText;
  };
  auto wifiLost = [&](const CBlockObj* b) {
    return b->m_nType >= kFirstWifiType && b->m_nType <= kLastWifiType && p.model == 0x5288 &&
           m_pDoc->m_wModelCode != 0x5288;
  };
  auto touchesBus = [&] {
    for (const CConnectLineObj* w : p.connections)
      if (w->m_nStartNumber == kPowerBusNumber || w->m_nEndNumber == kPowerBusNumber) return true;
    return false;
  };
  if (!m_pDoc->IsLadder()) {
    if (!p.connections.IsEmpty() && p.kind == kDocLadder && touchesBus()) {
      *message = u"Only texts can be copied";
      return false;
    }
    for (const CBlockObj* b : p.blocks) {
      if (IsLadderType(b->m_nType)) {
        unavailable(b);
      } else if (wifiLost(b)) {
        unavailable(b);
      } else if (lateFirmwareKind(b)) {
        if (firmwareTest) unavailable(b);
      } else if (firmwareTest) {
        resourceRule(b);
      }
    }
  } else {
    if (!p.connections.IsEmpty()) {
      if (p.kind != kDocLadder) {
        if (AfxMessageBox(u"Cannot transfer connections from FBD to LAD.\nPaste the clipboard content "
                          u"without connections?",
                          MB_YESNO) != IDYES) {
          message->Empty();
          return false;
        }
        *withConnections = 0;
      } else if (touchesBus()) {
        *message = u"Only texts can be copied(Line connects with Power Bus cannot be copied!)";
        return false;
      }
    }
    for (const CBlockObj* b : p.blocks) {
      const int t = b->m_nType;
      if ((t >= kTypeInput && t <= kTypeAnalogFlag) || t == kTypeAnd || t == kTypeNand || t == kTypeOr ||
          t == kTypeNor || t == kTypeXor || t == kTypeNot) {
        unavailable(b);
      } else if (t >= kTypeMakeContact && t <= kTypeAnalogContact) {
        const int operand = b->m_nOperand;
        const bool loaded = std::any_of(p.blocks.begin(), p.blocks.end(),
                                        [operand](const CBlockObj* x) { return x->m_nNumber == operand; });
        // A function block, a coil or a ladder analog output: the contact
        // needs that element in the target or in the pasted content.
        const bool namesBlock =
            IsFunctionBlockNumber(operand) || (operand >= kFirstCoilNumber && operand <= kLastCoilNumber) ||
            (operand >= kFirstLadderAnalogOutputNumber && operand <= kLastLadderAnalogOutputNumber);
        if (namesBlock && !loaded && !m_pDoc->FindBlockByNumber(operand)) unavailable(b);
      } else if (wifiLost(b)) {
        unavailable(b);
      } else if (lateFirmwareKind(b)) {
        if (firmwareTest) unavailable(b);
      } else if (firmwareTest) {
        resourceRule(b);
      }
    }
  }
  if (availability > 0) {
    *message =
        u"Insertion is not allowed.\nThe following Blocks are not available in the current programming "
        u"language:\n" +
        details;
    return false;
  }
  if (resources > 0) {
    *message = u"Insufficient Resources to paste the blocks.\n" + details;
    return false;
  }
  return true;
}

bool CDiagramEditor::CheckPasteLimits(const PastePayload& p) {
  int functionBlocks = 0, named = 0, memory = 0;
  for (const CBlockObj* b : p.blocks) {
    if (IsFunctionBlockNumber(b->m_nNumber)) ++functionBlocks;
    if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 2) {
      if (!b->m_strName.IsEmpty()) ++named;
      memory += b->m_wMemSize;
    }
  }
  if (functionBlocks + m_pDoc->CountFunctionBlocks() > kMaxFunctionBlocks) {
    CString text;
    text.Format(LoadString(IDS_TOO_MANY_BLOCKS).GetString(), kMaxFunctionBlocks);
    AfxMessageBox(text, MB_ICONSTOP);
    return false;
  }
  if (named + m_pDoc->CountNamedBlocks() > kMaxNamedBlocks ||
      memory + m_pDoc->GetProgramMemorySize() >= kPasteMemoryLimit) {
    AfxMessageBox(IDS_NO_RESOURCES, MB_ICONSTOP);
    return false;
  }
  static constexpr int kTypes[] = {
      kTypeInput,        kTypeCursorKey,          kTypeShiftBit,     kTypeLowSignal,     kTypeHighSignal,
      kTypeOutput,       kTypeOpenConnector,      kTypeFlag,         kTypeAnalogInput,   kTypeAnalogOutput,
      kTypeAnalogFlag,   kTypeFunctionKey,        kTypeBreakContact, kTypeAnalogContact, kTypeRelayCoil,
      kTypeInvertedCoil, kTypeLadderAnalogOutput, kTypeMessageText,  kTypeShiftRegister, kTypeAnalogFilter,
      kTypeDataLog};
  for (int type : kTypes) {
    TypeLimitQuery query;
    query.nType = type;
    for (const CBlockObj* b : p.blocks) query.nAdding += b->m_nType == type ? 1 : 0;
    if (query.nAdding == 0) continue;
    bool fits = m_pDoc->CheckTypeLimit(static_cast<UINT>(type), &query) != FALSE;
    if (fits && (type == kTypeRelayCoil || type == kTypeInvertedCoil || type == kTypeLadderAnalogOutput)) {
      // The coils and ladder analog outputs of the document by the range they
      // drive, plus every loaded block whose operand lies in that range.
      auto loaded = [&p](int first, int last) {
        int n = 0;
        for (const CBlockObj* b : p.blocks) n += b->m_nOperand >= first && b->m_nOperand <= last ? 1 : 0;
        return n;
      };
      if (type == kTypeLadderAnalogOutput) {
        fits = query.nInRange1 + loaded(kFirstAnalogOutputOperand, kLastAnalogOutputOperand) <= 32 &&
               query.nInRange2 + loaded(kFirstAnalogFlagOperand, kLastAnalogFlagOperand) <= 512;
      } else {
        fits = query.nInRange1 + loaded(kFirstOutputOperand, kLastOutputOperand) <= 128 &&
               query.nInRange2 + loaded(kFirstFlagOperand, kLastFlagOperand) <= 512 &&
               query.nInRange3 + loaded(kFirstOpenConnectorOperand, kLastOpenConnectorOperand) <= 128;
      }
    }
    if (!fits) {
      if (const UINT id = type == kTypeCursorKey ? 579 : TypeLimitMessage(type))
        AfxMessageBox(id, MB_ICONSTOP);
      return false;
    }
  }
  return true;
}

// ---- Paste: insertion -----------------------------------------------------------------------

void CDiagramEditor::InsertPastedContent(PastePayload& p, bool withConnections) {
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  for (CBlockObj* b : m_pDoc->m_blocks) b->m_bSelected = 0;
  for (CConnectLineObj* w : m_pDoc->m_connections) w->m_bSelected = 0;
  for (CBlockComment* c : m_pDoc->m_comments) c->m_bSelected = 0;
  ClearSelection(SEL_ALL);
  const bool ladder = m_pDoc->IsLadder();
  // Contacts that read a pasted coil, analog output or function block follow its new number.
  std::vector<std::pair<CBlockObj*, CBlockObj*>> contacts;
  if (ladder) {
    for (CBlockObj* c : p.blocks) {
      const int t = c->m_nType, o = c->m_nOperand;
      if (t < kTypeMakeContact || t > kTypeAnalogContact) continue;
      if ((o >= kFirstCoilNumber && o <= kLastCoilNumber) ||
          (o >= kFirstLadderAnalogOutputNumber && o <= kLastLadderAnalogOutputNumber) ||
          IsFunctionBlockNumber(o)) {
        for (CBlockObj* target : p.blocks)
          if (target->m_nNumber == o) contacts.emplace_back(c, target);
      }
    }
  }
  RefreshMessageNumbers();
  CPoint origin(INT_MAX, INT_MAX);
  auto extend = [&origin](CPoint pt) {
    origin.x = std::min(origin.x, pt.x);
    origin.y = std::min(origin.y, pt.y);
  };
  std::vector<std::pair<int, CBlockObj*>> renumbered;  // old number, pasted block
  std::vector<CBlockObj*> pasted;
  // Numbered from tables built once, not from a pass over the diagram per block.
  std::optional<CBlockNumberingBatch> numbering(std::in_place, *m_pDoc);
  while (!p.blocks.IsEmpty()) {
    std::unique_ptr<CBlockObj> owned = p.blocks.Detach(p.blocks.GetHead());
    CBlockObj* b = owned.get();
    extend(b->m_ptPos);
    const int oldNumber = b->m_nNumber;
    if (auto* text = dynamic_cast<CBlockMSGTEXT*>(b)) {
      const int n = text->GetPriority();
      bool clash = false;
      for (const CBlockObj* other : m_pDoc->m_blocks)
        if (auto* t = dynamic_cast<const CBlockMSGTEXT*>(other); t && t->GetPriority() == n) clash = true;
      if (clash) {
        for (int k = 0; k < kMessageNumberCount; ++k) {
          if (m_bMessageNumberUsed[k]) continue;
          m_bMessageNumberUsed[k] = 1;
          text->SetPriority(k);
          break;
        }
      } else if (n >= 0 && n < kMessageNumberCount) {
        m_bMessageNumberUsed[n] = 1;
      }
    } else if (b->m_nType == kTypeShiftRegister) {
      bool used[4] = {};
      for (const CBlockObj* other : m_pDoc->m_blocks)
        if (other->m_nType == kTypeShiftRegister && other->m_nParam24 >= 0 && other->m_nParam24 < 4)
          used[other->m_nParam24] = true;
      for (int k = 0; k < 4; ++k) {
        if (used[k]) continue;
        b->m_nParam24 = k;
        break;
      }
    } else {
      StripReferences(*b);
    }
    b->m_bSelected = 1;
    CBlockObj* added = nullptr;
    if (CZaradDoc::GetTypeClass(static_cast<UINT>(b->m_nType)) == 1) {
      added = m_pDoc->AddPastedBlock(std::move(owned));
    } else {
      const bool wifiOut = Is<CBlockWIFIOut>(b) || Is<CBlockWIFIAOut>(b);
      if (ladder) {
        b->m_nPinType[kFirstOutputPin] = PIN_NONE;
      } else if (b->m_nPinType[kFirstOutputPin] == PIN_NONE && !wifiOut) {
        b->m_nPinType[kFirstOutputPin] = PIN_DIGITAL;
      }
      added = m_pDoc->AddBlock(std::move(owned));
    }
    for (int i = 0; i < added->m_nInputs && i < kFirstOutputPin; ++i)
      if (added->m_nSource[i] >= 100) added->m_nSource[i] = LINK_OPEN;
    for (int i = kFirstOutputPin; i < kFirstOutputPin + added->m_nOutputs && i < kPinCount; ++i)
      added->m_nSource[i] = 0;
    // Message texts of the newer series drop the characters of a set whose
    // character set differs between the two documents.
    if (auto* text = dynamic_cast<CBlockMSGTEXT*>(added); text && m_pDoc->IsNewerFamily()) {
      const bool differ[2] = {p.charSet1 != m_pDoc->m_nCharSet1, p.charSet2 != m_pDoc->m_nCharSet2};
      for (int set = 0; set < 2; ++set) {
        if (!differ[set]) continue;
        auto& grid = set == 0 ? text->m_strTextSet1 : text->m_strTextSet2;
        for (int r = 1; r <= 4 && r < CBlockMSGTEXT::kRows; ++r)
          for (int c = 0; c <= 23 && c < CBlockMSGTEXT::kCols; ++c)
            if (!grid[r][c].IsEmpty() && grid[r][c][0] >= 0x80) grid[r][c].Empty();
      }
    }
    renumbered.emplace_back(oldNumber, added);
    pasted.push_back(added);
    SelectBlock(added);
  }
  for (auto& [contact, target] : contacts)
    if (contact->m_nOperand != target->m_nNumber) contact->m_nOperand = target->m_nNumber;
  // Connector pairs are numbered together: the female is the male + 2000.
  for (const auto& [oldMale, male] : renumbered) {
    if (male->m_nType != kTypeMaleConnector) continue;
    CBlockObj* female = nullptr;
    for (const auto& [old, block] : renumbered)
      if (block->m_nType == kTypeFemaleConnector && old == oldMale + kFemaleNumberOffset) female = block;
    if (!female) continue;
    for (int m = kFirstMaleNumber; m < kFirstMaleNumber + kConnectorNumberCount; ++m) {
      const CBlockObj* atM = m_pDoc->FindBlockByNumber(m);
      const CBlockObj* atF = m_pDoc->FindBlockByNumber(m + kFemaleNumberOffset);
      if ((atM && atM != male) || (atF && atF != female)) continue;
      m_pDoc->SetBlockNumber(male, m);
      m_pDoc->SetBlockNumber(female, m + kFemaleNumberOffset);
      break;
    }
  }
  numbering.reset();
  auto pastedWithNumber = [&renumbered](int number) -> CBlockObj* {
    for (const auto& [old, block] : renumbered)
      if (old == number) return block;
    return nullptr;
  };
  if (!pasted.empty() && withConnections) {
    while (!p.connections.IsEmpty()) {
      std::unique_ptr<CConnectLineObj> w = p.connections.Detach(p.connections.GetHead());
      CBlockObj* start = pastedWithNumber(w->m_nStartNumber);
      CBlockObj* end = pastedWithNumber(w->m_nEndNumber);
      if (!start || !end) continue;
      CRect a, b;
      if (!GetPinRect(&a, start, w->m_nStartPin) || !GetPinRect(&b, end, w->m_nEndPin)) continue;
      w->m_pStartBlock = start;
      w->m_pEndBlock = end;
      w->m_nStartNumber = start->m_nNumber;
      w->m_nEndNumber = end->m_nNumber;
      w->m_ptStart = CPoint((a.left + a.right) / 2, (a.top + a.bottom) / 2);
      w->m_ptEnd = CPoint((b.left + b.right) / 2, (b.top + b.bottom) / 2);
      const int mx = (w->m_ptStart.x + w->m_ptEnd.x) / 2;
      w->m_points = {w->m_ptStart, CPoint(mx, w->m_ptStart.y), CPoint(mx, w->m_ptEnd.y), w->m_ptEnd};
      w->m_junctions.assign(w->m_points.size(), kNoJunction);
      for (const CPoint& pt : w->m_points) extend(pt);
      end->m_nSource[w->m_nEndPin] = start->m_nNumber;
      start->m_nSource[w->m_nStartPin] = end->m_nNumber;
      w->m_bSelected = 1;
      SelectConnection(AddConnection(*m_pDoc, std::move(w)));
    }
  }
  while (!p.comments.IsEmpty()) {
    std::unique_ptr<CBlockComment> c = p.comments.Detach(p.comments.GetHead());
    extend(c->m_ptPos);
    c->m_bSelected = 1;
    SelectComment(AddComment(*m_pDoc, std::move(c)));
  }
  if (origin.x == INT_MAX) origin = CPoint(0, 0);
  m_ptPasteOrigin = origin;
  m_ptLastMouse = m_ptLastClick == CPoint(0, 0) ? m_ptPasteOrigin : m_ptLastClick;
  const CPoint target = m_ptLastClick == CPoint(0, 0) ? m_ptPasteOrigin : m_ptLastClick;
  MoveSelection(CSize(target.x - m_ptPasteOrigin.x, target.y - m_ptPasteOrigin.y));
  KeepSelectionInPage(m_ptLastMouse);
  // The pages grow to hold what was pasted.
  int right = 0, bottom = 0;
  for (const CBlockObj* b : m_selBlocks) {
    right = std::max(right, b->m_ptPos.x + b->m_nWidth);
    bottom = std::max(bottom, b->m_ptPos.y + b->m_nHeight);
  }
  for (const CBlockComment* c : m_selComments) {
    right = std::max(right, c->m_ptPos.x + c->m_size.cx);
    bottom = std::max(bottom, c->m_ptPos.y + c->m_size.cy);
  }
  for (const CConnectLineObj* w : m_selConnections)
    for (const CPoint& pt : w->m_points) {
      right = std::max(right, pt.x);
      bottom = std::max(bottom, pt.y);
    }
  const CSize page = m_pDoc->m_sizePage;
  if (page.cx > 0 && page.cy > 0 && (right > page.cx || bottom > page.cy)) {
    m_pDoc->m_nPagesAcross =
        std::max(m_pDoc->m_nPagesAcross, std::min(right / page.cx + 1, kMaxDiagramPages));
    m_pDoc->m_nPagesDown = std::max(m_pDoc->m_nPagesDown, std::min(bottom / page.cy + 1, kMaxDiagramPages));
    m_pDoc->m_rcDiagram.right = m_pDoc->m_nPagesAcross * page.cx;
    m_pDoc->m_rcDiagram.bottom = m_pDoc->m_nPagesDown * page.cy;
    UpdateScrollSizes();
  }
  SaveSnapshot();
}

bool CDiagramEditor::PasteSelection(const std::vector<BYTE>& bytes) {
  PastePayload p;
  CString error;
  // Loaded into lists of its own: a damaged payload leaves the document and
  // the selection as they were.
  if (!ReadPastePayload(bytes, &p, &error)) {
    AfxMessageBox(error, MB_ICONSTOP);
    return false;
  }
  for (CBlockObj* b : p.blocks) {
    const int t = b->m_nType;
    if (t == kTypeYT || t == kTypeShiftRegister || t == kTypeMW) {
      const bool older = m_pDoc->m_wModelCode < 0x5188;
      const int cost = t == kTypeYT              ? (older ? 8 : 14)
                       : t == kTypeShiftRegister ? (older ? 12 : 16)
                                                 : (older ? 18 : 22);
      b->m_wMemSize = static_cast<WORD>(cost);
    }
  }
  CString message;
  int withConnections = 1;
  if (!CheckPasteCompatibility(p, &message, &withConnections)) {
    if (!message.IsEmpty()) AfxMessageBox(message, MB_ICONINFORMATION);
    return false;
  }
  if (!CheckPasteLimits(p)) return false;
  InsertPastedContent(p, withConnections != 0);
  InvalidateDiagram();
  return true;
}
