// The one wording for a number typed outside what its field allows, so that every screen says
// the same: which field, what was typed, and what is allowed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// `typed` empty: the field was left empty.
std::string RangeRefusal(std::string_view field, std::string_view typed, int64_t low, int64_t high);
