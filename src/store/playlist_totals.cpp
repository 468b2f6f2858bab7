#include "store/playlist_totals.h"

#include "base/text.h"
#include "store/table_error.h"
#include "store/track_time.h"

std::string PlaylistTotals::PlayingTime() const {
    return TwoDigits(std::to_string(minutes)) + ":" + TwoDigits(std::to_string(seconds));
}

PlaylistTotals CountPlaylist(TTableAccess& playlist) {
    // The sum does not depend on the order: the file is read straight through in large blocks,
    // and the shared record never moves.
    const TTable& table = playlist.component();
    PlaylistTotals totals;
    ThrowIfError(table.table().ScanRecords(1, [&](uint32_t, const uint8_t* record) {
        if (record[0] == '*')
            return true;  // deleted
        totals.minutes += int(TimePart(table.FieldText(record, "MINUTEN").bytes()));
        totals.seconds += int(TimePart(table.FieldText(record, "SECONDEN").bytes()));
        totals.minutes += totals.seconds / 60;
        totals.seconds %= 60;
        ++totals.count;
        return true;
    }));
    return totals;
}
