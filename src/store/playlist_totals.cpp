#include "store/playlist_totals.h"

#include <charconv>

#include "base/text.h"
#include "store/table_error.h"

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
    // The sum does not depend on the order: the file is read straight through in large blocks,
    // and the shared record never moves.
    const TTable& table = playlist.component();
    PlaylistTotals totals;
    ThrowIfError(table.table().ScanRecords(1, [&](uint32_t, const uint8_t* record) {
        if (record[0] == '*')
            return true;  // deleted
        totals.minutes += TimePart(table.FieldText(record, "MINUTEN").bytes());
        totals.seconds += TimePart(table.FieldText(record, "SECONDEN").bytes());
        totals.minutes += totals.seconds / 60;
        totals.seconds %= 60;
        ++totals.count;
        return true;
    }));
    return totals;
}
