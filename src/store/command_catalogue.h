// The catalogue of a command run without a window (--export-csv, --import-csv, --report): opened
// as the window program opens it, with the work an earlier run left unfinished finished or taken
// back first, so that a command never reads or writes beside a half-done operation.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "store/catalogue.h"
#include "store/catalogue_lock.h"

struct CommandCatalogue {
    std::unique_ptr<CatalogueLock> lock;  // declared first: released after the tables close
    std::unique_ptr<Catalogue> catalogue;
};

enum class CommandUse { Read, Write };

// Opens the catalogue in `folder` (an absolute path; cd.ini is read there) with its index files.
// A writer needs the folder's lock and is refused while the window program holds it; a reader
// takes it when it can. With the lock, on a folder that can be written, a restore that was cut
// short is finished or taken back before any table opens, and every other unfinished operation
// once the tables are open, as at the window program's start. A reader on a folder it cannot
// write opens the tables read-only. A reader that may not finish the work it finds (the folder
// is read-only, or another copy of the program holds the catalogue) is refused. What was
// finished, and every refusal, is written to `messages`; the catalogue is null when the command
// must not go on. A writer given `templateFolder` first makes a new, empty catalogue from it in
// a folder without any file of a catalogue, as the window program's --new-catalogue does.
CommandCatalogue OpenCatalogueForCommand(const std::string& folder, CommandUse use,
                                         std::ostream& messages,
                                         const std::string& templateFolder = "");
