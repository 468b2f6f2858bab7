// The catalogue's CSV files: one per table, named for what it holds, in the order they are
// written and read (sources before the tracks, loans and playlist entries that refer to them).
#pragma once

#include <vector>

class Catalogue;
class TTable;

enum class CsvKind { Sources, Tracks, Loans, Playlist };

struct CsvFile {
    CsvKind kind;
    const char* name;  // "sources.csv", ...
};

const std::vector<CsvFile>& CatalogueCsvFiles();
// The table a CSV file holds: hfdat.dat, artdat.dat, Uitdat.dat or playlist.dat.
TTable& CsvTable(Catalogue& catalogue, CsvKind kind);
