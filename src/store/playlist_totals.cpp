#include "store/playlist_totals.h"

#include <charconv>

#include "base/text.h"
#include "store/controls_suspended.h"
#include "store/saved_position.h"

namespace {

// The whole number a time field holds; a blank or garbled field counts as 0.
int TimePart(const std::string& field) {
    const std::string text = Trim(field);
    int value = 0;
    const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value);
    return fault == std::errc() && end == text.data() + text.size() && value > 0 ? value : 0;
}

}  // namespace

std::string PlaylistTotals::PlayingTime() const {
    return TwoDigits(std::to_string(minutes)) + ":" + TwoDigits(std::to_string(seconds));
}

PlaylistTotals CountPlaylist(TTableAccess& playlist) {
    ControlsSuspended suspended(playlist.component());
    SavedPosition saved(playlist);
    PlaylistTotals totals;
    for (playlist.GoTop(); !playlist.Eof(); playlist.Skip(1)) {
        totals.minutes += TimePart(playlist.GetString("MINUTEN"));
        totals.seconds += TimePart(playlist.GetString("SECONDEN"));
        totals.minutes += totals.seconds / 60;
        totals.seconds %= 60;
        ++totals.count;
    }
    return totals;
}
