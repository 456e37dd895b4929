// CPropertiesPropSh: the program properties sheet ("Properties"). It owns its
// pages, fills them from a document before it runs and writes them back only
// after OK.
#pragma once

#include <vector>

#include "pages/param_page.h"
#include "properties/com_setting_page.h"
#include "properties/hardware_page.h"
#include "properties/program_pages.h"
#include "properties/startup_bmp_page.h"

class CZaradDoc;

class CPropertiesPropSh {
 public:
  explicit CPropertiesPropSh(CZaradDoc* doc);

  const CString& Caption() const { return m_strCaption; }
  const std::vector<CParamPage*>& Pages() const { return m_pages; }
  const CPageContext& Context() const { return m_context; }
  int StartPage() const { return m_nStartPage; }
  // 0 the first page, 1 the Hardware page, 2 the Parameter page.
  void SetStartPage(int request);

  // Validates every page that was shown and runs their OnOK; false keeps the
  // sheet open (the failing page's message was shown).
  bool OnOK(int activePage);
  // Writes the page members back into the document (after OK only); true
  // when a value changed.
  bool StoreToDocument();
  // After StoreToDocument: whether the document took another device model.
  bool ModelChanged() const;

  CGeneral m_general;
  CCommentPage m_comment;
  CParameter m_parameter;
  CProtect m_protect;
  CComSetting m_com[3];
  CStartUpBmp m_lcd;
  CSelectHardware m_hardware;

 private:
  CZaradDoc* m_pDoc;
  CPageContext m_context;
  CString m_strCaption = u"Properties";
  std::vector<CParamPage*> m_pages;
  int m_nStartPage = 0;
};
