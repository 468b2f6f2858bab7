// Which program a file comes from: by its first bytes, then its name.
#include <filesystem>
#include <fstream>

#include "platform/foreign/collection_readers.h"
#include "platform/foreign/foreign_text.h"
#include "platform/foreign/mapped_csv.h"

namespace foreign {

namespace {

constexpr size_t kDetectBytes = 4096;

bool EndsWith(const std::string& path, std::string_view suffix) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return SameName(extension, suffix);
}

}  // namespace

std::optional<Format> DetectFormat(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string start(kDetectBytes, '\0');
    in.read(start.data(), std::streamsize(start.size()));
    start.resize(size_t(in.gcount()));
    if (start.compare(0, 4, "PK\x03\x04") == 0)
        return EndsWith(path, ".tc") || EndsWith(path, ".zip") ? std::optional(Format::Tellico)
                                                               : std::nullopt;
    const size_t first = start.find_first_not_of(" \t\r\n\xEF\xBB\xBF");
    if (first != std::string::npos && start[first] == '<') {
        if (start.find("<tellico") != std::string::npos || EndsWith(path, ".tc"))
            return Format::Tellico;
        if (start.find("GCmusics") != std::string::npos || EndsWith(path, ".gcs"))
            return Format::Gcstar;
        return std::nullopt;
    }
    if (EndsWith(path, ".tc"))
        return Format::Tellico;
    if (EndsWith(path, ".gcs"))
        return Format::Gcstar;
    std::vector<std::string> header;
    if (!ReadCsvHeader(path, &header).ok())
        return std::nullopt;
    return IsDiscogsHeader(header) ? Format::Discogs : Format::Csv;
}

tunelo::Status ReadCollection(Format format, const std::string& path, const Sink& sink,
                              const Progress& progress) {
    switch (format) {
        case Format::Discogs:
            return ReadDiscogsCsv(path, sink, progress);
        case Format::Tellico:
            return ReadTellico(path, sink, progress);
        case Format::Gcstar:
            return ReadGcstar(path, sink, progress);
        case Format::Csv:
            break;
    }
    return tunelo::Status::InvalidArgument(path, "a CSV file needs a column map to be read");
}

}  // namespace foreign
