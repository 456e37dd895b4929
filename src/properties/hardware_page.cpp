#include "properties/hardware_page.h"

#include <iterator>

#include "model/model_table.h"
#include "model/zarad_doc.h"
#include "pages/block_param_page.h"
#include "platform/string_table.h"
#include "properties/hardware_rules.h"

namespace {

// The series of the tree, in its order; the tree spells the last one Pomri
// (the model name keeps its own spelling).
struct TreeSeries {
  int series;
  const char16_t* name;
};
constexpr TreeSeries kTreeSeries[] = {
    {0x11, u"Rilo"}, {0x21, u"Semka"}, {0x51, u"Dunri"}, {0x52, u"Velka"}, {0x61, u"Pomri"}};

CString ResourceList() {
  const char16_t* const kLines[] = {
      u"Known Blocks:",
      u"Constants/Connectors:\t\tInput,Shift register bit,Analog input,Output,Analog output,Open "
      u"connector,Flag,"
      u"Analog flag,Status 1 (high),Status 0 (low)",
      u"Basic Functions:\t\t\tAND,AND (Edge),NAND,NAND (Edge),OR,NOR,XOR,NOT",
      u"Special Functions:\t\t\tOn-Delay,Off-Delay,On-/Off-Delay,Analog Amplifier,Analog watchdog,Shift "
      u"register,"
      u"Retentive On-Delay,Latching Relay,Pulse Relay,Wiping relay (pulse output),Edge triggered wiping "
      u"relay,"
      u"Weekly Timer,Yearly Timer,Up/Down counter,Hours Counter,Asynchronous Pulse Generator,Random "
      u"Generator,"
      u"Threshold trigger,Analog threshold trigger,Analog differential trigger,Analog Comparator,"
      u"Stairway lighting switch,Multiple function switch,Message texts,Modbus Read,Modbus Write",
      u"",
      u"Maximum Resources:",
      u"Function Blocks\t\t\t1024",
      u"REM\t\t\t\tUnlimited",
      u"Digital Inputs\t\t\t256",
      u"Digital Outputs\t\t\t128",
      u"Flag\t\t\t\t512",
      u"Analog Inputs\t\t\t64",
      u"Text Box\t\t\t\t16",
      u"Analog outputs\t\t\t32",
      u"Program memory\t\t\t24576",
      u"Block names\t\t\t256",
      u"Analog flags\t\t\t512",
      u"Shift register\t\t\t1",
      u"Shift register bits\t\t\t16",
      u"128",
      u"",
  };
  // The Chinese interface has each line in its own words, with the numbers in the same column.
  CString text;
  for (size_t i = 0; i < std::size(kLines); ++i) {
    if (i > 0) text += u"\r\n";
    text += CaptionText(CString(kLines[i]));
  }
  return text;
}

}  // namespace

CSelectHardware::CSelectHardware() {
  m_strTitle = Describe().caption;
}

const PageDesc& CSelectHardware::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Hardware",
      CSize(276, 196),
      {
          {kIdTreeGroup, K::kGroup, u"Select Hardware:", CRect(7, 7, 110, 189)},
          {kIdTree, K::kTree, u"", CRect(13, 19, 104, 183)},
          {kIdResourcesGroup, K::kGroup, u"Resources", CRect(116, 7, 269, 189)},
          {kIdResources, K::kEdit, u"", CRect(122, 19, 263, 183), kStyleMultiLine | kStyleReadOnly},
      }};
  return desc;
}

CString CSelectHardware::ResourcesText(int position) {
  return position >= 1 && position < kPositions && position % 2 == 1 ? ResourceList() : CString();
}

void CSelectHardware::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdResources, m_strResources);
}

void CSelectHardware::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  host.SetText(kIdTreeGroup, UiText(kIdTreeGroup, u"Select Hardware:"));
  host.SetText(kIdResourcesGroup, UiText(kIdResourcesGroup, u"Resources"));
  host.ResetContent(kIdTree);
  for (const TreeSeries& s : kTreeSeries) {
    const int node = host.AddTreeItem(kIdTree, CString(s.name) + u" Series", -1);
    host.AddTreeItem(kIdTree, GetFirmwareLabel(IsNewerSeries(s.series)), node);
  }
  const CZaradDoc* doc = Context().doc;
  m_nCurrentPosition = doc ? GetModelName(doc->m_wModelCode, nullptr, nullptr) : -1;
  m_nPrevious = 0;
  if (m_nCurrentPosition >= 0) {
    host.SetCurSel(kIdTree, m_nCurrentPosition);
    OnSelChanged();
  }
}

void CSelectHardware::OnNotify(int id, Notify code) {
  if (id == kIdTree && code == Notify::kSelChange) return OnSelChanged();
  if (id == kIdTree && code == Notify::kDblClick) {
    const int position = Host().GetCurSel(kIdTree);
    const bool firmwareItem = position >= 0 && position % 2 == 1;
    const bool okEnabled = m_isSheetOKEnabled ? m_isSheetOKEnabled() : m_bOkEnabled;
    if (firmwareItem && okEnabled && m_endSheetWithOK) m_endSheetWithOK();
    return;
  }
  CProgramPage::OnNotify(id, code);
}

void CSelectHardware::EnableSheetOK(bool enable) {
  m_bOkEnabled = enable;
  if (m_enableSheetOK) m_enableSheetOK(enable);
}

void CSelectHardware::OnSelChanged() {
  CControlHost& host = Host();
  const int selected = host.GetCurSel(kIdTree);
  const int next = selected < 0 ? 0 : selected;
  const int old = m_nPrevious;
  m_nPrevious = next;
  const CZaradDoc* doc = Context().doc;
  CString problem;
  if (doc && (m_nCurrentPosition == 5 || m_nCurrentPosition == 7 || m_nCurrentPosition == 9) && next < 4) {
    problem = CheckDowngrade(*doc, host.GetItemText(kIdTree, next));
  } else if (doc && m_nCurrentPosition == 7 && next != 7) {
    problem = CheckWifiRule(*doc);
  }
  if (!problem.IsEmpty()) {
    EnableSheetOK(false);
  } else if (old != next) {
    EnableSheetOK(true);
  }
  // A series node shows its (empty) entry even after a failed check; a
  // firmware item shows the resources only when no check failed.
  if (next % 2 == 0 || problem.IsEmpty()) {
    m_strResources = ResourcesText(next);
  } else {
    m_strResources = CaptionText(problem);
  }
  host.SetText(kIdResources, m_strResources);
}

void CSelectHardware::OnOK() {
  const int position = Host().GetCurSel(kIdTree);
  m_wNewModel = 0;
  if (position < 0 || position % 2 == 0 || position == m_nCurrentPosition) return;
  m_wNewModel = static_cast<WORD>(ModelCodeOfPosition(position));
}
