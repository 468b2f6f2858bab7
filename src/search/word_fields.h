// The ten fields the word-part search looks in or narrows by, in the order its preference dialog
// offers them, and the choice of the two kept in section ZoekOpWoord of cd.ini. Toolkit-free.
#pragma once

#include <vector>

struct WordField {
    const char* caption;    // the radio buttons' text, the column header and the box label
    const char* field;      // the table field
    bool tracks;            // artdat.dat (true) or hfdat.dat
    const char* searchKey;  // ZoekOpWoord key, true when this is the search field
    const char* secondKey;  // ZoekOpWoord key, true when this is the second field
    int defaultSecond;      // the second field checked when this one becomes the search field
};

const std::vector<WordField>& WordFields();

// Indexes into WordFields().
struct WordChoice {
    int search = 0;
    int second = 0;
};

// The choice stored in cd.ini. Without a checked search field: Title, narrowed by Artist; a second
// field that is missing or of the other table gives way to the search field's default.
WordChoice ReadWordChoice();
// Writes all twenty keys: true for the two chosen fields, false for the others.
void WriteWordChoice(const WordChoice& choice);
