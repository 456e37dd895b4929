// The program's start and end as main() runs them: the application object
// builds the catalogues (block captions, palette lists, the city table with the
// user's own cities) before the main window shows, and writes the user's
// cities back when it ends.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

#include "app/editor_app.h"
#include "app/main_frame.h"
#include "editor/gui/child_frame.h"
#include "model/astro_city_table.h"
#include "model/block_captions.h"
#include "model/toolbox_lists.h"
#include "platform/message_sink.h"

namespace {

namespace fs = std::filesystem;

AstroCity City(const char16_t* name, int lonDegrees, int zone) {
  AstroCity city;
  city.m_strName = name;
  city.m_nLonDegrees = lonDegrees;
  city.m_nTimeZone = zone;
  return city;
}

std::vector<BYTE> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& path, const std::vector<BYTE>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class ProgramStartTest : public ::testing::Test {
 protected:
  // The application object and its main window, started as main() starts them.
  std::unique_ptr<CEditorApp> Start() {
    CEditorApp::Options options;
    options.languageFile = m_dir.filePath("language.ini");
    options.settingsFile = m_dir.filePath("settings.ini");
    options.userFolder = m_dir.path();
    options.installMessageSink = false;
    auto app = std::make_unique<CEditorApp>(options);
    app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    EXPECT_TRUE(app->InitInstance({}));
    return app;
  }
  fs::path Temp() const { return fs::path(m_dir.path().toStdString()); }

  QTemporaryDir m_dir;
  RecordingMessageSink m_sink;
  ScopedMessageSink m_scopedSink{&m_sink};
};

TEST_F(ProgramStartTest, CataloguesAreBuiltAndUserCitiesKept) {
  ASSERT_TRUE(m_dir.isValid());
  const AstroCity own = City(u"Home - Garden", 8, 1);
  WriteBytes(CityFilePath(Temp()), FormatCityFile(std::vector<AstroCity>{own}));

  auto app = Start();
  ASSERT_NE(app->GetMainFrame(), nullptr);
  EXPECT_TRUE(app->GetMainFrame()->isVisible());
  // Captions and palette lists are there for the running program.
  EXPECT_EQ(LookupBlockName(g_BlockCaptionMap, 800), CString(u"[Up/Down Counter]"));
  EXPECT_FALSE(g_ToolboxBasic.empty());
  // The built-in rows, then the user's city from the file.
  ASSERT_EQ(g_AstroCityTable.size(), static_cast<size_t>(kBuiltInCityCount + 1));
  EXPECT_EQ(g_AstroCityTable[1].m_strName, CString(u"Germany - Berlin"));
  EXPECT_EQ(g_AstroCityTable.back(), own);

  // A city added while the program runs is in the file after it ends.
  const AstroCity added = City(u"Lake House", 10, 2);
  g_AstroCityTable.push_back(added);
  EXPECT_EQ(app->ExitInstance(), 0);
  app.reset();
  EXPECT_EQ(ParseCityFile(ReadBytes(CityFilePath(Temp()))), (std::vector<AstroCity>{own, added}));
  EXPECT_TRUE(m_sink.messages().empty());
}

TEST_F(ProgramStartTest, AnUnreadableCityFileIsReportedAndTheBuiltInCitiesStay) {
  ASSERT_TRUE(m_dir.isValid());
  const std::vector<BYTE> damaged(kMaxCityFileBytes + 2, 'A');
  WriteBytes(CityFilePath(Temp()), damaged);
  auto app = Start();
  ASSERT_EQ(m_sink.messages().size(), 1u);
  EXPECT_EQ(g_AstroCityTable, BuiltInCities());
  // The end leaves the file that could not be read as it was.
  app->ExitInstance();
  app.reset();
  EXPECT_EQ(ReadBytes(CityFilePath(Temp())), damaged);
}

}  // namespace
