// The data log block (911): the list of values the device records.
#pragma once

#include <vector>

#include "model/block_obj.h"
#include "platform/cstring.h"

class CZaradDoc;

// One logged item.
struct DataLogItem {
  CString m_strOperand;           // the item's text: an operand range, an analog operand or "B<n>"
  CString m_strParameter;         // for a block item, the display name of the logged parameter
  int m_nOperand = 0;             // operand number the text stands for (a block item: 9000 + n)
  int m_nParamIndex = 0;          // for a block item, the parameter's position in its type's list
  CBlockObj* m_pBlock = nullptr;  // for a block item, the logged block (not owned, not stored)
};

// The data log. m_nParam10 holds the number of items.
class CBlockDataLog : public CBlockObj {
  DECLARE_SERIAL(CBlockDataLog)

 public:
  int GetEvalGroup() const override { return EVAL_GROUP_DATA_LOG; }
  // A file of the newer series binds the items to their blocks.
  void ResolveOnLoad(CZaradDoc& doc, bool newerSeries) override;
  static constexpr BYTE kCaps = 0x00;

  CBlockDataLog();
  explicit CBlockDataLog(int typeCode, const BlockContext& ctx = {});

  // The common record, then the items (text, parameter text, operand number,
  // parameter index each). Storing first refreshes the block items of
  // renumbered blocks (RefreshBlockItems) and sets the item count m_nParam10 to the list's size;
  // loading reads as many items as m_nParam10 says.
  void Serialize(CArchive& ar) override;

  // The document's pass after loading: the list is sized to m_nParam10, and
  // every item whose text begins with "B" gets the block of its number (null
  // when there is none); every other item gets null.
  void BindItems(const CZaradDoc& doc);
  // Clears the items' pointers to a block that leaves the document; the items
  // keep their number and text.
  void ForgetBlock(const CBlockObj* block) override;
  void ListKeptBlocks(std::vector<const CBlockObj*>& out) const override;
  // A block item whose block has a new number takes that number and the text
  // "B<n>" followed by the block type's caption, so that a renumbered block
  // keeps its items; the other items are left as they are.
  void RefreshBlockItems();

  std::vector<DataLogItem> m_items;
};
