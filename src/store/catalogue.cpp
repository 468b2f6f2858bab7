#include "store/catalogue.h"

#include "base/feedback.h"
#include "platform/common/file_names.h"
#include "store/catalogue_schema.h"
#include "store/folder_file.h"
#include "store/percent_progress.h"
#include "store/table_error.h"

namespace {

// An index file that another program wrote to may need a full check at open; on a large
// catalogue that takes seconds, so the status line says what is going on.
// `shown` tells the caller to clear the status line afterwards.
xbase::ProgressFn CheckProgress(const std::string& indexFile, bool* shown) {
    return PercentProgress([indexFile, shown](int percent) {
        *shown = true;
        ShowStatus("Checking " + indexFile + ": " + std::to_string(percent) + " %");
    });
}

// Opens `def`'s index file, then builds every tag the program seeks on that the file lacks or
// holds with another key (an index file of another table under our name): such a tag would
// leave records silently unfound.
void OpenIndexWithTags(TTable& table, TTableAccess& access, const std::string& path,
                       const TableDefinition& def) {
    bool shown = false;
    access.IndexOpen(path, CheckProgress(def.indexFile, &shown));
    for (const TagDefinition& tag : def.tags) {
        const xbase::OpenTag* open = table.table().FindTag(tag.name);
        if (open && table.table().TagKeyIs(*open, tag.expression))
            continue;
        shown = true;
        ShowStatus("Building index " + tag.name + " of " + def.indexFile);
        access.IndexTag(path, tag.name, tag.expression);
    }
    if (shown)
        ShowStatus("");
}

}  // namespace

Catalogue::Catalogue(std::string folder, Access access)
    : folder_(std::move(folder)),
      dm1(folder_, access == Access::ReadOnly),
      dm2(folder_, dm1.TableEnv1),
      dm3(folder_, dm1.TableEnv1) {}

xbase::Status Catalogue::Open(const std::string& folder, std::unique_ptr<Catalogue>* out,
                              Access access) {
    try {
        *out = std::make_unique<Catalogue>(folder, access);
    } catch (const TableError& e) {
        return e.status();
    }
    return xbase::Status::OK();
}

std::string Catalogue::File(std::string_view name) const {
    return FolderFile(folder_, name);
}

bool Catalogue::HasFile(std::string_view name) const {
    return FolderHasFile(folder_, name);
}

void Catalogue::OpenIndexes() {
    dm1.ArtTable.Open();
    const std::vector<TableDefinition>& defs = CatalogueTables();
    const std::pair<TTable*, TTableAccess*> tables[] = {{&dm1.ArtTable, &dm1.ArtAccess},
                                                        {&dm2.HfTable, &dm2.HfAccess},
                                                        {&dm3.ItemsTable, &dm3.ItemsAccess},
                                                        {&dm3.UitleenTable, &dm3.UitleenAccess},
                                                        {&dm3.PlaylistTable, &dm3.PlaylistAccess}};
    for (size_t i = 0; i < defs.size(); ++i)
        OpenIndexWithTags(*tables[i].first, *tables[i].second, File(defs[i].indexFile), defs[i]);
}
