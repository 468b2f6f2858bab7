// Import of another program's collection file into the open catalogue, on the machinery of the
// CSV import: Prepare reads the file through its reader (platform/foreign), writes each source as
// rows of sources.csv and tracks.csv in a work folder and checks them with CsvImport::Prepare;
// Apply adds them with CsvImport::Apply, all of them or none, an import cut short taken back at
// the next start. Refusals name the entry in the file the user chose, never the work folder.
//
// A source gets the next free number of its carrier (the catalogue's highest and the counter in
// cd.ini), one after another in the file's order. Text longer than its field is cut to fit and
// the full text goes into the memo, with a note in the preview: nothing is cut silently.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/foreign/foreign_source.h"
#include "platform/foreign/mapped_csv.h"
#include "platform/xbase/status.h"
#include "platform/xbase/table.h"
#include "store/csv_import.h"

class Catalogue;

struct ForeignImportOptions {
    foreign::Format format = foreign::Format::Discogs;
    // Medium as the file names it -> carrier code. A medium not named here gets the guess of
    // GuessCarrier.
    std::map<std::string, std::string> carriers;
    foreign::ColumnMap columns;  // Format::Csv only
};

struct ForeignRefusal {
    std::string origin;  // "line 12", "entry 5"
    std::string reason;
};

class ForeignImport {
public:
    // Refusals kept for the preview; refusedRows() counts them all.
    static constexpr size_t kRefusalsKept = 100000;

    ~ForeignImport();  // removes the work folder

    // Reads and checks the file without writing to the catalogue. Fails, naming the file, when it
    // cannot be read as `options.format` at all; nothing can be added then.
    xbase::Status Prepare(Catalogue& catalogue, const std::string& path,
                          const ForeignImportOptions& options,
                          const xbase::ProgressFn& progress = nullptr);

    // The carrier code a medium goes to when the user names none: the catalogue's own carrier
    // whose code or name fits ("CD", "LP", "MC"), else a short code made from the medium.
    static std::string GuessCarrier(Catalogue& catalogue, const std::string& medium);
    // Every medium of the file, with the carrier it went to, in the order first met.
    const std::vector<std::pair<std::string, std::string>>& media() const { return media_; }

    uint32_t sources() const;
    uint32_t tracks() const;
    bool empty() const;
    // "120 sources and 1,440 tracks".
    std::string Summary() const;
    const std::vector<ForeignRefusal>& refusals() const { return refusals_; }
    uint64_t refusedRows() const { return refusedRows_; }
    // The first rows of sources.csv and tracks.csv as they will be stored.
    const std::vector<CsvPreview>& previews() const;
    // "line 12: main title cut to 50 characters; the full text is in the memo".
    const std::vector<std::string>& cutNotes() const { return cutNotes_; }

    // Adds what Prepare accepted, refused entries left out (the caller takes the safety copy
    // first; the command line adds nothing while any entry is refused).
    xbase::Status Apply(Catalogue& catalogue, const xbase::ProgressFn& progress = nullptr);

private:
    void RemoveWorkFolder();
    // The number after the highest of `carrier` in the catalogue and in its cd.ini counter, or
    // after the last this import gave.
    int64_t NextNumber(Catalogue& catalogue, const std::string& carrier);
    void TranslateRefusals();

    std::string workFolder_;
    CsvImport csv_;
    std::vector<std::pair<std::string, std::string>> media_;
    std::vector<ForeignRefusal> refusals_;
    uint64_t refusedRows_ = 0;
    std::vector<std::string> cutNotes_;
    uint64_t notesLeftOut_ = 0;
    std::map<std::string, int64_t> nextNumbers_;
    // The entry of the user's file each accepted source came from, and where the work files'
    // rows start: (line, entry).
    std::vector<std::string> origins_;
    std::vector<std::pair<long, uint32_t>> sourceStarts_;
    std::vector<std::pair<long, uint32_t>> trackStarts_;
};
