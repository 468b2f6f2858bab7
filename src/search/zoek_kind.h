// What sets one field search screen apart from the others, one row per kind of screen: its names
// and captions, its search box, how its search runs and the grid's columns. The configurable
// screens (tracks, main titles) take their captions, fields and order from a search profile, the
// word-part search from the fields chosen for it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "search/hit_list_model.h"

enum class SearchScreen { Tracks, MainTitles, Source, Year, Time, Memo, Word };

// The search box: a pick list, a number (the year), minutes and seconds, or a plain text.
enum class SearchBox { PickList, Year, Time, Text };

struct ZoekKind {
    const char* objectName = "";
    const char* title = nullptr;          // the window title; nullptr: the profile's search caption
    const char* searchCaption = nullptr;  // box label, not-found message; nullptr: the profile's
    const char* filterCaption = nullptr;  // nullptr: the profile's
    const char* autoKey = "";             // the key of its Auto box in section Diversen
    bool tracks = false;                  // searches artdat.dat (word-part search: as its field)
    SearchBox box = SearchBox::PickList;
    int boxLength = 50;                 // characters the search box takes
    int boxWidth = 260;                 // the text box's least width in pixels
    bool trimmed = true;                // the search text is trimmed before it is sought
    const char* lookupCode = nullptr;   // of the pick list; nullptr: the profile's
    bool chooser = false;               // a double click in the box opens the item chooser
    int order = 0;                      // the tag searched; 0: the profile's
    const char* keyField = nullptr;     // nullptr: the profile's search field
    size_t keyLength = 50;              // the key is cut to this
    bool exactKey = false;              // the key is padded to its length: the whole field matches
    const char* filterField = nullptr;  // nullptr: the profile's
    std::vector<HitListModel::Column> columns = {};  // empty: the profile's two
    std::vector<int> widths = {};
    bool memo = false;        // the memo search, with the memo among the details
    bool bothTables = false;  // the word-part search: details, counter and Auto box for each table
};

const ZoekKind& ZoekKindOf(SearchScreen screen);
