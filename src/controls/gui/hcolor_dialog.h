// CHColorDialog: the colour picker with a caption chosen by the caller. The wire and
// background colour commands of the diagram view (captions 305 and 303) and the frame
// background colour of the main frame (caption 306) use it:
//
//   CHColorDialog dlg(LoadString(305), m_wireColor);
//   if (dlg.DoModal() == IDOK) m_wireColor = dlg.GetColor();
//
// An empty caption keeps the picker's own title. The dialog shows a Help button (the
// CC_SHOWHELP flag is always added) that does nothing.
#pragma once

#include <QColorDialog>

#include "platform/cstring.h"
#include "platform/types.h"

constexpr DWORD CC_RGBINIT = 0x1;
constexpr DWORD CC_FULLOPEN = 0x2;
constexpr DWORD CC_SHOWHELP = 0x8;

class QPushButton;

class CHColorDialog : public QColorDialog {
  Q_OBJECT

 public:
  explicit CHColorDialog(const CString& caption = CString(), COLORREF initial = 0, DWORD flags = 0,
                         QWidget* parent = nullptr);

  // IDOK when the user picked a colour, IDCANCEL otherwise.
  int DoModal();
  COLORREF GetColor() const;
  DWORD GetFlags() const { return m_flags; }
  const CString& GetCaption() const { return m_caption; }
  QPushButton* HelpButton() const { return m_help; }

 private:
  CString m_caption;
  DWORD m_flags;
  QPushButton* m_help = nullptr;
};
