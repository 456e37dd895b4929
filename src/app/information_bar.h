// CInformationBar: the main frame's log window, a dock at the bottom of the main
// window holding one multi-line edit. Device operations append their progress and
// error lines to it; the user can type into it, hide it and show it again.
#pragma once

#include <QDockWidget>

#include "platform/cstring.h"

class QPlainTextEdit;

class CInformationBar : public QDockWidget {
  Q_OBJECT

 public:
  explicit CInformationBar(QWidget* parent = nullptr);
  ~CInformationBar() override;

  // Appends text in which every "\n" already stands as "\r\n"; then shows the end of the
  // log with the fourth line from the end as the first visible line.
  void AppendText(const CString& text);
  // The whole log, line ends written "\r\n".
  CString GetText() const;
  // Index of the first visible line.
  int FirstVisibleLine() const;
  QPlainTextEdit* Edit() const { return m_wndEdit; }

 private:
  QPlainTextEdit* m_wndEdit;
};
