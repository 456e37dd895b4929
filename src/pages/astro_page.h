// The astronomical clock page (CAstroClock, 412): the location (name,
// longitude and latitude in degrees, minutes and seconds with hemispheres,
// time zone), preset from the program-wide city table. Row 0 "User-defined"
// lets the user type a location and save it as a new city; the user's cities
// (row 12 on) can be updated and removed; the built-in rows are read-only.
// Changes to the table take effect at once, whatever closes the sheet.
#pragma once

#include "pages/block_param_page.h"

class CAstroClock : public CBlockParamPage, public AstroValues {
 public:
  static constexpr int kTemplate = 4581;
  static constexpr int kIdProtect = 1269, kIdCity = 1565, kIdSave = 1268, kIdRemove = 1267;
  static constexpr int kIdLocationLabel = 1275, kIdLocation = 1006, kIdTimeZone = 1270;
  static constexpr int kIdLonHemisphere = 1557, kIdLonDeg = 1271, kIdLonDegSpin = 1273, kIdLonMin = 1272;
  static constexpr int kIdLonMinSpin = 1274, kIdLonSec = 1555, kIdLonSecSpin = 1556;
  static constexpr int kIdLatHemisphere = 1564, kIdLatDeg = 1558, kIdLatDegSpin = 1559, kIdLatMin = 1560;
  static constexpr int kIdLatMinSpin = 1561, kIdLatSec = 1562, kIdLatSecSpin = 1563;
  static constexpr int kLocationChars = 25;

  CAstroClock();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  int LonMinMax() const { return m_nLonDegrees < 180 ? 59 : 0; }
  int LatMinMax() const { return m_nLatDegrees < 90 ? 59 : 0; }

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillCityCombo();
  void ShowCity(bool load);
  void OnSave();
  void OnRemove();
  // Degrees at the limit (180, 90) hold minutes and seconds at 0; below it at most 59.
  void NormaliseCoordinates();
};
