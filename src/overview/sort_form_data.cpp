#include "overview/sort_form_data.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/ini.h"
#include "shell/dialog_parts.h"

namespace {

constexpr const char* kSection = "Sortering";

}  // namespace

const SortChoices& ArtistSortChoices() {
    static const SortChoices choices{"SortFormData1",
                                     "ArtiestenOverzicht",
                                     {{"RadioButton1", "Artist", 1},
                                      {"RadioButton2", "Title", 2},
                                      {"RadioButton3", "Keyword", 3},
                                      {"RadioButton4", "Composer", 5},
                                      {"RadioButton5", "Style", 7},
                                      {"RadioButton6", "Source and number", 8},
                                      {"RadioButton7", "Performance", 11},
                                      {"RadioButton8", "Year", 12}},
                                     11};
    return choices;
}

const SortChoices& MainTitleSortChoices() {
    static const SortChoices choices{"SortFormData2",
                                     "HoofdtitelOverzicht",
                                     {{"RadioButton1", "Main title", 1},
                                      {"RadioButton2", "Style", 2},
                                      {"RadioButton3", "Source and number", 5},
                                      {"RadioButton4", "Label", 6},
                                      {"RadioButton5", "Main artist", 7},
                                      {"RadioButton6", "Purchase date", 9},
                                      {"RadioButton7", "Quality", 10},
                                      {"RadioButton8", "Purchased", 11},
                                      {"RadioButton9", "Amount", 12}},
                                     2};
    return choices;
}

int TSortFormData::StoredOrder(const SortChoices& choices, int absent) {
    return IniReadInteger(kSection, choices.key, absent);
}

TSortFormData::TSortFormData(const SortChoices& choices, QWidget* parent)
    : QDialog(parent), sort_(choices) {
    setObjectName(choices.objectName);
    setWindowTitle("Sort");

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    auto* column = new QVBoxLayout(group);
    const int stored = StoredOrder(choices, 0);
    bool matched = false;
    for (const SortChoice& choice : choices.choices) {
        auto* button = new QRadioButton(choice.caption, group);
        button->setObjectName(choice.name);
        column->addWidget(button);
        buttons_.emplace_back(button, choice.order);
        matched = matched || choice.order == stored;
    }
    const int checked = matched ? stored : choices.designedDefault;
    for (const auto& [button, order] : buttons_) {
        button->setChecked(order == checked);
    }
    const OkCancelRow row = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(row.ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    auto* content = new QVBoxLayout;
    content->addWidget(group);
    LayOutDialog(this, content, row.box);
}

void TSortFormData::OKBtnClick() {
    for (const auto& [button, order] : buttons_) {
        if (button->isChecked() && !IniWriteInteger(kSection, sort_.key, order)) {
            return;
        }
    }
    accept();
}
