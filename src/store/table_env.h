// TTableEnv: the engine settings every table follows: four-digit years, the date format of dates
// read and written as text, whether deleted records are hidden and whether tables may be written.
#pragma once

#include <string>
#include <string_view>

#include "platform/xbase/field_codec.h"

class TTableEnv {
public:
    enum class DateFormat { American, Ansi, British, French, German, Italian, Japan };

    bool Century = true;
    DateFormat dateFormat = DateFormat::Italian;
    // When true, records flagged deleted are invisible to navigation, seeks, counts and walks.
    bool Deleted = true;
    // When true, every table opens read-only: an archived catalogue on a read-only folder.
    bool ReadOnly = false;

    // The environment tables use unless given another.
    static TTableEnv& Default();

    // "24-12-1997" in the Italian format with Century on; "" for a blank date.
    std::string FormatDate(xbase::Date date) const;
    // Parses a date written in the current format; blank text gives a blank date. False when
    // the text is not a real date in that format.
    bool ParseDate(std::string_view text, xbase::Date* out) const;
};
