#include "model/zarad_doc.h"

#include <unordered_map>

#include "blocks/ladder_blocks.h"
#include "model/model_table.h"
#include "model/name_tables.h"
#include "model/shell_context.h"

IMPLEMENT_DYNCREATE(CZaradDoc, CObject)

int* ComPortSettings::Field(int index) {
  int* fields[kFieldCount] = {&nRole,     &nProtocol, &nAddress, &nBaudRate,  &nFrameFormat,   &nParity,
                              &nDataBits, &nStopBits, &nTimeout, &nPollDelay, &nRegisterOrder, &nReserved};
  return index >= 0 && index < kFieldCount ? fields[index] : nullptr;
}

CZaradDoc::CZaradDoc() {
  m_bSimulating = 0;
  m_bLocked = 0;
  m_nPagesAcross = m_nPagesDown = 1;
  for (int& v : m_nReservedInts) v = 1;
  for (BYTE& b : m_markers) b = 0xAA;
  m_markers[0] = m_markers[1] = m_markers[2] = 0x55;

  CShellContext* shell = GetShellContext();
  m_sizePage = shell->GetScreenSize();
  m_rcDiagram = CRect(0, 0, m_sizePage.cx, m_sizePage.cy);

  m_nKind = kDocFbd;
  m_fZoom = 1.0f;
  BuildBlockTypeNames();  // the kind names follow the interface language

  if (shell->m_nOpenDocs == 0) shell->ToggleInfoBar();
  ++shell->m_nOpenDocs;

  m_bShowPropertiesOnNew = g_ShowPropertiesOnNew;
  if (shell->m_nNextDocKind != kDocFbd) {
    m_nKind = shell->m_nNextDocKind;
    shell->m_nNextDocKind = kDocFbd;
  }

  m_bCopyProtect = 0;
  m_nRedundancy = 0;
  m_nSyncTime = 5000;
  m_nTempHigh = 90;
  m_nTempLow = -20;
  m_bKeepOutputs = 1;
  m_nLanguage = 0;
  m_nLogoTime = 0;
  m_nContrast = 2;
  m_nBacklight = 0;
  m_bLogoInverse = 0;
  m_bHasLogoImage = 0;
  m_aqRangeType.assign(kAnalogOutputCount, 0);
  m_aqFixedValue.assign(kAnalogOutputCount, 0.0);
  for (ComPortSettings& port : m_ports) port = ComPortSettings();
  m_nAiRangeType0 = m_nAiRangeType1 = 0;

  if (!shell->HasModelNameControl()) {
    shell->AddStatusPaneControl(1, kStatusBitmapButton);
    shell->AddStatusPaneControl(2, kStatusModelName);
  }
  m_wModelCode = g_CurrentModelCode;
  GetModelName(m_wModelCode, &m_strModelName, &m_wFirmware);
  m_wModelAux1 = m_wModelAux2 = 0;
  m_nCharSet1 = m_nCharSet2 = 0;
  m_nDefaultCharSet = 0;
  m_nTickerCharMs = 1000;
  m_nTickerLineMs = 10000;
  m_nAiFilter = 0;
  m_nScopeTime = 5;

  for (int& n : m_nCapCounts) n = 0;
}

CZaradDoc::~CZaradDoc() {
  // The framework empties the lists when it closes a document; a document
  // destroyed without that still deletes its objects in the same order.
  DeleteContents();

  CShellContext* shell = GetShellContext();
  if (shell->m_nOpenDocs > 0) --shell->m_nOpenDocs;
  if (shell->m_nOpenDocs == 0 && shell->IsInfoBarVisible()) {
    shell->ToggleInfoBar();
    shell->RemoveStatusPane(2);
    shell->RemoveStatusPane(1);
  }
}

void CZaradDoc::DeleteContents() {
  m_sortList.clear();
  // When the last element addressing an operand goes, the operand's user name
  // goes too (the count covers the elements still in the list).
  std::unordered_map<int, int> remaining;
  for (const CBlockObj* block : m_blocks) ++remaining[block->m_nOperand];
  while (std::unique_ptr<CBlockObj> block = m_blocks.DetachHead()) {
    const int operand = block->m_nOperand;
    const bool forget = --remaining[operand] == 0 && IsNameCleanupOperand(*block);
    block.reset();
    if (forget) m_operandNames.erase(static_cast<UINT>(operand));
  }
  m_connections.DeleteAll();
  m_comments.DeleteAll();
  m_powerBus.DeleteAll();
}
