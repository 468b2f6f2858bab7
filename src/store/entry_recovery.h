// Finishing what an entry screen left when the program ended without closing it (a crash, a
// kill, a power cut). Such an entry leaves its blank main-title record (carrier empty, number 0)
// and, once tracks were saved, tracks whose source has no main title. At start the blank records
// are removed, except that the blank record of a source with saved tracks becomes that source's
// main title, and the source is kept open for entry as "To-morrow" keeps one, so that the next
// "Add" lets the user finish it. Nothing else is changed or deleted.
//
// It costs one index seek when nothing was left behind; otherwise the tracks saved last are
// walked back from the end of the track table, never the whole table.
#pragma once

#include <string>
#include <vector>

#include "base/table_text.h"

class Catalogue;

struct RecoveredSource {
    TableText carrier;  // as stored in the tracks
    int64_t number = 0;
    int tracks = 0;         // tracks saved for it
    bool keptOpen = false;  // false when another source was open already
};

// Runs the clean-up and tells the user about each recovered source (through the Ui port).
// Throws TableError when a table fails; what was done before stays done.
std::vector<RecoveredSource> RecoverUnfinishedEntries(Catalogue& catalogue);
