// Exported cells stay text. A spreadsheet program takes a cell that starts with = + - @, a tab
// or a carriage return for a formula and runs it when the file is opened (=HYPERLINK(...)). The
// export writes such a cell with a leading apostrophe, which spreadsheets read as "this is
// text", and the import takes exactly that apostrophe off again.
//
// So that every text comes back as it was, a text that already begins with apostrophes followed
// by one of those characters gets one more apostrophe too, and the import removes one apostrophe
// only from a value of that form: "=1" is written '=1 and read =1; "'=1" is written ''=1 and read
// '=1; "'abc" is written and read as it is. Export, import and export again give the same bytes.
#pragma once

#include <string>
#include <string_view>

// Puts the guard before `text` when a spreadsheet would take it for a formula.
void GuardCsvCell(std::string* text);
// `text` without the guard that GuardCsvCell put before it.
std::string_view UnguardCsvCell(std::string_view text);
