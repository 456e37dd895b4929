// The help launcher's rules: the topic table (help topic id -> page of the help
// file) and the path of the help file for each interface language. Opening the
// file is the shell's work.
#pragma once

#include "platform/cstring.h"
#include "platform/types.h"

// The Help command and F1 open this topic (the inputs page).
constexpr WORD kHelpTopicContents = 1052;
constexpr WORD kHelpTopicMessageText = 1060;  // "Message text.htm"

// The page of a help topic ("Inputs.htm" for 1052); null for an id without a page.
const char16_t* HelpTopicPage(WORD topic);
// Number of topics in the table.
int HelpTopicCount();

// The help file for the program file at programPath, in the program's folder: the
// program's name without its extension, upper-cased, with ".HLP" and every "HLP" of the
// name then made "CHM" for the English interface, and with "_GBK.CHM" for the Chinese
// one ("ZEVEVEZAREZI_GBK.CHM"). The folder keeps its letters as they are: file names are
// case-sensitive here.
CString HelpFilePath(const CString& programPath, bool chinese);
