#include "store/csv_files.h"

#include "store/catalogue.h"

const std::vector<CsvFile>& CatalogueCsvFiles() {
    static const std::vector<CsvFile> files = {{CsvKind::Sources, "sources.csv"},
                                               {CsvKind::Tracks, "tracks.csv"},
                                               {CsvKind::Loans, "loans.csv"},
                                               {CsvKind::Playlist, "playlist.csv"}};
    return files;
}

TTable& CsvTable(Catalogue& catalogue, CsvKind kind) {
    switch (kind) {
        case CsvKind::Sources:
            return catalogue.dm2.HfTable;
        case CsvKind::Tracks:
            return catalogue.dm1.ArtTable;
        case CsvKind::Loans:
            return catalogue.dm3.UitleenTable;
        case CsvKind::Playlist:
            break;
    }
    return catalogue.dm3.PlaylistTable;
}
