// Pack replaces a table's DBF and memo files with compacted copies. Two renames cannot be atomic
// together, so pack writes both copies completely, then creates a marker file: once the marker
// exists the copies are complete and the swap is rolled forward by whoever opens the table next;
// without the marker, leftover copies are thrown away.
#pragma once

#include <string>

#include "platform/xbase/status.h"

namespace xbase {

struct PackPaths {
    std::string dbf, dbfNew;    // the table and its compacted copy
    std::string memo, memoNew;  // the memo file and its copy; empty when the table has none
    std::string marker;         // exists once both copies are complete
};

// The memo file of a table: the table's base name with .fpt (.dbt for a dBase III table), matched
// without regard to case.
std::string MemoPathFor(const std::string& dbfPath, bool dbase3);

PackPaths PackPathsFor(const std::string& dbfPath, const std::string& memoPath);

// Creates the marker that commits a pack (synced to disk, with its directory).
Status CommitPack(const PackPaths& paths);
// Performs the renames of a committed pack and removes its marker.
Status CompletePack(const PackPaths& paths);
// Rolls an interrupted pack of `dbfPath` forward or back, as the marker says.
Status FinishInterruptedPack(const std::string& dbfPath);

}  // namespace xbase
