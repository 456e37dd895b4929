#include "properties/block_sheet.h"

#include <map>
#include <utility>

#include "model/block_codes.h"
#include "model/block_kind.h"
#include "model/help_topics.h"
#include "model/zarad_doc.h"
#include "pages/analog_pages.h"
#include "pages/arrmxiv_page.h"
#include "pages/astro_page.h"
#include "pages/block_param_page.h"
#include "pages/counter_page.h"
#include "pages/data_log_page.h"
#include "pages/hours_counter_page.h"
#include "pages/ladder_operand_page.h"
#include "pages/light_switch_pages.h"
#include "pages/logic_pages.h"
#include "pages/mask_page.h"
#include "pages/math_mux_page.h"
#include "pages/math_pages.h"
#include "pages/max_min_page.h"
#include "pages/mem_page.h"
#include "pages/modbus_page.h"
#include "pages/msg_text_page.h"
#include "pages/operand_pages.h"
#include "pages/quad_page.h"
#include "pages/relay_page.h"
#include "pages/sim_page.h"
#include "pages/stopwatch_page.h"
#include "pages/threshold_page.h"
#include "pages/timer_page.h"
#include "pages/two_time_page.h"
#include "pages/udc_page.h"
#include "pages/ui_text.h"
#include "pages/weekly_pages.h"
#include "pages/wifi_page.h"
#include "pages/yearly_page.h"
#include "platform/string_table.h"
#include "properties/param_copy.h"

int HelpTopicOfType(int type) {
  const WORD topic = BlockKindOf(type).helpTopic;
  return topic != 0 ? topic : kHelpTopicContents;
}

std::unique_ptr<CParamPage> CreateTypePage(int type) {
  switch (FamilyOfType(type)) {
    case PageFamily::kBasicLogic:
      return std::make_unique<CBasicFunPar>();
    case PageFamily::kSingleTime:
      return std::make_unique<CSpecialFunPar>();
    case PageFamily::kTwoTime:
      return std::make_unique<CSpecialFunPar2>();
    case PageFamily::kStairway:
      return std::make_unique<CSpecialPar3>();
    case PageFamily::kMultiSwitch:
      return std::make_unique<CSpecialPar4>();
    case PageFamily::kThreshold:
      return std::make_unique<CThresholdTrigger>();
    case PageFamily::kCounter:
      return std::make_unique<CUpDownCounter>();
    case PageFamily::kWeekly:
      return std::make_unique<CWeeklyGeneral>();
    case PageFamily::kWifi:
      return std::make_unique<CWIFI>();
    case PageFamily::kYearly:
      return std::make_unique<CYearlyTimer>();
    case PageFamily::kUdc:
      return std::make_unique<CUDC>();
    case PageFamily::kModbus:
      return std::make_unique<CModbusPropPage>();
    case PageFamily::kStopwatch:
      return std::make_unique<CStopWatch>();
    case PageFamily::kAstro:
      return std::make_unique<CAstroClock>();
    case PageFamily::kBoolean:
      return std::make_unique<CBoolean>();
    case PageFamily::kOperandIo:
      return std::make_unique<CConstantsIOPar>();
    case PageFamily::kOperand:
      return std::make_unique<CConstantsPar>();
    case PageFamily::kLadder:
      return std::make_unique<CPropPageLadIO>();
    case PageFamily::kRelay:
      return std::make_unique<CMiscRelay>();
    case PageFamily::kHoursCounter:
      return std::make_unique<CHoursCounter>();
    case PageFamily::kMaxMin:
      return std::make_unique<CMaxMin>();
    case PageFamily::kQuad:
      return std::make_unique<CQUAD>();
    case PageFamily::kAnalogMux:
      return std::make_unique<CAMathMux>();
    case PageFamily::kMask:
      return std::make_unique<CMask>();
    case PageFamily::kMem:
      return std::make_unique<CMEM>();
    case PageFamily::kAverage:
      return std::make_unique<CAVGVAL>();
    case PageFamily::kMathErr:
      return std::make_unique<CMathErr>();
    case PageFamily::kComparator:
      return std::make_unique<CAnalogComparator>();
    case PageFamily::kRamp:
      return std::make_unique<CARAMP>();
    case PageFamily::kPI:
      return std::make_unique<CPI>();
    case PageFamily::kPWM:
      return std::make_unique<CPWM>();
    case PageFamily::kArray:
      return std::make_unique<CARRMXIV>();
    case PageFamily::kDataLog:
      return std::make_unique<CDataLog>();
    case PageFamily::kMsgText:
      return std::make_unique<CMessageTexts_New>();
    default:
      return nullptr;  // the pages of the other families follow the same pattern
  }
}

bool IsSimulatedLadderOperand(int operand) {
  return (operand >= 100 && operand <= 355) || (operand >= 1300 && operand <= 1304) ||
         (operand >= 4000 && operand <= 4127);
}

CBlockSheet::CBlockSheet(int type, const CString& caption, const CPageContext& context, int operand)
    : m_nType(type), m_strCaption(caption), m_context(context), m_pTypePage(CreateTypePage(type)) {
  // The message texts of the older series have their own editor.
  if (type == kTypeMessageText && context.doc && !context.doc->IsNewerFamily())
    m_pTypePage = std::make_unique<CMessageTexts>();
  if (m_pTypePage) {
    m_pages.push_back(m_pTypePage.get());
    if (g_LanguageIsChinese) m_pTypePage->m_strTitle = UiText(1423, m_pTypePage->m_strTitle);
  }
  // The weekly timer's three cam pages follow its general page; in the Chinese
  // interface the four take their own titles.
  if (auto* general = dynamic_cast<CWeeklyGeneral*>(m_pTypePage.get())) {
    general->m_strTitle = UiText(175, u"General");
    for (int cam = 0; cam < 3; ++cam) {
      auto page = std::make_unique<CWeeklyCams1>(cam);
      constexpr int kCamTitles[3] = {146, 148, 149};
      page->m_strTitle = UiText(kCamTitles[cam], page->m_strTitle);
      general->AddCam(page.get());
      m_pages.push_back(page.get());
      m_extraPages.push_back(std::move(page));
    }
  }
  m_pages.push_back(&m_commentPage);
  if (g_LanguageIsChinese) m_commentPage.m_strTitle = UiText(170, m_commentPage.m_strTitle);
  // Inputs, cursor keys, analog inputs and function keys end with the simulation page.
  const bool ladderInput = IsLadderType(type) && IsSimulatedLadderOperand(operand);
  if (type == kTypeInput || type == kTypeCursorKey || type == kTypeAnalogInput || type == kTypeFunctionKey ||
      ladderInput) {
    // A contact on an analog input edits it as an analog input does.
    auto page = std::make_unique<CSimulation>(ladderInput && operand >= 4000 ? 702 : type);
    m_pages.push_back(page.get());
    m_extraPages.push_back(std::move(page));
  }
  m_values.m_nType = type;
  m_values.pattern.m_nType = type;
  if (CBlockParamPage* page = ParamPage()) page->m_nType = type;  // pages serving several types
}

CBlockSheet::~CBlockSheet() = default;

CBlockParamPage* CBlockSheet::ParamPage() const {
  return dynamic_cast<CBlockParamPage*>(m_pTypePage.get());
}

CParamPage* CBlockSheet::ActivePage() const {
  if (m_nActivePage < 0 || m_nActivePage >= static_cast<int>(m_pages.size())) return nullptr;
  return m_pages[static_cast<size_t>(m_nActivePage)];
}

void CBlockSheet::LoadValues(const BlockPageValues& values) {
  m_values = values;
  for (CParamPage* page : m_pages) page->LoadValues(values);
}

BlockPageValues CBlockSheet::Values() const {
  BlockPageValues values = m_values;
  for (CParamPage* page : m_pages) page->StoreValues(values);
  return values;
}

int CBlockSheet::GetSeriesByte() const {
  return m_context.doc ? m_context.doc->GetModelFamily() : 0;
}

int CBlockSheet::HelpTopic() const {
  return FamilyOfType(m_nType) == PageFamily::kLadder ? 0 : HelpTopicOfType(m_nType);
}

int CBlockSheet::ValueBoxGrowth() const {
  const int t = m_nType;
  if (!IsModeless()) return 0;
  auto in = [t](int lo, int hi) { return t >= lo && t <= hi; };
  const bool grows = in(kFirstTimeType, kLastTimeType) || in(kFirstExtendedType, kLastAnalogType) ||
                     t == kTypeSoftKey || in(kTypeAMATH, kTypeMATHERR) || in(kTypeROL, kTypeRAND) ||
                     t == kTypeENCODER || t == kTypeCRC16 || in(kTypeMOD, kTypeSQRT) ||
                     in(kTypePOW2, kLastMathType);
  if (!grows) return 0;
  return t == kTypeSLS || t == kTypeMFS ? 50 : 30;
}

void CBlockSheet::RetextTypePage() {
  CParamPage* page = m_pTypePage.get();
  if (!page || !page->IsAttached()) return;
  CControlHost& host = page->Host();
  const int t = m_nType;
  if (t == kTypeDPR || t == kTypeDDR || t == kTypePLR || t == kTypeCPG) {
    CString caption;
    if (t == kTypeDDR)
      caption = g_LanguageIsChinese ? LoadString(1580) : CString(u"Off-Delay");
    else if (t == kTypeCPG)
      caption = UiText(137, u"Off Time(TL)");
    else
      caption = g_LanguageIsChinese ? LoadString(1579) : CString(u"On-Delay");
    host.SetText(CSpecialFunPar::kIdTimeGroup, caption);
  }
  if (!g_LanguageIsChinese) return;
  // The template controls that take a Chinese text by type: control <- the
  // text of the id (kString: from the string table), the control's own id
  // where no other is named. A control whose text the tables lack keeps its
  // English caption.
  constexpr int kString = 0x10000;
  struct Retext {
    int control;
    int text;
  };
  auto same = [](std::initializer_list<int> ids) {
    std::vector<Retext> r;
    for (int id : ids) r.push_back({id, id});
    return r;
  };
  std::vector<Retext> rows;
  auto in = [t](int lo, int hi) { return t >= lo && t <= hi; };
  auto add = [&rows](std::vector<Retext> more) { rows.insert(rows.end(), more.begin(), more.end()); };
  if (in(kFirstLogicType, kLastLogicType)) rows = same({1371});
  if (t == kTypeDPR || t == kTypeDDR || t == kTypePLR || t == kTypeCPG) rows = same({1371, 1024, 1025, 1546});
  if (t == kTypeMPLR || in(kTypeRPR, kTypeRG)) rows = same({1371, 1024, 1025, 1546, 1547, 1200});
  if (t == kTypeSLS) {
    rows = same({1371, 1024, 1025});
    add({{1015, 1580 | kString},
         {1026, 141},
         {1013, 142},
         {1031, 143},
         {1547, 1547},
         {1553, 1547},
         {1554, 1547}});
  }
  if (t == kTypeMFS) {
    rows = same({1371, 1024, 1025});
    add({{1007, 144},
         {1015, 145},
         {1026, 141},
         {1013, 142},
         {1031, 143},
         {1546, 1546},
         {1547, 1546},
         {1553, 1546},
         {1554, 1546}});
  }
  if (t == kTypeWT) rows = same({1371, 1025});
  if (t == kTypeYT) {
    rows = same({1371, 1025});
    add({{1057, 150}, {1061, 151}, {1342, 152}, {1343, 152}, {1066, 153}});
  }
  if (t == kTypeCOUNTER || t == kTypeENCODER) rows = same({1371, 1024, 1025, 1080, 1014, 1344, 1345, 1239});
  if (t == kTypeHCOUNTER) rows = same({1371, 1024, 1025, 1546, 1346, 1245, 1347, 1348, 1026});
  if (t == kTypeTHTRG) {
    rows = same({1371, 1025, 1546, 1349, 1342, 1343, 1350});
    add({{1245, 172}});
  }
  if (in(kFirstAnalogType, kLastAnalogType)) {
    rows = same({1371, 1024, 1025, 1295, 1083, 1104, 1105, 1084, 1106, 1107, 1085, 1087, 1088, 1086, 1091,
                 1108, 1080, 1014});
    if (t <= kTypeAAMP) add({{1109, 1109}});
    if (t == kTypeAWDOG) add({{1108, 139}, {1109, 140}});
    if (t == kTypeADTRG) add({{1109, 138}});
    add({{1351, 1351}});
  }
  if (t == kTypeLR || t == kTypePR || t == kTypeShiftRegister || in(kTypeTDT, kTypeBIN) || t == kTypeSEG ||
      t == kTypeODD || t == kTypeEVEN || in(kTypeABS, kTypeLCM))
    rows = same({1371, 1024, 1110, 1111, 1113});
  if (t == kTypeMessageText) {
    rows = same({1371, 1025, 1353, 1068, 1354, 1352, 1121});
    add({{GetSeriesByte() < 0x51 ? 1084 : 1423, GetSeriesByte() < 0x51 ? 1084 : 1423}});
  }
  if (t == kTypeMR || t == kTypeMW)
    rows = same({1371, 1326, 1327, 1355, 1356, 1357, 1358, 1359, 1360, 1180, 1361, 1181, 1183, 1330});
  for (const Retext& r : rows) {
    const CString text =
        (r.text & kString) ? LoadString(static_cast<UINT>(r.text & 0xFFFF)) : ChineseUiText(r.text);
    if (!text.IsEmpty()) host.SetText(r.control, text);
  }
}

bool CBlockSheet::OnOK(int activePage) {
  if (activePage >= 0 && activePage < static_cast<int>(m_pages.size())) {
    CParamPage* active = m_pages[static_cast<size_t>(activePage)];
    if (active->IsInitialised() && !active->UpdateData(true)) return false;
  }
  for (CParamPage* page : m_pages)
    if (page->IsInitialised()) {
      page->UpdateData(true);
      page->OnOK();
    }
  return true;
}

bool CBlockSheet::OnApply(int activePage) {
  if (activePage >= 0 && activePage < static_cast<int>(m_pages.size())) {
    CParamPage* active = m_pages[static_cast<size_t>(activePage)];
    if (active->IsInitialised() && !active->UpdateData(true)) return false;
  }
  // The sensor section settles its pending values before the values are applied.
  if (auto* analog = dynamic_cast<CAnalogSensorPage*>(m_pTypePage.get());
      analog && analog->IsInitialised() && analog->m_nSensor < SENSOR_NONE)
    analog->UpdateSensorScaling();
  // The data log's items reach the block by Apply as by OK.
  if (auto* log = dynamic_cast<CDataLog*>(m_pTypePage.get()); log && log->IsInitialised())
    log->StoreItemsToBlock();
  // The message-text editor's screen reaches the block by Apply as by OK.
  if (auto* texts = dynamic_cast<CMessageTexts_New*>(m_pTypePage.get()); texts && texts->IsInitialised())
    texts->WriteScreen();
  // The Modbus page's code and data words reach the block by Apply as by OK.
  if (auto* modbus = dynamic_cast<CModbusPropPage*>(m_pTypePage.get()); modbus && modbus->IsInitialised()) {
    modbus->UpdateFunctionCode();
    modbus->UpdateDataAddress();
  }
  return true;
}
