// The Qt runner of the pages' small modal dialogs (pages/page_dialog.h): the
// dialog's controls on a CQtPageHost with OK and Cancel below them.
#pragma once

// Installs the runner once; later calls do nothing.
void InstallQtPageDialogRunner();
