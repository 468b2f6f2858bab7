// `tunelo --import FILE [--from discogs|tellico|gcstar|csv] [--map MAPFILE] [FOLDER]`: another
// program's collection file added to the catalogue without a window, all of it or nothing.
#pragma once

#include <ostream>
#include <string>

// The exit statuses of --import.
inline constexpr int kImportAdded = 0;
inline constexpr int kImportRefused = 1;   // entries refused, each printed; nothing added
inline constexpr int kImportBadInput = 2;  // the file, the map or the catalogue cannot be used

struct ForeignImportRequest {
    std::string file;
    std::string from;  // a format name, or "" to recognise it from the file
    std::string map;   // the column map of a CSV file
};

// Imports into the catalogue in `folder` (an absolute path), opened as OpenCatalogueForCommand
// opens a writer: the format recognised unless given, a safety copy taken before anything is
// added. What was added goes to `out`; refusals (with their entries) and faults to `errors`.
int ImportForeignCommand(const std::string& folder, const ForeignImportRequest& request,
                         std::ostream& out, std::ostream& errors,
                         const std::string& templateFolder = "");
