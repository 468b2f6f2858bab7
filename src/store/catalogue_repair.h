// The full check of every table's index files, rebuilding each file that disagrees with its table
// or is damaged: what the program runs when it finds damage, and what the maintenance screens
// offer.
#pragma once

#include <string>
#include <vector>

#include "platform/xbase/table.h"
#include "store/catalogue.h"

// Checks the index files of every open table of `catalogue`; `report` gets a line per tag and per
// rebuilt file. Fails naming the file when a rebuild fails. The tables in `rebuilt` are passed
// over: their index files were just built anew from them (a pack), so a check finds nothing.
xbase::Status CheckAndRepairTables(Catalogue& catalogue, const xbase::ProgressFn& progress,
                                   std::vector<std::string>* report,
                                   const std::vector<const TTable*>& rebuilt = {});
