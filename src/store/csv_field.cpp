#include "store/csv_field.h"

#include <algorithm>
#include <cstdio>

#include "platform/xbase/csv/csv_writer.h"
#include "platform/xbase/field_codec.h"
#include "platform/xbase/text_convert.h"
#include "store/csv_cell_guard.h"

namespace {

std::string_view TrimRightView(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::string_view TrimView(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return TrimRightView(text);
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

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// The first control character a value of field `f` may not hold: a memo keeps its line breaks
// and tabs, a one-line field its tabs only.
const char* FirstControl(const xbase::FieldDef& f, std::string_view text) {
    for (const char& c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (IsControl(u) && c != '\t' && (f.type != 'M' || (c != '\r' && c != '\n')))
            return &c;
    }
    return nullptr;
}

std::string ControlName(unsigned char c) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", c);
    return hex;
}

// MINUTEN, SECONDEN and JAAR hold digits as the entry screen stores them: minutes 0 to 999 and
// seconds 0 to 59 in at least two digits ("03"), a year of 3 or 4 digits. Empty stays blank.
std::string TimeOrYear(const xbase::FieldDef& f, std::string_view text, uint8_t* record) {
    text = TrimView(text);
    if (text.empty()) {
        xbase::SetBlank(record, f);
        return "";
    }
    if (f.name == "JAAR") {
        if (!AllDigits(text) || text.size() < 3 || text.size() > 4)
            return f.name + ": " + CsvShown(text) + " is not a year of 3 or 4 digits";
        xbase::SetText(record, f, text);
        return "";
    }
    const int most = f.name == "MINUTEN" ? 999 : 59;
    if (!AllDigits(text) || text.size() > 3 || std::stoi(std::string(text)) > most)
        return f.name + ": " + CsvShown(text) + " is not a whole number from 0 to " +
               std::to_string(most);
    const int value = std::stoi(std::string(text));
    xbase::SetText(record, f, (value < 10 ? "0" : "") + std::to_string(value));
    return "";
}

std::string WholeNumber(const xbase::FieldDef& f, std::string_view text, uint8_t* record) {
    const int64_t most = f.name == "TRACK" ? 999 : f.name == "CDNUMMER" ? 999999999 : -1;
    if (most < 0) {
        // AANKPPRS: a price, never below 0 (the purchase screen's range).
        if (text.front() == '-' && IsDecimal(text, f.decimals))
            return f.name + ": " + CsvShown(text) + " is below 0";
        if (!IsDecimal(text, f.decimals) || !xbase::SetText(record, f, text).ok())
            return f.name + ": " + CsvShown(text) + " is not a number that fits the field";
        return "";
    }
    if (text.size() > 9 || !AllDigits(text) || std::stoll(std::string(text)) < 1 ||
        std::stoll(std::string(text)) > most)
        return f.name + ": " + CsvShown(text) + " is not a whole number from 1 to " +
               std::to_string(most);
    xbase::SetText(record, f, text);
    return "";
}

}  // namespace

// A refused value must not break the message's line: a line break would start what reads like
// another refused row.
std::string CsvShown(std::string_view text) {
    size_t cut = text.size() > 60 ? 60 : text.size();
    while (cut < text.size() && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    std::string shown = "\"";
    for (const char c : text.substr(0, cut)) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\t')
            shown += "\\t";
        else if (IsControl(static_cast<unsigned char>(c)))
            shown += ControlName(static_cast<unsigned char>(c));
        else
            shown += c;
    }
    return shown + (cut < text.size() ? "…\"" : "\"");
}

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
            xbase::AppendToUtf8(table.codePage(), TrimRightView(xbase::FieldBytes(record, f)),
                                &text);
            break;
        default:
            text = TrimView(xbase::FieldBytes(record, f));
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
        text = TrimView(text);
        if (text.empty()) {
            xbase::SetBlank(record, f);
            if (f.name == "CDNUMMER")
                return "CDNUMMER: the source has no number";
            return f.name == "TRACK" ? "TRACK: the track has no number" : "";
        }
        return WholeNumber(f, text, record);
    }
    if (f.type == 'D') {
        text = TrimView(text);
        xbase::Date date;
        if (!text.empty() && !ParseDate(text, &date))
            return f.name + ": " + CsvShown(text) + " is not a date (yyyy-mm-dd)";
        xbase::SetDate(record, f, date);
        return "";
    }
    if (const char* control = FirstControl(f, text))
        return f.name + ": " + CsvShown(text) + " holds the control character " +
               ControlName(static_cast<unsigned char>(*control));
    if (f.name == "MINUTEN" || f.name == "SECONDEN" || f.name == "JAAR")
        return TimeOrYear(f, text, record);
    if (f.type == 'M') {
        const xbase::Status converted = xbase::FromUtf8(codePage, text, memo);
        return converted.ok() ? "" : f.name + ": " + CsvShown(text) + ": " + converted.message();
    }
    // Most values are plain ASCII, the same bytes in every code page: no conversion.
    static thread_local std::string converted;
    std::string_view bytes = text;
    if (std::any_of(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; })) {
        const xbase::Status status = xbase::FromUtf8(codePage, text, &converted);
        if (!status.ok())
            return f.name + ": " + CsvShown(text) + ": " + status.message();
        bytes = converted;
    }
    if (TrimRightView(bytes).size() > f.length)
        return f.name + ": " + CsvShown(text) + " is " +
               std::to_string(TrimRightView(bytes).size()) + " characters long; " +
               std::to_string(f.length) + " fit";
    if (!xbase::SetText(record, f, bytes).ok())
        return f.name + ": " + CsvShown(text) + " cannot be stored";
    return "";
}
