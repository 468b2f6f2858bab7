// Damage found while the program runs (a read that reaches a damaged index page): rather than
// failing again at every keystroke, the user is offered the full check and repair of every table
// at once.
#pragma once

#include "store/catalogue.h"
#include "store/table_error.h"

// The catalogue whose tables the offer repairs; nullptr withdraws it.
void SetRepairCatalogue(Catalogue* catalogue);
// Shows `error`. Damage comes with the offer; Yes runs the repair, with its progress on the status
// line, and tells how it went. True when the tables were repaired: what failed may be tried again.
bool ShowTableErrorOfferingRepair(const TableError& error);
