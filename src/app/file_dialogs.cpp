#include "app/file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

std::vector<FileFilter> ParseFileFilter(const QString& filter) {
  std::vector<FileFilter> result;
  const QStringList parts = filter.split('|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;  // "||" ends the list
    result.push_back({parts[i], parts[i + 1].trimmed()});
  }
  return result;
}

QString ToQtNameFilter(const FileFilter& filter) {
  QStringList patterns;
  for (const QString& p : filter.pattern.split(';', Qt::SkipEmptyParts)) patterns << p.trimmed();
  // Qt reads the patterns from the label's last bracket, so a label that
  // already shows them in the Windows form ("Files(*.bfb, *.bld)") gets
  // them once, in Qt's form, instead of twice.
  QString name = filter.name.trimmed();
  if (name.endsWith(')') && name.lastIndexOf('(') > 0) name = name.left(name.lastIndexOf('(')).trimmed();
  return QString("%1 (%2)").arg(name, patterns.join(' '));
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
  if (path.isEmpty() || extension.isEmpty()) return path;
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + "." + extension;
}

bool QtFileDialogs::Run(QWidget* parent, const FileDialogRequest& request, QStringList* paths) {
  QFileDialog dialog(parent, request.title);
  dialog.setAcceptMode(request.open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
  dialog.setFileMode(request.open
                         ? (request.multiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile)
                         : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
  QStringList filters;
  for (const FileFilter& f : request.filters) filters << ToQtNameFilter(f);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  }
  if (!request.initialFolder.isEmpty()) dialog.setDirectory(request.initialFolder);
  if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  if (!request.defaultExtension.isEmpty()) dialog.setDefaultSuffix(request.defaultExtension);
  if (dialog.exec() != QDialog::Accepted) return false;
  *paths = dialog.selectedFiles();
  return !paths->isEmpty();
}
