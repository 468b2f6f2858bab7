// The one search behind every field search screen: seek the beginning of a key in an index order,
// walk the hits while their key still begins with it, keep those whose filter field holds the
// filter text, and hand back their record numbers. The memo search reads every main title
// instead. Toolkit-free; table failures throw TableError.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TTableAccess;

struct FieldSearch {
    int order = 0;                       // tag seeked in; its key begins with keyFields
    std::vector<std::string> keyFields;  // compared, upper-cased and padded, with `key`
    std::string key;                     // upper-cased; a record matches when its key begins so
    std::string filterField;             // the field the filter text must occur in
    std::string filterText;              // trimmed; empty keeps every hit
};

enum class SearchOutcome {
    Found,           // rows holds the hits (possibly all of them, with an empty filter)
    KeyNotFound,     // no key begins with the search key (the memo search: no memo holds it)
    FilterNotFound,  // hits exist, but none holds the filter text
    Cancelled,       // the progress hook stopped the walk; rows holds the hits so far
};

struct SearchResult {
    SearchOutcome outcome = SearchOutcome::KeyNotFound;
    std::vector<uint32_t> rows;  // record numbers, in index order
};

// Called now and then with the hits found so far (a whole batch is new each time after `from`);
// returning false cancels the search.
using SearchProgress = std::function<bool(const std::vector<uint32_t>& rows, size_t from)>;

// The key of a field search: `text` upper-cased as the indexes do, cut to `maxLength` characters.
std::string SearchKey(std::string_view text, size_t maxLength);
// The time search on the track table, by the order that begins with MINUTEN+SECONDEN: the tracks
// of `minutes` and, when `seconds` is not 0, of those seconds, whether stored with two digits or
// fewer ("03" or "3"); the hits in index order, narrowed by the filter as a field search does.
SearchResult RunTimeSearch(TTableAccess& access, int order, int minutes, int seconds,
                           const std::string& filterField, const std::string& filterText,
                           const SearchProgress& progress = nullptr);
// The pattern of the memo and word-part searches: `text` (between blanks when `exact`), cut to 50
// characters.
std::string MemoPattern(std::string_view text, bool exact);

// Runs `search` on the table of `access`. The table is left in the search's order on the first
// record after the hits, or at its end; its bound views are suspended during the walk.
SearchResult RunFieldSearch(TTableAccess& access, const FieldSearch& search,
                            const SearchProgress& progress = nullptr);

// Reads every record of the table from its first one in its present order; a record is a hit
// when its memo field, between blanks, holds `pattern` in any letter case, and its filter field
// holds `filterText` (trimmed; empty for none). KeyNotFound: no memo held the pattern.
SearchResult RunMemoSearch(TTableAccess& access, const std::string& memoField,
                           const std::string& pattern, const std::string& filterField,
                           const std::string& filterText, const SearchProgress& progress = nullptr);
