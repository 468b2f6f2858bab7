#include "store/catalogue_files.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "platform/xbase/file.h"
#include "store/catalogue_schema.h"

using xbase::Status;

namespace {

std::string InFolder(const std::string& folder, const std::string& name) {
    return folder.empty() || folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

Status CreateCatalogueTables(const std::string& folder) {
    for (const TableDefinition& def : CatalogueTables()) {
        const std::string path = InFolder(folder, def.file);
        if (xbase::FileExistsNoCase(path)) {
            return Status::InvalidArgument(xbase::ResolvePathNoCase(path),
                                           "a table of that name exists already");
        }
    }
    for (const TableDefinition& def : CatalogueTables()) {
        std::unique_ptr<xbase::Table> table;
        XB_RETURN_IF_ERROR(xbase::Table::Create(InFolder(folder, def.file), def.fields, &table));
    }
    return Status::OK();
}

Status CreateCatalogueIndexes(const std::string& folder, const xbase::ProgressFn& progress) {
    const auto& tables = CatalogueTables();
    for (const TableDefinition& def : tables) {
        const std::string existing = xbase::ResolvePathNoCase(InFolder(folder, def.indexFile));
        if (xbase::FileExistsNoCase(existing) && std::remove(existing.c_str()) != 0) {
            return Status::IOError(existing, "cannot delete the old index file");
        }
    }
    for (size_t i = 0; i < tables.size(); ++i) {
        const TableDefinition& def = tables[i];
        xbase::Table::Options options;
        options.exclusive = true;
        std::unique_ptr<xbase::Table> table;
        XB_RETURN_IF_ERROR(xbase::Table::Open(InFolder(folder, def.file), options, &table));
        std::vector<std::pair<std::string, std::string>> tags;
        for (const TagDefinition& tag : def.tags)
            tags.emplace_back(tag.name, tag.expression);
        // "INDEX1.CDX" becomes "Index1.cdx": the spelling a new catalogue's files have.
        std::string name = def.indexFile;
        for (size_t k = 1; k < name.size(); ++k)
            name[k] = char(std::tolower(static_cast<unsigned char>(name[k])));
        xbase::ProgressFn step;
        if (progress) {
            step = [&, i](uint64_t done, uint64_t total) {
                progress(i * 1000 + (total ? done * 1000 / total : 1000), tables.size() * 1000);
            };
        }
        XB_RETURN_IF_ERROR(table->CreateTags(InFolder(folder, name), tags, step));
    }
    if (progress)
        progress(tables.size() * 1000, tables.size() * 1000);
    return Status::OK();
}
