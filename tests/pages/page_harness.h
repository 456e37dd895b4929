// A page on the memory host over a small document: the page kit's test bench.
#pragma once

#include <functional>
#include <memory>

#include "pages/memory_host.h"
#include "pages/page_dialog.h"
#include "pages/param_page.h"
#include "platform/message_sink.h"
#include "support/diagram_builder.h"

template <typename Page>
struct PageHarness {
  explicit PageHarness(CZaradDoc* doc, bool simulating = false) : context{doc, simulating} {}

  // Attaches the page to a fresh host and initialises it.
  Page& Open() {
    host = std::make_unique<CMemoryHost>(page.Describe(), &page);
    page.Attach(host.get(), context);
    page.Initialise();
    return page;
  }

  CPageContext context;
  Page page;
  std::unique_ptr<CMemoryHost> host;
  RecordingMessageSink sink;
  ScopedMessageSink scope{&sink};
};

// Runs the page dialogs on a memory host with a script.
struct ScopedDialogScript {
  explicit ScopedDialogScript(std::function<int(CMemoryHost&)> script) {
    previous = SetPageDialogRunner([script, this](CParamPage& dialog) {
      host = std::make_unique<CMemoryHost>(dialog.Describe(), &dialog);
      dialog.Attach(host.get(), CPageContext{});
      dialog.Initialise();
      const int answer = script(*host);
      if (answer == IDOK) {
        if (!dialog.UpdateData(true)) return IDCANCEL;
        dialog.OnOK();
      }
      return answer;
    });
  }
  ~ScopedDialogScript() { SetPageDialogRunner(previous); }
  PageDialogRunner previous;
  std::unique_ptr<CMemoryHost> host;
};
