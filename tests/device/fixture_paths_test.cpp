// The realistic diagrams of tests/data/fixtures (written apart from this code)
// on every path a user's work takes:
//   - opened, they hold every block, wire, comment and setting that
//     NAME.expect.json lists;
//   - a ladder is converted to FBD, then each is compiled with the download's
//     time stamp fixed: the image is the one NAME.image.json gives, area by area,
//     with its checksums, and the first frame of each section on the wire;
//   - saved and opened again: the same file and the same image;
//   - downloaded into the simulated device, uploaded again, decoded and compiled
//     once more: the same bytes throughout.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "blocks/analog_blocks.h"
#include "blocks/logic_blocks.h"
#include "blocks/operand_blocks.h"
#include "blocks/time_blocks.h"
#include "device/download_prep.h"
#include "editor/diagram_editor.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "image/image_layout.h"
#include "link_fixture.h"
#include "model/block_comment.h"
#include "model/connect_line_obj.h"
#include "model/zarad_doc.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/widget.h"
#include "support/fixture_files.h"
#include "support/json_value.h"

namespace {

SYSTEMTIME FixtureStamp() {  // the ID time stamp the image files were made with
  SYSTEMTIME t{};
  t.wYear = 2025, t.wMonth = 1, t.wDay = 15, t.wHour = 8, t.wMinute = 30, t.wSecond = 0;
  return t;
}

std::unique_ptr<CZaradDoc> Open(const std::string& name) {
  auto doc = std::make_unique<CZaradDoc>(NewDocumentSettings{});
  CString error;
  EXPECT_TRUE(doc->OnOpenDocument(CString::FromUtf8(FixturePath(name)), &error)) << error.ToUtf8();
  return doc;
}

// A ladder's conversion into a new FBD document, as Convert to FBD makes it.
std::unique_ptr<CZaradDoc> Converted(const CZaradDoc& ladder) {
  auto fbd = std::make_unique<CZaradDoc>(NewDocumentSettings{kDocFbd, ladder.m_wModelCode});
  CDiagramEditor core(fbd.get());
  core.SetClientSize(CSize(800, 600));
  core.OnInitialUpdate();
  core.ConvertLadderToFbd(ladder);
  return fbd;
}

// What the program sends for a diagram: a ladder goes as its conversion.
std::unique_ptr<CZaradDoc> Downloadable(const std::string& name) {
  std::unique_ptr<CZaradDoc> doc = Open(name);
  return doc->IsLadder() ? Converted(*doc) : std::move(doc);
}

CString Utf16(const JsonValue& v) {
  return CString::FromUtf8(v.AsString());
}

// ---- Opening ------------------------------------------------------------------------

void ExpectInts(const JsonValue& list, const int* values, size_t count, const std::string& what) {
  ASSERT_EQ(list.size(), count) << what;
  for (size_t i = 0; i < count; ++i) EXPECT_EQ(values[i], list[i].AsInt()) << what << "[" << i << "]";
}

void ExpectPoint(const JsonValue& p, const CPoint& pt, const std::string& what) {
  EXPECT_EQ(pt.x, p[0].AsInt()) << what;
  EXPECT_EQ(pt.y, p[1].AsInt()) << what;
}

int Param(const CBlockObj& b, int n) {
  static constexpr int CBlockObj::*kWords[] = {
      &CBlockObj::m_nParam1,  &CBlockObj::m_nParam2,  &CBlockObj::m_nParam3,  &CBlockObj::m_nParam4,
      &CBlockObj::m_nParam5,  &CBlockObj::m_nParam6,  &CBlockObj::m_nParam7,  &CBlockObj::m_nParam8,
      &CBlockObj::m_nParam9,  &CBlockObj::m_nParam10, &CBlockObj::m_nParam11, &CBlockObj::m_nParam12,
      &CBlockObj::m_nParam13, &CBlockObj::m_nParam14, &CBlockObj::m_nParam15, &CBlockObj::m_nParam16,
      &CBlockObj::m_nParam17, &CBlockObj::m_nParam18, &CBlockObj::m_nParam19, &CBlockObj::m_nParam20,
      &CBlockObj::m_nParam21, &CBlockObj::m_nParam22, &CBlockObj::m_nParam23, &CBlockObj::m_nParam24,
      &CBlockObj::m_nParam25, &CBlockObj::m_nParam26, &CBlockObj::m_nParam27, &CBlockObj::m_nParam28};
  return b.*kWords[n - 1];
}

// The fields of a family's own that the files list (the tail of its record).
void ExpectTail(const CBlockObj& b, const JsonValue& tail, const std::string& what) {
  if (const auto* in = dynamic_cast<const CBlockIn*>(&b)) {
    EXPECT_EQ(in->m_bHighSpeed, tail["m_bHighSpeed"].AsInt()) << what;
  }
  if (const auto* logic = dynamic_cast<const CBlockLogic*>(&b)) {
    EXPECT_EQ(logic->m_nLogicFlag, tail["m_nLogicFlag"].AsInt()) << what;
  }
  if (const auto* a = dynamic_cast<const CBlockAnalog*>(&b)) {
    const std::pair<const char*, int> ints[] = {
        {"m_nSensor", a->m_nSensor},         {"m_nRangeMin", a->m_nRangeMin},
        {"m_nRangeMax", a->m_nRangeMax},     {"m_nOffset", a->m_nOffset},
        {"m_nThreshold1", a->m_nThreshold1}, {"m_nThreshold2", a->m_nThreshold2},
        {"m_nPoint", a->m_nPoint},           {"m_nOption1", a->m_nOption1},
        {"m_nOption2", a->m_nOption2},       {"m_nOption3", a->m_nOption3},
        {"m_nOption4", a->m_nOption4},       {"m_nTiMinutes", a->m_nTiMinutes},
        {"m_nTiSeconds", a->m_nTiSeconds},   {"m_nSelect", a->m_nSelect}};
    for (const auto& [key, value] : ints) EXPECT_EQ(value, tail[key].AsInt()) << what << " " << key;
    EXPECT_DOUBLE_EQ(a->m_dGain, tail["m_dGain"].AsNumber()) << what;
    EXPECT_DOUBLE_EQ(a->m_dKc, tail["m_dKc"].AsNumber()) << what;
  }
  if (const auto* t = dynamic_cast<const CBlockTime*>(&b)) {
    for (int cam = 0; cam < CBlockTime::kCams; ++cam) {
      ExpectInts(tail["m_nCamDays"][cam], t->m_nCamDays[cam], CBlockTime::kWeekDays, what + " days");
      ExpectInts(tail["m_nCamOn"][cam], t->m_nCamOn[cam], 2, what + " on");
      ExpectInts(tail["m_nCamOff"][cam], t->m_nCamOff[cam], 2, what + " off");
    }
    ExpectInts(tail["m_bCamOnUnset"], t->m_bCamOnUnset, CBlockTime::kCams, what);
    ExpectInts(tail["m_bCamOffUnset"], t->m_bCamOffUnset, CBlockTime::kCams, what);
  }
  if (const auto* text = dynamic_cast<const CBlockMSGTEXT*>(&b)) {
    for (int r = 0; r < CBlockMSGTEXT::kRows; ++r)
      for (int c = 0; c < CBlockMSGTEXT::kCols; ++c) {
        EXPECT_EQ(text->m_strTextSet1[r][c], Utf16(tail["m_strTextSet1"][r][c]))
            << what << " " << r << "," << c;
        EXPECT_EQ(text->m_strTextSet2[r][c], Utf16(tail["m_strTextSet2"][r][c]))
            << what << " " << r << "," << c;
      }
  }
}

void ExpectBlock(const CBlockObj& b, const JsonValue& e) {
  const std::string what = "block " + std::to_string(b.m_nNumber);
  EXPECT_STREQ(b.GetRuntimeClass()->m_lpszClassName, e["class"].AsString().c_str()) << what;
  const std::pair<const char*, int> ints[] = {
      {"m_nType", b.m_nType},           {"m_nNumber", b.m_nNumber},
      {"m_nInputs", b.m_nInputs},       {"m_nOutputs", b.m_nOutputs},
      {"m_nOperand", b.m_nOperand},     {"m_nLinkSlots", b.m_nLinkSlots},
      {"m_nWidth", b.m_nWidth},         {"m_nHeight", b.m_nHeight},
      {"m_wMemSize", b.m_wMemSize},     {"m_nMinValue", b.m_nMinValue},
      {"m_nMaxValue", b.m_nMaxValue},   {"m_bShowLabel", b.m_bShowLabel},
      {"m_bAutoRange", b.m_bAutoRange}, {"m_nContactState", b.m_nContactState},
      {"m_nSimValue", b.m_nSimValue},   {"m_nReserved1", b.m_nReserved1},
      {"m_nReserved2", b.m_nReserved2}};
  for (const auto& [key, value] : ints) EXPECT_EQ(value, e[key].AsInt()) << what << " " << key;
  ExpectInts(e["m_nSource"], b.m_nSource, kPinCount, what + " m_nSource");
  ExpectInts(e["m_bInvert"], b.m_bInvert, kPinCount, what + " m_bInvert");
  ExpectInts(e["m_nPinType"], b.m_nPinType, kPinCount, what + " m_nPinType");
  ExpectInts(e["m_bUseRef"], b.m_bUseRef, kRefCount, what + " m_bUseRef");
  ExpectPoint(e["m_ptPos"], b.m_ptPos, what);
  ExpectPoint(e["m_ptDragStart"], b.m_ptDragStart, what);
  EXPECT_EQ(b.m_strName, Utf16(e["m_strName"])) << what;
  EXPECT_EQ(b.m_strLabel, Utf16(e["m_strLabel"])) << what;
  EXPECT_EQ(b.m_strMask, Utf16(e["m_strMask"])) << what;
  EXPECT_EQ(b.m_strReserved, Utf16(e["m_strReserved"])) << what;
  EXPECT_DOUBLE_EQ(b.m_dParam, e["m_dParam"].AsNumber()) << what;
  for (int n = 1; n <= 28; ++n) {
    const std::string key = "m_nParam" + std::to_string(n);
    if (e["params"].Has(key)) {
      EXPECT_EQ(Param(b, n), e["params"][key].AsInt()) << what << " " << key;
    }
  }
  // After loading: the references in use and the blocks they name.
  const JsonValue& post = e["post_load"];
  for (int k = 0; k < kRefCount; ++k) {
    const JsonValue& ref = post["ref_blocks"][static_cast<size_t>(k)];
    EXPECT_EQ(b.m_pRef[k] ? b.m_pRef[k]->m_nNumber : -1, ref.IsNull() ? -1 : ref.AsInt())
        << what << " ref " << k;
  }
  ExpectInts(post["m_bUseRef"], b.m_bUseRef, kRefCount, what + " post-load m_bUseRef");
  ExpectTail(b, e["tail"], what);
}

TEST(FixturePaths, OpenedDiagramsHoldWhatTheFilesSay) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    const JsonValue expect = JsonValue::ParseFile(FixturePath(std::string(name) + ".expect.json"));
    std::unique_ptr<CZaradDoc> doc = Open(name);
    const JsonValue& summary = expect["summary"];
    EXPECT_EQ(doc->m_nKind, summary["kind"].AsInt());
    EXPECT_EQ(doc->m_wModelCode, summary["model_code"].AsInt());
    EXPECT_EQ(doc->GetModelFamily(), summary["family"].AsInt());
    ASSERT_EQ(doc->m_blocks.GetCount(), summary["block_count"].AsInt());
    ASSERT_EQ(doc->m_connections.GetCount(), summary["wire_count"].AsInt());
    ASSERT_EQ(doc->m_comments.GetCount(), summary["comment_count"].AsInt());
    if (!summary["power_bus_count"].IsNull()) {
      EXPECT_EQ(doc->m_powerBus.GetCount(), summary["power_bus_count"].AsInt());
    }

    size_t i = 0;
    for (const CBlockObj* b : doc->m_blocks) ExpectBlock(*b, expect["blocks"][i++]);
    i = 0;
    for (const CConnectLineObj* w : doc->m_connections) {
      const JsonValue& e = expect["wires"][i++];
      const std::string what = "wire " + std::to_string(i);
      EXPECT_EQ(w->m_nStartNumber, e["m_nStartNumber"].AsInt()) << what;
      EXPECT_EQ(w->m_nEndNumber, e["m_nEndNumber"].AsInt()) << what;
      EXPECT_EQ(w->m_nStartPin, e["m_nStartPin"].AsInt()) << what;
      EXPECT_EQ(w->m_nEndPin, e["m_nEndPin"].AsInt()) << what;
      ExpectPoint(e["m_ptStart"], w->m_ptStart, what);
      ExpectPoint(e["m_ptEnd"], w->m_ptEnd, what);
      ASSERT_EQ(w->m_points.size(), e["m_points"].size()) << what;
      for (size_t k = 0; k < w->m_points.size(); ++k) ExpectPoint(e["m_points"][k], w->m_points[k], what);
      // The junction slots the file holds; the slots a shorter record lacks are empty.
      const JsonValue& junctions = e["m_junctions"];
      for (size_t k = 0; k < w->m_junctions.size(); ++k) {
        if (k < junctions.size()) {
          ExpectPoint(junctions[k], w->m_junctions[k], what);
        } else {
          EXPECT_EQ(w->m_junctions[k], kNoJunction) << what;
        }
      }
    }
    i = 0;
    for (const CBlockComment* c : doc->m_comments) {
      const JsonValue& e = expect["comments"][i++];
      EXPECT_EQ(c->m_strText, Utf16(e["m_strText"]));
      ExpectPoint(e["m_ptPos"], c->m_ptPos, "comment");
    }
    const JsonValue& settings = expect["settings"];
    EXPECT_EQ(doc->m_strProgramName, Utf16(settings["m_strProgramName"]));
    EXPECT_EQ(doc->m_strCreator, Utf16(settings["m_strCreator"]));
    EXPECT_EQ(doc->m_strPassword, Utf16(settings["m_strPassword"]));
    for (size_t p = 0; p < 3; ++p) {
      const JsonValue& port = settings["m_ports"][p];
      EXPECT_EQ(doc->m_ports[p].nRole, port["role"].AsInt()) << p;
      EXPECT_EQ(doc->m_ports[p].nAddress, port["address"].AsInt()) << p;
      EXPECT_EQ(doc->m_ports[p].nBaudRate, port["baud"].AsInt()) << p;
      EXPECT_EQ(doc->m_ports[p].nTimeout, port["timeout_ms"].AsInt()) << p;
    }
    if (expect.Has("ladder_maps")) {
      const JsonValue& names = expect["ladder_maps"]["m_operandNames"];
      EXPECT_EQ(doc->m_operandNames.size(), names.size());
      for (const JsonValue& pair : names.AsArray())
        EXPECT_EQ(doc->m_operandNames[static_cast<UINT>(pair[0].AsInt())], Utf16(pair[1]));
    }
  }
}

// ---- Compiling ----------------------------------------------------------------------

std::string Hex(const BYTE* p, size_t n) {
  static const char* kDigits = "0123456789abcdef";
  std::string out;
  for (size_t i = 0; i < n; ++i) {
    out += kDigits[p[i] >> 4];
    out += kDigits[p[i] & 15];
  }
  return out;
}

// Each difference between our bytes and the file's: where, and both readings.
void Compare(const std::vector<BYTE>& ours, const std::vector<unsigned char>& theirs,
             const std::string& where, std::vector<std::string>* differences) {
  if (ours.size() != theirs.size()) {
    differences->push_back(where + ": " + std::to_string(ours.size()) + " bytes, the file has " +
                           std::to_string(theirs.size()));
    return;
  }
  for (size_t i = 0; i < ours.size(); ++i) {
    if (ours[i] == theirs[i]) continue;
    size_t end = i;
    while (end < ours.size() && ours[end] != theirs[end]) ++end;
    differences->push_back(where + " +" + std::to_string(i) + ": " + Hex(&ours[i], end - i) + " (file " +
                           Hex(&theirs[i], end - i) + ")");
    i = end;
  }
}

TEST(FixturePaths, CompiledImagesAreTheFilesImages) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    const JsonValue image = JsonValue::ParseFile(FixturePath(std::string(name) + ".image.json"));
    std::unique_ptr<CZaradDoc> doc = Downloadable(name);
    EXPECT_EQ(CheckUnconnectedBlocks(*doc), image["download_checks"]["pre_download"]["ok"].AsBool());
    DownloadImage out;
    ASSERT_TRUE(PrepareDownload(*doc, &out, FixtureStamp()));

    std::vector<std::string> differences;
    EXPECT_GE(image["areas"].size(), 20u);
    for (const auto& [area, hex] : image["areas"].AsObject()) {
      const ImageAreaRow* row = FindImageAreaRow(CString::FromUtf8(area).GetString());
      ASSERT_NE(row, nullptr) << area;
      const std::vector<BYTE>& buffer =
          row->nBuffer == kImageBufferTable ? out.image.table : out.image.program;
      ASSERT_LE(static_cast<size_t>(row->nOffset + row->nSize), buffer.size()) << area;
      Compare(std::vector<BYTE>(buffer.begin() + row->nOffset, buffer.begin() + row->nOffset + row->nSize),
              HexBytes(hex.AsString()), area, &differences);
    }
    Compare(out.image.program, HexBytes(image["J"].AsString()), "J", &differences);
    std::vector<unsigned char> pages;
    for (const JsonValue& page : image["message_pages"].AsArray()) {
      const std::vector<unsigned char> bytes = HexBytes(page.IsNull() ? "" : page["hex"].AsString());
      pages.insert(pages.end(), bytes.begin(), bytes.end());
    }
    Compare(out.image.pages, pages, "message-text pages", &differences);
    EXPECT_EQ(differences, std::vector<std::string>{});

    EXPECT_EQ(out.imageWords, image["size_word"].AsInt());
    std::ostringstream checksum;
    checksum << "0x" << std::hex << std::uppercase << out.imageChecksum;
    EXPECT_EQ(checksum.str(), image["checksums"]["image"].AsString());
    if (!image["checksums"]["text"].IsNull()) {
      char text[16];
      std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(out.textChecksum));
      EXPECT_EQ(std::string(text), image["checksums"]["text"].AsString());
    }
    EXPECT_EQ(out.textPages, image["text_pages"].AsInt());
    ExpectInts(image["download_checks"]["capability_counts"], doc->m_nCapCounts, 3, "capability counts");
    EXPECT_TRUE(sink.texts().empty());
  }
}

// Saved and opened again, each diagram is the same: the same file bytes and,
// converted where ladder, the same program image.
TEST(FixturePaths, SavedAndReopenedUnchanged) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    std::unique_ptr<CZaradDoc> doc = Open(name);
    const std::vector<BYTE> saved = doc->SaveToBytes();
    CZaradDoc again;
    CString error;
    ASSERT_TRUE(again.LoadFromBytes(saved, name, &error)) << error.ToUtf8();
    EXPECT_EQ(again.SaveToBytes(), saved);
    std::unique_ptr<CZaradDoc> first = doc->IsLadder() ? Converted(*doc) : std::move(doc);
    std::unique_ptr<CZaradDoc> second = again.IsLadder() ? Converted(again) : nullptr;
    CZaradDoc& other = second ? *second : again;
    DownloadImage a, b;
    ASSERT_TRUE(PrepareDownload(*first, &a, FixtureStamp()));
    ASSERT_TRUE(PrepareDownload(other, &b, FixtureStamp()));
    EXPECT_EQ(a.image.table, b.image.table);
    EXPECT_EQ(a.image.program, b.image.program);
    EXPECT_EQ(a.image.pages, b.image.pages);
  }
  EXPECT_TRUE(sink.texts().empty());
}

// ---- Download, upload and the image read back ---------------------------------------

class FixtureLinkTest : public LinkTest {};

TEST_F(FixtureLinkTest, DownloadedUploadedAndRecompiledUnchanged) {
  for (const char* name : kFixtureDiagrams) {
    SCOPED_TRACE(name);
    const JsonValue image = JsonValue::ParseFile(FixturePath(std::string(name) + ".image.json"));
    std::unique_ptr<CZaradDoc> doc = Downloadable(name);
    const SYSTEMTIME stamp = FixtureStamp();
    ASSERT_TRUE(CompileForDownload(*doc, &m_host.image, &stamp));
    m_sim.SetIdentity(static_cast<BYTE>(doc->m_wModelCode >> 8), static_cast<BYTE>(doc->m_wModelCode & 0xFF),
                      doc->m_wFirmware);
    m_sim.ClearRequests();
    m_host.log.clear();
    m_link.OnDeviceOperation(kOpDownload);
    ASSERT_EQ(m_sim.LastEndSuccess(), 1) << m_host.log;
    EXPECT_TRUE(Logged("DownLoad Succeeds\n")) << m_host.log;

    // The first frame of each section on the wire, as the file gives it.
    for (const JsonValue& section : image["write_order"].AsArray()) {
      const int function = static_cast<int>(section["function"].AsInt());
      const int start = std::stoi(section["start_register"].AsString(), nullptr, 16);
      const std::vector<unsigned char> payload = HexBytes(section["first_frame_wire_hex"].AsString());
      bool found = false;
      for (const std::vector<BYTE>& frame : m_sim.Requests()) {
        if (frame.size() < 9 || frame[1] != function || (frame[2] << 8 | frame[3]) != start) continue;
        const std::vector<unsigned char> data(frame.begin() + 7, frame.end() - 2);
        EXPECT_EQ(Hex(data.data(), data.size()), Hex(payload.data(), payload.size()))
            << section["what"].AsString();
        found = true;
        break;
      }
      EXPECT_TRUE(found) << section["what"].AsString();
    }

    // The device's memory holds the image the file gives, byte for byte: the
    // table image and program area from their registers, the message-text pages.
    DownloadImage sent;
    ASSERT_TRUE(PrepareDownload(*doc, &sent, stamp));
    const std::vector<BYTE> table = FromRegisterOrder(m_sim.Registers(kRegTableImage, kTableImageBytes / 2));
    const std::vector<BYTE> program =
        FromRegisterOrder(m_sim.Registers(kRegProgramArea, static_cast<int>(sent.image.program.size() / 2)));
    std::vector<std::string> held;
    for (const auto& [area, hex] : image["areas"].AsObject()) {
      const ImageAreaRow* row = FindImageAreaRow(CString::FromUtf8(area).GetString());
      ASSERT_NE(row, nullptr) << area;
      if (row->nBuffer != kImageBufferTable) continue;
      Compare(std::vector<BYTE>(table.begin() + row->nOffset, table.begin() + row->nOffset + row->nSize),
              HexBytes(hex.AsString()), "device " + area, &held);
    }
    Compare(program, HexBytes(image["J"].AsString()), "device J", &held);
    std::vector<unsigned char> pages;
    for (const JsonValue& page : image["message_pages"].AsArray()) {
      const std::vector<unsigned char> bytes = HexBytes(page.IsNull() ? "" : page["hex"].AsString());
      pages.insert(pages.end(), bytes.begin(), bytes.end());
    }
    Compare(FromRegisterOrder(m_sim.MessageTexts(static_cast<int>(sent.image.pages.size()))), pages,
            "device message-text pages", &held);
    EXPECT_EQ(held, std::vector<std::string>{});
    EXPECT_EQ(table, sent.image.table);

    m_host.uploaded.clear();
    m_link.OnDeviceOperation(kOpUpload);
    ASSERT_EQ(m_host.uploaded.size(), 1u) << m_host.log;
    const UploadedProgram& back = m_host.uploaded[0];
    EXPECT_EQ(back.modelCode, doc->m_wModelCode);
    EXPECT_EQ(back.image.table, sent.image.table);
    EXPECT_EQ(back.image.program, sent.image.program);
    EXPECT_EQ(back.image.pages, sent.image.pages);

    // Decoded into a new diagram and compiled again: the same bytes.
    CZaradDoc decoded(NewDocumentSettings{kDocFbd, back.modelCode});
    CString error;
    ASSERT_TRUE(DecodeProgramImage(back.image, back.modelCode, decoded, error)) << error.ToUtf8();
    DownloadImage again;
    ASSERT_TRUE(PrepareDownload(decoded, &again, stamp));
    std::vector<std::string> differences;
    Compare(again.image.table, sent.image.table, "table image", &differences);
    Compare(again.image.program, sent.image.program, "J", &differences);
    Compare(again.image.pages, sent.image.pages, "message-text pages", &differences);
    EXPECT_EQ(differences, std::vector<std::string>{});
    EXPECT_TRUE(Messages().empty());
  }
}

}  // namespace
