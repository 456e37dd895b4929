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
      {300, 599, 9000, u"B", 0, false},   {800, 899, 9000, u"B", 0, false},
      {600, 600, 100, u"I", 32, false},   {602, 602, 1000, u"S", 16, true},
      {603, 603, 1870, u"Low", 0, false}, {604, 604, 2900, u"High", 0, false},
      {605, 605, 600, u"Q", 16, false},   {606, 606, 4800, u"X", 0, false},
      {607, 607, 1316, u"M", 0, false},   {608, 608, 4000, u"AI", 8, false},
      {609, 609, 4230, u"AQ", 4, false},  {610, 610, 4288, u"AM", 0, false},
      {611, 611, 1300, u"F", 0, false},
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
    *key = t == 611 ? *text : FormatString(u"%ls%04d%ls", r.prefix, n, s.GetString());
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
    case 700:
    case 701:
      prefix = u"I";
      base = 100;
      break;
    case 702:
      prefix = u"AI";
      base = 4000;
      break;
    case 703:
    case 704:
      prefix = u"Q";
      base = 600;
      break;
    default:
      prefix = u"AQ";
      base = 4230;
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
  if (j >= 22000) {
    if (const CBlockObj* e = doc.FindBlockByNumber(j)) {
      const int l = e->m_nOperand;
      if (l >= 4288) {
        set({702}, u"AM", 4288, 0);
        j = l;
      } else if (l >= 4230) {
        set({702}, u"AQ", 4230, 4);
        j = l;
      }
    }
  } else if (j >= 21000) {
    if (const CBlockObj* e = doc.FindBlockByNumber(j)) {
      const int l = e->m_nOperand;
      if (l >= 1316) {
        set({700, 701}, u"M", 1316, 0);
        j = l;
      } else if (l >= 600) {
        set({700, 701}, u"Q", 600, 16);
        j = l;
      }
    }
  } else if (j >= 9000) {
    set({700, 701, 702}, u"B", 9000, 0);
  } else if (j >= 4800) {
    set({703}, u"X", 4800, 0);
  } else if (j >= 4288) {
    set({702, 705}, u"AM", 4288, 0);
  } else if (j >= 4230) {
    set({702, 705}, u"AQ", 4230, 4);
  } else if (j >= 4000) {
    set({702}, u"AI", 4000, 8);
  } else if (j >= 2900) {
    set({700, 701}, u"High", -1, -1);
  } else if (j >= 1870) {
    set({700, 701}, u"Low", -1, -1);
  } else if (j >= 1316) {
    set({700, 701, 703, 704}, u"M", 1316, 0);
  } else if (j >= 1300) {
    set({700, 701, 703, 704}, u"F", 1300, 0);
  } else if (j >= 1000) {
    set({700, 701}, u"S", 1000, 16);
  } else if (j >= 600) {
    set({700, 701, 703, 704}, u"Q", 600, 16);
  } else if (j >= 100) {
    set({700, 701, 703}, u"I", 100, 32);
  }
  const int d = j - base;
  const int n = b.m_nNumber;
  if (group > 0) {
    const bool dotted = j >= 1000 && j <= 1299;
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
    if (b->m_nType >= 900) continue;
    const CString s = Suffix(b->m_nType);
    GoToBlockEntry e{CString(), b->m_nNumber, CString()};
    if (b->m_nType >= 700 && b->m_nType <= 705) {
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
