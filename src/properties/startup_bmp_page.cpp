#include "properties/startup_bmp_page.h"

#include "image/startup_bitmap.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"

namespace {

const std::vector<CString> kLanguages = {
    u"English",          u"Italy",  u"Dutch",   u"Spanish", u"French", u"Traditional Chinese",
    u"Simplied Chinese", u"German", u"Turkish", u"Russian"};
const std::vector<CString> kLogoTimes = {u"None", u"5 Seconds", u"10 Seconds", u"15 Seconds"};
const std::vector<CString> kContrasts = {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"};
const std::vector<CString> kBacklights = {u"OFF", u"ON"};

CString Extension(const CString& path) {
  const int dot = path.ReverseFind(u'.');
  const int slash = path.ReverseFind(u'/');
  return dot > slash && dot >= 0 ? path.Mid(dot + 1) : CString();
}

}  // namespace

const PageDesc& CStartUpBmp::Describe() const {
  static const PageDesc desc = {
      4577,
      u"LCD Setting",
      CSize(276, 230),
      {
          {kIdTopLine, ControlKind::kStatic, u"This data is transferred with the user program to the device.",
           CRect(7, 7, 269, 17)},
          {kIdLogoGroup, ControlKind::kGroup, u"Startup Bitmap", CRect(7, 20, 269, 66)},
          {kIdPathLabel, ControlKind::kStatic, u"Company logo:", CRect(14, 33, 70, 43)},
          {kIdPath, ControlKind::kEdit, u"", CRect(72, 31, 220, 43)},
          {kIdOpen, ControlKind::kButton, u"Open", CRect(224, 30, 262, 44)},
          {kIdInverse, ControlKind::kCheck, u"Show at Device Inversely", CRect(14, 50, 150, 60)},
          {kIdPreview, ControlKind::kGroup, u"Preview", CRect(7, 70, 140, 130)},
          {kIdUploaded, ControlKind::kStatic, u"There are Bitmap data in this Document(from UpLoad).",
           CRect(144, 76, 269, 96), kStyleHidden},
          {kIdDisplayGroup, ControlKind::kGroup, u"", CRect(7, 134, 269, 222)},
          {kIdLanguageLabel, ControlKind::kStatic, u"Language Setting:", CRect(14, 146, 140, 156)},
          {kIdLanguage, ControlKind::kCombo, u"", CRect(144, 144, 262, 220)},
          {kIdLogoTimeLabel, ControlKind::kStatic, u"Logo Display time:", CRect(14, 164, 140, 174)},
          {kIdLogoTime, ControlKind::kCombo, u"", CRect(144, 162, 262, 220)},
          {kIdContrastLabel, ControlKind::kStatic, u"LCD Brightness Contrast Intensity:",
           CRect(14, 182, 140, 192)},
          {kIdContrast, ControlKind::kCombo, u"", CRect(144, 180, 262, 260)},
          {kIdBacklightLabel, ControlKind::kStatic, u"LCD Backlight:", CRect(14, 200, 140, 210)},
          {kIdBacklight, ControlKind::kCombo, u"", CRect(144, 198, 262, 240)},
      }};
  return desc;
}

bool CStartUpBmp::Newer() const {
  return Document() && Document()->GetModelFamily() > 0x50;
}

void CStartUpBmp::OnInitDialog() {
  CParamPage::OnInitDialog();
  CControlHost& host = Host();
  host.Show(kIdUploaded, Document() && Document()->m_bHasLogoImage);
  if (!m_strPath.IsEmpty()) LoadPreview(m_strPath, Extension(m_strPath));
  host.SetTip(kIdPath, u"Company Name or File Name containing Company Logo(Size = 108x64 pixels)");
  const std::pair<int, const std::vector<CString>*> combos[] = {{kIdLanguage, &kLanguages},
                                                                {kIdLogoTime, &kLogoTimes},
                                                                {kIdContrast, &kContrasts},
                                                                {kIdBacklight, &kBacklights}};
  const int values[] = {m_nLanguage, m_nLogoTime, m_nContrast, m_nBacklight};
  const bool newer = Newer();
  for (int id : {kIdDisplayGroup, kIdLanguageLabel, kIdLanguage, kIdLogoTimeLabel, kIdLogoTime,
                 kIdContrastLabel, kIdContrast, kIdBacklightLabel, kIdBacklight})
    host.Show(id, newer);
  if (!newer) return;
  for (size_t i = 0; i < 4; ++i) {
    const auto& [id, items] = combos[i];
    host.ResetContent(id);
    for (const CString& item : *items) host.AddString(id, item);
    host.SetCurSel(id, values[i] >= 0 && values[i] < static_cast<int>(items->size()) ? values[i] : 0);
  }
}

void CStartUpBmp::LoadPreview(const CString& path, const CString& ext) {
  m_strPreview.Empty();
  // The check shows its own message for a file that is no suitable logo.
  const int result =
      ext.CompareNoCase(u"BMP") == 0 ? LoadStartupBitmap(path, false, nullptr) : kBitmapNotFound;
  if (result == kBitmapNotFound) {
    CString text;
    text.Format(u"%ls is not a valid bitmap file or File not Found!", path.GetString());
    AfxMessageBox(text, MB_OK);
  } else if (result == kBitmapOk) {
    m_strPreview = path;
    if (IsAttached()) Host().SetText(kIdPath, path);
  }
  if (m_onPreview) m_onPreview(m_strPreview);
}

void CStartUpBmp::OnNotify(int id, Notify code) {
  if (id != kIdOpen || code != Notify::kClicked || !m_chooseFile) return;
  const CString path = m_chooseFile();
  if (!path.IsEmpty()) LoadPreview(path, Extension(path));
}

void CStartUpBmp::OnCancel() {
  m_strPath.Empty();
}

void CStartUpBmp::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, kIdPath, m_strPath);
  DDV_MaxChars(dx, m_strPath, 255);
  DDX_Check(dx, kIdInverse, m_bInverse);
  if (!Newer()) return;
  DDX_CBIndex(dx, kIdLanguage, m_nLanguage);
  DDX_CBIndex(dx, kIdLogoTime, m_nLogoTime);
  DDX_CBIndex(dx, kIdContrast, m_nContrast);
  DDX_CBIndex(dx, kIdBacklight, m_nBacklight);
}
