// Export of the catalogue as CSV files that a spreadsheet or another collection program opens as
// they are: UTF-8, a header row of the table's field names, CRLF, values quoted only where
// needed (see csv_field.h for the values). Deleted records are left out; records come in the
// order of the table file.
#pragma once

#include <string>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"

class Catalogue;

struct CsvExportChoice {
    bool loans = false;
    bool playlist = false;
};

// Writes sources.csv (every main-title field, memo text included) and tracks.csv (every track
// field) into `folder`, created when missing, and loans.csv and playlist.csv when chosen. The
// files are written under temporary names and put in place together once all are complete, so
// that an export that fails part way leaves the earlier files as they were. A file of the set
// that is not chosen this time but left from an earlier export is renamed aside (loans.csv.old),
// so that an import of the folder reads this export only; *note then says so. Needs the track
// table open. `progress` gets the records done out of all.
xbase::Status ExportCsv(Catalogue& catalogue, const std::string& folder,
                        const CsvExportChoice& choice, const xbase::ProgressFn& progress = nullptr,
                        std::string* note = nullptr);
