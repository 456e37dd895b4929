// CGridPage: a page or dialog of the page kit whose template holds a grid
// control (the message-text screen, the I/O status names). The window side
// puts a grid window over the control and attaches its grid before the page
// initialises, and asks the page to fit the cells when the window is resized.
#pragma once

class CGridCtrl;

class CGridPage {
 public:
  virtual ~CGridPage() = default;
  // The control id the grid takes the place of.
  virtual int GridControlId() const { return 1123; }
  virtual void AttachGrid(CGridCtrl* grid) = 0;
  // Shares the grid window among the visible cells.
  virtual void FitGrid() = 0;
};
