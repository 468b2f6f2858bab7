// Work that needs a table to itself (pack, zap): the table is reopened exclusively for it and
// put back in shared use afterwards, whatever happened, because every screen needs it open.
#pragma once

#include <functional>
#include <string>

#include "store/table_access.h"

// Reopens the table of `access` alone with it, opens the index file `indexPath` and runs `work`;
// then the table is open for shared use again with that index file and no gauge. False, after
// "File is in use, try later." naming the table's file, when another program holds the table
// (nothing was done). A
// failure of `work` is thrown once the table is back in shared use.
bool RunWithTableAlone(TTableAccess& access, const std::string& indexPath,
                       const std::function<void()>& work);
