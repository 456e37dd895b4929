// Message texts read back: the older series' row records of area C and the
// newer series' pages, the inverse of msgtext_encoder.cpp. They are decoded
// after the whole program area, so that every block an element names exists
// and the element's record layout (which depends on that block's type) is
// known. Positions, widths and counts from the image are checked before any
// cell or list is written; an element that does not fit is left out.
#include <algorithm>
#include <memory>
#include <string>

#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "image/image_layout.h"
#include "image/msgtext_layout.h"
#include "image/program_decoder.h"
#include "model/block_captions.h"
#include "model/block_codes.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/param_display_width.h"
#include "msgtext/widget.h"
#include "platform/code_page.h"

namespace {

using namespace msgtext_layout;

constexpr COLORREF kValueColour = 0x808080;
constexpr COLORREF kIoColour = 0xC0C0C0;
constexpr COLORREF kGraphicColour = 0xFF8080;

CString OneChar(unsigned c) {
  if (c == 0 || c == u' ') return CString();
  return CString(std::u16string(1, static_cast<char16_t>(c)));
}

// The display parameter k of a type (its editors' list), -1 when none.
int DisplayParam(int type, int k) {
  const MsgParamRow* row = FindMsgParamRow(type);
  if (row == nullptr || k < 0 || k >= static_cast<int>(row->display.size())) return -1;
  return row->display[static_cast<size_t>(k)];
}

int ActualParam(int type, int k) {
  const MsgParamRow* row = FindMsgParamRow(type);
  if (row == nullptr || k < 0 || k >= static_cast<int>(row->actual.size())) return -1;
  return row->actual[static_cast<size_t>(k)];
}

CString ParamName(int param) {
  return param >= 0 && static_cast<size_t>(param) < g_ParameterNames.size()
             ? g_ParameterNames[static_cast<size_t>(param)]
             : CString();
}

// The parameter of this message text that a value element of marker or kind 3..6 shows.
int OwnParam(int kind) {
  switch (kind) {
    case 3:
      return 34;
    case 4:
      return 1;
    case 5:
      return 2;
    case 6:
      return 3;
    default:
      return -1;
  }
}

// The position of a stored value code among a type's value codes; -1 when the
// type has none (then the record holds no value-code bytes).
int ValueCodeOrdinal(int type, int code) {
  BYTE bytes[2];
  if (!MsgValueCodeBytes(type, 0, bytes)) return -1;
  for (int k = 0; k < 3; ++k) {
    if (MsgValueCodeBytes(type, k, bytes) && bytes[0] != 0xFF && bytes[0] == code) return k;
  }
  return 0;
}

}  // namespace

bool CProgramDecoder::DecodeMessageText(CBlockMSGTEXT* block, int message) {
  m_messages.push_back(block);
  (void)message;
  return true;
}

void CProgramDecoder::ResolveMessageTextReferences() {
  for (size_t i = 0; i < m_messages.size() && !m_bFailed; ++i) {
    CBlockMSGTEXT* block = m_messages[i];
    if (!m_bNewer) {
      DecodeMessageTextArea(block, static_cast<int>(i));
      continue;
    }
    if (m_nPageCount == 0) continue;  // the pages were not read
    if (static_cast<int>(i) >= m_nPageCount) {
      Fail(CString(
          u"The program read from the device is damaged: it holds more message texts than text pages."));
      return;
    }
    DecodeMessageTextPage(block, static_cast<int>(i));
  }
}

void CProgramDecoder::DecodeMessageTextArea(CBlockMSGTEXT* block, int message) {
  const std::span<const BYTE> c = Area(u"C");
  const size_t base = static_cast<size_t>(message) * kTextAreaPerBlock;
  if (base + kTextAreaPerBlock > c.size()) return;
  for (int r = 1; r <= 4; ++r) {
    const BYTE* rec = c.data() + base + static_cast<size_t>(r - 1) * kRecord;
    const int kind = rec[0];
    if (kind == 1) {
      for (int k = 0; k < kOldCells; ++k) {
        const BYTE g = rec[2 + k];
        block->m_strTextSet1[r][k + 1] = g == kLcdBlank ? CString() : OneChar(LcdCharReverse(g));
        if (g == 0) {
          for (int rest = k; rest < kOldCells; ++rest) block->m_strTextSet1[r][rest + 1] = CString();
          break;
        }
      }
      continue;
    }
    if (kind < 2 || kind > 6) continue;
    const int col = rec[1];
    CBlockObj* target = block;
    int param = OwnParam(kind);
    int elementKind = MSGELEM_UNSET;
    int number = block->m_nNumber;
    size_t textAt = 2;
    if (kind == 2) {
      number = kFirstFunctionBlockNumber + (ReadWordLE(rec + 2) & 0x3FF);
      target = Find(number);
      int type = target != nullptr ? target->m_nType : TypeOfCodeBytes(rec[4], 0);
      elementKind = rec[5];
      if (dynamic_cast<CBlockRG*>(target) != nullptr) --elementKind;
      param = DisplayParam(type, elementKind);
      textAt = 7;
    }
    const int width = GetParamDisplayWidth(param);
    // The element must lie inside the row's twelve cells.
    if (param < 0 || col > kOldCells - 1 || col + width > kOldCells) continue;
    if (kind == 5 || kind == 6) textAt += static_cast<size_t>(width);
    const size_t length = static_cast<size_t>(kOldCells - width);
    CString chars[kOldCells];
    int count = 0;
    for (size_t i = 0; i < length && textAt + i < kRecord; ++i) {
      const BYTE g = rec[textAt + i];
      if (g == 0) break;
      chars[count++] = g == kLcdBlank ? CString() : OneChar(LcdCharReverse(g));
    }
    int next = 0;
    for (int k = 0; k < kOldCells; ++k) {
      CString& cell = block->m_strTextSet1[r][k + 1];
      if (k >= col && k < col + width)
        cell = CString();
      else
        cell = next < count ? chars[next++] : CString();
    }
    auto e = std::make_unique<CWidget>(col * 20, (r - 1) * 36, width * 20, 36, kValueColour);
    e->m_nRow = r;
    e->m_nCol = col + 1;
    e->m_pBlock = target;
    e->m_nNumber = number;
    e->m_nParam = param;
    e->m_strLabel = ParamName(param);
    e->m_nKind = elementKind;
    e->m_nWidth = width;
    e->m_pDoc = &m_doc;
    block->m_ElementsSet1[r - 1].push_back(std::move(e));
  }
}

void CProgramDecoder::DecodeMessageTextPage(CBlockMSGTEXT* block, int pageIndex) {
  const BYTE* page = m_image.pages.data() + static_cast<size_t>(pageIndex) * kTextPageSize;
  // Elements first: their attribute columns hold markers, not text attributes.
  bool covered[2][4][kAttrRow] = {};
  for (int set = 0; set < 2; ++set) DecodeMessageElements(block, page, set);
  for (int set = 0; set < 2; ++set) {
    for (int line = 0; line < 4; ++line) {
      for (const auto& e : *block->Elements(set, line)) {
        const int lines = e->GetLineCount();
        const int span = e->m_nKind == MSGELEM_BARGRAPH ? std::max(e->m_nWidth, 2) : std::max(e->m_nWidth, 4);
        for (int l = line; l < line + lines && l < 4; ++l) {
          for (int c = e->m_nCol - 1; c < e->m_nCol - 1 + span && c < kAttrRow; ++c) {
            if (c >= 0) covered[set][l][c] = true;
          }
        }
      }
    }
  }

  for (int set = 0; set < 2; ++set) {
    const int charSet = set == 0 ? m_doc.m_nCharSet1 : m_doc.m_nCharSet2;
    const UINT codePage = charSet == 1 ? kCodePageTraditionalChinese : kCodePageSimplifiedChinese;
    auto& grid = set == 0 ? block->m_strTextSet1 : block->m_strTextSet2;
    for (int r = 1; r <= 4; ++r) {
      const BYTE* attr = page + set * kSetAttrBytes + (r - 1) * kAttrRow;
      const BYTE* text = page + kTextStart + set * kSetTextBytes + (r - 1) * kTextRowBytes;
      for (int k = 1; k <= kNewCells; ++k) {
        const int a = attr[k - 1];
        const BYTE* t = text + (k - 1) * 2;
        const int w = t[0] | (t[1] << 8);
        // Under an element the attribute is the element's: the text bytes tell
        // a double-byte character (its lead byte is 0x81 or above).
        const bool under = covered[set][r - 1][k - 1];
        const bool doubleByte = charSet <= 1 && (under ? t[1] >= 0x81 : (a == 0x51 || a == 0x61));
        // A double-byte character needs the next column for itself.
        if (doubleByte && k < kNewCells) {
          const char bytes[2] = {static_cast<char>(t[1]), static_cast<char>(t[0])};
          const CodePageText decoded = CodePageToWide(codePage, std::string_view(bytes, 2));
          grid[r][k] = decoded.ok && decoded.text.GetLength() == 1 ? decoded.text : CString(u"?");
          grid[r][k + 1] = CString();
          ++k;
          continue;
        }
        const char16_t special = a == 0xFF ? 0 : SpecialChar(w);
        grid[r][k] = OneChar(special != 0 ? special : static_cast<unsigned>(w & 0xFFFF));
      }
    }
  }
  *block->Setting(3) = page[27];
  *block->Setting(4) = page[kSetAttrBytes + 27];
  for (int r = 1; r <= 4; ++r) {
    *block->Setting(5 + 2 * (r - 1)) = page[(r - 1) * kAttrRow + 28];
    *block->Setting(6 + 2 * (r - 1)) = page[kSetAttrBytes + (r - 1) * kAttrRow + 28];
  }
  *block->Setting(1) = page[29];
  *block->Setting(2) = page[30];
}

void CProgramDecoder::DecodeMessageElements(CBlockMSGTEXT* block, const BYTE* page, int set) {
  const BYTE* attrBase = page + set * kSetAttrBytes;
  int bars = 0;
  for (int r = 1; r <= 4; ++r) {
    CBlockMSGTEXT::ElementList& list = *block->Elements(set, r - 1);
    const BYTE* row = attrBase + (r - 1) * kAttrRow;
    int c = 0;
    while (c < kNewCells) {
      CAreaReader rd(row, kAttrRow, static_cast<size_t>(c));
      const int marker = rd.Byte();
      std::unique_ptr<CWidget> e;
      int next = c + 1;
      const auto make = [&](int cx, int cy, COLORREF colour) {
        e = std::make_unique<CWidget>(c * 20, (r - 1) * 37, cx, cy, colour);
        e->m_nRow = r;
        e->m_nCol = c + 1;
        e->m_pDoc = &m_doc;
      };
      // The value code of a graphic element and the parameter it selects.
      const auto valueCode = [&](CWidget& w, CAreaReader& from) {
        const CBlockObj* b = Find(w.m_nNumber);
        w.m_pBlock = const_cast<CBlockObj*>(b);
        if (b == nullptr) return;
        BYTE probe[2];
        if (!MsgValueCodeBytes(b->m_nType, 0, probe)) return;
        const int code = from.Byte();
        from.Skip(1);
        w.m_nValueIndex = std::max(ValueCodeOrdinal(b->m_nType, code), 0);
        w.m_nParam = ActualParam(b->m_nType, w.m_nValueIndex);
        w.m_strLabel = ParamName(w.m_nParam);
      };
      switch (marker) {
        case 2: {
          const int codeByte = rd.Byte();
          const int word = rd.Word();
          const int number = kFirstFunctionBlockNumber + (word & 0xFFF);
          CBlockObj* b = Find(number);
          const int type = b != nullptr ? b->m_nType : TypeOfCodeBytes(codeByte, 0);
          const int kind = (word >> 12) & 0xF;
          const int param = DisplayParam(type, type == kTypeAWDOG ? kind + 1 : kind);
          // A parameter the catalogue does not list keeps the element, one cell wide.
          const int width = std::max(GetParamDisplayWidth(param), 1);
          if (c + width > kNewCells) break;
          make(width * 20, 37, kValueColour);
          e->m_pBlock = b;
          e->m_nNumber = number;
          e->m_nParam = param;
          e->m_strLabel = ParamName(param);
          e->m_nKind = kind;
          e->m_nWidth = width;
          next = c + std::max(width, 4);
          break;
        }
        case 3:
        case 4:
        case 5:
        case 6: {
          const int param = OwnParam(marker);
          const int width = GetParamDisplayWidth(param);
          if (width <= 0 || c + width > kNewCells) break;
          make(width * 20, 37, kValueColour);
          e->m_pBlock = block;
          e->m_nNumber = block->m_nNumber;
          e->m_nParam = param;
          e->m_strLabel = ParamName(param);
          e->m_nWidth = width;
          next = c + width;
          break;
        }
        case 7:
        case 14: {
          if (marker == 7) rd.Skip(1);
          const int word = rd.Word();
          const int analogType = marker == 7 ? kTypeAnalogInput : kTypeAnalogFlag;
          int number = 0;
          int type = 0;
          if (!OperandOfWord(word, &number, &type) || type != analogType) break;
          const int param = DisplayParam(analogType, 0);
          const int width = std::max(GetParamDisplayWidth(param), 1);
          if (c + width > kNewCells) break;
          make(width * 20, 37, kValueColour);
          e->m_pBlock = OperandBlock(number, analogType);  // the element's operand, made on demand
          e->m_nNumber = number;
          e->m_nParam = param;
          e->m_strLabel = ParamName(param);
          e->m_nWidth = width;
          next = c + std::max(width, marker == 7 ? 4 : 3);
          break;
        }
        case 8: {
          const int name = rd.Byte();
          const int word = rd.Word();
          if (name >= kMaxIoNames || c + 8 > kNewCells) break;
          make(160, 37, kIoColour);
          int number = word;
          int type = 0;
          CBlockObj* b = nullptr;
          if (((word >> 12) & 0xF) == 7) {
            number = kFirstFunctionBlockNumber + (word & 0x3FF);
            b = Find(number);
          } else if (word != 0xFFFF && OperandOfWord(word, &number, &type)) {
            b = OperandBlock(number, type);
          }
          e->m_pBlock = b;
          e->m_nNumber = number;
          if (b != nullptr) {
            e->m_nParam = DisplayParam(b->m_nType, 0);
            e->m_strLabel = LookupBlockName(g_BlockCaptionMap, static_cast<UINT>(b->m_nType));
          }
          e->m_nKind = MSGELEM_IOSTATUS;
          e->m_nWidth = 8;
          const BYTE* names = page + kIoNameStart + set * kSetIoNameBytes + name * kIoNameBytes;
          // Each byte is one letter of a name, a blank included (the editor's
          // empty letter); only a zero byte is an empty text.
          for (int i = 0; i < kIoNameBytes; ++i) {
            const int text = i < 8 ? 10 + i : 11 + i;
            e->m_strCell[text / CWidget::kCellCols][text % CWidget::kCellCols] =
                names[i] == 0 ? CString() : CString(std::u16string(1, static_cast<char16_t>(names[i])));
          }
          next = c + 8;
          break;
        }
        case 10: {
          rd.Skip(1);
          const int number = kFirstFunctionBlockNumber + (rd.Word() & 0x3FF);
          if (c + 11 > kNewCells) break;
          make(220, 37, kGraphicColour);
          e->m_nNumber = number;
          valueCode(*e, rd);
          e->m_nOption = rd.Byte();
          e->m_nKind = MSGELEM_SCALETIME;
          e->m_nWidth = 11;
          next = c + 11;
          break;
        }
        case 11:
        case 12: {
          rd.Skip(1);
          const int number = kFirstFunctionBlockNumber + (rd.Word() & 0x3FF);
          if (r + 2 > 4 || c + 12 > kNewCells) break;
          make(240, 111, kGraphicColour);
          e->m_nNumber = number;
          valueCode(*e, rd);
          e->m_nMax = rd.SignedWord();
          e->m_nMin = rd.SignedWord();
          if (marker == 11) m_doc.m_nScopeTime = rd.Word();
          e->m_nKind = marker == 11 ? MSGELEM_SCOPE : MSGELEM_POINTER;
          e->m_nWidth = 12;
          next = c + 12;
          break;
        }
        case 27:
        case 28:
        case 43:
        case 44:
          next = c + 12;
          break;
        case 0xA9: {
          rd.Skip(1);
          if (bars >= kMaxBars) break;
          CAreaReader bar(page + kBarStart + set * kSetBarBytes + bars * kBarBytes, kBarBytes);
          ++bars;
          const int number = kFirstFunctionBlockNumber + (bar.Word() & 0x3FF);
          auto w = std::make_unique<CWidget>();
          w->m_nNumber = number;
          valueCode(*w, bar);
          const int max = bar.SignedWord();
          const int min = bar.SignedWord();
          bar.Skip(1);
          const int width = bar.Byte() + 1;
          if (c + width > kNewCells) break;
          make(width * 20, 37, kGraphicColour);
          e->m_nNumber = number;
          e->m_pBlock = w->m_pBlock;
          e->m_nValueIndex = w->m_nValueIndex;
          e->m_nParam = w->m_nParam;
          e->m_strLabel = w->m_strLabel;
          e->m_nMax = max;
          e->m_nMin = min;
          e->m_nKind = MSGELEM_BARGRAPH;
          e->m_nWidth = width;
          next = c + std::max(width, 2);
          break;
        }
        case 0xDD: {
          const int part = rd.Byte();
          const int picture = rd.Byte();
          next = c + 12;
          if (part != 0 || r + 3 > 4 || c + 12 > kNewCells) break;
          make(240, 148, kGraphicColour);
          e->m_nOption = picture;
          e->m_nKind = MSGELEM_GRAPH;
          e->m_nWidth = 12;
          break;
        }
        default:
          break;
      }
      if (e) list.push_back(std::move(e));
      c = next;
    }
  }
}
