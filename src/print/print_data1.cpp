#include "print/print_data1.h"

namespace {

// artdat.dat order 8 is UPPER(DRAGER)+STR(CDNUMMER).
const PrintFieldTable kTracks{ReportKind::Track, true, "Do you want to print all the artist?", 420,
                              8};

}  // namespace

TPrintData1::TPrintData1(Catalogue& catalogue, PrintSelectionHooks hooks, QWidget* parent)
    : PrintFieldForm(catalogue, std::move(hooks), kTracks, parent) {}
