#include "model/undo_buffer.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "blocks/block_factory.h"
#include "blocks/ladder_blocks.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"

namespace fs = std::filesystem;

namespace {

// Runs every test with its own temporary folder, so that what the stores leave
// behind can be counted, and records the messages they show.
class UndoBufferTest : public testing::Test {
 protected:
  void SetUp() override {
    const char* old = getenv("TMPDIR");
    if (old) m_oldTmp = old, m_hadTmp = true;
    std::string pattern = (fs::temp_directory_path() / "undo_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    m_tmp = pattern;
    setenv("TMPDIR", m_tmp.c_str(), 1);
  }
  void TearDown() override {
    if (m_hadTmp) {
      setenv("TMPDIR", m_oldTmp.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
    std::error_code ec;
    fs::remove_all(m_tmp, ec);
  }

  // Entries under the test's temporary folder, folders and files.
  size_t CountEntries() const {
    size_t n = 0;
    for (auto it = fs::recursive_directory_iterator(m_tmp); it != fs::recursive_directory_iterator(); ++it)
      ++n;
    return n;
  }

  // One edit: a new logic gate, then the snapshot the view takes.
  static void Edit(CDiagramBuilder& d) {
    d.Add(300);
    ASSERT_TRUE(d.Doc().m_undo.SaveSnapshot(&d.Doc()));
  }

  fs::path m_tmp;
  std::string m_oldTmp;
  bool m_hadTmp = false;
  RecordingMessageSink m_sink;
  ScopedMessageSink m_scope{&m_sink};
};

class CountingListener : public CUndoReloadListener {
 public:
  void OnDocumentReloaded(CZaradDoc* doc) override { m_docs.push_back(doc); }
  std::vector<CZaradDoc*> m_docs;
};

TEST_F(UndoBufferTest, NewDocumentPlaceUndoRedo) {
  CountingListener listener;
  SetUndoReloadListener(&listener);
  CDiagramBuilder d;
  CUndoBuffer& undo = d.Doc().m_undo;
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_FALSE(undo.Undo());  // no document yet
  EXPECT_TRUE(undo.GetFolder().IsEmpty());

  Edit(d);
  EXPECT_EQ(undo.m_nIndex, 1);
  EXPECT_EQ(undo.m_nTop, 1);
  EXPECT_TRUE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());

  d.Doc().SetModifiedFlag(FALSE);
  EXPECT_TRUE(undo.Undo());
  EXPECT_TRUE(d.Doc().m_blocks.IsEmpty());
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_TRUE(undo.CanRedo());
  EXPECT_TRUE(d.Doc().IsModified());  // closing now asks to save
  EXPECT_FALSE(undo.Undo());

  d.Doc().SetModifiedFlag(FALSE);
  EXPECT_TRUE(undo.Redo());
  ASSERT_EQ(d.Doc().m_blocks.GetCount(), 1);
  EXPECT_EQ(d.Doc().m_blocks.GetHead()->m_nType, 300);
  EXPECT_TRUE(d.Doc().IsModified());
  EXPECT_FALSE(undo.Redo());
  EXPECT_EQ(listener.m_docs, (std::vector<CZaradDoc*>{&d.Doc(), &d.Doc()}));
  EXPECT_TRUE(m_sink.messages().empty());
  SetUndoReloadListener(nullptr);
}

TEST_F(UndoBufferTest, EditSequencePastTheRotation) {
  CDiagramBuilder d;
  CUndoBuffer& undo = d.Doc().m_undo;
  constexpr int kEdits = 35;
  for (int i = 0; i < kEdits; ++i) Edit(d);
  EXPECT_EQ(undo.m_nIndex, 30);
  EXPECT_EQ(undo.m_nTop, 30);
  EXPECT_EQ(CountEntries(), 1u + 31u);  // the folder and the 31 files of the ring

  // Back 30 steps: number 0 now holds the state after edit 5.
  for (int k = 1; k <= 30; ++k) {
    ASSERT_TRUE(undo.Undo()) << k;
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), kEdits - k);
  }
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.Undo());
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), 5);
  for (int k = 1; k <= 30; ++k) ASSERT_TRUE(undo.Redo()) << k;
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), kEdits);
  EXPECT_FALSE(undo.CanRedo());

  // The numbers survive the reloads.
  std::vector<int> numbers;
  for (const CBlockObj* b : d.Doc().m_blocks) numbers.push_back(b->m_nNumber);
  EXPECT_EQ(numbers.front(), 9000);
  EXPECT_EQ(numbers.back(), 9000 + kEdits - 1);
  EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(UndoBufferTest, AnEditAfterUndoDropsTheUndoneState) {
  struct Case {
    const char* name;
    int edits;
    int undos;
  } cases[] = {{"store not full", 3, 2}, {"full store, one undo", 33, 1}, {"full store, three undos", 40, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CDiagramBuilder d;
    CUndoBuffer& undo = d.Doc().m_undo;
    for (int i = 0; i < c.edits; ++i) Edit(d);
    for (int i = 0; i < c.undos; ++i) ASSERT_TRUE(undo.Undo());
    const int shown = c.edits - c.undos;
    ASSERT_EQ(d.Doc().m_blocks.GetCount(), shown);

    // A different edit: move the first block.
    d.Doc().m_blocks.GetHead()->m_ptPos = CPoint(500, 500);
    ASSERT_TRUE(undo.SaveSnapshot(&d.Doc()));
    EXPECT_FALSE(undo.CanRedo());
    EXPECT_FALSE(undo.Redo());

    // Undo goes back to the state undone to, never to one that was undone.
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), shown);
    EXPECT_EQ(d.Doc().m_blocks.GetHead()->m_ptPos, CPoint());
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), shown - 1);
    ASSERT_TRUE(undo.Redo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), shown);
    EXPECT_EQ(d.Doc().m_blocks.GetHead()->m_ptPos, CPoint(500, 500));
  }
}

TEST_F(UndoBufferTest, TwoDocumentsSideBySide) {
  CDiagramBuilder d;  // its shell serves both documents
  auto first = std::make_unique<CZaradDoc>();
  first->AddBlock(MakeBlockOfType(300));
  ASSERT_TRUE(first->m_undo.SaveSnapshot(first.get()));
  Edit(d);
  Edit(d);
  const CString folder1 = first->m_undo.GetFolder();
  const CString folder2 = d.Doc().m_undo.GetFolder();
  ASSERT_FALSE(folder1.IsEmpty());
  EXPECT_NE(folder1, folder2);  // even when both stores were made in the same millisecond
  EXPECT_TRUE(fs::is_directory(folder1.ToUtf8()));

  first.reset();  // closing the first document removes its folder only
  EXPECT_FALSE(fs::exists(folder1.ToUtf8()));
  EXPECT_TRUE(fs::exists(d.Doc().m_undo.GetSnapshotPath(2).ToUtf8()));
  ASSERT_TRUE(d.Doc().m_undo.Undo());
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), 1);
}

TEST_F(UndoBufferTest, TheStoreDeletesOnlyItsOwnFiles) {
  CString folder;
  {
    CDiagramBuilder d;
    Edit(d);
    Edit(d);
    folder = d.Doc().m_undo.GetFolder();
    std::ofstream(folder.ToUtf8() + "notes.txt") << "someone else's";
  }
  EXPECT_TRUE(fs::exists(folder.ToUtf8() + "notes.txt"));
  EXPECT_EQ(CountEntries(), 2u);  // the folder stays for the foreign file
  {
    CDiagramBuilder d;
    Edit(d);
  }
  EXPECT_EQ(CountEntries(), 2u);
}

// A program killed with a document open leaves its snapshot folder; the next program
// removes it, while the folders of live stores and foreign files stay.
TEST_F(UndoBufferTest, FoldersOfProgramsThatDiedAreRemoved) {
  auto killedWithAnOpenDocument = [](bool foreignFile) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      auto* d = new CDiagramBuilder;
      d->Add(300);
      d->Doc().m_undo.SaveSnapshot(&d->Doc());
      d->Doc().m_undo.SaveSnapshot(&d->Doc());
      if (foreignFile) std::ofstream(d->Doc().m_undo.GetFolder().ToUtf8() + "notes.txt") << "mine";
      ::raise(SIGKILL);
    }
    ::waitpid(pid, nullptr, 0);
  };
  // The live store first: its process has made its first folder (and cleaned) already.
  CDiagramBuilder live;
  Edit(live);
  killedWithAnOpenDocument(false);
  killedWithAnOpenDocument(true);
  std::vector<fs::path> folders;
  for (const auto& e : fs::directory_iterator(m_tmp)) folders.push_back(e.path());
  ASSERT_EQ(folders.size(), 3u);
  EXPECT_EQ(CountEntries(), 3u + 2u + 3u + 1u);

  EXPECT_EQ(RemoveLeftUndoFolders(CString::FromUtf8(m_tmp.string() + "/")), 1);
  EXPECT_EQ(CountEntries(), 2u + 2u);  // the live folder and its step, the foreign file and its folder
  EXPECT_TRUE(fs::exists(live.Doc().m_undo.GetSnapshotPath(1).ToUtf8()));
  ASSERT_TRUE(live.Doc().m_undo.Undo());
}

TEST_F(UndoBufferTest, AMissingOrDamagedSnapshotLeavesTheDiagram) {
  struct Case {
    const char* name;
    void (*spoil)(const std::string& path);
  } cases[] = {
      {"deleted", [](const std::string& p) { fs::remove(p); }},
      {"damaged",
       [](const std::string& p) { std::ofstream(p, std::ios::binary | std::ios::trunc) << "garbage"; }},
      {"cut short", [](const std::string& p) { fs::resize_file(p, fs::file_size(p) / 2); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m_sink.Clear();
    CDiagramBuilder d;
    CUndoBuffer& undo = d.Doc().m_undo;
    for (int i = 0; i < 3; ++i) Edit(d);
    c.spoil(undo.GetSnapshotPath(2).ToUtf8());
    d.Doc().SetModifiedFlag(FALSE);
    d.Doc().m_strProgramName = u"Edited";
    d.Doc().m_operandNames[100] = u"Start";
    CBlockObj* head = d.Doc().m_blocks.GetHead();

    EXPECT_FALSE(undo.Undo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), 3);
    EXPECT_EQ(d.Doc().m_blocks.GetHead(), head);  // the very same objects
    EXPECT_EQ(d.Doc().m_strProgramName, CString(u"Edited"));
    EXPECT_EQ(d.Doc().m_operandNames.size(), 1u);
    EXPECT_EQ(undo.m_nIndex, 3);
    EXPECT_FALSE(d.Doc().IsModified());
    ASSERT_EQ(m_sink.messages().size(), 1u);
    EXPECT_NE(m_sink.messages()[0].text.Find(u"Cannot undo"), -1);
    EXPECT_NE(m_sink.messages()[0].text.Find(u"left as it is"), -1);

    // The store goes on working.
    Edit(d);
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), 3);
  }
}

TEST_F(UndoBufferTest, AFailedWriteNeverLetsUndoSkipTheUnsavedEdits) {
  CDiagramBuilder d;
  CUndoBuffer& undo = d.Doc().m_undo;
  Edit(d);
  Edit(d);
  ASSERT_TRUE(undo.Undo());
  // Something stands where the next snapshot goes: the writes cannot replace it.
  const std::string next = undo.GetSnapshotPath(2).ToUtf8();
  fs::remove(next);
  fs::create_directory(next);
  for (int i = 0; i < 3; ++i) {
    d.Add(300);
    EXPECT_FALSE(undo.SaveSnapshot(&d.Doc()));
  }
  ASSERT_EQ(m_sink.messages().size(), 1u);  // said once for the whole run of failures
  EXPECT_NE(m_sink.messages()[0].text.Find(u"cannot be saved"), -1);
  EXPECT_NE(m_sink.messages()[0].text.Find(u"Undo is unavailable"), -1);
  EXPECT_FALSE(undo.CanUndo());
  EXPECT_FALSE(undo.CanRedo());
  EXPECT_TRUE(undo.IsUnavailable());
  // Asked for anyway, each says why in one message.
  EXPECT_FALSE(undo.Undo());
  EXPECT_FALSE(undo.Redo());
  ASSERT_EQ(m_sink.messages().size(), 3u);
  EXPECT_EQ(m_sink.messages()[1].text.Find(u"Cannot undo: the last edits could not be kept"), 0);
  EXPECT_NE(m_sink.messages()[1].text.Find(u"cannot be saved"), -1);
  EXPECT_EQ(m_sink.messages()[2].text.Find(u"Cannot redo"), 0);
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), 4);  // the unsaved edits stay

  // Once snapshots can be written again the next one holds every edit since the last step.
  fs::remove(next);
  Edit(d);
  EXPECT_EQ(m_sink.messages().size(), 3u);
  EXPECT_FALSE(undo.IsUnavailable());
  ASSERT_TRUE(undo.Undo());
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), 1);
  ASSERT_TRUE(undo.Redo());
  EXPECT_EQ(d.Doc().m_blocks.GetCount(), 5);

  // A full store whose oldest file cannot take the new step: no Undo past the edit either.
  CDiagramBuilder full;
  CUndoBuffer& ring = full.Doc().m_undo;
  for (int i = 0; i < 31; ++i) Edit(full);
  const std::string oldest = ring.GetSnapshotPath(0).ToUtf8();
  fs::remove(oldest);
  fs::create_directory(oldest);
  full.Add(300);
  EXPECT_FALSE(ring.SaveSnapshot(&full.Doc()));
  EXPECT_FALSE(ring.Undo());
  EXPECT_EQ(full.Doc().m_blocks.GetCount(), 32);
  fs::remove(oldest);
  Edit(full);
  ASSERT_TRUE(ring.Undo());
  EXPECT_EQ(full.Doc().m_blocks.GetCount(), 31);
}

TEST_F(UndoBufferTest, AFolderRemovedOrReplacedBehindTheStoreIsNeverWrittenInto) {
  struct Case {
    const char* name;
    bool replace;  // another folder stands at the same path afterwards
  };
  for (const Case& c : {Case{"removed", false}, Case{"replaced", true}}) {
    SCOPED_TRACE(c.name);
    m_sink.Clear();
    CDiagramBuilder d;
    CUndoBuffer& undo = d.Doc().m_undo;
    Edit(d);
    Edit(d);
    const fs::path old = undo.GetFolder().ToUtf8();
    fs::remove_all(old);
    if (c.replace) {
      fs::create_directory(old);
      std::ofstream(old / "theirs") << "x";
    }
    EXPECT_FALSE(undo.Undo());  // the steps are gone; the diagram stays
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), 2);

    m_sink.Clear();
    Edit(d);
    Edit(d);
    EXPECT_EQ(m_sink.messages().size(), 1u);  // the loss, once
    const fs::path now = undo.GetFolder().ToUtf8();
    EXPECT_NE(now, old);
    EXPECT_TRUE(fs::is_directory(now));
    EXPECT_EQ(fs::status(now).permissions() & fs::perms::all, fs::perms::owner_all);
    if (c.replace) {
      EXPECT_EQ(std::distance(fs::directory_iterator(old), fs::directory_iterator()), 1);
    } else {
      EXPECT_FALSE(fs::exists(old));
    }
    // The history starts again from the first snapshot after the loss.
    ASSERT_TRUE(undo.Undo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), 3);
    EXPECT_FALSE(undo.CanUndo());
    ASSERT_TRUE(undo.Redo());
    EXPECT_EQ(d.Doc().m_blocks.GetCount(), 4);
  }
  fs::remove_all(m_tmp / "x");
}

TEST_F(UndoBufferTest, AReloadReplacesPowerBusAndLadderMaps) {
  CDiagramBuilder d(kDocLadder);
  CZaradDoc& doc = d.Doc();
  doc.m_powerBus.AddTail(std::make_unique<CPowerBusObj>(951));
  doc.m_operandNames[100] = u"Start";
  ASSERT_TRUE(doc.m_undo.SaveSnapshot(&doc));
  doc.m_operandNames[101] = u"Stop";
  doc.m_analogSimSettings[4000] = AnalogSimSetting{{1, 2, 3, 4, 5}};
  ASSERT_TRUE(doc.m_undo.SaveSnapshot(&doc));

  ASSERT_TRUE(doc.m_undo.Undo());
  EXPECT_EQ(doc.m_powerBus.GetCount(), 1);
  EXPECT_EQ(doc.m_operandNames, (std::map<UINT, CString>{{100, u"Start"}}));
  EXPECT_TRUE(doc.m_analogSimSettings.empty());
  ASSERT_TRUE(doc.m_undo.Redo());
  EXPECT_EQ(doc.m_powerBus.GetCount(), 1);
  EXPECT_EQ(doc.m_operandNames.size(), 2u);
  EXPECT_EQ(doc.m_analogSimSettings.size(), 1u);
}

TEST_F(UndoBufferTest, SuffixAndPaths) {
  CUndoBuffer undo;
  EXPECT_EQ(undo.m_strSuffix.GetAt(0), u'.');
  EXPECT_GT(undo.m_strSuffix.GetLength(), 1);
  EXPECT_TRUE(undo.GetSnapshotPath(1).IsEmpty());  // no folder before the first snapshot
  EXPECT_EQ(undo.m_strTempPath, CString::FromUtf8(m_tmp.string() + "/"));
  EXPECT_FALSE(undo.SaveSnapshot(nullptr));
}

}  // namespace
