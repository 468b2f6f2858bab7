// The disc's CD ID as the catalogue keeps it: the identity text the drive reports, read as a
// signed 32-bit number.
#pragma once

#include <cstdint>
#include <string_view>

// The value of `text` when it is a signed 32-bit decimal integer (leading blanks and one sign
// allowed, nothing after the digits); -1 ("no ID") for any other text or a value out of range.
int32_t CdIdFromText(std::string_view text);
