// Comments placed on the diagram with the Insert Comments tool.
#include <memory>

#include "editor/diagram_editor.h"
#include "model/block_comment.h"
#include "model/doc_queries.h"
#include "model/zarad_doc.h"
#include "platform/recording_dc.h"

namespace {

constexpr int kCommentPoints = 12;

}  // namespace

CSize CDiagramEditorHost::MeasureViewText(const CString& text) const {
  CRecordingDC dc;
  return dc.GetTextExtent(text);
}

CBlockComment* CDiagramEditor::CreateCommentAt(CPoint p) {
  auto comment = std::make_unique<CBlockComment>();
  const int dpi = m_pHost ? m_pHost->GetLogPixelsY() : 96;
  comment->m_lf.lfHeight = (kCommentPoints * dpi + 36) / 72;
  comment->m_size = m_pHost ? m_pHost->MeasureViewText(comment->m_strText)
                            : CDiagramEditorHost().MeasureViewText(comment->m_strText);
  if (!CheckPointInBase(&p, comment.get())) return nullptr;
  comment->m_ptPos = comment->m_ptDragStart = p;
  return AddComment(*m_pDoc, std::move(comment));
}

void CDiagramEditor::InsertCommentAt(CPoint p) {
  if (FindBlockWithPinsAt(*m_pDoc, p)) return;
  ClearSelection(SEL_ALL);
  if (!CreateCommentAt(p)) return;
  SaveSnapshot();
  m_pCurBlock = nullptr;
  m_pCurConnection = nullptr;
  m_pCurComment = nullptr;
  InvalidateDiagram();
}
