// The layout check: looks at a window as a user reads it and lists what is wrong.
// - a caption, entry or title that does not fit its control, measured with the
//   control's own font;
// - a control that crosses the frame of a group box, overlaps a sibling or reaches
//   out of its parent;
// - a list, tree or tab bar that cannot show its own items without scrolling
//   sideways;
// - in the Chinese interface, a caption still in English where the tables have a
//   Chinese text, or an English word the tables do not know at all.
// Only what is visible counts. With ZOVUZI_LAYOUT_SHOTS naming a folder, every
// checked window is also saved there as a PNG.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

class LayoutChecker {
 public:
  // Checks the window and everything visible in it; name says where in the report.
  void Check(QWidget* window, const QString& name);
  // Every tab of the tab widgets in the window, one after the other.
  void CheckAllTabs(QWidget* window, const QString& name);

  const QStringList& Problems() const { return m_problems; }
  void Clear() { m_problems.clear(); }
  // The problems, one a line (for a test's failure message).
  QString Report() const { return m_problems.join(QLatin1Char('\n')); }

 private:
  void CheckWidget(QWidget* widget, QWidget* window, const QString& where);
  void CheckChildren(QWidget* parent, QWidget* window, const QString& where);
  void CheckText(const QString& text, QWidget* widget, const QString& where);
  void Problem(const QString& where, QWidget* widget, const QString& what);
  void Shot(QWidget* window, const QString& name);

  QStringList m_problems;
};
