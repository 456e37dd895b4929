#include "msgtext/msg_text_rules.h"

#include <algorithm>

#include "blocks/analog_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_captions.h"
#include "model/name_tables.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"

namespace {

constexpr BYTE kCapsActualValue = 0x10;

}  // namespace

int MsgElementLines(int kind) {
  if (kind == MSGELEM_GRAPH) return 4;
  if (kind == MSGELEM_SCOPE || kind == MSGELEM_POINTER) return 3;
  return 1;
}

bool CanPlaceNewer(const MsgCellSpan& span, int kind, const std::vector<MsgCellSpan>& shown,
                   const std::function<UINT(int row, int col)>& state) {
  const int r = span.row;
  const int c = span.col;
  if (r < 1 || r > kMsgDisplayLines || c < 1 || c > kMsgNewerLastColumn) return false;
  if ((kind == MSGELEM_SCOPE || kind == MSGELEM_POINTER) && r > 2) return false;
  if (kind == MSGELEM_GRAPH && r > 1) return false;
  if (r + span.lines - 1 > kMsgDisplayLines) return false;
  for (const MsgCellSpan& other : shown)
    if (span.Overlaps(other)) return false;
  if (c + span.width > kMsgNewerLastColumn + 1) return false;
  if (state) {
    if (state(r, c + span.width - 1) & kMsgCellFirstHalf) return false;
    if (state(r, c) & kMsgCellSecondHalf) return false;
  }
  return true;
}

bool CanPlaceOlder(const MsgCellSpan& span, bool lineHasElement) {
  if (span.row < 1 || span.row > kMsgDisplayLines || span.col < 1 || span.col > kMsgOlderLastColumn)
    return false;
  if (lineHasElement) return false;
  return span.col + span.width <= kMsgOlderLastColumn + 1;
}

CString PlacementFailureText(int blockNumber) {
  return FormatString(u"Can't insert the selected Object at this position B%d [Message Texts]",
                      blockNumber - kFirstFunctionBlockNumber);
}

int MaxElementsPerSet(int kind) {
  switch (kind) {
    case MSGELEM_BARGRAPH:
    case MSGELEM_SCALETIME:
      return 8;
    case MSGELEM_SCOPE:
    case MSGELEM_POINTER:
    case MSGELEM_GRAPH:
      return 2;
    default:
      return 0;
  }
}

CString ElementLimitText(int kind) {
  const char16_t* format = u"Maximun %d %s can be used in one message text.";
  switch (kind) {
    case MSGELEM_BARGRAPH:
      return FormatString(format, 8, u"bar graphs");
    case MSGELEM_SCOPE:
      return FormatString(format, 2, u"scopes");
    case MSGELEM_POINTER:
      return FormatString(format, 2, u"pointers");
    case MSGELEM_SCALETIME:
      return CString(u"Maximun 8 scale times can be used in one message text.");
    case MSGELEM_GRAPH:
      return FormatString(u"Maximun %d graphs can be used in one message text.", 2);
    default:
      return CString();
  }
}

bool NeedsActualValueBlock(int kind) {
  return kind == MSGELEM_BARGRAPH || kind == MSGELEM_SCOPE || kind == MSGELEM_POINTER ||
         kind == MSGELEM_SCALETIME;
}

COLORREF MsgElementColor(int kind) {
  switch (kind) {
    case MSGELEM_BARGRAPH:
    case MSGELEM_SCOPE:
    case MSGELEM_POINTER:
    case MSGELEM_GRAPH:
      return 0xFF8080;
    case MSGELEM_SCALETIME:
      return 0xC0C080;
    case MSGELEM_IOSTATUS:
      return 0xC0C0C0;
    default:
      return 0x808080;
  }
}

bool HasActualValue(const CBlockObj& block) {
  return (block.m_byCaps & kCapsActualValue) != 0;
}

bool DocumentHasActualValueBlock(const CZaradDoc& doc) {
  for (const CBlockObj* block : doc.m_blocks)
    if (HasActualValue(*block)) return true;
  return false;
}

std::vector<int> OfferedPrioritySlots(const CZaradDoc& doc, int blockNumber) {
  bool taken[kMsgPrioritySlots] = {};
  for (const CBlockObj* block : doc.m_blocks) {
    const auto* text = dynamic_cast<const CBlockMSGTEXT*>(block);
    if (!text || text->m_nNumber == blockNumber) continue;
    const int p = text->GetPriority();
    if (p >= 0 && p < kMsgPrioritySlots) taken[p] = true;
  }
  std::vector<int> slots;
  for (int p = 0; p < kMsgPrioritySlots; ++p)
    if (!taken[p]) slots.push_back(p);
  return slots;
}

bool IsMsgTextListBlock(const CBlockObj& block, bool newerSeries) {
  const int t = block.m_nType;
  if (dynamic_cast<const CBlockTime*>(&block) || dynamic_cast<const CBlockAnalog*>(&block)) return true;
  if (t >= kTypeCOUNTER && t <= kTypeTHTRG) return true;
  if (t == kTypeMATHERR) return true;
  if (t >= kTypeBCD && t <= kTypeQUAD) return t != kTypeMEM && !(newerSeries && t == kTypeUDC);
  return false;
}

CString MsgTextBlockEntry(const CBlockObj& block) {
  CString entry = FormatString(u"B%d", block.m_nNumber - kFirstFunctionBlockNumber);
  entry += LookupBlockName(g_BlockCaptionMap, static_cast<UINT>(block.m_nType));
  return entry;
}

std::vector<int> DisplayParamsOf(const MsgParamRow* row, int type, bool newerSeries) {
  std::vector<int> params;
  if (!row) return params;
  const int count = newerSeries ? row->nCount : row->nCountOld;
  const int first = newerSeries && type == kTypeAWDOG ? 1 : 0;
  for (int k = 0; k < count; ++k) {
    const size_t at = static_cast<size_t>(first + k);
    if (at >= row->display.size() || row->display[at] < 0) break;
    params.push_back(row->display[at]);
  }
  return params;
}

std::vector<int> ActualValuesOf(const MsgParamRow* row) {
  std::vector<int> values;
  if (!row) return values;
  for (int v : row->actual)
    if (v >= 0) values.push_back(v);
  return values;
}

CString MsgElementLabel(int paramIndex) {
  switch (paramIndex) {
    case 12:
      return CString(u"Pre-warning time");
    case 13:
      return CString(u"Pre-warning period");
    case 19:
      return CString(u"Maintenance...");
    case 30:
      return CString(u"Ax(Amplified) - Ay...");
    case 33:
      return CString(u"...");
    case 37:
      return CString(u"On...");
    case 38:
      return CString(u"Off...");
    case 77:
      return CString(u"Time Z");
    default:
      break;
  }
  if (paramIndex < 0 || paramIndex >= static_cast<int>(g_ParameterNames.size())) return CString();
  return g_ParameterNames[static_cast<size_t>(paramIndex)];
}

bool IsDoubleWidthChar(char16_t ch) {
  return ch >= 0x80 && GetCharClass(ch) == 1;
}

int TickerLineForChar(int v) {
  const int line = (v - v % 100) * 10;
  return std::clamp(line, 1000, 100000);
}

int TickerCharAfterSpin(int value, int delta) {
  if (delta > 0 && value < 100) return value;
  const int next = value + 100 * delta;
  const int rounded = next - next % 100;
  return next < 0 && next % 100 != 0 ? rounded - 100 : rounded;
}

bool IsTickerCharStep(int v) {
  return v % 100 == 0;
}

CString TickerIntervalText() {
  return CString(u"Please enter an integer number between 100 and 10000 with an interval of 100.");
}

CString CharSetDescription(int charSet) {
  if (charSet == 0) return CString(u"SC:Simplified Chinese, English");
  if (charSet == 1) return CString(u"TC:Traditional Chinese, English");
  return CString(u"Others:English, Spanish,...");
}

CString CharSetLanguage(int charSet) {
  if (charSet == 0) return CString(u"Simplfied Chinese");
  if (charSet == 1) return CString(u"Traditional Chinese");
  return CString(u"English,Spanish,...");
}

int WantedCharClassOf(int charSet) {
  return charSet == 0 ? 1 : charSet;
}

int ClearNonAsciiCells(CZaradDoc& doc, bool set1, bool set2) {
  int cleared = 0;
  const CString first(u"\u0080");
  for (CBlockObj* block : doc.m_blocks) {
    auto* text = dynamic_cast<CBlockMSGTEXT*>(block);
    if (!text) continue;
    for (int set = 0; set < 2; ++set) {
      if ((set == 0 && !set1) || (set == 1 && !set2)) continue;
      auto& cells = set == 0 ? text->m_strTextSet1 : text->m_strTextSet2;
      for (int r = 1; r <= kMsgDisplayLines; ++r)
        for (int c = 1; c <= kMsgNewerLastColumn; ++c)
          if (cells[r][c] >= first) {
            cells[r][c] = CString();
            ++cleared;
          }
    }
  }
  return cleared;
}
