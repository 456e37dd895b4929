#include "model/block_obj.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "support/fake_contexts.h"

namespace {

// A block class of schema 1, as every real block class is.
class CTestBlock : public CBlockObj {
  DECLARE_SERIAL(CTestBlock)

 public:
  CTestBlock() = default;
  explicit CTestBlock(int type, int inputs = 4) : CBlockObj(type, inputs) {}
};

}  // namespace

IMPLEMENT_SERIAL(CTestBlock, CBlockObj, VERSIONABLE_SCHEMA | 1)

namespace {

TEST(PinTypeTableTest, RowFormula) {
  struct Case {
    int code;
    int row;
  };
  const Case cases[] = {{300, 0},   {307, 7},  {400, 8},  {413, 21},  {600, 22},  {611, 33},
                        {700, 34},  {705, 39}, {800, 40}, {827, 67},  {828, 68},  {829, 69},
                        {830, 68},  {856, 94}, {860, 95}, {879, 114}, {900, 115}, {901, 116},
                        {911, 117}, {299, 0},  {1000, 0}, {510, -1},  {599, -1},  {696, -1},
                        {784, -1},  {883, -1}, {903, -1}, {912, -1},  {951, -1},  {999, -1}};
  for (const Case& c : cases) EXPECT_EQ(GetPinTypeTableRow(c.code), c.row) << c.code;
}

TEST(PinTypeTableTest, RowsOfKinds) {
  struct Case {
    int code;
    std::vector<int> inputs;
    int output;
  };
  const Case cases[] = {
      {300, {1, 1, 1, 1}, 1}, {306, {1, 1}, 1},       {413, {1, 1, 1, 3}, 2}, {410, {3, 3, 3}, 1},
      {601, {}, 1},           {606, {1}, 0},          {608, {}, 2},           {702, {1}, 2},
      {811, {1, 1}, 1},       {818, {1, 1, 2, 3}, 2}, {840, {2}, 2},          {853, {1, 2}, 2},
      {879, {1, 2, 3}, 2},    {901, {}, 1},           {911, {1, 3}, 0},       {828, {1, 1, 1, 1}, 1},
  };
  for (const Case& c : cases) {
    for (int pin = 0; pin < kPinCount; ++pin) {
      int expected = 0;
      if (pin < static_cast<int>(c.inputs.size())) expected = c.inputs[static_cast<size_t>(pin)];
      if (pin == kFirstOutputPin) expected = c.output;
      EXPECT_EQ(GetTablePinType(c.code, pin), expected) << c.code << " pin " << pin;
    }
  }
  // Codes past the table give no pins, and pin indices outside 0..19 read as none.
  for (int pin = 0; pin < kPinCount; ++pin) {
    EXPECT_EQ(GetTablePinType(951, pin), PIN_NONE);
    EXPECT_EQ(GetTablePinType(560, pin), PIN_NONE);
  }
  EXPECT_EQ(GetTablePinType(300, -1), PIN_NONE);
  EXPECT_EQ(GetTablePinType(300, kPinCount), PIN_NONE);
}

TEST(BlockObjTest, TypedConstructorDefaults) {
  // The timers start at the clock the context gives; no shell is asked.
  const SYSTEMTIME clock = {2024, 3, 0, 15, 12, 30, 45, 500};
  CBlockObj b(811, 4, BlockContext{clock});

  EXPECT_EQ(b.m_nType, 811);
  EXPECT_EQ(b.m_nInputs, 4);
  EXPECT_EQ(b.m_nOutputs, 1);
  EXPECT_EQ(b.m_nSource[0], LINK_OPEN);
  EXPECT_EQ(b.m_nSource[3], LINK_OPEN);
  EXPECT_EQ(b.m_nSource[4], 0);  // not an existing pin
  EXPECT_EQ(b.m_nSource[10], 0);
  const int expectedTypes[] = {1, 1, 0, 0};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(b.m_nPinType[i], expectedTypes[i]);
  EXPECT_EQ(b.m_nPinType[10], 1);

  const int params[] = {b.m_nParam1,  b.m_nParam2,  b.m_nParam3,  b.m_nParam4,  b.m_nParam5,  b.m_nParam6,
                        b.m_nParam7,  b.m_nParam8,  b.m_nParam9,  b.m_nParam10, b.m_nParam11, b.m_nParam12,
                        b.m_nParam13, b.m_nParam14, b.m_nParam15, b.m_nParam16, b.m_nParam17, b.m_nParam18,
                        b.m_nParam19, b.m_nParam20, b.m_nParam21, b.m_nParam22, b.m_nParam23, b.m_nParam24,
                        b.m_nParam25, b.m_nParam26, b.m_nParam27, b.m_nParam28};
  const int expectedParams[] = {0, 0, 0, 0, 1, 2099, 2000, 0, 0, 0, 2, 0, 0, 0,
                                0, 2, 0, 1, 0, 0,    0,    0, 0, 0, 0, 0, 1, 1};
  for (int i = 0; i < 28; ++i) EXPECT_EQ(params[i], expectedParams[i]) << "m_nParam" << i + 1;
  for (int k = 0; k < kRefCount; ++k) {
    EXPECT_EQ(b.m_bUseRef[k], 0);
    EXPECT_EQ(b.m_nRefNumber[k], -1);
    EXPECT_EQ(b.m_pRef[k], nullptr);
  }
  EXPECT_EQ(b.m_bShowLabel, 1);
  EXPECT_EQ(b.m_nReserved1, 1);
  EXPECT_EQ(b.m_nReserved2, 1);
  EXPECT_EQ(b.m_bAutoRange, 1);
  EXPECT_EQ(b.m_nMaxValue, 9999);
  EXPECT_EQ(b.m_nFirstLinkedPin, -1);
  EXPECT_EQ(b.m_byCaps, 0x0F);
  EXPECT_EQ(b.m_stStart, clock);
  EXPECT_EQ(b.m_stIntervalStart, clock);
  EXPECT_EQ(b.m_stPause, SYSTEMTIME{});
}

TEST(BlockObjTest, PinCountsDecideWhichPinsAreInitialised) {
  CBlockObj none(606, 0);
  for (int i = 0; i < kFirstOutputPin; ++i) EXPECT_EQ(none.m_nSource[i], 0) << i;
  CBlockObj ten(300, 10);
  for (int i = 0; i < kFirstOutputPin; ++i) EXPECT_EQ(ten.m_nSource[i], LINK_OPEN) << i;
  EXPECT_EQ(ten.m_nSource[10], 0);
  // Unknown codes build without pins.
  CBlockObj bus(951, 0);
  for (int i = 0; i < kPinCount; ++i) EXPECT_EQ(bus.m_nPinType[i], PIN_NONE);
}

TEST(BlockObjTest, LadderDocumentDropsOutputPinTypes) {
  // Built with no shell at all: the ladder document comes with the context.
  CZaradDoc ladder(NewDocumentSettings{kDocLadder});
  ASSERT_TRUE(ladder.IsLadder());
  const BlockContext ctx = BlockContext::For(&ladder);
  EXPECT_TRUE(ctx.ladder);
  struct Case {
    int code;
    int inputs;
    int output;
  };
  const Case cases[] = {{300, 4, 0}, {400, 2, 0}, {605, 1, 0}, {700, 1, 1},
                        {701, 1, 1}, {702, 1, 2}, {901, 0, 1}};
  for (const Case& c : cases) {
    CBlockObj b(c.code, c.inputs, ctx);
    EXPECT_EQ(b.m_nPinType[10], c.output) << c.code;
    CBlockObj fbd(c.code, c.inputs);
    EXPECT_EQ(fbd.m_nPinType[10], GetTablePinType(c.code, 10)) << c.code;
    EXPECT_EQ(b.m_nPinType[0], c.inputs > 0 ? GetTablePinType(c.code, 0) : 0) << c.code;
  }
  // Reloading the pin types applies the same rule, or none without a ladder document.
  CBlockObj gate(300, 4, ctx);
  gate.GetPinTypeRow(nullptr);
  EXPECT_EQ(gate.m_nPinType[10], 1);
  gate.GetPinTypeRow(&ladder);
  EXPECT_EQ(gate.m_nPinType[10], 0);
}

// Gives every field of the record a distinct value.
void FillRecordFields(CBlockObj& b) {
  b.m_nType = 815;
  b.m_ptPos = {120, -40};
  b.m_ptDragStart = {7, 8};
  b.m_nWidth = 25;
  b.m_nHeight = 40;
  b.m_nNumber = 9003;
  b.m_bShowLabel = 0x10001;  // keeps 1
  for (int i = 0; i < kPinCount; ++i) {
    b.m_nSource[i] = 1000 + i;
    b.m_bInvert[i] = i % 2;
    b.m_nPinType[i] = i % 4;
  }
  b.m_strReserved = u"res";
  b.m_nOperand = 42;
  b.m_strName = u"Pump\u00e41";
  b.m_wMemSize = 20;
  b.m_strLabel = u"line1\r\nline2";
  b.m_nContactState = 0x30002;  // keeps 2
  b.m_nInputs = 2;
  b.m_nOutputs = 1;
  b.m_nReserved1 = 5;
  b.m_nReserved2 = 6;
  int* params[] = {&b.m_nParam1,  &b.m_nParam2,  &b.m_nParam3,  &b.m_nParam4,  &b.m_nParam5,  &b.m_nParam6,
                   &b.m_nParam7,  &b.m_nParam8,  &b.m_nParam9,  &b.m_nParam10, &b.m_nParam11, &b.m_nParam12,
                   &b.m_nParam13, &b.m_nParam14, &b.m_nParam15, &b.m_nParam16, &b.m_nParam17, &b.m_nParam18,
                   &b.m_nParam19, &b.m_nParam20, &b.m_nParam21, &b.m_nParam22, &b.m_nParam23, &b.m_nParam24,
                   &b.m_nParam25, &b.m_nParam26, &b.m_nParam27};
  for (int i = 0; i < 27; ++i) *params[i] = -(i + 1) * 11;
  for (int k = 0; k < kRefCount; ++k) b.m_bUseRef[k] = k + 1;
  b.m_nLinkSlots = 11;
  b.m_bAutoRange = 0;
  b.m_nSimValue = 17;
  b.m_nMinValue = -20000;
  b.m_nMaxValue = 20000;
  b.m_strMask = u"00FF";
  b.m_dParam = 2.5;
}

std::vector<BYTE> StoreRecord(CBlockObj& b) {
  CArchive ar;
  b.Serialize(ar);
  return ar.TakeBytes();
}

void LoadRecord(CBlockObj& b, const std::vector<BYTE>& bytes, UINT schema) {
  CArchive ar(bytes);
  ar.SetObjectSchema(schema);
  b.Serialize(ar);
  EXPECT_TRUE(ar.IsBufferEmpty());
}

TEST(BlockRecordTest, RoundTripOfSchemaOneClass) {
  CTestBlock referenced(800, 4);
  referenced.m_nNumber = 9001;
  CTestBlock src;
  FillRecordFields(src);
  src.m_pRef[0] = nullptr;
  src.m_nRefNumber[0] = 77;  // stale: refreshed to -1
  src.m_pRef[1] = &referenced;
  src.m_pRef[3] = &referenced;

  CArchive out;
  out << static_cast<const CObject*>(&src);
  CArchive in(out.TakeBytes());
  CObject* obj = nullptr;
  in >> obj;
  std::unique_ptr<CObject> owner(obj);
  auto* dst = DYNAMIC_DOWNCAST(CTestBlock, obj);
  ASSERT_NE(dst, nullptr);
  EXPECT_TRUE(in.IsBufferEmpty());

  EXPECT_EQ(src.m_nRefNumber[0], -1);
  EXPECT_EQ(src.m_nRefNumber[1], 9001);
  EXPECT_EQ(dst->m_nLoadedSchema, 1);
  EXPECT_EQ(dst->m_nType, 815);
  EXPECT_EQ(dst->m_ptPos, CPoint(120, -40));
  EXPECT_EQ(dst->m_ptDragStart, CPoint(7, 8));
  EXPECT_EQ(dst->m_nWidth, 25);
  EXPECT_EQ(dst->m_nHeight, 40);
  EXPECT_EQ(dst->m_nNumber, 9003);
  EXPECT_EQ(dst->m_bShowLabel, 1);
  EXPECT_EQ(dst->m_nContactState, 2);
  EXPECT_EQ(dst->m_wMemSize, 20);
  for (int i = 0; i < kPinCount; ++i) {
    EXPECT_EQ(dst->m_nSource[i], src.m_nSource[i]);
    EXPECT_EQ(dst->m_bInvert[i], src.m_bInvert[i]);
    EXPECT_EQ(dst->m_nPinType[i], src.m_nPinType[i]);
  }
  EXPECT_EQ(dst->m_strReserved, src.m_strReserved);
  EXPECT_EQ(dst->m_nOperand, 42);
  EXPECT_EQ(dst->m_strName, src.m_strName);
  EXPECT_EQ(dst->m_strLabel, src.m_strLabel);
  EXPECT_EQ(dst->m_nInputs, 2);
  EXPECT_EQ(dst->m_nOutputs, 1);
  EXPECT_EQ(dst->m_nReserved1, 5);
  EXPECT_EQ(dst->m_nReserved2, 6);
  const int srcParams[] = {src.m_nParam1,  src.m_nParam2,  src.m_nParam3,  src.m_nParam4,  src.m_nParam5,
                           src.m_nParam6,  src.m_nParam7,  src.m_nParam8,  src.m_nParam9,  src.m_nParam10,
                           src.m_nParam11, src.m_nParam12, src.m_nParam13, src.m_nParam14, src.m_nParam15,
                           src.m_nParam16, src.m_nParam17, src.m_nParam18, src.m_nParam19, src.m_nParam20,
                           src.m_nParam21, src.m_nParam22, src.m_nParam23, src.m_nParam24, src.m_nParam25,
                           src.m_nParam26, src.m_nParam27};
  const int dstParams[] = {
      dst->m_nParam1,  dst->m_nParam2,  dst->m_nParam3,  dst->m_nParam4,  dst->m_nParam5,  dst->m_nParam6,
      dst->m_nParam7,  dst->m_nParam8,  dst->m_nParam9,  dst->m_nParam10, dst->m_nParam11, dst->m_nParam12,
      dst->m_nParam13, dst->m_nParam14, dst->m_nParam15, dst->m_nParam16, dst->m_nParam17, dst->m_nParam18,
      dst->m_nParam19, dst->m_nParam20, dst->m_nParam21, dst->m_nParam22, dst->m_nParam23, dst->m_nParam24,
      dst->m_nParam25, dst->m_nParam26, dst->m_nParam27};
  for (int i = 0; i < 27; ++i) EXPECT_EQ(dstParams[i], srcParams[i]) << "m_nParam" << i + 1;
  EXPECT_EQ(dst->m_nParam28, 1);  // not in the record
  const int expectedRefs[] = {-1, 9001, -1, 9001};
  for (int k = 0; k < kRefCount; ++k) {
    EXPECT_EQ(dst->m_bUseRef[k], k + 1);
    EXPECT_EQ(dst->m_nRefNumber[k], expectedRefs[k]);
    EXPECT_EQ(dst->m_pRef[k], nullptr);  // the document resolves the numbers
  }
  EXPECT_EQ(dst->m_nLinkSlots, 11);
  EXPECT_EQ(dst->m_bAutoRange, 0);
  EXPECT_EQ(dst->m_nSimValue, 17);
  EXPECT_EQ(dst->m_nMinValue, -20000);
  EXPECT_EQ(dst->m_nMaxValue, 20000);
  EXPECT_EQ(dst->m_strMask, src.m_strMask);
  EXPECT_EQ(dst->m_dParam, 2.5);
}

TEST(BlockRecordTest, FixedHeadLayout) {
  CTestBlock b;
  FillRecordFields(b);
  const std::vector<BYTE> bytes = StoreRecord(b);
  auto intAt = [&](size_t off) {
    int v = 0;
    std::memcpy(&v, bytes.data() + off, 4);
    return v;
  };
  ASSERT_GT(bytes.size(), 114u);
  EXPECT_EQ(intAt(0), 815);
  EXPECT_EQ(intAt(4), 120);
  EXPECT_EQ(intAt(8), -40);
  EXPECT_EQ(intAt(12), 7);
  EXPECT_EQ(intAt(20), 25);
  EXPECT_EQ(intAt(24), 40);
  EXPECT_EQ(intAt(28), 9003);
  EXPECT_EQ(bytes[32], 1);
  EXPECT_EQ(bytes[33], 0);
  EXPECT_EQ(intAt(34), 1000);
  EXPECT_EQ(intAt(110), 1019);
}

TEST(BlockRecordTest, SchemaZeroRecordLeavesLaterFieldsAlone) {
  CTestBlock src;
  FillRecordFields(src);
  std::vector<BYTE> full = StoreRecord(src);
  // The schema-1 part is 5 ints, the mask string (4 chars: FF FE FF 04 + 8 bytes), 6 ints and a double.
  const size_t tail = 5 * 4 + (4 + 8) + 6 * 4 + 8;
  std::vector<BYTE> shortRecord(full.begin(), full.end() - static_cast<std::ptrdiff_t>(tail));

  CTestBlock dst;
  dst.m_nParam13 = 123;
  dst.m_nParam8 = 456;
  dst.m_strMask = u"ABCD";
  dst.m_dParam = 9.75;
  LoadRecord(dst, shortRecord, 0);
  EXPECT_EQ(dst.m_nLoadedSchema, 0);
  EXPECT_EQ(dst.m_nPinType[3], 3);
  EXPECT_EQ(dst.m_nParam13, 123);
  EXPECT_EQ(dst.m_nParam8, 456);
  EXPECT_EQ(dst.m_strMask, CString(u"ABCD"));
  EXPECT_EQ(dst.m_dParam, 9.75);
}

TEST(BlockRecordTest, PlainBlockWritesTheRecordItReadsBack) {
  CBlockObj src(811, 4);
  src.m_nNumber = 9000;
  CArchive out;
  out << static_cast<const CObject*>(&src);
  CArchive in(out.TakeBytes());
  CObject* obj = nullptr;
  in >> obj;
  std::unique_ptr<CObject> owner(obj);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(obj->GetRuntimeClass(), RUNTIME_CLASS(CBlockObj));
  auto* dst = static_cast<CBlockObj*>(obj);
  EXPECT_TRUE(in.IsBufferEmpty());
  EXPECT_EQ(dst->m_nLoadedSchema, 0);
  EXPECT_EQ(dst->m_nType, 811);
  EXPECT_EQ(dst->m_nNumber, 9000);
  EXPECT_EQ(dst->m_nPinType[1], 1);
  EXPECT_EQ(dst->m_nParam6, 2099);  // typed-constructor default for the fields not stored
}

TEST(BlockRecordTest, DamagedRecordsAreRefused) {
  CTestBlock src;
  FillRecordFields(src);
  const std::vector<BYTE> bytes = StoreRecord(src);

  CTestBlock badSchema;
  CArchive ar(bytes);
  ar.SetObjectSchema(2);
  try {
    badSchema.Serialize(ar);
    FAIL() << "schema 2 accepted";
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badSchema);
  }

  // Pin counts outside the pin arrays.
  struct Case {
    int inputs, outputs, linkSlots;
  };
  for (const Case& c : {Case{11, 1, 0}, Case{-1, 1, 0}, Case{4, 11, 0}, Case{4, 1, 20}, Case{4, 1, -3}}) {
    CTestBlock bad;
    FillRecordFields(bad);
    bad.m_nInputs = c.inputs;
    bad.m_nOutputs = c.outputs;
    bad.m_nLinkSlots = c.linkSlots;
    CTestBlock dst;
    CArchive in(StoreRecord(bad));
    in.SetObjectSchema(1);
    EXPECT_THROW(dst.Serialize(in), CArchiveException) << c.inputs << " " << c.outputs << " " << c.linkSlots;
  }

  // A record cut short.
  for (size_t cut : {size_t{10}, size_t{100}, bytes.size() - 1}) {
    CTestBlock dst;
    CArchive in(std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut)));
    in.SetObjectSchema(1);
    EXPECT_THROW(dst.Serialize(in), CArchiveException) << cut;
  }
}

}  // namespace
