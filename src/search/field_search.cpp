#include "search/field_search.h"

#include <cstdio>

#include "store/controls_suspended.h"
#include "store/source_key.h"
#include "store/table_access.h"

namespace {

// A batch is a screenful and more; small enough that the first rows show at once.
constexpr size_t kBatch = 2048;

bool Contains(const std::string& upperText, const std::string& upperPart) {
    return upperPart.empty() || upperText.find(upperPart) != std::string::npos;
}

// Collects hits, reporting every batch to the progress hook.
class Collector {
public:
    explicit Collector(const SearchProgress& progress) : progress_(progress) {}

    bool Add(uint32_t recno) {
        result.rows.push_back(recno);
        if (!progress_ || result.rows.size() - reported_ < kBatch)
            return true;
        return Report();
    }
    bool Report() {
        const size_t from = reported_;
        reported_ = result.rows.size();
        if (!progress_ || from == reported_)
            return true;
        if (progress_(result.rows, from))
            return true;
        result.outcome = SearchOutcome::Cancelled;
        return false;
    }

    // The outcome once the walk is over; `anyKey`: some record had the key (or the memo text).
    SearchResult Finish(bool anyKey) {
        if (Report()) {
            result.outcome = !result.rows.empty() ? SearchOutcome::Found
                             : anyKey             ? SearchOutcome::FilterNotFound
                                                  : SearchOutcome::KeyNotFound;
        }
        return result;
    }

    SearchResult result;

private:
    const SearchProgress& progress_;
    size_t reported_ = 0;
};

}  // namespace

std::string SearchKey(std::string_view text, size_t maxLength) {
    std::string key = TableUpper(text);
    if (key.size() > maxLength)
        key.resize(maxLength);
    return key;
}

std::string TrackTimeKey(int minutes, int seconds) {
    char text[32];
    if (seconds != 0)
        std::snprintf(text, sizeof text, "%.2d %.2d", minutes, seconds);
    else
        std::snprintf(text, sizeof text, "%.2d", minutes);
    std::string key = text;
    if (key.size() > 5)
        key.resize(5);
    return key;
}

std::string MemoPattern(std::string_view text, bool exact) {
    std::string pattern = exact ? " " + std::string(text) + " " : std::string(text);
    if (pattern.size() > 50)
        pattern.resize(50);
    return pattern;
}

SearchResult RunFieldSearch(TTableAccess& access, const FieldSearch& search,
                            const SearchProgress& progress) {
    ControlsSuspended suspended(access.component());
    access.SetOrder(search.order);
    Collector hits(progress);
    if (!access.Seek(search.key))
        return hits.result;
    const std::string filter = TableUpper(search.filterText);
    bool anyKey = false;
    for (; !access.Eof(); access.Skip()) {
        std::string key;
        for (const std::string& field : search.keyFields) {
            key += access.GetString(field).bytes();
            if (key.size() >= search.key.size())
                break;
        }
        if (TableUpper(key.substr(0, search.key.size())) != search.key)
            break;
        anyKey = true;
        if (!filter.empty() &&
            !Contains(TableUpper(access.GetString(search.filterField).bytes()), filter))
            continue;
        if (!hits.Add(access.RecNo()))
            return hits.result;
    }
    return hits.Finish(anyKey);
}

SearchResult RunMemoSearch(TTableAccess& access, const std::string& memoField,
                           const std::string& pattern, const std::string& filterField,
                           const std::string& filterText, const SearchProgress& progress) {
    ControlsSuspended suspended(access.component());
    const std::string upperPattern = TableUpper(pattern);
    const std::string filter = TableUpper(filterText);
    Collector hits(progress);
    bool anyMemo = false;
    for (access.GoTop(); !access.Eof(); access.Skip()) {
        if (!Contains(" " + TableUpper(access.GetString(memoField).bytes()) + " ", upperPattern))
            continue;
        anyMemo = true;
        if (!filter.empty() && !Contains(TableUpper(access.GetString(filterField).bytes()), filter))
            continue;
        if (!hits.Add(access.RecNo()))
            return hits.result;
    }
    return hits.Finish(anyMemo);
}
