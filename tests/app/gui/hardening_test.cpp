// Bad input met through the running editor's own commands: a clipboard payload that
// another program made, a file with bytes after the diagram, a file that is no
// diagram, a comment too long to keep, and Undo while its steps cannot be saved. Each
// gets one clear message and leaves the user's work whole.
#include <QFile>
#include <QMouseEvent>
#include <filesystem>
#include <fstream>

#include "editor/gui/child_frame.h"
#include "editor/gui/zarad_view.h"
#include "model/block_comment.h"
#include "model/diagram_limits.h"
#include "model/zarad_doc.h"
#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"
#include "support/fixture_files.h"

namespace {

namespace fs = std::filesystem;

class HardeningTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    m_app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    g_ShowPropertiesOnNew = 0;
  }
  CChildFrame* ActiveChild() const { return dynamic_cast<CChildFrame*>(m_frame->GetActiveDocumentWindow()); }
  CChildFrame* NewDiagram() {
    m_frame->SendCommand(ID_FILE_NEW);
    QCoreApplication::processEvents();
    return ActiveChild();
  }
  void Place(CChildFrame* child, int type, QPoint at) {
    m_frame->OnPalettePick(MODE_PLACE_BLOCK, type);
    QWidget* w = child->GetActiveView()->viewport();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
      QMouseEvent e(t, QPointF(at), QPointF(w->mapToGlobal(at)), Qt::LeftButton,
                    t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
      QApplication::sendEvent(w, &e);
    }
    child->GetActiveView()->Core().SetEditMode(MODE_SELECT);
  }
  bool Enabled(UINT id) {
    m_frame->UpdateCommandUI();
    return m_frame->GetAction(id)->isEnabled();
  }
  fs::path CopyFixture(const char* name, const std::vector<BYTE>& tail = {}) {
    std::vector<BYTE> bytes = ReadFixtureBytes(name);
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    const fs::path path = Path(QString("copy_") + name).toStdString();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
  }
};

// Edit > Paste of what another program put on the clipboard: whatever the file loader
// would refuse (a block carrying another kind's code, a comment too long) is refused
// with one message and the diagram is unchanged; what is pasted saves to a file that
// opens again.
TEST_F(HardeningTest, PasteRefusesWhatAFileCouldNotHold) {
  CChildFrame* source = NewDiagram();
  ASSERT_NE(source, nullptr);
  CDiagramEditor& from = source->GetActiveView()->Core();
  Place(source, 600, QPoint(120, 100));
  ASSERT_EQ(source->GetDocument()->m_blocks.GetCount(), 1);
  CBlockObj* input = source->GetDocument()->m_blocks.GetHead();

  CChildFrame* target = NewDiagram();
  ASSERT_NE(target, source);
  CZaradDoc* doc = target->GetDocument();
  struct Row {
    const char* what;
    std::function<void()> make;  // puts the payload on the clipboard
    const char16_t* says;
  };
  const Row rows[] = {
      {"an input carrying an output's code",
       [&] {
         from.ClearSelection(SEL_ALL);
         from.SelectBlock(input);
         input->m_nType = 605;
         target->GetActiveView()->SetClipboardPayload(from.CopySelection());
         input->m_nType = 600;
       },
       u"damaged"},
      {"a comment longer than a comment holds",
       [&] {
         auto comment = std::make_unique<CBlockComment>();
         comment->m_strText = CString(u'x', kMaxCommentChars + 1);
         comment->m_nLines = 1;
         comment->m_size = CSize(80, 20);
         CBlockComment* c = comment.get();
         source->GetDocument()->m_comments.AddTail(std::move(comment));
         from.ClearSelection(SEL_ALL);
         from.SelectComment(c);
         target->GetActiveView()->SetClipboardPayload(from.CopySelection());
       },
       u"at most 100000 characters"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    row.make();
    m_sink.Clear();
    ASSERT_TRUE(Enabled(ID_EDIT_PASTE));
    m_frame->SendCommand(ID_EDIT_PASTE);
    ASSERT_EQ(m_sink.messages().size(), 1u);
    EXPECT_NE(m_sink.messages()[0].text.Find(row.says), -1) << m_sink.messages()[0].text.ToUtf8();
    EXPECT_EQ(doc->m_blocks.GetCount(), 0);
    EXPECT_EQ(doc->m_comments.GetCount(), 0);
    EXPECT_FALSE(target->IsModified());
  }

  // The sound input pastes, saves and opens again.
  from.ClearSelection(SEL_ALL);
  from.SelectBlock(input);
  target->GetActiveView()->SetClipboardPayload(from.CopySelection());
  m_sink.Clear();
  m_frame->SendCommand(ID_EDIT_PASTE);
  EXPECT_TRUE(m_sink.messages().empty());
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  const QString saved = Path("pasted.bfb");
  m_dialogs->answers.push_back({saved});
  ASSERT_TRUE(m_frame->SendCommand(ID_FILE_SAVE));
  CZaradDoc reopened;
  CString error;
  EXPECT_TRUE(reopened.OnOpenDocument(ToCString(saved), &error)) << error.ToUtf8();
  EXPECT_EQ(reopened.m_blocks.GetCount(), 1);
}

// File > Open: bytes after the diagram are said in the information window and not
// kept; a large file that is no diagram is one message; a comment too long to keep is
// cut, with a warning, and the diagram opens.
TEST_F(HardeningTest, OpeningDamagedAndOverlongFiles) {
  const std::vector<BYTE> original = ReadFixtureBytes("stair_light.bfb");
  const fs::path followed = CopyFixture("stair_light.bfb", std::vector<BYTE>(200000, 0x5A));
  ASSERT_NE(m_app->OpenDocumentFile(CString::FromUtf8(followed.string())), nullptr);
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_NE(m_sink.information().Find(u"holds 200000 bytes of data after the end of the diagram"), -1);
  CChildFrame* child = ActiveChild();
  ASSERT_NE(child, nullptr);
  CZaradDoc plain;
  CString error;
  ASSERT_TRUE(plain.OnOpenDocument(CString::FromUtf8(FixturePath("stair_light.bfb")), &error))
      << error.ToUtf8();
  EXPECT_EQ(child->GetDocument()->SaveToBytes(), plain.SaveToBytes());
  m_frame->SendCommand(ID_FILE_CLOSE);
  Flush();

  const fs::path zeros = Path("zeros.bfb").toStdString();
  std::ofstream(zeros, std::ios::binary).write(std::string(4 << 20, '\0').data(), 4 << 20);
  m_sink.Clear();
  const int before = DocCount();
  EXPECT_EQ(m_app->OpenDocumentFile(CString::FromUtf8(zeros.string())), nullptr);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_NE(m_sink.messages()[0].text.Find(u"is not a diagram file"), -1);
  EXPECT_EQ(DocCount(), before);

  // A comment of 150000 characters written by another program.
  CZaradDoc writer;
  ASSERT_TRUE(writer.LoadFromBytes(original, "stair_light.bfb", &error)) << error.ToUtf8();
  auto comment = std::make_unique<CBlockComment>();
  comment->m_strText = CString(u'y', 150000);
  comment->m_nLines = 1;
  comment->m_size = CSize(400, 20);
  writer.m_comments.AddTail(std::move(comment));
  const fs::path longComment = Path("long_comment.bfb").toStdString();
  const std::vector<BYTE> bytes = writer.SaveToBytes();
  std::ofstream(longComment, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  m_sink.Clear();
  ASSERT_NE(m_app->OpenDocumentFile(CString::FromUtf8(longComment.string())), nullptr);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_NE(m_sink.messages()[0].text.Find(u"was cut to 100000 characters"), -1)
      << m_sink.messages()[0].text.ToUtf8();
  child = ActiveChild();
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->GetDocument()->m_comments.GetTail()->m_strText.GetLength(), kMaxCommentChars);
  child->GetActiveView()->viewport()->grab();  // paints without laying out more than it shows
}

// Edit > Undo while the last edits could not be saved as a step: the command stays
// offered and says why in one message; the edits stay.
TEST_F(HardeningTest, UndoSaysWhyItCannotRun) {
  CChildFrame* child = NewDiagram();
  ASSERT_NE(child, nullptr);
  CZaradDoc* doc = child->GetDocument();
  Place(child, 300, QPoint(100, 100));
  Place(child, 300, QPoint(300, 100));
  ASSERT_TRUE(m_frame->SendCommand(ID_EDIT_UNDO));
  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  // Something stands where the next step goes: the store cannot write it.
  const fs::path next = doc->m_undo.GetSnapshotPath(doc->m_undo.m_nIndex + 1).ToUtf8();
  fs::remove(next);
  fs::create_directory(next);
  m_sink.Clear();
  Place(child, 300, QPoint(500, 100));
  ASSERT_EQ(doc->m_blocks.GetCount(), 2);
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_NE(m_sink.messages()[0].text.Find(u"Undo is unavailable"), -1);
  EXPECT_TRUE(Enabled(ID_EDIT_UNDO));
  m_frame->SendCommand(ID_EDIT_UNDO);
  ASSERT_EQ(m_sink.messages().size(), 2u);
  EXPECT_EQ(m_sink.messages()[1].text.Find(u"Cannot undo"), 0);
  EXPECT_EQ(doc->m_blocks.GetCount(), 2);
  fs::remove(next);
}

}  // namespace
