#include "pages/wifi_page.h"

#include "model/block_codes.h"

namespace {

std::vector<CString> Numbered(const char16_t* prefix, int count) {
  std::vector<CString> entries;
  for (int n = 0; n < count; ++n) entries.push_back(FormatString(u"%s%d", prefix, n));
  return entries;
}

std::vector<CString> Ids(int first) {
  std::vector<CString> entries;
  for (int n = first; n <= 7; ++n) entries.push_back(FormatString(u"%d", n));
  return entries;
}

}  // namespace

CWIFI::CWIFI() {
  m_strTitle = u"Parameter";
}

const PageDesc& CWIFI::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {kTemplate,
                                u"Parameter",
                                CSize(230, 150),
                                {
                                    {kIdGroup, K::kGroup, u"Read value from", CRect(7, 7, 222, 34)},
                                    {kIdStation, K::kRadio, u"Station", CRect(16, 18, 70, 28), kStyleGroup},
                                    {kIdVm, K::kRadio, u"VM", CRect(80, 18, 130, 28)},
                                    {kIdDiagnostic, K::kRadio, u"Diagnostic", CRect(140, 18, 210, 28)},
                                    {kIdWifiIdLabel, K::kStatic, u"WiFi ID", CRect(7, 46, 80, 56)},
                                    {kIdWifiId, K::kCombo, u"", CRect(84, 44, 200, 140)},
                                    {kIdKindLabel, K::kStatic, u"Block Type", CRect(7, 66, 80, 76)},
                                    {kIdKind, K::kCombo, u"", CRect(84, 64, 200, 160)},
                                    {kIdNumberLabel, K::kStatic, u"Block Number", CRect(7, 86, 80, 96)},
                                    {kIdNumber, K::kCombo, u"", CRect(84, 84, 200, 180)},
                                }};
  return desc;
}

void CWIFI::DoDataExchange(CDataExchange& dx) {
  DDX_Radio(dx, {kIdStation, kIdVm, kIdDiagnostic}, m_nSource);
  // A list the source does not show keeps its position.
  const bool writes = m_nType == kTypeWifiOut || m_nType == kTypeWifiAQ;
  if (m_nSource == 0 || (m_nSource == 1 && !writes)) DDX_CBIndex(dx, kIdWifiId, m_nWifiId);
  if (m_nSource != 1) DDX_CBIndex(dx, kIdKind, m_nBlockKind);
  if (m_nSource != 2) DDX_CBIndex(dx, kIdNumber, m_nBlockIndex);
}

void CWIFI::Fill(int id, const std::vector<CString>& entries, int sel) {
  CControlHost& host = Host();
  host.ResetContent(id);
  for (const CString& e : entries) host.AddString(id, e);
  host.SetCurSel(id, sel >= 0 && sel < static_cast<int>(entries.size()) ? sel : -1);
}

void CWIFI::FillNumbers(int kind) {
  std::vector<CString> numbers;
  const bool analog = m_nType == kTypeWifiAI || m_nType == kTypeWifiAQ;
  if (m_nSource == 1) {
    numbers = Numbered(analog ? u"VAM" : u"VM", 32);
  } else if (m_nType == kTypeWifiOut || m_nType == kTypeWifiAQ) {
    numbers = analog ? Numbered(u"AQ", 4) : Numbered(u"Q", 16);
  } else if (kind == 0) {
    numbers = analog ? Numbered(u"AI", 8) : Numbered(u"I", 32);
  } else if (kind == 1) {
    numbers = analog ? Numbered(u"AQ", 4) : Numbered(u"Q", 16);
  }
  Fill(kIdNumber, numbers, m_nBlockIndex);
}

void CWIFI::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  const int radio = m_nSource == 1 ? kIdVm : m_nSource == 2 ? kIdDiagnostic : kIdStation;
  host.SetFocus(radio);
  if (m_nType == kTypeWifiOut || m_nType == kTypeWifiAQ) host.SetText(kIdGroup, u"Write value to");
  if (m_nType == kTypeWifiAI || m_nType == kTypeWifiAQ) host.SetText(kIdVm, u"VAM");
  if (m_nType != kTypeWifiIn) host.Show(kIdDiagnostic, false);
  OnWifiSource(radio);
  SetModified(false);
}

void CWIFI::OnWifiSource(int radio) {
  CControlHost& host = Host();
  const int source = radio == kIdStation ? 0 : radio == kIdVm ? 1 : 2;
  if (source == 2 && m_nType != kTypeWifiIn) return;
  if (m_nSource != source) m_nWifiId = m_nBlockKind = m_nBlockIndex = 0;
  m_nSource = source;
  for (int id : {kIdStation, kIdVm, kIdDiagnostic}) host.SetCheck(id, id == radio ? 1 : 0);
  const bool analog = m_nType == kTypeWifiAI || m_nType == kTypeWifiAQ;
  const bool writes = m_nType == kTypeWifiOut || m_nType == kTypeWifiAQ;
  if (source == 0) {
    for (int id : {kIdWifiIdLabel, kIdWifiId, kIdKindLabel, kIdKind, kIdNumberLabel, kIdNumber})
      host.Show(id, true);
    host.SetText(kIdKindLabel, u"Block Type");
    Fill(kIdWifiId, Ids(1), m_nWifiId);
    std::vector<CString> kinds;
    if (writes)
      kinds = {analog ? u"Analog Output" : u"Output"};
    else
      kinds = analog ? std::vector<CString>{u"Analon Input", u"Analog Output"}
                     : std::vector<CString>{u"Input", u"Output"};
    Fill(kIdKind, kinds, m_nBlockKind);
    FillNumbers(m_nBlockKind);
  } else if (source == 1) {
    host.Show(kIdKindLabel, false);
    host.Show(kIdKind, false);
    host.Show(kIdNumberLabel, true);
    host.Show(kIdNumber, true);
    host.Show(kIdWifiIdLabel, !writes);
    host.Show(kIdWifiId, !writes);
    if (!writes) Fill(kIdWifiId, Ids(0), m_nWifiId);
    FillNumbers(0);
  } else {
    for (int id : {kIdWifiIdLabel, kIdWifiId, kIdNumberLabel, kIdNumber}) host.Show(id, false);
    host.SetText(kIdKindLabel, u"Diagnostic Type");
    host.Show(kIdKindLabel, true);
    host.Show(kIdKind, true);
    std::vector<CString> kinds;
    for (int n = 1; n <= 7; ++n) kinds.push_back(FormatString(u"WiFi ID%d communication status", n));
    Fill(kIdKind, kinds, m_nBlockKind);
  }
  SetModified();
}

void CWIFI::OnWifiBlockKind() {
  const int a = Host().GetCurSel(kIdKind);
  if (a != m_nBlockKind) {
    m_nBlockKind = a;
    if (m_nSource == 0) {
      m_nBlockIndex = 0;
      FillNumbers(a);
    }
  }
  SetModified();
}

void CWIFI::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked && (id == kIdStation || id == kIdVm || id == kIdDiagnostic))
    return OnWifiSource(id);
  if (code == Notify::kSelChange && id == kIdKind) return OnWifiBlockKind();
  if (code == Notify::kSelChange && (id == kIdWifiId || id == kIdNumber)) return SetModified();
}

void CWIFI::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<WifiValues&>(*this) = values.wifi;
}

void CWIFI::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.wifi = *this;
}
