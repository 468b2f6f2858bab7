// What a configurable search screen searches: the field whose beginning is sought, the field a
// filter text must occur in, the index order, the box widths and the pick list's lookup code.
#pragma once

#include <QString>
#include <string>
#include <vector>

struct SearchProfile {
    QString SearchCaption;  // the window caption, the search box label, column 0's header
    QString FilterCaption;  // the filter box label, column 1's header
    std::string SearchField;
    std::string FilterField;
    int OrderNo = 0;         // tag of the searched table's index file
    int SearchBoxWidth = 0;  // > 0: this width in pixels and at most 30 characters
    int FilterBoxWidth = 0;
    std::string LookupCode;  // "" for no pick list
};

// A Search menu command that opens a configurable screen with its profile.
struct ProfileCommand {
    const char* command;  // the main window's action name
    bool tracks;          // TZoekArtiestForm (true) or TZoekHoofdtitelForm
    SearchProfile profile;
};

// The ten commands, in the order of the Search menu's two groups.
const std::vector<ProfileCommand>& ProfileCommands();
