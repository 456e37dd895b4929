// CParamPage: one property page of the page kit, and CDataExchange, the data
// exchange between a page's members and its controls.
//
// Adding a page (the pattern every parameter page follows):
// 1. Describe the template: a static PageDesc with the page's controls (ids
//    and captions from the page's own description, rectangles in dialog units).
// 2. Derive from CParamPage (operand and comment pages) or CBlockParamPage
//    (block_param_page.h: name, protection, retentivity, references, value
//    box, tooltips) and from the page's values struct (properties/
//    page_values.h), whose members are the page's public members; the sheet
//    copies the block's values into that struct before the page shows and
//    reads them back after OK or Apply.
// 3. Override DoDataExchange (DDX_/DDV_ calls in the page's order),
//    OnInitDialog (base first, then the page's own set-up), OnNotify (the
//    message map: control id and notification to a handler) and, where the
//    page normalises values on OK, OnOK.
// 4. Add the type codes to the sheet's page table (properties/block_sheet.cpp).
// Pages never write a block or the document; they read the document through
// their CPageContext.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>

#include "pages/control_host.h"
#include "platform/cdc.h"
#include "platform/cstring.h"

class CZaradDoc;
struct BlockPageValues;

// What a page may know of its surroundings: the document of the diagram
// that opened the sheet and whether that diagram simulates.
struct CPageContext {
  CZaradDoc* doc = nullptr;
  bool simulating = false;
};

// Thrown by a failing DDV/DDX step; UpdateData catches it.
struct DataExchangeFailure : std::runtime_error {
  DataExchangeFailure() : std::runtime_error("data exchange failed") {}
};

// One run of the data exchange. Saving (members from controls) stops at the
// first failure: it shows the failure's message through the message sink,
// puts the focus into the control and throws DataExchangeFailure.
class CDataExchange {
 public:
  CDataExchange(CControlHost& host, bool save) : m_host(host), m_bSave(save) {}
  CControlHost& Host() const { return m_host; }
  bool IsSaving() const { return m_bSave; }
  int LastControl() const { return m_nLastId; }
  void SetLastControl(int id) { m_nLastId = id; }
  // Shows the message (MB_ICONEXCLAMATION), focuses the last control, throws.
  [[noreturn]] void Fail(const CString& message);

 private:
  CControlHost& m_host;
  bool m_bSave;
  int m_nLastId = 0;
};

void DDX_Text(CDataExchange& dx, int id, CString& value);
void DDX_Text(CDataExchange& dx, int id, int& value);  // string 61712 when not an integer
void DDX_Check(CDataExchange& dx, int id, int& value);
void DDX_CBIndex(CDataExchange& dx, int id, int& value);
// Loading selects the entry equal to the text (or, when there is none, leaves
// the selection); saving takes the selected entry's text.
void DDX_CBString(CDataExchange& dx, int id, CString& value);
// A radio group given by its buttons' ids: the index of the checked one, -1
// when none is.
void DDX_Radio(CDataExchange& dx, std::initializer_list<int> ids, int& value);
// Loading limits the edit; saving refuses a longer text.
void DDV_MaxChars(CDataExchange& dx, const CString& value, int count);
// Saving refuses a value outside lo..hi with string 61714.
void DDV_MinMaxInt(CDataExchange& dx, int value, int lo, int hi);

class CParamPage {
 public:
  virtual ~CParamPage();

  // The template. Pages return a static description.
  virtual const PageDesc& Describe() const = 0;

  // Binds the page to its host and context; the page's window then exists
  // (OnInitDialog follows once, when the sheet first shows the page).
  void Attach(CControlHost* host, const CPageContext& context);
  bool IsAttached() const { return m_pHost != nullptr; }
  bool IsInitialised() const { return m_bInitialised; }
  // Runs OnInitDialog once.
  void Initialise();

  // Moves members into controls (save false) or controls into members (save
  // true); false when a step refused a value (its message was shown).
  bool UpdateData(bool save);

  // The page's message map.
  virtual void OnNotify(int id, Notify code);
  // OK of the sheet, after a successful UpdateData(true); not run by Apply.
  virtual void OnOK() {}
  // Cancel of the sheet.
  virtual void OnCancel() {}
  // Apply during simulation, on the values it sends to the running block: a word
  // that an active reference stands in for takes the fixed value OK would give it.
  virtual void PrepareApplyValues(BlockPageValues& values) const {}

  // Moves the sheet's values into the page's members and back (the members
  // of the page's values structs).
  virtual void LoadValues(const BlockPageValues& values) = 0;
  virtual void StoreValues(BlockPageValues& values) const = 0;

  // The page's changed state, which enables the sheet's Apply.
  void SetModified(bool modified = true) {
    m_bModified = modified;
    if (m_onModified) m_onModified();
  }
  bool IsModified() const { return m_bModified; }

  CControlHost& Host() const { return *m_pHost; }
  const CPageContext& Context() const { return m_context; }
  CZaradDoc* Document() const { return m_context.doc; }
  bool Simulating() const { return m_context.simulating; }

  // The tab title (the description's caption unless a sheet sets another).
  CString m_strTitle;
  // Told of every change of the modified state (the sheet's Apply button).
  std::function<void()> m_onModified;

 protected:
  CParamPage() = default;
  virtual void DoDataExchange(CDataExchange& dx) = 0;
  // Base: moves the members into the controls. Pages call it first.
  virtual void OnInitDialog();

 private:
  CControlHost* m_pHost = nullptr;
  CPageContext m_context;
  bool m_bInitialised = false;
  bool m_bModified = false;
};

// The comment page of every block sheet: one multi-line edit with the block's
// comment (for ladder elements the operand's name).
class CCommentPage : public CParamPage {
 public:
  static constexpr int kIdText = 1074;
  static constexpr int kIdFont = 1322;  // "Font...": the sheet of a diagram comment only
  CCommentPage();
  const PageDesc& Describe() const override;
  void OnNotify(int id, Notify code) override;

  // A diagram comment's sheet edits its font and colour too: the working
  // copies, changed by the "Font..." button through the chooser (true on OK).
  bool m_bFontButton = false;
  LOGFONT m_lfWorking;
  COLORREF m_crWorking = 0;
  std::function<bool(LOGFONT* font, COLORREF* colour)> m_chooseFont;
  void LoadValues(const BlockPageValues& values) override;
  void StoreValues(BlockPageValues& values) const override;

  CString m_strComment;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
};
