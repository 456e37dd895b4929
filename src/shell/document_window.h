// DocumentWindow: one diagram window as the application shell sees it. The
// diagram child frame implements it; the shell creates such windows through a
// factory, hosts them in the MDI area and runs New, Open, Save, Save As and
// Close on them. Title, path and modified flag are the shown document's
// (CSavableDocument): the window keeps none of its own.
#pragma once

#include "model/savable_document.h"
#include "platform/command_target.h"
#include "platform/cstring.h"
#include "platform/types.h"

class QWidget;
class CZaradDoc;

class DocumentWindow : public CCommandTarget, public CSavableDocument {
 public:
  ~DocumentWindow() override = default;

  // The widget that goes into the MDI area (it owns this object).
  virtual QWidget* GetWidget() = 0;

  // Starts an empty document of the kind (1 FBD, 2 ladder).
  virtual bool OnNewDocument(int kind) = 0;
  // Loads a file; on failure the error holds a text for the user.
  virtual bool OnOpenDocument(const CString& path, CString* error) = 0;
  // The zoom factor when the window shows a diagram view; false otherwise.
  virtual bool GetZoom(float* zoom) const { return false; }
  // Whether the window's view is in simulation mode.
  virtual bool IsSimulating() const { return false; }
  // The model document, when there is one.
  virtual CZaradDoc* GetDocument() { return nullptr; }
  // Repaints the diagram the window shows.
  virtual void InvalidateDiagram() {}
  // Print margins chosen in Page Setup: left, top, right, bottom in
  // thousandths of a millimetre.
  virtual void SetPageMargins(const CRect& margins) {}
  virtual CRect GetPageMargins() const { return CRect(); }
};
