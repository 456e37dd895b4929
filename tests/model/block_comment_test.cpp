#include "model/block_comment.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/archive.h"

namespace {

TEST(BlockCommentTest, NewCommentDefaults) {
  CBlockComment comment;
  EXPECT_EQ(comment.m_strText, CString(u"Comment"));
  EXPECT_EQ(comment.m_nLines, 1);
  EXPECT_EQ(comment.m_crText, 0u);
  EXPECT_EQ(comment.m_bSelected, 0);
  LOGFONT expected;
  expected.lfCharSet = expected.lfOutPrecision = expected.lfClipPrecision = expected.lfQuality = 0;
  expected.lfPitchAndFamily = 0;
  expected.lfHeight = 12;
  expected.lfFaceName = CString(u"Arial");
  EXPECT_EQ(comment.m_lf, expected);
}

TEST(BlockCommentTest, RecordKeepsEveryStoredField) {
  CBlockComment comment;
  comment.m_ptPos = CPoint(10, -20);
  comment.m_ptDragStart = CPoint(7, 8);
  comment.m_size = CSize(300, 36);
  comment.m_strText = CString(u"one\r\ntwo \u6e29\r\nthree");
  comment.m_nLines = 3;
  comment.m_crText = 0x00123456;
  comment.m_lf.lfHeight = -16;
  comment.m_lf.lfWidth = 7;
  comment.m_lf.lfEscapement = 900;
  comment.m_lf.lfOrientation = 450;
  comment.m_lf.lfWeight = 700;
  comment.m_lf.lfItalic = 1;
  comment.m_lf.lfUnderline = 1;
  comment.m_lf.lfStrikeOut = 1;
  comment.m_lf.lfCharSet = 134;
  comment.m_lf.lfOutPrecision = 3;
  comment.m_lf.lfClipPrecision = 2;
  comment.m_lf.lfQuality = 5;
  comment.m_lf.lfPitchAndFamily = 0x31;
  comment.m_lf.lfFaceName = CString(u"\u5b8b\u4f53 Face");
  comment.m_bSelected = 1;  // not stored

  CArchive out;
  out << &comment;
  // Class record (2 + 2 + 2 + 13), then 24 bytes of points, the text, 8 ints, 8 bytes and 64 of face name.
  CArchive in(out.GetBytes());
  std::unique_ptr<CBlockComment> loaded;
  {
    CBlockComment* p = nullptr;
    in >> p;
    loaded.reset(p);
  }
  ASSERT_NE(loaded, nullptr);
  EXPECT_TRUE(in.IsBufferEmpty());
  EXPECT_EQ(loaded->m_ptPos, comment.m_ptPos);
  EXPECT_EQ(loaded->m_ptDragStart, comment.m_ptDragStart);
  EXPECT_EQ(loaded->m_size, comment.m_size);
  EXPECT_EQ(loaded->m_strText, comment.m_strText);
  EXPECT_EQ(loaded->m_nLines, 3);
  EXPECT_EQ(loaded->m_crText, comment.m_crText);
  EXPECT_EQ(loaded->m_lf, comment.m_lf);
  EXPECT_EQ(loaded->m_bSelected, 0);

  // A face name longer than 31 characters keeps 31 and the closing zero.
  comment.m_lf.lfFaceName = CString(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
  CArchive longOut;
  longOut << &comment;
  CArchive longIn(longOut.GetBytes());
  CBlockComment* p = nullptr;
  longIn >> p;
  std::unique_ptr<CBlockComment> owned(p);
  EXPECT_EQ(owned->m_lf.lfFaceName, CString(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ01234"));
}

// A face name read from a record goes back as it was stored: characters after the
// closing zero, and a name of all 32 characters without one, survive a round trip.
TEST(BlockCommentTest, StoredFaceNameIsKeptAsStored) {
  struct Case {
    const char* what;
    std::u16string face;  // the 32 characters of the record
    std::u16string name;  // the name the comment reads
  };
  const std::u16string full = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345";
  std::u16string trailing = u"Arial";
  trailing.push_back(u'\0');
  trailing += u"Old garbage";
  trailing.resize(kCommentFaceNameChars, u'x');
  std::u16string plain = u"Arial";
  plain.resize(kCommentFaceNameChars, u'\0');
  const Case cases[] = {
      {"bytes after the zero", trailing, u"Arial"},
      {"32 characters, no zero", full, full},
      {"plain", plain, u"Arial"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CBlockComment comment;
    CArchive out;
    out << &comment;
    std::vector<BYTE> bytes = out.TakeBytes();
    // The face name is the record's last 64 bytes.
    ASSERT_GE(bytes.size(), 64u);
    for (int i = 0; i < kCommentFaceNameChars; ++i) {
      bytes[bytes.size() - 64 + 2 * i] = static_cast<BYTE>(c.face[i] & 0xFF);
      bytes[bytes.size() - 64 + 2 * i + 1] = static_cast<BYTE>(c.face[i] >> 8);
    }
    CArchive in(bytes);
    CBlockComment* p = nullptr;
    in >> p;
    std::unique_ptr<CBlockComment> loaded(p);
    EXPECT_EQ(loaded->m_lf.lfFaceName, CString(c.name));
    CArchive again;
    again << static_cast<const CObject*>(loaded.get());
    EXPECT_EQ(again.GetBytes(), bytes);

    // A face name the user changes is written the usual way.
    loaded->m_lf.lfFaceName = CString(u"Courier");
    CArchive changed;
    changed << static_cast<const CObject*>(loaded.get());
    const std::vector<BYTE>& written = changed.GetBytes();
    EXPECT_EQ(written[written.size() - 64 + 14], 0);  // after "Courier", zeros
    EXPECT_EQ(written.back(), 0);
  }
}

}  // namespace
