#include "print/print_data2.h"

namespace {

// hfdat.dat order 5 is UPPER(DRAGER)+STR(CDNUMMER).
const PrintFieldTable kTitles{ReportKind::MainTitle, false,
                              "Do you want to print all the main title?", 424, 5};

}  // namespace

TPrintData2::TPrintData2(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent)
    : PrintFieldForm(catalogue, std::move(hooks), kTitles, parent) {}
