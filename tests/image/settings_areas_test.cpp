// The program-level areas: header, ports, time stamp, model words, the newer
// series' display and analog-output settings and the data log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "blocks/data_log_block.h"
#include "image/core_rule.h"
#include "support/diagram_builder.h"

namespace {

std::vector<int> Area(CZaradCoreRule& codec, const char16_t* name) {
  std::span<BYTE> a = codec.FindImageArea(name);
  return std::vector<int>(a.begin(), a.end());
}

std::vector<int> Prefix(const std::vector<int>& v, size_t n) {
  return std::vector<int>(v.begin(), v.begin() + static_cast<long>(n));
}

SYSTEMTIME Stamp() {
  SYSTEMTIME t;
  t.wYear = 2024, t.wMonth = 3, t.wDay = 5, t.wHour = 7, t.wMinute = 8, t.wSecond = 9;
  return t;
}

TEST(SettingsAreasTest, HeaderAreasNameTheProgramAndItsLength) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  d.Doc().m_strProgramName = u"PUMP 1";
  d.Doc().m_strPassword = u"AB";
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  codec.WriteHeaderAreas();
  EXPECT_EQ(Area(codec, u"K"), (std::vector<int>{'P', 'U', 'M', 'P', ' ', '1', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Area(codec, u"L"), (std::vector<int>{0x41, 0x42, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Area(codec, u"PS"), (std::vector<int>{0x40, 0x14}));  // 5184 for 128 bytes
  EXPECT_EQ(Prefix(Area(codec, u"LC"), 2), (std::vector<int>{0x40, 0x14}));

  // A name longer than K is cut at K's 16 bytes; the area after it is untouched.
  d.Doc().m_strProgramName = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  CZaradCoreRule upload(&d.Doc());
  upload.SetProgramAreaSize(kProgramAreaMax);
  upload.AllocateBuffers(kImageModeUpload, 0);
  upload.WriteHeaderAreas();
  EXPECT_EQ(Area(upload, u"PS"), (std::vector<int>{0x00, 0x44}));  // 17408 for 0x6000
  EXPECT_EQ(Area(upload, u"K")[15], 'P');
  EXPECT_EQ(Area(upload, u"M1"), (std::vector<int>{0xFF, 0xFF}));
}

TEST(SettingsAreasTest, PortsStampAndModelWords) {
  CDiagramBuilder d(kDocFbd, 0x1188);
  CZaradDoc& doc = d.Doc();
  doc.m_ports[0] = ComPortSettings{2, 1, 5, 7, 9, 2, 1, 1, 500, 20, 1, 3};
  doc.m_bCopyProtect = 1;
  doc.m_nRedundancy = 2;
  doc.m_nSyncTime = 0x12345;
  doc.m_nTempHigh = 90;
  doc.m_nTempLow = -20;
  doc.m_wModelAux1 = 0x0102;
  doc.m_wFirmware = 0xB100;
  doc.m_wModelAux2 = 0x0304;
  CZaradCoreRule codec(&doc);
  codec.AllocateBuffers(kImageModeDownload, 0);
  codec.SetDownloadTime(Stamp());
  ASSERT_TRUE(codec.WriteSettingsAreas());

  const std::vector<int> cm = Area(codec, u"CM");
  // ATP (2) is sent as 0; field 4 never reaches the image.
  EXPECT_EQ(Prefix(cm, 22),
            (std::vector<int>{0, 0, 1, 0, 5, 0, 7, 0, 2, 0, 1, 0, 1, 0, 0xF4, 1, 20, 0, 1, 0, 3, 0}));
  EXPECT_EQ(std::vector<int>(cm.begin() + 22, cm.begin() + 26),
            (std::vector<int>{1, 0, 0, 0}));  // port 1: Master
  EXPECT_EQ(Area(codec, u"PR"), (std::vector<int>{1, 0}));
  EXPECT_EQ(Area(codec, u"RD"), (std::vector<int>{2, 0, 0x45, 0x23, 0x01, 0x00}));
  const std::string text = "DL20240305070809";
  std::vector<int> id;
  for (size_t k = 0; k < text.size(); k += 2) id.insert(id.end(), {text[k + 1], text[k]});
  EXPECT_EQ(Area(codec, u"ID"), id);
  EXPECT_EQ(Prefix(Area(codec, u"ID"), 2), (std::vector<int>{0x4C, 0x44}));
  EXPECT_EQ(Area(codec, u"HT"), (std::vector<int>{90, 0}));
  EXPECT_EQ(Area(codec, u"LT"), (std::vector<int>{0xEC, 0xFF}));
  EXPECT_EQ(Area(codec, u"M1"), (std::vector<int>{0x88, 0x11}));
  EXPECT_EQ(Area(codec, u"M2"), (std::vector<int>{0x02, 0x01}));
  EXPECT_EQ(Area(codec, u"V1"), (std::vector<int>{0x00, 0xB1}));
  EXPECT_EQ(Area(codec, u"V2"), (std::vector<int>{0x04, 0x03}));
  // The older series leaves the newer areas alone; C keeps its record marks.
  for (const char16_t* name : {u"KV", u"QT", u"FV", u"RV", u"DL"})
    EXPECT_EQ(Area(codec, name), std::vector<int>(Area(codec, name).size(), 0xFF)) << CString(name).ToUtf8();
  EXPECT_EQ(Prefix(Area(codec, u"C"), 4), (std::vector<int>{0xFF, 0, 0, 0}));
}

TEST(SettingsAreasTest, NewerSeriesDisplayAndAnalogOutputSettings) {
  CDiagramBuilder d(kDocFbd, 0x5288);
  CZaradDoc& doc = d.Doc();
  doc.m_nAiFilter = 4;
  doc.m_nTickerCharMs = 300;
  doc.m_nCharSet1 = 1;
  doc.m_nCharSet2 = 2;
  doc.m_nDefaultCharSet = 1;
  doc.m_bKeepOutputs = 0;
  doc.m_aqRangeType.assign(40, 3);  // a longer list from a file: only 32 entries are written
  doc.m_aqFixedValue.assign(kAnalogOutputCount, 0.0);
  doc.m_aqFixedValue[0] = 12.345;
  doc.m_aqFixedValue[31] = -0.5;
  doc.m_aqFixedValue.push_back(99.0);
  doc.m_nCapCounts[0] = 3, doc.m_nCapCounts[1] = 2, doc.m_nCapCounts[2] = 1;
  doc.m_nLanguage = 5, doc.m_nLogoTime = 2, doc.m_nContrast = 7, doc.m_nBacklight = 1;
  doc.m_nAiRangeType0 = 1, doc.m_nAiRangeType1 = 2;
  CZaradCoreRule codec(&doc);
  codec.AllocateBuffers(kImageModeDownload, 0);
  ASSERT_TRUE(codec.WriteSettingsAreas());

  EXPECT_EQ(Prefix(Area(codec, u"C"), 12),
            (std::vector<int>{0xE8, 0x03, 0x2C, 0x01, 1, 0, 2, 0, 1, 0, 0, 0}));
  EXPECT_EQ(Area(codec, u"C")[16], 0xFF);
  EXPECT_EQ(Area(codec, u"KV"), (std::vector<int>{0, 0}));
  EXPECT_EQ(Area(codec, u"QT"), std::vector<int>(32, 3));
  const std::vector<int> fv = Area(codec, u"FV");
  EXPECT_EQ(Prefix(fv, 4), (std::vector<int>{0xD2, 0x04, 0, 0}));
  EXPECT_EQ(std::vector<int>(fv.end() - 2, fv.end()), (std::vector<int>{0xCE, 0xFF}));
  const std::vector<int> rv = Area(codec, u"RV");
  EXPECT_EQ(Prefix(rv, 19), (std::vector<int>{3, 0, 2, 0, 1, 0, 5, 2, 53, 1, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                              0xFF, 1, 2, 0xFF}));
  EXPECT_EQ(Area(codec, u"DL"), std::vector<int>(0x300, 0xFF));  // no data log
}

TEST(SettingsAreasTest, ContrastFromADamagedFileWrapsToAByte) {
  for (int contrast : {855638023, -855638023, 2147483647}) {
    SCOPED_TRACE(contrast);
    CDiagramBuilder d(kDocFbd, 0x5288);
    d.Doc().m_nContrast = contrast;
    CZaradCoreRule codec(&d.Doc());
    codec.AllocateBuffers(kImageModeDownload, 0);
    ASSERT_TRUE(codec.WriteSettingsAreas());
    EXPECT_EQ(Area(codec, u"RV")[8], static_cast<BYTE>(static_cast<unsigned>(contrast) * 3u + 32u));
  }
}

TEST(SettingsAreasTest, DataLogItemsByKind) {
  CDiagramBuilder d(kDocFbd, 0x5188);
  CBlockObj* counter = d.Add(800);
  counter->m_nNumber = 9005;
  CBlockObj* in = d.Add(600);
  auto* log = d.Add<CBlockDataLog>(911);
  log->m_nParam2 = 1;
  CDiagramBuilder::Wire(in, log, 0);
  log->m_bInvert[0] = 1;
  log->m_items = {
      {u"I4", u"", 103, 0, nullptr}, {u"AM3", u"", 4290, 0, nullptr}, {u"B5", u"", 9005, 1, counter}};
  CZaradCoreRule codec(&d.Doc());
  codec.AllocateBuffers(kImageModeDownload, 0);
  ASSERT_TRUE(codec.WriteSettingsAreas());
  const std::vector<int> dl = Area(codec, u"DL");
  EXPECT_EQ(Prefix(dl, 28),
            (std::vector<int>{0x00, 0x04, 1,    0,    3, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                              0xFF, 0xFF, 0x00, 0xFF, 3, 0, 0x0A, 0xFF, 2,    0,    0x07, 0x2B, 0x05, 0x10}));
  EXPECT_EQ(dl[28], 0xFF);

  // 189 items do not fit: the program is refused and DL is not written.
  log->m_items.resize(189, {u"I0", u"", 100, 0, nullptr});
  CZaradCoreRule full(&d.Doc());
  full.AllocateBuffers(kImageModeDownload, 0);
  EXPECT_FALSE(full.WriteSettingsAreas());
  EXPECT_EQ(Area(full, u"DL"), std::vector<int>(0x300, 0xFF));
  log->m_items.resize(188);
  CZaradCoreRule fits(&d.Doc());
  fits.AllocateBuffers(kImageModeDownload, 0);
  EXPECT_TRUE(fits.WriteSettingsAreas());
}

}  // namespace
