// The choices of this run that new documents take: the model selected last and
// "Show at new file". The main window reads them when it makes a new document.
#pragma once

#include "platform/types.h"

// Model code of the hardware selected last; new documents take it.
extern WORD g_CurrentModelCode;
// "Show at new file": new documents copy it into m_bShowPropertiesOnNew.
extern int g_ShowPropertiesOnNew;

// Display class of a character: 1 for the CJK characters that take two display
// cells, 2 for accented Latin, Greek, Cyrillic, Hebrew, Thai and Vietnamese
// letters, 0 for every other value.
int GetCharClass(UINT ch);
