#include "overview/dubbel_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "base/feedback.h"
#include "base/ini.h"
#include "base/ui.h"
#include "overview/dubbele_artiesten_form.h"
#include "overview/track_rows.h"
#include "shell/dialog_parts.h"
#include "shell/scan_progress_dialog.h"
#include "shell/window_placement.h"
#include "store/catalogue.h"
#include "store/double_discs.h"
#include "store/double_titles.h"
#include "store/record_edit.h"

namespace {

constexpr int kDoublesScreen = 7;
constexpr const char* kReading = "Reading double entries...";

}  // namespace

TDubbelForm::TDubbelForm(Catalogue& catalogue, QWidget* parent)
    : QWidget(parent),
      catalogue_(catalogue),
      rows_(new TrackRows(catalogue, {{"Title", "TITEL"}}, this)),
      cAantal_(new QLabel("0", this)),
      similar_(new QCheckBox("Similar spelling", this)),
      popupMenu_(new QMenu(this)) {
    setObjectName("DubbelForm");
    setWindowTitle("Double entries");
    cAantal_->setObjectName("cAantal");
    similar_->setObjectName("SimilarSpelling");
    similar_->setToolTip("Accents, letter case, punctuation and a leading article do not count");

    auto* buttons = new QHBoxLayout;
    const auto add = [&](const char* name, const char* text, auto handler, bool action) {
        QPushButton* button = NamedButton(this, name, text);
        connect(button, &QPushButton::clicked, this, handler);
        buttons->addWidget(button);
        if (action)
            actions_.push_back(button);
    };
    add(
        "BitBtn3", "S&tart", [this] { BitBtn3Click(); }, false);
    add(
        "DeleteBtn", "&Delete", [this] { rows_->Delete(); }, true);
    add(
        "EditBtn", "&Edit", [this] { rows_->Edit(); }, true);
    add(
        "ContentsBtn", "&Contents", [this] { rows_->Contents(); }, true);
    add(
        "ArtistBtn", "&Artist", [this] { DubArt(); }, true);
    add(
        "CloseBtn", "&Close", [this] { CloseWindow(); }, false);
    buttons->addStretch();
    buttons->addWidget(similar_);

    popupMenu_->setObjectName("PopupMenu1");
    connect(NamedMenuItem(popupMenu_, "Artist1", "A&rtist"), &QAction::triggered, this,
            [this] { DubArt(); });
    rows_->AddTrackItems(popupMenu_, "In&fo");
    popupMenu_->addSeparator();
    connect(NamedMenuItem(popupMenu_, "Delete1", "&Delete"), &QAction::triggered, rows_,
            &TrackRows::Delete);

    QTableView* grid = rows_->grid();
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(grid, &QTableView::customContextMenuRequested, this, [this, grid](const QPoint& at) {
        if (!results_)
            return;  // nothing to work on before a run found entries
        if (const QModelIndex index = grid->indexAt(at); index.isValid())
            grid->selectRow(index.row());
        popupMenu_->popup(grid->viewport()->mapToGlobal(at));
    });
    connect(rows_, &TrackRows::activated, this, [this] {
        if (results_)
            DubArt();
    });
    connect(rows_, &TrackRows::escape, this, &TDubbelForm::CloseWindow);
    connect(rows_, &TrackRows::rowRemoved, this, &TDubbelForm::ShowCount);

    auto* counter = new QHBoxLayout;
    counter->addWidget(new QLabel("Double entries", this));
    counter->addWidget(cAantal_);
    counter->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(buttons);
    layout->addWidget(grid);
    layout->addLayout(counter);
    EnableResults(false);
}

void TDubbelForm::EnableResults(bool on) {
    results_ = on;
    for (QPushButton* button : actions_)
        button->setEnabled(on);
}

void TDubbelForm::ShowCount() {
    cAantal_->setText(QString::number(rows_->model().rowCount()));
}

void TDubbelForm::BitBtn3Click() {
    if (results_ && CurrentUi().Message(MsgKind::Confirmation,
                                        "Double entries already exist! Do you want to start again?",
                                        MsgButtons::YesNo) != MsgAnswer::Yes)
        return;
    const TitleMatch match =
        similar_->isChecked() ? TitleMatch::SimilarSpelling : TitleMatch::Exact;
    std::optional<DoubleTitleScan> scan;
    {
        StatusShown status(kReading);
        BusyCursor busy;
        ScanProgressDialog progress(this, kReading);
        ShowingTableErrors(
            [&] { scan = FindDoubleTitles(catalogue_.dm1.ArtTable, progress.Hook(), match); });
        if (scan && !scan->cancelled && match == TitleMatch::SimilarSpelling) {
            // One disc catalogued twice is a double whatever its tracks are called: its row is
            // a track of the second source with that CD ID.
            ShowingTableErrors([&] {
                for (const uint32_t recno :
                     TracksOfSharedDiscs(catalogue_.dm2.HfTable, catalogue_.dm1.ArtTable)) {
                    if (std::find(scan->recnos.begin(), scan->recnos.end(), recno) ==
                        scan->recnos.end())
                        scan->recnos.push_back(recno);
                }
            });
        }
    }
    if (!scan || scan->cancelled)
        return;  // what was shown stays
    if (scan->recnos.empty()) {
        PlayWave("ngev.wav");
        CurrentUi().Message(MsgKind::Information, "No double entries found.");
        CloseWindow();
        return;
    }
    listed_ = match;
    rows_->List(std::move(scan->recnos));
    ShowCount();
    EnableResults(true);
    rows_->grid()->setFocus();
    PlayWave("Opti.wav");
}

void TDubbelForm::DubArt() {
    rows_->OnSelected([this](uint32_t recno) {
        TDubbeleArtiestenForm artists(catalogue_, this);
        if (artists.Fill(catalogue_.dm1.ArtAccess.GetString("TITEL").bytes(), listed_))
            artists.exec();
        // The row shows its track as it now is; a track deleted meanwhile takes its row along.
        catalogue_.dm1.ArtAccess.Go(recno);
        if (catalogue_.dm1.ArtTable.currentRecord()[0] == '*') {
            rows_->model().RecordRemoved(recno);
            ShowCount();
        } else {
            rows_->model().RecordChanged(recno);
        }
    });
}

void TDubbelForm::CloseWindow() {
    PlacementWindowOf(this)->close();
}

void TDubbelForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    RestoreWindowPlacement(PlacementWindowOf(this), kDoublesScreen);
    if (IniReadBool("Opstart", "Hints"))
        rows_->grid()->setToolTip("Click on the right mouse button for more options");
    findChild<QPushButton*>("BitBtn3")->setFocus();
}

void TDubbelForm::closeEvent(QCloseEvent* event) {
    SaveWindowPlacement(PlacementWindowOf(this), kDoublesScreen);
    event->accept();
}
