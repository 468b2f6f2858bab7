#include "search/search_profile.h"

const std::vector<ProfileCommand>& ProfileCommands() {
    static const std::vector<ProfileCommand> commands = {
        {"Maintitle1", false, {"Main title", "Main artist", "HTITEL", "HOOFDART", 1, 0, 0, "H"}},
        {"Label1", false, {"Label", "Main title", "LABEL", "HTITEL", 6, 260, 0, "L"}},
        {"Style1", false, {"Style", "Main title", "SOORT", "HTITEL", 2, 260, 0, "G"}},
        {"Mainartist1", false, {"Main artist", "Main title", "HOOFDART", "HTITEL", 7, 0, 0, "A"}},
        {"Artist1", true, {"Artist", "Title", "ARTIEST", "TITEL", 1, 0, 0, ""}},
        {"Title1", true, {"Title", "Artist", "TITEL", "ARTIEST", 2, 0, 0, ""}},
        {"Composer1", true, {"Composer", "Title", "COMPONIST", "TITEL", 5, 0, 0, ""}},
        {"Keyword1", true, {"Keyword", "Title", "TREF", "TITEL", 3, 260, 0, "T"}},
        {"Performance1", true, {"Performance", "Title", "UITVOER", "TITEL", 11, 260, 0, "U"}},
        {"Style2", true, {"Style", "Title", "SOORT", "TITEL", 7, 260, 0, "G"}},
    };
    return commands;
}
