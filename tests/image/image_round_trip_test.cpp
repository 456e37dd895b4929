// Compile, decode and compile again gives the same bytes, for every encoder and
// decoder pair: the record of each function-block kind of every model with
// several sets of settings, the program settings one by one, and message texts
// of both series with every element kind, texts and names holding blanks.
//
// The image cannot carry everything a diagram holds (positions, wires, the
// undo history, an element's parameter other than the four the device shows,
// the start-up logo's file name, the line ticker time, ...): the decoded
// diagram lacks those, so only the bytes are compared here. What the decoded
// diagram holds is checked field by field in the decoder's own tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "blocks/data_log_block.h"
#include "image/download_image.h"
#include "image/image_decoder.h"
#include "image/image_layout.h"
#include "model/block_codes.h"
#include "model/model_table.h"
#include "msgtext/msg_param_table.h"
#include "msgtext/msgtext_block.h"
#include "msgtext/param_display_width.h"
#include "msgtext/widget.h"
#include "platform/message_sink.h"
#include "support/block_settings.h"
#include "support/diagram_builder.h"

namespace {

constexpr WORD kModels[] = {0x1188, 0x2188, 0x5188, 0x5288, 0x6188};

SYSTEMTIME Stamp() {
  SYSTEMTIME t{};
  t.wYear = 2025, t.wMonth = 1, t.wDay = 15, t.wHour = 8, t.wMinute = 30;
  return t;
}

// The bytes from eight before i to eight after it, in hex.
std::string Around(const std::vector<BYTE>& v, size_t i) {
  std::string out;
  char hex[8];
  for (size_t k = i < 8 ? 0 : i - 8; k < v.size() && k <= i + 8; ++k) {
    std::snprintf(hex, sizeof hex, k == i ? "[%02x]" : "%02x", v[k]);
    out += hex;
  }
  return out;
}

// Where two buffers differ ("" when nowhere): the first three runs of differing
// bytes, each with its area, offset in it and the bytes around it.
std::string Differences(const std::vector<BYTE>& a, const std::vector<BYTE>& b, int buffer) {
  if (a.size() != b.size()) return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
  std::string out;
  int runs = 0;
  for (size_t i = 0; i < a.size() && runs < 3; ++i) {
    if (a[i] == b[i]) continue;
    std::string area =
        buffer == 2 ? "page " + std::to_string(i / 1280) + " +" + std::to_string(i % 1280) : "?";
    for (const ImageAreaRow& row : ImageAreaTable())
      if (buffer != 2 && row.nBuffer == buffer && static_cast<int>(i) >= row.nOffset &&
          static_cast<int>(i) < row.nOffset + row.nSize)
        area = CString(row.pName).ToUtf8() + " +" + std::to_string(i - static_cast<size_t>(row.nOffset));
    out += "byte " + std::to_string(i) + " (" + area + "): " + Around(a, i) + " vs " + Around(b, i) + "; ";
    ++runs;
    while (i < a.size() && a[i] != b[i]) ++i;
  }
  return out;
}

// Compiles the diagram, decodes the image into a new diagram of the model and
// compiles that: each buffer and both checksums must be the same.
void ExpectRoundTrip(CZaradDoc& doc) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  DownloadImage first;
  ASSERT_TRUE(PrepareDownload(doc, &first, Stamp()));
  CZaradDoc decoded(NewDocumentSettings{kDocFbd, doc.m_wModelCode});
  CString error;
  ASSERT_TRUE(DecodeProgramImage(first.image, doc.m_wModelCode, decoded, error)) << error.ToUtf8();
  DownloadImage second;
  ASSERT_TRUE(PrepareDownload(decoded, &second, Stamp()));
  EXPECT_EQ(Differences(first.image.table, second.image.table, kImageBufferTable), "") << "table image";
  EXPECT_EQ(Differences(first.image.program, second.image.program, kImageBufferProgram), "")
      << "program area";
  EXPECT_EQ(Differences(first.image.pages, second.image.pages, 2), "") << "message-text pages";
  EXPECT_EQ(first.imageChecksum, second.imageChecksum);
  EXPECT_EQ(first.textChecksum, second.textChecksum);
  EXPECT_EQ(first.imageWords, second.imageWords);
  for (const CString& text : sink.texts()) ADD_FAILURE() << text.ToUtf8();
}

// Feeds every open input of b from an input (I, or AI for an analog pin) of the diagram.
void FeedInputs(CDiagramBuilder& d, CBlockObj* b) {
  for (int pin = 0; pin < b->m_nInputs && pin < kFirstOutputPin; ++pin) {
    if (b->m_nSource[pin] != LINK_OPEN) continue;  // a parameter slot
    CBlockObj* source = d.Add(b->m_nPinType[pin] == PIN_ANALOG ? kTypeAnalogInput : kTypeInput);
    CDiagramBuilder::Wire(source, b, pin);
  }
}

// ---- Each function-block kind's record ------------------------------------------------

// A block of the kind with the variant's settings (-1: the defaults), fed by
// inputs, driving an output, its references naming a counter that drives another.
void ExpectBlockRoundTrip(WORD model, int type, int variant) {
  CDiagramBuilder d(kDocFbd, model);
  CBlockObj* partner = d.Add(800);
  CBlockObj* b = d.Add(type);
  ASSERT_NE(b, nullptr);
  if (variant >= 0) SetNonDefaultParameters(*b, partner, variant);
  FeedInputs(d, partner);
  FeedInputs(d, b);
  if (b->m_nOutputs > 0 && b->m_nPinType[kFirstOutputPin] != PIN_NONE) {
    CDiagramBuilder::Wire(
        b, d.Add(b->m_nPinType[kFirstOutputPin] == PIN_ANALOG ? kTypeAnalogOutput : kTypeOutput), 0);
  }
  CDiagramBuilder::Wire(partner, d.Add(kTypeOutput), 0);
  ExpectRoundTrip(d.Doc());
}

TEST(ImageRoundTrip, EveryBlockKindOfEveryModelWithEachSetOfSettings) {
  for (WORD model : kModels) {
    for (int type : PaletteFunctionTypes(model, false)) {
      for (int variant : {-1, 0, 1, 2}) {
        SCOPED_TRACE(testing::Message() << "model 0x" << std::hex << model << std::dec << " type " << type
                                        << " variant " << variant);
        ExpectBlockRoundTrip(model, type, variant);
      }
    }
  }
}

// ---- Program settings -----------------------------------------------------------------

struct SettingsCase {
  const char* name;
  std::function<void(CZaradDoc&)> set;
};

const SettingsCase kSettingsCases[] = {
    {"ProgramNameAndPasswordWithBlanks",
     [](CZaradDoc& d) {
       d.m_strProgramName = u"PUMP 2  A";
       d.m_strPassword = u"12 4";
     }},
    {"PortsOfEveryRole",
     [](CZaradDoc& d) {
       for (int p = 0; p < 3; ++p) {
         d.m_ports[p].nRole = p;
         d.m_ports[p].nAddress = 7 + p * 100;
         d.m_ports[p].nBaudRate = 1 + p;
         d.m_ports[p].nTimeout = 250 * (p + 1);
       }
     }},
    {"CopyProtectAndRedundancy",
     [](CZaradDoc& d) {
       d.m_bCopyProtect = 1;
       d.m_nRedundancy = 1;
       d.m_nSyncTime = 0x12345;
     }},
    {"TemperatureLimits",
     [](CZaradDoc& d) {
       d.m_nTempHigh = 85;
       d.m_nTempLow = -40;
     }},
    {"EveryAnalogFilter", [](CZaradDoc& d) { d.m_nAiFilter = 3; }},
    {"SlowestAnalogFilter", [](CZaradDoc& d) { d.m_nAiFilter = 4; }},
    {"TickerAndCharacterSets",
     [](CZaradDoc& d) {
       d.m_nTickerCharMs = 450;
       d.m_nCharSet1 = 2;
       d.m_nCharSet2 = 1;
       d.m_nDefaultCharSet = 1;
     }},
    {"KeepOutputsAndAnalogOutputs",
     [](CZaradDoc& d) {
       d.m_bKeepOutputs = 1;
       for (size_t i = 0; i < d.m_aqRangeType.size(); ++i) d.m_aqRangeType[i] = static_cast<BYTE>(i % 3);
       for (size_t i = 0; i < d.m_aqFixedValue.size(); ++i)
         d.m_aqFixedValue[i] = 0.25 * static_cast<double>(i);
     }},
    {"DisplayLanguageContrastBacklight",
     [](CZaradDoc& d) {
       d.m_nLanguage = 1;
       d.m_nLogoTime = 9;
       d.m_nContrast = 7;
       d.m_nBacklight = 1;
       d.m_nAiRangeType0 = 1;
       d.m_nAiRangeType1 = 2;
     }},
    {"StartUpLogo",
     [](CZaradDoc& d) {
       d.m_bHasLogoImage = 1;
       d.m_pLogoImage = std::make_unique<BYTE[]>(kLogoImageSize);
       for (int i = 0; i < kLogoImageSize; ++i) d.m_pLogoImage[i] = static_cast<BYTE>(i * 29 + 3);
     }},
    {"DataLogOfEveryItemKind",
     [](CZaradDoc& d) {
       CBlockObj* counter = d.AddBlock(MakeBlockOfType(800, BlockContext::For(&d)));
       auto* log =
           static_cast<CBlockDataLog*>(d.AddBlock(MakeBlockOfType(kTypeDataLog, BlockContext::For(&d))));
       log->m_nParam2 = 1;
       for (int operand : {100, 140, 605, 1320, 4003, 4231, 4300})
         log->m_items.push_back(DataLogItem{u"x", u"", operand, 0});
       log->m_items.push_back(DataLogItem{u"B", u"", counter->m_nNumber, 1, counter});
     }},
};

void PrintTo(const SettingsCase& c, std::ostream* os) {
  *os << c.name;
}

class SettingsRoundTrip : public testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsRoundTrip, ImageComesBackTheSame) {
  for (WORD model : kModels) {
    SCOPED_TRACE(testing::Message() << "model 0x" << std::hex << model);
    CDiagramBuilder d(kDocFbd, model);
    d.AddInputGateOutput();
    GetParam().set(d.Doc());
    ExpectRoundTrip(d.Doc());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsRoundTrip, testing::ValuesIn(kSettingsCases),
                         [](const testing::TestParamInfo<SettingsCase>& info) { return info.param.name; });

// ---- Message texts --------------------------------------------------------------------

// A diagram with a message text (enabled by I1), a counter, an on-delay, an
// input, an output, an analog input and flag for the elements to show.
struct TextDiagram {
  CDiagramBuilder d;
  CBlockMSGTEXT* text = nullptr;
  CBlockObj* counter = nullptr;
  CBlockObj* delay = nullptr;
  CBlockObj* in = nullptr;
  CBlockObj* out = nullptr;
  CBlockObj* ai = nullptr;
  CBlockObj* am = nullptr;
  explicit TextDiagram(WORD model) : d(kDocFbd, model) {
    in = d.Add(kTypeInput);
    counter = d.Add(800);
    CDiagramBuilder::Wire(in, counter, 1);
    out = d.Add(kTypeOutput);
    CDiagramBuilder::Wire(counter, out, 0);
    delay = d.Add(400);
    CDiagramBuilder::Wire(d.Add(kTypeInput), delay, 0);
    ai = d.Add(kTypeAnalogInput);
    if (IsNewerSeries(ModelSeries(model))) am = d.Add(kTypeAnalogFlag);
    text = d.Add<CBlockMSGTEXT>(kTypeMessageText);
    CDiagramBuilder::Wire(d.Add(kTypeInput), text, 0);
  }
  CWidget* Element(int set, int row, int col, int width, int kind, CBlockObj* block) {
    auto e = std::make_unique<CWidget>();
    e->m_nRow = row, e->m_nCol = col, e->m_nWidth = width, e->m_nKind = kind;
    e->m_pBlock = block;
    e->m_nNumber = block ? block->m_nNumber : -1;
    CWidget* raw = e.get();
    text->Elements(set, row - 1)->push_back(std::move(e));
    return raw;
  }
  // An I/O status name: the off text and the on text, eight letters each.
  CWidget* Names(int set, int row, int col, CBlockObj* block, const char16_t* off, const char16_t* on) {
    CWidget* e = Element(set, row, col, 8, MSGELEM_IOSTATUS, block);
    for (int k = 0; k < 8; ++k) {
      e->m_strCell[1][k + 1] = CString(std::u16string(1, off[k]));
      e->m_strCell[2][k + 1] = CString(std::u16string(1, on[k]));
    }
    return e;
  }
  void Put(int set, int row, int col, const std::u16string& chars) {
    auto& grid = set == 0 ? text->m_strTextSet1 : text->m_strTextSet2;
    for (size_t k = 0; k < chars.size(); ++k)
      grid[row][col + static_cast<int>(k)] = CString(chars.substr(k, 1));
  }
};

struct TextCase {
  const char* name;
  bool newer;  // the newer series' pages, else the older series' rows
  std::function<void(TextDiagram&)> build;
};

const TextCase kTextCases[] = {
    {"OlderRowsWithBlanks", false,
     [](TextDiagram& t) {
       t.Put(0, 1, 1, u" PUMP  1  ON");
       t.Put(0, 2, 3, u"A B");
       t.Put(0, 4, 1, u"           x");
     }},
    {"OlderValueOfABlock", false,
     [](TextDiagram& t) {
       const int param = FindMsgParamRow(400)->display[0];
       const int width = GetParamDisplayWidth(param);
       t.Put(0, 1, 1, u"T = ");
       t.Put(0, 1, 5 + width, u"s");
       CWidget* e = t.Element(0, 1, 5, width, 0, t.delay);
       e->m_nParam = param;
       t.Put(0, 3, 2, u"C");
       CWidget* count = t.Element(0, 3, 4, 0, 1, t.counter);
       count->m_nParam = FindMsgParamRow(800)->display[1];
       count->m_nWidth = GetParamDisplayWidth(count->m_nParam);
     }},
    {"OlderOwnValuesOfTheText", false,
     [](TextDiagram& t) {
       int row = 1;
       for (int param : {34, 1, 2, 3}) {
         const int width = GetParamDisplayWidth(param);
         CWidget* e = t.Element(0, row, 2, width, MSGELEM_UNSET, t.text);
         e->m_nParam = param;
         if (3 + width <= 10) t.Put(0, row, 3 + width, u"X Y");
         ++row;
       }
     }},
    {"SettingsOfTheText", true,
     [](TextDiagram& t) {
       for (int i = 0; i < CBlockMSGTEXT::kSettings; ++i) *t.text->Setting(i) = 1 + i % 2;
       t.text->SetPriority(9);
     }},
    {"TextsWithBlanksOnBothSets", true,
     [](TextDiagram& t) {
       t.d.Doc().m_nCharSet1 = 0;
       t.d.Doc().m_nCharSet2 = 2;
       t.Put(0, 1, 1, u" TANK  LEVEL ");
       t.Put(0, 2, 20, u"  x  ");
       t.Put(1, 3, 1, u"A  B  C");
       t.Put(1, 4, 24, u" ");
     }},
    {"ChineseTextsOfBothCharacterSets", true,
     [](TextDiagram& t) {
       t.d.Doc().m_nCharSet1 = 1;
       t.d.Doc().m_nCharSet2 = 0;
       t.Put(0, 1, 1, u"\u6c34 \u6cf5");
       t.Put(1, 2, 3, u"\u6e29\u5ea6 = ");
       t.Put(0, 4, 21, u"\u20ac");  // a special glyph
     }},
    {"IoStatusNamesWithBlanks", true,
     [](TextDiagram& t) {
       t.Names(0, 1, 1, t.in, u"PUMP OFF", u" RUN  1 ");
       t.Names(0, 1, 13, t.out, u"  Q 1   ", u"ON      ");
       t.Names(0, 2, 1, t.counter, u"        ", u"A B C D ");
       t.Names(1, 3, 5, t.in, u" 1 2 3 4", u"x       ");
       t.Names(1, 4, 1, t.out, u"OPEN  _ ", u"SHUT    ");
     }},
    {"ValuesOfBlocksAndOperands", true,
     [](TextDiagram& t) {
       t.Element(0, 1, 1, 5, 1, t.counter);
       t.Element(0, 1, 8, 5, 2, t.delay);
       t.Element(0, 2, 1, 4, MSGELEM_UNSET, t.ai);
       t.Element(0, 2, 8, 4, MSGELEM_UNSET, t.am);
       int row = 1;
       for (int param : {34, 1, 2, 3}) {
         t.Element(1, row++, 3, GetParamDisplayWidth(param), MSGELEM_UNSET, t.text)->m_nParam = param;
       }
     }},
    {"ScaleTimesBarsPointerAndScope", true,
     [](TextDiagram& t) {
       t.Element(0, 1, 1, 11, MSGELEM_SCALETIME, t.counter)->m_nOption = 0x0105;
       CWidget* second = t.Element(0, 1, 13, 11, MSGELEM_SCALETIME, t.delay);
       second->m_nOption = 2;
       second->m_nValueIndex = 1;
       for (int k = 0; k < 3; ++k) {
         CWidget* bar = t.Element(0, 2, 1 + 8 * k, 6, MSGELEM_BARGRAPH, k == 1 ? t.delay : t.counter);
         bar->m_nMin = -5 * k, bar->m_nMax = 300 + k;
         bar->m_nValueIndex = k == 1 ? 1 : 0;
       }
       CWidget* pointer = t.Element(1, 1, 1, 12, MSGELEM_POINTER, t.counter);
       pointer->m_nMin = 1, pointer->m_nMax = 2;
       CWidget* scope = t.Element(1, 2, 13, 12, MSGELEM_SCOPE, t.delay);
       scope->m_nMin = -3, scope->m_nMax = 4;
       scope->m_nValueIndex = 1;
       t.d.Doc().m_nScopeTime = 0x0123;
     }},
    {"PictureBesideText", true,
     [](TextDiagram& t) {
       t.Element(1, 1, 1, 12, MSGELEM_GRAPH, nullptr)->m_nOption = 9;
       t.Put(1, 2, 14, u"HOT  WATER");
     }},
};

void PrintTo(const TextCase& c, std::ostream* os) {
  *os << c.name;
}

class TextRoundTrip : public testing::TestWithParam<TextCase> {};

TEST_P(TextRoundTrip, ImageComesBackTheSame) {
  const TextCase& c = GetParam();
  for (WORD model : kModels) {
    if (IsNewerSeries(ModelSeries(model)) != c.newer) continue;
    SCOPED_TRACE(testing::Message() << "model 0x" << std::hex << model);
    TextDiagram t(model);
    c.build(t);
    ExpectRoundTrip(t.d.Doc());
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, TextRoundTrip, testing::ValuesIn(kTextCases),
                         [](const testing::TestParamInfo<TextCase>& info) { return info.param.name; });

}  // namespace
