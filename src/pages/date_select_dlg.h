// CDateSelectDlg: the modal month-and-day picker behind the "..." date buttons
// (the yearly timer page, the summer/winter time dialog). It edits one of two
// date pairs per run with twelve month and thirty-one day buttons; the chosen
// month and day carry an asterisk. It knows nothing of blocks or documents:
// the caller sets the pair, runs it with RunPageDialog and reads the pair
// back on IDOK.
#pragma once

#include "pages/param_page.h"

class CDateSelectDlg : public CParamPage {
 public:
  static constexpr int kTemplate = 225;
  static constexpr int kIdMonthBase = 1321;  // month n: button 1321 + n (1322..1333)
  static constexpr int kIdDayBase = 1333;    // day d: button 1333 + d (1334..1364)
  static constexpr int kIdFirstButton = 1322, kIdLastButton = 1364;

  CDateSelectDlg();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;
  void LoadValues(const BlockPageValues&) override {}
  void StoreValues(BlockPageValues&) const override {}

  // A click on a month or day button: the stored value changes and the
  // asterisk moves to the clicked button.
  void OnDateButton(int id);
  // Enables day buttons 29-31 and OK for the month and day: OK is off exactly
  // while the day does not exist in the month (February has 29).
  void UpdateDayButtons(int month, int day);

  int m_nFirstMonth = 1;
  int m_nFirstDay = 1;
  int m_nSecondMonth = 1;
  int m_nSecondDay = 1;
  int m_bEditFirst = 1;   // 1: this run edits the first pair, 0: the second
  int m_bAllowFeb29 = 1;  // 0: day 29 is off while February is chosen

 protected:
  void DoDataExchange(CDataExchange&) override {}
  void OnInitDialog() override;

 private:
  int& EditedMonth() { return m_bEditFirst ? m_nFirstMonth : m_nSecondMonth; }
  int& EditedDay() { return m_bEditFirst ? m_nFirstDay : m_nSecondDay; }
};
