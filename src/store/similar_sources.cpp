#include "store/similar_sources.h"

#include <algorithm>
#include <functional>

#include "store/record_field.h"
#include "store/similar_spelling.h"
#include "store/table_component.h"
#include "store/table_error.h"

namespace {

// The fields of hfdat.dat a look-up reads, found by name once per pass.
struct SimilarTitleFields {
    explicit SimilarTitleFields(const xbase::Table& table)
        : title(table, "HTITEL"),
          artist(table, "HOOFDART"),
          carrier(table, "DRAGER"),
          number(table, "CDNUMMER") {}
    RecordField title, artist, carrier, number;
};

// Title and artist keys joined by a byte no key holds.
void JoinSimilarKeys(const std::string& title, const std::string& artist, std::string* joined) {
    joined->assign(title);
    *joined += '\n';
    *joined += artist;
}

}  // namespace

SimilarSources::SimilarSources(TTable& titles) : titles_(titles) {
    if (!titles_.Active())
        return;
    xbase::Table& table = titles_.table();
    ThrowIfError(table.Refresh(false));
    const SimilarTitleFields f(table);
    entries_.reserve(table.recordCount());
    ThrowIfError(table.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
        uint64_t hash = 0;
        if (record[0] != '*' && Hash(f.title.In(record), f.artist.In(record), &hash))
            entries_.push_back({hash, recno});
        return true;
    }));
    std::sort(entries_.begin(), entries_.end());
}

bool SimilarSources::Hash(std::string_view title, std::string_view artist, uint64_t* hash) {
    SimilarSpellingKey(title, &titleKey_);
    if (titleKey_.empty())
        return false;
    SimilarSpellingKey(artist, &artistKey_);
    JoinSimilarKeys(titleKey_, artistKey_, &joined_);
    *hash = std::hash<std::string>{}(joined_);
    return true;
}

void SimilarSources::Add(uint32_t recno, std::string_view title, std::string_view artist) {
    Entry entry{0, recno};
    if (!Hash(title, artist, &entry.hash))
        return;
    const auto at = std::lower_bound(entries_.begin(), entries_.end(), entry);
    if (at == entries_.end() || *at != entry)
        entries_.insert(at, entry);
}

std::vector<SimilarSources::Source> SimilarSources::Find(std::string_view title,
                                                         std::string_view artist, uint32_t except) {
    std::vector<Source> found;
    uint64_t hash = 0;
    if (!titles_.Active() || !Hash(title, artist, &hash))
        return found;
    const auto first = std::lower_bound(entries_.begin(), entries_.end(), Entry{hash, 0});
    if (first == entries_.end() || first->hash != hash)
        return found;
    const std::string wanted = joined_;
    const xbase::Table& table = titles_.table();
    const SimilarTitleFields f(table);
    std::vector<uint8_t> record(table.recordLength());
    for (auto it = first; it != entries_.end() && it->hash == hash; ++it) {
        // A record gone since (packed away) or changed to another text is not this source.
        if (it->recno == except || it->recno > table.recordCount())
            continue;
        ThrowIfError(table.ReadRecord(it->recno, record.data()));
        if (record[0] == '*')
            continue;
        uint64_t stored = 0;
        if (!Hash(f.title.In(record.data()), f.artist.In(record.data()), &stored) ||
            joined_ != wanted)
            continue;
        found.push_back({it->recno, std::string(f.carrier.Trimmed(record.data())),
                         f.number.Number(record.data()),
                         std::string(f.title.Trimmed(record.data())),
                         std::string(f.artist.Trimmed(record.data()))});
    }
    return found;
}

std::string AlreadyInCatalogueText(const std::vector<SimilarSources::Source>& found) {
    if (found.empty())
        return {};
    const SimilarSources::Source& first = found.front();
    std::string text = "Already in the catalogue: " + first.carrier + " " +
                       std::to_string(first.number) + " \"" + first.title + "\"";
    if (!first.artist.empty())
        text += " by " + first.artist;
    if (found.size() > 1)
        text += " and " + std::to_string(found.size() - 1) + " more";
    return text;
}
