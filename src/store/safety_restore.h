// Putting a safety copy back (safety_copy.h). The present files are first kept as one more
// copy ("before-restore"), so that a restore can itself be undone. The copy's files are written
// beside the catalogue's under temporary names and synced; a marker file then commits the
// restore, and the files are renamed into place. A restore that a crash interrupted is finished
// at the next start once committed, and undone (its temporary files removed) before that.
#pragma once

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"
#include "store/pending_work.h"
#include "store/safety_copy.h"

// Puts the files of `copy` back into the catalogue in `folder`. Nothing may have the catalogue's
// tables open. Refuses, changing nothing, when the copy lacks a table or the disk lacks room for
// the copy of the present files and the files to put back (the message says how much room it
// needs). Catalogue files that the copy does not hold are left as they are. `progress` gets the
// bytes copied out of all.
xbase::Status RestoreSafetyCopy(const std::string& folder, const SafetyCopy& copy,
                                const xbase::ProgressFn& progress);

// For the running program: refuses as above while the tables are still open, else closes the
// catalogue's five tables and restores. Once it got that far the tables stay closed, whatever
// the outcome: screens hold record numbers of the files that were replaced, so the run must end.
// `closed` tells whether the tables were closed.
xbase::Status RestoreSafetyCopy(Catalogue& catalogue, const SafetyCopy& copy,
                                const xbase::ProgressFn& progress, bool* closed);

// At start, before any table opens: finishes a committed restore that was cut short, or removes
// the temporary files of one that was not committed. `outcome`, when given, gets what was done
// (None when nothing was pending); the marker names the copy that went in.
xbase::Status FinishInterruptedRestore(const std::string& folder,
                                       RecoveryOutcome* outcome = nullptr);

// Whether a restore left its files in `folder`: one being written, or one cut short.
bool RestoreIsPending(const std::string& folder);
