// The one save sequence on a real document: the proposed name, Save and Save
// As, a failed save shown through the message sink with the old file kept, and
// the "Save changes to ...?" question with its three answers.
#include "editor/document_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "platform/paths.h"
#include "platform/resource_ids.h"
#include "support/fake_contexts.h"

namespace {

namespace fs = std::filesystem;

// The Save As dialog: keeps what it was offered, answers with a path (empty: cancel).
class ScriptedPrompt : public CSaveNamePrompt {
 public:
  bool PromptSaveFileName(CSavableDocument&, CString* path) override {
    offered.push_back(*path);
    if (answer.IsEmpty()) return false;
    *path = answer;
    return true;
  }
  std::vector<CString> offered;
  CString answer;
};

class DocumentSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const CString folder = MakeUniqueFolder(GetTempFolder(), CString(u"document_save_"));
    ASSERT_FALSE(folder.IsEmpty());
    m_dir = fs::path(folder.ToUtf8());
    m_doc.SetTitle(CString(u"Diagram1"));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }
  CString PathOf(const char* name) const { return CString::FromUtf8((m_dir / name).string()); }

  RecordingMessageSink m_sink;
  ScopedMessageSink m_scopedSink{&m_sink};
  fs::path m_dir;
  CZaradDoc m_doc;
  ScriptedPrompt m_prompt;
};

TEST_F(DocumentSaveTest, ProposesTheTitleUpToTheFirstSpecialCharacter) {
  struct Case {
    const char16_t* title;
    int kind;
    const char16_t* proposed;
  };
  const Case kCases[] = {{u"Plant A", kDocFbd, u"Plant.bfb"}, {u"Line#2", kDocLadder, u"Line.bld"},
                         {u"x%y", kDocFbd, u"x.bfb"},         {u"a;b", kDocFbd, u"a.bfb"},
                         {u"p/q", kDocLadder, u"p.bld"},      {u"r\\s", kDocFbd, u"r.bfb"},
                         {u"Plain", kDocLadder, u"Plain.bld"}};
  for (const Case& c : kCases) {
    m_doc.SetTitle(CString(c.title));
    m_doc.m_nKind = c.kind;
    m_prompt.offered.clear();
    EXPECT_FALSE(SaveDocument(m_doc, &m_prompt));  // cancelled
    ASSERT_EQ(m_prompt.offered.size(), 1u);
    EXPECT_EQ(m_prompt.offered[0], CString(c.proposed)) << CString(c.title).ToUtf8();
  }
  // A document with a path is offered its path; without a prompt nothing is saved.
  m_doc.SetPathName(PathOf("there.bfb"));
  m_prompt.offered.clear();
  EXPECT_FALSE(SaveDocument(m_doc, CString(), &m_prompt));
  EXPECT_EQ(m_prompt.offered, std::vector<CString>{PathOf("there.bfb")});
  EXPECT_FALSE(SaveDocument(m_doc, CString(), nullptr));
  EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(DocumentSaveTest, SaveAsTakesTheNameAndSaveKeepsIt) {
  m_doc.SetModifiedFlag(true);
  m_prompt.answer = PathOf("plant.bfb");
  ASSERT_TRUE(SaveDocument(m_doc, &m_prompt));  // no path yet: Save As
  EXPECT_EQ(m_doc.GetPathName(), PathOf("plant.bfb"));
  EXPECT_EQ(m_doc.GetTitle(), CString(u"plant.bfb"));
  EXPECT_FALSE(m_doc.IsModified());
  EXPECT_TRUE(fs::exists(m_dir / "plant.bfb"));
  // Save again: the same file, no dialog.
  m_doc.SetModifiedFlag(true);
  ASSERT_TRUE(SaveDocument(m_doc, &m_prompt));
  EXPECT_EQ(m_prompt.offered.size(), 1u);
  EXPECT_FALSE(m_doc.IsModified());
  // A copy leaves the document's name and state alone.
  m_doc.SetModifiedFlag(true);
  ASSERT_TRUE(SaveDocument(m_doc, PathOf("copy.bfb"), &m_prompt, false));
  EXPECT_TRUE(fs::exists(m_dir / "copy.bfb"));
  EXPECT_EQ(m_doc.GetTitle(), CString(u"plant.bfb"));
  // A relative name becomes an absolute path.
  const fs::path before = fs::current_path();
  fs::current_path(m_dir);
  m_prompt.answer = CString(u"sub/../rel.bfb");
  fs::create_directories(m_dir / "sub");
  const bool saved = SaveDocument(m_doc, CString(), &m_prompt);
  fs::current_path(before);
  ASSERT_TRUE(saved);
  EXPECT_EQ(m_doc.GetPathName(), PathOf("rel.bfb"));
  EXPECT_EQ(m_doc.GetTitle(), CString(u"rel.bfb"));
}

TEST_F(DocumentSaveTest, AFailedSaveIsShownAndKeepsTheOldFile) {
  const fs::path target = m_dir / "keep.bfb";
  std::ofstream(target, std::ios::binary) << "old";
  // A folder in the place of the target cannot be replaced.
  fs::create_directories(m_dir / "folder.bfb" / "inside");
  m_doc.SetModifiedFlag(true);
  EXPECT_FALSE(SaveDocument(m_doc, PathOf("folder.bfb"), &m_prompt));
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_NE(m_sink.messages()[0].text.Find(CString(u"folder.bfb")), -1);
  EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kWarning);
  EXPECT_TRUE(m_doc.IsModified());
  EXPECT_TRUE(m_doc.GetPathName().IsEmpty());
  EXPECT_EQ(fs::file_size(target), 3u);
}

TEST_F(DocumentSaveTest, AskToSaveAnswers) {
  // An unmodified document is not asked about.
  EXPECT_TRUE(SaveModifiedDocument(m_doc, &m_prompt));
  EXPECT_TRUE(m_sink.messages().empty());

  m_doc.SetModifiedFlag(true);
  m_sink.QueueAnswer(IDCANCEL);
  EXPECT_FALSE(SaveModifiedDocument(m_doc, &m_prompt));
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(m_sink.messages()[0].text, CString(u"Save changes to Diagram1?"));
  EXPECT_EQ(m_sink.messages()[0].buttons, MessageButtons::kYesNoCancel);
  EXPECT_EQ(m_sink.messages()[0].help_id, AFX_IDP_ASK_TO_SAVE);

  // No: the changes stay unsaved and the document may go.
  m_sink.QueueAnswer(IDNO);
  EXPECT_TRUE(SaveModifiedDocument(m_doc, &m_prompt));
  EXPECT_TRUE(m_doc.IsModified());

  // Yes with a cancelled Save As keeps it open.
  m_sink.QueueAnswer(IDYES);
  EXPECT_FALSE(SaveModifiedDocument(m_doc, &m_prompt));

  // Yes with a name saves; the question then names the path.
  m_sink.QueueAnswer(IDYES);
  m_prompt.answer = PathOf("asked.bfb");
  EXPECT_TRUE(SaveModifiedDocument(m_doc, &m_prompt));
  EXPECT_FALSE(m_doc.IsModified());
  m_doc.SetModifiedFlag(true);
  m_sink.QueueAnswer(IDNO);
  SaveModifiedDocument(m_doc, &m_prompt);
  EXPECT_EQ(m_sink.messages().back().text, CString(u"Save changes to ") + PathOf("asked.bfb") + u"?");
}

}  // namespace
