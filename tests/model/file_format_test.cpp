// The diagram file: layout, optional items, old forms, fix-ups after loading,
// damaged files, and the open and save paths.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "blocks/block_factory.h"
#include "blocks/counter_blocks.h"
#include "blocks/ladder_blocks.h"
#include "blocks/time_blocks.h"
#include "model/block_codes.h"
#include "model/block_comment.h"
#include "model/connect_line_obj.h"
#include "model/diagram_limits.h"
#include "model/model_table.h"
#include "model/shell_context.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "platform/archive.h"
#include "platform/message_sink.h"
#include "support/fake_contexts.h"
#include "support/fixture_bytes.h"
#include "support/fixture_files.h"
#include "support/sample_document.h"

namespace {

namespace fs = std::filesystem;

int IntAt(const std::vector<BYTE>& b, size_t at) {
  return static_cast<int>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<unsigned>(b[at + 3]) << 24);
}

// Offset of the first byte where two files differ.
size_t FirstDifference(const std::vector<BYTE>& a, const std::vector<BYTE>& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return i;
}

class FileFormatTest : public ::testing::Test {
 protected:
  void TearDown() override {
    g_CurrentModelCode = 0x5188;
    std::error_code ec;
    fs::remove_all(m_dir, ec);
  }

  std::unique_ptr<CZaradDoc> NewDoc(int kind = kDocFbd, WORD model = 0x5188) {
    NewDocumentSettings settings;
    settings.nKind = kind;
    settings.wModelCode = model;
    return std::make_unique<CZaradDoc>(settings);
  }

  // A ladder diagram: power bus, contact on I1, coil on Q1, wired; names and slider settings.
  static void BuildLadder(CZaradDoc& doc) {
    doc.MakePowerBus();  // sized to the base, as a new ladder document has it
    CBlockObj* bus = doc.m_powerBus.GetHead();
    CBlockObj* contact = doc.AddBlock(MakeBlockOfType(700));
    CBlockObj* coil = doc.AddBlock(MakeBlockOfType(703));
    for (auto [src, dst] : {std::pair{bus, contact}, std::pair{contact, coil}}) {
      auto wire = std::make_unique<CConnectLineObj>();
      wire->m_nStartNumber = src->m_nNumber;
      wire->m_nEndNumber = dst->m_nNumber;
      wire->m_nStartPin = kFirstOutputPin;
      wire->m_nEndPin = 0;
      wire->m_points = {CPoint(1, 2), CPoint(3, 4)};
      dst->m_nSource[0] = src->m_nNumber;
      doc.m_connections.AddTail(std::move(wire));
    }
    doc.m_operandNames[100] = CString(u"Start");
    doc.m_operandNames[600] = CString(u"Pump");
    doc.m_analogSimSettings[4000] = AnalogSimSetting{{1, 2, 3, 4, 5}};
  }

  fs::path WriteFile(const std::string& name, const std::vector<BYTE>& bytes) {
    fs::create_directories(m_dir);
    fs::path p = m_dir / name;
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return p;
  }

  // Expects the load to fail and to leave an empty document whose settings
  // are those it had before.
  void ExpectCleanFailure(CZaradDoc& doc, const std::vector<BYTE>& bytes, const std::string& what) {
    ExpectCleanFailure(doc, bytes, what, doc.SaveToBytes());
  }
  // An empty `before` skips the comparison of the settings.
  void ExpectCleanFailure(CZaradDoc& doc, const std::vector<BYTE>& bytes, const std::string& what,
                          const std::vector<BYTE>& before) {
    SCOPED_TRACE(what);
    CString error;
    EXPECT_FALSE(doc.LoadFromBytes(bytes, "damaged.bfb", &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_TRUE(doc.m_blocks.IsEmpty() && doc.m_connections.IsEmpty() && doc.m_comments.IsEmpty() &&
                doc.m_powerBus.IsEmpty());
    if (!before.empty()) {
      EXPECT_EQ(doc.SaveToBytes(), before);
    }
  }

  RecordingMessageSink m_sink;
  ScopedMessageSink m_sinkScope{&m_sink};
  fs::path m_dir = fs::temp_directory_path() / ("zovuzi_file_format_" + std::to_string(::getpid()));
};

TEST_F(FileFormatTest, NewDocumentHeadAndSettingsRoundTrip) {
  auto doc = NewDoc();
  doc->m_strProgramName = CString(u"Tank");
  doc->m_strPassword = CString(u"pw");
  doc->m_fZoom = 1.5f;
  doc->m_strCustomer = CString(u"ACME \u6e29");
  doc->m_strVersion3 = CString(u"v3");
  doc->m_strComment = CString(u"line1\r\nline2");
  doc->m_nSyncTime = 7000;
  doc->m_ports[2].nBaudRate = 9;
  doc->m_ports[1].nReserved = 77;
  doc->m_bKeepOutputs = 0;
  doc->m_aqRangeType[31] = 1;
  doc->m_aqFixedValue[5] = 2.5;
  doc->m_nContrast = 3;
  doc->m_nTickerLineMs = 20000;
  doc->m_nAiRangeType1 = 1;
  doc->m_rcDiagram = CRect(0, 0, 3000, 2000);
  doc->m_nPagesAcross = 3;
  const std::vector<BYTE> bytes = doc->SaveToBytes();

  ASSERT_GE(bytes.size(), 144u);
  for (int i = 0; i < kMarkerCount; ++i) EXPECT_EQ(bytes[i], i < 3 ? 0x55 : 0xAA) << "marker " << i;
  EXPECT_EQ(IntAt(bytes, 100), 0);
  EXPECT_EQ(IntAt(bytes, 104), 3);
  EXPECT_EQ(IntAt(bytes, 108), 1);
  for (size_t at = 112; at < 144; at += 4) EXPECT_EQ(IntAt(bytes, at), 1);

  auto loaded = NewDoc();
  CString error;
  ASSERT_TRUE(loaded->LoadFromBytes(bytes, "new.bfb", &error)) << error.ToUtf8();
  EXPECT_EQ(loaded->m_strProgramName, CString(u"Tank"));
  EXPECT_EQ(loaded->m_strCustomer, doc->m_strCustomer);
  EXPECT_EQ(loaded->m_fZoom, 1.5f);
  EXPECT_EQ(loaded->m_ports[2], doc->m_ports[2]);
  EXPECT_EQ(loaded->m_ports[1].nReserved, 77);
  EXPECT_EQ(loaded->m_aqRangeType, doc->m_aqRangeType);
  EXPECT_EQ(loaded->m_aqFixedValue, doc->m_aqFixedValue);
  EXPECT_EQ(loaded->m_nTickerLineMs, 20000);
  EXPECT_EQ(loaded->m_nAiRangeType1, 1);
  EXPECT_EQ(loaded->m_rcDiagram, doc->m_rcDiagram);
  EXPECT_EQ(loaded->m_wModelCode, 0x5188);
  EXPECT_EQ(loaded->m_strModelName, doc->m_strModelName);
  EXPECT_EQ(loaded->SaveToBytes(), bytes);
}

TEST_F(FileFormatTest, DiagramsStoreAndReloadToTheSameBytes) {
  struct Case {
    const char* name;
    int kind;
    WORD model;
  };
  const Case kCases[] = {{"fbd newer", kDocFbd, 0x5188},
                         {"fbd older", kDocFbd, 0x1188},
                         {"ladder newer", kDocLadder, 0x6188},
                         {"ladder older", kDocLadder, 0x2188}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    auto doc = NewDoc(c.kind, c.model);
    if (c.kind == kDocLadder) {
      BuildLadder(*doc);
    } else {
      BuildSampleDocument(*doc, {40, 20, 50, 3, 2});
      // Kinds without a class of their own are plain blocks of schema 0 (the short record).
      doc->AddBlock(MakeBlockOfType(601));
      doc->AddBlock(MakeBlockOfType(811))->m_strName = CString(u"Soft");
    }
    doc->m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
    doc->m_pLogoImage[959] = 0x5A;
    doc->m_bHasLogoImage = 1;
    const std::vector<BYTE> bytes = doc->SaveToBytes();

    auto loaded = NewDoc(kDocFbd, 0x5188);
    CString error;
    ASSERT_TRUE(loaded->LoadFromBytes(bytes, "x", &error)) << error.ToUtf8();
    EXPECT_TRUE(loaded->m_loadWarnings.empty());
    EXPECT_EQ(loaded->m_nKind, c.kind);
    EXPECT_EQ(loaded->m_wModelCode, c.model);
    EXPECT_EQ(loaded->m_blocks.GetCount(), doc->m_blocks.GetCount());
    EXPECT_EQ(loaded->m_connections.GetCount(), doc->m_connections.GetCount());
    EXPECT_EQ(loaded->m_comments.GetCount(), doc->m_comments.GetCount());
    EXPECT_EQ(loaded->m_powerBus.GetCount(), doc->m_powerBus.GetCount());
    EXPECT_EQ(loaded->m_operandNames, doc->m_operandNames);
    EXPECT_EQ(loaded->m_analogSimSettings, doc->m_analogSimSettings);
    ASSERT_TRUE(loaded->m_pLogoImage);
    EXPECT_EQ(loaded->m_pLogoImage[959], 0x5A);
    for (CConnectLineObj* wire : loaded->m_connections) EXPECT_EQ(wire->GetEndFaults(), WIRE_END_OK);
    EXPECT_EQ(loaded->SaveToBytes(), bytes);
    if (c.kind == kDocFbd) {
      EXPECT_EQ(loaded->m_blocks.GetTail()->m_strName, CString(u"Soft"));
    }
  }
}

TEST_F(FileFormatTest, OptionalItemsFollowKindModelAndLogo) {
  auto fbd = NewDoc(kDocFbd, 0x5188);
  auto ladder = NewDoc(kDocLadder, 0x5188);
  auto older = NewDoc(kDocFbd, 0x1188);
  const std::vector<BYTE> fbdBytes = fbd->SaveToBytes();
  // Ladder: the two map counts after the comments and the power-bus count.
  EXPECT_EQ(ladder->SaveToBytes().size(), fbdBytes.size() + 6);
  // Older family: no display and output settings (4 + 2+32 + 2+256 + 16 + 28) and no range ints (8).
  const int nameDelta = 2 * (fbd->m_strModelName.GetLength() - older->m_strModelName.GetLength());
  EXPECT_EQ(static_cast<int>(fbdBytes.size() - older->SaveToBytes().size()), 348 + nameDelta);

  // The logo flag is 0 without an image, whatever the member says, and 960 bytes follow a set flag.
  fbd->m_bHasLogoImage = 1;
  EXPECT_EQ(fbd->SaveToBytes(), fbdBytes);
  fbd->m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
  EXPECT_EQ(fbd->SaveToBytes().size(), fbdBytes.size() + kLogoImageSize);

  // Marker 1 unset: the two range ints (the 8 bytes before the two list counts) are absent.
  std::vector<BYTE> noRanges = fbdBytes;
  noRanges[1] = 0xAA;
  noRanges.erase(noRanges.end() - 12, noRanges.end() - 4);
  auto loaded = NewDoc();
  loaded->m_nAiRangeType0 = 1;
  CString error;
  ASSERT_TRUE(loaded->LoadFromBytes(noRanges, "x", &error)) << error.ToUtf8();
  EXPECT_EQ(loaded->m_nAiRangeType0, 1);  // not read: the value it had
  EXPECT_EQ(loaded->m_markers[1], 0xAA);
}

// A file of the oldest form: no markers, 8-bit strings, a schema-0 comment,
// a schema-0 message-text block and the single element list with schema-0 elements.
std::vector<BYTE> OldFileFixture(int elementCount = 2, int pinType0 = 1) {
  FixtureBytes f;
  f.Fill(0xAA, kMarkerCount).Int(0).Int(1).Int(1).Ints({1, 1, 1, 1, 1, 1, 1, 1});
  f.Str8("").Str8("").Int(0).Str8("").Str8("").Str8("");
  f.Ints({0, 0, 1024, 768}).Int(kDocFbd).Str8("Old").Str8("").Float(1.0f);
  for (int i = 0; i < 10; ++i) f.Str8(i == 0 ? "Me" : "");
  f.Int(1).Str8("note").Ints({0, 0, 5000, 90, -20});
  for (int port = 0; port < 3; ++port) f.Ints({1, 0, 1, 3, 0, 0, 1, 0, 200, 0, 0, 0});
  f.Int(0).Int(0);  // logo inverse, no logo

  // Comments: one comment of schema 0 (class index 1, object 2).
  f.Word(1).NewClass("CBlockComment", 0);
  f.Ints({10, 20, 10, 20, 100, 24}).Str8("Hello").Int(1).Int(0xFF);
  f.Ints({12, 0, 0, 0, 400}).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0).Byte(0);
  f.Raw({'A', 'r', 'i', 'a', 'l'}).Fill(0, 27);

  // Blocks: one message text of schema 0 (class 3, object 4): rows 1-23 and 65 cells.
  CBlockObj base(810, 3);
  base.m_nNumber = 9000;
  base.m_nPinType[0] = pinType0;
  CArchive rows;
  base.Serialize(rows);
  f.Word(1).NewClass("CBlockMSGTEXT", 0).Raw(rows.GetBytes());
  for (int r = 0; r < 5; ++r) {
    for (int c = 0; c < 13; ++c) f.Str8(std::string(1, static_cast<char>('a' + (r * 13 + c) % 26)));
  }
  f.Word(0);  // no wires

  // The single element list (class 5; objects 6, 7, ...): width 5 on parameter 0 (display width 6).
  f.Word(elementCount);
  for (int i = 0; i < elementCount; ++i) {
    if (i == 0) {
      f.NewClass("CWidget", 0);
    } else {
      f.ClassRef(5);
    }
    const int col = i == 0 ? 10 : 2;
    f.Ints({8 * col, 8, 8 * col + 40, 32, 0xC0C0C0, i + 1, col, 9000, 0}).Str8("Time").Int(0).Int(5);
  }
  return f.m_b;
}

TEST_F(FileFormatTest, OldestFormLoadsWithDefaultsAndRefits) {
  auto doc = NewDoc();
  CString error;
  ASSERT_TRUE(doc->LoadFromBytes(OldFileFixture(), "old.bfb", &error)) << error.ToUtf8();
  EXPECT_EQ(doc->m_wModelCode, 0x1188);
  CString name;
  WORD firmware = 0;
  GetModelName(0x1188, &name, &firmware);
  EXPECT_EQ(doc->m_strModelName, name);
  EXPECT_EQ(doc->m_wFirmware, firmware);
  EXPECT_EQ(doc->m_strProgramName, CString(u"Old"));
  EXPECT_EQ(doc->m_strCreator, CString(u"Me"));
  EXPECT_EQ(doc->m_strComment, CString(u"note"));

  ASSERT_EQ(doc->m_comments.GetCount(), 1);
  const CBlockComment* comment = doc->m_comments.GetHead();
  EXPECT_EQ(comment->m_strText, CString(u"Hello"));
  EXPECT_EQ(comment->m_lf.lfFaceName, CString(u"Arial"));
  EXPECT_EQ(comment->m_lf.lfWeight, 400);

  ASSERT_EQ(doc->m_blocks.GetCount(), 1);
  auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, doc->m_blocks.GetHead());
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->m_strTextSet1[1][1], CString(u"o"));
  EXPECT_EQ(msg->m_strTextSet1[4][12], CString(u"m"));
  EXPECT_EQ(msg->m_strTextSet1[1][13], CString());
  EXPECT_EQ(msg->m_strTextSet2[1][1], CString());
  EXPECT_EQ(msg->m_bSet1Enabled, 1);
  EXPECT_EQ(msg->m_bSet2Enabled, 0);

  // Entry i of the old list is the only element of line i + 1; both fitted to width 6.
  ASSERT_EQ(msg->m_ElementsSet1[0].size(), 1u);
  ASSERT_EQ(msg->m_ElementsSet1[1].size(), 1u);
  EXPECT_TRUE(msg->m_ElementsSet1[2].empty());
  const CWidget* moved = msg->m_ElementsSet1[0][0].get();
  EXPECT_EQ(moved->m_nCol, 7);
  EXPECT_EQ(moved->m_nWidth, 6);
  EXPECT_EQ(moved->m_rect.left, 80 - 3 * 8);
  EXPECT_EQ(moved->m_rect.right, 80 - 3 * 8 + 6 * 8);
  EXPECT_EQ(moved->m_pBlock, msg);
  EXPECT_EQ(moved->m_strCell[1][1], CString(u" "));
  EXPECT_EQ(moved->m_nOption, 0);
  const CWidget* widened = msg->m_ElementsSet1[1][0].get();
  EXPECT_EQ(widened->m_nCol, 2);
  EXPECT_EQ(widened->m_rect.left, 16);
  EXPECT_EQ(widened->m_rect.right, 16 + 48);
  EXPECT_EQ(widened->m_nRow, 2);
}

TEST_F(FileFormatTest, OpeningMarksTheFileFormAndRefreshesPinTypesOnce) {
  // Pin 0 of the stored block carries a stale type: it is refreshed when marker 2 is unset.
  const fs::path old = WriteFile("old.bfb", OldFileFixture(2, PIN_ANALOG));
  auto doc = NewDoc();
  CString error;
  ASSERT_TRUE(doc->OnOpenDocument(CString::FromUtf8(old.string()), &error)) << error.ToUtf8();
  EXPECT_EQ(doc->m_markers[0], 0x55);
  EXPECT_EQ(doc->m_markers[1], 0x55);
  EXPECT_EQ(doc->m_markers[2], 0x55);
  EXPECT_EQ(doc->m_blocks.GetHead()->m_nPinType[0], PIN_DIGITAL);
  EXPECT_EQ(g_CurrentModelCode, 0x1188);
  EXPECT_EQ(doc->GetModelPaneText(), doc->m_strModelName);
  EXPECT_FALSE(doc->IsModified());
  EXPECT_FALSE(doc->m_undo.GetFolder().IsEmpty());  // the loaded state is the first step
  EXPECT_FALSE(doc->m_undo.CanUndo());

  // Saved again, the file is of the current form and keeps a changed pin type.
  doc->m_blocks.GetHead()->m_nPinType[0] = PIN_ANALOG;
  const fs::path saved = m_dir / "saved.bfb";
  ASSERT_TRUE(doc->OnSaveDocument(CString::FromUtf8(saved.string()), &error)) << error.ToUtf8();
  auto again = NewDoc();
  ASSERT_TRUE(again->OnOpenDocument(CString::FromUtf8(saved.string()), &error)) << error.ToUtf8();
  EXPECT_EQ(again->m_blocks.GetHead()->m_nPinType[0], PIN_ANALOG);
  auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, again->m_blocks.GetHead());
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->CountElements(), 2);
  EXPECT_TRUE(m_sink.messages().empty());
}

// Opening starts the history with the loaded state: nothing to undo, and the
// Undo of the first edit gives back exactly what the file held; Redo the edit.
TEST_F(FileFormatTest, UndoAfterOpeningGivesBackTheFile) {
  std::vector<std::pair<std::string, std::vector<BYTE>>> files;
  {
    auto sample = NewDoc(kDocFbd, 0x5188);
    SampleDocumentSize size;
    size.nFunctionBlocks = 60;
    size.nOperands = 20;
    size.nWires = 80;
    BuildSampleDocument(*sample, size);
    files.emplace_back("sample.bfb", sample->SaveToBytes());
    auto ladder = NewDoc(kDocLadder, 0x2188);
    BuildLadder(*ladder);
    files.emplace_back("ladder.bld", ladder->SaveToBytes());
  }
  for (const char* name : kFixtureDiagrams) files.emplace_back(name, ReadFixtureBytes(name));

  for (const auto& [name, bytes] : files) {
    SCOPED_TRACE(name);
    const fs::path path = WriteFile(name, bytes);
    auto doc = NewDoc();
    CString error;
    ASSERT_TRUE(doc->OnOpenDocument(CString::FromUtf8(path.string()), &error)) << error.ToUtf8();
    EXPECT_FALSE(doc->m_undo.CanUndo());
    EXPECT_FALSE(doc->m_undo.CanRedo());
    EXPECT_FALSE(doc->m_undo.Undo());
    const std::vector<BYTE> loaded = doc->SaveToBytes();
    // Our own files are stored again byte for byte.
    if (name == "sample.bfb" || name == "ladder.bld") {
      EXPECT_EQ(FirstDifference(loaded, bytes), bytes.size());
    }
    const int blocks = doc->m_blocks.GetCount();

    doc->AddBlock(MakeBlockOfType(kTypeAnd, BlockContext::For(doc.get())));
    ASSERT_TRUE(doc->m_undo.SaveSnapshot(doc.get()));
    ASSERT_TRUE(doc->m_undo.Undo());
    const std::vector<BYTE> undone = doc->SaveToBytes();
    EXPECT_EQ(undone.size(), loaded.size());
    EXPECT_EQ(FirstDifference(undone, loaded), loaded.size());
    EXPECT_EQ(doc->m_blocks.GetCount(), blocks);
    EXPECT_FALSE(doc->m_undo.CanUndo());
    ASSERT_TRUE(doc->m_undo.Redo());
    EXPECT_EQ(doc->m_blocks.GetCount(), blocks + 1);
  }
}

TEST_F(FileFormatTest, LoadingResolvesReferencesAndDropsDanglingWires) {
  for (WORD model : {WORD{0x5188}, WORD{0x1188}}) {
    SCOPED_TRACE(model);
    auto doc = NewDoc(kDocFbd, model);
    CBlockObj* counter = doc->AddBlock(MakeBlockOfType(800));
    CBlockObj* delay = doc->AddBlock(MakeBlockOfType(400));
    CBlockObj* other = doc->AddBlock(MakeBlockOfType(400));
    delay->m_pRef[0] = counter;
    delay->m_bUseRef[0] = 1;
    delay->m_pRef[1] = counter;  // an older document resolves only reference 0 of a delay
    delay->m_bUseRef[1] = 1;
    other->m_bUseRef[0] = 1;  // no block: stored as -1
    counter->m_pRef[1] = delay;
    counter->m_bUseRef[1] = 1;
    auto wire = std::make_unique<CConnectLineObj>();
    wire->m_nStartNumber = counter->m_nNumber;
    wire->m_nEndNumber = 12345;  // names no block
    wire->m_nStartPin = kFirstOutputPin;
    doc->m_connections.AddTail(std::move(wire));
    const fs::path path = WriteFile("refs.bfb", doc->SaveToBytes());

    auto loaded = NewDoc();
    m_sink.Clear();
    CString error;
    ASSERT_TRUE(loaded->OnOpenDocument(CString::FromUtf8(path.string()), &error)) << error.ToUtf8();
    EXPECT_TRUE(loaded->m_connections.IsEmpty());
    ASSERT_EQ(m_sink.messages().size(), 1u);
    EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kWarning);
    EXPECT_NE(m_sink.messages()[0].text.Find(CString(u"12345")), -1);

    CBlockObj* c = loaded->FindBlockByNumber(counter->m_nNumber);
    CBlockObj* d = loaded->FindBlockByNumber(delay->m_nNumber);
    CBlockObj* o = loaded->FindBlockByNumber(other->m_nNumber);
    EXPECT_EQ(d->m_pRef[0], c);
    EXPECT_EQ(d->m_pRef[1], model == 0x5188 ? c : nullptr);
    EXPECT_EQ(c->m_pRef[1], d);
    EXPECT_EQ(o->m_pRef[0], nullptr);
    EXPECT_EQ(o->m_bUseRef[0], 0);
  }
}

TEST_F(FileFormatTest, DamagedFilesAreRefusedAndLeaveTheDocumentAsItWas) {
  auto base = NewDoc();
  const std::vector<BYTE> empty = base->SaveToBytes();
  auto withComment = NewDoc();
  withComment->m_comments.AddTail(std::make_unique<CBlockComment>());
  const std::vector<BYTE> commented = withComment->SaveToBytes();
  const size_t commentCount = FirstDifference(empty, commented);

  std::vector<std::pair<std::string, std::vector<BYTE>>> cases;
  {
    // A null entry and a second reference to the same comment in the comment list.
    std::vector<BYTE> b = commented;
    b[commentCount] = 2;
    const std::vector<BYTE> backRef = {0x02, 0x00};
    const size_t end = commented.size() - (empty.size() - commentCount - 2);
    b.insert(b.begin() + static_cast<long>(end), backRef.begin(), backRef.end());
    cases.emplace_back("comment listed twice", b);
    std::vector<BYTE> n = empty;
    n[commentCount] = 1;
    n.insert(n.begin() + static_cast<long>(commentCount) + 2, {0x00, 0x00});
    cases.emplace_back("null comment", n);
  }
  {
    auto doc = NewDoc();
    auto logic = std::make_unique<CBlockObj>();  // a plain block claiming a class's type
    logic->m_nType = 400;
    doc->m_blocks.AddTail(std::move(logic));
    cases.emplace_back("class does not match type", doc->SaveToBytes());
  }
  {
    std::vector<BYTE> b = commented;
    // The comment's class record: tag FFFF, schema word 1 -> 2.
    const size_t schemaAt = commentCount + 4;
    ASSERT_EQ(b[schemaAt], 1);
    b[schemaAt] = 2;
    cases.emplace_back("comment schema 2", b);
  }
  cases.emplace_back("nine old elements", OldFileFixture(9));
  {
    // The diagram kind follows the 16-byte diagram rectangle after the six reserved items.
    std::vector<BYTE> b = empty;
    const size_t kindAt = 144 + 5 * 4 + 4 + 16;  // five empty strings (4 bytes each) and an int
    ASSERT_EQ(IntAt(b, kindAt), kDocFbd);
    b[kindAt] = 7;
    cases.emplace_back("unknown kind", b);
  }

  auto doc = NewDoc();
  doc->m_strProgramName = CString(u"Kept");
  doc->m_operandNames[5] = CString(u"kept");
  for (const auto& [what, bytes] : cases) ExpectCleanFailure(*doc, bytes, what);
  EXPECT_EQ(doc->m_strProgramName, CString(u"Kept"));

  // A document of the older family keeps the display and output settings it
  // does not store when a newer file fails after reading them.
  auto newer = NewDoc(kDocFbd, 0x5188);
  newer->m_bKeepOutputs = 0;
  newer->m_nContrast = 3;
  newer->m_aqRangeType[0] = 1;
  newer->AddBlock(MakeBlockOfType(400));
  std::vector<BYTE> cut = newer->SaveToBytes();
  cut.resize(cut.size() - 8);
  auto older = NewDoc(kDocFbd, 0x1188);
  older->m_markers[kMarkerAiRanges] = kMarkerClear;
  ExpectCleanFailure(*older, cut, "newer file cut short");
  EXPECT_EQ(older->m_markers[kMarkerAiRanges], kMarkerClear);
  EXPECT_EQ(older->m_wModelCode, 0x1188);
  EXPECT_EQ(older->m_bKeepOutputs, 1);
  EXPECT_EQ(older->m_nContrast, 2);
  EXPECT_EQ(older->m_aqRangeType[0], 0);
}

TEST_F(FileFormatTest, EveryTruncationFailsAndFlippedBytesNeverHalfLoad) {
  auto source = NewDoc();
  BuildSampleDocument(*source, {3, 2, 4, 1, 1});
  // One element on each character set keeps the file small.
  auto* msg = DYNAMIC_DOWNCAST(CBlockMSGTEXT, source->m_blocks.GetAt(2));
  ASSERT_NE(msg, nullptr);
  for (int line = 1; line < CBlockMSGTEXT::kLines; ++line) msg->Elements(0, line)->clear();
  for (int line = 0; line < CBlockMSGTEXT::kLines - 1; ++line) msg->Elements(1, line)->clear();
  const std::vector<BYTE> bytes = source->SaveToBytes();
  auto doc = NewDoc();
  const std::vector<BYTE> emptyDoc = doc->SaveToBytes();
  for (size_t n = 0; n < bytes.size(); ++n) {
    ExpectCleanFailure(*doc, std::vector<BYTE>(bytes.begin(), bytes.begin() + static_cast<long>(n)),
                       "truncated to " + std::to_string(n), n % 8 == 0 ? emptyDoc : std::vector<BYTE>());
    if (HasFailure()) return;
  }
  // Flips of every byte of the head and settings, and of every third byte after them.
  for (size_t at = 0; at < bytes.size(); at += at < 1024 ? 1 : 3) {
    std::vector<BYTE> flipped = bytes;
    flipped[at] ^= 0xFF;
    CString error;
    if (doc->LoadFromBytes(flipped, "flipped", &error)) {
      // A load that succeeds gives a document that stores and reloads.
      const std::vector<BYTE> again = doc->SaveToBytes();
      auto other = NewDoc();
      EXPECT_TRUE(other->LoadFromBytes(again, "again", &error)) << "flip at " << at << ": " << error.ToUtf8();
      doc = NewDoc();
    } else {
      EXPECT_TRUE(doc->m_blocks.IsEmpty() && doc->m_connections.IsEmpty() && doc->m_comments.IsEmpty())
          << "flip at " << at;
      if (at % 4 == 0) {
        EXPECT_EQ(doc->SaveToBytes(), emptyDoc) << "flip at " << at;
      }
    }
    if (HasFailure()) return;
  }
}

TEST_F(FileFormatTest, FailedSaveKeepsTheOldFileAndSaysWhy) {
  auto doc = NewDoc();
  const fs::path target = WriteFile("keep.bfb", {1, 2, 3});
  // A folder in the place of the temporary file's rename target cannot be replaced.
  const fs::path folder = m_dir / "folder.bfb";
  fs::create_directories(folder / "inside");
  CString error;
  EXPECT_FALSE(doc->OnSaveDocument(CString::FromUtf8(folder.string()), &error));
  // The text names the file once, with the cause.
  const std::string shown = error.ToUtf8();
  const size_t named = shown.find("folder.bfb");
  ASSERT_NE(named, std::string::npos);
  EXPECT_EQ(shown.find("folder.bfb", named + 1), std::string::npos) << shown;
  EXPECT_TRUE(fs::is_directory(folder / "inside"));

  const fs::path missing = m_dir / "no" / "such" / "x.bfb";
  EXPECT_FALSE(doc->OnSaveDocument(CString::FromUtf8(missing.string()), &error));
  EXPECT_FALSE(error.IsEmpty());

  // A good save replaces the old bytes and clears the modified flag.
  doc->SetModifiedFlag(true);
  ASSERT_TRUE(doc->OnSaveDocument(CString::FromUtf8(target.string()), &error));
  EXPECT_FALSE(doc->IsModified());
  EXPECT_EQ(fs::file_size(target), doc->SaveToBytes().size());
  for (const auto& entry : fs::directory_iterator(m_dir)) {
    EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
  }
}

TEST_F(FileFormatTest, OpeningAMissingOrForeignFileReportsIt) {
  std::vector<BYTE> cut = NewDoc()->SaveToBytes();
  cut.resize(cut.size() - 3);
  struct Case {
    const char* name;
    std::vector<BYTE> bytes;  // none: the file does not exist
    const char16_t* says;
    bool detailed;  // the details go to the information window
  };
  const Case cases[] = {
      {"none.bfb", {}, u"No such file", false},
      {"text.bfb", {'h', 'e', 'l', 'l', 'o'}, u"is not a diagram file.", true},
      {"cut.bfb", cut, u"is damaged and cannot be opened.", true},
      {"head.bfb", std::vector<BYTE>(cut.begin(), cut.begin() + 200), u"is damaged and cannot be opened.",
       true},
      {"zeros.bfb", std::vector<BYTE>(1 << 20, 0), u"is not a diagram file.", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const fs::path path = c.bytes.empty() ? m_dir / c.name : WriteFile(c.name, c.bytes);
    auto doc = NewDoc();
    m_sink.Clear();
    CString error;
    EXPECT_FALSE(doc->OnOpenDocument(CString::FromUtf8(path.string()), &error));
    // One sentence: the file, named once, and what is wrong; no internals.
    const std::string text = error.ToUtf8();
    const size_t named = text.find(c.name);
    ASSERT_NE(named, std::string::npos) << text;
    EXPECT_EQ(text.find(c.name, named + 1), std::string::npos) << text;
    EXPECT_NE(error.Find(CString(c.says)), -1) << text;
    for (const char* internal : {"offset", "CArchive", "CBlock", "needed"}) {
      EXPECT_EQ(text.find(internal), std::string::npos) << text;
    }
    EXPECT_EQ(m_sink.information().IsEmpty(), !c.detailed);
  }
}

// The head of a file tells a diagram file before the rest is read; bytes after the end
// of the diagram are said in the information window and not kept.
TEST_F(FileFormatTest, TheHeadIsCheckedFirstAndDataAfterTheEndIsLeftOut) {
  const std::vector<BYTE> file = NewDoc()->SaveToBytes();
  const std::vector<BYTE> zeros(64 * 1024, 0);
  EXPECT_EQ(CZaradDoc::CheckHead(zeros, false), CZaradDoc::HeadCheck::kNotDiagram);
  EXPECT_EQ(CZaradDoc::CheckHead(std::span(file).first(120), false), CZaradDoc::HeadCheck::kDiagram);
  std::vector<BYTE> unmarked = file;
  unmarked[5] = 0;  // markers that are not markers, but a head and settings that read
  EXPECT_EQ(CZaradDoc::CheckHead(unmarked, true), CZaradDoc::HeadCheck::kDiagram);
  EXPECT_EQ(CZaradDoc::CheckHead(std::span(unmarked).first(150), false), CZaradDoc::HeadCheck::kUndecided);
  EXPECT_EQ(CZaradDoc::CheckHead(std::span(unmarked).first(150), true), CZaradDoc::HeadCheck::kNotDiagram);

  std::vector<BYTE> followed = file;
  followed.insert(followed.end(), 100000, 0x5A);
  const fs::path path = WriteFile("followed.bfb", followed);
  auto doc = NewDoc();
  m_sink.Clear();
  CString error;
  ASSERT_TRUE(doc->OnOpenDocument(CString::FromUtf8(path.string()), &error)) << error.ToUtf8();
  EXPECT_TRUE(m_sink.messages().empty());
  EXPECT_NE(m_sink.information().Find(u"holds 100000 bytes of data after the end of the diagram"), -1);
  EXPECT_EQ(doc->SaveToBytes(), file);
}

// Values far out in a file are bounded as they are read, before any arithmetic.
TEST_F(FileFormatTest, FarOutValuesAreBoundedAsTheyAreRead) {
  auto doc = NewDoc();
  doc->m_fZoom = 1e30f;
  doc->m_rcDiagram = CRect(INT_MIN, 0, INT_MAX, INT_MAX);
  CBlockObj* gate = doc->AddBlock(MakeBlockOfType(300));
  gate->m_ptPos = CPoint(INT_MAX, INT_MIN);
  gate->m_nWidth = INT_MAX;
  auto comment = std::make_unique<CBlockComment>();
  comment->m_ptPos = CPoint(INT_MIN, INT_MAX);
  comment->m_size = CSize(INT_MAX, INT_MIN);
  doc->m_comments.AddTail(std::move(comment));
  auto loaded = NewDoc();
  CString error;
  ASSERT_TRUE(loaded->LoadFromBytes(doc->SaveToBytes(), "far.bfb", &error)) << error.ToUtf8();
  EXPECT_EQ(loaded->m_fZoom, kMaxZoomFactor);
  EXPECT_EQ(loaded->m_rcDiagram,
            CRect(-kMaxDiagramCoordinate, 0, kMaxDiagramCoordinate, kMaxDiagramCoordinate));
  const CBlockObj* b = loaded->m_blocks.GetHead();
  EXPECT_EQ(b->m_ptPos, CPoint(kMaxDiagramCoordinate, -kMaxDiagramCoordinate));
  EXPECT_EQ(b->m_nWidth, kMaxDiagramCoordinate);
  const CBlockComment* c = loaded->m_comments.GetHead();
  EXPECT_EQ(c->m_ptPos, CPoint(-kMaxDiagramCoordinate, kMaxDiagramCoordinate));
  EXPECT_EQ(c->m_size, CSize(kMaxDiagramCoordinate, -kMaxDiagramCoordinate));
}

// A diagram whose file would be larger than the program reads is not written.
TEST_F(FileFormatTest, NoFileIsWrittenThatIsTooLargeToRead) {
  EXPECT_TRUE(CZaradDoc::CheckFileSize(kMaxDiagramFileBytes).IsEmpty());
  EXPECT_NE(CZaradDoc::CheckFileSize(kMaxDiagramFileBytes + 1).Find(u"256 MB"), -1);
}

TEST_F(FileFormatTest, MendableFaultsOpenWithOneGatheredWarning) {
  struct Case {
    const char* what;
    std::function<std::vector<BYTE>()> make;
    std::function<void(CZaradDoc&)> check;
  };
  constexpr int kBroken = 3000;
  const std::vector<Case> cases = {
      {"three power buses",
       [this] {
         auto doc = NewDoc(kDocLadder);
         doc->m_powerBus.DeleteAll();
         for (int i = 0; i < 3; ++i) doc->m_powerBus.AddTail(std::make_unique<CPowerBusObj>(951));
         return doc->SaveToBytes();
       },
       [](CZaradDoc& doc) { EXPECT_EQ(doc.m_powerBus.GetCount(), 1); }},
      {"unknown model",
       [this] {
         auto doc = NewDoc(kDocFbd, 0x9988);
         doc->m_strModelName = CString(u"Stored name");
         return doc->SaveToBytes();
       },
       [](CZaradDoc& doc) {
         EXPECT_EQ(doc.m_wModelCode, 0x9988);
         EXPECT_EQ(doc.m_strModelName, CString(u"Stored name"));
         EXPECT_EQ(doc.GetModelPaneText(), CString(u"Unknown model (0x9988)"));
         EXPECT_NE(g_CurrentModelCode, 0x9988);
       }},
      {"a comment longer than a comment may be",
       [this] {
         auto doc = NewDoc();
         auto comment = std::make_unique<CBlockComment>();
         comment->m_strText = CString(u'x', kMaxCommentChars + 5);
         doc->m_comments.AddTail(std::move(comment));
         return doc->SaveToBytes();
       },
       [](CZaradDoc& doc) {
         ASSERT_EQ(doc.m_comments.GetCount(), 1);
         EXPECT_EQ(doc.m_comments.GetHead()->m_strText.GetLength(), kMaxCommentChars);
       }},
      {"many broken wires",
       [this] {
         auto doc = NewDoc();
         CBlockObj* gate = doc->AddBlock(MakeBlockOfType(300));
         for (int i = 0; i < kBroken; ++i) {
           auto wire = std::make_unique<CConnectLineObj>();
           wire->m_nStartNumber = gate->m_nNumber;
           wire->m_nStartPin = kFirstOutputPin;
           wire->m_nEndNumber = 20000 + i;  // names no block
           doc->m_connections.AddTail(std::move(wire));
         }
         return doc->SaveToBytes();
       },
       [](CZaradDoc& doc) { EXPECT_TRUE(doc.m_connections.IsEmpty()); }},
  };
  CString information;  // the information window after the last first open
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path path = WriteFile("mended.bfb", c.make());
    auto doc = NewDoc();
    m_sink.Clear();
    m_sink.Clear();
    CString error;
    ASSERT_TRUE(doc->OnOpenDocument(CString::FromUtf8(path.string()), &error)) << error.ToUtf8();
    c.check(*doc);
    ASSERT_EQ(m_sink.messages().size(), 1u);  // one message for the whole load
    EXPECT_EQ(m_sink.messages()[0].icon, MessageIcon::kWarning);
    EXPECT_NE(m_sink.messages()[0].text.Find(u"mended.bfb"), -1);
    EXPECT_LT(m_sink.messages()[0].text.GetLength(), 2000);
    EXPECT_FALSE(m_sink.information().IsEmpty());
    information = m_sink.information();
    // The file stores sound now: it loads again without a word.
    const fs::path again = WriteFile("again.bfb", doc->SaveToBytes());
    auto reloaded = NewDoc();
    m_sink.Clear();
    ASSERT_TRUE(reloaded->OnOpenDocument(CString::FromUtf8(again.string()), &error));
    EXPECT_EQ(m_sink.messages().size(), std::string(c.what) == "unknown model" ? 1u : 0u);
  }
  // The last case, counted in the information window: every dropped wire is listed there.
  EXPECT_NE(information.Find(CString::FromUtf8(std::to_string(20000 + kBroken - 1))), -1);
}

}  // namespace

namespace {

// Position of a block in the document's block list; -1 when it is not there.
int IndexOf(const CZaradDoc& doc, const CBlockObj* block) {
  int i = 0;
  for (const CBlockObj* b : doc.m_blocks) {
    if (b == block) return i;
    ++i;
  }
  return -1;
}

// Every block of the list has a number of its own, and none is 0.
void ExpectUniqueNumbers(const CZaradDoc& doc) {
  std::set<int> numbers;
  for (const CBlockObj* b : doc.m_blocks) {
    EXPECT_NE(b->m_nNumber, 0) << "type " << b->m_nType;
    EXPECT_TRUE(numbers.insert(b->m_nNumber).second) << "number " << b->m_nNumber << " twice";
  }
}

}  // namespace

TEST_F(FileFormatTest, TheMaximalSampleIsValidAndReloadsWithTheSameBlocksAndWires) {
  auto doc = NewDoc(kDocFbd, 0x5188);
  BuildSampleDocument(*doc);
  const SampleDocumentSize size;
  ASSERT_EQ(doc->m_blocks.GetCount(), size.nFunctionBlocks + size.nOperands);
  ASSERT_EQ(doc->m_connections.GetCount(), size.nWires);
  ExpectUniqueNumbers(*doc);
  for (const CBlockObj* b : doc->m_blocks) {
    const int limit = doc->GetTypeLimit(b->m_nType);
    if (limit == 0) continue;
    const int count =
        static_cast<int>(std::count_if(doc->m_blocks.begin(), doc->m_blocks.end(),
                                       [b](const CBlockObj* o) { return o->m_nType == b->m_nType; }));
    EXPECT_LE(count, limit) << "type " << b->m_nType;
  }

  auto loaded = NewDoc(kDocFbd, 0x5188);
  CString error;
  ASSERT_TRUE(loaded->LoadFromBytes(doc->SaveToBytes(), "sample", &error)) << error.ToUtf8();
  EXPECT_TRUE(loaded->m_loadWarnings.empty());
  ExpectUniqueNumbers(*loaded);
  // ZOVUZI_SAMPLE_FILE names a file that takes the sample (to look at it in the program).
  if (const char* out = std::getenv("ZOVUZI_SAMPLE_FILE")) {
    doc->m_sizePage = CSize(1920, 1080);
    doc->m_nPagesAcross = 3;
    doc->m_nPagesDown = 5;
    EXPECT_TRUE(doc->OnSaveDocument(CString(std::string(out)), &error)) << error.ToUtf8();
  }
  ASSERT_EQ(loaded->m_connections.GetCount(), doc->m_connections.GetCount());
  auto before = doc->m_connections.begin();
  for (const CConnectLineObj* wire : loaded->m_connections) {
    const CConnectLineObj* original = *before++;
    ASSERT_NE(wire->m_pStartBlock, nullptr);
    ASSERT_NE(wire->m_pEndBlock, nullptr);
    EXPECT_EQ(IndexOf(*loaded, wire->m_pStartBlock), IndexOf(*doc, original->m_pStartBlock));
    EXPECT_EQ(IndexOf(*loaded, wire->m_pEndBlock), IndexOf(*doc, original->m_pEndBlock));
    EXPECT_EQ(wire->m_pStartBlock->m_nNumber, original->m_pStartBlock->m_nNumber);
    EXPECT_EQ(wire->m_pEndBlock->m_nNumber, original->m_pEndBlock->m_nNumber);
  }
}
