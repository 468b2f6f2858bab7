#include "store/check_command.h"

#include "store/catalogue_check.h"
#include "store/catalogue_folder.h"
#include "store/command_catalogue.h"
#include "store/table_error.h"

int CheckCatalogueCommand(const std::string& folder, std::ostream& out, std::ostream& errors) {
    // Opening would otherwise report missing files one by one.
    if (HasNoCatalogue(folder)) {
        errors << "tunelo: " << folder << ": there is no catalogue in this folder\n";
        return kCheckBadInput;
    }
    const CommandCatalogue opened = OpenCatalogueForCommand(folder, CommandUse::Read, errors);
    if (!opened.catalogue) {
        errors << "tunelo: " << folder << ": no catalogue can be read there\n";
        return kCheckBadInput;
    }
    try {
        const CatalogueCheck check = CheckCatalogue(*opened.catalogue);
        if (check.empty()) {
            out << "Nothing to mend was found.\n";
            return kCheckClean;
        }
        out << CheckReportText(check);
        return kCheckFound;
    } catch (const TableError& error) {
        errors << "tunelo: " << error.status().ToString() << "\n";
        return kCheckBadInput;
    }
}
