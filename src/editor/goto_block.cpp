#include "editor/goto_block.h"

#include <algorithm>

#include "editor/diagram_editor.h"
#include "model/block_obj.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"

namespace {

CString Suffix(int type) {
  const auto it = g_BlockTypeNames.find(type);
  return it == g_BlockTypeNames.end() ? CString() : it->second;
}

// Function-block-diagram blocks: the name from the block's own number.
bool NameOfFbdBlock(const CBlockObj& b, const CString& s, CString* text, CString* key) {
  struct Row {
    int first, last;
    int base;
    const char16_t* prefix;
    int group;    // operand groups of the display (0: plain number)
    bool dotted;  // "S%d.%d"
  };
  static constexpr Row kRows[] = {
      {kFirstLogicType, kLastTimeCode, kFirstFunctionBlockNumber, u"B", 0, false},
      {kFirstExtendedType, kLastExtendedCode, kFirstFunctionBlockNumber, u"B", 0, false},
      {kTypeInput, kTypeInput, kFirstInputOperand, u"I", 32, false},
      {kTypeShiftBit, kTypeShiftBit, kFirstShiftBitOperand, u"S", 16, true},
      {kTypeLowSignal, kTypeLowSignal, kFirstLowOperand, u"Low", 0, false},
      {kTypeHighSignal, kTypeHighSignal, kFirstHighOperand, u"High", 0, false},
      {kTypeOutput, kTypeOutput, kFirstOutputOperand, u"Q", 16, false},
      {kTypeOpenConnector, kTypeOpenConnector, kFirstOpenConnectorOperand, u"X", 0, false},
      {kTypeFlag, kTypeFlag, kFirstFlagOperand, u"M", 0, false},
      {kTypeAnalogInput, kTypeAnalogInput, kFirstAnalogInputOperand, u"AI", 8, false},
      {kTypeAnalogOutput, kTypeAnalogOutput, kFirstAnalogOutputOperand, u"AQ", 4, false},
      {kTypeAnalogFlag, kTypeAnalogFlag, kFirstAnalogFlagOperand, u"AM", 0, false},
      {kTypeFunctionKey, kTypeFunctionKey, kFirstFunctionKeyOperand, u"F", 0, false},
  };
  const int t = b.m_nType;
  for (const Row& r : kRows) {
    if (t < r.first || t > r.last) continue;
    const int n = b.m_nNumber - r.base;
    if (r.group > 0) {
      *text = r.dotted ? FormatString(u"%ls%d.%d%ls", r.prefix, n / r.group, n % r.group, s.GetString())
                       : FormatString(u"%ls%d%02d%ls", r.prefix, n / r.group, n % r.group, s.GetString());
    } else {
      *text = FormatString(u"%ls%d%ls", r.prefix, n, s.GetString());
    }
    *key = t == kTypeFunctionKey ? *text : FormatString(u"%ls%04d%ls", r.prefix, n, s.GetString());
    return true;
  }
  return false;
}

// Ladder elements: the name from the operand they address.
void NameOfLadderElement(const CZaradDoc& doc, const CBlockObj& b, const CString& s, CString* text,
                         CString* key) {
  const int t = b.m_nType;
  CString prefix;
  int base = 0;
  switch (t) {
    case kTypeMakeContact:
    case kTypeBreakContact:
      prefix = u"I";
      base = kFirstInputOperand;
      break;
    case kTypeAnalogContact:
      prefix = u"AI";
      base = kFirstAnalogInputOperand;
      break;
    case kTypeRelayCoil:
    case kTypeInvertedCoil:
      prefix = u"Q";
      base = kFirstOutputOperand;
      break;
    default:
      prefix = u"AQ";
      base = kFirstAnalogOutputOperand;
      break;
  }
  int group = 0;
  int j = b.m_nOperand;
  auto set = [&](std::initializer_list<int> types, const char16_t* p, int newBase, int g) {
    if (std::find(types.begin(), types.end(), t) != types.end()) {
      prefix = p;
      if (newBase >= 0) base = newBase;
    }
    group = g;
  };
  constexpr int kMake = kTypeMakeContact, kBreak = kTypeBreakContact, kAnalog = kTypeAnalogContact;
  constexpr int kCoil = kTypeRelayCoil, kInverted = kTypeInvertedCoil, kAnalogOut = kTypeLadderAnalogOutput;
  if (j >= kFirstLadderAnalogOutputNumber) {
    if (const CBlockObj* e = doc.FindBlockByNumber(j)) {
      const int l = e->m_nOperand;
      if (l >= kFirstAnalogFlagOperand) {
        set({kAnalog}, u"AM", kFirstAnalogFlagOperand, 0);
        j = l;
      } else if (l >= kFirstAnalogOutputOperand) {
        set({kAnalog}, u"AQ", kFirstAnalogOutputOperand, 4);
        j = l;
      }
    }
  } else if (j >= kFirstCoilNumber) {
    if (const CBlockObj* e = doc.FindBlockByNumber(j)) {
      const int l = e->m_nOperand;
      if (l >= kFirstFlagOperand) {
        set({kMake, kBreak}, u"M", kFirstFlagOperand, 0);
        j = l;
      } else if (l >= kFirstOutputOperand) {
        set({kMake, kBreak}, u"Q", kFirstOutputOperand, 16);
        j = l;
      }
    }
  } else if (j >= kFirstFunctionBlockNumber) {
    set({kMake, kBreak, kAnalog}, u"B", kFirstFunctionBlockNumber, 0);
  } else if (j >= kFirstOpenConnectorOperand) {
    set({kCoil}, u"X", kFirstOpenConnectorOperand, 0);
  } else if (j >= kFirstAnalogFlagOperand) {
    set({kAnalog, kAnalogOut}, u"AM", kFirstAnalogFlagOperand, 0);
  } else if (j >= kFirstAnalogOutputOperand) {
    set({kAnalog, kAnalogOut}, u"AQ", kFirstAnalogOutputOperand, 4);
  } else if (j >= kFirstAnalogInputOperand) {
    set({kAnalog}, u"AI", kFirstAnalogInputOperand, 8);
  } else if (j >= kFirstHighOperand) {
    set({kMake, kBreak}, u"High", -1, -1);
  } else if (j >= kFirstLowOperand) {
    set({kMake, kBreak}, u"Low", -1, -1);
  } else if (j >= kFirstFlagOperand) {
    set({kMake, kBreak, kCoil, kInverted}, u"M", kFirstFlagOperand, 0);
  } else if (j >= kFirstFunctionKeyOperand) {
    set({kMake, kBreak, kCoil, kInverted}, u"F", kFirstFunctionKeyOperand, 0);
  } else if (j >= kFirstShiftBitOperand) {
    set({kMake, kBreak}, u"S", kFirstShiftBitOperand, 16);
  } else if (j >= kFirstOutputOperand) {
    set({kMake, kBreak, kCoil, kInverted}, u"Q", kFirstOutputOperand, 16);
  } else if (j >= kFirstInputOperand) {
    set({kMake, kBreak, kCoil}, u"I", kFirstInputOperand, 32);
  }
  const int d = j - base;
  const int n = b.m_nNumber;
  if (group > 0) {
    const bool dotted = j >= kFirstShiftBitOperand && j < kFirstFunctionKeyOperand;
    *text = FormatString(dotted ? u"%ls%d.%02d%ls" : u"%ls%d%02d%ls", prefix.GetString(), d / group,
                         d % group, s.GetString());
    *key = FormatString(u"%ls%d%02d%ls%05d", prefix.GetString(), d / group, d % group, s.GetString(), n);
  } else if (group < 0) {
    *text = prefix + s;
    *key = FormatString(u"%ls%ls%05d", prefix.GetString(), s.GetString(), n);
  } else {
    *text = FormatString(u"%ls%d%ls", prefix.GetString(), d, s.GetString());
    *key = FormatString(u"%ls%04d%ls%05d", prefix.GetString(), d, s.GetString(), n);
  }
}

}  // namespace

std::vector<GoToBlockEntry> BuildGoToBlockList(const CZaradDoc& doc) {
  std::vector<GoToBlockEntry> entries;
  for (const CBlockObj* b : doc.m_blocks) {
    if (b->m_nType >= kTypeMaleConnector) continue;
    const CString s = Suffix(b->m_nType);
    GoToBlockEntry e{CString(), b->m_nNumber, CString()};
    if (IsLadderType(b->m_nType)) {
      NameOfLadderElement(doc, *b, s, &e.text, &e.key);
    } else if (!NameOfFbdBlock(*b, s, &e.text, &e.key)) {
      // A kind without an operand name (the cursor keys): its own number.
      e.text = FormatString(u"%d%ls", b->m_nNumber, s.GetString());
      e.key = FormatString(u"%05d%ls", b->m_nNumber, s.GetString());
    }
    // Sorted by an ordinal comparison of the keys; equal keys keep the list order.
    const auto at = std::upper_bound(
        entries.begin(), entries.end(), e,
        [](const GoToBlockEntry& a, const GoToBlockEntry& b2) { return a.key.str() < b2.key.str(); });
    entries.insert(at, e);
  }
  return entries;
}

int FindGoToBlockEntry(const std::vector<GoToBlockEntry>& entries, const CString& typed) {
  if (typed.IsEmpty()) return -1;
  CString upper = typed;
  upper.MakeUpper();
  for (size_t i = 0; i < entries.size(); ++i) {
    CString text = entries[i].text;
    text.MakeUpper();
    if (text.Left(upper.GetLength()) == upper) return static_cast<int>(i);
  }
  return -1;
}

void CDiagramEditor::CenterOnBlock(int number) {
  CBlockObj* block = m_pDoc->FindBlockByNumber(number);
  if (!block) return;
  const float zoom = m_pDoc->m_fZoom;
  const CPoint centre(static_cast<int>(block->m_ptPos.x * zoom), static_cast<int>(block->m_ptPos.y * zoom));
  ScrollTo(CPoint(centre.x - m_sizeClient.cx / 2, centre.y - m_sizeClient.cy / 2));
  m_pCurBlock = nullptr;
  ClearSelection(SEL_ALL);
  SelectBlock(block);
  InvalidateDiagram();
}
