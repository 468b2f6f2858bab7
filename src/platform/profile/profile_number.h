// Numbers as the settings files hold them: decimal, or hexadecimal after "0x" or "$", with an
// optional leading sign.
#pragma once

#include <optional>
#include <string_view>

namespace profile {

// The integer that the whole of `text` spells (blanks around it are allowed), or nullopt when
// it is not one. Text after the number ("12abc") makes it not a number, so a damaged value
// reads as the caller's default rather than as a guess. Decimal values must fit an int;
// hexadecimal values of up to 32 bits are taken as the bit pattern, so "$FFFFFFFF" is -1.
std::optional<int> ParseProfileInteger(std::string_view text);

}  // namespace profile
