#include "app/recent_file_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {

constexpr char kSection[] = "Recent File List";
constexpr int kMaxShownLength = 60;

QString Normalised(const QString& path) {
  QFileInfo info(path);
  return QDir::cleanPath(info.absoluteFilePath());
}

}  // namespace

void CRecentFileList::Add(const QString& path) {
  if (path.isEmpty()) return;
  const QString full = Normalised(path);
  m_files.removeAll(full);
  m_files.prepend(full);
  while (m_files.size() > m_nSize) m_files.removeLast();
}

void CRecentFileList::Remove(int index) {
  if (index >= 0 && index < GetCount()) m_files.removeAt(index);
}

void CRecentFileList::ReadList(QSettings& settings) {
  m_files.clear();
  settings.beginGroup(kSection);
  for (int i = 1; i <= m_nSize; ++i) {
    const QString path = settings.value(QString("File%1").arg(i)).toString();
    if (!path.isEmpty() && !m_files.contains(path)) m_files.append(path);
  }
  settings.endGroup();
}

void CRecentFileList::WriteList(QSettings& settings) const {
  settings.beginGroup(kSection);
  settings.remove("");
  for (int i = 0; i < GetCount(); ++i) settings.setValue(QString("File%1").arg(i + 1), m_files[i]);
  settings.endGroup();
}

QString CRecentFileList::GetMenuText(int index) const {
  if (index < 0 || index >= GetCount()) return {};
  QString shown = QDir::toNativeSeparators(m_files[index]);
  const QString home = QDir::homePath();
  if (!home.isEmpty() && shown.startsWith(home + "/")) shown = "~" + shown.mid(home.size());
  if (shown.size() > kMaxShownLength) {
    const QString name = QFileInfo(m_files[index]).fileName();
    const int keep = kMaxShownLength - name.size() - 4;
    shown = keep > 0 ? shown.left(keep) + ".../" + name : name;
  }
  shown.replace("&", "&&");
  return QString("&%1 %2").arg(index + 1).arg(shown);
}
