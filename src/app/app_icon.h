// The program's own picture: a small controller with its display and terminals and
// a function block beside it. Drawn in code at every size it is asked for; the
// desktop entry uses the same picture from res/zovuzi-editor.svg.
#pragma once

#include <QIcon>

QIcon AppIcon();
