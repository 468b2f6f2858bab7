// Removing a whole source: its tracks, its loans, its playlist entries and, last, its main title,
// so that a crash part way never leaves a track without its main title. The source's key is
// noted in cd.ini (Diversen, VerwijderBron) before the first record goes and cleared after the
// last, so that a removal a crash cut short is finished at the next start.
#pragma once

#include <string>

class Catalogue;

// Removes the source with this SourceSeekKey and puts the four tables on the disk. Each table
// keeps its order; the main-title table stands after the removed record. False, with nothing
// removed, when the note cannot be written to cd.ini (the user has been told). Throws TableError.
bool RemoveSource(Catalogue& catalogue, const std::string& seekKey);

// At start: finishes the removal a crash cut short, if any. True when one was finished.
bool FinishSourceRemoval(Catalogue& catalogue);
