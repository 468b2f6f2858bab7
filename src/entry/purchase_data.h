// The purchase data of one main title (AANKOOP, AANKOOPDAT, AANKPPRS of hfdat.dat): reading them
// for the purchase screen and storing them. Texts are table bytes. Table failures throw
// TableError and leave the record as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Catalogue;

struct PurchaseData {
    std::string place;  // trimmed
    std::string date;   // "24-12-1997"; "" when blank
    double price = 0;
};

// The purchase data of main-title record `recno`.
PurchaseData ReadPurchase(Catalogue& catalogue, uint32_t recno);

// Stores the purchase data in record `recno`: the place with every word capitalised (the date
// is cleared when the place is blank), the date (a date in the program's format, or "") and the
// price; then adds the place to the purchase places (code K). The date must parse and the place
// must fit AANKOOP (45), or TableError is thrown before anything is written.
void StorePurchase(Catalogue& catalogue, uint32_t recno, const PurchaseData& data);
