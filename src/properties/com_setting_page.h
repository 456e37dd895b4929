// CComSetting: the page of one serial port (COM0, COM1, COM2) of the program
// properties sheet, over the port's ComPortSettings record.
#pragma once

#include <vector>

#include "model/zarad_doc.h"
#include "properties/program_pages.h"

// The entries of the "Parity/Databit/Stopbit" list for a protocol (0 RTU,
// 1 ASC, 2 UDC; none for another value).
std::vector<CString> ComParityEntries(int protocol);
// The parity step: the fields an entry names; a field the text does not name
// keeps its value.
void ApplyParityEntry(const CString& entry, ComPortSettings* port);
// "None,8,1" and so on for the record's parity, data and stop bits.
CString ComParityText(const ComPortSettings& port);
// The record as the sheet stores it into a document of that series: the newer
// baud rates fall back to 9600 for an older series.
ComPortSettings ComPortForSeries(ComPortSettings port, int series);

class CComSetting : public CProgramPage {
 public:
  enum : int {
    kIdTopLine = 1300,
    kIdRoleLabel,
    kIdRole,
    kIdAddressLabel,
    kIdAddress,
    kIdAddressHint,
    kIdProtocolLabel,
    kIdProtocol,
    kIdBaudLabel,
    kIdBaud,
    kIdBps,
    kIdParityLabel,
    kIdParity,
    kIdTimeoutLabel,
    kIdTimeout,
    kIdMs1,
    kIdDelayLabel,
    kIdDelay,
    kIdMs2,
    kIdOrderLabel,
    kIdOrder,
  };
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

  ComPortSettings m_port;             // fields 0 to 10 are the page's
  CString m_strParity = u"None,8,1";  // the remembered parity entry

 protected:
  void OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  int Series() const;
  void ProtocolStep();
  void ParityStep();
  void RoleStep();
  void ShowAll(bool show);
  void SetProtocolUdc(bool present);
};
