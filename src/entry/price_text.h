// The purchase price as the program shows and accepts it: "#,##0.00" (1,234.50), from 0.00 up
// to what AANKPPRS (10 places, 2 decimals) holds.
#pragma once

#include <optional>
#include <string>
#include <string_view>

inline constexpr double kMaxPrice = 9999999.99;

// "1,234.50"; "0.00" for 0.
std::string FormatPrice(double amount);
// The amount written in `text`: digits with at most 2 decimals after a point or a comma, the
// thousands optionally grouped by the other sign ("1,234.5", "1234.50", "12,50", "1.234,50",
// "12"); blanks around it are allowed, an empty text is 0. Nothing for anything else, negative
// amounts and amounts above kMaxPrice included.
std::optional<double> ParsePrice(std::string_view text);
