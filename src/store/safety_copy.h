// Safety copies: before a command changes the whole catalogue at once (optimising, renumbering,
// search and replace, an import), its tables, memo files, index files, cd.ini and print.ini are
// copied into backup/YYYY-MM-DD-HHMMSS-what/ under the catalogue folder, so that the user can
// put the catalogue back as it was (safety_restore.h). The five most recent copies are kept.
//
// A copy is made under a hidden temporary name and renamed when all its files are on the disk:
// a copy that a crash or a full disk cut short is never listed, and is removed by the next copy.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

class Catalogue;
struct CopyProgress;

inline constexpr size_t kSafetyCopiesKept = 5;

struct SafetyCopy {
    std::string folder;  // the copy's folder
    std::string date;    // when it was taken, "2026-12-06 22:30:15" (local time)
    std::string what;    // the command it was taken for: "optimize", "renumber", ...
    uint64_t bytes = 0;  // the size of its files
};

// Copies the catalogue's files (bytes, synced, with their folder) into a new safety copy for
// the command `what` (a short word; characters other than letters, digits, '-' and '_' become
// '-'). Nothing may be writing to the catalogue meanwhile; its tables may be open. Refuses
// beforehand, copying nothing, when the disk lacks room: the message says how much room the copy
// needs and how much there is. `progress` gets the bytes copied out of all. *copyFolder gets
// the new copy's folder. Afterwards only the five most recent copies remain.
xbase::Status TakeSafetyCopy(const Catalogue& catalogue, std::string_view what,
                             const xbase::ProgressFn& progress, std::string* copyFolder = nullptr);
// The same for the catalogue in `folder`.
xbase::Status TakeSafetyCopyOf(const std::string& folder, std::string_view what,
                               const xbase::ProgressFn& progress,
                               std::string* copyFolder = nullptr);
// The message for the user when TakeSafetyCopy failed: the command then changes nothing.
std::string SafetyCopyFailure(const xbase::Status& status);

// The complete safety copies of the catalogue in `folder`, the most recent first.
std::vector<SafetyCopy> ListSafetyCopies(const std::string& folder);

// The folder that holds the safety copies of the catalogue in `folder`.
std::string SafetyCopiesFolder(const std::string& folder);

// The bytes of the catalogue files in `folder` (what a copy of them takes).
uint64_t CatalogueBytes(const std::string& folder);

// TakeSafetyCopyOf with the progress of a longer run; the copy `spare` (a folder) is never
// removed to keep the number of copies down.
xbase::Status TakeSafetyCopyWith(const std::string& folder, std::string_view what,
                                 CopyProgress* progress, std::string* copyFolder,
                                 const std::string& spare);
