#include "platform/foreign/mapped_csv.h"

#include <algorithm>
#include <fstream>
#include <optional>

#include "platform/foreign/csv_rows.h"
#include "platform/foreign/foreign_text.h"
#include "platform/xbase/status.h"

namespace foreign {

namespace {

constexpr const char* kColumnsSection = "[Columns]";

bool MappedDigits(std::string_view text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "4:05", "1:02:33" or the seconds alone: the seconds, or -1.
int SecondsOf(std::string_view text) {
    int seconds = 0;
    int parts = 0;
    while (!text.empty()) {
        const size_t colon = text.find(':');
        const std::string_view part = text.substr(0, colon);
        if (!MappedDigits(part) || part.size() > 6 || (parts > 0 && part.size() != 2))
            return -1;
        const int value = std::stoi(std::string(part));
        if (parts > 0 && value > 59)
            return -1;
        seconds = seconds * 60 + value;
        ++parts;
        text = colon == std::string_view::npos ? std::string_view() : text.substr(colon + 1);
        if (colon != std::string_view::npos && text.empty())
            return -1;
    }
    return parts == 0 || parts > 3 ? -1 : seconds;
}

// Dates as spreadsheets write them, "2019/05/12", "12-05-2019", "12.05.2019", "12/05/2019", as
// yyyy-mm-dd (day before month, as in most of the world); anything else as it stands, for the
// import to refuse with its reason.
std::string IsoDate(std::string_view text) {
    if (text.size() != 10)
        return std::string(text);
    const char a = text[2], b = text[5], c = text[4], d = text[7];
    if ((c == '/' || c == '.') && c == d)
        return std::string(text.substr(0, 4)) + "-" + std::string(text.substr(5, 2)) + "-" +
               std::string(text.substr(8, 2));
    if ((a == '-' || a == '.' || a == '/') && a == b)
        return std::string(text.substr(6, 4)) + "-" + std::string(text.substr(3, 2)) + "-" +
               std::string(text.substr(0, 2));
    return std::string(text);
}

// "12,50", "€ 12.50": the price as the catalogue writes it.
std::string PlainPrice(std::string_view text) {
    std::string out;
    for (const char c : text) {
        if (c == ',')
            out.push_back('.');
        else if ((c >= '0' && c <= '9') || c == '.' || c == '-')
            out.push_back(c);
        else if (c != ' ' && (static_cast<unsigned char>(c) < 0x80 || !out.empty()))
            return std::string(text);  // not a price: refused with it as it stands
    }
    return out;
}

bool IsTrackTarget(std::string_view target) {
    for (const char* name : {"side", "track", "title", "artist", "composer", "time"}) {
        if (target == name)
            return true;
    }
    return false;
}

// The rows of the file read one after another into sources.
class MappedRows {
public:
    MappedRows(const ColumnMap& map, const Sink& sink) : map_(map), sink_(sink) {
        const auto mapped = [&](const char* name) {
            return std::find(map.targets.begin(), map.targets.end(), name) != map.targets.end();
        };
        byNumber_ = mapped("carrier") && mapped("number");
    }

    tunelo::Status Row(const std::vector<std::string>& cells, const std::string& origin,
                       bool windows1252) {
        Source row;
        Track track;
        bool hasTrack = false;
        std::string fault;
        for (size_t c = 0; c < cells.size() && c < map_.targets.size(); ++c) {
            const std::string& target = map_.targets[c];
            const std::string value(Trimmed(cells[c]));
            if (value.empty() || target == "ignore")
                continue;
            hasTrack = hasTrack || IsTrackTarget(target);
            if (!Take(target, value, map_.header[c], &row, &track) && fault.empty())
                fault = target + ": \"" + value.substr(0, 60) + "\" is not " + Expected(target);
        }
        const std::string key = byNumber_ ? row.medium + '\x1f' + std::to_string(row.number)
                                          : row.title + '\x1f' + row.artist;
        if (!pending_ || key != pendingKey_) {
            XB_RETURN_IF_ERROR(Flush());
            pending_ = std::move(row);
            pending_->origin = origin;
            pendingKey_ = key;
        } else {
            Merge(std::move(row));
        }
        if (!fault.empty() && pending_->refusal.empty())
            pending_->refusal = (origin == pending_->origin ? "" : origin + ": ") + fault;
        if (windows1252)
            pending_->remark = kReadAsWindows1252;
        if (hasTrack)
            pending_->tracks.push_back(std::move(track));
        return tunelo::Status::OK();
    }

    tunelo::Status Flush() {
        if (!pending_)
            return tunelo::Status::OK();
        Source source = std::move(*pending_);
        pending_.reset();
        if (source.refusal.empty() && source.title.empty())
            source.refusal = "has no main title";
        return sink_(std::move(source));
    }

private:
    static const char* Expected(const std::string& target) {
        if (target == "time")
            return "a time (m:ss)";
        return "a whole number from 1 to 999999999";
    }

    // Puts `value` where `target` says; false when it is not what the target takes.
    static bool Take(const std::string& target, const std::string& value, const std::string& name,
                     Source* source, Track* track) {
        if (target == "memo") {
            source->notes.emplace_back(name, value);
        } else if (target == "carrier") {
            source->medium = value;
        } else if (target == "number" || target == "track") {
            if (!MappedDigits(value) || value.size() > 9 || std::stoll(value) < 1)
                return false;
            if (target == "number")
                source->number = std::stoll(value);
            else
                track->number = int(std::min<int64_t>(std::stoll(value), 99999));
        } else if (target == "time") {
            track->seconds = SecondsOf(value);
            return track->seconds >= 0;
        } else {
            struct Slot {
                const char* target;
                std::string* text;
            };
            const Slot places[] = {
                {"main title", &source->title},
                {"main artist", &source->artist},
                {"label", &source->label},
                {"style", &source->genre},
                {"purchase place", &source->purchasePlace},
                {"cd id", &source->cdId},
                {"year", &source->year},
                {"side", &track->side},
                {"title", &track->title},
                {"artist", &track->artist},
                {"composer", &track->composer},
            };
            for (const Slot& slot : places) {
                if (target == slot.target) {
                    *slot.text = value;
                    return true;
                }
            }
            if (target == "purchase date")
                source->purchaseDate = IsoDate(value);
            else if (target == "price")
                source->price = PlainPrice(value);
        }
        return true;
    }

    // A further row of the pending source: what it adds to its fields and memo.
    void Merge(Source row) {
        Source& source = *pending_;
        for (auto [field, value] : {std::pair{&source.label, &row.label},
                                    {&source.genre, &row.genre},
                                    {&source.year, &row.year},
                                    {&source.purchaseDate, &row.purchaseDate},
                                    {&source.purchasePlace, &row.purchasePlace},
                                    {&source.price, &row.price},
                                    {&source.cdId, &row.cdId}}) {
            if (field->empty())
                *field = std::move(*value);
        }
        for (auto& note : row.notes) {
            if (std::find(source.notes.begin(), source.notes.end(), note) == source.notes.end())
                source.notes.push_back(std::move(note));
        }
    }

    const ColumnMap& map_;
    const Sink& sink_;
    bool byNumber_ = false;
    std::optional<Source> pending_;
    std::string pendingKey_;
};

}  // namespace

const std::vector<ColumnTarget>& ColumnTargets() {
    static const std::vector<ColumnTarget> targets = {
        {"ignore", "Ignore"},
        {"memo", "Memo"},
        {"carrier", "Carrier"},
        {"number", "Number"},
        {"main title", "Main title"},
        {"main artist", "Main artist"},
        {"label", "Label"},
        {"style", "Style"},
        {"purchase date", "Purchase date"},
        {"purchase place", "Purchase place"},
        {"price", "Price"},
        {"cd id", "CD ID"},
        {"year", "Year"},
        {"side", "Track side"},
        {"track", "Track number"},
        {"title", "Track title"},
        {"artist", "Track artist"},
        {"composer", "Composer"},
        {"time", "Track time"},
    };
    return targets;
}

tunelo::Status ReadCsvHeader(const std::string& path, std::vector<std::string>* header) {
    CsvRows rows(path);
    return rows.Open(header);
}

tunelo::Status ReadColumnMapFile(const std::string& path, const std::vector<std::string>& header,
                                 ColumnMap* map) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return tunelo::Status::NotFound(path, "cannot be opened");
    map->header = header;
    map->targets.assign(header.size(), "ignore");
    std::string line;
    bool inColumns = false;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        bool converted = false;
        const std::string text(
            Trimmed(AsUtf8(line.substr(0, line.find_last_not_of("\r") + 1), &converted)));
        if (text.empty() || text[0] == ';' || text[0] == '#')
            continue;
        if (text[0] == '[') {
            inColumns = SameName(text, kColumnsSection);
            continue;
        }
        const size_t equals = text.rfind('=');
        if (!inColumns || equals == std::string::npos)
            continue;
        const std::string column(Trimmed(text.substr(0, equals)));
        const std::string target(Trimmed(text.substr(equals + 1)));
        const auto& targets = ColumnTargets();
        const auto known = std::find_if(targets.begin(), targets.end(), [&](const ColumnTarget& t) {
            return SameName(t.name, target);
        });
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        if (known == targets.end())
            return tunelo::Status::InvalidArgument(
                path, where + "\"" + target + "\" is not a field a column can go to");
        const auto found = std::find_if(header.begin(), header.end(),
                                        [&](const std::string& h) { return SameName(h, column); });
        if (found == header.end())
            return tunelo::Status::InvalidArgument(
                path, where + "the file has no column \"" + column + "\"");
        map->targets[size_t(found - header.begin())] = known->name;
    }
    return tunelo::Status::OK();
}

tunelo::Status WriteColumnMapFile(const std::string& path, const ColumnMap& map) {
    std::string text = std::string(kColumnsSection) + "\r\n";
    for (size_t c = 0; c < map.header.size() && c < map.targets.size(); ++c) {
        if (map.header[c].find_first_of("\r\n") == std::string::npos)
            text += map.header[c] + "=" + map.targets[c] + "\r\n";
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out)
        return tunelo::Status::IOError(path, "cannot be written");
    return tunelo::Status::OK();
}

tunelo::Status ReadMappedCsv(const std::string& path, const ColumnMap& map, const Sink& sink,
                             const Progress& progress) {
    CsvRows rows(path, progress);
    std::vector<std::string> header;
    XB_RETURN_IF_ERROR(rows.Open(&header));
    if (map.targets.size() != header.size() || map.header.size() != header.size() ||
        !std::equal(header.begin(), header.end(), map.header.begin(), SameName))
        return tunelo::Status::InvalidArgument(path,
                                               "its header row is not the one the map is for");
    if (std::find(map.targets.begin(), map.targets.end(), "main title") == map.targets.end())
        return tunelo::Status::InvalidArgument(path, "no column goes to the main title");
    MappedRows sources(map, sink);
    std::vector<std::string> cells;
    bool windows1252 = false;
    while (rows.Next(&cells, &windows1252)) {
        if (cells.size() != header.size()) {
            XB_RETURN_IF_ERROR(sources.Flush());
            Source refused;
            refused.origin = rows.origin();
            refused.refusal = "has " + std::to_string(cells.size()) +
                              " values where the header names " + std::to_string(header.size());
            XB_RETURN_IF_ERROR(sink(std::move(refused)));
            continue;
        }
        XB_RETURN_IF_ERROR(sources.Row(cells, rows.origin(), windows1252));
    }
    XB_RETURN_IF_ERROR(sources.Flush());
    return rows.failure();
}

}  // namespace foreign
