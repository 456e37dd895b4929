#include "properties/block_sheet.h"

#include <map>
#include <utility>

#include "pages/block_param_page.h"
#include "pages/ladder_operand_page.h"
#include "pages/logic_pages.h"
#include "pages/operand_pages.h"
#include "pages/timer_page.h"
#include "pages/ui_text.h"
#include "platform/string_table.h"
#include "properties/param_copy.h"

int HelpTopicOfType(int type) {
  static const std::map<int, int> kTopics = {
      {300, 1030}, {301, 1029}, {302, 1066}, {303, 1065}, {304, 1077}, {305, 1068}, {306, 1105}, {307, 1070},
      {400, 1075}, {401, 1073}, {402, 1074}, {403, 1092}, {404, 1103}, {405, 1043}, {406, 1034}, {407, 1089},
      {408, 1002}, {409, 1064}, {410, 1110}, {411, 1107}, {412, 1033}, {413, 1001}, {602, 1010}, {603, 1080},
      {604, 1080}, {605, 1079}, {606, 1076}, {607, 1048}, {610, 1048}, {608, 1023}, {609, 1025}, {611, 1049},
      {800, 1101}, {801, 1051}, {802, 1099}, {803, 1020}, {804, 1027}, {805, 1019}, {806, 1028}, {807, 1021},
      {808, 1053}, {809, 1085}, {810, 1060}, {812, 1009}, {813, 1062}, {814, 1063}, {815, 1057}, {816, 1024},
      {817, 1026}, {818, 1081}, {819, 1086}, {820, 1022}, {821, 1058}, {822, 1035}, {823, 1056}, {824, 1113},
      {825, 1114}, {826, 1115}, {827, 1116}, {830, 1108}, {831, 1098}, {832, 1036}, {833, 1037}, {834, 1093},
      {835, 1094}, {836, 1008}, {837, 1007}, {838, 1031}, {839, 1078}, {840, 1071}, {841, 1067}, {842, 1069},
      {843, 1106}, {844, 1032}, {845, 1018}, {846, 1088}, {847, 1059}, {848, 1044}, {849, 1003}, {850, 1004},
      {851, 1083}, {852, 1084}, {853, 1097}, {854, 1104}, {855, 1100}, {856, 1040}, {860, 1072}, {861, 1045},
      {862, 1061}, {863, 1091}, {864, 1055}, {865, 1005}, {866, 1017}, {867, 1050}, {868, 1054}, {869, 1082},
      {870, 1046}, {871, 1047}, {872, 1095}, {873, 1006}, {874, 1038}, {875, 1000}, {876, 1039}, {877, 1096},
      {878, 1041}, {879, 1087}, {911, 1042},
  };
  auto it = kTopics.find(type);
  return it == kTopics.end() ? 1052 : it->second;
}

std::unique_ptr<CParamPage> CreateTypePage(int type) {
  switch (FamilyOfType(type)) {
    case PageFamily::kBasicLogic:
      return std::make_unique<CBasicFunPar>();
    case PageFamily::kSingleTime:
      return std::make_unique<CSpecialFunPar>();
    case PageFamily::kBoolean:
      return std::make_unique<CBoolean>();
    case PageFamily::kOperandIo:
      return std::make_unique<CConstantsIOPar>();
    case PageFamily::kOperand:
      return std::make_unique<CConstantsPar>();
    case PageFamily::kLadder:
      return std::make_unique<CPropPageLadIO>();
    default:
      return nullptr;  // the pages of the other families follow the same pattern
  }
}

CBlockSheet::CBlockSheet(int type, const CString& caption, const CPageContext& context)
    : m_nType(type), m_strCaption(caption), m_context(context), m_pTypePage(CreateTypePage(type)) {
  if (m_pTypePage) {
    m_pages.push_back(m_pTypePage.get());
    if (g_LanguageIsChinese) m_pTypePage->m_strTitle = UiText(1423, m_pTypePage->m_strTitle);
  }
  m_pages.push_back(&m_commentPage);
  if (g_LanguageIsChinese) m_commentPage.m_strTitle = UiText(170, m_commentPage.m_strTitle);
  m_values.m_nType = type;
  m_values.pattern.m_nType = type;
}

CBlockSheet::~CBlockSheet() = default;

CBlockParamPage* CBlockSheet::ParamPage() const { return dynamic_cast<CBlockParamPage*>(m_pTypePage.get()); }

void CBlockSheet::LoadValues(const BlockPageValues& values) {
  m_values = values;
  for (CParamPage* page : m_pages) page->LoadValues(values);
}

BlockPageValues CBlockSheet::Values() const {
  BlockPageValues values = m_values;
  for (CParamPage* page : m_pages) page->StoreValues(values);
  return values;
}

int CBlockSheet::HelpTopic() const {
  return FamilyOfType(m_nType) == PageFamily::kLadder ? 0 : HelpTopicOfType(m_nType);
}

int CBlockSheet::ValueBoxGrowth() const {
  const int t = m_nType;
  if (!IsModeless()) return 0;
  auto in = [t](int lo, int hi) { return t >= lo && t <= hi; };
  const bool grows = in(400, 413) || in(800, 807) || t == 811 || in(815, 823) || in(834, 846) || t == 848 ||
                     t == 856 || in(862, 865) || in(869, 879);
  if (!grows) return 0;
  return t == 408 || t == 409 ? 50 : 30;
}

void CBlockSheet::RetextTypePage() {
  CParamPage* page = m_pTypePage.get();
  if (!page || !page->IsAttached()) return;
  CControlHost& host = page->Host();
  const int t = m_nType;
  if (t == 400 || t == 401 || t == 403 || t == 404) {
    CString caption;
    if (t == 401)
      caption = g_LanguageIsChinese ? LoadString(1580) : CString(u"Off-Delay");
    else if (t == 404)
      caption = UiText(137, u"Off Time(TL)");
    else
      caption = g_LanguageIsChinese ? LoadString(1579) : CString(u"On-Delay");
    host.SetText(CSpecialFunPar::kIdTimeGroup, caption);
  }
  if (!g_LanguageIsChinese) return;
  // The template controls that take the text of their own id, by type.
  std::vector<int> ids;
  auto in = [t](int lo, int hi) { return t >= lo && t <= hi; };
  if (in(300, 307)) ids = {1371};
  if (t == 400 || t == 401 || t == 403 || t == 404) ids = {1371, 1024, 1025, 1546};
  if (t == 402 || in(405, 407)) ids = {1371, 1024, 1025, 1546, 1547, 1200};
  if (t == 410) ids = {1371, 1025};
  if (t == 800 || t == 848) ids = {1371, 1024, 1025, 1080, 1014, 1344, 1345, 1239};
  if (t == 813 || t == 814)
    ids = {1371, 1326, 1327, 1355, 1356, 1357, 1358, 1359, 1360, 1180, 1361, 1181, 1183, 1330};
  CString last;
  for (int id : ids) {
    const CString text = ChineseUiText(id);
    if (!text.IsEmpty()) last = text;
    if (!last.IsEmpty()) host.SetText(id, last);
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
  return true;
}
