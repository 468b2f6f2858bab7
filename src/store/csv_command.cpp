#include "store/csv_command.h"

#include <filesystem>

#include "store/catalogue.h"
#include "store/command_catalogue.h"
#include "store/csv_export.h"
#include "store/csv_import.h"
#include "store/safety_copy.h"

int ExportCsvCommand(Catalogue& catalogue, const std::string& dir, std::ostream& out,
                     std::ostream& errors) {
    const xbase::Status status = ExportCsv(catalogue, dir, {true, true});
    if (!status.ok()) {
        errors << status.ToString() << "\n";
        return 1;
    }
    out << "Exported to " << dir << "\n";
    return 0;
}

int ImportCsvCommand(Catalogue& catalogue, const std::string& dir, std::ostream& out,
                     std::ostream& errors) {
    CsvImport import;
    xbase::Status status = import.Prepare(catalogue, dir);
    if (!status.ok()) {
        errors << status.ToString() << "\n";
        return 1;
    }
    if (!import.refusals().empty()) {
        for (const CsvRefusal& refusal : import.refusals())
            errors << refusal.file << " line " << refusal.line << ": " << refusal.reason << "\n";
        errors << import.refusedRows() << " rows refused; nothing was added.\n";
        return 1;
    }
    status = TakeSafetyCopy(catalogue, "csv-import", nullptr);
    if (!status.ok()) {
        errors << SafetyCopyFailure(status) << "\n";
        return 1;
    }
    status = import.Apply(catalogue);
    if (!status.ok()) {
        errors << status.ToString() << "\nNothing was added.\n";
        return 1;
    }
    out << "Added " << import.Summary() << ".\n";
    return 0;
}

int CsvCommand(const std::string& folder, CsvDirection direction, const std::string& dir,
               std::ostream& out, std::ostream& errors, const std::string& templateFolder) {
    const bool import = direction == CsvDirection::Import;
    if (import && !templateFolder.empty()) {
        std::error_code ignored;  // a folder that cannot be made is reported by the lock
        std::filesystem::create_directories(folder, ignored);
    }
    const CommandCatalogue opened =
        OpenCatalogueForCommand(folder, import ? CommandUse::Write : CommandUse::Read, errors,
                                import ? templateFolder : std::string());
    if (!opened.catalogue)
        return 1;
    return import ? ImportCsvCommand(*opened.catalogue, dir, out, errors)
                  : ExportCsvCommand(*opened.catalogue, dir, out, errors);
}
