// The word-part search: every visible record of a table whose search field holds a text anywhere
// (a whole word when the text is framed by blanks), optionally narrowed by a text its second field
// must hold. One pass over the table file in large blocks, then the hits put in the table's
// current order. Toolkit-free; table failures throw TableError.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "search/field_search.h"

class TTable;

struct WordSearch {
    std::string searchField;
    std::string secondField;
    std::string pattern;        // found in the search field between blanks, in any letter case
    std::string secondPattern;  // the same for the second field; empty: no second test
};

// Called now and then with the records read so far out of all; false cancels the search.
using ScanProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Runs `search` over the table of `table` without moving its current record. Found: rows holds
// the record numbers in the table's current order. KeyNotFound or FilterNotFound (a second
// pattern was given): no record passed. Cancelled: rows is empty.
SearchResult RunWordSearch(TTable& table, const WordSearch& search,
                           const ScanProgress& progress = nullptr);
