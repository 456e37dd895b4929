// CProgramDecoder: the upload side of the program image codec. It rebuilds a
// document from the table image, the program area J and the message-text
// pages that a device gave back: the settings areas first, then one block per
// instruction record of J, the output-like operands of areas E, F, G1, G2 and
// H with the operand blocks they name, the names, the program name and
// password, the high-speed inputs, the parameter references, the data log and
// the message texts; then the layout in columns and the wires.
//
// Every field is read through a bounded reader and checked before it is used.
// A damaged image stops the decode with a sentence for the user (Failed());
// a single link that names nothing valid leaves its pin open instead.
#pragma once

#include <span>
#include <unordered_map>
#include <vector>

#include "image/download_image.h"
#include "platform/cstring.h"
#include "platform/types.h"

class CBlockObj;
class CBlockMSGTEXT;
class CZaradDoc;

// Reads little-endian fields from one record or area. A read past the end
// gives zeros and marks the reader failed; the position still advances.
class CAreaReader {
 public:
  CAreaReader(const BYTE* base, size_t size, size_t pos = 0) : m_base(base), m_size(size), m_pos(pos) {}
  int Byte();
  int Word();         // unsigned, low byte first
  int SignedWord();   // the same, taken with its sign
  long long Dword();  // unsigned 32 bits, low byte first
  int SignedDword();  // the same, taken with its sign
  void Skip(size_t n);
  int PeekByte(size_t ahead = 0) const;  // -1 past the end
  size_t Pos() const { return m_pos; }
  bool Ok() const { return m_ok; }

 private:
  bool Fits(size_t n);
  const BYTE* m_base;
  size_t m_size;
  size_t m_pos;
  bool m_ok = true;
};

class CProgramDecoder {
 public:
  CProgramDecoder(const ProgramImage& image, WORD modelCode, CZaradDoc& doc);

  // The whole decode; false with Error() set when the image is damaged.
  bool Run();
  // Without wiring the blocks keep their links but get no wires (timing the
  // decode and layout alone).
  void SetWiring(bool on) { m_bWiring = on; }
  const CString& Error() const { return m_error; }

 private:
  friend class CRecordDecoder;

  // ---- Steps -------------------------------------------------------------------
  bool CheckSizes();
  void DecodeSettingsAreas();
  bool DecodeDataLog();
  void DecodeOperandArea(const char16_t* area, int type, int first, int count);
  bool DecodeProgram();
  void DecodeHeaderAreas();
  void DecodeInputArea();
  void ResolveReferences();
  void DropDanglingLinks();
  void LayoutBlocks();
  void PlaceSource(CBlockObj* consumer, int pin, int* maxColumn, int* maxRow);
  void ConnectBlocks();

  // ---- Records (param_decoders.cpp) ------------------------------------------------
  // Decodes one record of type `type` at `offset` of J as block 9000 + index.
  bool DecodeRecord(int type, int index, size_t offset, size_t* next);
  void DecodeBody(CBlockObj* b, CAreaReader& r, int flagByte);

  // ---- Message texts (msgtext_decoder.cpp) -------------------------------------------
  bool DecodeMessageText(CBlockMSGTEXT* block, int message);
  void DecodeMessageTextArea(CBlockMSGTEXT* block, int message);
  void DecodeMessageTextPage(CBlockMSGTEXT* block, int page);
  void DecodeMessageElements(CBlockMSGTEXT* block, const BYTE* page, int set);
  void ResolveMessageTextReferences();

  // ---- Helpers ---------------------------------------------------------------------
  std::span<const BYTE> Area(const char16_t* name) const;
  CBlockObj* Find(int number) const;
  CBlockObj* Append(CBlockObj* block);  // takes ownership
  void AddSink(CBlockObj* block);
  // The input-pin word rule for one pin of a consumer.
  void DecodePinWord(int word, CBlockObj* consumer, int pin);
  // An operand word's block number and type, or false when it names no valid
  // operand (unknown kind, index outside its range).
  bool OperandOfWord(int word, int* number, int* type) const;
  // The operand block of a number, made when missing.
  CBlockObj* OperandBlock(int number, int type);
  // The block type of a function code's high byte (and, for codes 0..10, its
  // low byte), 0 when none.
  int TypeOfCodeBytes(int b0, int b1) const;
  void Fail(const CString& sentence);

  const ProgramImage& m_image;
  CZaradDoc& m_doc;
  WORD m_wModelCode;
  bool m_bNewer;
  CString m_error;
  bool m_bFailed = false;
  bool m_bWiring = true;
  std::vector<CBlockObj*> m_sinks;  // ascending number; not owned
  std::unordered_map<int, CBlockObj*> m_byNumber;
  // The input pins that a word of the image linked, per block (bit = pin).
  std::unordered_map<const CBlockObj*, unsigned> m_linked;
  bool Linked(const CBlockObj* b, int pin) const {
    const auto it = m_linked.find(b);
    return it != m_linked.end() && ((it->second >> pin) & 1) != 0;
  }
  std::vector<CBlockMSGTEXT*> m_messages;
  int m_nMessageCount = 0;
  int m_nPageCount = 0;
};
