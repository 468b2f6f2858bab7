// Any CSV file with a column map: each column goes to a field of the source or of a track, to the
// memo, or nowhere. Rows that name the same source (the same carrier and number when those are
// mapped, otherwise the same main title and main artist, one after another) become one source;
// a row with track fields adds a track to it.
#pragma once

#include <string>
#include <vector>

#include "platform/foreign/foreign_source.h"

namespace foreign {

// What a column can go to, by the name a map file and the mapping step use.
struct ColumnTarget {
    const char* name;   // "main title"
    const char* label;  // "Main title", as the mapping step lists it
};
// "ignore", "memo", "carrier", "number", "main title", "main artist", "label", "style",
// "purchase date", "purchase place", "price", "cd id", "year", "side", "track", "title",
// "artist", "composer", "time".
const std::vector<ColumnTarget>& ColumnTargets();

struct ColumnMap {
    std::vector<std::string> header;   // the file's header row as read
    std::vector<std::string> targets;  // one ColumnTarget name per column of the header
};

// The header row of a CSV file (UTF-8, or Windows-1252 when it is not valid UTF-8).
tunelo::Status ReadCsvHeader(const std::string& path, std::vector<std::string>* header);

// A map file for `--map`: an INI file whose [Columns] section names, per column header, its
// target ("Album=main title"); columns it does not name are ignored. Fails on an unknown target.
tunelo::Status ReadColumnMapFile(const std::string& path, const std::vector<std::string>& header,
                                 ColumnMap* map);
tunelo::Status WriteColumnMapFile(const std::string& path, const ColumnMap& map);

tunelo::Status ReadMappedCsv(const std::string& path, const ColumnMap& map, const Sink& sink,
                             const Progress& progress = nullptr);

}  // namespace foreign
