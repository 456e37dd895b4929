#include "pages/soft_key_page.h"

#include "model/zarad_doc.h"

CSoftKey::CSoftKey() {
  m_strTitle = u"Parameter";
}

const PageDesc& CSoftKey::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(230, 150),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 10, 58, 20), kStyleRight},
          {kIdName, K::kEdit, u"", CRect(62, 8, 140, 21)},
          {1114, K::kGroup, u"Type", CRect(7, 28, 110, 70)},
          {kIdSwitch, K::kRadio, u"Switch", CRect(14, 40, 104, 50), kStyleGroup},
          {kIdPushButton, K::kRadio, u"Momentary PushButton", CRect(14, 54, 104, 64)},
          {1115, K::kGroup, u"Status", CRect(118, 28, 222, 70)},
          {kIdOn, K::kRadio, u"On", CRect(126, 40, 216, 50), kStyleGroup},
          {kIdOff, K::kRadio, u"Off", CRect(126, 54, 216, 64)},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 80, 120, 92)},
          {kIdProtection, K::kCheck, u"Protection Active", CRect(7, 96, 120, 108)},
      }};
  return desc;
}

void CSoftKey::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_Text(dx, kIdName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Radio(dx, {kIdSwitch, kIdPushButton}, m_nKeyType);
  DDX_Radio(dx, {kIdOn, kIdOff}, m_nStatus);
}

bool CSoftKey::ReleasePushButton() {
  if (!Simulating() || m_nKeyType != 1 || m_nStatus != 0) return false;
  m_nStatus = 1;
  Host().SetCheck(kIdOn, 0);
  Host().SetCheck(kIdOff, 1);
  return true;
}

void CSoftKey::OnInitDialog() {
  CParamPage::OnInitDialog();
  const int named = Document() ? Document()->CountNamedBlocks() : 0;
  Host().Enable(kIdName, named < kNamedBlockBudget || !m_strName.IsEmpty());
  if (!Simulating()) return;
  ReleasePushButton();
  CreateCurrentValueBox();
}

void CSoftKey::OnOK() {
  if (ReleasePushButton()) SetModified();
  CBlockParamPage::OnOK();
}

void CSoftKey::OnNotify(int id, Notify code) {
  if (code == Notify::kClicked) {
    switch (id) {
      case kIdSwitch:
        m_nKeyType = 0;
        return SetModified();
      case kIdPushButton:
        m_nKeyType = 1;
        return SetModified();
      case kIdOn:
        m_nStatus = 0;
        return SetModified();
      case kIdOff:
        m_nStatus = 1;
        return SetModified();
      default:
        break;
    }
  }
  if (code == Notify::kChange && id == kIdName) return SetModified();
  CBlockParamPage::OnNotify(id, code);
}
