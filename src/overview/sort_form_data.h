// TSortFormData ("Sort"): the order of the artist or main-title overview, kept in cd.ini
// (Sortering) as the tag number the overview sets on its table. One radio button per order the
// overview offers.
#pragma once

#include <QDialog>
#include <utility>
#include <vector>

class QRadioButton;

struct SortChoice {
    const char* name;
    const char* caption;
    int order;
};

// What one overview offers: its key in Sortering, its choices, and the choice checked when the
// stored value matches none of them.
struct SortChoices {
    const char* objectName;
    const char* key;
    std::vector<SortChoice> choices;
    int designedDefault;
};

const SortChoices& ArtistSortChoices();
const SortChoices& MainTitleSortChoices();

class TSortFormData : public QDialog {
    Q_OBJECT
public:
    TSortFormData(const SortChoices& choices, QWidget* parent = nullptr);

    // The stored order, or `absent` when the key is missing.
    static int StoredOrder(const SortChoices& choices, int absent);

private:
    void OKBtnClick();

    const SortChoices& sort_;
    std::vector<std::pair<QRadioButton*, int>> buttons_;
};
