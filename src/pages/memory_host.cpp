#include "pages/memory_host.h"

#include <algorithm>

#include "pages/param_page.h"

CMemoryHost::CMemoryHost(const PageDesc& desc, CParamPage* page) : m_pPage(page) {
  for (const ControlDesc& c : desc.controls) AddControl(c);
}

void CMemoryHost::AddControl(const ControlDesc& desc) {
  Control& c = m_controls[desc.id];
  c.desc = desc;
  c.text = desc.kind == ControlKind::kCombo || desc.kind == ControlKind::kList ? CString() : desc.caption;
  if (desc.kind != ControlKind::kTree) c.items = desc.items;  // a tree's items head its columns
  c.visible = (desc.style & kStyleHidden) == 0;
  c.enabled = (desc.style & kStyleDisabled) == 0;
  if (std::find(m_order.begin(), m_order.end(), desc.id) == m_order.end()) m_order.push_back(desc.id);
}

CMemoryHost::Control& CMemoryHost::At(int id) {
  auto it = m_controls.find(id);
  if (it == m_controls.end()) {
    ControlDesc d;
    d.id = id;
    AddControl(d);
    it = m_controls.find(id);
  }
  return it->second;
}

const CMemoryHost::Control* CMemoryHost::Get(int id) const {
  auto it = m_controls.find(id);
  return it == m_controls.end() ? nullptr : &it->second;
}

const ControlDesc* CMemoryHost::Desc(int id) const {
  const Control* c = Get(id);
  return c ? &c->desc : nullptr;
}

void CMemoryHost::Send(int id, Notify code) {
  if (m_pPage) m_pPage->OnNotify(id, code);
}

void CMemoryHost::Type(int id, const CString& text) {
  Control& c = At(id);
  m_nFocus = id;
  CString typed;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    if ((c.desc.style & kStyleNumber) && (ch < u'0' || ch > u'9')) continue;
    if (c.limit > 0 && typed.GetLength() >= c.limit) break;
    typed += ch;
  }
  SetText(id, typed);
}

void CMemoryHost::Spin(int id, int delta) {
  const Control& c = At(id);
  if (c.desc.kind != ControlKind::kSpin || !c.desc.buddy || !c.enabled || !c.visible) return;
  const int step = delta < 0 ? -1 : 1;
  for (int n = 0; n != delta; n += step) {
    const Control& spin = At(id);
    const CString text = SpinStepText(spin.desc, GetText(spin.desc.buddy), spin.lower, spin.upper, step);
    m_nFocus = spin.desc.buddy;
    SetText(spin.desc.buddy, text);
  }
}

void CMemoryHost::Click(int id) {
  Control& c = At(id);
  m_nFocus = id;
  if (!c.enabled || !c.visible) return;
  if (c.desc.kind == ControlKind::kCheck) {
    c.check = c.check ? 0 : 1;
  } else if (c.desc.kind == ControlKind::kRadio) {
    // Clear the other radios of the group: the run from the group's first
    // button up to the next group start, in template order.
    auto pos = std::find(m_order.begin(), m_order.end(), id);
    auto first = pos;
    while (first != m_order.begin() && !(m_controls[*first].desc.style & kStyleGroup) &&
           m_controls[*std::prev(first)].desc.kind == ControlKind::kRadio)
      --first;
    for (auto it = first; it != m_order.end(); ++it) {
      Control& r = m_controls[*it];
      if (r.desc.kind != ControlKind::kRadio || (it != first && (r.desc.style & kStyleGroup))) break;
      r.check = 0;
    }
    c.check = 1;
  }
  Send(id, Notify::kClicked);
}

void CMemoryHost::Choose(int id, int index) {
  Control& c = At(id);
  m_nFocus = id;
  if (!c.enabled || !c.visible || index < 0 || index >= static_cast<int>(c.items.size())) return;
  c.sel = index;
  c.selected = {index};
  Send(id, Notify::kSelChange);
}

void CMemoryHost::SelectItems(int id, const std::vector<int>& rows) {
  Control& c = At(id);
  m_nFocus = id;
  if (!c.enabled || !c.visible) return;
  c.selected.clear();
  for (int r : rows)
    if (r >= 0 && r < static_cast<int>(c.items.size())) c.selected.push_back(r);
  if (c.selected.empty()) return;
  c.sel = c.selected.front();
  Send(id, Notify::kSelChange);
}

std::vector<int> CMemoryHost::GetSelectedItems(int id) const {
  const Control* c = Get(id);
  if (!c || c->sel < 0) return {};
  std::vector<int> rows = c->selected;
  if (std::find(rows.begin(), rows.end(), c->sel) == rows.end()) rows.push_back(c->sel);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

void CMemoryHost::DoubleClick(int id, int index) {
  Choose(id, index);
  Send(id, Notify::kDblClick);
}

CString CMemoryHost::GetText(int id) const {
  const Control* c = Get(id);
  if (!c) return CString();
  if (c->desc.kind == ControlKind::kCombo || c->desc.kind == ControlKind::kList ||
      c->desc.kind == ControlKind::kTree)
    return c->sel >= 0 && c->sel < static_cast<int>(c->items.size()) ? c->items[static_cast<size_t>(c->sel)]
                                                                     : CString();
  return c->text;
}

void CMemoryHost::SetText(int id, const CString& text) {
  Control& c = At(id);
  c.text = text;
  if (c.desc.kind == ControlKind::kEdit) {
    Send(id, Notify::kUpdate);
    Send(id, Notify::kChange);
  }
}

void CMemoryHost::LimitText(int id, int n) {
  At(id).limit = n;
}
int CMemoryHost::GetCheck(int id) const {
  const Control* c = Get(id);
  return c ? c->check : 0;
}
void CMemoryHost::SetCheck(int id, int check) {
  At(id).check = check;
}

void CMemoryHost::ResetContent(int id) {
  Control& c = At(id);
  c.items.clear();
  c.parents.clear();
  c.sel = -1;
  c.selected.clear();
}

int CMemoryHost::AddString(int id, const CString& text) {
  Control& c = At(id);
  c.items.push_back(text);
  return static_cast<int>(c.items.size()) - 1;
}

int CMemoryHost::AddTreeItem(int id, const CString& text, int parent) {
  Control& c = At(id);
  c.items.push_back(text);
  c.parents.resize(c.items.size() - 1, -1);
  c.parents.push_back(parent >= 0 && parent < static_cast<int>(c.items.size()) - 1 ? parent : -1);
  return static_cast<int>(c.items.size()) - 1;
}

int CMemoryHost::TreeParent(int id, int index) const {
  const Control* c = Get(id);
  if (!c || index < 0 || index >= static_cast<int>(c->parents.size())) return -1;
  return c->parents[static_cast<size_t>(index)];
}

int CMemoryHost::GetCount(int id) const {
  const Control* c = Get(id);
  return c ? static_cast<int>(c->items.size()) : 0;
}

int CMemoryHost::GetCurSel(int id) const {
  const Control* c = Get(id);
  return c ? c->sel : -1;
}

void CMemoryHost::SetCurSel(int id, int index) {
  Control& c = At(id);
  c.sel = index >= 0 && index < static_cast<int>(c.items.size()) ? index : -1;
  c.selected.clear();
}

CString CMemoryHost::GetItemText(int id, int index) const {
  const Control* c = Get(id);
  if (!c || index < 0 || index >= static_cast<int>(c->items.size())) return CString();
  return c->items[static_cast<size_t>(index)];
}

void CMemoryHost::SetRange(int id, int lower, int upper) {
  Control& c = At(id);
  c.lower = lower;
  c.upper = upper;
}

void CMemoryHost::SetPictureState(int id, int state) {
  At(id).pictureState = state;
}

int CMemoryHost::GetPictureState(int id) const {
  const Control* c = Get(id);
  return c ? c->pictureState : -1;
}

void CMemoryHost::Enable(int id, bool enable) {
  At(id).enabled = enable;
}
bool CMemoryHost::IsEnabled(int id) const {
  const Control* c = Get(id);
  return c && c->enabled;
}
void CMemoryHost::Show(int id, bool show) {
  At(id).visible = show;
}
bool CMemoryHost::IsVisible(int id) const {
  const Control* c = Get(id);
  return c && c->visible;
}

void CMemoryHost::MoveControl(int id, const CRect& rect) {
  At(id).desc.rect = rect;
}

void CMemoryHost::SetTip(int id, const CString& text) {
  Control& c = At(id);
  c.tip = text;
  c.tipProvider = nullptr;
}

void CMemoryHost::SetTipProvider(int id, std::function<CString()> provider) {
  Control& c = At(id);
  c.tip = CString();
  c.tipProvider = std::move(provider);
}

CString CMemoryHost::GetTip(int id) const {
  const Control* c = Get(id);
  if (!c) return CString();
  return c->tipProvider ? c->tipProvider() : c->tip;
}

void CMemoryHost::SetTabOrder(const std::vector<int>& ids) {
  std::vector<int> order;
  for (int id : ids)
    if (m_controls.count(id)) order.push_back(id);
  for (int id : m_order)
    if (std::find(order.begin(), order.end(), id) == order.end()) order.push_back(id);
  m_order = order;
}
