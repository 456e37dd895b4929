#include "platform/archive.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/object.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Ascii(const char* s) {
  return Bytes(s, s + std::strlen(s));
}

Bytes Le32(DWORD v) {
  return {static_cast<BYTE>(v), static_cast<BYTE>(v >> 8), static_cast<BYTE>(v >> 16),
          static_cast<BYTE>(v >> 24)};
}

// Class record: new-class tag, schema word, name length word, name.
Bytes ClassRecord(WORD schema, const char* name) {
  const auto len = static_cast<WORD>(std::strlen(name));
  return Cat({{0xFF, 0xFF, static_cast<BYTE>(schema), static_cast<BYTE>(schema >> 8), static_cast<BYTE>(len),
               static_cast<BYTE>(len >> 8)},
              Ascii(name)});
}

std::string Hex(const Bytes& b) {
  std::string s;
  char buf[4];
  for (BYTE x : b) {
    std::snprintf(buf, sizeof buf, "%02X ", x);
    s += buf;
  }
  return s;
}

}  // namespace

// Test classes: a fixed-schema point, a class derived from it, a versionable
// class with an owned child and a non-owning peer, and a class that cannot be stored.
class CTestPoint : public CObject {
  DECLARE_SERIAL(CTestPoint)
 public:
  CTestPoint() = default;
  CTestPoint(int px, int py) : x(px), y(py) {}
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << x << y;
    } else {
      ar >> x >> y;
    }
  }
  int x = 0;
  int y = 0;
};
IMPLEMENT_SERIAL(CTestPoint, CObject, 1)

class CTestPoint3 : public CTestPoint {
  DECLARE_SERIAL(CTestPoint3)
 public:
  CTestPoint3() = default;
  CTestPoint3(int px, int py, int pz) : CTestPoint(px, py), z(pz) {}
  void Serialize(CArchive& ar) override {
    CTestPoint::Serialize(ar);
    if (ar.IsStoring()) {
      ar << z;
    } else {
      ar >> z;
    }
  }
  int z = 0;
};
IMPLEMENT_SERIAL(CTestPoint3, CTestPoint, 0)

// Record: int a, child object (owned), [schema 2: int b], peer object (not owned).
// The schema is asked for after the child has been read.
class CTestVersioned : public CObject {
  DECLARE_SERIAL(CTestVersioned)
 public:
  ~CTestVersioned() override { delete m_pChild; }
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << a << m_pChild << b << m_pPeer;
      return;
    }
    ar >> a;
    m_pChild = ar.ReadNewObject(nullptr);
    m_nSchema = ar.GetObjectSchema();
    m_nSecondAsk = ar.GetObjectSchema();
    if (m_nSchema >= 2) ar >> b;
    m_pPeer = ar.ReadObject(nullptr);
  }
  int a = 0;
  int b = -1;
  CObject* m_pChild = nullptr;
  CObject* m_pPeer = nullptr;
  UINT m_nSchema = 0;
  UINT m_nSecondAsk = 0;
};
IMPLEMENT_SERIAL(CTestVersioned, CObject, VERSIONABLE_SCHEMA | 2)

class CTestDynamic : public CObject {
  DECLARE_DYNAMIC(CTestDynamic)
};
IMPLEMENT_DYNAMIC(CTestDynamic, CObject)

namespace {

// Owns what a load returned; back references appear once.
struct Loaded {
  std::vector<CObject*> objects;
  std::set<CObject*> owned;
  ~Loaded() {
    for (CObject* p : owned) delete p;
  }
};

// ---------------------------------------------------------------------------
// Numbers, raw blocks, counts and strings: each case stores to exactly these
// bytes and loads them back.

struct ValueCase {
  const char* name;
  std::function<void(CArchive&)> store;  // null: a load-only case
  Bytes bytes;
  std::function<void(CArchive&)> loadAndCheck;
};

CString Repeat(char16_t ch, size_t n) {
  return CString(std::u16string(n, ch));
}

Bytes RepeatBytes(Bytes unit, size_t n) {
  Bytes out;
  for (size_t i = 0; i < n; ++i) out.insert(out.end(), unit.begin(), unit.end());
  return out;
}

template <typename T>
ValueCase Scalar(const char* name, T value, Bytes bytes) {
  return {name, [value](CArchive& ar) { ar << value; }, std::move(bytes),
          [value](CArchive& ar) {
            T got{};
            ar >> got;
            EXPECT_EQ(got, value);
          }};
}

ValueCase Str(const char* name, const CString& value, Bytes bytes) {
  return {name, [value](CArchive& ar) { ar << value; }, std::move(bytes),
          [value](CArchive& ar) {
            CString got(u"junk");
            ar >> got;
            EXPECT_TRUE(got == value) << got.ToUtf8();
          }};
}

ValueCase LoadStr(const char* name, Bytes bytes, const CString& value) {
  ValueCase c = Str(name, value, std::move(bytes));
  c.store = nullptr;
  return c;
}

ValueCase Count(const char* name, size_t value, Bytes bytes) {
  return {name, [value](CArchive& ar) { ar.WriteCount(value); }, std::move(bytes),
          [value](CArchive& ar) { EXPECT_EQ(ar.ReadCount(0), value); }};
}

TEST(ArchiveValues, StoreAndLoadByteForByte) {
  const std::vector<ValueCase> cases = {
      Scalar<BYTE>("byte", 0xAB, {0xAB}),
      Scalar<char>("char", 'A', {0x41}),
      Scalar<WORD>("word", 0x1234, {0x34, 0x12}),
      Scalar<short>("short", -2, {0xFE, 0xFF}),
      Scalar<char16_t>("char16", u'\u4E2D', {0x2D, 0x4E}),
      Scalar<int>("int", -2, {0xFE, 0xFF, 0xFF, 0xFF}),
      Scalar<LONG>("LONG", 0x12345678, {0x78, 0x56, 0x34, 0x12}),
      Scalar<DWORD>("DWORD", 0xDEADBEEF, {0xEF, 0xBE, 0xAD, 0xDE}),
      Scalar<UINT>("UINT", 7u, {7, 0, 0, 0}),
      Scalar<float>("float", 1.5f, {0x00, 0x00, 0xC0, 0x3F}),
      Scalar<double>("double", -2.5, {0, 0, 0, 0, 0, 0, 0x04, 0xC0}),
      Scalar<bool>("bool true", true, {0x01}),
      Scalar<bool>("bool false", false, {0x00}),
      {"raw block",
       [](CArchive& ar) { ar.Write("abc", 3); },
       {0x61, 0x62, 0x63},
       [](CArchive& ar) {
         char buf[3];
         EXPECT_EQ(ar.Read(buf, 3), 3u);
         EXPECT_EQ(std::string(buf, 3), "abc");
       }},
      // counts: a word below FFFF, else FFFF and a dword
      Count("count 0", 0, {0x00, 0x00}),
      Count("count FFFE", 0xFFFE, {0xFE, 0xFF}),
      Count("count FFFF", 0xFFFF, {0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}),
      Count("count 12345", 0x12345, {0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}),
      // strings: FF FE FF, the length in UTF-16 units, the units
      Str("empty string", CString(), {0xFF, 0xFE, 0xFF, 0x00}),
      Str("string AB", CString(u"AB"), {0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42, 0x00}),
      Str("string CJK", CString(u"\u4E2D\u6587"), {0xFF, 0xFE, 0xFF, 0x02, 0x2D, 0x4E, 0x87, 0x65}),
      Str("string surrogates", CString(u"\U0001F600"), {0xFF, 0xFE, 0xFF, 0x02, 0x3D, 0xD8, 0x00, 0xDE}),
      Str("string 254", Repeat(u'x', 254), Cat({{0xFF, 0xFE, 0xFF, 0xFE}, RepeatBytes({0x78, 0}, 254)})),
      Str("string 255", Repeat(u'x', 255),
          Cat({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00}, RepeatBytes({0x78, 0}, 255)})),
      Str("string FFFD", Repeat(u'y', 0xFFFD),
          Cat({{0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF}, RepeatBytes({0x79, 0}, 0xFFFD)})),
      Str("string FFFE", Repeat(u'z', 0xFFFE),
          Cat({{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00},
               RepeatBytes({0x7A, 0}, 0xFFFE)})),
      // the old form: no tag, 8-bit characters
      LoadStr("old empty", {0x00}, CString()),
      LoadStr("old abc", {0x03, 0x61, 0x62, 0x63}, CString(u"abc")),
      LoadStr("old 8-bit", {0x02, 0xE9, 0xFE}, CString(u"\u00E9\u00FE")),
      LoadStr("old word length", {0xFF, 0x03, 0x00, 0x78, 0x79, 0x7A}, CString(u"xyz")),
      LoadStr("old dword length", {0xFF, 0xFF, 0xFF, 0x02, 0x00, 0x00, 0x00, 0x68, 0x69}, CString(u"hi")),
      LoadStr("long form of a short length",
              {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x41, 0x00}, CString(u"A")),
  };
  for (const ValueCase& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.store) {
      CArchive out;
      c.store(out);
      EXPECT_EQ(Hex(out.GetBytes()).substr(0, 120), Hex(c.bytes).substr(0, 120));
      EXPECT_TRUE(out.GetBytes() == c.bytes);
    }
    CArchive in(c.bytes);
    c.loadAndCheck(in);
    EXPECT_TRUE(in.IsBufferEmpty()) << in.GetBytesLeft() << " bytes left";
  }
}

TEST(ArchiveValues, SequenceKeepsOrderAndModes) {
  CArchive out;
  EXPECT_TRUE(out.IsStoring());
  EXPECT_FALSE(out.IsLoading());
  out << BYTE{1} << WORD{2} << 3 << CString(u"s") << 4.0f;
  const Bytes bytes = out.TakeBytes();
  EXPECT_EQ(Hex(bytes), "01 02 00 03 00 00 00 FF FE FF 01 73 00 00 00 80 40 ");

  CArchive in(bytes.data(), bytes.size());
  EXPECT_TRUE(in.IsLoading());
  BYTE b;
  WORD w;
  int i;
  CString s;
  float f;
  in >> b >> w >> i >> s >> f;
  EXPECT_EQ(b, 1);
  EXPECT_EQ(w, 2);
  EXPECT_EQ(i, 3);
  EXPECT_TRUE(s == u"s");
  EXPECT_EQ(f, 4.0f);
  EXPECT_EQ(in.GetPosition(), bytes.size());
}

// A storing archive writes into room it keeps ahead: what it gives back is
// exactly what was written, whether it is looked at halfway, grows past its
// room, or writes into a reused buffer that held other bytes.
TEST(ArchiveValues, StoredBytesAreExactlyWhatWasWritten) {
  auto write = [](CArchive& out, int from, int count) {
    for (int i = from; i < from + count; ++i) out << static_cast<BYTE>(i) << static_cast<WORD>(i) << i;
  };
  Bytes expected;
  for (int i = 0; i < 3000; ++i) {
    expected.push_back(static_cast<BYTE>(i));
    for (int k = 0; k < 2; ++k) expected.push_back(static_cast<BYTE>(i >> (8 * k)));
    for (int k = 0; k < 4; ++k) expected.push_back(static_cast<BYTE>(i >> (8 * k)));
  }

  CArchive out;
  write(out, 0, 10);
  EXPECT_EQ(out.GetBytes(), Bytes(expected.begin(), expected.begin() + 70));  // halfway
  write(out, 10, 2990);
  EXPECT_EQ(out.GetBytes(), expected);
  Bytes taken = out.TakeBytes();
  EXPECT_EQ(taken, expected);

  // A buffer with other content and more room than needed, and one with too little.
  for (size_t room : {size_t{50000}, size_t{10}}) {
    Bytes buffer(room, 0xEE);
    CArchive again;
    again.ReuseBuffer(std::move(buffer));
    write(again, 0, 3000);
    EXPECT_EQ(again.TakeBytes(), expected) << room;
  }
}

// ---------------------------------------------------------------------------
// Objects

TEST(ArchiveObjects, RunTimeClasses) {
  EXPECT_EQ(CRuntimeClass::FromName("CTestPoint3"), RUNTIME_CLASS(CTestPoint3));
  EXPECT_EQ(CRuntimeClass::FromName("CObject"), RUNTIME_CLASS(CObject));
  EXPECT_EQ(CRuntimeClass::FromName("CTestPoint "), nullptr);
  const auto all = CRuntimeClass::GetRegisteredClasses();
  EXPECT_NE(std::find(all.begin(), all.end(), RUNTIME_CLASS(CTestVersioned)), all.end());

  CTestPoint3 p3;
  const CObject& ob = p3;
  EXPECT_EQ(ob.GetRuntimeClass(), RUNTIME_CLASS(CTestPoint3));
  EXPECT_TRUE(ob.IsKindOf(RUNTIME_CLASS(CTestPoint3)));
  EXPECT_TRUE(ob.IsKindOf(RUNTIME_CLASS(CTestPoint)));
  EXPECT_TRUE(ob.IsKindOf(RUNTIME_CLASS(CObject)));
  EXPECT_FALSE(ob.IsKindOf(RUNTIME_CLASS(CTestVersioned)));
  CObject* pOb = &p3;
  EXPECT_EQ(DYNAMIC_DOWNCAST(CTestPoint, pOb), &p3);
  EXPECT_EQ(DYNAMIC_DOWNCAST(CTestVersioned, pOb), nullptr);

  EXPECT_STREQ(RUNTIME_CLASS(CTestVersioned)->m_lpszClassName, "CTestVersioned");
  EXPECT_TRUE(RUNTIME_CLASS(CTestVersioned)->IsVersionable());
  EXPECT_EQ(RUNTIME_CLASS(CTestVersioned)->GetSchemaNumber(), 2u);
  EXPECT_FALSE(RUNTIME_CLASS(CTestPoint)->IsVersionable());
  EXPECT_TRUE(RUNTIME_CLASS(CTestPoint)->IsSerializable());
  EXPECT_FALSE(RUNTIME_CLASS(CTestDynamic)->IsSerializable());
  EXPECT_EQ(RUNTIME_CLASS(CTestDynamic)->CreateObject(), nullptr);
  std::unique_ptr<CObject> made(RUNTIME_CLASS(CTestPoint3)->CreateObject());
  EXPECT_EQ(made->GetRuntimeClass(), RUNTIME_CLASS(CTestPoint3));
}

const Bytes kPointClass = ClassRecord(1, "CTestPoint");
const Bytes kPoint3Class = ClassRecord(0, "CTestPoint3");
const Bytes kVersionedClass = ClassRecord(2, "CTestVersioned");

// A sequence of objects written with WriteObject; the builder returns the
// objects to write (owned by the case) and the checker looks at what was read.
struct ObjectCase {
  const char* name;
  std::function<std::vector<const CObject*>(std::vector<std::unique_ptr<CObject>>&)> build;
  Bytes bytes;
  std::function<void(const std::vector<CObject*>&)> check;
};

TEST(ArchiveObjects, StoreAndLoadByteForByte) {
  const std::vector<ObjectCase> cases = {
      {"null",
       [](auto&) { return std::vector<const CObject*>{nullptr}; },
       {0x00, 0x00},
       [](const auto& got) { EXPECT_EQ(got[0], nullptr); }},
      {"one object: class record, then the record",
       [](auto& own) {
         own.push_back(std::make_unique<CTestPoint>(1, 2));
         return std::vector<const CObject*>{own[0].get()};
       },
       Cat({kPointClass, Le32(1), Le32(2)}),
       [](const auto& got) {
         auto* p = DYNAMIC_DOWNCAST(CTestPoint, got[0]);
         ASSERT_NE(p, nullptr);
         EXPECT_EQ(p->GetRuntimeClass(), RUNTIME_CLASS(CTestPoint));
         EXPECT_EQ(p->x, 1);
         EXPECT_EQ(p->y, 2);
       }},
      {"second object of a class: 8000|class index",
       [](auto& own) {
         own.push_back(std::make_unique<CTestPoint>(1, 2));
         own.push_back(std::make_unique<CTestPoint>(3, 4));
         return std::vector<const CObject*>{own[0].get(), own[1].get()};
       },
       Cat({kPointClass, Le32(1), Le32(2), {0x01, 0x80}, Le32(3), Le32(4)}),
       [](const auto& got) {
         ASSERT_NE(got[0], got[1]);
         EXPECT_EQ(static_cast<CTestPoint*>(got[1])->x, 3);
       }},
      {"an object written again: its index",
       [](auto& own) {
         own.push_back(std::make_unique<CTestPoint>(1, 2));
         return std::vector<const CObject*>{own[0].get(), nullptr, own[0].get()};
       },
       Cat({kPointClass, Le32(1), Le32(2), {0x00, 0x00}, {0x02, 0x00}}),
       [](const auto& got) {
         EXPECT_EQ(got[1], nullptr);
         EXPECT_EQ(got[2], got[0]);
       }},
      {"classes and objects share one index sequence",
       [](auto& own) {
         own.push_back(std::make_unique<CTestPoint>(1, 2));
         own.push_back(std::make_unique<CTestPoint3>(5, 6, 7));
         own.push_back(std::make_unique<CTestPoint>(8, 9));
         own.push_back(std::make_unique<CTestPoint3>(0, 0, 1));
         return std::vector<const CObject*>{own[0].get(), own[1].get(), own[2].get(), own[3].get(),
                                            own[1].get()};
       },
       // CTestPoint 1, object 2, CTestPoint3 3, object 4, object 5, object 6
       Cat({kPointClass,
            Le32(1),
            Le32(2),
            kPoint3Class,
            Le32(5),
            Le32(6),
            Le32(7),
            {0x01, 0x80},
            Le32(8),
            Le32(9),
            {0x03, 0x80},
            Le32(0),
            Le32(0),
            Le32(1),
            {0x04, 0x00}}),
       [](const auto& got) {
         auto* p3 = DYNAMIC_DOWNCAST(CTestPoint3, got[1]);
         ASSERT_NE(p3, nullptr);
         EXPECT_EQ(p3->z, 7);
         EXPECT_EQ(got[4], got[1]);
         EXPECT_EQ(got[3]->GetRuntimeClass(), RUNTIME_CLASS(CTestPoint3));
       }},
      {"nested objects and a reference to the object being read",
       [](auto& own) {
         auto v = std::make_unique<CTestVersioned>();
         v->a = 10;
         v->b = 20;
         v->m_pChild = new CTestPoint(3, 4);
         v->m_pPeer = v.get();
         own.push_back(std::move(v));
         return std::vector<const CObject*>{own[0].get()};
       },
       // CTestVersioned 1, object 2, CTestPoint 3, child 4; the peer is object 2
       Cat({kVersionedClass, Le32(10), kPointClass, Le32(3), Le32(4), Le32(20), {0x02, 0x00}}),
       [](const auto& got) {
         auto* v = DYNAMIC_DOWNCAST(CTestVersioned, got[0]);
         ASSERT_NE(v, nullptr);
         EXPECT_EQ(v->a, 10);
         EXPECT_EQ(v->b, 20);
         EXPECT_EQ(v->m_pPeer, v);
         auto* child = DYNAMIC_DOWNCAST(CTestPoint, v->m_pChild);
         ASSERT_NE(child, nullptr);
         EXPECT_EQ(child->y, 4);
         EXPECT_EQ(v->m_nSchema, 2u) << "the schema survives the child's load";
         EXPECT_EQ(v->m_nSecondAsk, 0xFFFFFFFFu) << "the schema is given once per object";
       }},
  };
  for (const ObjectCase& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::unique_ptr<CObject>> own;
    CArchive out;
    for (const CObject* p : c.build(own)) out << p;
    EXPECT_EQ(Hex(out.GetBytes()), Hex(c.bytes));

    CArchive in(c.bytes);
    Loaded loaded;
    while (!in.IsBufferEmpty()) {
      CObject* p = in.ReadObject(nullptr);
      loaded.objects.push_back(p);
      if (p) loaded.owned.insert(p);
    }
    c.check(loaded.objects);
  }
}

TEST(ArchiveObjects, OlderSchemaOfVersionableClass) {
  // Two CTestVersioned records of schema 1 (no field b), the second by class index.
  const Bytes bytes = Cat({ClassRecord(1, "CTestVersioned"),
                           Le32(5),
                           {0, 0},
                           {0, 0},
                           {0x01, 0x80},
                           Le32(6),
                           {0, 0},
                           {0x02, 0x00}});
  CArchive in(bytes);
  std::unique_ptr<CTestVersioned> first;
  std::unique_ptr<CTestVersioned> second;
  CTestVersioned* p = nullptr;
  in >> p;
  first.reset(p);
  in >> p;
  second.reset(p);
  EXPECT_TRUE(in.IsBufferEmpty());
  for (const auto* v : {first.get(), second.get()}) {
    EXPECT_EQ(v->m_nSchema, 1u);
    EXPECT_EQ(v->b, -1);
  }
  EXPECT_EQ(second->a, 6);
  EXPECT_EQ(second->m_pPeer, first.get());
  EXPECT_EQ(in.GetObjectSchema(), 0xFFFFFFFFu) << "outside an object there is no schema";
  in.SetObjectSchema(4);
  EXPECT_EQ(in.GetObjectSchema(), 4u);
}

TEST(ArchiveObjects, LongIndexForms) {
  // Fill the index sequence: CTestPoint is 1, its objects 2 .. 0x7FFE; the
  // next class gets 0x7FFF and its first object 0x8000.
  std::vector<std::unique_ptr<CObject>> own;
  CArchive out;
  for (int i = 0; i < 0x7FFD; ++i) {
    own.push_back(std::make_unique<CTestPoint>(i, 0));
    out << own.back().get();
  }
  const size_t head = out.GetBytes().size();
  CTestPoint3 a(1, 1, 1);
  CTestPoint3 b(2, 2, 2);
  out << &a << &b << &a << own.front().get() << own.back().get();
  const Bytes tail(out.GetBytes().begin() + static_cast<long>(head), out.GetBytes().end());
  const Bytes want = Cat({kPoint3Class,
                          Le32(1),
                          Le32(1),
                          Le32(1),  // class 0x7FFF, object 0x8000
                          {0xFF, 0x7F},
                          Le32(0x80007FFF),
                          Le32(2),
                          Le32(2),
                          Le32(2),  // long class tag
                          {0xFF, 0x7F},
                          Le32(0x8000),  // long object index
                          {0x02, 0x00},
                          {0xFE, 0x7F}});  // short object indices
  EXPECT_EQ(Hex(tail), Hex(want));

  CArchive in(out.GetBytes());
  Loaded loaded;
  for (int i = 0; i < 0x7FFD + 5; ++i) {
    CObject* p = in.ReadObject(RUNTIME_CLASS(CTestPoint));
    loaded.objects.push_back(p);
    loaded.owned.insert(p);
  }
  EXPECT_TRUE(in.IsBufferEmpty());
  const auto& got = loaded.objects;
  const size_t n = got.size();
  EXPECT_EQ(static_cast<CTestPoint3*>(got[n - 4])->z, 2);
  EXPECT_EQ(got[n - 3], got[n - 5]);
  EXPECT_EQ(got[n - 2], got[0]);
  EXPECT_EQ(got[n - 1], got[0x7FFC]);
  EXPECT_EQ(loaded.owned.size(), 0x7FFDu + 2);
}

// ---------------------------------------------------------------------------
// Errors

struct ErrorCase {
  const char* name;
  Bytes bytes;
  int cause;
  std::function<void(CArchive&, Loaded&)> read;  // null: read objects until the end
};

void ReadAllObjects(CArchive& ar, Loaded& loaded) {
  while (!ar.IsBufferEmpty()) {
    CObject* p = ar.ReadObject(nullptr);
    loaded.objects.push_back(p);
    if (p) loaded.owned.insert(p);
  }
}

Bytes DeepChain(int depth) {
  // Each CTestVersioned holds the next as its child.
  Bytes b = Cat({kVersionedClass, Le32(0)});
  for (int i = 1; i < depth; ++i) b = Cat({b, {0x01, 0x80}, Le32(0)});
  b = Cat({b, {0, 0}});  // the innermost child is null
  for (int i = 0; i < depth; ++i) b = Cat({b, Le32(0), {0, 0}});
  return b;
}

TEST(ArchiveErrors, BadInputThrowsWithCause) {
  const Bytes point = Cat({kPointClass, Le32(1), Le32(2)});
  const std::vector<ErrorCase> cases = {
      {"empty input",
       {},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         int i;
         ar >> i;
       }},
      {"int cut short",
       {1, 2, 3},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         int i;
         ar >> i;
       }},
      {"raw block cut short",
       {1, 2, 3},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         char buf[4];
         ar.Read(buf, 4);
       }},
      {"string longer than the bytes",
       {0xFF, 0xFE, 0xFF, 0x05, 0x41, 0x00},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         CString s;
         ar >> s;
       }},
      {"string of a huge dword length",
       {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0x7F},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         CString s;
         ar >> s;
       }},
      {"string of a huge quad-word length",
       {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0x01},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         CString s;
         ar >> s;
       }},
      {"string tag cut short",
       {0xFF, 0xFE},
       CArchiveException::endOfFile,
       [](CArchive& ar, Loaded&) {
         CString s;
         ar >> s;
       }},
      {"count larger than the bytes left",
       {0x05, 0x00, 1, 2, 3, 4},
       CArchiveException::badCount,
       [](CArchive& ar, Loaded&) { ar.ReadCount(); }},
      {"long count larger than the bytes left",
       {0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00},
       CArchiveException::badCount,
       [](CArchive& ar, Loaded&) { ar.ReadCount(); }},
      {"count of items larger than the bytes left",
       {0x03, 0x00, 1, 2, 3, 4, 5},
       CArchiveException::badCount,
       [](CArchive& ar, Loaded&) { ar.ReadCount(2); }},
      {"class record cut short", {0xFF, 0xFF, 0x01, 0x00}, CArchiveException::endOfFile, nullptr},
      {"class name cut short",
       {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 0x43, 0x54},
       CArchiveException::endOfFile,
       nullptr},
      {"object record cut short", Cat({kPointClass, Le32(1), {0x02}}), CArchiveException::endOfFile, nullptr},
      {"unknown class", ClassRecord(1, "CNoSuchClass"), CArchiveException::badClass, nullptr},
      {"class name of 64 characters", ClassRecord(1, std::string(64, 'C').c_str()),
       CArchiveException::badClass, nullptr},
      {"class that cannot be loaded", ClassRecord(0xFFFF, "CTestDynamic"), CArchiveException::badClass,
       nullptr},
      {"class other than the expected one", point, CArchiveException::badClass,
       [](CArchive& ar, Loaded&) { ar.ReadObject(RUNTIME_CLASS(CTestVersioned)); }},
      {"back reference to an object of another class", Cat({point, {0x02, 0x00}}),
       CArchiveException::badClass,
       [](CArchive& ar, Loaded& l) {
         l.owned.insert(ar.ReadObject(nullptr));
         ar.ReadObject(RUNTIME_CLASS(CTestPoint3));
       }},
      {"schema of a fixed-schema class", Cat({ClassRecord(2, "CTestPoint"), Le32(1), Le32(2)}),
       CArchiveException::badSchema, nullptr},
      {"schema of a derived fixed-schema class",
       Cat({ClassRecord(1, "CTestPoint3"), Le32(1), Le32(2), Le32(3)}), CArchiveException::badSchema,
       nullptr},
      {"object index not read yet", {0x05, 0x00}, CArchiveException::badIndex, nullptr},
      {"class index not read yet", {0x01, 0x80}, CArchiveException::badIndex, nullptr},
      {"class index 0", {0x00, 0x80}, CArchiveException::badIndex, nullptr},
      {"class index naming an object", Cat({point, {0x02, 0x80}}), CArchiveException::badIndex, nullptr},
      {"object index naming a class", Cat({point, {0x01, 0x00}}), CArchiveException::badIndex, nullptr},
      {"long class index not read yet", Cat({point, {0xFF, 0x7F}, Le32(0x80000009)}),
       CArchiveException::badIndex, nullptr},
      {"long object index not read yet", Cat({point, {0xFF, 0x7F}, Le32(0x00010000)}),
       CArchiveException::badIndex, nullptr},
      {"long form cut short", {0xFF, 0x7F, 0x01}, CArchiveException::endOfFile, nullptr},
      {"back reference where a new object is owned", Cat({point, {0x02, 0x00}}), CArchiveException::badIndex,
       [](CArchive& ar, Loaded& l) {
         l.owned.insert(ar.ReadNewObject(nullptr));
         ar.ReadNewObject(nullptr);
       }},
      {"child cut short inside a parent (the parent is deleted)",
       Cat({kVersionedClass, Le32(1), kPointClass, Le32(3)}), CArchiveException::endOfFile, nullptr},
      {"reference to an object whose load failed", Cat({kVersionedClass, Le32(1), {0x02, 0x00}}),
       CArchiveException::badIndex, nullptr},
      {"objects nested too deeply", DeepChain(CArchive::kMaxObjectDepth + 1), CArchiveException::badClass,
       nullptr},
  };
  for (const ErrorCase& c : cases) {
    SCOPED_TRACE(c.name);
    CArchive in(c.bytes);
    in.SetFileName("/tmp/x.bfb");
    Loaded loaded;
    try {
      if (c.read) {
        c.read(in, loaded);
      } else {
        ReadAllObjects(in, loaded);
      }
      ADD_FAILURE() << "no exception";
    } catch (const CArchiveException& e) {
      EXPECT_EQ(e.m_cause, c.cause) << e.what();
      EXPECT_EQ(e.m_strFileName, "/tmp/x.bfb");
      EXPECT_NE(std::string(e.what()).find(CArchiveException::CauseText(c.cause)), std::string::npos);
      EXPECT_LE(in.GetPosition(), c.bytes.size());
    }
  }
}

TEST(ArchiveErrors, DeepButAllowedNestingLoads) {
  const Bytes bytes = DeepChain(CArchive::kMaxObjectDepth);
  CArchive in(bytes);
  std::unique_ptr<CObject> top(in.ReadObject(RUNTIME_CLASS(CTestVersioned)));
  EXPECT_TRUE(in.IsBufferEmpty());
}

TEST(ArchiveErrors, MessagesAreReadable) {
  CArchive in(ClassRecord(1, "CBad\x01Name"));
  in.SetFileName("/home/u/plan.bfb");
  try {
    in.ReadObject(nullptr);
    FAIL() << "no exception";
  } catch (const CArchiveException& e) {
    EXPECT_STREQ(e.what(),
                 "The file contains an object of an unknown or unexpected kind. (class \"CBad\\x01Name\") "
                 "File: /home/u/plan.bfb");
    EXPECT_TRUE(e.GetErrorMessage() == CString::FromUtf8(e.what()));
  }
}

TEST(ArchiveErrors, WrongDirectionAndUnstorableClass) {
  CArchive in(Bytes{1, 2, 3, 4});
  try {
    in << 5;
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::readOnly);
  }
  CArchive out;
  try {
    int i;
    out >> i;
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::writeOnly);
  }
  CTestDynamic dyn;
  try {
    out << &dyn;
    FAIL();
  } catch (const CArchiveException& e) {
    EXPECT_EQ(e.m_cause, CArchiveException::badClass);
  }
}

}  // namespace
