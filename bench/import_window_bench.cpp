// import_window_bench: the preview of "Import from another program…" with many refused entries.
// Writes a Discogs collection export of ten sources and REFUSED entries without a title into a
// fresh catalogue made from the installation template, then measures, offscreen through the
// screen itself: reading the file and showing the preview up to its first paint, and paging
// through every page of refused entries (each page shown and painted: the whole window drawn
// into a picture, as offscreen windows are not painted on their own).
//   import_window_bench TEMPLATE_FOLDER [REFUSED] [RUNS]
#include <QApplication>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/work_dir.h"
#include "bench_clock.h"
#include "store/catalogue.h"
#include "store/catalogue_folder.h"
#include "transfer/foreign_import_form.h"
#include "transfer/paged_refusals.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: import_window_bench TEMPLATE_FOLDER [REFUSED] [RUNS]\n");
        return 2;
    }
    const int refused = argc > 2 ? std::atoi(argv[2]) : 10000;
    const int runs = argc > 3 ? std::atoi(argv[3]) : 5;
    QApplication app(argc, argv);
    const auto folder = std::filesystem::temp_directory_path() / "tunelo-import-window-bench";
    std::filesystem::remove_all(folder);
    if (!CreateCatalogueFromTemplate(argv[1], folder.string()).ok())
        return 1;
    SetWorkDir(folder.string());
    const std::string path = (folder / "collection.csv").string();
    {
        std::ofstream file(path, std::ios::binary);
        file << "Catalog#,Artist,Title,Label,Format,Rating,Released,release_id,CollectionFolder,"
                "Date Added,Collection Media Condition,Collection Sleeve Condition,"
                "Collection Notes\r\n";
        for (int row = 0; row < 10; ++row)
            file << "CK " << row << ",Artist " << row << ",Title " << row
                 << ",Label,CD,,,,,,,,\r\n";
        for (int row = 0; row < refused; ++row)
            file << "X " << row << ",Nobody,,Label,\"Vinyl, LP\",,,,,,,,\r\n";
    }
    Catalogue catalogue(folder.string());
    catalogue.OpenIndexes();
    std::vector<double> open, paging;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        auto import = PrepareForeignImport(catalogue, path, ForeignImportOptions{});
        if (import == nullptr)
            return 1;
        TForeignImportForm form(catalogue, path, ForeignImportOptions{}, std::move(import));
        form.show();
        form.grab();
        open.push_back(Ms(start));
        auto* pages = form.findChild<TPagedRefusals*>();
        start = std::chrono::steady_clock::now();
        for (size_t page = 1; page < pages->pages(); ++page) {
            pages->ShowPage(page);
            form.grab();
        }
        paging.push_back(Ms(start));
        if (run == 0)
            std::printf("%d refused entries in %zu pages\n", refused, pages->pages());
    }
    ReportRuns("read the file and show the preview to its first paint", open);
    ReportRuns("page through every page of refused entries, each painted", paging);
    std::filesystem::remove_all(folder);
    return 0;
}
