#include "store/catalogue_check.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <ctime>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "base/clock.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"
#include "store/catalogue.h"
#include "store/record_field.h"
#include "store/similar_spelling.h"
#include "store/table_error.h"
#include "store/track_time.h"

namespace {

constexpr int kFirstRecordedYear = 1877;  // the first recording

// The carrier and number fields every table but the items shares.
struct SourceFields {
    SourceFields(const xbase::Table& table) : carrier(table, "DRAGER"), number(table, "CDNUMMER") {}
    RecordField carrier;
    RecordField number;
};

struct SourceRef {
    std::string carrier;
    int64_t number = 0;
};

// A track's place: its source (an index into the sources with tracks), side and number.
// A main title among the doubles by similar spelling: the hash of its joined keys.
struct TitleSpelling {
    size_t hash;
    uint32_t index;  // into the main titles read
};

// A main title alike another by hash: its joined keys, and its title and artist (UTF-8).
struct AlikeTitle {
    std::string key;
    size_t index;
    std::string title;
    std::string artist;
};

struct TrackSlot {
    uint32_t source;
    char side;
    int64_t track;
    uint32_t recno;
    auto Key() const { return std::tie(source, side, track, recno); }
};

class Checker {
public:
    Checker(Catalogue& catalogue, const std::set<CheckKind>& off, const ScanProgress& progress)
        : titles_(catalogue.dm2.HfTable.table()),
          tracks_(catalogue.dm1.ArtTable.table()),
          items_(catalogue.dm3.ItemsTable.table()),
          loans_(catalogue.dm3.UitleenTable.table()),
          playlist_(catalogue.dm3.PlaylistTable.table()),
          page_(titles_.codePage()),
          off_(off),
          progress_(progress) {
        for (xbase::Table* table : {&titles_, &tracks_, &items_, &loans_, &playlist_}) {
            ThrowIfError(table->Refresh(false));
            total_ += table->recordCount();
        }
        const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
        std::tm local{};
        localtime_r(&now, &local);
        today_ = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
    }

    CatalogueCheck Run() {
        CatalogueCheck check;
        if (!WalkMainTitles() || !WalkTracks() || !WalkLoans() || !WalkPlaylist() || !WalkItems()) {
            check.cancelled = true;
            return check;
        }
        CheckTrackRuns();
        for (const CheckKind kind : kAllCheckKinds) {
            std::vector<CheckFinding>& found = found_[kind];
            if (found.empty())
                continue;
            std::stable_sort(found.begin(), found.end(),
                             [](const CheckFinding& a, const CheckFinding& b) {
                                 return std::tie(a.carrier, a.number, a.recno) <
                                        std::tie(b.carrier, b.number, b.recno);
                             });
            check.groups.push_back({kind, std::move(found)});
        }
        return check;
    }

private:
    bool On(CheckKind kind) const { return off_.count(kind) == 0; }

    std::string Upper(std::string_view text) const {
        std::string upper(text);
        for (char& c : upper)
            c = char(page_.Upper(uint8_t(c)));
        return upper;
    }
    // What a finding quotes of a record, in the user's text (UTF-8).
    std::string Text(std::string_view bytes) const { return xbase::ToUtf8(page_, bytes); }
    std::string SourceKey(const SourceFields& f, const uint8_t* record) const {
        return Upper(f.carrier.Trimmed(record)) + '\x1f' + std::to_string(f.number.Number(record));
    }
    SourceRef Ref(const SourceFields& f, const uint8_t* record) const {
        return {std::string(f.carrier.Trimmed(record)), f.number.Number(record)};
    }

    void Add(CheckKind kind, const SourceRef& ref, uint32_t recno, CheckTable table,
             std::string text) {
        found_[kind].push_back({kind, ref.carrier, ref.number, recno, table, std::move(text)});
    }

    // The items a record's fields stand for, by code.
    void Use(char code, std::string_view value) {
        if (!value.empty())
            usedItems_.insert(code + Upper(value));
    }

    // Every record not deleted of `table`; false when the hook stopped the walk.
    template <typename Visit>
    bool Walk(const xbase::Table& table, Visit visit) {
        bool stopped = false;
        ThrowIfError(table.ScanRecords(1, [&](uint32_t recno, const uint8_t* record) {
            if (record[0] != '*')
                visit(recno, record);
            stopped = !ScanGoesOn(progress_, &done_, total_);
            return !stopped;
        }));
        return !stopped;
    }

    bool WalkMainTitles() {
        const SourceFields source(titles_);
        const RecordField cdId(titles_, "RMNR");
        const RecordField bought(titles_, "AANKOOPDAT");
        const RecordField title(titles_, "HTITEL"), artist(titles_, "HOOFDART");
        const std::vector<std::pair<RecordField, char>> itemFields = {{{titles_, "HTITEL"}, 'H'},
                                                                      {{titles_, "AANKOOP"}, 'K'},
                                                                      {{titles_, "LABEL"}, 'L'},
                                                                      {{titles_, "SOORT"}, 'G'},
                                                                      {{titles_, "HOOFDART"}, 'A'}};
        std::map<std::string, std::vector<size_t>> byCdId;
        const bool ok = Walk(titles_, [&](uint32_t recno, const uint8_t* record) {
            const size_t index = titleRefs_.size();
            titleRefs_.push_back({Ref(source, record), recno});
            titleKeys_.emplace(SourceKey(source, record), index);
            if (On(CheckKind::SameCdId)) {
                if (const std::string_view id = cdId.Trimmed(record); !id.empty())
                    byCdId[Upper(id)].push_back(index);
            }
            if (On(CheckKind::SimilarSpelling))
                NoteSpelling(index, title.Trimmed(record), artist.Trimmed(record));
            if (On(CheckKind::FuturePurchase)) {
                const xbase::Date d = xbase::GetDate(record, bought.def());
                if (!d.blank() && std::tie(d.year, d.month, d.day) >
                                      std::tie(today_.year, today_.month, today_.day)) {
                    char text[40];
                    std::snprintf(text, sizeof text, "bought %04d-%02d-%02d", d.year, d.month,
                                  d.day);
                    Add(CheckKind::FuturePurchase, titleRefs_.back().first, recno,
                        CheckTable::MainTitles, text);
                }
            }
            if (On(CheckKind::UnusedItem)) {
                for (const auto& [field, code] : itemFields)
                    Use(code, field.Trimmed(record));
                Use('D', source.carrier.Trimmed(record));
            }
        });
        for (const auto& [id, indexes] : byCdId) {
            if (indexes.size() < 2)
                continue;
            for (const size_t index : indexes) {
                std::string others;
                for (const size_t other : indexes) {
                    if (other == index)
                        continue;
                    const SourceRef& ref = titleRefs_[other].first;
                    others += (others.empty() ? "" : ", ") + ref.carrier + " " +
                              std::to_string(ref.number);
                }
                Add(CheckKind::SameCdId, titleRefs_[index].first, titleRefs_[index].second,
                    CheckTable::MainTitles, "CD ID " + id + " also on " + others);
            }
        }
        ReportSimilarSpellings();
        return ok;
    }

    // The keys of a main title joined into joined_; false when its title holds no word, which
    // makes it no double of anything. A blank artist matches a blank one, as on the entry screen.
    bool JoinSpelling(std::string_view title, std::string_view artist) {
        SimilarSpellingKey(title, &titleKey_);
        if (titleKey_.empty())
            return false;
        SimilarSpellingKey(artist, &artistKey_);
        joined_.assign(titleKey_).append(1, '\x1f').append(artistKey_);
        return true;
    }

    // Only a hash per main title is kept: the few alike by hash are read again at the end.
    void NoteSpelling(size_t index, std::string_view title, std::string_view artist) {
        if (JoinSpelling(title, artist))
            spellings_.push_back({std::hash<std::string>{}(joined_), uint32_t(index)});
    }

    // "CD 4 "The Wall" by Pink Floyd", without "by" when the artist is blank.
    std::string SpellingSource(const AlikeTitle& alike) const {
        const SourceRef& ref = titleRefs_[alike.index].first;
        std::string text =
            ref.carrier + " " + std::to_string(ref.number) + " \"" + alike.title + "\"";
        if (!alike.artist.empty())
            text += " by " + alike.artist;
        return text;
    }

    // The main titles of one hash, read again and parted by their keys (hashes may collide).
    std::vector<AlikeTitle> ReadAlike(size_t begin, size_t end) {
        const RecordField title(titles_, "HTITEL"), artist(titles_, "HOOFDART");
        std::vector<uint8_t> record(titles_.recordLength());
        std::vector<AlikeTitle> alike;
        for (size_t i = begin; i < end; ++i) {
            const uint32_t index = spellings_[i].index;
            ThrowIfError(titles_.ReadRecord(titleRefs_[index].second, record.data()));
            const std::string_view t = title.Trimmed(record.data()),
                                   a = artist.Trimmed(record.data());
            if (JoinSpelling(t, a))
                alike.push_back({joined_, index, Text(t), Text(a)});
        }
        std::stable_sort(alike.begin(), alike.end(),
                         [](const AlikeTitle& x, const AlikeTitle& y) { return x.key < y.key; });
        return alike;
    }

    // One finding per main title of a group, naming the others (a few of a big group).
    void ReportAlike(const std::vector<AlikeTitle>& alike) {
        constexpr size_t kNamedDoubles = 3;
        for (size_t begin = 0; begin < alike.size();) {
            size_t end = begin + 1;
            while (end < alike.size() && alike[end].key == alike[begin].key)
                ++end;
            for (size_t i = begin; end - begin > 1 && i < end; ++i) {
                std::string text = "same as ";
                size_t named = 0;
                for (size_t other = begin; other < end && named < kNamedDoubles; ++other) {
                    if (other != i)
                        text += (named++ == 0 ? "" : ", ") + SpellingSource(alike[other]);
                }
                if (const size_t rest = end - begin - 1 - named; rest > 0)
                    text += " and " + std::to_string(rest) + " more";
                const auto& [ref, recno] = titleRefs_[alike[i].index];
                Add(CheckKind::SimilarSpelling, ref, recno, CheckTable::MainTitles,
                    std::move(text));
            }
            begin = end;
        }
    }

    void ReportSimilarSpellings() {
        std::sort(spellings_.begin(), spellings_.end(),
                  [](const TitleSpelling& a, const TitleSpelling& b) {
                      return std::tie(a.hash, a.index) < std::tie(b.hash, b.index);
                  });
        for (size_t begin = 0; begin < spellings_.size();) {
            size_t end = begin + 1;
            while (end < spellings_.size() && spellings_[end].hash == spellings_[begin].hash)
                ++end;
            if (end - begin > 1)
                ReportAlike(ReadAlike(begin, end));
            begin = end;
        }
        spellings_.clear();
    }

    bool WalkTracks() {
        const SourceFields source(tracks_);
        const RecordField title(tracks_, "TITEL"), artist(tracks_, "ARTIEST");
        const RecordField minutes(tracks_, "MINUTEN"), seconds(tracks_, "SECONDEN");
        const RecordField year(tracks_, "JAAR"), side(tracks_, "AKANT"), track(tracks_, "TRACK");
        const std::vector<std::pair<RecordField, char>> itemFields = {
            {{tracks_, "UITVOER"}, 'U'}, {{tracks_, "SOORT"}, 'G'}, {{tracks_, "TREF"}, 'T'}};
        const int64_t nextYear = today_.year + 1;
        const bool numbers = On(CheckKind::TrackNumbers) || On(CheckKind::PlaylistWithoutTrack);
        std::vector<bool> titleHasTracks(titleRefs_.size(), false);
        const bool ok = Walk(tracks_, [&](uint32_t recno, const uint8_t* record) {
            const SourceRef ref = Ref(source, record);
            const auto report = [&](CheckKind kind, std::string text) {
                if (On(kind))
                    Add(kind, ref, recno, CheckTable::Tracks, std::move(text));
            };
            const std::string_view t = title.Trimmed(record), a = artist.Trimmed(record);
            if (t.empty() || a.empty())
                report(CheckKind::BlankTitleOrArtist, t.empty() && a.empty()
                                                          ? "no title and no artist"
                                                          : (t.empty() ? "no title" : "no artist"));
            const uint32_t m = TimePart(minutes.Trimmed(record));
            const uint32_t s = TimePart(seconds.Trimmed(record));
            if (m == 0 && s == 0)
                report(CheckKind::TrackTime, "no time");
            else if (s > 59)
                report(CheckKind::TrackTime, "seconds above 59 (" + std::to_string(m) + ":" +
                                                 Text(seconds.Trimmed(record)) + ")");
            if (const std::string_view y = year.Trimmed(record); !y.empty()) {
                int64_t value = 0;
                const auto [end, fault] = std::from_chars(y.data(), y.data() + y.size(), value);
                if (fault != std::errc() || end != y.data() + y.size() ||
                    value < kFirstRecordedYear || value > nextYear)
                    report(CheckKind::YearOutOfRange, "year " + Text(y));
            }
            std::string key = SourceKey(source, record);
            if (const auto it = titleKeys_.find(key); it != titleKeys_.end())
                titleHasTracks[it->second] = true;
            else
                report(CheckKind::TrackWithoutMainTitle, "no main title");
            if (numbers) {
                auto [it, added] = trackSources_.try_emplace(std::move(key), trackRefs_.size());
                if (added)
                    trackRefs_.push_back(ref);
                const std::string_view k = side.Trimmed(record);
                slots_.push_back({uint32_t(it->second),
                                  k.empty() ? ' ' : char(page_.Upper(uint8_t(k.front()))),
                                  track.Number(record), recno});
            }
            if (On(CheckKind::UnusedItem)) {
                for (const auto& [field, code] : itemFields)
                    Use(code, field.Trimmed(record));
                Use('D', source.carrier.Trimmed(record));
            }
        });
        std::sort(slots_.begin(), slots_.end(),
                  [](const TrackSlot& a, const TrackSlot& b) { return a.Key() < b.Key(); });
        if (ok && On(CheckKind::MainTitleWithoutTracks)) {
            for (size_t i = 0; i < titleRefs_.size(); ++i) {
                if (!titleHasTracks[i])
                    Add(CheckKind::MainTitleWithoutTracks, titleRefs_[i].first,
                        titleRefs_[i].second, CheckTable::MainTitles, "no tracks");
            }
        }
        return ok;
    }

    bool WalkLoans() {
        const SourceFields source(loans_);
        const RecordField who(loans_, "AANWIE");
        return Walk(loans_, [&](uint32_t recno, const uint8_t* record) {
            if (On(CheckKind::UnusedItem))
                Use('D', source.carrier.Trimmed(record));
            if (On(CheckKind::LoanWithoutSource) && !titleKeys_.count(SourceKey(source, record)))
                Add(CheckKind::LoanWithoutSource, Ref(source, record), recno, CheckTable::Loans,
                    "lent to " + Text(who.Trimmed(record)) + ": no such source");
        });
    }

    bool WalkPlaylist() {
        const SourceFields source(playlist_);
        const RecordField side(playlist_, "AKANT"), track(playlist_, "TRACK");
        return Walk(playlist_, [&](uint32_t recno, const uint8_t* record) {
            if (!On(CheckKind::PlaylistWithoutTrack))
                return;
            const auto it = trackSources_.find(SourceKey(source, record));
            const std::string_view k = side.Trimmed(record);
            const TrackSlot wanted{it == trackSources_.end() ? 0 : uint32_t(it->second),
                                   k.empty() ? ' ' : char(page_.Upper(uint8_t(k.front()))),
                                   track.Number(record), 0};
            const auto at = std::lower_bound(
                slots_.begin(), slots_.end(), wanted,
                [](const TrackSlot& a, const TrackSlot& b) { return a.Key() < b.Key(); });
            const bool found = it != trackSources_.end() && at != slots_.end() &&
                               at->source == wanted.source && at->side == wanted.side &&
                               at->track == wanted.track;
            if (!found)
                Add(CheckKind::PlaylistWithoutTrack, Ref(source, record), recno,
                    CheckTable::Playlist,
                    "track " + std::to_string(wanted.track) + SideText(wanted.side) +
                        (it == trackSources_.end() ? ": no such source" : ": no such track"));
        });
    }

    bool WalkItems() {
        const RecordField text(items_, "OMS"), code(items_, "CODE");
        static const std::string kHarvested = "HKLGAUTD";
        return Walk(items_, [&](uint32_t recno, const uint8_t* record) {
            if (!On(CheckKind::UnusedItem))
                return;
            const std::string_view c = code.Trimmed(record);
            if (c.size() != 1 ||
                kHarvested.find(char(page_.Upper(uint8_t(c[0])))) == std::string::npos)
                return;  // codes no record field stands for
            const char upper = char(page_.Upper(uint8_t(c[0])));
            std::string_view value = text.Trimmed(record);
            if (value.empty())
                return;
            if (!usedItems_.count(upper + Upper(value)))
                Add(CheckKind::UnusedItem, {}, recno, CheckTable::Items,
                    "\"" + Text(value) + "\" (" + upper + ") is used by no record");
        });
    }

    static std::string SideText(char side) {
        return side == ' ' ? "" : std::string(" on side ") + side;
    }

    // Per source and side: numbers stored twice, and numbers missing from 1 up to the highest.
    void CheckTrackRuns() {
        if (!On(CheckKind::TrackNumbers))
            return;
        for (size_t begin = 0; begin < slots_.size();) {
            size_t end = begin;
            while (end < slots_.size() && slots_[end].source == slots_[begin].source &&
                   slots_[end].side == slots_[begin].side)
                ++end;
            const SourceRef& ref = trackRefs_[slots_[begin].source];
            const std::string side = SideText(slots_[begin].side);
            int64_t expected = 1;
            for (size_t i = begin; i < end; ++i) {
                const TrackSlot& slot = slots_[i];
                if (slot.track <= 0) {
                    Add(CheckKind::TrackNumbers, ref, slot.recno, CheckTable::Tracks,
                        "no track number" + side);
                    continue;
                }
                if (i > begin && slots_[i - 1].track == slot.track) {
                    Add(CheckKind::TrackNumbers, ref, slot.recno, CheckTable::Tracks,
                        "track " + std::to_string(slot.track) + side + " stored twice");
                    continue;
                }
                for (; expected < slot.track; ++expected)
                    Add(CheckKind::TrackNumbers, ref, slot.recno, CheckTable::Tracks,
                        "track " + std::to_string(expected) + side + " missing");
                expected = slot.track + 1;
            }
            begin = end;
        }
    }

    xbase::Table& titles_;
    xbase::Table& tracks_;
    xbase::Table& items_;
    xbase::Table& loans_;
    xbase::Table& playlist_;
    const xbase::CodePage& page_;
    const std::set<CheckKind>& off_;
    const ScanProgress& progress_;
    uint64_t done_ = 0, total_ = 0;
    xbase::Date today_;

    std::vector<std::pair<SourceRef, uint32_t>> titleRefs_;  // each main title and its record
    std::unordered_map<std::string, size_t> titleKeys_;      // source key -> main title
    std::unordered_map<std::string, size_t> trackSources_;   // source key -> trackRefs_
    std::vector<SourceRef> trackRefs_;
    std::vector<TrackSlot> slots_;
    std::unordered_set<std::string> usedItems_;  // code + upper-cased text
    std::vector<TitleSpelling> spellings_;
    std::string titleKey_, artistKey_, joined_;  // room for the keys of each main title
    std::map<CheckKind, std::vector<CheckFinding>> found_;
};

}  // namespace

std::string CheckKindTitle(CheckKind kind) {
    switch (kind) {
        case CheckKind::BlankTitleOrArtist:
            return "Tracks with a blank title or artist";
        case CheckKind::TrackTime:
            return "Tracks with no time or seconds above 59";
        case CheckKind::TrackNumbers:
            return "Track numbers missing or stored twice";
        case CheckKind::MainTitleWithoutTracks:
            return "Main titles without tracks";
        case CheckKind::TrackWithoutMainTitle:
            return "Tracks without a main title";
        case CheckKind::LoanWithoutSource:
            return "Loans of no source";
        case CheckKind::PlaylistWithoutTrack:
            return "Playlist entries of no track";
        case CheckKind::UnusedItem:
            return "Lookup items no record uses";
        case CheckKind::FuturePurchase:
            return "Purchase dates in the future";
        case CheckKind::YearOutOfRange:
            return "Years outside 1877 to next year";
        case CheckKind::SameCdId:
            return "Sources with the same CD ID";
        case CheckKind::SimilarSpelling:
            return "Sources with the same title and artist (similar spelling)";
    }
    return "";
}

std::string CheckTableFile(CheckTable table) {
    switch (table) {
        case CheckTable::Tracks:
            return "artdat.dat";
        case CheckTable::MainTitles:
            return "hfdat.dat";
        case CheckTable::Items:
            return "items.dat";
        case CheckTable::Loans:
            return "Uitdat.dat";
        case CheckTable::Playlist:
            return "playlist.dat";
    }
    return "";
}

CatalogueCheck CheckCatalogue(Catalogue& catalogue, const std::set<CheckKind>& off,
                              const ScanProgress& progress) {
    return Checker(catalogue, off, progress).Run();
}

std::string CheckReportText(const CatalogueCheck& check) {
    std::string text;
    for (const CheckGroup& group : check.groups) {
        text += CheckKindTitle(group.kind) + ": " + std::to_string(group.findings.size()) + "\n";
        for (const CheckFinding& f : group.findings) {
            const std::string source = f.carrier.empty() && f.number == 0
                                           ? std::string()
                                           : (f.carrier.empty() ? "(no carrier)" : f.carrier) +
                                                 " " + std::to_string(f.number) + ": ";
            text += "  " + source + f.text + " (" + CheckTableFile(f.table) + " record " +
                    std::to_string(f.recno) + ")\n";
        }
    }
    return text;
}
