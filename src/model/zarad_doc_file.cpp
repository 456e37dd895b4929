// The diagram file: CZaradDoc::Serialize and the document's open and save paths.
//
// Layout: the 144-byte head (markers, reserved int, pages, reserved ints), the
// settings, the comment list, the ladder maps (ladder only), the model record
// (read when marker 0 is set), the display and output settings (family 0x51
// and above), the block list, the power-bus list (ladder only), the wires and,
// for every message-text block, its element lists.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <span>
#include <unordered_map>

#include "model/block_comment.h"
#include "model/block_library.h"
#include "model/block_registry.h"
#include "model/connect_line_obj.h"
#include "model/diagram_limits.h"
#include "model/model_table.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "platform/archive.h"
#include "platform/file_util.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

constexpr WORD kModelWithoutRecord = 0x1188;  // the model of a file without a model record
constexpr size_t kMinNamePairBytes = 5;       // int key and an empty string
constexpr size_t kSimSettingBytes = sizeof(int) * 5;
constexpr int kBaudRateCount = 13;

// ---- Lists ----------------------------------------------------------------------

template <typename T>
void StoreList(CArchive& ar, const COwningList<T>& list) {
  ar.WriteCount(static_cast<size_t>(list.GetCount()));
  for (T* obj : list) ar << obj;
}

// Reads an owning list: every entry must be a new object of class cls (no
// back reference, so no object can be in a list twice); a null entry is
// refused because every reader of these lists expects an object.
template <typename T>
void LoadList(CArchive& ar, COwningList<T>& list, const CRuntimeClass* cls, const char* what) {
  const size_t count = ar.ReadCount(CArchive::kMinObjectBytes);
  for (size_t i = 0; i < count; ++i) {
    std::unique_ptr<CObject> obj(ar.ReadNewObject(cls));
    if (!obj) ar.ThrowException(CArchiveException::badIndex, std::string("empty entry in the ") + what);
    list.AddTail(std::unique_ptr<T>(static_cast<T*>(obj.release())));
  }
}

// The class a block of a type code must have in a file (the block library knows).
const CRuntimeClass* ClassOfType(int typeCode) {
  const CBlockLibrary* lib = GetBlockLibrary();
  return lib ? lib->ClassOfType(typeCode) : RUNTIME_CLASS(CBlockObj);
}

void CheckBlockClass(CArchive& ar, const CBlockObj* block) {
  if (ClassOfType(block->m_nType) == block->GetRuntimeClass()) return;
  ar.ThrowException(CArchiveException::badClass, "block of type " + std::to_string(block->m_nType) +
                                                     " stored as " +
                                                     block->GetRuntimeClass()->m_lpszClassName);
}

// ---- Head and settings ---------------------------------------------------------

void SerializeHead(CArchive& ar, CZaradDoc& doc) {
  if (ar.IsStoring()) {
    // The model record and the analog-input ranges are always written, so
    // their markers are written set: the file reads back whatever the
    // document's markers say (they differ only before OnOpenDocument marks them).
    BYTE markers[kMarkerCount];
    std::copy(std::begin(doc.m_markers), std::end(doc.m_markers), markers);
    markers[kMarkerModelRecord] = markers[kMarkerAiRanges] = kMarkerSet;
    ar.Write(markers, kMarkerCount);
    ar << doc.m_nReserved0 << doc.m_nPagesAcross << doc.m_nPagesDown;
    for (int v : doc.m_nReservedInts) ar << v;
    return;
  }
  ar.Read(doc.m_markers, kMarkerCount);
  ar >> doc.m_nReserved0 >> doc.m_nPagesAcross >> doc.m_nPagesDown;
  for (int& v : doc.m_nReservedInts) ar >> v;
  doc.m_nPagesAcross = std::clamp(doc.m_nPagesAcross, 1, kMaxDiagramPages);
  doc.m_nPagesDown = std::clamp(doc.m_nPagesDown, 1, kMaxDiagramPages);
}

CString* InfoTexts(CZaradDoc& doc, int i) {
  CString* texts[] = {&doc.m_strCreator,  &doc.m_strProjectName, &doc.m_strInstallationName,
                      &doc.m_strCustomer, &doc.m_strDiagramNo,   &doc.m_strChecked,
                      &doc.m_strLogoFile, &doc.m_strVersion1,    &doc.m_strVersion2,
                      &doc.m_strVersion3};
  return texts[i];
}
constexpr int kInfoTextCount = 10;

// Items 1 to 18.
void SerializeSettings(CArchive& ar, CZaradDoc& doc) {
  if (ar.IsStoring()) {
    ar << doc.m_strReserved1 << doc.m_strReserved2 << doc.m_nReserved1 << doc.m_strReserved3
       << doc.m_strReserved4 << doc.m_strReserved5;
    ar << doc.m_rcDiagram.left << doc.m_rcDiagram.top << doc.m_rcDiagram.right << doc.m_rcDiagram.bottom;
    ar << doc.m_nKind << doc.m_strProgramName << doc.m_strPassword << doc.m_fZoom;
    for (int i = 0; i < kInfoTextCount; ++i) ar << *InfoTexts(doc, i);
    ar << doc.m_bShowPropertiesOnNew << doc.m_strComment;
    ar << doc.m_bCopyProtect << doc.m_nRedundancy << doc.m_nSyncTime << doc.m_nTempHigh << doc.m_nTempLow;
    for (const ComPortSettings& port : doc.m_ports) {
      for (int f = 0; f < ComPortSettings::kFieldCount; ++f) ar << *port.Field(f);
    }
    ar << doc.m_bLogoInverse;
    // The flag announces the 960 bytes that follow: without an image it is 0.
    const int hasLogo = doc.m_pLogoImage ? 1 : 0;
    ar << hasLogo;
    if (hasLogo) ar.Write(doc.m_pLogoImage.get(), kLogoImageSize);
    return;
  }

  ar >> doc.m_strReserved1 >> doc.m_strReserved2 >> doc.m_nReserved1 >> doc.m_strReserved3 >>
      doc.m_strReserved4 >> doc.m_strReserved5;
  ar >> doc.m_rcDiagram.left >> doc.m_rcDiagram.top >> doc.m_rcDiagram.right >> doc.m_rcDiagram.bottom;
  for (int* v :
       {&doc.m_rcDiagram.left, &doc.m_rcDiagram.top, &doc.m_rcDiagram.right, &doc.m_rcDiagram.bottom})
    *v = ClampCoordinate(*v);
  ar >> doc.m_nKind;
  if (doc.m_nKind != kDocFbd && doc.m_nKind != kDocLadder) {
    ar.ThrowException(CArchiveException::genericException,
                      "unknown diagram kind " + std::to_string(doc.m_nKind));
  }
  ar >> doc.m_strProgramName >> doc.m_strPassword >> doc.m_fZoom;
  if (!std::isfinite(doc.m_fZoom) || doc.m_fZoom <= 0.0f) doc.m_fZoom = 1.0f;
  doc.m_fZoom = std::clamp(doc.m_fZoom, kMinZoomFactor, kMaxZoomFactor);
  for (int i = 0; i < kInfoTextCount; ++i) ar >> *InfoTexts(doc, i);
  ar >> doc.m_bShowPropertiesOnNew >> doc.m_strComment;
  ar >> doc.m_bCopyProtect >> doc.m_nRedundancy >> doc.m_nSyncTime >> doc.m_nTempHigh >> doc.m_nTempLow;
  for (ComPortSettings& port : doc.m_ports) {
    for (int f = 0; f < ComPortSettings::kFieldCount; ++f) ar >> *port.Field(f);
  }
  ar >> doc.m_bLogoInverse >> doc.m_bHasLogoImage;
  if (doc.m_bHasLogoImage) {
    auto image = std::make_unique<BYTE[]>(kLogoImageSize);
    ar.Read(image.get(), kLogoImageSize);
    doc.m_pLogoImage = std::move(image);
    doc.m_bHasLogoImage = 1;
  } else {
    doc.m_pLogoImage.reset();
  }
}

// Item 20 (ladder documents).
void SerializeLadderMaps(CArchive& ar, CZaradDoc& doc) {
  if (ar.IsStoring()) {
    ar.WriteCount(doc.m_operandNames.size());
    for (const auto& [key, name] : doc.m_operandNames) ar << static_cast<DWORD>(key) << name;
    ar.WriteCount(doc.m_analogSimSettings.size());
    for (const auto& [key, setting] : doc.m_analogSimSettings) {
      ar << static_cast<DWORD>(key);
      for (int v : setting.nValues) ar << v;
    }
    return;
  }
  size_t count = ar.ReadCount(kMinNamePairBytes);
  for (size_t i = 0; i < count; ++i) {
    DWORD key = 0;
    CString name;
    ar >> key >> name;
    doc.m_operandNames[key] = name;
  }
  count = ar.ReadCount(sizeof(DWORD) + kSimSettingBytes);
  for (size_t i = 0; i < count; ++i) {
    DWORD key = 0;
    AnalogSimSetting setting;
    ar >> key;
    for (int& v : setting.nValues) ar >> v;
    doc.m_analogSimSettings[key] = setting;
  }
}

// Reads a counted list of n-byte values into a list of exactly `size` entries:
// missing entries are 0, surplus entries are read and dropped.
template <typename T>
void LoadFixedList(CArchive& ar, std::vector<T>& out, size_t size) {
  const size_t count = ar.ReadCount(sizeof(T));
  out.assign(size, T{});
  for (size_t i = 0; i < count; ++i) {
    T v{};
    ar >> v;
    if (i < size) out[i] = v;
  }
}

// Items 21 to 23. complete: store and read every item, whatever the markers and
// the family say (the settings a failed load puts back).
void SerializeModelRecord(CArchive& ar, CZaradDoc& doc, bool complete) {
  if (ar.IsStoring()) {
    ar << doc.m_wModelCode << doc.m_wModelAux1 << doc.m_wFirmware << doc.m_wModelAux2 << doc.m_strModelName;
    if (!complete && !doc.IsNewerFamily()) return;
    ar << doc.m_bKeepOutputs;
    ar.WriteCount(doc.m_aqRangeType.size());
    for (BYTE v : doc.m_aqRangeType) ar << v;
    ar.WriteCount(doc.m_aqFixedValue.size());
    for (double v : doc.m_aqFixedValue) ar << v;
    ar << doc.m_nLanguage << doc.m_nLogoTime << doc.m_nContrast << doc.m_nBacklight;
    ar << doc.m_nCharSet1 << doc.m_nCharSet2 << doc.m_nDefaultCharSet << doc.m_nTickerCharMs
       << doc.m_nTickerLineMs << doc.m_nAiFilter << doc.m_nScopeTime;
    ar << doc.m_nAiRangeType0 << doc.m_nAiRangeType1;
    return;
  }

  if (complete || doc.m_markers[kMarkerModelRecord] == kMarkerSet) {
    // A model the table does not know (a newer or foreign device) keeps its code and
    // stored name; the opening shows it as unknown.
    ar >> doc.m_wModelCode >> doc.m_wModelAux1 >> doc.m_wFirmware >> doc.m_wModelAux2 >> doc.m_strModelName;
  } else {
    doc.m_wModelCode = kModelWithoutRecord;
    GetModelName(doc.m_wModelCode, &doc.m_strModelName, &doc.m_wFirmware);
  }
  if (!complete && !doc.IsNewerFamily()) return;
  ar >> doc.m_bKeepOutputs;
  LoadFixedList(ar, doc.m_aqRangeType, kAnalogOutputCount);
  LoadFixedList(ar, doc.m_aqFixedValue, kAnalogOutputCount);
  ar >> doc.m_nLanguage >> doc.m_nLogoTime >> doc.m_nContrast >> doc.m_nBacklight;
  ar >> doc.m_nCharSet1 >> doc.m_nCharSet2 >> doc.m_nDefaultCharSet >> doc.m_nTickerCharMs >>
      doc.m_nTickerLineMs >> doc.m_nAiFilter >> doc.m_nScopeTime;
  if (complete || doc.m_markers[kMarkerAiRanges] == kMarkerSet)
    ar >> doc.m_nAiRangeType0 >> doc.m_nAiRangeType1;
}

// Everything of the file but the lists, whatever the kind, markers and family
// say: the settings that a failed load puts back.
void SerializeAllSettings(CArchive& ar, CZaradDoc& doc) {
  SerializeHead(ar, doc);
  SerializeSettings(ar, doc);
  SerializeLadderMaps(ar, doc);
  SerializeModelRecord(ar, doc, true);
}

// Settings that other parts of the system use as table indices are held to
// their tables (a damaged file gives the nearest valid choice).
void RepairTableIndices(CZaradDoc& doc) {
  for (ComPortSettings& port : doc.m_ports) {
    port.nRole = std::clamp(port.nRole, 0, 2);
    port.nProtocol = std::clamp(port.nProtocol, 0, 2);
    port.nBaudRate = std::clamp(port.nBaudRate, 0, kBaudRateCount - 1);
    port.nParity = std::clamp(port.nParity, 0, 2);
    port.nDataBits = std::clamp(port.nDataBits, 0, 1);
    port.nStopBits = std::clamp(port.nStopBits, 0, 1);
    port.nRegisterOrder = std::clamp(port.nRegisterOrder, 0, 1);
  }
  doc.m_nRedundancy = std::clamp(doc.m_nRedundancy, 0, 2);
  doc.m_nCharSet1 = std::clamp(doc.m_nCharSet1, 0, 2);
  doc.m_nCharSet2 = std::clamp(doc.m_nCharSet2, 0, 2);
  doc.m_nDefaultCharSet = std::clamp(doc.m_nDefaultCharSet, 0, 1);
  doc.m_nAiFilter = std::clamp(doc.m_nAiFilter, 0, 4);
  for (BYTE& v : doc.m_aqRangeType) v = std::min<BYTE>(v, 1);
}

// ---- After the lists -------------------------------------------------------------

// The per-block pass: the message-text element lists (item 27) in block
// order, the data-log items' blocks and the parameter references.
void ReadElementListsAndResolve(CArchive& ar, CZaradDoc& doc) {
  const bool newer = doc.IsNewerFamily();
  const bool hasMarker = doc.m_markers[kMarkerModelRecord] == kMarkerSet;
  for (CBlockObj* block : doc.m_blocks) {
    if (block->HasElementLists()) {
      if (newer || hasMarker) {
        block->SerializeElementLists(ar);
      } else {
        block->LoadOldElementList(ar);
      }
      continue;
    }
    block->ResolveOnLoad(doc, newer);
  }
}

CString WireWarning(const WireFaultReport& r) {
  CString text;
  text.Format(
      u"A connection from block %d pin %d to block %d pin %d names no block or pin of the diagram and "
      u"was removed.",
      r.nStartNumber, r.nStartPin, r.nEndNumber, r.nEndPin);
  return text;
}

// The warnings of one load in one message: the first few, then how many more; all of
// them go to the information window.
void ReportLoadWarnings(const CString& path, const std::vector<CString>& warnings) {
  if (warnings.empty()) return;
  constexpr size_t kShown = 5;
  const CString head = FormatString(u"\"%ls\" was repaired while it opened:", path.GetString());
  CString text = head;
  CString all = head;
  for (size_t i = 0; i < warnings.size(); ++i) {
    all += u"\n" + warnings[i];
    if (i < kShown) text += u"\n" + warnings[i];
  }
  if (warnings.size() > kShown) {
    text += FormatString(u"\n... and %d more (see the information window).",
                         static_cast<int>(warnings.size() - kShown));
  }
  GetMessageSink().AppendInformation(all + u"\n");
  AfxMessageBox(text, MB_OK | MB_ICONWARNING);
}

std::filesystem::path ToPath(const CString& path) {
  return std::filesystem::path(path.ToUtf8());
}

// How much of a file is looked at before the rest is read.
constexpr size_t kHeadBytes = 64 * 1024;

bool MarkersAreSet(std::span<const BYTE> bytes) {
  return bytes.size() >= kMarkerCount && std::all_of(bytes.begin(), bytes.begin() + kMarkerCount, [](BYTE b) {
           return b == kMarkerSet || b == kMarkerClear;
         });
}

}  // namespace

// A file's bytes (or the first of them) are a diagram file's when its markers are
// markers, or its head and settings read.
CZaradDoc::HeadCheck CZaradDoc::CheckHead(std::span<const BYTE> bytes, bool whole) {
  if (MarkersAreSet(bytes)) return HeadCheck::kDiagram;
  CZaradDoc scratch;
  try {
    CArchive probe(bytes.data(), bytes.size());
    probe.m_pDocument = &scratch;
    SerializeHead(probe, scratch);
    SerializeSettings(probe, scratch);
  } catch (const CArchiveException& e) {
    // Bytes that end inside the settings say nothing while more of the file follows.
    return !whole && e.m_cause == CArchiveException::endOfFile ? HeadCheck::kUndecided
                                                               : HeadCheck::kNotDiagram;
  }
  return HeadCheck::kDiagram;
}

// Gives the document a number index of its block list for the lifetime of the
// object (a load's resolution pass, during which the list does not change).
class CBlockNumberIndexScope {
 public:
  explicit CBlockNumberIndexScope(CZaradDoc& doc) : m_doc(doc) {
    m_index.reserve(static_cast<size_t>(doc.m_blocks.GetCount()));
    for (CBlockObj* block : doc.m_blocks) m_index.emplace(block->m_nNumber, block);  // the first one wins
    m_doc.m_pNumberIndex = &m_index;
  }
  ~CBlockNumberIndexScope() { m_doc.m_pNumberIndex = nullptr; }
  CBlockNumberIndexScope(const CBlockNumberIndexScope&) = delete;
  CBlockNumberIndexScope& operator=(const CBlockNumberIndexScope&) = delete;

 private:
  CZaradDoc& m_doc;
  std::unordered_map<int, CBlockObj*> m_index;
};

// ---- Serialize -------------------------------------------------------------------

void CZaradDoc::Serialize(CArchive& ar) {
  if (ar.m_pDocument == nullptr) ar.m_pDocument = this;
  if (ar.IsStoring()) {
    SerializeHead(ar, *this);
    SerializeSettings(ar, *this);
    StoreList(ar, m_comments);
    if (IsLadder()) SerializeLadderMaps(ar, *this);
    SerializeModelRecord(ar, *this, false);
    StoreList(ar, m_blocks);
    if (IsLadder()) StoreList(ar, m_powerBus);
    StoreList(ar, m_connections);
    // Always the eight lists: the head says the model record is present.
    for (CBlockObj* block : m_blocks) {
      if (block->HasElementLists()) block->SerializeElementLists(ar);
    }
    return;
  }

  SerializeHead(ar, *this);
  SerializeSettings(ar, *this);
  LoadList(ar, m_comments, RUNTIME_CLASS(CBlockComment), "comment list");
  for (CBlockComment* comment : m_comments) {
    if (comment->m_strText.GetLength() <= kMaxCommentChars) continue;
    m_loadWarnings.push_back(FormatString(u"A comment of %d characters was cut to %d characters.",
                                          comment->m_strText.GetLength(), kMaxCommentChars));
    comment->m_strText = comment->m_strText.Left(kMaxCommentChars);
  }
  if (IsLadder()) SerializeLadderMaps(ar, *this);
  SerializeModelRecord(ar, *this, false);
  RepairTableIndices(*this);

  LoadList(ar, m_blocks, RUNTIME_CLASS(CBlockObj), "block list");
  for (CBlockObj* block : m_blocks) CheckBlockClass(ar, block);
  if (IsLadder()) {
    LoadList(ar, m_powerBus, ClassOfType(kTypePowerBus), "power-bus list");
    for (CBlockObj* bus : m_powerBus) CheckBlockClass(ar, bus);
    // Files written after an undo could hold a power bus more than once: the first
    // one is the diagram's, the others are dropped before any wire can reach them.
    if (const int buses = m_powerBus.GetCount(); buses > 1) {
      std::unique_ptr<CBlockObj> first = m_powerBus.DetachHead();
      m_powerBus.DeleteAll();
      m_powerBus.AddTail(std::move(first));
      m_loadWarnings.push_back(FormatString(
          u"The diagram held %d power buses; the first was kept and the others were removed.", buses));
    }
  }
  CBlockNumberIndexScope index(*this);
  LoadList(ar, m_connections, RUNTIME_CLASS(CConnectLineObj), "connection list");
  ReadElementListsAndResolve(ar, *this);
}

void CZaradDoc::CheckForeignObjects(const COwningList<CBlockObj>& blocks,
                                    const COwningList<CBlockComment>& comments) {
  CArchive out;
  out.m_pDocument = this;
  for (const CBlockObj* block : blocks) {
    // The power bus and codes without a kind are never in a block list the editor made.
    if (GetTypeClass(static_cast<UINT>(block->m_nType)) == 0 || !GetBlockLibrary() ||
        !GetBlockLibrary()->CreateBlock(block->m_nType, BlockContext{}))
      out.ThrowException(CArchiveException::badClass,
                         "block of type " + std::to_string(block->m_nType) + " in a block list");
  }
  for (const CBlockComment* comment : comments) {
    if (comment->m_strText.GetLength() > kMaxCommentChars)
      out.ThrowException(CArchiveException::genericException,
                         "a comment of " + std::to_string(comment->m_strText.GetLength()) +
                             " characters (a comment holds at most " + std::to_string(kMaxCommentChars) +
                             ")");
  }
  StoreList(out, blocks);
  StoreList(out, comments);
  CArchive in(out.TakeBytes());
  in.m_pDocument = this;
  COwningList<CBlockObj> readBlocks;
  COwningList<CBlockComment> readComments;
  LoadList(in, readBlocks, RUNTIME_CLASS(CBlockObj), "block list");
  for (CBlockObj* block : readBlocks) CheckBlockClass(in, block);
  LoadList(in, readComments, RUNTIME_CLASS(CBlockComment), "comment list");
}

std::vector<BYTE> CZaradDoc::SaveToBytes() {
  CArchive ar;
  ar.Reserve(m_fileBuffer.capacity());  // the size of a file saved before, if any
  ar.m_pDocument = this;
  Serialize(ar);
  return ar.TakeBytes();
}

const std::vector<BYTE>& CZaradDoc::SaveToBuffer() {
  CArchive ar;
  ar.ReuseBuffer(std::move(m_fileBuffer));
  ar.m_pDocument = this;
  Serialize(ar);  // on an exception the buffer goes; the next save starts a new one
  m_fileBuffer = ar.TakeBytes();
  return m_fileBuffer;
}

bool CZaradDoc::LoadFromBytes(const std::vector<BYTE>& bytes, const std::string& fileName, CString* error,
                              bool* recognised) {
  m_loadWarnings.clear();
  if (recognised) *recognised = true;
  DeleteContents();

  CArchive backup;
  SerializeAllSettings(backup, *this);
  std::vector<BYTE> saved = backup.TakeBytes();
  // The head is stored with its model and range markers set; keep the markers as they are.
  BYTE markers[kMarkerCount];
  std::copy(std::begin(m_markers), std::end(m_markers), markers);

  m_nTrailingBytes = 0;
  try {
    // Read where the bytes lie: a large file is not copied again.
    CArchive ar(bytes.data(), bytes.size());
    ar.SetFileName(fileName);
    ar.m_pDocument = this;
    Serialize(ar);
    m_nTrailingBytes = ar.GetBytesLeft();
  } catch (const CArchiveException& e) {
    DeleteContents();
    m_operandNames.clear();
    m_analogSimSettings.clear();
    m_loadWarnings.clear();
    // A diagram file whose markers or head and settings read is damaged; anything
    // else is no diagram file.
    if (recognised) *recognised = CheckHead(bytes, true) == HeadCheck::kDiagram;
    CArchive restore(std::move(saved));
    SerializeAllSettings(restore, *this);
    std::copy(std::begin(markers), std::end(markers), m_markers);
    if (error) *error = e.GetErrorMessage();
    return false;
  }

  for (const WireFaultReport& r : CConnectLineObj::DropFaultyConnections(this))
    m_loadWarnings.push_back(WireWarning(r));
  if (m_markers[kMarkerModelRecord] == kMarkerSet && GetModelName(m_wModelCode, nullptr, nullptr) < 0) {
    m_loadWarnings.push_back(
        FormatString(u"The device model 0x%04X is unknown.", static_cast<unsigned>(m_wModelCode)));
  }
  MakePowerBus();
  return true;
}

// ---- Open and save ---------------------------------------------------------------

CString CZaradDoc::GetModelPaneText() const {
  if (GetModelName(m_wModelCode, nullptr, nullptr) >= 0) return m_strModelName;
  return FormatString(u"Unknown model (0x%04X)", static_cast<unsigned>(m_wModelCode));
}

BOOL CZaradDoc::OnOpenDocument(const CString& path, CString* error) {
  std::vector<BYTE> bytes;
  // The head first: a large file that is no diagram is not read as a whole.
  std::uint64_t fileSize = 0;
  std::string readError = ReadFileHead(ToPath(path), bytes, kHeadBytes, kMaxDiagramFileBytes, &fileSize);
  bool notDiagram = false;
  if (readError.empty() && bytes.size() < fileSize) {
    notDiagram = CheckHead(bytes, false) == HeadCheck::kNotDiagram;
    if (!notDiagram) readError = ReadFileBytes(ToPath(path), bytes, kMaxDiagramFileBytes);
  }
  CString message;
  if (!readError.empty()) {
    message = CString::FromUtf8(readError);  // names the file and the cause
  } else if (notDiagram) {
    message = FormatString(u"\"%ls\" is not a diagram file.", path.GetString());
    GetMessageSink().AppendInformation(message + u"\n");
  } else {
    CString details;
    bool recognised = true;
    if (!LoadFromBytes(bytes, path.ToUtf8(), &details, &recognised)) {
      // One sentence for the user; what exactly failed goes to the information window.
      message = FormatString(
          recognised ? u"\"%ls\" is damaged and cannot be opened." : u"\"%ls\" is not a diagram file.",
          path.GetString());
      GetMessageSink().AppendInformation(message + u"\n" + details + u"\n");
    }
  }
  if (!message.IsEmpty()) {
    if (error) *error = message;
    return FALSE;
  }
  SetModifiedFlag(FALSE);

  // A model the table does not know: new documents keep the last known model.
  if (GetModelName(m_wModelCode, &m_strModelName, &m_wFirmware) >= 0) g_CurrentModelCode = m_wModelCode;

  m_markers[kMarkerModelRecord] = m_markers[kMarkerAiRanges] = kMarkerSet;
  if (m_markers[kMarkerPinTypes] != kMarkerSet) {
    m_markers[kMarkerPinTypes] = kMarkerSet;
    for (CBlockObj* block : m_blocks) block->GetPinTypeRow(this);
  }

  // The file's bytes are read: their buffer, in memory already and about the size the
  // document stores to, takes the first storing (the undo step just below) instead
  // of a new one that would grow by doubling.
  if (bytes.capacity() > m_fileBuffer.capacity()) m_fileBuffer = std::move(bytes);

  // The loaded state is where the history starts: nothing to undo yet, and the
  // first Undo after an edit gives back exactly what the file holds.
  m_undo.RestartWith(this);

  ReportLoadWarnings(path, m_loadWarnings);
  // Bytes after the end of the diagram belong to nothing: said, and not kept.
  if (m_nTrailingBytes > 0) {
    GetMessageSink().AppendInformation(
        FormatString(u"\"%ls\" holds %lld bytes of data after the end of the diagram; they "
                     u"were left out and are not saved with it.\n",
                     path.GetString(), static_cast<long long>(m_nTrailingBytes)));
  }
  return TRUE;
}

CString CZaradDoc::CheckFileSize(size_t bytes) {
  if (bytes <= kMaxDiagramFileBytes) return {};
  return FormatString(u"The diagram needs %d MB, more than the %d MB a diagram file may hold.",
                      static_cast<int>((bytes + (1 << 20) - 1) >> 20),
                      static_cast<int>(kMaxDiagramFileBytes >> 20));
}

bool CZaradDoc::OnSaveDocument(const CString& path, CString* error) {
  const std::vector<BYTE>& bytes = SaveToBuffer();
  // A file the program would not read back is not written.
  if (const CString tooLarge = CheckFileSize(bytes.size()); !tooLarge.IsEmpty()) {
    if (error) *error = FormatString(u"Cannot save \"%ls\": ", path.GetString()) + tooLarge;
    return false;
  }
  const std::string result = SaveBytesAtomically(ToPath(path), bytes);
  if (!result.empty()) {
    if (error) *error = CString::FromUtf8(result);  // names the file and the cause
    return false;
  }
  SetModifiedFlag(false);
  return true;
}
