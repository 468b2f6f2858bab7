// TZoekWoordForm ("Context"): the word-part search. It reads the whole table of the chosen field
// for a text anywhere in it (a whole word with "Exact"), optionally narrowed by a text in a second
// field of the same table, and offers the field search screens' actions on the hits: on tracks
// when the field is a track's, on main titles otherwise. The fields are chosen in TZoekWoordConf.
#pragma once

#include "search/zoek_form.h"

class TZoekWoordForm : public TZoekForm {
    Q_OBJECT
public:
    // `catalogue` must outlive the screen.
    explicit TZoekWoordForm(Catalogue& catalogue, QWidget* parent = nullptr);

    // Takes the fields chosen in cd.ini: the table, the column headers and the box labels; then
    // the focus goes to the search box.
    void GetConfig();
    // ZoekHf: reads the table for what the boxes hold. A scan the user cancels changes nothing.
    void Zoek() override;

protected:
    void Preference() override;
    void showEvent(QShowEvent* event) override;

private:
    bool activationWatched_ = false;
};
