#include "transfer/foreign_import.h"

#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "base/clock.h"
#include "base/ini.h"
#include "base/text.h"
#include "base/ui.h"
#include "platform/foreign/collection_readers.h"
#include "platform/foreign/foreign_text.h"
#include "platform/foreign/mapped_csv.h"
#include "store/catalogue.h"
#include "store/saved_position.h"
#include "store/source_key.h"
#include "store/table_error.h"
#include "transfer/foreign_rows.h"

namespace {

namespace fs = std::filesystem;
using xbase::Status;

// Rows are gathered in memory up to this many bytes before they go to the work files.
constexpr size_t kRowBufferBytes = size_t(1) << 20;
// Notes of the preview besides the refusals: enough to read, never a second copy of the file.
constexpr size_t kNotesKept = 1000;

std::string TodayIso() {
    const std::time_t now = std::chrono::system_clock::to_time_t(Clock::Now());
    std::tm local{};
    localtime_r(&now, &local);
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", local.tm_year + 1900, local.tm_mon + 1,
                  local.tm_mday);
    return text;
}

// "1,440".
std::string Grouped(uint64_t n) {
    std::string digits = std::to_string(n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return digits;
}

std::string Counted(uint64_t n, const char* one, const char* many) {
    return (n == 0 ? std::string("no") : Grouped(n)) + " " + (n == 1 ? one : many);
}

std::string UpperAscii(std::string_view text) {
    std::string upper(foreign::Trimmed(text));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    }
    return upper;
}

// The carrier a medium's own word stands for when the catalogue has none of that name.
struct MediumCarrier {
    const char* word;
    const char* carrier;
};
constexpr MediumCarrier kMediumCarriers[] = {
    {"CD", "CD"},           {"CDR", "CD"},
    {"SACD", "SACD"},       {"VINYL", "LP"},
    {"LP", "LP"},           {"CASSETTE", "MC"},
    {"MC", "MC"},           {"DVD", "DVD"},
    {"BLU-RAY", "BD"},      {"FILE", "FILE"},
    {"MINIDISC", "MD"},     {"DAT", "DAT"},
    {"SHELLAC", "78"},      {"REEL-TO-REEL", "TAPE"},
    {"COMPACT DISC", "CD"}, {"AUDIO CD", "CD"},
    {"RECORD", "LP"},       {"CASSETTE TAPE", "MC"},
};

// The lines of a work file where each row starts, with the entry of the user's file it came from.
void NoteRows(const std::string& rows, long* line, uint32_t entry,
              std::vector<std::pair<long, uint32_t>>* starts) {
    size_t at = 0;
    bool quoted = false;
    bool rowStart = true;
    for (; at < rows.size(); ++at) {
        if (rowStart) {
            starts->emplace_back(*line, entry);
            rowStart = false;
        }
        const char c = rows[at];
        if (c == '"')
            quoted = !quoted;
        else if (c == '\n') {
            ++*line;
            rowStart = !quoted;
        }
    }
}

}  // namespace

ForeignImport::~ForeignImport() {
    RemoveWorkFolder();
}

void ForeignImport::RemoveWorkFolder() {
    if (workFolder_.empty())
        return;
    std::error_code ignored;
    fs::remove_all(workFolder_, ignored);
    workFolder_.clear();
}

std::string ForeignImport::GuessCarrier(Catalogue& catalogue, const std::string& medium) {
    std::vector<std::string> carriers;
    {
        // A catalogue without carrier items yet is no news to tell the user.
        const ScopedUi quiet(nullptr);
        catalogue.dm3.GetItems(carriers, 'D');
    }
    // "2xVinyl, LP, Album": the kind first, its descriptions after.
    std::vector<std::string> words;
    std::string_view rest = medium;
    while (!rest.empty()) {
        const size_t comma = rest.find(',');
        std::string word = UpperAscii(rest.substr(0, comma));
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
        const size_t x = word.find('X');
        if (words.empty() && x != std::string::npos && x > 0 &&
            std::all_of(word.begin(), word.begin() + long(x),
                        [](char c) { return c >= '0' && c <= '9'; }))
            word = std::string(foreign::Trimmed(word.substr(x + 1)));
        if (!word.empty())
            words.push_back(word);
    }
    std::vector<std::string> candidates = words;
    for (const std::string& word : words) {
        for (const MediumCarrier& known : kMediumCarriers) {
            if (word == known.word)
                candidates.push_back(known.carrier);
        }
    }
    for (const std::string& candidate : candidates) {
        for (const std::string& carrier : carriers) {
            if (UpperAscii(carrier) == candidate)
                return UpperAscii(carrier);
        }
    }
    for (const std::string& word : words) {
        for (const MediumCarrier& known : kMediumCarriers) {
            if (word == known.word)
                return known.carrier;
        }
    }
    if (words.empty())
        return carriers.empty() ? "CD" : UpperAscii(carriers.front());
    // A name too long for a code gives its first word rather than a cut in the middle of another.
    std::string code = words.front();
    if (code.size() > size_t(kCarrierWidth) && code.find(' ') != std::string::npos)
        code.resize(code.find(' '));
    code.resize(std::min(code.size(), size_t(kCarrierWidth)));
    while (!code.empty() && code.back() == ' ')
        code.pop_back();
    return code;
}

int64_t ForeignImport::NextNumber(Catalogue& catalogue, const std::string& carrier) {
    const auto known = nextNumbers_.find(carrier);
    if (known != nextNumbers_.end())
        return known->second;
    int64_t next = std::max(1, IniReadInteger("Geluidsdragers", carrier, 1));
    TTableAccess& titles = catalogue.dm2.HfAccess;
    SavedPosition saved(titles);
    titles.SetOrder(kTitleSourceOrder);
    const std::string key = SourceSeekKey(carrier, 1).substr(0, size_t(kCarrierWidth));
    if (titles.Seek(key)) {
        for (; !titles.Eof() &&
               TableUpper(PadRight(titles.GetString("DRAGER").bytes(), kCarrierWidth)) == key;
             titles.Skip(1))
            next = std::max(next, titles.GetInteger("CDNUMMER") + 1);
    }
    nextNumbers_[carrier] = next;
    return next;
}

Status ForeignImport::Prepare(Catalogue& catalogue, const std::string& path,
                              const ForeignImportOptions& options,
                              const xbase::ProgressFn& progress) {
    RemoveWorkFolder();
    media_.clear();
    refusals_.clear();
    refusedRows_ = 0;
    cutNotes_.clear();
    notesLeftOut_ = 0;
    nextNumbers_.clear();
    origins_.clear();
    sourceStarts_.clear();
    trackStarts_.clear();
    std::string folder = (fs::temp_directory_path() / "tunelo-import-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        return Status::IOError(folder, "a work folder for the import cannot be made");
    workFolder_ = folder;

    std::ofstream sourcesFile(fs::path(workFolder_) / "sources.csv", std::ios::binary);
    std::ofstream tracksFile(fs::path(workFolder_) / "tracks.csv", std::ios::binary);
    std::string sourceRows = ForeignRows::SourceHeader();
    std::string trackRows = ForeignRows::TrackHeader();
    long sourceLine = 2, trackLine = 2;  // after the header rows
    ForeignRows rows(catalogue.dm2.HfTable.table(), catalogue.dm1.ArtTable.table(), TodayIso());
    std::map<std::string, std::string> carrierOf;
    const auto note = [this](std::string text) {
        if (cutNotes_.size() < kNotesKept)
            cutNotes_.push_back(std::move(text));
        else
            ++notesLeftOut_;
    };
    const auto refuse = [this](const std::string& origin, std::string reason) {
        if (refusals_.size() < kRefusalsKept)
            refusals_.push_back({origin, std::move(reason)});
        ++refusedRows_;
    };
    const auto flush = [&](bool always) {
        if (always || sourceRows.size() + trackRows.size() > kRowBufferBytes) {
            sourcesFile << sourceRows;
            tracksFile << trackRows;
            sourceRows.clear();
            trackRows.clear();
        }
    };
    const auto take = [&](foreign::Source&& source) -> Status {
        if (!source.remark.empty())
            note(source.origin + ": " + source.remark);
        if (!source.refusal.empty()) {
            refuse(source.origin, source.refusal);
            return Status::OK();
        }
        auto carrier = carrierOf.find(source.medium);
        if (carrier == carrierOf.end()) {
            const auto chosen = options.carriers.find(source.medium);
            const std::string code = chosen != options.carriers.end()
                                         ? UpperAscii(chosen->second)
                                         : GuessCarrier(catalogue, source.medium);
            carrier = carrierOf.emplace(source.medium, code).first;
            media_.emplace_back(source.medium, code);
        }
        const bool numbered = source.number > 0;
        const int64_t number = numbered ? source.number : NextNumber(catalogue, carrier->second);
        if (number > kLastSourceNumber) {
            refuse(source.origin, "carrier " + carrier->second + " has no free number left");
            return Status::OK();
        }
        std::vector<std::string> cuts;
        std::string sourceRow, trackRow;
        const std::string reason =
            rows.Convert(source, carrier->second, number, &sourceRow, &trackRow, &cuts);
        if (!reason.empty()) {
            refuse(source.origin, reason);
            return Status::OK();
        }
        if (!numbered)
            nextNumbers_[carrier->second] = number + 1;
        for (std::string& cut : cuts)
            note(std::move(cut));
        const auto entry = uint32_t(origins_.size());
        origins_.push_back(std::move(source.origin));
        NoteRows(sourceRow, &sourceLine, entry, &sourceStarts_);
        NoteRows(trackRow, &trackLine, entry, &trackStarts_);
        sourceRows += sourceRow;
        trackRows += trackRow;
        flush(false);
        return Status::OK();
    };
    const foreign::Progress reading = [&progress](uint64_t done, uint64_t total) {
        if (progress)
            progress(done, total * 2);
    };
    Status status;
    try {
        status = options.format == foreign::Format::Csv
                     ? foreign::ReadMappedCsv(path, options.columns, take, reading)
                     : foreign::ReadCollection(options.format, path, take, reading);
    } catch (const TableError& error) {
        status = error.status();
    }
    flush(true);
    sourcesFile.close();
    tracksFile.close();
    if (status.ok() && (!sourcesFile || !tracksFile))
        status = Status::IOError(workFolder_, "the import's work files cannot be written");
    if (!status.ok()) {
        RemoveWorkFolder();  // nothing to apply
        return status;
    }
    if (notesLeftOut_ > 0)
        cutNotes_.push_back("… and " + Grouped(notesLeftOut_) + " more notes");
    status = csv_.Prepare(catalogue, workFolder_, [&progress](uint64_t done, uint64_t total) {
        if (progress && total > 0)
            progress(total + done, total * 2);
    });
    if (!status.ok()) {
        RemoveWorkFolder();
        return Status(status.code() == tunelo::Status::Code::kIOError
                          ? Status::IOError(path, status.message())
                          : Status::InvalidArgument(path, status.message()));
    }
    TranslateRefusals();
    return Status::OK();
}

// The CSV import refuses what only the whole catalogue shows (a number taken): its refusals name
// the work files' lines, the user knows the entries of the file.
void ForeignImport::TranslateRefusals() {
    std::string last;
    for (const CsvRefusal& refusal : csv_.refusals()) {
        const auto& starts = refusal.file == "sources.csv" ? sourceStarts_ : trackStarts_;
        const auto found = std::lower_bound(
            starts.begin(), starts.end(), std::pair<long, uint32_t>(refusal.line, 0),
            [](const auto& a, const auto& b) { return a.first < b.first; });
        const std::string origin = found != starts.end() && found->first == refusal.line
                                       ? origins_[found->second]
                                       : refusal.file + " line " + std::to_string(refusal.line);
        if (origin == last)
            continue;  // the tracks of a refused source
        last = origin;
        if (refusals_.size() < kRefusalsKept)
            refusals_.push_back({origin, refusal.reason});
        ++refusedRows_;
    }
    if (csv_.refusedRows() > csv_.refusals().size())
        refusedRows_ += csv_.refusedRows() - csv_.refusals().size();
}

uint32_t ForeignImport::sources() const {
    return csv_.count(CsvKind::Sources);
}

uint32_t ForeignImport::tracks() const {
    return csv_.count(CsvKind::Tracks);
}

bool ForeignImport::empty() const {
    return csv_.empty();
}

std::string ForeignImport::Summary() const {
    return Counted(sources(), "source", "sources") + " and " + Counted(tracks(), "track", "tracks");
}

const std::vector<CsvPreview>& ForeignImport::previews() const {
    return csv_.previews();
}

Status ForeignImport::Apply(Catalogue& catalogue, const xbase::ProgressFn& progress) {
    if (workFolder_.empty())
        return Status::InvalidArgument("", "nothing was read to import");
    return csv_.Apply(catalogue, progress);
}
