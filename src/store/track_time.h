// The stored parts of a track time. MINUTEN and SECONDEN hold decimal digits; the program writes
// at least two ("03"), but catalogues written elsewhere may hold "3": both read alike.
#pragma once

#include <cstdint>
#include <string_view>

// The whole number a minutes or seconds field holds, blanks around it ignored; a blank, garbled
// or negative field counts as 0.
uint32_t TimePart(std::string_view field);
