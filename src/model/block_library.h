// CBlockLibrary: what the model asks of the block library, which it knows only
// through this interface, through CBlockObj's virtual operations and through
// the archive's class registry: new blocks by type code (the factory), the
// class a type code is stored as, and CBlockObj's own look (the drawing that
// the block families share). The block library installs its implementation
// when the program starts (blocks/install); without one nothing is drawn and
// no block can be made.
#pragma once

#include <memory>

#include "model/block_context.h"
#include "platform/types.h"

class CBlockObj;
class CDC;
class CViewContext;
struct CRuntimeClass;

class CBlockLibrary {
 public:
  virtual ~CBlockLibrary() = default;

  // A new block of the class of typeCode, built by its typed constructor (see
  // blocks/block_factory.h); null when it cannot be made.
  virtual std::unique_ptr<CBlockObj> CreateBlock(int typeCode, const BlockContext& ctx) const = 0;
  // A new ladder power bus (type 951) for the document of ctx, unplaced.
  virtual std::unique_ptr<CBlockObj> CreatePowerBus(const BlockContext& ctx) const = 0;
  // The class a block of the type code must have in a file.
  virtual const CRuntimeClass* ClassOfType(int typeCode) const = 0;

  // CBlockObj's default drawing operations (the virtuals' base forms).
  virtual void Draw(CBlockObj& block, CViewContext* view, CDC* dc, int flag, COLORREF state) const = 0;
  virtual void DrawSelected(CBlockObj& block, CViewContext* view, CDC* dc) const = 0;
  virtual void DrawStateText(CBlockObj& block, CViewContext* view, CDC* dc) const = 0;
  virtual void DrawHighlight(CBlockObj& block, CDC* dc, COLORREF colour, BOOL outline) const = 0;
};

// The installed block library; null before the block library installed itself.
const CBlockLibrary* GetBlockLibrary();
// Installs the block library (the caller keeps ownership; null uninstalls).
void InstallBlockLibrary(const CBlockLibrary* library);
