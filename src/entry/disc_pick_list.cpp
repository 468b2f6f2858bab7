#include "entry/disc_pick_list.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "shell/dialog_parts.h"

namespace {

QString PickText(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

TDiscPickList::TDiscPickList(const std::vector<discinfo::DiscCandidate>& releases, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget(this)) {
    setObjectName("TDiscPickList");
    setWindowTitle("Releases of this disc");
    list_->setObjectName("lvReleases");
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels(
        {"Title", "Artist", "Year", "Country", "Label", "Format", "Tracks", "Found in"});
    for (const discinfo::DiscCandidate& release : releases) {
        auto* row = new QTreeWidgetItem(
            list_, {PickText(release.title), PickText(release.artist), PickText(release.year),
                    PickText(release.country), PickText(release.label), PickText(release.format),
                    QString::number(release.tracks.size()),
                    QString::fromLatin1(discinfo::OriginName(release.origin))});
        row->setTextAlignment(6, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int column = 0; column < list_->columnCount(); ++column)
        list_->resizeColumnToContents(column);
    list_->setMinimumSize(640, 220);
    if (list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    connect(list_, &QTreeWidget::itemActivated, this, &QDialog::accept);

    auto* caption = new QLabel(
        "Several releases fit this disc; the best fit is first. Pick the "
        "one you have:",
        this);
    caption->setBuddy(list_);
    auto* content = new QVBoxLayout;
    content->addWidget(caption);
    content->addWidget(list_);
    const OkCancelRow buttons = AddOkCancel(this, "OKBtn", "CancelBtn");
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    LayOutDialog(this, content, buttons.box, 12, 8);
    list_->setFocus();
}

int TDiscPickList::selectedRow() const {
    QTreeWidgetItem* item = list_->currentItem();
    return item != nullptr ? list_->indexOfTopLevelItem(item) : -1;
}

std::optional<size_t> TDiscPickList::Pick(const std::vector<discinfo::DiscCandidate>& releases,
                                          QWidget* parent) {
    TDiscPickList dialog(releases, parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedRow() < 0)
        return std::nullopt;
    return size_t(dialog.selectedRow());
}
