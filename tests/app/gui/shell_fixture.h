// Fixture of the shell tests: an application on a temporary settings file, with
// scripted file dialogs, a recording message sink and test diagram windows.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

#include "app/editor_app.h"
#include "app/file_dialogs.h"
#include "app/main_frame.h"
#include "model/shell_context.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"
#include "test_child.h"

inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

// Acts on the next modal dialog of the type as soon as it runs (gives up after five
// seconds). The watch can be stopped early by deleting the timer returned.
template <typename Dialog>
inline QTimer* OnNextDialog(std::function<void(Dialog*)> act) {
  auto* timer = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [timer, act, tries] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    if (!dialog && ++*tries < 500) return;
    timer->stop();
    timer->deleteLater();
    if (dialog) act(dialog);
  });
  timer->start(10);
  return timer;
}

// File dialogs that answer from a queue (an empty answer cancels) and keep the requests.
class ScriptedDialogs : public FileDialogs {
 public:
  bool Run(QWidget*, const FileDialogRequest& request, QStringList* paths) override {
    requests.push_back(request);
    if (answers.empty()) return false;
    *paths = answers.front();
    answers.pop_front();
    return !paths->isEmpty();
  }
  std::deque<QStringList> answers;
  std::vector<FileDialogRequest> requests;
};

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_dir.isValid());
    g_ShowPropertiesOnNew = 1;
    m_app = MakeApp();
    ASSERT_TRUE(m_app->InitInstance({}));
    m_frame = m_app->GetMainFrame();
    m_frame->resize(1000, 700);
    m_frame->show();
  }
  void TearDown() override {
    m_app.reset();
    Flush();
    g_LanguageIsChinese = 0;
  }

  std::unique_ptr<CEditorApp> MakeApp() {
    CEditorApp::Options options;
    options.languageFile = Path("language.ini");
    options.settingsFile = Path("settings.ini");
    options.userFolder = m_dir.path();
    options.installMessageSink = false;
    options.showWindow = false;
    auto app = std::make_unique<CEditorApp>(options);
    auto dialogs = std::make_unique<ScriptedDialogs>();
    m_dialogs = dialogs.get();
    app->SetFileDialogs(std::move(dialogs));
    app->SetDocumentFactory([](CShell&) { return new TestChild; });
    return app;
  }

  QString Path(const QString& name) const { return m_dir.filePath(name); }

  // Writes a test diagram file.
  QString WriteDiagram(const QString& name, int kind = 1, float zoom = 1.0f) {
    QFile file(Path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("kind=%1 zoom=%2\n").arg(kind).arg(zoom).toUtf8());
    return Path(name);
  }

  // Lets closed windows go.
  static void Flush() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }

  TestChild* Active() const { return dynamic_cast<TestChild*>(m_frame->GetActiveDocumentWindow()); }
  int DocCount() const { return m_app->GetDocManager()->GetCount(); }

  QTemporaryDir m_dir;
  RecordingMessageSink m_sink;
  ScopedMessageSink m_scopedSink{&m_sink};
  std::unique_ptr<CEditorApp> m_app;
  ScriptedDialogs* m_dialogs = nullptr;
  CMainFrame* m_frame = nullptr;
};
