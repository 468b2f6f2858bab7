// The command line's CSV transfer, run without any window:
// `--export-csv DIR` writes all four files (sources, tracks, loans, playlist);
// `--import-csv DIR` adds the files of DIR, and refuses, adding nothing, when any row is refused,
// listing every refused row with its reason.
#pragma once

#include <ostream>
#include <string>

class Catalogue;

// 0 when written; 1 when it failed (the reason goes to `errors`).
int ExportCsvCommand(Catalogue& catalogue, const std::string& dir, std::ostream& out,
                     std::ostream& errors);
// 0 when added; 1 when refused or failed. Takes a safety copy before anything is added.
int ImportCsvCommand(Catalogue& catalogue, const std::string& dir, std::ostream& out,
                     std::ostream& errors);

enum class CsvDirection { Export, Import };
// The whole command on the catalogue in `folder`, opened as OpenCatalogueForCommand opens it
// (command_catalogue.h): an export reads, an import writes. 1, the reason on `errors`, when the
// catalogue could not be opened or holds work that cannot be finished. An import into a missing
// folder, or one without any file of a catalogue, makes a new catalogue there from
// `templateFolder` first (when given).
int CsvCommand(const std::string& folder, CsvDirection direction, const std::string& dir,
               std::ostream& out, std::ostream& errors, const std::string& templateFolder = "");
