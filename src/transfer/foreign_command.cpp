#include "transfer/foreign_command.h"

#include <filesystem>

#include "platform/foreign/mapped_csv.h"
#include "store/catalogue.h"
#include "store/command_catalogue.h"
#include "store/safety_copy.h"
#include "transfer/foreign_import.h"

namespace {

// The options of the request as the import takes them, or the fault on `errors`.
bool OptionsOf(const ForeignImportRequest& request, ForeignImportOptions* options,
               std::ostream& errors) {
    std::optional<foreign::Format> format;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(request.file, ec)) {
        errors << request.file << ": cannot be opened.\n";
        return false;
    }
    if (!request.from.empty()) {
        format = foreign::FormatFromName(request.from);
        if (!format) {
            errors << "--from " << request.from
                   << " is not one of discogs, tellico, gcstar and csv.\n";
            return false;
        }
    } else {
        format = foreign::DetectFormat(request.file);
        if (!format) {
            errors << request.file
                   << ": is no Discogs collection export, Tellico or GCstar file and no CSV "
                      "file; name its format with --from.\n";
            return false;
        }
    }
    options->format = *format;
    if (*format != foreign::Format::Csv)
        return true;
    if (request.map.empty()) {
        errors << request.file << ": a CSV file needs a column map: --map MAPFILE.\n";
        return false;
    }
    std::vector<std::string> header;
    tunelo::Status status = foreign::ReadCsvHeader(request.file, &header);
    if (status.ok())
        status = foreign::ReadColumnMapFile(request.map, header, &options->columns);
    if (!status.ok()) {
        errors << status.ToString() << "\n";
        return false;
    }
    return true;
}

}  // namespace

int ImportForeignCommand(const std::string& folder, const ForeignImportRequest& request,
                         std::ostream& out, std::ostream& errors,
                         const std::string& templateFolder) {
    ForeignImportOptions options;
    if (!OptionsOf(request, &options, errors))
        return kImportBadInput;
    if (!templateFolder.empty()) {
        std::error_code ignored;  // a folder that cannot be made is reported by the lock
        std::filesystem::create_directories(folder, ignored);
    }
    const CommandCatalogue opened =
        OpenCatalogueForCommand(folder, CommandUse::Write, errors, templateFolder);
    if (!opened.catalogue)
        return kImportBadInput;
    Catalogue& catalogue = *opened.catalogue;
    ForeignImport import;
    xbase::Status status = import.Prepare(catalogue, request.file, options);
    if (!status.ok()) {
        errors << status.ToString() << "\nNothing was added.\n";
        return kImportBadInput;
    }
    for (const std::string& note : import.cutNotes())
        out << note << "\n";
    if (import.refusedRows() > 0) {
        for (const ForeignRefusal& refusal : import.refusals())
            errors << refusal.origin << ": " << refusal.reason << "\n";
        errors << import.refusedRows() << (import.refusedRows() == 1 ? " entry" : " entries")
               << " refused; nothing was added.\n";
        return kImportRefused;
    }
    status = TakeSafetyCopy(catalogue, "import", nullptr);
    if (!status.ok()) {
        errors << SafetyCopyFailure(status) << "\n";
        return kImportBadInput;
    }
    status = import.Apply(catalogue);
    if (!status.ok()) {
        errors << status.ToString() << "\nNothing was added.\n";
        return kImportBadInput;
    }
    out << "Added " << import.Summary() << " from " << foreign::FormatTitle(options.format) << " "
        << request.file << ".\n";
    return kImportAdded;
}
