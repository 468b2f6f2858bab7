// The check of the data files that runs when the main window is first shown, before anything else
// touches the tables: take over the files of the earlier program generation, build the index files
// of a new catalogue, or open the index files for a normal start.
#pragma once

#include <functional>

#include "store/catalogue.h"

enum class StartupOutcome {
    GoOn,        // the index files are open; the normal start continues
    EndProgram,  // files were made: the run ends as it should
    Failed,      // a file cannot be used (the user has been told): the run ends as a failure
};

// DATA1.DAT present: refuses while DATA1.B01 or DATA2.B02 is there too, otherwise imports the old
// files, builds the index files and the lookup items and ends. Else, INDEX1.CDX present: opens
// the index files and goes on. Else builds the index files and the lookup items and ends.
// `showCreatingLine` shows the splash window's "One moment, creating files..." line before the
// work starts. A failure is shown, naming the file and the repair that fits it, and fails the
// start; no index file is deleted before every table has opened. Nothing is thrown.
StartupOutcome CheckDataFiles(Catalogue& catalogue, const std::function<void()>& showCreatingLine);
