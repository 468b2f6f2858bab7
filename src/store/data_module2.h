// TDataModule2: the main-title table hfdat.dat (with its memo file), open from construction to the
// end of the run, and the start-up work on the whole catalogue: building the five index files and
// taking over the data files of the earlier program generation.
//
// Failures throw TableError naming the file.
#pragma once

#include <string>

#include "platform/xbase/table.h"
#include "store/table_access.h"
#include "store/table_component.h"
#include "store/table_env.h"

class TDataModule1;
class TDataModule3;

class TDataModule2 {
public:
    // Opens hfdat.dat of `folder` (shared) under the settings of `env`, which must outlive the
    // module. Throws TableError naming the file when it is missing or damaged.
    TDataModule2(const std::string& folder, TTableEnv& env);

    TTable HfTable;
    TTableAccess HfAccess{&HfTable};

    // Builds the five index files anew: deletes INDEX1.CDX to INDEX5.CDX in any letter case, opens
    // ArtTable, and creates every tag of every table in order, the files spelled Index1.cdx to
    // Index5.cdx. Afterwards each index file is open on its table. `progress` gets the work done
    // out of the total.
    void MaakIndexen(TDataModule1& dm1, TDataModule3& dm3,
                     const xbase::ProgressFn& progress = nullptr);
    // Appends DATA1.DAT to artdat.dat and DATA2.DAT (with its memo texts) to hfdat.dat, field by
    // field of the same name, then renames them DATA1.B01, DATA2.B02 and DATA2.FPT to DATA2.FP2.
    // Opens ArtTable. Both old tables are checked before anything is appended; when an append
    // fails, the records appended so far are marked deleted again and no file is renamed. A
    // missing DATA2.DAT is skipped.
    void ImportOldFiles(TDataModule1& dm1);
    // Writes the main title (H), purchase place (K), label (L), style (G) and main artist (A) of
    // every main title as lookup items. Needs INDEX3.CDX open on the items table.
    void UpdateItems(TDataModule3& items);

    // Stores the current main title (edited by a screen): OPNAME and DRAGER upper-cased, SOORT,
    // HTITEL, LABEL and HOOFDART capitalised with the flags of cd.ini section Kapitaliseer (read
    // now), WIJZIGDAT := today; then posts.
    void KapitaliseerData2();

private:
    std::string folder_;
};
