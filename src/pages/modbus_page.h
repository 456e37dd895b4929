// The Modbus read/write page (CModbusPropPage) of the Modbus Read (813) and
// Modbus Write (814) blocks: slave, port, command, register address and count
// of the slave, and the device's data area with its first operand ("Auto") or,
// for writes, two data words typed in hexadecimal ("Manual"). OK turns the
// command into its function code and the area into a device data address.
// CCoilStateDlg holds the 32 coil states of a coil write as the two words.
#pragma once

#include <functional>

#include "model/block_codes.h"
#include "pages/block_param_page.h"

// *word |= value << (bit % 32), kept to 16 bits; returns word.
WORD* OrBit16(WORD* word, int bit, int value);
// A hexadecimal text of at most four digits ("" is 0); false for any other character.
bool ParseHexWord(const CString& text, int* value);

// The coil states of a coil write: coil n (0..15) is bit n of word 1, coil
// 16 + n bit n of word 2. A single-coil write offers coil 0 only.
class CCoilStateDlg {
 public:
  static constexpr int kTemplate = 223;
  static constexpr int kIdFirstCoil = 1215, kCoils = 32;

  int m_nCommand = 0;  // the page's command position: 0 single coil, 2 multiple coils
  int m_nCount = 1;
  CString m_strWord1, m_strWord2;
  bool m_bCoil[kCoils] = {};

  // Whether coil n may be set.
  bool CoilEnabled(int n) const;
  // The boxes from the words (OnInitDialog) and the words from the boxes (OK).
  void UnpackCoils();
  void PackCoils();
};

class CModbusPropPage : public CBlockParamPage, public ModbusValues {
 public:
  static constexpr int kTemplate = 4574;
  static constexpr int kIdCycle = 1307, kIdSlave = 1082, kIdPort = 1178, kIdCommand = 1179,
                       kIdRegister = 1083;
  static constexpr int kIdCount = 1084, kIdAuto = 1180, kIdManual = 1181, kIdDataType = 1182,
                       kIdDataAddress = 1085;
  static constexpr int kIdWord1 = 1087, kIdWord2 = 1086, kIdConfig = 1183;

  CModbusPropPage();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The code of the selected command, then the data words (Auto: the device
  // address of the area's operand; Manual: the typed words cut to the count).
  void UpdateFunctionCode();
  void UpdateDataAddress();

  // The count's largest value for a command position of the page's type.
  int CountMaximum(int command) const;
  // The area entries of a command position, their largest numbers and offsets.
  struct Area {
    const char16_t* name;
    int largest, offset;
  };
  std::vector<Area> AreasOf(int command) const;

  // Runs the coil dialog (the window layer sets it); false on Cancel.
  static std::function<bool(CCoilStateDlg&)> s_runCoilDialog;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnCommandChange();
  void OnCountUpdate();
  void OnDataAddressUpdate();
  void OnWritingMode(int mode);
  void OnConfig();
  bool Writes() const { return m_nType == kTypeMW; }
  // Whether a command position of the page's type moves coils (else registers).
  bool IsBitCommand(int command) const;
};
