// The data log block (911): the list of values the device records.
#pragma once

#include <vector>

#include "model/block_obj.h"
#include "platform/cstring.h"

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
  static constexpr BYTE kCaps = 0x00;

  CBlockDataLog();
  explicit CBlockDataLog(int typeCode);

  std::vector<DataLogItem> m_items;
};
