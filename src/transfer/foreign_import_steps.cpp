#include "transfer/foreign_import_steps.h"

#include <filesystem>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ui.h"
#include "transfer/column_map_form.h"
#include "transfer/column_maps.h"
#include "transfer/csv_folder.h"
#include "transfer/foreign_import_form.h"

namespace {

constexpr char kForeignFilter[] =
    "Collection files (*.csv;*.tc;*.gcs;*.xml)|*.csv;*.tc;*.gcs;*.xml|All files (*.*)|*.*";
constexpr foreign::Format kFormatsAsked[] = {foreign::Format::Discogs, foreign::Format::Tellico,
                                             foreign::Format::Gcstar, foreign::Format::Csv};

std::optional<foreign::Format> FormatOf(const std::string& path) {
    if (const auto found = foreign::DetectFormat(path))
        return found;
    std::vector<std::string> buttons;
    for (foreign::Format format : kFormatsAsked)
        buttons.push_back(foreign::FormatTitle(format));
    buttons.push_back("Cancel");
    const size_t chosen = CurrentUi().Choose(MsgKind::Confirmation,
                                             "Which program's file is " +
                                                 std::filesystem::path(path).filename().string() +
                                                 "? Its kind is not recognised from its contents.",
                                             buttons);
    if (chosen >= std::size(kFormatsAsked))
        return std::nullopt;
    return kFormatsAsked[chosen];
}

// The mapping step, then the reading of the file; asked again while the file cannot be read
// with the map chosen.
std::unique_ptr<ForeignImport> PrepareMappedCsv(Catalogue& catalogue, const std::string& path,
                                                ForeignImportOptions* options, QWidget* parent) {
    std::vector<std::string> header;
    if (const tunelo::Status read = foreign::ReadCsvHeader(path, &header); !read.ok()) {
        PlayWave("error.wav");
        CurrentUi().Message(MsgKind::Error,
                            "The file cannot be imported; nothing was added.\n" + read.ToString());
        return nullptr;
    }
    const auto remembered = RememberedColumnTargets(header);
    std::vector<std::string> targets;
    if (remembered)
        targets = *remembered;
    else
        for (const std::string& name : header)
            targets.push_back(GuessColumnTarget(name));
    for (;;) {
        TColumnMapForm mapping(path, header, targets, remembered && targets == *remembered, parent);
        if (mapping.exec() != QDialog::Accepted)
            return nullptr;
        targets = mapping.targets();
        options->columns = foreign::ColumnMap{header, targets};
        RememberColumnMap(options->columns);
        if (auto import = PrepareForeignImport(catalogue, path, *options))
            return import;
    }
}

}  // namespace

void ImportFromOtherProgram(Catalogue& catalogue, QWidget* parent) {
    const std::string last = IniReadString("Diversen", "ForeignFolder", "");
    const auto path = CurrentUi().OpenFileName("Import from another program", kForeignFilter,
                                               last.empty() ? LastCsvFolder() : last);
    if (!path)
        return;
    IniWriteString("Diversen", "ForeignFolder",
                   std::filesystem::path(*path).parent_path().string());
    const auto format = FormatOf(*path);
    if (!format)
        return;
    ForeignImportOptions options;
    options.format = *format;
    std::unique_ptr<ForeignImport> import =
        *format == foreign::Format::Csv ? PrepareMappedCsv(catalogue, *path, &options, parent)
                                        : PrepareForeignImport(catalogue, *path, options);
    if (import == nullptr)
        return;
    TForeignImportForm dialog(catalogue, *path, std::move(options), std::move(import), parent);
    dialog.exec();
}
