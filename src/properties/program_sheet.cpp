#include "properties/program_sheet.h"

#include <utility>

#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "properties/hardware_rules.h"

CPropertiesPropSh::CPropertiesPropSh(CZaradDoc* doc) : m_pDoc(doc) {
  m_context.doc = doc;
  m_pages = {&m_general, &m_comment, &m_parameter, &m_protect, &m_com[0],
             &m_com[1],  &m_com[2],  &m_lcd,       &m_hardware};
  // The tab titles, in the Chinese interface from the interface texts.
  static const std::pair<int, const char16_t*> kTitles[] = {
      {175, u"General"}, {170, u"Comment"}, {1423, u"Parameter"},  {176, u"Protect"}, {177, u"COM0"},
      {178, u"COM1"},    {179, u"COM2"},    {181, u"LCD Setting"}, {180, u"Hardware"}};
  for (size_t i = 0; i < m_pages.size(); ++i)
    m_pages[i]->m_strTitle = UiText(kTitles[i].first, kTitles[i].second);
  if (!doc) return;
  const CZaradDoc& d = *doc;
  m_general.m_strCreator = d.m_strCreator;
  m_general.m_strProjectName = d.m_strProjectName;
  m_general.m_strInstallationName = d.m_strInstallationName;
  m_general.m_strCustomer = d.m_strCustomer;
  m_general.m_strDiagramNo = d.m_strDiagramNo;
  m_general.m_strChecked = d.m_strChecked;
  m_general.m_strVersion[0] = d.m_strVersion1;
  m_general.m_strVersion[1] = d.m_strVersion2;
  m_general.m_strVersion[2] = d.m_strVersion3;
  m_general.m_bShowAtNew = d.m_bShowPropertiesOnNew;
  m_comment.m_strComment = d.m_strComment;
  m_parameter.m_strProgramName = d.m_strProgramName;
  m_parameter.m_strPassword = d.m_strPassword;
  m_parameter.m_nRedundancy = d.m_nRedundancy;
  m_parameter.m_nSyncTime = d.m_nSyncTime;
  if (d.GetModelFamily() >= 0x51) {
    m_parameter.m_nAi0RangeType = d.m_nAiRangeType0;
    m_parameter.m_nAi1RangeType = d.m_nAiRangeType1;
  }
  m_protect.m_bCopyProtect = d.m_bCopyProtect;
  m_protect.m_nHigh = d.m_nTempHigh;
  m_protect.m_nLow = d.m_nTempLow;
  for (int i = 0; i < 3; ++i) m_com[i].m_port = d.m_ports[i];
  m_lcd.m_strPath = d.m_strLogoFile;
  m_lcd.m_bInverse = d.m_bLogoInverse;
  // The display settings belong to the newer generation only.
  const bool newer = d.GetModelFamily() >= 0x51;
  m_lcd.m_nLanguage = newer ? d.m_nLanguage : 0;
  m_lcd.m_nLogoTime = newer ? d.m_nLogoTime : 0;
  m_lcd.m_nContrast = newer ? d.m_nContrast : 0;
  m_lcd.m_nBacklight = newer ? d.m_nBacklight : 0;
}

void CPropertiesPropSh::SetStartPage(int request) {
  if (request == 1) m_nStartPage = 8;  // Hardware
  if (request == 2) m_nStartPage = 2;  // Parameter
}

bool CPropertiesPropSh::OnOK(int activePage) {
  // The page in front first, so that its failure keeps it in front.
  if (activePage >= 0 && activePage < static_cast<int>(m_pages.size())) {
    CParamPage* page = m_pages[static_cast<size_t>(activePage)];
    if (page->IsInitialised() && !page->UpdateData(true)) return false;
  }
  for (size_t i = 0; i < m_pages.size(); ++i) {
    if (static_cast<int>(i) == activePage || !m_pages[i]->IsInitialised()) continue;
    if (!m_pages[i]->UpdateData(true)) return false;
  }
  for (CParamPage* page : m_pages) {
    if (page->IsInitialised()) page->OnOK();
  }
  return true;
}

bool CPropertiesPropSh::StoreToDocument() {
  if (!m_pDoc) return false;
  CZaradDoc& d = *m_pDoc;
  bool changed = false;
  auto put = [&changed](auto& member, const auto& value) {
    if (member == value) return;
    member = value;
    changed = true;
  };
  put(d.m_strCreator, m_general.m_strCreator);
  put(d.m_strProjectName, m_general.m_strProjectName);
  put(d.m_strInstallationName, m_general.m_strInstallationName);
  put(d.m_strCustomer, m_general.m_strCustomer);
  put(d.m_strDiagramNo, m_general.m_strDiagramNo);
  put(d.m_strChecked, m_general.m_strChecked);
  put(d.m_strVersion1, m_general.m_strVersion[0]);
  put(d.m_strVersion2, m_general.m_strVersion[1]);
  put(d.m_strVersion3, m_general.m_strVersion[2]);
  put(d.m_bShowPropertiesOnNew, m_general.m_bShowAtNew);
  g_ShowPropertiesOnNew = m_general.m_bShowAtNew;
  put(d.m_strComment, m_comment.m_strComment);
  put(d.m_strProgramName, m_parameter.m_strProgramName);
  put(d.m_strPassword, m_parameter.m_strPassword);
  put(d.m_nRedundancy, m_parameter.m_nRedundancy);
  put(d.m_nSyncTime, m_parameter.m_nSyncTime);
  if (d.GetModelFamily() >= 0x51) {
    put(d.m_nAiRangeType0, m_parameter.m_nAi0RangeType);
    put(d.m_nAiRangeType1, m_parameter.m_nAi1RangeType);
  }
  put(d.m_bCopyProtect, m_protect.m_bCopyProtect);
  put(d.m_nTempHigh, m_protect.m_nHigh);
  put(d.m_nTempLow, m_protect.m_nLow);
  put(d.m_strLogoFile, m_lcd.m_strPath);
  put(d.m_bLogoInverse, m_lcd.m_bInverse);
  if (d.GetModelFamily() >= 0x51) {
    put(d.m_nLanguage, m_lcd.m_nLanguage);
    put(d.m_nLogoTime, m_lcd.m_nLogoTime);
    put(d.m_nContrast, m_lcd.m_nContrast);
    put(d.m_nBacklight, m_lcd.m_nBacklight);
  }
  for (int i = 0; i < 3; ++i) {
    ComPortSettings port = ComPortForSeries(m_com[i].m_port, d.GetModelFamily());
    port.nReserved = d.m_ports[i].nReserved;  // never edited
    put(d.m_ports[i], port);
  }
  // The model goes last: its adaptation (baud rates an older model lacks,
  // block settings) must not be overwritten by the pages' copies.
  if (m_hardware.m_wNewModel != 0 && ApplyModel(d, m_hardware.m_wNewModel)) changed = true;
  return changed;
}

bool CPropertiesPropSh::ModelChanged() const {
  return m_hardware.m_wNewModel != 0 && m_pDoc && m_pDoc->m_wModelCode == m_hardware.m_wNewModel;
}
