// Reads arbitrary bytes through CArchive: as a list of objects of a few test
// classes (first byte even) or as a run of numbers, strings and counts (first
// byte odd). Whatever loads must store, load and store again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <set>
#include <vector>

#include "platform/archive.h"
#include "platform/object.h"

namespace {

// Every test object is listed here and deleted after each input, so that the
// classes need no ownership rules; the archive's own deletions remove theirs.
std::set<CObject*>& Alive() {
  static std::set<CObject*> alive;
  return alive;
}

class CFuzzTracked : public CObject {
 public:
  CFuzzTracked() { Alive().insert(this); }
  ~CFuzzTracked() override { Alive().erase(this); }
};

}  // namespace

// Fixed schema 0: numbers of each width.
class CFuzzLeaf : public CFuzzTracked {
  DECLARE_SERIAL(CFuzzLeaf)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_d << m_w << m_f << m_b << m_by;
    } else {
      ar >> m_d >> m_w >> m_f >> m_b >> m_by;
    }
  }
  double m_d = 0;
  WORD m_w = 0;
  float m_f = 0;
  bool m_b = false;
  BYTE m_by = 0;
};
IMPLEMENT_SERIAL(CFuzzLeaf, CObject, 0)

// Fixed schema 3, derived: a string and a raw block after the base record.
class CFuzzLeaf2 : public CFuzzLeaf {
  DECLARE_SERIAL(CFuzzLeaf2)
 public:
  void Serialize(CArchive& ar) override {
    CFuzzLeaf::Serialize(ar);
    if (ar.IsStoring()) {
      ar << m_s;
      ar.Write(m_raw, sizeof m_raw);
    } else {
      ar >> m_s;
      ar.Read(m_raw, sizeof m_raw);
    }
  }
  CString m_s;
  BYTE m_raw[4] = {};
};
IMPLEMENT_SERIAL(CFuzzLeaf2, CFuzzLeaf, 3)

// Versionable schema 1: a number, a name, a child, a peer and, from schema 1, a list of leaves.
class CFuzzNode : public CFuzzTracked {
  DECLARE_SERIAL(CFuzzNode)
 public:
  void Serialize(CArchive& ar) override {
    if (ar.IsStoring()) {
      ar << m_n << m_name << m_pChild << m_pPeer;
      ar.WriteCount(m_items.size());
      for (CObject* p : m_items) ar << p;
      return;
    }
    ar >> m_n >> m_name;
    m_pChild = ar.ReadNewObject(nullptr);
    m_pPeer = ar.ReadObject(nullptr);
    if (ar.GetObjectSchema() >= 1) {
      const size_t n = ar.ReadCount(2);
      for (size_t i = 0; i < n; ++i) m_items.push_back(ar.ReadNewObject(RUNTIME_CLASS(CFuzzLeaf)));
    }
  }
  int m_n = 0;
  CString m_name;
  CObject* m_pChild = nullptr;
  CObject* m_pPeer = nullptr;
  std::vector<CObject*> m_items;
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

std::vector<CObject*> LoadList(CArchive& ar) {
  std::vector<CObject*> list;
  while (!ar.IsBufferEmpty()) list.push_back(ar.ReadNewObject(RUNTIME_CLASS(CObject)));
  return list;
}

std::vector<BYTE> StoreList(const std::vector<CObject*>& list) {
  CArchive ar;
  for (CObject* p : list) ar << p;
  return ar.TakeBytes();
}

void ReadValues(CArchive& ar) {
  while (!ar.IsBufferEmpty()) {
    BYTE sel;
    ar >> sel;
    switch (sel % 6) {
      case 0: {
        CString s;
        ar >> s;
        break;
      }
      case 1:
        ar.ReadCount();
        break;
      case 2:
        ar.ReadCount(sel);
        break;
      case 3: {
        int i;
        double d;
        ar >> i >> d;
        break;
      }
      case 4: {
        BYTE n;
        BYTE buf[255];
        ar >> n;
        ar.Read(buf, n);
        break;
      }
      default:
        (void)ar.GetObjectSchema();
        break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  CArchive ar(data + 1, size - 1);
  try {
    if ((data[0] & 1) != 0) {
      ReadValues(ar);
    } else {
      const std::vector<CObject*> list = LoadList(ar);
      const std::vector<BYTE> once = StoreList(list);
      CArchive again(once);
      const std::vector<BYTE> twice = StoreList(LoadList(again));
      if (once != twice) std::abort();
    }
  } catch (const CArchiveException& e) {
    if (e.what()[0] == '\0') std::abort();
  }
  while (!Alive().empty()) delete *Alive().begin();
  return 0;
}
