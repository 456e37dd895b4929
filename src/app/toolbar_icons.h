// Pictures of the toolbar buttons and of the model button in the status bar:
// small pictograms drawn in code on a 16 x 16 grid (also rendered at twice the
// size for high-density screens).
#pragma once

#include <QIcon>

#include "platform/types.h"

// The picture of a toolbar command; a null icon for a command without one.
QIcon ToolbarIcon(UINT id);
// The picture of the model button in the status bar (a small controller).
QIcon ModelButtonIcon();
// Whether ToolbarIcon has a picture for the command.
bool HasToolbarIcon(UINT id);
