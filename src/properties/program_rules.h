// Rules of the program properties pages that need no window: the character
// filters of the program name and password edits, the password change check,
// the temperature protection clamps.
#pragma once

#include <optional>

#include "platform/cstring.h"

// The position of the first character that is not a capital A to Z (and, with
// digits, not 0 to 9); none when the whole text passes.
std::optional<int> FirstNonCapital(const CString& text, bool digits);

// The outcome of the password edits of the Parameter page.
struct PasswordChange {
  UINT messageId = 0;  // 0 accepted, 609 old password wrong, 608 new ones differ
  CString password;    // the document's password after OK
};
// typed: "Current password:", fresh: "New Password:", repeat: "Repeat New Password:".
PasswordChange CheckPasswordChange(const CString& docPassword, const CString& typed, const CString& fresh,
                                   const CString& repeat);

// The Protect page's edits keep to -32768..32767 while typing.
int ClampProtectTemperature(long long value);
