// TDataModule1: the engine settings of the run (TableEnv1) and the track table artdat.dat. The
// track table is not opened here: the start-up check opens it once it knows the index files are
// in order (Catalogue::OpenIndexes, or the index build).
#pragma once

#include <string>

#include "store/table_access.h"
#include "store/table_component.h"
#include "store/table_env.h"

class TDataModule3;

class TDataModule1 {
public:
    // Applies the engine settings (four-digit years, dd-mm-yyyy dates, deleted records hidden)
    // and points ArtTable at artdat.dat in `folder`.
    explicit TDataModule1(const std::string& folder);

    TTableEnv TableEnv1;
    TTable ArtTable;
    TTableAccess ArtAccess{&ArtTable};

    // Writes the performance (U), style (G) and keyword (T) of every track as lookup items.
    // Needs ArtTable open and INDEX3.CDX open on the items table.
    void UpdateItems(TDataModule3& items);
};
