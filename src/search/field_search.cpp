#include "search/field_search.h"

#include <set>

#include "base/text.h"
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

SearchResult RunTimeSearch(TTableAccess& access, int order, int minutes, int seconds,
                           const std::string& filterField, const std::string& filterText,
                           const SearchProgress& progress) {
    // The time as the program writes it ("03 05") and as short as it may come ("3  5 "): keys of
    // MINUTEN (3 wide) and SECONDEN (2 wide), sought in the order of the index.
    const auto forms = [](int value, int width) {
        return std::set<std::string>{PadRight(TwoDigits(std::to_string(value)), width),
                                     PadRight(std::to_string(value), width)};
    };
    std::set<std::string> keys;
    for (const std::string& minutesForm : forms(minutes, 3)) {
        if (seconds == 0) {
            keys.insert(minutesForm);  // every track of those minutes
            continue;
        }
        for (const std::string& secondsForm : forms(seconds, 2))
            keys.insert(minutesForm + secondsForm);
    }
    SearchResult result;
    bool anyKey = false;
    for (const std::string& key : keys) {
        const SearchResult part = RunFieldSearch(
            access, {order, {"MINUTEN", "SECONDEN"}, key, filterField, filterText}, progress);
        result.rows.insert(result.rows.end(), part.rows.begin(), part.rows.end());
        if (part.outcome == SearchOutcome::Cancelled) {
            result.outcome = SearchOutcome::Cancelled;
            return result;
        }
        anyKey = anyKey || part.outcome != SearchOutcome::KeyNotFound;
    }
    result.outcome = !result.rows.empty() ? SearchOutcome::Found
                     : anyKey             ? SearchOutcome::FilterNotFound
                                          : SearchOutcome::KeyNotFound;
    return result;
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
