#include "store/catalogue.h"

#include "store/folder_file.h"
#include "store/table_error.h"

Catalogue::Catalogue(std::string folder)
    : folder_(std::move(folder)),
      dm1(folder_),
      dm2(folder_, dm1.TableEnv1),
      dm3(folder_, dm1.TableEnv1) {}

xbase::Status Catalogue::Open(const std::string& folder, std::unique_ptr<Catalogue>* out) {
    try {
        *out = std::make_unique<Catalogue>(folder);
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
    dm1.ArtAccess.IndexOpen(File("INDEX1.CDX"));
    dm2.HfAccess.IndexOpen(File("INDEX2.CDX"));
    dm3.ItemsAccess.IndexOpen(File("INDEX3.CDX"));
    dm3.UitleenAccess.IndexOpen(File("INDEX4.CDX"));
    dm3.PlaylistAccess.IndexOpen(File("INDEX5.CDX"));
}
