// Removing a whole source: its tracks, its loans, its playlist entries and, last, its main title,
// so that a crash part way never leaves a track without its main title. The source's key is
// noted in cd.ini (Diversen, VerwijderBron) before the first record goes and cleared after the
// last, so that a removal a crash cut short is finished at the next start.
#pragma once

#include <string>

#include "store/pending_work.h"

class Catalogue;

// Removes the source with this SourceSeekKey and puts the four tables on the disk. Each table
// keeps its order; the main-title table stands after the removed record. False, with nothing
// removed, when the note cannot be written to cd.ini (the user has been told). Throws TableError.
bool RemoveSource(Catalogue& catalogue, const std::string& seekKey);

// At start: finishes the removal a crash cut short, if any. The note is trusted only when it is
// a whole source key that one main title at most carries; none means the removal had gone
// through and only the clearing of the note was lost. Any other note removes nothing: it is moved
// to [Diversen] VerwijderBronGeweigerd, so that it is refused once, and the outcome says so.
RecoveryOutcome FinishSourceRemoval(Catalogue& catalogue);
