// Deleting a whole source: its tracks, its loans, its playlist entries and its main title.
// Toolkit-free; asks through the Ui port. Table failures throw TableError.
#pragma once

#include <cstdint>

class Catalogue;

// After the protection check lets it pass, asks "Delete source <carrier> <number> "<main title>"
// with its <n> tracks, its loan and its playlist entries?" (No the default) and on Yes deletes
// the source of main-title record `titleRecNo` (RemoveSource: the main title last, a removal cut
// short finished at the next start). True when the source was deleted. The other tables keep
// their orders; hfdat.dat stands after the deleted record.
bool DeleteSource(Catalogue& catalogue, uint32_t titleRecNo);
