// A set of files that belong together (the CSV files of one export) put in place together, so
// that a folder never holds part of one set next to part of another.
#pragma once

#include <string>
#include <vector>

#include "platform/xbase/status.h"

struct NewSetFile {
    std::string written;  // the complete, synced new file, beside its target
    std::string target;   // the name it goes to
};

// Renames each new file over its target, and renames the earlier files of the set that were
// not written again (`left`) aside to NAME.old (NAME.old-2, ... when taken); *setAside gets
// those new names. When any step fails, the steps before it are undone, so that the folder
// holds the earlier set as it was; the new files then stay under their own names.
xbase::Status PutFileSetInPlace(const std::vector<NewSetFile>& files,
                                const std::vector<std::string>& left,
                                std::vector<std::string>* setAside);

// What the user is told of the files that PutFileSetInPlace set aside.
std::string SetAsideNote(const std::vector<std::string>& left,
                         const std::vector<std::string>& setAside);
