#include "print/print_settings.h"

#include <charconv>

#include "base/ini.h"
#include "base/text.h"

namespace {

constexpr size_t kFieldNameChars = 15;

std::string Key(std::string_view stem, int number, std::string_view tail = "") {
    return std::string(stem) + std::to_string(number) + std::string(tail);
}

}  // namespace

int ReadPrintIniInteger(std::string_view section, std::string_view key, int fallback) {
    const std::string text = Trim(ReadPrintIni(section, key));
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() ? value
                                                                                     : fallback;
}

int ReadLinkerMarge() {
    return ReadPrintIniInteger("Marge", "LinkerMarge", 0);
}

bool WriteLinkerMarge(int millimetres) {
    return WritePrintIni("Marge", "LinkerMarge", std::to_string(millimetres));
}

ReportSettings ReadReportSettings(std::string_view section, int columns, bool alignKeys) {
    ReportSettings settings;
    settings.title = ReadPrintIni(section, "Titel");
    settings.leftMarginMm = ReadLinkerMarge();
    for (int n = 1; n <= columns; ++n) {
        ReportColumn column;
        column.caption = ReadPrintIni(section, Key("VeldOms", n));
        column.captionLeft = ReadPrintIniInteger(section, Key("Oms", n, "bp"), 0);
        column.field = Trim(ReadPrintIni(section, Key("Veld", n)).substr(0, kFieldNameChars));
        column.left = ReadPrintIniInteger(section, Key("Veld", n, "bp"), 0);
        column.width = ReadPrintIniInteger(section, Key("Veld", n, "w"), 0);
        if (alignKeys) {
            // Only the exact word counts; a missing key is the designed left alignment.
            const std::string align = ReadPrintIni(section, Key("Veld", n, "Align"));
            column.leftAligned = align.empty() || align == "links";
        }
        settings.columns.push_back(std::move(column));
    }
    return settings;
}
