// What a collection file of another program holds, read into one neutral form: sources with their
// tracks, named as the file names them. A reader hands each source to a sink as soon as it is
// read, so that no file is held whole in memory. A whole file that cannot be read (not the format,
// cut short, an XML entity declared) fails the read with a Status naming the file and the place;
// one entry that cannot be taken is handed on with its refusal, and reading goes on.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/common/status.h"

namespace foreign {

enum class Format { Discogs, Tellico, Gcstar, Csv };

// "discogs", "tellico", "gcstar", "csv": the names of the command line's --from.
const char* FormatName(Format format);
std::optional<Format> FormatFromName(std::string_view name);
// "Discogs collection export", "Tellico", "GCstar", "CSV file".
const char* FormatTitle(Format format);

struct Track {
    int number = 0;    // 0: numbered in the order read
    std::string side;  // "A", "B" or "" as the file gives it
    std::string title;
    std::string artist;
    std::string composer;
    int seconds = -1;  // -1: no time given
};

struct Source {
    std::string origin;  // where the file holds it, for messages: "line 12", "entry 5"
    std::string medium;  // the carrier as the file names it: "CD", "Vinyl, LP, Album", "Cassette"
    int64_t number = 0;  // 0: the next free number of its carrier (only a mapped CSV gives one)
    std::string title;
    std::string artist;
    std::string label;
    std::string genre;
    std::string year;          // "1994" or ""
    std::string purchaseDate;  // "YYYY-MM-DD" or ""
    std::string purchasePlace;
    std::string price;  // "12.50" or ""
    std::string cdId;   // a disc identity, or ""
    // Text for the memo sheet, each a labelled line: {"Media condition", "Mint (M)"}.
    std::vector<std::pair<std::string, std::string>> notes;
    std::vector<Track> tracks;
    std::string refusal;  // not empty: the entry cannot be taken, and why
    // For the preview, not the memo: how the entry was read ("not UTF-8: read as Windows-1252").
    std::string remark;
};

// Told each source read; a Status that is not ok stops the reading and is returned by the reader.
using Sink = std::function<tunelo::Status(Source&&)>;
// Told the bytes of the file read so far and its size.
using Progress = std::function<void(uint64_t done, uint64_t total)>;

// The format of a file from its name and first bytes, or nullopt when it is none of them (a CSV
// whose header is not the Discogs export's is Format::Csv).
std::optional<Format> DetectFormat(const std::string& path);

}  // namespace foreign
