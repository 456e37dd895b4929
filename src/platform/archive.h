// CArchive: the binary archive in which documents, undo snapshots and the
// diagram clipboard are stored, byte for byte the layout that MFC's CArchive
// writes (little-endian numbers, counts, tagged strings and the object form
// with class records and back references).
//
// Storing appends to a byte buffer that the caller saves (SaveBytesAtomically
// in file_util.h); loading reads a byte buffer (ReadFileBytes for files).
// Every failure while loading throws CArchiveException with a cause a user can
// read: the archive never reads past the end of its bytes and never allocates
// more because of a count than the remaining bytes can fill.
#pragma once

#include <concepts>
#include <cstddef>
#include <exception>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CArchiveException : public std::exception {
 public:
  // The first nine causes keep MFC's numbering.
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,   // writing into a loading archive
    endOfFile = 3,  // the bytes end inside a value
    writeOnly = 4,  // reading from a storing archive
    badIndex = 5,   // a reference to an object or class that was not read
    badClass = 6,   // an unknown class, or one that the reader did not expect
    badSchema = 7,  // a record of a version that its class cannot read
    bufferFull = 8,
    badCount = 9,  // a count larger than the bytes that are left
  };

  // detail (UTF-8, optional) is added to the cause's text, e.g. the class name.
  explicit CArchiveException(int cause, std::string detail = {}, std::string fileName = {});

  int m_cause;
  std::string m_strFileName;  // UTF-8; empty when the archive has no file name

  // The readable message (UTF-8): the cause, the detail and the file name.
  const char* what() const noexcept override { return m_message.c_str(); }
  CString GetErrorMessage() const { return CString::FromUtf8(m_message); }
  // The cause's text alone.
  static const char* CauseText(int cause);

 private:
  std::string m_message;
};

class CArchive {
 public:
  enum Mode { store = 0, load = 1 };

  // A storing archive over an empty byte buffer.
  CArchive();
  // A loading archive over these bytes.
  explicit CArchive(std::vector<BYTE> bytes);
  // A loading archive that reads the bytes where they lie, without a copy: they
  // must outlive it.
  CArchive(const void* data, size_t size);
  ~CArchive() = default;
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  bool IsLoading() const { return m_mode == load; }
  bool IsStoring() const { return m_mode == store; }

  // Storing: the bytes written so far.
  const std::vector<BYTE>& GetBytes() const {
    if (IsStoring()) m_bytes.resize(m_nStored);
    return m_bytes;
  }
  std::vector<BYTE> TakeBytes() {
    if (IsStoring()) m_bytes.resize(m_nStored);
    m_nStored = 0;
    return std::move(m_bytes);
  }
  // Storing: writes into this buffer from its start, keeping the memory it
  // holds, so that storing the same data again touches no new pages. Before
  // anything is written.
  void ReuseBuffer(std::vector<BYTE>&& buffer);
  // Storing: room for n bytes in all, so that the buffer never grows by copying.
  void Reserve(size_t n) { m_bytes.reserve(n); }
  // Loading: read position and what is left.
  size_t GetPosition() const { return m_pos; }
  size_t GetBytesLeft() const { return m_in.size() - m_pos; }
  bool IsBufferEmpty() const { return GetBytesLeft() == 0; }

  // Named in the messages of the exceptions (UTF-8).
  void SetFileName(std::string name) { m_strFileName = std::move(name); }
  const std::string& GetFileName() const { return m_strFileName; }

  // The document being stored or loaded; records that refer to the document's
  // other objects use it (not owned).
  CObject* m_pDocument = nullptr;

  // Raw bytes. Read reads exactly n bytes or throws endOfFile; it returns n.
  void Write(const void* p, size_t n);
  UINT Read(void* p, size_t n);

  CArchive& operator<<(BYTE v) { return WriteLE(v, 1); }
  CArchive& operator<<(char v) { return WriteLE(static_cast<BYTE>(v), 1); }
  CArchive& operator<<(WORD v) { return WriteLE(v, 2); }
  CArchive& operator<<(short v) { return WriteLE(static_cast<WORD>(v), 2); }
  CArchive& operator<<(char16_t v) { return WriteLE(v, 2); }
  CArchive& operator<<(int v) { return WriteLE(static_cast<DWORD>(v), 4); }  // also LONG
  CArchive& operator<<(DWORD v) { return WriteLE(v, 4); }                    // also UINT, ULONG
  CArchive& operator<<(float v);
  CArchive& operator<<(double v);
  // A bool is one byte, 0 or 1. The template keeps pointers from turning into bools.
  template <typename T>
  requires std::same_as<T, bool> CArchive& operator<<(T v) {
    return WriteLE(static_cast<BYTE>(v ? 1 : 0), 1);
  }
  CArchive& operator<<(const CString& s);
  CArchive& operator<<(const char16_t* s) { return *this << CString(s); }
  CArchive& operator<<(const char* utf8) { return *this << CString::FromUtf8(utf8 ? utf8 : ""); }
  // The object with its class record or back reference; null as 0000.
  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }

  CArchive& operator>>(BYTE& v) { return v = static_cast<BYTE>(ReadLE(1)), *this; }
  CArchive& operator>>(char& v) { return v = static_cast<char>(ReadLE(1)), *this; }
  CArchive& operator>>(WORD& v) { return v = static_cast<WORD>(ReadLE(2)), *this; }
  CArchive& operator>>(short& v) { return v = static_cast<short>(ReadLE(2)), *this; }
  CArchive& operator>>(char16_t& v) { return v = static_cast<char16_t>(ReadLE(2)), *this; }
  CArchive& operator>>(int& v) { return v = static_cast<int>(ReadLE(4)), *this; }
  CArchive& operator>>(DWORD& v) { return v = ReadLE(4), *this; }
  CArchive& operator>>(float& v);
  CArchive& operator>>(double& v);
  CArchive& operator>>(bool& v) { return v = ReadLE(1) != 0, *this; }
  // Reads the tagged UTF-16 form and the old form of 8-bit characters.
  CArchive& operator>>(CString& s);
  // Reads an object that must be a T (or null); see ReadObject.
  template <typename T>
  requires std::derived_from<T, CObject> CArchive& operator>>(T*& pOb) {
    pOb = static_cast<T*>(ReadObject(T::GetThisClass()));
    return *this;
  }

  // Counts: a word, or FFFF and a dword from 0xFFFF on.
  void WriteCount(size_t count);
  // Throws badCount when count x minItemBytes exceeds the bytes that are left.
  size_t ReadCount(size_t minItemBytes = 1);
  // The smallest stored object: a null or back-reference tag. Lists of objects
  // pass it to ReadCount.
  static constexpr size_t kMinObjectBytes = 2;

  // Objects. WriteObject writes the class record (or its index) and the object
  // (or the index of an object written before). ReadObject returns a new object
  // (owned by the caller), an object read before (a back reference), or null;
  // `expected` (may be null) is the class the object must be derived from.
  void WriteObject(const CObject* pOb);
  CObject* ReadObject(const CRuntimeClass* expected);
  // As ReadObject for owning containers: a back reference is refused (badIndex),
  // so that no object can end up with two owners.
  CObject* ReadNewObject(const CRuntimeClass* expected);

  // The schema stored for the object being loaded, once per object; later
  // calls return 0xFFFFFFFF.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT schema) { m_nObjectSchema = schema; }

  // Throws CArchiveException with this archive's file name.
  [[noreturn]] void ThrowException(int cause, std::string detail = {}) const;

  // Nesting of objects inside objects that a load accepts before badClass.
  static constexpr int kMaxObjectDepth = 200;

 private:
  enum class EntryKind { Null, Class, Object, Dead };
  struct LoadEntry {
    EntryKind kind;
    const CRuntimeClass* cls;
    CObject* obj;
  };

  // Storing: the low n bytes of v (at most 4), low byte first. Every number
  // of a document passes here: the bytes go straight into the room ahead.
  CArchive& WriteLE(DWORD v, int n) {
    if (m_mode != store) [[unlikely]]
      ThrowException(CArchiveException::readOnly);
    if (m_bytes.size() - m_nStored < sizeof(DWORD)) [[unlikely]]
      MakeRoom(sizeof(DWORD));
    BYTE* out = m_bytes.data() + m_nStored;
    for (int i = 0; i < n; ++i) out[i] = static_cast<BYTE>(v >> (8 * i));
    m_nStored += static_cast<size_t>(n);
    return *this;
  }
  // Storing: n more bytes at the end of what is written, to be written.
  BYTE* Grow(size_t n);
  // Storing: room for n more bytes after what is written.
  void MakeRoom(size_t n);
  DWORD ReadLE(int n);
  void Need(size_t n) const;
  void CheckStoring() const;
  void CheckLoading() const;
  void CheckMapCount() const;
  void WriteClass(const CRuntimeClass* cls);
  // The class of the object that follows, or null with *obTag set for a back reference.
  const CRuntimeClass* ReadClass(const CRuntimeClass* expected, UINT* schema, DWORD* obTag);
  CObject* ReadObjectImpl(const CRuntimeClass* expected, bool allowBackReference);

  Mode m_mode;
  // Storing: what is written (the first m_nStored bytes) and room for more;
  // loading: the bytes when owned.
  mutable std::vector<BYTE> m_bytes;
  size_t m_nStored = 0;
  std::span<const BYTE> m_in;  // loading: the bytes read
  size_t m_pos = 0;
  std::string m_strFileName;
  UINT m_nObjectSchema = 0xFFFFFFFFu;
  DWORD m_nMapCount = 1;  // next index; 0 is the null object
  std::unordered_map<const void*, DWORD> m_storeMap;
  std::vector<LoadEntry> m_loadArray;
  std::unordered_map<const CRuntimeClass*, UINT> m_schemaMap;
  int m_depth = 0;
};
