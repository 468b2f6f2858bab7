// The pick list of a list field that offers lookup items: read afresh from items.dat each time
// the list opens, so that items added or changed elsewhere show at once.
#pragma once

class Catalogue;
class PickListCombo;

// Makes `combo` offer the lookup items of `code` whenever its list opens. A table failure is shown
// to the user and leaves the list as it was. `catalogue` must outlive `combo`.
void OfferItems(PickListCombo* combo, Catalogue& catalogue, char code);
