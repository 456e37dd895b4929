// Small modal dialogs that a parameter page opens (the bit-mask dialog): a
// dialog is a CParamPage of its own, run through a runner that the display
// side installs. The runner attaches a host, initialises the dialog, lets the
// user work and, on OK, runs UpdateData(true) and OnOK; it returns IDOK or
// IDCANCEL. Without a runner a dialog answers IDCANCEL.
#pragma once

#include <functional>

class CParamPage;

using PageDialogRunner = std::function<int(CParamPage& dialog)>;

// Installs the runner (an empty one removes it); returns the previous one.
PageDialogRunner SetPageDialogRunner(PageDialogRunner runner);
int RunPageDialog(CParamPage& dialog);
