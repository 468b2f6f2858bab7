// One catalogue field as a CSV value and back. Values are UTF-8: texts without their trailing
// blanks, numbers as stored without blanks, dates as yyyy-mm-dd, memo fields as their text; a
// blank field is an empty value. A value that a spreadsheet would take for a formula carries
// a guard (csv_cell_guard.h), which the reading side takes off.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

// Appends the value of field `f` of `record` (read from `table`) to *out as CSV text, quoted
// where needed.
xbase::Status AppendCsvField(const xbase::Table& table, const uint8_t* record,
                             const xbase::FieldDef& f, std::string* out);

// Stores the CSV value `text` into field `f` of `record` (in `codePage`); a memo field's text
// goes to *memo instead. Returns "" when stored, otherwise why the value was refused (a
// character the code page lacks, a text too long, a bad number or date), naming the field; the
// record may then hold part of the value. Values are held to what the entry screens take:
// CDNUMMER 1 to 999999999 and TRACK 1 to 999 (neither empty), AANKPPRS not below 0, MINUTEN 0 to
// 999 and SECONDEN 0 to 59 (stored in two digits at least, "03"), JAAR 3 or 4 digits, and no
// control character but a tab (in a memo also line breaks).
std::string ParseCsvField(const xbase::CodePage& codePage, const xbase::FieldDef& f,
                          std::string_view text, uint8_t* record, std::string* memo);

// `text` as a message quotes it: on one line (line breaks, tabs and other control characters
// written as \r, \n, \t, \xHH), a long text cut at a character's start.
std::string CsvShown(std::string_view text);
