// The catalogue's answer to a disc. Every read goes through cursors of its own, so the screens
// sharing the tables find them where they left them.
//
// The times are found through the tag MINUTEN+SECONDEN+...: the tracks whose time lies within
// 2 s of one disc track, numbered as that track, give the sources that may be the disc; a second
// disc track narrows them to a handful, and only those are read in full. The longest disc tracks
// are taken, as long tracks are the rarer ones.
#include "store/disc_match.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

#include "base/table_text.h"
#include "base/text.h"
#include "platform/discinfo/candidate_fit.h"
#include "platform/xbase/cursor.h"
#include "platform/xbase/field_codec.h"
#include "store/catalogue.h"
#include "store/source_key.h"
#include "store/table_error.h"
#include "store/track_time.h"

namespace {

// artdat.dat: MINUTEN+SECONDEN+UPPER(ARTIEST)+UPPER(TITEL); DRAGER+CDNUMMER+AKANT+TRACK.
constexpr std::string_view kTrackByTime = "6";
constexpr std::string_view kTrackBySource = "10";
// hfdat.dat: the source key; RMNR, the CD ID.
constexpr std::string_view kTitleBySource = "4";
constexpr std::string_view kTitleByCdId = "8";
// Stored times within this many seconds of the disc's fit.
constexpr int kTimeSlackSeconds = 2;
// Disc tracks whose times narrow the sources down before any source is read in full.
constexpr size_t kNarrowingTracks = 2;
// More tracks than a source can have (TRACK is four digits wide).
constexpr size_t kMostTracks = 9999;

// A field of a record read straight from a cursor.
class RecordField {
public:
    RecordField(const TTable& table, std::string_view name) : def_(table.Field(name)) {}
    std::string_view Raw(const uint8_t* record) const {
        return {reinterpret_cast<const char*>(record) + def_.offset, def_.length};
    }
    TableText Text(const uint8_t* record) const { return TableText(xbase::GetText(record, def_)); }
    std::string Utf8Trimmed(const uint8_t* record) const { return Utf8(Trim(Text(record))); }

private:
    const xbase::FieldDef& def_;
};

struct TrackFields {
    explicit TrackFields(const TTable& t)
        : title(t, "TITEL"),
          artist(t, "ARTIEST"),
          track(t, "TRACK"),
          minutes(t, "MINUTEN"),
          seconds(t, "SECONDEN"),
          number(t, "CDNUMMER"),
          carrier(t, "DRAGER"),
          year(t, "JAAR") {}
    RecordField title, artist, track, minutes, seconds, number, carrier, year;

    std::string SourceKey(const uint8_t* record) const {
        return SourceSeekKey(carrier.Raw(record), number.Raw(record));
    }
    // The stored time in seconds; -1 when both parts are blank.
    int Seconds(const uint8_t* record) const {
        if (IsBlank(minutes.Raw(record)) && IsBlank(seconds.Raw(record)))
            return -1;
        return int(TimePart(minutes.Raw(record)) * 60 + TimePart(seconds.Raw(record)));
    }
};

void Check(const xbase::Status& status) {
    ThrowIfError(status);
}

bool SeekPrefix(xbase::Cursor& cursor, std::string_view key) {
    bool found = false;
    Check(cursor.Seek(reinterpret_cast<const uint8_t*>(key.data()), key.size(), &found));
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

// The sources with a track numbered `position` whose time is within the slack of `seconds`.
std::unordered_set<std::string> SourcesWithTrackTime(xbase::Cursor& byTime, const TrackFields& f,
                                                     int position, int seconds) {
    std::unordered_set<std::string> sources;
    for (int t = std::max(0, seconds - kTimeSlackSeconds); t <= seconds + kTimeSlackSeconds; ++t) {
        for (const std::string& m : PartKeys(t / 60, 3)) {
            for (const std::string& s : PartKeys(t % 60, 2)) {
                const std::string key = m + s;
                if (!SeekPrefix(byTime, key))
                    continue;
                for (; !byTime.Eof(); Check(byTime.Skip(1))) {
                    const uint8_t* record = byTime.record();
                    if (f.minutes.Raw(record) != m || f.seconds.Raw(record) != s)
                        break;
                    if (std::atoi(std::string(f.track.Raw(record)).c_str()) == position)
                        sources.insert(f.SourceKey(record));
                }
            }
        }
    }
    return sources;
}

// The tracks of the source `key` in TRACK order, at most `most` of them plus one (so that a source
// with more tracks shows), with the year of the first track that has one.
std::vector<discinfo::CandidateTrack> SourceTracks(xbase::Cursor& bySource, const TrackFields& f,
                                                   const std::string& key, size_t most,
                                                   std::string* year) {
    std::vector<discinfo::CandidateTrack> tracks;
    if (!SeekPrefix(bySource, key))
        return tracks;
    for (; !bySource.Eof() && tracks.size() <= most; Check(bySource.Skip(1))) {
        const uint8_t* record = bySource.record();
        if (f.SourceKey(record) != key)
            break;
        tracks.push_back(
            {f.title.Utf8Trimmed(record), f.artist.Utf8Trimmed(record), f.Seconds(record)});
        if (year->empty())
            *year = f.year.Utf8Trimmed(record);
    }
    return tracks;
}

bool TimesFit(const std::vector<discinfo::CandidateTrack>& tracks,
              const discinfo::DiscQuery& query) {
    if (int(tracks.size()) != query.trackCount())
        return false;
    for (int i = 0; i < query.trackCount(); ++i) {
        const int stored = tracks[size_t(i)].seconds;
        if (stored < 0 || std::abs(stored - query.trackSeconds(i)) > kTimeSlackSeconds)
            return false;
    }
    return true;
}

// What the main title of the source says (when there is one), as a catalogue candidate.
discinfo::DiscCandidate FromMainTitle(const TTable& titles, const uint8_t* record) {
    discinfo::DiscCandidate c;
    c.origin = discinfo::Origin::Catalogue;
    c.title = RecordField(titles, "HTITEL").Utf8Trimmed(record);
    c.artist = RecordField(titles, "HOOFDART").Utf8Trimmed(record);
    c.label = RecordField(titles, "LABEL").Utf8Trimmed(record);
    c.carrier = RecordField(titles, "DRAGER").Utf8Trimmed(record);
    c.number = std::atoll(RecordField(titles, "CDNUMMER").Text(record).bytes().c_str());
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
        Check(byId.SetOrder(kTitleByCdId));
        const RecordField rmnr(titles_, "RMNR");
        if (!SeekPrefix(byId, id))
            return false;
        for (; !byId.Eof(); Check(byId.Skip(1))) {
            const std::string stored = Trim(rmnr.Raw(byId.record()));
            if (!stored.starts_with(id))
                break;
            if (stored == id) {
                *out = FromMainTitle(titles_, byId.record());
                out->byIdentity = true;
                const RecordField carrier(titles_, "DRAGER"), number(titles_, "CDNUMMER");
                Complete(out, SourceSeekKey(carrier.Raw(byId.record()), number.Raw(byId.record())),
                         kMostTracks);
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
        std::vector<int> order(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i)
            order[size_t(i)] = i;
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return query.trackSeconds(a) > query.trackSeconds(b);
        });
        const TrackFields f(tracks_);
        xbase::Cursor byTime(&tracks_.table());
        Check(byTime.SetOrder(kTrackByTime));
        std::unordered_set<std::string> sources;
        for (size_t k = 0; k < std::min(order.size(), kNarrowingTracks); ++k) {
            const int index = order[k];
            std::unordered_set<std::string> hits =
                SourcesWithTrackTime(byTime, f, index + 1, query.trackSeconds(index));
            if (k == 0) {
                sources = std::move(hits);
            } else {
                std::erase_if(sources, [&](const std::string& s) { return !hits.contains(s); });
            }
            if (sources.empty())
                return found;
        }
        std::vector<std::string> keys(sources.begin(), sources.end());
        std::sort(keys.begin(), keys.end());
        for (const std::string& key : keys) {
            discinfo::DiscCandidate c;
            c.origin = discinfo::Origin::Catalogue;
            if (!Complete(&c, key, size_t(count)) || !TimesFit(c.tracks, query))
                continue;
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
            Check(bySource.SetOrder(kTrackBySource));
            c->tracks = SourceTracks(bySource, f, key, most, &c->year);
            if (c->tracks.size() > most)
                return false;
            if (c->carrier.empty() && SeekPrefix(bySource, key)) {
                c->carrier = f.carrier.Utf8Trimmed(bySource.record());
                c->number = std::atoll(f.number.Text(bySource.record()).bytes().c_str());
            }
        }
        if (!c->byIdentity) {
            xbase::Cursor bySource(&titles_.table());
            Check(bySource.SetOrder(kTitleBySource));
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
