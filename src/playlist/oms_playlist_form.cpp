#include "playlist/oms_playlist_form.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "base/ini.h"
#include "entry/editor_parts.h"
#include "shell/table_text.h"

namespace {

constexpr int kMaxDescription = 65;

}  // namespace

TOmsPlaylistForm::TOmsPlaylistForm(QWidget* parent) : QDialog(parent), edit1_(new QLineEdit(this)) {
    setObjectName("OmsPlaylistForm");
    setWindowTitle("Description Playlist");

    auto* label1 = new QLabel("Description:", this);
    label1->setObjectName("Label1");
    label1->setBuddy(edit1_);
    edit1_->setObjectName("Edit1");
    edit1_->setMaxLength(kMaxDescription);
    // Room for the longest description in average characters.
    edit1_->setMinimumWidth(edit1_->fontMetrics().averageCharWidth() * kMaxDescription);
    edit1_->setText(FromTable(TableText(ReadPrintIni("PlayList", "PlaylistOms"))));
    auto* row = new QHBoxLayout;
    row->addWidget(label1);
    row->addWidget(edit1_);

    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(box, "OKBtn", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    LayOutDialog(this, row, box);
    edit1_->setFocus();
}

void TOmsPlaylistForm::OKBtnClick() {
    const std::optional<std::string> text = TextForTable(edit1_->text(), "Description:");
    if (text && WritePrintIni("PlayList", "PlaylistOms", *text))
        accept();
}
