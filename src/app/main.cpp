// zovuzi-editor: starts the editor, opening the diagram files named on the
// command line.
#include <QApplication>
#include <QStringList>

#include "app/app_icon.h"
#include "app/editor_app.h"
#include "app/main_frame.h"
#include "editor/gui/child_frame.h"

int main(int argc, char** argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName("Zovuzi Editor");
  QApplication::setDesktopFileName("zovuzi-editor");
  QApplication::setWindowIcon(AppIcon());

  CEditorApp app;
  app.SetDocumentFactory([](CShell& shell) { return new CChildFrame(&shell); });
  QStringList arguments = QApplication::arguments();
  if (!arguments.isEmpty()) arguments.removeFirst();  // the program itself
  if (!app.InitInstance(arguments)) {
    app.ExitInstance();
    return 1;
  }
  // Started for automation (/Embedding) the window stays hidden; with no window to
  // close, the program would never end, so it ends here.
  if (!app.GetMainFrame() || !app.GetMainFrame()->isVisible()) return app.ExitInstance();
  QApplication::exec();
  return app.ExitInstance();
}
