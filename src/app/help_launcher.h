// The help launcher: opens the help file of the interface language in the desktop's
// viewer, or reports "Can't Find %s, Please Check!" when the file is missing.
#pragma once

#include <QString>
#include <functional>

#include "platform/types.h"

// Opens the help file at the topic's page. The file is looked for beside the
// program (HelpFilePath); a generic viewer cannot be sent to a page inside the
// file, so the page is only named in the request.
void ShowHelpTopic(WORD topic);

// How the file is handed to the desktop (tests replace it). Receives the file's
// path and the topic's page (empty for a topic without one); false when the
// desktop could not open it.
using HelpOpener = std::function<bool(const QString& file, const QString& page)>;
// Installs an opener (null: the desktop's viewer) and returns the previous one.
HelpOpener SetHelpOpener(HelpOpener opener);
// The program file the help path is made from (tests set it; empty: this program).
void SetHelpProgramPath(const QString& path);
