#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "blocks/block_factory.h"
#include "blocks/data_log_block.h"
#include "blocks/operand_blocks.h"
#include "model/block_registry.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "support/fake_contexts.h"

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  // A document of the given kind and model.
  std::unique_ptr<CZaradDoc> MakeDoc(int kind = kDocFbd, WORD model = 0x5188) {
    NewDocumentSettings settings;
    settings.nKind = kind;
    settings.wModelCode = model;
    auto doc = std::make_unique<CZaradDoc>(settings);
    return doc;
  }
  static CBlockObj* Add(CZaradDoc& doc, int type) { return doc.AddBlock(MakeBlockOfType(type)); }
  // Numbers the next n blocks of a type get.
  static std::vector<int> AddMany(CZaradDoc& doc, int type, int n) {
    std::vector<int> numbers;
    for (int i = 0; i < n; ++i) numbers.push_back(Add(doc, type)->m_nNumber);
    return numbers;
  }
};

TEST_F(RegistryTest, OperandBlocksAreNumberedWithinTheirRanges) {
  auto doc = MakeDoc();
  const std::vector<int> inputs = AddMany(*doc, 600, 128);
  EXPECT_EQ(inputs[0], 100);
  EXPECT_EQ(inputs[15], 115);
  EXPECT_EQ(inputs[16], 132);
  EXPECT_EQ(inputs[127], 339);
  EXPECT_FALSE(doc->CheckTypeLimit(600, nullptr));
  // In a function-block diagram the operand is the index within the range.
  EXPECT_EQ(doc->FindBlockByNumber(132)->m_nOperand, 32);

  const std::vector<int> outputs = AddMany(*doc, 605, 64);
  EXPECT_EQ(outputs[0], 600);
  EXPECT_EQ(outputs[8], 616);
  EXPECT_EQ(outputs[63], 719);
  EXPECT_FALSE(doc->CheckTypeLimit(605, nullptr));

  struct Case {
    int type;
    int first;
  };
  for (const Case& c : {Case{602, 1000}, Case{603, 1870}, Case{604, 2900}, Case{606, 4800}, Case{607, 1316},
                        Case{608, 4000}, Case{609, 4230}, Case{610, 4288}, Case{611, 1300}, Case{900, 5000},
                        Case{901, 7000}, Case{911, 8950}}) {
    EXPECT_EQ(Add(*doc, c.type)->m_nNumber, c.first) << c.type;
  }
  EXPECT_TRUE(doc->IsModified());
}

TEST_F(RegistryTest, FreedNumbersAreReusedAndFullRangesKeepTheNumber) {
  auto doc = MakeDoc();
  CBlockObj* first = Add(*doc, 600);
  Add(*doc, 600);
  doc->m_blocks.Detach(first).reset();
  EXPECT_EQ(Add(*doc, 600)->m_nNumber, 100);

  AddMany(*doc, 611, 5);
  auto sixth = MakeBlockOfType(611);
  sixth->m_nNumber = 4242;
  EXPECT_EQ(doc->AddBlock(std::move(sixth))->m_nNumber, 4242);
  EXPECT_EQ(doc->AddBlock(nullptr), nullptr);
}

TEST_F(RegistryTest, FunctionBlockNumbersNeverRepeat) {
  auto doc = MakeDoc();
  EXPECT_EQ(AddMany(*doc, 300, 3), (std::vector<int>{9000, 9001, 9002}));
  EXPECT_EQ(Add(*doc, 400)->m_nNumber, 9003);
  // A loaded document with a gap: the lowest free number, not 9000 + count.
  doc->m_blocks.Detach(doc->FindBlockByNumber(9001)).reset();
  EXPECT_EQ(Add(*doc, 800)->m_nNumber, 9001);
  EXPECT_EQ(Add(*doc, 800)->m_nNumber, 9004);
  // Kinds without a class of their own count as function blocks.
  EXPECT_EQ(Add(*doc, 601)->m_nNumber, 9005);
  EXPECT_EQ(Add(*doc, 811)->m_nNumber, 9006);
  EXPECT_EQ(doc->CountFunctionBlocks(), 7);
}

TEST_F(RegistryTest, NumbersAndOperandsOutsideTheRangesAreIgnored) {
  auto doc = MakeDoc(kDocLadder);
  const int odd[] = {-2147483647 - 1, -1, 0, 99, 356, 50000, 2147483647};
  for (int n : odd) {
    auto in = MakeBlockOfType(600);
    in->m_nNumber = n;
    doc->m_blocks.AddTail(std::move(in));
    auto coil = MakeBlockOfType(703);
    coil->m_nNumber = n;
    coil->m_nOperand = n;
    doc->m_blocks.AddTail(std::move(coil));
    auto aout = MakeBlockOfType(705);
    aout->m_nNumber = n;
    aout->m_nOperand = n;
    doc->m_blocks.AddTail(std::move(aout));
  }
  EXPECT_EQ(Add(*doc, 600)->m_nNumber, 100);
  CBlockObj* coil = Add(*doc, 703);
  EXPECT_EQ(coil->m_nNumber, 21000);
  EXPECT_EQ(coil->m_nOperand, 600);
  CBlockObj* aout = Add(*doc, 705);
  EXPECT_EQ(aout->m_nNumber, 22000);
  EXPECT_EQ(aout->m_nOperand, 4230);
}

TEST_F(RegistryTest, LadderElementsGetTheirOperands) {
  auto doc = MakeDoc(kDocLadder);
  EXPECT_EQ(Add(*doc, 700)->m_nOperand, 100);
  EXPECT_EQ(Add(*doc, 701)->m_nOperand, 100);
  EXPECT_EQ(Add(*doc, 702)->m_nOperand, 4000);

  // Relay coils and inverted outputs share one range and take outputs Q, then flags M.
  CBlockObj* inv = Add(*doc, 704);
  EXPECT_EQ(inv->m_nNumber, 21000);
  EXPECT_EQ(inv->m_nOperand, 600);
  CBlockObj* coil = Add(*doc, 703);
  EXPECT_EQ(coil->m_nNumber, 21001);
  EXPECT_EQ(coil->m_nOperand, 601);
  AddMany(*doc, 703, 126);  // Q 602..727
  CBlockObj* onFlag = Add(*doc, 703);
  EXPECT_EQ(onFlag->m_nOperand, 1316);

  TypeLimitQuery query;
  query.nAdding = 1;
  EXPECT_TRUE(doc->CheckTypeLimit(704, &query));
  EXPECT_EQ(query.nInRange1, 128);
  EXPECT_EQ(query.nInRange2, 1);
  EXPECT_EQ(query.nInRange3, 0);

  const std::vector<int> aouts = AddMany(*doc, 705, 33);
  EXPECT_EQ(aouts[0], 22000);
  EXPECT_EQ(doc->FindBlockByNumber(22000)->m_nOperand, 4230);
  EXPECT_EQ(doc->FindBlockByNumber(22031)->m_nOperand, 4261);
  EXPECT_EQ(doc->FindBlockByNumber(22032)->m_nOperand, 4288);
  TypeLimitQuery aq;
  EXPECT_TRUE(doc->CheckTypeLimit(705, &aq));
  EXPECT_EQ(aq.nInRange1, 32);
  EXPECT_EQ(aq.nInRange2, 1);
}

TEST_F(RegistryTest, PastedBlocks) {
  auto doc = MakeDoc(kDocLadder);
  Add(*doc, 600);  // 100

  auto keep = std::make_unique<CBlockIn>(600);
  keep->m_nNumber = 133;
  keep->m_nOperand = 33;
  keep->m_bHighSpeed = 1;
  CBlockObj* kept = doc->AddPastedBlock(std::move(keep));
  EXPECT_EQ(kept->m_nNumber, 133);
  EXPECT_EQ(kept->m_nOperand, 33);
  EXPECT_EQ(static_cast<CBlockIn*>(kept)->m_bHighSpeed, 0);

  auto taken = std::make_unique<CBlockIn>(600);
  taken->m_nNumber = 100;
  taken->m_bHighSpeed = 1;
  CBlockObj* moved = doc->AddPastedBlock(std::move(taken));
  EXPECT_EQ(moved->m_nNumber, 101);
  EXPECT_EQ(static_cast<CBlockIn*>(moved)->m_bHighSpeed, 0);

  // A pasted contact whose number is taken is renumbered but keeps its operand.
  CBlockObj* contact = Add(*doc, 700);
  auto copy = MakeBlockOfType(700);
  copy->m_nNumber = contact->m_nNumber;
  copy->m_nOperand = 4711;
  CBlockObj* pastedContact = doc->AddPastedBlock(std::move(copy));
  EXPECT_EQ(pastedContact->m_nNumber, 12001);
  EXPECT_EQ(pastedContact->m_nOperand, 4711);

  // Function blocks, connector halves and the data log take function-block numbers.
  for (int type : {300, 900, 901, 911}) {
    auto b = MakeBlockOfType(type);
    b->m_nNumber = 7;
    EXPECT_GE(doc->AddPastedBlock(std::move(b))->m_nNumber, kFirstFunctionBlockNumber) << type;
  }
}

// A numbering batch numbers, finds and renumbers exactly as the document does
// one block at a time, whatever joins, leaves or changes number in between.
TEST_F(RegistryTest, ABatchNumbersAsOneByOne) {
  struct Step {
    enum Kind { kAdd, kPaste, kDetach, kRenumber } kind;
    int a;  // type to add or paste; position of the block to detach or renumber
    int b;  // number of a pasted block; the new number
  };
  const Step steps[] = {
      {Step::kAdd, 600, 0},       {Step::kAdd, 300, 0},       {Step::kAdd, 600, 0},
      {Step::kAdd, 703, 0},       {Step::kAdd, 704, 0},       {Step::kAdd, 705, 0},
      {Step::kAdd, 700, 0},       {Step::kAdd, 702, 0},       {Step::kPaste, 600, 100},
      {Step::kPaste, 600, 150},   {Step::kPaste, 703, 21000}, {Step::kPaste, 300, 9000},
      {Step::kDetach, 1, 0},      {Step::kAdd, 400, 0},       {Step::kRenumber, 0, 9000},
      {Step::kAdd, 300, 0},       {Step::kRenumber, 3, 101},  {Step::kAdd, 600, 0},
      {Step::kAdd, 703, 0},       {Step::kDetach, 0, 0},      {Step::kAdd, 300, 0},
      {Step::kAdd, 607, 0},       {Step::kAdd, 900, 0},       {Step::kAdd, 901, 0},
      {Step::kRenumber, 4, 9001}, {Step::kDetach, 4, 0},      {Step::kAdd, 300, 0},
      {Step::kAdd, 911, 0},
  };
  for (int kind : {kDocFbd, kDocLadder}) {
    auto plain = MakeDoc(kind);
    auto batched = MakeDoc(kind);
    for (CZaradDoc* doc : {plain.get(), batched.get()}) AddMany(*doc, 600, 3);
    CBlockNumberingBatch batch(*batched);
    int at = 0;
    for (const Step& s : steps) {
      for (CZaradDoc* doc : {plain.get(), batched.get()}) {
        switch (s.kind) {
          case Step::kAdd:
            Add(*doc, s.a);
            break;
          case Step::kPaste: {
            auto b = MakeBlockOfType(s.a);
            b->m_nNumber = s.b;
            doc->AddPastedBlock(std::move(b));
            break;
          }
          case Step::kDetach:
            doc->DetachBlock(doc->m_blocks.GetAt(s.a)).reset();
            break;
          case Step::kRenumber:
            doc->SetBlockNumber(doc->m_blocks.GetAt(s.a), s.b);
            break;
        }
      }
      ++at;
      ASSERT_EQ(plain->m_blocks.GetCount(), batched->m_blocks.GetCount());
      for (int i = 0; i < plain->m_blocks.GetCount(); ++i) {
        const CBlockObj* p = plain->m_blocks.GetAt(i);
        const CBlockObj* b = batched->m_blocks.GetAt(i);
        ASSERT_EQ(p->m_nNumber, b->m_nNumber) << kind << " step " << at << " block " << i;
        ASSERT_EQ(p->m_nOperand, b->m_nOperand) << kind << " step " << at << " block " << i;
      }
      for (int n : {100, 101, 102, 150, 9000, 9001, 9002, 12000, 21000, 21001, 22000, 5000, 7000}) {
        const CBlockObj* p = plain->FindBlockByNumber(n);
        const CBlockObj* b = batched->FindBlockByNumber(n);
        ASSERT_EQ(p ? plain->m_blocks.IndexOf(p) : -1, b ? batched->m_blocks.IndexOf(b) : -1)
            << kind << " step " << at << " number " << n;
      }
    }
  }
}

// Detaching in a detach batch leaves the document exactly as detaching the
// same blocks one at a time without one: the pointers of the blocks left to a
// block taken out are cleared (references, a self reference, the walk start,
// data-log items, message-text elements, from the block list and the power
// bus), every other pointer stays, and a ladder element's operand name goes
// with the last block holding the operand. A block that joins, or leaves
// behind the batch's back, is seen by the next detach.
TEST_F(RegistryTest, ADetachBatchLeavesWhatOneByOneLeaves) {
  enum Kind { kRef, kWalk, kItem, kElement };
  struct Pointer {
    int from;
    Kind kind;
    int slot;  // reference slot; element line of set 2
    int to;    // -1: the power bus
  };
  const int types[] = {400, 800, 803, 911, 810, 700, 700, 703, 400, 801};
  const Pointer pointers[] = {
      {2, kRef, 0, 1},     {2, kRef, 2, 1},     {2, kRef, 1, 0},     {2, kWalk, 0, 1},  {8, kRef, 0, 8},
      {8, kRef, 3, 2},     {0, kRef, 1, 9},     {9, kRef, 0, 0},     {1, kWalk, 0, 9},  {6, kRef, 0, -1},
      {3, kItem, 0, 0},    {3, kItem, 0, 1},    {3, kItem, 0, 5},    {3, kItem, 0, -1}, {4, kElement, 0, 0},
      {4, kElement, 3, 8}, {4, kElement, 1, 4}, {4, kElement, 2, 1}, {-1, kRef, 0, 9},  {-1, kWalk, 0, 2},
  };
  // Steps: a block to detach by its position above (-1 the power bus, 99 a
  // block no longer there, 98 none); kJoin adds a block that points at block 9,
  // kTakeHead takes the list's head out behind the document's back.
  constexpr int kJoin = 100, kTakeHead = 101;
  const int steps[] = {1, 5, kJoin, 9, kTakeHead, 6, -1, 4, 7, 99, 98, 3, 2};

  struct Doc {
    std::unique_ptr<CZaradDoc> doc;
    std::vector<CBlockObj*> made;  // every block by position, the power bus last
    std::vector<std::unique_ptr<CBlockObj>> held;
  };
  auto build = [&](Doc& d) {
    d.doc = MakeDoc(kDocLadder);
    for (int type : types) d.made.push_back(Add(*d.doc, type));
    d.made.push_back(d.doc->m_powerBus.AddTail(MakeBlockOfType(300)));
    auto at = [&](int i) { return d.made[static_cast<size_t>(i < 0 ? d.made.size() - 1 : i)]; };
    d.made[5]->m_nOperand = d.made[6]->m_nOperand = kFirstInputOperand;
    d.made[7]->m_nOperand = kFirstOutputOperand;
    for (int operand : {kFirstInputOperand, kFirstOutputOperand, kFirstFlagOperand})
      d.doc->m_operandNames[static_cast<UINT>(operand)] = CString(u"name");
    for (const Pointer& p : pointers) {
      CBlockObj* from = at(p.from);
      switch (p.kind) {
        case kRef:
          from->m_pRef[p.slot] = at(p.to);
          break;
        case kWalk:
          from->m_pWalkStart = at(p.to);
          break;
        case kItem: {
          DataLogItem item;
          item.m_pBlock = at(p.to);
          static_cast<CBlockDataLog*>(from)->m_items.push_back(item);
          break;
        }
        case kElement: {
          auto element = std::make_unique<CWidget>();
          element->m_pBlock = at(p.to);
          static_cast<CBlockMSGTEXT*>(from)->m_ElementsSet2[p.slot].push_back(std::move(element));
          break;
        }
      }
    }
  };
  // What the document holds, every pointer as the position of its block (-1 null, -2 a stranger).
  auto describe = [](const Doc& d) {
    std::vector<int> out;
    auto position = [&](const CBlockObj* b) -> int {
      if (b == nullptr) return -1;
      auto it = std::find(d.made.begin(), d.made.end(), b);
      return it == d.made.end() ? -2 : static_cast<int>(it - d.made.begin());
    };
    for (const COwningList<CBlockObj>* list : {&d.doc->m_blocks, &d.doc->m_powerBus}) {
      out.push_back(list->GetCount());
      for (const CBlockObj* b : *list) {
        out.push_back(position(b));
        for (const CBlockObj* ref : b->m_pRef) out.push_back(position(ref));
        out.push_back(position(b->m_pWalkStart));
        if (const auto* log = dynamic_cast<const CBlockDataLog*>(b)) {
          for (const DataLogItem& item : log->m_items) out.push_back(position(item.m_pBlock));
        }
        if (const auto* text = dynamic_cast<const CBlockMSGTEXT*>(b)) {
          for (const auto& line : text->m_ElementsSet2) {
            out.push_back(static_cast<int>(line.size()));
            for (const auto& element : line) out.push_back(position(element->m_pBlock));
          }
        }
      }
    }
    for (const auto& [operand, name] : d.doc->m_operandNames) out.push_back(static_cast<int>(operand));
    return out;
  };

  Doc plain, batched;
  build(plain);
  build(batched);
  ASSERT_EQ(describe(plain), describe(batched));
  {
    CBlockDetachBatch batch(*batched.doc);
    CBlockDetachBatch nested(*batched.doc);  // does nothing
    int at = 0;
    for (int step : steps) {
      for (Doc* d : {&plain, &batched}) {
        if (step == kJoin) {
          auto b = MakeBlockOfType(400);
          b->m_pRef[1] = d->made[9];
          d->made.push_back(d->doc->AddBlock(std::move(b)));
        } else if (step == kTakeHead) {
          d->held.push_back(d->doc->m_blocks.DetachHead());
        } else {
          CBlockObj* b = step == 98 ? nullptr : step == 99 ? d->made[1] : d->made[step < 0 ? 10 : step];
          std::unique_ptr<CBlockObj> taken = d->doc->DetachBlock(b);
          EXPECT_EQ(taken.get(), step >= 98 ? nullptr : b) << "step " << at;
        }
      }
      ++at;
      ASSERT_EQ(describe(plain), describe(batched)) << "step " << at;
    }
  }
  // What the steps leave: the last operand name of an element goes with it.
  EXPECT_EQ(batched.doc->m_operandNames.count(static_cast<UINT>(kFirstInputOperand)), 0u);
  EXPECT_EQ(batched.doc->m_operandNames.count(static_cast<UINT>(kFirstOutputOperand)), 0u);
  EXPECT_EQ(batched.doc->m_operandNames.count(static_cast<UINT>(kFirstFlagOperand)), 1u);
  EXPECT_EQ(batched.doc->m_blocks.GetCount(), 2);
}

TEST_F(RegistryTest, DetachedBlockLeavesNoPointersBehind) {
  auto doc = MakeDoc();
  CBlockObj* counter = Add(*doc, 800);
  CBlockObj* user = Add(*doc, 803);
  user->m_pRef[0] = counter;
  user->m_pRef[2] = counter;
  user->m_bUseRef[0] = 1;
  user->m_pWalkStart = counter;
  doc->m_sortList = {counter, user};
  doc->SetModifiedFlag(FALSE);

  std::unique_ptr<CBlockObj> taken = doc->DetachBlock(counter);
  EXPECT_EQ(taken.get(), counter);
  EXPECT_EQ(user->m_pRef[0], nullptr);
  EXPECT_EQ(user->m_pRef[2], nullptr);
  EXPECT_EQ(user->m_pWalkStart, nullptr);
  EXPECT_EQ(doc->m_sortList, std::vector<CBlockObj*>{user});
  EXPECT_EQ(doc->FindBlockByNumber(9000), nullptr);
  EXPECT_TRUE(doc->IsModified());
  EXPECT_EQ(doc->DetachBlock(counter), nullptr);
  EXPECT_EQ(doc->DetachBlock(nullptr), nullptr);
}

TEST_F(RegistryTest, TypeLimitsPerFamily) {
  struct Case {
    int type;
    int olderLimit;
    int newerLimit;
  };
  const Case cases[] = {{600, 128, 128},   {601, 0, 0},       {602, 16, 64},     {603, 1000, 1000},
                        {604, 1000, 1000}, {605, 64, 64},     {606, 128, 128},   {607, 512, 512},
                        {608, 64, 64},     {609, 32, 32},     {610, 512, 512},   {611, 5, 5},
                        {700, 2560, 2560}, {701, 2560, 2560}, {702, 2560, 2560}, {703, 768, 768},
                        {704, 768, 768},   {705, 544, 544},   {810, 16, 16},     {812, 1, 4},
                        {820, 8, 8},       {900, 1900, 1900}, {901, 1900, 1900}, {911, 1, 1},
                        {300, 0, 0},       {813, 0, 0}};
  auto older = MakeDoc(kDocFbd, 0x1188);
  auto newer = MakeDoc(kDocFbd, 0x5288);
  for (const Case& c : cases) {
    EXPECT_EQ(older->GetTypeLimit(c.type), c.olderLimit) << c.type;
    EXPECT_EQ(newer->GetTypeLimit(c.type), c.newerLimit) << c.type;
  }

  // The shift register: once on an older device, four times on a newer one.
  auto fill = [&](CZaradDoc& doc) {
    int fits = 0;
    while (doc.CheckTypeLimit(812, nullptr) && fits < 10) {
      Add(doc, 812);
      ++fits;
    }
    return fits;
  };
  EXPECT_EQ(fill(*older), 1);
  EXPECT_EQ(fill(*newer), 4);
  EXPECT_FALSE(newer->CheckTypeLimit(601, nullptr));
  EXPECT_FALSE(newer->CheckTypeLimit(300, nullptr));

  // A paste of several blocks: the count plus the blocks added must fit.
  AddMany(*newer, 611, 3);
  TypeLimitQuery q;
  q.nAdding = 2;
  EXPECT_TRUE(newer->CheckTypeLimit(611, &q));
  q.nAdding = 3;
  EXPECT_FALSE(newer->CheckTypeLimit(611, &q));
  // Status blocks count by kind: 603 and 604 are separate.
  Add(*newer, 604);
  TypeLimitQuery low;
  EXPECT_TRUE(newer->CheckTypeLimit(603, &low));
  EXPECT_EQ(low.nInRange1, 0);
}

TEST_F(RegistryTest, ModelCostAdjustment) {
  struct Case {
    WORD model;
    int yearly, shiftReg, modbusWrite;
  };
  for (const Case& c : {Case{0x1188, 8, 12, 18}, Case{0x2188, 8, 12, 18}, Case{0x5188, 14, 16, 22},
                        Case{0x5288, 14, 16, 22}, Case{0x6188, 14, 16, 22}}) {
    auto doc = MakeDoc(kDocFbd, c.model);
    CBlockObj* yt = Add(*doc, 411);
    CBlockObj* sreg = Add(*doc, 812);
    CBlockObj* mw = Add(*doc, 814);
    CBlockObj* mr = Add(*doc, 813);
    yt->m_wMemSize = sreg->m_wMemSize = mw->m_wMemSize = 1;
    doc->AdjustBlocksForModel();
    EXPECT_EQ(yt->m_wMemSize, c.yearly) << std::hex << c.model;
    EXPECT_EQ(sreg->m_wMemSize, c.shiftReg) << std::hex << c.model;
    EXPECT_EQ(mw->m_wMemSize, c.modbusWrite) << std::hex << c.model;
    EXPECT_EQ(mr->m_wMemSize, 18);
    EXPECT_EQ(doc->GetProgramMemorySize(), c.yearly + c.shiftReg + c.modbusWrite + 18);
  }
}

TEST_F(RegistryTest, TypeClasses) {
  struct Case {
    UINT code;
    int group;
  };
  const Case cases[] = {{299, 0}, {300, 2}, {413, 2}, {414, 0},        {599, 0}, {600, 1},
                        {799, 1}, {800, 2}, {899, 2}, {900, 3},        {901, 3}, {902, 0},
                        {911, 4}, {951, 0}, {0, 0},   {0xFFFFFFFFu, 0}};
  for (const Case& c : cases) EXPECT_EQ(CZaradDoc::GetTypeClass(c.code), c.group) << c.code;
}

TEST_F(RegistryTest, LookupsAndCounts) {
  auto doc = MakeDoc(kDocLadder, 0x1188);
  auto bus = MakeBlockOfType(951);
  bus->m_nNumber = kPowerBusNumber;
  CBlockObj* busPtr = doc->m_powerBus.AddTail(std::move(bus));
  CBlockObj* counter = Add(*doc, 800);
  counter->m_strName = u"Cnt";
  CBlockObj* gate = Add(*doc, 300);
  Add(*doc, 808);  // latching relay: not a reference on older devices
  Add(*doc, 900);
  Add(*doc, 901);
  CBlockObj* contact = Add(*doc, 700);

  EXPECT_EQ(doc->FindBlockByNumber(kPowerBusNumber), busPtr);
  EXPECT_EQ(doc->FindBlockByNumber(9001), gate);
  EXPECT_EQ(doc->FindBlockByNumber(12345), nullptr);
  EXPECT_EQ(doc->FindBlockByOperand(100, 700), contact);
  EXPECT_EQ(doc->FindBlockByOperand(100, 701), nullptr);
  EXPECT_EQ(doc->CountNonConnectorBlocks(), 4);
  EXPECT_EQ(doc->CountFunctionBlocks(), 3);
  EXPECT_EQ(doc->CountNamedBlocks(), 1);
  EXPECT_EQ(doc->CountReferenceableBlocks(-1), 1);
  EXPECT_EQ(doc->CountReferenceableBlocks(counter->m_nNumber), 0);
  // Newer devices: function blocks other than gates whose capability bit 0x01 is set.
  doc->m_wModelCode = 0x5188;
  Add(*doc, 832);  // caps 0x39
  Add(*doc, 809);  // caps 0x04
  EXPECT_EQ(doc->CountReferenceableBlocks(-1), 2);

  // Function-block diagrams have no power bus to find.
  auto fbd = MakeDoc();
  auto other = MakeBlockOfType(951);
  other->m_nNumber = kPowerBusNumber;
  fbd->m_powerBus.AddTail(std::move(other));
  EXPECT_EQ(fbd->FindBlockByNumber(kPowerBusNumber), nullptr);
}

}  // namespace
