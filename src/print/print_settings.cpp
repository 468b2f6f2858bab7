#include "print/print_settings.h"

#include <charconv>
#include <optional>

#include "base/ini.h"
#include "base/text.h"
#include "platform/profile/private_profile.h"
#include "shell/install_paths.h"
#include "shell/table_text.h"

namespace {

constexpr size_t kFieldNameChars = 15;
constexpr int kBandUnits = 1200;

std::string Key(std::string_view stem, int number, std::string_view tail = "") {
    return std::string(stem) + std::to_string(number) + std::string(tail);
}

std::optional<int> WholeNumber(const std::string& value) {
    const std::string text = Trim(value);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return number;
}

// print.ini, with the template's print.ini for what it lacks; notes which sections the template
// filled in.
class SettingsReader {
public:
    SettingsReader() : own_(PrintIniFileName()), template_(TemplateFolder() + "/print.ini") {}

    std::string Text(std::string_view section, std::string_view key) {
        std::optional<std::string> value;
        const profile::Status status = own_.Lookup(section, key, &value);
        if (value)
            return *value;
        if (!status.ok() && unreadable_.empty())
            unreadable_ = status.ToString();
        std::optional<std::string> fallback;
        if (!template_.Lookup(section, key, &fallback).ok() || !fallback)
            return {};
        const QString name = "[" + FromTable(TableText(std::string(section))) + "]";
        if (!filled_.contains(name))
            filled_ << name;
        return *fallback;
    }

    // A whole number; `fallback` for an empty value, and for anything else a problem named by
    // its key.
    int Integer(std::string_view section, std::string_view key, int low, int high, int fallback,
                QStringList* problems) {
        const std::string text = Text(section, key);
        if (Trim(text).empty())
            return fallback;
        const std::optional<int> number = WholeNumber(text);
        if (number && *number >= low && *number <= high)
            return *number;
        *problems << QString("%1=%2 in [%3] of print.ini is not a number from %4 to %5.")
                         .arg(QString::fromStdString(std::string(key)),
                              FromTable(TableText(Trim(text))),
                              QString::fromStdString(std::string(section)))
                         .arg(low)
                         .arg(high);
        return fallback;
    }

    QString Note() const {
        if (!unreadable_.empty())
            return QString(
                       "print.ini could not be read (%1): the reports use the template's "
                       "layouts.")
                .arg(QString::fromStdString(unreadable_));
        if (filled_.isEmpty())
            return {};
        return QString("print.ini lacks part of %1: the template's layout fills it in.")
            .arg(filled_.join(", "));
    }

private:
    profile::PrivateProfile own_;
    profile::PrivateProfile template_;
    std::string unreadable_;
    QStringList filled_;
};

}  // namespace

int ReadLinkerMarge() {
    QStringList ignored;
    return SettingsReader().Integer("Marge", "LinkerMarge", 0, kLargestLeftMarginMm, 0, &ignored);
}

bool WriteLinkerMarge(int millimetres) {
    return WritePrintIni("Marge", "LinkerMarge", std::to_string(millimetres));
}

ReportSettings ReadReportSettings(std::string_view section, int columns, bool alignKeys) {
    SettingsReader ini;
    ReportSettings settings;
    QStringList& problems = settings.problems;
    settings.title = ini.Text(section, "Titel");
    settings.leftMarginMm =
        ini.Integer("Marge", "LinkerMarge", 0, kLargestLeftMarginMm, 0, &problems);
    settings.order = Trim(ini.Text(section, "Sorteer"));
    for (int n = 1; n <= columns; ++n) {
        ReportColumn column;
        column.caption = ini.Text(section, Key("VeldOms", n));
        column.field = Trim(ini.Text(section, Key("Veld", n)).substr(0, kFieldNameChars));
        const bool shown = !column.field.empty() || !Trim(column.caption).empty();
        // A column that shows nothing may keep any position.
        QStringList ignored;
        QStringList& told = shown ? problems : ignored;
        column.captionLeft = ini.Integer(section, Key("Oms", n, "bp"), 0, kBandUnits, 0, &told);
        column.left = ini.Integer(section, Key("Veld", n, "bp"), 0, kBandUnits, 0, &told);
        column.width = ini.Integer(section, Key("Veld", n, "w"), 0, kBandUnits, 0, &told);
        if (!column.field.empty() && (column.width == 0 || column.left + column.width > kBandUnits))
            told << QString(
                        "Veld%1 in [%2] of print.ini has no room: Veld%1bp plus Veld%1w must "
                        "be more than 0 and at most %3.")
                        .arg(n)
                        .arg(QString::fromStdString(std::string(section)))
                        .arg(kBandUnits);
        if (alignKeys) {
            // Only the exact word counts; a missing key is the designed left alignment.
            const std::string align = ini.Text(section, Key("Veld", n, "Align"));
            column.leftAligned = align.empty() || align == "links";
        }
        settings.columns.push_back(std::move(column));
    }
    settings.note = ini.Note();
    return settings;
}
