#include "search/zoek_woord_conf.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialog_parts.h"

TZoekWoordConf::TZoekWoordConf(QWidget* parent) : QDialog(parent) {
    setObjectName("ZoekWoordConf");
    setWindowTitle("Preference");
    auto* groups = new QHBoxLayout;
    for (bool searchGroup : {true, false}) {
        auto* box = new QGroupBox(searchGroup ? "Search field" : "Second field", this);
        box->setObjectName(searchGroup ? "GroupBox1" : "GroupBox2");
        auto* column = new QVBoxLayout(box);
        auto* exclusive = new QButtonGroup(box);
        for (const WordField& field : WordFields()) {
            auto* button = new QRadioButton(field.caption, box);
            // The buttons carry the names of their keys.
            button->setObjectName(searchGroup ? field.searchKey : field.secondKey);
            exclusive->addButton(button);
            column->addWidget(button);
            (searchGroup ? search_ : second_).push_back(button);
        }
        groups->addWidget(box);
    }
    for (int i = 0; i < int(search_.size()); ++i)
        connect(search_[size_t(i)], &QRadioButton::clicked, this,
                [this, i] { SearchFieldClick(i); });
    const OkCancelRow row = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(row.ok, &QPushButton::clicked, this, [this] {
        WriteIni();
        accept();
    });
    LayOutDialog(this, groups, row.box);
    ReadIni();
}

void TZoekWoordConf::ReadIni() {
    const WordChoice stored = ReadWordChoice();
    search_[size_t(stored.search)]->setChecked(true);
    SearchFieldClick(stored.search);
    second_[size_t(stored.second)]->setChecked(true);
}

void TZoekWoordConf::WriteIni() {
    WriteWordChoice(choice());
}

void TZoekWoordConf::SearchFieldClick(int index) {
    const std::vector<WordField>& fields = WordFields();
    const bool tracks = fields[size_t(index)].tracks;
    for (size_t i = 0; i < second_.size(); ++i)
        second_[i]->setEnabled(int(i) != index && fields[i].tracks == tracks);
    second_[size_t(fields[size_t(index)].defaultSecond)]->setChecked(true);
}

WordChoice TZoekWoordConf::choice() const {
    WordChoice chosen;
    for (int i = 0; i < int(search_.size()); ++i) {
        if (search_[size_t(i)]->isChecked())
            chosen.search = i;
        if (second_[size_t(i)]->isChecked())
            chosen.second = i;
    }
    return chosen;
}
