// CFlatIconButton: an owner-drawn push button with an icon (optionally a second icon
// shown at rest), a caption, a tooltip and six state colours. Flat buttons show a
// border only under the mouse; raised buttons always draw a 3-D border. A button made
// with a check-box style (BS_CHECKBOX, BS_AUTOCHECKBOX) toggles on every click and
// draws pressed while checked. A double click counts as two clicks.
//
//   auto* power = new CFlatIconButton(u"Power", BS_AUTOCHECKBOX, bar);
//   power->SetIcon(onPixmap, offPixmap);
//   power->ShiftStateColor(BTNST_COLOR_BK_IN, 30);   // lighter under the mouse
//   power->SetTipText(u"Power");
//   connect(power, &QAbstractButton::clicked, ...); power->GetCheck();
//
//   auto* input = new CFlatIconButton(u"I1", BS_PUSHBUTTON, bar);
//   input->SetFlat(false); input->SetIconAlignment(BTNST_ALIGN_VERT);
//   input->SetIcon(offPixmap); input->SetIconId(209);
//
// The state and the drawing decisions are CFlatButtonModel's (controls/flat_button_model.h).
#pragma once

#include <QPixmap>
#include <QPushButton>

#include "controls/flat_button_model.h"
#include "platform/cstring.h"

class CFlatIconButton : public QPushButton {
  Q_OBJECT

 public:
  explicit CFlatIconButton(const CString& caption = CString(), UINT style = BS_PUSHBUTTON,
                           QWidget* parent = nullptr);

  // The active icon and the icon at rest (null: none, the active icon serves). 1 when
  // the active icon is null (both are then cleared), else 0.
  int SetIcon(const QPixmap& active, const QPixmap& rest = QPixmap(), bool repaint = true);
  int SetFlat(bool flat, bool repaint = true);
  int SetIconAlignment(BYTE alignment, bool repaint = true);
  // Only in check-box mode.
  int SetCheck(bool checked, bool repaint = true);
  bool GetCheck() const { return m_model.GetCheck(); }
  int ShiftStateColor(BYTE index, short shade, bool repaint = true);
  int SetColor(BYTE index, COLORREF color, bool repaint = true);
  COLORREF GetColor(BYTE index) const { return m_model.GetColor(index); }
  int SetPressedStyle(int style, bool repaint = true);
  // The six colours back at the palette's button face and text colours.
  void SetDefaultColors(bool repaint = true);
  // Sets the tooltip text; activate false silences it.
  void SetTipText(const CString& text, bool activate = true);
  int GetIconId() const { return m_iconId; }
  void SetIconId(int id) { m_iconId = id; }

  bool IsHovering() const { return m_hovering; }
  const CFlatButtonModel& Model() const { return m_model; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void nextCheckState() override;

 private:
  void EndHover();

  CFlatButtonModel m_model;
  QPixmap m_active;
  QPixmap m_rest;
  bool m_hovering = false;
  int m_iconId = 0;
  CString m_tipText;
};
