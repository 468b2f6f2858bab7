#include "overview/track_rows.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QTableView>

#include "base/protection.h"
#include "base/ui.h"
#include "cd/cd_speler.h"
#include "cd/install_cd_player.h"
#include "entry/editor_parts.h"
#include "entry/wijzig_artiest_gegevens.h"
#include "overview/show_source.h"
#include "store/catalogue.h"

void ShowingTableErrors(const std::function<void()>& action) {
    TableGuarded(action);
}

TrackRows::TrackRows(Catalogue& catalogue, std::vector<TableGridModel::Column> columns,
                     QWidget* owner)
    : QObject(owner),
      catalogue_(catalogue),
      owner_(owner),
      model_(new TableGridModel(catalogue.dm1.ArtTable, std::move(columns), this)),
      grid_(new QTableView(owner)) {
    grid_->setObjectName("StringGrid1");
    grid_->setModel(model_);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 6);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->installEventFilter(this);
    connect(grid_, &QTableView::doubleClicked, this, &TrackRows::activated);
}

void TrackRows::List(std::vector<uint32_t> recnos) {
    model_->SetRecNos(std::move(recnos));
    grid_->selectRow(0);
}

uint32_t TrackRows::Selected() const {
    return model_->RecNoAt(grid_->currentIndex().row());
}

void TrackRows::OnSelected(const std::function<void(uint32_t recno)>& action) {
    TTable& table = catalogue_.dm1.ArtTable;
    ShowingTableErrors([&] {
        try {
            const uint32_t recno = Selected();
            if (recno == 0) {
                CurrentUi().Beep();
                return;
            }
            catalogue_.dm1.ArtAccess.Go(recno);
            action(recno);
        } catch (const TableError&) {
            if (table.state() != TTable::State::Browse)
                table.Cancel();
            throw;
        }
    });
    grid_->setFocus();
}

void TrackRows::Contents() {
    OnSelected([this](uint32_t recno) {
        const TTableAccess& art = catalogue_.dm1.ArtAccess;
        ShowSource(catalogue_, art.GetString("DRAGER").bytes(), art.GetString("CDNUMMER").bytes(),
                   recno, owner_);
    });
}

void TrackRows::Info() {
    OnSelected([this](uint32_t) { ShowTrackInfo(catalogue_, owner_); });
}

void TrackRows::Edit() {
    OnSelected([this](uint32_t recno) {
        TWijzigArtiestGegevens screen(catalogue_, owner_);
        screen.exec();
        model_->RecordChanged(recno);
    });
}

void TrackRows::Delete() {
    if (ChkBeveiliging())
        return;
    OnSelected([this](uint32_t recno) {
        if (!catalogue_.dm1.DeleteOneTrack())
            return;
        catalogue_.dm1.ArtTable.Sync();
        const int row = grid_->currentIndex().row();
        model_->RecordRemoved(recno);
        grid_->selectRow(std::min(row, model_->rowCount() - 1));
        emit rowRemoved();
    });
}

void TrackRows::AddToPlaylist() {
    OnSelected([this](uint32_t recno) {
        catalogue_.dm3.AddToPlayList(catalogue_.dm1, std::to_string(recno));
    });
}

void TrackRows::PlayTrack() {
    OnSelected([](uint32_t recno) {
        if (HasCdPlayer())
            CdPlayer().PlayTrack(std::to_string(recno));
    });
}

void TrackRows::StopTrack() {
    ShowingTableErrors([] {
        if (HasCdPlayer())
            CdPlayer().StopTrack();
    });
}

void TrackRows::Eject() {
    ShowingTableErrors([] {
        if (HasCdPlayer())
            CdPlayer().EjectCD();
    });
}

void TrackRows::AddTrackItems(QMenu* menu, const QString& info) {
    const struct {
        const char* name;
        QString text;
        void (TrackRows::*action)();
    } items[] = {{"Contents1", "&Contents", &TrackRows::Contents},
                 {"Info1", info, &TrackRows::Info},
                 {"Edit1", "&Edit", &TrackRows::Edit},
                 {"Addtoplaylist1", "&Add to playlist", &TrackRows::AddToPlaylist},
                 {"Playtrack1", "Pla&y track", &TrackRows::PlayTrack},
                 {"Stoptrack1", "Stop &track", &TrackRows::StopTrack},
                 {"Eject1", "E&ject", &TrackRows::Eject}};
    for (const auto& item : items)
        connect(NamedMenuItem(menu, item.name, item.text), &QAction::triggered, this, item.action);
}

bool TrackRows::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Escape) {
            emit escape();
            return true;
        }
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit activated();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
