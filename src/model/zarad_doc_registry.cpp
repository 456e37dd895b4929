// CZaradDoc's block registry: numbering, operands, lookups, limits and costs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/block_codes.h"
#include "model/block_registry.h"
#include "model/zarad_doc.h"

namespace {

bool IsRelayCoilType(int type) {
  return type == kTypeRelayCoil || type == kTypeInvertedCoil;
}
bool IsContactType(int type) {
  return type == kTypeMakeContact || type == kTypeBreakContact;
}

// How many blocks hold each number (or operand) of one range. Entries outside
// the range are ignored, so damaged numbers never index outside the table.
class CTakenTable {
 public:
  CTakenTable(int first, int size) : m_nFirst(first), m_count(static_cast<size_t>(size > 0 ? size : 0), 0) {}
  void Count(int number, int delta) {
    const long long index = static_cast<long long>(number) - m_nFirst;
    if (index >= 0 && index < static_cast<long long>(m_count.size()))
      m_count[static_cast<size_t>(index)] += delta;
  }
  // An entry that is never free.
  void Reserve(size_t index) {
    if (index < m_count.size()) m_count[index] = kReserved;
  }
  // Lowest free index, or -1 when every entry is taken.
  int FirstFree() const {
    for (size_t i = 0; i < m_count.size(); ++i) {
      if (m_count[i] == 0) return static_cast<int>(i);
    }
    return -1;
  }
  int First() const { return m_nFirst; }
  friend bool operator==(const CTakenTable&, const CTakenTable&) = default;

 private:
  static constexpr int kReserved = 1 << 30;
  int m_nFirst;
  std::vector<int> m_count;
};

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

// What numbering a block of an operand-like type looks at: the numbers of its
// type's range, and the operand ranges of a ladder output element, taken by
// the blocks of its limit group.
struct OperandNumbering {
  int type;
  OperandRange range;
  CTakenTable numbers;
  std::vector<CTakenTable> operands;

  OperandNumbering(int typeCode, int family)
      : type(typeCode),
        range(GetOperandRange(typeCode, family)),
        numbers(range.nFirst, range.nSize),
        operands(OutputOperandTables(typeCode)) {
    // Inputs use the first 16 numbers of every 32, outputs the first 8 of every 16.
    for (size_t i = 0; i < static_cast<size_t>(std::max(range.nSize, 0)); ++i) {
      if ((type == kTypeInput && i % 32 >= 16) || (type == kTypeOutput && i % 16 >= 8)) numbers.Reserve(i);
    }
  }
  // A block joins (delta 1) or leaves (-1) what the tables count.
  void Count(const CBlockObj& b, int delta) {
    if (!IsSameLimitGroup(type, b.m_nType)) return;
    numbers.Count(b.m_nNumber, delta);
    const int index = OutputOperandRangeIndex(type, b.m_nOperand);
    if (index >= 0) operands[static_cast<size_t>(index)].Count(b.m_nOperand, delta);
  }
  friend bool operator==(const OperandNumbering& a, const OperandNumbering& b) {
    return a.type == b.type && a.numbers == b.numbers && a.operands == b.operands;
  }
};

}  // namespace

// The tables of a numbering batch: every number in use with the first block of
// the list that holds it, the lowest function-block number that may be free,
// and the operand numbering of each type numbered in the batch.
struct CZaradDoc::NumberingTables {
  std::unordered_map<int, int> count;
  std::unordered_map<int, CBlockObj*> first;
  int nextFunction = kFirstFunctionBlockNumber;  // every number from 9000 below it is taken
  std::unordered_map<int, OperandNumbering> operands;

  void Build(const CZaradDoc& doc) {
    count.clear();
    first.clear();
    operands.clear();
    nextFunction = kFirstFunctionBlockNumber;
    count.reserve(static_cast<size_t>(doc.m_blocks.GetCount()));
    first.reserve(static_cast<size_t>(doc.m_blocks.GetCount()));
    for (CBlockObj* b : doc.m_blocks) {
      ++count[b->m_nNumber];
      first.emplace(b->m_nNumber, b);  // the first one wins
    }
  }
  OperandNumbering& For(const CZaradDoc& doc, int type) {
    auto it = operands.find(type);
    if (it != operands.end()) return it->second;
    OperandNumbering tables(type, doc.GetModelFamily());
    for (const CBlockObj* b : doc.m_blocks) tables.Count(*b, 1);
    return operands.emplace(type, std::move(tables)).first->second;
  }
  // A block of the list joins the tables (it is the last one of the list).
  void Join(CBlockObj* b) {
    ++count[b->m_nNumber];
    first.emplace(b->m_nNumber, b);
    for (auto& [type, tables] : operands) tables.Count(*b, 1);
  }
  // A block leaves the tables, or its number or operand is about to change.
  void Leave(const CZaradDoc& doc, const CBlockObj* b) {
    const int n = b->m_nNumber;
    for (auto& [type, tables] : operands) tables.Count(*b, -1);
    auto held = count.find(n);
    if (held == count.end()) return;
    if (--held->second == 0) {
      count.erase(held);
      first.erase(n);
      if (n >= kFirstFunctionBlockNumber && n < nextFunction) nextFunction = n;
      return;
    }
    if (first[n] != b) return;
    // Another block holds the number too (a damaged file): the first of them
    // after this one takes its place.
    CBlockObj* next = nullptr;
    for (CBlockObj* other : doc.m_blocks) {
      if (other != b && other->m_nNumber == n) {
        next = other;
        break;
      }
    }
    first[n] = next;
  }
  int FirstFreeFunctionNumber() {
    while (count.count(nextFunction) != 0) ++nextFunction;
    return nextFunction;
  }
};

CBlockNumberingBatch::CBlockNumberingBatch(CZaradDoc& doc) : m_doc(doc) {
  if (doc.m_pNumbering != nullptr) return;
  m_tables = std::make_unique<CZaradDoc::NumberingTables>();
  m_tables->Build(doc);
  doc.m_pNumbering = m_tables.get();
}

CBlockNumberingBatch::~CBlockNumberingBatch() {
  if (!m_tables) return;
  m_doc.m_pNumbering = nullptr;
#ifndef NDEBUG
  // Something changed a number behind the batch's back: the tables no longer
  // tell what the blocks hold.
  CZaradDoc::NumberingTables fresh;
  fresh.Build(m_doc);
  bool same = fresh.count == m_tables->count && fresh.first == m_tables->first;
  for (auto& [type, tables] : m_tables->operands) same = same && fresh.For(m_doc, type) == tables;
  if (!same) {
    std::fprintf(stderr, "CBlockNumberingBatch: a block's number changed outside the batch\n");
    std::abort();
  }
#endif
}

void CZaradDoc::SetBlockNumber(CBlockObj* block, int number) {
  if (block == nullptr || block->m_nNumber == number) return;
  const bool listed = m_pNumbering != nullptr && m_blocks.Contains(block);
  if (listed) m_pNumbering->Leave(*this, block);
  block->m_nNumber = number;
  if (!listed) return;
  // The block keeps its place in the list: it is the first holder of its new
  // number unless a block before it holds the number too.
  NumberingTables& t = *m_pNumbering;
  ++t.count[number];
  for (auto& [type, tables] : t.operands) tables.Count(*block, 1);
  auto it = t.first.find(number);
  if (it == t.first.end()) {
    t.first.emplace(number, block);
    return;
  }
  for (CBlockObj* b : m_blocks) {
    if (b == block || b == it->second) {
      it->second = b;
      break;
    }
  }
}

void CZaradDoc::NumberOperandBlock(CBlockObj* block, bool pasted) {
  const int type = block->m_nType;
  // Relay coils 703 and 704 share their numbers and operands. The block is not
  // in the list yet: it counts nowhere.
  std::unique_ptr<OperandNumbering> own;
  const OperandNumbering* tables = nullptr;
  if (m_pNumbering != nullptr) {
    tables = &m_pNumbering->For(*this, type);
  } else {
    own = std::make_unique<OperandNumbering>(type, GetModelFamily());
    for (const CBlockObj* other : m_blocks) {
      if (other != block) own->Count(*other, 1);
    }
    tables = own.get();
  }

  const int index = tables->numbers.FirstFree();
  if (index < 0) return;  // full range: the block keeps its number and operand
  block->m_nNumber = tables->range.nFirst + index;

  if (!IsLadder()) {
    block->m_nOperand = index;
    return;
  }
  if (IsContactType(type) || type == kTypeAnalogContact) {
    if (!pasted)
      block->m_nOperand = type == kTypeAnalogContact ? kDefaultAnalogContactOperand : kDefaultContactOperand;
  } else if (!tables->operands.empty()) {
    for (const CTakenTable& table : tables->operands) {
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

int CZaradDoc::FirstFreeFunctionNumber() const {
  if (m_pNumbering != nullptr) return m_pNumbering->FirstFreeFunctionNumber();
  // Among n blocks it is at most 9000 + n: only those numbers need a mark.
  std::vector<char> used(static_cast<size_t>(m_blocks.GetCount()) + 1, 0);
  for (CBlockObj* b : m_blocks) {
    const long long i = static_cast<long long>(b->m_nNumber) - kFirstFunctionBlockNumber;
    if (i >= 0 && i < static_cast<long long>(used.size())) used[static_cast<size_t>(i)] = 1;
  }
  size_t i = 0;
  while (used[i] != 0) ++i;
  return kFirstFunctionBlockNumber + static_cast<int>(i);
}

CBlockObj* CZaradDoc::AddBlock(std::unique_ptr<CBlockObj> block) {
  if (!block) return nullptr;
  if (IsOperandLikeType(block->m_nType)) {
    NumberOperandBlock(block.get(), false);
  } else {
    block->m_nNumber = FirstFreeFunctionNumber();
  }
  CBlockObj* added = m_blocks.AddTail(std::move(block));
  if (m_pNumbering != nullptr) m_pNumbering->Join(added);
  SetModifiedFlag(TRUE);
  return added;
}

CBlockObj* CZaradDoc::AddPastedBlock(std::unique_ptr<CBlockObj> block) {
  if (!block) return nullptr;
  if (!IsPastedOperandLikeType(block->m_nType)) {
    block->m_nNumber = FirstFreeFunctionNumber();
  } else if (FindBlockByNumber(block->m_nNumber) != nullptr) {
    NumberOperandBlock(block.get(), true);
  }
  block->PrepareForPaste();
  CBlockObj* added = m_blocks.AddTail(std::move(block));
  if (m_pNumbering != nullptr) m_pNumbering->Join(added);
  SetModifiedFlag(TRUE);
  return added;
}

// The tables of a detach batch: for each block, the blocks of the lists that
// point at it (each once), the blocks taken out since the table was built (a
// referrer among them is gone too), how many blocks of the block list hold
// each operand, and the lists' change counts when the tables were last brought
// up to date.
struct CZaradDoc::DetachTables {
  std::unordered_map<const CBlockObj*, std::vector<CBlockObj*>> referrers;
  std::unordered_set<const CBlockObj*> gone;
  std::unordered_map<int, int> operandUsers;
  unsigned long long blockChanges = 0;
  unsigned long long busChanges = 0;
  bool built = false;

  // The blocks b points at: the references, the walk start, what ForgetBlock drops.
  static void ListTargets(const CBlockObj& b, std::vector<const CBlockObj*>& out) {
    for (const CBlockObj* ref : b.m_pRef) {
      if (ref != nullptr) out.push_back(ref);
    }
    if (b.m_pWalkStart != nullptr) out.push_back(b.m_pWalkStart);
    b.ListKeptBlocks(out);
  }
  bool Current(const CZaradDoc& doc) const {
    return built && doc.m_blocks.GetChangeCount() == blockChanges &&
           doc.m_powerBus.GetChangeCount() == busChanges;
  }
  void Stamp(const CZaradDoc& doc) {
    blockChanges = doc.m_blocks.GetChangeCount();
    busChanges = doc.m_powerBus.GetChangeCount();
  }
  void Build(const CZaradDoc& doc) {
    referrers.clear();
    gone.clear();
    operandUsers.clear();
    std::vector<const CBlockObj*> targets;
    for (const COwningList<CBlockObj>* list : {&doc.m_blocks, &doc.m_powerBus}) {
      for (CBlockObj* b : *list) {
        targets.clear();
        ListTargets(*b, targets);
        for (const CBlockObj* t : targets) {
          std::vector<CBlockObj*>& by = referrers[t];
          if (by.empty() || by.back() != b) by.push_back(b);
        }
      }
    }
    for (const CBlockObj* b : doc.m_blocks) ++operandUsers[b->m_nOperand];
    Stamp(doc);
    built = true;
  }
};

CBlockDetachBatch::CBlockDetachBatch(CZaradDoc& doc) : m_doc(doc) {
  if (doc.m_pDetaching != nullptr) return;
  m_tables = std::make_unique<CZaradDoc::DetachTables>();  // built by the first DetachBlock
  doc.m_pDetaching = m_tables.get();
}

CBlockDetachBatch::~CBlockDetachBatch() {
  if (!m_tables) return;
  m_doc.m_pDetaching = nullptr;
#ifndef NDEBUG
  // A block gained a pointer to another one behind the batch's back: a block
  // taken out after that left the pointer behind.
  std::vector<const CBlockObj*> targets;
  for (const COwningList<CBlockObj>* list : {&m_doc.m_blocks, &m_doc.m_powerBus}) {
    for (const CBlockObj* b : *list) {
      targets.clear();
      CZaradDoc::DetachTables::ListTargets(*b, targets);
      for (const CBlockObj* t : targets) {
        if (m_tables->gone.contains(t)) {
          std::fprintf(stderr, "CBlockDetachBatch: a block points at a block taken out of the document\n");
          std::abort();
        }
      }
    }
  }
#endif
}

namespace {

// Drops every pointer of other to block (see DetachBlock).
void ForgetDetachedBlock(CBlockObj* other, const CBlockObj* block) {
  for (CBlockObj*& ref : other->m_pRef) {
    if (ref == block) ref = nullptr;
  }
  if (other->m_pWalkStart == block) other->m_pWalkStart = nullptr;
  other->ForgetBlock(block);
}

}  // namespace

std::unique_ptr<CBlockObj> CZaradDoc::DetachBlock(CBlockObj* block) {
  if (!block) return nullptr;
  DetachTables* tables = m_pDetaching;
  if (tables != nullptr && !tables->Current(*this)) tables->Build(*this);
  if (m_pNumbering != nullptr && m_blocks.Contains(block)) m_pNumbering->Leave(*this, block);
  std::unique_ptr<CBlockObj> out = m_blocks.Detach(block);
  const bool listed = out != nullptr;
  if (!out) out = m_powerBus.Detach(block);
  if (!out) return nullptr;
  if (tables != nullptr) {
    tables->gone.insert(block);
    if (listed) --tables->operandUsers[out->m_nOperand];
    auto by = tables->referrers.find(block);
    if (by != tables->referrers.end()) {
      for (CBlockObj* other : by->second) {
        if (!tables->gone.contains(other)) ForgetDetachedBlock(other, block);
      }
      tables->referrers.erase(by);
    }
    tables->Stamp(*this);
  } else {
    for (COwningList<CBlockObj>* list : {&m_blocks, &m_powerBus}) {
      for (CBlockObj* other : *list) ForgetDetachedBlock(other, block);
    }
  }
  // The last element addressing an operand takes the operand's user name with it.
  if (out->OwnsOperandName()) {
    const int operand = out->m_nOperand;
    const bool used = tables != nullptr
                          ? tables->operandUsers[operand] > 0
                          : std::any_of(m_blocks.begin(), m_blocks.end(),
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
  if (m_pNumbering) {
    auto it = m_pNumbering->first.find(number);
    return it == m_pNumbering->first.end() ? nullptr : it->second;
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
