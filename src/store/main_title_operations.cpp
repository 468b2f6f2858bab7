// Storing a main title a screen has been editing (TDataModule2), with the capitalisation the
// user chose in cd.ini.
#include "base/ini.h"
#include "base/text.h"
#include "store/data_module2.h"
#include "store/record_edit.h"
#include "store/source_key.h"

namespace {

struct CapitalisedTitleField {
    const char* field;
    const char* flag;
};
// A main title's style follows K_Genre2 when it is modified (K_Genre1 at entry).
constexpr CapitalisedTitleField kTitleFields[] = {
    {"SOORT", "K_Genre2"},
    {"HTITEL", "K_Hoofdtitel"},
    {"LABEL", "K_Label"},
    {"HOOFDART", "K_Hoofdartiest"},
};

}  // namespace

void TDataModule2::KapitaliseerData2() {
    StatusShown status("Upper each word...");
    HfTable.Edit();  // no effect on a record already being edited
    HfTable.SetFieldAsString("OPNAME", TableUpper(HfTable.FieldAsString("OPNAME").bytes()));
    HfTable.SetFieldAsString("DRAGER", TableUpper(HfTable.FieldAsString("DRAGER").bytes()));
    for (const CapitalisedTitleField& f : kTitleFields) {
        HfTable.SetFieldAsString(f.field, KapitaliseerTekst(HfTable.FieldAsString(f.field).bytes(),
                                                            IniReadBool("Kapitaliseer", f.flag)));
    }
    HfTable.SetFieldAsString("WIJZIGDAT", TodayDateText(HfTable.env()));
    HfTable.Post();
}
