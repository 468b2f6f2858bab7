// Import of CSV files into the open catalogue, in two steps: Prepare reads sources.csv,
// tracks.csv, loans.csv and playlist.csv of a folder (each optional, found in any letter case;
// columns matched to the table's fields by header name in any letter case, any subset of them)
// and checks every row without writing anything; Apply then adds the rows it accepted, all of
// them or none.
//
// A row is refused, with the reason, for a text the table's code page cannot hold, a text too
// long for its field, a bad number or date, a source already in the catalogue (or twice in
// sources.csv), more than 999 tracks of one source, and a loan or playlist entry of a source
// found neither in the catalogue nor in the files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"
#include "store/csv_files.h"

class Catalogue;

struct CsvRefusal {
    std::string file;  // "tracks.csv"
    long line = 0;     // where the row starts
    std::string reason;
};

// The first accepted rows of one file as read, for a preview.
struct CsvPreview {
    std::string file;
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
};

class CsvImport {
public:
    static constexpr size_t kPreviewRows = 10;

    // Reads and checks the files of `folder`. Needs the index files open; writes nothing and
    // leaves every table's order and record as they were. Fails, naming the file, when the folder
    // holds none of the four files, a file is not CSV, or its header names a column the table
    // lacks, names one twice or lacks DRAGER or CDNUMMER.
    xbase::Status Prepare(Catalogue& catalogue, const std::string& folder,
                          const xbase::ProgressFn& progress = nullptr);

    // Accepted rows of one file.
    uint32_t count(CsvKind kind) const { return rows_[int(kind)].count; }
    bool empty() const;
    // "2 sources, 24 tracks, 1 loan and no playlist entries".
    std::string Summary() const;
    const std::vector<CsvRefusal>& refusals() const { return refusals_; }
    const std::vector<CsvPreview>& previews() const { return previews_; }

    // Adds the accepted rows to the catalogue (the callers take a safety copy first) and writes their lookup items, then puts every
    // table on the disk. The record counts of the tables are noted in cd.ini (Diversen,
    // CsvImport) before the first write and the note is cleared after the last, so that an
    // import a crash cut short is taken back at the next start (UndoUnfinishedCsvImport); a
    // failure takes back what was added before it returns. Each table is left on its first
    // record.
    xbase::Status Apply(Catalogue& catalogue, const xbase::ProgressFn& progress = nullptr);

private:
    struct Rows {
        std::vector<uint8_t> records;
        uint32_t count = 0;
        std::vector<std::pair<uint32_t, std::string>> memos;  // row, memo text
    };
    class Reader;
    // Writes the lookup items of the accepted rows. Throws TableError.
    void WriteItems(Catalogue& catalogue) const;

    Rows rows_[4];
    std::vector<CsvRefusal> refusals_;
    std::vector<CsvPreview> previews_;
};

// At start: takes back the rows of an import that a crash cut short, if any. True when one was
// taken back. Throws TableError.
bool UndoUnfinishedCsvImport(Catalogue& catalogue);
