#include "pages/mem_page.h"

#include "model/block_obj.h"
#include "model/doc_queries.h"
#include "model/name_tables.h"
#include "model/zarad_doc.h"
#include "msgtext/msg_param_table.h"

std::vector<CString> CMEM::RecordableNames(int type) {
  std::vector<CString> names;
  if (const MsgParamRow* row = FindMsgParamRow(type))
    for (int index : row->recordable)
      if (index >= 0 && static_cast<size_t>(index) < g_ParameterNames.size())
        names.push_back(g_ParameterNames[static_cast<size_t>(index)]);
  return names;
}

CMEM::CMEM() {
  m_strTitle = Describe().caption;
  m_nBlock = -1;
  m_nIndex = -1;
}

const PageDesc& CMEM::Describe() const {
  using K = ControlKind;
  static const PageDesc desc = {
      kTemplate,
      u"Parameter",
      CSize(240, 100),
      {
          {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
          {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
          {kIdKindLabel, K::kStatic, u"Type", CRect(7, 28, 40, 38), kStyleHidden},
          {kIdKind, K::kCombo, u"", CRect(44, 26, 160, 80), kStyleHidden, {u"Function Block"}},
          {kIdBlockLabel, K::kStatic, u"Block", CRect(7, 30, 40, 40)},
          {kIdBlockList, K::kCombo, u"", CRect(44, 28, 233, 180), 0, {u"----------"}},
          {kIdIndexLabel, K::kStatic, u"Index", CRect(7, 50, 40, 60)},
          {kIdIndexList, K::kCombo, u"", CRect(44, 48, 233, 180), 0, {u"----------"}},
          {kIdRetentivity, K::kCheck, u"Retentivity", CRect(7, 74, 120, 86)},
      }};
  return desc;
}

void CMEM::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_Check(dx, kIdRetentivity, m_bRetentive);
  DDX_CBIndex(dx, kIdBlockList, m_nBlock);
  DDX_CBIndex(dx, kIdIndexList, m_nIndex);
}

void CMEM::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  Host().SetCurSel(kIdKind, 0);
  BuildParameterNames();
  FillLists();
}

void CMEM::FillIndexList(const CBlockObj* block, const CString& emptyEntry) {
  CControlHost& host = Host();
  host.ResetContent(kIdIndexList);
  if (!block) {
    host.AddString(kIdIndexList, emptyEntry);
    return;
  }
  for (const CString& name : RecordableNames(block->m_nType)) host.AddString(kIdIndexList, name);
}

void CMEM::FillLists() {
  CControlHost& host = Host();
  host.ResetContent(kIdBlockList);
  host.AddString(kIdBlockList, CString(51, u'-'));
  if (Document())
    for (const CString& entry : FillDataBlockCombo(*Document(), m_nBlockNumber))
      host.AddString(kIdBlockList, entry);
  if (m_pRef[0]) {
    int sel = 0;
    for (int i = 1; i < host.GetCount(kIdBlockList); ++i)
      if (BlockOfEntry(host.GetItemText(kIdBlockList, i)) == m_pRef[0]) sel = i;
    host.SetCurSel(kIdBlockList, sel);
    FillIndexList(m_pRef[0], CString());
    host.SetCurSel(kIdIndexList, m_nIndex >= 0 && m_nIndex < host.GetCount(kIdIndexList) ? m_nIndex : -1);
  } else {
    host.SetCurSel(kIdBlockList, 0);
    FillIndexList(nullptr, CString(33, u'-'));
    host.SetCurSel(kIdIndexList, 0);
  }
}

void CMEM::OnBlockChange() {
  CControlHost& host = Host();
  const int sel = host.GetCurSel(kIdBlockList);
  m_pRef[0] = sel > 0 ? BlockOfEntry(host.GetItemText(kIdBlockList, sel)) : nullptr;
  FillIndexList(m_pRef[0], CString(51, u'-'));
  host.SetCurSel(kIdIndexList, host.GetCount(kIdIndexList) > 0 ? 0 : -1);
  SetModified();
}

void CMEM::OnOK() {
  // The block claims a data source only while one is chosen.
  m_bRef[0] = m_pRef[0] ? 1 : 0;
  m_nRefNumber[0] = m_pRef[0] ? m_pRef[0]->m_nNumber : -1;
}

void CMEM::OnNotify(int id, Notify code) {
  if (id == kIdBlockList && code == Notify::kSelChange) return OnBlockChange();
  if (id == kIdIndexList && code == Notify::kSelChange) return OnValueChange(id);
  if (id == kIdRetentivity && code == Notify::kClicked) return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CMEM::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<MemValues&>(*this) = values.mem;
}

void CMEM::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.mem = *this;
}
