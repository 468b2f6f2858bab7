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
// record may then hold part of the value. Whole-number fields take their catalogue range:
// CDNUMMER 1 to 999999999, TRACK 1 to 999.
std::string ParseCsvField(const xbase::CodePage& codePage, const xbase::FieldDef& f,
                          std::string_view text, uint8_t* record, std::string* memo);
