// The catalogue's five tables: their files, fields and index tags, as every part of the program
// and the new-installation template know them.
#pragma once

#include <string>
#include <vector>

#include "platform/xbase/dbf_header.h"

struct TagDefinition {
    std::string name;        // "1", "2", ...: the order number that selects the tag
    std::string expression;  // the key expression, exactly as handed to the engine
};

struct TableDefinition {
    std::string file;       // table file in the program directory
    std::string indexFile;  // its compound index file
    std::vector<xbase::FieldSpec> fields;
    std::vector<TagDefinition> tags;  // in creation order
};

// artdat.dat (tracks, INDEX1), hfdat.dat (main titles, INDEX2), items.dat (lookup items, INDEX3),
// Uitdat.dat (loans, INDEX4), playlist.dat (the playlist, INDEX5): the order the index files are
// built in.
const std::vector<TableDefinition>& CatalogueTables();
const TableDefinition& TrackTable();
const TableDefinition& MainTitleTable();
