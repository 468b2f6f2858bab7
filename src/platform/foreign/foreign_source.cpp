#include "platform/foreign/foreign_source.h"

namespace foreign {

namespace {

struct FormatNames {
    Format format;
    const char* name;
    const char* title;
};

constexpr FormatNames kFormatNames[] = {
    {Format::Discogs, "discogs", "Discogs collection export"},
    {Format::Tellico, "tellico", "Tellico"},
    {Format::Gcstar, "gcstar", "GCstar"},
    {Format::Csv, "csv", "CSV file"},
};

}  // namespace

const char* FormatName(Format format) {
    for (const FormatNames& names : kFormatNames)
        if (names.format == format)
            return names.name;
    return "";
}

const char* FormatTitle(Format format) {
    for (const FormatNames& names : kFormatNames)
        if (names.format == format)
            return names.title;
    return "";
}

std::optional<Format> FormatFromName(std::string_view name) {
    for (const FormatNames& names : kFormatNames)
        if (name == names.name)
            return names.format;
    return std::nullopt;
}

}  // namespace foreign
