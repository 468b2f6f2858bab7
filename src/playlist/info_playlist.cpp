#include "playlist/info_playlist.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/dialog_parts.h"
#include "store/playlist_totals.h"

namespace {

QLabel* Value(const QString& text, const char* name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

}  // namespace

TInfoPlaylist::TInfoPlaylist(TTableAccess& playlist, QWidget* parent) : QDialog(parent) {
    setObjectName("InfoPlaylist");
    setWindowTitle("Playlist information");
    const PlaylistTotals totals = CountPlaylist(playlist);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    auto* label1 = new QLabel("Total tracks", this);
    label1->setObjectName("Label1");
    auto* label2 = new QLabel("Total playing time:", this);
    label2->setObjectName("Label2");
    grid->addWidget(label1, 0, 0);
    grid->addWidget(Value(QString::number(totals.count), "lTracks", this), 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(Value(QString::fromStdString(totals.PlayingTime()), "lTime", this), 1, 1);

    auto* box = new QDialogButtonBox(this);
    QPushButton* ok = AddDialogButton(box, "OKBtn", "OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    box->setCenterButtons(true);
    LayOutDialog(this, grid, box);
}
