// CStartUpBmp: the "LCD Setting" page of the program properties sheet: the
// start-up logo file with its preview, and the display settings of the newer
// device generation.
#pragma once

#include <functional>

#include "properties/program_pages.h"

class CStartUpBmp : public CProgramPage {
 public:
  enum : int {
    kIdTopLine = 1400,
    kIdLogoGroup,
    kIdPathLabel,
    kIdPath,
    kIdOpen,
    kIdInverse,
    kIdPreview,
    kIdUploaded,
    kIdDisplayGroup,
    kIdLanguageLabel,
    kIdLanguage,
    kIdLogoTimeLabel,
    kIdLogoTime,
    kIdContrastLabel,
    kIdContrast,
    kIdBacklightLabel,
    kIdBacklight,
  };
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnCancel() override;

  // Checks a logo file and, when it suits, makes it the preview and the path;
  // ext is the file's extension without the dot.
  void LoadPreview(const CString& path, const CString& ext);
  // The path of the preview shown (empty: none).
  const CString& PreviewPath() const { return m_strPreview; }

  CString m_strPath;
  int m_bInverse = 0;
  int m_nLanguage = 0;
  int m_nLogoTime = 0;
  int m_nContrast = 2;
  int m_nBacklight = 0;

  // "Open": the file the user chose (empty: cancelled). The preview's window
  // is told of each new preview.
  std::function<CString()> m_chooseFile;
  std::function<void(const CString& path)> m_onPreview;

 protected:
  void OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  bool Newer() const;
  CString m_strPreview;
};
