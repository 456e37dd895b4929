// CRecentFileList: the most recently used files, newest first, kept in the
// settings under "Recent File List" as "File1" .. "FileN".
#pragma once

#include <QString>
#include <QStringList>

class QSettings;

class CRecentFileList {
 public:
  explicit CRecentFileList(int size = 4) : m_nSize(size < 1 ? 1 : size) {}

  int GetSize() const { return m_nSize; }
  int GetCount() const { return static_cast<int>(m_files.size()); }
  const QStringList& Files() const { return m_files; }
  QString operator[](int index) const {
    return index >= 0 && index < GetCount() ? m_files[index] : QString();
  }

  // Puts the path first; an entry for the same file moves up, the oldest falls off.
  void Add(const QString& path);
  void Remove(int index);

  void ReadList(QSettings& settings);
  void WriteList(QSettings& settings) const;

  // Menu text of an entry: "&1 name", with '&' in the name doubled and long paths shortened.
  QString GetMenuText(int index) const;

 private:
  int m_nSize;
  QStringList m_files;
};
