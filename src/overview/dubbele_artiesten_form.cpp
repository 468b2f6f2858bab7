#include "overview/dubbele_artiesten_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include "base/feedback.h"
#include "base/ui.h"
#include "overview/track_rows.h"
#include "shell/dialog_parts.h"
#include "store/catalogue.h"
#include "store/double_titles.h"

TDubbeleArtiestenForm::TDubbeleArtiestenForm(Catalogue& catalogue, QWidget* parent)
    : QDialog(parent),
      catalogue_(catalogue),
      rows_(new TrackRows(catalogue, {{"Artist", "ARTIEST"}}, this)),
      aArtiest_(new QLabel("0", this)) {
    setObjectName("DubbeleArtiestenForm");
    setWindowTitle("Artist");
    aArtiest_->setObjectName("aArtiest");
    resize(480, 320);

    auto* buttons = new QHBoxLayout;
    const struct {
        const char* name;
        const char* text;
        void (TrackRows::*action)();
    } actions[] = {{"ContentsBtn", "&Contents", &TrackRows::Contents},
                   {"InformationBtn", "In&formation", &TrackRows::Info},
                   {"EditBtn", "&Edit", &TrackRows::Edit},
                   {"DeleteBtn", "&Delete", &TrackRows::Delete}};
    for (const auto& a : actions) {
        QPushButton* button = NamedButton(this, a.name, a.text);
        connect(button, &QPushButton::clicked, rows_, a.action);
        buttons->addWidget(button);
    }
    buttons->addStretch();
    QPushButton* previous = NamedButton(this, "PreviousBtn", "&Previous windows");
    QPushButton* close = NamedButton(this, "CloseBtn", "&Close");
    connect(previous, &QPushButton::clicked, this, &QDialog::reject);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(previous);
    buttons->addWidget(close);

    auto* menu = new QMenu(this);
    menu->setObjectName("PopupMenu1");
    rows_->AddTrackItems(menu, "In&formation");
    menu->addSeparator();
    connect(NamedMenuItem(menu, "Delete1", "&Delete"), &QAction::triggered, rows_,
            &TrackRows::Delete);
    connect(NamedMenuItem(menu, "Previouswindows1", "&Previous windows"), &QAction::triggered, this,
            &QDialog::reject);
    QTableView* grid = rows_->grid();
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QTableView::customContextMenuRequested, this, [grid, menu](const QPoint& at) {
        if (const QModelIndex index = grid->indexAt(at); index.isValid())
            grid->selectRow(index.row());
        menu->popup(grid->viewport()->mapToGlobal(at));
    });
    connect(rows_, &TrackRows::activated, rows_, &TrackRows::Contents);
    connect(rows_, &TrackRows::escape, this, &QDialog::reject);
    connect(rows_, &TrackRows::rowRemoved, this, &TDubbeleArtiestenForm::ShowCount);

    auto* counter = new QHBoxLayout;
    counter->addWidget(new QLabel("Artists", this));
    counter->addWidget(aArtiest_);
    counter->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(grid);
    layout->addLayout(counter);
}

bool TDubbeleArtiestenForm::Fill(std::string_view title, TitleMatch match) {
    {
        BusyCursor busy;  // similar spelling walks the whole title order
        rows_->List(TracksWithTitle(catalogue_.dm1.ArtTable, title, match));
    }
    if (rows_->model().rowCount() == 0) {
        PlayWave("ngev.wav");
        CurrentUi().Message(MsgKind::Information, "No artist are found!");
        return false;
    }
    ShowCount();
    rows_->grid()->setFocus();
    return true;
}

void TDubbeleArtiestenForm::ShowCount() {
    aArtiest_->setText(QString::number(rows_->model().rowCount()));
}
