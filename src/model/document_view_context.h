// CDocumentViewContext: a view context that stands for a view of one document
// where no diagram view is at hand (rendering a document into an image,
// printing, tests): the document, a tool mode and a fixed clock, with the
// simulation bar stopped and no mouse cursor.
#pragma once

#include "model/view_context.h"

class CDocumentViewContext : public CViewContext {
 public:
  explicit CDocumentViewContext(CZaradDoc* doc, int editMode = MODE_SELECT)
      : m_pDoc(doc), m_nEditMode(editMode) {}

  CZaradDoc* GetDocument() const override { return m_pDoc; }
  SYSTEMTIME GetScanTime() const override { return m_stTime; }
  int GetEditMode() const override { return m_nEditMode; }
  bool IsDiagramView() const override { return false; }
  SYSTEMTIME GetSimulatedTime() const override { return m_stTime; }
  CString FormatSimulatedTime(BOOL, int) const override { return CString(); }
  int GetSimRunState() const override { return SIM_STOPPED; }
  int GetSimStepState() const override { return SIM_STEP_OFF; }
  int GetSimStepUnit() const override { return SIM_UNIT_CYCLES; }

  CZaradDoc* m_pDoc = nullptr;
  int m_nEditMode = MODE_SELECT;
  SYSTEMTIME m_stTime{};
};
