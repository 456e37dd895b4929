// CZaradCoreRule: the program image compiler. It owns the buffers of one
// download, upload or clear (the table image, the program area J, their verify
// copies and the message-text pages) and turns a document's blocks into their
// parts of the image: instruction records in J, names in A and B, message
// texts in C or in the pages, the sources of the output-like operands in E, F,
// G1, G2 and H, the input settings in PW, and the program settings.
//
// It never shows anything: a refused block makes a compile step return 0 or
// less, and the caller (PrepareDownload) reports it. Every write goes through a
// bounded writer, so what does not fit in its area is refused, never written
// past it.
#pragma once

#include <string_view>
#include <unordered_map>
#include <vector>

#include "image/image_layout.h"
#include "platform/object.h"
#include "platform/types.h"

class CBlockObj;
class CBlockDataLog;
class CBlockMSGTEXT;
class CWidget;
class CZaradDoc;

class CZaradCoreRule : public CObject {
 public:
  explicit CZaradCoreRule(CZaradDoc* doc);
  ~CZaradCoreRule() override = default;
  CZaradCoreRule(const CZaradCoreRule&) = delete;
  CZaradCoreRule& operator=(const CZaradCoreRule&) = delete;

  // Allocates the buffers of a mode (kImageModeDownload, kImageModeUpload,
  // kImageModeClear). The download sizes J from the document's memory cost;
  // the upload takes the size set with SetProgramAreaSize. textPages is the
  // number of message-text pages (newer-series downloads), at most 16.
  // Resets the compile state. False for an unknown mode.
  bool AllocateBuffers(int mode, int textPages);
  // Fills a buffer by the fill rules of a mode (download: LC, C and PW of the
  // table image prepared when index is kImageBufferTable).
  void InitImageFill(int mode, std::vector<BYTE>& buffer, int bufferIndex, BYTE fill);
  // The program-area size of an upload, from the device's reply.
  void SetProgramAreaSize(int size) { m_nProgramSize = size; }

  // The named area of the table image or program area: its bytes, or an
  // empty span when the name is not in the table or the buffer is missing.
  std::span<BYTE> FindImageArea(std::u16string_view name);

  // ---- Compiling (the download driver calls these in its order) ------------
  // One block: function blocks, output-like operands and digital inputs.
  // 1 compiled, 0 or -1 refused (nothing more should be compiled).
  int CompileBlock(CBlockObj* block);
  // K, L, PS and the length word of LC.
  void WriteHeaderAreas();
  // CM, PR, RD, ID, HT, LT, M1 .. V2 and, for the newer series, C's settings
  // record, KV, QT, FV, RV and DL. False when the data log does not fit.
  bool WriteSettingsAreas();
  // The time written into ID (defaults to the PC's local time when unset).
  void SetDownloadTime(const SYSTEMTIME& time) {
    m_downloadTime = time;
    m_bHasDownloadTime = true;
  }

  // The source block of an input pin: its link followed once through a
  // connector pair; null when open, unknown or when the pair has no source.
  CBlockObj* FindPinSource(const CBlockObj& block, int pin) const;
  // The block a link number names, followed through a connector pair.
  CBlockObj* ResolveSource(int link) const;
  // The block of a number as the document finds it (the power bus first, then
  // the first block of the list), from an index built at the first lookup.
  CBlockObj* FindBlock(int number) const;

  // ---- Buffers ---------------------------------------------------------------
  std::vector<BYTE>& TableImage() { return m_table; }
  std::vector<BYTE>& ProgramArea() { return m_program; }
  std::vector<BYTE>& TableVerify() { return m_tableVerify; }
  std::vector<BYTE>& ProgramVerify() { return m_programVerify; }
  std::vector<BYTE>& TextPages() { return m_pages; }
  std::vector<BYTE>& TextVerify() { return m_pagesVerify; }
  int ProgramAreaSizeBytes() const { return m_nProgramSize; }
  bool IsNewerSeries() const { return m_bNewer; }
  CZaradDoc* Document() const { return m_pDoc; }

 private:
  int CompileFunctionBlock(CBlockObj* block);
  int CompileOperandBlock(CBlockObj* block);
  int CompileInputBlock(CBlockObj* block);
  int CompileBlockRecord(CBlockObj* block);
  int CompileInstruction(CBlockObj* block, int recordOffset);
  void SetBlockDataSize(CBlockObj* block) const;
  int WriteOperandArea(CBlockObj* block);
  bool WriteBlockName(CBlockObj* block);
  bool CompileMessageTextArea(CBlockMSGTEXT* block, std::span<BYTE> areaC, int offset);
  bool CompileMessageTextPages(CBlockMSGTEXT* block, int page);
  bool CompileMessageElements(CBlockMSGTEXT* block, BYTE* page, int set);
  bool CompileDataLog(const CBlockDataLog& block, std::span<BYTE> area);
  // The block an element shows: its pointer, else the block of its number.
  CBlockObj* ElementBlock(const CWidget& element) const;

  // ---- Parameter encoders (param_encoders.cpp) --------------------------------
  // Writes the body of a block's record from the writer's position.
  void EncodeBody(CBlockObj* block, CAreaWriter& w);
  // The common slot rules for a slot value: open (52), empty (53) or a source.
  void EncodeCommonSlot(const CBlockObj& block, int slot, CAreaWriter& w);
  void EncodeLogic(CBlockObj* block, CAreaWriter& w);
  void EncodeSpecialTimer(CBlockObj* block, CAreaWriter& w);
  void EncodeWeeklyTimer(CBlockObj* block, CAreaWriter& w);
  void EncodeYearlyTimer(CBlockObj* block, CAreaWriter& w);
  void EncodeAstroClock(CBlockObj* block, CAreaWriter& w);
  void EncodeStopwatch(CBlockObj* block, CAreaWriter& w);
  void EncodeCounter(CBlockObj* block, CAreaWriter& w);
  void EncodeHoursCounter(CBlockObj* block, CAreaWriter& w);
  void EncodeThresholdTrigger(CBlockObj* block, CAreaWriter& w);
  void EncodeRelay(CBlockObj* block, CAreaWriter& w);
  void EncodeMessageText(CBlockObj* block, CAreaWriter& w);
  void EncodeDataFunction(CBlockObj* block, CAreaWriter& w);
  void EncodeAnalogMath(CBlockObj* block, CAreaWriter& w);
  void EncodeAnalogFilter(CBlockObj* block, CAreaWriter& w);
  void EncodeAverage(CBlockObj* block, CAreaWriter& w);
  void EncodeMaxMin(CBlockObj* block, CAreaWriter& w);
  void EncodeAnalogWatchdog(CBlockObj* block, CAreaWriter& w);
  void EncodeAnalogRamp(CBlockObj* block, CAreaWriter& w);
  void EncodePI(CBlockObj* block, CAreaWriter& w);
  void EncodePWM(CBlockObj* block, CAreaWriter& w);
  void EncodeAnalog(CBlockObj* block, CAreaWriter& w);
  void EncodeMathError(CBlockObj* block, CAreaWriter& w);
  void EncodeModbus(CBlockObj* block, CAreaWriter& w);
  void EncodeUdc(CBlockObj* block, CAreaWriter& w);
  void EncodeQuad(CBlockObj* block, CAreaWriter& w);
  void EncodeEncoder(CBlockObj* block, CAreaWriter& w);
  void EncodeWifi(CBlockObj* block, CAreaWriter& w);

  CZaradDoc* m_pDoc;
  bool m_bNewer = false;
  int m_nFilterCount = 0;  // the number the next analog filter receives
  std::vector<BYTE> m_table;
  std::vector<BYTE> m_program;
  std::vector<BYTE> m_tableVerify;
  std::vector<BYTE> m_programVerify;
  int m_nProgramSize = 0;
  std::vector<BYTE> m_pages;
  std::vector<BYTE> m_pagesVerify;
  int m_nPageCount = 0;
  int m_nNamedIndex = 0;    // next free slot of areas A and B
  int m_nMessageIndex = 0;  // message-text blocks compiled so far
  int m_nRecordOffset = 0;  // where the next record starts in J
  bool m_bFirstRecord = true;
  mutable std::unordered_map<int, CBlockObj*> m_numberIndex;
  mutable bool m_bIndexBuilt = false;
  SYSTEMTIME m_downloadTime;
  bool m_bHasDownloadTime = false;
};
