// tunelo_make_template FOLDER: writes the files of a new, empty catalogue into FOLDER (the five
// tables, the memo file and Index1.cdx to Index5.cdx), as the installation template ships them.
// Refuses when a table exists there already.
#include <cstdio>
#include <string>

#include "store/catalogue_files.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string folder = argv[1];
    xbase::Status status = CreateCatalogueTables(folder);
    if (status.ok())
        status = CreateCatalogueIndexes(folder);
    if (!status.ok()) {
        std::fprintf(stderr, "%s\n", status.ToString().c_str());
        return 1;
    }
    return 0;
}
