#include "search/field_search.h"

#include "base/text.h"
#include "store/controls_suspended.h"
#include "store/source_key.h"
#include "store/table_access.h"
#include "store/track_time.h"

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

// The walk of a field search; `accept`, when given, is a further test a record with the key must
// pass to count as having it.
SearchResult Walk(TTableAccess& access, const FieldSearch& search,
                  const std::function<bool(TTableAccess&)>& accept,
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
            key += access.GetString(field);
            if (key.size() >= search.key.size())
                break;
        }
        if (TableUpper(key.substr(0, search.key.size())) != search.key)
            break;
        if (accept && !accept(access))
            continue;
        anyKey = true;
        if (!filter.empty() && !Contains(TableUpper(access.GetString(search.filterField)), filter))
            continue;
        if (!hits.Add(access.RecNo()))
            return hits.result;
    }
    return hits.Finish(anyKey);
}

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
    return Walk(access, search, nullptr, progress);
}

SearchResult RunTimeSearch(TTableAccess& access, int order, int minutes, int seconds,
                           const std::string& filterField, const std::string& filterText,
                           const SearchProgress& progress) {
    constexpr int kMinutesWidth = 3;
    // The minutes as the program writes them ("03 ") and as short as they may come ("3  "), in
    // the order of the index.
    std::vector<std::string> forms = {PadRight(TwoDigits(std::to_string(minutes)), kMinutesWidth),
                                      PadRight(std::to_string(minutes), kMinutesWidth)};
    if (forms[0] == forms[1])
        forms.pop_back();
    FieldSearch search{order, {"MINUTEN"}, "", filterField, filterText};
    std::function<bool(TTableAccess&)> accept;
    if (seconds != 0) {
        accept = [seconds](TTableAccess& tracks) {
            return TimePart(tracks.GetString("SECONDEN")) == uint32_t(seconds);
        };
    }
    SearchResult result;
    bool anyKey = false;
    for (const std::string& form : forms) {
        search.key = form;
        SearchResult part = Walk(access, search, accept, progress);
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
        if (!Contains(" " + TableUpper(access.GetString(memoField)) + " ", upperPattern))
            continue;
        anyMemo = true;
        if (!filter.empty() && !Contains(TableUpper(access.GetString(filterField)), filter))
            continue;
        if (!hits.Add(access.RecNo()))
            return hits.result;
    }
    return hits.Finish(anyMemo);
}
