// Test doubles of the contexts that the model asks of the view.
#pragma once

#include <utility>
#include <vector>

#include "model/view_context.h"

// A view with public state: document, scan time, tool mode, simulated clock and
// simulation bar; it records the simulation-bar and parameter-sheet calls.
class CFakeViewContext : public CViewContext {
 public:
  CZaradDoc* m_pDoc = nullptr;
  SYSTEMTIME m_stScanTime{};
  SYSTEMTIME m_stSimTime{};
  int m_nEditMode = MODE_SELECT;
  int m_nRunState = SIM_RUNNING;
  int m_nStepState = SIM_STEP_OFF;
  int m_nStepUnit = SIM_UNIT_CYCLES;
  bool m_bDraggingWireEnd = false;
  bool m_bHasCursor = false;
  CPoint m_ptCursor;
  CString m_strFormattedTime;  // what FormatSimulatedTime returns
  std::vector<CBlockObj*> m_inputUpdates;
  std::vector<CBlockObj*> m_outputUpdates;
  std::vector<CBlockObj*> m_valueShows;

  CZaradDoc* GetDocument() const override { return m_pDoc; }
  SYSTEMTIME GetScanTime() const override { return m_stScanTime; }
  int GetEditMode() const override { return m_nEditMode; }
  bool IsDraggingWireEnd() const override { return m_bDraggingWireEnd; }
  SYSTEMTIME GetSimulatedTime() const override { return m_stSimTime; }
  CString FormatSimulatedTime(BOOL, int) const override { return m_strFormattedTime; }
  int GetSimRunState() const override { return m_nRunState; }
  int GetSimStepState() const override { return m_nStepState; }
  int GetSimStepUnit() const override { return m_nStepUnit; }
  bool GetCursorClientPos(CPoint* out) const override {
    if (m_bHasCursor && out) *out = m_ptCursor;
    return m_bHasCursor;
  }
  void UpdateInputControl(CBlockObj* block) override { m_inputUpdates.push_back(block); }
  void UpdateOutputControl(CBlockObj* block) override { m_outputUpdates.push_back(block); }
  int ShowCurrentParameterValue(CBlockObj* block) override {
    m_valueShows.push_back(block);
    return 0;
  }
};
