// Import of CSV files into the open catalogue, in two steps: Prepare reads sources.csv,
// tracks.csv, loans.csv and playlist.csv of a folder (each optional, found in any letter case;
// columns matched to the table's fields by header name in any letter case, any subset of them)
// and checks every row without writing anything; Apply then reads the files again and adds the
// rows, all of them or none. Neither keeps the rows: memory stays small for any size of file.
//
// A row is refused, with the reason, for a value the entry screens would not take (csv_field.h),
// text after a closing quote, a source already in the catalogue (or twice in sources.csv), a
// track of a source not in sources.csv, more than 999 tracks of one source, and a loan or
// playlist entry of a source found neither in the catalogue nor in the files. A folder holding
// one file in two letter cases is refused whole.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/xbase/status.h"
#include "platform/xbase/table.h"
#include "store/csv_files.h"
#include "store/csv_import_note.h"

class Catalogue;

// The longest memo text the program takes, in bytes: a CSV value longer than this is refused.
inline constexpr size_t kLongestMemo = size_t(1) << 20;
// The longest header row of a CSV file, in bytes.
inline constexpr size_t kLongestCsvHeader = 4096;

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

    static constexpr size_t kRefusalsKept = 1000;

    // Reads and checks the files of `folder`. Needs the index files open; writes nothing and
    // leaves every table's order and record as they were. Fails, naming the file (and the line),
    // when the folder holds none of the four files, a file is not CSV, its header is longer than
    // kLongestCsvHeader, names a column the table lacks, names one twice or lacks DRAGER or
    // CDNUMMER (tracks.csv and playlist.csv also TRACK), or a value is longer than kLongestMemo.
    xbase::Status Prepare(Catalogue& catalogue, const std::string& folder,
                          const xbase::ProgressFn& progress = nullptr);

    // Accepted rows of one file.
    uint32_t count(CsvKind kind) const { return rows_[int(kind)].count; }
    bool empty() const;
    // "2 sources, 24 tracks, 1 loan and no playlist entries".
    std::string Summary() const;
    // The first kRefusalsKept refused rows, and how many were refused in all.
    const std::vector<CsvRefusal>& refusals() const { return refusals_; }
    uint64_t refusedRows() const { return refusedRows_; }
    const std::vector<CsvPreview>& previews() const { return previews_; }

    // Reads the files again and adds the rows Prepare accepted to the catalogue in batches (the
    // callers take a safety copy first), with the lookup items of their values, then puts every
    // table on the disk. Every batch is noted in cd.ini (csv_import_note.h)
    // before it is written and the note is cleared at the end, so that an import a crash cut
    // short is taken back at the next start. A failure, also a file that changed since Prepare
    // read it or a note that cannot be cleared, takes back what was added before it returns.
    // Each table is left on its first record. Once added, each imported carrier's number
    // counter in cd.ini ([Geluidsdragers]) is moved past its highest imported number.
    xbase::Status Apply(Catalogue& catalogue, const xbase::ProgressFn& progress = nullptr);

private:
    // The accepted rows of one file, in checksums: Apply must read the same again.
    struct Rows {
        uint32_t count = 0;
        uint64_t proof = kRecordsProofStart;
        uint64_t memoProof = kRecordsProofStart;
    };
    class Reader;
    class Writer;
    // Reads the files of Prepare's folder again, handing each accepted row to `write`.
    xbase::Status ReadAgain(
        Catalogue& catalogue, const xbase::ProgressFn& progress,
        const std::function<xbase::Status(CsvKind, uint8_t* record, std::string& memo)>& write);

    std::string folder_;
    Rows rows_[4];
    std::vector<CsvRefusal> refusals_;
    uint64_t refusedRows_ = 0;
    std::vector<CsvPreview> previews_;
    // By carrier code: the number after the highest of the accepted sources.
    std::map<std::string, int> nextNumbers_;
};
