// The password as cd.ini keeps it (Diversen, Code_0001): read back to plain text, compared with
// what the user typed, and replaced. The stored form is the Windows-1252 bytes of the password,
// every byte inverted; the plain text "583046" means that no password is set.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kNoPasswordMarker = "583046";
inline constexpr std::size_t kMaxPasswordLength = 25;

// The stored value of Code_0001 cut to 25 characters; "FOUT" when the key is absent.
std::string StoredPassword();
// False when Code_0001 is absent or blank: the installation has lost its password information.
bool PasswordInformationFound();
// The plain password as Windows-1252 bytes, cut to 25 characters; the marker when none is set.
std::string PlainPassword();
// True when the plain password is the no-password marker.
bool NoPasswordSet();
// True when `typedUtf8` is exactly `plain` (Windows-1252 bytes), letter case included. Text that
// Windows-1252 cannot hold never matches.
bool PasswordMatches(std::string_view plain, std::string_view typedUtf8);

enum class PasswordStoreResult {
    Stored,    // the new password is in cd.ini
    Disabled,  // a blank text: the marker is in cd.ini, no password is asked any more
    Unusable,  // the text cannot be kept in cd.ini as it is; nothing was written
    Failed,    // cd.ini could not be written; the user has been told, the old password holds
};
// Replaces the password with `plainUtf8` (at most 25 characters are taken); a blank text
// disables the password. Unusable for a character Windows-1252 lacks, for the marker itself (it
// would silently mean "no password") and for a password whose stored form the settings file
// would not give back unchanged (line breaks, blanks or quotes at its ends).
PasswordStoreResult StorePassword(std::string_view plainUtf8);
