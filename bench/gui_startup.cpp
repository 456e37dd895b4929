// Start-up with a document: the application object, its main window and the
// valid maximal sample diagram named on the command line, until the window has
// shown and painted it (main() does the same). Qt is loaded once for the
// process, so what is timed is the program's own start-up; the launch of a
// new process adds the loading of the libraries to it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

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

void BM_StartUpWithDocument(benchmark::State& state) {
  RecordingMessageSink sink;
  ScopedMessageSink scope(&sink);
  QTemporaryDir dir;
  const QString path = dir.filePath("sample.bfb");
  {
    CZaradDoc doc(NewDocumentSettings{kDocFbd, 0x5188, CSize(1920, 1080)});
    doc.m_nPagesAcross = 3;
    doc.m_nPagesDown = 5;
    BuildSampleDocument(doc);
    if (!doc.OnSaveDocument(CString::FromUtf8(path.toStdString())))
      state.SkipWithError("the sample was not saved");
  }
  CEditorApp::Options options;
  options.languageFile = dir.filePath("language.ini");
  options.settingsFile = dir.filePath("settings.ini");
  options.userFolder = dir.path();
  options.installMessageSink = false;
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

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
