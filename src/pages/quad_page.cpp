#include "pages/quad_page.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "platform/string_table.h"

namespace {

bool ParseAmp(const CString& text, double* out) {
  CString trimmed = text;
  const std::string s = trimmed.Trim().ToUtf8();
  if (s.empty() || s == "-" || s == "." || s == "-.") return false;
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  if (end != s.c_str() + s.size() || !std::isfinite(v)) return false;
  *out = v;
  return true;
}

}  // namespace

CString CQUAD::FormatAmp(double value) {
  CString text = FormatString(u"%.2f", value);
  while (text.GetLength() > 0 && text[text.GetLength() - 1] == u'0') text = text.Left(text.GetLength() - 1);
  if (text.GetLength() > 0 && text[text.GetLength() - 1] == u'.') text = text.Left(text.GetLength() - 1);
  if (text == u"-0") text = u"0";
  return text;
}

CString CQUAD::FilterAmp(const CString& text) {
  CString kept;
  int whole = 0, decimals = 0;
  bool point = false;
  for (int i = 0; i < text.GetLength(); ++i) {
    const char16_t ch = text[i];
    if (ch == u'-' && kept.IsEmpty()) {
      kept += ch;
    } else if (ch == u'.' && !point) {
      point = true;
      kept += ch;
    } else if (ch >= u'0' && ch <= u'9') {
      if (point ? decimals++ >= 2 : whole++ >= 5) continue;
      kept += ch;
    }
  }
  return kept;
}

CQUAD::CQUAD() {
  m_strTitle = Describe().caption;
  m_nCoefA = 1;
}

const PageDesc& CQUAD::Describe() const {
  using K = ControlKind;
  constexpr UINT num = kStyleRight;
  static const PageDesc desc = [] {
    PageDesc d{
        kTemplate,
        u"Parameter",
        CSize(260, 176),
        {
            {kIdBlockNameLabel, K::kStatic, u"Block name", CRect(7, 9, 58, 19), kStyleRight},
            {kIdBlockName, K::kEdit, u"", CRect(62, 7, 140, 20)},
            {kIdProtection, K::kCheck, u"Protection Active", CRect(160, 8, 253, 19)},
            {1303, K::kStatic, u"y=Ax\u00b2 + Bx + C", CRect(7, 28, 253, 37)},
            {1304, K::kStatic, u"x = ( -B + sqrt(B\u00b2 -4A(C-y)) ) / 2A  ( while dir = 0 )",
             CRect(7, 39, 253, 48)},
            {1305, K::kStatic, u"x = ( -B - sqrt(B\u00b2 -4A(C-y)) ) / 2A  ( while dir = 1 )",
             CRect(7, 50, 253, 59)},
            {1306, K::kStatic, u"R = 1  -->  Output = 0", CRect(7, 61, 253, 70)},
            {1307, K::kStatic, u"R = 0  -->  Output = x * Amp     ( -32767 ~ 32767 )", CRect(7, 72, 253, 81)},
            {2001, K::kStatic, u"A", CRect(7, 92, 20, 102)},
            {kIdA, K::kEdit, u"", CRect(22, 90, 70, 102), num},
            {kIdASpin, K::kSpin, u"", CRect(70, 90, 80, 102), 0, {}, kIdA},
            {2002, K::kStatic, u"B", CRect(90, 92, 102, 102)},
            {kIdB, K::kEdit, u"", CRect(104, 90, 152, 102), num},
            {kIdBSpin, K::kSpin, u"", CRect(152, 90, 162, 102), 0, {}, kIdB},
            {2003, K::kStatic, u"C", CRect(172, 92, 184, 102)},
            {kIdC, K::kEdit, u"", CRect(186, 90, 234, 102), num},
            {kIdCSpin, K::kSpin, u"", CRect(234, 90, 244, 102), 0, {}, kIdC},
            {2004, K::kStatic, u"Dir", CRect(7, 112, 40, 122)},
            {kIdDirection, K::kCombo, u"", CRect(44, 110, 80, 150), 0, {u"0", u"1"}},
            {2005, K::kStatic, u"Amplification", CRect(90, 112, 150, 122)},
            {kIdAmp, K::kEdit, u"", CRect(152, 110, 210, 122), num},
            {kIdAmpSpin, K::kSpin, u"", CRect(210, 110, 220, 122), 0, {}, kIdAmp},
        }};
    d.controls.back().decimals = 2;  // steps the amplification by 0.01
    return d;
  }();
  return desc;
}

void CQUAD::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, kIdProtection, m_bProtection);
  DDX_Text(dx, kIdBlockName, m_strName);
  DDV_MaxChars(dx, m_strName, kBlockNameChars);
  DDX_CBIndex(dx, kIdDirection, m_nChoice);
  DDX_Text(dx, kIdB, m_nCoefB);
  DDV_MinMaxInt(dx, m_nCoefB, -kCoefLimit, kCoefLimit);
  DDX_Text(dx, kIdC, m_nCoefC);
  DDV_MinMaxInt(dx, m_nCoefC, -kCoefLimit, kCoefLimit);
  dx.SetLastControl(kIdAmp);
  if (dx.IsSaving()) {
    double amp = 0;
    if (!ParseAmp(dx.Host().GetText(kIdAmp), &amp) || amp < -kAmpLimit || amp > kAmpLimit)
      dx.Fail(FormatString(LoadString(378).GetString(), -kAmpLimit, kAmpLimit));
    m_dAmplification = amp;
  } else {
    dx.Host().SetText(kIdAmp, FormatAmp(m_dAmplification));
  }
  DDX_Text(dx, kIdA, m_nCoefA);
  DDV_MinMaxInt(dx, m_nCoefA, -kCoefLimit, kCoefLimit);
  // The root divides by 2A.
  if (dx.IsSaving() && m_nCoefA == 0) dx.Fail(LoadString(641));
}

void CQUAD::OnInitDialog() {
  CBlockParamPage::OnInitDialog();
  ApplyNameRule();
  CControlHost& host = Host();
  for (int spin : {kIdASpin, kIdBSpin, kIdCSpin}) host.SetRange(spin, -kCoefLimit, kCoefLimit);
  for (int edit : {kIdA, kIdB, kIdC}) {
    host.LimitText(edit, 6);
    AddRangeTip(edit, -kCoefLimit, kCoefLimit);
  }
  host.SetRange(kIdAmpSpin, static_cast<int>(-kAmpLimit), static_cast<int>(kAmpLimit));
  host.LimitText(kIdAmp, 9);
  AddRangeTip(kIdAmp, -kAmpLimit, kAmpLimit);
  if (Simulating()) CreateCurrentValueBox();
}

void CQUAD::OnAmpUpdate() {
  CControlHost& host = Host();
  if (host.GetFocus() != kIdAmp) return;
  const CString text = host.GetText(kIdAmp);
  const CString kept = FilterAmp(text);
  if (kept != text) return host.SetText(kIdAmp, kept);
  double amp = 0;
  if (!ParseAmp(kept, &amp)) return;
  if (amp > kAmpLimit) host.SetText(kIdAmp, FormatAmp(kAmpLimit));
  if (amp < -kAmpLimit) host.SetText(kIdAmp, FormatAmp(-kAmpLimit));
}

void CQUAD::OnCoefUpdate(int id) {
  // Digits and a leading minus only.
  CControlHost& host = Host();
  if (host.GetFocus() != id) return;
  const CString text = host.GetText(id);
  CString kept;
  for (int i = 0; i < text.GetLength(); ++i)
    if ((text[i] >= u'0' && text[i] <= u'9') || (text[i] == u'-' && i == 0)) kept += text[i];
  if (kept != text) host.SetText(id, kept);
}

void CQUAD::OnNotify(int id, Notify code) {
  if (id == kIdAmp && code == Notify::kUpdate) return OnAmpUpdate();
  if ((id == kIdA || id == kIdB || id == kIdC) && code == Notify::kUpdate) return OnCoefUpdate(id);
  if ((id == kIdA || id == kIdB || id == kIdC || id == kIdAmp) && code == Notify::kChange)
    return OnValueChange(id);
  if ((id == kIdDirection && code == Notify::kSelChange) || (id == kIdProtection && code == Notify::kClicked))
    return OnValueChange(id);
  CBlockParamPage::OnNotify(id, code);
}

void CQUAD::LoadValues(const BlockPageValues& values) {
  CBlockParamPage::LoadValues(values);
  static_cast<ChoiceValues&>(*this) = values.choice;
}

void CQUAD::StoreValues(BlockPageValues& values) const {
  CBlockParamPage::StoreValues(values);
  values.choice = *this;
}
