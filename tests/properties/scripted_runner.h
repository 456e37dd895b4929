// A sheet runner for tests: runs the Block Properties sheet on a memory host.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "pages/memory_host.h"
#include "properties/block_properties.h"
#include "properties/block_sheet.h"

// Runs a modal sheet with a script that works the type page through a memory host.
class ScriptedRunner : public CSheetRunner {
 public:
  std::function<void(CBlockSheet&, CMemoryHost&)> script;
  int answer = IDOK;
  int modalRuns = 0;
  std::vector<CBlockSheet*> opened;
  std::unique_ptr<CMemoryHost> host;

  int RunModal(CBlockSheet& sheet) override {
    ++modalRuns;
    CParamPage* page = sheet.Pages().front();
    host = std::make_unique<CMemoryHost>(page->Describe(), page);
    page->Attach(host.get(), sheet.Context());
    page->Initialise();
    sheet.RetextTypePage();
    if (script) script(sheet, *host);
    if (answer == IDOK && !sheet.OnOK(0)) return IDCANCEL;
    return answer;
  }
  bool OpenModeless(CBlockSheet& sheet) override {
    opened.push_back(&sheet);
    CParamPage* page = sheet.Pages().front();
    host = std::make_unique<CMemoryHost>(page->Describe(), page);
    page->Attach(host.get(), sheet.Context());
    page->Initialise();
    return true;
  }
};
