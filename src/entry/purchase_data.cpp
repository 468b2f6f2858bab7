#include "entry/purchase_data.h"

#include "base/text.h"
#include "store/catalogue.h"
#include "store/record_edit.h"

PurchaseData ReadPurchase(Catalogue& catalogue, uint32_t recno) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.Go(recno);
    PurchaseData data;
    data.place = Trim(titles.GetString("AANKOOP").bytes());
    data.date = Trim(titles.GetDateString("AANKOOPDAT"));
    data.price = titles.GetDouble("AANKPPRS");
    return data;
}

void StorePurchase(Catalogue& catalogue, uint32_t recno, const PurchaseData& data) {
    // Every word capitalised, whatever the capitalisation settings say.
    const std::string place = KapitaliseerTekst(Trim(data.place), true);
    ChangeRecord(catalogue.dm2.HfAccess, recno, [&](TTable& table) {
        table.SetFieldAsString("AANKOOP", place);
        if (IsBlank(place))
            table.ClearField("AANKOOPDAT");
        else
            table.SetFieldAsString("AANKOOPDAT", data.date);
        table.SetFieldAsFloat("AANKPPRS", data.price);
    });
    catalogue.dm3.WriteItems(place, 'K');
}
