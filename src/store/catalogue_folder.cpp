#include "store/catalogue_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/common/file_names.h"
#include "store/catalogue_schema.h"
#include "store/folder_file.h"

namespace fs = std::filesystem;
using xbase::Status;

namespace {

// Tables and their memo and index files go in last of all; sounds and help pages the user has
// already are kept.
enum class Kind { Table, Companion, Keep };

struct Copy {
    fs::path source;
    std::string target;
    Kind kind;
    std::string temp() const { return target + ".tunelo-copy"; }
};

// What a file of the template is to a catalogue; false when it is no part of one.
bool Classify(const std::string& name, Kind* kind) {
    for (const TableDefinition& def : CatalogueTables()) {
        const std::string memo = def.file.substr(0, def.file.find('.')) + ".fpt";
        if (tunelo::EqualsNoCase(name, def.file)) {
            *kind = Kind::Table;
            return true;
        }
        if (tunelo::EqualsNoCase(name, def.indexFile) || tunelo::EqualsNoCase(name, memo)) {
            *kind = Kind::Companion;
            return true;
        }
    }
    if (tunelo::EqualsNoCase(name, "cd.ini") || tunelo::EqualsNoCase(name, "print.ini") ||
        tunelo::EndsWithNoCase(name, ".wav")) {
        *kind = Kind::Keep;
        return true;
    }
    return false;
}

Status PlanCopies(const std::string& templateFolder, const std::string& folder,
                  std::vector<Copy>* copies) {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(templateFolder, ec)) {
        const std::string name = entry.path().filename().string();
        Kind kind;
        if (entry.is_regular_file() && Classify(name, &kind)) {
            copies->push_back({entry.path(), FolderFile(folder, name), kind});
        } else if (entry.is_directory() && tunelo::EqualsNoCase(name, "help")) {
            const fs::path helpTarget = FolderFile(folder, name);
            for (const fs::directory_entry& page : fs::recursive_directory_iterator(entry, ec)) {
                if (!page.is_regular_file())
                    continue;
                const fs::path target = helpTarget / fs::relative(page.path(), entry.path());
                fs::create_directories(target.parent_path(), ec);
                if (ec)
                    return Status::IOError(target.parent_path().string(), ec.message());
                copies->push_back({page.path(), target.string(), Kind::Keep});
            }
        }
        if (ec)
            return Status::IOError(templateFolder, ec.message());
    }
    if (ec)
        return Status::IOError(templateFolder, ec.message());
    return Status::OK();
}

void RemoveTemps(const std::vector<Copy>& copies) {
    std::error_code ignored;
    for (const Copy& copy : copies)
        fs::remove(copy.temp(), ignored);
}

}  // namespace

std::vector<std::string> MissingCatalogueTables(const std::string& folder) {
    std::vector<std::string> missing;
    for (const TableDefinition& def : CatalogueTables()) {
        if (!FolderHasFile(folder, def.file))
            missing.push_back(def.file);
    }
    return missing;
}

bool HasNoCatalogue(const std::string& folder) {
    return MissingCatalogueTables(folder).size() == CatalogueTables().size();
}

std::vector<std::string> CatalogueFilesIn(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        Kind kind;
        if (Classify(name, &kind) && !tunelo::EndsWithNoCase(name, ".wav"))
            found.push_back(name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

Status CreateCatalogueFromTemplate(const std::string& templateFolder, const std::string& folder) {
    for (const TableDefinition& def : CatalogueTables()) {
        if (!FolderHasFile(templateFolder, def.file))
            return Status::NotFound(FolderFile(templateFolder, def.file),
                                    "the template lacks this table");
    }
    // A folder with any file of a catalogue may be one whose tables were moved: its memo texts,
    // indexes and settings must not be replaced by the template's.
    if (const std::vector<std::string> present = CatalogueFilesIn(folder); !present.empty()) {
        std::string names;
        for (const std::string& name : present)
            names += (names.empty() ? "" : ", ") + name;
        return Status::InvalidArgument(
            folder, "it holds files of a catalogue already (" + names + "); nothing was copied");
    }
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        return Status::IOError(folder, ec.message());

    std::vector<Copy> planned;
    XB_RETURN_IF_ERROR(PlanCopies(templateFolder, folder, &planned));
    std::vector<Copy> copies;
    for (const Copy& copy : planned) {
        if (copy.kind == Kind::Keep && tunelo::FileExistsNoCase(copy.target))
            continue;
        copies.push_back(copy);
        fs::copy_file(copy.source, copy.temp(), fs::copy_options::overwrite_existing, ec);
        if (ec) {
            RemoveTemps(copies);
            return Status::IOError(copy.temp(),
                                   "cannot copy " + copy.source.string() + ": " + ec.message());
        }
    }
    // The tables last: until they are all in place the folder does not count as a catalogue.
    std::vector<std::string> placedTables;
    for (Kind pass : {Kind::Keep, Kind::Companion, Kind::Table}) {
        for (const Copy& copy : copies) {
            if (copy.kind != pass)
                continue;
            if (pass == Kind::Table && tunelo::FileExistsNoCase(copy.target))
                ec = std::make_error_code(std::errc::file_exists);
            else
                fs::rename(copy.temp(), copy.target, ec);
            if (ec) {
                RemoveTemps(copies);
                std::error_code ignored;
                for (const std::string& table : placedTables)
                    fs::remove(table, ignored);
                return Status::IOError(copy.target,
                                       "cannot put the copy in place: " + ec.message());
            }
            if (pass == Kind::Table)
                placedTables.push_back(copy.target);
        }
    }
    return Status::OK();
}
