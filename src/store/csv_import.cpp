// CsvImport: reading and checking the files.
#include "store/csv_import.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unordered_map>
#include <unordered_set>

#include "platform/common/file_names.h"
#include "platform/xbase/csv/csv_reader.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"
#include "store/catalogue.h"
#include "store/csv_field.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/table_error.h"

namespace {

namespace fs = std::filesystem;
using xbase::Status;

constexpr int kPlaylistTrackOrder =
    7;  // playlist.dat: UPPER(DRAGER)+STR(CDNUMMER)+STR(TRACK)+AKANT
constexpr int kMostTracks = 999;
constexpr uint32_t kImportProgressEvery = 4096;

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// The room a data row has for its values besides a memo text.
constexpr size_t kRowBytesBesideMemo = 64 * 1024;

// Folds a memo text into a checksum of the memo texts of a file's rows.
uint64_t MemoProof(uint64_t proof, uint32_t row, const std::string& memo) {
    return (proof ^ std::hash<std::string>{}(memo) ^ row) * 0x100000001b3ull;
}

using FoundFiles = std::vector<std::pair<const CsvFile*, std::string>>;

// The import's files found in `folder` in any letter case, in the order they are read, with
// their sizes added to *totalBytes. Two spellings of one file (tracks.csv and TRACKS.CSV) make
// the folder ambiguous: which of them is meant cannot be told.
Status FilesIn(const std::string& folder, FoundFiles* files, uint64_t* totalBytes) {
    std::vector<std::vector<std::string>> found(CatalogueCsvFiles().size());
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        for (size_t i = 0; i < found.size(); ++i) {
            if (tunelo::EqualsNoCase(name, CatalogueCsvFiles()[i].name) && it->is_regular_file(ec))
                found[i].push_back(name);
        }
    }
    for (size_t i = 0; i < found.size(); ++i) {
        std::sort(found[i].begin(), found[i].end());
        if (found[i].size() > 1)
            return Status::InvalidArgument(folder, "holds both " + found[i][0] + " and " +
                                                       found[i][1] +
                                                       ": keep one of them and import again");
        if (found[i].empty())
            continue;
        const std::string path = (fs::path(folder) / found[i][0]).string();
        files->emplace_back(&CatalogueCsvFiles()[i], path);
        *totalBytes += fs::file_size(path, ec);
    }
    return Status::OK();
}

}  // namespace

// Reads a file's rows into records and checks them. Reading for Prepare, it lists the rows it
// refuses with their reasons and sums up the rows it accepts; reading again for Apply, it hands
// each accepted row to `write`, and fails when the file no longer gives the rows it gave before.
class CsvImport::Reader {
public:
    using WriteFn = std::function<Status(CsvKind, uint8_t* record, std::string& memo)>;

    Reader(CsvImport& import, Catalogue& catalogue, const xbase::ProgressFn& progress,
           uint64_t totalBytes, WriteFn write = nullptr)
        : import_(import),
          catalogue_(catalogue),
          progress_(progress),
          total_(totalBytes),
          write_(std::move(write)) {}

    Status ReadFile(const CsvFile& file, const std::string& path);

private:
    // The reason to refuse a row whose fields are in order, or "".
    std::string CheckSource(CsvKind kind, const std::string& key, const xbase::Table& table,
                            const uint8_t* record);
    // Whether the catalogue has a main title or a track of the source.
    bool InCatalogue(const std::string& key);
    std::string SourceName(const std::string& key) const;

    CsvImport& import_;
    Catalogue& catalogue_;
    const xbase::ProgressFn& progress_;
    uint64_t total_;
    WriteFn write_;
    uint64_t done_ = 0;
    std::unordered_map<std::string, bool> inCatalogue_;
    std::unordered_set<std::string> fileSources_;
    std::unordered_set<std::string> refusedSources_;
    std::unordered_map<std::string, int> fileTracks_;
    std::unordered_set<std::string> playlistEntries_;
};

Status CsvImport::Reader::ReadFile(const CsvFile& file, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return Status::NotFound(path, "cannot open it");
    xbase::CsvReader csv(in);
    csv.SetLimits(kLongestCsvHeader, kLongestCsvHeader);
    std::vector<std::string> cells;
    std::string error;
    if (!csv.Next(&cells, &error))
        return Status::InvalidArgument(path,
                                       error.empty() ? "has no header row" : "line 1: " + error);
    csv.SetLimits(kLongestMemo, kLongestMemo + kRowBytesBesideMemo);
    const xbase::Table& table = CsvTable(catalogue_, file.kind).table();
    const xbase::Schema& schema = table.schema();
    // Columns in the order they are parsed: the source's carrier and number first, so that a row
    // refused for another field still tells whose it was.
    std::vector<std::pair<size_t, const xbase::FieldDef*>> columns;
    for (size_t i = 0; i < cells.size(); ++i) {
        const std::string name(Trimmed(cells[i]));
        const int f = schema.Find(name);
        if (f < 0)
            return Status::InvalidArgument(path, "column " + CsvShown(name) + " is no field of " +
                                                     fs::path(table.path()).filename().string());
        for (const auto& column : columns) {
            if (column.second == &schema[size_t(f)])
                return Status::InvalidArgument(path, "column " + name + " appears twice");
        }
        columns.emplace_back(i, &schema[size_t(f)]);
    }
    size_t keyColumns = 0;
    for (const char* name : {"CDNUMMER", "DRAGER"}) {
        const auto it = std::find_if(columns.begin(), columns.end(),
                                     [&](const auto& c) { return c.second->name == name; });
        if (it == columns.end())
            return Status::InvalidArgument(path, std::string("has no column ") + name);
        std::rotate(columns.begin(), it, it + 1);
        ++keyColumns;
    }
    // A track and a playlist entry are known by their number.
    if ((file.kind == CsvKind::Tracks || file.kind == CsvKind::Playlist) &&
        std::none_of(columns.begin(), columns.end(),
                     [](const auto& c) { return c.second->name == "TRACK"; }))
        return Status::InvalidArgument(path, "has no column TRACK");
    const xbase::FieldDef& carrier = schema[size_t(schema.Find("DRAGER"))];
    const xbase::FieldDef& number = schema[size_t(schema.Find("CDNUMMER"))];

    CsvPreview preview{file.name, cells, {}};
    std::vector<uint8_t> blank(table.recordLength(), ' ');
    for (const xbase::FieldDef& f : schema.fields())
        xbase::SetBlank(blank.data(), f);
    std::vector<uint8_t> record;
    std::string memo;
    Rows rows;
    uint32_t read = 0;
    while (csv.Next(&cells, &error)) {
        if (++read % kImportProgressEvery == 0 && progress_) {
            const std::streamoff at = in.tellg();
            progress_(done_ + uint64_t(at < 0 ? 0 : at), total_);
        }
        if (cells.size() == 1 && cells[0].empty() && columns.size() > 1)
            continue;  // an empty line
        std::string reason, key;
        if (cells.size() != columns.size()) {
            reason = "has " + std::to_string(cells.size()) + " values where the header names " +
                     std::to_string(columns.size());
        } else {
            record = blank;
            memo.clear();
            for (size_t c = 0; c < columns.size() && reason.empty(); ++c) {
                const xbase::FieldDef& f = *columns[c].second;
                const std::string& cell = cells[columns[c].first];
                reason = int(columns[c].first) == csv.strayQuote()
                             ? f.name + ": " + CsvShown(cell) + " has text after its closing quote"
                             : ParseCsvField(table.codePage(), f, cell, record.data(), &memo);
                if (reason.empty() && c + 1 == keyColumns) {
                    const std::string code = TableUpper(xbase::FieldBytes(record.data(), carrier));
                    std::memcpy(record.data() + carrier.offset, code.data(), carrier.length);
                    if (Trimmed(code).empty())
                        reason = "DRAGER: the source has no carrier";
                    key = SourceSeekKey(code, xbase::FieldBytes(record.data(), number));
                }
            }
        }
        if (reason.empty())
            reason = CheckSource(file.kind, key, table, record.data());
        else if (file.kind == CsvKind::Sources && !key.empty())
            refusedSources_.insert(key);
        if (!reason.empty()) {
            if (!write_ && import_.refusals_.size() < kRefusalsKept)
                import_.refusals_.push_back({file.name, csv.line(), std::move(reason)});
            import_.refusedRows_ += write_ ? 0 : 1;
            continue;
        }
        if (!write_ && preview.rows.size() < kPreviewRows)
            preview.rows.push_back(cells);
        rows.proof = RecordsProof(table, record.data(), 1, rows.proof);
        if (!memo.empty())
            rows.memoProof = MemoProof(rows.memoProof, rows.count, memo);
        ++rows.count;
        if (write_)
            XB_RETURN_IF_ERROR(write_(file.kind, record.data(), memo));
    }
    if (!error.empty())
        return Status::InvalidArgument(path, "line " + std::to_string(csv.line()) + ": " + error);
    std::error_code ec;
    done_ += fs::file_size(path, ec);
    if (progress_)
        progress_(done_, total_);
    Rows& checked = import_.rows_[int(file.kind)];
    if (!write_) {
        checked = rows;
        import_.previews_.push_back(std::move(preview));
    } else if (rows.count != checked.count || rows.proof != checked.proof ||
               rows.memoProof != checked.memoProof) {
        return Status::InvalidArgument(path, "changed since it was read");
    }
    return Status::OK();
}

std::string CsvImport::Reader::CheckSource(CsvKind kind, const std::string& key,
                                           const xbase::Table& table, const uint8_t* record) {
    const std::string name = SourceName(key);
    if (kind == CsvKind::Sources) {
        if (fileSources_.count(key) != 0)
            return "source " + name + " is in sources.csv twice";
        if (InCatalogue(key))
            return "source " + name + " is already in the catalogue";
        fileSources_.insert(key);
        if (!write_) {
            // The entry screen offers the carrier's next number after the highest imported one.
            const int number = std::stoi(std::string(Trimmed(key.substr(10))));
            int& next = import_.nextNumbers_[xbase::ToUtf8(xbase::CodePage::Windows1252(),
                                                           Trimmed(key.substr(0, 10)))];
            next = std::max(next, number + 1);
        }
        return "";
    }
    if (refusedSources_.count(key) != 0)
        return "its source " + name + " was refused in sources.csv";
    if (kind == CsvKind::Tracks) {
        if (fileSources_.count(key) == 0 && InCatalogue(key))
            return "source " + name + " is already in the catalogue";
        // As on the entry screens, a track belongs to a main title.
        if (fileSources_.count(key) == 0)
            return "there is no source " + name + " in sources.csv";
        if (++fileTracks_[key] > kMostTracks)
            return "source " + name + " has more than 999 tracks";
        return "";
    }
    if (fileSources_.count(key) == 0 && fileTracks_.count(key) == 0 && !InCatalogue(key))
        return "there is no source " + name;
    if (kind == CsvKind::Playlist) {
        const xbase::Schema& schema = table.schema();
        const std::string track(
            Trimmed(xbase::FieldBytes(record, schema[size_t(schema.Find("TRACK"))])));
        const std::string entry =
            key + std::string(10 - std::min<size_t>(10, track.size()), ' ') + track +
            std::string(xbase::FieldBytes(record, schema[size_t(schema.Find("AKANT"))]));
        TTableAccess& playlist = catalogue_.dm3.PlaylistAccess;
        playlist.SetOrder(kPlaylistTrackOrder);
        if (!playlistEntries_.insert(entry).second || playlist.Seek(entry))
            return "track " + track + " of source " + name + " is already in the playlist";
    }
    return "";
}

bool CsvImport::Reader::InCatalogue(const std::string& key) {
    const auto found = inCatalogue_.find(key);
    if (found != inCatalogue_.end())
        return found->second;
    TTableAccess& titles = catalogue_.dm2.HfAccess;
    TTableAccess& tracks = catalogue_.dm1.ArtAccess;
    titles.SetOrder(kTitleSourceOrder);
    tracks.SetOrder(kTrackSourceOrder);
    const bool known = titles.Seek(key) || tracks.Seek(key);
    inCatalogue_.emplace(key, known);
    return known;
}

std::string CsvImport::Reader::SourceName(const std::string& key) const {
    return xbase::ToUtf8(xbase::CodePage::Windows1252(), Trimmed(key.substr(0, 10))) + " " +
           std::string(Trimmed(key.substr(10)));
}

bool CsvImport::empty() const {
    for (const Rows& rows : rows_) {
        if (rows.count > 0)
            return false;
    }
    return true;
}

std::string CsvImport::Summary() const {
    const auto count = [this](CsvKind kind, const std::string& one, const std::string& many) {
        const uint32_t n = rows_[int(kind)].count;
        return (n == 0 ? "no" : std::to_string(n)) + " " + (n == 1 ? one : many);
    };
    return count(CsvKind::Sources, "source", "sources") + ", " +
           count(CsvKind::Tracks, "track", "tracks") + ", " +
           count(CsvKind::Loans, "loan", "loans") + " and " +
           count(CsvKind::Playlist, "playlist entry", "playlist entries");
}

Status CsvImport::Prepare(Catalogue& catalogue, const std::string& folder,
                          const xbase::ProgressFn& progress) {
    for (Rows& rows : rows_)
        rows = Rows();
    refusals_.clear();
    refusedRows_ = 0;
    previews_.clear();
    folder_ = folder;
    nextNumbers_.clear();
    uint64_t totalBytes = 0;
    FoundFiles files;
    XB_RETURN_IF_ERROR(FilesIn(folder, &files, &totalBytes));
    if (files.empty())
        return Status::NotFound(folder,
                                "holds no sources.csv, tracks.csv, loans.csv or playlist.csv");
    try {
        SavedPosition titles(catalogue.dm2.HfAccess);
        SavedPosition tracks(catalogue.dm1.ArtAccess);
        SavedPosition playlist(catalogue.dm3.PlaylistAccess);
        Reader reader(*this, catalogue, progress, totalBytes);
        for (const auto& [file, path] : files)
            XB_RETURN_IF_ERROR(reader.ReadFile(*file, path));
    } catch (const TableError& error) {
        return error.status();
    }
    if (progress)
        progress(totalBytes, totalBytes);
    return Status::OK();
}

Status CsvImport::ReadAgain(Catalogue& catalogue, const xbase::ProgressFn& progress,
                            const std::function<Status(CsvKind, uint8_t*, std::string&)>& write) {
    uint64_t totalBytes = 0;
    FoundFiles files;
    XB_RETURN_IF_ERROR(FilesIn(folder_, &files, &totalBytes));
    SavedPosition titles(catalogue.dm2.HfAccess);
    SavedPosition tracks(catalogue.dm1.ArtAccess);
    SavedPosition playlist(catalogue.dm3.PlaylistAccess);
    Reader reader(*this, catalogue, progress, totalBytes, write);
    for (const CsvFile& file : CatalogueCsvFiles()) {
        const auto found = std::find_if(files.begin(), files.end(),
                                        [&](const auto& f) { return f.first == &file; });
        if (found != files.end())
            XB_RETURN_IF_ERROR(reader.ReadFile(file, found->second));
        else if (rows_[int(file.kind)].count > 0)
            return Status::NotFound(folder_, std::string("no longer holds ") + file.name);
    }
    return Status::OK();
}
