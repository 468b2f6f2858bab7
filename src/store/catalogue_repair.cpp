#include "store/catalogue_repair.h"

#include <algorithm>

xbase::Status CheckAndRepairTables(Catalogue& catalogue, const xbase::ProgressFn& progress,
                                   std::vector<std::string>* report,
                                   const std::vector<const TTable*>& rebuilt) {
    for (TTable* table :
         {&catalogue.dm1.ArtTable, &catalogue.dm2.HfTable, &catalogue.dm3.ItemsTable,
          &catalogue.dm3.UitleenTable, &catalogue.dm3.PlaylistTable}) {
        if (!table->Active() || std::find(rebuilt.begin(), rebuilt.end(), table) != rebuilt.end())
            continue;
        xbase::Status s = table->table().CheckAndRepair(progress, report);
        if (!s.ok())
            return s;
    }
    return xbase::Status::OK();
}
