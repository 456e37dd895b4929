// CBlockSheet: the rules of the block properties sheet, without a window.
// It builds the parameter page of a block's type code (the type page), the
// comment page after it, knows the help topic of the type, how much the type
// page grows for its "Current Parameter Value" box in simulation, and which
// captions the sheet sets on the type page. OK and Apply run here: the active
// page validates, OK lets every page normalise itself, and the pages' values
// come back in a BlockPageValues.
//
// A window (properties/gui/qt_block_sheet.h) shows the pages through control
// hosts and calls Initialise when a page is first shown.
#pragma once

#include <memory>
#include <vector>

#include "pages/page_values.h"
#include "pages/param_page.h"

class CBlockParamPage;

// The modeless buttons and Help (ids of the sheet's buttons).
constexpr int kIdSheetOK = 1;
constexpr int kIdSheetCancel = 2;
constexpr int kIdSheetHelp = 9;
constexpr int kIdSheetApply = 12321;

// Whether a ladder element on this operand has a simulation page: inputs
// 100-355, function keys 1300-1304, analog inputs 4000-4127.
bool IsSimulatedLadderOperand(int operand);

// The help topic of a block type (1052 for a type without a topic of its own).
int HelpTopicOfType(int type);
// The parameter page of a type code, or null when the type has none (yet).
std::unique_ptr<CParamPage> CreateTypePage(int type);

class CBlockSheet {
 public:
  // The sheet of a type; context.simulating makes it modeless. A ladder
  // element names its operand: contacts on inputs, function keys and analog
  // inputs get the simulation page too.
  CBlockSheet(int type, const CString& caption, const CPageContext& context, int operand = -1);
  ~CBlockSheet();
  CBlockSheet(const CBlockSheet&) = delete;
  CBlockSheet& operator=(const CBlockSheet&) = delete;

  int Type() const { return m_nType; }
  const CString& Caption() const { return m_strCaption; }
  void SetCaption(const CString& caption) { m_strCaption = caption; }
  bool IsModeless() const { return m_context.simulating; }
  const CPageContext& Context() const { return m_context; }

  // Pages in order: the type page (when the type has one), the pages that
  // follow it (the weekly timer's cams), then the comment page.
  const std::vector<CParamPage*>& Pages() const { return m_pages; }
  CParamPage* TypePage() const { return m_pTypePage.get(); }
  // The type page when it follows the block parameter page pattern.
  CBlockParamPage* ParamPage() const;
  CCommentPage& CommentPage() { return m_commentPage; }

  // Moves the values into every page (before the pages show).
  void LoadValues(const BlockPageValues& values);
  // The pages' values.
  BlockPageValues Values() const;

  // The Help button: the topic of the type; 0 (nothing) on a ladder element's sheet.
  int HelpTopic() const;
  // Pixels the type page grows in simulation for its value box (0, 30 or 50).
  int ValueBoxGrowth() const;
  // Sets the captions the sheet gives the type page once it is initialised
  // (the time group of the single-time timers; the Chinese captions).
  void RetextTypePage();

  // OK of a modal sheet: the active page's exchange, then every shown page's
  // OK. False (the sheet stays open) when the exchange refused a value.
  bool OnOK(int activePage);
  // Apply of a modeless sheet: the active page's exchange; false when it failed.
  bool OnApply(int activePage);

  // The block shown by a modeless sheet (-1 for a modal one).
  int m_nBlockNumber = -1;
  // The page in front (an index into Pages()); the window keeps it current.
  int m_nActivePage = 0;
  // The page in front, or null.
  CParamPage* ActivePage() const;
  BlockPageValues m_values;  // what the sheet was loaded with

 private:
  // The high byte of the document's model code (0 without a document).
  int GetSeriesByte() const;

  int m_nType;
  CString m_strCaption;
  CPageContext m_context;
  std::unique_ptr<CParamPage> m_pTypePage;
  std::vector<std::unique_ptr<CParamPage>> m_extraPages;  // pages after the type page (the weekly cams)
  CCommentPage m_commentPage;
  std::vector<CParamPage*> m_pages;
};
