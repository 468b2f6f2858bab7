// Catalogue: the three data modules of one catalogue folder, created in order, as the screens
// receive them (`Catalogue& catalogue` -> catalogue.dm1.ArtAccess, catalogue.dm2.HfTable, ...).
// They live, with their tables open, for the whole run.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/xbase/status.h"
#include "store/data_module1.h"
#include "store/data_module2.h"
#include "store/data_module3.h"

class Catalogue {
public:
    // ReadOnly opens every table read-only, for a reader of a folder it cannot write.
    enum class Access { ReadWrite, ReadOnly };

    // Creates TDataModule1, TDataModule2 and TDataModule3 on `folder`; all but artdat.dat open
    // now. Throws TableError naming the file when a table is missing or damaged.
    explicit Catalogue(std::string folder, Access access = Access::ReadWrite);
    // The same, reporting the failure as a Status instead.
    static xbase::Status Open(const std::string& folder, std::unique_ptr<Catalogue>* out,
                              Access access = Access::ReadWrite);

    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    const std::string& folder() const { return folder_; }
    // The path of a file of the catalogue folder, found in any letter case.
    std::string File(std::string_view name) const;
    bool HasFile(std::string_view name) const;

    // The normal start: opens ArtTable, then INDEX1.CDX to INDEX5.CDX on the tracks, main titles,
    // items, loans and playlist, in that order, and builds any tag a file lacks or holds with
    // another key. Throws TableError naming a missing or damaged index file.
    void OpenIndexes();

private:
    std::string folder_;

public:
    TDataModule1 dm1;
    TDataModule2 dm2;
    TDataModule3 dm3;
};
