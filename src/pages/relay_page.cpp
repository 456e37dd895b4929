#include "pages/relay_page.h"

#include "model/block_codes.h"
#include "model/block_obj.h"
#include "model/zarad_doc.h"

namespace {

constexpr int kShiftRegisterType = 812;

std::vector<CString> Numbers(int count) {
  std::vector<CString> items;
  for (int i = 0; i < count; ++i) items.push_back(FormatString(u"%d", i));
  return items;
}

}  // namespace

CMiscRelay::CMiscRelay() {
  m_strTitle = Describe().caption;
}

const PageDesc& CMiscRelay::Describe() const {
  using K = ControlKind;
  // The shift register's labels lie where the priority radios lie: the two
  // never show together.
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(230, 96),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdPriorityR, K::kRadio, u"Input R takes priority over S", CRect(12, 30, 200, 42), kStyleGroup},
          {kIdPriorityS, K::kRadio, u"Input S takes priority over R", CRect(12, 46, 200, 58)},
          {kIdRegisterLabel, K::kStatic, u"Shift register index", CRect(12, 32, 170, 42), kStyleHidden},
          {kIdRegister, K::kCombo, u"", CRect(176, 30, 216, 90), kStyleHidden, Numbers(kRegisters)},
          {kIdShiftBitLabel, K::kStatic, u"Shift register bit at the output connector",
           CRect(12, 48, 170, 58), kStyleHidden},
          {kIdShiftBit, K::kCombo, u"", CRect(176, 46, 216, 150), kStyleHidden, Numbers(16)},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(12, 66, 120, 78)},
      }};
  return desc;
}

bool CMiscRelay::NewerSeries() const {
  return Document() && Document()->GetModelFamily() >= 0x51;
}

std::vector<int> CMiscRelay::FreeRegisters(const CZaradDoc* doc, const CBlockObj* own) {
  bool used[kRegisters] = {};
  if (doc)
    for (const CBlockObj* b : doc->m_blocks)
      if (b->m_nType == kShiftRegisterType && b != own) {
        const int index = b->m_nParam24;  // the register index
        if (index >= 0 && index < kRegisters) used[index] = true;
      }
  std::vector<int> free;
  for (int i = 0; i < kRegisters; ++i)
    if (!used[i]) free.push_back(i);
  return free;
}

void CMiscRelay::UpdateControls() {
  CControlHost& host = Host();
  const int t = m_nType;
  const bool priority = t == kTypePR;
  const bool shift = t == kShiftRegisterType;
  const bool registers = shift && NewerSeries();
  const bool retentive = t == kTypeLR || t == kTypePR || t == kTypeShiftRegister || t == kTypeTDT;
  host.Show(kIdPriorityR, priority);
  host.Show(kIdPriorityS, priority);
  host.Show(kIdShiftBit, shift);
  host.Show(kIdShiftBitLabel, shift);
  host.Show(kIdRegister, registers);
  host.Show(kIdRegisterLabel, registers);
  host.Show(kIdRetentivity, retentive);
  if (!registers) return;
  host.ResetContent(kIdRegister);
  int own = -1;
  for (int index : FreeRegisters(Document(), m_pBlock)) {
    const int entry = host.AddString(kIdRegister, FormatString(u"%d", index));
    if (m_pBlock && index == m_nShiftIndex) own = entry;
  }
  host.SetCurSel(kIdRegister, own >= 0 ? own : (host.GetCount(kIdRegister) > 0 ? 0 : -1));
  host.SetText(kIdRegisterLabel, UiText(kIdRegisterLabel, u"Shift register index"));
}

void CMiscRelay::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdShiftBit, m_nShiftBit);
  DDX_Radio(dx, {kIdPriorityR, kIdPriorityS}, m_nPriority);
  if (dx.IsSaving()) {
    // The register list may offer only some indexes: keep the index its
    // entry shows, not the entry's position.
    const int sel = dx.Host().GetCurSel(kIdRegister);
    if (sel >= 0) {
      int index = 0;
      if (ParseInt(dx.Host().GetItemText(kIdRegister, sel), &index)) m_nShiftIndex = index;
    }
  }
}

void CMiscRelay::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  UpdateControls();
  ApplyNameRule();
  const int t = m_nType;
  if (Simulating() && t != kTypeLR && t != kTypePR && t != kTypeODD && t != kTypeEVEN)
    CreateCurrentValueBox();
}

void CMiscRelay::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked && (id == kIdPriorityR || id == kIdPriorityS)) {
    m_nPriority = id == kIdPriorityR ? 0 : 1;
    SetModified();
    return;
  }
  if (code == Notify::kSelChange && (id == kIdShiftBit || id == kIdRegister)) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CMiscRelay::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<RelayValues&>(*this) = values.relay;
}

void CMiscRelay::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.relay = *this;
}
