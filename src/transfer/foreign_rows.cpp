#include "transfer/foreign_rows.h"

#include <algorithm>

#include "platform/xbase/csv/csv_writer.h"
#include "platform/xbase/text_convert.h"
#include "store/csv_cell_guard.h"
#include "store/csv_field.h"
#include "store/csv_import.h"

namespace {

constexpr size_t kMostTracksOfSource = 999;

const char* const kSourceFields[] = {"DRAGER",   "CDNUMMER", "HTITEL",     "HOOFDART",
                                     "LABEL",    "SOORT",    "AANKOOPDAT", "AANKOOP",
                                     "AANKPPRS", "RMNR",     "INVOERDAT",  "MEMO"};
const char* const kTrackFields[] = {"DRAGER",   "CDNUMMER", "TRACK",     "AKANT",
                                    "TITEL",    "ARTIEST",  "COMPONIST", "MINUTEN",
                                    "SECONDEN", "JAAR",     "SOORT"};

struct FieldLabel {
    const char* field;
    const char* label;  // lower case, as a message names it; a memo line starts it in capitals
};

constexpr FieldLabel kFieldLabels[] = {
    {"DRAGER", "carrier"},
    {"CDNUMMER", "number"},
    {"HTITEL", "main title"},
    {"HOOFDART", "main artist"},
    {"LABEL", "label"},
    {"SOORT", "style"},
    {"AANKOOPDAT", "purchase date"},
    {"AANKOOP", "purchase place"},
    {"AANKPPRS", "price"},
    {"RMNR", "CD ID"},
    {"INVOERDAT", "entry date"},
    {"MEMO", "memo"},
    {"TRACK", "track number"},
    {"AKANT", "side"},
    {"TITEL", "track title"},
    {"ARTIEST", "track artist"},
    {"COMPONIST", "composer"},
    {"MINUTEN", "minutes"},
    {"SECONDEN", "seconds"},
    {"JAAR", "year"},
};

std::string LabelOf(std::string_view field) {
    for (const FieldLabel& label : kFieldLabels) {
        if (field == label.field)
            return label.label;
    }
    return std::string(field);
}

std::string Capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = char(text[0] - 32);
    return text;
}

// A refusal of the CSV field check names the table's field: the user knows it by its label.
std::string Labelled(const std::string& reason) {
    const size_t colon = reason.find(": ");
    if (colon == std::string::npos)
        return reason;
    return LabelOf(reason.substr(0, colon)) + reason.substr(colon);
}

std::string Header(const char* const* fields, size_t count) {
    std::string header;
    for (size_t i = 0; i < count; ++i)
        header += std::string(i > 0 ? "," : "") + fields[i];
    return header + "\r\n";
}

// The year of "1994", "1994-03-15" or "c. 1994"? Only a leading 3 or 4 digits make one.
std::string PlainYear(std::string_view text) {
    size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    if ((digits == 3 || digits == 4) && (digits == text.size() || text[digits] == '-'))
        return std::string(text.substr(0, digits));
    return "";
}

// The first `length` characters of UTF-8 `text`.
std::string FirstCharacters(const std::string& text, size_t length) {
    size_t at = 0;
    for (size_t n = 0; at < text.size() && n < length; ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
            ++at;
    }
    std::string cut = text.substr(0, at);
    while (!cut.empty() && cut.back() == ' ')
        cut.pop_back();
    return cut;
}

size_t Characters(const std::string& text) {
    return size_t(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

}  // namespace

ForeignRows::ForeignRows(const xbase::Table& titles, const xbase::Table& tracks, std::string today)
    : titles_(titles), tracks_(tracks), today_(std::move(today)) {}

std::string ForeignRows::SourceHeader() {
    return Header(kSourceFields, std::size(kSourceFields));
}

std::string ForeignRows::TrackHeader() {
    return Header(kTrackFields, std::size(kTrackFields));
}

std::string ForeignRows::Value(const xbase::Table& table, const char* name, std::string text,
                               std::string* row, const std::string& whose) {
    const xbase::Schema& schema = table.schema();
    const xbase::FieldDef& f = schema[size_t(schema.Find(name))];
    if (f.type == 'C' && Characters(text) > f.length) {
        // Each character is one byte of the table's code page; one it lacks refuses the text.
        const xbase::Status storable = xbase::FromUtf8(table.codePage(), text, &scratchMemo_);
        if (!storable.ok())
            return LabelOf(name) + ": " + CsvShown(text) + ": " + storable.message();
        std::string label = LabelOf(name);
        if (!whose.empty() && label.rfind("track ", 0) == 0)
            label.erase(0, 6);  // "track 3 title"
        cut_.push_back({whose + label, f.length, text});
        text = FirstCharacters(text, f.length);
    }
    GuardCsvCell(&text);
    scratch_.assign(table.recordLength(), ' ');
    scratchMemo_.clear();
    const std::string reason =
        ParseCsvField(table.codePage(), f, text, scratch_.data(), &scratchMemo_);
    if (!reason.empty())
        return Labelled(reason);
    if (!row->empty() && row->back() != '\n')
        row->push_back(',');
    xbase::AppendCsvValue(text, row);
    return "";
}

std::string ForeignRows::Convert(const foreign::Source& source, const std::string& carrier,
                                 int64_t number, std::string* sourceRows, std::string* trackRows,
                                 std::vector<std::string>* cutNotes) {
    if (source.tracks.size() > kMostTracksOfSource)
        return "has " + std::to_string(source.tracks.size()) + " tracks; a source holds 999";
    cut_.clear();
    std::vector<std::pair<std::string, std::string>> notes = source.notes;
    const std::string year = PlainYear(source.year);
    if (!source.year.empty() && (year.empty() || source.tracks.empty()))
        notes.emplace_back("Year", source.year);
    const std::string numberText = std::to_string(number);
    std::string row;
    std::string reason;
    std::string whose;
    const auto add = [&](const xbase::Table& table, const char* name, std::string text) {
        if (reason.empty())
            reason = Value(table, name, std::move(text), &row, whose);
    };
    // The tracks first: a cut track title goes into the source's memo.
    std::string tracks;
    int counted = 0;
    for (const foreign::Track& track : source.tracks) {
        row.clear();
        whose = "track " + std::to_string(&track - source.tracks.data() + 1) + " ";
        add(tracks_, "DRAGER", carrier);
        add(tracks_, "CDNUMMER", numberText);
        add(tracks_, "TRACK", std::to_string(track.number > 0 ? track.number : ++counted));
        add(tracks_, "AKANT", track.side);
        add(tracks_, "TITEL", track.title);
        add(tracks_, "ARTIEST", track.artist.empty() ? source.artist : track.artist);
        add(tracks_, "COMPONIST", track.composer);
        add(tracks_, "MINUTEN", track.seconds < 0 ? "" : std::to_string(track.seconds / 60));
        add(tracks_, "SECONDEN", track.seconds < 0 ? "" : std::to_string(track.seconds % 60));
        add(tracks_, "JAAR", year);
        add(tracks_, "SOORT", source.genre);
        if (!reason.empty())
            return "track " + std::to_string(&track - source.tracks.data() + 1) + ": " + reason;
        tracks += row + "\r\n";
    }
    row.clear();
    whose.clear();
    add(titles_, "DRAGER", carrier);
    add(titles_, "CDNUMMER", numberText);
    add(titles_, "HTITEL", source.title);
    add(titles_, "HOOFDART", source.artist);
    add(titles_, "LABEL", source.label);
    add(titles_, "SOORT", source.genre);
    add(titles_, "AANKOOPDAT", source.purchaseDate);
    add(titles_, "AANKOOP", source.purchasePlace);
    add(titles_, "AANKPPRS", source.price);
    add(titles_, "RMNR", source.cdId);
    add(titles_, "INVOERDAT", today_);
    for (const Cut& cut : cut_) {
        notes.emplace_back(Capitalised(cut.label), cut.text);
        cutNotes->push_back(source.origin + ": " + cut.label + " cut to " +
                            std::to_string(cut.length) +
                            " characters; the full text is in the memo");
    }
    std::string memo;
    for (const auto& [label, text] : notes)
        memo += (memo.empty() ? "" : "\r\n") + label + ": " + text;
    if (memo.size() > kLongestMemo && reason.empty())
        reason = "memo: its text is longer than " + std::to_string(kLongestMemo) + " bytes";
    add(titles_, "MEMO", memo);
    if (!reason.empty()) {
        cutNotes->resize(cutNotes->size() - cut_.size());
        return reason;
    }
    *sourceRows += row + "\r\n";
    *trackRows += tracks;
    return "";
}
