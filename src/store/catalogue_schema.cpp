#include "store/catalogue_schema.h"

namespace {

// TRACK stays a 16-bit integer field (at most 4 digits); CDNUMMER holds 9 digits.
const xbase::FieldSpec kTrack{"TRACK", 'N', 4, 0};
const xbase::FieldSpec kCdNummer{"CDNUMMER", 'N', 9, 0};

std::vector<TableDefinition> Build() {
    std::vector<TableDefinition> tables;
    tables.push_back({"artdat.dat",
                      "INDEX1.CDX",
                      {{"TITEL", 'C', 50, 0},
                       {"ARTIEST", 'C', 50, 0},
                       {"TREF", 'C', 30, 0},
                       kTrack,
                       {"COMPONIST", 'C', 50, 0},
                       {"MINUTEN", 'C', 3, 0},
                       {"SECONDEN", 'C', 2, 0},
                       kCdNummer,
                       {"SOORT", 'C', 30, 0},
                       {"DRAGER", 'C', 10, 0},
                       {"DUBBEL", 'C', 1, 0},
                       {"DUBNW", 'C', 1, 0},
                       {"UITVOER", 'C', 30, 0},
                       {"AKANT", 'C', 1, 0},
                       {"WIJZIGDAT", 'D', 8, 0},
                       {"JAAR", 'C', 4, 0}},
                      {{"1", "UPPER(ARTIEST)+UPPER(TITEL)"},
                       {"2", "UPPER(TITEL)+UPPER(ARTIEST)"},
                       {"3", "UPPER(TREF)+UPPER(TITEL)"},
                       {"4", "CDNUMMER"},
                       {"5", "UPPER(COMPONIST)+UPPER(TITEL)"},
                       {"6", "MINUTEN+SECONDEN+UPPER(ARTIEST)+UPPER(TITEL)"},
                       {"7", "UPPER(SOORT)+UPPER(TITEL)"},
                       {"8", "UPPER(DRAGER)+STR(CDNUMMER)"},
                       {"9", "STR(CDNUMMER)+UPPER(DRAGER)+AKANT"},
                       {"10", "UPPER(DRAGER)+STR(CDNUMMER)+AKANT+STR(TRACK)"},
                       {"11", "UPPER(UITVOER)+UPPER(TITEL)"},
                       {"12", "JAAR"}}});
    tables.push_back({"hfdat.dat",
                      "INDEX2.CDX",
                      {{"OPNAME", 'C', 3, 0},
                       {"HTITEL", 'C', 50, 0},
                       {"SOORT", 'C', 30, 0},
                       kCdNummer,
                       {"MEMO", 'M', 10, 0},
                       {"DRAGER", 'C', 10, 0},
                       {"LABEL", 'C', 30, 0},
                       {"RMNR", 'C', 25, 0},
                       {"AANKOOPDAT", 'D', 8, 0},
                       {"INVOERDAT", 'D', 8, 0},
                       {"AANKOOP", 'C', 45, 0},
                       {"HOOFDART", 'C', 50, 0},
                       {"WIJZIGDAT", 'D', 8, 0},
                       {"TEKSTDAT", 'D', 8, 0},
                       {"AANKPPRS", 'N', 10, 2}},
                      {{"1", "UPPER(HTITEL)+UPPER(HOOFDART)"},
                       {"2", "UPPER(SOORT)+UPPER(HTITEL)"},
                       {"3", "CDNUMMER"},
                       {"4", "UPPER(DRAGER)+STR(CDNUMMER)"},
                       {"5", "UPPER(DRAGER)+STR(CDNUMMER)"},
                       {"6", "UPPER(LABEL)+UPPER(HTITEL)"},
                       {"7", "UPPER(HOOFDART)+UPPER(HTITEL)"},
                       {"8", "RMNR"},
                       {"9", "dTos(AANKOOPDAT)+UPPER(DRAGER)+STR(CDNUMMER)"},
                       {"10", "UPPER(OPNAME)"},
                       {"11", "UPPER(AANKOOP)"},
                       {"12", "AANKPPRS"}}});
    tables.push_back(
        {"items.dat",
         "INDEX3.CDX",
         {{"OMS", 'C', 50, 0}, {"CODE", 'C', 1, 0}, {"KANT", 'C', 1, 0}, {"AANTAL", 'C', 15, 0}},
         {{"1", "UPPER(OMS)+CODE"}, {"2", "CODE+UPPER(OMS)"}, {"3", "UPPER(CODE)"}}});
    tables.push_back({"Uitdat.dat",
                      "INDEX4.CDX",
                      {kCdNummer,
                       {"AANWIE", 'C', 50, 0},
                       {"UITDATUM", 'D', 8, 0},
                       {"TERDATUM", 'D', 8, 0},
                       {"DRAGER", 'C', 10, 0}},
                      {{"1", "UPPER(DRAGER)+STR(CDNUMMER)"}, {"2", "UPPER(AANWIE)"}}});
    tables.push_back({"playlist.dat",
                      "INDEX5.CDX",
                      {{"TITEL", 'C', 50, 0},
                       {"ARTIEST", 'C', 50, 0},
                       kTrack,
                       {"MINUTEN", 'C', 3, 0},
                       {"SECONDEN", 'C', 2, 0},
                       {"JAAR", 'C', 4, 0},
                       kCdNummer,
                       {"DRAGER", 'C', 10, 0},
                       {"AKANT", 'C', 1, 0}},
                      {{"1", "UPPER(ARTIEST)+UPPER(TITEL)"},
                       {"2", "UPPER(TITEL)+UPPER(ARTIEST)"},
                       {"3", "CDNUMMER"},
                       {"4", "MINUTEN+SECONDEN+UPPER(ARTIEST)+UPPER(TITEL)"},
                       {"5", "UPPER(DRAGER)+STR(CDNUMMER)"},
                       {"6", "STR(CDNUMMER)+UPPER(DRAGER)+AKANT"},
                       {"7", "UPPER(DRAGER)+STR(CDNUMMER)+STR(TRACK)+AKANT"},
                       {"8", "JAAR"}}});
    return tables;
}

}  // namespace

const std::vector<TableDefinition>& CatalogueTables() {
    static const std::vector<TableDefinition> tables = Build();
    return tables;
}

const TableDefinition& TrackTable() {
    return CatalogueTables()[0];
}

const TableDefinition& MainTitleTable() {
    return CatalogueTables()[1];
}
