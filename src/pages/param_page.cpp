#include "pages/param_page.h"

#include "model/diagram_limits.h"
#include "pages/page_values.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

// "%1" and "%2" of a framework message replaced by the texts.
CString FillPlaceholders(UINT id, const CString& one, const CString& two = CString()) {
  CString text = LoadString(id);
  text.Replace(CString(u"%1"), one);
  text.Replace(CString(u"%2"), two);
  return text;
}

}  // namespace

void CDataExchange::Fail(const CString& message) {
  GetMessageSink().Show(MakeMessage(message, MB_OK | MB_ICONEXCLAMATION));
  if (m_nLastId) m_host.SetFocus(m_nLastId);
  throw DataExchangeFailure();
}

void DDX_Text(CDataExchange& dx, int id, CString& value) {
  dx.SetLastControl(id);
  if (dx.IsSaving())
    value = dx.Host().GetText(id);
  else
    dx.Host().SetText(id, value);
}

void DDX_Text(CDataExchange& dx, int id, int& value) {
  dx.SetLastControl(id);
  if (dx.IsSaving()) {
    int parsed = 0;
    if (!ParseInt(dx.Host().GetText(id), &parsed)) dx.Fail(LoadString(61712));
    value = parsed;
  } else {
    dx.Host().SetInt(id, value);
  }
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
  dx.SetLastControl(id);
  if (dx.IsSaving())
    value = dx.Host().GetCheck(id);
  else
    dx.Host().SetCheck(id, value);
}

void DDX_CBIndex(CDataExchange& dx, int id, int& value) {
  dx.SetLastControl(id);
  if (dx.IsSaving())
    value = dx.Host().GetCurSel(id);
  else
    dx.Host().SetCurSel(id, value);
}

void DDX_CBString(CDataExchange& dx, int id, CString& value) {
  dx.SetLastControl(id);
  CControlHost& host = dx.Host();
  if (dx.IsSaving()) {
    value = host.GetText(id);
    return;
  }
  for (int i = 0; i < host.GetCount(id); ++i)
    if (host.GetItemText(id, i) == value) {
      host.SetCurSel(id, i);
      return;
    }
}

void DDX_Radio(CDataExchange& dx, std::initializer_list<int> ids, int& value) {
  if (ids.size() == 0) return;
  dx.SetLastControl(*ids.begin());
  int index = 0;
  if (dx.IsSaving()) {
    value = -1;
    for (int id : ids) {
      if (dx.Host().GetCheck(id)) {
        value = index;
        break;
      }
      ++index;
    }
  } else {
    for (int id : ids) dx.Host().SetCheck(id, index++ == value ? 1 : 0);
  }
}

void DDV_MaxChars(CDataExchange& dx, const CString& value, int count) {
  if (!dx.IsSaving()) {
    dx.Host().LimitText(dx.LastControl(), count);
    return;
  }
  if (value.GetLength() > count) dx.Fail(FillPlaceholders(61716, FormatString(u"%d", count)));
}

void DDV_MinMaxInt(CDataExchange& dx, int value, int lo, int hi) {
  if (!dx.IsSaving() || (value >= lo && value <= hi)) return;
  dx.Fail(FillPlaceholders(61714, FormatString(u"%d", lo), FormatString(u"%d", hi)));
}

// ---- CParamPage -----------------------------------------------------------------

CParamPage::~CParamPage() = default;

void CParamPage::Attach(CControlHost* host, const CPageContext& context) {
  m_pHost = host;
  m_context = context;
}

void CParamPage::Initialise() {
  if (m_bInitialised || !m_pHost) return;
  m_bInitialised = true;
  OnInitDialog();
  // What the page wrote into its controls is no change of the user's.
  SetModified(false);
}

void CParamPage::OnInitDialog() {
  UpdateData(false);
}

bool CParamPage::UpdateData(bool save) {
  if (!m_pHost) return true;
  CDataExchange dx(*m_pHost, save);
  try {
    DoDataExchange(dx);
  } catch (const DataExchangeFailure&) {
    return false;
  }
  return true;
}

void CParamPage::OnNotify(int, Notify) {}

// ---- CCommentPage ------------------------------------------------------------------

CCommentPage::CCommentPage() {
  m_strTitle = Describe().caption;
}

const PageDesc& CCommentPage::Describe() const {
  static const PageDesc desc = {170,
                                u"Comment",
                                CSize(276, 145),
                                {{kIdText, ControlKind::kEdit, u"", CRect(7, 7, 269, 138), kStyleMultiLine}}};
  // A diagram comment's page leaves room under the text for "Font...".
  static const PageDesc withFont = {
      170,
      u"Comment",
      CSize(276, 145),
      {{kIdText, ControlKind::kEdit, u"", CRect(7, 7, 269, 116), kStyleMultiLine},
       {kIdFont, ControlKind::kButton, u"Font...", CRect(7, 122, 57, 138)}}};
  return m_bFontButton ? withFont : desc;
}

void CCommentPage::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdText, m_strComment);
  DDV_MaxChars(dx, m_strComment, kMaxCommentChars);
}

void CCommentPage::OnNotify(int id, Notify code) {
  if (id == kIdText && code == Notify::kChange) SetModified();
  if (id == kIdFont && code == Notify::kClicked && m_chooseFont) {
    LOGFONT font = m_lfWorking;
    COLORREF colour = m_crWorking;
    if (m_chooseFont(&font, &colour)) {
      m_lfWorking = font;
      m_crWorking = colour;
      SetModified();
    }
  }
}

void CCommentPage::LoadValues(const BlockPageValues& values) {
  m_strComment = values.m_strComment;
}
void CCommentPage::StoreValues(BlockPageValues& values) const {
  values.m_strComment = m_strComment;
}
