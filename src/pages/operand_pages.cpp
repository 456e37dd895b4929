#include "pages/operand_pages.h"

#include "blocks/pictograms.h"
#include "model/block_codes.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "platform/resource_ids.h"

std::vector<CString> g_IoPageModuleNames;

namespace {

constexpr int kAnalogOutputPage = 2;

bool NewerSeries(const CZaradDoc* doc) {
  return doc && doc->IsNewerFamily();
}

}  // namespace

const OperandTypeInfo* GetOperandTypeInfo(int type) {
  static const OperandTypeInfo kInput{u"I", 256, 32, 154, u"Input Number:", 100};
  static const OperandTypeInfo kOutput{u"Q", 128, 16, 155, u"Output Number:", 600};
  static const OperandTypeInfo kAnalogIn{u"AI", 64, 8, 154, u"Input Number:", 4000};
  static const OperandTypeInfo kAnalogOut{u"AQ", 32, 4, 155, u"Output Number:", 4230};
  static const OperandTypeInfo kCursor{u"", 0, 0, 0, u"", 1280};
  static const OperandTypeInfo kShift{u"S", 64, 0, 154, u"Input Number:", 1000};
  static const OperandTypeInfo kOpen{u"X", 128, 0, 155, u"Output Number:", 4800};
  static const OperandTypeInfo kFlag{u"M", 512, 0, 167, u"Flag Number:", 1316};
  static const OperandTypeInfo kAnalogFlag{u"AM", 512, 0, 167, u"Flag Number:", 4288};
  static const OperandTypeInfo kKey{u"F", 5, 0, 154, u"Input Number:", 1300};
  switch (type) {
    case kTypeInput:
      return &kInput;
    case kTypeOutput:
      return &kOutput;
    case kTypeAnalogInput:
      return &kAnalogIn;
    case kTypeAnalogOutput:
      return &kAnalogOut;
    case kTypeCursorKey:
      return &kCursor;
    case kTypeShiftBit:
      return &kShift;
    case kTypeOpenConnector:
      return &kOpen;
    case kTypeFlag:
      return &kFlag;
    case kTypeAnalogFlag:
      return &kAnalogFlag;
    case kTypeFunctionKey:
      return &kKey;
    default:
      return nullptr;
  }
}

std::vector<int> COperandPageBase::UsageMarks() {
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  std::vector<int> marks(info ? static_cast<size_t>(info->count) : 0, 0);
  m_pBlock = nullptr;
  if (!Document()) return marks;
  for (const auto& block : Document()->m_blocks) {
    if (block->m_nType != m_nType || block->m_nOperand < 0 ||
        block->m_nOperand >= static_cast<int>(marks.size()))
      continue;
    if (block->m_nOperand == m_nOperandIndex) {
      marks[static_cast<size_t>(block->m_nOperand)] = 2;
      m_pBlock = block;
    } else if (marks[static_cast<size_t>(block->m_nOperand)] == 0) {
      marks[static_cast<size_t>(block->m_nOperand)] = 1;
    }
  }
  return marks;
}

void COperandPageBase::LoadValues(const BlockPageValues& values) {
  static_cast<OperandValues&>(*this) = values.operand;
  m_nType = values.m_nType;
}

void COperandPageBase::StoreValues(BlockPageValues& values) const {
  values.operand = *this;
}

// ---- CConstantsIOPar --------------------------------------------------------------

CConstantsIOPar::CConstantsIOPar() {
  m_strTitle = Describe().caption;
  g_IoPageModuleNames = {u"Main", u"Ext.1", u"Ext.2", u"Ext.3", u"Ext.4", u"Ext.5", u"Ext.6", u"Ext.7"};
}

const PageDesc& CConstantsIOPar::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(276, 145),
      {
          {kIdModuleLabel, K::kStatic, u"Main/Ext. Module", CRect(7, 10, 80, 20)},
          {kIdModule, K::kCombo, u"", CRect(84, 8, 160, 100)},
          {kIdChannelLabel, K::kStatic, u"", CRect(7, 28, 80, 38)},
          {kIdChannel, K::kCombo, u"", CRect(84, 26, 160, 140)},
          {kIdHighSpeed, K::kCheck, u"High Speed", CRect(170, 27, 269, 39)},
          {kIdAnalogStop, K::kButton, u"Behavior of analog outputs in STOP mode", CRect(7, 50, 269, 64),
           kStyleHidden},
          {kIdAnalogRange, K::kButton, u"Set analog outputs value range type", CRect(7, 68, 269, 82),
           kStyleHidden},
          WithPicture({kIdPicture, K::kStatic, u"Main  Ext.1  Ext.2  Ext.3  Ext.4  Ext.5  Ext.6  Ext.7",
                       CRect(7, 110, 269, 138)},
                      kPictureModules),
      }};
  return desc;
}

int CConstantsIOPar::ModuleIndex(const CString& name) {
  for (size_t i = 0; i < g_IoPageModuleNames.size(); ++i)
    if (g_IoPageModuleNames[i] == name) return static_cast<int>(i);
  return 0;
}

void CConstantsIOPar::DoDataExchange(CDataExchange& dx) {
  DDX_CBString(dx, kIdModule, m_strModule);
  DDX_CBString(dx, kIdChannel, m_strChannel);
  DDX_Check(dx, kIdHighSpeed, m_bHighSpeed);
}

void CConstantsIOPar::FillChannels(int module, const std::vector<int>& marks) {
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  CControlHost& host = Host();
  host.ResetContent(kIdChannel);
  if (!info || info->perModule == 0) return;
  const bool newer = NewerSeries(Document());
  for (int ch = 0; ch < info->perModule; ++ch) {
    const int index = module * info->perModule + ch;
    if (index >= static_cast<int>(marks.size()) || marks[static_cast<size_t>(index)] == 1) continue;
    if (!newer && ((m_nType == kTypeInput && ch >= 16) || (m_nType == kTypeOutput && ch >= 8))) continue;
    host.AddString(kIdChannel, FormatString(u"%s%d", info->prefix, ch));
  }
}

void CConstantsIOPar::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  host.Show(kIdHighSpeed, m_nType == kTypeInput);
  if (!info || info->perModule == 0) return;
  host.SetText(kIdChannelLabel, UiText(info->labelId, info->label));
  host.SetText(kIdModuleLabel, UiText(156, u"Main/Ext. Module"));
  host.ResetContent(kIdModule);
  host.ResetContent(kIdChannel);
  const std::vector<int> marks = UsageMarks();
  int current = 0;
  for (size_t i = 0; i < marks.size(); ++i)
    if (marks[i] == 2) current = static_cast<int>(i) / info->perModule;
  const bool analogButtons = m_nType == kTypeAnalogOutput && NewerSeries(Document());
  host.Show(kIdAnalogStop, analogButtons);
  host.Show(kIdAnalogRange, analogButtons);
  for (int m = 0; m < kModuleCount; ++m) {
    bool usable = false;
    for (int ch = 0; ch < info->perModule && !usable; ++ch) {
      const size_t index = static_cast<size_t>(m * info->perModule + ch);
      usable = index < marks.size() && marks[index] != 1;
    }
    if (usable) host.AddString(kIdModule, g_IoPageModuleNames[static_cast<size_t>(m)]);
  }
  for (int i = 0; i < host.GetCount(kIdModule); ++i)
    if (host.GetItemText(kIdModule, i) == m_strModule) host.SetCurSel(kIdModule, i);
  FillChannels(current, marks);
  Host().SetPictureState(kIdPicture, current);
  const CString own = FormatString(u"%s%d", info->prefix, m_nOperandIndex % info->perModule);
  for (int i = 0; i < host.GetCount(kIdChannel); ++i)
    if (host.GetItemText(kIdChannel, i) == own) host.SetCurSel(kIdChannel, i);
  UpdateHighSpeedCheck();
}

int CConstantsIOPar::SelectedChannel() const {
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  if (!info) return -1;
  return ReadDecimal(Host().GetText(kIdChannel), CString(info->prefix).GetLength(), 6);
}

void CConstantsIOPar::UpdateHighSpeedCheck() {
  if (m_nType != kTypeInput) return;
  CString module = Host().GetText(kIdModule);
  CString main = g_IoPageModuleNames.empty() ? CString(u"Main") : g_IoPageModuleNames[0];
  const int channel = SelectedChannel();
  const bool show = module.MakeUpper() == main.MakeUpper() && channel >= 0 && channel <= 3;
  Host().Show(kIdHighSpeed, show);
  if (show) Host().SetText(kIdHighSpeed, UiText(157, u"High Speed"));
}

void CConstantsIOPar::OnModuleChange() {
  const std::vector<int> marks = UsageMarks();
  const int module = ModuleIndex(Host().GetText(kIdModule));
  const CString previous = Host().GetText(kIdChannel);
  FillChannels(module, marks);
  Host().SetPictureState(kIdPicture, module);
  int sel = Host().GetCount(kIdChannel) > 0 ? 0 : -1;
  for (int i = 0; i < Host().GetCount(kIdChannel); ++i)
    if (!previous.IsEmpty() && Host().GetItemText(kIdChannel, i) == previous) sel = i;
  Host().SetCurSel(kIdChannel, sel);
  UpdateHighSpeedCheck();
  SetModified();
}

void CConstantsIOPar::OnNotify(int id, Notify code) {
  if (id == kIdModule && code == Notify::kSelChange) return OnModuleChange();
  if (id == kIdChannel && code == Notify::kSelChange) {
    UpdateHighSpeedCheck();
    return SetModified();
  }
  if (id == kIdHighSpeed && code == Notify::kClicked) return SetModified();
  // Both analog output buttons open the program properties on the page that holds
  // the outputs' STOP behaviour and range types; this sheet stays open beneath.
  if ((id == kIdAnalogStop || id == kIdAnalogRange) && code == Notify::kClicked && m_runCommand)
    m_runCommand(ID_PROPERTIES, kAnalogOutputPage);
}

void CConstantsIOPar::UpdateOperandNumber() {
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  if (!info || info->perModule == 0) return;
  const int channel = SelectedChannel();
  m_nOperandIndex = ModuleIndex(Host().GetText(kIdModule)) * info->perModule + (channel < 0 ? 0 : channel);
}

void CConstantsIOPar::OnOK() {
  if (m_nType != kTypeInput) return;
  const int channel = SelectedChannel();
  if (!(ModuleIndex(Host().GetText(kIdModule)) == 0 && channel >= 0 && channel <= 3)) m_bHighSpeed = 0;
}

// ---- CConstantsPar --------------------------------------------------------------

CConstantsPar::CConstantsPar() {
  m_strTitle = Describe().caption;
}

const PageDesc& CConstantsPar::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"Parameter",
                                CSize(200, 80),
                                {
                                    {kIdLabel, K::kStatic, u"", CRect(7, 12, 70, 22)},
                                    {kIdNumber, K::kCombo, u"", CRect(74, 10, 150, 140)},
                                }};
  return desc;
}

void CConstantsPar::DoDataExchange(CDataExchange& dx) {
  DDX_CBString(dx, kIdNumber, m_strNumber);
  DDV_MaxChars(dx, m_strNumber, 5);
}

void CConstantsPar::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  const OperandTypeInfo* info = GetOperandTypeInfo(m_nType);
  host.ResetContent(kIdNumber);
  if (!info) return;
  host.SetText(kIdLabel, info->labelId ? UiText(info->labelId, info->label) : CString());
  const std::vector<int> marks = UsageMarks();
  int count = info->count;
  if (m_nType == kTypeShiftBit && !NewerSeries(Document())) count = 16;
  for (int i = 0; i < count; ++i) {
    if (marks[static_cast<size_t>(i)] == 1) continue;
    host.AddString(kIdNumber, m_nType == kTypeShiftBit
                                  ? FormatString(u"%s%d.%d", info->prefix, i / 16, i % 16)
                                  : FormatString(u"%s%d", info->prefix, i));
  }
  const CString own = m_nType == kTypeShiftBit
                          ? FormatString(u"%s%d.%d", info->prefix, m_nOperandIndex / 16, m_nOperandIndex % 16)
                          : FormatString(u"%s%d", info->prefix, m_nOperandIndex);
  for (int i = 0; i < host.GetCount(kIdNumber); ++i)
    if (host.GetItemText(kIdNumber, i).Left(own.GetLength()) == own) {
      host.SetCurSel(kIdNumber, i);
      break;
    }
  UpdateFlagInfo();
}

void CConstantsPar::UpdateFlagInfo() {
  if (m_nType != kTypeFlag) return;
  CControlHost& host = Host();
  const CString text = UiText(168, u"M511 = Message Character Set Flag");
  if (!host.IsVisible(kIdFlagInfo))
    host.AddControl({kIdFlagInfo, ControlKind::kStatic, text, CRect(7, 48, 193, 66), 0});
  else
    host.SetText(kIdFlagInfo, text);
}

void CConstantsPar::OnNotify(int id, Notify code) {
  if (id == kIdNumber && code == Notify::kSelChange) {
    SetModified();
    UpdateFlagInfo();
  }
}
