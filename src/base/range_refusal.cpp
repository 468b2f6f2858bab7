#include "base/range_refusal.h"

std::string RangeRefusal(std::string_view field, std::string_view typed, int64_t low,
                         int64_t high) {
    const std::string what =
        typed.empty() ? "The field " + std::string(field) + " is empty"
                      : "\"" + std::string(typed) + "\" cannot be used in " + std::string(field);
    return what + ": type a whole number from " + std::to_string(low) + " to " +
           std::to_string(high) + ".";
}
