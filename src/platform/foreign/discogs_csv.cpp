// The Discogs collection export: a CSV file with a header row naming its columns. Columns the
// export adds later (custom collection fields) go to the memo under their own names.
#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/foreign/collection_readers.h"
#include "platform/foreign/csv_rows.h"
#include "platform/foreign/foreign_text.h"

namespace foreign {

namespace {

enum class DiscogsColumn {
    CatalogNumber,
    Artist,
    Title,
    Label,
    Format,
    Rating,
    Released,
    ReleaseId,
    Folder,
    DateAdded,
    MediaCondition,
    SleeveCondition,
    Notes,
    Other,
};

struct DiscogsHeader {
    const char* name;
    DiscogsColumn column;
};

constexpr DiscogsHeader kDiscogsHeaders[] = {
    {"Catalog#", DiscogsColumn::CatalogNumber},
    {"Artist", DiscogsColumn::Artist},
    {"Title", DiscogsColumn::Title},
    {"Label", DiscogsColumn::Label},
    {"Format", DiscogsColumn::Format},
    {"Rating", DiscogsColumn::Rating},
    {"Released", DiscogsColumn::Released},
    {"release_id", DiscogsColumn::ReleaseId},
    {"CollectionFolder", DiscogsColumn::Folder},
    {"Date Added", DiscogsColumn::DateAdded},
    {"Collection Media Condition", DiscogsColumn::MediaCondition},
    {"Collection Sleeve Condition", DiscogsColumn::SleeveCondition},
    {"Collection Notes", DiscogsColumn::Notes},
};

DiscogsColumn ColumnNamed(std::string_view name) {
    for (const DiscogsHeader& header : kDiscogsHeaders) {
        if (SameName(name, header.name))
            return header.column;
    }
    return DiscogsColumn::Other;
}

bool Digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
}

// Discogs tells artists of one name apart by a number: "Nirvana (2)". The catalogue keeps the
// name; every artist of a joined credit ("A (2), B (3)") loses its number.
std::string WithoutArtistNumbers(std::string_view artist) {
    std::string out;
    size_t i = 0;
    while (i < artist.size()) {
        if (artist.compare(i, 2, " (") == 0) {
            const size_t close = artist.find(')', i + 2);
            if (close != std::string_view::npos && Digits(artist.substr(i + 2, close - i - 2)) &&
                (close + 1 == artist.size() || artist[close + 1] == ',' ||
                 artist[close + 1] == ' ')) {
                i = close + 1;
                continue;
            }
        }
        out.push_back(artist[i++]);
    }
    return out;
}

// "1994", "1994-03-15" or "1994-00-00": the year, or "" when the text holds none.
std::string YearOf(std::string_view released) {
    const std::string_view year = released.substr(0, 4);
    if (Digits(year) && (released.size() == 4 || released[4] == '-') && year != "0000")
        return std::string(year);
    return "";
}

// "2019-05-12 10:23:45" or "2019-05-12": the date, or "" when it is not one.
std::string DateOf(std::string_view added) {
    const std::string_view date = added.substr(0, 10);
    if (date.size() == 10 && Digits(date.substr(0, 4)) && date[4] == '-' &&
        Digits(date.substr(5, 2)) && date[7] == '-' && Digits(date.substr(8, 2)) &&
        (added.size() == 10 || added[10] == ' ' || added[10] == 'T'))
        return std::string(date);
    return "";
}

// One row of the export as a source.
Source SourceOf(const std::vector<DiscogsColumn>& columns, const std::vector<std::string>& header,
                const std::vector<std::string>& cells) {
    Source source;
    std::optional<std::string> releaseId;
    for (size_t c = 0; c < columns.size(); ++c) {
        const std::string value(Trimmed(cells[c]));
        if (value.empty())
            continue;
        switch (columns[c]) {
            case DiscogsColumn::CatalogNumber:
                if (value != "none")
                    source.notes.emplace_back("Catalog#", value);
                break;
            case DiscogsColumn::Artist:
                source.artist = WithoutArtistNumbers(value);
                break;
            case DiscogsColumn::Title:
                source.title = value;
                break;
            case DiscogsColumn::Label:
                source.label = WithoutArtistNumbers(value);
                break;
            case DiscogsColumn::Format:
                source.medium = value;
                break;
            case DiscogsColumn::Rating:
                if (value != "0")
                    source.notes.emplace_back("Rating", value);
                break;
            case DiscogsColumn::Released:
                source.year = YearOf(value);
                if (source.year.empty() && value != "0")
                    source.notes.emplace_back("Released", value);
                break;
            case DiscogsColumn::ReleaseId:
                releaseId = value;
                break;
            case DiscogsColumn::Folder:
                source.notes.emplace_back("Folder", value);
                break;
            case DiscogsColumn::DateAdded:
                source.purchaseDate = DateOf(value);
                if (source.purchaseDate.empty())
                    source.notes.emplace_back("Date added", value);
                break;
            case DiscogsColumn::MediaCondition:
                source.notes.emplace_back("Media condition", value);
                break;
            case DiscogsColumn::SleeveCondition:
                source.notes.emplace_back("Sleeve condition", value);
                break;
            case DiscogsColumn::Notes:
                source.notes.emplace_back("Notes", value);
                break;
            case DiscogsColumn::Other:
                source.notes.emplace_back(header[c], value);
                break;
        }
    }
    if (releaseId) {
        if (Digits(*releaseId))
            source.notes.emplace_back("Discogs", "https://www.discogs.com/release/" + *releaseId);
        else
            source.notes.emplace_back("release_id", *releaseId);
    }
    return source;
}

}  // namespace

bool IsDiscogsHeader(const std::vector<std::string>& header) {
    int known = 0;
    for (const std::string& name : header) {
        const DiscogsColumn column = ColumnNamed(name);
        known += column == DiscogsColumn::ReleaseId || column == DiscogsColumn::CatalogNumber ||
                 column == DiscogsColumn::Folder;
    }
    return known >= 2;
}

tunelo::Status ReadDiscogsCsv(const std::string& path, const Sink& sink, const Progress& progress) {
    CsvRows rows(path, progress);
    std::vector<std::string> header;
    if (const tunelo::Status opened = rows.Open(&header); !opened.ok())
        return opened;
    std::vector<DiscogsColumn> columns;
    for (const std::string& name : header)
        columns.push_back(ColumnNamed(name));
    for (const DiscogsColumn needed : {DiscogsColumn::Artist, DiscogsColumn::Title}) {
        if (std::find(columns.begin(), columns.end(), needed) == columns.end())
            return tunelo::Status::InvalidArgument(
                path, std::string("is not a Discogs collection export: it has no column ") +
                          (needed == DiscogsColumn::Artist ? "Artist" : "Title"));
    }
    std::vector<std::string> cells;
    bool windows1252 = false;
    while (rows.Next(&cells, &windows1252)) {
        Source source;
        if (cells.size() != columns.size()) {
            source.refusal = "has " + std::to_string(cells.size()) +
                             " values where the header names " + std::to_string(columns.size());
        } else if (rows.strayQuote() >= 0) {
            source.refusal = header[size_t(rows.strayQuote())] + ": text after the closing quote";
        } else {
            source = SourceOf(columns, header, cells);
            if (Trimmed(source.title).empty())
                source.refusal = "has no title";
        }
        source.origin = rows.origin();
        if (windows1252)
            source.remark = kReadAsWindows1252;
        if (const tunelo::Status taken = sink(std::move(source)); !taken.ok())
            return taken;
    }
    return rows.failure();
}

}  // namespace foreign
