// Loads a track CSV file (UTF-8, header row naming artdat fields) into a track table in large
// batches, for the benchmarks.
#pragma once

#include <string>

#include "platform/xbase/table.h"

namespace bench {

// Appends every row of `csvPath` to `table`; *rows gets the count.
xbase::Status LoadTrackCsv(const std::string& csvPath, xbase::Table* table, uint64_t* rows);

}  // namespace bench
