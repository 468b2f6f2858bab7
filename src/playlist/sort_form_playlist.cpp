#include "playlist/sort_form_playlist.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "base/ini.h"
#include "shell/dialog_parts.h"

namespace {

struct Choice {
    const char* name;
    const char* caption;
    int order;
};

// "Source and number" is the caption the users know.
constexpr Choice kChoices[] = {{"RadioButton1", "Artist", 1},
                               {"RadioButton2", "Title", 2},
                               {"RadioButton3", "Source and number", 3},
                               {"RadioButton4", "Year", 8},
                               {"RadioButton5", "Time", 4},
                               {"RadioButton6", "No sort", 0}};

}  // namespace

int TSortFormPlaylist::StoredOrder(int absent) {
    const int stored = IniReadInteger("PlayList", "PlayListVolgorde", absent);
    for (const Choice& choice : kChoices) {
        if (choice.order == stored)
            return stored;
    }
    return 0;
}

TSortFormPlaylist::TSortFormPlaylist(QWidget* parent) : QDialog(parent) {
    setObjectName("SortFormPlaylist");
    setWindowTitle("Sort");

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    auto* column = new QVBoxLayout(group);
    const int stored = StoredOrder(0);
    for (const Choice& choice : kChoices) {
        auto* button = new QRadioButton(choice.caption, group);
        button->setObjectName(choice.name);
        button->setChecked(choice.order == stored);
        column->addWidget(button);
        choices_.emplace_back(button, choice.order);
    }
    const OkCancelRow row = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(row.ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    auto* content = new QVBoxLayout;
    content->addWidget(group);
    LayOutDialog(this, content, row.box);
}

void TSortFormPlaylist::OKBtnClick() {
    for (const auto& [button, order] : choices_) {
        if (button->isChecked() && !IniWriteInteger("PlayList", "PlayListVolgorde", order))
            return;
    }
    accept();
}
