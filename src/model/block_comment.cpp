#include "model/block_comment.h"

#include "model/diagram_limits.h"
#include "platform/archive.h"

IMPLEMENT_SERIAL(CBlockComment, CObject, VERSIONABLE_SCHEMA | 1)

namespace {

// The name in a record's face-name characters: up to the closing zero, all of them without one.
std::u16string NameOfFace(const std::u16string& stored) {
  return stored.substr(0, stored.find(u'\0'));
}

}  // namespace

CBlockComment::CBlockComment() : m_strText(u"Comment"), m_lf(DefaultFont()) {}

LOGFONT CBlockComment::DefaultFont() {
  LOGFONT lf;
  lf.lfHeight = 12;
  lf.lfWidth = lf.lfEscapement = lf.lfOrientation = lf.lfWeight = 0;
  lf.lfItalic = lf.lfUnderline = lf.lfStrikeOut = 0;
  lf.lfCharSet = lf.lfOutPrecision = lf.lfClipPrecision = lf.lfQuality = lf.lfPitchAndFamily = 0;
  lf.lfFaceName = CString(u"Arial");
  return lf;
}

const std::vector<CBlockComment::LineSpan>& CBlockComment::GetLineSpans() const {
  const std::u16string& text = m_strText.str();
  if (m_bLaidOut && text == m_laidOutText) return m_lineSpans;
  m_lineSpans.clear();
  size_t start = 0;
  for (;;) {
    const size_t at = text.find(u"\r\n", start);
    const size_t end = at == std::u16string::npos ? text.size() : at;
    m_lineSpans.push_back({static_cast<int>(start), static_cast<int>(end - start)});
    if (at == std::u16string::npos) break;
    start = at + 2;
  }
  if (m_lineSpans.size() > 1 && m_lineSpans.back().length == 0) m_lineSpans.pop_back();
  m_laidOutText = text;
  m_bLaidOut = true;
  return m_lineSpans;
}

void CBlockComment::Serialize(CArchive& ar) {
  CObject::Serialize(ar);
  if (ar.IsStoring()) {
    ar << m_ptPos.x << m_ptPos.y << m_ptDragStart.x << m_ptDragStart.y << m_size.cx << m_size.cy;
    ar << m_strText << m_nLines << static_cast<int>(m_crText);
    ar << static_cast<int>(m_lf.lfHeight) << static_cast<int>(m_lf.lfWidth)
       << static_cast<int>(m_lf.lfEscapement) << static_cast<int>(m_lf.lfOrientation)
       << static_cast<int>(m_lf.lfWeight);
    ar << m_lf.lfItalic << m_lf.lfUnderline << m_lf.lfStrikeOut << m_lf.lfCharSet << m_lf.lfOutPrecision
       << m_lf.lfClipPrecision << m_lf.lfQuality << m_lf.lfPitchAndFamily;
    // The face name fills 32 characters, the last one always the closing zero, unless
    // it is still the one a record held: then the record's characters go back unchanged.
    if (!m_storedFace.empty() && NameOfFace(m_storedFace) == m_lf.lfFaceName.str()) {
      for (char16_t c : m_storedFace) ar << static_cast<WORD>(c);
      return;
    }
    const std::u16string& face = m_lf.lfFaceName.str();
    for (int i = 0; i < kCommentFaceNameChars; ++i) {
      const bool inName = i < kCommentFaceNameChars - 1 && static_cast<size_t>(i) < face.size();
      ar << static_cast<WORD>(inName ? face[static_cast<size_t>(i)] : 0);
    }
    return;
  }

  ar >> m_ptPos.x >> m_ptPos.y >> m_ptDragStart.x >> m_ptDragStart.y >> m_size.cx >> m_size.cy;
  m_ptPos = ClampPoint(m_ptPos);
  m_ptDragStart = ClampPoint(m_ptDragStart);
  m_size = ClampExtent(m_size);
  int colour = 0;
  ar >> m_strText >> m_nLines >> colour;
  m_crText = static_cast<COLORREF>(colour);
  int height = 0, width = 0, escapement = 0, orientation = 0, weight = 0;
  ar >> height >> width >> escapement >> orientation >> weight;
  m_lf.lfHeight = height;
  m_lf.lfWidth = width;
  m_lf.lfEscapement = escapement;
  m_lf.lfOrientation = orientation;
  m_lf.lfWeight = weight;
  ar >> m_lf.lfItalic >> m_lf.lfUnderline >> m_lf.lfStrikeOut >> m_lf.lfCharSet >> m_lf.lfOutPrecision >>
      m_lf.lfClipPrecision >> m_lf.lfQuality >> m_lf.lfPitchAndFamily;

  const UINT schema = ar.GetObjectSchema();
  if (schema > 1) ar.ThrowException(CArchiveException::badSchema, "CBlockComment");
  std::u16string stored;
  for (int i = 0; i < kCommentFaceNameChars; ++i) {
    char16_t c = 0;
    if (schema == 1) {
      WORD w = 0;
      ar >> w;
      c = static_cast<char16_t>(w);
    } else {
      BYTE b = 0;
      ar >> b;  // the old record's 8-bit face name: each byte widened
      c = static_cast<char16_t>(b);
    }
    stored.push_back(c);
  }
  m_lf.lfFaceName = CString(NameOfFace(stored));
  m_storedFace = std::move(stored);
  // A line count below zero divides nothing sensibly; the drawing writes no lines for 0.
  if (m_nLines < 0) m_nLines = 0;
}
