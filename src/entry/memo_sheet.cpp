#include "entry/memo_sheet.h"

#include "base/text.h"
#include "store/catalogue.h"
#include "store/record_edit.h"

MemoSheet ReadMemo(Catalogue& catalogue, uint32_t recno) {
    TTableAccess& titles = catalogue.dm2.HfAccess;
    titles.Go(recno);
    MemoSheet sheet;
    sheet.mainTitle = Trim(titles.GetString("HTITEL"));
    sheet.carrier = Trim(titles.GetString("DRAGER"));
    sheet.number = titles.GetInteger("CDNUMMER");
    sheet.savedOn = Trim(titles.GetDateString("TEKSTDAT"));
    sheet.text = titles.GetString("MEMO");
    return sheet;
}

void StoreMemo(Catalogue& catalogue, uint32_t recno, const std::string& text) {
    const std::string today = TodayDateText(catalogue.dm1.TableEnv1);
    ChangeRecord(catalogue.dm2.HfAccess, recno, [&](TTable& table) {
        table.SetFieldAsString("TEKSTDAT", today);
        table.SetFieldAsString("MEMO", text);
    });
}
