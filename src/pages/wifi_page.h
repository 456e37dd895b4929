// The WiFi block page (CWIFI) of WiFi Digital Read (824), Digital Write (825),
// Analog Read (826) and Analog Write (827): the other end of the exchange, a
// station's operand ("Station"), a virtual memory cell ("VM"/"VAM") or, for
// the digital read only, a station's communication status ("Diagnostic").
// The stored values are list positions. The page has no name, protection or
// reference controls; the name passes through unchanged.
#pragma once

#include "pages/block_param_page.h"

class CWIFI : public CBlockParamPage, public WifiValues {
 public:
  static constexpr int kTemplate = 4597;
  static constexpr int kIdGroup = 1437, kIdStation = 1433, kIdVm = 1434, kIdDiagnostic = 1112;
  static constexpr int kIdWifiIdLabel = 1436, kIdWifiId = 1435, kIdKindLabel = 1372, kIdKind = 1319;
  static constexpr int kIdNumberLabel = 1373, kIdNumber = 1550;

  CWIFI();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void OnWifiSource(int radio);
  void OnWifiBlockKind();
  // Refills the number list for the block type position (Station) or the VM cells.
  void FillNumbers(int kind);
  void Fill(int id, const std::vector<CString>& entries, int sel);
};
