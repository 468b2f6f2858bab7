// TZoekWoordConf ("Preference"): which field the word-part search looks in and which field of the
// same table narrows it. Choosing a search field enables exactly the other fields of its table as
// second field and checks its default one.
#pragma once

#include <QDialog>
#include <vector>

#include "search/word_fields.h"

class QRadioButton;

class TZoekWoordConf : public QDialog {
    Q_OBJECT
public:
    // Reads the choice from cd.ini.
    explicit TZoekWoordConf(QWidget* parent = nullptr);

    WordChoice choice() const;

private:
    void ReadIni();
    void WriteIni();
    // The search field `index` chosen: its table's other fields enabled, its default checked.
    void SearchFieldClick(int index);

    std::vector<QRadioButton*> search_;
    std::vector<QRadioButton*> second_;
};
