#include "search/word_search.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

#include "platform/xbase/text_search.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

// Records read between two calls of the progress hook.
constexpr uint32_t kProgressStep = 1 << 16;
// Hits up to this share of the table are put in order by their keys; more by reading the tag.
constexpr uint32_t kKeySortShare = 8;

// A field's text between a blank on either side, so that a pattern framed by blanks finds a word
// at the start or end of the field as well as inside it.
class FramedField {
public:
    FramedField(const xbase::FieldDef& field, const xbase::CodePage& codePage,
                const std::string& pattern)
        : field_(field), finder_(codePage, pattern), text_(size_t(field.length) + 2, ' ') {}

    bool Holds(const uint8_t* record) {
        std::memcpy(text_.data() + 1, record + field_.offset, field_.length);
        return finder_.FoundIn(text_.data(), text_.size());
    }

private:
    const xbase::FieldDef& field_;
    xbase::CaseInsensitiveFinder finder_;
    std::vector<uint8_t> text_;
};

// Sorts `hits` as the tag keeps them: by key, then by record number. `keys` holds hit i's key at
// i * keyLength.
void SortByKeys(std::vector<uint32_t>& hits, const std::vector<uint8_t>& keys, size_t keyLength) {
    std::vector<uint32_t> order(hits.size());
    std::iota(order.begin(), order.end(), 0u);
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const int c = std::memcmp(&keys[a * keyLength], &keys[b * keyLength], keyLength);
        return c != 0 ? c < 0 : hits[a] < hits[b];
    });
    std::vector<uint32_t> sorted(hits.size());
    for (size_t i = 0; i < order.size(); ++i)
        sorted[i] = hits[order[i]];
    hits = std::move(sorted);
}

// The hits in the tag's order, read from the tag itself (for many hits); false when the cursor
// cannot list its records that way (a filter is set).
bool OrderByTag(xbase::Cursor& cursor, uint32_t recordCount, std::vector<uint32_t>& hits) {
    std::vector<uint32_t> all;
    bool listed = false;
    ThrowIfError(cursor.AllRecNos(&all, &listed));
    if (!listed)
        return false;
    std::vector<bool> hit(size_t(recordCount) + 1, false);
    for (uint32_t recno : hits)
        hit[recno] = true;
    hits.clear();
    for (uint32_t recno : all) {
        if (recno <= recordCount && hit[recno])
            hits.push_back(recno);
    }
    return true;
}

}  // namespace

SearchResult RunWordSearch(TTable& table, const WordSearch& search, const ScanProgress& progress) {
    xbase::Table& file = table.table();
    xbase::Cursor& cursor = table.cursor();
    FramedField searched(table.Field(search.searchField), file.codePage(), search.pattern);
    FramedField second(table.Field(search.secondField), file.codePage(), search.secondPattern);
    const bool narrowed = !search.secondPattern.empty();
    const uint32_t total = file.recordCount();
    const xbase::OpenTag* tag = cursor.order();
    const size_t keyLength = tag != nullptr ? tag->keyLength() : 0;
    // Keys are kept while the hits are few; past that the tag is read instead.
    bool keepKeys = tag != nullptr;
    std::vector<uint8_t> keys;

    SearchResult result;
    bool cancelled = false;
    ThrowIfError(file.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
        if (progress && recno % kProgressStep == 0 && !progress(recno, total)) {
            cancelled = true;
            return false;
        }
        if (!cursor.IsVisible(record) || !searched.Holds(record) ||
            (narrowed && !second.Holds(record)))
            return true;
        result.rows.push_back(recno);
        if (keepKeys) {
            if (result.rows.size() > total / kKeySortShare) {
                keepKeys = false;
                std::vector<uint8_t>().swap(keys);
            } else {
                keys.resize(keys.size() + keyLength);
                tag->expression->EvaluateKey(record, &keys[keys.size() - keyLength]);
            }
        }
        return true;
    }));
    if (cancelled || (progress && !progress(total, total))) {
        result.rows.clear();
        result.outcome = SearchOutcome::Cancelled;
        return result;
    }
    if (result.rows.empty()) {
        result.outcome = narrowed ? SearchOutcome::FilterNotFound : SearchOutcome::KeyNotFound;
        return result;
    }
    if (tag != nullptr && !keepKeys && !OrderByTag(cursor, total, result.rows)) {
        // A filtered table lists no tag; the keys are read again from the hits themselves.
        std::vector<uint8_t> record(file.recordLength());
        keys.resize(result.rows.size() * keyLength);
        for (size_t i = 0; i < result.rows.size(); ++i) {
            ThrowIfError(file.ReadRecord(result.rows[i], record.data()));
            tag->expression->EvaluateKey(record.data(), &keys[i * keyLength]);
        }
        keepKeys = true;
    }
    if (keepKeys)
        SortByKeys(result.rows, keys, keyLength);
    result.outcome = SearchOutcome::Found;
    return result;
}
