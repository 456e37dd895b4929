// CZaradDoc's block registry: numbering, operands, lookups, limits and costs.
#include <algorithm>
#include <set>
#include <vector>

#include "model/block_codes.h"
#include "model/block_registry.h"
#include "model/zarad_doc.h"

namespace {

// Flags of the numbers (or operands) in use within one range. Entries outside
// the range are ignored, so damaged numbers never index outside the table.
class CTakenTable {
 public:
  CTakenTable(int first, int size)
      : m_nFirst(first), m_taken(static_cast<size_t>(size > 0 ? size : 0), false) {}
  void Mark(int number) {
    const long long index = static_cast<long long>(number) - m_nFirst;
    if (index >= 0 && index < static_cast<long long>(m_taken.size()))
      m_taken[static_cast<size_t>(index)] = true;
  }
  void MarkIndex(size_t index) {
    if (index < m_taken.size()) m_taken[index] = true;
  }
  // Lowest free index, or -1 when every entry is taken.
  int FirstFree() const {
    for (size_t i = 0; i < m_taken.size(); ++i) {
      if (!m_taken[i]) return static_cast<int>(i);
    }
    return -1;
  }
  int First() const { return m_nFirst; }
  size_t Size() const { return m_taken.size(); }

 private:
  int m_nFirst;
  std::vector<bool> m_taken;
};

bool IsRelayCoilType(int type) {
  return type == kTypeRelayCoil || type == kTypeInvertedCoil;
}
bool IsContactType(int type) {
  return type == kTypeMakeContact || type == kTypeBreakContact;
}

// The operand ranges that a ladder output element addresses, in the order it
// is given a free operand: Q, M and X for relay coils, AQ and AM for ladder
// analog outputs; none for any other type.
std::vector<CTakenTable> OutputOperandTables(int type) {
  if (IsRelayCoilType(type)) {
    return {CTakenTable(kFirstOutputOperand, kOutputOperandCount),
            CTakenTable(kFirstFlagOperand, kFlagOperandCount),
            CTakenTable(kFirstOpenConnectorOperand, kOpenConnectorOperandCount)};
  }
  if (type == kTypeLadderAnalogOutput) {
    return {CTakenTable(kFirstAnalogOutputOperand, kAnalogOutputOperandCount),
            CTakenTable(kFirstAnalogFlagOperand, kAnalogFlagOperandCount)};
  }
  return {};
}

// Which of those ranges an operand counts in (by the range's first operand);
// -1 below the first one or for any other type.
int OutputOperandRangeIndex(int type, int op) {
  if (IsRelayCoilType(type)) {
    if (op >= kFirstOpenConnectorOperand) return 2;
    if (op >= kFirstFlagOperand) return 1;
    if (op >= kFirstOutputOperand) return 0;
  } else if (type == kTypeLadderAnalogOutput) {
    if (op >= kFirstAnalogFlagOperand) return 1;
    if (op >= kFirstAnalogOutputOperand) return 0;
  }
  return -1;
}

}  // namespace

int CZaradDoc::GetTypeClass(UINT typeCode) {
  const int t = static_cast<int>(typeCode);
  if (t >= kFirstOperandType && t < kFirstExtendedType) return 1;  // operands and ladder elements
  if ((t >= kFirstLogicType && t <= kTypeSW) || (t >= kFirstExtendedType && t < kTypeMaleConnector)) return 2;
  if (IsConnectorType(t)) return 3;
  if (t == kTypeDataLog) return 4;
  return 0;
}

void CZaradDoc::NumberOperandBlock(CBlockObj* block, bool pasted) {
  const int type = block->m_nType;
  const OperandRange range = GetOperandRange(type, GetModelFamily());
  CTakenTable numbers(range.nFirst, range.nSize);
  if (type == kTypeInput) {
    for (size_t i = 0; i < numbers.Size(); ++i) {
      if (i % 32 >= 16) numbers.MarkIndex(i);
    }
  } else if (type == kTypeOutput) {
    for (size_t i = 0; i < numbers.Size(); ++i) {
      if (i % 16 >= 8) numbers.MarkIndex(i);
    }
  }

  // Relay coils 703 and 704 share their numbers and operands.
  std::vector<CTakenTable> operands = OutputOperandTables(type);
  for (CBlockObj* other : m_blocks) {
    if (other == block || !IsSameLimitGroup(type, other->m_nType)) continue;
    numbers.Mark(other->m_nNumber);
    const int range = OutputOperandRangeIndex(type, other->m_nOperand);
    if (range >= 0) operands[static_cast<size_t>(range)].Mark(other->m_nOperand);
  }

  const int index = numbers.FirstFree();
  if (index < 0) return;  // full range: the block keeps its number and operand
  block->m_nNumber = range.nFirst + index;

  if (!IsLadder()) {
    block->m_nOperand = index;
    return;
  }
  if (IsContactType(type) || type == kTypeAnalogContact) {
    if (!pasted)
      block->m_nOperand = type == kTypeAnalogContact ? kDefaultAnalogContactOperand : kDefaultContactOperand;
  } else if (!operands.empty()) {
    for (const CTakenTable& table : operands) {
      const int free = table.FirstFree();
      if (free >= 0) {
        block->m_nOperand = table.First() + free;
        break;
      }
    }
  } else {
    block->m_nOperand = index;
  }
}

namespace {

// Lowest function-block number from 9000 that no block of the list has.
// Among n blocks it is at most 9000 + n: only those numbers need a mark.
template <typename List>
int FirstFreeFunctionBlockNumber(const List& blocks) {
  std::vector<char> used(static_cast<size_t>(blocks.GetCount()) + 1, 0);
  for (CBlockObj* b : blocks) {
    const long long i = static_cast<long long>(b->m_nNumber) - kFirstFunctionBlockNumber;
    if (i >= 0 && i < static_cast<long long>(used.size())) used[static_cast<size_t>(i)] = 1;
  }
  size_t i = 0;
  while (used[i] != 0) ++i;
  return kFirstFunctionBlockNumber + static_cast<int>(i);
}

}  // namespace

CBlockObj* CZaradDoc::AddBlock(std::unique_ptr<CBlockObj> block) {
  if (!block) return nullptr;
  if (IsOperandLikeType(block->m_nType)) {
    NumberOperandBlock(block.get(), false);
  } else {
    block->m_nNumber = FirstFreeFunctionBlockNumber(m_blocks);
  }
  CBlockObj* added = m_blocks.AddTail(std::move(block));
  SetModifiedFlag(TRUE);
  return added;
}

CBlockObj* CZaradDoc::AddPastedBlock(std::unique_ptr<CBlockObj> block) {
  if (!block) return nullptr;
  if (!IsPastedOperandLikeType(block->m_nType)) {
    block->m_nNumber = FirstFreeFunctionBlockNumber(m_blocks);
  } else if (FindBlockByNumber(block->m_nNumber) != nullptr) {
    NumberOperandBlock(block.get(), true);
  }
  block->PrepareForPaste();
  CBlockObj* added = m_blocks.AddTail(std::move(block));
  SetModifiedFlag(TRUE);
  return added;
}

std::unique_ptr<CBlockObj> CZaradDoc::DetachBlock(CBlockObj* block) {
  if (!block) return nullptr;
  std::unique_ptr<CBlockObj> out = m_blocks.Detach(block);
  if (!out) out = m_powerBus.Detach(block);
  if (!out) return nullptr;
  for (COwningList<CBlockObj>* list : {&m_blocks, &m_powerBus}) {
    for (CBlockObj* other : *list) {
      for (CBlockObj*& ref : other->m_pRef) {
        if (ref == block) ref = nullptr;
      }
      if (other->m_pWalkStart == block) other->m_pWalkStart = nullptr;
      other->ForgetBlock(block);
    }
  }
  // The last element addressing an operand takes the operand's user name with it.
  if (out->OwnsOperandName()) {
    const int operand = out->m_nOperand;
    const bool used = std::any_of(m_blocks.begin(), m_blocks.end(),
                                  [operand](const CBlockObj* b) { return b->m_nOperand == operand; });
    if (!used) m_operandNames.erase(static_cast<UINT>(operand));
  }
  std::erase(m_sortList, block);
  SetModifiedFlag(TRUE);
  return out;
}

int CZaradDoc::CountFunctionBlocks() const {
  int count = 0;
  for (CBlockObj* b : m_blocks) {
    if (b->m_nNumber >= kFirstFunctionBlockNumber && b->m_nNumber <= kLastFunctionBlockNumber) ++count;
  }
  return count;
}

int CZaradDoc::CountNonConnectorBlocks() const {
  int count = 0;
  for (CBlockObj* b : m_blocks) {
    if (!IsConnectorType(b->m_nType)) ++count;
  }
  return count;
}

CBlockObj* CZaradDoc::FindBlockByNumber(int number) const {
  if (IsLadder()) {
    CBlockObj* bus = m_powerBus.GetHead();
    if (bus && bus->m_nNumber == number) return bus;
  }
  if (m_pNumberIndex) {
    auto it = m_pNumberIndex->find(number);
    return it == m_pNumberIndex->end() ? nullptr : it->second;
  }
  for (CBlockObj* b : m_blocks) {
    if (b->m_nNumber == number) return b;
  }
  return nullptr;
}

CBlockObj* CZaradDoc::FindBlockByOperand(int operand, int typeCode) const {
  for (CBlockObj* b : m_blocks) {
    if (b->m_nOperand == operand && b->m_nType == typeCode) return b;
  }
  return nullptr;
}

int CZaradDoc::GetProgramMemorySize() const {
  int total = 0;
  for (CBlockObj* b : m_blocks) {
    if (GetTypeClass(static_cast<UINT>(b->m_nType)) == 2) total += b->m_wMemSize;
  }
  return total;
}

int CZaradDoc::CountNamedBlocks() const {
  int count = 0;
  for (CBlockObj* b : m_blocks) {
    if (GetTypeClass(static_cast<UINT>(b->m_nType)) == 2 && !b->m_strName.IsEmpty()) ++count;
  }
  return count;
}

int CZaradDoc::CountReferenceableBlocks(int numberToLeaveOut) const {
  int count = 0;
  const bool newer = IsNewerFamily();
  for (CBlockObj* b : m_blocks) {
    if (b->m_nNumber == numberToLeaveOut) continue;
    const int type = b->m_nType;
    if (!newer) {
      // Counter, analog comparator, analog threshold trigger and analog amplifier.
      if (type == kTypeCOUNTER || type == kTypeACOMP || type == kTypeATHTRG || type == kTypeAAMP) ++count;
    } else if (GetTypeClass(static_cast<UINT>(type)) == 2 && !IsLogicType(type) &&
               (b->m_byCaps & 0x01) != 0) {
      ++count;
    }
  }
  return count;
}

void CZaradDoc::AdjustBlocksForModel() {
  for (CBlockObj* b : m_blocks) {
    const int cost = GetModelMemoryCost(b->m_nType, m_wModelCode);
    if (cost != 0 && b->m_wMemSize != cost) b->m_wMemSize = static_cast<WORD>(cost);
  }
}

int CZaradDoc::GetTypeLimit(int typeCode) const {
  return GetTypeLimitForFamily(typeCode, GetModelFamily());
}

BOOL CZaradDoc::CheckTypeLimit(UINT typeCode, TypeLimitQuery* query) const {
  const int type = static_cast<int>(typeCode);
  const int limit = GetTypeLimit(type);
  if (limit == 0) return FALSE;
  int count = 0;
  int inRange[3] = {};
  for (CBlockObj* b : m_blocks) {
    if (!IsSameLimitGroup(type, b->m_nType)) continue;
    ++count;
    const int range = OutputOperandRangeIndex(type, b->m_nOperand);
    if (range >= 0) ++inRange[range];
  }
  if (query && (IsRelayCoilType(type) || type == kTypeLadderAnalogOutput)) {
    query->nInRange1 = inRange[0];
    query->nInRange2 = inRange[1];
    if (type != kTypeLadderAnalogOutput) query->nInRange3 = inRange[2];
  }
  if (count >= limit) return FALSE;
  if (query && static_cast<long long>(count) + query->nAdding > limit) return FALSE;
  return TRUE;
}
