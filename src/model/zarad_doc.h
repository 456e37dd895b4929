// CZaradDoc: one open diagram (function-block or ladder). It owns the blocks,
// wires, comments and the ladder power bus, carries every program setting that
// travels to the device, and keeps the block registry: numbering, per-type
// limits, memory cost and the lookups by number.
#pragma once

#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/block_comment.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/model_table.h"
#include "model/owning_list.h"
#include "model/savable_document.h"
#include "model/undo_buffer.h"
#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

// DocumentKind.
constexpr int kDocFbd = 1;     // function-block diagram (".bfb")
constexpr int kDocLadder = 2;  // ladder diagram (".bld")

// One serial port of the device: twelve ints in this order.
struct ComPortSettings {
  int nRole = 1;           // 0 Slave, 1 Master, 2 ATP
  int nProtocol = 0;       // 0 RTU, 1 ASC, 2 UDC
  int nAddress = 1;        // device address 0..255
  int nBaudRate = 3;       // index: 1200 .. 921600 (3 = 9600)
  int nFrameFormat = 0;    // index in the page's parity/data/stop list (display only)
  int nParity = 0;         // 0 None, 1 Odd, 2 Even
  int nDataBits = 1;       // 0 seven bits, 1 eight bits
  int nStopBits = 0;       // 0 one, 1 two
  int nTimeout = 200;      // response time-out, ms (200..65535)
  int nPollDelay = 0;      // delay between polls, ms (0..65535)
  int nRegisterOrder = 0;  // 0 "High Low", 1 "Low High"
  int nReserved = 0;       // carried to and from the device, never edited

  static constexpr int kFieldCount = 12;
  // The fields in record order (index 0..11); out-of-range indices give null.
  int* Field(int index);
  const int* Field(int index) const { return const_cast<ComPortSettings*>(this)->Field(index); }
  friend bool operator==(const ComPortSettings&, const ComPortSettings&) = default;
};

// Simulation slider setting of an analog operand of a ladder diagram (kept by the view).
struct AnalogSimSetting {
  int nValues[5] = {};
  friend bool operator==(const AnalogSimSetting&, const AnalogSimSetting&) = default;
};

// What CheckTypeLimit reports to a caller that adds several blocks at once.
struct TypeLimitQuery {
  int nType = 0;      // the type code (caller's bookkeeping)
  int nAdding = 0;    // blocks of the type about to be added
  int nInRange1 = 0;  // coils on outputs Q / ladder analog outputs on AQ
  int nInRange2 = 0;  // coils on flags M / ladder analog outputs on AM
  int nInRange3 = 0;  // coils on open connectors X
};

constexpr int kAnalogOutputCount = 32;  // entries of m_aqRangeType and m_aqFixedValue
constexpr int kLogoImageSize = 960;     // 108 x 64 monochrome start-up logo
constexpr int kMarkerCount = 100;       // FormatMarkers
constexpr BYTE kMarkerSet = 0x55;       // a FormatMarkers byte that announces its item
constexpr BYTE kMarkerClear = 0xAA;     // every other FormatMarkers byte
constexpr int kMarkerModelRecord = 0;   // the model record (and the newer message-text lists) are present
constexpr int kMarkerAiRanges = 1;      // the two analog-input range ints are present
constexpr int kMarkerPinTypes = 2;      // the blocks' pin types are current

class CArchive;
class CBlockNumberingBatch;

// What a new document starts with: the shell's choices at the time (the kind
// of the New command, the model selected last, the screen's size as the page
// size, "Show at new file"). The defaults are those of a program without a window.
// The model a document is made for until another is chosen.
constexpr WORD kDefaultModelCode = 0x5188;

struct NewDocumentSettings {
  int nKind = kDocFbd;
  WORD wModelCode = kDefaultModelCode;
  CSize sizePage{1024, 768};
  int bShowProperties = 1;
};

// The wires at the output pin of each block of a document, in the order of
// the wire list, gathered in one pass over the wires on first use. While the
// wires stay as they are (entering simulation), walks down the wires that look
// here (the analog range of an input) take the wires of each block they reach
// at once rather than passing over every wire of the document.
class COutputWireIndex {
 public:
  // The wires whose start or end is block's first output pin (a wire from the
  // output back to the same output once), in list order.
  std::span<CConnectLineObj* const> Of(const CZaradDoc& doc, const CBlockObj* block);

 private:
  // A block's wires: m_wires[first, first + count). An open-addressed table
  // of twice as many slots as wire ends at most: no allocation per block.
  struct Slot {
    const CBlockObj* block = nullptr;
    unsigned first = 0;
    unsigned count = 0;
  };
  void Build(const CZaradDoc& doc);
  Slot* Find(const CBlockObj* block, bool add);

  bool m_bBuilt = false;
  std::vector<Slot> m_slots;  // 2^(64 - m_nShift) long
  int m_nShift = 60;
  std::vector<CConnectLineObj*> m_wires;
};

class CZaradDoc : public CObject, public CSavableDocument {
  DECLARE_DYNCREATE(CZaradDoc)

 public:
  // A document with the default settings (dynamic creation and loading).
  CZaradDoc();
  // A new document; nothing is asked of the shell.
  explicit CZaradDoc(const NewDocumentSettings& settings);
  ~CZaradDoc() override;
  CZaradDoc(const CZaradDoc&) = delete;
  CZaradDoc& operator=(const CZaradDoc&) = delete;

  // Deletes all blocks, wires, comments and the power bus, in that order, each
  // object taken out of its list before it is destroyed.
  virtual void DeleteContents();
  // The ladder power bus of a ladder document: made when it has none, and
  // sized to the base (width 4, the base's height less 4). A new and a loaded
  // document call it; drawing never changes the document. Nothing happens in
  // a function-block document.
  void MakePowerBus();

  // The document's title, path and modified flag (CSavableDocument).
  const CString& GetTitle() const override { return m_strTitle; }
  void SetTitle(const CString& title) override { m_strTitle = title; }
  const CString& GetPathName() const override { return m_strPathName; }
  void SetPathName(const CString& path) override { m_strPathName = path; }
  bool IsModified() const override { return m_bModified; }
  void SetModifiedFlag(bool modified = true) override { m_bModified = modified; }
  int GetKind() const override { return m_nKind; }

  // Device family: the high byte of the model code (0x11, 0x21, 0x51, 0x52, 0x61).
  int GetModelFamily() const { return m_wModelCode >> 8; }
  bool IsNewerFamily() const { return IsNewerSeries(GetModelFamily()); }
  bool IsLadder() const { return m_nKind == kDocLadder; }

  // ---- Diagram file (zarad_doc_file.cpp) ------------------------------------
  // Stores the document, or loads it into a document whose lists are empty.
  // The archive's document pointer is set to this document when it is null.
  // A damaged file throws CArchiveException and may leave a partial load
  // behind; LoadFromBytes is the safe way to load.
  void Serialize(CArchive& ar) override;
  // The whole file of the document.
  std::vector<BYTE> SaveToBytes();
  // The same in a buffer that the document keeps for the next call (valid
  // until then): saving again writes into memory it already holds instead of
  // new pages. Saves and undo snapshots use it.
  const std::vector<BYTE>& SaveToBuffer();
  // Loads a file's bytes into this document (its lists are emptied first):
  // on success true, with m_loadWarnings holding what was repaired (wires
  // dropped, surplus power buses dropped, an unknown device model); on failure
  // false with the details in *error, the lists empty and every setting as it
  // was before the call. fileName (UTF-8) names the file in the details.
  // *recognised (when given) tells a damaged diagram file (its head and
  // settings read) from bytes that are no diagram file at all.
  bool LoadFromBytes(const std::vector<BYTE>& bytes, const std::string& fileName, CString* error,
                     bool* recognised = nullptr);
  // Opens a file: LoadFromBytes, then the model globals, the markers (pin
  // types refreshed once for a file of an older form) and the warnings of the
  // load gathered into one message. On failure *error (when given) is one
  // sentence naming the file and what is wrong with it; the details go to the
  // shell's information window.
  BOOL OnOpenDocument(const CString& path, CString* error = nullptr);
  // Writes the document to path through a temporary file beside it that
  // replaces path only when complete; a failed save leaves path untouched.
  // Clears the modified flag on success; on failure *error (when given) says why.
  bool OnSaveDocument(const CString& path, CString* error = nullptr) override;
  // Whether bytes begin as a diagram file: its markers, or its head and settings
  // read. whole: the bytes are all of the file (else its first part, which may end
  // inside the settings: undecided).
  enum class HeadCheck { kDiagram, kNotDiagram, kUndecided };
  static HeadCheck CheckHead(std::span<const BYTE> bytes, bool whole);
  // Bytes of the last load (LoadFromBytes) after the end of the diagram; they are
  // not part of the document.
  size_t m_nTrailingBytes = 0;
  // Why a diagram file of that many bytes is not written (the program would not read
  // it back); empty when it may be.
  static CString CheckFileSize(size_t bytes);
  // Warnings of the last load (LoadFromBytes), for the user.
  std::vector<CString> m_loadWarnings;
  // Holds blocks and comments that come from outside a file (the clipboard) to
  // every check the loader applies to a file's lists: they are stored as this
  // document stores them and read back as its loader reads them. Blocks of a kind
  // that cannot stand in a diagram's block list are refused as well. Throws
  // CArchiveException with the reason when they would be refused.
  void CheckForeignObjects(const COwningList<CBlockObj>& blocks, const COwningList<CBlockComment>& comments);

  // ---- Block registry --------------------------------------------------------
  // Numbers the block, appends it to m_blocks and marks the document modified.
  // Returns the block (now owned by the document); null is ignored.
  CBlockObj* AddBlock(std::unique_ptr<CBlockObj> block);
  // The same for a block from the clipboard; it keeps its number when free.
  CBlockObj* AddPastedBlock(std::unique_ptr<CBlockObj> block);
  // Takes a block out of the document (block list or power bus) and hands it
  // back: every other block's reference to it and the sort list's entry are
  // cleared, and the document is marked modified. Null when it is not here.
  // It walks the document's blocks, unless a CBlockDetachBatch is open.
  std::unique_ptr<CBlockObj> DetachBlock(CBlockObj* block);
  // Blocks whose number lies in 9000..10999.
  int CountFunctionBlocks() const;
  // Blocks that are neither connector half.
  int CountNonConnectorBlocks() const;
  // The power bus (ladder) or the first block with that number; null when none.
  CBlockObj* FindBlockByNumber(int number) const;
  // Gives a block of the document a new number: the same as writing m_nNumber,
  // and the way to do it while a CBlockNumberingBatch is open.
  void SetBlockNumber(CBlockObj* block, int number);
  // First block whose operand and type both match; null when none.
  CBlockObj* FindBlockByOperand(int operand, int typeCode) const;
  // BlockTypeClass of a type code (compared unsigned).
  static int GetTypeClass(UINT typeCode) {
    const int t = static_cast<int>(typeCode);
    if (t >= kFirstOperandType && t < kFirstExtendedType) return 1;  // operands and ladder elements
    if ((t >= kFirstLogicType && t <= kTypeSW) || (t >= kFirstExtendedType && t < kTypeMaleConnector))
      return 2;
    if (IsConnectorType(t)) return 3;
    if (t == kTypeDataLog) return 4;
    return 0;
  }
  // Sum of the memory cost of the function blocks (group 2).
  int GetProgramMemorySize() const;
  // Function blocks (group 2) with a block name.
  int CountNamedBlocks() const;
  // Blocks that can serve another block as a parameter reference, leaving one number out.
  int CountReferenceableBlocks(int numberToLeaveOut) const;
  // Memory cost of the model-dependent types for this document's model.
  void AdjustBlocksForModel();
  // Whether one more block of the type (or query->nAdding more) still fits.
  BOOL CheckTypeLimit(UINT typeCode, TypeLimitQuery* query) const;
  // How many blocks of a type the document allows; 0 for a type without a limit.
  int GetTypeLimit(int typeCode) const;

  // ---- Members, in declaration order -----------------------------------------
  int m_nPagesAcross = 1;
  int m_nPagesDown = 1;
  int m_nReservedInts[8] = {1, 1, 1, 1, 1, 1, 1, 1};  // stored in the file only
  int m_bLocked = 0;                                  // view ignores mouse editing, device commands disabled
  CRect m_rcDiagram;                                  // extent of the diagram area (view's scroll size)
  CSize m_sizePage;                                   // one page: the screen size; not stored
  int m_bSimulating = 0;                              // a view of the document simulates
  COwningList<CBlockObj> m_blocks;                    // all blocks and ladder elements
  COwningList<CConnectLineObj> m_connections;         // all wires
  COwningList<CBlockComment> m_comments;              // all comments
  std::vector<CBlockObj*> m_sortList;                 // scratch of the view's evaluation sort; owns nothing
  COutputWireIndex* m_pOutputWires = nullptr;         // lent while the wires stay as they are; not owned
  CString m_strReserved1;                             // stored in the file only
  CString m_strReserved2;
  int m_nReserved1 = 0;
  CString m_strReserved3;
  CString m_strReserved4;
  CString m_strReserved5;
  int m_nKind = kDocFbd;     // DocumentKind
  int m_nReserved0 = 0;      // stored in the file only
  CString m_strProgramName;  // at most 13 characters
  CString m_strPassword;
  float m_fZoom = 1.0f;
  CString m_strCreator;
  CString m_strProjectName;
  CString m_strInstallationName;
  CString m_strCustomer;
  CString m_strDiagramNo;
  CString m_strChecked;
  CString m_strLogoFile;  // start-up logo bitmap path
  CString m_strVersion1;
  CString m_strVersion2;
  CString m_strVersion3;
  int m_bShowPropertiesOnNew = 1;
  CString m_strComment;
  int m_bCopyProtect = 0;
  int m_nRedundancy = 0;   // 0 None, 1 Master, 2 Slave
  int m_nSyncTime = 5000;  // ms, 1000..3600000
  int m_nTempHigh = 90;
  int m_nTempLow = -20;
  int m_bKeepOutputs = 1;  // outputs keep their values in STOP
  std::vector<BYTE> m_aqRangeType = std::vector<BYTE>(kAnalogOutputCount, 0);
  std::vector<double> m_aqFixedValue = std::vector<double>(kAnalogOutputCount, 0.0);
  int m_nLanguage = 0;
  int m_nLogoTime = 0;
  int m_nContrast = 2;
  int m_nBacklight = 0;
  int m_bLogoInverse = 0;
  int m_bHasLogoImage = 0;
  std::unique_ptr<BYTE[]> m_pLogoImage;  // kLogoImageSize bytes when set; owned
  int m_nAiRangeType0 = 0;
  int m_nAiRangeType1 = 0;
  ComPortSettings m_ports[3];  // COM0, COM1, COM2
  WORD m_wModelCode = kDefaultModelCode;
  WORD m_wModelAux1 = 0;
  WORD m_wFirmware = 0xC100;
  WORD m_wModelAux2 = 0;
  CString m_strModelName;
  // The model name the status bar shows for this document: the model's name,
  // or "Unknown model (0x%04X)" for a model the table does not know.
  CString GetModelPaneText() const;
  std::map<UINT, CString> m_operandNames;                // ladder: operand names by number
  std::map<UINT, AnalogSimSetting> m_analogSimSettings;  // ladder: slider settings by number
  COwningList<CBlockObj> m_powerBus;                     // ladder: the power bus
  int m_nCapCounts[3] = {};  // function blocks with caps 0x04, 0x02, 0x01 (download)
  int m_nCharSet1 = 0;
  int m_nCharSet2 = 0;
  int m_nDefaultCharSet = 0;
  int m_nTickerCharMs = 1000;
  int m_nTickerLineMs = 10000;
  int m_nAiFilter = 0;
  int m_nScopeTime = 5;
  CUndoBuffer m_undo;  // the undo store: snapshots of this document
  CPoint m_ptMouse;
  BYTE m_markers[kMarkerCount] = {};

 private:
  friend class CBlockNumberIndexScope;
  friend class CBlockNumberingBatch;
  struct NumberingTables;

  // While a load resolves numbers (the block list no longer changes), the
  // first block of each number; FindBlockByNumber uses it when set.
  const std::unordered_map<int, CBlockObj*>* m_pNumberIndex = nullptr;

  // The tables of an open CBlockNumberingBatch (owned by it); null when none is.
  NumberingTables* m_pNumbering = nullptr;

  // The tables of an open CBlockDetachBatch (owned by it); null when none is.
  struct DetachTables;
  DetachTables* m_pDetaching = nullptr;
  friend class CBlockDetachBatch;

  // Numbers an operand-like block by its type's range (AddBlock steps 2 to 5).
  void NumberOperandBlock(CBlockObj* block, bool pasted);
  // The lowest function-block number from 9000 that no block of the list has.
  int FirstFreeFunctionNumber() const;

  CString m_strTitle;
  CString m_strPathName;
  bool m_bModified = false;
  std::vector<BYTE> m_fileBuffer;  // SaveToBuffer's
};

// While a batch lives, CZaradDoc::AddBlock and AddPastedBlock number blocks
// from tables of the numbers (and, per type, the operands) in use, built in
// one pass over the document's blocks and kept up to date by those calls, by
// DetachBlock and by SetBlockNumber; FindBlockByNumber looks numbers up in
// them. Adding n blocks then takes time in proportion to n rather than to n
// times the document's size (paste, Convert to FBD). While it lives, blocks
// join or leave the document, and change number, type or operand, only
// through those calls. A batch opened inside another one does nothing.
class CBlockNumberingBatch {
 public:
  explicit CBlockNumberingBatch(CZaradDoc& doc);
  ~CBlockNumberingBatch();
  CBlockNumberingBatch(const CBlockNumberingBatch&) = delete;
  CBlockNumberingBatch& operator=(const CBlockNumberingBatch&) = delete;

 private:
  CZaradDoc& m_doc;
  std::unique_ptr<CZaradDoc::NumberingTables> m_tables;  // null for a nested batch
};

// While a batch lives, CZaradDoc::DetachBlock finds the blocks that point at
// the block it takes out (a parameter reference, the walk start, what
// ForgetBlock drops) in a table of referrers built in one pass over the
// document's blocks, rather than walking all of them: taking n blocks out
// then takes time in proportion to n plus the document's size rather than to
// n times it (deleting a selection). The document ends as the same calls
// without a batch leave it. While it lives, blocks gain no pointer to another
// block and change no operand; blocks joining or leaving the lists other than
// through DetachBlock make the next DetachBlock build the table again. A batch
// opened inside another one does nothing.
class CBlockDetachBatch {
 public:
  explicit CBlockDetachBatch(CZaradDoc& doc);
  ~CBlockDetachBatch();
  CBlockDetachBatch(const CBlockDetachBatch&) = delete;
  CBlockDetachBatch& operator=(const CBlockDetachBatch&) = delete;

 private:
  CZaradDoc& m_doc;
  std::unique_ptr<CZaradDoc::DetachTables> m_tables;  // null for a nested batch
};
