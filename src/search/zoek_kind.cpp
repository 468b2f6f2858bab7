#include "search/zoek_kind.h"

namespace {

constexpr int kSearchColumnWidth = 292;
constexpr int kKindColumnWidth = 600;

const std::vector<ZoekKind>& Kinds() {
    // In the order of SearchScreen.
    static const std::vector<ZoekKind> kinds = {
        {.objectName = "ZoekArtiestForm",
         .autoKey = "AutoArtiest",
         .tracks = true,
         .chooser = true},
        {.objectName = "ZoekHoofdtitelForm", .autoKey = "AutoHoofdtitel", .chooser = true},
        // The carrier code as typed, and the whole of it.
        {.objectName = "ZoekGeluidsdragerForm",
         .title = "Source",
         .searchCaption = "Source",
         .filterCaption = "Main title",
         .autoKey = "AutoGeluidsdrager",
         .boxLength = 10,
         .boxWidth = 120,
         .trimmed = false,
         .lookupCode = "D",
         .order = 4,
         .keyField = "DRAGER",
         .keyLength = 10,
         .exactKey = true,
         .filterField = "HTITEL",
         .columns = {{"Source", {"DRAGER"}}, {"Number:", {"CDNUMMER"}}, {"Main title", {"HTITEL"}}},
         .widths = {140, 140, kKindColumnWidth}},
        {.objectName = "ZoekJaarForm",
         .title = "Year",
         .searchCaption = "Year",
         .filterCaption = "Title",
         .autoKey = "AutoJaar",
         .tracks = true,
         .box = SearchBox::Year,
         .order = 12,
         .keyField = "JAAR",
         .keyLength = 4,
         .filterField = "TITEL",
         .columns = {{"Year", {"JAAR"}}, {"Artist", {"ARTIEST"}}, {"Title", {"TITEL"}}},
         .widths = {50, 265, 400}},
        // Minutes and seconds, each read as a number from what the track holds.
        {.objectName = "ZoekTijdForm",
         .title = "Track time",
         .searchCaption = "Time",
         .filterCaption = "Artist",
         .autoKey = "AutoTracktijd",
         .tracks = true,
         .box = SearchBox::Time,
         .order = 6,
         .keyField = "MINUTEN",
         .filterField = "ARTIEST",
         .columns = {{"Time", {"MINUTEN", "SECONDEN"}},
                     {"Artist", {"ARTIEST"}},
                     {"Title", {"TITEL"}}},
         .widths = {50, 265, 400}},
        // The memo text as typed, anywhere in the memo.
        {.objectName = "ZoekTekstbladForm",
         .title = "Memo fields",
         .searchCaption = "Text",
         .filterCaption = "Main title",
         .autoKey = "AutoTekstblad",
         .box = SearchBox::Text,
         .boxLength = 100,
         .trimmed = false,
         .keyField = "MEMO",
         .filterField = "HTITEL",
         .columns = {{"Main title", {"HTITEL"}}, {"Main artist", {"HOOFDART"}}},
         .widths = {kSearchColumnWidth, kKindColumnWidth},
         .memo = true},
        {.objectName = "ZoekWoordForm",
         .title = "Context",
         .autoKey = "AutoWoordHoofdtitel",
         .box = SearchBox::Text,
         .bothTables = true},
    };
    return kinds;
}

}  // namespace

const ZoekKind& ZoekKindOf(SearchScreen screen) {
    return Kinds()[size_t(screen)];
}
