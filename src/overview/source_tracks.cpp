#include "overview/source_tracks.h"

#include "base/text.h"
#include "store/source_key.h"
#include "store/table_access.h"
#include "store/track_time.h"

SourceTracks ReadSourceTracks(TTableAccess& tracks, const std::string& key, bool withRows) {
    SourceTracks result;
    tracks.SetOrder(kArtBySideAndTrack);
    if (!tracks.Seek(key)) {
        return result;
    }
    for (; !tracks.Eof(); tracks.Skip(1)) {
        if (SourceSeekKey(tracks.GetString("DRAGER"), tracks.GetString("CDNUMMER")) != key) {
            break;
        }
        ++result.count;
        result.minutes += TimePart(tracks.GetString("MINUTEN").bytes());
        result.seconds += TimePart(tracks.GetString("SECONDEN").bytes());
        result.minutes += result.seconds / 60;
        result.seconds %= 60;
        if (withRows) {
            result.rows.push_back(
                {tracks.GetString("ARTIEST"), tracks.GetString("TITEL"), tracks.RecNo()});
        }
    }
    return result;
}

std::string PlayingTime(uint32_t minutes, uint32_t seconds) {
    return TwoDigits(std::to_string(minutes)) + ":" + TwoDigits(std::to_string(seconds));
}
