// The pages of the program properties sheet that edit the document's own
// texts and settings: General, Parameter and Protect. (Comment is the shared
// comment page.) Each keeps its values in members that the sheet fills before
// it runs and reads back after OK.
#pragma once

#include <functional>

#include "pages/param_page.h"

// Program pages take their values from the sheet, not from a block.
class CProgramPage : public CParamPage {
 public:
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}
};

class CGeneral : public CProgramPage {
 public:
  enum : int {
    kIdCreator = 1001,
    kIdProject,
    kIdInstallation,
    kIdCustomer,
    kIdDiagramNo,
    kIdChecked,
    kIdVersion1,
    kIdVersion2,
    kIdVersion3,
    kIdShowAtNew,
  };
  const PageDesc& Describe() const override;

  CString m_strCreator, m_strProjectName, m_strInstallationName, m_strCustomer, m_strDiagramNo, m_strChecked;
  CString m_strVersion[3];
  int m_bShowAtNew = 1;

  void OnInitDialog() override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
};

class CParameter : public CProgramPage {
 public:
  enum : int {
    kIdProgramName = 1101,
    kIdCurrentLabel,
    kIdCurrent,
    kIdNew,
    kIdRepeat,
    kIdRedundancy,
    kIdSyncTime,
    kIdAnalogOutGroup,
    kIdKeepLast,
    kIdFixedValue,
    kIdRangeGroup,
    kIdRangeType,
    kIdAnalogInGroup,
    kIdAi0Label,
    kIdAi0,
    kIdAi1Label,
    kIdAi1,
  };
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;

  int m_nRedundancy = 0;
  int m_nSyncTime = 5000;
  CString m_strPassword;  // the document's password; after OK the one to store
  CString m_strProgramName;
  CString m_strNewPassword, m_strRepeatPassword;
  int m_nAi0RangeType = 0, m_nAi1RangeType = 0;
  // The two buttons that open the analog output dialogs (none: they do nothing).
  std::function<void()> m_onFixedValues, m_onRangeTypes;

 protected:
  void OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  void Filter(int id, bool digits, UINT messageId);
};

class CProtect : public CProgramPage {
 public:
  enum : int { kIdCopyProtect = 1201, kIdHigh, kIdLow };
  // The labels and frames, each with an id of its own (the Chinese texts go by these ids).
  enum : int {
    kIdTopLine = 1191,
    kIdTemperatureGroup = 1192,
    kIdHighLabel = 1194,
    kIdLowLabel = 1195,
    kIdCopyFrame = 1196,
    kIdHighUnit = 1197,
    kIdLowUnit = 1198
  };
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

  int m_nHigh = 90;
  int m_nLow = -20;
  int m_bCopyProtect = 0;

 protected:
  void OnInitDialog() override;
  void DoDataExchange(CDataExchange& dx) override;
};
