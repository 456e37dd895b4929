#include "properties/block_properties.h"

#include <algorithm>
#include <utility>

#include "blocks/analog_blocks.h"
#include "blocks/analog_range_tracer.h"
#include "blocks/block_values.h"
#include "blocks/counter_blocks.h"
#include "blocks/operand_blocks.h"
#include "model/block_codes.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "pages/block_param_page.h"
#include "pages/operand_pages.h"
#include "platform/message_sink.h"
#include "platform/recording_dc.h"
#include "properties/block_sheet.h"
#include "properties/param_copy.h"

namespace {

constexpr int kBehaviourFrequency = 3;

// Whether a ladder element's old operand is one the message texts show by
// number: a contact's input, shift bit, key, Low, High or analog input; a
// coil's output, flag or analog flag.
bool MsgTextShowsOperand(int type, int op) {
  auto in = [op](int lo, int hi) { return op >= lo && op <= hi; };
  if (type <= kTypeAnalogContact)
    return in(100, 355) || in(1000, 1063) || in(1300, 1304) || in(1870, 2869) || in(2900, 3899) ||
           in(4000, 4127);
  return in(600, 727) || in(1316, 1827) || in(4288, 4799);
}

// The operand index an operand page's text names: the digits after the
// type's prefix ("S<a>.<b>" for shift-register bits), plus the module's
// channels for the module types. -1 when the text names no number.
int OperandIndexOfPage(int type, const OperandValues& o) {
  const OperandTypeInfo* info = GetOperandTypeInfo(type);
  if (!info) return -1;
  const bool io = info->perModule > 0;
  const CString text = io ? o.m_strChannel : o.m_strNumber;
  const int skip = CString(info->prefix).GetLength();
  auto number = [&text](int from) { return ReadDecimal(text, from, 6); };
  if (type == kTypeShiftBit) {
    const int a = number(1);
    const int b = number(3);
    return a < 0 || b < 0 || text.GetAt(2) != u'.' ? -1 : a * 16 + b;
  }
  int n = number(skip);
  if (n < 0) return -1;
  if (io) n += CConstantsIOPar::ModuleIndex(o.m_strModule) * info->perModule;
  return n < info->count ? n : -1;
}

// The simulation values of an input or function key as OK stores them:
// Frequency with an automatic range gives 0..9999, reversed limits are
// swapped and the value is held to the limits.
SimValues NormalisedSim(SimValues s) {
  if (s.m_bAutoRange && s.m_nBehaviour == kBehaviourFrequency) {
    s.m_nMin = 0;
    s.m_nMax = 9999;
  }
  if (s.m_nMax < s.m_nMin) std::swap(s.m_nMin, s.m_nMax);
  s.m_nValue = std::clamp(s.m_nValue, s.m_nMin, s.m_nMax);
  return s;
}

}  // namespace

void RefreshConnectionNumbers(CZaradDoc& doc, int oldNumber, int newNumber) {
  if (oldNumber == newNumber) return;
  for (const auto& block : doc.m_blocks)
    for (int& source : block->m_nSource)
      if (source == oldNumber) source = newNumber;
  for (const auto& wire : doc.m_connections) {
    if (wire->m_nStartNumber == oldNumber) wire->m_nStartNumber = newNumber;
    if (wire->m_nEndNumber == oldNumber) wire->m_nEndNumber = newNumber;
  }
}

void UpdateInputRangesOfBlock(CZaradDoc& doc, CBlockObj* block, bool simulating) {
  if (!block) return;
  const int t = block->m_nType;
  std::vector<int> pins;
  if (t == kTypeACOMP) pins = {0, 1};
  if (t == kTypeATHTRG || t == kTypeAAMP || t == kTypeADTRG) pins = {0};
  if (t == kTypeAWDOG || t == kTypePWM) pins = {1};
  if (t == kTypePI) pins = {2};
  if (pins.empty()) return;
  CAnalogRangeTracer tracer(&doc);
  auto source = [&doc](const CBlockObj* b, int pin) -> CBlockObj* {
    return b && pin >= 0 && pin < kPinCount ? doc.FindBlockByNumber(b->m_nSource[pin]) : nullptr;
  };
  auto stops = [](int type) {
    auto in = [type](int lo, int hi) { return type >= lo && type <= hi; };
    return type == kTypeAAMP || in(kTypeBCD, kTypeMEM) || in(kTypeMOD, kLastMathType) || type == kTypeSW ||
           in(kTypeAMATH, kTypePI) || in(kTypeAnalogFilter, kTypeAVGVAL) || type == kTypeSEG ||
           type == kTypeCRC16;
  };
  // One walk; returns the block where it ended.
  auto walk = [&](CBlockObj* from) {
    std::vector<const CBlockObj*> visited;
    CBlockObj* b = from;
    CBlockObj* last = nullptr;
    while (b && std::find(visited.begin(), visited.end(), b) == visited.end()) {
      visited.push_back(b);
      last = b;
      if (b->m_nType == kTypeFemaleConnector) {  // a female connector half: on from its male half's source
        b = source(doc.FindBlockByNumber(b->m_nNumber - 2000), 0);
      } else if (b->m_nType == kTypeAnalogInput) {
        tracer.UpdateAnalogInputRange(b, simulating);
        break;
      } else if (b->m_nType == kTypeAnalogContact) {
        if (b->m_nOperand >= 4000 && b->m_nOperand <= 4127) {
          tracer.UpdateAnalogInputRange(b, simulating);
          break;
        }
        b = doc.FindBlockByNumber(b->m_nOperand);
      } else if (stops(b->m_nType)) {
        break;
      } else {
        b = source(b, 0);
      }
    }
    return last;
  };
  CBlockObj* first = source(block, pins[0]);
  CBlockObj* end = walk(first);
  if (pins.size() > 1)
    if (CBlockObj* second = source(block, pins[1]); second && second != end) walk(second);
}

CString OperandSheetTitle(int type, const OperandValues& o) {
  static const std::pair<int, const char16_t*> kTags[] = {
      {600, u"[Input]"},          {605, u"[Output]"},     {608, u"[Analog Input]"},
      {609, u"[Analog Output]"},  {601, u"[Cursor Key]"}, {602, u"[Shift register bit]"},
      {606, u"[Open connector]"}, {607, u"[Flag]"},       {610, u"[Analog flag]"},
      {611, u"[TD Function key]"}};
  const OperandTypeInfo* info = GetOperandTypeInfo(type);
  if (!info) return CString();
  CString title;
  if (info->perModule > 0) {
    const int skip = CString(info->prefix).GetLength();
    const int channel = ReadDecimal(o.m_strChannel, skip, 6);
    title = FormatString(u"%s%d%02d", info->prefix, CConstantsIOPar::ModuleIndex(o.m_strModule),
                         channel < 0 ? 0 : channel);
  } else {
    title = o.m_strNumber;
  }
  for (const auto& [t, tag] : kTags)
    if (t == type) title += tag;
  return title;
}

CBlockProperties::~CBlockProperties() = default;

CString CBlockProperties::GetBlockSheetCaption(const CBlockObj& block) const {
  CString caption = m_pDoc ? GetOperandLabel(*m_pDoc, &block) : CString();
  const CString name = LookupBlockName(g_BlockTypeNames, static_cast<UINT>(block.m_nType));
  // The Chinese names start with a space of their own (" [...]").
  if (name.IsEmpty() || name[0] != u' ') caption += u" ";
  caption += name;
  return caption;
}

std::unique_ptr<CBlockSheet> CBlockProperties::BuildSheet(CBlockObj& block, bool simulating) const {
  auto sheet = std::make_unique<CBlockSheet>(block.m_nType, GetBlockSheetCaption(block),
                                             CPageContext{m_pDoc, simulating}, block.m_nOperand);
  BlockPageValues values;
  CopyBlockToPage(m_pDoc, block, values);
  sheet->LoadValues(values);
  if (simulating) sheet->m_nBlockNumber = block.m_nNumber;
  return sheet;
}

bool CBlockProperties::Run(CBlockObj* block, bool simulating, CSheetRunner& runner) {
  if (!block || !m_pDoc) return false;
  const PageFamily family = FamilyOfType(block->m_nType);
  // Types without a class of their own (the cursor key, the soft key) and
  // the connector halves get no sheet; ladder elements have a sheet of their own.
  if (family == PageFamily::kNone || block->m_nType == kTypeCursorKey) return false;
  if (simulating) {
    if (IsBlockSheetOpen(block->m_nNumber)) return false;
    std::unique_ptr<CBlockSheet> sheet = BuildSheet(*block, true);
    CBlockSheet* shown = sheet.get();
    m_sheets.push_back(std::move(sheet));
    if (!runner.OpenModeless(*shown)) {
      CloseSheet(shown);
      return false;
    }
    ShowCurrentParameterValue(*block, m_pView);
    return false;
  }
  std::unique_ptr<CBlockSheet> sheet = BuildSheet(*block, false);
  if (runner.RunModal(*sheet) != IDOK) return false;
  WriteBack(*block, sheet->Values());
  m_pDoc->m_undo.SaveSnapshot(m_pDoc);
  return true;
}

CBlockProperties::CommentEdit CBlockProperties::RunComment(CBlockComment& comment, CSheetRunner& runner) {
  CBlockSheet sheet(0, u"Property", CPageContext{m_pDoc, false});
  CCommentPage& page = sheet.CommentPage();
  page.m_bFontButton = true;
  page.m_lfWorking = comment.m_lf;
  page.m_crWorking = comment.m_crText;
  page.m_chooseFont = m_chooseCommentFont;
  BlockPageValues values;
  values.m_strComment = comment.m_strText;
  sheet.LoadValues(values);
  if (runner.RunModal(sheet) != IDOK) return CommentEdit::kCancelled;
  CString text = sheet.Values().m_strComment;
  if (text.IsEmpty()) return CommentEdit::kEmptied;
  // Lines are kept separated by CR LF, whatever the edit gave.
  text.Replace(u"\r\n", u"\n");
  text.Replace(u"\n", u"\r\n");
  comment.m_strText = text;
  comment.m_lf = page.m_lfWorking;
  comment.m_crText = page.m_crWorking;
  SizeCommentToText(comment);
  if (m_pDoc && m_pDoc->m_sizePage.cx > 0 && m_pDoc->m_sizePage.cy > 0) {
    // The page area grows to hold the comment.
    const int right = comment.m_ptPos.x + comment.m_size.cx;
    const int bottom = comment.m_ptPos.y + comment.m_size.cy;
    const CSize page = m_pDoc->m_sizePage;
    if (right > page.cx || bottom > page.cy) {
      m_pDoc->m_nPagesAcross = std::max(m_pDoc->m_nPagesAcross, right / page.cx + 1);
      m_pDoc->m_nPagesDown = std::max(m_pDoc->m_nPagesDown, bottom / page.cy + 1);
      m_pDoc->m_rcDiagram.right = m_pDoc->m_nPagesAcross * page.cx;
      m_pDoc->m_rcDiagram.bottom = m_pDoc->m_nPagesDown * page.cy;
    }
  }
  if (m_pDoc) m_pDoc->m_undo.SaveSnapshot(m_pDoc);
  return CommentEdit::kChanged;
}

void CBlockProperties::SizeCommentToText(CBlockComment& comment) const {
  auto measure = [this, &comment](const CString& text) {
    if (m_measureText) return m_measureText(comment.m_lf, text);
    CRecordingDC dc;
    CFont font;
    font.CreateFontIndirect(&comment.m_lf);
    CFont old = dc.SelectObject(&font);
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(&old);
    return size;
  };
  const CString& text = comment.m_strText;
  const int lineHeight = measure(text).cy;
  int width = measure(u"Comment").cx;
  int lines = 0;
  int from = 0;
  while (true) {
    const int k = text.Find(u"\r\n", from);
    const CString line = k < 0 ? text.Mid(from) : text.Mid(from, k - from);
    width = std::max(width, static_cast<int>(measure(line).cx));
    ++lines;
    if (k < 0) break;
    from = k + 2;
  }
  comment.m_nLines = lines;
  comment.m_size = CSize(width, lines * lineHeight);
}

void RemoveMsgTextRefs(CZaradDoc& doc, const CBlockObj* block, int number) {
  for (const auto& b : doc.m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(b);
    if (!text) continue;
    for (int set = 0; set < 2; ++set)
      for (int line = 0; line < CBlockMSGTEXT::kLines; ++line)
        if (CBlockMSGTEXT::ElementList* list = text->Elements(set, line))
          std::erase_if(*list, [block, number](const std::unique_ptr<CWidget>& w) {
            return (block && w->m_pBlock == block) || (number >= 0 && w->m_nNumber == number);
          });
  }
}

void CBlockProperties::StoreLadderSimSetting(CBlockObj& element, int operand, SimValues s) {
  if (operand >= 4000) {
    // An analog contact's range follows the analog blocks it feeds.
    if (s.m_nMax < s.m_nMin) std::swap(s.m_nMin, s.m_nMax);
    int hi = 32767, lo = -32767;
    CAnalogRangeTracer(m_pDoc).GetAnalogInputRange(&element, &hi, &lo);
    if (s.m_bAutoRange) {
      const bool open = hi == 32767 && lo == -32767;
      s.m_nMin = open ? 0 : lo;
      s.m_nMax = open ? 1000 : hi;
    } else {
      s.m_nMin = std::max(s.m_nMin, lo);
      s.m_nMax = std::min(s.m_nMax, hi);
    }
    s.m_nValue = std::clamp(s.m_nValue, std::min(s.m_nMin, s.m_nMax), std::max(s.m_nMin, s.m_nMax));
  } else {
    s = NormalisedSim(s);
  }
  AnalogSimSetting& setting = m_pDoc->m_analogSimSettings[static_cast<UINT>(operand)];
  setting.nValues[kSimSettingAuto] = s.m_bAutoRange;
  setting.nValues[kSimSettingValue] = s.m_nValue;
  setting.nValues[kSimSettingMin] = s.m_nMin;
  setting.nValues[kSimSettingMax] = s.m_nMax;
  setting.nValues[kSimSettingMode] = s.m_nBehaviour;
  if (operand >= 4000)
    CAnalogRangeTracer(m_pDoc).UpdateAnalogInputRange(&element, m_pDoc->m_bSimulating != 0);
}

void CBlockProperties::WriteBack(CBlockObj& block, const BlockPageValues& values, bool live) {
  CopyPageToBlock(values, block);
  const PageFamily family = FamilyOfType(block.m_nType);
  if (m_pDoc &&
      (family == PageFamily::kComparator || family == PageFamily::kPI || family == PageFamily::kPWM))
    UpdateInputRangesOfBlock(*m_pDoc, &block, m_pDoc->m_bSimulating != 0);
  if (family == PageFamily::kLadder) {
    // The name goes under the operand the element addressed when the sheet
    // opened; only then does the element take its new operand.
    const int key = LadderNameKey(m_pDoc, block);
    if (m_pDoc && key >= 0) m_pDoc->m_operandNames[static_cast<UINT>(key)] = values.m_strComment;
    const int oldOperand = block.m_nOperand;
    if (m_pDoc && IsSimulatedLadderOperand(oldOperand)) StoreLadderSimSetting(block, oldOperand, values.sim);
    block.m_nOperand = values.ladder.m_nOperand;
    // OK (not the live Apply): the message texts drop what showed an operand
    // that no element addresses any more.
    if (!live && m_pDoc && oldOperand != block.m_nOperand && MsgTextShowsOperand(block.m_nType, oldOperand)) {
      bool stillUsed = false;
      for (const auto& other : m_pDoc->m_blocks)
        stillUsed = stillUsed ||
                    (FamilyOfType(other->m_nType) == PageFamily::kLadder && other->m_nOperand == oldOperand);
      if (!stillUsed) RemoveMsgTextRefs(*m_pDoc, nullptr, oldOperand);
    }
    return;
  }
  if (family != PageFamily::kOperandIo && family != PageFamily::kOperand) return;
  const OperandTypeInfo* info = GetOperandTypeInfo(block.m_nType);
  const int index = OperandIndexOfPage(block.m_nType, values.operand);
  if (info && index >= 0) {
    const int oldNumber = block.m_nNumber;
    block.m_nOperand = index;
    block.m_nNumber = info->base + index;
    if (m_pDoc && oldNumber != block.m_nNumber) {
      RefreshConnectionNumbers(*m_pDoc, oldNumber, block.m_nNumber);
      // On the newer series the message texts drop the elements that showed
      // the operand (open connectors and analog outputs are not shown there).
      const int t = block.m_nType;
      if (m_pDoc->IsNewerFamily() && t != kTypeOpenConnector && t != kTypeAnalogOutput)
        RemoveMsgTextRefs(*m_pDoc, &block, oldNumber);
    }
  }
  if (auto* in = dynamic_cast<CBlockIn*>(&block)) in->m_bHighSpeed = values.operand.m_bHighSpeed;
  const bool input = block.m_nType == kTypeInput || block.m_nType == kTypeFunctionKey;
  if (input || block.m_nType == kTypeAnalogInput) {
    const SimValues s = input ? NormalisedSim(values.sim) : values.sim;
    block.m_bAutoRange = s.m_bAutoRange;
    block.m_nSimValue = s.m_nValue;
    block.m_nMinValue = s.m_nMin;
    block.m_nMaxValue = s.m_nMax;
    if (input) block.m_nParam26 = s.m_nBehaviour;
    if (block.m_nType == kTypeAnalogInput && m_pDoc)
      CAnalogRangeTracer(m_pDoc).UpdateAnalogInputRange(&block, false);
  }
}

bool CBlockProperties::IsBlockSheetOpen(int number) const {
  return FindOpenSheet(number) != nullptr;
}

CBlockSheet* CBlockProperties::FindOpenSheet(int number) const {
  for (const auto& sheet : m_sheets)
    if (sheet->m_nBlockNumber == number) return sheet.get();
  return nullptr;
}

bool CBlockProperties::RenumberOpenSheet(int oldNumber, int newNumber) {
  CBlockSheet* sheet = FindOpenSheet(oldNumber);
  if (!sheet) return false;
  sheet->m_nBlockNumber = newNumber;
  return true;
}

void CBlockProperties::CloseSheet(CBlockSheet* sheet) {
  auto it =
      std::find_if(m_sheets.begin(), m_sheets.end(), [sheet](const auto& s) { return s.get() == sheet; });
  if (it == m_sheets.end()) return;
  // A timer whose time was taken from a block keeps 0 s as its constant time.
  const int t = sheet->Type();
  if (m_pDoc && (t == kTypeDPR || t == kTypeDDR || t == kTypePLR))
    if (CBlockObj* block = m_pDoc->FindBlockByNumber(sheet->m_nBlockNumber); block && block->m_bUseRef[0]) {
      block->m_nParam9 = 0;
      block->m_nParam10 = 0;
      block->m_nParam11 = TIMEBASE_SECONDS;
    }
  m_sheets.erase(it);
}

bool CBlockProperties::ApplySheet(CBlockSheet& sheet, int activePage) {
  // A modeless sheet writes into the running diagram only: once the
  // simulation ended it is closed, and nothing it still sends is taken.
  if (!sheet.IsModeless() || !m_pDoc || !m_pDoc->m_bSimulating) return false;
  if (!sheet.OnApply(activePage)) return false;
  BlockParamRecord record;
  record.typeCode = sheet.Type();
  record.number = sheet.m_nBlockNumber;
  record.values = sheet.Values();
  // A reference whose box is not ticked carries no block.
  for (int k = 0; k < kRefSlots; ++k)
    if (!record.values.pattern.m_bRef[k]) record.values.pattern.m_pRef[k] = nullptr;
  if (sheet.Type() == kTypeInput || sheet.Type() == kTypeOutput || sheet.Type() == kTypeAnalogInput ||
      sheet.Type() == kTypeAnalogOutput)
    if (auto* io = dynamic_cast<CConstantsIOPar*>(sheet.TypePage()); io && io->IsInitialised()) {
      io->UpdateOperandNumber();
      if (sheet.Type() == kTypeInput && io->m_nOperandIndex > 3) {
        io->m_bHighSpeed = 0;
        io->Host().SetCheck(CConstantsIOPar::kIdHighSpeed, 0);
      }
      record.values.operand = *io;
    }
  if (CParamPage* page = sheet.TypePage()) page->PrepareApplyValues(record.values);
  if (!ApplyBlockParams(record)) return false;
  if (const CString title = OperandSheetTitle(sheet.Type(), record.values.operand); !title.IsEmpty())
    sheet.SetCaption(title);
  for (CParamPage* page : sheet.Pages()) page->SetModified(false);
  if (m_pDoc) m_pDoc->m_undo.SaveSnapshot(m_pDoc);
  return true;
}

bool CBlockProperties::ApplyBlockParams(const BlockParamRecord& record) {
  if (!m_pDoc) return false;
  CBlockObj* block = m_pDoc->FindBlockByNumber(record.number);
  // The record names its block; a block of another kind never takes it.
  if (!block || block->m_nType != record.typeCode) return false;
  const int oldNumber = block->m_nNumber;
  const int oldBehaviour = block->m_nParam26;
  const int oldX1 = block->m_nParam14, oldX2 = block->m_nParam15, oldX5 = block->m_nParam18,
            oldX7 = block->m_nParam20;
  WriteBack(*block, record.values, true);
  ApplyLiveOnly(*block, oldX1, oldX2, oldX5, oldX7);
  if (block->m_nType == kTypeInput || block->m_nType == kTypeFunctionKey) {
    // The simulated output follows the new behaviour.
    const int behaviour = block->m_nParam26;
    int& out = block->m_nValue[10];
    if (behaviour == kBehaviourFrequency || behaviour == 1) {
      if (out == 1) block->m_bChanged[10] = 1;
      out = 0;
    } else if (behaviour == 2) {
      if (out == 0) block->m_bChanged[10] = 1;
      out = 1;
    } else if (oldBehaviour == 2) {
      out = 0;
      block->m_bChanged[10] = 1;
    }
  }
  if (block->m_nNumber != oldNumber) RenumberOpenSheet(oldNumber, block->m_nNumber);
  return true;
}

void CBlockProperties::ApplyLiveOnly(CBlockObj& b, int oldX1, int oldX2, int oldX5, int oldX7) {
  const bool simulating = m_pDoc && m_pDoc->m_bSimulating;
  switch (b.m_nType) {
    case kTypeSLS:
    case kTypeMFS: {
      // Pre-warning values equal to the standard ones switch the standard on.
      if (b.m_nParam18 != 0 || b.m_pRef[2] || b.m_pRef[3]) break;
      const int warnLow = b.m_nParam19, warnHigh = b.m_nParam20, periodLow = b.m_nParam21,
                periodHigh = b.m_nParam22;
      bool standard = false;
      if (b.m_nType == kTypeMFS) {
        standard = warnLow == 0 && warnHigh == 0 && periodLow == 0 && periodHigh == 0;
      } else {
        // The unit the page's standard values follow: Ref1's unit while Ref1
        // is set, else the off-delay's.
        const int unit = b.m_pRef[1] ? b.m_nParam13 : b.m_nParam16;
        if (unit < TIMEBASE_SECONDS)
          standard = warnHigh == 0 && warnLow == 15 && periodHigh == 0 && periodLow == 1;
        else if (unit == TIMEBASE_SECONDS)
          standard = warnHigh == 0 && warnLow == 75 && periodHigh == 0 && periodLow == 5;
      }
      if (standard) b.m_nParam18 = 1;
      break;
    }
    case kTypeHCOUNTER:
      if (auto* h = dynamic_cast<CBlockHCOUNTER*>(&b); h && simulating) {
        double referenced = 0;
        ReadReferencedValue(b.m_pRef[0], &referenced);
        h->m_nRemaining = b.m_pRef[0] ? static_cast<int>(referenced) : b.m_nParam9 + b.m_nParam10 * 60;
        if (b.m_nValue[2] == 1) {
          b.m_nParam15 = 0;
          h->m_nOperating = h->m_nOperatingAtStart = 0;
        } else if (b.m_nValue[0] != 0) {
          b.m_nParam15 = oldX2;
          h->m_nOperating = h->m_nOperatingAtStart = oldX1 + oldX2 * 60;
        }
      }
      break;
    case kTypeENCODER:
      if (b.m_nParam20 != oldX7 && m_pDoc) {
        const int first = b.m_nParam20 == 0 ? 100 : 102;
        const CBlockObj* a = m_pDoc->FindBlockByNumber(first);
        const CBlockObj* c = m_pDoc->FindBlockByNumber(first + 1);
        b.m_nValue[b.m_nParam20 == 0 ? 2 : 3] =
            a && c && a->m_nValue[kFirstOutputPin] == 1 && c->m_nValue[kFirstOutputPin] == 1;
      }
      break;
    case kTypeMessageText:
      if (b.m_nParam18 != oldX5) {
        b.m_nParam1 = b.m_nParam18 && b.m_nValue[kFirstOutputPin] == 1 ? 1 : 0;
        if (auto* m = dynamic_cast<CBlockMSGTEXT*>(&b)) m->m_bAckLatch = b.m_nParam18;
      }
      break;
    default:
      break;
  }
}

int CBlockProperties::ShowCurrentParameterValue(CBlockObj& block, CViewContext* view) {
  if (m_sheets.empty()) return 0;
  if (!view) view = m_pView;
  // The value goes to the page in front when it has a value box: the type
  // page, or the weekly timer's cam page (its general page has none). A sheet
  // showing its comment page is passed over; the other sheets go on showing
  // their blocks' values.
  if (CBlockSheet* sheet = FindOpenSheet(block.m_nNumber)) {
    CString text;
    auto* page = dynamic_cast<CBlockParamPage*>(sheet->ActivePage());
    if (page && page->HasValueBox() && FormatCurrentValue(block, view, &text)) page->ShowCurrentValue(text);
  }
  return static_cast<int>(m_sheets.size());
}

bool FormatCurrentValue(CBlockObj& block, CViewContext* view, CString* text) {
  const int t = block.m_nType;
  auto in = [t](int lo, int hi) { return t >= lo && t <= hi; };
  const int value = static_cast<int>(block.m_dValue);
  auto timeText = [&]() {
    CString s;
    if (view) block.FormatTimeText(view, &s);
    *text = s;
    return !s.IsEmpty();
  };
  auto* analog = dynamic_cast<CBlockAnalog*>(&block);
  if (t == kTypeDPR || t == kTypeDDR || t == kTypePLR || t == kTypeCPG) {
    *text = block.m_strValueText;
    return true;
  }
  if (in(kTypeMPLR, kTypeSW) || t == kTypeMATHERR) return timeText();
  if (t == kTypeCOUNTER || t == kTypeENCODER) {
    *text = FormatString(u"%6ld", static_cast<long>(value));
    return true;
  }
  if (t == kTypeHCOUNTER) {
    auto* h = dynamic_cast<CBlockHCOUNTER*>(&block);
    if (!h) return false;
    *text = FormatString(u"MI=%4ldh%2ldm/MN=%5ldh%2ldm/OT=%5ldh%2ldm", static_cast<long>(block.m_nParam10),
                         static_cast<long>(block.m_nParam9), static_cast<long>(h->m_nRemaining / 60),
                         static_cast<long>(h->m_nRemaining % 60), static_cast<long>(h->m_nOperating / 60),
                         static_cast<long>(h->m_nOperating % 60));
    return true;
  }
  if (t == kTypeTHTRG) {
    auto* tr = dynamic_cast<CBlockTHTRG*>(&block);
    const int tenth = static_cast<int>(block.m_dValue * 0.1);
    *text = FormatString(u"%6ld/%02d:%02d%s", static_cast<long>(tr ? tr->m_nMeasured : 0), tenth / 100,
                         tenth % 100, u"s");
    return true;
  }
  if (analog && (in(kFirstAnalogType, kLastAnalogType) || in(kTypeAMATH, kTypeAVGVAL))) {
    if (t == kTypeAWDOG)
      *text = FormatString(u"%6ld/%6ld", static_cast<long>(analog->m_nResult),
                           static_cast<long>(analog->m_nEnableValue));
    else if (t == kTypeADTRG)
      *text = FormatString(u"%6ld/%d", static_cast<long>(analog->m_nResult),
                           analog->m_nThreshold1 + analog->m_nThreshold2);
    else
      *text = FormatString(u"%6ld", static_cast<long>(analog->m_nResult));
    return true;
  }
  if (in(kTypeROL, kTypeSHR) || t == kTypeRAND || t == kTypeMOD || t == kTypeREM ||
      in(kFirstMaskType, kLastMaskType)) {
    *text = FormatString(u"%-6d", value);
    return true;
  }
  if (t == kTypeBCD || t == kTypeCRC16) {
    *text = FormatString(u"0x%04X", value & 0xFFFF);
    return true;
  }
  if (t == kTypeBIN) {
    *text = FormatString(u"%4d", value);
    return true;
  }
  if (t == kTypeSEG) {
    *text = FormatString(u"0x%02X", value & 0xFF);
    return true;
  }
  if (t == kTypeTDT) {
    *text = block.m_strValueText;
    return true;
  }
  if (in(kTypeABS, kTypeLCM)) {
    *text = FormatString(u"%6d", value);
    return true;
  }
  if (t == kTypeARRMXIV || t == kTypeACMXIV || t == kTypeQUAD || t == kTypeLOG || t == kTypeSQRT ||
      in(kTypePOW2, kTypeCSC)) {
    *text = FormatString(u"%d", value);
    return true;
  }
  return false;
}
