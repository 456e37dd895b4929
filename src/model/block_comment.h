// CBlockComment: free text on the diagram, a rectangle holding one or more
// lines in a font and colour of the user's choice. It takes no part in the
// logic. The document owns its comments and stores them in the diagram file.
#pragma once

#include <string>
#include <vector>

#include "platform/cdc.h"
#include "platform/cstring.h"
#include "platform/object.h"
#include "platform/types.h"

class CArchive;

// Characters of a face name in the comment record (including the closing zero).
constexpr int kCommentFaceNameChars = 32;

class CBlockComment : public CObject {
  DECLARE_SERIAL(CBlockComment)

 public:
  CBlockComment();
  ~CBlockComment() override = default;
  CBlockComment(const CBlockComment&) = delete;
  CBlockComment& operator=(const CBlockComment&) = delete;

  // The comment record. Storing always writes the face name as 32 UTF-16
  // characters (schema 1); loading also reads schema 0, whose face name is 32
  // single bytes. Any other schema throws CArchiveException::badSchema. A face
  // name read from a record is written back as it was stored (all 32 characters,
  // whatever follows its closing zero, or none) until the name is changed.
  void Serialize(CArchive& ar) override;

  // The font of a new comment: all zero except height 12 and face "Arial".
  static LOGFONT DefaultFont();

  // Where each line of m_strText begins and how long it is (lines end at CR LF; an
  // empty last line is left out). Worked out once for each text the comment holds,
  // not at every repaint.
  struct LineSpan {
    int start = 0;
    int length = 0;
  };
  const std::vector<LineSpan>& GetLineSpans() const;

  // ---- Fields, in declaration order -----------------------------------------
  CPoint m_ptPos;         // top-left corner of the rectangle
  CPoint m_ptDragStart;   // position when the current mouse move began
  CSize m_size;           // width and height of the rectangle
  CString m_strText;      // lines separated by CR LF
  int m_nLines = 1;       // lines the rectangle height is divided into
  COLORREF m_crText = 0;  // text colour
  LOGFONT m_lf;           // the font
  int m_bSelected = 0;    // selected in the view

 private:
  std::u16string m_storedFace;           // the record's 32 face-name characters; empty when none was read
  mutable std::u16string m_laidOutText;  // the text m_lineSpans belong to
  mutable std::vector<LineSpan> m_lineSpans;  // its lines
  mutable bool m_bLaidOut = false;
};
