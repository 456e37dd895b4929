// The user-defined communication page (CUDC, 855): port and cycle, and for the
// transmit and the receive frame the optional start and end characters (one
// byte each, typed in hexadecimal), the data area with its first operand, and
// the number of words. A character text holds only hexadecimal digits; any
// other character (typed, pasted or stored) is refused on OK.
#pragma once

#include "pages/block_param_page.h"

class CUDC : public CBlockParamPage, public UdcValues {
 public:
  static constexpr int kTemplate = 4590;
  static constexpr int kIdPort = 1178, kIdCycle = 1307;
  static constexpr int kIdTxStartCheck = 1232, kIdTxEndCheck = 1233, kIdRxStartCheck = 1235,
                       kIdRxEndCheck = 1234;
  static constexpr int kIdTxStart = 1308, kIdTxEnd = 1088, kIdRxStart = 1311, kIdRxEnd = 1089;
  static constexpr int kIdTxArea = 1310, kIdTxAddress = 1314, kIdTxCount = 1309;
  static constexpr int kIdRxArea = 1312, kIdRxAddress = 1315, kIdRxCount = 1313;
  // The character edits and their check boxes, in the order of m_byChars.
  static constexpr int kCharEdits[4] = {kIdTxStart, kIdTxEnd, kIdRxStart, kIdRxEnd};
  static constexpr int kCharChecks[4] = {kIdTxStartCheck, kIdTxEndCheck, kIdRxStartCheck, kIdRxEndCheck};

  CUDC();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  // The byte of a hexadecimal text of at most two digits ("" is 0); false for
  // any character but 0-9, A-F and a-f.
  static bool ParseHexByte(const CString& text, int* value);
  // The largest operand number of a transmit area: "AM" 511, "AQ" 31, "AI" 63.
  static int LargestAddress(int area);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void ClampAddress(int id, int most);
};
