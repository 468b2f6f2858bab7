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

// Adds up the visible records of the playlist table: a blank MINUTEN or SECONDEN adds nothing.
// The table's current record and its bound views are as they were afterwards. Throws TableError.
PlaylistTotals CountPlaylist(TTableAccess& playlist);
