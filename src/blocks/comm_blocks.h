// Communication blocks (813, 814, 824-827, 855, 856).
#pragma once

#include <cstddef>

#include "model/block_obj.h"
#include "platform/cstring.h"

// The Modbus CRC-16 of the bytes (reflected polynomial 0xA001, initial value
// 0xFFFF) with its two bytes exchanged, so that the byte sent first on the
// line is the high byte: "123456789" gives 0x374B, no bytes 0xFFFF.
WORD CalcModbusCrc(const BYTE* data, size_t length);

// Modbus read as a master (813); the base of the Modbus write.
class CBlockMR : public CBlockObj {
  DECLARE_SERIAL(CBlockMR)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockMR();
  explicit CBlockMR(int typeCode, const BlockContext& ctx = {});

  // The common record, then the Modbus record.
  void Serialize(CArchive& ar) override;
  // The output follows "En" unless "R" is 1.
  BOOL Simulate(CViewContext* view) override;
  // The base copy, then every member of the Modbus record.
  void CopyTo(CBlockObj* target, BOOL withGeometry, const CZaradDoc* doc) override;

  BYTE m_bySlaveAddress = 1;     // station address of the slave
  BYTE m_byCommand = 0;          // index of the command in the page's list
  BYTE m_byFunction = 0;         // Modbus function code of the command
  BYTE m_byDataMode = 0;         // 0 "Auto" (device operands), 1 "Manual" (constants)
  int m_nPort = 0;               // serial port 0..2; -1 none chosen
  WORD m_wRegister = 0;          // register or coil address at the slave
  WORD m_wCount = 1;             // number of registers or coils
  WORD m_wDataAddress = 0;       // Auto: device operand address; Manual: first data word
  WORD m_wDataHigh = 0;          // Manual: second data word
  WORD m_wDataIndex = 0;         // Auto: number of the first data operand within its type
  int m_nDataType = 0;           // Auto: operand type index for the command
  CString m_strDataLow = u"0";   // Manual: hexadecimal text of the first data word
  CString m_strDataHigh = u"0";  // Manual: hexadecimal text of the second data word
};

// Modbus write as a master (814).
class CBlockMW : public CBlockMR {
  DECLARE_SERIAL(CBlockMW)

 public:
  CBlockMW();
  explicit CBlockMW(int typeCode, const BlockContext& ctx = {});
};

// CBlockWIFI: the common base of the WiFi blocks 824-827; no block of this
// class itself is made.
class CBlockWIFI : public CBlockObj {
  DECLARE_SERIAL(CBlockWIFI)

 public:
  CBlockWIFI();

  // The common record, then the four ints of the WiFi record.
  void Serialize(CArchive& ar) override;

  int m_nWifiSource = 0;       // 0 "Station", 1 virtual memory, 2 "Diagnostic"
  int m_nWifiId = 0;           // station WiFi ID (stored 0..6) or virtual memory index
  int m_nWifiBlockType = 0;    // station: input or output; diagnostic: the station
  int m_nWifiBlockNumber = 0;  // station point number or virtual memory index

 protected:
  CBlockWIFI(int typeCode, int inputCount, const BlockContext& ctx = {});
};

// User-defined serial communication (855).
class CBlockUDC : public CBlockObj {
  DECLARE_SERIAL(CBlockUDC)

 public:
  void CopyKindFieldsTo(CBlockObj& target) const override { CopyDateFieldsTo(target); }
  static constexpr BYTE kCaps = 0x08;

  CBlockUDC();
  explicit CBlockUDC(int typeCode, const BlockContext& ctx = {});
};

// CRC-16 over a range of analog flags (856).
class CBlockCRC16 : public CBlockObj {
  DECLARE_SERIAL(CBlockCRC16)

 public:
  static constexpr BYTE kCaps = 0x2E;

  CBlockCRC16();
  explicit CBlockCRC16(int typeCode, const BlockContext& ctx = {});

  // While "En" is 1, the CRC over the analog flags of the range; else 0.
  BOOL Simulate(CViewContext* view) override;
  void DrawSimulated(CViewContext* view, CDC* dc) override;
  void DrawValueBox(CDC* dc, CViewContext* view) override;
};

// WiFi digital read (824).
class CBlockWIFIIn : public CBlockWIFI {
  DECLARE_SERIAL(CBlockWIFIIn)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockWIFIIn();
  explicit CBlockWIFIIn(int typeCode, const BlockContext& ctx = {});
};

// WiFi digital write (825).
class CBlockWIFIOut : public CBlockWIFI {
  DECLARE_SERIAL(CBlockWIFIOut)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockWIFIOut();
  explicit CBlockWIFIOut(int typeCode, const BlockContext& ctx = {});
};

// WiFi analog read (826).
class CBlockWIFIAI : public CBlockWIFI {
  DECLARE_SERIAL(CBlockWIFIAI)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockWIFIAI();
  explicit CBlockWIFIAI(int typeCode, const BlockContext& ctx = {});
};

// WiFi analog write (827).
class CBlockWIFIAOut : public CBlockWIFI {
  DECLARE_SERIAL(CBlockWIFIAOut)

 public:
  static constexpr BYTE kCaps = 0x00;

  CBlockWIFIAOut();
  explicit CBlockWIFIAOut(int typeCode, const BlockContext& ctx = {});
};
