// Optimising the catalogue (TDataModule1): packing the tables alone with them, cleaning the
// lookup items and deleting the tracks that hold neither artist nor title.
#include <optional>

#include "base/feedback.h"
#include "base/text.h"
#include "base/ui.h"
#include "store/controls_suspended.h"
#include "store/data_module1.h"
#include "store/data_module2.h"
#include "store/data_module3.h"
#include "store/folder_file.h"
#include "store/record_edit.h"
#include "store/table_alone.h"
#include "store/table_error.h"

bool TDataModule1::PackOne(TTableAccess& access, const std::string& indexFile, bool reindex,
                           const TTableAccess::GaugeHook& gauge) {
    return RunWithTableAlone(access, FolderFile(folder_, indexFile), [&] {
        access.SetGaugeHook(gauge);
        access.Pack();
        if (reindex)
            access.Reindex();
    });
}

void TDataModule1::PackFiles(TDataModule2& titles, TDataModule3& rest,
                             const TTableAccess::GaugeHook& gauge,
                             std::vector<const TTable*>* packed) {
    std::optional<TableError> failure;
    auto attempt = [&failure](const auto& step) {
        try {
            step();
        } catch (const TableError& e) {
            if (!failure)
                failure = e;
        }
    };
    {
        BusyCursor busy;
        ShowStatus("Checking artist database...");
        const auto pack = [&](TTableAccess& access, const char* index, bool reindex) {
            attempt([&] {
                if (PackOne(access, index, reindex, gauge) && packed)
                    packed->push_back(&access.component());
            });
        };
        pack(ArtAccess, "INDEX1.CDX", false);
        ShowStatus("Checking main database..");
        pack(titles.HfAccess, "INDEX2.CDX", false);
        pack(rest.UitleenAccess, "INDEX4.CDX", true);
        ShowStatus("");
    }
    attempt([&] { rest.PackItems(gauge); });
    attempt([&] { PackTable1(); });
    if (failure)
        throw *failure;
}

void TDataModule1::PackTable1() {
    StatusShown status("One moment, removing unused records...");
    ArtAccess.Commit();
    ControlsSuspended suspended(ArtTable);
    ArtAccess.SetOrder(0);
    ArtAccess.GoTop();
    while (!ArtAccess.Eof()) {
        if (IsBlank(ArtAccess.GetString("ARTIEST")) && IsBlank(ArtAccess.GetString("TITEL"))) {
            ArtAccess.Delete();  // the next record becomes current
        } else {
            ArtAccess.Skip(1);
        }
    }
}
