// Message texts in the program image: the older series' 16-byte row records
// in area C and the newer series' 1280-byte pages with their element records.
#include <array>
#include <cstring>

#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "image/core_rule.h"
#include "image/msgtext_layout.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "platform/code_page.h"

namespace {

using namespace msgtext_layout;

// The older display's glyph of a cell: blank for an empty cell or a blank.
BYTE OldCellGlyph(const CString& cell) {
  if (cell.IsEmpty() || cell == CString(u" ")) return kLcdBlank;
  return LcdCharOf(cell[0]);
}

// Copies glyphs as a zero-terminated string of exactly `length` bytes.
void CopyText(CAreaWriter& w, const std::array<BYTE, kOldCells>& glyphs, int count, int length) {
  bool ended = false;
  for (int i = 0; i < length; ++i) {
    const BYTE g = (!ended && i < count) ? glyphs[static_cast<size_t>(i)] : 0;
    if (g == 0) ended = true;
    w.Byte(ended ? 0 : g);
  }
}

}  // namespace

CBlockObj* CZaradCoreRule::ElementBlock(const CWidget& element) const {
  if (element.m_pBlock != nullptr) return element.m_pBlock;
  return m_pDoc != nullptr ? FindBlock(element.m_nNumber) : nullptr;
}

bool CZaradCoreRule::CompileMessageTextArea(CBlockMSGTEXT* block, std::span<BYTE> areaC, int offset) {
  if (offset < 0 || static_cast<size_t>(offset) + 4 * kRecord > areaC.size()) return false;
  for (int r = 1; r <= 4; ++r) {
    CAreaWriter w(areaC.data(), static_cast<size_t>(offset + r * kRecord),
                  static_cast<size_t>(offset + (r - 1) * kRecord));
    std::array<BYTE, kOldCells> cells{};
    for (int k = 0; k < kOldCells; ++k)
      cells[static_cast<size_t>(k)] = OldCellGlyph(block->m_strTextSet1[r][k + 1]);

    const CBlockMSGTEXT::ElementList& list = block->m_ElementsSet1[r - 1];
    if (list.empty()) {
      w.Byte(1);
      w.Skip(1);
      CopyText(w, cells, kOldCells, kOldCells);
      if (!w.Ok()) return false;
      continue;
    }
    const CWidget& e = *list.front();
    const int col = e.m_nCol - 1;
    const int width = e.m_nWidth;
    if (col < 0 || width < 0 || col + width > kOldCells) return false;
    // The glyphs of the cells the element does not cover.
    std::array<BYTE, kOldCells> text{};
    int count = 0;
    for (int k = 0; k < kOldCells; ++k) {
      if (k < col || k >= col + width) text[static_cast<size_t>(count++)] = cells[static_cast<size_t>(k)];
    }
    const int length = kOldCells - width;
    int kind = 2;
    switch (e.m_nParam) {
      case -1:
        kind = 1;
        break;
      case 34:
        kind = 3;
        break;
      case 1:
        kind = 4;
        break;
      case 2:
        kind = 5;
        break;
      case 3:
        kind = 6;
        break;
      default:
        break;
    }
    w.Byte(kind);
    w.Byte(col);
    if (kind == 2) {
      const CBlockObj* b = ElementBlock(e);
      WORD code = 0;
      if (b != nullptr) EncodeFunctionCode(*b, &code);
      w.Word((b != nullptr ? b->m_nNumber : e.m_nNumber) - kFirstFunctionBlockNumber);
      w.Byte(code >> 8);
      w.Byte(e.m_nKind + (dynamic_cast<const CBlockRG*>(b) != nullptr ? 1 : 0));
      w.Skip(1);
      CopyText(w, text, count, length);
    } else if (kind == 3 || kind == 4) {
      CopyText(w, text, count, length);
    } else if (kind == 5 || kind == 6) {
      w.Skip(static_cast<size_t>(width));
      CopyText(w, text, count, length);
    }
    if (!w.Ok()) return false;
  }
  return true;
}

bool CZaradCoreRule::CompileMessageTextPages(CBlockMSGTEXT* block, int pageIndex) {
  if (pageIndex < 0 || pageIndex >= m_nPageCount) return false;
  BYTE* page = m_pages.data() + static_cast<size_t>(pageIndex) * kTextPageSize;
  for (int set = 0; set < 2; ++set) {
    const int charSet = set == 0 ? m_pDoc->m_nCharSet1 : m_pDoc->m_nCharSet2;
    const BYTE code = charSet == 0 ? 0x61 : charSet == 1 ? 0x51 : 0x01;
    const UINT codePage = code == 0x51 ? kCodePageTraditionalChinese : kCodePageSimplifiedChinese;
    const auto& grid = set == 0 ? block->m_strTextSet1 : block->m_strTextSet2;
    for (int r = 1; r <= 4; ++r) {
      BYTE* attr = page + set * kSetAttrBytes + (r - 1) * kAttrRow;
      BYTE* text = page + kTextStart + set * kSetTextBytes + (r - 1) * kTextRowBytes;
      for (int k = 1; k <= kNewCells; ++k) {
        const CString& cell = grid[r][k];
        const char16_t c = cell.IsEmpty() ? u' ' : cell[0];
        BYTE* t = text + (k - 1) * 2;
        BYTE* a = attr + (k - 1);
        const int glyph = SpecialGlyph(c);
        if (glyph != 0 || code == 0x01 || c < 128) {
          *a = 1;
          const int value = glyph != 0 ? glyph : c;
          t[0] = static_cast<BYTE>(value & 0xFF);
          t[1] = static_cast<BYTE>((value >> 8) & 0xFF);
          continue;
        }
        const CodePageBytes bytes = WideToCodePage(codePage, CString(std::u16string(1, c)));
        if (!bytes.ok || bytes.bytes.size() != 2 || k == kNewCells) {
          // Not a double-byte character of the set, or no room for its second column.
          *a = 1;
          t[0] = '?';
          t[1] = 0;
          continue;
        }
        *a = code;
        t[0] = static_cast<BYTE>(bytes.bytes[1]);
        t[1] = static_cast<BYTE>(bytes.bytes[0]);
        t[2] = 0x20;  // the next column belongs to the character
        t[3] = 0x00;
        ++k;
      }
    }
  }
  // Block settings in the spare attribute columns.
  const auto setting = [block](int i) { return static_cast<BYTE>(*block->Setting(i) & 0xFF); };
  page[27] = setting(3);
  page[kSetAttrBytes + 27] = setting(4);
  for (int r = 1; r <= 4; ++r) {
    page[(r - 1) * kAttrRow + 28] = setting(5 + 2 * (r - 1));
    page[kSetAttrBytes + (r - 1) * kAttrRow + 28] = setting(6 + 2 * (r - 1));
  }
  page[29] = setting(1);
  page[30] = setting(2);
  return CompileMessageElements(block, page, 0) && CompileMessageElements(block, page, 1);
}

bool CZaradCoreRule::CompileMessageElements(CBlockMSGTEXT* block, BYTE* page, int set) {
  int bars = 0;
  int scopes = 0;
  int pointers = 0;
  int ioNames = 0;
  BYTE* attrBase = page + set * kSetAttrBytes;
  for (int r = 1; r <= 4; ++r) {
    const CBlockMSGTEXT::ElementList& list =
        set == 0 ? block->m_ElementsSet1[r - 1] : block->m_ElementsSet2[r - 1];
    for (const auto& element : list) {
      const CWidget& e = *element;
      const int col = e.m_nCol - 1;
      if (col < 0 || col >= kAttrRow) return false;
      CBlockObj* b = ElementBlock(e);
      const int kind = e.m_nKind;
      // A writer over one attribute row of the set from the element's column.
      const auto rowWriter = [&](int row) {
        return CAreaWriter(attrBase + (row - 1) * kAttrRow, kAttrRow, static_cast<size_t>(col));
      };
      const int number = (b != nullptr ? b->m_nNumber : e.m_nNumber) - kFirstFunctionBlockNumber;
      BYTE valueCode[2] = {0, 0};
      const bool hasValueCode = b != nullptr && MsgValueCodeBytes(b->m_nType, e.m_nValueIndex, valueCode);
      const auto putValueCode = [&](CAreaWriter& w) {
        if (!hasValueCode) return;
        w.Byte(valueCode[0]);
        w.Byte(valueCode[1]);
      };

      if (kind == MSGELEM_GRAPH && b == nullptr) {
        if (r + 3 > 4) return false;
        for (int i = 0; i < 4; ++i) {
          CAreaWriter w = rowWriter(r + i);
          w.Byte(0xDD);
          w.Byte(i);
          w.Byte(e.m_nOption);
          if (!w.Ok()) return false;
        }
        continue;
      }
      CAreaWriter w = rowWriter(r);
      if (b != nullptr && b->IsKindOf(RUNTIME_CLASS(CBlockMSGTEXT)) && kind != MSGELEM_IOSTATUS) {
        const int p = e.m_nParam;
        w.Byte(p == 1 ? 4 : p == 2 ? 5 : p == 3 ? 6 : p == 34 ? 3 : 0);
      } else if (dynamic_cast<const CBlockAnalogIn*>(b) != nullptr) {
        w.Byte(7);
        w.Skip(1);
        w.Word(OperandWordOf(*b, false));
      } else if (dynamic_cast<const CBlockAnalogFlag*>(b) != nullptr) {
        w.Byte(14);
        w.Word(OperandWordOf(*b, false));
      } else if (kind == MSGELEM_IOSTATUS) {
        if (ioNames >= kMaxIoNames) return false;
        w.Byte(8);
        w.Byte(ioNames);
        if (b != nullptr)
          w.Word(OperandWordOf(*b, false));
        else
          w.Skip(2);
        BYTE* names = page + kIoNameStart + set * kSetIoNameBytes + ioNames * kIoNameBytes;
        for (int i = 0; i < kIoNameBytes; ++i) {
          const int text = i < 8 ? 10 + i : 11 + i;  // texts 10..17 and 19..26
          names[i] =
              static_cast<BYTE>(e.m_strCell[text / CWidget::kCellCols][text % CWidget::kCellCols][0] & 0xFF);
        }
        ++ioNames;
      } else if (kind == MSGELEM_SCALETIME) {
        w.Byte(10);
        w.Skip(1);
        w.Word(number);
        putValueCode(w);
        w.Byte(e.m_nOption);
      } else if (kind == MSGELEM_BARGRAPH) {
        if (bars >= kMaxBars) return false;
        w.Byte(0xA9);
        w.Byte(bars * 16);
        CAreaWriter bar(page + kBarStart + set * kSetBarBytes + bars * kBarBytes, kBarBytes);
        bar.Word(number);
        putValueCode(bar);
        bar.Word(e.m_nMax);
        bar.Word(e.m_nMin);
        bar.Byte(0);
        bar.Byte(e.m_nWidth - 1);
        if (!bar.Ok()) return false;
        ++bars;
      } else if (kind == MSGELEM_POINTER || kind == MSGELEM_SCOPE) {
        if (r + 2 > 4) return false;
        const bool scope = kind == MSGELEM_SCOPE;
        const int running = scope ? scopes++ : pointers++;
        for (int i = 0; i < 3; ++i) {
          CAreaWriter rw = rowWriter(r + i);
          rw.Byte((scope ? 11 : 12) + 16 * i);
          rw.Byte(running);
          rw.Word(number);
          putValueCode(rw);
          rw.Word(e.m_nMax);
          rw.Word(e.m_nMin);
          if (scope) rw.Word(m_pDoc->m_nScopeTime);
          if (!rw.Ok()) return false;
        }
        continue;
      } else if (kind >= 0) {
        WORD code = 0;
        if (b != nullptr) EncodeFunctionCode(*b, &code);
        w.Byte(2);
        w.Byte(code >> 8);
        w.Word((number | (kind << 12)) & 0xFFFF);
      }
      if (!w.Ok()) return false;
    }
  }
  return true;
}
