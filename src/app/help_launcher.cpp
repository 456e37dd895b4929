#include "app/help_launcher.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include "model/help_topics.h"
#include "platform/gui/qt_string.h"
#include "platform/message_sink.h"
#include "platform/string_table.h"

namespace {

HelpOpener& Opener() {
  static HelpOpener opener;
  return opener;
}

QString& ProgramPath() {
  static QString path;
  return path;
}

}  // namespace

HelpOpener SetHelpOpener(HelpOpener opener) {
  HelpOpener previous = std::move(Opener());
  Opener() = std::move(opener);
  return previous;
}

void SetHelpProgramPath(const QString& path) {
  ProgramPath() = path;
}

void ShowHelpTopic(WORD topic) {
  const QString program = ProgramPath().isEmpty() ? QCoreApplication::applicationFilePath() : ProgramPath();
  const CString path = HelpFilePath(ToCString(program), g_LanguageIsChinese == 1);
  const QFileInfo info(ToQString(path));
  if (!info.exists() || !info.isFile()) {
    CString text;
    text.Format(u"Can't Find %s, Please Check!", path.GetString());
    AfxMessageBox(text, MB_OK);
    return;
  }
  const char16_t* page = HelpTopicPage(topic);
  const QString pageName = page ? ToQString(CString(page)) : QString();
  if (Opener()) {
    Opener()(info.absoluteFilePath(), pageName);
    return;
  }
  QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}
