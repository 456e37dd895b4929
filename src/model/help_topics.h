// The help launcher's rules: the topic table (help topic id -> page of the help
// file) and the path of the help file for each interface language. Opening the
// file is the shell's work.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// The Help command and F1 open this topic (the inputs page).
constexpr WORD kHelpTopicContents = 1052;

// The page of a help topic ("Inputs.htm" for 1052); null for an id without a page.
const char16_t* HelpTopicPage(WORD topic);
// Number of topics in the table.
int HelpTopicCount();

// The help file for the program file at programPath: the program's path with its
// extension (if any) replaced by ".HLP" and its file name upper-cased, then for the
// English interface every "HLP" of the file name becomes "CHM", and for the Chinese
// interface "ZEVEVEZAREZI.HLP" becomes "ZEVEVEZAREZI_GBK.CHM" (another program name
// keeps its ".HLP" name). The folder keeps its letters as they are: file names are
// case-sensitive here.
CString HelpFilePath(const CString& programPath, bool chinese);
