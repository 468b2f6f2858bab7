// The catalogue's answer to a disc. Every read goes through cursors of its own, so the screens
// sharing the tables find them where they left them.
//
// The times are found through the tag MINUTEN+SECONDEN+...: the tracks whose time lies within
// 2 s of the disc's longest track (long tracks are the rarer ones), numbered as that track, give
// the sources that may be the disc. Each is then walked in track order up to its first track that
// does not fit, which for nearly all of them is the first; only the sources that fit are read in
// full.
#include "store/disc_match.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/table_text.h"
#include "base/text.h"
#include "platform/discinfo/candidate_fit.h"
#include "platform/xbase/cdx_file.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/record_field.h"
#include "store/source_key.h"
#include "store/table_error.h"
#include "store/track_time.h"

namespace {

// artdat.dat: MINUTEN+SECONDEN+UPPER(ARTIEST)+UPPER(TITEL); DRAGER+CDNUMMER+AKANT+TRACK.
constexpr std::string_view kMatchTrackByTime = "6";
constexpr std::string_view kMatchTrackBySource = "10";
// hfdat.dat: the source key; RMNR, the CD ID.
constexpr std::string_view kMatchTitleBySource = "4";
constexpr std::string_view kMatchTitleByCdId = "8";
// Stored times within this many seconds of the disc's fit.
constexpr int kMatchSlackSeconds = 2;
// More tracks than a source can have (TRACK is four digits wide).
constexpr size_t kMatchMostTracks = 9999;

// A field's text as the table holds it, and as UTF-8 without the blanks around it.
TableText FieldText(const RecordField& field, const uint8_t* record) {
    return TableText(xbase::GetText(record, field.def()));
}
std::string FieldUtf8Trimmed(const RecordField& field, const uint8_t* record) {
    return Utf8(Trim(FieldText(field, record)));
}

struct TrackFields {
    explicit TrackFields(const TTable& t)
        : title(t.table(), "TITEL"),
          artist(t.table(), "ARTIEST"),
          track(t.table(), "TRACK"),
          minutes(t.table(), "MINUTEN"),
          seconds(t.table(), "SECONDEN"),
          number(t.table(), "CDNUMMER"),
          carrier(t.table(), "DRAGER"),
          year(t.table(), "JAAR") {}
    RecordField title, artist, track, minutes, seconds, number, carrier, year;

    std::string SourceKey(const uint8_t* record) const {
        return SourceSeekKey(carrier.In(record), number.In(record));
    }
    // The stored time in seconds; -1 when both parts are blank.
    int Seconds(const uint8_t* record) const {
        if (IsBlank(minutes.In(record)) && IsBlank(seconds.In(record)))
            return -1;
        return int(TimePart(minutes.In(record)) * 60 + TimePart(seconds.In(record)));
    }
};

void MatchCheck(const xbase::Status& status) {
    ThrowIfError(status);
}

// TRACK as stored: a number right-aligned in its width.
int TrackNumber(std::string_view field) {
    int n = 0;
    for (const char c : field) {
        if (c >= '0' && c <= '9')
            n = n * 10 + (c - '0');
    }
    return n;
}

bool SeekPrefix(xbase::Cursor& cursor, std::string_view key) {
    bool found = false;
    MatchCheck(cursor.Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found));
    return found;
}

// The ways MINUTEN (3 wide) and SECONDEN (2 wide) may hold a part: the program writes "03" and
// "45"; catalogues written elsewhere hold "3".
std::vector<std::string> PartKeys(int value, size_t width) {
    std::vector<std::string> keys;
    const std::string digits = std::to_string(value);
    if (digits.size() > width)
        return keys;
    keys.push_back(PadRight(TwoDigits(digits), int(width)));
    if (digits.size() == 1)
        keys.push_back(PadRight(digits, int(width)));
    return keys;
}

// A tag walked straight through its index entries, reading only the records asked for: the
// time window of a track holds thousands of entries, most of them of no use.
class TagEntries {
public:
    TagEntries(xbase::Table& table, std::string_view tag) : table_(table) {
        const xbase::OpenTag* open = table.FindTag(tag);
        if (open == nullptr) {
            throw TableError(xbase::Status::Corruption(
                table.path(), "the index tag " + std::string(tag) + " is missing"));
        }
        it_ = open->tag->NewIterator();
        record_.resize(table.recordLength());
    }

    // Calls `visit(recno)` for each entry whose key begins with `prefix`, until it returns false.
    template <typename Visit>
    void ForEach(std::string_view prefix, Visit visit) {
        const auto* bytes = reinterpret_cast<const uint8_t*>(prefix.data());
        for (MatchCheck(it_->Seek(bytes, prefix.size()));
             it_->Valid() && std::memcmp(it_->key(), bytes, prefix.size()) == 0;
             MatchCheck(it_->Next())) {
            if (!visit(it_->recno()))
                return;
        }
    }
    // Record `recno`, or null when it is deleted.
    const uint8_t* Read(uint32_t recno) {
        MatchCheck(table_.ReadRecord(recno, record_.data()));
        return record_[0] == '*' ? nullptr : record_.data();
    }

private:
    xbase::Table& table_;
    std::unique_ptr<xbase::CdxIterator> it_;
    std::vector<uint8_t> record_;
};

// The sources with a track numbered `position` whose time is within the slack of `seconds`.
std::unordered_set<std::string> SourcesWithTrackTime(TagEntries& byTime, const TrackFields& f,
                                                     int position, int seconds) {
    std::vector<uint32_t> recnos;
    for (int t = std::max(0, seconds - kMatchSlackSeconds); t <= seconds + kMatchSlackSeconds;
         ++t) {
        for (const std::string& m : PartKeys(t / 60, 3)) {
            for (const std::string& s : PartKeys(t % 60, 2)) {
                byTime.ForEach(m + s, [&](uint32_t recno) {
                    recnos.push_back(recno);
                    return true;
                });
            }
        }
    }
    // In file order the reads go one way through the table.
    std::sort(recnos.begin(), recnos.end());
    std::unordered_set<std::string> sources;
    for (const uint32_t recno : recnos) {
        const uint8_t* record = byTime.Read(recno);
        if (record != nullptr && TrackNumber(f.track.In(record)) == position)
            sources.insert(f.SourceKey(record));
    }
    return sources;
}

// Whether the source `key` has the disc's number of tracks, each stored time within the slack of
// the disc's; stops at the first that is not.
bool SourceTimesFit(TagEntries& bySource, const TrackFields& f, const std::string& key,
                    const discinfo::DiscQuery& query) {
    int k = 0;
    bool fits = true;
    bySource.ForEach(key, [&](uint32_t recno) {
        const uint8_t* record = bySource.Read(recno);
        if (record == nullptr)
            return true;
        const int stored = f.Seconds(record);
        fits = k < query.trackCount() && stored >= 0 &&
               std::abs(stored - query.trackSeconds(k)) <= kMatchSlackSeconds;
        ++k;
        return fits;
    });
    return fits && k == query.trackCount();
}

// The tracks of the source `key` in TRACK order, at most `most` of them plus one (so that a source
// with more tracks shows), with the year of the first track that has one.
std::vector<discinfo::CandidateTrack> SourceTracks(xbase::Cursor& bySource, const TrackFields& f,
                                                   const std::string& key, size_t most,
                                                   std::string* year) {
    std::vector<discinfo::CandidateTrack> tracks;
    if (!SeekPrefix(bySource, key))
        return tracks;
    for (; !bySource.Eof() && tracks.size() <= most; MatchCheck(bySource.Skip(1))) {
        const uint8_t* record = bySource.record();
        if (f.SourceKey(record) != key)
            break;
        tracks.push_back({FieldUtf8Trimmed(f.title, record), FieldUtf8Trimmed(f.artist, record),
                          f.Seconds(record)});
        if (year->empty())
            *year = FieldUtf8Trimmed(f.year, record);
    }
    return tracks;
}

bool TimesFit(const std::vector<discinfo::CandidateTrack>& tracks,
              const discinfo::DiscQuery& query) {
    if (int(tracks.size()) != query.trackCount())
        return false;
    for (int i = 0; i < query.trackCount(); ++i) {
        const int stored = tracks[size_t(i)].seconds;
        if (stored < 0 || std::abs(stored - query.trackSeconds(i)) > kMatchSlackSeconds)
            return false;
    }
    return true;
}

// What the main title of the source says (when there is one), as a catalogue candidate.
discinfo::DiscCandidate FromMainTitle(const TTable& titles, const uint8_t* record) {
    discinfo::DiscCandidate c;
    c.origin = discinfo::Origin::Catalogue;
    c.title = FieldUtf8Trimmed(RecordField(titles.table(), "HTITEL"), record);
    c.artist = FieldUtf8Trimmed(RecordField(titles.table(), "HOOFDART"), record);
    c.label = FieldUtf8Trimmed(RecordField(titles.table(), "LABEL"), record);
    c.carrier = FieldUtf8Trimmed(RecordField(titles.table(), "DRAGER"), record);
    c.number =
        std::atoll(FieldText(RecordField(titles.table(), "CDNUMMER"), record).bytes().c_str());
    return c;
}

class CatalogueMatch {
public:
    explicit CatalogueMatch(Catalogue& catalogue)
        : titles_(catalogue.dm2.HfTable), tracks_(catalogue.dm1.ArtTable) {}

    // The main title whose RMNR is the CD ID, with its tracks.
    bool ByIdentity(const discinfo::DiscQuery& query, discinfo::DiscCandidate* out) {
        const std::string id = Trim(query.cdId);
        if (id.empty() || !titles_.Active())
            return false;
        xbase::Cursor byId(&titles_.table());
        MatchCheck(byId.SetOrder(kMatchTitleByCdId));
        const RecordField rmnr(titles_.table(), "RMNR");
        if (!SeekPrefix(byId, id))
            return false;
        for (; !byId.Eof(); MatchCheck(byId.Skip(1))) {
            const std::string stored = Trim(rmnr.In(byId.record()));
            if (!stored.starts_with(id))
                break;
            if (stored == id) {
                *out = FromMainTitle(titles_, byId.record());
                out->byIdentity = true;
                const RecordField carrier(titles_.table(), "DRAGER"),
                    number(titles_.table(), "CDNUMMER");
                Complete(out, SourceSeekKey(carrier.In(byId.record()), number.In(byId.record())),
                         kMatchMostTracks);
                return true;
            }
        }
        return false;
    }

    // Every source whose tracks' times fit the disc's.
    std::vector<discinfo::DiscCandidate> ByTimes(const discinfo::DiscQuery& query) {
        std::vector<discinfo::DiscCandidate> found;
        const int count = query.trackCount();
        if (count == 0 || !tracks_.Active())
            return found;
        xbase::Table& table = tracks_.table();
        // Once, for what other programs wrote; the walks below read the files as they are now.
        if (!table.exclusive() && !table.readOnly())
            MatchCheck(table.Refresh(false));
        int longest = 0;
        for (int i = 1; i < count; ++i) {
            if (query.trackSeconds(i) > query.trackSeconds(longest))
                longest = i;
        }
        const TrackFields f(tracks_);
        TagEntries byTime(table, kMatchTrackByTime);
        const std::unordered_set<std::string> sources =
            SourcesWithTrackTime(byTime, f, longest + 1, query.trackSeconds(longest));
        std::vector<std::string> keys(sources.begin(), sources.end());
        std::sort(keys.begin(), keys.end());
        TagEntries bySource(table, kMatchTrackBySource);
        for (const std::string& key : keys) {
            if (!SourceTimesFit(bySource, f, key, query))
                continue;
            discinfo::DiscCandidate c;
            c.origin = discinfo::Origin::Catalogue;
            if (Complete(&c, key, size_t(count)) && TimesFit(c.tracks, query))
                found.push_back(std::move(c));
        }
        discinfo::SortByFit(&found, query);
        return found;
    }

private:
    // Reads the tracks of the source `key` into `c` (at most `most` + 1), and its main title when
    // `c` has none yet; the carrier and number come from the tracks when there is no main title.
    bool Complete(discinfo::DiscCandidate* c, const std::string& key, size_t most) {
        if (tracks_.Active()) {
            const TrackFields f(tracks_);
            xbase::Cursor bySource(&tracks_.table());
            MatchCheck(bySource.SetOrder(kMatchTrackBySource));
            c->tracks = SourceTracks(bySource, f, key, most, &c->year);
            if (c->tracks.size() > most)
                return false;
            if (c->carrier.empty() && SeekPrefix(bySource, key)) {
                c->carrier = FieldUtf8Trimmed(f.carrier, bySource.record());
                c->number = std::atoll(FieldText(f.number, bySource.record()).bytes().c_str());
            }
        }
        if (!c->byIdentity) {
            xbase::Cursor bySource(&titles_.table());
            MatchCheck(bySource.SetOrder(kMatchTitleBySource));
            if (SeekPrefix(bySource, key)) {
                discinfo::DiscCandidate title = FromMainTitle(titles_, bySource.record());
                title.tracks = std::move(c->tracks);
                title.year = std::move(c->year);
                *c = std::move(title);
            }
        }
        c->reference = c->carrier + " " + std::to_string(c->number);
        return true;
    }

    TTable& titles_;
    TTable& tracks_;
};

}  // namespace

std::vector<discinfo::DiscCandidate> FindDiscInCatalogue(Catalogue& catalogue,
                                                         const discinfo::DiscQuery& query) {
    CatalogueMatch match(catalogue);
    discinfo::DiscCandidate identity;
    if (match.ByIdentity(query, &identity))
        return {identity};
    return match.ByTimes(query);
}

std::string DiscInCatalogueText(const discinfo::DiscCandidate& source) {
    std::string text =
        source.byIdentity ? "This disc is already in the catalogue as " : "This disc looks like ";
    text += Trim(source.carrier) + " " + std::to_string(source.number);
    if (!source.title.empty())
        text += " \"" + source.title + "\"";
    if (!source.artist.empty())
        text += " by " + source.artist;
    return text + ".";
}
