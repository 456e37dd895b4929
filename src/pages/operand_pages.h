// The operand pages: which input, output, flag, key or connector an operand
// block addresses. CConstantsIOPar serves the module types (inputs 600,
// outputs 605, analog inputs 608, analog outputs 609) with a module and a
// channel; CConstantsPar the others (601, 602, 606, 607, 610, 611) with one
// number. Both offer only the numbers no other block of the type uses, plus
// the block's own.
#pragma once

#include <functional>

#include "pages/page_values.h"
#include "pages/param_page.h"

class CBlockObj;

// The eight module names, "Main" and "Ext.1" .. "Ext.7"; the position of a
// name is the module index.
extern std::vector<CString> g_IoPageModuleNames;
constexpr int kModuleCount = 8;

// The module width, prefix and count of an operand type.
struct OperandTypeInfo {
  const char16_t* prefix;
  int count;      // numbers of the type
  int perModule;  // channels per module (module types), else 0
  int labelId;    // Chinese text id of label 1003, 0 none
  const char16_t* label;
  int base;  // OperandNumber of index 0
};
// Null for a type that is no operand type.
const OperandTypeInfo* GetOperandTypeInfo(int type);

class COperandPageBase : public CParamPage, public OperandValues {
 public:
  int m_nType = 0;
  CBlockObj* m_pBlock = nullptr;  // the document's block of the type with the page's index
  // Runs a main-window command (the analog output buttons open the program
  // properties on a page); the sheet's window sets it.
  std::function<void(UINT command, int startPage)> m_runCommand;

  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

 protected:
  // 0 free, 1 taken by another block, 2 the page's own; sized to the type's count.
  std::vector<int> UsageMarks();
};

class CConstantsIOPar : public COperandPageBase {
 public:
  static constexpr int kTemplate = 4576;
  static constexpr int kIdChannel = 1001, kIdModule = 1002, kIdChannelLabel = 1003, kIdModuleLabel = 1004;
  static constexpr int kIdHighSpeed = 1215, kIdAnalogStop = 1233, kIdAnalogRange = 1234, kIdPicture = 1332;

  CConstantsIOPar();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void OnOK() override;
  // m_nOperandIndex from the module and channel combos.
  void UpdateOperandNumber();
  // Module index of a module name (0 when it is none of the eight).
  static int ModuleIndex(const CString& name);

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void FillChannels(int module, const std::vector<int>& marks);
  void UpdateHighSpeedCheck();
  void OnModuleChange();
  // The channel number of the selected channel text, -1 when it has none.
  int SelectedChannel() const;
};

class CConstantsPar : public COperandPageBase {
 public:
  static constexpr int kTemplate = 4551;
  static constexpr int kIdNumber = 1001, kIdLabel = 1003, kIdFlagInfo = 1009;

  CConstantsPar();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  void OnInitDialog() override;
  void UpdateFlagInfo();
};
