#include "store/csv_field.h"

#include <algorithm>
#include <cstdio>

#include "platform/xbase/csv/csv_writer.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"
#include "store/csv_cell_guard.h"

namespace {

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return TrimRight(text);
}

bool AllDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// A plain decimal: an optional minus, digits, and at most `decimals` digits after a point.
bool IsDecimal(std::string_view text, int decimals) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const size_t point = text.find('.');
    if (point == std::string_view::npos)
        return AllDigits(text);
    const std::string_view fraction = text.substr(point + 1);
    return AllDigits(text.substr(0, point)) && AllDigits(fraction) &&
           fraction.size() <= size_t(decimals);
}

// yyyy-mm-dd, or the program's own dd-mm-yyyy.
bool ParseDate(std::string_view text, xbase::Date* date) {
    const auto number = [&](size_t at, size_t length, int* out) {
        const std::string_view part = text.substr(at, length);
        if (!AllDigits(part))
            return false;
        *out = std::stoi(std::string(part));
        return true;
    };
    if (text.size() != 10)
        return false;
    if (text[4] == '-' && text[7] == '-') {
        if (!number(0, 4, &date->year) || !number(5, 2, &date->month) || !number(8, 2, &date->day))
            return false;
    } else if (text[2] == '-' && text[5] == '-') {
        if (!number(6, 4, &date->year) || !number(3, 2, &date->month) || !number(0, 2, &date->day))
            return false;
    } else {
        return false;
    }
    return xbase::IsValidDate(*date);
}

// The value as a message shows it: in quotes, a long one cut at a character's start.
std::string Quoted(std::string_view text) {
    size_t cut = text.size() > 60 ? 60 : text.size();
    while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return "\"" + std::string(text.substr(0, cut)) + (cut < text.size() ? "…\"" : "\"");
}

std::string WholeNumber(const xbase::FieldDef& f, std::string_view text, uint8_t* record) {
    const int64_t most = f.name == "TRACK" ? 999 : f.name == "CDNUMMER" ? 999999999 : -1;
    if (most < 0) {
        if (!IsDecimal(text, f.decimals) || !xbase::SetText(record, f, text).ok())
            return f.name + ": " + Quoted(text) + " is not a number that fits the field";
        return "";
    }
    if (text.size() > 9 || !AllDigits(text) || std::stoll(std::string(text)) < 1 ||
        std::stoll(std::string(text)) > most)
        return f.name + ": " + Quoted(text) + " is not a whole number from 1 to " +
               std::to_string(most);
    xbase::SetText(record, f, text);
    return "";
}

}  // namespace

xbase::Status AppendCsvField(const xbase::Table& table, const uint8_t* record,
                             const xbase::FieldDef& f, std::string* out) {
    std::string text;
    switch (f.type) {
        case 'M': {
            std::string memo;
            XB_RETURN_IF_ERROR(table.ReadMemo(record, table.schema().Find(f.name), &memo));
            xbase::AppendToUtf8(table.codePage(), memo, &text);
            break;
        }
        case 'D': {
            const xbase::Date date = xbase::GetDate(record, f);
            if (!date.blank()) {
                char iso[16];
                std::snprintf(iso, sizeof iso, "%04d-%02d-%02d", date.year, date.month, date.day);
                text = iso;
            }
            break;
        }
        case 'C':
            xbase::AppendToUtf8(table.codePage(), TrimRight(xbase::FieldBytes(record, f)), &text);
            break;
        default:
            text = Trim(xbase::FieldBytes(record, f));
            break;
    }
    // Numbers stay numbers; anything else in a number field (a damaged table) is text too.
    if (f.type == 'C' || f.type == 'M' || !IsDecimal(text, int(text.size())))
        GuardCsvCell(&text);
    xbase::AppendCsvValue(text, out);
    return xbase::Status::OK();
}

std::string ParseCsvField(const xbase::CodePage& codePage, const xbase::FieldDef& f,
                          std::string_view text, uint8_t* record, std::string* memo) {
    text = UnguardCsvCell(text);
    if (f.type == 'N') {
        text = Trim(text);
        if (text.empty()) {
            xbase::SetBlank(record, f);
            return f.name == "CDNUMMER" ? "CDNUMMER: the source has no number" : "";
        }
        return WholeNumber(f, text, record);
    }
    if (f.type == 'D') {
        text = Trim(text);
        xbase::Date date;
        if (!text.empty() && !ParseDate(text, &date))
            return f.name + ": " + Quoted(text) + " is not a date (yyyy-mm-dd)";
        xbase::SetDate(record, f, date);
        return "";
    }
    if (f.type == 'M') {
        const xbase::Status converted = xbase::FromUtf8(codePage, text, memo);
        return converted.ok() ? "" : f.name + ": " + Quoted(text) + ": " + converted.message();
    }
    // Most values are plain ASCII, the same bytes in every code page: no conversion.
    static thread_local std::string converted;
    std::string_view bytes = text;
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        const xbase::Status status = xbase::FromUtf8(codePage, text, &converted);
        if (!status.ok())
            return f.name + ": " + Quoted(text) + ": " + status.message();
        bytes = converted;
    }
    if (TrimRight(bytes).size() > f.length)
        return f.name + ": " + Quoted(text) + " is " + std::to_string(TrimRight(bytes).size()) +
               " characters long; " + std::to_string(f.length) + " fit";
    if (!xbase::SetText(record, f, bytes).ok())
        return f.name + ": " + Quoted(text) + " cannot be stored";
    return "";
}
