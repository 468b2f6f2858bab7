// A twelve-track disc that every look-up knows: "Twelve Tones" by The Testers (1999), tracks
// "Tone 1" to "Tone 12" of 2, 3 and 4 seconds in turn. Its disc data record and the answers of
// MusicBrainz and gnudb are written here, after the services' published formats.
#pragma once

#include <string>
#include <vector>

class LocalHttpServer;

namespace testutil {

inline constexpr int kTwelveTonesTracks = 12;
// The MusicBrainz release that holds the disc.
inline constexpr char kTwelveTonesRelease[] = "0f2e0c1a-7d33-4c55-9a11-5b0e8c6d1f20";

// The tracks' lengths in frames. The last one has a frame more: a drive counts the last track
// one frame short of the lead-out, and whole seconds must stay whole for every reader.
std::vector<int> TwelveTonesFrames();
// A track's length in whole seconds (1-based).
int TwelveTonesSeconds(int track);

// The xmcd record of the disc, as a disc data folder and gnudb hold it.
std::string TwelveTonesXmcd(const std::string& freedbId);

enum class TwelveTonesService { MusicBrainz, Gnudb };
// Makes `server` know the disc as one service does: MusicBrainz answers the disc ID lookup of
// `musicBrainzId`; gnudb answers the query of `freedbId` with one match and its read, while
// MusicBrainz knows nothing (404). Any other request gets a 404 or a CDDB error.
void ServeTwelveTones(LocalHttpServer& server, TwelveTonesService service,
                      const std::string& musicBrainzId, const std::string& freedbId);

}  // namespace testutil
