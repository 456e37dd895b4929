// Where the program keeps its files: the temporary folder, the settings folder and
// uniquely named working folders. Folders are returned with a trailing '/', as the
// temporary-path query of the original platform returns them with its separator.
#pragma once

#include <string>

#include "platform/cstring.h"

// $TMPDIR when it is set to an absolute path, else /tmp; ends in '/'.
CString GetTempFolder();

// $XDG_CONFIG_HOME when it is set to an absolute path, else $HOME/.config (the home
// folder from the user database when HOME is unset); ends in '/'. Not created here.
// A user without a home folder gets the private folder below; empty when there is
// none either (the settings then live in memory only).
CString GetSettingsFolder();

// "<temporary folder>zovuzi-<uid>/": a folder of the user's own in the shared temporary
// folder, created readable by the user alone. Empty when what stands there is not such a
// folder (a link, another user's folder, or one others may enter).
CString GetPrivateTempFolder();

// Creates a new folder "<parent><prefix>XXXXXX" (six random characters) that no one
// else can have made at the same time, readable only by the user. parent must end in
// '/'. Returns its path ending in '/', or an empty string with a readable reason in
// *error (when error is given).
CString MakeUniqueFolder(const CString& parent, const CString& prefix, std::string* error = nullptr);

// Turns the '\' separators of a path written in the original platform's form
// ("%sFolder\File.ini") into '/'.
CString ToNativePath(const CString& path);
