// The pane-hosting status bar, the embossed caption and the zoom pane.
#include <sys/stat.h>
#include <unistd.h>

#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QTimer>

#include "controls/gui/embossed_static.h"
#include "controls/gui/pane_status_bar.h"
#include "platform/resource_ids.h"
#include "shell_fixture.h"

namespace {

class PaneStatusBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_window.resize(600, 200);
    m_bar = new CPaneStatusBar(&m_window);
    m_bar->SetDefaultTextProvider([](UINT id) { return id == 7 ? CString(u"seven") : CString(); });
    m_bar->SetIndicators({ID_SEPARATOR, 5, 6});
    m_window.setStatusBar(m_bar);
    m_window.show();
  }
  std::vector<UINT> Ids() const {
    std::vector<UINT> ids;
    for (int i = 0; i < m_bar->GetCount(); ++i) ids.push_back(m_bar->GetItemID(i));
    return ids;
  }
  QMainWindow m_window;
  CPaneStatusBar* m_bar = nullptr;
};

}  // namespace

TEST_F(PaneStatusBarTest, AddIndicator) {
  struct Case {
    UINT id;
    int index;
    BOOL ok;
    std::vector<UINT> after;
  };
  const Case cases[] = {
      {7, 3, TRUE, {0, 5, 6, 7}},  // the count appends
      {8, 1, TRUE, {0, 8, 5, 6}},  // inserts before the pane at the index
      {9, 4, FALSE, {0, 5, 6}},    // past the end
      {5, 1, FALSE, {0, 5, 6}},    // id present already
      {9, -1, FALSE, {0, 5, 6}},
  };
  for (const Case& c : cases) {
    m_bar->SetIndicators({ID_SEPARATOR, 5, 6});
    StatusPaneInfo info;
    m_bar->GetPaneInfo(2, &info);
    info.text = CString(u"kept");
    info.width = 40;
    info.flags = 0x3;
    m_bar->SetPaneInfo(2, &info);
    EXPECT_EQ(m_bar->AddIndicator(c.id, c.index), c.ok) << c.id;
    EXPECT_EQ(Ids(), c.after) << c.id;
    // Existing panes keep their text and width.
    StatusPaneInfo six;
    m_bar->GetPaneInfo(m_bar->CommandToIndex(6), &six);
    EXPECT_EQ(six.text, CString(u"kept"));
    EXPECT_EQ(six.width, 40);
    EXPECT_EQ(six.flags, 0x3u);
  }
  // A new pane starts with the default text of its id.
  EXPECT_EQ(m_bar->GetPaneText(m_bar->CommandToIndex(7)), CString());
  m_bar->SetIndicators({ID_SEPARATOR});
  ASSERT_TRUE(m_bar->AddIndicator(7, 1));
  EXPECT_EQ(m_bar->GetPaneText(1), CString(u"seven"));
}

TEST_F(PaneStatusBarTest, RemoveIndicatorAndHostedControls) {
  auto* hosted = new QLabel("x", m_bar);
  QPointer<QLabel> watch(hosted);
  ASSERT_TRUE(m_bar->AddPaneControl(hosted, 6, TRUE));
  EXPECT_FALSE(m_bar->AddPaneControl(new QLabel(m_bar), 99, TRUE));
  EXPECT_FALSE(m_bar->RemoveIndicator(99));
  EXPECT_TRUE(m_bar->RemoveIndicator(6));
  EXPECT_TRUE(watch.isNull());  // destroyed with its pane
  EXPECT_EQ(Ids(), (std::vector<UINT>{0, 5}));
  EXPECT_TRUE(m_bar->RemoveIndicator(5));
  EXPECT_FALSE(m_bar->RemoveIndicator(ID_SEPARATOR));  // never the only pane
  EXPECT_EQ(m_bar->GetCount(), 1);
}

TEST_F(PaneStatusBarTest, HostedControlFitsItsPane) {
  auto* hosted = new QLabel("x", m_bar);
  StatusPaneInfo info;
  m_bar->GetPaneInfo(1, &info);
  info.width = 80;
  m_bar->SetPaneInfo(1, &info);
  m_bar->AddPaneControl(hosted, 5, TRUE);
  for (int width : {600, 900, 450}) {
    m_window.resize(width, 200);
    m_bar->resize(width, m_bar->height());
    m_bar->RepositionControls();
    const QRect pane = m_bar->GetItemRect(1);
    EXPECT_TRUE(pane.contains(hosted->geometry())) << width;
    EXPECT_EQ(hosted->width(), pane.width() - 2 * CPaneStatusBar::kEdge) << width;
  }
  // Disabled with its pane, enabled again with it.
  info.style |= SBPS_DISABLED;
  m_bar->SetPaneInfo(1, &info);
  EXPECT_FALSE(hosted->isEnabled());
  info.style &= ~SBPS_DISABLED;
  m_bar->SetPaneInfo(1, &info);
  EXPECT_TRUE(hosted->isEnabled());
}

TEST_F(PaneStatusBarTest, ControlInAStretchingLastPaneEndsBeforeTheSizeGrip) {
  m_bar->SetIndicators({5, ID_SEPARATOR});
  auto* hosted = new QLabel("x", m_bar);
  m_bar->AddPaneControl(hosted, ID_SEPARATOR, TRUE);
  m_bar->RepositionControls();
  ASSERT_TRUE(m_bar->HasSizeGrip());
  EXPECT_EQ(hosted->geometry().right() + 1,
            m_bar->width() - CPaneStatusBar::kSmallIcon - 2 * CPaneStatusBar::kEdge);
  EXPECT_FALSE(m_bar->GetPaneInfo(2, nullptr));
  StatusPaneInfo info;
  EXPECT_FALSE(m_bar->GetPaneInfo(2, &info));
  EXPECT_FALSE(m_bar->SetPaneInfo(-1, &info));
}

TEST(EmbossedStatic, TextFormat) {
  struct Case {
    UINT style;
    const char16_t* caption;
    UINT format;
  };
  const Case cases[] = {
      {SS_LEFT, u"Model", DT_LEFT | DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
      {SS_CENTER, u"Model", DT_CENTER | DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
      {SS_RIGHT | SS_NOTIFY, u"Model", DT_RIGHT | DT_WORDBREAK | DT_VCENTER | DT_END_ELLIPSIS},
      {SS_LEFTNOWORDWRAP, u"a\tb", DT_LEFT | DT_EXPANDTABS | DT_VCENTER | DT_END_ELLIPSIS},
      {SS_CENTERIMAGE, u"one line", DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS},
      {SS_CENTERIMAGE, u"two\r\nlines", DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CEmbossedStatic::TextFormat(c.style, CString(c.caption)), c.format) << c.style;
  }
}

TEST(EmbossedStatic, PaintsBlueText) {
  CEmbossedStatic caption(CString(u"XXXX"), SS_CENTER | SS_CENTERIMAGE);
  caption.resize(120, 20);
  const QImage image = caption.grab().toImage();
  int blue = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      // Blue ink, however the face's edges are smoothed.
      const QColor colour = image.pixelColor(x, y);
      if (colour.blue() > 200 && colour.red() < 100 && colour.green() < 100) ++blue;
    }
  }
  EXPECT_GT(blue, 10);
}

TEST_F(ShellTest, ZoomPaneText) {
  struct Case {
    float zoom;
    const char16_t* text;
  };
  const Case cases[] = {
      {1.0f, u"Zoom:100%"}, {0.755f, u"Zoom:75%"}, {0.25f, u"Zoom:25%"}, {4.0f, u"Zoom:400%"}};
  EXPECT_EQ(m_app->GetZoomText(), CString(u"Zoom:100%"));  // no diagram
  m_app->OnFileNewFbd();
  CPaneStatusBar* bar = m_frame->GetStatusBar();
  const int index = bar->CommandToIndex(ID_INDICATOR_ZOOM);
  for (const Case& c : cases) {
    Active()->m_fZoom = c.zoom;
    m_app->OnIdle(0);
    StatusPaneInfo info;
    bar->GetPaneInfo(index, &info);
    EXPECT_EQ(info.text, CString(c.text));
    EXPECT_EQ(info.id, ID_INDICATOR_ZOOM);
    EXPECT_EQ(info.width, QFontMetrics(bar->font()).horizontalAdvance(ToQString(CString(c.text))));
  }
}

TEST(EditorAppLanguage, SettingsFile) {
  QTemporaryDir dir;
  struct Case {
    QByteArray bytes;
    bool chinese;
  };
  auto utf16 = [](const char* s) {
    QByteArray out;
    for (const char* p = s; *p; ++p) out.append(*p).append('\0');
    return out;
  };
  const Case cases[] = {
      {utf16("language=zh_CN\n"), true},         {utf16("language=en_US\n"), false}, {QByteArray(), false},
      {QByteArray("language=zh_CN\n"), false},    // not UTF-16
      {utf16("language=zh_CN").left(25), false},  // cut in the middle of the value
  };
  int n = 0;
  for (const Case& c : cases) {
    const QString path = dir.filePath(QString("lang%1.ini").arg(++n));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.bytes);
    file.close();
    EXPECT_EQ(CEditorApp::ReadLanguageSetting(path), c.chinese) << n;
  }
  EXPECT_FALSE(CEditorApp::ReadLanguageSetting(dir.filePath("missing.ini")));
  // Files others could plant or that would hold the start count as none.
  const QString pipe = dir.filePath("pipe.ini");
  ASSERT_EQ(::mkfifo(pipe.toUtf8().constData(), 0600), 0);
  EXPECT_FALSE(CEditorApp::ReadLanguageSetting(pipe));
  ASSERT_TRUE(QFile::link(dir.filePath("lang1.ini"), dir.filePath("link.ini")));
  EXPECT_FALSE(CEditorApp::ReadLanguageSetting(dir.filePath("link.ini")));
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(dir.filePath("lang1.ini").toUtf8().constData(), 65534, 65534), 0);
    EXPECT_FALSE(CEditorApp::ReadLanguageSetting(dir.filePath("lang1.ini")));
    ASSERT_EQ(::chown(dir.filePath("lang1.ini").toUtf8().constData(), 0, 0), 0);
  }
  // Each user's own file, never one in the shared temporary folder.
  const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
  const bool hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", dir.path().toUtf8());
  EXPECT_EQ(CEditorApp::LanguageSettingsPath(), dir.filePath("RazadUdezazir/DizevOdaved.ini"));
  if (hadConfig) {
    qputenv("XDG_CONFIG_HOME", oldConfig);
  } else {
    qunsetenv("XDG_CONFIG_HOME");
  }

  // The application's constructor switches the interface.
  CEditorApp::Options options;
  options.languageFile = dir.filePath("lang1.ini");
  {
    CEditorApp app(options);
    EXPECT_EQ(g_LanguageIsChinese, 1);
    EXPECT_EQ(app.m_bDocMenuTranslated, 0);
  }
  g_LanguageIsChinese = 0;
}

TEST(EditorAppFiles, ExtensionsAndFilters) {
  for (const char16_t* good : {u"a.bfb", u"A.BFB", u"x/y.Bld", u".bld"}) {
    EXPECT_TRUE(CEditorApp::HasDiagramExtension(CString(good))) << CString(good).ToUtf8();
  }
  for (const char16_t* bad : {u"a.txt", u"bfb", u"a.bfbx", u""}) {
    EXPECT_FALSE(CEditorApp::HasDiagramExtension(CString(bad))) << CString(bad).ToUtf8();
  }
  EXPECT_EQ(ToQtNameFilter({"Zovuzi Editor Files(*.bfb, *.bld)", "*.bfb; *.bld"}),
            "Zovuzi Editor Files (*.bfb *.bld)");
  EXPECT_EQ(ToQtNameFilter({"Ladder Files (*.bld)", "*.bld"}), "Ladder Files (*.bld)");
  EXPECT_EQ(ParseFileFilter("A|*.a|B|*.b||ignored|x").size(), 2u);
  EXPECT_EQ(WithDefaultExtension("/t/name", "bld"), "/t/name.bld");
  EXPECT_EQ(WithDefaultExtension("/t/name.bfb", "bld"), "/t/name.bfb");
  EXPECT_EQ(GetDocString(130, kDocFilterName), CString(u"Ladder Files (*.bld)"));
  EXPECT_EQ(GetDocString(129, kDocFileNewName), CString(u"Function Block"));
  EXPECT_EQ(GetDocString(129, kDocRegFileTypeName), CString(u"Function Block Document"));
}

TEST_F(ShellTest, ZoomPaneIsWrittenWhileIdle) {
  m_app->OnFileNewFbd();
  Active()->m_fZoom = 2.5f;
  QEventLoop loop;
  QTimer::singleShot(50, &loop, &QEventLoop::quit);
  loop.exec();
  CPaneStatusBar* bar = m_frame->GetStatusBar();
  EXPECT_EQ(bar->GetPaneText(bar->CommandToIndex(ID_INDICATOR_ZOOM)), CString(u"Zoom:250%"));
  EXPECT_TRUE(m_frame->GetAction(ID_FILE_SAVE)->isEnabled());
}
