// The totals of the playlist: how many tracks and how long they play together.
#pragma once

#include <string>

#include "store/table_access.h"

struct PlaylistTotals {
    int count = 0;
    int minutes = 0;
    int seconds = 0;  // 0 to 59

    // Minutes and seconds, two digits at least, minutes not folded into hours: "125:07".
    std::string PlayingTime() const;
};

// Adds up every record of the playlist table that is not deleted: a blank MINUTEN or SECONDEN
// adds nothing. The table's current record does not move. Throws TableError.
PlaylistTotals CountPlaylist(TTableAccess& playlist);
