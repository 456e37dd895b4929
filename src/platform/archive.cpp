#include "platform/archive.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <utility>

namespace {

constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr DWORD kBigClassTag = 0x80000000u;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kMaxMapCount = 0x3FFFFFFEu;
constexpr size_t kMaxClassNameLength = 63;

// Class names as they appear in messages: printable ASCII, everything else as \xNN.
std::string Printable(const char* p, size_t n) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// The detail of a badClass for an object of the wrong class.
std::string Misplaced(const CRuntimeClass* found, const CRuntimeClass* expected) {
  return std::string("found ") + found->m_lpszClassName + " where " + expected->m_lpszClassName + " belongs";
}

}  // namespace

// ---------------------------------------------------------------------------
// CArchiveException

const char* CArchiveException::CauseText(int cause) {
  switch (cause) {
    case none:
      return "No error.";
    case readOnly:
      return "An attempt was made to write into an archive that is being read.";
    case endOfFile:
      return "The file ends unexpectedly; it may be damaged or cut short.";
    case writeOnly:
      return "An attempt was made to read from an archive that is being written.";
    case badIndex:
      return "The file refers to an object that it does not contain; it may be damaged.";
    case badClass:
      return "The file contains an object of an unknown or unexpected kind.";
    case badSchema:
      return "The file contains an object of a version that this program cannot read.";
    case bufferFull:
      return "The archive is full.";
    case badCount:
      return "The file gives a count larger than the data that follows; it may be damaged.";
    default:
      return "The file could not be read or written.";
  }
}

CArchiveException::CArchiveException(int cause, std::string detail, std::string fileName)
    : m_cause(cause), m_strFileName(std::move(fileName)), m_message(CauseText(cause)) {
  if (!detail.empty()) m_message += " (" + detail + ")";
  if (!m_strFileName.empty()) m_message += " File: " + m_strFileName;
}

// ---------------------------------------------------------------------------
// CArchive: construction and raw bytes

CArchive::CArchive() : m_mode(store) {}

CArchive::CArchive(std::vector<BYTE> bytes) : m_mode(load), m_bytes(std::move(bytes)), m_in(m_bytes) {}

CArchive::CArchive(const void* data, size_t size)
    : m_mode(load), m_in(static_cast<const BYTE*>(data), data ? size : 0) {}

void CArchive::ReuseBuffer(std::vector<BYTE>&& buffer) {
  CheckStoring();
  if (m_nStored != 0) return;  // something was written already
  m_bytes = std::move(buffer);
  m_bytes.clear();
}

void CArchive::ThrowException(int cause, std::string detail) const {
  throw CArchiveException(cause, std::move(detail), m_strFileName);
}

void CArchive::CheckStoring() const {
  if (!IsStoring()) ThrowException(CArchiveException::readOnly);
}

void CArchive::CheckLoading() const {
  if (!IsLoading()) ThrowException(CArchiveException::writeOnly);
}

void CArchive::Need(size_t n) const {
  CheckLoading();
  if (n > GetBytesLeft()) {
    ThrowException(CArchiveException::endOfFile, "needed " + std::to_string(n) + " bytes at offset " +
                                                     std::to_string(m_pos) + ", " +
                                                     std::to_string(GetBytesLeft()) + " left");
  }
}

void CArchive::Write(const void* p, size_t n) {
  CheckStoring();
  if (n == 0) return;
  std::memcpy(Grow(n), p, n);
}

BYTE* CArchive::Grow(size_t n) {
  if (m_bytes.size() - m_nStored < n) MakeRoom(n);
  BYTE* out = m_bytes.data() + m_nStored;
  m_nStored += n;
  return out;
}

void CArchive::MakeRoom(size_t n) {
  // The memory the buffer holds first (a reused buffer), then twice as much.
  const size_t needed = m_nStored + n;
  m_bytes.resize(std::max({needed, m_bytes.capacity(), 2 * m_bytes.size(), size_t{256}}));
}

UINT CArchive::Read(void* p, size_t n) {
  Need(n);
  if (n != 0) std::memcpy(p, m_in.data() + m_pos, n);
  m_pos += n;
  return static_cast<UINT>(n);
}

DWORD CArchive::ReadLE(int n) {
  Need(static_cast<size_t>(n));
  DWORD v = 0;
  for (int i = 0; i < n; ++i) v |= static_cast<DWORD>(m_in[m_pos + static_cast<size_t>(i)]) << (8 * i);
  m_pos += static_cast<size_t>(n);
  return v;
}

CArchive& CArchive::operator<<(float v) {
  return WriteLE(std::bit_cast<DWORD>(v), 4);
}

CArchive& CArchive::operator<<(double v) {
  const auto bits = std::bit_cast<std::uint64_t>(v);
  WriteLE(static_cast<DWORD>(bits), 4);
  return WriteLE(static_cast<DWORD>(bits >> 32), 4);
}

CArchive& CArchive::operator>>(float& v) {
  v = std::bit_cast<float>(ReadLE(4));
  return *this;
}

CArchive& CArchive::operator>>(double& v) {
  Need(8);
  const std::uint64_t lo = ReadLE(4);
  const std::uint64_t hi = ReadLE(4);
  v = std::bit_cast<double>(lo | (hi << 32));
  return *this;
}

// ---------------------------------------------------------------------------
// Counts and strings

void CArchive::WriteCount(size_t count) {
  if (count < 0xFFFF) {
    *this << static_cast<WORD>(count);
  } else if (count < 0xFFFFFFFFu) {
    *this << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(count);
  } else {
    ThrowException(CArchiveException::bufferFull, "count " + std::to_string(count));
  }
}

size_t CArchive::ReadCount(size_t minItemBytes) {
  const size_t at = m_pos;
  size_t count = ReadLE(2);
  if (count == 0xFFFF) count = ReadLE(4);
  if (minItemBytes != 0 && count > GetBytesLeft() / minItemBytes) {
    ThrowException(CArchiveException::badCount, "count " + std::to_string(count) + " at offset " +
                                                    std::to_string(at) + ", " +
                                                    std::to_string(GetBytesLeft()) + " bytes left");
  }
  return count;
}

CArchive& CArchive::operator<<(const CString& s) {
  const std::u16string& text = s.str();
  const size_t n = text.size();
  *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
  if (n < 0xFF) {
    *this << static_cast<BYTE>(n);
  } else if (n < 0xFFFE) {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(n);
  } else {
    *this << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(n);
  }
  BYTE* out = Grow(2 * n);
  for (char16_t c : text) {
    *out++ = static_cast<BYTE>(c & 0xFF);
    *out++ = static_cast<BYTE>(c >> 8);
  }
  return *this;
}

CArchive& CArchive::operator>>(CString& s) {
  const size_t at = m_pos;
  size_t charSize = 1;
  // The length: a byte below FF; else a word below FFFF; else a dword below
  // FFFFFFFF; else a quad word. A word FFFE after the first FF byte is the tag
  // of the UTF-16 form, after which the length follows again.
  std::uint64_t length = ReadLE(1);
  if (length == 0xFF) {
    length = ReadLE(2);
    if (length == 0xFFFE) {
      charSize = 2;
      length = ReadLE(1);
      if (length == 0xFF) length = ReadLE(2);
    }
    if (length == 0xFFFF) {
      length = ReadLE(4);
      if (length == 0xFFFFFFFFu) {
        const std::uint64_t lo = ReadLE(4);
        const std::uint64_t hi = ReadLE(4);
        length = lo | (hi << 32);
      }
    }
  }
  if (length > GetBytesLeft() / charSize) {
    ThrowException(CArchiveException::endOfFile, "string of " + std::to_string(length) +
                                                     " characters at offset " + std::to_string(at) + ", " +
                                                     std::to_string(GetBytesLeft()) + " bytes left");
  }
  std::u16string text(static_cast<size_t>(length), u'\0');
  const BYTE* p = m_in.data() + m_pos;
  for (size_t i = 0; i < text.size(); ++i) {
    text[i] =
        charSize == 2 ? static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)) : static_cast<char16_t>(p[i]);
  }
  m_pos += text.size() * charSize;
  s = CString(std::move(text));
  return *this;
}

// ---------------------------------------------------------------------------
// Objects

UINT CArchive::GetObjectSchema() {
  const UINT schema = m_nObjectSchema;
  m_nObjectSchema = 0xFFFFFFFFu;
  return schema;
}

void CArchive::CheckMapCount() const {
  if (m_nMapCount >= kMaxMapCount) ThrowException(CArchiveException::badIndex, "too many objects");
}

void CArchive::WriteClass(const CRuntimeClass* cls) {
  if (!cls->IsSerializable()) {
    ThrowException(CArchiveException::badClass,
                   std::string("class ") + cls->m_lpszClassName + " cannot be stored");
  }
  auto it = m_storeMap.find(cls);
  if (it != m_storeMap.end()) {
    const DWORD index = it->second;
    if (index < kBigObjectTag) {
      *this << static_cast<WORD>(kClassTag | index);
    } else {
      *this << kBigObjectTag << static_cast<DWORD>(kBigClassTag | index);
    }
    return;
  }
  const size_t len = std::strlen(cls->m_lpszClassName);
  *this << kNewClassTag << static_cast<WORD>(cls->GetSchemaNumber()) << static_cast<WORD>(len);
  Write(cls->m_lpszClassName, len);
  CheckMapCount();
  m_storeMap.emplace(cls, m_nMapCount++);
}

void CArchive::WriteObject(const CObject* pOb) {
  CheckStoring();
  if (pOb == nullptr) {
    *this << kNullTag;
    return;
  }
  auto it = m_storeMap.find(pOb);
  if (it != m_storeMap.end()) {
    const DWORD index = it->second;
    if (index < kBigObjectTag) {
      *this << static_cast<WORD>(index);
    } else {
      *this << kBigObjectTag << index;
    }
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  CheckMapCount();
  m_storeMap.emplace(pOb, m_nMapCount++);
  // Serialize of a stored object does not change it; MFC's signature is not const.
  const_cast<CObject*>(pOb)->Serialize(*this);
}

const CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* expected, UINT* schema, DWORD* obTag) {
  CheckLoading();
  if (m_loadArray.empty()) m_loadArray.push_back({EntryKind::Null, nullptr, nullptr});

  const size_t at = m_pos;
  const WORD tag = static_cast<WORD>(ReadLE(2));
  DWORD index;
  if (tag == kBigObjectTag) {
    index = ReadLE(4);
  } else {
    index = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
  }
  if ((index & kBigClassTag) == 0) {
    *obTag = index;  // null or an object read before
    return nullptr;
  }

  const CRuntimeClass* cls = nullptr;
  UINT storedSchema = 0;
  if (tag == kNewClassTag) {
    storedSchema = ReadLE(2);
    const size_t len = ReadLE(2);
    if (len > kMaxClassNameLength) {
      ThrowException(CArchiveException::badClass,
                     "class name of " + std::to_string(len) + " characters at offset " + std::to_string(at));
    }
    char name[kMaxClassNameLength + 1] = {};
    Read(name, len);
    cls = CRuntimeClass::FromName(std::string_view(name, len));
    if (cls == nullptr || !cls->IsSerializable()) {
      ThrowException(CArchiveException::badClass, "class \"" + Printable(name, len) + "\"");
    }
    if (cls->GetSchemaNumber() != storedSchema) {
      if (!cls->IsVersionable()) {
        ThrowException(CArchiveException::badSchema, std::string("class ") + cls->m_lpszClassName +
                                                         ", version " + std::to_string(storedSchema) +
                                                         " instead of " +
                                                         std::to_string(cls->GetSchemaNumber()));
      }
      m_schemaMap[cls] = storedSchema;
    }
    CheckMapCount();
    m_loadArray.push_back({EntryKind::Class, cls, nullptr});
    ++m_nMapCount;
  } else {
    const DWORD classIndex = index & ~kBigClassTag;
    if (classIndex == 0 || classIndex >= m_loadArray.size() ||
        m_loadArray[classIndex].kind != EntryKind::Class) {
      ThrowException(CArchiveException::badIndex,
                     "class index " + std::to_string(classIndex) + " at offset " + std::to_string(at));
    }
    cls = m_loadArray[classIndex].cls;
    auto it = m_schemaMap.find(cls);
    storedSchema = it != m_schemaMap.end() ? it->second : cls->GetSchemaNumber();
  }

  if (expected != nullptr && !cls->IsDerivedFrom(expected)) {
    ThrowException(CArchiveException::badClass, Misplaced(cls, expected));
  }
  *schema = storedSchema;
  *obTag = index;
  return cls;
}

CObject* CArchive::ReadObjectImpl(const CRuntimeClass* expected, bool allowBackReference) {
  const size_t at = m_pos;
  UINT schema = 0;
  DWORD obTag = 0;
  const CRuntimeClass* cls = ReadClass(expected, &schema, &obTag);
  if (cls == nullptr) {
    if (obTag == 0) return nullptr;
    if (obTag >= m_loadArray.size() || m_loadArray[obTag].kind != EntryKind::Object || !allowBackReference) {
      ThrowException(CArchiveException::badIndex,
                     "object index " + std::to_string(obTag) + " at offset " + std::to_string(at));
    }
    CObject* pOb = m_loadArray[obTag].obj;
    if (expected != nullptr && !pOb->IsKindOf(expected)) {
      ThrowException(CArchiveException::badClass, Misplaced(pOb->GetRuntimeClass(), expected));
    }
    return pOb;
  }

  if (m_depth >= kMaxObjectDepth) ThrowException(CArchiveException::badClass, "objects nested too deeply");
  CObject* pOb = cls->CreateObject();
  CheckMapCount();
  // Entered before its fields are read, so that the object's own fields may refer to it.
  const size_t slot = m_loadArray.size();
  m_loadArray.push_back({EntryKind::Object, cls, pOb});
  ++m_nMapCount;

  const UINT savedSchema = m_nObjectSchema;
  m_nObjectSchema = schema;
  ++m_depth;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    --m_depth;
    m_nObjectSchema = savedSchema;
    // The object and whatever it read are gone: later references to them are bad indices.
    for (size_t i = slot; i < m_loadArray.size(); ++i) {
      if (m_loadArray[i].kind == EntryKind::Object)
        m_loadArray[i] = {EntryKind::Dead, m_loadArray[i].cls, nullptr};
    }
    delete pOb;
    throw;
  }
  --m_depth;
  m_nObjectSchema = savedSchema;
  return pOb;
}

CObject* CArchive::ReadObject(const CRuntimeClass* expected) {
  return ReadObjectImpl(expected, true);
}

CObject* CArchive::ReadNewObject(const CRuntimeClass* expected) {
  return ReadObjectImpl(expected, false);
}
