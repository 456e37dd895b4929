#include "pages/page_dialog.h"

#include <utility>

#include "platform/message_sink.h"

namespace {

PageDialogRunner& Runner() {
  static PageDialogRunner runner;
  return runner;
}

}  // namespace

PageDialogRunner SetPageDialogRunner(PageDialogRunner runner) {
  return std::exchange(Runner(), std::move(runner));
}

int RunPageDialog(CParamPage& dialog) {
  return Runner() ? Runner()(dialog) : IDCANCEL;
}
