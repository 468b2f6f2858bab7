#include "search/word_fields.h"

#include "base/ini.h"

namespace {

constexpr char kSection[] = "ZoekOpWoord";
constexpr int kMainTitle = 0, kMainArtist = 3, kArtist = 4, kTitle = 5;

}  // namespace

const std::vector<WordField>& WordFields() {
    static const std::vector<WordField> fields = {
        {"Main title", "HTITEL", false, "zHoofdtitel", "rHoofdtitel", kMainArtist},
        {"Style 1", "SOORT", false, "zGenre1", "rGenre1", kMainTitle},
        {"Label", "LABEL", false, "zLabel", "rLabel", kMainTitle},
        {"Main artist", "HOOFDART", false, "zHoofdartiest", "rHoofdartiest", kMainTitle},
        {"Artist", "ARTIEST", true, "zArtiest", "rArtiest", kTitle},
        {"Title", "TITEL", true, "zTitel", "rTitel", kArtist},
        {"Composer", "COMPONIST", true, "zComponist", "rComponist", kTitle},
        {"Style 2", "SOORT", true, "zGenre2", "rGenre2", kTitle},
        {"Performance", "UITVOER", true, "zUitvoering", "rUitvoering", kTitle},
        {"Keyword", "TREF", true, "zTrefwoord", "rTrefwoord", kTitle},
    };
    return fields;
}

WordChoice ReadWordChoice() {
    const std::vector<WordField>& fields = WordFields();
    int search = -1, second = -1;
    for (int i = 0; i < int(fields.size()); ++i) {
        if (search < 0 && IniReadBool(kSection, fields[size_t(i)].searchKey))
            search = i;
        if (second < 0 && IniReadBool(kSection, fields[size_t(i)].secondKey))
            second = i;
    }
    if (search < 0)
        return {kTitle, kArtist};
    const WordField& searched = fields[size_t(search)];
    if (second < 0 || second == search || fields[size_t(second)].tracks != searched.tracks)
        second = searched.defaultSecond;
    return {search, second};
}

void WriteWordChoice(const WordChoice& choice) {
    const std::vector<WordField>& fields = WordFields();
    for (int i = 0; i < int(fields.size()); ++i) {
        IniWriteBool(kSection, fields[size_t(i)].searchKey, i == choice.search);
        IniWriteBool(kSection, fields[size_t(i)].secondKey, i == choice.second);
    }
}
