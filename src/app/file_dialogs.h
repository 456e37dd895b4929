// The file dialogs of the shell behind an interface, so that tests can answer
// them. Filters are kept in the program's "name|pattern|name|pattern||" form.
#pragma once

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

class QWidget;

struct FileFilter {
  QString name;     // "Function Block Files (*.bfb)"
  QString pattern;  // "*.bfb", several separated by ';'
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

struct FileDialogRequest {
  bool open = true;          // open dialog, else save dialog
  bool multiSelect = false;  // open several files
  QString title;             // empty: the dialog's own title
  QString initialFolder;     // empty: the current folder
  QString fileName;          // initial file name
  std::vector<FileFilter> filters;
  int filterIndex = 1;       // 1-based index of the filter selected at first
  QString defaultExtension;  // without the dot; appended when the user types none
};

// Splits "A|*.a|B|*.b||" into its (name, pattern) pairs; an unpaired tail is dropped.
std::vector<FileFilter> ParseFileFilter(const QString& filter);
// One filter as the Qt file dialog takes it: "name (patterns)".
QString ToQtNameFilter(const FileFilter& filter);
// Appends the default extension to a name that has none.
QString WithDefaultExtension(const QString& path, const QString& extension);

class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // Runs the dialog; false when cancelled. The chosen paths are in selection order.
  virtual bool Run(QWidget* parent, const FileDialogRequest& request, QStringList* paths) = 0;
};

// The dialogs on QFileDialog.
class QtFileDialogs : public FileDialogs {
 public:
  bool Run(QWidget* parent, const FileDialogRequest& request, QStringList* paths) override;
};
