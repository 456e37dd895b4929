// Start-up with a document: the application object, its main window and the
// valid maximal sample diagram named on the command line, until the window has
// shown and painted it (main() does the same). BM_StartUpWithDocument loads Qt
// once for the process, so it times the program's own start-up;
// BM_ColdStartProcess starts a new process each time (this program, asked to
// start the editor once and end), so the launch, the loading of the libraries
// and Qt's own start-up are in it too.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "app/editor_app.h"
#include "app/main_frame.h"
#include "editor/gui/child_frame.h"
#include "model/zarad_doc.h"
#include "platform/message_sink.h"
#include "support/sample_document.h"

namespace {

// Runs the event loop until everything posted so far (and what that posts) is done.
void Settle() {
  for (int round = 0; round < 3; ++round) {
    bool done = false;
    QTimer::singleShot(0, [&done] { done = true; });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
}

// Writes the maximal sample into the folder; false when it could not be saved.
bool SaveSample(const QString& path) {
  CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188, CSize(1920, 1080)});
  doc.m_nPagesAcross = 3;
  doc.m_nPagesDown = 5;
  BuildSampleDocument(doc);
  return doc.OnSaveDocument(CString::FromUtf8(path.toStdString()));
}

// The program's options with every file of its own in the folder.
CEditorApp::Options OptionsIn(const QTemporaryDir& dir) {
  CEditorApp::Options options;
  options.languageFile = dir.filePath("language.ini");
  options.settingsFile = dir.filePath("settings.ini");
  options.userFolder = dir.path();
  options.installMessageSink = false;
  return options;
}

void BM_StartUpWithDocument(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  QTemporaryDir dir;
  const QString path = dir.filePath("sample.bfb");
  if (!SaveSample(path)) state.SkipWithError("the sample was not saved");
  const CEditorApp::Options options = OptionsIn(dir);
  for (auto _ : state) {
    auto app = std::make_unique<CEditorApp>(options);
    app->SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
    if (!app->InitInstance({path})) state.SkipWithError("the program did not start");
    Settle();
    if (!app->GetMainFrame() || !app->GetMainFrame()->GetActiveDocumentWindow())
      state.SkipWithError("the document did not open");
    state.PauseTiming();
    app->ExitInstance();
    app.reset();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartUpWithDocument)->Unit(benchmark::kMillisecond);

constexpr char kStartOnce[] = "--start-once";

// The child of BM_ColdStartProcess: starts the editor on the file as main() does,
// waits until its window shows the document and ends at once (0 when it did).
int StartOnce(int argc, char** argv, const char* folder, const char* file) {
  QApplication qapp(argc, argv);
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  QTemporaryDir dir(QString::fromLocal8Bit(folder) + "/run-XXXXXX");
  CEditorApp app(OptionsIn(dir));
  app.SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  const bool started = app.InitInstance({QString::fromLocal8Bit(file)});
  Settle();
  const bool shown = started && app.GetMainFrame() && app.GetMainFrame()->GetActiveDocumentWindow();
  std::fflush(nullptr);
  _exit(shown ? 0 : 1);  // the time to end the process is not start-up
}

void BM_ColdStartProcess(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  QTemporaryDir dir;
  const std::string path = dir.filePath("sample.bfb").toStdString();
  const std::string folder = dir.path().toStdString();
  if (!SaveSample(QString::fromStdString(path))) state.SkipWithError("the sample was not saved");
  std::string self = "/proc/self/exe";
  std::string flag = kStartOnce;
  char* args[] = {self.data(), flag.data(), const_cast<char*>(folder.c_str()),
                  const_cast<char*>(path.c_str()), nullptr};
  for (auto _ : state) {
    pid_t child = 0;
    if (posix_spawn(&child, self.c_str(), nullptr, nullptr, args, environ) != 0) {
      state.SkipWithError("the program could not be started");
      break;
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("the program did not show the document");
      break;
    }
  }
}
BENCHMARK(BM_ColdStartProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (argc == 4 && std::strcmp(argv[1], kStartOnce) == 0) return StartOnce(argc, argv, argv[2], argv[3]);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
