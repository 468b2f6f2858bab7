// What a disc look-up finds: the disc as the look-up knows it (DiscQuery, worked out from the
// table of contents alone) and each release that may be this disc (DiscCandidate), wherever it was
// found. Texts are UTF-8 as the sources give them; the screens decide what the tables can hold.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace discinfo {

// What is known of the disc in the drive or the image, before anything is looked up.
struct DiscQuery {
    std::string cdId;           // the catalogue's CD ID (the media identity as decimal text)
    std::string musicBrainzId;  // 28 characters
    std::string freedbId;       // 8 lower-case hex digits
    int firstTrack = 1;         // number of the first audio track
    std::vector<int> offsets;   // start of each audio track in frames, lead-in included (150 +)
    int leadOut = 0;            // the end of the audio session in frames, lead-in included

    int trackCount() const { return int(offsets.size()); }
    // Whole seconds of track `index` (0-based), as the drive reports a length: frames dropped.
    int trackSeconds(int index) const;
    // The disc's length in whole seconds as freedb counts it (lead-out / 75).
    int lengthSeconds() const { return leadOut / 75; }
};

// Where a candidate was found, in the order the look-up asks.
enum class Origin { Catalogue, DiscData, MusicBrainz, Gnudb };
// "catalogue", "disc data", "MusicBrainz", "gnudb".
const char* OriginName(Origin origin);

struct CandidateTrack {
    std::string title;
    std::string artist;  // "" when the release gives the track no artist of its own
    int seconds = -1;    // -1 when the source gives no time
};

struct DiscCandidate {
    Origin origin = Origin::DiscData;
    std::string title;
    std::string artist;
    std::string year;     // four digits or ""
    std::string label;    // record label or ""
    std::string country;  // as the source gives it ("GB", "XE") or ""
    std::string format;   // "CD", "Enhanced CD", … or ""
    std::vector<CandidateTrack> tracks;
    // Where it came from, for the user and for tests: the file of a disc record ("rock/370fce16"),
    // a MusicBrainz release ID, a gnudb "category discid", or "CD 12" for the catalogue.
    std::string reference;
    // A catalogue candidate's source.
    std::string carrier;
    int64_t number = 0;
    bool byIdentity = false;  // catalogue: the CD ID matched (not only the track times)
};

}  // namespace discinfo
