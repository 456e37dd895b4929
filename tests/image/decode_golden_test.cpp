// The uploaded diagram, exactly: a program image decoded with its wiring gives
// the document kept in tests/data/decode (every block's type, number, place and
// links; every wire's ends, path and junction dots; the connector pairs that
// crossing wires became, and where their halves stand). The layout, the
// separation and the placement of the halves use indexes of their own; this
// pins what they give, whatever the indexes do inside.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "image/download_image.h"
#include "image/image_decoder.h"
#include "model/block_obj.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"
#include "support/fixture_files.h"
#include "support/sample_document.h"

namespace {

SYSTEMTIME Stamp() {
  SYSTEMTIME t{};
  t.wYear = 2025, t.wMonth = 6, t.wDay = 7, t.wHour = 8, t.wMinute = 9, t.wSecond = 10;
  return t;
}

std::string Point(CPoint p) {
  return std::to_string(p.x) + "," + std::to_string(p.y);
}

// One line per block, then one per wire, in document order.
std::string Dump(const CZaradDoc& doc) {
  std::ostringstream out;
  out << "pages " << doc.m_nPagesAcross << " " << doc.m_nPagesDown << "\n";
  for (const CBlockObj* b : doc.m_blocks) {
    out << "B " << b->m_nType << " " << b->m_nNumber << " " << b->m_nOperand << " at " << Point(b->m_ptPos)
        << " size " << b->m_nWidth << "," << b->m_nHeight << " in";
    for (int pin = 0; pin < b->InputPinCount(); ++pin) out << " " << b->m_nSource[pin];
    out << " out " << b->m_nSource[kFirstOutputPin] << "\n";
  }
  for (const CConnectLineObj* w : doc.m_connections) {
    out << "W " << w->m_nStartNumber << "/" << w->m_nStartPin << " " << w->m_nEndNumber << "/" << w->m_nEndPin
        << " path";
    for (const CPoint& p : w->m_points) out << " " << Point(p);
    out << " dots";
    for (size_t i = 0; i < w->m_junctions.size(); ++i)
      if (w->m_junctions[i] != kNoJunction) out << " " << i << "@" << Point(w->m_junctions[i]);
    out << "\n";
  }
  return out.str();
}

std::string Decoded(CZaradDoc& source, WORD model) {
  DownloadImage out;
  EXPECT_TRUE(PrepareDownload(source, &out, Stamp()));
  CZaradDoc doc(NewDocumentSettings{kDocFbd, model});
  CString error;
  EXPECT_TRUE(DecodeProgramImage(out.image, model, doc, error)) << error.ToUtf8();
  return Dump(doc);
}

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// The first line where two dumps differ, for a readable failure.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected), b(actual);
  std::string la, lb;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, la));
    const bool moreB = static_cast<bool>(std::getline(b, lb));
    if (!moreA && !moreB) return "";
    if (!moreA || !moreB || la != lb)
      return "line " + std::to_string(line) + ":\n  expected: " + (moreA ? la : "(end)") +
             "\n  actual:   " + (moreB ? lb : "(end)");
  }
}

void ExpectDump(const std::string& name, const std::string& actual) {
  const std::string path = std::string(ZOVUZI_TEST_DATA_DIR) + "/decode/" + name + ".txt";
  const std::string expected = ReadText(path);
  const std::string difference = FirstDifference(expected, actual);
  if (difference.empty()) return;
  // What this build gives, beside the test's working folder, for a look.
  std::ofstream(name + ".actual.txt", std::ios::binary) << actual;
  ADD_FAILURE() << path << " differs at " << difference;
}

TEST(DecodeGolden, SampleProgramDecodesToTheKeptDiagram) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  CDiagramBuilder d(kDocFbd, 0x5188);
  SampleDocumentSize size;
  size.nFunctionBlocks = 300;
  size.nOperands = 60;
  size.nMessageTexts = 0;
  BuildSampleDocument(d.Doc(), size);
  ExpectDump("sample_300", Decoded(d.Doc(), 0x5188));
}

TEST(DecodeGolden, FixtureDiagramsDecodeToTheKeptDiagrams) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    CZaradDoc doc;
    CString error;
    ASSERT_TRUE(doc.LoadFromBytes(ReadFixtureBytes(name), name, &error)) << error.ToUtf8();
    if (doc.IsLadder()) continue;  // converted first elsewhere: the FBD diagrams are enough here
    ExpectDump(name, Decoded(doc, doc.m_wModelCode));
  }
}

}  // namespace
