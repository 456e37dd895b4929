#include "app/information_bar.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "platform/gui/qt_string.h"
#include "platform/resource_ids.h"

CInformationBar::CInformationBar(QWidget* parent) : QDockWidget(QtCaption("Infomation Window"), parent) {
  setObjectName("infoBar");
  setAllowedAreas(Qt::AllDockWidgetAreas);
  m_wndEdit = new QPlainTextEdit(this);
  m_wndEdit->setObjectName(QString("edit%1").arg(ID_INFO_BAR));
  m_wndEdit->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
  m_wndEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_wndEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  m_wndEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Lets the newest lines scroll up to the top of the window.
  m_wndEdit->setCenterOnScroll(true);
  setWidget(m_wndEdit);
}

CInformationBar::~CInformationBar() = default;

void CInformationBar::AppendText(const CString& text) {
  // The edit keeps plain line feeds: "\r\n" and the doubled "\r\r\n" both end a line.
  QString add = ToQString(text);
  add.replace("\r\r\n", "\n");
  add.replace("\r\n", "\n");
  QString all = m_wndEdit->toPlainText();
  all += add;
  m_wndEdit->setPlainText(all);
  const int lines = m_wndEdit->document()->blockCount();
  QScrollBar* bar = m_wndEdit->verticalScrollBar();
  bar->setValue(0);
  bar->setValue(std::min(bar->maximum(), std::max(0, lines - 4)));
}

CString CInformationBar::GetText() const {
  QString all = m_wndEdit->toPlainText();
  all.replace("\n", "\r\n");
  return ToCString(all);
}

int CInformationBar::FirstVisibleLine() const {
  return m_wndEdit->verticalScrollBar()->value();
}
